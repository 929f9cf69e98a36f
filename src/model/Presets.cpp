#include "model/Presets.h"

#include "rom/Numbers.h"
#include "rom/PatchDiff.h"
#include "rom/Release.h"
#include "stage/Locations.h"

namespace presets {

namespace {

// Japanese holder and power-up codes lie 16 below the US ones; "Nothing" stays 0.
std::vector<Item> shifted(std::vector<Item> items, int r)
{
    if (r == 1)
        for (Item &it : items)
            if (it.code != 0)
                it.code = static_cast<uint8_t>(it.code - 16);
    return items;
}

} // namespace

int puCount(int r)
{
    return loc::puPresetCount(r);
}

int32_t puTable(int r)
{
    return loc::puPtrTbl(r);
}

std::vector<Item> puTypes(int r)
{
    return shifted(
        { { "Candles", 0x90 }, { "Lantern", 0x92 }, { "Candlestand", 0x91 }, { "Nothing", 0 } }, r);
}

std::vector<Item> puContents(int r)
{
    return shifted(
        {
            { "Small Heart", 0xAE },
            { "Big Heart", 0xAD },
            { "Boomerang", 0x94 },
            { "Holy Water", 0x96 },
            { "Dagger", 0x95 },
            { "Axe", 0x93 },
            { "Watch", 0x97 },
            { "Rosary", 0xA2 },
            { "Potion", 0xA1 },
            { "Extra Life", 0xAC },
            { "100 Points", 0xA3 },
            { "200 Points", 0xA4 },
            { "400 Points", 0xA5 },
            { "700 Points", 0xA6 },
            { "1,000 Points", 0xA7 },
            { "2,000 Points", 0xA8 },
            { "4,000 Points", 0xA9 },
            { "7,000 Points", 0xAA },
            { "10,000 Points", 0xAB },
            { "Nothing", 0 },
        },
        r);
}

std::string puTopText(int top)
{
    return top >= 0x28 ? num::hex2(top - 0x28) : "-" + num::hex2(0x28 - top);
}

int puLastRow(int r)
{
    return puCount(r) - 240;
}

int enCount(int r)
{
    return loc::enPresetCount(r);
}

int32_t enTable(int r)
{
    return loc::enPtrTbl(r);
}

int enMaxPage(int r)
{
    return r == 1 ? 13 : 14;
}

uint8_t enTopMap(uint8_t top)
{
    int t = top;
    if (t < 32)
        t += 32;
    if (t >= 224)
        t -= 32;
    return static_cast<uint8_t>(t);
}

std::string unknownText(uint8_t code)
{
    return "Unknown (" + num::hex2(code) + ")";
}

Shape puShape(int r)
{
    // In the ROM: type, content, Left, Top.
    return { puTable(r), puCount(r), 4, { 2, 3, 0, 1 }, false };
}

Shape enShape(int r)
{
    // In the ROM: type, Left, Top.
    return { enTable(r), enCount(r), 3, { 1, 2, 0, 0 }, true };
}

namespace {

uint8_t decoded(const Shape &s, int f, uint8_t raw)
{
    return s.mapsTop && f == enTop ? enTopMap(raw) : raw;
}

} // namespace

uint8_t fieldOf(const Shape &s, int f, const uint8_t *b)
{
    return decoded(s, f, b[s.offset[static_cast<size_t>(f)]]);
}

long long recordPos(const RomImage &rom, int32_t table, int n)
{
    const long long at = table + 2LL * n;
    return ptrToPos(rom.byte(at), rom.byte(at + 1), 0, 2);
}

Book::Book(const RomImage &rom, const Shape &shape) : s(shape)
{
    for (int n = 0; n < s.count; ++n) {
        const long long pos = recordPos(rom, s.table, n);
        const Bytes b = rom.bytes(pos, s.size);
        for (int k = 0; k < s.size; ++k)
            was[pos + k] = b[static_cast<size_t>(k)];
        at.push_back(pos);
    }
    now = was;
    shared.resize(at.size());
    for (size_t n = 0; n < at.size(); ++n)
        for (size_t m = 0; m < at.size(); ++m)
            if (m != n && at[m] < at[n] + s.size && at[n] < at[m] + s.size)
                shared[n].push_back(static_cast<int>(m));
}

long long Book::fieldPos(int n, int f) const
{
    return pos(n) + s.offset.at(static_cast<size_t>(f));
}

uint8_t Book::field(int n, int f) const
{
    return decoded(s, f, now.at(fieldPos(n, f)));
}

uint8_t Book::fieldRead(int n, int f) const
{
    return decoded(s, f, was.at(fieldPos(n, f)));
}

bool Book::set(int n, int f, uint8_t v)
{
    const long long p = fieldPos(n, f);
    const uint8_t before = now.at(p);
    if (decoded(s, f, was.at(p)) == v)
        now[p] = was.at(p);
    else if (decoded(s, f, before) != v)
        now[p] = v;
    return now[p] != before;
}

Bytes Book::bytes(int n) const
{
    Bytes b;
    for (int k = 0; k < s.size; ++k)
        b.push_back(now.at(pos(n) + k));
    return b;
}

void Book::setBytes(int n, const Bytes &b)
{
    for (int k = 0; k < s.size; ++k)
        now.at(pos(n) + k) = b.at(static_cast<size_t>(k));
}

std::vector<Patch> Book::changes() const
{
    auto patches = [](const std::map<long long, uint8_t> &bytes) {
        std::vector<Patch> out;
        for (const auto &[pos, v] : bytes)
            out.push_back({ pos, { v } });
        return out;
    };
    return changedBytes(patches(now), patches(was));
}

} // namespace presets
