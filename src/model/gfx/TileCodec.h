#pragma once
#include "model/LoadedRom.h"
#include "model/gfx/BlockRender.h"

#include <array>
#include <cstdint>
#include <string>

// CHR tiles: encoding pixels back into the 16 pattern bytes, drawing a tile in one
// sub-palette, and the tile editor's working copy.
namespace blocks {

using TileRows = std::array<std::array<uint8_t, 8>, 8>; // row, column
using TileRgb = std::array<uint32_t, 64>; // 0xRRGGBB, row by row

// The mirror of render::decodeTile: bit plane 0 in bytes 0..7, plane 1 in 8..15, column 0 in
// bit 7. Only the two low bits of each pixel count.
render::ChrTile encodeTile(const TileRows &px);

// NES colour n as 0xRRGGBB; VbError "Subscript out of range" outside 0..63.
uint32_t rgbOf(const std::array<uint32_t, 64> &nesRgb, int n);

// Draws a tile in the four colours of a sub-palette string (colour 0 first). Returns an empty
// text, or the first failure (a colour outside 0..63, a short palette); such pixels are black.
std::string tileRgb(const TileRows &tile, const std::string &pal,
    const std::array<uint32_t, 64> &nesRgb, TileRgb &out);

// Position of tile t (0..63) of CHR bank b in the ROM file. Throws VbError for a bank the
// ROM does not hold, so nothing is ever written over the PRG data in its place.
long long tileAt(const RomTables &g, int bank, int tile);

// The tile the block editor hands the tile editor: one of the section's background tiles.
struct TileRef
{
    int tileBank = 0; // CHR bank holding it
    int tileNum = 0; // 0..255 in the section's background tiles
    int tilePalNo = 0; // the sub-palette it is shown in
    int tileset = 0; // whose decoded tiles take it after a save
};

// The tile editor's copy of one tile of the section's background tiles.
struct TileEdit
{
    int bank = 0; // CHR bank holding the tile
    int tileNum = 0; // 0..255 in the section's background tiles
    int bankTile = 0; // tileNum & 63
    int palNo = 0;
    std::array<uint8_t, 64> pixVal {}; // 8 * row + column
    std::array<int, 4> tileCols {}; // NES colour of each pixel value
    uint8_t colL = 0; // painted by the left button
    uint8_t colR = 3; // painted by the right button

    // Reads the tile from chrData, in a sub-palette of the section `at`. Revert keeps the
    // painting colours; a fresh opening starts from 0 and 3.
    void load(const RomTables &g, const ShownSection &at, const TileRef &tile, bool keepColours);
    // Paints pixel i with the button's colour (1 left, 2 right); false for any other button.
    bool paint(int i, int button);
    // Makes pixel value k the button's colour; false for any other button.
    bool choose(int k, int button);
    TileRows rows() const;
};

// Save: writes the bytes of the encoded tile that differ from `was` (the tile as the window
// opened it) into the ROM file, then the tile into chrData. A failed write throws VbError and
// changes nothing.
void saveTile(LoadedRom &g, const TileEdit &e, const render::ChrTile &was);

} // namespace blocks
