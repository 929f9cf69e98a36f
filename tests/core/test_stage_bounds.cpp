#include "rom/Release.h"
#include "stage/Document.h"
#include "stage/Locations.h"
#include "test_stage_support.h"

#include <gtest/gtest.h>

// Damaged ROMs: every bound is reported, reading stops there, and nothing crashes or hangs.

namespace {

// Points a word at a target position for the nibble and page given.
void pointAt(Bytes &rom, long long at, long long target, int nib, int page)
{
    long long off = target - 17 - 65536LL * page;
    rom[at - 1] = static_cast<uint8_t>(off & 0xFF);
    rom[at] = static_cast<uint8_t>(((off >> 8) - nib * 16) & 0xFF);
    ASSERT_EQ(ptrToPos(rom[at - 1], rom[at], nib, page), target);
}

} // namespace

TEST(StageBounds, AreaListThatNeverEndsStopsAtElevenAreas)
{
    rb::Built b = rb::build(rb::gameShape(rb::Rel::US));
    loc::StageConst c = loc::stageConst(0, 0);
    pointAt(b.rom, c.areaList, c.areaList + 400, c.stageNib, c.page());
    auto l = loadRom(b.rom, "0");
    EXPECT_EQ(l->outcome, LoadOutcome::Loaded);
    EXPECT_TRUE(l->d.mentions("Stage 0 has more than 11 areas"));
    EXPECT_TRUE(tablesConsistent(l->t));
    EXPECT_EQ(l->t.secCount[5], 6); // later stages are read as before
    EXPECT_EQ(l->t.secCount[14], 7);
}

TEST(StageBounds, MoreThanTwentyOneSectionsKeepsTwentyOne)
{
    rb::Built b = rb::build(rb::gameShape(rb::Rel::US));
    b.rom[b.ledger.stages[0].areaPtr[0] - 1] = 40; // area 0 claims 41 sections
    auto l = loadRom(b.rom, "0");
    EXPECT_EQ(l->outcome, LoadOutcome::Loaded);
    EXPECT_TRUE(l->d.mentions("Stage 0 has more than 21 sections"));
    EXPECT_EQ(l->t.secCount[0], 21);
    EXPECT_TRUE(tablesConsistent(l->t));
    EXPECT_EQ(l->t.secCount[1], 13);
}

TEST(StageBounds, StaircaseAndSpecialListsLongerThanThirty)
{
    rb::RomDesc d = rb::gameShape(rb::Rel::US);
    rb::Section &x = loadSection(d, 0, 0); // menu section 0 as well
    ASSERT_FALSE(x.vertical());
    x.stairs.clear();
    for (int k = 0; k < 32; ++k)
        x.stairs.push_back(rb::stairH(4, k, 3, k % 3));
    x.hasSpecials = true;
    x.specials.clear();
    for (int k = 0; k < 33; ++k)
        x.specials.push_back({ 0, static_cast<uint8_t>(k), 0, 2, 0x40, 0, 0, 0 });
    rb::Built b;
    auto l = loadShape(d, &b);
    EXPECT_EQ(l->outcome, LoadOutcome::Loaded);
    EXPECT_TRUE(l->d.mentions("staircase list of stage 0, section 0 has more than 30"));
    EXPECT_TRUE(l->d.mentions("special object list of stage 0, section 0 has more than 30"));
    const StageTables &t = l->t;
    EXPECT_EQ(t.stairTbl[0][0][29][0], 29);
    EXPECT_EQ(t.stairTbl[0][0][30][2], 255);
    EXPECT_EQ(t.specialTbl[0][0][29][1], 29);
    EXPECT_EQ(t.specialTbl[0][0][30][0], 0xFF);
    // Saving writes the 30 kept records back over themselves: the file stays as it was.
    l->doc.mark(0, 0);
    SaveResult r = l->doc.save(0, 0);
    EXPECT_TRUE(r.ok) << r.description;
    EXPECT_EQ(testfile::readAll(l->romPath()), b.rom);
}

TEST(StageBounds, TruncatedFileLeavesSelectableBlankStagesThatAreNeverWritten)
{
    rb::Built b = rb::build(rb::gameShape(rb::Rel::US));
    Bytes cut = b.rom;
    cut.resize(250000); // the scroll lists and everything after lie outside
    auto l = loadRom(cut, "0");
    EXPECT_EQ(l->outcome, LoadOutcome::Loaded);
    EXPECT_TRUE(l->d.mentions("lies outside the 250000-byte ROM file"));
    EXPECT_TRUE(tablesConsistent(l->t));
    for (int s = 0; s < 15; ++s)
        EXPECT_EQ(l->t.secCount[s], 1);
    // A section that was not read takes no edit: nothing is marked, nothing is written.
    l->g.curStage = 3;
    l->g.curSection = 0;
    l->doc.markShown();
    EXPECT_FALSE(l->doc.paintCell(3, 0, 0, 7));
    EXPECT_FALSE(l->doc.setScrollByte(3, 0, 0x83));
    EXPECT_FALSE(l->doc.anyModified());
    EXPECT_TRUE(l->doc.saveAll().empty());
    EXPECT_EQ(testfile::readAll(l->romPath()), cut);
}

TEST(StageBounds, GarbageRomsNeitherCrashNorHang)
{
    uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<uint8_t>(seed >> 16);
    };
    std::vector<Bytes> roms;
    roms.push_back(Bytes(0x60010, 0xA5));
    roms.push_back(Bytes(0x60010, 0xFF));
    roms.push_back(Bytes(100, 0x00));
    for (int k = 0; k < 3; ++k) {
        Bytes r(k == 2 ? 0x80010 : 0x60010);
        for (uint8_t &v : r)
            v = next();
        roms.push_back(r);
    }
    for (size_t i = 0; i < roms.size(); ++i) {
        SCOPED_TRACE("rom " + std::to_string(i));
        for (const char *ver : { "0", "1" }) {
            auto l = loadRom(roms[i], ver);
            EXPECT_EQ(l->outcome, LoadOutcome::Loaded);
            EXPECT_TRUE(tablesConsistent(l->t));
            // Saving everything keeps the file whole (garbage records are normalised on the way,
            // so the bytes may differ).
            for (int s : { 0, 1, 10 })
                for (int n = 0; n < l->t.secCount[s]; ++n)
                    l->doc.mark(s, n);
            l->doc.saveAll();
            EXPECT_EQ(testfile::readAll(l->romPath()).size(), roms[i].size());
        }
    }
}
