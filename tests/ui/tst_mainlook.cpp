#include "ui/Look.h"
#include "ui/support/Named.h"
#include "ui/support/Pointer.h"
#include "ui/support/Program.h"
#include "ui/support/RealBoxes.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

// What the main window's panels look like to a person: each control the mode shows can be
// seen whole, where its neighbours say it belongs.
namespace {

rb::Rel relOf(int rel)
{
    return rel ? rb::Rel::JP : rb::Rel::US;
}

QWidget *control(Program &p, const char *name, int index = -1)
{
    return named<QWidget>(p.w.get(), name, index);
}

void choose(Program &p, int stage, int section)
{
    named<QComboBox>(p.w.get(), "Combo1")->setCurrentIndex(stage);
    named<QComboBox>(p.w.get(), "Combo2")->setCurrentIndex(section);
}

// The shown siblings of w that overlap it. A panel laid over the whole client area shows only
// its controls (its mask says where): those count, not the panel.
QStringList covering(QWidget *w)
{
    QStringList out;
    for (QObject *o : w->parentWidget()->children()) {
        auto *other = qobject_cast<QWidget *>(o);
        if (!other || other == w || !other->isVisible())
            continue;
        if (other->mask().isEmpty()) {
            if (other->geometry().intersects(w->geometry()))
                out << other->objectName();
            continue;
        }
        for (QObject *c : other->children()) {
            auto *inner = qobject_cast<QWidget *>(c);
            if (inner && inner->isVisible()
                && inner->geometry().translated(other->pos()).intersects(w->geometry()))
                out << inner->objectName();
        }
    }
    return out;
}

// Each shown property bar's value label stands at the bar's right, on its row, inside the
// window, with room for its text.
void checkBarLabels(Program &p, const QString &where)
{
    const int valueLabel[4] = { 4, 5, 6, 8 };
    for (int k = 0; k < 4; ++k) {
        QWidget *bar = control(p, "scrSt", k);
        auto *value = named<QLabel>(p.w.get(), "lblSt", valueLabel[k]);
        if (!bar->isVisible() || value->text().isEmpty())
            continue;
        const QRect b = bar->geometry();
        const QRect v = value->geometry();
        const QString what = QString("%1, bar %2 \"%3\"").arg(where).arg(k).arg(value->text());
        QVERIFY2(value->isVisible(), qPrintable(what));
        QVERIFY2(v.left() > b.right(), qPrintable(what + ": the value is not right of its bar"));
        QVERIFY2(v.top() <= b.bottom() && v.bottom() >= b.top(),
            qPrintable(what + ": the value is not on its bar's row"));
        QVERIFY2(v.right() < value->parentWidget()->width(), qPrintable(what));
        QVERIFY2(value->fontMetrics().horizontalAdvance(value->text()) <= v.width(),
            qPrintable(what + ": the text is clipped"));
    }
}

// Scrolls the view until a special object shows and clicks it.
bool clickASpecial(Program &p)
{
    auto *down = named<QScrollBar>(p.w.get(), "scrvscroll");
    QScrollBar *bar = down->isEnabled() ? down : named<QScrollBar>(p.w.get(), "scrscroll");
    for (int v = 0; v <= bar->maximum(); v += 2) {
        bar->setValue(v);
        for (int k = 31; k <= 60; ++k)
            if (control(p, "PosPu", k)->isVisible()) {
                pointer::click(control(p, "PosPu", k));
                return true;
            }
    }
    return false;
}

// The note reads whole and nothing shown lies on it.
void checkNote(Program &p, const QString &where)
{
    auto *note = named<QLabel>(p.w.get(), "noteSt");
    if (!note->isVisible() || note->text().isEmpty())
        return;
    const QString what = QString("%1, note \"%2\"").arg(where, note->text());
    const QRect needs = note->fontMetrics().boundingRect(
        QRect(0, 0, note->width(), 10000), Qt::TextWordWrap, note->text());
    QVERIFY2(needs.height() <= note->height(), qPrintable(what + ": the text is cut off"));
    QVERIFY2(covering(note).isEmpty(), qPrintable(what + ": " + covering(note).join(", ")));
}

} // namespace

