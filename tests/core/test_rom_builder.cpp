// The synthetic ROM itself: every pointer chain leads to the record the ledger names, and the
// default shape is the game's.
#include "support/RomBuilder.h"

#include <gtest/gtest.h>

#include <set>

using namespace rb;

namespace {

// An independent reading of a 2-byte pointer, so the builder is not checked against itself.
long long follow(const Bytes &rom, long long where, int nib, int page)
{
    unsigned lo = at(rom, where), hi = at(rom, where + 1);
    long long pos = page * 65536LL + ((nib * 16 + hi) % 256) * 256 + lo + 17;
    EXPECT_GE(pos, 1);
    EXPECT_LE(pos, static_cast<long long>(rom.size()));
    return pos;
}

// Lists end where the ledger says.
void checkLists(const Bytes &rom, const SectionLedger &x)
{
    EXPECT_EQ(at(rom, x.stairPos + 3 * x.stairCount), 0xFF);
    if (x.vertical) {
        EXPECT_EQ(at(rom, x.enemyPos + 7 * x.objectCount), 0xFF);
    }
    if (x.specialIdx) {
        EXPECT_EQ(at(rom, x.specialPos + 8 * x.specialCount), 0xFF);
    }
}

void checkStage(const Built &b, Rel rel, int s, int areaNo)
{
    SCOPED_TRACE("stage " + std::to_string(s));
    const Bytes &rom = b.rom;
    const RomMap m = romMap(rel);
    const StageLedger &L = b.ledger.stages[s];
    const int page = static_cast<int>(m.areaList[s] / 65536);
    // The area walk: the pointer list ends where area 0's record begins.
    long long area0 = follow(rom, m.areaList[s], m.stageNib[s], page);
    int areas = 1;
    for (long long p = m.areaList[s] + 2; p < area0; p += 2)
        ++areas;
    ASSERT_EQ(areas, static_cast<int>(L.areaPtr.size()));
    size_t n = 0;
    for (int a = 0; a < areas; ++a) {
        long long rec = follow(rom, m.areaList[s] + 2 * a, m.stageNib[s], page);
        ASSERT_EQ(rec, L.areaPtr[a]);
        int count = at(rom, rec) + 1;
        long long palL = follow(rom, m.pal.base + 2 * s, m.pal.nib, m.pal.page) + 4 * a;
        long long bg = follow(rom, palL, m.pal.nib, m.pal.page);
        long long enL = follow(rom, follow(rom, m.enemy.base + 2 * s, 0, 2) + 2 * a, 0, 2);
        long long stL = follow(rom, follow(rom, m.stair.base + 2 * s, 4, 1) + 2 * a, 4, 1);
        long long stsL
            = follow(rom, follow(rom, m.start.base + 2 * s, m.start.nib, m.start.page) + 2 * a,
                m.start.nib, m.start.page);
        long long ixL = follow(rom, follow(rom, m.specIdx.base + 2 * s, 0, 0) + 2 * a, 0, 0);
        long long scL = follow(rom, follow(rom, m.scroll.base + 2 * s, 0, 3) + 2 * a, 0, 3);
        long long bkL = follow(rom, m.bank.base + 2 * s, 8, 0) + 4 * a;
        long long door = follow(rom, m.door.base + 2 * s, 4, 1) + 6 * a;
        for (int j = 0; j < count; ++j, ++n) {
            ASSERT_LT(n, L.sections.size());
            const SectionLedger &x = L.sections[n];
            long long lay = follow(rom, rec + 1 + 2 * j, m.stageNib[s], page) + 1;
            bool corrected = lay < m.areaList[s];
            if (corrected)
                lay += lay < 102400 ? 16384 : 32768;
            bool moved = (s == 13 && (n <= 1 || n == 8 || n == 9)) || (s == 14 && n == 1);
            EXPECT_EQ(corrected, moved) << "section " << n;
            EXPECT_EQ(lay, x.layoutPos) << "section " << n;
            EXPECT_EQ((at(rom, lay - 1) + 1) * (x.vertical ? 64 : 48), x.layoutLen);
            EXPECT_EQ(bg + j, x.palSetPos);
            EXPECT_EQ(follow(rom, enL + 2 * j, 0, 2), x.enemyPos);
            EXPECT_EQ(follow(rom, stL + 2 * j, 4, 1), x.stairPos);
            EXPECT_EQ(stsL + 2 * j, x.startPos);
            EXPECT_EQ(scL + j, x.scrollPos);
            EXPECT_EQ(at(rom, x.scrollPos) >= 0x80, x.vertical);
            EXPECT_EQ(follow(rom, bkL, 8, 0) + m.bgBankBytes * j, x.patBGPos);
            EXPECT_EQ(follow(rom, bkL + 2, 8, 0) + 2 * j, x.patSprPos);
            EXPECT_EQ(m.timeBytes + areaNo + a, x.timePos);
            EXPECT_EQ(at(rom, door) == j ? door + 3 : 0, x.doorPos);
            uint8_t idx = at(rom, ixL + j);
            EXPECT_EQ(idx, x.specialIdx);
            if (idx) {
                EXPECT_EQ(follow(rom, m.specPtrTbl + 2 * idx, 0, 0), x.specialPos);
            }
            checkLists(rom, x);
        }
    }
    EXPECT_EQ(n, L.sections.size());
}

} // namespace

