#pragma once
#include "model/LoadedRom.h"
#include "rom/ProgramFiles.h"

// The variables every window shares. The application owns one and hands it around by
// reference, so each test can start from a fresh one.
struct Shared : LoadedRom, ShownSection
{
    ProgramFiles files; // the program's paths and settings

    // A window found the ROM file changed on disk and the user asked to load it again: the main
    // window does so once its side windows are closed.
    bool reloadAsked = false;
};
