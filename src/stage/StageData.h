#pragma once
#include "model/LoadedRom.h"
#include "stage/Loader.h"
#include "stage/StageTables.h"

#include <string>

// The tileset a section draws with: its stage's, except for the rooms that borrow one.
int tilesetOf(int stage, int section);

// Loads the tileset of (stage, section) and the sub-palettes of every section of the stage from
// the ROM file at romPath. Failures go to r.error(121, ...); tables keep what was read.
// Returns that tileset, or -1 (nothing read) for a stage or section out of range.
int StageData(LoadedRom &g, const std::string &romPath, int stage, int section, StageTables &t,
    ReadReport &r);
