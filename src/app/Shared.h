#pragma once
#include "app/SettingsFile.h"

#include <array>
#include <cstdint>
#include <string>

// The variables every window shares. The application owns one and hands it around by
// reference, so each test can start from a fresh one.
struct Shared
{
    // Texts of the standard error box.
    std::string errMsg;
    std::string errTitle;
    std::string errCont;

    std::string programDir; // the executable's folder, as the program found it
    std::string appPath; // program folder, ending in "/"
    std::string datPath; // appPath + "Attic/"
    std::string romVer;  // "" nothing checked yet, " " Settings checking, "0" US, "1" Japanese
    IniValues ini;       // paths and view flags from the settings file

    int curStage = 0;
    int curSection = 0;
    std::array<std::array<uint8_t, 21>, 15> modFlags {};

    // Hand-over between windows.
    int setChoice = 0;    // 0 nothing, 1 reload, 2 save all then reload
    int browseTarget = 0; // 0 ROM box, 1 emulator box, 2 backup box
    bool dlgCancel = false;

    bool anyModified() const
    {
        for (const auto &stage : modFlags)
            for (uint8_t f : stage)
                if (f)
                    return true;
        return false;
    }
    std::string iniPath() const { return appPath + ini::fileName; }
};
