#include "model/gfx/PalSets.h"

#include "rom/VbError.h"
#include "stage/Locations.h"

namespace bgpal {

int setCount(int r)
{
    return r == 1 ? 43 : 44;
}

int32_t setBase(int r)
{
    return loc::palSetBase(r);
}

int32_t fixedPos(int r)
{
    return loc::palFixed(r);
}

int32_t backdropPos(int r)
{
    return loc::palBackdrop(r);
}

void putRecord(PalSets &p, int s, const Bytes &record)
{
    if (s < 0 || s >= maxSets || record.size() < 9)
        throw VbError("Subscript out of range");
    for (int sp = 1; sp <= 3; ++sp)
        for (int c = 1; c <= 3; ++c)
            p.sets[s][sp][c] = record[3 * (sp - 1) + c - 1];
}

void putShared(PalSets &p, uint8_t backdrop, const std::array<uint8_t, 3> &fixed)
{
    for (SetColours &set : p.sets) {
        for (auto &sub : set)
            sub[0] = backdrop;
        for (int c = 1; c <= 3; ++c)
            set[0][c] = fixed[c - 1];
    }
}

PalSets load(const RomImage &rom, int r, uint8_t backdrop, const std::array<uint8_t, 3> &fixed)
{
    PalSets p;
    p.count = setCount(r);
    putShared(p, backdrop, fixed);
    for (int s = 0; s < p.count; ++s)
        putRecord(p, s, rom.bytes(setBase(r) + 9LL * s, 9));
    return p;
}

void setColour(PalSets &p, int shown, int slot, uint8_t colour)
{
    if (slot < 0 || slot > 15 || shown < 0 || shown >= maxSets)
        throw VbError("Subscript out of range");
    const int sp = slot / 4;
    const int c = slot % 4;
    if (c == 0) {
        for (SetColours &set : p.sets)
            for (auto &sub : set)
                sub[0] = colour;
        return;
    }
    p.sets[shown][sp][c] = colour;
    if (sp == 0)
        for (SetColours &set : p.sets)
            set[0][c] = colour;
}

std::vector<Patch> savePatches(const PalSets &p, int r, int32_t setPos, uint8_t setNo)
{
    std::vector<Patch> out;
    if (setPos > 0)
        out.push_back({ setPos, { setNo } });
    const SetColours &first = p.sets[0];
    out.push_back({ backdropPos(r), { first[0][0] } });
    out.push_back({ fixedPos(r), { first[0][1], first[0][2], first[0][3] } });
    for (int s = 0; s < p.count; ++s) {
        Bytes rec;
        for (int sp = 1; sp <= 3; ++sp)
            for (int c = 1; c <= 3; ++c)
                rec.push_back(p.sets[s][sp][c]);
        out.push_back({ setBase(r) + 9LL * s, rec });
    }
    return out;
}

Restored restoreFrom(const RomImage &backup, int r, int s)
{
    if (s < 0 || s >= setCount(r))
        throw VbError("Subscript out of range");
    Restored x;
    const long long at = setBase(r) + 9LL * s;
    x.record = backup.bytes(at, 9);
    Bytes fixed = backup.bytes(fixedPos(r), 3);
    x.fixed = { fixed[0], fixed[1], fixed[2] };
    x.backdrop = backup.byte(backdropPos(r));
    x.patches = { { at, x.record }, { fixedPos(r), fixed }, { backdropPos(r), { x.backdrop } } };
    return x;
}

std::array<std::string, 4> palStrings(const PalSets &p, int s)
{
    if (s < 0 || s >= maxSets)
        throw VbError("Subscript out of range");
    std::array<std::string, 4> out;
    for (int sp = 0; sp < 4; ++sp)
        for (int c = 0; c < 4; ++c)
            out[sp] += static_cast<char>(p.sets[s][sp][c]);
    return out;
}

std::array<std::string, 4> sectionPalStr(
    const std::string &backdrop, const std::string &fixed, const Bytes &record)
{
    if (record.size() < 9)
        throw VbError("Subscript out of range");
    std::array<std::string, 4> out;
    out[0] = backdrop + fixed;
    for (int sp = 1; sp <= 3; ++sp)
        out[sp] = backdrop + std::string(record.begin() + 3 * (sp - 1), record.begin() + 3 * sp);
    return out;
}

} // namespace bgpal
