#pragma once
#include <array>

// Where the game keeps its tables, per release. The test ROMs are laid out around these; the
// values are written down here on their own so that a wrong constant in the program shows up
// as a disagreement instead of being copied into the tests.
namespace rb {

enum class Rel { US, JP };

struct PtrTable
{
    long long base; // level-1 pointers, one per stage at base + 2s
    int nib;
    int page;
};

struct RomMap
{
    std::array<long long, 15> areaList;
    std::array<int, 15> stageNib;
    std::array<long long, 15> blockAttrPos;
    std::array<int, 15> blockCount;
    std::array<long long, 15> blockDefPos; // as listed; must equal attr - 16 * count

    PtrTable pal, enemy, stair, start, specIdx, door, scroll, bank;

    long long timeBytes;
    long long specPtrTbl;
    long long palFixed;
    long long palBackdrop;
    long long palSetBase;
    long long bgFixed0;
    long long bgFixed3;
    long long puPtrTbl;
    int puCount;
    long long enPtrTbl;
    int enCount;
    int bgBankBytes; // bytes a section in the background bank list
    int holderCode0;

    // The game tables of the side windows.
    long long damage; // two 16-byte records, one after the other
    long long bgmTable; // 31 little-endian song addresses
    unsigned songBase; // song k's address: songBase + k * songStep
    unsigned songStep;
    long long lives;
    long long hearts;
    long long sprPalStart; // the fixed sprite palettes and their copies, then the set table
    long long sprPalSize;
};

inline constexpr long long chrBase = 262161;
inline constexpr long long signaturePos = 17;
inline constexpr long long debugPos = 255898;
inline constexpr int palSetCount = 51;

inline long long pageOf(long long areaListPos)
{
    return areaListPos / 65536;
}

inline RomMap romMap(Rel rel)
{
    const bool jp = rel == Rel::JP;
    RomMap m {};
    m.areaList = { 131090, 134643, 137664, 140947, 144162, 114706, 117264, jp ? 119168 : 119287,
        jp ? 122351 : 122470, 98322, 100385, jp ? 125471 : 125590, 106460, 108892,
        jp ? 111304 : 111355 };
    m.stageNib = { 8, 8, 8, 8, 8, 4, 4, 4, 4, 0, 0, 4, 0, 0, 0 };
    m.blockAttrPos = { 134498, 137579, 140865, 144062, 146360, 117178, jp ? 119109 : 119221,
        jp ? 122255 : 122374, jp ? 125375 : 125494, 100305, 106204, jp ? 127947 : 128066, 108796,
        jp ? 111211 : 111259, jp ? 114003 : 114054 };
    m.blockCount
        = { 145, 85, 82, 100, 72, 86, jp ? 59 : 66, 96, 96, 80, 256, 93, 96, jp ? 93 : 96, 124 };
    m.blockDefPos = { 132178, 136219, 139553, 142462, 145208, 115802, 118165, jp ? 120719 : 120838,
        jp ? 123839 : 123958, 99025, 102108, jp ? 126459 : 126578, 107260, 109723,
        jp ? 112019 : 112070 };
    m.pal = { jp ? 1362 : 1502, 8, 0 };
    m.enemy = { jp ? 168639 : 168848, 0, 2 };
    m.stair = { jp ? 128864 : 128983, 4, 1 };
    m.start = jp ? PtrTable { 227173, 12, 3 } : PtrTable { 78876, 8, 1 };
    m.specIdx = { jp ? 41045 : 41092, 0, 0 };
    m.door = { jp ? 128519 : 128638, 4, 1 };
    m.scroll = { jp ? 252260 : 251455, 0, 3 };
    m.bank = { jp ? 112 : 119, 8, 0 };
    m.timeBytes = jp ? 227109 : 78812;
    m.specPtrTbl = jp ? 41339 : 41386;
    m.palFixed = jp ? 1760 : 1914;
    m.palBackdrop = jp ? 2288 : 2453;
    m.palSetBase = jp ? 1776 : 1930;
    m.bgFixed0 = jp ? 3920 : 4319;
    m.bgFixed3 = jp ? 3924 : 4323;
    m.puPtrTbl = jp ? 173436 : 173653;
    m.puCount = jp ? 244 : 254;
    m.enPtrTbl = jp ? 171903 : 172112;
    m.enCount = jp ? 224 : 228;
    m.bgBankBytes = jp ? 2 : 3;
    m.holderCode0 = jp ? 0x80 : 0x90;
    m.damage = jp ? 230121 : 230142;
    m.bgmTable = jp ? 200719 : 200665;
    m.songBase = jp ? 0x9299 : 0x920D;
    m.songStep = jp ? 20 : 14;
    m.lives = jp ? 3902 : 4297;
    m.hearts = jp ? 3907 : 4306;
    m.sprPalStart = jp ? 2289 : 2454;
    m.sprPalSize = jp ? 148 : 151;
    return m;
}

} // namespace rb
