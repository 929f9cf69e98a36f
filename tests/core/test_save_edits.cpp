// Saves write only what the user edited, on whole ROMs of both releases in the game's shape and
// in an odd-but-legal one: the snapshot follows every save, an edited list is ordered within
// its own records, and sections whose records lie at one place, wholly or in part, keep each
// other's edits.
#include "stage/Document.h"
#include "stage/Snapshot.h"
#include "support/RomDiff.h"
#include "support/RomFixture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace rb;

namespace {

using V = std::vector<long long>;

struct Shape
{
    Rel rel;
    bool odd;
};

std::string shapeName(const ::testing::TestParamInfo<Shape> &info)
{
    return std::string(info.param.rel == Rel::US ? "US" : "JP") + (info.param.odd ? "Odd" : "Game");
}

class Saving : public ::testing::TestWithParam<Shape>
{
protected:
    void SetUp() override { load(GetParam().odd ? oddShape(rel()) : gameShape(rel())); }
    Rel rel() const { return GetParam().rel; }
    void load(const RomDesc &d) { load(build(d)); }
    void load(Built b)
    {
        built = std::move(b);
        was = built.rom;
        dir.put(built.rom);
        ASSERT_EQ(dir.load(), LoadOutcome::Loaded);
        ASSERT_EQ(dir.rec.boxes.size(), 0u) << dir.rec.boxes.front().text;
    }
    // The window shows section (s, n).
    void select(int s, int n)
    {
        dir.g().curStage = s;
        dir.g().curSection = n;
        snap::enterSection(dir.t(), s, n);
    }
    // Saves one section as its Save button does; the positions changed since the last call.
    V save(int s, int n)
    {
        dir.doc().mark(s, n);
        SaveResult r = dir.doc().save(s, n);
        EXPECT_TRUE(r.ok) << r.description;
        EXPECT_FALSE(dir.doc().modified(s, n));
        const Bytes now = dir.file();
        V out = changedPositions(was, now);
        was = now;
        return out;
    }
    V sinceLoad() const { return changedPositions(built.rom, dir.file()); }

