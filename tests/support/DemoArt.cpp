#include "support/DemoArt.h"

#include <cmath>
#include <string>

namespace demo {

namespace {

using Art = std::array<const char *, 8>; // 8 rows of 8 pixels, '.' and '1'..'3'

// Tile numbers inside the first fixed bank.
enum Tile : uint8_t {
    Blank = 0x00,
    BrickT = 0x04,
    MossT = 0x05,
    ArchL = 0x06,
    ArchR = 0x07,
    GlassL = 0x08,
    GlassR = 0x09,
    Sill = 0x0A,
    FloorTop = 0x0B,
    Stone = 0x0C,
    PillarL = 0x0D,
    PillarR = 0x0E,
    CapL = 0x0F,
    CapR = 0x10,
    MoonTL = 0x11, // 0x11..0x14
    Star = 0x15,
    GrassTop = 0x16,
    Dirt = 0x17,
    CloudT = 0x18, // 0x18..0x1F, two rows of four
    NumberBack = 0x22,
    Digit0 = 0x30, // 0x30..0x3F
};

const Art brick = { "33333331", "22222221", "22222221", "11111111", "33313333", "22212222",
    "22212222", "11111111" };
const Art moss = { "33333331", "22322221", "23232321", "11111111", "33313333", "22212232",
    "23212322", "11111111" };
const Art archL = { "33333333", "33333111", "33311...", "3311....", "331.....", "31......",
    "31......", "31......" };
const Art glassL = { "31......", "31......", "31...2..", "31..2...", "31......", "31......",
    "31......", "31222222" };
const Art sill = { "22222222", "33333333", "22222222", "11111111", "33313333", "22212222",
    "22212222", "11111111" };
const Art floorTop = { "33333333", "23222322", "22222222", "22122212", "22122212", "11111111",
    "21222122", "21222122" };
const Art stone = { "22212221", "22212221", "11111111", "21222122", "21222122", "11111111",
    "22212221", "22212221" };
const Art pillarL = { "..123333", "..123332", "..123333", "..123332", "..123333", "..123332",
    "..123333", "..123332" };
const Art capL = { "33333333", "22222222", ".1111111", "..122222", "..123333", "..123332",
    "..123333", "..123332" };
const Art star = { "........", "........", ".....3..", "....323.", ".....3..", "........",
    ".3......", "........" };
const Art grassTop = { ".3..3..3", "33.333.3", "33333333", "23232323", "22222222", "12121212",
    "11111111", "11111111" };
const Art dirt = { "11111211", "12111111", "11111121", "11211111", "11111111", "11112111",
    "21111111", "11111211" };
const Art numberBack = { "22222222", "21111111", "21111111", "21111111", "21111111", "21111111",
    "21111111", "21111111" };

// 3 x 5 glyphs of the hexadecimal digits, a row a string.
const char *const glyphs[16][5] = {
    { "333", "3.3", "3.3", "3.3", "333" },
    { ".3.", "33.", ".3.", ".3.", "333" },
    { "333", "..3", "333", "3..", "333" },
    { "333", "..3", "333", "..3", "333" },
    { "3.3", "3.3", "333", "..3", "..3" },
    { "333", "3..", "333", "..3", "333" },
    { "333", "3..", "333", "3.3", "333" },
    { "333", "..3", "..3", ".3.", ".3." },
    { "333", "3.3", "333", "3.3", "333" },
    { "333", "3.3", "333", "..3", "333" },
    { "333", "3.3", "333", "3.3", "3.3" },
    { "33.", "3.3", "33.", "3.3", "33." },
    { "333", "3..", "3..", "3..", "333" },
    { "33.", "3.3", "3.3", "3.3", "33." },
    { "333", "3..", "333", "3..", "333" },
    { "333", "3..", "333", "3..", "3.." },
};

using Pixels = std::array<std::array<int, 8>, 8>;

Pixels fromArt(const Art &a, bool mirror = false)
{
    Pixels p {};
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) {
            char ch = a[r][mirror ? 7 - c : c];
            p[r][c] = ch == '.' ? 0 : ch - '0';
        }
    return p;
}

void encode(Bytes &bank, int tile, const Pixels &p)
{
    for (int r = 0; r < 8; ++r) {
        uint8_t lo = 0, hi = 0;
        for (int c = 0; c < 8; ++c) {
            lo = static_cast<uint8_t>(lo | ((p[r][c] & 1) << (7 - c)));
            hi = static_cast<uint8_t>(hi | (((p[r][c] >> 1) & 1) << (7 - c)));
        }
        bank[static_cast<size_t>(16 * tile + r)] = lo;
        bank[static_cast<size_t>(16 * tile + r + 8)] = hi;
    }
}

// A disc or an ellipse over a 2 x 2 or 4 x 2 group of tiles.
void shape(Bytes &bank, int firstTile, int tilesWide, double rx, double ry, bool moon)
{
    const double cx = tilesWide * 4.0, cy = 8.0;
    for (int t = 0; t < tilesWide * 2; ++t) {
        Pixels p {};
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 8; ++c) {
                double x = (t % tilesWide) * 8 + c + 0.5 - cx,
                       y = (t / tilesWide) * 8 + r + 0.5 - cy;
                double d = (x * x) / (rx * rx) + (y * y) / (ry * ry);
                if (d < 1.0)
                    p[r][c] = moon ? (x + y > 3 ? 2 : 3) : (y < -1 ? 3 : (y < 3 ? 2 : 1));
            }
        encode(bank, firstTile + t, p);
    }
}

