#include "model/gfx/BlockCodec.h"
#include "model/gfx/BlockEdit.h"
#include "model/gfx/TileCodec.h"
#include "rom/VbError.h"
#include "support/RomDiff.h"
#include "support/RomState.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr long long chrBase = 262161;

// The tables of a small ROM file: tileset 5's blocks at known positions, 128 CHR banks.
struct Fixture
{
    TempDir dir;
    RomState g;
    Bytes rom;

    explicit Fixture(long long size = 0x60010)
    {
        rom.assign(static_cast<size_t>(size), 0xA5);
        for (size_t i = 0; i < 15; ++i) {
            g.blockDefPos[i] = static_cast<int32_t>(100001 + 5000 * i);
            g.blockAttrPos[i] = static_cast<int32_t>(104097 + 5000 * i);
            g.blockCount[i] = 256;
        }
        g.maxChrBank = size >= 0x7FFFF ? 255 : 127;
        for (int b = 0; b <= g.maxChrBank; ++b)
            g.chrBankPos[static_cast<size_t>(b)] = static_cast<int32_t>(chrBase + 1024 * b);
        g.files.ini.romPath = dir.file("game.nes");
        testfile::writeAll(g.files.ini.romPath, rom);
        g.rom.load(g.files.ini.romPath);
    }
    Bytes file() const { return testfile::readAll(g.files.ini.romPath); }
};

} // namespace

TEST(BlockAttr, QuadrantsPackHighToLow)
{
    EXPECT_EQ(blocks::attrByte({ 3, 0, 1, 2 }), 0xC6);
    EXPECT_EQ(blocks::attrByte({ 0, 0, 0, 3 }), 0x03);
    EXPECT_EQ(blocks::attrByte({ 1, 2, 3, 0 }), 0x6C);
    for (int a = 0; a < 256; ++a)
        EXPECT_EQ(blocks::attrByte(blocks::attrQuads(static_cast<uint8_t>(a))), a);
    const blocks::QuadPals q = blocks::attrQuads(0xC6);
    EXPECT_EQ(q, (blocks::QuadPals { 3, 0, 1, 2 }));
}

TEST(BlockCells, NamesAndQuadrants)
{
    EXPECT_EQ(blocks::cellName(0), "a1");
    EXPECT_EQ(blocks::cellName(3), "a4");
    EXPECT_EQ(blocks::cellName(6), "b3");
    EXPECT_EQ(blocks::cellName(9), "c2");
    EXPECT_EQ(blocks::cellName(15), "d4");
    for (int q = 0; q < 4; ++q)
        for (int c : blocks::quadCells(q))
            EXPECT_EQ(blocks::quadOf(c), q) << "cell " << c;
    EXPECT_EQ(blocks::quadCells(0), (std::array<int, 4> { 10, 11, 14, 15 }));
    EXPECT_EQ(blocks::quadCells(3), (std::array<int, 4> { 0, 1, 4, 5 }));
}

TEST(BlockSave, WritesSixteenTilesAndTheAttributeByteOnly)
{
    Fixture f;
    blocks::BlockTiles tiles;
    for (size_t j = 0; j < 16; ++j)
        tiles[j] = static_cast<uint8_t>(0x40 + j);
    const blocks::StoredBlock was { blocks::BlockTiles {}, { 1, 1, 1, 1 } };
    blocks::saveBlock(f.g, 5, 0x2A, { tiles, { 3, 0, 1, 2 } }, was);
    const Bytes after = f.file();
    const long long def = 100001 + 5000 * 5 + 16 * 0x2A;
    const long long attr = 104097 + 5000 * 5 + 0x2A;
    std::vector<long long> expect;
    for (long long j = 0; j < 16; ++j)
        expect.push_back(def + j);
    expect.push_back(attr);
    EXPECT_EQ(changedPositions(f.rom, after), expect);
    EXPECT_EQ(after[static_cast<size_t>(def - 1)], 0x40);
    EXPECT_EQ(after[static_cast<size_t>(attr - 1)], 0xC6);
    EXPECT_EQ(f.g.blockTiles[5][0x2A], tiles);
    EXPECT_EQ(f.g.blockPal[5][0x2A], (std::array<uint8_t, 4> { 3, 0, 1, 2 }));
    EXPECT_EQ(after.size(), f.rom.size());

    // Only the bytes that differ from the block as it was taken are written.
    Fixture g2;
    blocks::StoredBlock now = was;
    now.tiles[5] = 0x33;
    blocks::saveBlock(g2.g, 5, 0x2A, now, was);
    EXPECT_EQ(changedPositions(g2.rom, g2.file()), std::vector<long long> { def + 5 });
    EXPECT_EQ(g2.g.blockPal[5][0x2A], (std::array<uint8_t, 4> { 1, 1, 1, 1 }));
    blocks::saveBlock(g2.g, 5, 0x2A, now, now);
    EXPECT_EQ(changedPositions(g2.rom, g2.file()), std::vector<long long> { def + 5 });
}

