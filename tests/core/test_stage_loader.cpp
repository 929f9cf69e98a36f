#include "rom/Release.h"
#include "stage/FirstPass.h"
#include "stage/Locations.h"
#include "stage/StageData.h"
#include "test_stage_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include <sys/stat.h>

namespace {

// Menu section -> load section, written out by hand from the exchanges of each stage.
const std::map<int, std::vector<int>> menuOrder = {
    { 0, { 0, 1, 2, 4, 3, 6, 5, 7 } },
    { 1, { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 14, 12, 17, 13, 10, 15, 16, 11 } },
    { 2, { 0, 1, 2, 3, 4, 7, 6, 5, 9, 8 } },
    { 3, { 2, 1, 0, 3, 4, 5, 6, 7, 8, 11, 10, 9 } },
    { 5, { 0, 1, 3, 2, 5, 4 } },
    { 6, { 1, 0, 2, 5, 4, 3 } },
    { 7, { 1, 0, 2, 3, 4, 5, 6, 7, 8, 9 } },
    { 8, { 1, 0, 2, 3, 4, 5, 6 } },
    { 11, { 0, 1, 2, 3, 6, 5, 4 } },
    { 14, { 2, 1, 0, 3, 4, 5, 6 } },
};

int loadIndex(int s, int menu)
{
    auto it = menuOrder.find(s);
    return it == menuOrder.end() ? menu : it->second.at(menu);
}

std::string romText(const Bytes &rom, long long pos, int n)
{
    return std::string(rom.begin() + (pos - 1), rom.begin() + (pos - 1 + n));
}

// A US program folder holding only the ROM; Init is left to the test.
std::unique_ptr<Loaded> preparedUs(const Bytes &rom)
{
    auto l = std::make_unique<Loaded>();
    l->g.files.appPath = l->dir.path();
    l->g.files.datPath = l->dir.path();
    l->g.romVer = "0";
    l->g.files.ini.romPath = l->romPath();
    testfile::writeAll(l->romPath(), rom);
    return l;
}

class StageLoad : public ::testing::TestWithParam<rb::Rel>
{
};

} // namespace

TEST_P(StageLoad, GameShapeLoadsEveryStageInMenuOrder)
{
    rb::Built b;
    auto l = loadShape(rb::gameShape(GetParam()), &b);
    ASSERT_EQ(l->outcome, LoadOutcome::Loaded);
    EXPECT_TRUE(l->d.irregulars.empty()) << l->d.irregulars.front();
    EXPECT_TRUE(l->d.corrupt.empty());
    const StageTables &t = *&l->t;
    const std::array<int, 15> counts { 8, 13, 10, 12, 9, 6, 6, 10, 7, 5, 14, 7, 5, 11, 7 };
    for (int s = 0; s < 15; ++s) {
        ASSERT_EQ(t.secCount[s], counts[s]) << "stage " << s;
        const auto &ls = b.ledger.stages[s].sections;
        for (int n = 0; n < t.secCount[s]; ++n) {
            SCOPED_TRACE("stage " + std::to_string(s) + " menu section " + std::to_string(n));
            const rb::SectionLedger &x = ls.at(loadIndex(s, n));
            EXPECT_EQ(t.layoutPos[s][n], x.layoutPos);
            EXPECT_EQ(t.layoutLen[s][n], x.layoutLen);
            EXPECT_EQ(t.layoutStr[s][n], romText(b.rom, x.layoutPos, x.layoutLen));
            EXPECT_EQ(t.scrollPos[s][n], x.scrollPos);
            EXPECT_EQ(t.scrollByte[s][n], rb::at(b.rom, x.scrollPos));
            EXPECT_EQ(t.enemyPos[s][n], x.enemyPos);
            EXPECT_EQ(t.stairPos[s][n], x.stairPos);
            bool noSpecials = s == 2 && loadIndex(s, n) == 7; // forced off
            EXPECT_EQ(t.specialPos[s][n], x.specialIdx && !noSpecials ? x.specialPos : 0);
            bool noDoors = s == 10 && n == 12; // never gets doors
            EXPECT_EQ(t.doorPos[s][n], noDoors ? 0 : x.doorPos);
            EXPECT_EQ(t.timeTbl[s][n][0], rb::at(b.rom, x.timePos) >> 4);
            EXPECT_EQ(l->g.palSetPos[s][n], x.palSetPos);
            EXPECT_EQ(l->g.patBGPos[s][n], x.patBGPos);
            EXPECT_EQ(l->g.patBG[s][n][1], rb::at(b.rom, x.patBGPos));
            EXPECT_EQ(l->g.patBG[s][n][2], rb::at(b.rom, x.patBGPos + 1));
            EXPECT_EQ(l->g.patSpr[s][n][3], rb::at(b.rom, x.patSprPos + 1));
            bool mirror = s == 1 && n >= 9;
            EXPECT_EQ(t.vertFlag[s][n], x.vertical && !mirror ? -1 : 0);
            if (!(s == 1 && n == 8)) {
                EXPECT_EQ(t.startTbl[s][n].pos, x.startPos);
            }
            if (x.vertical && !mirror) {
                EXPECT_EQ(t.objLen[s][n], x.objectCount - 1);
            } else if (!mirror) {
                EXPECT_EQ(t.puStr[s][n], romText(b.rom, x.enemyPos + 2, x.layoutLen / 6));
            }
        }
    }
    EXPECT_TRUE(tablesConsistent(t));
}

