#include "model/Presets.h"
#include "model/tables/Bgm.h"
#include "model/tables/Damage.h"
#include "model/tables/GameOptions.h"
#include "rom/Numbers.h"
#include "rom/VbError.h"
#include "support/RomBuilder.h"
#include "support/RomDiff.h"

#include <gtest/gtest.h>

#include <set>

namespace {

int rel(rb::Rel r)
{
    return r == rb::Rel::JP ? 1 : 0;
}

class PresetRom : public ::testing::TestWithParam<rb::Rel>
{
protected:
    PresetRom() : built(rb::build(rb::gameShape(GetParam()))) { }
    rb::Built built;
};

} // namespace

TEST(TablesPresets, TopsAndUnknownCodesShowAsTheyAre)
{
    EXPECT_EQ(presets::puTopText(0x38), "10");
    EXPECT_EQ(presets::puTopText(0x3B), "13");
    EXPECT_EQ(presets::puTopText(0xC8), "A0");
    EXPECT_EQ(presets::puTopText(0x20), "-08");
    EXPECT_EQ(presets::unknownText(0x7F), "Unknown (7F)");
    EXPECT_EQ(presets::enTopMap(5), 37);
    EXPECT_EQ(presets::enTopMap(224), 192);
    EXPECT_EQ(presets::enTopMap(100), 100);
}

TEST(TablesPresets, JapaneseCodesLieSixteenBelow)
{
    const auto us = presets::puContents(0), jp = presets::puContents(1);
    ASSERT_EQ(us.size(), 20u);
    for (size_t i = 0; i + 1 < us.size(); ++i)
        EXPECT_EQ(jp[i].code, us[i].code - 16) << us[i].text;
    EXPECT_EQ(jp.back().code, 0);
    EXPECT_EQ(presets::puTypes(1)[1].code, 0x82);
    EXPECT_EQ(presets::puLastRow(0), 14);
    EXPECT_EQ(presets::puLastRow(1), 4);
}

TEST_P(PresetRom, ABookReadsEveryRecordAndWritesOnlyWhatChanged)
{
    const int r = rel(GetParam());
    const RomImage rom(built.rom);
    presets::Book pu(rom, presets::puShape(r));
    ASSERT_EQ(pu.count(), presets::puCount(r));
    ASSERT_EQ(built.ledger.puRecords.size(), static_cast<size_t>(pu.count()));
    for (int n = 0; n < pu.count(); ++n) {
        const long long pos = built.ledger.puRecords[static_cast<size_t>(n)];
        EXPECT_EQ(pu.pos(n), pos);
        EXPECT_EQ(pu.field(n, presets::puType), rb::at(built.rom, pos));
        EXPECT_EQ(pu.field(n, presets::puContent), rb::at(built.rom, pos + 1));
        EXPECT_EQ(pu.field(n, presets::puLeft), rb::at(built.rom, pos + 2));
        EXPECT_EQ(pu.field(n, presets::puTop), rb::at(built.rom, pos + 3));
    }
    EXPECT_TRUE(pu.changes().empty());
    // Setting a field to what it holds changes nothing; another value changes its one byte.
    EXPECT_FALSE(pu.set(5, presets::puLeft, pu.field(5, presets::puLeft)));
    const uint8_t left = static_cast<uint8_t>(pu.field(5, presets::puLeft) ^ 0x02);
    EXPECT_TRUE(pu.set(5, presets::puLeft, left));
    const auto patches = pu.changes();
    ASSERT_EQ(patches.size(), 1u);
    EXPECT_EQ(patches[0].pos, built.ledger.puRecords[5] + 2);
    EXPECT_EQ(patches[0].bytes, Bytes { left });
    pu.revert();
    EXPECT_TRUE(pu.changes().empty());
}

