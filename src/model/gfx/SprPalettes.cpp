#include "model/gfx/SprPalettes.h"

#include "rom/VbError.h"

namespace sprpal {

namespace {

constexpr std::array<int32_t, fixedCount> usFixed { 2458, 2466, 2454, 2492, 2473, 2511 };
constexpr int32_t jpShift = 165;

Bytes bytesOf(const Colours &c)
{
    return Bytes(c.begin(), c.end());
}

} // namespace

int setCount(int r)
{
    return r == 1 ? 25 : 26;
}

int32_t setBase(int r)
{
    return r == 1 ? 2362 : 2527;
}

int32_t fixedPos(int r, int k)
{
    if (k < 0 || k >= fixedCount)
        throw VbError("Subscript out of range");
    return usFixed[static_cast<size_t>(k)] - (r == 1 ? jpShift : 0);
}

std::vector<int32_t> fixedCopies(int r, int k)
{
    const int32_t p = fixedPos(r, k);
    if (k < 2)
        return { p, p + 19, p + 38, p + 57 };
    return { p };
}

SprPalData load(const RomImage &rom, int r)
{
    SprPalData d;
    d.count = setCount(r);
    Bytes table = rom.bytes(setBase(r), 3LL * d.count);
    for (int s = 0; s < d.count; ++s)
        for (int j = 0; j < 3; ++j)
            d.sets[s][j] = table[3 * s + j];
    for (int k = 0; k < fixedCount; ++k) {
        Bytes b = rom.bytes(fixedPos(r, k), 3);
        d.fixed[k] = { b[0], b[1], b[2] };
    }
    return d;
}

std::vector<Patch> savePatches(const SprPalData &d, int r, int32_t setPos, uint8_t setNo)
{
    std::vector<Patch> out;
    if (setPos > 0)
        out.push_back({ setPos, { setNo } });
    Bytes table;
    for (int s = 0; s < d.count; ++s)
        table.insert(table.end(), d.sets[s].begin(), d.sets[s].end());
    out.push_back({ setBase(r), table });
    for (int k = 0; k < fixedCount; ++k)
        for (int32_t p : fixedCopies(r, k))
            out.push_back({ p, bytesOf(d.fixed[k]) });
    return out;
}

std::vector<Patch> restorePatches(const RomImage &backup, int r, int s)
{
    if (s < 0 || s >= setCount(r))
        throw VbError("Subscript out of range");
    std::vector<Patch> out;
    out.push_back({ setBase(r) + 3LL * s, backup.bytes(setBase(r) + 3LL * s, 3) });
    for (int k = 0; k < fixedCount; ++k) {
        Bytes first = backup.bytes(fixedPos(r, k), 3);
        for (int32_t p : fixedCopies(r, k))
            out.push_back({ p, first });
    }
    return out;
}

} // namespace sprpal
