#include "objects/PanelControls.h"
#include "objects/PowerUpPanel.h"
#include "support/DocTables.h"
#include "support/RomMap.h"
#include "ui/Controls.h"
#include "ui/ViewText.h"
#include "ui/support/MainView.h"
#include "ui/support/Named.h"
#include "ui/support/Pointer.h"
#include "ui/support/Program.h"
#include "ui/support/RealBoxes.h"
#include "ui/support/SideWindows.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <cstdio>

// The two object modes looked at and edited through the window, as a person does it.
namespace {

// The controls `name`(0) .. `name`(count - 1).
std::vector<ctl::ImageBox *> markersNamed(const Program &p, const char *name, int count)
{
    std::vector<ctl::ImageBox *> all;
    for (int k = 0; k < count; ++k)
        all.push_back(named<ctl::ImageBox>(p.w.get(), name, k));
    return all;
}

rb::Rel relOf(int rel)
{
    return rel ? rb::Rel::JP : rb::Rel::US;
}

// The game's shape with legal bytes that the editor's lists and bars do not name: holder code
// 3, an enemy id above 82, flag bits beside the facing, and special objects whose property
// byte is none of the bar's codes, or lies outside the bar's range.
rb::RomDesc oddBytes(rb::Rel rel)
{
    rb::RomDesc d = rb::gameShape(rel);
    const uint8_t holder3 = rel == rb::Rel::US ? 0x93 : 0x83;
    for (rb::Stage &st : d.stages)
        for (rb::Area &a : st.areas)
            for (rb::Section &x : a.sections) {
                if (x.vertical()) {
                    for (size_t i = 0; i < x.objects.size(); ++i) {
                        rb::Obj &o = x.objects[i];
                        if (o[2] >= 0x80 && i % 4 == 1)
                            o[2] = holder3;
                        else if (o[2] < 0x80 && i % 4 == 0)
                            o[2] = 0x55;
                        else if (o[2] < 0x80)
                            o[6] = static_cast<uint8_t>(o[6] | 0x06);
                    }
                    if (x.specials.size() > 1) // moving spikes with range code 7
                        x.specials.insert(x.specials.begin() + 1,
                            { 0, 0x00, 0x10, 0x06, 0x70, 0x00, 0x07, 0x00 });
                    continue;
                }
                if (x.specials.empty())
                    continue;
                x.specials[0][6] = 0x55; // a trap door code no sample has
                const std::vector<rb::Special> odd = {
                    { 0, 0x40, 0x10, 0x05, 0x50, 0x33, 0x40, 0x00 }, // pendulum
                    { 0, 0x60, 0x20, 0x0C, 0x60, 0x30, 0x80, 0x00 }, // platform, speed 0
                    { 0, 0x70, 0x10, 0x10, 0x68, 0x07, 0x01, 0x00 }, // block pair, content 7
                    { 0, 0x80, 0x10, 0x00, 0xF6, 0x00, 0x00, 0x00 }, // bridge above the range
                    { 0, 0x90, 0x10, 0x0A, 0x60, 0x00, 0x05, 0x00 }, // gear, code 5
                };
                x.specials.insert(x.specials.begin() + 1, odd.begin(), odd.end());
            }
    return d;
}

int markedSections(const Program &p)
{
    int marked = 0;
    for (int s = 0; s < stageCount; ++s)
        for (int n = 0; n < maxSections; ++n)
            marked += p.doc->modified(s, n);
    return marked;
}

int visibleCount(const Program &p, int from, int to)
{
    int n = 0;
    for (int k = from; k <= to; ++k)
        n += named<ctl::ImageBox>(p.w.get(), "PosPu", k)->isHidden() ? 0 : 1;
    return n;
}

// A left click on every marker of `from`..`to` shown in the view.
void clickShown(Program &p, int from, int to)
{
    for (int k = from; k <= to; ++k) {
        ctl::ImageBox *m = named<ctl::ImageBox>(p.w.get(), "PosPu", k);
        if (!m->isHidden() && m->width() > 0) {
            pointer::click(m);
        }
    }
}

// The view shows each screen of the section in turn, the markers clicked on each.
void everyScreen(Program &p, ctl::ScrollBar *bar, int from, int to)
{
    if (!bar->isEnabled()) {
        clickShown(p, from, to);
        return;
    }
    for (int v = 0; v <= bar->maximum(); v += 8) {
        bar->setValue(v);
        clickShown(p, from, to);
    }
}

// Everything that only looks, in one section of the Power-Ups and Enemies mode.
void lookAtObjects(Program &p)
{
    auto *down = named<ctl::ScrollBar>(p.w.get(), "scrvscroll");
    if (down->isEnabled()) {
        everyScreen(p, down, 0, 31);
        return;
    }
    // A holder kind and the enemies: the two ways the column bytes are shown.
    for (int kind : { 1, 3 }) {
        pointer::click(named<ctl::ImageBox>(p.w.get(), "imgCandle", kind));
        for (int page = 0; page < named<ctl::ScrollBar>(p.w.get(), "puScroll")->maximum(); ++page)
            QTest::keyClick(p.w.get(), '+');
        for (ctl::ImageBox *item : markersNamed(p, "powerUp", 4))
            if (!item->isHidden())
                pointer::move(item);
    }
}

// Every section of every stage, in the mode of `mode`, looked at by `look`.
template <class F> void everySection(Program &p, QRadioButton *mode, F look)
{
    for (int s = 0; s < 15; ++s) {
        named<ctl::ComboBox>(p.w.get(), "Combo1")->setCurrentIndex(s);
        for (int n = 0; n < p.t->secCount[static_cast<size_t>(s)]; ++n) {
            named<ctl::ComboBox>(p.w.get(), "Combo2")->setCurrentIndex(n);
            if (!mode->isEnabled())
                continue;
            if (!mode->isChecked())
                pointer::click(mode);
            look();
        }
    }
}

// The section's bars and lists show the record: the trap door's slot on a section of three
// screens (stage 0, section 0).
specialRec &trapDoor(Program &p)
{
    return p.t->specialTbl[0][0][0];
}

// The step a held bar repeats (none once its press is over), read without waiting for a step.
QAbstractSlider::SliderAction repeating(const QAbstractSlider *bar)
{
    struct Peek : QAbstractSlider
    {
        static auto action() { return &Peek::repeatAction; }
    };
    return (bar->*Peek::action())();
}

} // namespace