TEST_P(PresetRom, AnEnemyTopIsWrittenOnlyWhenPicked)
{
    const int r = rel(GetParam());
    RomImage rom(built.rom);
    const long long low = built.ledger.enRecords[3], high = built.ledger.enRecords[4];
    rom.put(low + 2, { 0x10 });
    rom.put(high + 2, { 0xF0 });
    presets::Book en(rom, presets::enShape(r));
    EXPECT_EQ(en.field(3, presets::enTop), 0x30);
    EXPECT_EQ(en.field(4, presets::enTop), 0xD0);
    EXPECT_EQ(en.fieldRead(3, presets::enTop), 0x30);
    EXPECT_FALSE(en.set(3, presets::enTop, 0x30));
    EXPECT_TRUE(en.set(3, presets::enTop, 0x34));
    EXPECT_EQ(en.changes().size(), 1u);
    EXPECT_EQ(en.changes()[0].bytes, Bytes { 0x34 });
    // Picking the shown Top again gives the byte back as it was read.
    EXPECT_TRUE(en.set(3, presets::enTop, 0x30));
    EXPECT_TRUE(en.changes().empty());
    EXPECT_EQ(en.bytes(4), rom.bytes(high, 3));
}

TEST_P(PresetRom, SharedPointersStayInStep)
{
    const int r = rel(GetParam());
    RomImage rom(built.rom);
    // Preset 2's pointer made equal to preset 1's.
    const long long t = presets::enTable(r);
    rom.put(t + 4, rom.bytes(t + 2, 2));
    presets::Book en(rom, presets::enShape(r));
    EXPECT_EQ(en.sharing(1), std::vector<int> { 2 });
    EXPECT_EQ(en.sharing(2), std::vector<int> { 1 });
    EXPECT_TRUE(en.sharing(3).empty());
    EXPECT_TRUE(en.set(2, presets::enLeft, 0x24));
    EXPECT_EQ(en.field(1, presets::enLeft), 0x24);
    EXPECT_TRUE(en.set(1, presets::enType, 0x11));
    EXPECT_EQ(en.field(2, presets::enType), 0x11);
    const RomImage out = applied(rom, en.changes());
    const long long rec = built.ledger.enRecords[1];
    EXPECT_EQ(changedPositions(rom, out), (std::vector<long long> { rec, rec + 1 }));
    EXPECT_EQ(out.bytes(rec, 2), (Bytes { 0x11, 0x24 }));
}

TEST_P(PresetRom, RestoreReadsByTheBackupsPointersAndWritesByTheWorkingOnes)
{
    const int r = rel(GetParam());
    RomImage backup(built.rom);
    RomImage work(built.rom);
    // The working ROM's power-up preset 3 record moved onto preset 4's bytes; the backup's
    // preset 3 carries its own values, and its enemy preset 3 a Top below 32.
    work.put(presets::puTable(r) + 6, work.bytes(presets::puTable(r) + 8, 2));
    backup.put(built.ledger.puRecords[3], { 0x91, 0xA1, 0x0C, 0x50 });
    backup.put(built.ledger.enRecords[3], { 0x07, 0x24, 0x10 });
    presets::PuTable pu {};
    const RomImage out
        = applied(RomImage(work.data()), presets::restore(backup, work, presets::puShape(r), pu));
    // Preset 4 comes later and lands on the shared bytes; the table says what the file holds.
    const Bytes four = backup.bytes(built.ledger.puRecords[4], 4);
    EXPECT_EQ(out.bytes(built.ledger.puRecords[4], 4), four);
    EXPECT_EQ(pu[3], (puPresetRec { four[2], four[3], four[0], four[1] }));
    EXPECT_EQ(pu[3], pu[4]);
    // No working pointer leads to the old record 3 any more.
    EXPECT_EQ(out.bytes(built.ledger.puRecords[3], 4), work.bytes(built.ledger.puRecords[3], 4));
    presets::EnTable en {};
    const RomImage out2
        = applied(RomImage(work.data()), presets::restore(backup, work, presets::enShape(r), en));
    // The backup's bytes go in as they are; the table holds the Top as the windows show it.
    EXPECT_EQ(out2.bytes(built.ledger.enRecords[3], 3), (Bytes { 0x07, 0x24, 0x10 }));
    EXPECT_EQ(en[3], (enPresetRec { 0x24, 0x30, 0x07 }));
    EXPECT_EQ(changedPositions(work, out2),
        (std::vector<long long> { built.ledger.enRecords[3], built.ledger.enRecords[3] + 1,
            built.ledger.enRecords[3] + 2 }));
}

