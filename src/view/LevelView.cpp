#include "view/LevelView.h"
#include "model/RomDocument.h"
#include "rom/VbError.h"
#include "stage/Document.h"
#include "ui/Controls.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"
#include "view/BlockPainter.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>

namespace {

constexpr int subHScroll = 145;
constexpr int subVScroll = 149;

// The number in a scroll bar's Tag; an empty Tag counts as 0.
int tagValue(const QString &tag)
{
    return tag.isEmpty() ? 0 : tag.toInt();
}

} // namespace

LevelView::LevelView(
    QWidget *client, RomDocument &romDoc, BlockPainter &blocks, BlockSelector &selector)
    : PanelLayer(client, "LevelView"), romDoc(romDoc), doc(romDoc.stages()), t(doc.tables()),
      m_blocks(blocks), m_selector(selector)
{
    buildCells();
    buildBars();
    // New banks draw the section afresh, as entering it does; the object modes' markers follow.
    connect(&blocks, &BlockPainter::everyBlockChanged, this, [this](bool banks) {
        if (banks)
            drawSection();
        else
            redrawCells();
    });
    connect(&blocks, &BlockPainter::blockChanged, this,
        [this](int block) { redrawCells(&viewtext::cellTag(block)); });
}

void LevelView::buildCells()
{
    for (int k = 0; k < 48; ++k) {
        auto *c = new ctl::ImageBox(this, "scr", k);
        look::place(c, 360 + 960 * (k % 8), 360 + 960 * (k / 8), 960, 960);
        c->Tag = "&H00";
        c->onMouseDown = [this](int i, int b, double x, double y) { scr_MouseDown(i, b, x, y); };
        c->onMouseMove = [this, c](int i, int b, double x, double y) {
            if (m_painting)
                strokeMove(c->mapToGlobal(QPointF(x / 15, y / 15)).toPoint());
            else
                scr_MouseMove(i, b, x, y);
        };
        c->onMouseUp = [this](int, int, double, double) { endStroke(); };
        scr[static_cast<size_t>(k)] = c;
    }
    for (int i = 0; i < 8; ++i) {
        auto *l = new QLabel(this);
        l->setObjectName(QString("lH(%1)").arg(i));
        l->setAlignment(Qt::AlignCenter);
        look::place(l, 360 + 960 * i, 105, 960, 240);
        lH[static_cast<size_t>(i)] = l;
    }
    for (int i = 0; i < 6; ++i) {
        auto *l = new QLabel(this);
        l->setObjectName(QString("lV(%1)").arg(i));
        l->setAlignment(Qt::AlignCenter);
        look::place(l, 0, 720 + 960 * i, 360, 240);
        lV[static_cast<size_t>(i)] = l;
        auto *h = new ctl::Shape(this, QString("highlight(%1)").arg(i), QColor(192, 192, 192));
        look::place(h, 360, 840 + 960 * i, 7680, 480); // the view's width, clear of scrvscroll
        highlight[static_cast<size_t>(i)] = h;
    }
}

void LevelView::buildBars()
{
    scrscroll = new ctl::ScrollBar(Qt::Horizontal, this, "scrscroll");
    look::place(scrscroll, 360, 6120, 7680, 255);
    scrvscroll = new ctl::ScrollBar(Qt::Vertical, this, "scrvscroll");
    look::place(scrvscroll, 8040, 360, 255, 5775);
    for (ctl::ScrollBar *b : { scrscroll, scrvscroll }) {
        b->setSingleStep(2);
        b->setPageStep(2);
        b->setMaximum(0);
        b->Tag = "0";
        connect(b, &QScrollBar::sliderReleased, this, [this, b] { viewBarReleased(b); });
    }
    connect(scrscroll, &QScrollBar::valueChanged, this, [this] { ScrscrollChange(); });
    connect(scrvscroll, &QScrollBar::valueChanged, this, [this] { ScrvscrollChange(); });
}

// Grid lines between the 8 x 6 cells, made when "Gridlines" is first turned on.
void LevelView::buildGrid()
{
    for (int i = 0; i < 12; ++i) {
        auto *line = new QFrame(this);
        line->setObjectName(QString("grid(%1)").arg(i));
        line->setStyleSheet("background-color: white;");
        line->setAttribute(Qt::WA_TransparentForMouseEvents);
        if (i < 5)
            look::place(line, 360, 1320 + 960 * i, 7680, 15);
        else
            look::place(line, 1320 + 960 * (i - 5), 360, 15, 5760);
        line->setVisible(false);
        grid[static_cast<size_t>(i)] = line;
    }
}

