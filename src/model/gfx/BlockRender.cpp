#include "model/gfx/BlockRender.h"

namespace render {

void decodeTile(const ChrTile &chr, std::array<std::array<uint8_t, 8>, 8> &out)
{
    for (int r = 0; r < 8; ++r) {
        const unsigned lo = chr[static_cast<size_t>(r)];
        const unsigned hi = chr[static_cast<size_t>(r + 8)];
        for (int c = 0; c < 8; ++c)
            out[static_cast<size_t>(r)][static_cast<size_t>(c)]
                = static_cast<uint8_t>(((lo >> (7 - c)) & 1) | (((hi >> (7 - c)) & 1) << 1));
    }
}

int quadrantOf(int p)
{
    const bool right = (p % 4) >= 2;
    const bool bottom = p >= 8;
    return bottom ? (right ? 0 : 1) : (right ? 2 : 3);
}

namespace {

uint32_t toRgb(uint32_t nes)
{
    // Stored as red + 256 green + 65536 blue; drawn as 0xRRGGBB.
    return ((nes & 0xFF) << 16) | (nes & 0xFF00) | ((nes >> 16) & 0xFF);
}

} // namespace

std::string drawBlock(const BlockInput &in, BlockImage &out)
{
    std::string failure;
    for (int p = 0; p < 16; ++p) {
        const int q = quadrantOf(p);
        const int sp = in.quadrantPal[q];
        uint32_t colours[4] = { 0, 0, 0, 0 };
        if (sp < 0 || sp > 3 || in.palettes[sp].size() < 4) {
            if (failure.empty())
                failure = "Subscript out of range";
        } else {
            for (int v = 0; v < 4; ++v) {
                const unsigned char n
                    = static_cast<unsigned char>(in.palettes[sp][static_cast<size_t>(v)]);
                if (n > 63) {
                    if (failure.empty())
                        failure = "Subscript out of range";
                    continue;
                }
                colours[v] = toRgb(in.nesRgb[n]);
            }
        }
        const auto &tile = (*in.tiles)[in.tileNumbers[p]];
        const int x0 = (p % 4) * 8;
        const int y0 = (p / 4) * 8;
        const bool black = in.maskUpperHalf && p < 8;
        for (int i = 0; i < 8; ++i)
            for (int j = 0; j < 8; ++j)
                out[static_cast<size_t>((y0 + i) * 32 + x0 + j)]
                    = black ? 0 : colours[tile[static_cast<size_t>(i)][static_cast<size_t>(j)]];
    }
    return failure;
}

} // namespace render
