#include "model/objects/PropertyBars.h"

#include "rom/Numbers.h"
#include "rom/VbError.h"

#include <cstdio>
#include <string>

namespace special {

namespace {

std::string hexNoPad(int v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(v));
    return buf;
}

std::string part(const char *const *parts, int count, int v)
{
    return v >= 0 && v < count ? parts[v] : "";
}

const char *const r6[] = { "[x, 30] - [x, A8]   (", "[x, 40] - [x, 88]   (",
    "[x, 40] - [x, B0]   (", "[x, 70] - [x, B0]   (" };
const char *const r7[] = { "[x, 28] - [x, A0]   (", "[x, 28] - [x, A0]   (",
    "[x, 48] - [x, 88]   (", "[x, 48] - [x, 88]   (", "[x, 48] - [x, 88]   (",
    "[x, 58] - [x, 98]   (", "[x, 58] - [x, 98]   (", "[x, 58] - [x, 98]   (" };
const char *const b8[] = { ", 11", ", 14", ", 6", ", 8" };
const char *const b9[] = { ", 10", ", 13", ", 11", ", 8", ", 6" };
const char *const n13[] = { "6 Ledges   (", "4 Ledges   (", "5 Ledges   (", "2 Ledges   (" };
const char *const contents[] = { "Meat", "Heart", "Empty", "Heart / Multiple Shot", "Extra Life" };

uint8_t byteOf(long long v)
{
    return num::toByte(v);
}

const specialRec &sample(const Templates &templates, int group, int v)
{
    if (v < 0 || v >= 36)
        throw VbError("Subscript out of range");
    return templates[static_cast<size_t>(group)][static_cast<size_t>(v)];
}

std::string screenCaption(const specialRec &rec, const std::string &middle, int v)
{
    return "Screen " + hexNoPad(rec[0]) + middle + num::hex2(v) + ")";
}

void direction(BarChange &out, int v, specialRec &rec)
{
    const int type = rec[3];
    const int low = rec[6] & 15;
    if (v == 0) {
        out.captions[4] = type == 11 ? "Up" : "Left";
        if (type == 5)
            rec[6] = byteOf(rec[6] < 0x80 ? low : 15 - low);
        else
            rec[6] = byteOf(low + 0x80);
    } else if (v == 1) {
        out.captions[4] = type == 11 ? "Down" : "Right";
        if (type == 5)
            rec[6] = byteOf(rec[6] < 0x80 ? 255 - low : low + 0xF0);
        else
            rec[6] = byteOf(low);
    }
}

void speed(BarChange &out, int v, specialRec &rec, int bar0, int &speedTiles)
{
    const int type = rec[3];
    if (type == 5) {
        static const char *const names[] = { "Slow", "Fast", "Faster", "Fastest" };
        if (v >= 0 && v < 4)
            out.captions[5] = names[v];
        if (bar0 == 0)
            rec[6] = byteOf(v);
        else if (bar0 == 1)
            rec[6] = byteOf(255 - v);
    } else if (type == 11 || type == 12) {
        static const char *const names[] = { "Slow", "Normal", "Fast" };
        static const int tiles[] = { 2, 3, 8 };
        if (v >= 0 && v < 3)
            out.captions[5] = names[v];
        rec[6] = byteOf((rec[6] & 0xF0) + v + 1);
        if (v >= 0 && v < 3)
            speedTiles = tiles[v];
        out.captions[6] = tilesCaption(rec, speedTiles);
    }
}

// What a refused sample tells the user: where it lies and which screens the section has.
std::string beyondText(const std::string &property, int v, int screen, int screens)
{
    const std::string has = screens <= 0 ? "no whole screen"
        : screens == 1                   ? "screen 0 only"
                                         : "screens 0 to " + hexNoPad(screens - 1) + " only";
    return property + " " + num::hex2(v) + " lies on screen " + hexNoPad(screen)
        + ", but this section has " + has + ".\rThe object keeps its place.";
}

// The sample takes the record's place, unless it lies beyond the section's screens: then the
// change is refused and the record stays. A read-out of the record as it is copies nothing.
bool copySample(BarChange &out, const std::string &property, specialRec &rec,
    const Templates &templates, int group, int v, const BarInputs &in, bool toFirstScreen = false)
{
    specialRec s = sample(templates, group, v);
    if (in.showOnly)
        return true;
    if (toFirstScreen)
        s[0] = 0;
    if (s[0] >= in.screens) {
        out.refusal = beyondText(property, v, s[0], in.screens);
        return false;
    }
    rec = s;
    return true;
}

// The sample of the bar's value takes the record's place and the view follows it there.
void sampleLocation(BarChange &out, int v, specialRec &rec, const Templates &templates,
    const BarInputs &in, int group, const std::string &middle)
{
    if (!copySample(out, "Location", rec, templates, group, v, in))
        return;
    out.captions[3] = "Location";
    out.captions[6] = screenCaption(rec, middle, v);
    out.followView = out.relay = true;
}

// A pendulum takes its sample's place but keeps its own direction and speed.
void pendulumLocation(
    BarChange &out, int v, specialRec &rec, const Templates &templates, const BarInputs &in)
{
    const uint8_t keep = rec[6];
    sampleLocation(out, v, rec, templates, in, 3, v == 1 || v == 4 ? ", Long   (" : ", Short   (");
    rec[6] = keep;
}

void rowLocation(BarChange &out, int v, specialRec &rec)
{
    out.captions[3] = "Location";
    rec[4] = byteOf((v + 3) * 16 + 6);
    out.captions[6] = "y = " + num::hex2((v + 1) * 16);
    out.relay = true;
}

void rangeProperty(BarChange &out, int v, specialRec &rec)
{
    const int type = rec[3];
    const CodeList *list = codeList(type);
    rec[6] = static_cast<uint8_t>(codeAt(*list, v));
    out.captions[3] = "Range";
    out.captions[6] = (type == 6 ? part(r6, 4, v) : part(r7, 8, v)) + num::hex2(v) + ")";
}

// Falling blocks and acid drops: the caption counts blocks rather than screens.
void dropLocation(
    BarChange &out, int v, specialRec &rec, const Templates &templates, const BarInputs &in)
{
    const int type = rec[3];
    if (!copySample(out, "Location", rec, templates, type == 8 ? 5 : 6, v, in,
            type == 8 && v == 1 && in.vScrollDisabled))
        return;
    const std::string b = type == 8 ? part(b8, 4, v) : part(b9, 5, v);
    out.captions[3] = "Location";
    out.captions[6] = "Scr " + hexNoPad(rec[0]) + b + " Blk   (" + num::hex2(v) + ")";
    out.followView = out.relay = true;
}

void platformMovement(BarChange &out, int v, specialRec &rec, int speedTiles)
{
    rec[5] = byteOf(v);
    out.captions[3] = "Movement";
    out.captions[6] = tilesCaption(rec, speedTiles);
}

void ledgeLayout(
    BarChange &out, int v, specialRec &rec, const Templates &templates, const BarInputs &in)
{
    if (!copySample(out, "Layout", rec, templates, 8, v, in))
        return;
    out.captions[3] = "Layout";
    out.captions[6] = part(n13, 4, v) + num::hex2(v) + ")";
    out.followView = out.relay = true;
}

void blockContent(BarChange &out, int v, specialRec &rec)
{
    rec[5] = byteOf(v);
    out.captions[3] = "Content";
    if (v >= 0 && v < 5)
        out.captions[6] = contents[v];
}

void mainProperty(BarChange &out, int v, specialRec &rec, const Templates &templates,
    const BarInputs &in, int speedTiles)
{
    const int type = rec[3];
    switch (type) {
    case 0:
        rowLocation(out, v, rec);
        break;
    case 1:
        sampleLocation(out, v, rec, templates, in, 0,
            v == 0 || v == 1 || v == 5 ? ", R-Tilt   (" : ", L-Tilt   (");
        break;
    case 2:
    case 3:
        sampleLocation(out, v, rec, templates, in, type == 2 ? 1 : 2, "   (");
        break;
    case 4:
        sampleLocation(out, v, rec, templates, in, 4, "   (");
        break;
    case 5:
        pendulumLocation(out, v, rec, templates, in);
        break;
    case 6:
    case 7:
        rangeProperty(out, v, rec);
        break;
    case 8:
    case 9:
        dropLocation(out, v, rec, templates, in);
        break;
    case 10:
        sampleLocation(out, v, rec, templates, in, 7, "   (");
        break;
    case 11:
    case 12:
        platformMovement(out, v, rec, speedTiles);
        break;
    case 13:
        ledgeLayout(out, v, rec, templates, in);
        break;
    case 16:
    case 17:
        blockContent(out, v, rec);
        break;
    default:
        break;
    }
}

} // namespace

std::string oddCaption(int byte)
{
    return "Out of range   (" + num::hex2(byte) + ")";
}

std::string tilesCaption(const specialRec &rec, int speedTiles)
{
    return std::to_string(rec[5] / 8 + speedTiles) + " Tiles" + "   (" + num::hex2(rec[5]) + ")";
}

BarChange barChanged(int index, int v, specialRec &rec, const Templates &templates,
    const BarInputs &in, int &speedTiles)
{
    BarChange out;
    switch (index) {
    case 0:
        direction(out, v, rec);
        break;
    case 1:
        speed(out, v, rec, in.bar0, speedTiles);
        break;
    case 2:
        mainProperty(out, v, rec, templates, in, speedTiles);
        break;
    case 3:
        out.captions[7] = "Trigger";
        rec[2] = byteOf(v);
        out.captions[8] = "Screen " + hexNoPad(rec[0]) + ", Tile " + std::to_string(rec[2] / 8)
            + "   (" + num::hex2(v) + ")";
        break;
    default:
        break;
    }
    return out;
}

} // namespace special
