#pragma once
#include "model/RomTables.h"
#include "rom/RomFile.h"
#include "stage/StageTables.h"

#include <array>
#include <cstdint>
#include <vector>

// The CHR banks a section uses: two background banks ("BG 1", "BG 2" for tiles 0x40-0xBF), two
// sprite banks ("Sprites 2", "Sprites 3") and, in the US release, "Sprites 4".
// r is the release: 0 US, 1 Japanese.
namespace patbank {

using Bank = std::array<std::array<uint8_t, 16>, 64>;

// Whether the game loads a background bank (bit 7 ignored).
bool validBg(int r, int bank);

// Where tile t of a bank sits in the 128 x 32 preview: 0 plain, 1 8-interleave, 2 4-interleave.
struct Cell
{
    int x = 0;
    int y = 0;
};
Cell tileCell(int layout, int t);

// Pixel values 0..3 of the 128 x 32 preview of a bank, row by row.
using Preview = std::array<uint8_t, 128 * 32>;
Preview preview(const Bank &bank, int layout);

// The banks Save writes for one section and where their bytes lie.
struct SectionBanks
{
    int32_t bgPos = 0; // BG 1 at +0, BG 2 at +1, US Sprites 4 at +2
    int32_t sprPos = 0; // Sprites 2 at +0, Sprites 3 at +1
    int32_t copyPos = 0; // stage 1's second copy of the sprite banks, 0 for none
    std::array<uint8_t, 2> bg {};
    std::array<uint8_t, 3> spr {}; // Sprites 2, 3, 4
};

// Stage 1's first nine sections keep a second copy of their sprite banks further on in the
// stage's sprite bank list (sections 0-2 at +30, 3-5 at +18, 6-8 at +6): the same rooms the
// stage shows again. The place the copy would take, or 0 for every other section.
int32_t copyCandidate(int stage, int section, int32_t sprPos);

// Whether the two bytes at pos may take that copy: both lie in the sprite bank list the loader
// recorded for stage 1, and neither is a byte it recorded for another table. A damaged or odd
// ROM whose list is shorter keeps its other data.
bool copyAllowed(const RomTables &g, const StageTables &t, int r, int32_t pos);

// Every byte of the section's banks, and the copy when it has one.
std::vector<Patch> savePatches(const SectionBanks &b, int r);

// Whether either sprite bank of the section differs between the two.
bool spritesChanged(const SectionBanks &now, const SectionBanks &was);

// What Save writes of `now` against the banks read at the opening: the section's bytes that
// changed and, when a sprite bank changed, both bytes of the copy. The copy's place belongs to
// the returning room, whose other byte may hold another bank: it gets the section's banks whole.
std::vector<Patch> changedPatches(const SectionBanks &now, SectionBanks was, int r);

} // namespace patbank