TEST_P(PresetRom, ARecordOutsideTheFileFailsWithoutPatchesOrChanges)
{
    const int r = rel(GetParam());
    // Preset 7 points to the last byte of page 2, which a shortened ROM does not hold.
    Bytes cut(built.rom.begin(), built.rom.begin() + 196000);
    cut[static_cast<size_t>(presets::puTable(r) + 14 - 1)] = 0xFF;
    cut[static_cast<size_t>(presets::puTable(r) + 15 - 1)] = 0xFF;
    const RomImage rom(cut);
    EXPECT_THROW(presets::Book(rom, presets::puShape(r)), VbError);
    presets::PuTable pu {};
    pu[7] = { 1, 2, 3, 4 };
    const presets::PuTable before = pu;
    EXPECT_THROW(presets::restore(rom, RomImage(built.rom), presets::puShape(r), pu), VbError);
    EXPECT_THROW(presets::restore(RomImage(built.rom), rom, presets::puShape(r), pu), VbError);
    EXPECT_EQ(pu, before);
}

INSTANTIATE_TEST_SUITE_P(BothReleases, PresetRom, ::testing::Values(rb::Rel::US, rb::Rel::JP),
    [](const ::testing::TestParamInfo<rb::Rel> &i) {
        return std::string(i.param == rb::Rel::JP ? "Japanese" : "US");
    });

TEST(TablesDamage, BytesShowTheirSegments)
{
    auto full = [](uint8_t byte) {
        int n = 0;
        for (int j = 0; j < 16; ++j)
            n += damage::segmentFull(damage::valueOf(byte), j);
        return n;
    };
    EXPECT_EQ(full(0), 16);
    EXPECT_EQ(full(1), 14);
    EXPECT_EQ(full(7), 8);
    EXPECT_EQ(full(15), 0);
    EXPECT_EQ(full(16), 16); // the spinner stands at 1
    EXPECT_EQ(damage::valueOf(0xFF), 1);
    // Full segments stand on the left.
    EXPECT_TRUE(damage::segmentFull(2, 13));
    EXPECT_FALSE(damage::segmentFull(2, 14));
}

TEST(TablesDamage, SaveNamesOnlyTheRowsThatChanged)
{
    for (int r : { 0, 1 }) {
        const auto &rows = damage::rows(r);
        ASSERT_EQ(rows.size(), r ? 10u : 8u);
        // Read: a byte above 15 in row 1; now: rows 0 and 2 changed, row 1 kept as read.
        std::vector<uint8_t> read(rows.size(), 3), now(rows.size(), 3);
        read[1] = now[1] = 0x20;
        now[0] = 9;
        now[2] = 0;
        const auto p = damage::patches(now, read, r);
        ASSERT_EQ(p.size(), 2u);
        EXPECT_EQ(p[0].pos, rows[0].pos);
        EXPECT_EQ(p[0].bytes, Bytes { 9 });
        EXPECT_EQ(p[1].pos, rows[2].pos);
        EXPECT_EQ(p[1].bytes, Bytes { 0 });
        EXPECT_TRUE(damage::patches(read, read, r).empty());
        EXPECT_FALSE(damage::allCheap(now));
        EXPECT_TRUE(damage::allCheap(std::vector<uint8_t>(rows.size(), 0)));
    }
    EXPECT_FALSE(damage::shows(16));
    EXPECT_EQ(damage::rows(0)[3].pos, 0x38303 + 1);
    EXPECT_EQ(damage::rows(1)[9].pos, 0x38306 + 1);
    EXPECT_EQ(damage::defaultValue(damage::rows(1)[4]), 16);
}

TEST(TablesBgm, WordsPickTheirItemsOrShowWhatTheyAre)
{
    // 0x9299 is song 0 in the Japanese release and song 10 in the US one.
    EXPECT_EQ(bgm::itemText(bgm::itemForWord(0x9299, 1)), "Life Loss");
    EXPECT_EQ(bgm::itemText(bgm::itemForWord(0x9299, 0)), "Demon Seed");
    // Songs 11, 12 and 28 have no item of their own: shown as themselves.
    for (int song : { 11, 12, 28 }) {
        EXPECT_EQ(bgm::itemForWord(bgm::songPtr(song, 0), 0), -1);
        EXPECT_EQ(bgm::wordText(bgm::songPtr(song, 1), 1), "Song " + std::to_string(song));
    }
    EXPECT_EQ(bgm::itemForWord(0x1234, 0), -1);
    EXPECT_EQ(bgm::wordText(0xBEEF, 0), "Word BEEF");
    EXPECT_EQ(bgm::itemForWord(bgm::songPtr(0, 0) + 1, 0), -1);
}

