#include "rom/VbError.h"
#include "stage/FirstPass.h"
#include "stage/RecordCodec.h"
#include "stage/Snapshot.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A small image with records placed by hand; positions are 1-based.
struct Bench
{
    Bytes bytes = Bytes(4096, 0xEE);
    std::unique_ptr<StageTables> t = std::make_unique<StageTables>();
    void put(int32_t pos, const Bytes &b)
    {
        std::copy(b.begin(), b.end(), bytes.begin() + (pos - 1));
    }
    RomImage rom() const { return RomImage(bytes); }
    // The image as loaded: what a save compares against.
    void loaded() { snap::reset(*t, rom()); }
    // Saves section (s, n): its changes go into the image and the tables read them back.
    std::vector<Patch> save(int s, int n)
    {
        std::string unread;
        snap::SectionChanges c = snap::changes(*t, s, n, unread);
        snap::written(*t, s, n, c);
        bytes = t->saved.image.data();
        return c.patches;
    }
};

Bytes slice(const Bytes &b, int32_t pos, int n)
{
    return Bytes(b.begin() + (pos - 1), b.begin() + (pos - 1 + n));
}

} // namespace

TEST(StageCodec, StaircasesKeepBitsFiveAndFourAndOnlyEditedOnesMove)
{
    Bench b;
    StageTables &t = *b.t;
    t.stairPos[0][0] = 101;
    b.put(101, { 0x35, 0x40, 0x02, 0x80, 0x10, 0x03, 0xFF }); // bits 5-4 of the first set
    b.loaded();
    ASSERT_TRUE(codec::readStairs(b.rom(), t, 0, 0));
    EXPECT_EQ(t.stairTbl[0][0][0], (stairRec { 0x40, 5, 2, 0 }));
    EXPECT_EQ(t.stairTbl[0][0][1], (stairRec { 0x10, 0, 3, 8 }));
    EXPECT_EQ(t.stairTbl[0][0][2][2], 255);
    EXPECT_TRUE(b.save(0, 0).empty()); // nothing edited: nothing written
    t.stairTbl[0][0][0][1] = 6; // the row shares b0 with bits 5-4
    b.save(0, 0);
    EXPECT_EQ(slice(b.bytes, 101, 7), (Bytes { 0x36, 0x40, 0x02, 0x80, 0x10, 0x03, 0xFF }));

    // Vertical: b0 keeps the screen, b1 y, b2 x. A y of 245 as the file holds it stays; an
    // edited staircase at 245 goes out at 229, and the table reads that back.
    t.vertFlag[0][1] = -1;
    t.stairPos[0][1] = 201;
    b.put(201, { 0xC3, 245, 0x30, 0xD2, 245, 0x31, 0xFF });
    b.loaded();
    ASSERT_TRUE(codec::readStairs(b.rom(), t, 0, 1));
    EXPECT_EQ(t.stairTbl[0][1][0], (stairRec { 0x30, 245, 3, 12 }));
    t.stairTbl[0][1][1][0] = 0x40;
    b.save(0, 1);
    EXPECT_EQ(slice(b.bytes, 201, 7), (Bytes { 0xC3, 245, 0x30, 0xD2, 229, 0x40, 0xFF }));
    EXPECT_EQ(t.stairTbl[0][1][0][1], 245);
    EXPECT_EQ(t.stairTbl[0][1][1][1], 229);
    // A kind or row that does not fit its bits is refused, not folded into the next field.
    t.stairTbl[0][1][0][2] = 16;
    std::string unread;
    EXPECT_THROW(snap::changes(t, 0, 1, unread), VbError);
}

TEST(StageCodec, StaircaseListLongerThanThirtyKeepsThirtyAndItsEndMark)
{
    Bench b;
    StageTables &t = *b.t;
    t.stairPos[2][3] = 1;
    for (int k = 0; k < 31; ++k)
        b.put(1 + 3 * k, { 0x01, static_cast<uint8_t>(k), 0x00 });
    b.put(1 + 93, { 0xFF });
    b.loaded();
    EXPECT_FALSE(codec::readStairs(b.rom(), t, 2, 3));
    EXPECT_EQ(t.stairTbl[2][3][29][0], 29);
    EXPECT_EQ(t.stairTbl[2][3][30][2], 255);
    for (int k = 0; k < 30; ++k)
        t.stairTbl[2][3][k][0] ^= 0x80;
    std::vector<Patch> out = b.save(2, 3);
    ASSERT_FALSE(out.empty());
    EXPECT_LE(out.back().pos + static_cast<long long>(out.back().bytes.size()), 91);
}