// Every section of every stage has its own sprite banks and sprite palette in the test ROM,
// so a value read from another section's position shows here; so do its records' positions.
TEST_P(StageLoad, EverySectionReadsItsOwnSpriteBanksAndPalettes)
{
    rb::RomDesc d = rb::gameShape(GetParam());
    rb::Built b;
    auto l = loadShape(d, &b);
    for (int s = 0; s < 15; ++s)
        for (int n = 0; n < l->t.secCount[s]; ++n) {
            SCOPED_TRACE("stage " + std::to_string(s) + " menu section " + std::to_string(n));
            const int load = loadIndex(s, n);
            const rb::Section &x = loadSection(d, s, load);
            const rb::SectionLedger &led = b.ledger.stages[s].sections.at(load);
            EXPECT_EQ(l->g.patSprPos[s][n], led.patSprPos);
            EXPECT_EQ(l->g.patSpr[s][n][2], x.sprBanks[0]);
            EXPECT_EQ(l->g.patSpr[s][n][3], x.sprBanks[1]);
            EXPECT_EQ(l->g.sprPalPos[s][n], led.sprPalPos);
            EXPECT_EQ(l->g.sprPalNo[s][n], x.sprPal);
            EXPECT_EQ(l->g.palSetPos[s][n], led.palSetPos);
            EXPECT_EQ(l->g.palSetNo[s][n], x.palSet);
            EXPECT_EQ(l->g.patBG[s][n][1], x.bgBanks[0]);
            EXPECT_EQ(l->g.patBG[s][n][2], x.bgBanks[1]);
            EXPECT_EQ(l->g.patBGPos[s][n], led.patBGPos);
            // And every record lies where the builder put it.
            EXPECT_EQ(l->t.layoutPos[s][n], led.layoutPos);
            EXPECT_EQ(l->t.enemyPos[s][n], led.enemyPos);
            EXPECT_EQ(l->t.stairPos[s][n], led.stairPos);
            // The game never gives stage 2's load section 7 special objects, nor stage 10's
            // load section 12 doors.
            EXPECT_EQ(l->t.specialPos[s][n], s == 2 && load == 7 ? 0 : led.specialPos);
            EXPECT_EQ(l->t.doorPos[s][n], s == 10 && load == 12 ? 0 : led.doorPos);
            EXPECT_EQ(l->t.scrollPos[s][n], led.scrollPos);
            if (!(s == 1 && n == 8)) { // stage 1's section 8 starts where load section 11 does
                EXPECT_EQ(l->t.startTbl[s][n].pos, led.startPos);
            }
            for (int k = 0; k < n; ++k) {
                const auto &other = loadSection(d, s, loadIndex(s, k));
                EXPECT_NE(other.sprBanks, x.sprBanks) << "the same as menu section " << k;
                EXPECT_NE(other.sprPal, x.sprPal) << "the same as menu section " << k;
            }
        }
}

