// The palette editor's preview of its assigned set on the main window's blocks.
#include "gfx/frmPalettes.h"
#include "rom/Numbers.h"
#include "rom/VbError.h"
#include "stage/StageData.h"
#include "ui/Controls.h"
#include "ui/MainLink.h"
#include "ui/MsgBox.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>

void frmPalettes::previewBlock(ctl::ImageBox *target, int block)
{
    const auto ts
        = static_cast<size_t>(tilesetOf(romDoc.shown().curStage, romDoc.shown().curSection));
    const auto b = static_cast<size_t>(block & 0xFF);
    const std::array<std::string, 4> pal = bgpal::palStrings(palSets, curSet);
    render::BlockInput in;
    in.tiles = &m_main.tilePixels(ts);
    in.tileNumbers = romDoc.tables().blockTiles.at(ts)[b].data();
    in.quadrantPal = romDoc.tables().blockPal.at(ts)[b].data();
    in.palettes = pal.data();
    in.nesRgb = romDoc.tables().nesRgb.data();
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
    msg::step(romDoc, 611, [&] {
        m_main.forEachShownBlock(selectorInEveryMode,
            [this](ctl::ImageBox *cell, int block) { previewBlock(cell, block); });
    });
    QApplication::restoreOverrideCursor();
}

void frmPalettes::cmdAssign_Click()
{
    msg::step(romDoc, 601, [&] {
        assignListed();
        previewMain(false);
    });
}
