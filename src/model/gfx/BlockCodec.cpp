#include "model/gfx/BlockCodec.h"

#include "model/gfx/BlockRender.h"
#include "rom/Numbers.h"
#include "rom/PatchDiff.h"
#include "rom/VbError.h"

namespace blocks {

namespace {

void checkBlock(const RomTables &g, int tileset, int block)
{
    if (tileset < 0 || tileset >= stageCount || block < 0 || block > 255)
        throw VbError("Subscript out of range");
    const int count = g.blockCount[static_cast<size_t>(tileset)];
    if (block >= count)
        throw VbError("Block " + num::hex2(block) + " is not one of the " + std::to_string(count)
            + " blocks of tileset " + num::hex2(tileset));
}

} // namespace

uint8_t attrByte(const QuadPals &q)
{
    return static_cast<uint8_t>(64 * (q[0] & 3) + 16 * (q[1] & 3) + 4 * (q[2] & 3) + (q[3] & 3));
}

QuadPals attrQuads(uint8_t attr)
{
    return { static_cast<uint8_t>(attr >> 6), static_cast<uint8_t>((attr >> 4) & 3),
        static_cast<uint8_t>((attr >> 2) & 3), static_cast<uint8_t>(attr & 3) };
}

std::array<int, 4> quadCells(int q)
{
    switch (q) {
    case 0:
        return { 10, 11, 14, 15 };
    case 1:
        return { 8, 9, 12, 13 };
    case 2:
        return { 2, 3, 6, 7 };
    default:
        return { 0, 1, 4, 5 };
    }
}

int quadOf(int cell)
{
    return render::quadrantOf(cell);
}

std::string cellName(int cell)
{
    std::string s;
    s += static_cast<char>('a' + (cell / 4) % 4);
    s += static_cast<char>('1' + cell % 4);
    return s;
}

long long blockDefAt(const RomTables &g, int tileset, int block)
{
    checkBlock(g, tileset, block);
    return g.blockDefPos[static_cast<size_t>(tileset)] + 16LL * block;
}

long long blockAttrAt(const RomTables &g, int tileset, int block)
{
    checkBlock(g, tileset, block);
    return g.blockAttrPos[static_cast<size_t>(tileset)] + block;
}

std::vector<Patch> blockPatches(const RomTables &g, int tileset, int block, const StoredBlock &b)
{
    return { { blockDefAt(g, tileset, block), Bytes(b.tiles.begin(), b.tiles.end()) },
        { blockAttrAt(g, tileset, block), Bytes { attrByte(b.quads) } } };
}

void saveBlock(LoadedRom &g, int tileset, int block, const StoredBlock &now, const StoredBlock &was)
{
    const std::vector<Patch> patches
        = changedBytes(blockPatches(g, tileset, block, now), blockPatches(g, tileset, block, was));
    if (!patches.empty())
        g.rom.write(patches);
    const auto ts = static_cast<size_t>(tileset);
    const auto b = static_cast<size_t>(block);
    g.blockTiles[ts][b] = now.tiles;
    for (size_t q = 0; q < 4; ++q)
        g.blockPal[ts][b][q] = now.quads[q] & 3;
}

StoredBlock readBlock(const RomImage &rom, const RomTables &g, int tileset, int block)
{
    StoredBlock out;
    const Bytes defs = rom.bytes(blockDefAt(g, tileset, block), 16);
    std::copy(defs.begin(), defs.end(), out.tiles.begin());
    out.quads = attrQuads(rom.byte(blockAttrAt(g, tileset, block)));
    return out;
}

} // namespace blocks
