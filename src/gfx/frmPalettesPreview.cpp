// The palette editor's preview of its assigned set on the main window's blocks.
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"
#include "app/frmRI3.h"
#include "gfx/frmPalettes.h"
#include "rom/Numbers.h"
#include "rom/VbError.h"
#include "stage/StageData.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QRadioButton>

void frmPalettes::previewBlock(ctl::ImageBox *target, int block)
{
    const auto ts = static_cast<size_t>(tilesetOf(g.curStage, g.curSection));
    const auto b = static_cast<size_t>(block & 0xFF);
    const std::array<std::string, 4> pal = bgpal::palStrings(palSets, curSet);
    render::BlockInput in;
    in.tiles = &m_main.tilePix.at(ts);
    in.tileNumbers = g.blockTiles.at(ts)[b].data();
    in.quadrantPal = g.blockPal.at(ts)[b].data();
    in.palettes = pal.data();
    in.nesRgb = g.nesRgb.data();
    render::BlockImage pixels;
    const std::string failure = render::drawBlock(in, pixels);
    const QImage img(
        reinterpret_cast<const uchar *>(pixels.data()), 32, 32, 32 * 4, QImage::Format_RGB32);
    target->setPicture(QPixmap::fromImage(img.copy()));
    if (!failure.empty())
        throw VbError(failure);
}

// One failure stops the pass, so a damaged set gives one box rather than one a block.
void frmPalettes::previewMain(bool selectorInEveryMode)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    msg::step(g, 611, [&] {
        for (ctl::ImageBox *cell : m_main.scr)
            previewBlock(cell, viewtext::tagBlock(cell->Tag));
        const bool bg = m_main.optBg->isChecked();
        if (bg || selectorInEveryMode)
            for (ctl::ImageBox *cell : m_main.sel)
                if (cell->isEnabled())
                    previewBlock(cell, viewtext::tagBlock(cell->Tag));
        if (bg && !m_main.paintChar.empty())
            previewBlock(m_main.imgSel, static_cast<uint8_t>(m_main.paintChar[0]));
    });
    QApplication::restoreOverrideCursor();
}

void frmPalettes::cmdAssign_Click()
{
    msg::step(g, 601, [&] {
        assignListed();
        previewMain(false);
    });
}
