#include "app/frmRI3.h"
#include "objects/PanelControls.h"
#include "objects/PowerUpPanel.h"
#include "ui/Controls.h"
#include "ui/Look.h"

#include <QCheckBox>
#include <QLabel>
#include <QPixmap>

namespace {

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
    return objects::datPicture(g, file);
}

int frmRI3::release() const
{
    return objects::release(g);
}

// The Miscellaneous panel's bars, each with its name above it and its value at its right (the
// longest values, such as "Screen 1F, Tile 31   (FF)", need most of the panel's width).
static void buildStBars(frmRI3 &w, QWidget *client)
{
    const char *names[4] = { "Initial Swing", "Velocity", "Location", "Trigger" };
    for (int k = 0; k < 4; ++k) {
        const int top = 3450 + 540 * k;
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

// The Miscellaneous panel: the type box, the bars, the breakable-block box and the note.
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
    look::place(w.chkBlock, 8520, 5640, 2760, 285);
    w.chkBlock->setVisible(false);
    // Left of the sprite buttons, which stand beside it in this mode, and tall enough for the
    // longest note wrapped to that width.
    w.noteSt = label(client, "noteSt", "", 8520, 5940, 1740, 1245);
    w.noteSt->setWordWrap(true);
    w.noteSt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    w.noteSt->setVisible(false);
}

// The markers over the view, the Power-Ups and Enemies panel and the Miscellaneous panel, all
// hidden while the window starts in the Background mode.
void frmRI3::buildModes()
{
    QWidget *client = centralWidget();
    m_markers = std::make_unique<MarkerLayer>(g, t, static_cast<ModeHost &>(*this), client);
    m_pu = new PowerUpPanel(g, t, *this, *m_markers, client);
    m_markers->setOwners(m_pu, this);
    buildStPanel(*this, client);
    // A pick is an edit; an entry set by the program is none.
    connect(cmbSt, &QComboBox::activated, this, [this](int i) {
        if (i >= 0)
            cmbSt_Click();
    });
    connect(chkBlock, &QCheckBox::toggled, this, [this] { chkBlockChange(); });
    for (int k = 0; k < 4; ++k)
        connect(scrSt[static_cast<size_t>(k)], &QScrollBar::valueChanged, this,
            [this, k] { scrSt_Change(k); });
}