TEST_P(StageLoad, OddButLegalShapeLoadsSilentlyWithItsSharedRecords)
{
    auto l = loadShape(rb::oddShape(GetParam()));
    ASSERT_EQ(l->outcome, LoadOutcome::Loaded);
    EXPECT_TRUE(l->d.irregulars.empty()) << l->d.irregulars.front();
    EXPECT_TRUE(l->d.corrupt.empty());
    EXPECT_TRUE(l->d.errors.empty());
    const StageTables &t = l->t;
    EXPECT_NE(t.specialIdx[3][1], 0);
    EXPECT_EQ(t.specialPos[3][1], t.specialPos[3][2]);
    EXPECT_EQ(t.layoutPos[9][0], t.layoutPos[9][1]);
    EXPECT_EQ(t.enemyPos[13][4], t.enemyPos[13][7]);
    EXPECT_EQ(t.objLen[13][4], t.objLen[13][7]);
    EXPECT_EQ(t.scrollByte[4][1], 0x85);
    EXPECT_EQ(t.stairTbl[4][1][1][1], 245);
    EXPECT_EQ(t.vScrollType[0], 0x87);
    EXPECT_TRUE(tablesConsistent(t));
}

TEST_P(StageLoad, StageOneListsThirteenSectionsWithItsLabels)
{
    rb::Built b;
    auto l = loadShape(rb::gameShape(GetParam()), &b);
    const StageTables &t = l->t;
    EXPECT_EQ(t.secCount[1], 13);
    EXPECT_EQ(t.timeStr[1][9], "1:03.00");
    EXPECT_EQ(t.timeStr[1][10], "1:04.02");
    EXPECT_EQ(t.timeStr[1][11], "1:04.00");
    EXPECT_EQ(t.timeStr[1][12], "1:05.02");
    EXPECT_EQ(t.timeStr[1][0], "1:00.00");
    EXPECT_EQ(t.timeStr[1][4], "1:01.01");
    for (int n = 9; n <= 12; ++n) {
        EXPECT_EQ(t.vertFlag[1][n], 0);
        EXPECT_TRUE(t.puStr[1][n].empty());
    }
    // The start point of menu section 8 is load section 11's, and so are its bytes.
    const auto &ls = b.ledger.stages[1].sections;
    EXPECT_EQ(t.startTbl[1][8], t.startTbl[1][17]);
    EXPECT_EQ(t.startTbl[1][8].pos, ls[11].startPos);
    // Second scroll bytes come from load sections 15, 13 and 10.
    EXPECT_EQ(t.vScrollPos[0], ls[15].scrollPos);
    EXPECT_EQ(t.vScrollPos[1], ls[13].scrollPos);
    EXPECT_EQ(t.vScrollPos[2], ls[10].scrollPos);
    EXPECT_EQ(t.vScrollType[0], rb::at(b.rom, ls[15].scrollPos));
    // Doors of the start-edge sections, by load index.
    EXPECT_EQ(t.leftDoor[1][0], -1);
    EXPECT_EQ(t.leftDoor[1][12], -1); // load 17
    EXPECT_EQ(t.leftDoor[1][10], 0); // load 14
    // Stage 2's load section 7 (menu 5) never has special objects; stage 10's load section 12
    // never has doors.
    EXPECT_EQ(t.specialIdx[2][5], 0);
    EXPECT_EQ(t.specialPos[2][5], 0);
    EXPECT_EQ(t.doorPos[10][12], 0);
}

TEST_P(StageLoad, LayoutsInAnotherBankAreFoundThroughTheCorrection)
{
    rb::Built b;
    auto l = loadShape(rb::gameShape(GetParam()), &b);
    int r = GetParam() == rb::Rel::JP ? 1 : 0;
    const std::vector<std::pair<int, int>> moved { { 13, 0 }, { 13, 1 }, { 13, 8 }, { 13, 9 },
        { 14, 1 } };
    std::vector<int> bumps;
    for (auto [s, load] : moved) {
        const rb::SectionLedger &x = b.ledger.stages[s].sections[load];
        loc::StageConst c = loc::stageConst(s, r);
        long long raw = ptrToPos(rb::at(b.rom, x.layoutPtrPos), rb::at(b.rom, x.layoutPtrPos + 1),
                            c.stageNib, c.page())
            + 1;
        ASSERT_LT(raw, c.areaList);
        bumps.push_back(static_cast<int>(x.layoutPos - raw));
        int menu = s == 14 && load == 1 ? 1 : load;
        EXPECT_EQ(l->t.layoutPos[s][menu], x.layoutPos);
    }
    // Both corrections are exercised.
    EXPECT_NE(std::find(bumps.begin(), bumps.end(), 16384), bumps.end());
    EXPECT_NE(std::find(bumps.begin(), bumps.end(), 32768), bumps.end());
}

