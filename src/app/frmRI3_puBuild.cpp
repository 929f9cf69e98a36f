#include "ui/Controls.h"
#include "ui/Look.h"
#include "app/frmRI3.h"
#include "app/frmRI3_puControls.h"
#include "objects/PowerUps.h"
#include "rom/VbError.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPixmap>

namespace {

ctl::ImageBox *marker(QWidget *parent, const char *name, int index)
{
    auto *m = new ctl::ImageBox(parent, name, index);
    look::place(m, 0, 0, 480, 480);
    m->setAttribute(Qt::WA_NoMousePropagation);
    m->setVisible(false);
    return m;
}

QLabel *label(QWidget *parent, const QString &name, const QString &caption, int left, int top,
    int width, int height = 255)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    look::place(l, left, top, width, height);
    l->setVisible(false);
    return l;
}

} // namespace

QPixmap frmRI3::datPicture(const std::string &file) const
{
    QPixmap pm(QString::fromStdString(g.datPath + file));
    if (pm.isNull())
        throw VbError("File not found: " + file);
    return pm;
}

int frmRI3::release() const
{
    return g.romVer == "1" ? 1 : 0;
}

// The markers over the view: the selection frame, the 64 object markers, the 4 column items
// and the enemies' code labels.
static void buildMarkers(frmRI3 &w, QWidget *client)
{
    w.rectSelSt = new SelFrame(client, "rectSelSt");
    look::place(w.rectSelSt, 0, 0, 525, 525);
    w.rectSelSt->setVisible(false);
    for (int k = 0; k < 64; ++k)
        w.PosPu[static_cast<size_t>(k)] = marker(client, "PosPu", k);
    for (int k = 0; k < 4; ++k)
        w.powerUp[static_cast<size_t>(k)] = marker(client, "powerUp", k);
    for (int k = 0; k < 32; ++k) {
        auto *l = new ModeLabel(client, QString("lblEn(%1)").arg(k));
        look::place(l, 0, 0, 300, 195);
        l->setStyleSheet("background: transparent; font-size: 8px;");
        l->setVisible(false);
        w.lblEn[static_cast<size_t>(k)] = l;
    }
}

// The Power-Ups and Enemies palette: the holder kinds, the power-ups, the proposals' bar, the
// enemy list and the sprite reversal box.
static void buildPuPalette(frmRI3 &w, QWidget *client)
{
    for (int k = 0; k < 4; ++k) {
        auto *c = new ctl::ImageBox(client, "imgCandle", k);
        look::place(c, objects::candleLeft(k), 2760, 480, 480);
        c->setVisible(false);
        w.imgCandle[static_cast<size_t>(k)] = c;
    }
    for (int k = 0; k < objects::puCount; ++k) {
        auto *c = new ctl::ImageBox(client, "imgPu", k);
        look::place(c, objects::puLeft(k), objects::puTop(k), 480, 480);
        c->Tag = objects::powerUp(k).tag;
        c->setVisible(false);
        w.imgPu[static_cast<size_t>(k)] = c;
    }
    w.puScroll = new ctl::ScrollBar(Qt::Horizontal, client, "puScroll");
    look::place(w.puScroll, 8640, 3300, 1560, 255);
    w.puScroll->setMaximum(0);
    w.puScroll->setPageStep(1);
    w.puScroll->setVisible(false);
    w.lblProposal = label(client, "lblProposal", "0/0", 10260, 3300, 720);
    w.lstEnemy = new EnemyList(client, "lstEnemy");
    look::place(w.lstEnemy, 8640, 3600, 2535, 2595);
    w.lstEnemy->setVisible(false);
    w.chkInverse = new QCheckBox("Reverse Sprite", client);
    w.chkInverse->setObjectName("chkInverse");
    look::place(w.chkInverse, 8640, 6240, 1575, 375);
    w.chkInverse->setVisible(false);
}

