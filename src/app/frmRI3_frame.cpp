#include "app/Settings.h"
#include "app/SettingsRead.h"
#include "app/StartDetached.h"
#include "app/frmRI3.h"
#include "rom/Release.h"
#include "rom/RomFile.h"
#include "stage/Document.h"
#include "stage/Unsaved.h"
#include "ui/Controls.h"
#include "ui/ImmediateWrite.h"
#include "ui/MsgBox.h"
#include "view/LevelView.h"

#include <QAction>

namespace {

constexpr int subReload = 127;
constexpr int subEmuLaunch = 122;
constexpr int subDebug = 126;
constexpr int subGrid = 128;
constexpr int subWriteIni = 129;
constexpr int subHMask = 130;
constexpr int subVMask = 132;

} // namespace

void frmRI3::connectFrame()
{
    connect(mnuFile, &QAction::triggered, this, [this] { mnuFile_Click(); });
    connect(mnuLaunchEmu, &QAction::triggered, this, [this] { EmuLaunch(); });
    // These handlers flip their check marks themselves, also when code calls them: undo the
    // flip the menu has already made.
    auto flipping = [this](QAction *a, void (frmRI3::*handler)()) {
        connect(a, &QAction::triggered, this, [this, a, handler] {
            a->setChecked(!a->isChecked());
            (this->*handler)();
        });
    };
    flipping(mnuDebug, &frmRI3::DebugChecking);
    flipping(mnuGridlines, &frmRI3::mnuGridlines_Click);
    flipping(mnuHMask, &frmRI3::mnuHMask_Click);
    flipping(mnuVMask, &frmRI3::mnuVMask_Click);
}

// The Settings window, then what it asked for; the settings are read again in every case, and
// the release and the Debug Screen switch shown as the ROM in memory holds them.
void frmRI3::mnuFile_Click()
{
    int setChoice = 0;
    {
        Settings dlg(romDoc, files, this);
        const bool accepted = dlg.exec() == QDialog::Accepted;
        setChoice = dlg.setChoice();
        // With no ROM loaded (the one named was refused), the ROM the window accepted is loaded:
        // the settings file names it now.
        if (accepted && !romDoc.file().loaded())
            setChoice = 1;
    }
    if (app::ended())
        return;
    // Reloading after a failed save would throw away the edits it could not save.
    if (setChoice == 2) {
        const std::vector<SaveFailure> failures = saveMarked();
        if (!failures.empty()) {
            setChoice = 0;
            keepLoadedRomInSettings();
            msg::box("These sections could not be saved, so the ROM was not loaded again and "
                     "every change is kept:\r"
                    + unsavedText(failures),
                msg::Exclamation, "You have unsaved data");
        }
    }
    if (setChoice == 1 || setChoice == 2) {
        reloadRom();
        if (app::ended())
            return;
    }
    readSettings(files, subReload, 7, files.ini);
    menuFromIni();
    // The release is the ROM's in memory: the settings may name another file by now.
    showLoadedRelease();
}

// The settings window has written the ROM it was given into the settings file; when the reload
// to it is called off, the file names the ROM still being edited again: the file loaded, which
// the path last read from the settings file need not be.
void frmRI3::keepLoadedRomInSettings()
{
    const std::string &edited = romDoc.file().path();
    IniValues v = files.ini;
    ini::read(files.iniPath(), 7, v);
    if (edited.empty() || v.romPath == edited)
        return;
    v.romPath = edited;
    msg::step(romDoc, subReload, [&] { ini::write(files.iniPath(), v); });
}

void frmRI3::WriteIni()
{
    iniFromMenu();
    if (msg::step(romDoc, subWriteIni, [&] { ini::write(files.iniPath(), files.ini); }))
        files.iniReport.clear();
}

// The emulator gets the ROM path as its one argument, or nothing; the editor does not wait.
void frmRI3::EmuLaunch()
{
    files.ini.romLoad = 1;
    readSettings(files, subEmuLaunch, 3, files.ini);
    // The paths go to the system as the settings file holds them, never through a text encoding.
    std::vector<std::string> args;
    if (files.ini.romLoad == 1)
        args.push_back(files.ini.romPath);
    if (!startDetached(files.ini.emuPath, args))
        msg::box("Specify a valid location for your emulator in the file settings.",
            msg::Exclamation, "Invalid pathname");
}

// The byte is written at once. When the write fails the check mark goes back to what the ROM
// holds, and the box says so.
void frmRI3::DebugChecking()
{
    const bool before = mnuDebug->isChecked();
    const bool on = !before;
    mnuDebug->setChecked(on);
    const immediate::Failure failure = immediate::write(romDoc, release::debugBytePos,
        [on](uint8_t) { return on ? release::debugOn : release::debugOff; });
    if (failure.failed()) {
        mnuDebug->setChecked(before);
        showLoadedRelease();
        if (failure.romChanged)
            romChangedOnDisk(failure.description);
        else
            msg::errBox(subDebug, failure.description,
                immediate::lastLine(
                    failure, "the Debug Screen", mnuDebug->isChecked() ? "on" : "off"));
    }
    // The file holds no debug setting: a file with lines the program could not use is left.
    if (files.iniReport.empty())
        WriteIni();
}

void frmRI3::mnuGridlines_Click()
{
    msg::step(romDoc, subGrid, [&] {
        mnuGridlines->setChecked(!mnuGridlines->isChecked());
        m_view->showGrid(mnuGridlines->isChecked());
    });
    WriteIni();
}

void frmRI3::mnuHMask_Click()
{
    msg::step(romDoc, subHMask, [&] { mnuHMask->setChecked(!mnuHMask->isChecked()); });
    WriteIni();
    msg::step(romDoc, subHMask, [&] { m_view->redrawMaskRow(); });
}

void frmRI3::mnuVMask_Click()
{
    msg::step(romDoc, subVMask, [&] {
        mnuVMask->setChecked(!mnuVMask->isChecked());
        if (m_view->isVertical())
            m_view->markMaskedRows();
    });
    WriteIni();
}
