// What Init makes of whole ROMs: the menu order of the sections, stage 1's fix-ups, the
// positions behind the corrected layout pointers, CHR banks, presets and Revert.
#include "model/Presets.h"
#include "model/objects/ObjectLayout.h"
#include "stage/Document.h"
#include "stage/StageData.h"
#include "support/RomFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

using namespace rb;

namespace {

struct Case
{
    Rel rel;
    int banks;
};

class Load : public ::testing::TestWithParam<Case>
{
protected:
    void loadShape(const RomDesc &d)
    {
        built = build(d);
        dir.put(built.rom);
        ASSERT_EQ(dir.load(), LoadOutcome::Loaded);
    }
    void SetUp() override { loadShape(gameShape(GetParam().rel, GetParam().banks)); }

    Built built;
    RomFolder dir { GetParam().rel };
};

INSTANTIATE_TEST_SUITE_P(Roms, Load,
    ::testing::Values(Case { Rel::US, 128 }, Case { Rel::JP, 128 }, Case { Rel::US, 256 }),
    [](const auto &info) {
        return std::string(info.param.rel == Rel::US ? "US" : "JP")
            + std::to_string(info.param.banks);
    });

} // namespace

TEST_P(Load, SectionsComeInMenuOrderWithTheirPositions)
{
    const StageTables &t = dir.t();
    for (int s = 0; s < 15; ++s) {
        const auto &secs = built.ledger.stages[s].sections;
        const auto order = menuToLoad(s, static_cast<int>(secs.size()));
        EXPECT_EQ(t.secCount[s], s == 1 ? 13 : static_cast<int>(secs.size())) << s;
        for (size_t n = 0; n < secs.size(); ++n) {
            SCOPED_TRACE("stage " + std::to_string(s) + " menu " + std::to_string(n));
            const SectionLedger &l = secs[static_cast<size_t>(order[n])];
            EXPECT_EQ(t.layoutPos[s][n], l.layoutPos);
            EXPECT_EQ(t.scrollPos[s][n], l.scrollPos);
            EXPECT_EQ(t.enemyPos[s][n], l.enemyPos);
            EXPECT_EQ(t.stairPos[s][n], l.stairPos);
            EXPECT_EQ(dir.g().palSetPos[s][n], l.palSetPos);
            EXPECT_EQ(dir.g().patBGPos[s][n], l.patBGPos);
            EXPECT_EQ(t.timeTbl[s][n][1], l.timePos - romMap(GetParam().rel).timeBytes);
            EXPECT_EQ(t.timeTbl[s][n][0], rb::at(built.rom, l.timePos) >> 4);
            bool doors = l.doorPos != 0 && !(s == 10 && order[n] == 12);
            EXPECT_EQ(t.doorPos[s][n], doors ? l.doorPos : 0);
            bool stage2sec7 = s == 2 && order[n] == 7;
            EXPECT_EQ(t.specialIdx[s][n], stage2sec7 ? 0 : l.specialIdx);
            if (s == 1 && n == 8)
                continue; // takes load section 11's start point, below
            EXPECT_EQ(t.startTbl[s][n].pos, l.startPos);
            if (static_cast<int>(n) < t.secCount[s] && !(s == 1 && n >= 9)) {
                EXPECT_EQ(t.vertFlag[s][n], l.vertical ? -1 : 0);
                EXPECT_EQ(static_cast<int>(t.layoutStr[s][n].size()), l.layoutLen);
            }
        }
    }
}

TEST_P(Load, LabelsAndLeftDoorsFollowTheLoadOrder)
{
    static const std::vector<int> left[15] = {
        { 2 },
        { 0, 1, 4, 7, 8, 17 },
        { 1, 9 },
        { 5 },
        { 1, 4, 5, 7 },
        {},
        {},
        { 8, 9 },
        { 0, 1, 2, 3, 6 },
        { 0, 1, 2 },
        { 2, 4, 6, 8, 9, 10, 12 },
        {},
        {},
        { 3, 4, 7, 9, 10 },
        { 0, 2, 3, 4, 5, 6 },
    };
    auto hex = [](int v) {
        char b[8];
        std::snprintf(b, sizeof b, "%X", v);
        return std::string(b);
    };
    for (int s = 0; s < 15; ++s) {
        const auto &secs = built.ledger.stages[s].sections;
        const auto order = menuToLoad(s, static_cast<int>(secs.size()));
        for (size_t n = 0; n < secs.size(); ++n) {
            const SectionLedger &l = secs[static_cast<size_t>(order[n])];
            bool isLeft = std::count(left[s].begin(), left[s].end(), order[n]) > 0;
            EXPECT_EQ(dir.t().leftDoor[s][n], isLeft ? -1 : 0) << s << "." << n;
            EXPECT_EQ(dir.t().timeStr[s][n], hex(s) + ":0" + hex(l.area) + ".0" + hex(l.j))
                << s << "." << n;
        }
    }
}

