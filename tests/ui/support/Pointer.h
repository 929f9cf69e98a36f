#pragma once
#include <QPoint>
#include <Qt>

class QComboBox;
class QListWidget;
class QListWidgetItem;
class QWidget;
class QWindow;

// Mouse input the way a pointer gives it: every event goes to the top-level window at window
// coordinates, so Qt itself finds the widget under the pointer and keeps its implicit grab while
// a button is held. The widget named in each call only says where the pointer is (its centre when
// no point is given); whatever lies on top there is what receives the event.
namespace pointer {

// Shows the widget's top-level window, if it is not yet, and waits until it can take input.
QWindow *windowOf(QWidget *w);
// The point `local` of `w` in its top-level window.
QPoint inWindow(QWidget *w, QPoint local);

void press(QWidget *over, QPoint local = QPoint(-1, -1), Qt::MouseButton b = Qt::LeftButton,
    Qt::KeyboardModifiers mods = Qt::NoModifier);
void move(QWidget *over, QPoint local = QPoint(-1, -1));
void release(QWidget *over, QPoint local = QPoint(-1, -1), Qt::MouseButton b = Qt::LeftButton,
    Qt::KeyboardModifiers mods = Qt::NoModifier);
void click(QWidget *over, QPoint local = QPoint(-1, -1), Qt::MouseButton b = Qt::LeftButton,
    Qt::KeyboardModifiers mods = Qt::NoModifier);
// Two clicks in quick succession at one point, as a double-click is made.
void doubleClick(QWidget *over, QPoint local = QPoint(-1, -1), Qt::MouseButton b = Qt::LeftButton);
// Press on `from`, move in `steps` steps to `to` with the button held, release there.
void drag(QWidget *from, QPoint fromLocal, QWidget *to, QPoint toLocal, int steps = 4,
    Qt::MouseButton b = Qt::LeftButton);

// The wheel turned `notches` notches towards the user (negative: away) over `local` of `over`, as
// the window system delivers it: to the window, which hands it to the widget under the pointer.
void wheel(QWidget *over, int notches, QPoint local = QPoint(-1, -1));

// Opens the list box's drop-down with a click and clicks entry `index` in it.
void choose(QComboBox *box, int index);
// Brings the list's item into view and clicks it (or double-clicks it).
void clickItem(QListWidget *list, QListWidgetItem *item, bool twice = false);

} // namespace pointer
