#include "stage/RecordCodec.h"

#include "rom/VbError.h"

#include <algorithm>
#include <utility>

namespace codec {

namespace {

// Copies the n bytes at pos into `to`, in the storage it has.
void chars(const RomImage &rom, long long pos, long long n, std::string &to)
{
    to.assign(reinterpret_cast<const char *>(rom.at(pos, n)), static_cast<size_t>(n));
}

bool vertical(const StageTables &t, int s, int n)
{
    return t.vertFlag[s][n] != 0;
}

} // namespace

void readLayout(const RomImage &rom, StageTables &t, int s, int n)
{
    chars(rom, t.layoutPos[s][n], t.layoutLen[s][n], t.layoutStr[s][n]);
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
        Mem m = decode(Kind::Objects, rom.at(pos, 7), false);
        std::copy_n(m.begin(), o.size(), o.begin());
    }
    t.enemyTbl[s][n] = slots;
    t.objLen[s][n] = std::min(k, objSlots) - 1;
    t.readMask[s][n] |= rec::Objects;
    return k < objSlots;
}

void readColumns(const RomImage &rom, StageTables &t, int s, int n)
{
    int len = t.layoutLen[s][n] / 6;
    chars(rom, t.enemyPos[s][n] + 2, len, t.puStr[s][n]);
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
        if (rom.byte(pos) == 0xFF)
            break;
        if (k == stairSlots - 1) { // no slot left for the end mark
            fits = false;
            break;
        }
        Mem m = decode(Kind::Stairs, rom.at(pos, 3), vert);
        std::copy_n(m.begin(), stairRec {}.size(), slots[k].begin());
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
    Mem m = decode(Kind::Start, rom.at(st.pos, 2), false);
    st.nibLo = m[0];
    st.nibHi = m[1];
    st.screen = m[2];
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
        const uint8_t *b = rom.at(pos, 8);
        specialRec &r = slots[k];
        // The end record is tested before anything else and kept as it is.
        if (isEnd(Kind::Specials, b) || k == specialSlots - 1) {
            std::copy_n(b, 8, r.begin());
            if (vert)
                std::swap(r[1], r[4]);
            if (r[0] != 0xFF) { // a 31st record: the list is cut here
                r[0] = 0xFF;
                fits = false;
            }
            break;
        }
        Mem m = decode(Kind::Specials, b, vert);
        std::copy_n(m.begin(), r.size(), r.begin());
    }
    t.specialTbl[s][n] = slots;
    t.readMask[s][n] |= rec::Special;
    return fits;
}

void readDoors(const RomImage &rom, StageTables &t, int s, int n)
{
    if (t.doorPos[s][n] == 0)
        return;
    const uint8_t *b = rom.at(t.doorPos[s][n], 2);
    t.door1[s][n] = b[0];
    t.door2[s][n] = b[1];
    t.readMask[s][n] |= rec::Doors;
}

void readScroll(const RomImage &rom, StageTables &t, int s, int n)
{
    t.scrollByte[s][n] = rom.byte(t.scrollPos[s][n]);
    t.readMask[s][n] |= rec::Scroll;
}

void swapb25(StageTables &t, int stage, int section, int slot)
{
    specialRec &r = t.specialTbl[stage][section][slot];
    std::swap(r[1], r[4]);
}

int recordSize(Kind k)
{
    switch (k) {
    case Kind::Objects:
        return 7;
    case Kind::Stairs:
        return 3;
    case Kind::Specials:
        return 8;
    case Kind::Start:
    case Kind::Doors:
        return 2;
    default:
        return 1;
    }
}

bool isEnd(Kind k, const uint8_t *rom)
{
    return (k == Kind::Objects || k == Kind::Stairs || k == Kind::Specials) && rom[0] == 0xFF;
}

Mem decode(Kind k, const uint8_t *b, bool vert)
{
    Mem m {};
    switch (k) {
    case Kind::Objects:
        m = { b[3], b[1], b[0], b[2], b[4], b[5], b[6] };
        break;
    case Kind::Stairs:
        m[3] = (b[0] >> 4) & 12; // bits 5-4 are not modelled
        if (vert)
            m = { b[2], b[1], static_cast<uint8_t>(b[0] & 15), m[3] };
        else
            m = { b[1], static_cast<uint8_t>(b[0] & 15), b[2], m[3] };
        break;
    case Kind::Specials:
        std::copy_n(b, 8, m.begin());
        if (m[0] == 9 && m[3] == 5) { // the ROM form of an empty slot
            m[0] = 0;
            m[3] = 0;
        }
        if (vert)
            std::swap(m[1], m[4]);
        break;
    case Kind::Start:
        m = { static_cast<uint8_t>(b[0] & 15), static_cast<uint8_t>(b[0] >> 4), b[1] };
        break;
    case Kind::Doors:
        m = { b[0], b[1] };
        break;
    default:
        m[0] = b[0];
    }
    return m;
}

namespace {

uint8_t nibbles(int hi, int lo)
{
    if (hi > 15 || lo > 15)
        throw VbError("Overflow");
    return static_cast<uint8_t>(hi * 16 + lo);
}

void encodeSpecial(const Mem &now, const Mem &was, const uint8_t *raw, bool vert, uint8_t *out)
{
    std::copy_n(now.begin(), 8, out);
    if (vert)
        std::swap(out[1], out[4]);
    // A slot loaded empty and still at its screen and type keeps the file's own form of them;
    // any other slot that is "Empty" now goes out in the ROM's empty form. A crumbling bridge
    // emptied has the type it had, so only the slot as loaded tells it from one left empty.
    const bool loadedEmpty = (raw[0] == 9 && raw[3] == 5) || (was[3] == 0 && was[4] == 0x20);
    if (loadedEmpty && now[0] == was[0] && now[3] == was[3]) {
        out[0] = raw[0];
        out[3] = raw[3];
    } else if (now[3] == 0 && now[4] == 0x20) {
        out[0] = 9;
        out[3] = 5;
    }
}

} // namespace

void encode(Kind k, const Mem &now, const Mem &was, const uint8_t *raw, bool vert, uint8_t *out)
{
    switch (k) {
    case Kind::Objects:
        std::copy_n(Mem { now[2], now[1], now[3], now[0], now[4], now[5], now[6] }.begin(), 7, out);
        break;
    case Kind::Stairs: {
        if (now[3] & ~12)
            throw VbError("Overflow");
        uint8_t y = vert && now[1] >= 240 ? static_cast<uint8_t>(now[1] - 16) : now[1];
        uint8_t b0 = nibbles(now[3], vert ? now[2] : now[1]);
        b0 = static_cast<uint8_t>(b0 | (raw[0] & 0x30));
        if (vert)
            std::copy_n(Mem { b0, y, now[0] }.begin(), 3, out);
        else
            std::copy_n(Mem { b0, now[0], now[2] }.begin(), 3, out);
        break;
    }
    case Kind::Specials:
        encodeSpecial(now, was, raw, vert, out);
        break;
    case Kind::Start:
        out[0] = nibbles(now[1], now[0]);
        out[1] = now[2];
        break;
    case Kind::Doors:
        out[0] = now[0];
        out[1] = now[1];
        break;
    default:
        out[0] = now[0];
    }
}

} // namespace codec
