#include "gfx/PatternBanks.h"

#include "view/BlockRender.h"

namespace patbank {

namespace {

bool inRanges(int v, std::initializer_list<std::pair<int, int>> ranges)
{
    for (const auto &[lo, hi] : ranges)
        if (v >= lo && v <= hi)
            return true;
    return false;
}

} // namespace

bool validBg(int r, int bank)
{
    const int v = bank & 127;
    if (r == 1)
        return inRanges(v,
            { { 3, 3 }, { 16, 16 }, { 25, 25 }, { 31, 31 }, { 51, 51 }, { 54, 55 }, { 67, 113 },
                { 120, 120 }, { 125, 125 } });
    return inRanges(v,
        { { 23, 23 }, { 27, 27 }, { 34, 34 }, { 36, 36 }, { 42, 42 }, { 44, 45 }, { 51, 55 },
            { 61, 61 }, { 63, 63 }, { 67, 113 }, { 125, 125 }, { 127, 127 } });
}

Cell tileCell(int layout, int t)
{
    Cell c;
    if (layout == 1) {
        static constexpr int ys[8] = { 0, 8, 0, 8, 16, 24, 16, 24 };
        const int m = t % 8;
        c.x = 16 * (t / 8) + ((m == 2 || m == 3 || m == 6 || m == 7) ? 8 : 0);
        c.y = ys[m];
    } else if (layout == 2) {
        const int m = t % 4;
        c.x = 16 * (t / 4) + (m >= 2 ? 8 : 0) - (t >= 32 ? 128 : 0);
        c.y = (m % 2) * 8 + (t >= 32 ? 16 : 0);
    } else {
        c.x = 8 * (t % 16);
        c.y = 8 * (t / 16);
    }
    return c;
}

Preview preview(const Bank &bank, int layout)
{
    Preview out {};
    for (int t = 0; t < 64; ++t) {
        const Cell c = tileCell(layout, t);
        std::array<std::array<uint8_t, 8>, 8> px;
        render::decodeTile(bank[t], px);
        for (int row = 0; row < 8; ++row)
            for (int col = 0; col < 8; ++col)
                out[static_cast<size_t>((c.y + row) * 128 + c.x + col)]
                    = px[static_cast<size_t>(row)][static_cast<size_t>(col)];
    }
    return out;
}

std::vector<Patch> savePatches(const SectionBanks &b, int r)
{
    std::vector<Patch> out;
    out.push_back({ b.bgPos, { b.bg[0], b.bg[1] } });
    out.push_back({ b.sprPos, { b.spr[0], b.spr[1] } });
    if (b.stage == 1 && b.section >= 0 && b.section <= 8) {
        const int d = b.section <= 2 ? 30 : b.section <= 5 ? 18 : 6;
        out.push_back({ b.sprPos + d, { b.spr[0], b.spr[1] } });
    }
    if (r == 0)
        out.push_back({ b.bgPos + 2, { b.spr[2] } });
    return out;
}

} // namespace patbank