TEST(StageCodec, SpecialObjectsGoOutByScreenOnlyWhenTheListWasEdited)
{
    Bench b;
    StageTables &t = *b.t;
    t.specialIdx[0][0] = 1;
    t.specialPos[0][0] = 301;
    b.put(301, { 2, 0x10, 0, 3, 0x40, 1, 2, 3 }); // screen 2
    b.put(309, { 9, 0x11, 0, 5, 0x20, 0, 0, 0 }); // the ROM's empty slot
    b.put(317, { 0, 0x12, 0, 2, 0x41, 4, 5, 6 }); // screen 0
    b.put(325, { 12, 0x13, 0, 2, 0x42, 0, 0, 0 }); // screen 12: kept, last
    b.put(333, { 1, 0x14, 0, 2, 0x43, 0, 0, 0 });
    b.put(341, { 0xFF, 1, 2, 3, 4, 5, 6, 7 });
    b.put(349, { 1, 0x15, 0, 2, 0x44, 0, 0, 0 }); // after the end record
    b.loaded();
    const Bytes before = b.bytes;
    ASSERT_TRUE(codec::readSpecials(b.rom(), t, 0, 0));
    EXPECT_EQ(t.specialTbl[0][0][1][0], 0); // empty slot held as screen 0, type 0
    EXPECT_EQ(t.specialTbl[0][0][1][3], 0);
    EXPECT_EQ(t.specialTbl[0][0][5], (specialRec { 0xFF, 1, 2, 3, 4, 5, 6, 7 }));
    EXPECT_TRUE(b.save(0, 0).empty()); // an unsorted list the user left alone stays
    // Slot 4 becomes a type-5 record on screen 9: it goes out in the empty form.
    t.specialTbl[0][0][4] = { 9, 0x14, 0, 5, 0x43, 0, 0, 0 };
    b.save(0, 0);
    EXPECT_EQ(slice(b.bytes, 301, 8), (Bytes { 0, 0x12, 0, 2, 0x41, 4, 5, 6 }));
    EXPECT_EQ(slice(b.bytes, 309, 8), (Bytes { 2, 0x10, 0, 3, 0x40, 1, 2, 3 }));
    EXPECT_EQ(slice(b.bytes, 317, 8), (Bytes { 9, 0x11, 0, 5, 0x20, 0, 0, 0 }));
    EXPECT_EQ(slice(b.bytes, 325, 8), (Bytes { 9, 0x14, 0, 5, 0x43, 0, 0, 0 }));
    EXPECT_EQ(slice(b.bytes, 333, 8), (Bytes { 12, 0x13, 0, 2, 0x42, 0, 0, 0 }));
    EXPECT_EQ(slice(b.bytes, 341, 16), slice(before, 341, 16)); // end record kept
    EXPECT_EQ(t.specialTbl[0][0][4][0], 0); // read back as the empty slot it now is
    EXPECT_EQ(t.specialTbl[0][0][4][3], 0);
    // The table keeps its slots; the next edit finds each record where the file has it.
    t.specialTbl[0][0][0][5] = 0x77;
    std::vector<Patch> out = b.save(0, 0);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].pos, 309 + 5);
}

TEST(StageCodec, SpecialEndRecordHoldingEmptyBytesIsNeverWritten)
{
    // An end record with 00 and 0x20 where an empty slot's type and cross byte go.
    for (bool vert : { false, true }) {
        SCOPED_TRACE(vert ? "vertical" : "horizontal");
        Bench b;
        StageTables &t = *b.t;
        t.vertFlag[0][0] = vert ? -1 : 0;
        t.specialIdx[0][0] = 1;
        t.specialPos[0][0] = 11;
        b.put(11, { 1, 0x10, 0x10, 2, 0x30, 0, 0, 0 });
        b.put(19,
            vert ? Bytes { 0xFF, 0x20, 0, 0, 0, 0, 0, 0 } : Bytes { 0xFF, 0, 0, 0, 0x20, 0, 0, 0 });
        b.put(27, Bytes(240, 0x00)); // the next lists
        b.loaded();
        const Bytes before = b.bytes;
        ASSERT_TRUE(codec::readSpecials(b.rom(), t, 0, 0));
        EXPECT_TRUE(b.save(0, 0).empty());
        t.specialTbl[0][0][0][2] = 0x11;
        std::vector<Patch> out = b.save(0, 0);
        ASSERT_EQ(out.size(), 1u);
        EXPECT_EQ(out[0].pos, 13);
        EXPECT_EQ(slice(b.bytes, 19, 248), slice(before, 19, 248));
        EXPECT_EQ(t.specialTbl[0][0][1][0], 0xFF);
    }
}

