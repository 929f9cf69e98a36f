#include "model/gfx/PatternBanks.h"
#include "rom/PatchDiff.h"
#include "support/RomBuilder.h"
#include "support/RomFixture.h"

#include <gtest/gtest.h>

#include <set>

TEST(PatBank, ValidBackgroundBanksByRelease)
{
    EXPECT_FALSE(patbank::validBg(0, 0x30));
    EXPECT_TRUE(patbank::validBg(0, 0x33));
    EXPECT_TRUE(patbank::validBg(0, 0xB3)); // bit 7 does not count
    EXPECT_TRUE(patbank::validBg(0, 67));
    EXPECT_TRUE(patbank::validBg(0, 113));
    EXPECT_FALSE(patbank::validBg(0, 114));
    EXPECT_FALSE(patbank::validBg(0, 66));
    EXPECT_TRUE(patbank::validBg(0, 127));
    EXPECT_TRUE(patbank::validBg(1, 0x10));
    EXPECT_FALSE(patbank::validBg(1, 0x17));
    EXPECT_TRUE(patbank::validBg(0, 0x17));
    EXPECT_TRUE(patbank::validBg(1, 120));
    EXPECT_FALSE(patbank::validBg(1, 127));
}

TEST(PatBank, EachLayoutPlacesEveryTileOnceInsideThePicture)
{
    for (int layout = 0; layout < 3; ++layout) {
        std::set<std::pair<int, int>> cells;
        for (int t = 0; t < 64; ++t) {
            const patbank::Cell c = patbank::tileCell(layout, t);
            EXPECT_TRUE(c.x >= 0 && c.x <= 120 && c.y >= 0 && c.y <= 24) << layout << " " << t;
            EXPECT_EQ(c.x % 8 + c.y % 8, 0);
            cells.insert({ c.x, c.y });
        }
        EXPECT_EQ(cells.size(), 64u) << "layout " << layout;
    }
    // 8-interleave: two 2 x 2 groups stacked a column; 4-interleave: tiles 32.. below.
    EXPECT_EQ(patbank::tileCell(1, 1).y, 8);
    EXPECT_EQ(patbank::tileCell(1, 2).x, 8);
    EXPECT_EQ(patbank::tileCell(1, 4).y, 16);
    EXPECT_EQ(patbank::tileCell(1, 8).x, 16);
    EXPECT_EQ(patbank::tileCell(2, 3).x, 8);
    EXPECT_EQ(patbank::tileCell(2, 3).y, 8);
    EXPECT_EQ(patbank::tileCell(2, 32).x, 0);
    EXPECT_EQ(patbank::tileCell(2, 32).y, 16);
}

TEST(PatBank, PreviewDecodesBothPlanes)
{
    patbank::Bank bank {};
    bank[17][0] = 0x80; // tile 17, row 0: low plane at the leftmost pixel
    bank[17][8] = 0xC0; // high plane at the two leftmost
    const patbank::Preview px = patbank::preview(bank, 0);
    const int x = 8, y = 8; // tile 17 in the plain layout
    EXPECT_EQ(px[y * 128 + x], 3);
    EXPECT_EQ(px[y * 128 + x + 1], 2);
    EXPECT_EQ(px[y * 128 + x + 2], 0);
}

TEST(PatBank, SaveWritesTheSectionAndItsCopy)
{
    patbank::SectionBanks b;
    b.bgPos = 1000;
    b.sprPos = 2000;
    b.copyPos = 2018;
    b.bg = { 0x21, 0x22 };
    b.spr = { 0x41, 0x42, 0x43 };
    auto at = [](const std::vector<Patch> &ps) {
        std::vector<std::pair<long long, Bytes>> out;
        for (const Patch &p : ps)
            out.push_back({ p.pos, p.bytes });
        return out;
    };
    using V = std::vector<std::pair<long long, Bytes>>;
    EXPECT_EQ(at(patbank::savePatches(b, 0)),
        (V { { 1000, { 0x21, 0x22 } }, { 2000, { 0x41, 0x42 } }, { 2018, { 0x41, 0x42 } },
            { 1002, { 0x43 } } }));
    // Against the banks read: nothing when nothing changed, no copy for a background bank, and
    // the copy whole when one sprite bank changed (the returning room's other byte may differ).
    patbank::SectionBanks read = b;
    EXPECT_TRUE(patbank::changedPatches(b, read, 0).empty());
    read.bg[1] = 0x20;
    EXPECT_EQ(at(patbank::changedPatches(b, read, 0)), (V { { 1001, { 0x22 } } }));
    read.spr[1] = 0x40;
    EXPECT_EQ(at(patbank::changedPatches(b, read, 0)),
        (V { { 1001, { 0x22 } }, { 2001, { 0x42 } }, { 2018, { 0x41, 0x42 } } }));
    b.copyPos = 0;
    EXPECT_EQ(
        at(patbank::savePatches(b, 1)), (V { { 1000, { 0x21, 0x22 } }, { 2000, { 0x41, 0x42 } } }));

    // Only stage 1's first nine sections have a copy.
    EXPECT_EQ(patbank::copyCandidate(1, 0, 2000), 2030);
    EXPECT_EQ(patbank::copyCandidate(1, 4, 2000), 2018);
    EXPECT_EQ(patbank::copyCandidate(1, 8, 2000), 2006);
    EXPECT_EQ(patbank::copyCandidate(1, 9, 2000), 0);
    EXPECT_EQ(patbank::copyCandidate(2, 4, 2000), 0);
    EXPECT_EQ(patbank::copyCandidate(1, 4, 0), 0);
}

