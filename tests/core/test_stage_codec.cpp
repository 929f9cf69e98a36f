#include "rom/VbError.h"
#include "stage/FirstPass.h"
#include "stage/RecordCodec.h"

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
    // Applies the writer's patches to a copy of the image.
    Bytes apply(const std::vector<Patch> &patches) const
    {
        RomImage img(bytes);
        for (const Patch &p : patches)
            img.put(p.pos, p.bytes);
        return img.data();
    }
};

Bytes slice(const Bytes &b, int32_t pos, int n)
{
    return Bytes(b.begin() + (pos - 1), b.begin() + (pos - 1 + n));
}

} // namespace

TEST(StageCodec, StaircasesBothKindsDropBits54AndLowerHighVerticalY)
{
    Bench b;
    StageTables &t = *b.t;
    t.stairPos[0][0] = 101;
    b.put(101, { 0x35, 0x40, 0x02, 0x80, 0x10, 0x03, 0xFF }); // bits 5-4 of the first set
    ASSERT_TRUE(codec::readStairs(b.rom(), t, 0, 0));
    EXPECT_EQ(t.stairTbl[0][0][0], (stairRec { 0x40, 5, 2, 0 }));
    EXPECT_EQ(t.stairTbl[0][0][1], (stairRec { 0x10, 0, 3, 8 }));
    EXPECT_EQ(t.stairTbl[0][0][2][2], 255);
    std::vector<Patch> out;
    codec::writeStairs(t, 0, 0, out);
    Bytes after = b.apply(out);
    EXPECT_EQ(slice(after, 101, 7), (Bytes { 0x05, 0x40, 0x02, 0x80, 0x10, 0x03, 0xFF }));

    // Vertical: b0 keeps the screen, b1 y, b2 x; y 245 goes out as 229.
    t.vertFlag[0][1] = -1;
    t.stairPos[0][1] = 201;
    b.put(201, { 0xC3, 245, 0x30, 0xFF });
    ASSERT_TRUE(codec::readStairs(b.rom(), t, 0, 1));
    EXPECT_EQ(t.stairTbl[0][1][0], (stairRec { 0x30, 245, 3, 12 }));
    out.clear();
    codec::writeStairs(t, 0, 1, out);
    EXPECT_EQ(slice(b.apply(out), 201, 4), (Bytes { 0xC3, 229, 0x30, 0xFF }));
    EXPECT_EQ(t.stairTbl[0][1][0][1], 229);
}

TEST(StageCodec, StaircaseListLongerThanThirtyKeepsThirtyAndItsEndMark)
{
    Bench b;
    StageTables &t = *b.t;
    t.stairPos[2][3] = 1;
    for (int k = 0; k < 31; ++k)
        b.put(1 + 3 * k, { 0x01, static_cast<uint8_t>(k), 0x00 });
    b.put(1 + 93, { 0xFF });
    EXPECT_FALSE(codec::readStairs(b.rom(), t, 2, 3));
    EXPECT_EQ(t.stairTbl[2][3][29][0], 29);
    EXPECT_EQ(t.stairTbl[2][3][30][2], 255);
    std::vector<Patch> out;
    codec::writeStairs(t, 2, 3, out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].bytes.size(), 90u); // the 31st is left as it is in the ROM
}

