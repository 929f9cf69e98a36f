#include "model/objects/MiscLayout.h"

#include "model/objects/DragMath.h"
#include "model/objects/SpecialTypes.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace special {

namespace {

// The level view in twips of the window's client area: 8 x 6 cells of 960 twips.
constexpr int viewLeft = 360;
constexpr int viewTop = 360;
constexpr int viewRight = viewLeft + 8 * 960;
constexpr int viewBottom = viewTop + 6 * 960;

// A place along the scrolling taken into [0, end): an object before the section's start or
// past its end is shown at the first or last position the view reaches.
template <class T> T inSection(T p, T end)
{
    return p < 0 ? 0 : p >= end ? end - 1 : p;
}

// A shown marker drawn wholly inside the view, so that the pointer reaches all of it.
Place inView(Place p)
{
    if (p.shown) {
        p.left = std::clamp(p.left, viewLeft, viewRight - p.width);
        p.top = std::clamp(p.top, viewTop, viewBottom - p.height);
    }
    return p;
}

int pixelsOf(int screens)
{
    return 256 * std::max(screens, 1);
}

} // namespace

Place stairPlace(const stairRec &rec, bool vertical, int h, int v, int screens)
{
    Place out;
    const int k = rec[3] / 4;
    out.width = out.height = 240;
    out.picture = "s" + std::to_string(k) + ".dat";
    if (vertical) {
        int p = rec[2] * 256 + rec[1];
        if (k < 2)
            p -= 8;
        if (p % 256 >= 224)
            p += 16;
        // The view shows a staircase's place 16 pixels short of its bottom.
        p = inSection(p, pixelsOf(screens) - 16);
        if (32 * v <= p && p < 32 * v + 176) {
            out.shown = true;
            out.left = rec[0] * 30 + 360 - (k == 1 || k == 2 ? 240 : 0);
            out.top = (p - 32 * v) * 30 + 840;
        }
    } else {
        int p = rec[2] * 256 + rec[0];
        if (k == 1 || k == 2)
            p -= 8;
        p = inSection(p, pixelsOf(screens));
        if (32 * h <= p && p < 32 * h + 256) {
            out.shown = true;
            out.left = (p - 32 * h) * 30 + 360;
            out.top = rec[1] * 480 - 120 - (k < 2 ? 240 : 0);
        }
    }
    return inView(out);
}

Place startPlace(const startRec &rec, bool vertical, int stage, int layoutLen, int h, int v)
{
    Place out;
    out.width = 480;
    out.height = 960;
    out.picture = rec.nibHi < 8 ? "trevor.dat" : "rovert.dat";
    const int end = pixelsOf(layoutLen / (vertical ? 64 : 48));
    if (vertical) {
        const int p = inSection(stage == 11 || stage == 14
                ? rec.nibLo * 16 - 36
                : (layoutLen / 64 - 1) * 256 + 12 + rec.nibLo * 16,
            end);
        if (32 * v <= p && p < 32 * v + 192) {
            out.shown = true;
            out.left = rec.nibHi * 480 + 120;
            out.top = (p - 32 * v) * 30 - 600;
        }
    } else {
        const int p = inSection(rec.screen * 256 + rec.nibHi * 16, end);
        if (32 * h <= p && p < 32 * h + 256) {
            out.shown = true;
            out.left = (p - 32 * h) * 30 + 120;
            out.top = rec.nibLo * 480 - 1080;
        }
    }
    return inView(out);
}

