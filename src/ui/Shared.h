#pragma once
#include "model/RomDocument.h"
#include "rom/ProgramFiles.h"

// The program's files and the ROM document. The application owns one and hands it around by
// reference, so each test can start from a fresh one.
struct Shared
{
    ProgramFiles files; // the program's paths and settings
    RomDocument doc { files };
};
