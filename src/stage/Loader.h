#pragma once
#include "model/LoadedRom.h"
#include "rom/ProgramFiles.h"
#include "stage/StageTables.h"

#include <array>
#include <exception>
#include <string>
#include <vector>

// What the stage code reports; the window shows the boxes.
struct ReadReport
{
    virtual ~ReadReport() = default;
    // "Corrupted ROM": an object list without its end byte within 32 records.
    virtual void corrupted(int stage, int menuSection) = 0;
    // The standard error box of a procedure (121 StageData, 158 Revert, 160 parseAnim,
    // 161 swapSec, ...).
    virtual void error(int subroutine, const std::string &description) = 0;
};

// Runs f; a failure goes to r.error(subroutine, ...). False when f failed.
template <class F> bool reported(ReadReport &r, int subroutine, F f)
{
    try {
        f();
        return true;
    } catch (const std::exception &e) {
        r.error(subroutine, e.what());
    }
    return false;
}

// Numbers in reports: hexadecimal without leading zeros, as the section list shows them.
std::string hexText(int v);
std::string where(int stage, int section); // "stage 3, section A"
// A staircase or special-object list with more records than its 30 slots.
std::string tooLong(const std::string &list, int stage, int section);

struct LoadDelegate : ReadReport
{
    // The "irregular or damaged" box of the loader (subroutine 111), for data of the ROM that
    // could not be read: true = OK, go on; false = Cancel.
    virtual bool irregular(const std::string &description) = 0;
    // The ROM file could not be read at all, or is of neither release: nothing was read from it
    // and no write can reach it. Answered as irregular unless the window says more.
    virtual bool romUnread(const std::string &description) { return irregular(description); }
    // One of the program's own files could not be read; the ROM is not at fault. Cancel ends
    // the program and keeps the settings.
    virtual bool programFile(const std::string &description) { return irregular(description); }
    // Why "Vorlig.pal" could not be used, after a load that ended with PaletteFailed.
    std::string paletteFault;
};

enum class LoadOutcome {
    Loaded,
    Cancelled, // Cancel on the box of an irregular ROM: delete the settings file and end
    Quit, // Cancel on any other box of the load: end, the settings kept
    PaletteFailed, // "Vorlig.pal" missing or shorter than 64 colours: its message, then end
};

// Reads the whole ROM (files.ini.romPath) and the files beside the program (files.appPath,
// files.datPath) into g and t, starting from cleared tables; g.romVer becomes the release the
// ROM's own signature names. Stops before the selection of stage 0. A ROM of neither release
// is read no further, since its positions would mean nothing there, and leaves no file that a
// write could reach.
LoadOutcome Init(LoadedRom &g, const ProgramFiles &files, StageTables &t, LoadDelegate &d);

// One line of the template file into stTemplates(group, index); throws VbError on bad text.
void parseAnim(RomTables &g, const std::string &line, int group, int index);

// The enemy list for lstEnemy: 73 rows, the Japanese release ("1") without row 30.
std::vector<EnemyRow> enemyList(const std::string &romVer);

// Lines of each template group in the file "anim" + romVer + ".dat".
inline constexpr std::array<int, 9> animGroupLines { 7, 17, 14, 5, 2, 4, 5, 9, 4 };
