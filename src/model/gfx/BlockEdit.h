#pragma once
#include "model/gfx/BlockCodec.h"

#include <array>

// The block editor's working copy of one block and its selection; the window shows it.
namespace blocks {

struct BlockEdit
{
    int tileset = 0;
    int block = 0;
    BlockTiles blkTiles {};
    QuadPals quadPal {};
    // palCols[p][k]: NES colour of colour k + 1 of the section's sub-palette p.
    std::array<std::array<int, 3>, 4> palCols {};
    int selCell = 0;
    int selQuad = 3;
    int chooserPal = 0; // the sub-palette tiles are drawn in

    // Takes block tsaBlock of the tileset of section `at` from the tables. Throws VbError for a
    // block outside 0..255, with only the tileset taken.
    void load(const RomTables &g, const ShownSection &at, int tsaBlock);
    // Colours 1..3 of each sub-palette of section `at`.
    void readColours(const RomTables &g, const ShownSection &at);
    // Makes cell c the selected one; the chooser follows its quadrant's sub-palette.
    void select(int cell);
    // Puts tile into the selected cell and returns the cell to select next.
    int place(int tile);
    // Left (1) steps quadrant q's sub-palette up, right (2) down, wrapping; others keep it.
    void stepQuad(int q, int button);
};

} // namespace blocks