namespace {

// The half-cell corrections of a marker by its type.
void adjustments(specialRec &rec, int &xAdj, int &yAdj, int &counter)
{
    switch (rec[3]) {
    case 1:
        if ((rec[1] & 15) == 8)
            xAdj = 1;
        break;
    case 3:
        if (rec[6] == 13)
            rec[6] = 10;
        else if (rec[6] == 12)
            rec[6] = 16;
        else if (rec[6] == 23)
            rec[6] = 33;
        break;
    case 5: {
        static const int adj[5] = { 0, -2, 4, -4, -8 };
        if (rec[5] >= 1 && rec[5] <= 4)
            xAdj = adj[rec[5]];
        break;
    }
    case 6:
    case 7:
    case 11:
    case 12:
        xAdj = (rec[1] & 15) / 8;
        yAdj = (rec[4] & 15) / 8;
        break;
    case 8:
        if (rec[5] == 3 || rec[5] == 4)
            xAdj = -1;
        else if (rec[5] == 7) {
            xAdj = -1;
            yAdj = -6;
        } else if (rec[5] == 8)
            xAdj = 3;
        break;
    case 9:
        if (rec[5] == 0)
            xAdj = -1;
        else if (rec[5] == 1 || rec[5] == 2)
            xAdj = 1;
        else if (rec[5] == 6)
            xAdj = -2;
        break;
    case 13:
        if (rec[7] == 0 || rec[7] == 4)
            xAdj = -3;
        else if (rec[7] == 2)
            xAdj = -1;
        else if (rec[7] == 6)
            yAdj = 16;
        break;
    case 16:
    case 17:
        rec[7] = static_cast<uint8_t>(++counter);
        break;
    default:
        break;
    }
}

float offsetOf(const Offsets &table, int type)
{
    return type >= 0 && type < static_cast<int>(table.size()) ? table[static_cast<size_t>(type)]
                                                              : 0.0f;
}

int twips(double v)
{
    return static_cast<int>(dragmath::rnd(v));
}

} // namespace

Place specialPlace(specialRec &rec, bool vertical, int h, int v, int screens, const Offsets &stOffX,
    const Offsets &stOffY, int &counter)
{
    Place out;
    int xAdj = 0;
    int yAdj = 0;
    adjustments(rec, xAdj, yAdj, counter);
    const int type = rec[3];
    const double offX = offsetOf(stOffX, type);
    const double offY = offsetOf(stOffY, type);
    const double cells = pixelsOf(screens) / 16.0;
    if (vertical) {
        const double y = inSection(rec[0] * 16 + rec[4] / 16 + offX + yAdj / 2.0, cells);
        if (2 * v <= y && y < 2 * v + 12) {
            out.shown = true;
            out.left = twips((rec[1] / 16 + offY + xAdj / 2.0) * 480 + 360);
            out.top = twips((y - 2 * v) * 480 + 360);
        }
    } else {
        if ((rec[4] & 15) == 14)
            yAdj = 2;
        const double x = inSection(rec[0] * 16 + rec[1] / 16 + offY + xAdj / 2.0, cells);
        if (2 * h <= x && x < 2 * h + 16) {
            out.shown = true;
            out.left = twips((x - 2 * h) * 480 + 360);
            out.top = twips((rec[4] / 16 + offX + yAdj / 2.0) * 480 - 600);
        }
    }
    out.picture = pictureOf(rec);
    if (!vertical && type == 16 && rec[6] == 0)
        rec[4] = static_cast<uint8_t>((rec[4] & 0xF0) | 8);
    if (vertical && type == 17 && rec[6] <= 1)
        rec[4] = static_cast<uint8_t>((rec[4] & 0xF0) | (rec[6] == 0 ? 5 : 13));
    return inView(out);
}

bool listedDoorSection(int stage, int section)
{
    static const int listed[8][2]
        = { { 1, 9 }, { 1, 11 }, { 2, 7 }, { 3, 4 }, { 10, 1 }, { 10, 3 }, { 13, 2 }, { 13, 8 } };
    for (const auto &l : listed)
        if (l[0] == stage && l[1] == section)
            return true;
    return false;
}

DoorPlace doorPlace(
    int stage, int section, bool leftDoor, uint8_t door1, uint8_t door2, int hValue, int hMax)
{
    DoorPlace out;
    const bool listed = listedDoorSection(stage, section);
    if (!listed && !leftDoor && hValue == hMax)
        out.left = 7560;
    else if (hValue == 0 && (leftDoor || listed))
        out.left = 600;
    else
        return out;
    out.shown = true;
    const auto top = [](uint8_t door) {
        return inView({ true, 0, (door - 64) * 30 + 360, 240, 1440, {} }).top;
    };
    out.top1 = top(door1);
    out.top2 = top(door2);
    return out;
}

} // namespace special