void LevelView::setReadOuts(QLineEdit *offset, QLineEdit *val)
{
    m_offset = offset;
    m_val = val;
}

void LevelView::showGrid(bool on)
{
    if (!grid[0]) {
        if (!on)
            return;
        buildGrid();
    }
    for (QFrame *line : grid) {
        line->setVisible(on);
        if (on)
            line->raise();
    }
}

bool LevelView::isVertical() const
{
    return scrvscroll->isEnabled();
}

int LevelView::cellAt(const QPoint &p) const
{
    for (int k = 0; k < 48; ++k)
        if (scr[static_cast<size_t>(k)]->geometry().contains(mapFromParent(p)))
            return k;
    return -1;
}

const std::string &LevelView::layout() const
{
    return t.layoutStr[static_cast<size_t>(romDoc.shown().curStage)]
                      [static_cast<size_t>(romDoc.shown().curSection)];
}

void LevelView::enterStage()
{
    scrscroll->Tag = "0";
    for (ctl::Shape *h : highlight)
        h->setFillStyle(1);
}

// The bar the section scrolls starts at its left (or top) end, or at the other end when the
// section is entered from its right (or bottom) door.
void LevelView::enterSection()
{
    const auto s = static_cast<size_t>(romDoc.shown().curStage);
    const auto n = static_cast<size_t>(romDoc.shown().curSection);
    for (int i = 0; i < 8; ++i)
        lH[static_cast<size_t>(i)]->setText(viewtext::placeOf(scrscroll->value() + i));
    for (int i = 0; i < 6; ++i)
        lV[static_cast<size_t>(i)]->setText(viewtext::placeOf(scrvscroll->value() + i));
    for (ctl::Shape *h : highlight)
        h->setFillStyle(1);
    scrvscroll->setEnabled(t.vertFlag[s][n] != 0);
    scrscroll->setEnabled(!isVertical() && t.layoutLen[s][n] != 48);
    m_held = true;
    if (!isVertical()) {
        scrscroll->setValue(0);
        scrscroll->setMaximum(std::max(0, t.layoutLen[s][n] / 6 - 8));
        if (t.leftDoor[s][n])
            scrscroll->setValue(scrscroll->maximum());
        scrscroll->Tag = "0";
    } else {
        scrvscroll->setValue(0);
        scrvscroll->setMaximum(std::max(0, t.layoutLen[s][n] / 8 - 6));
        if (t.leftDoor[s][n])
            scrvscroll->setValue(scrvscroll->maximum());
        // The first drawing of a section must draw every cell, whatever row it opens at.
        scrvscroll->Tag = QString::number(scrvscroll->value());
    }
    restBar(isVertical() ? scrscroll : scrvscroll);
    m_held = false;
}

// The bar a section does not scroll stands at its start, and so do its captions: the rows
// (or columns) of the section last shown would otherwise stay beside the view.
void LevelView::restBar(ctl::ScrollBar *bar)
{
    bar->setValue(0);
    bar->setMaximum(0);
    if (bar == scrscroll)
        for (int i = 0; i < 8; ++i)
            lH[static_cast<size_t>(i)]->setText(viewtext::placeOf(i));
    else
        for (int i = 0; i < 6; ++i)
            lV[static_cast<size_t>(i)]->setText(viewtext::placeOf(i));
}

void LevelView::drawSection()
{
    if (isVertical())
        ScrvscrollChange();
    else
        ScrscrollChange();
}

// While the thumb is held the view is redrawn only when the column pair shown changes: a thumb
// resting on an odd value snaps back to the even one at every move, which shows nothing new.
bool LevelView::viewUnchanged(const ctl::ScrollBar *bar) const
{
    return bar->isSliderDown() && bar->value() == tagValue(bar->Tag);
}

// The thumb let go: the view is drawn once more where it came to rest. A bar let go because a
// box opened over the window draws nothing more: the box tells of the drawing that failed.
void LevelView::viewBarReleased(const ctl::ScrollBar *bar)
{
    if (QApplication::activeModalWidget())
        return;
    if (bar == scrscroll)
        ScrscrollChange();
    else
        ScrvscrollChange();
}

// The top row is masked only in a horizontal section with "Mask top row" on.
void LevelView::drawBlock(ctl::ImageBox *target, int block, bool topRow)
{
    m_blocks.drawBlock(target, block, topRow && m_hMask && !isVertical());
}