class tst_objmodes : public QObject
{
    Q_OBJECT
private slots:
    // Both releases, the game's shape and odd bytes: every section in both object modes,
    // every marker and slot pressed, every page of proposals; nothing is marked, and a save of
    // every section writes the file as it was.
    void lookingNeverEdits_data()
    {
        QTest::addColumn<int>("rel");
        QTest::addColumn<int>("shape"); // 0 the game's, 1 the builder's odd bytes, 2 ours
        QTest::newRow("US") << 0 << 0;
        QTest::newRow("Japanese") << 1 << 0;
        QTest::newRow("US odd shape") << 0 << 1;
        QTest::newRow("Japanese odd shape") << 1 << 1;
        QTest::newRow("US odd properties") << 0 << 2;
    }
    void lookingNeverEdits()
    {
        QFETCH(int, rel);
        QFETCH(int, shape);
        RealBoxes boxes;
        Program p(shape == 0 ? rb::gameShape(relOf(rel))
                : shape == 1 ? rb::oddShape(relOf(rel))
                             : oddBytes(relOf(rel)));
        const Bytes before = p.romBytes();
        const StageTables loaded = *p.t;
        everySection(p, named<QRadioButton>(p.w.get(), "optPu"), [&] { lookAtObjects(p); });
        everySection(p, named<QRadioButton>(p.w.get(), "optSt"), [&] {
            auto *down = named<ctl::ScrollBar>(p.w.get(), "scrvscroll");
            everyScreen(
                p, down->isEnabled() ? down : named<ctl::ScrollBar>(p.w.get(), "scrscroll"), 0, 63);
        });
        QCOMPARE(boxes.texts(), QStringList());
        QCOMPARE(markedSections(p), 0);
        QVERIFY(!p.w->markerDragging());
        QVERIFY(p.t->enemyTbl == loaded.enemyTbl);
        QVERIFY(p.t->puStr == loaded.puStr);
        QVERIFY(p.t->stairTbl == loaded.stairTbl);
        QVERIFY(p.t->startTbl == loaded.startTbl);
        QVERIFY(p.t->door1 == loaded.door1 && p.t->door2 == loaded.door2);
        QVERIFY(p.t->specialTbl == loaded.specialTbl);
        QVERIFY(p.t->scrollByte == loaded.scrollByte);
        QVERIFY(p.t->vScrollType == loaded.vScrollType);
        QVERIFY(p.t->timeTbl == loaded.timeTbl);
        if (shape == 1)
            return; // what a save writes of the odd shape's unmodelled bits is the saver's own
        // Every section written from memory: the tables still hold what was loaded.
        for (int s = 0; s < 15; ++s)
            for (int n = 0; n < p.t->secCount[static_cast<size_t>(s)]; ++n)
                p.doc->mark(s, n);
        pointer::click(named<QPushButton>(p.w.get(), "cmdSaveAll"));
        QCOMPARE(boxes.texts(), QStringList());
        QVERIFY(p.romBytes() == before);
    }

