#include "app/frmRI3.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"
#include "view/BlockSelector.h"

#include <QApplication>

namespace {

constexpr int subSelDown = 152;

} // namespace

// Draws again every cell of the view (only those tagged `onlyTag` when given), the top row
// masked as the view draws it.
void frmRI3::redrawCells(const QString *onlyTag)
{
    for (int k = 0; k < 48; ++k) {
        ctl::ImageBox *cell = scr[static_cast<size_t>(k)];
        maskTop = k <= 7;
        if (!onlyTag || cell->Tag == *onlyTag)
            drawBlock(cell, viewtext::tagBlock(cell->Tag));
    }
    maskTop = false;
}

// The block editor on the selector's block; when it closes, every picture that shows a changed
// block is drawn again.
void frmRI3::editBlock(int index, int block)
{
    DrawBatch batch(*this);
    msg::step(g, subSelDown, [&] {
        g.tsaBlock = block;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        openBlockEditor();
        QApplication::restoreOverrideCursor();
        const QString tag = "&H" + viewtext::hex2(g.tsaBlock);
        if (!g.dlgCancel && !g.tileChanged) {
            redrawCells(&tag);
            m_selector->redrawEdited(index, g.tsaBlock);
        } else if (g.tileChanged) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            g.tileChanged = false;
            redrawCells();
            m_selector->forEachBlock(
                true, true, [this](ctl::ImageBox *cell, int b) { drawBlock(cell, b); });
            QApplication::restoreOverrideCursor();
        }
    });
}