Bytes fixedBank()
{
    Bytes b(1024, 0);
    for (int v = 1; v <= 3; ++v) {
        Pixels p {};
        for (auto &row : p)
            row.fill(v);
        encode(b, v, p);
    }
    encode(b, BrickT, fromArt(brick));
    encode(b, MossT, fromArt(moss));
    encode(b, ArchL, fromArt(archL));
    encode(b, ArchR, fromArt(archL, true));
    encode(b, GlassL, fromArt(glassL));
    encode(b, GlassR, fromArt(glassL, true));
    encode(b, Sill, fromArt(sill));
    encode(b, FloorTop, fromArt(floorTop));
    encode(b, Stone, fromArt(stone));
    encode(b, PillarL, fromArt(pillarL));
    encode(b, PillarR, fromArt(pillarL, true));
    encode(b, CapL, fromArt(capL));
    encode(b, CapR, fromArt(capL, true));
    shape(b, MoonTL, 2, 7.0, 7.0, true);
    encode(b, Star, fromArt(star));
    encode(b, GrassTop, fromArt(grassTop));
    encode(b, Dirt, fromArt(dirt));
    shape(b, CloudT, 4, 15.0, 6.5, false);
    encode(b, NumberBack, fromArt(numberBack));
    for (int d = 0; d < 16; ++d) {
        Pixels p {};
        for (auto &row : p)
            row.fill(1);
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 3; ++c)
                if (glyphs[d][r][c] == '3')
                    for (int k = 0; k < 2; ++k)
                        p[1 + r][1 + 2 * c + k] = 3;
        encode(b, Digit0 + d, p);
    }
    return b;
}

// The two banks of a stage: its own brick pattern and a decoration, varied by the stage.
Bytes stageArt(int stage, bool decor)
{
    Bytes b(1024, 0);
    for (int t = 0; t < 64; ++t) {
        Pixels p {};
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 8; ++c) {
                if (!decor) {
                    int w = 3 + stage % 4;
                    bool mortar = r % 4 == 3 || (c + (r / 4) * (w / 2) + t) % w == w - 1;
                    p[r][c] = mortar ? 1 : (r % 4 == 0 ? 3 : 2);
                } else {
                    int d = std::abs(r - 3) + std::abs(c - 3 - (t & 1));
                    p[r][c] = d == stage % 4 ? 3 : (d < stage % 4 ? 2 : (d == 5 ? 1 : 0));
                }
            }
        encode(b, t, p);
    }
    return b;
}

using Tiles16 = std::array<uint8_t, 16>;

Tiles16 fill(uint8_t t)
{
    Tiles16 a;
    a.fill(t);
    return a;
}

Tiles16 stairs(bool up)
{
    Tiles16 a {};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            int edge = up ? 3 - c : c;
            a[static_cast<size_t>(4 * r + c)] = r == edge ? FloorTop : (r > edge ? Stone : Blank);
        }
    return a;
}

