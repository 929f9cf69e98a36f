#include "gfx/BlockPicBox.h"
#include "gfx/frmEditTSA.h"
#include "rom/Numbers.h"
#include "ui/Controls.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

namespace {

constexpr int subTimer = 300;
constexpr int subPalQuad = 301;
constexpr int subCellMove = 302;
constexpr int subCellClick = 303;
constexpr int subFormMove = 306;

constexpr int chooserEdge = 3270; // twips: left of it the cells, right the chooser

} // namespace

namespace blocks {

int groupLeft(int q)
{
    return (q == 3 || q == 1) ? 1350 : 1860;
}

int groupTop(int q)
{
    return q >= 2 ? 3330 : 3840;
}

} // namespace blocks

void frmEditTSA::buildColourGroups()
{
    for (int q = 0; q < 4; ++q) {
        const int left = blocks::groupLeft(q);
        const int top = blocks::groupTop(q);
        // Element 3 at the origin, 0 to its right, 1 below, 2 diagonally below right.
        const int dx[4] = { 240, 0, 240, 0 };
        const int dy[4] = { 0, 240, 240, 0 };
        for (int e = 0; e < 4; ++e) {
            auto *box = new blocks::PicBox(this, QString("picPal%1").arg(q), e);
            look::place(box, left + dx[e], top + dy[e], 240, 240);
            box->onMouseDown = [this, q](int, int button, double, double) { PalQuad(q, button); };
            picPal[static_cast<size_t>(q)][static_cast<size_t>(e)] = box;
        }
    }
    palSh = new QFrame(this);
    palSh->setObjectName("palSh");
    palSh->setAttribute(Qt::WA_TransparentForMouseEvents);
    palSh->setStyleSheet("QFrame { background: transparent; border: 1px solid white; }");
    look::place(palSh, blocks::groupLeft(3), blocks::groupTop(3), 495, 495);
}

void frmEditTSA::wireCells()
{
    for (ctl::ImageBox *cell : imgTSA) {
        cell->onMouseDown
            = [this](int k, int button, double, double) { m_pressedCell = button == 1 ? k : -1; };
        cell->onMouseUp = [this, cell](int k, int button, double x, double y) {
            const bool inside
                = x >= 0 && y >= 0 && x < cell->width() * 15.0 && y < cell->height() * 15.0;
            if (button == 1 && k == m_pressedCell && inside)
                imgTSA_Click(k);
            m_pressedCell = -1;
        };
        cell->onMouseMove = [this](int k, int, double, double) { imgTSA_MouseMove(k); };
    }
}

void frmEditTSA::imgTSA_Click(int index)
{
    const DrawScope scope(this);
    msg::step(romDoc, subCellClick, [&] {
        const auto c = static_cast<size_t>(index & 15);
        ctl::ImageBox *cell = imgTSA[c];
        txtVal->setText(viewtext::hex2(m.blkTiles[c]));
        cur->move(cell->x() - look::tw(30), cell->y() - look::tw(30));
        m.select(index);
        selName = QString::fromStdString(blocks::cellName(m.selCell));
        txtEdit->setText(selName);
        palSh->move(look::tw(blocks::groupLeft(m.selQuad)), look::tw(blocks::groupTop(m.selQuad)));
        if (cell->Tag != imgTile[0]->Tag) {
            redrawChooser();
            imgTile[0]->Tag = QString::number(m.chooserPal, 16).toUpper();
        }
        Picture2 = cell->picture();
        Picture2Tag = "&H" + txtVal->text();
    });
}

void frmEditTSA::imgTSA_MouseMove(int index)
{
    msg::step(romDoc, subCellMove, [&] {
        if (!tim->isActive())
            tim->start();
        imgTSA[static_cast<size_t>(m.selCell)]->setPicture(Picture2);
        TxtMod->clear();
        if (index != hoverCell)
            txtEdit->setText(QString::fromStdString(blocks::cellName(index)));
        hoverCell = index;
    });
}

// Moves over the window's own background; the cells and the chooser report their own.
void frmEditTSA::mouseMoveEvent(QMouseEvent *e)
{
    QWidget *under = childAt(e->position().toPoint());
    if (!qobject_cast<ctl::ImageBox *>(under)) // the editors' picture boxes are image boxes too
        Form_MouseMove(e->position().x() * 15.0);
    QDialog::mouseMoveEvent(e);
}

void frmEditTSA::Form_MouseMove(double x)
{
    msg::step(romDoc, subFormMove, [&] {
        if (QApplication::overrideCursor() || testAttribute(Qt::WA_SetCursor))
            defaultPointer();
        if (x < chooserEdge && !tim->isActive())
            tim->start();
        if (x >= chooserEdge && timTag.isEmpty()) {
            cur->hide();
            tim->stop();
        }
        if (txtEdit->text() != selName)
            txtEdit->setText(selName);
        hoverCell = -1;
        imgTSA[static_cast<size_t>(m.selCell)]->setPicture(Picture2);
        TxtMod->clear();
    });
}

void frmEditTSA::PalQuad(int q, int button)
{
    const DrawScope scope(this);
    if (q < 0 || q > 3)
        return;
    const auto qi = static_cast<size_t>(q);
    msg::step(romDoc, subPalQuad, [&] {
        m.stepQuad(q, button);
        for (size_t i = 0; i < 3; ++i)
            picPal[qi][i]->setBackColor(colour(m.palCols[m.quadPal[qi] & 3][i]));
    });
    // A missing digit picture keeps the old one; the rest is redrawn all the same.
    msg::step(romDoc, subPalQuad, [&] { setGroupDigit(q, m.quadPal[qi]); });
    msg::step(romDoc, subPalQuad, [&] {
        if (q == m.selQuad) {
            m.chooserPal = m.quadPal[qi];
            redrawChooser();
            imgTile[0]->Tag = QString::number(m.chooserPal, 16).toUpper();
        }
        for (int c : blocks::quadCells(q)) {
            ctl::ImageBox *cell = imgTSA[static_cast<size_t>(c)];
            cell->Tag = QString::number(m.quadPal[qi]);
            const int keep = m.chooserPal;
            m.chooserPal = m.quadPal[qi];
            drawTile(cell, m.blkTiles[static_cast<size_t>(c)]);
            m.chooserPal = keep;
        }
        Picture2 = imgTSA[static_cast<size_t>(m.selCell)]->picture();
    });
}

void frmEditTSA::tim_Timer()
{
    msg::step(romDoc, subTimer, [&] {
        if (!blinkOn) {
            blinkOn = true;
            cur->show();
            return;
        }
        blinkOn = false;
        cur->hide();
        if (!timTag.isEmpty()) {
            tim->stop();
            timTag.clear();
        }
    });
}