    void oddRecordsAreShownAsTheyAre()
    {
        RealBoxes boxes;
        Program p(oddBytes(rb::Rel::US));
        pointer::click(named<QRadioButton>(p.w.get(), "optSt"));
        // The trap door's code 0x55 is none of the list's: the bar says so and keeps it.
        pointer::click(named<ctl::ImageBox>(p.w.get(), "PosPu", 31));
        QCOMPARE(named<QLabel>(p.w.get(), "lblSt", 6)->text(), QString("Out of range   (55)"));
        QCOMPARE(trapDoor(p)[6], uint8_t(0x55));
        // The platform's speed nibble 0 and the bridge's height byte 0xF6.
        pointer::click(named<ctl::ImageBox>(p.w.get(), "PosPu", 33));
        QCOMPARE(named<ctl::ComboBox>(p.w.get(), "cmbSt")->currentText(),
            QString("Horizontal Platform"));
        QCOMPARE(named<QLabel>(p.w.get(), "lblSt", 5)->text(), QString("Out of range   (80)"));
        QCOMPARE(p.t->specialTbl[0][0][2][6], uint8_t(0x80));
        pointer::click(named<ctl::ImageBox>(p.w.get(), "PosPu", 35));
        QCOMPARE(
            named<ctl::ComboBox>(p.w.get(), "cmbSt")->itemText(0), QString("Crumbling Bridge"));
        QCOMPARE(named<QLabel>(p.w.get(), "lblSt", 6)->text(), QString("Out of range   (F6)"));
        // Moving the bar is the edit: the byte then follows the bar.
        QTest::keyClick(p.w.get(), '+');
        QCOMPARE(p.t->specialTbl[0][0][4][4], uint8_t(0x46));
        QVERIFY(p.doc->modified(0, 0));

        // Holder code 3 and enemy id 0x55: no kind lit, no list row, nothing retyped.
        named<ctl::ComboBox>(p.w.get(), "Combo2")->setCurrentIndex(2);
        pointer::click(named<QRadioButton>(p.w.get(), "optPu"));
        auto &recs = p.t->enemyTbl[0][2];
        const auto loaded = recs;
        int unknownHolders = 0;
        for (int s = 0; s <= p.t->objLen[0][2]; ++s) {
            ctl::ImageBox *m = named<ctl::ImageBox>(p.w.get(), "PosPu", s);
            if (m->isHidden())
                continue;
            const uint8_t type = recs[static_cast<size_t>(s)][3];
            // A holder of no known kind is drawn as a holder, with its code beside it.
            QLabel *code = named<QLabel>(p.w.get(), "lblEn", s);
            if (type == 0x93) {
                QCOMPARE(code->isHidden() ? QString() : code->text(), QString("93"));
                ++unknownHolders;
            }
            pointer::click(m);
            if (type == 0x93)
                QVERIFY(named<EnemyList>(p.w.get(), "lstEnemy")->isHidden());
            if (type == 0x55)
                QCOMPARE(named<EnemyList>(p.w.get(), "lstEnemy")->currentRow(), -1);
        }
        QVERIFY(unknownHolders > 0);
        QVERIFY(recs == loaded);
        QVERIFY(!p.doc->modified(0, 2));
        QCOMPARE(boxes.count(), 0);
    }

