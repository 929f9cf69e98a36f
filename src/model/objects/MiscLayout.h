#pragma once
#include "model/objects/ObjectLayout.h"
#include "stage/Records.h"

#include <array>

// Where the markers of the Miscellaneous mode go for the view's position: staircases, the
// start point, special objects and the doors (twips of the window's client area).
namespace special {

using objects::Place;
using Offsets = std::array<float, 18>;

// Every object of a section keeps a marker the pointer can reach: a place before the section's
// start or past its end is taken as its first or last position along the scrolling, and a
// marker that would reach outside the view is drawn at its edge, wholly inside.
// h, v: the first visible block column / row (the view's scroll values); screens: the
// section's.
Place stairPlace(const stairRec &rec, bool vertical, int h, int v, int screens);
Place startPlace(const startRec &rec, bool vertical, int stage, int layoutLen, int h, int v);

// Special object in memory order; rewrites the bytes the layout normalises (type 3's
// property, the breakable blocks' numbers `counter` and their position nibble).
Place specialPlace(specialRec &rec, bool vertical, int h, int v, int screens, const Offsets &stOffX,
    const Offsets &stOffY, int &counter);

// The doors: both shown at one edge, or hidden.
struct DoorPlace
{
    bool shown = false;
    int left = 0;
    int top1 = 0; // first door (PosPu(62))
    int top2 = 0; // second door (PosPu(61))
};
bool listedDoorSection(int stage, int section);
DoorPlace doorPlace(
    int stage, int section, bool leftDoor, uint8_t door1, uint8_t door2, int hValue, int hMax);

} // namespace special
