#include "app/Controls.h"
#include "app/ErrorText.h"
#include "app/MsgBox.h"
#include "app/Reports.h"
#include "app/frmRI3.h"
#include "rom/RomFile.h"
#include "stage/Saver.h"

#include <QAction>
#include <QCloseEvent>
#include <QPushButton>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int subSaveBlock = 156;
constexpr int subSaveAll = 157;
constexpr int subUnload = 124;

} // namespace

void frmRI3::Init()
{
    LoadBoxes boxes(g);
    switch (::Init(g, t, boxes)) {
    case LoadOutcome::Cancelled:
        if (romfile::fileExists(g.iniPath()))
            std::remove(g.iniPath().c_str());
        app::endProgram();
        return;
    case LoadOutcome::PaletteFailed:
        msg::box(
            std::string("Palette file 'Vorlig.pal' is either missing or corrupt.\rPlease copy a "
                        "valid NES palette file bearing that name in the EXE folder.\r"
                        "Execution will now stop."),
            msg::Critical, g.errTitle);
        app::endProgram();
        return;
    case LoadOutcome::Loaded:
        break;
    }
    if (g.romVer == "1")
        mnuDebug->setEnabled(false);
    imgAku->setPicture(QPixmap(QString::fromStdString(g.datPath + "aku" + g.romVer + ".dat")));
    if (Combo1->currentIndex() == 0)
        Combo1Change();
    Combo1->setCurrentIndex(0);
}

void frmRI3::Modif()
{
    ::Modif(g);
    for (QPushButton *b : { cmdSave, cmdSaveAll, cmdRevert })
        b->setEnabled(true);
    for (QAction *a : { mnuSave, mnuRevert, mnuSaveAll })
        a->setEnabled(true);
}

frmRI3::ObjSnapshot frmRI3::objSnapshot() const
{
    const auto s = static_cast<size_t>(g.curStage);
    const auto n = static_cast<size_t>(g.curSection);
    return { t.enemyTbl[s][n], t.puStr[s][n], t.stairTbl[s][n], t.startTbl[s][n], t.door1[s][n],
        t.door2[s][n], t.specialTbl[s][n] };
}

void frmRI3::modifIfChanged(const ObjSnapshot &before)
{
    if (!(objSnapshot() == before))
        Modif();
}

// A section whose write failed stays marked, so its commands stay enabled.
void frmRI3::afterSave()
{
    setSaveRevert(
        g.modFlags[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)] == 1);
    setSaveAll(g.anyModified());
}

void frmRI3::saveBlock(int stage, int section)
{
    SaveResult r = ::saveBlock(g, t, stage, section);
    if (!r.ok)
        msg::errBox(g, subSaveBlock, r.description, errtext::contSave);
    afterSave();
}

void frmRI3::saveAll()
{
    // One failed write fails every section alike: say each reason once.
    std::vector<std::string> said;
    for (const SaveFailure &f : ::saveAll(g, t)) {
        if (std::find(said.begin(), said.end(), f.description) != said.end())
            continue;
        said.push_back(f.description);
        msg::errBox(g, subSaveAll, f.description, errtext::contSave);
    }
    afterSave();
}

void frmRI3::Revert()
{
    StageReport report(g);
    ::Revert(g, t, report);
    Combo2Change();
    afterSave();
}

void frmRI3::closeEvent(QCloseEvent *e)
{
    try {
        if (g.anyModified()
            && msg::box("Save changes?", msg::QuestionYesNo, "You have unsaved data") == msg::Yes)
            saveAll();
    } catch (...) {
        msg::box(g.errMsg + "\rDescription : " + msg::describe(std::current_exception())
                + " in subroutine " + std::to_string(subUnload) + ".",
            msg::Critical, g.errTitle);
    }
    closeSplash();
    e->accept();
}