TEST_P(StageLoad, ReleaseConstantsEnemyListAndTemplates)
{
    bool jp = GetParam() == rb::Rel::JP;
    rb::Built b;
    auto l = loadShape(rb::gameShape(GetParam()), &b);
    const auto &rows = l->t.enemyList;
    ASSERT_EQ(rows.size(), jp ? 72u : 73u);
    bool hasTwoDemons = std::any_of(rows.begin(), rows.end(),
        [](const EnemyRow &e) { return e.text == "[s3:0B] Winged Demons (two)"; });
    EXPECT_EQ(hasTwoDemons, !jp);
    EXPECT_EQ(rows[0].id, 16);
    EXPECT_EQ(rows.back().text, "[n/a] Water Current (6 blocks)");
    EXPECT_EQ(l->g.holderCode0, jp ? 0x80 : 0x90);
    EXPECT_EQ(l->g.holderCode1, jp ? 0x81 : 0x91);
    EXPECT_EQ(l->g.holderCode2, jp ? 0x82 : 0x92);
    // The template file of the release: its first byte carries the release.
    EXPECT_EQ(l->g.stTemplates[0][0][0], jp ? 1 : 0);
    EXPECT_EQ(l->g.stTemplates[8][3], (specialRec { uint8_t(jp), 8, 3, 0, 0, 0, 0, 0 }));
    // Background bank bytes: 2 a section in the Japanese release and no Sprites 4.
    const auto &ls0 = b.ledger.stages[0].sections; // load sections 1 and 2 share area 1
    EXPECT_EQ(ls0[2].patBGPos - ls0[1].patBGPos, jp ? 2 : 3);
    for (int s = 0; s < 15; ++s)
        for (int n = 0; n < l->t.secCount[s]; ++n)
            ASSERT_EQ(l->g.patSpr4[s][n], jp ? 0 : 0x7B);
    EXPECT_EQ(l->g.patBG[0][0][0], rb::at(b.rom, loc::bgFixedBank1(jp)));
    EXPECT_EQ(l->g.patBG[0][0][3], rb::at(b.rom, loc::bgFixedBank2(jp)));
    EXPECT_EQ(l->g.patSpr[0][0][0], 0);
    EXPECT_EQ(l->g.patSpr[0][0][1], 1);
    EXPECT_EQ(l->g.enOffY[32], 32);
    EXPECT_EQ(l->g.enOffY[13], -8);
    EXPECT_FLOAT_EQ(l->g.stOffY[5], 1.5f);
    EXPECT_FLOAT_EQ(l->g.stOffX[11], -0.5f);
    EXPECT_TRUE(l->g.bitMask[0x80][0]);
    EXPECT_FALSE(l->g.bitMask[0x80][1]);
    EXPECT_TRUE(l->g.bitMask[0x01][7]);
}

INSTANTIATE_TEST_SUITE_P(BothReleases, StageLoad, ::testing::Values(rb::Rel::US, rb::Rel::JP));

TEST(StageLoadPresets, TopsBelow32AndFrom224AreMovedIntoTheScreen)
{
    rb::RomDesc d = rb::gameShape(rb::Rel::US);
    d.enPresets[0] = { 5, 0x40, 0x10, 0, 0 };
    d.enPresets[1] = { 6, 0x41, 0xF0, 0, 0 };
    d.enPresets[2] = { 7, 0x42, 0x20, 0, 0 };
    d.enPresets[3] = { 8, 0x43, 0xDF, 0, 0 };
    d.puPresets[0] = { 0x91, 0x08, 0x50, 0x60 };
    auto l = loadShape(d);
    EXPECT_EQ(l->g.enPresets[0], (enPresetRec { 0x40, 0x30, 5 }));
    EXPECT_EQ(l->g.enPresets[1], (enPresetRec { 0x41, 0xD0, 6 }));
    EXPECT_EQ(l->g.enPresets[2][1], 0x20);
    EXPECT_EQ(l->g.enPresets[3][1], 0xDF);
    EXPECT_EQ(l->g.puPresets[0], (puPresetRec { 0x50, 0x60, 0x91, 0x08 }));
}