TEST(StageCodec, SpecialObjectsSortedByScreenWithEmptySlotsAsScreenNine)
{
    Bench b;
    StageTables &t = *b.t;
    t.specialIdx[0][0] = 1;
    t.specialPos[0][0] = 301;
    b.put(301, { 2, 0x10, 0, 3, 0x40, 1, 2, 3 }); // screen 2
    b.put(309, { 9, 0x11, 0, 5, 0x20, 0, 0, 0 }); // the ROM's empty slot
    b.put(317, { 0, 0x12, 0, 2, 0x41, 4, 5, 6 }); // screen 0
    b.put(325, { 12, 0x13, 0, 2, 0x42, 0, 0, 0 }); // screen 12: never written
    b.put(333, { 1, 0x14, 0, 2, 0x43, 0, 0, 0 });
    b.put(341, { 0xFF, 1, 2, 3, 4, 5, 6, 7 });
    b.put(349, { 1, 0x15, 0, 2, 0x44, 0, 0, 0 }); // after the end record
    ASSERT_TRUE(codec::readSpecials(b.rom(), t, 0, 0));
    EXPECT_EQ(t.specialTbl[0][0][1][0], 0); // empty slot held as screen 0, type 0
    EXPECT_EQ(t.specialTbl[0][0][1][3], 0);
    EXPECT_EQ(t.specialTbl[0][0][5], (specialRec { 0xFF, 1, 2, 3, 4, 5, 6, 7 }));
    // Slot 4 becomes a type-5 record on screen 9: it goes out in the empty form.
    t.specialTbl[0][0][4] = { 9, 0x14, 0, 5, 0x43, 0, 0, 0 };
    std::vector<Patch> out;
    codec::writeSpecials(t, 0, 0, out);
    Bytes after = b.apply(out);
    EXPECT_EQ(slice(after, 301, 8), (Bytes { 0, 0x12, 0, 2, 0x41, 4, 5, 6 }));
    EXPECT_EQ(slice(after, 309, 8), (Bytes { 2, 0x10, 0, 3, 0x40, 1, 2, 3 }));
    EXPECT_EQ(slice(after, 317, 8), (Bytes { 9, 0x11, 0, 5, 0x20, 0, 0, 0 }));
    EXPECT_EQ(slice(after, 325, 8), (Bytes { 9, 0x14, 0, 5, 0x43, 0, 0, 0 }));
    EXPECT_EQ(slice(after, 333, 24), slice(b.bytes, 333, 24)); // four written, end kept
    EXPECT_EQ(t.specialTbl[0][0][4][0], 0);
    EXPECT_EQ(t.specialTbl[0][0][4][3], 0);
}

TEST(StageCodec, VerticalSpecialObjectsKeepBytesOneAndFourExchanged)
{
    Bench b;
    StageTables &t = *b.t;
    t.vertFlag[4][2] = -1;
    t.specialIdx[4][2] = 3;
    t.specialPos[4][2] = 11;
    b.put(11, { 1, 0xAA, 2, 3, 0xBB, 5, 6, 7, 0xFF, 0, 0, 0, 0, 0, 0, 0 });
    ASSERT_TRUE(codec::readSpecials(b.rom(), t, 4, 2));
    EXPECT_EQ(t.specialTbl[4][2][0][1], 0xBB);
    EXPECT_EQ(t.specialTbl[4][2][0][4], 0xAA);
    codec::swapb25(t, 4, 2, 0);
    EXPECT_EQ(t.specialTbl[4][2][0], (specialRec { 1, 0xAA, 2, 3, 0xBB, 5, 6, 7 }));
    codec::swapb25(t, 4, 2, 0);
    std::vector<Patch> out;
    codec::writeSpecials(t, 4, 2, out);
    EXPECT_EQ(b.apply(out), b.bytes);
}

TEST(StageCodec, SpecialListLongerThanThirtyIsCutAtSlotThirty)
{
    Bench b;
    StageTables &t = *b.t;
    t.specialIdx[0][0] = 1;
    t.specialPos[0][0] = 1;
    for (int k = 0; k < 32; ++k)
        b.put(1 + 8 * k, { 1, static_cast<uint8_t>(k), 0, 2, 0, 0, 0, 0 });
    EXPECT_FALSE(codec::readSpecials(b.rom(), t, 0, 0));
    EXPECT_EQ(t.specialTbl[0][0][29][1], 29);
    EXPECT_EQ(t.specialTbl[0][0][30][0], 0xFF);
    std::vector<Patch> out;
    codec::writeSpecials(t, 0, 0, out);
    EXPECT_EQ(out.at(0).bytes.size(), 240u);
}

