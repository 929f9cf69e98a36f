// The openers of the pattern table window and the two palette editors, and what the main window
// redraws after them.
#include "app/frmRI3.h"
#include "app/SectionProperties.h"
#include "gfx/PalSets.h"
#include "gfx/frmPalettes.h"
#include "gfx/frmPatterns.h"
#include "gfx/frmSprites.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"
#include "view/BlockSelector.h"
#include "view/LevelView.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>

namespace {

constexpr int subPattern = 112;
constexpr int subEditPalettes = 113;

// A side window opened from another modal window sits above that one.
QWidget *ownerOf(QWidget *main)
{
    QWidget *modal = QApplication::activeModalWidget();
    return modal ? modal : main;
}

} // namespace

void frmRI3::cmdPattern_Click()
{
    BlockPainter::Batch batch(m_blocks);
    frmPatterns *dlg = findChild<frmPatterns *>("frmPatterns", Qt::FindDirectChildrenOnly);
    if (!dlg)
        dlg = new frmPatterns(g, *this, this); // kept, so its preview layout lasts the run
    dlg->run();
    if (g.dlgCancel) {
        g.dlgCancel = false;
        return;
    }
    msg::step(g, subPattern, [&] {
        const auto &banks
            = g.patBG.at(static_cast<size_t>(g.curStage)).at(static_cast<size_t>(g.curSection));
        txtPat1->setText(viewtext::hex2(banks[1]));
        txtPat2->setText(viewtext::hex2(banks[2]));
    });
    m_blocks.tileDet();
    m_view->drawSection();
    if (optBg->isChecked())
        m_selector->selectionChange();
    QApplication::restoreOverrideCursor(); // the hourglass of the window's Save
}

void frmRI3::cmdEPat_Click()
{
    cmdEPatTag = "Yeah";
    cmdPattern_Click();
}

void frmRI3::EditPalettes()
{
    BlockPainter::Batch batch(m_blocks);
    {
        frmPalettes dlg(g, *this, ownerOf(this));
        dlg.run();
    }
    const auto s = static_cast<size_t>(g.curStage);
    const int r = g.romVer == "1" ? 1 : 0;
    msg::step(g, subEditPalettes, [&] { m_props->showPaletteSet(); });
    RomImage rom;
    const bool haveRom = msg::step(g, subEditPalettes, [&] {
        rom = RomImage::load(g.ini.romPath);
        const Bytes fixed = rom.bytes(bgpal::fixedPos(r), 3);
        g.palFixed = std::string(fixed.begin(), fixed.end());
        g.palBackdrop = std::string(1, static_cast<char>(rom.byte(bgpal::backdropPos(r))));
    });
    for (int k = 0; haveRom && k < t.secCount.at(s) && k < maxSections; ++k)
        msg::step(g, subEditPalettes, [&] {
            const auto n = static_cast<size_t>(k);
            doc.setPaletteRecordPos(g.curStage, k, bgpal::setBase(r) + 9 * g.palSetNo[s][n]);
            g.palStr[s][n]
                = bgpal::sectionPalStr(g.palBackdrop, g.palFixed, rom.bytes(t.palRecPos[s][n], 9));
        });
    msg::step(g, subEditPalettes, [&] {
        m_view->redrawCells();
        m_selector->forEachBlock(true, optBg->isChecked(),
            [this](ctl::ImageBox *cell, int block) { drawBlock(cell, block); });
    });
    QApplication::restoreOverrideCursor(); // the hourglass of the editor's unloading
}

render::TilePixels &frmRI3::tilePixels(int tileset)
{
    return m_blocks.tiles(tileset);
}

bool frmRI3::spriteBanksAsked() const
{
    return cmdEPatTag == "Yeah";
}

bool frmRI3::takeSpriteBanksAsked()
{
    const bool asked = spriteBanksAsked();
    cmdEPatTag.clear();
    return asked;
}

void frmRI3::forEachShownBlock(
    bool selectorInEveryMode, const std::function<void(ctl::ImageBox *, int)> &draw)
{
    m_view->forEachCell(draw);
    const bool bg = optBg->isChecked();
    m_selector->forEachBlock(bg || selectorInEveryMode, bg, draw);
}

void frmRI3::cmdEPal_Click()
{
    frmSprites dlg(g, ownerOf(this));
    dlg.run();
}
