#include "app/SideWindows.h"
#include "app/SectionProperties.h"
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
#include <QLineEdit>
#include <QRadioButton>

namespace {

constexpr int subPattern = 112;
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
      m_selector(&p.selector), m_view(&p.view), m_props(&p.props), m_window(p.window),
      optBg(p.optBg), txtPat1(p.txtPat1), txtPat2(p.txtPat2)
{ }

const StageTables &SideWindows::tables() const
{
    return t;
}

void SideWindows::cmdPattern_Click()
{
    BlockPainter::Batch batch(m_blocks);
    frmPatterns *dlg
        = m_window->findChild<frmPatterns *>("frmPatterns", Qt::FindDirectChildrenOnly);
    if (!dlg)
        dlg = new frmPatterns(
            romDoc, files, *this, m_window); // kept, so its preview layout lasts the run
    dlg->run();
    if (dlg->dlgCancel())
        return;
    msg::step(romDoc, subPattern, [&] {
        const auto &banks = romDoc.tables()
                                .patBG.at(static_cast<size_t>(romDoc.shown().curStage))
                                .at(static_cast<size_t>(romDoc.shown().curSection));
        txtPat1->setText(viewtext::hex2(banks[1]));
        txtPat2->setText(viewtext::hex2(banks[2]));
    });
    m_blocks.tileDet(doc.curTileset());
    m_view->drawSection();
    if (optBg->isChecked())
        m_selector->selectionChange();
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
    {
        frmPalettes dlg(romDoc, files, *this, ownerOf(m_window));
        dlg.run();
    }
    msg::step(romDoc, subEditPalettes, [&] { m_props->showPaletteSet(); });
    StageReport boxes;
    romDoc.readPalettes(boxes, subEditPalettes);
    msg::step(romDoc, subEditPalettes, [&] {
        m_view->redrawCells();
        m_selector->forEachBlock(true, optBg->isChecked(),
            [this](ctl::ImageBox *cell, int block) { m_blocks.drawBlock(cell, block); });
    });
    QApplication::restoreOverrideCursor(); // the hourglass of the editor's unloading
}

render::TilePixels &SideWindows::tilePixels(int tileset)
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

// The block editor on the selector's block; when it closes, every picture that shows a changed
// block is drawn again.
void SideWindows::editBlock(int index, int block)
{
    BlockPainter::Batch batch(m_blocks);
    msg::step(romDoc, subSelDown, [&] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool tileChanged = openBlockEditor(block);
        QApplication::restoreOverrideCursor();
        const QString tag = "&H" + viewtext::hex2(block);
        if (!tileChanged) {
            m_view->redrawCells(&tag);
            m_selector->redrawEdited(index, block);
        } else {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            m_view->redrawCells();
            m_selector->forEachBlock(
                true, true, [this](ctl::ImageBox *cell, int b) { m_blocks.drawBlock(cell, b); });
            QApplication::restoreOverrideCursor();
        }
    });
}

// The block editor on a block, modal; the caller redraws when it returns, every block when a
// tile was saved meanwhile.
bool SideWindows::openBlockEditor(int tsaBlock)
{
    frmEditTSA editor(romDoc, files, *this, tsaBlock, m_window);
    editor.exec();
    return editor.tileChanged();
}

void SideWindows::Damage()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (romDoc.romVer() != "0") {
        frmHits2 w(romDoc, files, m_window, m_window);
        w.exec();
    } else {
        frmHits w(romDoc, files, m_window, m_window);
        w.exec();
    }
}

void SideWindows::BGM()
{
    frmBGM w(romDoc, files, m_window);
    w.exec();
}

void SideWindows::cmdMisc_Click()
{
    frmMisc w(romDoc, files, m_window);
    w.exec();
}
