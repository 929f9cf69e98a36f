#include "stage/Locations.h"

namespace loc {

namespace {

struct StageRow
{
    int32_t areaList[2];
    int nib;
    int32_t attr[2];
    int count[2];
};

// areaList, stageNib, blockAttrPos, blockCount; [0] US, [1] Japanese.
constexpr StageRow stages[15] = {
    { { 131090, 131090 }, 8, { 134498, 134498 }, { 145, 145 } },
    { { 134643, 134643 }, 8, { 137579, 137579 }, { 85, 85 } },
    { { 137664, 137664 }, 8, { 140865, 140865 }, { 82, 82 } },
    { { 140947, 140947 }, 8, { 144062, 144062 }, { 100, 100 } },
    { { 144162, 144162 }, 8, { 146360, 146360 }, { 72, 72 } },
    { { 114706, 114706 }, 4, { 117178, 117178 }, { 86, 86 } },
    { { 117264, 117264 }, 4, { 119221, 119109 }, { 66, 59 } },
    { { 119287, 119168 }, 4, { 122374, 122255 }, { 96, 96 } },
    { { 122470, 122351 }, 4, { 125494, 125375 }, { 96, 96 } },
    { { 98322, 98322 }, 0, { 100305, 100305 }, { 80, 80 } },
    { { 100385, 100385 }, 0, { 106204, 106204 }, { 256, 256 } },
    { { 125590, 125471 }, 4, { 128066, 127947 }, { 93, 93 } },
    { { 106460, 106460 }, 0, { 108796, 108796 }, { 96, 96 } },
    { { 108892, 108892 }, 0, { 111259, 111211 }, { 96, 93 } },
    { { 111355, 111304 }, 0, { 114054, 114003 }, { 124, 124 } },
};

struct TableRow
{
    int32_t base[2];
    int nib[2];
    int page[2];
};

constexpr TableRow tables[tableCount] = {
    { { 1502, 1362 }, { 8, 8 }, { 0, 0 } }, // palListTbl
    { { 168848, 168639 }, { 0, 0 }, { 2, 2 } }, // enemyListTbl
    { { 128983, 128864 }, { 4, 4 }, { 1, 1 } }, // stairListTbl
    { { 78876, 227173 }, { 8, 12 }, { 1, 3 } }, // startListTbl
    { { 41092, 41045 }, { 0, 0 }, { 0, 0 } }, // specIdxTbl
    { { 128638, 128519 }, { 4, 4 }, { 1, 1 } }, // doorListTbl
    { { 251455, 252260 }, { 0, 0 }, { 3, 3 } }, // scrollListTbl
    { { 119, 112 }, { 8, 8 }, { 0, 0 } }, // bankListTbl
};

int rel(int r)
{
    return r == 1 ? 1 : 0;
}

} // namespace

StageConst stageConst(int stage, int r)
{
    const StageRow &s = stages[stage];
    return { s.areaList[rel(r)], s.nib, s.attr[rel(r)], s.count[rel(r)] };
}

PtrTable table(Table t, int r)
{
    const TableRow &row = tables[t];
    return { row.base[rel(r)], row.nib[rel(r)], row.page[rel(r)] };
}

int32_t timeBytes(int r)
{
    return rel(r) ? 227109 : 78812;
}
int32_t specPtrTbl(int r)
{
    return rel(r) ? 41339 : 41386;
}
int32_t palFixed(int r)
{
    return rel(r) ? 1760 : 1914;
}
int32_t palBackdrop(int r)
{
    return rel(r) ? 2288 : 2453;
}
int32_t bgFixedBank1(int r)
{
    return 4319 - 399 * rel(r);
}
int32_t bgFixedBank2(int r)
{
    return 4323 - 399 * rel(r);
}
int32_t puPtrTbl(int r)
{
    return rel(r) ? 173436 : 173653;
}
int32_t enPtrTbl(int r)
{
    return rel(r) ? 171903 : 172112;
}
int puPresetCount(int r)
{
    return rel(r) ? 244 : 254;
}
int enPresetCount(int r)
{
    return rel(r) ? 224 : 228;
}
int32_t palSetBase(int r)
{
    return rel(r) ? 1776 : 1930;
}

} // namespace loc