TEST(StageCodec, EmptySlotsAndTypeZeroRecordsKeepTheirFormWhenTheListIsEdited)
{
    Bench b;
    StageTables &t = *b.t;
    t.specialIdx[0][0] = 1;
    t.specialPos[0][0] = 11;
    b.put(11, { 1, 0x40, 0x10, 0, 0x20, 0, 0, 0 }); // type 0 with 0x20: not the empty form
    b.put(19, { 2, 0x28, 0x20, 1, 0x60, 4, 0, 0 });
    b.put(27, { 9, 0x30, 0x10, 5, 0x44, 1, 2, 3 }); // empty, its cross byte not 0x20
    b.put(35, { 0xFF, 0, 0, 0, 0, 0, 0, 0 });
    b.loaded();
    const Bytes before = b.bytes;
    ASSERT_TRUE(codec::readSpecials(b.rom(), t, 0, 0));
    t.specialTbl[0][0][1][5] = 5; // touches the list
    t.specialTbl[0][0][2][6] = 0x22; // edits the empty slot, not its screen or type
    b.save(0, 0);
    EXPECT_EQ(slice(b.bytes, 11, 8), slice(before, 11, 8));
    EXPECT_EQ(slice(b.bytes, 19, 8), (Bytes { 2, 0x28, 0x20, 1, 0x60, 5, 0, 0 }));
    EXPECT_EQ(slice(b.bytes, 27, 8), (Bytes { 9, 0x30, 0x10, 5, 0x44, 1, 0x22, 3 }));
    // Choosing "Empty" for a record gives the empty form.
    t.specialTbl[0][0][1][3] = 0;
    t.specialTbl[0][0][1][4] = 0x20;
    b.save(0, 0);
    EXPECT_EQ(slice(b.bytes, 19, 8), (Bytes { 9, 0x28, 0x20, 5, 0x20, 5, 0, 0 }));
    EXPECT_EQ(slice(b.bytes, 27, 8), (Bytes { 9, 0x30, 0x10, 5, 0x44, 1, 0x22, 3 }));
}

TEST(StageCodec, VerticalSpecialObjectsKeepBytesOneAndFourExchanged)
{
    Bench b;
    StageTables &t = *b.t;
    t.vertFlag[4][2] = -1;
    t.specialIdx[4][2] = 3;
    t.specialPos[4][2] = 11;
    b.put(11, { 1, 0xAA, 2, 3, 0xBB, 5, 6, 7, 0xFF, 0, 0, 0, 0, 0, 0, 0 });
    b.loaded();
    ASSERT_TRUE(codec::readSpecials(b.rom(), t, 4, 2));
    EXPECT_EQ(t.specialTbl[4][2][0][1], 0xBB);
    EXPECT_EQ(t.specialTbl[4][2][0][4], 0xAA);
    codec::swapb25(t, 4, 2, 0);
    EXPECT_EQ(t.specialTbl[4][2][0], (specialRec { 1, 0xAA, 2, 3, 0xBB, 5, 6, 7 }));
    codec::swapb25(t, 4, 2, 0);
    t.specialTbl[4][2][0][1] = 0xBC;
    b.save(4, 2);
    EXPECT_EQ(slice(b.bytes, 11, 8), (Bytes { 1, 0xAA, 2, 3, 0xBC, 5, 6, 7 }));
}

