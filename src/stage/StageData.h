#pragma once
#include "stage/Loader.h"
#include "stage/StageTables.h"
#include "ui/Shared.h"

// The tileset a section draws with: its stage's, except for the rooms that borrow one.
int tilesetOf(int stage, int section);

// Loads the tileset of (g.curStage, g.curSection) and the sub-palettes of every section of the
// stage from the ROM file. Failures go to r.error(121, ...); tables keep what was read.
// Returns that tileset, or -1 (nothing read) for a stage or section out of range.
int StageData(Shared &g, StageTables &t, ReadReport &r);