Tiles16 sceneBlock(int b)
{
    switch (b) {
    case Sky:
        return fill(Blank);
    case Brick:
        return fill(BrickT);
    case Window:
        return { BrickT, ArchL, ArchR, BrickT, BrickT, GlassL, GlassR, BrickT, BrickT, GlassL,
            GlassR, BrickT, MossT, Sill, Sill, MossT };
    case Floor:
        return { FloorTop, FloorTop, FloorTop, FloorTop, Stone, Stone, Stone, Stone, Stone, Stone,
            Stone, Stone, Stone, Stone, Stone, Stone };
    case Pillar:
        return { Blank, CapL, CapR, Blank, Blank, PillarL, PillarR, Blank, Blank, PillarL, PillarR,
            Blank, Blank, PillarL, PillarR, Blank };
    case StairUp:
        return stairs(true);
    case StairDown:
        return stairs(false);
    case Grass:
        return { GrassTop, GrassTop, GrassTop, GrassTop, Dirt, Dirt, Dirt, Dirt, Dirt, Dirt, Dirt,
            Dirt, Dirt, Dirt, Dirt, Dirt };
    case Moon:
        return { Blank, Star, Blank, Blank, Blank, MoonTL, MoonTL + 1, Blank, Blank, MoonTL + 2,
            MoonTL + 3, Blank, Blank, Blank, Blank, Star };
    case Stars:
        return { Star, Blank, Blank, Blank, Blank, Blank, Star, Blank, Blank, Star, Blank, Blank,
            Blank, Blank, Blank, Star };
    case Cloud:
        return { Blank, Blank, Blank, Blank, CloudT, CloudT + 1, CloudT + 2, CloudT + 3, CloudT + 4,
            CloudT + 5, CloudT + 6, CloudT + 7, Blank, Blank, Blank, Star };
    case StageBrick:
        return { 0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x4B, 0x4C, 0x4D,
            0x4E, 0x4F };
    case StageDecor:
        return { BrickT, BrickT, BrickT, BrickT, BrickT, 0x80, 0x81, BrickT, BrickT, 0x82, 0x83,
            BrickT, BrickT, BrickT, BrickT, BrickT };
    default:
        break;
    }
    Tiles16 a = fill(NumberBack);
    a[5] = static_cast<uint8_t>(Digit0 + (b >> 4));
    a[6] = static_cast<uint8_t>(Digit0 + (b & 15));
    return a;
}

uint8_t sceneAttr(int b)
{
    switch (b) {
    case Sky:
    case Moon:
    case Stars:
    case Cloud:
        return 0xAA;
    case Brick:
    case Window:
    case StageBrick:
    case StageDecor:
        return 0x55;
    case Grass:
        return 0xFF;
    case Floor:
    case Pillar:
    case StairUp:
    case StairDown:
        return 0x00;
    default:
        return static_cast<uint8_t>(0x55 * (b % 4));
    }
}

} // namespace

Bytes chrBank(int bank)
{
    if (bank == fixedBank0)
        return fixedBank();
    if (bank == fixedBank3)
        return stageArt(7, true);
    if (bank >= stageBank1(0) && bank <= stageBank2(14))
        return stageArt((bank - stageBank1(0)) / 2, (bank - stageBank1(0)) % 2 == 1);
    return {};
}

rb::Tileset tileset(int count)
{
    rb::Tileset t;
    for (int b = 0; b < count; ++b) {
        Tiles16 a = sceneBlock(b);
        t.defs.insert(t.defs.end(), a.begin(), a.end());
        t.attrs.push_back(sceneAttr(b));
    }
    return t;
}

std::array<uint8_t, 9> palSet(int k)
{
    static const uint8_t hues[8] = { 0x06, 0x07, 0x08, 0x02, 0x04, 0x0B, 0x0C, 0x03 };
    const uint8_t h = hues[k % 8];
    const uint8_t sky = static_cast<uint8_t>(0x01 + k % 3);
    const bool autumn = k % 5 == 4;
    return { h, static_cast<uint8_t>(h + 0x10), static_cast<uint8_t>(h + 0x20), sky,
        static_cast<uint8_t>(0x21 + k % 3), 0x30, static_cast<uint8_t>(autumn ? 0x07 : 0x09),
        static_cast<uint8_t>(autumn ? 0x17 : 0x19), static_cast<uint8_t>(autumn ? 0x28 : 0x2A) };
}

} // namespace demo
