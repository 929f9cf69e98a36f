// Whole ROMs through Init and back: saving without an edit changes nothing, and each kind of
// edit changes exactly the bytes of its record.
#include "stage/Document.h"
#include "stage/Snapshot.h"
#include "support/RomDiff.h"
#include "support/RomFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace rb;

namespace {

std::vector<long long> differences(const Bytes &a, const Bytes &b)
{
    EXPECT_EQ(a.size(), b.size());
    return changedPositions(a, b);
}

class Loaded : public ::testing::TestWithParam<Rel>
{
protected:
    void SetUp() override { load(gameShape(GetParam())); }
    void load(const RomDesc &d)
    {
        built = build(d);
        dir.put(built.rom);
        ASSERT_EQ(dir.load(), LoadOutcome::Loaded);
        ASSERT_EQ(dir.rec.boxes.size(), 0u) << dir.rec.boxes.front().text;
    }
    // The ledger of a section given by its menu number.
    const SectionLedger &led(int s, int menu)
    {
        auto order = menuToLoad(s, static_cast<int>(built.ledger.stages[s].sections.size()));
        return built.ledger.stages[s].sections.at(static_cast<size_t>(order.at(menu)));
    }
    // Saves one section and returns the positions that changed.
    std::vector<long long> save(int s, int n)
    {
        dir.doc().mark(s, n);
        SaveResult r = dir.doc().save(s, n);
        EXPECT_TRUE(r.ok) << r.description;
        EXPECT_FALSE(dir.doc().modified(s, n));
        return differences(built.rom, dir.file());
    }

    Built built;
    RomFolder dir { GetParam() };
};

INSTANTIATE_TEST_SUITE_P(Releases, Loaded, ::testing::Values(Rel::US, Rel::JP),
    [](const auto &info) { return info.param == Rel::US ? "US" : "JP"; });

using V = std::vector<long long>;

} // namespace

TEST_P(Loaded, LoadingNeverWritesTheRom)
{
    EXPECT_EQ(dir.file(), built.rom);
}

TEST_P(Loaded, SaveAllOfEverySectionLeavesTheFileByteIdentical)
{
    int marked = 0;
    for (int s = 0; s < 15; ++s)
        for (int n = 0; n < dir.t().secCount[s]; ++n, ++marked)
            dir.doc().mark(s, n);
    EXPECT_EQ(marked, 130); // stage 1 lists 13 of its 18
    EXPECT_TRUE(dir.doc().saveAll().empty());
    EXPECT_FALSE(dir.doc().anyModified());
    EXPECT_EQ(differences(built.rom, dir.file()), V {});
}

TEST_P(Loaded, LayoutByteGoesToItsCell)
{
    // Stage 13 section 1 lies behind a +32768 correction, stage 13 section 8 behind +16384.
    for (auto [s, n, k] :
        { std::tuple { 0, 0, 47 }, { 13, 1, 200 }, { 13, 8, 5 }, { 4, 1, 130 } }) {
        SCOPED_TRACE(std::to_string(s) + "." + std::to_string(n));
        std::string &lay = dir.t().layoutStr[s][n];
        ASSERT_GT(static_cast<int>(lay.size()), k);
        lay[k] = static_cast<char>(lay[k] ^ 0x0F);
        EXPECT_EQ(save(s, n), V { led(s, n).layoutPos + k });
        built.rom = dir.file();
    }
}

TEST_P(Loaded, MovedObjectChangesItsOwnBytes)
{
    // Vertical section (stage 4 section 1): slot 0 is written first, its x is ROM byte 3.
    objRec &o = dir.t().enemyTbl[4][1][0];
    o[0] = static_cast<uint8_t>(o[0] + 8);
    EXPECT_EQ(save(4, 1), V { led(4, 1).enemyPos + 3 });
    built.rom = dir.file();
    // Horizontal section: a column byte, behind the two bytes the editor never touches.
    std::string &pu = dir.t().puStr[3][2];
    pu[9] = static_cast<char>(pu[9] + 1);
    EXPECT_EQ(save(3, 2), V { led(3, 2).enemyPos + 2 + 9 });
}

