#pragma once
#include "model/objects/SpecialTypes.h"

#include <array>
#include <optional>
#include <string>

// What a move of a property bar writes into the selected special object and shows.
namespace special {

struct BarChange
{
    std::array<std::optional<std::string>, 9> captions; // new captions of lblSt(0..8)
    bool followView = false; // scroll the view to the object's screen
    bool relay = false; // lay the markers again
    // Why the change was refused (the sample lies on a screen the section does not have), for
    // the user; empty when it was made. A refused change changes nothing.
    std::string refusal;
    bool refused() const { return !refusal.empty(); }
};

struct BarInputs
{
    int bar0 = 0; // the Direction bar's value
    bool vScrollDisabled = true; // the view's vertical bar is disabled
    int screens = 255; // the section's screens: a sample beyond them is refused
    bool showOnly = false; // captions for the record as it is: no sample is copied
};

// Bar `index` (0 Direction, 1 Speed, 2 main property, 3 Trigger) moved to `v`. `speedTiles`
// is the platform speed's extra tiles, kept between calls.
BarChange barChanged(int index, int v, specialRec &rec, const Templates &templates,
    const BarInputs &in, int &speedTiles);

// The read-out of a bar whose record byte lies outside the bar's range.
std::string oddCaption(int byte);

// "9 Tiles   (30)": the movement of a platform.
std::string tilesCaption(const specialRec &rec, int speedTiles);

} // namespace special