TEST(StageCodec, SpecialListLongerThanThirtyIsCutAtSlotThirty)
{
    Bench b;
    StageTables &t = *b.t;
    t.specialIdx[0][0] = 1;
    t.specialPos[0][0] = 1;
    for (int k = 0; k < 32; ++k)
        b.put(1 + 8 * k, { 1, static_cast<uint8_t>(k), 0, 2, 0, 0, 0, 0 });
    b.loaded();
    EXPECT_FALSE(codec::readSpecials(b.rom(), t, 0, 0));
    EXPECT_EQ(t.specialTbl[0][0][29][1], 29);
    EXPECT_EQ(t.specialTbl[0][0][30][0], 0xFF);
    for (int k = 0; k < 30; ++k)
        t.specialTbl[0][0][k][0] = 2;
    std::vector<Patch> out = b.save(0, 0);
    ASSERT_FALSE(out.empty());
    EXPECT_LE(out.back().pos + static_cast<long long>(out.back().bytes.size()), 241);
    EXPECT_EQ(b.bytes[240], 1); // record 30 keeps its screen
}

TEST(StageCodec, StartPointNibblesAndScreen)
{
    Bench b;
    StageTables &t = *b.t;
    t.startTbl[3][1].pos = 51;
    b.put(51, { 0x5C, 0x07 });
    b.loaded();
    codec::readStart(b.rom(), t, 3, 1);
    EXPECT_EQ(t.startTbl[3][1].nibHi, 5);
    EXPECT_EQ(t.startTbl[3][1].nibLo, 12);
    EXPECT_EQ(t.startTbl[3][1].screen, 7);
    t.startTbl[3][1].nibHi = 0x0A;
    t.startTbl[3][1].nibLo = 0x03;
    t.startTbl[3][1].screen = 2;
    b.save(3, 1);
    EXPECT_EQ(slice(b.bytes, 51, 3), (Bytes { 0xA3, 0x02, 0xEE }));
}

namespace {

// Objects as [0] x, [1] y, [2] screen in list order; x tells them apart. Slot 5 lies on
// screen 4.
const std::vector<objRec> mixed = {
    { 1, 0x20, 0 },
    { 2, 0x50, 3 },
    { 3, 0x50, 1 },
    { 4, 0x80, 3 },
    { 5, 0x50, 3 },
    { 6, 0x10, 4 },
    { 7, 0x30, 1 },
};

// Loads `mixed` as stage s's list, edits slot 3 and returns the x of each record written.
std::vector<int> writtenOrder(int s)
{
    Bench b;
    StageTables &t = *b.t;
    t.vertFlag[s][0] = -1;
    t.enemyPos[s][0] = 1001;
    for (size_t k = 0; k < mixed.size(); ++k) {
        const objRec &o = mixed[k];
        b.put(1001 + 7 * static_cast<int>(k), { o[2], o[1], 0x10, o[0], 0, 0, 0 });
    }
    b.put(1001 + 49, { 0xFF });
    b.loaded();
    EXPECT_TRUE(codec::readObjects(b.rom(), t, s, 0));
    t.enemyTbl[s][0][3][3] = 0x91;
    b.save(s, 0);
    std::vector<int> xs;
    for (int k = 0; k < 7; ++k)
        xs.push_back(b.bytes[1001 + 7 * k + 3 - 1]);
    EXPECT_EQ(b.bytes[1001 + 49 - 1], 0xFF); // the end byte stays
    return xs;
}

} // namespace

TEST(StageCodec, EditedObjectListGoesOutByScreenAndHeightWithEqualOnesInFileOrder)
{
    // Screen 4 first, then 3 from the highest y; equal records keep their order, and none is
    // dropped.
    EXPECT_EQ(writtenOrder(0), (std::vector<int> { 6, 4, 2, 5, 3, 7, 1 }));
    // Stages 11 and 14 from the bottom; equal records still in file order.
    EXPECT_EQ(writtenOrder(11), (std::vector<int> { 1, 7, 3, 2, 5, 4, 6 }));
    EXPECT_EQ(writtenOrder(14), (std::vector<int> { 1, 7, 3, 2, 5, 4, 6 }));
}

