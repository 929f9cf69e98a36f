#include "model/gfx/BlockRender.h"

#include <gtest/gtest.h>

namespace {

// A tile whose every pixel has value v.
render::ChrTile solid(int v)
{
    render::ChrTile t {};
    for (int r = 0; r < 8; ++r) {
        t[static_cast<size_t>(r)] = (v & 1) ? 0xFF : 0;
        t[static_cast<size_t>(r + 8)] = (v & 2) ? 0xFF : 0;
    }
    return t;
}

struct Scene
{
    render::TilePixels tiles {};
    uint8_t numbers[16] {};
    uint8_t quads[4] { 0, 1, 2, 3 };
    std::string pals[4];
    uint32_t nes[64] {};
    render::BlockImage img {};
    Scene()
    {
        for (int i = 0; i < 64; ++i)
            nes[i] = static_cast<uint32_t>(i) | (static_cast<uint32_t>(i) << 8)
                | (static_cast<uint32_t>(i + 100) << 16);
        for (int s = 0; s < 4; ++s)
            for (int v = 0; v < 4; ++v)
                pals[s] += static_cast<char>(s * 4 + v);
        for (int v = 0; v < 4; ++v)
            render::decodeTile(solid(v), tiles[static_cast<size_t>(v)]);
    }
    render::BlockInput input(bool mask = false)
    {
        return { &tiles, numbers, quads, pals, nes, mask };
    }
    // The RGB drawn for NES colour n.
    uint32_t rgb(int n) const
    {
        return (static_cast<uint32_t>(n) << 16) | (static_cast<uint32_t>(n) << 8)
            | static_cast<uint32_t>(n + 100);
    }
    uint32_t at(int x, int y) const { return img[static_cast<size_t>(y * 32 + x)]; }
};

} // namespace

TEST(DecodeTile, LowPlaneIsBitZeroHighPlaneBitOne)
{
    render::ChrTile t {};
    t[0] = 0x80;
    t[8] = 0x01;
    std::array<std::array<uint8_t, 8>, 8> px {};
    render::decodeTile(t, px);
    EXPECT_EQ(px[0][0], 1);
    EXPECT_EQ(px[0][7], 2);
    for (int c = 1; c < 7; ++c)
        EXPECT_EQ(px[0][static_cast<size_t>(c)], 0);
    EXPECT_EQ(px[1][0], 0);
}

TEST(DrawBlock, QuadrantsTakeTheirOwnSubPalette)
{
    Scene s;
    for (int p = 0; p < 16; ++p)
        s.numbers[p] = 1; // pixel value 1 everywhere
    EXPECT_EQ(render::drawBlock(s.input(), s.img), "");
    // Top-left is quadrant 3 (sub-palette 3), bottom-right quadrant 0.
    EXPECT_EQ(s.at(0, 0), s.rgb(3 * 4 + 1));
    EXPECT_EQ(s.at(31, 0), s.rgb(2 * 4 + 1));
    EXPECT_EQ(s.at(0, 31), s.rgb(1 * 4 + 1));
    EXPECT_EQ(s.at(31, 31), s.rgb(0 * 4 + 1));
    EXPECT_EQ(render::quadrantOf(5), 3);
    EXPECT_EQ(render::quadrantOf(6), 2);
    EXPECT_EQ(render::quadrantOf(12), 1);
    EXPECT_EQ(render::quadrantOf(11), 0);
}

TEST(DrawBlock, TilesArePlacedRowByRowAndValueZeroTakesTheFirstColour)
{
    Scene s;
    for (int p = 0; p < 16; ++p)
        s.numbers[p] = static_cast<uint8_t>(p % 4);
    s.quads[3] = 0;
    render::drawBlock(s.input(), s.img);
    EXPECT_EQ(s.at(0, 0), s.rgb(0)); // tile 0, value 0, sub-palette 0
    EXPECT_EQ(s.at(8, 0), s.rgb(1)); // position 1 shows tile 1
    EXPECT_EQ(s.at(24, 31), s.rgb(3)); // position 15 shows tile 3, quadrant 0
}

TEST(DrawBlock, MaskBlacksOutTheUpperHalfOnly)
{
    Scene s;
    for (int p = 0; p < 16; ++p)
        s.numbers[p] = 2;
    render::drawBlock(s.input(true), s.img);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; x += 7)
            EXPECT_EQ(s.at(x, y) == 0, y < 16) << x << "," << y;
}

TEST(DrawBlock, BadColourNumberIsReportedAndTheRestDrawn)
{
    Scene s;
    s.pals[3][2] = static_cast<char>(64);
    for (int p = 0; p < 16; ++p)
        s.numbers[p] = 1;
    EXPECT_EQ(render::drawBlock(s.input(), s.img), "Subscript out of range");
    EXPECT_EQ(s.at(0, 0), s.rgb(13));
    EXPECT_EQ(s.at(31, 31), s.rgb(1));
    s.quads[0] = 7;
    EXPECT_FALSE(render::drawBlock(s.input(), s.img).empty());
}
