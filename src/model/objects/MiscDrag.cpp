#include "model/objects/MiscDrag.h"

namespace special {

using dragmath::rnd;
using dragmath::snap;
using dragmath::store;

namespace {

// What `write` stores into a copy of the record is taken only when every store fits and the
// result is a place the record can hold (`write` returns false otherwise); else the record
// stays as it was.
template <class R, class F> bool storeAll(R &rec, dragmath::Errors &errors, F write)
{
    R r = rec;
    const size_t failed = errors.size();
    if (!write(r) || errors.size() != failed)
        return false;
    rec = r;
    return true;
}

// The ROM keeps a horizontal staircase's row, and a vertical one's screen, in 4 bits.
bool stairFromH(stairRec &r, int k, const Moved &m, const ScrollState &s, dragmath::Errors &e)
{
    long long a = k == 1 || k == 2 ? 24 : 0;
    a = rnd(m.left / 10.0 + 96.0 * s.h + a - 36);
    store(r[2], a / 768, e);
    a %= 768;
    if (a < 0)
        a = 0;
    store(r[0], rnd(a / 3.0), e);
    const long long b = k < 2 ? 240 : 0;
    store(r[1], rnd((m.top + b + 120) / 480.0), e);
    return r[1] <= 15 && r[2] < s.screens;
}

bool stairFromV(stairRec &r, int k, const Moved &m, const ScrollState &s, dragmath::Errors &e)
{
    long long a = k == 1 || k == 2 ? 240 : 0;
    a = rnd(m.left + a - 360);
    store(r[0], rnd(a / 30.0), e);
    long long b = k < 2 ? 24 : 0;
    b = rnd(96.0 * s.v + b + m.top / 10.0 - 84);
    if (b < 0)
        b = 0;
    store(r[2], b / 768, e);
    store(r[1], rnd((b % 768) / 3.0), e);
    return r[2] <= 15 && r[2] < s.screens;
}

} // namespace

// A step the bounds refuse, or whose place the record cannot hold, leaves the marker and the
// record where they were.
Moved dragStair(stairRec &rec, bool vertical, int x, int y, int left, int top, const ScrollState &s,
    dragmath::Errors &errors)
{
    const Moved stay { false, left, top };
    const int k = rec[3] / 4;
    Moved out;
    if (!vertical) {
        if ((x < 600 && s.h == 0) || (x > 7560 && s.h == s.hMax))
            return stay;
        out = { true, static_cast<int>(snap(x, 360, 240)),
            static_cast<int>(snap(y, k >= 2 ? 360 : 600, 480)) };
    } else {
        if (x < 600 || x > 7800 || (y < 900 && s.v == 0) || (y > 5440 && s.v == s.vMax))
            return stay;
        out = { true, static_cast<int>(snap(x, 360, 240)), static_cast<int>(snap(y, 360, 240)) };
    }
    const bool stored = storeAll(rec, errors, [&](stairRec &r) {
        return vertical ? stairFromV(r, k, out, s, errors) : stairFromH(r, k, out, s, errors);
    });
    return stored ? out : stay;
}

namespace {

// The start point's place is kept in two nibbles.
bool startFrom(startRec &r, bool vertical, int stage, int layoutLen, const Moved &m,
    const ScrollState &s, dragmath::Errors &e)
{
    if (!vertical) {
        const long long a = rnd(96.0 * s.h + m.left / 10.0 - 12);
        store(r.screen, a / 768, e);
        store(r.nibHi, rnd((a % 768) / 48.0), e);
        store(r.nibLo, rnd((m.top + 1020) / 480.0), e);
        return r.nibHi <= 15 && r.nibLo <= 15 && r.screen < s.screens;
    }
    store(r.nibHi, rnd((m.left - 120) / 480.0), e);
    if (stage == 11 || stage == 14)
        store(r.nibLo, rnd((m.top + 960.0 * s.v + 1800) / 480.0), e);
    else
        store(r.nibLo, rnd((m.top + 960.0 * s.v + 240 - (layoutLen / 64 - 1) * 7680.0) / 480.0), e);
    return r.nibHi <= 15 && r.nibLo <= 15;
}

} // namespace

Moved dragStart(startRec &rec, bool vertical, int stage, int layoutLen, int x, int y, int left,
    int top, const ScrollState &s, dragmath::Errors &errors)
{
    const Moved stay { false, left, top };
    bool inside = false;
    if (!vertical) {
        inside = !(s.h == 0 && x < 600) && y < 5600 && !(s.h == s.hMax && x > 7560);
    } else {
        if (stage == 11 || stage == 14) {
            inside = 960LL * s.v + y - 360 < 6360;
        } else {
            const float rows = static_cast<float>((s.vMax + 6) - ((y - 360) / 960.0 + s.v));
            inside = rows < 7.4f;
        }
        inside = inside && x > 600 && y < 5300 && x < 7560;
    }
    if (!inside)
        return stay;
    const Moved out { true, static_cast<int>(snap(x, 600, 480)),
        static_cast<int>(snap(y, vertical ? -240 : -120, 480)) };
    const bool stored = storeAll(rec, errors,
        [&](startRec &r) { return startFrom(r, vertical, stage, layoutLen, out, s, errors); });
    return stored ? out : stay;
}

Moved dragDoor(uint8_t &door, int y, int left, int top, dragmath::Errors &errors)
{
    const Moved stay { false, left, top };
    if (y <= 0 || y >= 4500)
        return stay;
    const Moved out { true, left, static_cast<int>(snap(y, 360, 480)) };
    const bool stored = storeAll(door, errors, [&](uint8_t &d) {
        store(d, rnd((out.top - 360) / 30.0 + 64), errors);
        return true;
    });
    return stored ? out : stay;
}

namespace {

double offsetOf(const Offsets &table, int type)
{
    return type >= 0 && type < static_cast<int>(table.size()) ? table[static_cast<size_t>(type)]
                                                              : 0.0;
}

} // namespace

namespace {

Moved dragSpecialTo(specialRec &rec, bool vertical, int x, int y, int left, int top,
    const ScrollState &s, const Offsets &stOffX, const Offsets &stOffY, dragmath::Errors &errors)
{
    Moved out { false, left, top };
    const int t = rec[3];
    const double offX = offsetOf(stOffX, t);
    const double offY = offsetOf(stOffY, t);
    if (y > 360 && y < 5700) {
        const int grid = (!vertical && t == 16) || (vertical && t == 17) ? 480 : 240;
        out = { true, static_cast<int>(snap(x, 360, grid)), static_cast<int>(snap(y, 360, grid)) };
        if (!vertical) {
            long long a = rnd(out.left / 10.0 + 96.0 * s.h - 36 - 48 * offY);
            a *= 10;
            store(rec[0], a / 7680, errors);
            a = rnd((a % 7680) / 30.0);
            if (t == 16)
                a += 8;
            store(rec[1], a, errors);
            if (t != 6 && t != 7)
                store(rec[4], rnd((out.top + 600) / 30.0 - 16 * offX), errors);
            else
                rec[4] = 0;
        } else {
            // Along the scroll axis: the vertical byte [4] in memory order.
            long long b = rnd(out.top / 10.0 + 96.0 * s.v - 36 - 48 * offX);
            b *= 10;
            store(rec[0], b / 7680, errors);
            if (t != 6 && t != 7) {
                b = rnd((b % 7680) / 30.0);
                if (t == 17)
                    b += rec[6] == 0 ? 5 : rec[6] == 1 ? 13 : 0;
                store(rec[4], b, errors);
            } else {
                rec[4] = 0;
            }
            const long long a = t == 17 ? 8 : 0;
            store(rec[1], rnd((out.left - 360) / 30.0 + a - 16 * offY), errors);
        }
    }
    if (t == 16 && rec[6] == 0)
        rec[4] = static_cast<uint8_t>((rec[4] / 16) * 16 + 8);
    return out;
}

} // namespace

// An offset marker near the section's end could name the screen after the last, and one at
// the section's start a place before it: such a step is refused, the record and the marker
// stay.
Moved dragSpecial(specialRec &rec, bool vertical, int x, int y, int left, int top,
    const ScrollState &s, const Offsets &stOffX, const Offsets &stOffY, dragmath::Errors &errors)
{
    Moved out;
    const bool stored = storeAll(rec, errors, [&](specialRec &r) {
        out = dragSpecialTo(r, vertical, x, y, left, top, s, stOffX, stOffY, errors);
        return r[0] < s.screens;
    });
    return stored ? out : Moved { false, left, top };
}

namespace {

// Adds d to a byte of the record unless the sum would leave 0..255.
bool addTo(uint8_t &b, int d)
{
    const int v = b + d;
    if (v < 0 || v > 255)
        return false;
    b = static_cast<uint8_t>(v);
    return true;
}

// A step of 8 along byte `b`, carried into the screen byte [2] at the screen's edge.
bool stepCarried(stairRec &r, size_t b, int d)
{
    if (d > 0 && r[b] == 248) {
        r[b] = 0;
        return addTo(r[2], 1);
    }
    if (d < 0 && r[b] == 0) {
        r[b] = 248;
        return addTo(r[2], -1);
    }
    return addTo(r[b], d);
}

// The kind after `kind` in the turn's cycle 0, 4, 8, 12; -1 for a kind that does not turn.
int nextKind(int kind)
{
    switch (kind) {
    case 0:
    case 4:
    case 8:
        return kind + 4;
    case 12:
        return 0;
    default:
        return -1;
    }
}

// Moves the record of kind `kind` so that the turned staircase keeps its place; false when a
// byte would leave 0..255. Horizontal sections shift kinds 4 and 12 by a row instead.
bool shiftForTurn(stairRec &r, int kind, bool vertical, int &topShift)
{
    switch (kind) {
    case 0:
        return vertical ? addTo(r[0], 8) : stepCarried(r, 0, 8);
    case 4:
        if (vertical)
            return stepCarried(r, 1, -8);
        topShift = -240;
        return addTo(r[1], -1);
    case 8:
        return vertical ? addTo(r[0], -8) : stepCarried(r, 0, -8);
    default: // 12
        if (vertical)
            return stepCarried(r, 1, 8);
        topShift = 240;
        return addTo(r[1], 1);
    }
}

} // namespace

bool turnStair(stairRec &rec, bool vertical, int &topShift)
{
    topShift = 0;
    const int next = nextKind(rec[3]);
    if (next < 0)
        return true; // other kinds keep their record
    stairRec r = rec;
    const bool ok = shiftForTurn(r, rec[3], vertical, topShift);
    r[3] = static_cast<uint8_t>(next);
    // The ROM keeps the row (horizontal) or the screen (vertical) in 4 bits beside the kind.
    const bool fits = vertical ? r[2] <= 15 : r[1] <= 15;
    if (!ok || !fits || r[2] == 255) { // 255 would end the list
        topShift = 0;
        return false;
    }
    rec = r;
    return true;
}

void dropStairH(stairRec &rec, int screen)
{
    rec[2] = static_cast<uint8_t>(screen);
    rec[1] = 7;
    rec[0] = 0x80;
}

void dropStairV(stairRec &rec, int screen)
{
    rec[2] = static_cast<uint8_t>(screen);
    rec[1] = 0x80;
    rec[0] = 0x80;
}

void dropStart(startRec &rec, int screen)
{
    rec.screen = static_cast<uint8_t>(screen);
    rec.nibLo = 7;
    rec.nibHi = 7;
}

void dropSpecial(specialRec &rec, int screen)
{
    rec[0] = static_cast<uint8_t>(screen);
    rec[4] = rec[3] == 6 || rec[3] == 7 ? 0 : 0x80;
    rec[1] = 0x80;
}

} // namespace special
