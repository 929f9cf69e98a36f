#pragma once
#include "app/frmRI3.h"
#include "ui/support/Named.h"
#include "view/LevelView.h"

// What the main window's level view holds that no control shows by name. Tests read it only
// through these functions, so the view can keep it to itself.

// The layout position (from the start of the section's layout) that view cell `cell` (0..47,
// row by row) shows.
inline int shownPos(const frmRI3 &w, int cell)
{
    return named<LevelView>(&w, "LevelView")->cellPos(cell);
}
