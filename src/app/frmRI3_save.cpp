#include "app/frmRI3.h"
#include "objects/PowerUpPanel.h"
#include "resources/FolderPictures.h"
#include "rom/Release.h"
#include "rom/RomFile.h"
#include "stage/Document.h"
#include "stage/Unsaved.h"
#include "ui/Controls.h"
#include "ui/ErrorText.h"
#include "ui/MsgBox.h"
#include "ui/Reports.h"

#include <QAction>
#include <QCloseEvent>
#include <QPushButton>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int subInit = 111;
constexpr int subSaveBlock = 156;
constexpr int subSaveAll = 157;
constexpr int subUnload = 124;

} // namespace

void frmRI3::Init()
{
    LoadBoxes boxes;
    m_once.clear();
    if (m_pu)
        m_pu->romLoaded();
    switch (romDoc.load(boxes)) {
    case LoadOutcome::Cancelled:
        if (romfile::fileExists(files.iniPath()))
            std::remove(files.iniPath().c_str());
        app::endProgram();
        return;
    case LoadOutcome::Quit:
        app::endProgram();
        return;
    case LoadOutcome::PaletteFailed:
        msg::box("Palette file 'Vorlig.pal' is either missing or corrupt.\r" + boxes.paletteFault
                + ".\rPlease copy a valid NES palette file bearing that name in the EXE folder.\r"
                  "Execution will now stop.",
            msg::Critical, errtext::title);
        app::endProgram();
        return;
    case LoadOutcome::Loaded:
        break;
    }
    boxes.flush();
    showLoadedRelease();
    // The release's flag; a ROM of neither release has none to show.
    imgAku->setPicture(QPixmap());
    if (release::known(romDoc.romVer()))
        msg::step(romDoc, subInit, [&] {
            imgAku->setPicture(
                res::folderPicture(files.datPath + "aku" + romDoc.romVer() + ".dat"));
        });
    if (Combo1->currentIndex() == 0)
        Combo1Change();
    Combo1->setCurrentIndex(0);
}

// The commands follow the mark: a section that takes no edit gets none.
void frmRI3::Modif()
{
    doc.markShown();
    afterSave();
}

// A section whose write failed stays marked, so its commands stay enabled.
void frmRI3::afterSave()
{
    setSaveRevert(doc.modified(romDoc.shown().curStage, romDoc.shown().curSection));
    setSaveAll(doc.anyModified());
}

void frmRI3::marksChanged()
{
    afterSave();
}

void frmRI3::saveBlock(int stage, int section)
{
    SaveResult r = doc.save(stage, section);
    afterSave();
    if (r.romChanged)
        romChangedOnDisk(r.description);
    else if (!r.ok)
        msg::errBox(subSaveBlock, r.description, errtext::contSave);
}

std::vector<SaveFailure> frmRI3::saveMarked()
{
    std::vector<SaveFailure> failures = doc.saveAll();
    afterSave();
    return failures;
}

bool frmRI3::saveAll()
{
    const std::vector<SaveFailure> failures = saveMarked();
    std::string changed; // one write for all: at most one such reason
    for (const Unsaved &u : byReason(failures)) {
        const std::string text = u.reason + "; not saved: " + u.sections;
        if (u.romChanged)
            changed = text;
        else
            msg::errBox(subSaveAll, text, errtext::contSave);
    }
    if (!changed.empty())
        romChangedOnDisk(changed);
    return failures.empty();
}

// The file is not the one loaded: nothing was written and the edits stay. Loading it again is
// the way to work on it as it is now, at the price of the unsaved edits, so that is asked.
void frmRI3::romChangedOnDisk(const std::string &description)
{
    msg::romChanged(romDoc, description);
    reloadIfAsked();
}

// A side window that found the file changed may have asked for it; it is closed by now.
void frmRI3::reloadIfAsked()
{
    if (!romDoc.reloadAsked)
        return;
    romDoc.reloadAsked = false;
    reloadRom();
}

void frmRI3::reloadRom()
{
    doc.clearMarks();
    m_help.showSplashForLoad();
    Form_Load();
}

void frmRI3::Revert()
{
    // A file changed on disk would give this section records of another file.
    try {
        romDoc.checkFile();
    } catch (const RomChanged &e) {
        romChangedOnDisk(e.what());
        return;
    } catch (...) {
        // Revert itself reports it.
    }
    if (!revertSharedAllowed())
        return;
    StageReport report;
    doc.revert(report);
    Combo2Change();
    afterSave();
}

// Sections that share records with the shown one lose their unsaved edits there too: they are
// named first, and keeping them is the default.
bool frmRI3::revertSharedAllowed()
{
    std::string names;
    for (auto [s, n] : doc.revertLoses())
        names += (names.empty() ? "" : "; ") + where(s, n);
    if (names.empty())
        return true;
    return msg::box("Revert reads this section again from the ROM file, together with the "
                    "records it shares with "
                   + names + ". The unsaved changes there are lost.\rRevert anyway?",
               msg::ExclamationOkCancel | msg::DefaultButton2, "Revert")
        == msg::Ok;
}

void frmRI3::closeEvent(QCloseEvent *e)
{
    bool quit = true;
    try {
        if (doc.anyModified()
            && msg::box("Save changes?", msg::QuestionYesNo, "You have unsaved data") == msg::Yes) {
            const std::vector<SaveFailure> failures = saveMarked();
            // Quitting now would lose these edits: staying is the default.
            if (!failures.empty())
                quit = msg::box("These sections could not be saved:\r" + unsavedText(failures)
                               + "\rQuit anyway and lose their changes?",
                           msg::QuestionYesNo | msg::DefaultButton2, "You have unsaved data")
                    == msg::Yes;
        }
    } catch (...) {
        msg::box(std::string(errtext::msg)
                + "\rDescription : " + msg::describe(std::current_exception()) + " in subroutine "
                + std::to_string(subUnload) + ".",
            msg::Critical, errtext::title);
    }
    if (!quit) {
        e->ignore();
        return;
    }
    m_help.closeSplash();
    e->accept();
}
