#pragma once
#include "model/LoadedRom.h"
#include "rom/RomFile.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One tileset block as the ROM keeps it: 16 tile numbers (4 * row + column) and one attribute
// byte with the sub-palette of each 16 x 16 quadrant.
namespace blocks {

using BlockTiles = std::array<uint8_t, 16>;
// By quadrant: 0 bottom-right, 1 bottom-left, 2 top-right, 3 top-left.
using QuadPals = std::array<uint8_t, 4>;

// Quadrant 0 in bits 7-6, 1 in bits 5-4, 2 in bits 3-2, 3 in bits 1-0.
uint8_t attrByte(const QuadPals &q);
QuadPals attrQuads(uint8_t attr);

// The four cells of quadrant q, in increasing order.
std::array<int, 4> quadCells(int q);
// The quadrant that holds cell c.
int quadOf(int cell);
// "a1" for the top-left cell .. "d4" for the bottom-right one.
std::string cellName(int cell);

// First of the block's 16 definition bytes, and its attribute byte. Throws VbError for a
// tileset or block outside the tables, or a block past the tileset's last one, whose bytes would
// lie on other data.
long long blockDefAt(const RomTables &g, int tileset, int block);
long long blockAttrAt(const RomTables &g, int tileset, int block);

struct StoredBlock
{
    BlockTiles tiles {};
    QuadPals quads {};
    bool operator==(const StoredBlock &) const = default;
};

// Everything a block's Save could write.
std::vector<Patch> blockPatches(const RomTables &g, int tileset, int block, const StoredBlock &b);

// Writes the bytes of the block that differ from `was` (the block as the window took it) into
// the ROM file, then the block into blockTiles and blockPal. A failed write throws VbError and
// leaves the file and the tables as they were.
void saveBlock(
    LoadedRom &g, int tileset, int block, const StoredBlock &now, const StoredBlock &was);

// The block as a ROM image holds it (the working file, or the backup Restore reads). Throws
// VbError when the image does not reach the block.
StoredBlock readBlock(const RomImage &rom, const RomTables &g, int tileset, int block);

} // namespace blocks