// The Miscellaneous panel's bars, each with its name above it and its value at its right (the
// longest values, such as "Screen 1F, Tile 31   (FF)", need most of the panel's width).
static void buildStBars(frmRI3 &w, QWidget *client)
{
    const char *names[4] = { "Initial Swing", "Velocity", "Location", "Trigger" };
    for (int k = 0; k < 4; ++k) {
        const int top = 3450 + 600 * k;
        const int nameLabel = k < 3 ? k + 1 : 7;
        const int valueLabel = k < 3 ? k + 4 : 8;
        w.lblSt[static_cast<size_t>(nameLabel)]
            = label(client, QString("lblSt(%1)").arg(nameLabel), names[k], 8520, top, 2760);
        w.lblSt[static_cast<size_t>(valueLabel)]
            = label(client, QString("lblSt(%1)").arg(valueLabel), "", 9300, top + 270, 1980);
        auto *bar = new ctl::ScrollBar(Qt::Horizontal, client, QString("scrSt(%1)").arg(k));
        look::place(bar, 8520, top + 270, 720, 255);
        bar->setMaximum(k == 3 ? 255 : 0);
        bar->setVisible(false);
        w.scrSt[static_cast<size_t>(k)] = bar;
    }
}

// The Miscellaneous panel: the type box, the bars, the breakable-block box, the note, and the
// screen number shown while a marker is dragged over a scroll bar.
static void buildStPanel(frmRI3 &w, QWidget *client)
{
    w.lblSt[0] = label(client, "lblSt(0)", "Type", 8520, 2760, 2760);
    w.cmbSt = new ctl::ComboBox(client, "cmbSt");
    w.cmbSt->setWheelNeedsFocus(true);
    look::place(w.cmbSt, 8520, 3030, 2760, 315);
    w.cmbSt->setVisible(false);
    buildStBars(w, client);
    w.chkBlock = new QCheckBox("Block on top is breakable", client);
    w.chkBlock->setObjectName("chkBlock");
    look::place(w.chkBlock, 8520, 5850, 2760, 285);
    w.chkBlock->setVisible(false);
    w.noteSt = label(client, "noteSt", "", 8520, 6150, 2760, 975);
    w.noteSt->setWordWrap(true);
    w.noteSt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    w.noteSt->setVisible(false);
    w.lbjump = label(client, "lbjump", "", 0, 6120, 480);
    w.lbjump->setStyleSheet("background: black;");
}

// The controls of the Power-Ups and Enemies mode and of the Miscellaneous mode, all hidden
// while the window starts in the Background mode.
void frmRI3::buildModes()
{
    QWidget *client = centralWidget();
    buildMarkers(*this, client);
    buildPuPalette(*this, client);
    Line3 = new QFrame(client);
    Line3->setObjectName("Line3");
    Line3->setFrameShape(QFrame::HLine);
    look::place(Line3, 8520, 2685, 2760, 15);
    Line3->setVisible(false);
    buildStPanel(*this, client);
}

void frmRI3::connectModes()
{
    for (ctl::ImageBox *m : PosPu) {
        m->onMouseDown = [this](int k, int b, double x, double y) { PosPu_MouseDown(k, b, x, y); };
        m->onMouseMove = [this](int k, int, double, double) {
            if (!markerDragging())
                PosPu_MouseMove(k);
        };
    }
    for (ctl::ImageBox *m : powerUp) {
        m->onMouseDown = [this](int k, int b, double, double) { powerUp_MouseDown(k, b); };
        m->onMouseMove = [this](int k, int, double, double) { powerUp_MouseMove(k); };
    }
    for (int k = 0; k < 32; ++k)
        lblEn[static_cast<size_t>(k)]->onMouseDown = [this, k](int b) { lblEn_MouseDown(k, b); };
    for (ctl::ImageBox *c : imgCandle)
        c->onMouseUp = [this](int k, int b, double, double) {
            if (b == 1)
                imgCandle_Click(k);
        };
    for (ctl::ImageBox *e : imgPu)
        e->onMouseDown = [this](int k, int b, double, double) { imgPu_MouseDown(k, b); };
    lstEnemy->onMouseDown = [this](int b) { lstEnemy_MouseDown(b); };
    lstEnemy->onKeyDown = [this](int code) { lstEnemy_KeyDown(code); };
    connect(chkInverse, &QCheckBox::toggled, this, [this] { chkInverse_Click(); });
    connect(chkBlock, &QCheckBox::toggled, this, [this] { chkBlockChange(); });
    connect(puScroll, &QScrollBar::valueChanged, this, [this] { puScroll_Change(); });
    // A pick is an edit; an entry set by the program is none.
    connect(cmbSt, &QComboBox::activated, this, [this](int i) {
        if (i >= 0)
            cmbSt_Click();
    });
    for (int k = 0; k < 4; ++k)
        connect(scrSt[static_cast<size_t>(k)], &QScrollBar::valueChanged, this,
            [this, k] { scrSt_Change(k); });
}
