#include "app/frmRI3.h"
#include "objects/MarkerLayer.h"

#include "app/PanelHost.h"
#include "app/Settings.h"
#include "app/SettingsRead.h"
#include "app/SideWindows.h"
#include "resources/FolderPictures.h"
#include "resources/Icons.h"
#include "resources/Resources.h"
#include "rom/PathKind.h"
#include "rom/Release.h"
#include "rom/RomFile.h"
#include "rom/VbError.h"
#include "ui/ImmediateWrite.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"
#include "ui/Reports.h"
#include "view/LevelView.h"

#include <QAction>
#include <QApplication>

#include <cerrno>
#include <cstring>
#include <optional>

#include <sys/stat.h>

namespace {

constexpr int subLoad = 100;
constexpr int subLDIF = 162;
const char *const designCaption = "Vorlig";

std::string withSlash(std::string p)
{
    if (p.empty() || p.back() != '/')
        p += '/';
    return p;
}

// Why the picture folder could not be made: what stands in its way, or the system's word.
std::string atticProblem(const std::string &folder, int error)
{
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const std::string there = romfile::whatStandsAt(path);
    const std::string why = there.empty() ? "'" + path + "' is a file, not a folder"
        : there.rfind("nothing stands", 0) == 0
        ? "'" + path + "' cannot be made: " + std::strerror(error)
        : there;
    return why + "; the program's pictures and templates cannot be kept there";
}

} // namespace

frmRI3::frmRI3(RomDocument &romDoc, ProgramFiles &files, QWidget *parent)
    : QMainWindow(parent), romDoc(romDoc), files(files), doc(romDoc.stages()), t(doc.tables()),
      m_blocks(romDoc), m_help(romDoc, files, this)
{
    setObjectName("frmRI3");
    m_blocks.setShownOnce(&m_once);
    setWindowTitle(designCaption);
    buildMenus();
    buildView();
    connectView();
    doc.setListener(this);
    romDoc.addListener(this);
}

frmRI3::~frmRI3()
{
    romDoc.removeListener(this);
    doc.setListener(nullptr);
}

MainLink &frmRI3::sideLink()
{
    return *m_side;
}

void frmRI3::menuFromIni()
{
    mnuHMask->setChecked(files.ini.hMask);
    mnuVMask->setChecked(files.ini.vMask);
    mnuGridlines->setChecked(files.ini.grid);
}

void frmRI3::iniFromMenu()
{
    files.ini.hMask = mnuHMask->isChecked();
    files.ini.vMask = mnuVMask->isChecked();
    files.ini.grid = mnuGridlines->isChecked();
}

// After a release check: 0x90 unchecks, 0xE4 checks, other values leave the mark; after the
// Settings loop every value but 0xE4 unchecks.
void frmRI3::readDebugByte(const std::string &romVer, uint8_t debugByte, bool fromSettingsLoop)
{
    if (!release::known(romVer)) {
        mnuDebug->setEnabled(false); // no byte to switch in a file of neither release
        return;
    }
    if (romVer == "1") {
        setWindowTitle("Vorlig");
        mnuDebug->setEnabled(false);
        return;
    }
    mnuDebug->setEnabled(true);
    if (debugByte == release::debugOn)
        mnuDebug->setChecked(true);
    else if (debugByte == release::debugOff || fromSettingsLoop)
        mnuDebug->setChecked(false);
}

namespace {

// Counts the failures it shows.
struct CountedReport : StageReport
{
    int errors = 0;
    void error(int subroutine, const std::string &description) override
    {
        ++errors;
        StageReport::error(subroutine, description);
    }
};

} // namespace

// The signature and the debug byte of the ROM the settings name, read in one opening of the
// ROM: those bytes alone. False when it is neither release: a ROM read with positions that mean
// nothing there must never be edited, so it is refused as the Settings window refuses it. The
// ROM in memory keeps its own release until the load reads the file.
bool frmRI3::readRomRelease(int subroutine)
{
    CountedReport boxes;
    const RomDocument::ReleaseRead r = romDoc.readRelease(boxes, subroutine);
    if (!release::known(r.romVer)) {
        if (boxes.errors == 0)
            reports::notTheGame();
        return false;
    }
    readDebugByte(r.romVer, r.debugByte.value_or(0), false);
    return true;
}