    // The Miscellaneous mode shows the section it is in: a Scrolling Ledges record of a
    // one-screen section, whose list does not offer the type, still shows its type; a section
    // without special objects keeps no read-out of the object the pointer was over before. The
    // Patterns read-outs of every mode follow each section change.
    void miscModeShowsTheSectionItIsIn()
    {
        RealBoxes boxes;
        rb::RomDesc d = rb::gameShape(rb::Rel::US);
        rb::Section &one = rb::loadSection(d, 0, 1);
        QCOMPARE(one.screens, 1);
        one.specials[1] = { 0, 0x28, 0x20, 0x0D, 0x60, 0x00, 0x00, 0x04 };
        Program p(d);
        auto *sections = named<ctl::ComboBox>(p.w.get(), "Combo2");
        side::choose(sections, 1);
        pointer::click(named<QRadioButton>(p.w.get(), "optSt"));
        auto *type = named<ctl::ComboBox>(p.w.get(), "cmbSt");
        QCOMPARE(type->findText("Scrolling Ledges"), -1);
        pointer::click(named<ctl::ImageBox>(p.w.get(), "PosPu", 32));
        QCOMPARE(type->currentText(), QString("Scrolling Ledges"));
        // Another object: the list offers again only what the section can take.
        pointer::click(named<ctl::ImageBox>(p.w.get(), "PosPu", 31));
        QCOMPARE(type->currentText(), QString("Trap Door [s2:12]"));
        QCOMPARE(type->findText("Scrolling Ledges"), -1);

        pointer::move(named<ctl::ImageBox>(p.w.get(), "PosPu", 31));
        auto *offset = named<QLineEdit>(p.w.get(), "txtOffset");
        QCOMPARE(offset->text(), QString("Object"));
        int none = 0;
        while (p.t->specialIdx[0][static_cast<size_t>(none)] != 0)
            ++none;
        side::choose(sections, none);
        QCOMPARE(p.g->doc.shown().curSection, none);
        QCOMPARE(offset->text(), QString());
        QCOMPARE(named<QLineEdit>(p.w.get(), "txtVal")->text(), QString());
        QCOMPARE(named<QLineEdit>(p.w.get(), "txtPatterns")->text(), QString("Patterns"));
        QCOMPARE(named<QLineEdit>(p.w.get(), "txtPat1")->text(),
            viewtext::hex2(p.g->doc.tables().patSpr[0][static_cast<size_t>(none)][2]));
        QCOMPARE(named<QLineEdit>(p.w.get(), "txtPat2")->text(),
            viewtext::hex2(p.g->doc.tables().patSpr[0][static_cast<size_t>(none)][3]));
        QVERIFY(!p.doc->modified(0, 1));

        // Every mode shows the banks of the section chosen, horizontal or vertical: the
        // background's in the Background mode, the sprites' in the object modes.
        const auto &tables = p.g->doc.tables();
        for (const char *mode : { "optBg", "optPu", "optSt" }) {
            pointer::click(named<QRadioButton>(p.w.get(), mode));
            for (int n : { 0, 2, 1, 2 }) {
                side::choose(sections, n);
                const auto &bg = tables.patBG[0][static_cast<size_t>(n)];
                const auto &spr = tables.patSpr[0][static_cast<size_t>(n)];
                const bool background = QString(mode) == "optBg";
                const QString shown = named<QLineEdit>(p.w.get(), "txtPat1")->text() + " "
                    + named<QLineEdit>(p.w.get(), "txtPat2")->text();
                QCOMPARE(shown,
                    viewtext::hex2(background ? bg[1] : spr[2]) + " "
                        + viewtext::hex2(background ? bg[2] : spr[3]));
                QCOMPARE(named<QLineEdit>(p.w.get(), "txtPatterns")->text(), QString("Patterns"));
            }
        }
        QCOMPARE(boxes.count(), 0);
    }

    // From a column section to an object list whose slot 0 is an enemy: the list's markers are
    // laid and the column items are gone.
    void markersFollowTheSection()
    {
        RealBoxes boxes;
        Program p(rb::gameShape(rb::Rel::US));
        pointer::click(named<QRadioButton>(p.w.get(), "optPu"));
        QVERIFY(!named<ctl::ImageBox>(p.w.get(), "powerUp", 0)->isHidden()
            || !named<ctl::ImageBox>(p.w.get(), "powerUp", 3)->isHidden());
        QVERIFY(p.t->enemyTbl[0][2][0][3] < 0x80);
        named<ctl::ComboBox>(p.w.get(), "Combo2")->setCurrentIndex(2);
        QVERIFY(visibleCount(p, 0, 31) > 0);
        for (ctl::ImageBox *item : markersNamed(p, "powerUp", 4))
            QVERIFY(item->isHidden());
        QCOMPARE(boxes.count(), 0);
    }