TEST_P(Load, StageOneFixUps)
{
    const StageTables &t = dir.t();
    const auto &s1 = built.ledger.stages[1].sections;
    EXPECT_EQ(t.startTbl[1][8].pos, s1[11].startPos);
    EXPECT_EQ(t.startTbl[1][8], t.startTbl[1][17]);
    EXPECT_EQ(t.timeStr[1][9], "1:03.00");
    EXPECT_EQ(t.timeStr[1][10], "1:04.02");
    EXPECT_EQ(t.timeStr[1][11], "1:04.00");
    EXPECT_EQ(t.timeStr[1][12], "1:05.02");
    for (int n = 9; n < 13; ++n) {
        EXPECT_EQ(t.vertFlag[1][n], 0) << n;
        EXPECT_TRUE(t.puStr[1][n].empty()) << n;
    }
    // The second scroll bytes of the upward sections 0, 4 and 7 lie in load sections 15, 13, 10.
    EXPECT_EQ(t.vScrollPos[0], s1[15].scrollPos);
    EXPECT_EQ(t.vScrollPos[1], s1[13].scrollPos);
    EXPECT_EQ(t.vScrollPos[2], s1[10].scrollPos);
    EXPECT_EQ(t.vScrollType[2], 0x81);
}

TEST_P(Load, ChrBanksFollowTheFileSize)
{
    const RomState &g = dir.g();
    const int last = GetParam().banks - 1;
    EXPECT_EQ(g.maxChrBank, last);
    for (int b : { 0, 0x11, last }) {
        long long pos = chrBase + 1024LL * b;
        EXPECT_EQ(g.chrBankPos[b], pos);
        for (int i : { 0, 15, 1023 })
            EXPECT_EQ(g.chrData[b][i / 16][i % 16], rb::at(built.rom, pos + i)) << b << " " << i;
    }
}

TEST_P(Load, ReleaseDetails)
{
    const bool jp = GetParam().rel == Rel::JP;
    const RomState &g = dir.g();
    EXPECT_EQ(dir.t().enemyList.size(), jp ? 72u : 73u);
    EXPECT_EQ(g.holderCode0, jp ? 0x80 : 0x90);
    const SectionLedger &l = built.ledger.stages[0].sections[0];
    EXPECT_EQ(g.patBG[0][0][1], rb::at(built.rom, l.patBGPos));
    EXPECT_EQ(g.patBG[0][0][2], rb::at(built.rom, l.patBGPos + 1));
    EXPECT_EQ(g.patSpr4[0][0], jp ? 0 : rb::at(built.rom, l.patBGPos + 2));
    EXPECT_EQ(g.patBG[0][0][0], 0x00);
    EXPECT_EQ(g.patBG[0][0][3], 0x01);
    // The presets: as many as the release has, each through its pointer.
    const RomMap m = romMap(GetParam().rel);
    const long long pu = built.ledger.puRecords[m.puCount - 1];
    EXPECT_EQ(g.puPresets[m.puCount - 1][2], rb::at(built.rom, pu));
    EXPECT_EQ(g.puPresets[m.puCount - 1][0], rb::at(built.rom, pu + 2));
    const long long en = built.ledger.enRecords[m.enCount - 1];
    EXPECT_EQ(g.enPresets[m.enCount - 1][2], rb::at(built.rom, en));
    EXPECT_EQ(g.puPresets[m.puCount], puPresetRec {});
}

// The demo shows presets as the game has them: each on the preset windows' lists, and each
// proposal inside its column pair of the view, in all four pairs.
TEST_P(Load, PresetsLieWhereTheGameHasThem)
{
    const RomState &g = dir.g();
    const RomMap m = romMap(GetParam().rel);
    auto onList = [](int value, int items, uint8_t (*valueOf)(int)) {
        for (int k = 0; k < items; ++k)
            if (valueOf(k) == value)
                return true;
        return false;
    };
    auto insidePair = [](const objects::Place &pl, int a) {
        return pl.left >= 360 + 1920 * a && pl.left + pl.width <= 360 + 1920 * (a + 1)
            && pl.top >= 360 && pl.top + pl.height <= 6120;
    };
    for (int p = 1; p < m.puCount; ++p) {
        const puPresetRec &r = g.puPresets[static_cast<size_t>(p)];
        SCOPED_TRACE("power-up preset " + std::to_string(p));
        const int kind = r[presets::puType] - g.holderCode0;
        ASSERT_TRUE(kind >= 0 && kind <= 2);
        EXPECT_TRUE(onList(r[presets::puLeft], presets::puLeftItems, presets::puLeftValue));
        EXPECT_TRUE(onList(r[presets::puTop], presets::puTopItems, presets::puTopValue));
        for (int a = 0; a < 4; ++a)
            EXPECT_TRUE(insidePair(
                objects::proposal(kind, r[presets::puLeft], r[presets::puTop], 0, p, a, g.enOffY),
                a));
        if (HasFailure())
            return; // one preset tells enough
    }
    for (int p = 1; p < m.enCount; ++p) {
        const enPresetRec &r = g.enPresets[static_cast<size_t>(p)];
        SCOPED_TRACE("enemy preset " + std::to_string(p));
        EXPECT_TRUE(onList(r[presets::enLeft], presets::enLeftItems, presets::enLeftValue));
        EXPECT_TRUE(onList(r[presets::enTop], presets::enTopItems, presets::enTopValue));
        for (int a = 0; a < 4; ++a)
            EXPECT_TRUE(insidePair(objects::proposal(3, r[presets::enLeft], r[presets::enTop],
                                       r[presets::enType], p, a, g.enOffY),
                a));
        if (HasFailure())
            return;
    }
}

