#pragma once
#include "stage/Records.h"

#include <array>
#include <cstdint>
#include <string>

// Where the markers of the Power-Ups and Enemies mode go, in twips of the window's client area
// (30 twips a NES pixel, the view's top-left corner at 360, 360).
namespace objects {

struct Place
{
    bool shown = false;
    int left = 0;
    int top = 0;
    int width = 480;
    int height = 480;
    std::string picture; // file name in the picture folder
};

using EnemyOffsets = std::array<int16_t, 83>;

// The vertical marker offset of an enemy id; an id beyond the table is an error.
int enemyOffset(const EnemyOffsets &enOffY, int id);

// Column item k (0..3) of a holder pair holding preset p; `kind` receives its holder kind.
Place holderItem(
    const puPresetRec &preset, int p, int k, uint8_t code0, uint8_t code2, int r, int &kind);
// Column item k of an enemy pair holding enemy preset p (0 and presets out of use are empty).
Place enemyItem(const enPresetRec &preset, int p, int k, const EnemyOffsets &enOffY, int r);

// Marker of object-list slot `rec` for the view's first block row `v`.
struct ListPlace : Place
{
    bool enemy = false; // an enemy, named by the enemy list
    bool coded = false; // its code label stands beside it (showsCode)
};
ListPlace listMarker(const objRec &rec, int v, const EnemyOffsets &enOffY, int r);

// Proposal of preset L/T (enemy id for kind 3) in visible column pair a.
Place proposal(int kind, int left, int top, int id, int p, int a, const EnemyOffsets &enOffY);

// An enemy label sits 3 screen pixels right of and below its marker's corner.
inline constexpr int labelShift = 45;

} // namespace objects
