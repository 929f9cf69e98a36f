#include "app/frmRI3Ui.h"
#include "resources/Icons.h"
#include "ui/Controls.h"
#include "ui/Look.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

QAction *entry(QMenu *menu, const char *name, const char *caption, QKeySequence key = {})
{
    QAction *a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(name);
    if (!key.isEmpty())
        a->setShortcut(key);
    return a;
}

void separator(QMenu *menu, const char *name)
{
    menu->addSeparator()->setObjectName(name);
}

QMenu *topMenu(QMenuBar *bar, const char *name, const char *caption)
{
    QMenu *m = bar->addMenu(QString::fromUtf8(caption));
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    return m;
}

const char *const stageCaptions[15] = { "&0 Warakiya", "&1 Clock Tower of Untimely Death",
    "&2 Forest of Madness", "&3 Haunted Ship of Fools", "&4 Tower of Terror",
    "&5 Causeway to Curse Castle", "&6 Murky Marshes of Morbid Morons", "&7 Caves of Alucard",
    "&8 Sunken City", "&9 Catacombs", "&A Mountain Range", "&B Castle Courtyard", "&C Main Hall",
    "&D Castle Tower", "&E Final Clock Tower" };

} // namespace

// The main window's read-outs are text boxes a user can click into, so they keep the focus.
QLineEdit *frmRI3Ui::readOut(QWidget *parent, const char *name, int left, int top, int width)
{
    QLineEdit *t = ctl::readOut(parent, name, QString(), left, top, width);
    t->setFocusPolicy(Qt::StrongFocus);
    return t;
}

QPushButton *frmRI3Ui::button(QWidget *parent, const char *name, const char *caption, int left,
    int top, int width, int height)
{
    auto *b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    look::place(b, left, top, width, height);
    return b;
}

namespace {

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

void frmRI3Ui::setupMenus(QMenuBar *bar)
{
    bar->setObjectName("menuBar");

    QMenu *fi = topMenu(bar, "mnuFi", "&File  ");
    mnuFile = entry(fi, "mnuFile", "Se&ttings...", QKeySequence("Ctrl+S"));
    separator(fi, "mnusep2");
    mnuSave = entry(fi, "mnuSave", "&Save");
    mnuRevert = entry(fi, "mnuRevert", "&Revert");
    mnuSaveAll = entry(fi, "mnuSaveAll", "Save &All");
    separator(fi, "mnusep1");
    mnuQuit = entry(fi, "mnuQuit", "&Quit", QKeySequence("Ctrl+Q"));
    for (QAction *a : { mnuSave, mnuRevert, mnuSaveAll })
        a->setEnabled(false);

    QMenu *ed = topMenu(bar, "mnuEdit", "&Edit  ");
    mnuBG = entry(ed, "mnuBG", "&Background");
    mnuPu = entry(ed, "mnuPu", "Power-Ups and &Enemies");
    mnust = entry(ed, "mnust", "&Miscellaneous");
    for (QAction *a : { mnuBG, mnuPu, mnust })
        a->setCheckable(true);
    mnuBG->setChecked(true);
    separator(ed, "mnusep509");
    mnuPatterns = entry(ed, "mnuPatterns", "Pattern &Tables...");
    mnuPalettes = entry(ed, "mnuPalettes", "&Palettes...");
    mnuSprites = entry(ed, "mnuSprites", "&Sprite Palettes...");
    mnuBGM = entry(ed, "mnuBGM", "&BGM Tracks...");
    mnuDamage = entry(ed, "mnuDamage", "&Curse Severity...");
    mnuMisc = entry(ed, "mnuMisc", "&Game Options...");

    QMenu *di = topMenu(bar, "mnuDisplay", "&Display  ");
    mnuGridlines = entry(di, "mnuGridlines", "&Gridlines", QKeySequence("Ctrl+G"));
    mnuHMask = entry(di, "mnuHMask", "&H-Scroll Mask", QKeySequence("Ctrl+H"));
    mnuVMask = entry(di, "mnuVMask", "&V-Scroll Mask", QKeySequence("Ctrl+V"));
    for (QAction *a : { mnuGridlines, mnuHMask, mnuVMask })
        a->setCheckable(true);
    mnuVMask->setChecked(true);

    QMenu *em = topMenu(bar, "mnuEmu", "E&mulation  ");
    mnuLaunchEmu = entry(em, "mnuLaunchEmu", "&Launch");
    separator(em, "mnuSep3");
    mnuDebug = entry(em, "mnuDebug", "&Debug Screen", QKeySequence("Ctrl+D"));
    mnuDebug->setCheckable(true);

    QMenu *st = topMenu(bar, "mnustage", "&Stage  ");
    for (int i = 0; i < 15; ++i) {
        QKeySequence key
            = i < 9 ? QKeySequence(Qt::Key_F1 + i) : QKeySequence(Qt::SHIFT | (Qt::Key_F1 + i - 9));
        QAction *a = entry(st, "", stageCaptions[i], key);
        a->setObjectName(QString("mnusta(%1)").arg(i));
        a->setCheckable(true);
        mnusta[static_cast<size_t>(i)] = a;
    }
    mnusta[0]->setChecked(true);

    QMenu *he = topMenu(bar, "mnuHelp", "&Help");
    mnuReadme = entry(he, "mnuReadme", "&Readme");
    separator(he, "mnuSep4");
    mnuAbout = entry(he, "mnuAbout", "&About");
    mnuspl = entry(he, "mnuspl", "&Splash Screen");
}

void frmRI3Ui::setupSectionControls(QWidget *client)
{
    // Stage and section choice.
    Combo1 = new ctl::ComboBox(client, "Combo1");
    look::place(Combo1, 8520, 360, 2760, 315);
    for (QAction *a : mnusta)
        Combo1->addItem(a->text().remove('&'));
    Combo2 = new ctl::ComboBox(client, "Combo2");
    look::place(Combo2, 8520, 765, 900, 315);
    stagScroll = new ctl::ScrollBar(Qt::Horizontal, client, "stagScroll");
    look::place(stagScroll, 9480, 765, 600, 315);
    stagScroll->setMaximum(0);
    imgAku = new ctl::ImageBox(client, "imgAku");
    look::place(imgAku, 10800, 765, 480, 480);
}

void frmRI3Ui::setupModeButtons(QWidget *client)
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
}

void frmRI3Ui::setupCommands(QWidget *client)
{
    // Read-outs of what lies under the pointer.
    // Below the panels of the modes, which fill the column beside the view.
    txtOffset = readOut(client, "txtOffset", 8520, 7200, 2040);
    txtVal = readOut(client, "txtVal", 10680, 7200, 600);
    txtPatterns = readOut(client, "txtPatterns", 8520, 7560, 1200);
    txtPat1 = readOut(client, "txtPat1", 9840, 7560, 600);
    txtPat2 = readOut(client, "txtPat2", 10560, 7560, 600);
    txtPatterns->setText("Patterns");

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
