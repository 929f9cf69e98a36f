#include "stage/Document.h"
#include "support/RomDiff.h"
#include "test_stage_support.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(StageSave, FailedWriteKeepsTheMarkAndCountsAsUnsaved)
{
    rb::Built b;
    auto l = loadShape(rb::gameShape(rb::Rel::US), &b);
    l->g.curStage = 2;
    l->g.curSection = 1;
    l->doc.markShown();
    EXPECT_TRUE(l->doc.anyModified());
    l->t.layoutStr[2][1][0] = 0x42;
    std::remove(l->romPath().c_str());
    SaveResult r = l->doc.save(2, 1);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.description.empty());
    EXPECT_TRUE(l->doc.modified(2, 1));
    std::vector<SaveFailure> f = l->doc.saveAll();
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].stage, 2);
    EXPECT_EQ(f[0].section, 1);

    testfile::writeAll(l->romPath(), b.rom);
    EXPECT_TRUE(l->doc.saveAll().empty());
    EXPECT_FALSE(l->doc.anyModified());
    Bytes after = testfile::readAll(l->romPath());
    EXPECT_EQ(changedPositions(b.rom, after), (std::vector<long long> { l->t.layoutPos[2][1] }));
    // Nothing marked: Save All writes nothing.
    std::remove(l->romPath().c_str());
    EXPECT_TRUE(l->doc.saveAll().empty());
}

TEST(StageSave, SaveAllWritesEverySectionAtOnceOrNone)
{
    rb::Built b;
    auto l = loadShape(rb::gameShape(rb::Rel::US), &b);
    l->t.layoutStr[0][1][3] = 0x11;
    l->t.layoutStr[7][2][5] = 0x22;
    l->doc.mark(0, 1);
    l->doc.mark(7, 2);
    std::remove(l->romPath().c_str());
    std::vector<SaveFailure> f = l->doc.saveAll();
    ASSERT_EQ(f.size(), 2u);
    EXPECT_TRUE(l->doc.modified(0, 1));
    EXPECT_TRUE(l->doc.modified(7, 2));

    testfile::writeAll(l->romPath(), b.rom);
    EXPECT_TRUE(l->doc.saveAll().empty());
    EXPECT_FALSE(l->doc.anyModified());
    EXPECT_EQ(changedPositions(b.rom, testfile::readAll(l->romPath())),
        (std::vector<long long> { l->t.layoutPos[7][2] + 5, l->t.layoutPos[0][1] + 3 }));
}

TEST(StageSave, MirrorSectionsOfStageOneWriteLayoutAndDoorsOnly)
{
    rb::Built b;
    auto l = loadShape(rb::gameShape(rb::Rel::US), &b);
    StageTables &t = l->t;
    ASSERT_NE(t.doorPos[1][9], 0);
    t.layoutStr[1][9][5] ^= 1;
    t.door1[1][9] ^= 1;
    t.stairTbl[1][9][0][0] ^= 1;
    t.startTbl[1][9].screen ^= 1;
    t.scrollByte[1][9] ^= 1;
    if (t.specialIdx[1][9])
        t.specialTbl[1][9][0][5] ^= 1;
    l->doc.mark(1, 9);
    ASSERT_TRUE(l->doc.save(1, 9).ok);
    EXPECT_FALSE(l->doc.modified(1, 9));
    EXPECT_EQ(changedPositions(b.rom, testfile::readAll(l->romPath())),
        (std::vector<long long> { t.doorPos[1][9], t.layoutPos[1][9] + 5 }));
}

TEST(StageSave, RevertRestoresTheSectionAndClearsItsMark)
{
    auto l = loadShape(rb::gameShape(rb::Rel::JP));
    auto fresh = loadShape(rb::gameShape(rb::Rel::JP));
    StageTables &t = l->t;
    l->g.curStage = 3;
    l->g.curSection = 4;
    t.layoutStr[3][4][0] ^= 0x10;
    t.stairTbl[3][4][0][0] ^= 0x10;
    t.startTbl[3][4].nibLo ^= 1;
    t.puStr[3][4][2] ^= 1;
    l->doc.markShown();
    EXPECT_TRUE(l->doc.revert(l->d));
    EXPECT_FALSE(l->doc.modified(3, 4));
    EXPECT_EQ(t.layoutStr[3][4], fresh->t.layoutStr[3][4]);
    EXPECT_EQ(t.stairTbl[3][4], fresh->t.stairTbl[3][4]);
    EXPECT_EQ(t.startTbl[3][4], fresh->t.startTbl[3][4]);
    EXPECT_EQ(t.puStr[3][4], fresh->t.puStr[3][4]);
    EXPECT_TRUE(l->d.errors.empty());

    // A ROM file that is gone: reported, and the edits stay marked.
    l->doc.markShown();
    std::remove(l->romPath().c_str());
    EXPECT_FALSE(l->doc.revert(l->d));
    ASSERT_EQ(l->d.errors.size(), 1u);
    EXPECT_EQ(l->d.errors[0].first, 158);
    EXPECT_TRUE(l->doc.modified(3, 4));
}

TEST(StageSave, ObjectListWithoutItsEndIsReportedAtLoadAndAtRevert)
{
    rb::RomDesc d = rb::gameShape(rb::Rel::US);
    rb::Section &x = loadSection(d, 0, 2); // menu section 2, vertical
    ASSERT_TRUE(x.vertical());
    x.objects.clear();
    for (int k = 0; k < 32; ++k)
        x.objects.push_back(
            { static_cast<uint8_t>(k % 2), static_cast<uint8_t>(k), 0x10, 0x20, 0, 0, 0 });
    x.objectEnd = false;
    auto l = loadShape(d);
    ASSERT_EQ(l->d.corrupt.size(), 1u);
    EXPECT_EQ(l->d.corrupt[0], (std::pair<int, int> { 0, 2 }));
    EXPECT_EQ(l->t.objLen[0][2], 31);
    l->g.curStage = 0;
    l->g.curSection = 2;
    l->doc.markShown();
    EXPECT_TRUE(l->doc.revert(l->d));
    ASSERT_EQ(l->d.corrupt.size(), 2u);
    EXPECT_EQ(l->d.corrupt[1], (std::pair<int, int> { 0, 2 }));
    EXPECT_EQ(l->t.objLen[0][2], 31);
}
