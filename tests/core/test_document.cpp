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

// A section whose layout was read but whose object list was not takes no record edit, as it
// takes no edit at all when its layout was not read: its Save could not write the records.
TEST_F(DocTest, ASectionWithRecordsNotReadTakesNoRecordEdit)
{
    const uint8_t door = l->t.door1[0][2];
    const uint8_t scroll = l->t.scrollByte[0][2];
    l->t.readMask[0][2] &= static_cast<uint8_t>(~(rec::Objects | rec::Scroll));
    EXPECT_FALSE(l->doc.editRecords(0, 2, [](StageTables &t) { t.door1[0][2] ^= 1; }));
    EXPECT_EQ(l->t.door1[0][2], door);
    EXPECT_FALSE(l->doc.setScrollByte(0, 2, scroll ^ 1));
    EXPECT_EQ(l->t.scrollByte[0][2], scroll);
    EXPECT_FALSE(l->doc.anyModified());
    EXPECT_TRUE(heard.edits.empty());
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

namespace {

// Two sections of the odd shape whose records lie at one place in the file, and one byte of
// those records edited through the document.
struct Sharing
{
    const char *name;
    int stage, a, b;
    bool (*set)(StageDocument &, int stage, int section, uint8_t value);
    uint8_t (*get)(const StageTables &, int stage, int section);
};

const Sharing sharings[] = {
    { "Layout", 9, 0, 1,
        [](StageDocument &d, int s, int n, uint8_t v) { return d.paintCell(s, n, 5, v); },
        [](const StageTables &t, int s, int n) { return uint8_t(t.layoutStr[s][n][5]); } },
    { "SpecialObjects", 3, 2, 1,
        [](StageDocument &d, int s, int n, uint8_t v) {
            return d.editRecords(s, n, [&](StageTables &t) { t.specialTbl[s][n][0][6] = v; });
        },
        [](const StageTables &t, int s, int n) { return t.specialTbl[s][n][0][6]; } },
};

struct SharedDocTest : ::testing::TestWithParam<Sharing>
{
    rb::Built b;
    std::unique_ptr<Loaded> l = loadShape(rb::oddShape(rb::Rel::US), &b);
    const Sharing &x = GetParam();
    StageDocument &doc = l->doc;
    Bytes file() const { return testfile::readAll(l->romPath()); }
    // The window shows (stage, n).
    void show(int n)
    {
        l->g.curStage = x.stage;
        l->g.curSection = n;
        doc.enterSection(x.stage, n);
    }
    bool marked(int n) const { return doc.modified(x.stage, n); }
    uint8_t value(int n) const { return x.get(l->t, x.stage, n); }
    void set(int n, uint8_t v) { x.set(doc, x.stage, n, v); }
};

} // namespace

// A section is marked exactly when its records differ from the file: an edit marks the section
// sharing it too, painting it back clears that mark, and the save of either clears both.
TEST_P(SharedDocTest, MarksFollowTheFile)
{
    const uint8_t was = value(x.b);
    const uint8_t edit = was ^ 0x01;
    show(x.a);
    set(x.a, edit);
    EXPECT_TRUE(marked(x.b));
    EXPECT_EQ(value(x.b), edit);
    set(x.a, was);
    EXPECT_FALSE(marked(x.b));
    set(x.a, edit);
    show(x.b);
    ASSERT_TRUE(doc.save(x.stage, x.b).ok);
    EXPECT_FALSE(doc.anyModified());
    const Bytes saved = file();
    EXPECT_EQ(changedPositions(b.rom, saved).size(), 1u);
    EXPECT_TRUE(doc.saveAll().empty());
    EXPECT_EQ(file(), saved);
}

// Revert names the marked sections that would lose their edits in the shared records; then
// reads them from the file there, and each keeps the mark only for the edits it still holds.
TEST_P(SharedDocTest, RevertNamesTheSectionsThatLoseEditsAndTellsTheirMarksTrue)
{
    const uint8_t was = value(x.b);
    show(x.b);
    set(x.b, was ^ 0x01);
    show(x.a);
    const std::vector<std::pair<int, int>> sharer { { x.stage, x.b } };
    EXPECT_EQ(doc.revertLoses(), sharer);
    ASSERT_TRUE(doc.revert(l->d));
    EXPECT_EQ(value(x.a), was);
    EXPECT_EQ(value(x.b), was);
    EXPECT_FALSE(doc.anyModified());
    EXPECT_TRUE(doc.saveAll().empty());
    EXPECT_EQ(file(), b.rom);

    // An edit of its own outside the shared records: it stays, and so does its mark.
    show(x.b);
    set(x.b, was ^ 0x01);
    EXPECT_TRUE(doc.editRecords(
        x.stage, x.b, [&](StageTables &t) { t.startTbl[x.stage][x.b].nibLo ^= 0x01; }));
    show(x.a);
    ASSERT_TRUE(doc.revert(l->d));
    EXPECT_TRUE(marked(x.b));
    EXPECT_EQ(value(x.b), was);
    EXPECT_TRUE(doc.revertLoses().empty());
    EXPECT_TRUE(doc.saveAll().empty());
    EXPECT_EQ(changedPositions(b.rom, file()),
        std::vector<long long> { l->t.startTbl[x.stage][x.b].pos });
}

INSTANTIATE_TEST_SUITE_P(Shared, SharedDocTest, ::testing::ValuesIn(sharings),
    [](const ::testing::TestParamInfo<Sharing> &info) { return std::string(info.param.name); });

// After the file changed on disk, reading the shown stage again brings nothing of the changed
// file into the tables: the read says the file changed, as a write would.
TEST_F(DocTest, AStageReadOfAFileChangedOnDiskTakesNothingFromIt)
{
    const int ts = tilesetOf(0, 0);
    l->doc.readStageData(l->d); // the positions of the shown stage's palettes
    ASSERT_GT(l->t.palRecPos[0][0], 0);
    Bytes theirs = b.rom;
    theirs[static_cast<size_t>(l->g.blockDefPos[ts] - 1)] ^= 0xFF;
    theirs[static_cast<size_t>(l->t.palRecPos[0][0] - 1)] ^= 0x3F;
    testfile::writeAll(l->romPath(), theirs);
    const auto tiles = l->g.blockTiles[ts][0];
    const auto colours = l->g.palStr[0][0];
    EXPECT_THROW(l->doc.readStageData(l->d), RomChanged);
    EXPECT_EQ(l->g.blockTiles[ts][0], tiles);
    EXPECT_EQ(l->g.palStr[0][0], colours);
}
