#include "model/objects/SpecialTypes.h"
#include "special/MiscPanel.h"
#include "ui/Controls.h"
#include "ui/support/Named.h"
#include "ui/support/Pointer.h"
#include "ui/support/Program.h"
#include "ui/support/RealBoxes.h"
#include "ui/support/SideWindows.h"
#include "ui/support/WindowTour.h"

#include <QLabel>
#include <QRadioButton>
#include <QtTest>

// The special objects of the Miscellaneous mode on the demo ROMs: each new object stays in
// reach of the pointer and holds values its bars offer; a drag that cannot be stored says so
// once.
namespace {

rb::Rel relOf(int rel)
{
    return rel ? rb::Rel::JP : rb::Rel::US;
}

ctl::ImageBox *marker(const Program &p, int k)
{
    return named<ctl::ImageBox>(p.w.get(), "PosPu", k);
}

ctl::ComboBox *typeBox(const Program &p)
{
    return named<ctl::ComboBox>(p.w.get(), "cmbSt");
}

// The level view: its 48 cells, in the coordinates of the markers.
QRect viewArea(const Program &p)
{
    return named<QWidget>(p.w.get(), "scr", 0)
        ->geometry()
        .united(named<QWidget>(p.w.get(), "scr", 47)->geometry());
}

bool vertical(const Program &p, int s, int n)
{
    return p.t->vertFlag[static_cast<size_t>(s)][static_cast<size_t>(n)] != 0;
}

// Section n of stage s shown in the Miscellaneous mode.
void showSection(Program &p, int s, int n)
{
    for (auto [box, i] : { std::pair { "Combo1", s }, std::pair { "Combo2", n } })
        if (named<ctl::ComboBox>(p.w.get(), box)->currentIndex() != i)
            side::choose(named<ctl::ComboBox>(p.w.get(), box), i);
    pointer::click(named<QRadioButton>(p.w.get(), "optSt"));
}

// The view scrolled screen by screen, as a person looks for an object, until marker k stands
// wholly inside it; false when no position of the view shows it.
bool findMarker(Program &p, int s, int n, int k)
{
    auto *bar = named<ctl::ScrollBar>(p.w.get(), vertical(p, s, n) ? "scrvscroll" : "scrscroll");
    const auto shown = [&] {
        return !marker(p, k)->isHidden() && viewArea(p).contains(marker(p, k)->geometry());
    };
    if (!bar->isEnabled())
        return shown();
    for (int v = 0;; v = std::min(v + 8, bar->maximum())) {
        side::toValue(bar, v);
        if (shown())
            return true;
        if (v == bar->maximum())
            return false;
    }
}

// The first empty slot of the section's special objects.
int emptySlot(const Program &p, int s, int n)
{
    const auto &list = p.t->specialTbl[static_cast<size_t>(s)][static_cast<size_t>(n)];
    for (int i = 0; i < 30 && list[static_cast<size_t>(i)][0] != 255; ++i)
        if (special::isEmptySlot(list[static_cast<size_t>(i)]))
            return i;
    return -1;
}

// Every entry of the type box, in sections of both directions and lengths of both demos: the
// rows name the release, the stage, the section, the slot retyped (-1: the empty one) and the
// entry. Slot 1 of the three-screen section is the Tilting Ledge on its last screen.
void everyNewType()
{
    QTest::addColumn<int>("rel");
    QTest::addColumn<int>("stage");
    QTest::addColumn<int>("section");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("entry");
    struct Where
    {
        int rel, stage, section, from, entries;
        const char *what;
    };
    const Where all[] = { { 0, 0, 0, -1, 15, "US three screens" },
        { 0, 0, 0, 1, 15, "US three screens, object on screen 2" },
        { 0, 0, 1, -1, 14, "US one screen" }, { 0, 0, 2, -1, 6, "US vertical" },
        { 1, 3, 3, -1, 15, "JP stage 3 section 3" } };
    for (const Where &w : all)
        for (int e = 1; e < w.entries; ++e)
            QTest::addRow("%s, entry %d", w.what, e)
                << w.rel << w.stage << w.section << w.from << e;
}

// Slot `from` of the section (the empty slot for -1) retyped to entry `entry` of the type box,
// as a person does it: the slot's marker found and clicked, the entry chosen. Returns the slot.
int retypeSlot(Program &p, int s, int n, int from, int entry)
{
    showSection(p, s, n);
    const int slot = from >= 0 ? from : emptySlot(p, s, n);
    if (slot < 0 || !findMarker(p, s, n, 31 + slot))
        return -1;
    pointer::click(marker(p, 31 + slot));
    pointer::choose(typeBox(p), entry);
    return slot;
}

} // namespace

