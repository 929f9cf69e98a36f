#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"
#include "app/frmRI3.h"
#include "rom/Numbers.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>

namespace {

constexpr int subSelection = 154;
constexpr int subSelDown = 152;
constexpr int subSelMove = 153;

} // namespace

void frmRI3::selectionChange()
{
    DrawBatch batch(*this);
    msg::step(g, subSelection, [&] {
        const int n = g.blockCount.at(g.curTileset);
        for (int k = 1; k < 8; ++k)
            sel[static_cast<size_t>(k)]->setEnabled(true);
        int max = n / 8;
        if (n % 8 == 0)
            max -= 1;
        selscroll->setMaximum(std::max(0, max));
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
            drawBlock(sel[static_cast<size_t>(k)], b);
        }
        if (k > 0)
            selLastTag = sel[static_cast<size_t>(k - 1)]->Tag;
        if (selscroll->value() == selscroll->maximum() && c != 0) {
            const QPixmap null(QString::fromStdString(g.datPath + "null.dat"));
            for (int i = c; i < 8; ++i) {
                sel[static_cast<size_t>(i)]->setPicture(null);
                sel[static_cast<size_t>(i)]->setEnabled(false);
            }
        }
        txtOffset->setText(tilesetRange());
    });
}

void frmRI3::sel_MouseDown(int index, int button)
{
    DrawBatch batch(*this);
    msg::step(g, subSelDown, [&] {
        const int b = viewtext::tagBlock(sel[static_cast<size_t>(index)]->Tag);
        if (button == 1) {
            imgSel->Tag = "&H" + sel[static_cast<size_t>(index)]->Tag;
            paintChar = std::string(1, static_cast<char>(b));
            drawBlock(imgSel, b);
        } else if (button == 2) {
            g.tsaBlock = b;
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
                drawBlock(sel[static_cast<size_t>(index)], g.tsaBlock);
                if (static_cast<uint8_t>(paintChar.at(0)) == g.tsaBlock)
                    drawBlock(imgSel, g.tsaBlock);
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
                for (ctl::ImageBox *cell : sel)
                    if (cell->isEnabled())
                        drawBlock(cell, viewtext::tagBlock(cell->Tag));
                drawBlock(imgSel, static_cast<uint8_t>(paintChar.at(0)));
                QApplication::restoreOverrideCursor();
            }
        }
    });
    if (g.dlgCancel)
        g.dlgCancel = false;
}

void frmRI3::sel_MouseMove(int index)
{
    msg::step(g, subSelMove, [&] {
        txtOffset->setText(tilesetRange());
        txtVal->setText(sel[static_cast<size_t>(index)]->Tag);
    });
}
