#include "model/objects/ObjectEdit.h"

#include "model/objects/PowerUps.h"

#include <algorithm>
#include <cmath>

namespace objects {

using dragmath::rnd;
using dragmath::snap;
using dragmath::store;

void enemyToHolder(objRec &rec, int kind, int r)
{
    rec[3] = static_cast<uint8_t>(holderCode(kind, r));
    rec[4] = static_cast<uint8_t>(puContent(smallHeart, r)); // the palette pick of entry 8
    rec[5] = 0;
    rec[6] = 0;
}

void holderToEnemy(objRec &rec)
{
    rec[4] = 0xAE;
    rec[3] = 1;
}

bool pickEnemy(objRec &rec, int id, int inverse)
{
    rec[6] = static_cast<uint8_t>(inverse);
    rec[5] = 0;
    rec[3] = static_cast<uint8_t>(id);
    if (id == 69)
        rec[6] = 4;
    if (id == 72)
        rec[5] = 0xF0;
    return hasFacing(id);
}

ObjDrag dragObject(objRec &rec, int x, int y, int left, int top, int v, const EnemyOffsets &enOffY,
    int r, dragmath::Errors &errors)
{
    ObjDrag out;
    out.left = left;
    out.top = top;
    if (!(x < 360 || x > 7650 || y < 360 || y > 5700)) {
        out.moved = true;
        out.left = static_cast<int>(snap(x, 360, 120));
        out.top = static_cast<int>(snap(y, 360, 120));
    }
    long long a = 240;
    long long b = 0;
    switch (rec[3] + 16 * r) {
    case 0x90:
        a = 120;
        b = 12;
        out.width = 240;
        out.picture = "pos0.dat";
        break;
    case 0x92:
        b = 12;
        out.picture = "pos2.dat";
        break;
    case 0x91:
        b = 36;
        out.height = 960;
        out.picture = "pos1.dat";
        break;
    default:
        if (rec[3] >= 0x80) {
            b = 12; // a holder of none of the three kinds is laid as a Lantern, its picture kept
            break;
        }
        // An id the offset table does not know is laid without an offset, as the view lays it.
        out.enemy = true;
        b = -12 - 3 * enemyOffset(enOffY, rec[3]);
        break;
    }
    a = rnd(out.left + a - 360);
    store(rec[0], rnd(a / 30.0), errors);
    b = rnd(out.top / 10.0 + 96.0 * v + b - 36);
    if (b < 0)
        b = 0;
    store(rec[2], b / 768, errors);
    store(rec[1], rnd((b % 768) / 3.0), errors);
    return out;
}

void dropObject(objRec &rec, int screen)
{
    rec[2] = static_cast<uint8_t>(screen);
    rec[1] = 0x80;
    rec[0] = 0x80;
}

int barScreen(double pos, double length, int layoutLen, int blocksPerScreen)
{
    if (length <= 0)
        return 0;
    const int screens = layoutLen / blocksPerScreen;
    const int s = static_cast<int>(std::floor(pos / length * layoutLen / blocksPerScreen));
    return std::clamp(s, 0, std::max(0, screens - 1));
}

} // namespace objects
