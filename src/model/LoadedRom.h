#pragma once
#include "model/RomTables.h"
#include "rom/RomFile.h"

#include <string>

// The ROM as loaded: the working file, its release and the tables read from it.
struct LoadedRom : RomTables
{
    std::string romVer; // the loaded ROM's own: "0" US, "1" Japanese, "" none loaded
    RomFile rom; // the working ROM as loaded; every write of it goes through here
};

// The section the main window shows, which the stage document's edits of "the shown section"
// act on.
struct ShownSection
{
    int curStage = 0;
    int curSection = 0;
};