class tst_specials : public QObject
{
    Q_OBJECT
private slots:
    // An empty slot or an object retyped to any type shows every bar at a value of its own (no
    // read-out says "Out of range"; moving spikes take the first range, code 9), and keeps a
    // marker that the view shows wholly inside it at once, where the type took a place on
    // another screen too, and at its edge where the object's place lies outside; pressed,
    // it selects the object, and a type that is dragged follows the pointer into the view and is
    // stored there.
    void newObjectsStayInReachWithOfferedValues_data() { everyNewType(); }
    void newObjectsStayInReachWithOfferedValues()
    {
        QFETCH(int, rel);
        QFETCH(int, stage);
        QFETCH(int, section);
        QFETCH(int, from);
        QFETCH(int, entry);
        RealBoxes boxes;
        Program p(rb::gameShape(relOf(rel)));
        const int slot = retypeSlot(p, stage, section, from, entry);
        QVERIFY(slot >= 0);
        const QString type = typeBox(p)->itemText(entry);
        QVERIFY2(!marker(p, 31 + slot)->isHidden()
                && viewArea(p).contains(marker(p, 31 + slot)->geometry()),
            "the retyped object is out of sight");
        const specialRec &rec = p.t->specialTbl[static_cast<size_t>(stage)][static_cast<size_t>(
            section)][static_cast<size_t>(slot)];
        for (int k : { 4, 5, 6, 8 }) {
            const QString shown = named<QLabel>(p.w.get(), "lblSt", k)->text();
            QVERIFY2(!shown.startsWith("Out of range"),
                qPrintable(QString("lblSt(%1) reads \"%2\"").arg(k).arg(shown)));
        }
        if (rec[3] == 6) {
            QCOMPARE(rec[6], uint8_t(9));
            QCOMPARE(
                named<QLabel>(p.w.get(), "lblSt", 6)->text(), QString("[x, 30] - [x, A8]   (00)"));
        }
        QVERIFY2(findMarker(p, stage, section, 31 + slot), "the new object has no marker");
        const specialRec placed = rec;
        ctl::ImageBox *m = marker(p, 31 + slot);
        pointer::press(m, QPoint(8, 8));
        QCOMPARE(named<MiscPanel>(p.w.get(), "MiscPanel")->selectedObject(), slot);
        QCOMPARE(typeBox(p)->currentText(), type);
        if (p.w->markerDragging()) {
            QWidget *middle = named<QWidget>(p.w.get(), "scr", 19);
            pointer::move(middle, QPoint(10, 10));
            pointer::move(middle, QPoint(12, 12));
            pointer::release(middle, QPoint(12, 12));
            QVERIFY(rec != placed);
            QVERIFY(findMarker(p, stage, section, 31 + slot));
        } else {
            pointer::release(m, QPoint(8, 8));
        }
        QVERIFY(!p.w->markerDragging());
        QCOMPARE(boxes.texts(), QStringList());
    }

    // The staircases, start points and doors a ROM holds have markers in reach too: a staircase
    // before the section's start and a start point above the view (added here), and the demos'
    // doors, some of which stand above or below the view.
    void loadedMarkersStayInReach_data() { tour::releaseRows(); }
    void loadedMarkersStayInReach()
    {
        QFETCH(int, release);
        RealBoxes boxes;
        rb::RomDesc d = rb::gameShape(relOf(release));
        rb::Section &first = rb::loadSection(d, 0, 0);
        first.stairs = { rb::stairH(4, 0x04, 0, 0) };
        first.start = { 0x20, 0x00 };
        Program p(d);
        showSection(p, 0, 0);
        QVERIFY2(findMarker(p, 0, 0, 0), "staircase");
        QVERIFY2(findMarker(p, 0, 0, 63), "start point");
        int doors = 0;
        for (int s = 0; s < 15; ++s)
            for (int n = 0; n < p.t->secCount[static_cast<size_t>(s)]; ++n) {
                if (p.t->doorPos[static_cast<size_t>(s)][static_cast<size_t>(n)] == 0)
                    continue;
                showSection(p, s, n);
                for (int k : { 61, 62 })
                    QVERIFY2(findMarker(p, s, n, k),
                        qPrintable(QString("door %1 of stage %2 section %3").arg(k).arg(s).arg(n)));
                ++doors;
            }
        QVERIFY(doors > 0);
        QCOMPARE(boxes.texts(), QStringList());
    }

    // Moving spikes of a vertical section dragged on past the view's right edge: their place
    // there lies beyond the last pixel of the screen, which the record cannot hold. One box says
    // so and ends the drag; the object and its marker stay at the last place that could be
    // stored, and the moves and the release after it change nothing.
    void aDragThatCannotBeStoredSaysSoOnce()
    {
        RealBoxes boxes;
        Program p(rb::gameShape(rb::Rel::US));
        const int slot = retypeSlot(p, 0, 2, -1, 2);
        QVERIFY(slot >= 0);
        QCOMPARE(typeBox(p)->currentText(), QString("Moving Spikes"));
        const specialRec &rec = p.t->specialTbl[0][2][static_cast<size_t>(slot)];
        ctl::ImageBox *m = marker(p, 31 + slot);
        pointer::press(m, QPoint(4, 8));
        QVERIFY(p.w->markerDragging());
        pointer::move(named<QWidget>(p.w.get(), "scr", 19), QPoint(20, 20));
        const specialRec stored = rec;
        const QRect storedAt = m->geometry();
        QWidget *last = named<QWidget>(p.w.get(), "scr", 23); // the view's right column
        for (int x : { 60, 61, 62 })
            pointer::move(last, QPoint(x, 20));
        pointer::release(last, QPoint(62, 20));
        QVERIFY(!p.w->markerDragging());
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().text.contains("Overflow"));
        QCOMPARE(rec, stored);
        QCOMPARE(m->geometry(), storedAt);
    }
};

QTEST_MAIN(tst_specials)
#include "tst_specials.moc"
