#pragma once
#include "model/RomDocument.h"
#include "rom/ProgramFiles.h"

// What the application owns besides its windows, as main() makes it: the program's files and
// the ROM document.
struct ProgramState
{
    ProgramFiles files;
    RomDocument doc { files };
};