TEST(BlockSave, FailedWriteLeavesFileAndTablesAlone)
{
    Fixture f;
    f.g.blockDefPos[5] = 0x60010; // the block would run past the end of the file
    f.g.blockTiles[5][1][0] = 7;
    blocks::BlockTiles tiles {};
    tiles.fill(9);
    EXPECT_THROW(blocks::saveBlock(f.g, 5, 1, { tiles, { 1, 1, 1, 1 } }, {}), VbError);
    EXPECT_EQ(f.file(), f.rom);
    EXPECT_EQ(f.g.blockTiles[5][1][0], 7);
    EXPECT_EQ(f.g.blockPal[5][1][0], 0);
    EXPECT_THROW(blocks::saveBlock(f.g, 15, 0, { tiles, {} }, {}), VbError);
    EXPECT_THROW(blocks::saveBlock(f.g, 0, 256, { tiles, {} }, {}), VbError);
    // A block past the tileset's last one would lie on other data.
    f.g.blockDefPos[5] = 100001;
    f.g.blockCount[5] = 85;
    EXPECT_THROW(blocks::saveBlock(f.g, 5, 85, { tiles, {} }, {}), VbError);
    EXPECT_EQ(f.file(), f.rom);
}

TEST(BlockRestore, ReadsTheBackupAtTheSamePositions)
{
    Fixture f;
    Bytes backup = f.rom;
    const long long def = 100001 + 16 * 3;
    for (int j = 0; j < 16; ++j)
        backup[static_cast<size_t>(def - 1 + j)] = static_cast<uint8_t>(j * 3);
    backup[static_cast<size_t>(104097 + 3 - 1)] = 0x1B; // 0, 1, 2, 3
    const std::string path = f.dir.file("backup.nes");
    testfile::writeAll(path, backup);
    const blocks::StoredBlock b = blocks::readBlock(RomImage::load(path), f.g, 0, 3);
    EXPECT_EQ(b.tiles[15], 45);
    EXPECT_EQ(b.quads, (blocks::QuadPals { 0, 1, 2, 3 }));
    EXPECT_THROW(blocks::readBlock(RomImage(Bytes(1000, 0)), f.g, 0, 3), VbError);
}

TEST(BlockEditModel, LoadTakesTheSectionsTileset)
{
    RomState g;
    g.curStage = 13;
    g.curSection = 8;
    g.blockTiles[5][0x2A][4] = 0x77;
    g.blockPal[5][0x2A] = { 3, 0, 1, 2 };
    g.palStr[13][8]
        = { "\x0f\x01\x02\x03", "\x0f\x11\x12\x13", "\x0f\x21\x22\x23", "\x0f\x31\x32\x33" };
    blocks::BlockEdit m;
    m.load(g, g, 0x2A);
    EXPECT_EQ(m.tileset, 5);
    EXPECT_EQ(m.blkTiles[4], 0x77);
    EXPECT_EQ(m.palCols[2][1], 0x22);
    m.select(0);
    EXPECT_EQ(m.selQuad, 3);
    EXPECT_EQ(m.chooserPal, 2);
    m.select(15);
    EXPECT_EQ(m.place(0x10), 0);
    EXPECT_EQ(m.blkTiles[15], 0x10);
    EXPECT_THROW(m.load(g, g, 256), VbError);
}

TEST(BlockEditModel, QuadrantStepsWrap)
{
    blocks::BlockEdit m;
    m.quadPal = { 3, 0, 2, 1 };
    m.stepQuad(0, 1);
    m.stepQuad(1, 2);
    m.stepQuad(2, 4);
    m.stepQuad(3, 3);
    EXPECT_EQ(m.quadPal, (blocks::QuadPals { 0, 3, 2, 1 }));
}

TEST(TileEncode, MirrorsTheDecoder)
{
    blocks::TileRows px {};
    px[0][0] = 3; // both planes, bit 7
    px[0][7] = 1; // plane 0 only, bit 0
    px[7][1] = 2; // plane 1 only
    const render::ChrTile chr = blocks::encodeTile(px);
    EXPECT_EQ(chr[0], 0x81);
    EXPECT_EQ(chr[8], 0x80);
    EXPECT_EQ(chr[15], 0x40);
    EXPECT_EQ(chr[7], 0x00);
    for (int seed = 0; seed < 50; ++seed) {
        render::ChrTile in;
        for (size_t k = 0; k < 16; ++k)
            in[k] = static_cast<uint8_t>((seed * 37 + k * 101 + seed * k) & 0xFF);
        blocks::TileRows rows;
        render::decodeTile(in, rows);
        EXPECT_EQ(blocks::encodeTile(rows), in);
    }
}

