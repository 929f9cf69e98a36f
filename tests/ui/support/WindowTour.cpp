#include "ui/support/WindowTour.h"

#include "app/Settings.h"
#include "app/frmBrowse.h"
#include "gfx/frmEditTSA.h"
#include "gfx/frmPalettes.h"
#include "gfx/frmPatterns.h"
#include "gfx/frmSprites.h"
#include "gfx/frmTile.h"
#include "tables/frmBGM.h"
#include "tables/frmEnPresets.h"
#include "tables/frmHits.h"
#include "tables/frmMisc.h"
#include "tables/frmPuPresets.h"
#include "ui/support/Named.h"
#include "ui/support/SideWindows.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

namespace tour {

namespace {

// A modal side window, shown to the visitor under `state`.
template <class W> void modal(const QString &state, QWidget *opener, const Visit &visit)
{
    side::open<W>(opener, [&](W *w) { visit(state, w); });
}

template <class W> void byRightPress(const QString &state, QWidget *at, const Visit &visit)
{
    side::openByRightPress<W>(at, [&](W *w) { visit(state, w); });
}

// Opens the main window's menu `menu` with a click on its title, then clicks its entry `entry`.
void menuPick(QWidget *main, const char *menu, const char *entry)
{
    auto *bar = named<QMenuBar>(main, "menuBar");
    auto *list = named<QMenu>(main, menu);
    pointer::click(bar, bar->actionGeometry(list->menuAction()).center());
    QTRY_VERIFY_WITH_TIMEOUT(list->isVisible(), 2000);
    pointer::click(list, list->actionGeometry(named<QAction>(main, entry)).center());
}

// The visible top-level window called `name`, once it stands on the screen.
QWidget *shown(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible()) {
            if (!QTest::qWaitForWindowExposed(w))
                qWarning("tour: %s did not become exposed", qPrintable(name));
            return w;
        }
    return nullptr;
}

// The first special-object marker shown in the horizontal section, clicked: its type and
// property bars come up. (The vertical section's first view shows none.)
void selectSpecialObject(QWidget *w, const Visit &visit)
{
    pointer::click(named<QWidget>(w, "optSt"));
    for (int k = 31; k <= 60; ++k)
        if (QWidget *marker = named<QWidget>(w, "PosPu", k); marker->isVisible()) {
            pointer::click(marker);
            visit("main-horizontal-special-object", w);
            pointer::click(named<QWidget>(w, "optBg"));
            return;
        }
    QFAIL("no special object in the view");
}

void modes(Program &p, const QString &section, const Visit &visit)
{
    QWidget *w = p.w.get();
    for (auto [button, mode] : { std::pair { "optBg", "background" },
             std::pair { "optPu", "power-ups" }, std::pair { "optSt", "miscellaneous" } }) {
        pointer::click(named<QWidget>(w, button));
        visit(QString("main-%1-%2").arg(section, mode), w);
    }
    pointer::click(named<QWidget>(w, "optBg"));
}

void mainWindow(Program &p, const Visit &visit)
{
    modes(p, "horizontal", visit);
    // Stage 1 starts with a vertical section.
    side::choose(named<QComboBox>(p.w.get(), "Combo1"), 1);
    side::choose(named<QComboBox>(p.w.get(), "Combo2"), 0);
    QVERIFY(p.t->vertFlag[p.g->doc.shown().curStage][p.g->doc.shown().curSection] != 0);
    modes(p, "vertical", visit);
    side::choose(named<QComboBox>(p.w.get(), "Combo1"), 0);
}

void graphicsWindows(Program &p, const Visit &visit)
{
    QWidget *w = p.w.get();
    side::openByRightPress<frmEditTSA>(named<QWidget>(w, "sel", 2), [&](frmEditTSA *ed) {
        visit("blocks", ed);
        byRightPress<frmTile>("tile", named<QWidget>(ed, "imgTile", 0), visit);
    });
    modal<frmPatterns>("patterns", named<QWidget>(w, "cmdPattern"), visit);
    modal<frmPalettes>("palettes", named<QWidget>(w, "cmdPalettes"), visit);
    pointer::click(named<QWidget>(w, "optSt"));
    modal<frmSprites>("sprite-palettes", named<QWidget>(w, "cmdEPal"), visit);
    pointer::click(named<QWidget>(w, "optBg"));
}

void tableWindows(Program &p, const Visit &visit)
{
    QWidget *w = p.w.get();
    modal<DamageWindow>("damage", named<QWidget>(w, "cmdDamage"), visit);
    modal<frmBGM>("bgm", named<QWidget>(w, "cmdBGM"), visit);
    modal<frmMisc>("game-options", named<QWidget>(w, "cmdMisc"), visit);
    pointer::click(named<QWidget>(w, "optPu"));
    pointer::click(named<QWidget>(w, "imgCandle", 0));
    byRightPress<frmPuPresets>("power-up-presets", named<QWidget>(w, "imgPu", 0), visit);
    pointer::click(named<QWidget>(w, "imgCandle", 3));
    visit("main-horizontal-enemies", w);
    byRightPress<frmEnPresets>(
        "enemy-presets", named<QAbstractScrollArea>(w, "lstEnemy")->viewport(), visit);
    pointer::click(named<QWidget>(w, "optBg"));
}

void settings(Program &p, const Visit &visit)
{
    side::open<Settings>([&] { menuPick(p.w.get(), "mnuFi", "mnuFile"); },
        [&](Settings *s) {
            visit("settings", s);
            modal<frmBrowse>("browse", named<QWidget>(s, "cmdBrowse", 0), visit);
        });
}

void helpWindows(Program &p, const Visit &visit)
{
    testfile::writeText(p.dir.file("readme.txt"),
        "Vorlig\r\n\r\nA level editor. Every edit is written into the ROM file in place.\r\n");
    for (auto [entry, name, state] : { std::tuple { "mnuReadme", "frmReadme", "readme" },
             std::tuple { "mnuAbout", "frmAbout", "about" },
             std::tuple { "mnuspl", "frmSplash", "splash" } }) {
        menuPick(p.w.get(), "mnuHelp", entry);
        QWidget *win = shown(name);
        QVERIFY2(win, name);
        visit(state, win);
        win->close();
    }
}

} // namespace

void everyWindow(int release, const Visit &visit)
{
    Program p(release ? rb::Rel::JP : rb::Rel::US);
    const QString rel = release ? "jp-" : "us-";
    const Visit named = [&](const QString &state, QWidget *w) { visit(rel + state, w); };
    pointer::windowOf(p.w.get());
    mainWindow(p, named);
    graphicsWindows(p, named);
    tableWindows(p, named);
    // Last, as the selection stays with the mode.
    selectSpecialObject(p.w.get(), named);
    settings(p, named);
    helpWindows(p, named);
}

void releaseRows()
{
    QTest::addColumn<int>("release");
    QTest::newRow("US") << 0;
    QTest::newRow("Japanese") << 1;
}

} // namespace tour
