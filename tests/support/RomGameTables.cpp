#include "support/RomBuilder.h"

namespace rb {

namespace {

// Damage rows: bytes +0, +1, +2, +6 of each record, and +14 in the Japanese release.
void gameDamage(RomDesc &d, bool jp)
{
    d.damage.assign(32, 0);
    for (size_t k = 0; k < 32; ++k)
        d.damage[k] = static_cast<uint8_t>(k % 5);
    for (size_t g = 0; g < 2; ++g) {
        const uint8_t more = static_cast<uint8_t>(g);
        d.damage[16 * g + 0] = 1 + more;
        d.damage[16 * g + 1] = 2 + more;
        d.damage[16 * g + 2] = 3 + more;
        d.damage[16 * g + 6] = 7 + more;
        if (jp)
            d.damage[16 * g + 14] = 15;
    }
}

// The mirrored copies of "Sprites 1" and "Sprites 3" lie 19, 38 and 57 bytes after their first
// copy, which lies 4 and 12 bytes into the sprite palettes.
constexpr size_t mirrored[2] = { 4, 12 };
constexpr size_t sprSets = 73; // the set table, after the fixed palettes

} // namespace

void gameTables(RomDesc &d)
{
    const RomMap m = romMap(d.rel);
    gameDamage(d, d.rel == Rel::JP);
    d.bgmWords.clear();
    for (unsigned k = 0; k < 31; ++k)
        d.bgmWords.push_back(m.songBase + k * m.songStep);
    d.livesHearts = { 0x02, 0x05 };
    d.sprPalettes.assign(static_cast<size_t>(m.sprPalSize), 0);
    for (size_t i = 0; i < d.sprPalettes.size(); ++i)
        d.sprPalettes[i] = static_cast<uint8_t>((0x0F + 5 * i) % 0x40);
    for (size_t first : mirrored)
        for (size_t c = 0; c < 3; ++c)
            for (size_t copy = 1; copy <= 3; ++copy)
                d.sprPalettes[first + 19 * copy + c] = d.sprPalettes[first + c];
}

RomDesc oddTableBytes(RomDesc d)
{
    const RomMap m = romMap(d.rel);
    if (d.damage.size() < 32)
        gameTables(d);
    d.damage[1] = 0x20; // group 1, the second row
    d.damage[16 + 6] = 0xFF; // group 2, the spikes row
    d.bgmWords.at(3) = m.songBase + 28 * m.songStep; // a song without an item of its own
    d.bgmWords.at(5) = m.songBase + 12 * m.songStep;
    d.bgmWords.at(4) = 0xBEEF; // no song at all
    d.livesHearts = { 0x2A, 0xA5 };
    // Colour numbers above 63, in sets the first stages do not draw with.
    if (d.palSets.size() > 43) {
        d.palSets[42][4] = 0x7F;
        d.palSets[43][8] = 0xC0;
    }
    d.sprPalettes[1] = 0x41; // the first character palette
    d.sprPalettes[sprSets + 5] = 0x50; // set 1, colour 2
    d.sprPalettes[mirrored[0] + 38 + 1]
        = static_cast<uint8_t>(d.sprPalettes[mirrored[0] + 1] ^ 0x21);
    return d;
}

} // namespace rb