// The title and the Debug Screen switch as the ROM in memory has them.
void frmRI3::showLoadedRelease()
{
    readDebugByte(romDoc.romVer(), immediate::held(romDoc, release::debugBytePos, 0), false);
}

void frmRI3::Form_Load()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (files.ini.romPath.empty())
        m_help.showSplashForLoad();
    // The splash stays, the load's boxes above it, until the first section shown ends the load.
    m_loading = true;
    m_help.holdSplash(true);
    startUp();
    m_help.holdSplash(false);
    m_loading = false;
}

void frmRI3::startUp()
{
    msg::step(romDoc, subLoad, [&] {
        files.appPath = withSlash(files.programDir);
        files.datPath = files.appPath + "Attic/";
        if (!romfile::dirExists(files.datPath) && ::mkdir(files.datPath.c_str(), 0755) != 0) {
            const std::string why = atticProblem(files.datPath, errno);
            res::folderToldOf(files.datPath);
            throw VbError("Path/File access error: " + why);
        }
    });
    files.ini.romLoad = 1;
    bool haveRom = false;
    if (romfile::fileExists(files.iniPath())) {
        readSettings(files, subLoad, 7, files.ini);
        menuFromIni();
        if (files.ini.grid)
            m_view->showGrid(true);
        if (!files.ini.romPath.empty() && romfile::fileExists(files.ini.romPath)) {
            if (!files.ini.backupPath.empty() && !romfile::fileExists(files.ini.backupPath)) {
                msg::box("Your backup ROM was not found. You can specify another later.",
                    msg::Information, "I am Error");
                files.ini.backupPath.clear();
                // A file with lines the program could not use is left for the user to see.
                if (files.iniReport.empty())
                    msg::step(romDoc, subLoad, [&] { ini::write(files.iniPath(), files.ini); });
            }
            haveRom = readRomRelease(subLoad);
        } else {
            romNotFound();
        }
    } else if (!romfile::otherThanFile(files.iniPath()).empty()) {
        readSettings(files, subLoad, 7, files.ini); // says what stands there instead
    }
    if (!haveRom && !askForRom())
        return;
    // A folder that cannot be written fails every file alike: one box says so. A folder that
    // could not be made was told of already.
    if (romfile::dirExists(files.datPath)) {
        const std::vector<res::Failure> failed = res::extractAll(files.datPath);
        if (!failed.empty())
            msg::errBox(subLDIF, res::failureText(failed, files.datPath));
    }
    Init();
}

// Says what stands at the ROM's path instead, when something does.
void frmRI3::romNotFound()
{
    const std::string there = romfile::otherThanFile(files.ini.romPath);
    msg::box(there.empty() ? std::string("Your ROM was not found.")
                           : "Your ROM was not found: " + there + ".",
        msg::Information, "I am Error");
}

// No ROM named yet: the Settings window until the settings file exists, then the ROM it names.
// False when the program ended meanwhile.
bool frmRI3::askForRom()
{
    std::string romVer;
    do {
        Settings dlg(romDoc, files, this);
        dlg.exec();
        if (app::ended())
            return false;
        romVer = dlg.romVer();
    } while (!romfile::fileExists(files.iniPath()));
    IniValues v = files.ini;
    readSettings(files, subLoad, 4, v);
    files.ini.romPath = v.romPath;
    files.ini.emuPath = v.emuPath;
    files.ini.romLoad = v.romLoad;
    files.ini.backupPath = v.backupPath;
    // A window closed on a ROM of neither release leaves nothing to load: nothing to switch.
    if (romVer != "0")
        readDebugByte(romVer, 0, true);
    else
        msg::step(romDoc, subLoad, [&] {
            mnuDebug->setEnabled(true);
            readDebugByte(
                romVer, romfile::readByte(files.ini.romPath, release::debugBytePos), true);
        });
    return true;
}

void frmRI3::mnuQuit_Click()
{
    close();
}
