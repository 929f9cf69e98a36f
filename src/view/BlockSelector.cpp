#include "view/BlockSelector.h"

#include "model/RomDocument.h"
#include "resources/FolderPictures.h"
#include "stage/Document.h"
#include "ui/Controls.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"
#include "view/BlockPainter.h"

#include <QLineEdit>

namespace {

constexpr int subSelection = 154;
constexpr int subSelDown = 152;
constexpr int subSelMove = 153;
constexpr int subImgSelMove = 125;

} // namespace

BlockSelector::BlockSelector(
    QWidget *client, RomDocument &romDoc, const ProgramFiles &files, BlockPainter &blocks)
    : PanelLayer(client, "BlockSelector"), romDoc(romDoc), files(files), m_doc(romDoc.stages()),
      m_blocks(blocks)
{
    for (int k = 0; k < 8; ++k) {
        auto *cell = new ctl::ImageBox(this, "sel", k);
        look::place(cell, 8520 + 480 * (k % 2), 2760 + 480 * (k / 2), 480, 480);
        cell->onMouseDown = [this](int i, int b, double, double) { sel_MouseDown(i, b); };
        cell->onMouseMove = [this](int i, int, double, double) { sel_MouseMove(i); };
        sel[static_cast<size_t>(k)] = cell;
    }
    selscroll = new ctl::ScrollBar(Qt::Vertical, this, "selscroll");
    look::place(selscroll, 9540, 2760, 255, 1920);
    selscroll->setMaximum(0);
    selscroll->setPageStep(1); // a click beside the thumb turns one page
    connect(selscroll, &QScrollBar::valueChanged, this, [this] { selectionChange(); });
    imgSel = new ctl::ImageBox(this, "imgSel");
    look::place(imgSel, 10080, 2760, 960, 960);
    imgSel->onMouseMove = [this](int, int, double, double) { imgSel_MouseMove(); };
    // Hidden, the selector is drawn afresh when the Background mode shows it again.
    connect(&blocks, &BlockPainter::everyBlockChanged, this, [this](bool banks) {
        if (!m_shown)
            return;
        if (banks)
            selectionChange();
        else
            forEachBlock(
                true, false, [this](ctl::ImageBox *cell, int b) { m_blocks.drawBlock(cell, b); });
        drawPreview();
    });
    connect(&blocks, &BlockPainter::blockChanged, this, [this](int block) {
        if (m_shown)
            redrawEdited(block);
    });
}

void BlockSelector::setReadOuts(QLineEdit *offset, QLineEdit *val)
{
    m_offset = offset;
    m_val = val;
}

QString BlockSelector::tilesetRange() const
{
    return "Tileset " + sel[0]->Tag + "-" + selLastTag;
}

void BlockSelector::selectionChange()
{
    BlockPainter::Batch batch(m_blocks);
    msg::step(romDoc, subSelection, [&] {
        const int n = romDoc.tables().blockCount.at(static_cast<size_t>(m_doc.curTileset()));
        for (int k = 1; k < 8; ++k)
            sel[static_cast<size_t>(k)]->setEnabled(true);
        int max = n / 8;
        if (n % 8 == 0)
            max -= 1;
        selscroll->setMaximum(std::max(0, max));
        const int c = fillPage(n);
        if (selscroll->value() == selscroll->maximum() && c != 0) {
            // Cells past the last block are disabled even when their picture cannot be had.
            QPixmap null;
            msg::step(romDoc, subSelection,
                [&] { null = res::folderPicture(files.datPath + "null.dat"); });
            for (int i = c; i < 8; ++i) {
                sel[static_cast<size_t>(i)]->setPicture(null);
                sel[static_cast<size_t>(i)]->setEnabled(false);
            }
        }
        m_offset->setText(tilesetRange());
    });
}