TEST(TileSave, WritesTheTileOfItsBankAndRefreshesMemory)
{
    Fixture f;
    f.g.palStr[0][0][1] = std::string("\x0f\x01\x02\x03", 4);
    blocks::TileEdit e;
    e.load(f.g, f.g, { 0x2A, 0x47, 1, 4 }, false);
    EXPECT_EQ(e.bankTile, 7);
    EXPECT_EQ(e.tileCols, (std::array<int, 4> { 0x0f, 1, 2, 3 }));
    EXPECT_TRUE(e.choose(2, 2));
    EXPECT_TRUE(e.paint(0, 2)); // row 0, column 0 gets 2
    EXPECT_TRUE(e.paint(63, 1)); // row 7, column 7 gets 0
    EXPECT_FALSE(e.paint(5, 4));
    e.pixVal[9] = 3; // row 1, column 1
    render::ChrTile was;
    was.fill(0xA5);
    blocks::saveTile(f.g, e, was);
    const long long pos = chrBase + 1024 * 42 + 16 * 7;
    std::vector<long long> expect;
    const Bytes after = f.file();
    for (long long k = 0; k < 16; ++k)
        if (f.rom[static_cast<size_t>(pos - 1 + k)] != after[static_cast<size_t>(pos - 1 + k)])
            expect.push_back(pos + k);
    EXPECT_EQ(changedPositions(f.rom, after), expect);
    EXPECT_EQ(after[static_cast<size_t>(pos - 1)], 0x00);
    EXPECT_EQ(after[static_cast<size_t>(pos)], 0x40);
    EXPECT_EQ(after[static_cast<size_t>(pos + 7)], 0x80);
    EXPECT_EQ(after[static_cast<size_t>(pos + 8)], 0x40);
    EXPECT_EQ(f.g.chrData[42][7][8], 0x80);
    blocks::TileRows rows;
    render::decodeTile(f.g.chrData[42][7], rows);
    EXPECT_EQ(rows[0][0], 2);
    EXPECT_EQ(rows[1][1], 3);
}

TEST(TileSave, UnsavedOrMissingBanksWriteNothing)
{
    Fixture f; // 128 banks
    blocks::TileEdit e;
    e.load(f.g, f.g, { 0x80, 0, 0, 0 }, false);
    EXPECT_EQ(e.pixVal[0], 0); // the loader read no such bank
    EXPECT_THROW(blocks::saveTile(f.g, e, {}), VbError);
    std::remove(f.g.files.ini.romPath.c_str());
    e.load(f.g, f.g, { 3, 0, 0, 0 }, false);
    e.pixVal[0] = 3;
    EXPECT_THROW(blocks::saveTile(f.g, e, {}), VbError);
    EXPECT_FALSE(romfile::fileExists(f.g.files.ini.romPath));
    EXPECT_EQ(f.g.chrData[3][0][0], 0);
}

TEST(TileEditModel, RevertKeepsThePaintingColours)
{
    RomState g;
    g.chrData[1][2][0] = 0xFF;
    const blocks::TileRef tile { 1, 0x42, 0, 0 };
    blocks::TileEdit e;
    e.load(g, g, tile, false);
    EXPECT_EQ(e.pixVal[0], 1);
    e.choose(2, 1);
    e.choose(1, 2);
    e.paint(0, 1);
    e.load(g, g, tile, true);
    EXPECT_EQ(e.pixVal[0], 1);
    EXPECT_EQ(e.colL, 2);
    EXPECT_EQ(e.colR, 1);
    e.load(g, g, tile, false);
    EXPECT_EQ(e.colL, 0);
    EXPECT_EQ(e.colR, 3);
}

TEST(TileImage, BadColoursAreReportedAndDrawnBlack)
{
    std::array<uint32_t, 64> nes {};
    for (size_t i = 0; i < 64; ++i)
        nes[i] = static_cast<uint32_t>(i) | (static_cast<uint32_t>(i + 1) << 8) | (2u << 16);
    blocks::TileRows px {};
    px[0][1] = 1;
    px[0][2] = 3;
    blocks::TileRgb out {};
    EXPECT_EQ(blocks::tileRgb(px, std::string("\x05\x06\x07\x08", 4), nes, out), "");
    EXPECT_EQ(out[0], (5u << 16) | (6u << 8) | 2u);
    EXPECT_EQ(out[1], (6u << 16) | (7u << 8) | 2u);
    EXPECT_FALSE(blocks::tileRgb(px, std::string("\x05\x46\x07\x08", 4), nes, out).empty());
    EXPECT_EQ(out[1], 0u);
    EXPECT_EQ(out[2], (8u << 16) | (9u << 8) | 2u);
    EXPECT_FALSE(blocks::tileRgb(px, std::string("\x05", 1), nes, out).empty());
    EXPECT_THROW(blocks::rgbOf(nes, 64), VbError);
}