    Built built;
    Bytes was; // the file after the last save()
    RomFolder dir { GetParam().rel };
};

// The records a reader of the file sees, section by section.
void expectSameRecords(const StageTables &a, const StageTables &b)
{
    for (int s = 0; s < 15; ++s)
        for (int n = 0; n < a.secCount[s]; ++n) {
            SCOPED_TRACE("stage " + std::to_string(s) + " section " + std::to_string(n));
            EXPECT_EQ(a.layoutStr[s][n], b.layoutStr[s][n]);
            EXPECT_EQ(a.puStr[s][n], b.puStr[s][n]);
            EXPECT_EQ(a.objLen[s][n], b.objLen[s][n]);
            for (int k = 0; k <= a.objLen[s][n] && a.vertFlag[s][n]; ++k)
                EXPECT_EQ(a.enemyTbl[s][n][k], b.enemyTbl[s][n][k]) << "object " << k;
            EXPECT_EQ(a.stairTbl[s][n], b.stairTbl[s][n]);
            EXPECT_EQ(a.specialTbl[s][n], b.specialTbl[s][n]);
            EXPECT_EQ(a.startTbl[s][n], b.startTbl[s][n]);
            EXPECT_EQ(a.door1[s][n], b.door1[s][n]);
            EXPECT_EQ(a.door2[s][n], b.door2[s][n]);
            EXPECT_EQ(a.scrollByte[s][n], b.scrollByte[s][n]);
        }
    EXPECT_EQ(a.vScrollType, b.vScrollType);
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Shapes, Saving,
    ::testing::Values(Shape { Rel::US, false }, Shape { Rel::JP, false }, Shape { Rel::US, true },
        Shape { Rel::JP, true }),
    shapeName);

TEST_P(Saving, EverySectionSavedOneByOneWithoutAnEditWritesNothing)
{
    RomFolder fresh { rel() };
    fresh.put(built.rom);
    ASSERT_EQ(fresh.load(), LoadOutcome::Loaded);
    for (int s = 0; s < 15; ++s)
        for (int n = 0; n < dir.t().secCount[s]; ++n) {
            select(s, (n + 1) % dir.t().secCount[s]);
            EXPECT_EQ(save(s, n), V {}) << "stage " << s << " section " << n;
        }
    expectSameRecords(dir.t(), fresh.t());
}

TEST_P(Saving, AnEditReadsBackAndAnEditUndoneWritesTheFileBack)
{
    auto &specials = dir.t().specialTbl[0][0];
    ASSERT_NE(dir.t().specialIdx[0][0], 0);
    const uint8_t old = specials[0][5];
    specials[0][5] = static_cast<uint8_t>(old + 1);
    EXPECT_EQ(save(0, 0), V { dir.t().specialPos[0][0] + 5 });
    RomFolder again { rel() };
    again.put(dir.file());
    ASSERT_EQ(again.load(), LoadOutcome::Loaded);
    expectSameRecords(dir.t(), again.t());
    // The snapshot is the file as last saved: going back is an edit too.
    specials[0][5] = old;
    save(0, 0);
    EXPECT_EQ(dir.file(), built.rom);
}

namespace {

class OddSaving : public Saving
{
};

INSTANTIATE_TEST_SUITE_P(Releases, OddSaving,
    ::testing::Values(Shape { Rel::US, true }, Shape { Rel::JP, true }), shapeName);

} // namespace

// Each edit writes the bytes of its record only, whatever the rest of its list holds.
TEST_P(OddSaving, AnEditWritesItsOwnRecordOnly)
{
    StageTables &t = dir.t();
    t.specialTbl[0][0][0][2] ^= 0x30; // trigger; the list's end record holds 00 and 0x20
    EXPECT_EQ(save(0, 0), V { t.specialPos[0][0] + 2 });
    t.stairTbl[0][0][1][1] = 5; // y in b0, beside bits 5-4
    EXPECT_EQ(save(0, 0), V { t.stairPos[0][0] + 3 });
    EXPECT_EQ(at(dir.file(), t.stairPos[0][0] + 3) & 0x30, 0x10);
    t.specialTbl[4][1][2][5] ^= 0x01; // an empty slot whose cross byte is not 0x20
    EXPECT_EQ(save(4, 1), V { t.specialPos[4][1] + 16 + 5 });
    t.enemyTbl[4][1][0][6] ^= 0x02; // an unused flag bit
    EXPECT_EQ(save(4, 1), V { t.enemyPos[4][1] + 6 });
    // Stage 11 menu section 5 holds two objects with equal keys, in a list written backwards.
    ASSERT_NE(t.vertFlag[11][5], 0);
    t.enemyTbl[11][5][3][4] ^= 0x01;
    EXPECT_EQ(save(11, 5), V { t.enemyPos[11][5] + 3 * 7 + 4 });
}

// A record moved to another screen puts its list in the game's order, within the records read
// from it and never over the end record; its slot then follows the record to its new place.
TEST_P(OddSaving, AnEditedListIsOrderedWithinItsOwnRecords)
{
    StageTables &t = dir.t();
    const long long pos = t.specialPos[0][0];
    const Bytes end(built.rom.begin() + pos - 1 + 5 * 8, built.rom.begin() + pos - 1 + 6 * 8);
    t.specialTbl[0][0][0][0] = 3; // screen 0 to 3: behind the records of screens 1 and 2
    const V changed = save(0, 0);
    ASSERT_FALSE(changed.empty());
    EXPECT_GE(changed.front(), pos);
    EXPECT_LT(changed.back(), pos + 3 * 8);
    const Bytes file = dir.file();
    EXPECT_EQ(Bytes(file.begin() + pos - 1 + 5 * 8, file.begin() + pos - 1 + 6 * 8), end);
    EXPECT_EQ(at(file, pos + 2 * 8), 3);
    EXPECT_EQ(at(file, pos + 2 * 8 + 1), 0xB0);
    t.specialTbl[0][0][0][1] = 0xB8;
    EXPECT_EQ(save(0, 0), V { pos + 2 * 8 + 1 });
    // Another section entered and left, then a save of the whole ROM: nothing more.
    select(0, 0);
    select(0, 1);
    for (int s = 0; s < 15; ++s)
        for (int n = 0; n < t.secCount[s]; ++n)
            dir.doc().mark(s, n);
    EXPECT_TRUE(dir.doc().saveAll().empty());
    EXPECT_EQ(changedPositions(was, dir.file()), V {});
}

TEST_P(OddSaving, SectionsSharingAnObjectListSeeEachOthersRecords)
{
    StageTables &t = dir.t();
    ASSERT_EQ(t.enemyPos[13][4], t.enemyPos[13][7]);
    select(13, 4);
    t.enemyTbl[13][4][0][5] = 0x5C;
    select(13, 7);
    EXPECT_EQ(t.enemyTbl[13][7][0][5], 0x5C);
    t.enemyTbl[13][7][1][4] ^= 0x01;
    EXPECT_EQ(save(13, 7), (V { t.enemyPos[13][4] + 5, t.enemyPos[13][4] + 7 + 4 }));
    EXPECT_EQ(save(13, 4), V {});
    select(13, 4);
    EXPECT_EQ(t.enemyTbl[13][4][1], t.enemyTbl[13][7][1]);
}

namespace {

// Sets the 16-bit pointer at `at` to the one at `from` moved `by` bytes on (little-endian
// words of the same page and nibble).
void pointInto(Bytes &rom, long long at, long long from, int by)
{
    const unsigned w = rom[static_cast<size_t>(from - 1)] | rom[static_cast<size_t>(from)] << 8;
    rom[static_cast<size_t>(at - 1)] = static_cast<uint8_t>((w + by) & 0xFF);
    rom[static_cast<size_t>(at)] = static_cast<uint8_t>(((w + by) >> 8) & 0xFF);
}

// The odd shape with two lists that begin inside other sections' lists: stage 0 section 1's
// special objects are section 0's from its second record on, stage 4 section 4's objects are
// section 1's from its second record on.
Built overlapping(Rel rel)
{
    Built b = build(oddShape(rel));
    const RomMap m = romMap(rel);
    const auto &st0 = b.ledger.stages[0].sections;
    pointInto(
        b.rom, m.specPtrTbl + 2LL * st0[1].specialIdx, m.specPtrTbl + 2LL * st0[0].specialIdx, 8);
    const auto &st4 = b.ledger.stages[4].sections;
    pointInto(b.rom, st4[4].enemyPtrPos, st4[1].enemyPtrPos, 7);
    return b;
}

} // namespace

// Records that lie inside another section's list: an edit shows in both, neither save undoes
// the other's, and a list put in order by one section is read again by the other.
TEST_P(OddSaving, ListsThatBeginInsideAnotherListShareTheirCommonRecords)
{
    load(overlapping(rel()));
    StageTables &t = dir.t();
    ASSERT_EQ(t.specialPos[0][1], t.specialPos[0][0] + 8);
    ASSERT_EQ(t.enemyPos[4][4], t.enemyPos[4][1] + 7);
    select(0, 0);
    t.specialTbl[0][0][2][6] = 0x61;
    select(0, 1);
    EXPECT_EQ(t.specialTbl[0][1][1][6], 0x61);
    t.specialTbl[0][1][0][7] = 0x72;
    EXPECT_EQ(save(0, 1), (V { t.specialPos[0][0] + 8 + 7, t.specialPos[0][0] + 16 + 6 }));
    EXPECT_EQ(save(0, 0), V {});
    EXPECT_EQ(t.specialTbl[0][0][1][7], 0x72);

    select(4, 1);
    t.enemyTbl[4][1][1][4] ^= 0x10;
    select(4, 4);
    EXPECT_EQ(t.enemyTbl[4][4][0], t.enemyTbl[4][1][1]);
    t.enemyTbl[4][4][1][5] ^= 0x20;
    EXPECT_EQ(save(4, 4), (V { t.enemyPos[4][1] + 7 + 4, t.enemyPos[4][1] + 14 + 5 }));
    // Section 1 moves its last object to the top screen: the shared records move with it.
    select(4, 1);
    t.enemyTbl[4][1][t.objLen[4][1]][2] = 3;
    save(4, 1);
    RomFolder again { rel() };
    again.put(dir.file());
    ASSERT_EQ(again.load(), LoadOutcome::Loaded);
    select(4, 4);
    EXPECT_EQ(save(4, 4), V {});
    for (int k = 0; k <= t.objLen[4][4]; ++k)
        EXPECT_EQ(t.enemyTbl[4][4][k], again.t().enemyTbl[4][4][k]) << "object " << k;
}
