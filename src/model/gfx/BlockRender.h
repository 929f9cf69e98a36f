#pragma once
#include <array>
#include <cstdint>
#include <string>

// Background tiles decoded to 2-bit pixels, and blocks of 4 x 4 tiles rendered to RGB.
namespace render {

using TilePixels = std::array<std::array<std::array<uint8_t, 8>, 8>, 256>; // tile, row, column
using ChrTile = std::array<uint8_t, 16>;
using BlockImage = std::array<uint32_t, 32 * 32>; // 0xRRGGBB, row by row

// One tile in the pattern-table format: low plane bytes 0..7, high plane 8..15; column 0 is the
// most significant bit.
void decodeTile(const ChrTile &chr, std::array<std::array<uint8_t, 8>, 8> &out);

// The quadrant of tile position p (0..15) of a block: 3 top-left, 2 top-right, 1 bottom-left,
// 0 bottom-right.
int quadrantOf(int p);

struct BlockInput
{
    const TilePixels *tiles = nullptr;
    const uint8_t *tileNumbers = nullptr; // 16, row by row
    const uint8_t *quadrantPal = nullptr; // 4, by quadrant
    const std::string *palettes = nullptr; // 4 sub-palettes of 4 colour numbers each
    const uint32_t *nesRgb = nullptr; // 64 colours, red in the low byte
    bool maskUpperHalf = false; // the H-scroll mask blacks out pixel rows 0..15
};

// Renders one block. Returns an empty text, or the description of the first failure (a colour
// number outside 0..63, a missing sub-palette); the rest of the block is drawn anyway.
std::string drawBlock(const BlockInput &in, BlockImage &out);

} // namespace render
