#include "model/objects/PowerUps.h"

#include "rom/Numbers.h"
#include "rom/VbError.h"

#include <cstdio>

namespace objects {

namespace {

const std::array<PowerUp, puCount> palette { {
    { "94", "Boomerang", 1, 1 },
    { "96", "Holy Water", 1, 2 },
    { "95", "Dagger", 1, 3 },
    { "93", "Axe", 1, 4 },
    { "97", "Watch", 2, 1 },
    { "A2", "Rosary", 2, 2 },
    { "A1", "Potion", 2, 3 },
    { "AC", "Extra Life", 2, 4 },
    { "AE", "Small Heart", 3, 1 },
    { "AD", "Big Heart", 4, 1 },
    { "A4", "200 Points", 3, 3 },
    { "A5", "400 Points", 3, 4 },
    { "A6", "700 Points", 4, 2 },
    { "A7", "1,000 Points", 4, 3 },
    { "AA", "7,000 Points", 5, 3 },
    { "A3", "100 Points", 3, 2 },
    { "A8", "2,000 Points", 4, 4 },
    { "A9", "4,000 Points", 5, 2 },
    { "AB", "10,000 Points", 5, 4 },
} };

} // namespace

const PowerUp &powerUp(int index)
{
    if (index < 0 || index >= puCount)
        throw VbError("Subscript out of range");
    return palette[static_cast<size_t>(index)];
}

int puLeft(int index)
{
    return 8640 + 600 * (powerUp(index).col - 1);
}

int puTop(int index)
{
    return 3600 + 600 * (powerUp(index).row - 1);
}

int candleLeft(int kind)
{
    static const int lefts[4] = { 8640, 9840, 9240, 10440 };
    return lefts[kind & 3];
}

const char *kindName(int kind)
{
    static const char *const names[4] = { "Candles", "Candlestand", "Lantern", "Enemy" };
    return kind >= 0 && kind < 4 ? names[kind] : "";
}

int holderCode(int kind, int r)
{
    return 0x90 - 16 * r + kind;
}

std::string hexText(int v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(v));
    return buf;
}

int puContent(int index, int r)
{
    return static_cast<int>(num::hexVal(powerUp(index).tag)) - 16 * r;
}

int puIndexOf(int content, int r)
{
    const std::string code = hexText(16 * r + content);
    for (int e = 0; e < puCount; ++e)
        if (code == palette[static_cast<size_t>(e)].tag)
            return e;
    return -1;
}

int puPresetsInUse(int r)
{
    return r ? 244 : 254;
}

int enPresetsInUse(int r)
{
    return r ? 224 : 228;
}

std::vector<int> holderMatches(
    const std::array<puPresetRec, 256> &presets, int r, int index, int kind)
{
    std::vector<int> out;
    const std::string tag = powerUp(index).tag;
    for (int k = 0; k < puPresetsInUse(r); ++k) {
        const puPresetRec &p = presets[static_cast<size_t>(k)];
        if (hexText(p[3] + 16 * r) == tag && p[2] - 0x90 + 16 * r == kind)
            out.push_back(k);
    }
    return out;
}

std::vector<int> enemyMatches(const std::array<enPresetRec, 256> &presets, int r, int id)
{
    std::vector<int> out;
    for (int k = 0; k < enPresetsInUse(r); ++k)
        if (presets[static_cast<size_t>(k)][2] == id)
            out.push_back(k);
    return out;
}

} // namespace objects