TEST(PatchDiff, OnlyTheBytesThatDifferAreKept)
{
    const std::vector<Patch> was { { 10, { 1, 2, 3, 4 } }, { 20, { 5 } }, { 30, { 6, 7 } } };
    const std::vector<Patch> now { { 10, { 1, 9, 9, 4 } }, { 20, { 5 } }, { 30, { 6, 8 } },
        { 40, { 0 } } };
    const std::vector<Patch> d = changedBytes(now, was);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d[0].pos, 11);
    EXPECT_EQ(d[0].bytes, (Bytes { 9, 9 }));
    EXPECT_EQ(d[1].pos, 31);
    EXPECT_EQ(d[2].pos, 40); // a position only now names
    EXPECT_TRUE(changedBytes(was, was).empty());
    // A later patch of the same position wins, as it would in the file.
    EXPECT_TRUE(changedBytes({ { 10, { 7 } }, { 10, { 1 } } }, was).empty());
}

// Stage 1's rooms 0..8 come back as load sections 9..17; the game keeps the sprite banks of
// each room a second time in the returning room's place of the stage's sprite bank list.
TEST(PatBank, StageOneCopiesLieInTheRecordedListOnly)
{
    for (rb::Rel rel : { rb::Rel::US, rb::Rel::JP }) {
        rb::RomFolder f(rel);
        const rb::Built built = rb::build(rb::gameShape(rel));
        f.put(built.rom);
        f.load();
        const int r = rel == rb::Rel::JP ? 1 : 0;
        RomState &g = f.g();
        const rb::StageLedger &stage = built.ledger.stages[1];
        for (int n = 0; n <= 8; ++n) {
            const int32_t copy = patbank::copyCandidate(1, n, g.patSprPos[1][n]);
            const int mirror = n + (n <= 2 ? 15 : n <= 5 ? 9 : 3);
            EXPECT_EQ(copy, stage.sections[static_cast<size_t>(mirror)].patSprPos) << n;
            EXPECT_TRUE(patbank::copyAllowed(g, f.t(), r, copy)) << n;
        }
        // The list's last byte cannot take a copy of two, and nothing outside the list can.
        const int32_t last = static_cast<int32_t>(stage.sprBankList.second - 1);
        EXPECT_FALSE(patbank::copyAllowed(g, f.t(), r, last));
        EXPECT_FALSE(patbank::copyAllowed(g, f.t(), r, g.palSetPos[0][0]));
        EXPECT_FALSE(patbank::copyAllowed(g, f.t(), r, 0));
        // A byte the loader recorded for another table is never written over.
        const int32_t copy0 = patbank::copyCandidate(1, 0, g.patSprPos[1][0]);
        g.palSetPos[3][2] = copy0 + 1;
        EXPECT_FALSE(patbank::copyAllowed(g, f.t(), r, copy0));
        g.palSetPos[3][2] = 0;
        f.t().scrollPos[5][1] = copy0;
        EXPECT_FALSE(patbank::copyAllowed(g, f.t(), r, copy0));
    }
}

TEST(PatBank, TheBuilderKeepsStageOnesSpriteListsBackToBack)
{
    const rb::Built built = rb::build(rb::gameShape(rb::Rel::US));
    const rb::StageLedger &stage = built.ledger.stages[1];
    ASSERT_EQ(stage.sections.size(), 18u);
    for (size_t n = 0; n < stage.sections.size(); ++n)
        EXPECT_EQ(
            stage.sections[n].patSprPos, stage.sprBankList.first + 2 * static_cast<long long>(n));
    EXPECT_EQ(stage.sprBankList.second - stage.sprBankList.first, 36);
}