TEST_P(Loaded, StaircaseStartAndScrollByteOfAVerticalSection)
{
    const int s = 4, n = 1;
    const SectionLedger &l = led(s, n);
    ASSERT_TRUE(l.vertical);
    dir.t().stairTbl[s][n][0][0] ^= 0x10; // x: ROM byte 2 of a vertical staircase
    EXPECT_EQ(save(s, n), V { l.stairPos + 2 });
    built.rom = dir.file();
    dir.t().startTbl[s][n].nibLo ^= 1;
    dir.t().startTbl[s][n].screen ^= 1;
    EXPECT_EQ(save(s, n), (V { l.startPos, l.startPos + 1 }));
    built.rom = dir.file();
    dir.t().scrollByte[s][n] = 0x82;
    EXPECT_EQ(save(s, n), V { l.scrollPos });
}

TEST_P(Loaded, DoorAndStaircaseOfAHorizontalSection)
{
    const int s = 9, n = 1;
    const SectionLedger &l = led(s, n);
    ASSERT_FALSE(l.vertical);
    ASSERT_NE(l.doorPos, 0);
    dir.t().door2[s][n] ^= 0x08;
    EXPECT_EQ(save(s, n), V { l.doorPos + 1 });
    built.rom = dir.file();
    dir.t().stairTbl[s][n][0][0] ^= 0x10; // x: ROM byte 1 of a horizontal staircase
    EXPECT_EQ(save(s, n), V { l.stairPos + 1 });
    built.rom = dir.file();
    // A horizontal section's scroll byte is not written.
    dir.t().scrollByte[s][n] = 0x42;
    EXPECT_EQ(save(s, n), V {});
}

TEST_P(Loaded, SpecialObjectChangesItsOwnBytes)
{
    const int s = 0, n = 0;
    const SectionLedger &l = led(s, n);
    ASSERT_NE(l.specialIdx, 0);
    dir.t().specialTbl[s][n][0][2] ^= 0x30; // trigger
    EXPECT_EQ(save(s, n), V { l.specialPos + 2 });
    built.rom = dir.file();
    // In a vertical section memory byte 1 is ROM byte 4.
    const SectionLedger &v = led(1, 0);
    ASSERT_TRUE(v.vertical);
    ASSERT_NE(v.specialIdx, 0);
    dir.t().specialTbl[1][0][0][1] ^= 0x40;
    EXPECT_EQ(save(1, 0), V { v.specialPos + 4 });
}

TEST_P(Loaded, SavingOneSectionLeavesOtherMarksAlone)
{
    dir.doc().mark(2, 3);
    dir.t().layoutStr[5][0][0] ^= 1;
    EXPECT_EQ(save(5, 0).size(), 1u);
    EXPECT_TRUE(dir.doc().modified(2, 3));
}

namespace {

// The odd-but-legal shape of a release, loaded.
class Odd : public Loaded
{
protected:
    void SetUp() override { load(oddShape(GetParam())); }
    void markAll()
    {
        for (int s = 0; s < 15; ++s)
            for (int n = 0; n < dir.t().secCount[s]; ++n)
                dir.doc().mark(s, n);
    }
    void select(int s, int n)
    {
        dir.g().curStage = s;
        dir.g().curSection = n;
        snap::enterSection(dir.t(), s, n);
    }
};

INSTANTIATE_TEST_SUITE_P(Releases, Odd, ::testing::Values(Rel::US, Rel::JP),
    [](const auto &info) { return info.param == Rel::US ? "US" : "JP"; });

} // namespace

TEST_P(Odd, SaveAllOfEverySectionLeavesTheFileByteIdentical)
{
    // Every section entered in turn, then all saved, twice over.
    for (int round = 0; round < 2; ++round) {
        for (int s = 0; s < 15; ++s)
            for (int n = 0; n < dir.t().secCount[s]; ++n)
                select(s, n);
        markAll();
        EXPECT_TRUE(dir.doc().saveAll().empty());
        EXPECT_EQ(differences(built.rom, dir.file()), V {});
    }
}

