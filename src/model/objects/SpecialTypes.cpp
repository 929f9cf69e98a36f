#include "model/objects/SpecialTypes.h"

#include "rom/Numbers.h"
#include "rom/VbError.h"

#include <cstring>

namespace special {

namespace {

const char *const horizontalItems[15]
    = { "Empty", "Breakable Block", "Horizontal Platform", "Vertical Platform", "Crusher [b?:??]",
          "Moving Spikes", "Trap Door [s2:12]", "Trap Door w/ Spikes [s2:12]", "Pendulum [s2:12]",
          "Small Gear [s2:14-15]", "Large Gear [s2:14-15]", "Tilting Ledge [s2:12]",
          "Falling Blocks", "Acid Drops [s3:15]", "Scrolling Ledges" };
const int horizontalTypes[15] = { 0, 16, 12, 11, 7, 6, 2, 3, 5, 10, 4, 1, 8, 9, 13 };
const char *const verticalItems[6] = { "Empty", "Breakable Block", "Moving Spikes",
    "Pendulum [s2:12]", "Small Gear [s2:14-15]", "Falling Blocks" };
const int verticalTypes[6] = { 0, 17, 6, 5, 10, 8 };

const CodeList lists[] = {
    { "4062", 1, 7, 7, 4, 0 },
    { "9A831706B", 1, 6, 6, 0x0A, 1 },
    { "9320", 1, 6, -1, 0, 0 },
    { "174568AB", 1, 6, 5, 1, 0 },
    { "15602", 1, 5, 5, 1, 0 },
    { "8734", 1, 5, 5, 8, 0 },
    { "3041526", 1, 5, 5, 3, 0 },
    { "000E0F02031113141C1E01040616182305", 2, 6, 6, 0, 0 },
    { "090A070B100812151D1F20212219", 2, 6, 6, 9, 0 },
};
const int listTypes[] = { 13, 10, 6, 7, 9, 8, 1, 2, 3 };

} // namespace

std::vector<std::string> typeList(bool vertical, bool withLedges)
{
    if (vertical)
        return { std::begin(verticalItems), std::end(verticalItems) };
    std::vector<std::string> out(std::begin(horizontalItems), std::end(horizontalItems));
    if (!withLedges)
        out.pop_back();
    return out;
}

int typeOfIndex(bool vertical, int listIndex)
{
    if (vertical)
        return listIndex >= 0 && listIndex < 6 ? verticalTypes[listIndex] : -1;
    return listIndex >= 0 && listIndex < 15 ? horizontalTypes[listIndex] : -1;
}

int indexOfType(bool vertical, int type)
{
    if (vertical) {
        for (int i = 0; i < 6; ++i)
            if (verticalTypes[i] == type || (type == 16 && i == 1))
                return i;
        return -1; // not offered in a vertical section
    }
    for (int i = 0; i < 15; ++i)
        if (horizontalTypes[i] == type || (type == 17 && i == 1))
            return i;
    return -1;
}

int templateGroup(int type)
{
    switch (type) {
    case 1:
        return 0;
    case 2:
        return 1;
    case 3:
        return 2;
    case 5:
        return 3;
    case 4:
        return 4;
    case 8:
        return 5;
    case 9:
        return 6;
    case 10:
        return 7;
    case 13:
        return 8;
    default:
        return -1;
    }
}

void retype(specialRec &rec, bool vertical, int listIndex, const Templates &templates, int screens)
{
    if (rec[4] == 0)
        rec[4] = 0x80;
    const int type = typeOfIndex(vertical, listIndex);
    switch (type) {
    case -1:
        return;
    case 0:
        rec[2] = rec[3] = 0;
        rec[4] = 0x20;
        rec[5] = rec[6] = rec[7] = 0;
        return;
    case 16:
    case 17:
        rec[2] = 0;
        rec[1] &= 0xF0;
        rec[4] &= 0xF0;
        rec[5] = 0;
        rec[6] = 1;
        rec[7] = 0;
        rec[3] = static_cast<uint8_t>(type);
        if (type == 17)
            rec[1] = static_cast<uint8_t>(rec[1] + 13);
        return;
    case 11:
    case 12:
        rec[3] = static_cast<uint8_t>(type);
        rec[6] = 2;
        rec[5] = type == 12 ? 0x30 : 0x10;
        rec[1] &= 0xF8;
        rec[4] &= 0xF8;
        rec[2] = type == 12 ? 0x30 : 0;
        rec[7] = 0;
        return;
    case 6:
    case 7:
        rec[3] = static_cast<uint8_t>(type);
        rec[4] = 0;
        rec[1] &= 0xF8;
        rec[2] = 0x10;
        rec[5] = 1;
        rec[6] = 1;
        rec[7] = 0;
        return;
    default:
        rec = templates[static_cast<size_t>(templateGroup(type))][0];
        if (screens > 0 && rec[0] >= screens)
            rec[0] = static_cast<uint8_t>(screens - 1);
        return;
    }
}

void setBlockFlag(specialRec &rec, int value)
{
    rec[6] = static_cast<uint8_t>(value);
    const int high = rec[4] & 0xF0;
    if (rec[3] == 16)
        rec[4] = static_cast<uint8_t>(high + (rec[6] == 0 ? 8 : 0));
    else if (rec[3] == 17 && rec[6] <= 1)
        rec[4] = static_cast<uint8_t>(high + (rec[6] == 0 ? 5 : 13));
}

std::string pictureOf(const specialRec &rec)
{
    const int type = rec[3];
    if (isEmptySlot(rec) || type == 14 || type == 15 || type > 17)
        return "an--.dat";
    return "an" + num::hex2(type) + ".dat";
}

const CodeList *codeList(int type)
{
    for (size_t i = 0; i < std::size(listTypes); ++i)
        if (listTypes[i] == type)
            return &lists[i];
    return nullptr;
}

int codeCount(const CodeList &list)
{
    return static_cast<int>(std::strlen(list.codes)) / list.digits;
}

int codeAt(const CodeList &list, int i)
{
    if (i < 0 || i >= codeCount(list))
        throw VbError("Invalid procedure call or argument");
    return static_cast<int>(
        num::hexVal(std::string(list.codes + i * list.digits, static_cast<size_t>(list.digits))));
}

int codeSearch(const CodeList &list, const specialRec &rec)
{
    for (int i = 0; i < codeCount(list); ++i)
        if (codeAt(list, i) == rec[static_cast<size_t>(list.byte)])
            return i;
    return -1;
}

int bar2Max(int type, int viewMax, bool &disable)
{
    disable = false;
    auto by = [viewMax](int m, int below1, int m1, int below2 = -1, int m2 = 0) {
        if (viewMax < below1)
            m = m1;
        if (below2 >= 0 && viewMax < below2)
            m = m2;
        return m;
    };
    switch (type) {
    case 13:
        disable = viewMax < 8;
        return by(3, 24, 2, 16, 1);
    case 10:
        return by(8, 8, 4);
    case 6:
        return 3;
    case 7:
        return 7;
    case 9:
        return by(4, 8, 2);
    case 8:
        return by(3, 24, 2, 8, 1);
    case 4:
        disable = viewMax < 8;
        return 1;
    case 1:
        return by(6, 16, 5, 8, 1);
    case 0:
        return 10;
    case 16:
    case 17:
        return 4;
    case 11:
    case 12:
        return 255;
    case 5:
        return by(4, 16, 3, 8, 1);
    case 2:
        return by(16, 16, 10, 8, 2);
    case 3:
        return by(13, 16, 8, 8, 3);
    default:
        return 0;
    }
}

} // namespace special
