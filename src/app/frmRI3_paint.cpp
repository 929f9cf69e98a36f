#include "app/frmRI3.h"
#include "objects/PowerUpPanel.h"
#include "rom/Numbers.h"
#include "rom/VbError.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"
#include "view/BlockSelector.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>

namespace {

constexpr int subMouseDown = 143;
constexpr int subMouseMove = 144;
constexpr int subFormMove = 123;

} // namespace

void frmRI3::scr_MouseDown(int index, int button, double, double)
{
    if (!optBg->isChecked())
        return;
    msg::step(g, subMouseDown, [&] {
        const std::string &layout
            = t.layoutStr[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)];
        ctl::ImageBox *cell = scr[static_cast<size_t>(index)];
        const int pos = cellPos[static_cast<size_t>(index)];
        if (button == 1) {
            Modif();
            if (index < 8)
                maskTop = true;
            const int block = m_selector->paintBlock();
            drawBlock(cell, block);
            maskTop = false;
            if (!doc.paintCell(g.curStage, g.curSection, pos, static_cast<uint8_t>(block)))
                throw VbError("Subscript out of range");
            cell->Tag = "&H" + viewtext::hex2(block);
            m_painting = true;
            m_lastDragCell = index;
            QApplication::setOverrideCursor(paintCursor());
        } else if (button == 2) {
            m_selector->takeBlock(
                static_cast<uint8_t>(layout.at(static_cast<size_t>(pos))), cell->picture());
        }
    });
}

// The rest of a paint stroke: each further cell takes a copy of the painting block's picture.
void frmRI3::scr_DragOver(int index)
{
    if (!optBg->isChecked())
        return;
    ctl::ImageBox *cell = scr[static_cast<size_t>(index)];
    cell->setPicture(m_selector->brush());
    cell->Tag = "&H" + viewtext::hex2(m_selector->paintBlock());
    doc.paintCell(g.curStage, g.curSection, cellPos[static_cast<size_t>(index)],
        static_cast<uint8_t>(m_selector->paintBlock()));
}

void frmRI3::endStroke()
{
    if (!m_painting)
        return;
    m_painting = false;
    m_lastDragCell = -1;
    QApplication::restoreOverrideCursor();
}

// While a stroke is under way the pressed cell keeps the mouse; the cell under the pointer is
// the one dragged over.
void frmRI3::strokeMove(const QPoint &globalPos)
{
    QWidget *client = centralWidget();
    QWidget *under = client->childAt(client->mapFromGlobal(globalPos));
    for (int k = 0; k < 48; ++k)
        if (scr[static_cast<size_t>(k)] == under && k != m_lastDragCell) {
            m_lastDragCell = k;
            scr_DragOver(k);
        }
}

void frmRI3::scr_MouseMove(int index, int, double x, double y)
{
    msg::step(g, subMouseMove, [&] {
        const auto s = static_cast<size_t>(g.curStage);
        const auto n = static_cast<size_t>(g.curSection);
        ctl::ImageBox *cell = scr[static_cast<size_t>(index)];
        if (optBg->isChecked()) {
            txtOffset->setText("Offset "
                + viewtext::hex(t.layoutPos[s][n] + cellPos[static_cast<size_t>(index)] - 1));
            txtVal->setText(cell->Tag.right(2));
        }
        if (optPu->isChecked())
            m_pu->cellHover(index, x, y);
        if (optSt->isChecked()) {
            txtOffset->clear();
            txtVal->clear();
            if (t.vertFlag[s][n] == -1) {
                QString xs = viewtext::hex2(num::roundEven(32 * (index % 8) + x / 30));
                txtPat1->setText(xs == "100" ? "00" : xs);
                long long yv
                    = num::roundEven(32 * (index / 8) + y / 30 + 32 * (scrvscroll->value() % 8));
                if (yv >= 256)
                    yv -= 256;
                txtPat2->setText(viewtext::hex2(yv));
            } else {
                long long xv
                    = num::roundEven(32 * (index % 8) + x / 30 + 32 * (scrscroll->value() % 8));
                if (xv >= 256)
                    xv -= 256;
                txtPat1->setText(viewtext::hex2(xv));
                txtPat2->setText(viewtext::hex2(num::roundEven(32 * (index / 8) + y / 30)));
            }
            txtPatterns->setText("[x, y]");
        }
    });
}

void frmRI3::Form_MouseMove()
{
    msg::step(g, subFormMove, [&] {
        const auto s = static_cast<size_t>(g.curStage);
        const auto n = static_cast<size_t>(g.curSection);
        if (optBg->isChecked()) {
            txtOffset->setText(m_selector->tilesetRange());
            txtVal->clear();
        } else if (optPu->isChecked()) {
            m_pu->formHover();
        } else {
            txtOffset->clear();
            txtVal->clear();
            txtPatterns->setText("Patterns");
            txtPat1->setText(viewtext::hex2(g.patSpr[s][n][2]));
            txtPat2->setText(viewtext::hex2(g.patSpr[s][n][3]));
        }
    });
}