TEST(StageLoadChr, BankCountFollowsTheFileSize)
{
    rb::Built b;
    auto l = loadShape(rb::gameShape(rb::Rel::US, 128), &b);
    EXPECT_EQ(l->g.maxChrBank, 127);
    EXPECT_EQ(l->g.chrBankPos[127], 262161 + 1024 * 127);
    EXPECT_EQ(l->g.chrData[127][63][15], rb::at(b.rom, 262161 + 1024 * 127 + 1023));
    auto big = loadShape(rb::gameShape(rb::Rel::US, 256), &b);
    EXPECT_EQ(big->g.maxChrBank, 255);
    EXPECT_EQ(big->g.chrData[255][1][2], rb::at(b.rom, 262161 + 1024 * 255 + 18));
    EXPECT_TRUE(big->d.irregulars.empty());

    // 0x7FFFE bytes: 128 banks; cut inside bank 100: the banks before it, and a report.
    Bytes cut = b.rom;
    cut.resize(0x7FFFE);
    auto l2 = loadRom(cut, "0");
    EXPECT_EQ(l2->g.maxChrBank, 127);
    cut.resize(262160 + 1024 * 100 + 500);
    auto l3 = loadRom(cut, "0");
    EXPECT_EQ(l3->outcome, LoadOutcome::Loaded);
    EXPECT_EQ(l3->g.maxChrBank, 99);
    EXPECT_TRUE(l3->d.mentions("lies outside"));
}

TEST(StageLoadFiles, PaletteFileMissingOrShortEndsTheLoad)
{
    rb::Built b = rb::build(rb::gameShape(rb::Rel::US));
    auto missing = loadRom(b.rom, "0", true, false);
    EXPECT_EQ(missing->outcome, LoadOutcome::PaletteFailed);

    auto l = preparedUs(b.rom);
    testfile::writeText(l->dir.file("anim0.dat"), templateText(0));
    testfile::writeAll(l->dir.file("Vorlig.pal"), paletteBytes(191));
    EXPECT_EQ(Init(l->g, l->g.files, l->t, l->d), LoadOutcome::PaletteFailed);
    testfile::writeAll(l->dir.file("Vorlig.pal"), paletteBytes(200));
    EXPECT_EQ(Init(l->g, l->g.files, l->t, l->d), LoadOutcome::Loaded);
    EXPECT_EQ(l->g.nesRgb[1], 3u + 256u * 4 + 65536u * 5);
    EXPECT_EQ(l->g.nesRgb[63], 189u + 256u * 190 + 65536u * 191);
}

TEST(StageLoadFiles, TemplateProblemsAreReportedAndTheLoadGoesOn)
{
    rb::Built b = rb::build(rb::gameShape(rb::Rel::US));
    auto l = preparedUs(b.rom);
    testfile::writeAll(l->dir.file("Vorlig.pal"), paletteBytes());
    EXPECT_EQ(Init(l->g, l->g.files, l->t, l->d), LoadOutcome::Loaded);
    ASSERT_EQ(l->d.irregulars.size(), 1u); // the missing template file
    EXPECT_EQ(l->t.secCount[1], 13);

    std::string text = templateText(0);
    text.replace(18, 16, "00ZZ000000000000"); // line 1 of group 0
    testfile::writeText(l->dir.file("anim0.dat"), text);
    l->d = RecordingDelegate {};
    EXPECT_EQ(Init(l->g, l->g.files, l->t, l->d), LoadOutcome::Loaded);
    ASSERT_EQ(l->d.errors.size(), 1u);
    EXPECT_EQ(l->d.errors[0].first, 160);
    EXPECT_EQ(l->g.stTemplates[0][1], specialRec {});
    EXPECT_EQ(l->g.stTemplates[0][2][2], 2);

    // A file grown far past its lines (a terabyte, sparse) is read only as far as they go.
    testfile::writeText(l->dir.file("anim0.dat"), templateText(0));
    ASSERT_EQ(::truncate(l->dir.file("anim0.dat").c_str(), 1LL << 40), 0);
    l->d = RecordingDelegate {};
    EXPECT_EQ(Init(l->g, l->g.files, l->t, l->d), LoadOutcome::Loaded);
    EXPECT_TRUE(l->d.errors.empty());
    EXPECT_TRUE(l->d.irregulars.empty());
    EXPECT_EQ(l->g.stTemplates[0][1][2], 1);

    // A pipe at the file's name is reported, not waited on for a writer that never comes.
    std::filesystem::remove(l->dir.file("anim0.dat"));
    ASSERT_EQ(::mkfifo(l->dir.file("anim0.dat").c_str(), 0644), 0);
    l->d = RecordingDelegate {};
    EXPECT_EQ(Init(l->g, l->g.files, l->t, l->d), LoadOutcome::Loaded);
    EXPECT_TRUE(l->d.mentions("anim0.dat' is a named pipe"));
}