// Where each page starts, and the page shown drawn; returns how many blocks the last page holds
// beyond its full rows of 8 (0 when it is full).
int BlockSelector::fillPage(int n)
{
    int c = 0;
    int p = 0;
    for (int i = 0; i < n; ++i) {
        if (++c == 8) {
            ++p;
            c = 0;
            if (p < static_cast<int>(selPageStart.size()))
                selPageStart[static_cast<size_t>(p)] = i + 1;
        }
    }
    const int page = std::min(selscroll->value(), static_cast<int>(selPageStart.size()) - 1);
    int k = 0;
    for (int b = selPageStart[static_cast<size_t>(page)]; b < n && k < 8; ++b, ++k) {
        sel[static_cast<size_t>(k)]->Tag = viewtext::hex2(b);
        m_blocks.drawBlock(sel[static_cast<size_t>(k)], b);
    }
    if (k > 0)
        selLastTag = sel[static_cast<size_t>(k - 1)]->Tag;
    return c;
}

void BlockSelector::firstPage()
{
    selscroll->setValue(0);
}

QScrollBar *BlockSelector::stepBar() const
{
    return selscroll;
}

void BlockSelector::showForBackground()
{
    m_shown = true;
    raise();
    for (ctl::ImageBox *cell : sel) {
        cell->setVisible(true);
        cell->raise();
    }
    selscroll->setVisible(true);
    selectionChange();
    drawPreview();
    imgSel->setVisible(true);
}

void BlockSelector::hideSelector(bool clearPreview)
{
    m_shown = false;
    for (ctl::ImageBox *cell : sel)
        cell->setVisible(false);
    selscroll->setVisible(false);
    if (clearPreview)
        imgSel->clearPicture();
    imgSel->setVisible(false);
}

QPixmap BlockSelector::brush() const
{
    return imgSel->picture();
}

void BlockSelector::resetPaintBlock()
{
    m_paintChar = std::string(1, '\0');
}

void BlockSelector::takeBlock(int block, const QPixmap &picture)
{
    imgSel->setPicture(picture);
    imgSel->Tag = "&H" + viewtext::hex2(block);
    m_paintChar = std::string(1, static_cast<char>(block));
}

void BlockSelector::drawPreview()
{
    m_blocks.drawBlock(imgSel, paintBlock());
}

void BlockSelector::forEachBlock(
    bool cells, bool preview, const std::function<void(ctl::ImageBox *, int)> &draw) const
{
    // A cell past the tileset's end keeps its empty picture.
    if (cells)
        for (ctl::ImageBox *cell : sel)
            if (cell->isEnabled())
                draw(cell, viewtext::tagBlock(cell->Tag));
    if (preview)
        draw(imgSel, paintBlock());
}

void BlockSelector::redrawEdited(int block)
{
    forEachBlock(true, paintBlock() == block, [&](ctl::ImageBox *cell, int b) {
        if (b == block)
            m_blocks.drawBlock(cell, b);
    });
}

void BlockSelector::sel_MouseDown(int index, int button)
{
    BlockPainter::Batch batch(m_blocks);
    int block = 0;
    msg::step(romDoc, subSelDown, [&] {
        block = viewtext::tagBlock(sel[static_cast<size_t>(index)]->Tag);
        if (button == 1) {
            imgSel->Tag = "&H" + sel[static_cast<size_t>(index)]->Tag;
            m_paintChar = std::string(1, static_cast<char>(block));
            m_blocks.drawBlock(imgSel, block);
        }
    });
    if (button == 2)
        emit editRequested(block);
}

void BlockSelector::sel_MouseMove(int index)
{
    msg::step(romDoc, subSelMove, [&] {
        m_offset->setText(tilesetRange());
        m_val->setText(sel[static_cast<size_t>(index)]->Tag);
    });
}

void BlockSelector::imgSel_MouseMove()
{
    if (!m_shown)
        return;
    msg::step(romDoc, subImgSelMove, [&] {
        m_offset->setText(tilesetRange());
        m_val->setText(viewtext::hex2(paintBlock()));
    });
}
