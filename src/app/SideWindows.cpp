#include "app/SideWindows.h"
#include "gfx/frmEditTSA.h"
#include "gfx/frmPalettes.h"
#include "gfx/frmPatterns.h"
#include "gfx/frmSprites.h"
#include "model/RomDocument.h"
#include "model/gfx/PalSets.h"
#include "stage/Document.h"
#include "tables/frmBGM.h"
#include "tables/frmHits.h"
#include "tables/frmMisc.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/Reports.h"
#include "ui/ViewText.h"
#include "view/BlockPainter.h"
#include "view/BlockSelector.h"
#include "view/LevelView.h"

#include <QApplication>
#include <QRadioButton>

namespace {

constexpr int subEditPalettes = 113;
constexpr int subSelDown = 152;

// A side window opened from another modal window sits above that one.
QWidget *ownerOf(QWidget *main)
{
    QWidget *modal = QApplication::activeModalWidget();
    return modal ? modal : main;
}

} // namespace

SideWindows::SideWindows(const Parts &p)
    : romDoc(p.romDoc), files(p.files), doc(p.romDoc.stages()), t(doc.tables()), m_blocks(p.blocks),
      m_selector(&p.selector), m_view(&p.view), m_window(p.window), optBg(p.optBg)
{ }

const StageTables &SideWindows::tables() const
{
    return t;
}

void SideWindows::cmdPattern_Click()
{
    BlockPainter::Batch batch(m_blocks); // what the window saves is drawn once it closes
    frmPatterns *dlg
        = m_window->findChild<frmPatterns *>("frmPatterns", Qt::FindDirectChildrenOnly);
    if (!dlg)
        dlg = new frmPatterns(
            romDoc, files, *this, m_window); // kept, so its preview layout lasts the run
    dlg->run();
    if (!dlg->dlgCancel())
        QApplication::restoreOverrideCursor(); // the hourglass of the window's Save
}

void SideWindows::cmdEPat_Click()
{
    cmdEPatTag = "Yeah";
    cmdPattern_Click();
}

void SideWindows::EditPalettes()
{
    BlockPainter::Batch batch(m_blocks);
    bool readAgain = true;
    {
        frmPalettes dlg(romDoc, files, *this, ownerOf(m_window));
        dlg.run();
        // A window that could not read the file and wrote nothing has told why already, and
        // the file holds nothing new of this program's.
        readAgain = dlg.loaded() || dlg.writeTried();
    }
    // Every section of the stage takes its colours from the file again: a set saved may be the
    // set of several.
    StageReport boxes;
    if (readAgain && !romDoc.reloadAsked) // the file is loaded again instead
        msg::step(romDoc, subEditPalettes, [&] { romDoc.readPalettes(boxes, subEditPalettes); });
    QApplication::restoreOverrideCursor(); // the hourglass of the editor's unloading
}

const render::TilePixels &SideWindows::tilePixels(int tileset) const
{
    return m_blocks.tiles(tileset);
}

bool SideWindows::spriteBanksAsked() const
{
    return cmdEPatTag == "Yeah";
}

bool SideWindows::takeSpriteBanksAsked()
{
    const bool asked = spriteBanksAsked();
    cmdEPatTag.clear();
    return asked;
}

void SideWindows::forEachShownBlock(
    bool selectorInEveryMode, const std::function<void(ctl::ImageBox *, int)> &draw)
{
    m_view->forEachCell(draw);
    const bool bg = optBg->isChecked();
    m_selector->forEachBlock(bg || selectorInEveryMode, bg, draw);
}

void SideWindows::cmdEPal_Click()
{
    frmSprites dlg(romDoc, files, ownerOf(m_window));
    dlg.run();
}

// The block editor on the selector's block; what it saves is drawn again when it closes.
void SideWindows::editBlock(int block)
{
    BlockPainter::Batch batch(m_blocks);
    msg::step(romDoc, subSelDown, [&] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        frmEditTSA editor(romDoc, files, *this, block, m_window);
        msg::execUnlessReload(editor, romDoc);
        QApplication::restoreOverrideCursor();
    });
}

void SideWindows::Damage()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (romDoc.romVer() != "0") {
        frmHits2 w(romDoc, files, m_window, m_window);
        msg::execUnlessReload(w, romDoc);
    } else {
        frmHits w(romDoc, files, m_window, m_window);
        msg::execUnlessReload(w, romDoc);
    }
}

void SideWindows::BGM()
{
    frmBGM w(romDoc, files, m_window);
    msg::execUnlessReload(w, romDoc);
}

void SideWindows::cmdMisc_Click()
{
    frmMisc w(romDoc, files, m_window);
    msg::execUnlessReload(w, romDoc);
}
