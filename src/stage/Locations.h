#pragma once
#include <cstdint>

// Where the two releases keep the stage data. r is the release: 0 US, 1 Japanese.
namespace loc {

struct StageConst
{
    int32_t areaList; // list of 2-byte area pointers
    int stageNib; // nibble of the stage's area and layout pointers
    int32_t blockAttrPos;
    int blockCount;
    int32_t blockDefPos() const { return blockAttrPos - 16 * blockCount; }
    int page() const { return areaList / 65536; }
};
StageConst stageConst(int stage, int r);

// The pointer tables, in the order the first pass reads their level-1 pointers.
enum Table { palList, enemyList, stairList, startList, specIdx, doorList, scrollList, bankList };
inline constexpr int tableCount = 8;
struct PtrTable
{
    int32_t base;
    int nib;
    int page;
};
PtrTable table(Table t, int r);

int32_t timeBytes(int r); // + area number
int32_t specPtrTbl(int r); // + 2 * specialIdx
int32_t palFixed(int r); // 3 bytes
int32_t palBackdrop(int r);
int32_t bgFixedBank1(int r);
int32_t bgFixedBank2(int r);
int32_t puPtrTbl(int r);
int32_t enPtrTbl(int r);
int puPresetCount(int r);
int enPresetCount(int r);
int32_t palSetBase(int r); // background palette set k at base + 9k

inline constexpr int32_t chrStart = 262161; // CHR bank b at chrStart + 1024b
inline constexpr long long bigRomSize = 0x7FFFF; // from this size on the ROM has 256 banks

} // namespace loc
