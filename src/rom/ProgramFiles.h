#pragma once
#include "rom/SettingsFile.h"

#include <string>

// Where the program's own files lie and what its settings file holds. The application owns one;
// windows that need paths or settings take this beside the ROM document.
struct ProgramFiles
{
    std::string programDir; // the executable's folder, as the program found it
    std::string appPath; // program folder, ending in "/"
    std::string datPath; // appPath + "Attic/"
    IniValues ini; // paths and view flags from the settings file
    // What the last reading found wrong with the settings file; empty when nothing. While it
    // holds something the program does not rewrite the file unless the user changes a setting.
    std::string iniReport;

    std::string iniPath() const { return appPath + ini::fileName; }
};
