#pragma once
#include "model/LoadedRom.h"
#include "rom/ProgramFiles.h"

// What the stage code and the editors' models read: the loaded ROM, the section shown and where
// the program's files lie. Core tests build this rather than a whole program.
struct RomState : LoadedRom, ShownSection
{
    ProgramFiles files;
};
