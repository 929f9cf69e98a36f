// The bars beside the level view and the block selector, driven by the pointer.
#include "ui/Controls.h"
#include "ui/support/Boxes.h"
#include "ui/support/Named.h"
#include "ui/support/Pointer.h"
#include "ui/support/Program.h"
#include "ui/support/SideWindows.h"
#include "view/LevelView.h"

#include <QAction>
#include <QLabel>
#include <QtTest>

namespace {

// What the window shows where the widget lies.
QImage shown(QWidget *w)
{
    QWidget *top = w->window();
    return top->grab(QRect(w->mapTo(top, QPoint(0, 0)), w->size()))
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

class tst_scrollbars : public QObject
{
    Q_OBJECT
private slots:
    // The thumb dragged one pixel at a time: the view is drawn again only when the column pair
    // (or row pair) it shows changes, and once more where the thumb is let go.
    void thumbDragRedrawsWhenTheViewChanges_data()
    {
        QTest::addColumn<bool>("vertical");
        QTest::newRow("horizontal section") << false;
        QTest::newRow("vertical section") << true;
    }
    void thumbDragRedrawsWhenTheViewChanges()
    {
        QFETCH(bool, vertical);
        Boxes boxes;
        Program p;
        if (vertical) // two screens, shown from their bottom end
            named<ctl::ComboBox>(p.w.get(), "Combo2")->setCurrentIndex(2);
        auto *bar = named<ctl::ScrollBar>(p.w.get(), vertical ? "scrvscroll" : "scrscroll");
        auto *first = named<QLabel>(p.w.get(), vertical ? "lV" : "lH", 0);
        // The view tells of every drawing it finished; a picture may come back the same.
        QSignalSpy drawn(p.w->findChild<LevelView *>("LevelView"), &LevelView::scrolled);
        QVERIFY(bar->isEnabled());
        const QPoint from = side::thumb(bar).center();
        const QPoint step = vertical ? QPoint(0, -1) : QPoint(1, 0);
        const int startValue = bar->value();
        // Far enough to pass three pairs, stopping short of the bar's end.
        const int travel = 3 * 2 * (vertical ? bar->height() : bar->width()) / bar->maximum();

        pointer::press(bar, from);
        qsizetype draws = drawn.count();
        QString caption = first->text();
        int viewChanges = 0;
        int quietMoves = 0;
        for (int k = 1; k <= travel; ++k) {
            pointer::move(bar, from + step * k);
            const bool redrawn = drawn.count() != draws;
            const bool changed = first->text() != caption;
            QVERIFY2(redrawn == changed,
                qPrintable(QString("move %1, value %2").arg(k).arg(bar->value())));
            QCOMPARE(bar->value() % 2, 0);
            viewChanges += changed ? 1 : 0;
            quietMoves += changed ? 0 : 1;
            draws = drawn.count();
            caption = first->text();
        }
        QVERIFY(viewChanges >= 2);
        QVERIFY(quietMoves > viewChanges); // most moves stay within one pair
        QVERIFY(bar->value() != startValue);

        pointer::release(bar, from + step * travel);
        QCOMPARE(drawn.count(), draws + 1);
        QCOMPARE(first->text(), caption);
        QCOMPARE(bar->Tag, QString::number(bar->value()));
        QCOMPARE(boxes.count(), 0);
        QVERIFY(!p.doc->anyModified());
    }

    // The bar a section does not scroll, and its captions, stand at the section's start: nothing
    // of the section shown before stays beside the view.
    void theOtherBarStandsAtTheStart()
    {
        Boxes boxes;
        Program p;
        auto *across = named<ctl::ScrollBar>(p.w.get(), "scrscroll");
        auto *down = named<ctl::ScrollBar>(p.w.get(), "scrvscroll");
        pointer::click(across, QPoint(across->width() - 4, 4));
        pointer::click(across, QPoint(across->width() - 4, 4));
        QCOMPARE(across->value(), 4);
        pointer::choose(
            named<ctl::ComboBox>(p.w.get(), "Combo2"), 2); // vertical, shown from its bottom end
        QCOMPARE(down->value(), 10);
        QCOMPARE(across->value(), 0);
        QStringList columns;
        for (QLabel *l : namedArray<QLabel>(p.w.get(), "lH", 8))
            columns << l->text();
        QCOMPARE(columns.join(' '), QString("0-1 0-2 0-3 0-4 0-5 0-6 0-7 0-8"));
        QCOMPARE(named<QLabel>(p.w.get(), "lV", 0)->text(), QString("1-3"));
        pointer::choose(named<ctl::ComboBox>(p.w.get(), "Combo2"), 0);
        QCOMPARE(down->value(), 0);
        QStringList rows;
        for (QLabel *l : namedArray<QLabel>(p.w.get(), "lV", 6))
            rows << l->text();
        QCOMPARE(rows.join(' '), QString("0-1 0-2 0-3 0-4 0-5 0-6"));
        QCOMPARE(boxes.count(), 0);
        QVERIFY(!p.doc->anyModified());
    }

    // A click in the selector bar's trough beside the thumb turns one page, either way.
    void selectorTroughClickTurnsOnePage()
    {
        Boxes boxes;
        Program p;
        ctl::ScrollBar *bar = named<ctl::ScrollBar>(p.w.get(), "selscroll");
        QCOMPARE(bar->value(), 0);
        pointer::click(bar, QPoint(bar->width() / 2, side::thumb(bar).bottom() + 6));
        QCOMPARE(bar->value(), 1);
        QCOMPARE(named<ctl::ImageBox>(p.w.get(), "sel", 0)->Tag, QString("08"));
        pointer::click(bar, QPoint(bar->width() / 2, side::thumb(bar).bottom() + 6));
        QCOMPARE(bar->value(), 2);
        pointer::click(bar, QPoint(bar->width() / 2, side::thumb(bar).top() - 4));
        QCOMPARE(bar->value(), 1);
        QCOMPARE(named<ctl::ImageBox>(p.w.get(), "sel", 0)->Tag, QString("08"));
        QCOMPARE(boxes.count(), 0);
    }

    // The pressed cell shows the painting block while the button is still down: in full, or
    // with its upper half hidden in the masked top row.
    void pressedCellShowsThePaintedBlockAtOnce()
    {
        Boxes boxes;
        Program p;
        pointer::windowOf(p.w.get());
        // A block that looks different from the one the cell holds.
        ctl::ImageBox *middle = named<ctl::ImageBox>(p.w.get(), "scr", 9);
        ctl::ImageBox *topRow = named<ctl::ImageBox>(p.w.get(), "scr", 2);
        pointer::click(named<ctl::ImageBox>(p.w.get(), "sel", 0));
        for (int k = 1; k < 8 && shown(named<ctl::ImageBox>(p.w.get(), "imgSel")) == shown(middle);
             ++k)
            pointer::click(named<ctl::ImageBox>(p.w.get(), "sel", k));
        const QImage block = shown(named<ctl::ImageBox>(p.w.get(), "imgSel"));
        QVERIFY(shown(middle) != block);
        pointer::press(middle);
        QCOMPARE(shown(middle), block);
        pointer::release(middle);

        named<QAction>(p.w.get(), "mnuHMask")->trigger();
        QVERIFY(named<QAction>(p.w.get(), "mnuHMask")->isChecked());
        pointer::press(topRow);
        const QImage cell = shown(topRow);
        for (int y = 0; y < cell.height(); y += 3)
            for (int x = 0; x < cell.width(); x += 3)
                QCOMPARE(
                    cell.pixel(x, y), y < cell.height() / 2 ? qRgb(0, 0, 0) : block.pixel(x, y));
        pointer::release(topRow);
        QCOMPARE(boxes.count(), 0);
    }
};

QTEST_MAIN(tst_scrollbars)
#include "tst_scrollbars.moc"
