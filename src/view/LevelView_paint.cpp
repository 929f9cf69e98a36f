// Painting the view with the selector's block, and the read-outs of the block under the pointer.
#include "model/RomDocument.h"
#include "resources/Icons.h"
#include "rom/VbError.h"
#include "stage/Document.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"
#include "view/BlockPainter.h"
#include "view/BlockSelector.h"
#include "view/LevelView.h"

#include <QApplication>
#include <QLineEdit>

namespace {

constexpr int subMouseDown = 143;
constexpr int subMouseMove = 144;

} // namespace

void LevelView::setPaintMode(bool on)
{
    m_paintMode = on;
    if (!on)
        endStroke();
}

void LevelView::scr_MouseDown(int index, int button, double, double)
{
    if (!m_paintMode)
        return;
    msg::step(romDoc, subMouseDown, [&] {
        ctl::ImageBox *c = scr[static_cast<size_t>(index)];
        const int pos = m_cellPos[static_cast<size_t>(index)];
        if (button == 1) {
            emit modified();
            const int block = m_selector.paintBlock();
            drawBlock(c, block, index < 8);
            if (!doc.paintCell(romDoc.shown().curStage, romDoc.shown().curSection, pos,
                    static_cast<uint8_t>(block)))
                throw VbError("Subscript out of range");
            c->Tag = viewtext::cellTag(block);
            showCell(index); // the pointer stays on the cell: the read-out shows its new block
            m_painting = true;
            m_lastDragCell = index;
            QApplication::setOverrideCursor(res::dragCursor("PAINT"));
        } else if (button == 2) {
            m_selector.takeBlock(
                static_cast<uint8_t>(layout().at(static_cast<size_t>(pos))), c->picture());
        }
    });
}

// The rest of a paint stroke: each further cell takes a copy of the painting block's picture.
void LevelView::scr_DragOver(int index)
{
    if (!m_paintMode)
        return;
    ctl::ImageBox *c = scr[static_cast<size_t>(index)];
    c->setPicture(m_selector.brush());
    c->Tag = viewtext::cellTag(m_selector.paintBlock());
    doc.paintCell(romDoc.shown().curStage, romDoc.shown().curSection,
        m_cellPos[static_cast<size_t>(index)], static_cast<uint8_t>(m_selector.paintBlock()));
    showCell(index);
}

void LevelView::endStroke()
{
    if (!m_painting)
        return;
    m_painting = false;
    m_lastDragCell = -1;
    QApplication::restoreOverrideCursor();
}

// While a stroke is under way the pressed cell keeps the mouse; the cell under the pointer is
// the one dragged over.
void LevelView::strokeMove(const QPoint &globalPos)
{
    QWidget *client = parentWidget();
    QWidget *under = client->childAt(client->mapFromGlobal(globalPos));
    for (int k = 0; k < 48; ++k)
        if (scr[static_cast<size_t>(k)] == under && k != m_lastDragCell) {
            m_lastDragCell = k;
            scr_DragOver(k);
        }
}

// The Background read-out of the cell under the pointer: its layout byte's offset and block.
void LevelView::showCell(int index)
{
    if (!m_offset || !m_val)
        return;
    const auto s = static_cast<size_t>(romDoc.shown().curStage);
    const auto n = static_cast<size_t>(romDoc.shown().curSection);
    m_offset->setText(
        "Offset " + viewtext::hex(t.layoutPos[s][n] + m_cellPos[static_cast<size_t>(index)] - 1));
    m_val->setText(scr[static_cast<size_t>(index)]->Tag.right(2));
}

void LevelView::scr_MouseMove(int index, int, double x, double y)
{
    if (m_paintMode)
        msg::step(romDoc, subMouseMove, [&] { showCell(index); });
    emit hovered(index, x, y);
}
