#include "app/frmRI3.h"
#include "objects/MarkerLayer.h"

#include "app/PanelHost.h"
#include "app/Settings.h"
#include "app/SideWindows.h"
#include "resources/Icons.h"
#include "resources/Resources.h"
#include "rom/Release.h"
#include "rom/RomFile.h"
#include "rom/VbError.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"
#include "view/LevelView.h"

#include <QAction>
#include <QApplication>

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

} // namespace

frmRI3::frmRI3(Shared &g, StageDocument &doc, QWidget *parent)
    : QMainWindow(parent), g(g), doc(doc), t(doc.tables()), m_blocks(g), m_help(g, this)
{
    setObjectName("frmRI3");
    setWindowTitle(designCaption);
    buildMenus();
    buildView();
    connectView();
    doc.setListener(this);
}

frmRI3::~frmRI3()
{
    doc.setListener(nullptr);
}

MainLink &frmRI3::sideLink()
{
    return *m_side;
}

void frmRI3::menuFromIni()
{
    mnuHMask->setChecked(g.files.ini.hMask);
    mnuVMask->setChecked(g.files.ini.vMask);
    mnuGridlines->setChecked(g.files.ini.grid);
}

void frmRI3::iniFromMenu()
{
    g.files.ini.hMask = mnuHMask->isChecked();
    g.files.ini.vMask = mnuVMask->isChecked();
    g.files.ini.grid = mnuGridlines->isChecked();
}

// After a release check: 0x90 unchecks, 0xE4 checks, other values leave the mark; after the
// Settings loop every value but 0xE4 unchecks.
void frmRI3::readDebugByte(uint8_t debugByte, bool fromSettingsLoop)
{
    if (g.romVer == "1") {
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

// The signature and the debug byte, read in one opening of the ROM: those bytes alone.
void frmRI3::readRomRelease(int subroutine)
{
    std::optional<romfile::OpenFile> rom;
    if (!msg::step(g, subroutine, [&] { rom.emplace(g.files.ini.romPath); }))
        return;
    Bytes sig;
    if (msg::step(g, subroutine, [&] { sig = rom->readAt(release::signaturePos, 16); }))
        g.romVer = release::check(release::signatureText(sig), g.romVer);
    if (g.romVer == "1") {
        readDebugByte(0, false);
        return;
    }
    msg::step(
        g, subroutine, [&] { readDebugByte(rom->readAt(release::debugBytePos, 1)[0], false); });
}

void frmRI3::Form_Load()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (g.files.ini.romPath.empty())
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
    msg::step(g, subLoad, [&] {
        g.files.appPath = withSlash(g.files.programDir);
        g.files.datPath = g.files.appPath + "Attic/";
        if (!romfile::dirExists(g.files.datPath) && ::mkdir(g.files.datPath.c_str(), 0755) != 0)
            throw VbError("Path/File access error: " + g.files.datPath);
    });
    g.files.ini.romLoad = 1;
    bool haveRom = false;
    if (romfile::fileExists(g.files.iniPath())) {
        for (const std::string &e : ini::read(g.files.iniPath(), 7, g.files.ini))
            msg::errBox(subLoad, e);
        menuFromIni();
        if (g.files.ini.grid)
            m_view->showGrid(true);
        if (!g.files.ini.romPath.empty() && romfile::fileExists(g.files.ini.romPath)) {
            haveRom = true;
            if (!g.files.ini.backupPath.empty() && !romfile::fileExists(g.files.ini.backupPath)) {
                msg::box("Your backup ROM was not found. You can specify another later.",
                    msg::Information, "I am Error");
                g.files.ini.backupPath.clear();
                msg::step(g, subLoad, [&] { ini::write(g.files.iniPath(), g.files.ini); });
            }
            readRomRelease(subLoad);
        } else {
            msg::box("Your ROM was not found.", msg::Information, "I am Error");
        }
    }
    if (!haveRom && !askForRom())
        return;
    // A folder that cannot be written fails every file alike: one box says so.
    const std::vector<res::Failure> failed = res::extractAll(g.files.datPath);
    if (!failed.empty())
        msg::errBox(subLDIF, res::failureText(failed, g.files.datPath));
    Init();
}

// No ROM named yet: the Settings window until the settings file exists, then the ROM it names.
// False when the program ended meanwhile.
bool frmRI3::askForRom()
{
    do {
        Settings dlg(g, doc, this);
        dlg.exec();
        if (app::ended())
            return false;
    } while (!romfile::fileExists(g.files.iniPath()));
    IniValues v = g.files.ini;
    for (const std::string &e : ini::read(g.files.iniPath(), 4, v))
        msg::errBox(subLoad, e);
    g.files.ini.romPath = v.romPath;
    g.files.ini.emuPath = v.emuPath;
    g.files.ini.romLoad = v.romLoad;
    g.files.ini.backupPath = v.backupPath;
    if (g.romVer == "1")
        readDebugByte(0, true);
    else
        msg::step(g, subLoad, [&] {
            mnuDebug->setEnabled(true);
            readDebugByte(romfile::readByte(g.files.ini.romPath, release::debugBytePos), true);
        });
    return true;
}

void frmRI3::mnuQuit_Click()
{
    close();
}