    // A holder marker drags like an enemy marker; the release ends the drag, and a later move
    // without a button moves nothing.
    void holderAndEnemyMarkersDragToTheRelease_data()
    {
        QTest::addColumn<bool>("holder");
        QTest::newRow("holder") << true;
        QTest::newRow("enemy") << false;
    }
    void holderAndEnemyMarkersDragToTheRelease()
    {
        QFETCH(bool, holder);
        RealBoxes boxes;
        Program p(rb::gameShape(rb::Rel::US));
        named<ctl::ComboBox>(p.w.get(), "Combo2")->setCurrentIndex(2);
        pointer::click(named<QRadioButton>(p.w.get(), "optPu"));
        const Bytes before = p.romBytes();
        auto &recs = p.t->enemyTbl[0][2];
        int slot = -1;
        for (int s = 0; s <= p.t->objLen[0][2] && slot < 0; ++s)
            if (!named<ctl::ImageBox>(p.w.get(), "PosPu", s)->isHidden()
                && (recs[static_cast<size_t>(s)][3] >= 0x80) == holder)
                slot = s;
        QVERIFY(slot >= 0);
        const auto others = [&] {
            auto r = recs;
            r[static_cast<size_t>(slot)] = {};
            return r;
        };
        const auto othersBefore = others();
        const objRec was = recs[static_cast<size_t>(slot)];
        pointer::drag(named<ctl::ImageBox>(p.w.get(), "PosPu", slot), QPoint(2, 2),
            named<ctl::ImageBox>(p.w.get(), "scr", 10), QPoint(10, 10));
        QVERIFY(!p.w->markerDragging());
        const objRec dropped = recs[static_cast<size_t>(slot)];
        QVERIFY(dropped != was);
        QCOMPARE(dropped[3], was[3]);
        QVERIFY(others() == othersBefore);
        pointer::move(named<ctl::ImageBox>(p.w.get(), "scr", 30));
        QCOMPARE(recs[static_cast<size_t>(slot)], dropped);
        pointer::click(named<QPushButton>(p.w.get(), "cmdSave"));
        const long long from = p.t->enemyPos[0][2];
        const Bytes after = p.romBytes();
        for (size_t i = 0; i < after.size(); ++i)
            if (after[i] != before[i])
                QVERIFY(static_cast<long long>(i) + 1 >= from
                    && static_cast<long long>(i) + 1 < from + 7 * (p.t->objLen[0][2] + 1));
        QCOMPARE(boxes.count(), 0);
    }

    // Staircase, door, start point and special object, each dragged in the Miscellaneous mode:
    // the drag ends on release and changes its own record only.
    void miscMarkersDragToTheRelease_data()
    {
        QTest::addColumn<int>("marker");
        QTest::newRow("staircase") << 0;
        QTest::newRow("door") << 62;
        QTest::newRow("start point") << 63;
        QTest::newRow("platform") << 32;
    }
    void miscMarkersDragToTheRelease()
    {
        QFETCH(int, marker);
        RealBoxes boxes;
        rb::RomDesc d = rb::gameShape(rb::Rel::US);
        // Section 0 of stage 0 gets a horizontal platform in the middle of screen 0.
        auto &x = d.stages[0].areas[0].sections[0];
        x.specials.insert(x.specials.begin() + 1, { 0, 0x80, 0x10, 0x0C, 0x70, 0x40, 0x82, 0 });
        x.start = { 0x27, 0x00 }; // in the view's middle row
        Program p(d);
        pointer::click(named<QRadioButton>(p.w.get(), "optSt"));
        auto *across = named<ctl::ScrollBar>(p.w.get(), "scrscroll");
        if (marker >= 61)
            across->setValue(marker == 63 ? 0 : across->maximum());
        ctl::ImageBox *m = named<ctl::ImageBox>(p.w.get(), "PosPu", marker);
        QVERIFY(!m->isHidden());
        const auto snapshot = [&] {
            return p.doc->records(p.g->doc.shown().curStage, p.g->doc.shown().curSection);
        };
        const SectionRecords was = snapshot();
        pointer::press(m);
        QVERIFY(p.w->markerDragging());
        QVERIFY(!p.doc->modified(0, 0));
        ctl::ImageBox *to = named<ctl::ImageBox>(p.w.get(), "scr", 18);
        pointer::move(named<ctl::ImageBox>(p.w.get(), "scr", 17), QPoint(20, 20));
        pointer::move(to, QPoint(20, 20));
        pointer::release(to, QPoint(20, 20));
        QVERIFY(!p.w->markerDragging());
        SectionRecords now = snapshot();
        QVERIFY(!(now == was));
        QVERIFY(p.doc->modified(0, 0));
        // Only the dragged record changed.
        if (marker <= 30)
            now.stairs[static_cast<size_t>(marker)] = was.stairs[static_cast<size_t>(marker)];
        else if (marker == 62)
            now.door1 = was.door1;
        else if (marker == 63)
            now.start = was.start;
        else
            now.specials[static_cast<size_t>(marker - 31)]
                = was.specials[static_cast<size_t>(marker - 31)];
        QVERIFY(now == was);
        const SectionRecords dropped = snapshot();
        pointer::move(named<ctl::ImageBox>(p.w.get(), "scr", 40));
        QVERIFY(snapshot() == dropped);
        QCOMPARE(boxes.count(), 0);
    }