TEST(StageCodec, ObjectListReadAndLimits)
{
    Bench b;
    StageTables &t = *b.t;
    t.vertFlag[0][0] = -1;
    t.enemyPos[0][0] = 1;
    b.put(1, { 2, 0x30, 0x91, 0x40, 0x08, 0x00, 0x01, 0xFF });
    b.loaded();
    ASSERT_TRUE(codec::readObjects(b.rom(), t, 0, 0));
    EXPECT_EQ(t.enemyTbl[0][0][0], (objRec { 0x40, 0x30, 2, 0x91, 0x08, 0x00, 0x01 }));
    EXPECT_EQ(t.objLen[0][0], 0);
    t.enemyTbl[0][0][0][6] = 0xF0;
    b.save(0, 0);
    EXPECT_EQ(slice(b.bytes, 1, 8), (Bytes { 2, 0x30, 0x91, 0x40, 0x08, 0x00, 0xF0, 0xFF }));

    b.put(1, { 0xFF }); // an empty list writes nothing
    b.loaded();
    ASSERT_TRUE(codec::readObjects(b.rom(), t, 0, 0));
    EXPECT_EQ(t.objLen[0][0], -1);
    t.enemyTbl[0][0][0][0] = 0x44;
    EXPECT_TRUE(b.save(0, 0).empty());

    for (int k = 0; k < 33; ++k) // 32 records and no end byte
        b.put(1 + 7 * k, { 1, 0, 0, 0, 0, 0, 0 });
    EXPECT_FALSE(codec::readObjects(b.rom(), t, 0, 0));
    EXPECT_EQ(t.objLen[0][0], 31);
}

TEST(StageCodec, ReadsOutsideTheImageLeaveTablesAsTheyWere)
{
    Bench b;
    StageTables &t = *b.t;
    t.stairPos[0][0] = 4090; // the list runs off the end
    b.put(4090, { 0x01, 0x02, 0x03, 0x01, 0x02, 0x03, 0x01 });
    t.stairTbl[0][0][0][2] = 255;
    EXPECT_THROW(codec::readStairs(b.rom(), t, 0, 0), VbError);
    EXPECT_EQ(t.stairTbl[0][0][0], (stairRec { 0, 0, 255, 0 }));
    EXPECT_EQ(t.readMask[0][0] & rec::Stairs, 0);
    t.layoutPos[0][0] = 4000;
    t.layoutLen[0][0] = 192;
    EXPECT_THROW(codec::readLayout(b.rom(), t, 0, 0), VbError);
    EXPECT_TRUE(t.layoutStr[0][0].empty());
}

TEST(StageFirstPass, LayoutCorrectionsAndLabels)
{
    // Below the area list: +16384 under 102400, else +32768; at or above: as converted.
    EXPECT_EQ(firstpass::correctLayoutPos(102399, 108892), 102399 + 16384);
    EXPECT_EQ(firstpass::correctLayoutPos(102400, 108892), 102400 + 32768);
    EXPECT_EQ(firstpass::correctLayoutPos(108892, 108892), 108892);
    EXPECT_EQ(firstpass::correctLayoutPos(98321, 98322), 98321 + 16384);
    EXPECT_EQ(firstpass::label(1, 3, 0), "1:03.00");
    EXPECT_EQ(firstpass::label(10, 4, 12), "A:04.0C");
}

TEST(StageFirstPass, AreaWalkRunsAtLeastTwiceAndStopsAtElevenAreas)
{
    loc::StageConst c { 101, 0, 0, 0 };
    Bytes bytes(70000, 0);
    // Area 0's record right after the first pointer: still two areas.
    auto setPtr = [&](int32_t at, int32_t target) {
        int cpu = target - 17; // nibble 0, page 0
        bytes[at - 1] = cpu & 0xFF;
        bytes[at] = (cpu >> 8) & 0xFF;
    };
    setPtr(101, 103);
    setPtr(103, 500);
    auto w = firstpass::areaWalk(RomImage(bytes), c);
    EXPECT_EQ(w.areaPtr.size(), 2u);
    EXPECT_FALSE(w.tooMany);
    setPtr(101, 107); // three pointers before area 0's record
    w = firstpass::areaWalk(RomImage(bytes), c);
    EXPECT_EQ(w.areaPtr.size(), 3u);
    setPtr(101, 60000); // a list that never ends where it should
    w = firstpass::areaWalk(RomImage(bytes), c);
    EXPECT_EQ(w.areaPtr.size(), 11u);
    EXPECT_TRUE(w.tooMany);
}
