#include "app/frmRI3.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"
#include "view/BlockSelector.h"
#include "view/LevelView.h"

#include <QApplication>

namespace {

constexpr int subSelDown = 152;

} // namespace

// The block editor on the selector's block; when it closes, every picture that shows a changed
// block is drawn again.
void frmRI3::editBlock(int index, int block)
{
    BlockPainter::Batch batch(m_blocks);
    msg::step(g, subSelDown, [&] {
        g.tsaBlock = block;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        openBlockEditor();
        QApplication::restoreOverrideCursor();
        const QString tag = "&H" + viewtext::hex2(g.tsaBlock);
        if (!g.dlgCancel && !g.tileChanged) {
            m_view->redrawCells(&tag);
            m_selector->redrawEdited(index, g.tsaBlock);
        } else if (g.tileChanged) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            g.tileChanged = false;
            m_view->redrawCells();
            m_selector->forEachBlock(
                true, true, [this](ctl::ImageBox *cell, int b) { drawBlock(cell, b); });
            QApplication::restoreOverrideCursor();
        }
    });
}
