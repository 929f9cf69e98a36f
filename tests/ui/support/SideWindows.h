#pragma once
#include "ui/support/Pointer.h"
#include "ui/support/Program.h"
#include "ui/support/Startup.h"

#include <QDialog>
#include <QtTest>

#include <functional>

class QComboBox;
class QListWidget;
class QScrollBar;

// Driving the side windows the way a person does: opened by their button in the main window,
// lists picked and arrows pressed with the pointer.
namespace side {

// Runs opener, and act on the window of type W it opens, once; boxes shown before that window
// (while it is being made) are left to whoever answers them. A window act leaves open is
// cancelled.
template <class W> void open(const std::function<void()> &opener, std::function<void(W *)> act)
{
    bool done = false;
    startup::onModal([&done, act](QDialog *d) {
        auto *w = qobject_cast<W *>(d);
        if (!w || done)
            return !done;
        done = true;
        // A window not yet on the screen would lose the first click.
        if (!QTest::qWaitForWindowExposed(w))
            qWarning("side::open: %s did not become exposed", qPrintable(w->objectName()));
        act(w);
        if (w->isVisible())
            w->reject();
        return false;
    });
    opener();
    startup::stopWatching();
    QVERIFY2(done, qPrintable(QString("no %1 opened").arg(W::staticMetaObject.className())));
}

// The same for a window opened by clicking `button` of the main window.
template <class W> void open(QWidget *button, std::function<void(W *)> act)
{
    open<W>([button] { pointer::click(button); }, act);
}

// A window opened by a right press on `at`: the right button comes up over the new window, as
// a person's would, before anything else is done there.
template <class W> void openByRightPress(QWidget *at, std::function<void(W *)> act)
{
    open<W>([at] { pointer::press(at, QPoint(-1, -1), Qt::RightButton); },
        [at, act](W *w) {
            pointer::release(at, QPoint(-1, -1), Qt::RightButton);
            act(w);
        });
}

// Opens the combo box's list with a click and clicks entry `index` in it.
void pick(QComboBox *box, int index);
// Moves a closed combo box to entry `index` with the keyboard (Home, then Down), as a person
// steps through the main window's stage and section lists.
void choose(QComboBox *box, int index);
// Clicks row `row` of a list, scrolling it into view first.
void pick(QListWidget *list, int row);
// Clicks the first (left or top) or the last arrow of a small scroll bar.
void arrow(QScrollBar *bar, bool first);
// Where the scroll bar's thumb stands, in the bar's coordinates.
QRect thumb(QScrollBar *bar);
// Moves the bar to `value` as a person does: clicks in the trough beside the thumb, a page at a
// time, while a page is not too far, then arrow clicks.
void toValue(QScrollBar *bar, int value);

// The rows of a test over the game-shaped ROM of both releases and an odd variant of it: the
// columns "release" (0 US, 1 Japanese) and "odd"; `odd` names the variant in the rows' names.
void addRoms(const char *odd);

// The ROM file cut to its first n bytes, so that a window opened now cannot read its bytes.
void cutRom(const Program &p, size_t n);
// The ROM file with bytes put at a 1-based position, loaded again when the program runs.
void poke(const Program &p, long long pos, const Bytes &b);

} // namespace side
