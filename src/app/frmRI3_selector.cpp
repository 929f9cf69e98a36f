#include "app/frmRI3.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"
#include "view/BlockSelector.h"

#include <QApplication>

namespace {

constexpr int subSelDown = 152;

} // namespace

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
            maskTop = true;
            for (int k = 0; k < 48; ++k) {
                if (k > 7)
                    maskTop = false;
                if (scr[static_cast<size_t>(k)]->Tag == tag)
                    drawBlock(scr[static_cast<size_t>(k)], g.tsaBlock);
            }
            maskTop = false;
            m_selector->redrawEdited(index, g.tsaBlock);
        } else if (g.tileChanged) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            g.tileChanged = false;
            maskTop = true;
            for (int k = 0; k < 48; ++k) {
                if (k > 7)
                    maskTop = false;
                drawBlock(scr[static_cast<size_t>(k)],
                    viewtext::tagBlock(scr[static_cast<size_t>(k)]->Tag));
            }
            maskTop = false;
            m_selector->forEachBlock(
                true, true, [this](ctl::ImageBox *cell, int b) { drawBlock(cell, b); });
            QApplication::restoreOverrideCursor();
        }
    });
}
