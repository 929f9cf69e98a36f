#pragma once
#include "model/LoadedRom.h"
#include "stage/Loader.h"
#include "stage/StageTables.h"

#include <string>

// The tileset a section draws with: its stage's, except for the rooms that borrow one.
int tilesetOf(int stage, int section);

// Loads the tileset of (stage, section) and the sub-palettes of every section of the stage from
// the working ROM file g.rom. Failures go to r.error(121, ...); tables keep what was read. A
// file that is no longer the one loaded throws RomChanged, and nothing is read from it.
// Returns that tileset, or -1 (nothing read) for a stage or section out of range.
int StageData(LoadedRom &g, int stage, int section, StageTables &t, ReadReport &r);
