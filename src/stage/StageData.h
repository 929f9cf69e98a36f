#pragma once
#include "ui/Shared.h"
#include "stage/Loader.h"
#include "stage/StageTables.h"

// The tileset a section draws with: its stage's, except for the rooms that borrow one.
int tilesetOf(int stage, int section);

// Loads the tileset of (g.curStage, g.curSection) and the sub-palettes of every section of the
// stage from the ROM file. Failures go to r.error(121, ...); tables keep what was read.
void StageData(Shared &g, StageTables &t, ReadReport &r);
