#include "model/gfx/PatternBanks.h"

#include "model/gfx/BlockRender.h"
#include "rom/PatchDiff.h"

#include <set>

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

int32_t copyCandidate(int stage, int section, int32_t sprPos)
{
    if (stage != 1 || section < 0 || section > 8 || sprPos <= 0)
        return 0;
    return sprPos + (section <= 2 ? 30 : section <= 5 ? 18 : 6);
}

namespace {

// Every byte the loader recorded a position for, other than the sprite bank lists.
std::set<int32_t> otherTables(const RomTables &g, const StageTables &t, int r)
{
    std::set<int32_t> out;
    auto add = [&out](int32_t pos, int n) {
        for (int i = 0; pos > 0 && i < n; ++i)
            out.insert(pos + i);
    };
    for (size_t s = 0; s < g.palSetPos.size(); ++s)
        for (size_t n = 0; n < g.palSetPos[s].size(); ++n) {
            add(g.palSetPos[s][n], 1);
            add(g.sprPalPos[s][n], 1);
            add(g.patBGPos[s][n], r == 1 ? 2 : 3);
            add(t.scrollPos[s][n], 1);
            add(t.startTbl[s][n].pos, 2);
            add(t.doorPos[s][n], 2);
            if (t.layoutPos[s][n] > 0)
                add(t.layoutPos[s][n] - 1, t.layoutLen[s][n] + 1); // the screen count first
            if (s != 1)
                add(g.patSprPos[s][n], 2);
        }
    return out;
}

} // namespace

bool copyAllowed(const RomTables &g, const StageTables &t, int r, int32_t pos)
{
    if (pos <= 0)
        return false;
    std::set<int32_t> list;
    for (int32_t p : g.patSprPos[1])
        if (p > 0)
            list.insert({ p, p + 1 });
    if (!list.count(pos) || !list.count(pos + 1))
        return false;
    const std::set<int32_t> others = otherTables(g, t, r);
    return !others.count(pos) && !others.count(pos + 1);
}

std::vector<Patch> savePatches(const SectionBanks &b, int r)
{
    std::vector<Patch> out;
    out.push_back({ b.bgPos, { b.bg[0], b.bg[1] } });
    out.push_back({ b.sprPos, { b.spr[0], b.spr[1] } });
    if (b.copyPos > 0)
        out.push_back({ b.copyPos, { b.spr[0], b.spr[1] } });
    if (r == 0)
        out.push_back({ b.bgPos + 2, { b.spr[2] } });
    return out;
}

bool spritesChanged(const SectionBanks &now, const SectionBanks &was)
{
    return now.spr[0] != was.spr[0] || now.spr[1] != was.spr[1];
}

std::vector<Patch> changedPatches(const SectionBanks &now, SectionBanks was, int r)
{
    was.copyPos = spritesChanged(now, was) ? 0 : now.copyPos;
    return changedBytes(savePatches(now, r), savePatches(was, r));
}

} // namespace patbank