TEST_P(Odd, AnEditChangesOnlyItsRecordAndKeepsItsUnmodelledBits)
{
    StageTables &t = dir.t();
    const SectionLedger &h = built.ledger.stages[0].sections[0]; // menu 0: horizontal
    const SectionLedger &v = built.ledger.stages[4].sections[1]; // menu 1: vertical
    t.stairTbl[0][0][1][0] ^= 0x01; // x of a staircase whose bits 5-4 are set
    t.specialTbl[0][0][3][7] ^= 0x01; // the empty slot whose cross byte is not 0x20
    t.stairTbl[4][1][0][0] ^= 0x01;
    t.enemyTbl[4][1][0][4] ^= 0x01; // content of the object with unused flag bits
    markAll();
    EXPECT_TRUE(dir.doc().saveAll().empty());
    V expected { h.specialPos + 3 * 8 + 7, v.enemyPos + 4, v.stairPos + 2, h.stairPos + 3 + 1 };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(differences(built.rom, dir.file()), expected);
    // The vertical staircase at y 245 that nobody edited stays there.
    EXPECT_EQ(at(dir.file(), v.stairPos + 3 + 1), 245);
}

TEST_P(Odd, SectionsSharingASpecialListSeeEachOthersEditsAndKeepThem)
{
    StageTables &t = dir.t();
    const SectionLedger &l = built.ledger.stages[3].sections[0]; // menu 2; menu 1 shares it
    ASSERT_EQ(t.specialPos[3][1], t.specialPos[3][2]);
    select(3, 1);
    t.specialTbl[3][1][0][5] = 0x3C;
    dir.doc().mark(3, 1);
    select(3, 2);
    EXPECT_EQ(t.specialTbl[3][2][0][5], 0x3C); // shown in the other section before any save
    t.specialTbl[3][2][1][6] = 0x4D;
    t.layoutStr[3][2][0] ^= 1;
    dir.doc().mark(3, 2);
    // Saving one section writes the records both hold; saving the other undoes nothing.
    ASSERT_TRUE(dir.doc().save(3, 2).ok);
    ASSERT_TRUE(dir.doc().save(3, 1).ok);
    Bytes after = dir.file();
    EXPECT_EQ(at(after, l.specialPos + 5), 0x3C);
    EXPECT_EQ(at(after, l.specialPos + 8 + 6), 0x4D);
    select(3, 1);
    EXPECT_EQ(t.specialTbl[3][1][1][6], 0x4D);
    // Revert of one section brings both back to the file.
    t.specialTbl[3][1][0][5] = 0x01;
    dir.doc().mark(3, 1);
    EXPECT_TRUE(dir.doc().revert(dir.rec));
    EXPECT_EQ(t.specialTbl[3][1][0][5], 0x3C);
    EXPECT_EQ(t.specialTbl[3][2][0][5], 0x3C);
}

TEST_P(Odd, SectionsSharingALayoutSeeEachOthersCells)
{
    StageTables &t = dir.t();
    ASSERT_EQ(t.layoutPos[9][0], t.layoutPos[9][1]);
    select(9, 0);
    t.layoutStr[9][0][7] = 0x21;
    dir.doc().mark(9, 0);
    select(9, 1);
    EXPECT_EQ(t.layoutStr[9][1][7], 0x21);
    t.layoutStr[9][1][8] = 0x22;
    dir.doc().mark(9, 1);
    EXPECT_TRUE(dir.doc().saveAll().empty());
    EXPECT_EQ(
        differences(built.rom, dir.file()), (V { t.layoutPos[9][0] + 7, t.layoutPos[9][0] + 8 }));
    EXPECT_EQ(t.layoutStr[9][0], t.layoutStr[9][1]);
}
