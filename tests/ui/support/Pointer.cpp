#include "ui/support/Pointer.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>
#include <QtTest>

namespace pointer {

namespace {

QPoint at(QWidget *w, QPoint local)
{
    if (local == QPoint(-1, -1))
        local = w->rect().center();
    return inWindow(w, local);
}

} // namespace

QWindow *windowOf(QWidget *w)
{
    QWidget *top = w->window();
    if (!top->isVisible())
        top->show();
    // A window just shown (a modal one opening, say) takes no input until it is on screen.
    if (!top->windowHandle() || !top->windowHandle()->isExposed())
        if (!QTest::qWaitForWindowExposed(top))
            qWarning(
                "pointer: the window %s did not become exposed", qPrintable(top->objectName()));
    return top->windowHandle();
}

QPoint inWindow(QWidget *w, QPoint local)
{
    return w->mapTo(w->window(), local);
}

void press(QWidget *over, QPoint local, Qt::MouseButton b, Qt::KeyboardModifiers mods)
{
    QWindow *win = windowOf(over);
    QTest::mousePress(win, b, mods, at(over, local));
}

void move(QWidget *over, QPoint local)
{
    QWindow *win = windowOf(over);
    QTest::mouseMove(win, at(over, local));
}

void release(QWidget *over, QPoint local, Qt::MouseButton b, Qt::KeyboardModifiers mods)
{
    QWindow *win = windowOf(over);
    QTest::mouseRelease(win, b, mods, at(over, local));
}

void click(QWidget *over, QPoint local, Qt::MouseButton b, Qt::KeyboardModifiers mods)
{
    QWindow *win = windowOf(over);
    const QPoint p = at(over, local);
    QTest::mouseMove(win, p);
    QTest::mouseClick(win, b, mods, p);
}

void doubleClick(QWidget *over, QPoint local, Qt::MouseButton b)
{
    QWindow *win = windowOf(over);
    const QPoint p = at(over, local);
    QTest::mouseMove(win, p);
    QTest::mouseDClick(win, b, Qt::NoModifier, p);
}

void wheel(QWidget *over, int notches, QPoint local)
{
    QWindow *win = windowOf(over);
    const QPoint p = at(over, local);
    QTest::mouseMove(win, p);
    QWheelEvent e(QPointF(p), win->mapToGlobal(QPointF(p)), QPoint(), QPoint(0, -120 * notches),
        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&e); // so the application routes it as the user's own
    QApplication::sendEvent(win, &e);
}

void clickItem(QListWidget *list, QListWidgetItem *item, bool twice)
{
    windowOf(list);
    list->scrollToItem(item);
    const QPoint p = list->visualItemRect(item).center();
    if (twice)
        doubleClick(list->viewport(), p);
    else
        click(list->viewport(), p);
}

void drag(
    QWidget *from, QPoint fromLocal, QWidget *to, QPoint toLocal, int steps, Qt::MouseButton b)
{
    QWindow *win = windowOf(from);
    const QPoint a = at(from, fromLocal);
    const QPoint z = at(to, toLocal);
    QTest::mouseMove(win, a);
    QTest::mousePress(win, b, Qt::NoModifier, a);
    for (int i = 1; i <= steps; ++i)
        QTest::mouseMove(win, a + (z - a) * i / steps);
    QTest::mouseRelease(win, b, Qt::NoModifier, z);
}

void choose(QComboBox *box, int index)
{
    click(box);
    QAbstractItemView *view = box->view();
    if (!QTest::qWaitFor([view] { return view->isVisible(); }))
        qWarning("pointer: the list of %s did not open", qPrintable(box->objectName()));
    const QModelIndex at = box->model()->index(index, box->modelColumn(), box->rootModelIndex());
    view->scrollTo(at);
    // The entry's row, in the middle of what a narrow list shows of it.
    QWidget *rows = view->viewport();
    const QPoint target(rows->width() / 2, view->visualRect(at).center().y());
    // A release right where the opening press was counts as part of that press until a
    // double-click's time has passed.
    const QPoint opened = box->mapToGlobal(box->rect().center());
    if ((rows->mapToGlobal(target) - opened).manhattanLength()
        <= 2 * QApplication::startDragDistance())
        QTest::qWait(QApplication::doubleClickInterval() + 50);
    click(rows, target);
}

} // namespace pointer