TEST(TablesBgm, DefaultsSaveEachSituationsOwnSongButThreeStandIns)
{
    for (int r : { 0, 1 }) {
        bgm::Words chosen {};
        for (int i = 0; i < bgm::situations; ++i)
            chosen[static_cast<size_t>(i)] = bgm::itemWord(bgm::defaultItem(i, r), r);
        const auto p = bgm::patches(chosen, {}, r);
        ASSERT_EQ(p.size(), 31u);
        for (int i = 0; i < bgm::situations; ++i) {
            const int song = i == 11 ? 8 : i == 12 ? 6 : i == 28 ? 15 : i;
            const unsigned w = bgm::songPtr(song, r);
            EXPECT_EQ(p[static_cast<size_t>(i)].pos, bgm::tablePos(r) + 2 * i);
            EXPECT_EQ(
                p[static_cast<size_t>(i)].bytes, (Bytes { uint8_t(w & 255), uint8_t(w >> 8) }))
                << i;
        }
    }
}

TEST(TablesBgm, OnlyChangedWordsAreWritten)
{
    bgm::Words read {}, chosen {};
    for (int i = 0; i < bgm::situations; ++i)
        read[static_cast<size_t>(i)] = chosen[static_cast<size_t>(i)] = bgm::songPtr(i, 0);
    read[2] = chosen[2] = 0xBEEF; // no song: kept as it was
    chosen[1] = bgm::itemWord(27, 0); // "Life Loss"
    chosen[5].reset(); // nothing chosen: nothing written
    const auto us = bgm::patches(chosen, read, 0);
    ASSERT_EQ(us.size(), 1u);
    EXPECT_EQ(us[0].pos, 200667);
    EXPECT_EQ(us[0].bytes, (Bytes { 0x0D, 0x92 }));
    bgm::Words one {};
    one[1] = bgm::itemWord(27, 1);
    const auto jp = bgm::patches(one, {}, 1);
    ASSERT_EQ(jp.size(), 1u);
    EXPECT_EQ(jp[0].pos, 200721);
    EXPECT_EQ(jp[0].bytes, (Bytes { 0x99, 0x92 }));
}

TEST(TablesBgm, EverySituationHasOnePlace)
{
    std::set<int> seen;
    for (int s : bgm::leftColumn())
        seen.insert(s);
    for (int s : bgm::rightColumn())
        if (s >= 0)
            seen.insert(s);
    EXPECT_EQ(seen.size(), 31u);
}

TEST(TablesGameOptions, BcdBytesAndValues)
{
    EXPECT_EQ(gameopt::valueOf(0x25), 25);
    EXPECT_EQ(gameopt::valueOf(0x07), 7);
    EXPECT_EQ(gameopt::valueOf(0x2A), 2);
    EXPECT_EQ(gameopt::valueOf(0xA5), 0);
    EXPECT_EQ(gameopt::valueOf(0x0C), 0);
    EXPECT_EQ(gameopt::valueOf(0x99), 99);
    EXPECT_EQ(gameopt::valueOf(0x00), 0);
    EXPECT_EQ(gameopt::byteOf(25), 0x25);
    EXPECT_EQ(gameopt::byteOf(7), 0x07);
    EXPECT_EQ(gameopt::byteOf(99), 0x99);
    EXPECT_EQ(gameopt::byteOf(gameopt::valueOf(0x2A)), 0x02);
    EXPECT_TRUE(gameopt::isBcd(0x25));
    EXPECT_FALSE(gameopt::isBcd(0x2A));
    EXPECT_FALSE(gameopt::isBcd(0xA5));
    EXPECT_EQ(gameopt::readOut(0x25), "25");
    EXPECT_EQ(gameopt::readOut(0x07), "7");
    EXPECT_EQ(gameopt::readOut(0x2A), "2A");
    EXPECT_EQ(gameopt::readOut(0x0C), "C");
    EXPECT_EQ(gameopt::livesPos(1), 3902);
    EXPECT_EQ(gameopt::heartsPos(0), 4306);
}
