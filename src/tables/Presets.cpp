#include "tables/Presets.h"

#include "rom/Numbers.h"
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

std::string puLeftText(int k)
{
    return num::hex2(puLeftValue(k));
}

std::string puTopText(int k)
{
    return num::hex2(puTopValue(k) - 0x28);
}

int puLeftIndex(uint8_t left)
{
    return left / 2 < puLeftItems ? left / 2 : 0;
}

int puTopIndex(uint8_t top)
{
    const int k = top / 4 - 14;
    return k >= 0 && k < puTopItems ? k : 0;
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

int enLeftIndex(uint8_t left)
{
    return left / 4 < enLeftItems ? left / 4 : 0;
}

int enTopIndex(uint8_t top)
{
    const int k = top / 4 - 8;
    return k >= 0 && k < enTopItems ? k : 0;
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

int codeIndex(const std::vector<Item> &items, uint8_t code, int fallback)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].code == code)
            return static_cast<int>(i);
    return fallback;
}

long long recordPos(const RomImage &rom, int32_t table, int n)
{
    const long long at = table + 2LL * n;
    return ptrToPos(rom.byte(at), rom.byte(at + 1), 0, 2);
}

namespace {

// Checks that the record lies inside the image, so a patch list never names bytes the file
// does not have.
long long checkedPos(const RomImage &rom, int32_t table, int n, int size)
{
    const long long pos = recordPos(rom, table, n);
    rom.bytes(pos, size);
    return pos;
}

} // namespace

std::vector<Patch> puSave(const RomImage &rom, const PuTable &t, int r)
{
    std::vector<Patch> out;
    for (int n = 0; n < puCount(r); ++n) {
        const puPresetRec &p = t[static_cast<size_t>(n)];
        out.push_back({ checkedPos(rom, puTable(r), n, 4),
            { p[puType], p[puContent], p[puLeft], p[puTop] } });
    }
    return out;
}

std::vector<Patch> enSave(const RomImage &rom, const EnTable &t, int r)
{
    std::vector<Patch> out;
    for (int n = 0; n < enCount(r); ++n) {
        const enPresetRec &p = t[static_cast<size_t>(n)];
        out.push_back({ checkedPos(rom, enTable(r), n, 3), { p[enType], p[enLeft], p[enTop] } });
    }
    return out;
}

std::vector<Patch> puRestore(const RomImage &backup, const RomImage &rom, PuTable &out, int r)
{
    PuTable t = out;
    for (int n = 0; n < puCount(r); ++n) {
        const Bytes b = backup.bytes(recordPos(backup, puTable(r), n), 4);
        t[static_cast<size_t>(n)] = { b[2], b[3], b[0], b[1] };
    }
    std::vector<Patch> patches = puSave(rom, t, r);
    out = t;
    return patches;
}

std::vector<Patch> enRestore(const RomImage &backup, const RomImage &rom, EnTable &out, int r)
{
    EnTable t = out;
    for (int n = 0; n < enCount(r); ++n) {
        const Bytes b = backup.bytes(recordPos(backup, enTable(r), n), 3);
        t[static_cast<size_t>(n)] = { b[1], enTopMap(b[2]), b[0] };
    }
    std::vector<Patch> patches = enSave(rom, t, r);
    out = t;
    return patches;
}

} // namespace presets