    // A sample on a screen the section does not have is refused, and the box says so plainly:
    // nothing went wrong. The record, the bar and the marks stay. Held down, the bar steps
    // once: the box ends the press, so no repeat is left to show one box a step to its end.
    void locationBeyondTheSectionIsRefusedOnce()
    {
        RealBoxes boxes;
        Program p(rb::gameShape(rb::Rel::US));
        for (size_t j = 1; j < 36; ++j)
            DocTables::of(p.g->doc).stTemplates[1][j][0] = 7; // trap door samples on screen 7 of 3
        pointer::click(named<QRadioButton>(p.w.get(), "optSt"));
        pointer::click(named<ctl::ImageBox>(p.w.get(), "PosPu", 31));
        const specialRec loaded = trapDoor(p);
        ctl::ScrollBar *bar = named<ctl::ScrollBar>(p.w.get(), "scrSt", 2);
        QCOMPARE(bar->value(), 0);
        pointer::press(bar, QPoint(bar->width() * 3 / 4, bar->height() / 2));
        QCOMPARE(repeating(bar), QAbstractSlider::SliderNoAction);
        pointer::release(bar, QPoint(bar->width() * 3 / 4, bar->height() / 2));
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text,
            QString("Location 01 lies on screen 7, but this section has screens 0 to 2 only.\n"
                    "The object keeps its place."));
        QCOMPARE(boxes.last().style(), 64); // information
        QCOMPARE(boxes.last().title, QString("Not in this section"));
        QCOMPARE(bar->value(), 0);
        QCOMPARE(trapDoor(p), loaded);
        QVERIFY(!p.doc->modified(0, 0));
    }

    // Moving spikes dragged past the end of the last screen stay on the last screen.
    void specialDragStaysInTheSection()
    {
        RealBoxes boxes;
        rb::RomDesc d = rb::gameShape(rb::Rel::US);
        auto &x = d.stages[0].areas[0].sections[0]; // three screens
        x.specials.insert(x.specials.end() - 1, { 2, 0xE8, 0x10, 0x06, 0x00, 0x00, 0x09, 0 });
        Program p(d);
        pointer::click(named<QRadioButton>(p.w.get(), "optSt"));
        auto *across = named<ctl::ScrollBar>(p.w.get(), "scrscroll");
        across->setValue(across->maximum());
        ctl::ImageBox *m = named<ctl::ImageBox>(p.w.get(), "PosPu", 33);
        QVERIFY(!m->isHidden());
        pointer::press(m, QPoint(1, 1));
        ctl::ImageBox *last = named<ctl::ImageBox>(p.w.get(), "scr", 7);
        pointer::move(last, QPoint(40, 20));
        pointer::move(last, QPoint(63, 20));
        pointer::release(last, QPoint(63, 20));
        QVERIFY(p.t->specialTbl[0][0][2][0] <= 2);
        QCOMPARE(boxes.count(), 0);
    }

    // Laying a special object's marker tidies its bytes (the low nibble of a bridge's row) on a
    // copy only: looking at it and then saving another edit of the section leaves its bytes as
    // the file holds them.
    void untidySpecialBytesReachTheFileOnlyWithAnEditOfTheList()
    {
        RealBoxes boxes;
        rb::RomDesc d = rb::gameShape(rb::Rel::US);
        auto &x = d.stages[0].areas[0].sections[0];
        x.specials.insert(x.specials.end() - 1, { 0, 0x40, 0x10, 16, 0x50, 0x00, 0x00, 5 });
        const size_t at = x.specials.size() - 2;
        Program p(d);
        const Bytes loaded = p.romBytes();
        const specialRec asLoaded = p.t->specialTbl[0][0][at];
        // A bridge whose row's low nibble is not the 8 that laying its marker tidies it to.
        QVERIFY(asLoaded[3] == 16 && asLoaded[6] == 0 && (asLoaded[4] & 15) != 8);
        pointer::click(named<QRadioButton>(p.w.get(), "optSt"));
        QVERIFY(!named<ctl::ImageBox>(p.w.get(), "PosPu", 31 + static_cast<int>(at))->isHidden());
        QCOMPARE(p.t->specialTbl[0][0][at], asLoaded);
        pointer::click(named<QRadioButton>(p.w.get(), "optBg"));
        pointer::click(named<ctl::ImageBox>(p.w.get(), "sel", 2));
        pointer::click(named<ctl::ImageBox>(p.w.get(), "scr", 1));
        QVERIFY(p.doc->modified(0, 0));
        pointer::click(named<QPushButton>(p.w.get(), "cmdSave"));
        const Bytes saved = p.romBytes();
        const long long cell = p.t->layoutPos[0][0] + shownPos(*p.w, 1);
        for (size_t i = 0; i < saved.size(); ++i)
            if (static_cast<long long>(i) + 1 != cell)
                QVERIFY2(saved[i] == loaded[i], qPrintable(QString::number(i)));
        QCOMPARE(boxes.count(), 0);
    }

    // A turn whose row would not fit the 4 bits beside the kind is refused.
    void staircaseTurnKeepsItsRowInFourBits()
    {
        RealBoxes boxes;
        rb::RomDesc d = rb::gameShape(rb::Rel::US);
        d.stages[0].areas[0].sections[0].stairs = { rb::stairH(12, 0x50, 15, 0) };
        Program p(d);
        pointer::click(named<QRadioButton>(p.w.get(), "optSt"));
        const stairRec loaded = p.t->stairTbl[0][0][0];
        QCOMPARE(loaded[3], uint8_t(12));
        pointer::click(
            named<ctl::ImageBox>(p.w.get(), "PosPu", 0), QPoint(-1, -1), Qt::RightButton);
        QCOMPARE(p.t->stairTbl[0][0][0], loaded);
        QVERIFY(!p.doc->modified(0, 0));
    }

    // The wheel over the type box passes by without retyping; a pick of entry 0 for a
    // crumbling bridge of the file asks before the bridge is emptied, and the save writes the
    // ROM's empty slot in its place.
    void typeBoxEditsOnlyByAPick()
    {
        RealBoxes boxes;
        rb::RomDesc d = rb::gameShape(rb::Rel::US);
        const rb::Special bridge { 0, 0x40, 0, 0, 0x80, 0, 0, 0 };
        rb::loadSection(d, 0, 0).specials.insert(
            rb::loadSection(d, 0, 0).specials.end() - 1, bridge);
        Program p(d);
        const Bytes before = p.romBytes();
        pointer::click(named<QRadioButton>(p.w.get(), "optSt"));
        pointer::click(named<ctl::ImageBox>(p.w.get(), "PosPu", 31));
        const int shown = named<ctl::ComboBox>(p.w.get(), "cmbSt")->currentIndex();
        const specialRec loaded = trapDoor(p);
        pointer::wheel(named<ctl::ComboBox>(p.w.get(), "cmbSt"), 1);
        QCOMPARE(named<ctl::ComboBox>(p.w.get(), "cmbSt")->currentIndex(), shown);
        QCOMPARE(trapDoor(p), loaded);

        const int slot = static_cast<int>(rb::loadSection(d, 0, 0).specials.size()) - 2;
        const specialRec &rec = p.t->specialTbl[0][0][static_cast<size_t>(slot)];
        pointer::click(named<ctl::ImageBox>(p.w.get(), "PosPu", 31 + slot));
        QCOMPARE(
            named<ctl::ComboBox>(p.w.get(), "cmbSt")->itemText(0), QString("Crumbling Bridge"));
        boxes.click(QMessageBox::No);
        pointer::choose(named<ctl::ComboBox>(p.w.get(), "cmbSt"), 0);
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.any("replace the object with an empty slot"));
        QCOMPARE(rec[4], uint8_t(0x80));
        boxes.click(QMessageBox::Yes);
        pointer::choose(named<ctl::ComboBox>(p.w.get(), "cmbSt"), 0);
        QCOMPARE(boxes.count(), 2);
        QCOMPARE(rec[3], uint8_t(0));
        QCOMPARE(rec[4], uint8_t(0x20));
        QCOMPARE(named<ctl::ComboBox>(p.w.get(), "cmbSt")->itemText(0), QString("Empty"));
        // Saved, the list holds no bridge any more but an empty slot where the bridge stood.
        pointer::click(named<QPushButton>(p.w.get(), "cmdSave"));
        const Bytes after = p.romBytes();
        QStringList written;
        for (int k = 0; k <= slot + 1; ++k) // the list goes out sorted by screen
            written << QString::fromLatin1(QByteArray(
                reinterpret_cast<const char *>(after.data()) + p.t->specialPos[0][0] - 1 + 8 * k, 8)
                                               .toHex(' '));
        QVERIFY2(written.contains("09 40 00 05 20 00 00 00"), qPrintable(written.join(", ")));
        QVERIFY2(!written.contains("00 40 00 00 20 00 00 00"), qPrintable(written.join(", ")));
        const auto from = p.t->specialPos[0][0] - 1;
        QVERIFY(std::equal(after.begin(), after.begin() + from, before.begin()));
        QVERIFY(std::equal(after.begin() + from + 8 * (slot + 2), after.end(),
            before.begin() + from + 8 * (slot + 2), before.end()));
        QCOMPARE(boxes.count(), 2);
    }

    // "Reverse Sprite" can be clicked; the holder kinds all show their pictures at once; a
    // proposal placed without its picture still counts as an edit.
    void controlsOfTheModeCanBeSeenAndUsed()
    {
        RealBoxes boxes;
        rb::RomDesc d = rb::gameShape(rb::Rel::US);
        for (rb::Obj &o : d.stages[0].areas[1].sections[1].objects)
            if (o[2] < 0x80)
                o[2] = 42; // an enemy whose facing turns
        Program p(d);
        pointer::click(named<QRadioButton>(p.w.get(), "optPu"));
        for (ctl::ImageBox *c : markersNamed(p, "imgCandle", 4))
            QVERIFY(!c->picture().isNull());

        // A proposal whose item picture is gone.
        std::remove((p.g->files.datPath + "pu"
            + named<ctl::ImageBox>(p.w.get(), "imgPu", 8)->Tag.toStdString() + ".dat")
                        .c_str());
        int k = 0;
        while (k < 64 && named<ctl::ImageBox>(p.w.get(), "PosPu", k)->isHidden())
            ++k;
        QVERIFY(k < 64);
        pointer::click(named<ctl::ImageBox>(p.w.get(), "PosPu", k));
        QCOMPARE(boxes.count(), 1);
        QVERIFY(p.doc->modified(0, 0));

        named<ctl::ComboBox>(p.w.get(), "Combo2")->setCurrentIndex(2);
        auto &recs = p.t->enemyTbl[0][2];
        int enemy = -1;
        for (int s = 0; s <= p.t->objLen[0][2] && enemy < 0; ++s)
            if (!named<ctl::ImageBox>(p.w.get(), "PosPu", s)->isHidden()
                && recs[static_cast<size_t>(s)][3] == 42)
                enemy = s;
        QVERIFY(enemy >= 0);
        pointer::click(named<ctl::ImageBox>(p.w.get(), "PosPu", enemy));
        QVERIFY(!named<QCheckBox>(p.w.get(), "chkInverse")->isHidden());
        const uint8_t flags = recs[static_cast<size_t>(enemy)][6];
        pointer::click(named<QCheckBox>(p.w.get(), "chkInverse"));
        QCOMPARE(recs[static_cast<size_t>(enemy)][6], uint8_t(flags ^ 1));
        QVERIFY(p.doc->modified(0, 2));
    }
};

QTEST_MAIN(tst_objmodes)
#include "tst_objmodes.moc"
