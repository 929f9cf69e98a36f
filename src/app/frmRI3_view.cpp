#include "app/frmRI3.h"
#include "resources/Icons.h"
#include "ui/Controls.h"
#include "ui/Look.h"
#include "view/BlockSelector.h"
#include "view/LevelView.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

// The main window's read-outs are text boxes a user can click into, so they keep the focus.
QLineEdit *readOut(QWidget *parent, const char *name, int left, int top, int width)
{
    QLineEdit *t = ctl::readOut(parent, name, QString(), left, top, width);
    t->setFocusPolicy(Qt::StrongFocus);
    return t;
}

QPushButton *button(QWidget *parent, const char *name, const char *caption, int left, int top,
    int width, int height = 375)
{
    auto *b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    look::place(b, left, top, width, height);
    return b;
}

QToolButton *pictureButton(QWidget *parent, const char *name, const char *tip, int left, int top)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setToolTip(QString::fromUtf8(tip));
    b->setAutoRaise(false);
    b->setIcon(res::buttonIcon(QString::fromUtf8(name)));
    b->setIconSize(QSize(25, 25));
    look::place(b, left, top, 375, 375);
    return b;
}

} // namespace

void frmRI3::buildView()
{
    auto *client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(look::tw(11400), look::tw(7950));
    client->setMouseTracking(true);
    setCentralWidget(client);

    buildSelector(client);
    m_view = new LevelView(client, g, doc, m_blocks, *m_selector);
    buildSectionControls(client);
    buildCommands(client);
    buildModes();
    // Buttons stand above the captions and notes that share their place.
    for (QWidget *b : { static_cast<QWidget *>(cmdEPal), static_cast<QWidget *>(cmdEPat) })
        b->raise();
}

void frmRI3::buildSectionControls(QWidget *client)
{
    // Stage and section choice with the section's properties.
    Combo1 = new ctl::ComboBox(client, "Combo1");
    look::place(Combo1, 8520, 360, 2760, 315);
    for (QAction *a : mnusta)
        Combo1->addItem(a->text().remove('&'));
    Combo2 = new ctl::ComboBox(client, "Combo2");
    look::place(Combo2, 8520, 765, 900, 315);
    Combo2->Tag = "1";
    stagScroll = new ctl::ScrollBar(Qt::Horizontal, client, "stagScroll");
    look::place(stagScroll, 9480, 765, 600, 315);
    stagScroll->setMaximum(0);
    txtPal = readOut(client, "txtPal", 10200, 780, 480);
    imgAku = new ctl::ImageBox(client, "imgAku");
    look::place(imgAku, 10800, 765, 480, 480);
    cmbTime = new ctl::ComboBox(client, "cmbTime");
    look::place(cmbTime, 8520, 1170, 900, 315);
    for (int code = 1; code <= 15; ++code)
        cmbTime->addItem(QString::number(code, 16).toUpper() + "00");
    txtBlk = readOut(client, "txtBlk", 9480, 1185, 1200);
    lblVs[0] = new QLabel("Up", client);
    lblVs[1] = new QLabel("Dn", client);
    lblVs[0]->setObjectName("lblVs(0)");
    lblVs[1]->setObjectName("lblVs(1)");
    look::place(lblVs[0], 8520, 1575, 300, 255);
    look::place(lblVs[1], 8520, 1935, 300, 255);
    Combo3 = new ctl::ComboBox(client, "Combo3");
    look::place(Combo3, 8880, 1560, 1800, 315);
    Combo4 = new ctl::ComboBox(client, "Combo4");
    look::place(Combo4, 8880, 1920, 1800, 315);
    for (QWidget *w : { static_cast<QWidget *>(lblVs[0]), static_cast<QWidget *>(lblVs[1]),
             static_cast<QWidget *>(Combo3), static_cast<QWidget *>(Combo4) })
        w->setVisible(false);
    // Lists that edit the section: a wheel turned over them on its way elsewhere edits nothing.
    for (ctl::ComboBox *box : { cmbTime, Combo3, Combo4 })
        box->setWheelNeedsFocus(true);
}

void frmRI3::buildSelector(QWidget *client)
{
    // The three edit modes.
    optBg = new QRadioButton("bg", client);
    optPu = new QRadioButton("pu/e", client);
    optSt = new QRadioButton("misc", client);
    optBg->setObjectName("optBg");
    optPu->setObjectName("optPu");
    optSt->setObjectName("optSt");
    look::place(optBg, 8520, 2340, 840, 285);
    look::place(optPu, 9420, 2340, 900, 285);
    look::place(optSt, 10380, 2340, 900, 285);
    optBg->setChecked(true);

    m_selector = new BlockSelector(client, g, m_blocks);
}

void frmRI3::buildCommands(QWidget *client)
{
    // Read-outs of what lies under the pointer.
    // Below the panels of the modes, which fill the column beside the view.
    txtOffset = readOut(client, "txtOffset", 8520, 7200, 2040);
    txtVal = readOut(client, "txtVal", 10680, 7200, 600);
    txtPatterns = readOut(client, "txtPatterns", 8520, 7560, 1200);
    txtPat1 = readOut(client, "txtPat1", 9840, 7560, 600);
    txtPat2 = readOut(client, "txtPat2", 10560, 7560, 600);
    txtPatterns->setText("Patterns");
    m_selector->setReadOuts(txtOffset, txtVal);
    m_view->setReadOuts(txtOffset, txtVal);

    cmdMirror = button(client, "cmdMirror", "Mirror", 8520, 5580, 1215);
    cmdMirror->setVisible(false);
    cmdSave = button(client, "cmdSave", "Save", 3360, 6600, 1095);
    cmdSaveAll = button(client, "cmdSaveAll", "Save All", 4560, 6600, 1095);
    cmdRevert = button(client, "cmdRevert", "Revert", 5760, 6600, 1095);
    cmdEmulator = button(client, "cmdEmulator", "Emulation", 6960, 6600, 1095);
    for (QPushButton *b : { cmdSave, cmdSaveAll, cmdRevert })
        b->setEnabled(false);

    cmdPattern = pictureButton(client, "cmdPattern", "Pattern Tables", 360, 6600);
    cmdPalettes = pictureButton(client, "cmdPalettes", "Palettes", 840, 6600);
    cmdDamage = pictureButton(client, "cmdDamage", "Curse Severity", 1320, 6600);
    cmdBGM = pictureButton(client, "cmdBGM", "BGM Tracks", 1800, 6600);
    cmdMisc = pictureButton(client, "cmdMisc", "Game Options", 2280, 6600);
    cmdEPal = pictureButton(client, "cmdEPal", "Sprite Palettes", 10320, 6270);
    cmdEPat = pictureButton(client, "cmdEPat", "Pattern Tables", 10800, 6270);
    cmdEPal->setVisible(false);
    cmdEPat->setVisible(false);
}
