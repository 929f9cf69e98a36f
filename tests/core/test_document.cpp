#include "stage/Document.h"
#include "support/RomDiff.h"
#include "test_stage_support.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct Heard : StageDocument::Listener
{
    int marks = 0;
    std::vector<std::pair<int, int>> edits;
    void marksChanged() override { ++marks; }
    void sectionEdited(int s, int n) override { edits.emplace_back(s, n); }
};

struct DocTest : ::testing::Test
{
    rb::Built b;
    std::unique_ptr<Loaded> l = loadShape(rb::gameShape(rb::Rel::US), &b);
    Heard heard;
    void SetUp() override { l->doc.setListener(&heard); }
    Bytes file() const { return testfile::readAll(l->romPath()); }
};

} // namespace

// An edit that leaves the records as they are is no edit: nothing marked, nothing heard, and
// Save All writes nothing.
TEST_F(DocTest, EditsThatChangeNothingMarkNothing)
{
    const uint8_t byte = l->t.scrollByte[0][2];
    EXPECT_FALSE(l->doc.setScrollByte(0, 2, byte));
    EXPECT_FALSE(l->doc.editRecords(0, 2, [](StageTables &t) { t.door1[0][2] = t.door1[0][2]; }));
    EXPECT_FALSE(l->doc.setScrollType(0, l->t.vScrollType[0]));
    EXPECT_FALSE(l->doc.anyModified());
    EXPECT_EQ(heard.marks, 0);
    EXPECT_TRUE(heard.edits.empty());
    EXPECT_TRUE(l->doc.saveAll().empty());
    EXPECT_EQ(file(), b.rom);
}

// Each edit marks its own section once, tells the listener, and a save writes it and clears
// the mark.
TEST_F(DocTest, AnEditMarksItsSectionAndTheSaveWritesIt)
{
    const uint8_t was = static_cast<uint8_t>(l->t.layoutStr[3][1][5]);
    EXPECT_TRUE(l->doc.paintCell(3, 1, 5, was ^ 0x21));
    EXPECT_TRUE(l->doc.paintCell(3, 1, 6, 0x07));
    EXPECT_TRUE(l->doc.modified(3, 1));
    EXPECT_FALSE(l->doc.modified(3, 0));
    EXPECT_EQ(heard.marks, 1);
    EXPECT_EQ(heard.edits, (std::vector<std::pair<int, int>> { { 3, 1 }, { 3, 1 } }));
    ASSERT_TRUE(l->doc.save(3, 1).ok);
    EXPECT_FALSE(l->doc.anyModified());
    EXPECT_EQ(heard.marks, 2);
    std::vector<long long> expected { l->t.layoutPos[3][1] + 5 };
    if (static_cast<uint8_t>(b.rom[l->t.layoutPos[3][1] + 6]) != 0x07)
        expected.push_back(l->t.layoutPos[3][1] + 6);
    EXPECT_EQ(changedPositions(b.rom, file()), expected);
}

TEST_F(DocTest, ACellOutsideTheLayoutIsNotWritten)
{
    const std::string before = l->t.layoutStr[0][0];
    EXPECT_FALSE(l->doc.paintCell(0, 0, static_cast<int>(before.size()), 0x11));
    EXPECT_FALSE(l->doc.paintCell(0, 0, -1, 0x11));
    EXPECT_EQ(l->t.layoutStr[0][0], before);
    EXPECT_TRUE(heard.edits.empty());
}

// What a record edit changed before it failed is marked, so the window never shows a change
// that Save would not write.
TEST_F(DocTest, ARecordEditKeepsWhatItChangedBeforeItFailed)
{
    const uint8_t door = l->t.door1[0][2];
    EXPECT_THROW(l->doc.editRecords(0, 2,
                     [](StageTables &t) {
                         t.door1[0][2] ^= 1;
                         throw std::runtime_error("Overflow");
                     }),
        std::runtime_error);
    EXPECT_EQ(l->t.door1[0][2], door ^ 1);
    EXPECT_TRUE(l->doc.modified(0, 2));
    EXPECT_EQ(heard.edits, (std::vector<std::pair<int, int>> { { 0, 2 } }));
}

// The copied layout keeps the size of the section it lands in.
TEST_F(DocTest, CopyLayoutKeepsTheTargetsSize)
{
    const size_t size = l->t.layoutStr[1][9].size();
    l->doc.copyLayout(1, 9, 0);
    const std::string &from = l->t.layoutStr[1][0];
    const size_t n = std::min(size, from.size());
    EXPECT_EQ(l->t.layoutStr[1][9].size(), size);
    EXPECT_EQ(l->t.layoutStr[1][9].substr(0, n), from.substr(0, n));
    EXPECT_TRUE(l->doc.modified(1, 9));
}

// The time of an area is in every one of its sections, and is no unsaved change.
TEST_F(DocTest, AreaTimeReachesEverySectionOfTheArea)
{
    const uint8_t area = l->t.timeTbl[0][0][1];
    l->doc.setAreaTime(0, area, 9);
    for (int n = 0; n < l->t.secCount[0]; ++n)
        if (l->t.timeTbl[0][n][1] == area)
            EXPECT_EQ(l->t.timeTbl[0][n][0], 9);
        else
            EXPECT_NE(l->t.timeTbl[0][n][0], 9);
    EXPECT_FALSE(l->doc.anyModified());
}
