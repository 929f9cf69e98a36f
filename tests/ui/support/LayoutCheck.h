#pragma once
#include <QString>
#include <QStringList>

#include <vector>

class QWidget;

// What a person sees wrong in a window: a control outside its window, a control covered by
// another, a caption or a text cut off.
namespace layoutcheck {

// Two controls that stand one over the other on purpose. Names are object names; a name ending
// in "(*)" stands for every member of that control array. `over` is the one on top.
struct Overlap
{
    QString window;
    QString under;
    QString over;
};

// One line for each fault among the visible, named controls of `window`, each naming the
// control and `where` (the window and its state).
QStringList faults(QWidget *window, const QString &where, const std::vector<Overlap> &allowed);

// One line for each text that `window` shows cut off in a list box (closed, or in the rows of
// its open list; a closed box may end a long text in "…") or in a read-out. Opens each list.
QStringList textFaults(QWidget *window, const QString &where);

} // namespace layoutcheck