TEST(StageCodec, StartPointNibblesAndScreen)
{
    Bench b;
    StageTables &t = *b.t;
    t.startTbl[3][1].pos = 51;
    b.put(51, { 0x5C, 0x07 });
    codec::readStart(b.rom(), t, 3, 1);
    EXPECT_EQ(t.startTbl[3][1].nibHi, 5);
    EXPECT_EQ(t.startTbl[3][1].nibLo, 12);
    EXPECT_EQ(t.startTbl[3][1].screen, 7);
    t.startTbl[3][1].nibHi = 0x0A;
    t.startTbl[3][1].nibLo = 0x03;
    t.startTbl[3][1].screen = 2;
    std::vector<Patch> out;
    codec::writeStart(t, 3, 1, out);
    EXPECT_EQ(slice(b.apply(out), 51, 3), (Bytes { 0xA3, 0x02, 0xEE }));
}

namespace {

void setObjects(StageTables &t, int s, const std::vector<objRec> &objs)
{
    t.vertFlag[s][0] = -1;
    t.enemyPos[s][0] = 1001;
    for (size_t k = 0; k < objs.size(); ++k)
        t.enemyTbl[s][0][k] = objs[k];
    t.enemyTbl[s][0][objs.size()][2] = 0xFF;
    t.objLen[s][0] = static_cast<int>(objs.size()) - 1;
}

// Objects as [0] x, [1] y, [2] screen; x tells them apart.
const std::vector<objRec> mixed = {
    { 1, 0x20, 0 },
    { 2, 0x50, 3 },
    { 3, 0x50, 1 },
    { 4, 0x80, 3 },
    { 5, 0x50, 3 },
    { 6, 0x10, 4 },
    { 7, 0x30, 1 },
};

} // namespace

TEST(StageCodec, ObjectWriteOrderScreenThreeFirstHighestYFirstTiesInSlotOrder)
{
    Bench b;
    setObjects(*b.t, 0, mixed);
    EXPECT_EQ(codec::objectOrder(*b.t, 0, 0), (std::vector<int> { 3, 1, 4, 2, 6, 0 }));
    // Stages 11 and 14 take the whole order reversed; screen 4 is never written.
    setObjects(*b.t, 11, mixed);
    EXPECT_EQ(codec::objectOrder(*b.t, 11, 0), (std::vector<int> { 0, 6, 2, 4, 1, 3 }));
    setObjects(*b.t, 14, mixed);
    EXPECT_EQ(codec::objectOrder(*b.t, 14, 0), (std::vector<int> { 0, 6, 2, 4, 1, 3 }));

    b.t->enemyTbl[0][0][3] = { 4, 0x80, 3, 0x91, 0x05, 0x66, 0x01 };
    std::vector<Patch> out;
    codec::writeObjects(*b.t, 0, 0, out);
    Bytes after = b.apply(out);
    EXPECT_EQ(slice(after, 1001, 7), (Bytes { 3, 0x80, 0x91, 4, 0x05, 0x66, 0x01 }));
    EXPECT_EQ(slice(after, 1001 + 42, 1), (Bytes { 0xEE })); // six written, no end byte
}

TEST(StageCodec, ObjectListReadAndLimits)
{
    Bench b;
    StageTables &t = *b.t;
    t.vertFlag[0][0] = -1;
    t.enemyPos[0][0] = 1;
    b.put(1, { 2, 0x30, 0x91, 0x40, 0x08, 0x00, 0x01, 0xFF });
    ASSERT_TRUE(codec::readObjects(b.rom(), t, 0, 0));
    EXPECT_EQ(t.enemyTbl[0][0][0], (objRec { 0x40, 0x30, 2, 0x91, 0x08, 0x00, 0x01 }));
    EXPECT_EQ(t.objLen[0][0], 0);

    b.put(1, { 0xFF }); // an empty list writes nothing
    ASSERT_TRUE(codec::readObjects(b.rom(), t, 0, 0));
    EXPECT_EQ(t.objLen[0][0], -1);
    std::vector<Patch> out;
    codec::writeObjects(t, 0, 0, out);
    EXPECT_TRUE(out.empty());

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