TEST(StageLoadFiles, CancelOnTheIrregularBoxStopsAtOnce)
{
    rb::Built b = rb::build(rb::gameShape(rb::Rel::US));
    Bytes cut = b.rom;
    cut.resize(200000); // most tables lie outside
    auto l = loadRom(cut, "0", false);
    EXPECT_EQ(l->outcome, LoadOutcome::Cancelled);
    EXPECT_EQ(l->d.irregulars.size(), 1u);
}

TEST(StageDataTest, TilesetBorrowingAttributesAndPalettes)
{
    EXPECT_EQ(tilesetOf(13, 0), 2);
    EXPECT_EQ(tilesetOf(13, 1), 2);
    EXPECT_EQ(tilesetOf(13, 2), 13);
    EXPECT_EQ(tilesetOf(13, 8), 5);
    EXPECT_EQ(tilesetOf(13, 9), 5);
    EXPECT_EQ(tilesetOf(14, 0), 14);
    EXPECT_EQ(tilesetOf(14, 1), 1);

    rb::RomDesc d = rb::gameShape(rb::Rel::US);
    d.tilesets[5].attrs[3] = 0xE4;
    rb::Built b;
    auto l = loadShape(d, &b);
    l->g.curStage = 13;
    l->g.curSection = 8;
    EXPECT_EQ(StageData(l->g, l->g.curStage, l->g.curSection, l->t, l->d), 5);
    EXPECT_TRUE(l->d.errors.empty());
    EXPECT_EQ(l->g.blockPal[5][3], (std::array<uint8_t, 4> { 3, 2, 1, 0 }));
    long long def = loc::stageConst(5, 0).blockDefPos();
    EXPECT_EQ(l->g.blockTiles[5][2][7], rb::at(b.rom, def + 16 * 2 + 7));
    EXPECT_EQ(l->g.blockTiles[5][85][15], rb::at(b.rom, def + 16 * 85 + 15));
    // Palettes of every section of the stage: backdrop first, fixed colours in sub-palette 0.
    for (int k = 0; k < l->t.secCount[13]; ++k) {
        int set = l->g.palSetNo[13][k];
        EXPECT_EQ(l->t.palRecPos[13][k], 1930 + 9 * set);
        EXPECT_EQ(l->g.palStr[13][k][0], l->g.palBackdrop + l->g.palFixed);
        EXPECT_EQ(l->g.palStr[13][k][2], l->g.palBackdrop + romText(b.rom, 1930 + 9 * set + 3, 3));
    }
    EXPECT_EQ(l->g.palBackdrop, std::string(1, char(d.palBackdrop)));
}

// A ROM cut off in its level data fails the same read in section after section: each pass asks
// about each kind of fault once, saying how often it came, instead of once a section.
TEST(StageLoadFiles, AFaultMetAgainAndAgainIsAskedAboutOnce)
{
    rb::Built b = rb::build(rb::gameShape(rb::Rel::US));
    for (size_t size : { size_t(120000), size_t(150000), size_t(200000) }) {
        Bytes cut = b.rom;
        cut.resize(size);
        auto l = loadRom(cut, "0");
        EXPECT_EQ(l->outcome, LoadOutcome::Loaded);
        EXPECT_GE(l->d.irregulars.size(), 1u);
        EXPECT_LE(l->d.irregulars.size(), 6u) << size; // a few passes, a few kinds each
        // The first pass reads every stage's area list, cut off in all 15 stages alike.
        EXPECT_NE(l->d.irregulars[0].find("-byte ROM file (15 times, in stage 0; stage 1;"),
            std::string::npos)
            << l->d.irregulars[0];
    }

    // Every line of the template file broken alike: one report, counted.
    auto l = preparedUs(b.rom);
    testfile::writeAll(l->dir.file("Vorlig.pal"), paletteBytes());
    std::string text = templateText(0);
    for (size_t at = 2; at < text.size(); at += 18)
        text[at] = 'Z';
    testfile::writeText(l->dir.file("anim0.dat"), text);
    EXPECT_EQ(Init(l->g, l->g.files, l->t, l->d), LoadOutcome::Loaded);
    ASSERT_EQ(l->d.errors.size(), 1u);
    EXPECT_EQ(l->d.errors[0].first, 160);
    EXPECT_NE(l->d.errors[0].second.find(" (67 times)"), std::string::npos)
        << l->d.errors[0].second;
}
