#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"
#include "app/frmRI3.h"
#include "rom/Numbers.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>

namespace {

constexpr int subMouseDown = 143;
constexpr int subMouseMove = 144;
constexpr int subImgSelMove = 125;
constexpr int subFormMove = 123;

const char *const puNames[19] = { "Boomerang", "Holy Water", "Dagger", "Axe", "Watch", "Rosary",
    "Potion", "Extra Life", "Small Heart", "Big Heart", "200 Points", "400 Points", "700 Points",
    "1,000 Points", "7,000 Points", "100 Points", "2,000 Points", "4,000 Points", "10,000 Points" };

} // namespace

void frmRI3::NamePu(int index)
{
    if (index >= 0 && index < 19)
        txtOffset->setText(puNames[index]);
}

QString frmRI3::tilesetRange() const
{
    return "Tileset " + sel[0]->Tag + "-" + selLastTag;
}

void frmRI3::scr_MouseDown(int index, int button, double, double)
{
    if (!optBg->isChecked())
        return;
    msg::step(g, subMouseDown, [&] {
        std::string &layout
            = t.layoutStr[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)];
        ctl::ImageBox *cell = scr[static_cast<size_t>(index)];
        const auto pos = static_cast<size_t>(cellPos[static_cast<size_t>(index)]);
        if (button == 1) {
            Modif();
            if (index < 8)
                maskTop = true;
            const int block = static_cast<uint8_t>(paintChar.at(0));
            drawBlock(cell, block);
            maskTop = false;
            layout.at(pos) = paintChar.at(0);
            cell->Tag = "&H" + viewtext::hex2(block);
            m_painting = true;
            m_lastDragCell = index;
            QApplication::setOverrideCursor(paintCursor());
        } else if (button == 2) {
            imgSel->setPicture(cell->picture());
            imgSel->Tag = cell->Tag;
            paintChar = std::string(1, layout.at(pos));
        }
    });
}

// The rest of a paint stroke: each further cell takes a copy of the painting block's picture.
void frmRI3::scr_DragOver(int index)
{
    if (!optBg->isChecked())
        return;
    ctl::ImageBox *cell = scr[static_cast<size_t>(index)];
    cell->setPicture(imgSel->picture());
    cell->Tag = "&H" + viewtext::hex2(static_cast<uint8_t>(paintChar.at(0)));
    std::string &layout
        = t.layoutStr[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)];
    const auto pos = static_cast<size_t>(cellPos[static_cast<size_t>(index)]);
    if (pos < layout.size())
        layout[pos] = paintChar.at(0);
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
        if (optPu->isChecked()) {
            if (isVertical()) {
                txtVal->clear();
                txtOffset->setText("Object");
                if (optPuTag == "Dragged")
                    unDrag();
            } else {
                puReadOut(index, x, y);
            }
        }
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

// Where an object placed in the column pair under the pointer would go.
void frmRI3::puReadOut(int index, double x, double y)
{
    const auto s = static_cast<size_t>(g.curStage);
    const auto n = static_cast<size_t>(g.curSection);
    const int v = scrscroll->value();
    const int c = (index % 8) & ~1;
    long long off = t.enemyPos[s][n] + v + c + 2;
    if (holderKind == 3)
        off -= 1;
    txtOffset->setText("Offset " + viewtext::hex(off));
    txtVal->clear();
    txtPatterns->setText("[x, y]");
    const double tx = x / 30;
    long long xv = holderKind != 3
        ? num::roundEven(tx - static_cast<double>(num::roundEven(tx) % 2) + 4)
        : num::roundEven(tx - static_cast<double>(num::roundEven(tx) % 4) + 4);
    if (index % 2 == 1)
        xv += 32;
    if (holderKind == 1 || holderKind == 2)
        xv += 4;
    if (xv >= 64)
        xv -= 64;
    txtPat1->setText(viewtext::hex2(xv));
    const double u = y / 30 + 32 * (index / 8);
    long long yv = num::roundEven(u - static_cast<double>(num::roundEven(u) % 4));
    if (holderKind == 1)
        yv += 8;
    if (holderKind == 3)
        yv += g.enOffY.at(static_cast<size_t>(std::clamp(selectedEnemyId(), 0, 82)));
    if (yv < 0)
        yv = 0;
    txtPat2->setText(viewtext::hex2(yv));
}

void frmRI3::imgSel_MouseMove()
{
    if (!optBg->isChecked())
        return;
    msg::step(g, subImgSelMove, [&] {
        txtOffset->setText(tilesetRange());
        txtVal->setText(viewtext::hex2(static_cast<uint8_t>(paintChar.at(0))));
    });
}

void frmRI3::Form_MouseMove()
{
    msg::step(g, subFormMove, [&] {
        const auto s = static_cast<size_t>(g.curStage);
        const auto n = static_cast<size_t>(g.curSection);
        if (optBg->isChecked()) {
            txtOffset->setText(tilesetRange());
            txtVal->clear();
        } else if (optPu->isChecked()) {
            if (t.vertFlag[s][n] == 0) {
                if (holderKind != 3)
                    NamePu(g.selPu);
                else
                    txtOffset->setText("Enemy " + viewtext::hex2(selectedEnemyId()));
                txtVal->clear();
                txtPatterns->setText("Patterns");
                txtPat1->setText(viewtext::hex2(g.patSpr[s][n][2]));
                txtPat2->setText(viewtext::hex2(g.patSpr[s][n][3]));
            } else {
                if (optPuTag == "Dragged")
                    unDrag();
                txtVal->setText(viewtext::hex2(selEn));
                txtOffset->setText("Current Obj");
            }
        } else {
            txtOffset->clear();
            txtVal->clear();
            txtPatterns->setText("Patterns");
            txtPat1->setText(viewtext::hex2(g.patSpr[s][n][2]));
            txtPat2->setText(viewtext::hex2(g.patSpr[s][n][3]));
        }
    });
}
