#include "ui/support/SideWindows.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QListWidget>
#include <QScrollBar>
#include <QtTest>

namespace side {

void pick(QComboBox *box, int index)
{
    pointer::click(box);
    QAbstractItemView *view = box->view();
    QTRY_VERIFY_WITH_TIMEOUT(view->isVisible(), 2000);
    const QModelIndex at = box->model()->index(index, 0);
    view->scrollTo(at);
    // Entries may be wider than a narrow list: click inside what it shows.
    const QRect r = view->visualRect(at);
    pointer::click(view->viewport(), QPoint(view->viewport()->width() / 2, r.center().y()));
    QTRY_VERIFY_WITH_TIMEOUT(!view->isVisible(), 2000);
}

void choose(QComboBox *box, int index)
{
    pointer::windowOf(box);
    box->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(box, Qt::Key_Down);
}

void pick(QListWidget *list, int row)
{
    list->scrollToItem(list->item(row));
    pointer::click(list->viewport(), list->visualItemRect(list->item(row)).center());
}

void arrow(QScrollBar *bar, bool first)
{
    const QPoint at = bar->orientation() == Qt::Horizontal
        ? QPoint(first ? 2 : bar->width() - 3, bar->height() / 2)
        : QPoint(bar->width() / 2, first ? 2 : bar->height() - 3);
    pointer::click(bar, at);
}

void cutRom(const Program &p, size_t n)
{
    Bytes b = testfile::readAll(p.rom);
    b.resize(n);
    testfile::writeAll(p.rom, b);
}

void poke(const Program &p, long long pos, const Bytes &b)
{
    RomImage img(testfile::readAll(p.rom));
    img.put(pos, b);
    testfile::writeAll(p.rom, img.data());
}

} // namespace side
