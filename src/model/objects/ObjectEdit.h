#pragma once
#include "model/objects/DragMath.h"
#include "model/objects/ObjectLayout.h"
#include "stage/Records.h"

// Edits of an object-list slot: retyping, the enemy pick, dragging and dropping on a screen.
namespace objects {

// A holder kind chosen for an enemy slot: a holder of the release's Small Heart, bytes 5 and
// 6 cleared.
void enemyToHolder(objRec &rec, int kind, int r);
// The enemy kind chosen for a slot that is no enemy: enemy 1, bytes 5 and 6 kept.
void holderToEnemy(objRec &rec);
// The enemy `id` picked from the list; returns whether the facing box is shown.
bool pickEnemy(objRec &rec, int id, int inverse);

// One drag-over event of marker `rec` with its top-left corner wanted at x, y.
struct ObjDrag
{
    bool moved = false;
    int left = 0; // the marker's position after the event
    int top = 0;
    int width = 0; // 0: unchanged
    int height = 0;
    std::string picture; // empty: unchanged
    bool enemy = false; // the label follows and the frame is laid again; else the frame hides
};
ObjDrag dragObject(objRec &rec, int x, int y, int left, int top, int v, const EnemyOffsets &enOffY,
    int r, dragmath::Errors &errors);

// A marker dropped on the vertical bar moves its object to the middle of `screen`.
void dropObject(objRec &rec, int screen);

// The screen under a point of a bar of `length` twips in a section of `layoutLen` blocks.
int barScreen(double pos, double length, int layoutLen, int blocksPerScreen);

} // namespace objects
