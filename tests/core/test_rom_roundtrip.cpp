// Whole ROMs through Init and back: saving without an edit changes nothing, and each kind of
// edit changes exactly the bytes of its record.
#include "stage/Saver.h"
#include "support/RomDiff.h"
#include "support/RomFixture.h"

#include <gtest/gtest.h>

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
    void SetUp() override
    {
        built = build(gameShape(GetParam()));
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
        dir.g().modFlags[s][n] = 1;
        SaveResult r = saveBlock(dir.g(), dir.t(), s, n);
        EXPECT_TRUE(r.ok) << r.description;
        EXPECT_EQ(dir.g().modFlags[s][n], 0);
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
            dir.g().modFlags[s][n] = 1;
    EXPECT_EQ(marked, 130); // stage 1 lists 13 of its 18
    EXPECT_TRUE(saveAll(dir.g(), dir.t()).empty());
    EXPECT_FALSE(dir.g().anyModified());
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
    dir.g().modFlags[2][3] = 1;
    dir.t().layoutStr[5][0][0] ^= 1;
    EXPECT_EQ(save(5, 0).size(), 1u);
    EXPECT_EQ(dir.g().modFlags[2][3], 1);
}