TEST(RomBuilder, MapMatchesListedTilesetPositions)
{
    for (Rel rel : { Rel::US, Rel::JP }) {
        RomMap m = romMap(rel);
        for (int s = 0; s < 15; ++s)
            EXPECT_EQ(m.blockAttrPos[s] - 16 * m.blockCount[s], m.blockDefPos[s]) << s;
    }
}

TEST(RomBuilder, EveryPointerLandsOnItsRecord)
{
    for (Rel rel : { Rel::US, Rel::JP })
        for (int banks : { 128, 256 }) {
            SCOPED_TRACE(rel == Rel::US ? "US" : "JP");
            Built b = build(gameShape(rel, banks));
            ASSERT_EQ(b.rom.size(), 0x40010u + 1024u * banks);
            int areaNo = 0;
            for (int s = 0; s < 15; ++s) {
                checkStage(b, rel, s, areaNo);
                areaNo += static_cast<int>(b.ledger.stages[s].areaPtr.size());
            }
            const RomMap m = romMap(rel);
            for (int i = 0; i < m.puCount; ++i)
                EXPECT_EQ(follow(b.rom, m.puPtrTbl + 2 * i, 0, 2), b.ledger.puRecords[i]);
            for (int i = 0; i < m.enCount; ++i)
                EXPECT_EQ(follow(b.rom, m.enPtrTbl + 2 * i, 0, 2), b.ledger.enRecords[i]);
        }
}

TEST(RomBuilder, DefaultShapeIsTheGames)
{
    Built b = build(gameShape(Rel::US));
    int sections = 0, vertical = 0;
    for (const StageLedger &s : b.ledger.stages)
        for (const SectionLedger &x : s.sections) {
            ++sections;
            vertical += x.vertical;
        }
    EXPECT_EQ(b.ledger.areaCount, 64);
    EXPECT_EQ(sections, 135);
    EXPECT_EQ(vertical, 16);
    EXPECT_EQ(b.ledger.stages[1].sections.size(), 18u);
    EXPECT_EQ(b.rom.size(), 0x60010u);
    EXPECT_EQ(at(b.rom, 78812), 0x50); // first time byte
    EXPECT_EQ(at(b.rom, 78812 + 63), 0x30); // last one
    EXPECT_EQ(at(b.rom, 255898), 0x90); // debug byte
    EXPECT_EQ(at(b.rom, 17), 0x80);
    EXPECT_EQ(at(Built(build(gameShape(Rel::JP))).rom, 17), 0x00);
    // Rooms the game shows twice share the layout; stage 2's 7 and 8 share their specials.
    const auto &s1 = b.ledger.stages[1].sections;
    EXPECT_EQ(s1[10].layoutPos, s1[7].layoutPos);
    EXPECT_EQ(s1[15].specialIdx, s1[0].specialIdx);
    const auto &s2 = b.ledger.stages[2].sections;
    EXPECT_NE(s2[7].specialIdx, 0);
    EXPECT_EQ(s2[7].specialIdx, s2[8].specialIdx);
    // Stage 10's last area names its vertical section 12.
    EXPECT_NE(b.ledger.stages[10].sections[12].doorPos, 0);
    EXPECT_TRUE(b.ledger.stages[10].sections[12].vertical);
}

TEST(RomBuilder, UnplacedBytesStayFiller)
{
    Built b = build(gameShape(Rel::US));
    std::vector<bool> used(b.rom.size() + 1, false);
    for (auto [first, end] : b.ledger.used)
        for (long long p = first; p < end; ++p)
            used[p] = true;
    long long free = 0;
    for (long long p = 1; p <= static_cast<long long>(b.rom.size()); ++p)
        if (!used[p]) {
            ++free;
            ASSERT_EQ(at(b.rom, p), filler) << p;
        }
    EXPECT_GT(free, 100000);
}

TEST(RomBuilder, ShapesTestsAskFor)
{
    RomDesc d = gameShape(Rel::US);
    Section &x = d.stages[3].areas[0].sections[0];
    x.screens = 4;
    x.scroll = 0x81;
    x.layout.clear();
    x.objects = { { 0, 1, 2, 3, 4, 5, 6 } };
    Built b = build(d);
    const SectionLedger &l = b.ledger.stages[3].sections[0];
    EXPECT_TRUE(l.vertical);
    EXPECT_EQ(l.layoutLen, 256);
    EXPECT_EQ(at(b.rom, l.layoutPos - 1), 3);
    EXPECT_EQ(at(b.rom, l.enemyPos + 7), 0xFF);
    // A stage too big for its banks is refused, not laid over other data.
    RomDesc big = gameShape(Rel::US);
    Section wide;
    wide.screens = 6;
    for (int i = 0; i < 40; ++i)
        big.stages[11].areas[0].sections.push_back(wide);
    EXPECT_THROW(build(big), std::runtime_error);
}
