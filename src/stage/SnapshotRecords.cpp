#include "stage/SnapshotRecords.h"

#include "stage/StageTables.h"

#include <algorithm>
#include <array>

namespace snap::records {

using codec::Kind;
using codec::Mem;

namespace {

// Records of a list before its end mark, as many as the tables hold at most.
int listCount(const RomImage &img, Kind k, long long pos, int most)
{
    const int size = codec::recordSize(k);
    int c = 0;
    while (c < most && img.contains(pos + c * size, size)
        && !codec::isEnd(k, img.data().data() + (pos - 1 + c * size)))
        ++c;
    return c;
}

template <size_t N> Mem memOf(const std::array<uint8_t, N> &r)
{
    Mem m {};
    std::copy(r.begin(), r.end(), m.begin());
    return m;
}

template <size_t N> void setFrom(std::array<uint8_t, N> &r, const Mem &m)
{
    std::copy_n(m.begin(), N, r.begin());
}

} // namespace

bool inRange(int s, int n)
{
    return s >= 0 && s < stageCount && n >= 0 && n < maxSections;
}

bool vertical(const StageTables &t, int s, int n)
{
    return t.vertFlag[s][n] != 0;
}

std::vector<Area> areasOf(
    const StageTables &t, const RomImage &img, int s, int n, std::string *unread)
{
    std::vector<Area> out;
    const uint8_t mask = t.readMask[s][n];
    auto need = [&](uint8_t bit, const char *what) {
        if (mask & bit)
            return true;
        if (unread)
            *unread += unread->empty() ? what : std::string(", ") + what;
        return false;
    };
    auto cells = [](int len, size_t size) { return std::min(len, static_cast<int>(size)); };
    if (need(rec::Layout, "layout"))
        out.push_back({ Kind::Layout, t.layoutPos[s][n],
            cells(t.layoutLen[s][n], t.layoutStr[s][n].size()) });
    if (t.doorPos[s][n] != 0 && need(rec::Doors, "doors"))
        out.push_back({ Kind::Doors, t.doorPos[s][n], 1 });
    if (s == 1 && n >= 9) // the mirror sections carry no object data
        return out;
    const bool vert = vertical(t, s, n);
    if (need(rec::Objects, "objects")) {
        if (vert)
            out.push_back({ Kind::Objects, t.enemyPos[s][n],
                listCount(img, Kind::Objects, t.enemyPos[s][n], objSlots) });
        else
            out.push_back({ Kind::Columns, t.enemyPos[s][n] + 2,
                cells(t.objLen[s][n], t.puStr[s][n].size()) });
    }
    if (need(rec::Stairs, "staircases"))
        out.push_back({ Kind::Stairs, t.stairPos[s][n],
            listCount(img, Kind::Stairs, t.stairPos[s][n], stairSlots - 1) });
    if (t.startTbl[s][n].pos != 0 && need(rec::Start, "start point"))
        out.push_back({ Kind::Start, t.startTbl[s][n].pos, 1 });
    if (t.specialIdx[s][n] != 0 && need(rec::Special, "special objects"))
        out.push_back({ Kind::Specials, t.specialPos[s][n],
            listCount(img, Kind::Specials, t.specialPos[s][n], specialSlots - 1) });
    if (vert && need(rec::Scroll, "scroll byte")) {
        out.push_back({ Kind::Scroll, t.scrollPos[s][n], 1 });
        int i = vScrollIndex(s, n);
        if (i >= 0 && t.vScrollRead[i])
            out.push_back({ Kind::VScroll, t.vScrollPos[i], 1 });
    }
    return out;
}

Mem get(const StageTables &t, Kind k, int s, int n, int i)
{
    switch (k) {
    case Kind::Layout:
        return { static_cast<uint8_t>(t.layoutStr[s][n][i]) };
    case Kind::Columns:
        return { static_cast<uint8_t>(t.puStr[s][n][i]) };
    case Kind::Objects:
        return memOf(t.enemyTbl[s][n][i]);
    case Kind::Stairs:
        return memOf(t.stairTbl[s][n][i]);
    case Kind::Specials:
        return memOf(t.specialTbl[s][n][i]);
    case Kind::Start: {
        const startRec &st = t.startTbl[s][n];
        return { st.nibLo, st.nibHi, st.screen };
    }
    case Kind::Doors:
        return { t.door1[s][n], t.door2[s][n] };
    case Kind::Scroll:
        return { t.scrollByte[s][n] };
    case Kind::VScroll:
        return { t.vScrollType[vScrollIndex(s, n)] };
    }
    return {};
}

void put(StageTables &t, Kind k, int s, int n, int i, const Mem &m)
{
    switch (k) {
    case Kind::Layout:
        t.layoutStr[s][n][i] = static_cast<char>(m[0]);
        break;
    case Kind::Columns:
        t.puStr[s][n][i] = static_cast<char>(m[0]);
        break;
    case Kind::Objects:
        setFrom(t.enemyTbl[s][n][i], m);
        break;
    case Kind::Stairs:
        setFrom(t.stairTbl[s][n][i], m);
        break;
    case Kind::Specials:
        setFrom(t.specialTbl[s][n][i], m);
        break;
    case Kind::Start:
        t.startTbl[s][n].nibLo = m[0];
        t.startTbl[s][n].nibHi = m[1];
        t.startTbl[s][n].screen = m[2];
        break;
    case Kind::Doors:
        t.door1[s][n] = m[0];
        t.door2[s][n] = m[1];
        break;
    case Kind::Scroll:
        t.scrollByte[s][n] = m[0];
        break;
    case Kind::VScroll:
        t.vScrollType[vScrollIndex(s, n)] = m[0];
        break;
    }
}

bool sorted(Kind k)
{
    return k == Kind::Objects || k == Kind::Specials;
}

int fileSlot(const Snapshot &sn, Kind k, int s, int n, int i)
{
    if (!sorted(k))
        return i;
    auto it = sn.fileSlot.find(listKey(s, n, k == Kind::Specials));
    return it == sn.fileSlot.end() || i >= static_cast<int>(it->second.size()) ? i : it->second[i];
}

} // namespace snap::records
