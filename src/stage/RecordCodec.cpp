#include "stage/RecordCodec.h"

#include "rom/Numbers.h"

#include <algorithm>
#include <utility>

namespace codec {

namespace {

std::string chars(const Bytes &b)
{
    return std::string(b.begin(), b.end());
}

Bytes bytesOf(const std::string &s)
{
    return Bytes(s.begin(), s.end());
}

bool vertical(const StageTables &t, int s, int n)
{
    return t.vertFlag[s][n] != 0;
}

void add(std::vector<Patch> &out, int32_t pos, Bytes b)
{
    if (!b.empty())
        out.push_back({ pos, std::move(b) });
}

} // namespace

void readLayout(const RomImage &rom, StageTables &t, int s, int n)
{
    t.layoutStr[s][n] = chars(rom.bytes(t.layoutPos[s][n], t.layoutLen[s][n]));
    t.readMask[s][n] |= rec::Layout;
}

bool readObjects(const RomImage &rom, StageTables &t, int s, int n)
{
    auto slots = t.enemyTbl[s][n];
    int32_t pos = t.enemyPos[s][n];
    int k = 0;
    for (; k < objSlots; ++k, pos += 7) {
        objRec &o = slots[k];
        o[2] = rom.byte(pos);
        if (o[2] == 0xFF)
            break;
        Bytes b = rom.bytes(pos + 1, 6);
        o[1] = b[0];
        o[3] = b[1];
        o[0] = b[2];
        o[4] = b[3];
        o[5] = b[4];
        o[6] = b[5];
    }
    t.enemyTbl[s][n] = slots;
    t.objLen[s][n] = std::min(k, objSlots) - 1;
    t.readMask[s][n] |= rec::Objects;
    return k < objSlots;
}

void readColumns(const RomImage &rom, StageTables &t, int s, int n)
{
    int len = t.layoutLen[s][n] / 6;
    t.puStr[s][n] = chars(rom.bytes(t.enemyPos[s][n] + 2, len));
    t.objLen[s][n] = len;
    t.readMask[s][n] |= rec::Objects;
}

bool readStairs(const RomImage &rom, StageTables &t, int s, int n)
{
    auto slots = t.stairTbl[s][n];
    bool vert = vertical(t, s, n);
    int32_t pos = t.stairPos[s][n];
    bool fits = true;
    int k = 0;
    for (;; ++k, pos += 3) {
        uint8_t b0 = rom.byte(pos);
        if (b0 == 0xFF)
            break;
        if (k == stairSlots - 1) { // no slot left for the end mark
            fits = false;
            break;
        }
        Bytes b = rom.bytes(pos + 1, 2);
        stairRec &r = slots[k];
        r[3] = (b0 >> 4) & 12; // bits 5-4 are not kept
        if (vert) {
            r[2] = b0 & 15;
            r[1] = b[0];
            r[0] = b[1];
        } else {
            r[1] = b0 & 15;
            r[0] = b[0];
            r[2] = b[1];
        }
    }
    slots[k][2] = 255;
    t.stairTbl[s][n] = slots;
    t.readMask[s][n] |= rec::Stairs;
    return fits;
}

void readStart(const RomImage &rom, StageTables &t, int s, int n)
{
    startRec &st = t.startTbl[s][n];
    if (st.pos == 0)
        return;
    Bytes b = rom.bytes(st.pos, 2);
    st.nibHi = b[0] >> 4;
    st.nibLo = b[0] & 15;
    st.screen = b[1];
    t.readMask[s][n] |= rec::Start;
}

bool readSpecials(const RomImage &rom, StageTables &t, int s, int n)
{
    if (t.specialIdx[s][n] == 0)
        return true;
    auto slots = t.specialTbl[s][n];
    bool vert = vertical(t, s, n);
    int32_t pos = t.specialPos[s][n];
    bool fits = true;
    for (int k = 0; k < specialSlots; ++k, pos += 8) {
        Bytes b = rom.bytes(pos, 8);
        specialRec &r = slots[k];
        std::copy(b.begin(), b.end(), r.begin());
        if (r[0] == 9 && r[3] == 5) { // the ROM form of an empty slot
            r[0] = 0;
            r[3] = 0;
        }
        if (vert)
            std::swap(r[1], r[4]);
        if (r[0] == 0xFF)
            break;
        if (k == specialSlots - 1) { // a 31st record: the list is cut here
            r[0] = 0xFF;
            fits = false;
        }
    }
    t.specialTbl[s][n] = slots;
    t.readMask[s][n] |= rec::Special;
    return fits;
}

void readDoors(const RomImage &rom, StageTables &t, int s, int n)
{
    if (t.doorPos[s][n] == 0)
        return;
    Bytes b = rom.bytes(t.doorPos[s][n], 2);
    t.door1[s][n] = b[0];
    t.door2[s][n] = b[1];
    t.readMask[s][n] |= rec::Doors;
}

void readScroll(const RomImage &rom, StageTables &t, int s, int n)
{
    t.scrollByte[s][n] = rom.byte(t.scrollPos[s][n]);
    t.readMask[s][n] |= rec::Scroll;
}

std::vector<int> objectOrder(const StageTables &t, int s, int n)
{
    const auto &slots = t.enemyTbl[s][n];
    int last = std::min(t.objLen[s][n], objSlots - 1);
    std::vector<int> order;
    for (int screen = 3; screen >= 0; --screen) {
        std::vector<int> group;
        for (int k = 0; k <= last; ++k)
            if (slots[k][2] == screen)
                group.push_back(k);
        std::stable_sort(
            group.begin(), group.end(), [&](int a, int b) { return slots[a][1] > slots[b][1]; });
        order.insert(order.end(), group.begin(), group.end());
    }
    if (s == 11 || s == 14)
        std::reverse(order.begin(), order.end());
    return order;
}

void writeLayout(const StageTables &t, int s, int n, std::vector<Patch> &out)
{
    add(out, t.layoutPos[s][n], bytesOf(t.layoutStr[s][n]));
}

void writeObjects(const StageTables &t, int s, int n, std::vector<Patch> &out)
{
    Bytes b;
    for (int k : objectOrder(t, s, n)) {
        const objRec &o = t.enemyTbl[s][n][k];
        b.insert(b.end(), { o[2], o[1], o[3], o[0], o[4], o[5], o[6] });
    }
    add(out, t.enemyPos[s][n], std::move(b));
}

void writeColumns(const StageTables &t, int s, int n, std::vector<Patch> &out)
{
    add(out, t.enemyPos[s][n] + 2, bytesOf(t.puStr[s][n]));
}

void writeStairs(StageTables &t, int s, int n, std::vector<Patch> &out)
{
    bool vert = vertical(t, s, n);
    Bytes b;
    for (stairRec &r : t.stairTbl[s][n]) {
        if (r[2] == 255)
            break;
        if (vert) {
            if (r[1] >= 240)
                r[1] -= 16;
            b.insert(b.end(), { num::toByte(r[3] * 16 + r[2]), r[1], r[0] });
        } else {
            b.insert(b.end(), { num::toByte(r[3] * 16 + r[1]), r[0], r[2] });
        }
    }
    add(out, t.stairPos[s][n], std::move(b));
}

void writeStart(const StageTables &t, int s, int n, std::vector<Patch> &out)
{
    const startRec &st = t.startTbl[s][n];
    if (st.pos != 0)
        add(out, st.pos, { num::toByte(st.nibHi * 16 + st.nibLo), st.screen });
}

void writeSpecials(StageTables &t, int s, int n, std::vector<Patch> &out)
{
    if (t.specialIdx[s][n] == 0)
        return;
    auto &slots = t.specialTbl[s][n];
    std::vector<int> order;
    for (int screen = 0; screen <= 9; ++screen) {
        for (int k = 0; k < specialSlots; ++k) {
            specialRec &r = slots[k];
            if (r[4] == 0x20 && r[3] == 0) { // "Empty" goes out in the ROM's empty form
                r[3] = 5;
                r[0] = 9;
            }
            if (r[0] == 0xFF)
                break;
            if (r[0] == screen)
                order.push_back(k);
        }
    }
    bool vert = vertical(t, s, n);
    Bytes b;
    for (int k : order) {
        if (vert)
            swapb25(t, s, n, k);
        specialRec &r = slots[k];
        b.insert(b.end(), r.begin(), r.end());
        if (r[0] == 9 && r[3] == 5) {
            r[0] = 0;
            r[3] = 0;
        }
        if (vert)
            swapb25(t, s, n, k);
    }
    add(out, t.specialPos[s][n], std::move(b));
}

void writeDoors(const StageTables &t, int s, int n, std::vector<Patch> &out)
{
    if (t.doorPos[s][n] != 0)
        add(out, t.doorPos[s][n], { t.door1[s][n], t.door2[s][n] });
}

void writeScroll(const StageTables &t, int s, int n, std::vector<Patch> &out)
{
    if (vertical(t, s, n))
        add(out, t.scrollPos[s][n], { t.scrollByte[s][n] });
}

void swapb25(StageTables &t, int stage, int section, int slot)
{
    specialRec &r = t.specialTbl[stage][section][slot];
    std::swap(r[1], r[4]);
}

} // namespace codec