TEST_P(Load, EnemyPresetTopsAreHeldInsideTheScreen)
{
    RomDesc d = gameShape(GetParam().rel, GetParam().banks);
    d.enPresets[0][2] = 0x10;
    d.enPresets[1][2] = 0xF0;
    d.enPresets[2][2] = 0x20;
    d.enPresets[3][2] = 0xDF;
    loadShape(d);
    EXPECT_EQ(dir.g().enPresets[0][1], 0x30);
    EXPECT_EQ(dir.g().enPresets[1][1], 0xD0);
    EXPECT_EQ(dir.g().enPresets[2][1], 0x20);
    EXPECT_EQ(dir.g().enPresets[3][1], 0xDF);
}

TEST_P(Load, BorrowedTilesetsAndQuadrants)
{
    RomDesc d = gameShape(GetParam().rel, GetParam().banks);
    d.tilesets[2].attrs[5] = 0xE4;
    loadShape(d);
    RomState &g = dir.g();
    g.curStage = 13;
    g.curSection = 1;
    EXPECT_EQ(StageData(g, g.curStage, g.curSection, dir.t(), dir.rec), 2);
    EXPECT_EQ(g.blockPal[2][5], (std::array<uint8_t, 4> { 3, 2, 1, 0 }));
    EXPECT_EQ(g.blockTiles[2][1][0], 0x04); // brick tiles
    g.curSection = 8;
    EXPECT_EQ(StageData(g, g.curStage, g.curSection, dir.t(), dir.rec), 5);
    g.curStage = 14;
    g.curSection = 1;
    EXPECT_EQ(StageData(g, g.curStage, g.curSection, dir.t(), dir.rec), 1);
    g.curSection = 0;
    EXPECT_EQ(StageData(g, g.curStage, g.curSection, dir.t(), dir.rec), 14);
    EXPECT_EQ(dir.rec.boxes.size(), 0u);
}

TEST_P(Load, RevertRestoresTheSection)
{
    StageTables &t = dir.t();
    RomState &g = dir.g();
    StageDocument &doc = dir.doc();
    const StageTables before = t;
    for (auto [s, n] : { std::pair { 4, 1 }, { 0, 0 } }) {
        g.curStage = s;
        g.curSection = n;
        t.layoutStr[s][n][3] ^= 0x22;
        if (t.vertFlag[s][n])
            t.enemyTbl[s][n][0][1] ^= 0x11;
        else
            t.puStr[s][n][0] ^= 1;
        t.stairTbl[s][n][0][0] ^= 0x30;
        t.specialTbl[s][n][1][2] ^= 0x44;
        t.startTbl[s][n].screen ^= 1;
        t.scrollByte[s][n] = 0x84;
        doc.mark(s, n);
        doc.revert(dir.rec);
        EXPECT_FALSE(doc.modified(s, n));
        EXPECT_EQ(t.layoutStr[s][n], before.layoutStr[s][n]);
        EXPECT_EQ(t.enemyTbl[s][n], before.enemyTbl[s][n]);
        EXPECT_EQ(t.puStr[s][n], before.puStr[s][n]);
        EXPECT_EQ(t.stairTbl[s][n], before.stairTbl[s][n]);
        EXPECT_EQ(t.specialTbl[s][n], before.specialTbl[s][n]);
        EXPECT_EQ(t.startTbl[s][n], before.startTbl[s][n]);
        if (t.vertFlag[s][n]) {
            EXPECT_EQ(t.scrollByte[s][n], before.scrollByte[s][n]);
        }
    }
    EXPECT_EQ(dir.rec.boxes.size(), 0u);
    EXPECT_EQ(dir.file(), built.rom);
}

TEST_P(Load, ObjectListWithoutItsEndIsReportedAtLoadAndAtRevert)
{
    RomDesc d = gameShape(GetParam().rel, GetParam().banks);
    Section &x = d.stages[4].areas[0].sections[1]; // stage 4, section 1: vertical
    ASSERT_TRUE(x.vertical());
    x.objects.assign(32, Obj { 0, 0x40, 0x10, 0x20, 0, 0, 0 });
    x.objectEnd = false;
    loadShape(d);
    ASSERT_EQ(dir.rec.count("corrupted"), 1);
    EXPECT_EQ(dir.rec.boxes[0].a, 4);
    EXPECT_EQ(dir.rec.boxes[0].b, 1);
    EXPECT_EQ(dir.t().objLen[4][1], 31);
    dir.g().curStage = 4;
    dir.g().curSection = 1;
    dir.doc().revert(dir.rec);
    ASSERT_EQ(dir.rec.count("corrupted"), 2);
    EXPECT_EQ(dir.rec.boxes.back().a, 4);
    EXPECT_EQ(dir.rec.boxes.back().b, 1);
}
