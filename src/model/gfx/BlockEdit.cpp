#include "model/gfx/BlockEdit.h"

#include "rom/VbError.h"
#include "stage/StageData.h"

namespace blocks {

void BlockEdit::load(const RomTables &g, const ShownSection &at, int tsaBlock)
{
    tileset = tilesetOf(at.curStage, at.curSection);
    if (tsaBlock < 0 || tsaBlock > 255)
        throw VbError("Subscript out of range");
    block = tsaBlock;
    const auto ts = static_cast<size_t>(tileset);
    const auto b = static_cast<size_t>(block);
    blkTiles = g.blockTiles[ts][b];
    for (size_t q = 0; q < 4; ++q)
        quadPal[q] = g.blockPal[ts][b][q] & 3;
    readColours(g, at);
}

void BlockEdit::readColours(const RomTables &g, const ShownSection &at)
{
    if (at.curStage < 0 || at.curStage >= stageCount || at.curSection < 0
        || at.curSection >= maxSections)
        throw VbError("Subscript out of range");
    const auto &pals
        = g.palStr[static_cast<size_t>(at.curStage)][static_cast<size_t>(at.curSection)];
    for (size_t p = 0; p < 4; ++p)
        for (size_t k = 0; k < 3; ++k)
            palCols[p][k] = k + 1 < pals[p].size() ? static_cast<uint8_t>(pals[p][k + 1]) : 0;
}

void BlockEdit::select(int cell)
{
    selCell = cell & 15;
    selQuad = quadOf(selCell);
    chooserPal = quadPal[static_cast<size_t>(selQuad)];
}

int BlockEdit::place(int tile)
{
    blkTiles[static_cast<size_t>(selCell)] = static_cast<uint8_t>(tile);
    return (selCell + 1) % 16;
}

void BlockEdit::stepQuad(int q, int button)
{
    uint8_t &v = quadPal.at(static_cast<size_t>(q));
    if (button == 1)
        v = static_cast<uint8_t>((v + 1) % 4);
    else if (button == 2)
        v = static_cast<uint8_t>((v + 3) % 4);
}

} // namespace blocks
