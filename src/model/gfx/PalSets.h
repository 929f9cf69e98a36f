#pragma once
#include "rom/RomFile.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The background palettes in the ROM: the 9-byte set records, the three colours shared by
// sub-palette 0 of every set, and the backdrop (colour 0 of every sub-palette).
// r is the release: 0 US, 1 Japanese.
namespace bgpal {

inline constexpr int maxSets = 44;

int setCount(int r); // 44 US, 43 Japanese
int32_t setBase(int r); // set s at base + 9s
int32_t fixedPos(int r); // 3 bytes
int32_t backdropPos(int r);

// The editor's working copy: [set][sub-palette][colour]. Sub-palette 0's colours 1..3 and
// colour 0 of every sub-palette hold the shared colours in every set.
using SetColours = std::array<std::array<uint8_t, 4>, 4>;
struct PalSets
{
    std::array<SetColours, maxSets> sets {};
    int count = maxSets;
};

// Every set from the ROM, the shared colours from the values given (the program's own copy).
PalSets load(const RomImage &rom, int r, uint8_t backdrop, const std::array<uint8_t, 3> &fixed);

// Puts one set record's 9 colours into set s; the shared entries stay.
void putRecord(PalSets &p, int s, const Bytes &record);
// Gives every set the same shared colours.
void putShared(PalSets &p, uint8_t backdrop, const std::array<uint8_t, 3> &fixed);

// Colours slot 0..15 (4 * sub-palette + colour) of the shown set. A colour-0 slot sets the
// backdrop of every set; a slot of sub-palette 0 sets that shared colour of every set.
void setColour(PalSets &p, int shown, int slot, uint8_t colour);

// What Save writes: the section's set byte (none when setPos is 0), the backdrop and shared
// colours from set 0, then every set record.
std::vector<Patch> savePatches(const PalSets &p, int r, int32_t setPos, uint8_t setNo);

// What Restore copies from the backup ROM: set s, the shared colours and the backdrop.
struct Restored
{
    Bytes record; // 9 bytes
    std::array<uint8_t, 3> fixed {};
    uint8_t backdrop = 0;
    std::vector<Patch> patches;
};
Restored restoreFrom(const RomImage &backup, int r, int s);

// The four sub-palettes of set s as colour strings, colour 0 first, for drawing.
std::array<std::string, 4> palStrings(const PalSets &p, int s);

// The sub-palettes of a section as the stage tables hold them: backdrop and shared colours for
// sub-palette 0, backdrop and the record's colours for 1..3.
std::array<std::string, 4> sectionPalStr(
    const std::string &backdrop, const std::string &fixed, const Bytes &record);

} // namespace bgpal
