#include "ui/support/SideWindows.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QtTest>

#include <cstdlib>

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
    const QPoint target(view->viewport()->width() / 2, r.center().y());
    // The list takes a release where it was opened, soon after, for the end of the opening
    // click: a person's second click there comes later.
    const QPoint opened = box->mapToGlobal(box->rect().center());
    if ((view->viewport()->mapToGlobal(target) - opened).manhattanLength() <= 9)
        QTest::qWait(QApplication::doubleClickInterval() + 50);
    pointer::click(view->viewport(), target);
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

namespace {

// Where a part of the scroll bar lies, in the bar's coordinates.
QRect part(QScrollBar *bar, QStyle::SubControl sub)
{
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.orientation = bar->orientation();
    if (opt.orientation == Qt::Horizontal)
        opt.state |= QStyle::State_Horizontal;
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, sub, bar);
}

} // namespace

QRect thumb(QScrollBar *bar)
{
    return part(bar, QStyle::SC_ScrollBarSlider);
}

void toValue(QScrollBar *bar, int value)
{
    QVERIFY(value >= bar->minimum() && value <= bar->maximum());
    while (bar->value() != value) {
        const int was = bar->value();
        const bool up = value > was;
        const QRect trough
            = part(bar, up ? QStyle::SC_ScrollBarAddPage : QStyle::SC_ScrollBarSubPage);
        if (std::abs(value - was) >= bar->pageStep() && !trough.isEmpty())
            pointer::click(bar, trough.center());
        else
            arrow(bar, !up);
        QVERIFY2(bar->value() != was, qPrintable(bar->objectName()));
    }
}

void addRoms(const char *odd)
{
    QTest::addColumn<int>("release");
    QTest::addColumn<bool>("odd");
    QTest::newRow("US") << 0 << false;
    QTest::newRow("Japanese") << 1 << false;
    QTest::addRow("US, %s", odd) << 0 << true;
    QTest::addRow("Japanese, %s", odd) << 1 << true;
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
    // The program writes only into the file it loaded: load the changed one, as a user would.
    if (p.g->doc.file().loaded())
        p.w->Form_Load();
}

} // namespace side