// During a scroll a cell that stays visible takes its neighbour's picture and Tag; it is marked
// so that the drawing pass leaves it alone.
void LevelView::takePicture(int to, int from)
{
    ctl::ImageBox *dst = scr[static_cast<size_t>(to)];
    ctl::ImageBox *src = scr[static_cast<size_t>(from)];
    dst->setPicture(src->picture());
    dst->Tag = src->Tag;
    m_taken[static_cast<size_t>(to)] = true;
}

void LevelView::drawCell(int k, const std::string &layout, bool masked)
{
    ctl::ImageBox *c = scr[static_cast<size_t>(k)];
    if (m_taken[static_cast<size_t>(k)]) {
        m_taken[static_cast<size_t>(k)] = false;
        return;
    }
    const int pos = m_cellPos[static_cast<size_t>(k)];
    if (pos < 0 || pos >= static_cast<int>(layout.size()))
        throw VbError("Invalid procedure call or argument");
    const int b = static_cast<uint8_t>(layout[static_cast<size_t>(pos)]);
    drawBlock(c, b, masked);
    c->Tag = viewtext::cellTag(b);
}

// What both bars do: nothing while a section is set up or while a held thumb shows nothing new;
// an odd value steps back to the even one, whose own run draws.
void LevelView::scrollRun(
    ctl::ScrollBar *bar, int subroutine, bool horizontal, const std::function<void(int)> &draw)
{
    BlockPainter::Batch batch(m_blocks);
    if (m_held || viewUnchanged(bar))
        return;
    bool odd = false;
    msg::step(romDoc, subroutine, [&] {
        const int v = bar->value();
        if (v % 2 != 0) {
            odd = true;
            bar->setValue(v - 1);
            return;
        }
        draw(v);
    });
    if (!odd)
        emit scrolled(horizontal);
}

void LevelView::ScrscrollChange()
{
    scrollRun(scrscroll, subHScroll, true, [this](int v) {
        for (int i = 0; i < 8; ++i)
            lH[static_cast<size_t>(i)]->setText(viewtext::placeOf(v + i));
        const int d = v - tagValue(scrscroll->Tag);
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
        const std::string &shown = layout();
        for (int k = 0; k < 48; ++k) {
            const int r = k / 8;
            const int c = k % 8;
            int pos = 48 * screen + 8 * r + c + o;
            if (c + o >= 8)
                pos += 40;
            m_cellPos[static_cast<size_t>(k)] = pos;
            drawCell(k, shown, k <= 7);
        }
    });
}

void LevelView::ScrvscrollChange()
{
    scrollRun(scrvscroll, subVScroll, false, [this](int v) {
        for (int i = 0; i < 6; ++i)
            lV[static_cast<size_t>(i)]->setText(viewtext::placeOf(v + i));
        if (m_vMask)
            markMaskedRows();
        const int d = v - tagValue(scrvscroll->Tag);
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
        const std::string &shown = layout();
        for (int k = 0; k < 48; ++k) {
            m_cellPos[static_cast<size_t>(k)] = 8 * v + k;
            drawCell(k, shown, false);
        }
    });
}

void LevelView::markMaskedRows()
{
    for (ctl::Shape *h : highlight)
        if (h->fillStyle() == 7)
            h->setFillStyle(1);
    if (!m_vMask)
        return;
    const int v = scrvscroll->value();
    for (int j = 7; j <= scrvscroll->maximum() + 5; j += 8)
        if (j - v >= 0 && j - v <= 5)
            highlight[static_cast<size_t>(j - v)]->setFillStyle(7);
}

void LevelView::redrawMaskRow()
{
    BlockPainter::Batch batch(m_blocks);
    if (t.vertFlag[static_cast<size_t>(romDoc.shown().curStage)]
                  [static_cast<size_t>(romDoc.shown().curSection)]
        == -1)
        return;
    for (int i = 0; i < 8; ++i)
        drawBlock(scr[static_cast<size_t>(i)], viewtext::tagBlock(scr[static_cast<size_t>(i)]->Tag),
            true);
}

void LevelView::redrawCells(const QString *onlyTag)
{
    for (int k = 0; k < 48; ++k) {
        ctl::ImageBox *c = scr[static_cast<size_t>(k)];
        if (!onlyTag || c->Tag == *onlyTag)
            drawBlock(c, viewtext::tagBlock(c->Tag), k <= 7);
    }
}

void LevelView::forEachCell(const std::function<void(ctl::ImageBox *, int)> &draw) const
{
    for (ctl::ImageBox *c : scr)
        draw(c, viewtext::tagBlock(c->Tag));
}
