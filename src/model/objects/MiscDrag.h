#pragma once
#include "model/objects/DragMath.h"
#include "model/objects/MiscLayout.h"
#include "stage/Records.h"

// The Miscellaneous mode's marker drags over the view, the staircase turn and the drops on the
// scroll bars. Positions are twips of the window's client area; x, y is where the dragged
// marker's top-left corner would go, left, top where it stands.
namespace special {

struct ScrollState
{
    int h = 0; // horizontal bar's value and Max
    int hMax = 0;
    int v = 0; // vertical bar's value and Max
    int vMax = 0;
    int screens = 255; // the section's screens: no drag takes an object beyond them
};

struct Moved
{
    bool moved = false;
    int left = 0;
    int top = 0;
};

Moved dragStair(stairRec &rec, bool vertical, int x, int y, int left, int top, const ScrollState &s,
    dragmath::Errors &errors);
Moved dragStart(startRec &rec, bool vertical, int stage, int layoutLen, int x, int y, int left,
    int top, const ScrollState &s, dragmath::Errors &errors);
Moved dragDoor(uint8_t &door, int y, int left, int top, dragmath::Errors &errors);
// The special object in memory order; `frame` is set when the marker moved (the frame follows).
Moved dragSpecial(specialRec &rec, bool vertical, int x, int y, int left, int top,
    const ScrollState &s, const Offsets &stOffX, const Offsets &stOffY, dragmath::Errors &errors);

// The right press on a staircase: its next kind, the record changed so that the marker keeps
// its place. Returns the change of the marker's Top (horizontal sections), or refuses a turn
// that would take the staircase off its screen or off the section (false, nothing changed).
bool turnStair(stairRec &rec, bool vertical, int &topShift);

// Drops on the bars: the object moves to the middle of `screen`.
void dropStairH(stairRec &rec, int screen);
void dropStairV(stairRec &rec, int screen);
void dropStart(startRec &rec, int screen);
void dropSpecial(specialRec &rec, int screen);

} // namespace special
