#include "app/frmRI3.h"

#include "app/frmAbout.h"
#include "app/frmReadme.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

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

void frmRI3::buildMenus()
{
    QMenuBar *bar = menuBar();
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

    connect(mnuReadme, &QAction::triggered, this, [this] { mnuReadme_Click(); });
    connect(mnuAbout, &QAction::triggered, this, [this] { mnuAbout_Click(); });
    connect(mnuspl, &QAction::triggered, this, [this] { mnuspl_Click(); });
    connect(mnuQuit, &QAction::triggered, this, [this] { mnuQuit_Click(); });
    connectFrame();
}

// One readme window at a time: asking again brings the open one to the front.
void frmRI3::mnuReadme_Click()
{
    if (m_readme && m_readme->isVisible()) {
        m_readme->showNormal();
        m_readme->raise();
        m_readme->activateWindow();
        return;
    }
    auto *w = new frmReadme(g, this);
    if (!w->Form_Load()) {
        delete w;
        return;
    }
    m_readme = w;
    w->show();
}

void frmRI3::mnuAbout_Click()
{
    auto *w = new frmAbout(this);
    w->show();
    w->activateWindow();
}

void frmRI3::mnuspl_Click()
{
    showSplash();
}
