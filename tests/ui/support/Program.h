#pragma once
#include "app/frmRI3.h"
#include "stage/Document.h"
#include "support/RomBuilder.h"
#include "support/TempDir.h"
#include "ui/support/HeldTimers.h"
#include "ui/support/ProgramState.h"

#include <memory>

class QWindow;
#include <string>

// The program started on a synthetic ROM in a fresh program folder: settings file, palette
// file and ROM written, start-up run. The program's timers tick only when the test says.
struct Program
{
    explicit Program(rb::Rel rel = rb::Rel::US, bool start = true);
    explicit Program(const rb::RomDesc &desc, bool start = true);

    void start();
    Bytes romBytes() const { return testfile::readAll(rom); }
    // Takes the write permission off the ROM file (or gives it back), so that writes fail the
    // way they do for a user, also when the tests run as root.
    void writeProtect(bool on) const;

    HeldTimers timers; // first made, last gone: every window of the program is held
    TempDir dir;
    std::string rom;
    rb::Built built;
    std::unique_ptr<ProgramState> g;
    StageDocument *doc = nullptr; // the ROM document's stage records
    StageTables *t = nullptr; // the document's tables
    std::unique_ptr<frmRI3> w;
};

// Shows the main window and gives it the keyboard, as a click on it would; returns its window
// for keys typed into it.
QWindow *activeWindow(Program &p);

// The tileset a section draws with, written down here on its own so the drawing tests check the
// program's rule rather than repeat it.
int expectedTileset(int stage, int section);

// 64 distinct colours: colour i is (4i, 255 - 4i, i).
Bytes testPalette();
