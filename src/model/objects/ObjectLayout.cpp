#include "model/objects/ObjectLayout.h"

#include "model/objects/PowerUps.h"
#include "rom/VbError.h"

namespace objects {

// An id the table does not know (the file may hold any byte below 0x80) has no offset.
int enemyOffset(const EnemyOffsets &enOffY, int id)
{
    if (id < 0 || id >= static_cast<int>(enOffY.size()))
        return 0;
    return enOffY[static_cast<size_t>(id)];
}

Place holderItem(
    const puPresetRec &preset, int p, int k, uint8_t code0, uint8_t code2, int r, int &kind)
{
    Place out;
    // The byte 0 is an empty place, whatever preset 0 holds.
    if (p == 0 || preset[3] == 0 || preset[2] < code0 || preset[2] > code2)
        return out;
    kind = preset[2] - code0;
    out.shown = true;
    out.top = 30 * preset[1] - 810 - (kind == 1 ? 240 : 0);
    out.left = 30 * preset[0] + 240 + 1910 * k - (kind == 1 || kind == 2 ? 120 : 0);
    out.picture = "pu" + hexText(preset[3] + 16 * r) + ".dat";
    return out;
}

Place enemyItem(const enPresetRec &preset, int p, int k, const EnemyOffsets &enOffY, int r)
{
    Place out;
    if (p == 0 || p >= enPresetsInUse(r) || preset[2] >= static_cast<int>(enOffY.size()))
        return out;
    out.shown = true;
    out.top = 30 * preset[1] - 600 + 30 * enOffY[preset[2]];
    out.left = 30 * preset[0] + 120 + 1910 * k;
    out.picture = p < 208 ? "en.dat" : "en2.dat";
    return out;
}

namespace {

// A holder shows what it holds. A content code the palette lacks has no picture of its own: its
// holder kind's stands in, and for a kind the game does not have, the picture of nothing known.
std::string holderPicture(const objRec &rec, int kind, int r)
{
    if (puIndexOf(rec[4], r) >= 0)
        return "pu" + hexText(rec[4] + 16 * r) + ".dat";
    return kind >= 0 ? "ca" + std::to_string(kind) + ".dat" : "an--.dat";
}

} // namespace

ListPlace listMarker(const objRec &rec, int v, const EnemyOffsets &enOffY, int r)
{
    ListPlace out;
    const int vs = v / 8;
    const int off = (v % 8) * 32;
    const int kind = holderKindOf(rec[3], r);
    int y = rec[1];
    int adj = 0;
    int screen = rec[2];
    out.enemy = rec[3] < 0x80;
    out.coded = showsCode(rec[3], r);
    if (out.enemy) {
        adj = enemyOffset(enOffY, rec[3]) + 4;
        y += adj;
        if (screen == vs - 1 && y > 255) {
            screen = vs;
            y -= 256;
        }
    }
    int rel = 0;
    if (screen == vs && off <= y && y < off + 188)
        rel = 30 * (y - adj - off);
    else if (screen == vs + 1 && y < off - 64)
        rel = 30 * (256 - off + y - adj);
    else
        return out;
    out.shown = true;
    const int x = rec[0];
    out.left = 30 * x + (kind == 0 ? 240 : 120);
    if (out.enemy) {
        out.top = rel + 480 + 30 * enemyOffset(enOffY, rec[3]);
        out.picture = "en.dat";
        return out;
    }
    // A holder of none of the three kinds stands where a Lantern would.
    out.top = kind == 1 ? rel : rel + 240;
    out.picture = holderPicture(rec, kind, r);
    return out;
}

Place proposal(int kind, int left, int top, int id, int p, int a, const EnemyOffsets &enOffY)
{
    Place out;
    out.shown = true;
    switch (kind) {
    case 0:
        out.left = 30 * left + 240 + 1910 * a;
        out.top = 30 * top - 810;
        out.width = 240;
        out.picture = "pos0.dat";
        break;
    case 1:
        out.left = 30 * left + 120 + 1910 * a;
        out.top = 30 * top - 1050;
        out.height = 960;
        out.picture = "pos1.dat";
        break;
    case 2:
        out.left = 30 * left + 120 + 1910 * a;
        out.top = 30 * top - 810;
        out.picture = "pos2.dat";
        break;
    default:
        out.left = 30 * left + 120 + 1910 * a;
        out.top = 30 * top - 600 + 30 * enemyOffset(enOffY, id);
        out.picture = p < 208 ? "enp.dat" : "enp2.dat";
        break;
    }
    return out;
}

} // namespace objects
