#include "app/frmRI3.h"
#include "objects/PowerUpPanel.h"
#include "rom/Numbers.h"
#include "rom/VbError.h"
#include "special/MiscPanel.h"
#include "stage/StageData.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>

namespace {

constexpr int subHScroll = 145;
constexpr int subVScroll = 149;

// The number in a scroll bar's Tag; an empty Tag counts as 0.
int tagValue(const QString &tag)
{
    return tag.isEmpty() ? 0 : tag.toInt();
}

} // namespace

void frmRI3::tileDet()
{
    m_blocks.tileDet();
}

void frmRI3::drawBlock(ctl::ImageBox *target, int block)
{
    m_blocks.drawBlock(target, block, maskTop && mnuHMask->isChecked() && !scrvscroll->isEnabled());
}

// During a scroll a cell that stays visible takes its neighbour's picture; "C" marks it so the
// drawing pass leaves it alone.
void frmRI3::takePicture(int to, int from)
{
    ctl::ImageBox *t = scr[static_cast<size_t>(to)];
    ctl::ImageBox *f = scr[static_cast<size_t>(from)];
    t->setPicture(f->picture());
    t->Tag = "C" + f->Tag;
}

void frmRI3::drawCell(int k, const std::string &layout)
{
    ctl::ImageBox *cell = scr[static_cast<size_t>(k)];
    if (cell->Tag.startsWith('C')) {
        cell->Tag = cell->Tag.right(4);
        return;
    }
    const int pos = cellPos[static_cast<size_t>(k)];
    if (pos < 0 || pos >= static_cast<int>(layout.size()))
        throw VbError("Invalid procedure call or argument");
    const int b = static_cast<uint8_t>(layout[static_cast<size_t>(pos)]);
    drawBlock(cell, b);
    cell->Tag = "&H" + viewtext::hex2(b);
}

// While the thumb is held the view is redrawn only when the column pair shown changes: a thumb
// resting on an odd value snaps back to the even one at every move, which shows nothing new.
bool frmRI3::viewUnchanged(const ctl::ScrollBar *bar) const
{
    return bar->isSliderDown() && bar->value() == tagValue(bar->Tag);
}

// The thumb let go: the view is drawn once more where it came to rest. A bar let go because a
// box opened over the window draws nothing more: the box tells of the drawing that failed.
void frmRI3::viewBarReleased(const ctl::ScrollBar *bar)
{
    if (QApplication::activeModalWidget())
        return;
    if (bar == scrscroll)
        ScrscrollChange();
    else
        ScrvscrollChange();
}

void frmRI3::ScrscrollChange()
{
    DrawBatch batch(*this);
    if (Combo2->Tag == "0" || viewUnchanged(scrscroll))
        return;
    bool odd = false;
    msg::step(g, subHScroll, [&] {
        const int v = scrscroll->value();
        if (v % 2 != 0) {
            odd = true;
            scrscroll->setValue(v - 1); // the nested run draws for the even value
            return;
        }
        for (int i = 0; i < 8; ++i)
            lH[static_cast<size_t>(i)]->setText(viewtext::place(v + i));
        scrollDelta = v - tagValue(scrscroll->Tag);
        const int d = scrollDelta;
        if (d > 0 && d < 8) {
            for (int j = 0; j <= 7 - d; ++j)
                for (int r = 0; r < 6; ++r)
                    takePicture(8 * r + j, 8 * r + j + d);
        } else if (d < 0 && d > -8) {
            for (int j = 7; j >= -d; --j)
                for (int r = 0; r < 6; ++r)
                    takePicture(8 * r + j, 8 * r + j + d);
        }
        scrscroll->Tag = QString::number(v);
        const int screen = v / 8;
        const int o = v & 7;
        const std::string &layout
            = t.layoutStr[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)];
        maskTop = true;
        for (int k = 0; k < 48; ++k) {
            const int r = k / 8;
            const int c = k % 8;
            if (k > 7)
                maskTop = false;
            int pos = 48 * screen + 8 * r + c + o;
            if (c + o >= 8)
                pos += 40;
            cellPos[static_cast<size_t>(k)] = pos;
            drawCell(k, layout);
        }
        maskTop = false;
    });
    if (odd)
        return;
    if (optPu->isChecked())
        m_pu->viewScrolled(true);
    if (optSt->isChecked())
        m_misc->processSt();
}

void frmRI3::ScrvscrollChange()
{
    DrawBatch batch(*this);
    if (Combo2->Tag == "0" || viewUnchanged(scrvscroll))
        return;
    bool odd = false;
    msg::step(g, subVScroll, [&] {
        const int v = scrvscroll->value();
        if (v % 2 != 0) {
            odd = true;
            scrvscroll->setValue(v - 1);
            return;
        }
        for (int i = 0; i < 6; ++i)
            lV[static_cast<size_t>(i)]->setText(viewtext::place(v + i));
        if (mnuVMask->isChecked())
            markMaskedRows();
        scrollDelta = v - tagValue(scrvscroll->Tag);
        const int d = scrollDelta;
        if (d > 0 && d < 6) {
            for (int r = 0; r <= 5 - d; ++r)
                for (int c = 0; c < 8; ++c)
                    takePicture(8 * r + c, 8 * (r + d) + c);
        } else if (d < 0 && d > -6) {
            for (int r = 5; r >= -d; --r)
                for (int c = 0; c < 8; ++c)
                    takePicture(8 * r + c, 8 * (r + d) + c);
        }
        scrvscroll->Tag = QString::number(v);
        const std::string &layout
            = t.layoutStr[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)];
        for (int k = 0; k < 48; ++k) {
            const int pos = 8 * v + k;
            cellPos[static_cast<size_t>(k)] = pos;
            drawCell(k, layout);
        }
    });
    if (odd)
        return;
    if (optPu->isChecked())
        m_pu->viewScrolled(false);
    if (optSt->isChecked())
        m_misc->processSt();
}

// Hatches the visible last rows of screens; with the mask off it only clears the hatching.
void frmRI3::markMaskedRows()
{
    for (ctl::Shape *h : highlight)
        if (h->fillStyle() == 7)
            h->setFillStyle(1);
    if (!mnuVMask->isChecked())
        return;
    const int v = scrvscroll->value();
    for (int j = 7; j <= scrvscroll->maximum() + 5; j += 8)
        if (j - v >= 0 && j - v <= 5)
            highlight[static_cast<size_t>(j - v)]->setFillStyle(7);
}

void frmRI3::redrawMaskRow()
{
    DrawBatch batch(*this);
    if (t.vertFlag[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)] == -1)
        return;
    maskTop = true;
    for (int i = 0; i < 8; ++i)
        drawBlock(
            scr[static_cast<size_t>(i)], viewtext::tagBlock(scr[static_cast<size_t>(i)]->Tag));
    maskTop = false;
}