class tst_mainlook : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { look::applyTo(*qApp); } // the program's font and style

    void bothReleases_data()
    {
        QTest::addColumn<int>("rel");
        QTest::newRow("US") << 0;
        QTest::newRow("Japanese") << 1;
    }

    // The painting block's preview belongs to the Background mode; the other modes' panels
    // take its place, and nothing shown lies under or over it.
    void previewLeavesThePanelsFree_data() { bothReleases_data(); }
    void previewLeavesThePanelsFree()
    {
        QFETCH(int, rel);
        Program p(relOf(rel));
        pointer::windowOf(p.w.get());
        QWidget *preview = control(p, "imgSel");
        for (auto [stage, section] : { std::pair { 0, 0 }, std::pair { 4, 1 } }) {
            choose(p, stage, section);
            for (const char *mode : { "optPu", "optSt", "optBg" }) {
                pointer::click(control(p, mode));
                if (!preview->isVisible())
                    continue;
                const QString where
                    = QString("stage %1, section %2, %3").arg(stage).arg(section).arg(mode);
                QVERIFY2(covering(preview).isEmpty(),
                    qPrintable(where + ": " + covering(preview).join(", ")));
            }
            QVERIFY(preview->isVisible()); // back in the Background mode
        }
        // The enemy kind: the holder kinds' row stays free of it as well.
        choose(p, 0, 0);
        pointer::click(control(p, "optPu"));
        pointer::click(control(p, "imgCandle", 3));
        QVERIFY(!preview->isVisible() || covering(preview).isEmpty());
    }

    // Every special object of both releases' sections, selected with a click: the bars' values
    // read beside their bars.
    void barValuesStandBesideTheirBars_data() { bothReleases_data(); }
    void barValuesStandBesideTheirBars()
    {
        QFETCH(int, rel);
        RealBoxes boxes;
        Program p(relOf(rel));
        pointer::windowOf(p.w.get());
        auto *misc = named<QRadioButton>(p.w.get(), "optSt");
        auto *across = named<QScrollBar>(p.w.get(), "scrscroll");
        auto *down = named<QScrollBar>(p.w.get(), "scrvscroll");
        int checked = 0;
        for (int s = 0; s < 15; ++s) {
            for (int n = 0; n < p.t->secCount[static_cast<size_t>(s)]; ++n) {
                choose(p, s, n);
                if (!misc->isChecked())
                    pointer::click(misc);
                QScrollBar *bar = down->isEnabled() ? down : across;
                for (int v = 0; v <= bar->maximum(); v += 8) {
                    bar->setValue(v);
                    for (int k = 31; k <= 60; ++k) {
                        QWidget *m = control(p, "PosPu", k);
                        if (!m->isVisible())
                            continue;
                        pointer::click(m);
                        checkBarLabels(
                            p, QString("stage %1, section %2, marker %3").arg(s).arg(n).arg(k));
                        if (QTest::currentTestFailed())
                            return;
                        ++checked;
                    }
                }
            }
        }
        QVERIFY(checked > 20);
        QCOMPARE(boxes.count(), 0);
    }

    // A special object turned into every type the list offers, in a horizontal and a vertical
    // section: each type's values and note can be read, and the sprite buttons reached.
    void everyTypeReadsWhole_data() { bothReleases_data(); }
    void everyTypeReadsWhole()
    {
        QFETCH(int, rel);
        RealBoxes boxes;
        Program p(relOf(rel));
        pointer::windowOf(p.w.get());
        for (auto [stage, section] : { std::pair { 0, 0 }, std::pair { 4, 1 } }) {
            choose(p, stage, section);
            pointer::click(control(p, "optSt"));
            auto *type = named<QComboBox>(p.w.get(), "cmbSt");
            QVERIFY(clickASpecial(p));
            for (int i = 0; i < type->count(); ++i) {
                const QString name = type->itemText(i);
                pointer::choose(type, i);
                const QString where
                    = QString("stage %1, section %2, \"%3\"").arg(stage).arg(section).arg(name);
                checkBarLabels(p, where);
                checkNote(p, where);
                for (const char *button : { "cmdEPal", "cmdEPat" })
                    QVERIFY2(covering(control(p, button)).isEmpty(),
                        qPrintable(where + ": " + button + " lies under "
                            + covering(control(p, button)).join(", ")));
                if (QTest::currentTestFailed())
                    return;
            }
        }
    }

    // A vertical section's trap door, a type its type list lacks: selected, then scrolled
    // through, the frame is only ever seen around a marker.
    void theFrameStaysWithItsMarker()
    {
        Program p(rb::Rel::US);
        pointer::windowOf(p.w.get());
        choose(p, 4, 1);
        pointer::click(control(p, "optSt"));
        QWidget *frame = control(p, "rectSelSt");
        auto *down = named<QScrollBar>(p.w.get(), "scrvscroll");
        QVERIFY(down->isEnabled());
        auto framesAMarker = [&] {
            for (int k = 0; k < 64; ++k) {
                QWidget *m = control(p, "PosPu", k);
                if (m->isVisible() && m->pos() - frame->pos() == QPoint(1, 1))
                    return true;
            }
            return false;
        };
        bool selected = false;
        for (int v = 0; v <= down->maximum(); v += 2) {
            down->setValue(v);
            for (int k = 31; k <= 60 && !selected; ++k)
                if (control(p, "PosPu", k)->isVisible()) {
                    pointer::click(control(p, "PosPu", k));
                    QVERIFY(frame->isVisible());
                    selected = true;
                }
            QVERIFY2(
                !frame->isVisible() || framesAMarker(), qPrintable(QString("at row %1").arg(v)));
        }
        QVERIFY(selected);
        for (int v = down->maximum(); v >= 0; v -= 2) {
            down->setValue(v);
            QVERIFY2(
                !frame->isVisible() || framesAMarker(), qPrintable(QString("at row %1").arg(v)));
        }
    }

    // The type box is locked until an object is picked: it must not look like the box that can
    // be edited a click later.
    void aLockedListLooksLocked()
    {
        Program p(rb::Rel::US);
        pointer::windowOf(p.w.get());
        pointer::click(control(p, "optSt"));
        auto *type = named<QComboBox>(p.w.get(), "cmbSt");
        QVERIFY(!type->isEnabled());
        const QPoint inside(3, type->height() / 2);
        const QRgb locked = type->grab().toImage().pixel(inside);
        QWidget *marker = nullptr;
        for (int k = 31; k <= 60 && !marker; ++k)
            if (control(p, "PosPu", k)->isVisible())
                marker = control(p, "PosPu", k);
        QVERIFY(marker);
        pointer::click(marker);
        QVERIFY(type->isEnabled());
        QVERIFY(type->grab().toImage().pixel(inside) != locked);
    }
};

QTEST_MAIN(tst_mainlook)
#include "tst_mainlook.moc"
