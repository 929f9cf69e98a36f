#include "stage/FirstPass.h"

#include "rom/Numbers.h"
#include "rom/Release.h"
#include "stage/Loader.h"
#include "stage/RecordCodec.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace firstpass {

namespace {

int32_t pointer(const RomImage &rom, int32_t at, int nib, int page)
{
    const uint8_t *w = rom.at(at, 2);
    return static_cast<int32_t>(ptrToPos(w[0], w[1], nib, page));
}

// Load-order sections whose doors stand at their start edge.
bool isLeftDoor(int s, int n)
{
    static const std::vector<int> lists[15] = {
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
    const auto &l = lists[s];
    return std::find(l.begin(), l.end(), n) != l.end();
}

// Level-2 entries of one area: where its per-section lists start.
struct AreaLists
{
    int32_t bgPal, sprPal, enemy, stair, start, specIdx, door, scroll, bgBank, sprBank;
};

AreaLists areaLists(
    const RomImage &rom, const std::array<int32_t, loc::tableCount> &l1, int a, int r)
{
    auto tbl = [&](loc::Table t) { return loc::table(t, r); };
    auto at = [&](loc::Table t, int32_t off) {
        loc::PtrTable p = tbl(t);
        return pointer(rom, l1[t] + off, p.nib, p.page);
    };
    AreaLists al {};
    al.bgPal = at(loc::palList, 4 * a);
    al.sprPal = at(loc::palList, 4 * a + 2);
    al.enemy = at(loc::enemyList, 2 * a);
    al.stair = at(loc::stairList, 2 * a);
    al.start = at(loc::startList, 2 * a);
    al.specIdx = at(loc::specIdx, 2 * a);
    al.door = l1[loc::doorList] + 6 * a;
    al.scroll = at(loc::scrollList, 2 * a);
    al.bgBank = at(loc::bankList, 4 * a);
    al.sprBank = at(loc::bankList, 4 * a + 2);
    return al;
}

struct SectionAt
{
    int s, n, a, j, areaNo, r;
    loc::StageConst c;
    int32_t areaPtr;
};

void readPositions(
    const RomImage &rom, RomTables &g, StageTables &t, const SectionAt &x, const AreaLists &al)
{
    int s = x.s, n = x.n, j = x.j;
    int32_t lp = pointer(rom, x.areaPtr + 1 + 2 * j, x.c.stageNib, x.c.page()) + 1;
    t.layoutPos[s][n] = correctLayoutPos(lp, x.c.areaList);
    t.layoutLen[s][n] = (rom.byte(t.layoutPos[s][n] - 1) + 1) * 48;
    g.palSetPos[s][n] = al.bgPal + j;
    g.palSetNo[s][n] = rom.byte(al.bgPal + j);
    g.sprPalPos[s][n] = al.sprPal + j;
    g.sprPalNo[s][n] = rom.byte(al.sprPal + j);
    t.enemyPos[s][n] = pointer(rom, al.enemy + 2 * j, 0, 2);
    t.stairPos[s][n] = pointer(rom, al.stair + 2 * j, 4, 1);
    uint8_t time = rom.byte(loc::timeBytes(x.r) + x.areaNo);
    t.timeTbl[s][n] = { static_cast<uint8_t>(time >> 4), static_cast<uint8_t>(x.areaNo) };
    t.startTbl[s][n].pos = al.start + 2 * j;
    codec::readStart(rom, t, s, n);
}

void readRest(
    const RomImage &rom, RomTables &g, StageTables &t, const SectionAt &x, const AreaLists &al)
{
    int s = x.s, n = x.n, j = x.j;
    t.specialIdx[s][n] = (s == 2 && n == 7) ? 0 : rom.byte(al.specIdx + j);
    if (t.specialIdx[s][n] != 0)
        t.specialPos[s][n] = pointer(rom, loc::specPtrTbl(x.r) + 2 * t.specialIdx[s][n], 0, 0);
    if (rom.byte(al.door) == j && !(s == 10 && n == 12)) {
        t.doorPos[s][n] = al.door + 3;
        codec::readDoors(rom, t, s, n);
    }
    t.scrollPos[s][n] = al.scroll + j;
    codec::readScroll(rom, t, s, n);
    if (t.scrollByte[s][n] >= 0x80)
        t.vertFlag[s][n] = -1;
    if (s == 1 && (n == 15 || n == 13 || n == 10)) {
        int i = n == 15 ? 0 : n == 13 ? 1 : 2;
        t.vScrollPos[i] = t.scrollPos[s][n];
        t.vScrollType[i] = t.scrollByte[s][n];
        t.vScrollRead[i] = true;
    }
    g.patBGPos[s][n] = al.bgBank + (3 - x.r) * j;
    g.patSprPos[s][n] = al.sprBank + 2 * j;
    g.patSpr4[s][n] = 0;
    t.leftDoor[s][n] = isLeftDoor(s, n) ? -1 : 0;
    t.timeStr[s][n] = label(s, x.a, j);
}

} // namespace

AreaWalk areaWalk(const RomImage &rom, const loc::StageConst &c)
{
    AreaWalk w;
    w.areaPtr.push_back(pointer(rom, c.areaList, c.stageNib, c.page()));
    int32_t p = 0;
    do {
        if (static_cast<int>(w.areaPtr.size()) == maxAreas) {
            w.tooMany = true;
            break;
        }
        p = c.areaList + 2 * static_cast<int32_t>(w.areaPtr.size());
        w.areaPtr.push_back(pointer(rom, p, c.stageNib, c.page()));
    } while (p + 2 < w.areaPtr[0]);
    return w;
}

int32_t correctLayoutPos(int32_t pos, int32_t areaList)
{
    if (pos < areaList)
        pos += pos < 102400 ? 16384 : 32768;
    return pos;
}

std::string label(int stage, int area, int j)
{
    return hexText(stage) + ":0" + hexText(area) + ".0" + hexText(j);
}

void readStage(const RomImage &rom, RomTables &g, StageTables &t, int s, int r, int &areaNo,
    std::vector<std::string> &notes)
{
    loc::StageConst c = loc::stageConst(s, r);
    g.blockAttrPos[s] = c.blockAttrPos;
    g.blockCount[s] = c.blockCount;
    g.blockDefPos[s] = c.blockDefPos();
    t.secCount[s] = 0;
    AreaWalk w = areaWalk(rom, c);
    if (w.tooMany)
        notes.push_back("Stage " + hexText(s) + " has more than 11 areas; only 11 are read");
    int areas = static_cast<int>(w.areaPtr.size());
    int firstArea = areaNo + 1;
    areaNo += areas; // the running number stays right for the next stage whatever happens
    std::array<int32_t, loc::tableCount> l1 {};
    for (int tb = 0; tb < loc::tableCount; ++tb) {
        loc::PtrTable p = loc::table(static_cast<loc::Table>(tb), r);
        l1[tb] = pointer(rom, p.base + 2 * s, p.nib, p.page);
    }
    int n = 0;
    for (int a = 0; a < areas; ++a) {
        int count = rom.byte(w.areaPtr[a]) + 1;
        AreaLists al = areaLists(rom, l1, a, r);
        for (int j = 0; j < count; ++j) {
            if (n == maxSections) {
                notes.push_back(
                    "Stage " + hexText(s) + " has more than 21 sections; only 21 are read");
                return;
            }
            SectionAt x { s, n, a, j, firstArea + a, r, c, w.areaPtr[a] };
            readPositions(rom, g, t, x, al);
            readRest(rom, g, t, x, al);
            t.secCount[s] = ++n;
        }
    }
}

void fixUps(RomTables &g, StageTables &t, int s)
{
    static const std::vector<std::pair<int, int>> swaps[15] = {
        { { 3, 4 }, { 5, 6 } },
        { { 10, 14 }, { 11, 12 }, { 12, 17 } },
        { { 5, 7 }, { 8, 9 } },
        { { 0, 2 }, { 9, 11 } },
        {},
        { { 2, 3 }, { 4, 5 } },
        { { 0, 1 }, { 3, 5 } },
        { { 0, 1 } },
        { { 0, 1 } },
        {},
        {},
        { { 4, 6 } },
        {},
        {},
        { { 0, 2 } },
    };
    int count = t.secCount[s];
    if (s == 1 && count > 11)
        t.startTbl[1][8] = t.startTbl[1][11];
    // A damaged stage with fewer sections keeps its order rather than listing empty ones.
    for (auto [a, b] : swaps[s])
        if (a < count && b < count)
            swapSec(g, t, s, a, b);
    if (s == 1) {
        t.timeStr[1][9] = "1:03.00";
        t.timeStr[1][10] = "1:04.02";
        t.timeStr[1][11] = "1:04.00";
        t.timeStr[1][12] = "1:05.02";
        t.secCount[1] = std::max(0, count - 5);
    }
}

void swapSec(RomTables &g, StageTables &t, int stage, int a, int b)
{
    auto x = [&](auto &tbl) { std::swap(tbl[stage][a], tbl[stage][b]); };
    x(t.scrollPos);
    x(t.scrollByte);
    x(t.door1);
    x(t.door2);
    x(t.doorPos);
    x(t.specialIdx);
    x(t.specialPos);
    x(t.startTbl);
    x(t.timeTbl);
    x(t.stairPos);
    x(t.leftDoor);
    x(t.timeStr);
    x(t.vertFlag);
    x(t.enemyPos);
    x(t.layoutPos);
    x(t.layoutLen);
    x(g.sprPalNo);
    x(g.sprPalPos);
    x(g.patBGPos);
    x(g.patSprPos);
    x(g.palSetPos);
    x(g.palSetNo);
    x(t.readMask); // what was read travels with its position
}

} // namespace firstpass
