#pragma once
#include "stage/Records.h"
#include "stage/Snapshot.h"

#include <string>
#include <vector>

// A row of the enemy list: the text shown and the enemy id kept as its item value.
struct EnemyRow
{
    int id = 0;
    std::string text;
};

// Which of a section's records were read from the ROM; the writer writes only these.
namespace rec {
enum : uint8_t {
    Layout = 1,
    Objects = 2, // object list (vertical) or column bytes (horizontal)
    Stairs = 4,
    Start = 8,
    Special = 16,
    Doors = 32,
    Scroll = 64,
};
}

// The main window's per-section tables of every stage, filled by Init and Revert, written back
// by saveBlock. Sections are in menu order once Init has finished.
struct StageTables
{
    // First pass (load order, then exchanged into menu order).
    PerSection<int32_t> layoutPos {}; // first layout byte, after the screen count
    PerSection<int> layoutLen {}; // screens * 48 (horizontal) or * 64 (vertical)
    PerSection<int16_t> vertFlag {}; // -1 vertical (object list), 0 horizontal (column bytes)
    PerSection<int32_t> scrollPos {};
    PerSection<uint8_t> scrollByte {};
    PerSection<int32_t> enemyPos {};
    PerSection<int32_t> stairPos {};
    PerSection<uint8_t> specialIdx {}; // 0 = no special objects
    PerSection<int32_t> specialPos {};
    PerSection<startRec> startTbl {};
    PerSection<int32_t> doorPos {}; // 0 = no doors
    PerSection<uint8_t> door1 {};
    PerSection<uint8_t> door2 {};
    PerSection<int16_t> leftDoor {}; // -1: doors at the start edge
    PerSection<std::array<uint8_t, 2>> timeTbl {}; // [0] time code, [1] area number
    PerSection<std::string> timeStr {}; // "1:03.00"

    std::array<int, stageCount> secCount {}; // sections listed in Combo2
    std::array<int32_t, 3> vScrollPos {}; // stage 1 only
    std::array<uint8_t, 3> vScrollType {};

    // Second pass (menu order).
    PerSection<std::string> layoutStr {}; // one character per block cell
    PerSection<std::array<objRec, objSlots>> enemyTbl {};
    PerSection<int> objLen {}; // vertical: last filled slot (-1 empty); horizontal: puStr length
    PerSection<std::string> puStr {};
    PerSection<std::array<stairRec, stairSlots>> stairTbl {};
    PerSection<std::array<specialRec, specialSlots>> specialTbl {};

    // Filled by StageData: position of each section's background palette set record.
    std::array<std::array<int32_t, 51>, stageCount> palRecPos {};

    // Records read from the ROM (rec:: bits); a record never read is never written.
    PerSection<uint8_t> readMask {};
    std::array<bool, 3> vScrollRead {};

    // The file's bytes at every record, which saves compare against.
    Snapshot saved;

    // Rows for lstEnemy (73, or 72 in the Japanese release).
    std::vector<EnemyRow> enemyList;
};

// The second scroll byte (vScrollType) that section n of stage s carries: 0, 1 or 2 for stage 1
// sections 0, 4 and 7; -1 for every other section.
inline int vScrollIndex(int s, int n)
{
    if (s != 1)
        return -1;
    return n == 0 ? 0 : n == 4 ? 1 : n == 7 ? 2 : -1;
}
