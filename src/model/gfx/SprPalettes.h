#pragma once
#include "rom/RomFile.h"

#include <array>
#include <cstdint>
#include <vector>

// The sprite palettes in the ROM: the 3-colour set table that sections pick from, and six fixed
// 3-colour palettes, two of which ("Sprites 1" and "Sprites 3") are stored four times.
// r is the release: 0 US, 1 Japanese.
namespace sprpal {

inline constexpr int maxSets = 26;
inline constexpr int fixedCount = 6;

int setCount(int r); // 26 US, 25 Japanese
int32_t setBase(int r); // set s at base + 3s
// The fixed palettes in the window's order: Sprites 1, Sprites 3, Trevor, Sypha, Grant, Alucard.
int32_t fixedPos(int r, int k);
// Where palette k is written: its position, and for Sprites 1 and 3 the copies at +19, +38, +57.
std::vector<int32_t> fixedCopies(int r, int k);

using Colours = std::array<uint8_t, 3>;
struct SprPalData
{
    std::array<Colours, maxSets> sets {};
    std::array<Colours, fixedCount> fixed {};
    int count = maxSets;
};

// Everything from the ROM; the fixed palettes from their first copy.
SprPalData load(const RomImage &rom, int r);

// What Save writes: the section's set byte (none when setPos is 0), every set, and every copy
// of every fixed palette.
std::vector<Patch> savePatches(const SprPalData &d, int r, int32_t setPos, uint8_t setNo);

// What Restore copies from the backup ROM: set s, and every fixed palette from its first copy
// in the backup to all its copies.
std::vector<Patch> restorePatches(const RomImage &backup, int r, int s);

} // namespace sprpal
