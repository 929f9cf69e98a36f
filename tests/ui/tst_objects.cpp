#include "objects/PanelControls.h"
#include "objects/PowerUpPanel.h"
#include "special/MiscPanel.h"
#include "support/RomMap.h"
#include "ui/Controls.h"
#include "ui/support/Named.h"
#include "ui/support/Pointer.h"
#include "ui/support/Program.h"
#include "ui/support/RealBoxes.h"
#include "ui/support/Startup.h"
#include "ui/support/WindowTour.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

// The game's shape with real power-up codes in the presets and the objects of stage 0: 20
// Candles Small Heart presets (10..29), the others Big Hearts of the three kinds.
rb::RomDesc realCodes(rb::Rel rel = rb::Rel::US)
{
    rb::RomDesc d = rb::gameShape(rel);
    const int r = rel == rb::Rel::US ? 0 : 1;
    for (size_t i = 0; i < d.puPresets.size(); ++i) {
        const bool heart = i >= 10 && i < 30;
        d.puPresets[i][0] = static_cast<uint8_t>(0x90 - 16 * r + (heart ? 0 : i % 3));
        d.puPresets[i][1] = static_cast<uint8_t>((heart ? 0xAE : 0xAD) - 16 * r);
    }
    for (rb::Obj &o : d.stages[0].areas[1].sections[1].objects)
        o[4] = static_cast<uint8_t>(0xAE - 16 * r);
    return d;
}

// The point `at` of the window's client area, as the pointer helpers take it.
QWidget *client(Program &p)
{
    return p.w->centralWidget();
}

// Every byte of the ROM file is as before but those in [from, to).
void onlyChangedWithin(const Bytes &before, const Bytes &after, long long from, long long to)
{
    QCOMPARE(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        const long long pos = static_cast<long long>(i) + 1;
        if (after[i] != before[i] && (pos < from || pos >= to))
            QFAIL(qPrintable(QString("byte at position %1 changed").arg(pos)));
    }
}

// Whether one of the `count` 7-byte records of the list at `pos` in the ROM file is `rec`.
bool fileListHolds(const Program &p, long long pos, int count, const Bytes &rec)
{
    const Bytes file = p.romBytes();
    for (int i = 0; i < count; ++i) {
        const auto at = file.begin() + (pos - 1 + 7 * i);
        if (std::equal(rec.begin(), rec.end(), at))
            return true;
    }
    return false;
}

PowerUpPanel *pu(const Program &p)
{
    return named<PowerUpPanel>(p.w.get(), "PowerUpPanel");
}

int visibleMarkers(const Program &p, int from, int to)
{
    int n = 0;
    for (int k = from; k <= to; ++k)
        n += named<ctl::ImageBox>(p.w.get(), "PosPu", k)->isHidden() ? 0 : 1;
    return n;
}

} // namespace

class tst_objects : public QObject
{
    Q_OBJECT
private slots:
    void horizontalProposalsArePlacedIntoColumnPairs()
    {
        RealBoxes boxes;
        Program p(realCodes());
        const Bytes before = p.romBytes();
        named<QRadioButton>(p.w.get(), "optPu")->click();
        QCOMPARE(pu(p)->selectedPowerUp(), 8);
        QCOMPARE(named<QLineEdit>(p.w.get(), "txtOffset")->text(), QString("Small Heart"));
        QCOMPARE(named<QLabel>(p.w.get(), "lblProposal")->text(), QString("1/2"));
        QCOMPARE(named<ctl::ScrollBar>(p.w.get(), "puScroll")->maximum(), 1);
        QVERIFY(named<ctl::ScrollBar>(p.w.get(), "puScroll")->isEnabled());
        QCOMPARE(pu(p)->proposal(0), 10);
        QCOMPARE(pu(p)->proposal(19), 29);
        // Pairs 0 and 3 of the first screen hold a holder; 1 and 2 show the 16 proposals.
        QVERIFY(!named<ctl::ImageBox>(p.w.get(), "powerUp", 0)->isHidden());
        QVERIFY(named<ctl::ImageBox>(p.w.get(), "powerUp", 1)->isHidden());
        QCOMPARE(visibleMarkers(p, 0, 15), 0);
        QCOMPARE(visibleMarkers(p, 16, 31), 16);
        QCOMPARE(visibleMarkers(p, 32, 47), 16);
        QCOMPARE(visibleMarkers(p, 48, 63), 0);
        QCOMPARE(named<ctl::ImageBox>(p.w.get(), "PosPu", 16)->Tag, QString("&H0A"));
        QVERIFY(qAbs((named<ctl::ImageBox>(p.w.get(), "PosPu", 32)->x()
                         - named<ctl::ImageBox>(p.w.get(), "PosPu", 16)->x())
                        * 15
                    - 1910)
            <= 15);
        QVERIFY(!p.doc->modified(0, 0));

        // The second page, and back with the "-" key.
        QTest::keyClick(p.w.get(), '+');
        QCOMPARE(named<QLabel>(p.w.get(), "lblProposal")->text(), QString("2/2"));
        QCOMPARE(visibleMarkers(p, 16, 31), 4);
        QTest::keyClick(p.w.get(), '+');
        QCOMPARE(named<ctl::ScrollBar>(p.w.get(), "puScroll")->value(), 1);
        QTest::keyClick(p.w.get(), '-');
        QCOMPARE(named<QLabel>(p.w.get(), "lblProposal")->text(), QString("1/2"));

        // A left press on a proposal of pair 1 writes its preset into the holder byte.
        QVERIFY(!p.doc->modified(0, 0)); // paging is no edit
        pointer::click(named<ctl::ImageBox>(p.w.get(), "PosPu", 17));
        QCOMPARE(uint8_t(p.t->puStr[0][0][3]), uint8_t(11));
        QVERIFY(!named<ctl::ImageBox>(p.w.get(), "powerUp", 1)->isHidden());
        QCOMPARE(named<ctl::ImageBox>(p.w.get(), "powerUp", 1)->Tag, QString("&H0B"));
        QCOMPARE(visibleMarkers(p, 16, 31), 0);
        QVERIFY(p.doc->modified(0, 0));
        pointer::move(named<ctl::ImageBox>(p.w.get(), "powerUp", 1));
        QCOMPARE(named<QLineEdit>(p.w.get(), "txtOffset")->text(), QString("Candles"));
        QCOMPARE(named<QLineEdit>(p.w.get(), "txtVal")->text(), QString("0B"));
        named<QPushButton>(p.w.get(), "cmdSave")->click();
        const long long at = p.t->enemyPos[0][0] + 2 + 3;
        QCOMPARE(rb::at(p.romBytes(), at), uint8_t(11));
        onlyChangedWithin(before, p.romBytes(), at, at + 1);

        // The left button on the item empties the pair again.
        pointer::click(named<ctl::ImageBox>(p.w.get(), "powerUp", 1));
        QCOMPARE(uint8_t(p.t->puStr[0][0][3]), uint8_t(0));
        QVERIFY(named<ctl::ImageBox>(p.w.get(), "powerUp", 1)->isHidden());
        QCOMPARE(visibleMarkers(p, 16, 31), 16);
        // A middle press changes nothing.
        pointer::click(
            named<ctl::ImageBox>(p.w.get(), "powerUp", 0), QPoint(-1, -1), Qt::MiddleButton);
        QVERIFY(!named<ctl::ImageBox>(p.w.get(), "powerUp", 0)->isHidden());
        QCOMPARE(boxes.count(), 0);
    }

    void scrollingKeepsTheProposalsOfThePage()
    {
        RealBoxes boxes;
        Program p(realCodes());
        named<QRadioButton>(p.w.get(), "optPu")->click();
        const QRect where = named<ctl::ImageBox>(p.w.get(), "PosPu", 16)->geometry();
        auto *across = named<ctl::ScrollBar>(p.w.get(), "scrscroll");
        across->setValue(8); // the second screen: the same pairs are empty or not
        QCOMPARE(named<ctl::ImageBox>(p.w.get(), "PosPu", 16)->geometry(), where);
        QCOMPARE(named<QLabel>(p.w.get(), "lblProposal")->text(), QString("1/2"));
        // A power-up no preset of the kind holds: no proposal.
        pointer::press(named<ctl::ImageBox>(p.w.get(), "imgPu", 0));
        pointer::release(named<ctl::ImageBox>(p.w.get(), "imgPu", 0));
        QCOMPARE(named<QLabel>(p.w.get(), "lblProposal")->text(), QString("0/0"));
        QVERIFY(!named<ctl::ScrollBar>(p.w.get(), "puScroll")->isEnabled());
        QCOMPARE(visibleMarkers(p, 0, 63), 0);
        QCOMPARE(named<QLineEdit>(p.w.get(), "txtOffset")->text(), QString("Boomerang"));
        QCOMPARE(boxes.count(), 0);
    }

    void enemyKindListsTheEnemyPresets()
    {
        RealBoxes boxes;
        Program p(realCodes());
        named<QRadioButton>(p.w.get(), "optPu")->click();
        pointer::click(named<ctl::ImageBox>(p.w.get(), "imgCandle", 3));
        QCOMPARE(pu(p)->currentKind(), 3);
        QVERIFY(!named<EnemyList>(p.w.get(), "lstEnemy")->isHidden());
        QVERIFY(named<ctl::ImageBox>(p.w.get(), "imgPu", 0)->isHidden());
        QCOMPARE(named<EnemyList>(p.w.get(), "lstEnemy")->currentRow(), 0);
        QCOMPARE(pu(p)->selectedEnemyId(), 16);
        QCOMPARE(named<QLineEdit>(p.w.get(), "txtOffset")->text(), QString("Enemy 10"));
        // Enemy 16 is preset 0, 15, 30, ... of 228: 16 matches, preset 0 never shown.
        QCOMPARE(named<QLabel>(p.w.get(), "lblProposal")->text(), QString("1/1"));
        QCOMPARE(pu(p)->proposal(1), 15);
        QVERIFY(!named<ctl::ImageBox>(p.w.get(), "powerUp", 0)->isHidden()
            || !named<ctl::ImageBox>(p.w.get(), "powerUp", 1)->isHidden());
        // Picking a proposal writes the enemy byte of the pair.
        int k = -1;
        for (int i = 0; i < 64 && k < 0; ++i)
            if (!named<ctl::ImageBox>(p.w.get(), "PosPu", i)->isHidden())
                k = i;
        QVERIFY(k >= 0);
        const int pair = k / 16;
        pointer::click(named<ctl::ImageBox>(p.w.get(), "PosPu", k));
        QCOMPARE(uint8_t(p.t->puStr[0][0][static_cast<size_t>(2 * pair)]), pu(p)->proposal(k % 16));
        QCOMPARE(named<ModeLabel>(p.w.get(), "lblEn", pair)->text(), QString("10"));
        QCOMPARE(boxes.count(), 0);
    }

    // In both releases: an enemy slot retyped to a holder holds the release's Small Heart.
    void objectListSlotsAreSelectedRetypedAndDragged_data() { tour::releaseRows(); }
    void objectListSlotsAreSelectedRetypedAndDragged()
    {
        QFETCH(int, release);
        const int r = release;
        RealBoxes boxes;
        Program p(realCodes(release ? rb::Rel::JP : rb::Rel::US));
        // Vertical, two screens, open at the bottom.
        named<ctl::ComboBox>(p.w.get(), "Combo2")->setCurrentIndex(2);
        named<QRadioButton>(p.w.get(), "optPu")->click();
        QVERIFY(!p.doc->modified(0, 2));
        QCOMPARE(pu(p)->selectedSlot(), 0);
        auto &recs = p.t->enemyTbl[0][2];
        int enemy = -1;
        int holder = -1;
        for (int s = 0; s <= p.t->objLen[0][2]; ++s) {
            if (named<ctl::ImageBox>(p.w.get(), "PosPu", s)->isHidden())
                continue;
            if (recs[static_cast<size_t>(s)][3] < 0x80)
                enemy = s;
            else
                holder = s;
        }
        QVERIFY(enemy >= 0 && holder >= 0);
        QCOMPARE(named<ModeLabel>(p.w.get(), "lblEn", enemy)->text(), QString("10"));

        // A press selects without marking; the drag moves the record with the marker, and the
        // release ends it.
        ctl::ImageBox *m = named<ctl::ImageBox>(p.w.get(), "PosPu", holder);
        pointer::press(m, QPoint(0, 0));
        QCOMPARE(pu(p)->selectedSlot(), holder);
        QVERIFY(!p.doc->modified(0, 2));
        QVERIFY(p.w->markerDragging());
        QVERIFY(!named<SelFrame>(p.w.get(), "rectSelSt")->isHidden());
        QVERIFY(named<SelFrame>(p.w.get(), "rectSelSt")->opaque());
        const QPoint to(24 + 64 * 2 + 8, 24 + 64 * 1 + 8); // twips 2400, 1440 + 120
        pointer::move(client(p), to);
        QVERIFY(p.doc->modified(0, 2));
        const objRec moved = recs[static_cast<size_t>(holder)];
        pointer::release(client(p), to);
        QVERIFY(!p.w->markerDragging());
        QCOMPARE(recs[static_cast<size_t>(holder)], moved);
        // The layout from the record puts the marker where the drag left it.
        QCOMPARE(m->x(), to.x());

        // Retyping an enemy slot into a Lantern holder with a Small Heart.
        pointer::click(named<ctl::ImageBox>(p.w.get(), "PosPu", enemy));
        QCOMPARE(pu(p)->selectedSlot(), enemy);
        QVERIFY(!p.w->markerDragging());
        recs[static_cast<size_t>(enemy)][5] = 7;
        pointer::click(named<ctl::ImageBox>(p.w.get(), "imgCandle", 2));
        QCOMPARE(recs[static_cast<size_t>(enemy)][3], uint8_t(0x92 - 16 * r));
        QCOMPARE(recs[static_cast<size_t>(enemy)][4], uint8_t(0xAE - 16 * r));
        QCOMPARE(recs[static_cast<size_t>(enemy)][5], uint8_t(0));
        // Saved so: the file's list holds the slot as a Lantern with the release's Small Heart.
        pointer::click(named<QPushButton>(p.w.get(), "cmdSave"));
        const objRec &held = recs[static_cast<size_t>(enemy)];
        const Bytes saved { held[2], held[1], uint8_t(0x92 - 16 * r), held[0],
            uint8_t(0xAE - 16 * r), 0, 0 };
        QVERIFY(fileListHolds(p, p.t->enemyPos[0][2], p.t->objLen[0][2] + 1, saved));
        QVERIFY(named<ctl::ImageBox>(p.w.get(), "imgPu", 0)->isHidden() == false);

        // Back to an enemy: the list picks enemy 1, then the Fuzz Buster.
        pointer::click(named<ctl::ImageBox>(p.w.get(), "imgCandle", 3));
        QCOMPARE(recs[static_cast<size_t>(enemy)][3], uint8_t(1));
        QCOMPARE(pu(p)->selectedEnemyId(), 1);
        for (int row = 0; row < named<EnemyList>(p.w.get(), "lstEnemy")->count(); ++row)
            if (named<EnemyList>(p.w.get(), "lstEnemy")->idOfRow(row) == 69) {
                QListWidgetItem *item = named<EnemyList>(p.w.get(), "lstEnemy")->item(row);
                named<EnemyList>(p.w.get(), "lstEnemy")->scrollToItem(item);
                pointer::click(named<EnemyList>(p.w.get(), "lstEnemy")->viewport(),
                    named<EnemyList>(p.w.get(), "lstEnemy")->visualItemRect(item).center());
            }
        QCOMPARE(recs[static_cast<size_t>(enemy)][3], uint8_t(69));
        QCOMPARE(recs[static_cast<size_t>(enemy)][6], uint8_t(4));
        // Selecting it again shows its flag byte and keeps it.
        named<QCheckBox>(p.w.get(), "chkInverse")->setChecked(true);
        recs[static_cast<size_t>(enemy)][6] = 4;
        pointer::click(named<ctl::ImageBox>(p.w.get(), "PosPu", enemy));
        QCOMPARE(recs[static_cast<size_t>(enemy)][6], uint8_t(4));
        QVERIFY(!named<QCheckBox>(p.w.get(), "chkInverse")->isChecked());
        QVERIFY(named<QCheckBox>(p.w.get(), "chkInverse")->isHidden());
        QCOMPARE(boxes.count(), 0);
    }

    void objectDroppedOnTheVerticalBarMovesToItsScreen()
    {
        RealBoxes boxes;
        Program p(realCodes());
        named<ctl::ComboBox>(p.w.get(), "Combo2")->setCurrentIndex(2);
        named<QRadioButton>(p.w.get(), "optPu")->click();
        const Bytes before = p.romBytes();
        int slot = -1;
        for (int s = 0; s <= p.t->objLen[0][2] && slot < 0; ++s)
            if (!named<ctl::ImageBox>(p.w.get(), "PosPu", s)->isHidden())
                slot = s;
        ctl::ImageBox *m = named<ctl::ImageBox>(p.w.get(), "PosPu", slot);
        pointer::press(m);
        const QPoint top(5, 30); // the upper half of the bar: screen 0
        auto *down = named<ctl::ScrollBar>(p.w.get(), "scrvscroll");
        pointer::move(down, top);
        QVERIFY(!named<QLabel>(p.w.get(), "lbjump")->isHidden());
        QCOMPARE(named<QLabel>(p.w.get(), "lbjump")->text(), QString("0"));
        pointer::release(down, top);
        QVERIFY(!p.w->markerDragging());
        const objRec &r = p.t->enemyTbl[0][2][static_cast<size_t>(slot)];
        QCOMPARE(r[2], uint8_t(0));
        QCOMPARE(r[1], uint8_t(0x80));
        QCOMPARE(r[0], uint8_t(0x80));
        QVERIFY(p.doc->modified(0, 2));
        pointer::click(named<QPushButton>(p.w.get(), "cmdSave"));
        const long long from = p.t->enemyPos[0][2];
        onlyChangedWithin(before, p.romBytes(), from, from + 7 * (p.t->objLen[0][2] + 1));
        QCOMPARE(boxes.count(), 0);
    }

    void rightPressesOpenThePresetWindows()
    {
        RealBoxes boxes;
        Program p(realCodes());
        named<QRadioButton>(p.w.get(), "optPu")->click();
        QStringList opened;
        startup::onModal([&](QDialog *d) {
            opened << d->windowTitle();
            d->reject();
            return true;
        });
        // The axe: the proposals stay those of the Small Heart.
        pointer::click(
            named<ctl::ImageBox>(p.w.get(), "imgPu", 3), QPoint(-1, -1), Qt::RightButton);
        pointer::click(
            named<ctl::ImageBox>(p.w.get(), "PosPu", 16), QPoint(-1, -1), Qt::RightButton);
        pointer::click(
            named<ctl::ImageBox>(p.w.get(), "powerUp", 0), QPoint(-1, -1), Qt::RightButton);
        startup::stopWatching();
        QCOMPARE(opened.size(), 3);
        QCOMPARE(pu(p)->selectedPowerUp(), 8);
        QCOMPARE(named<QLabel>(p.w.get(), "lblProposal")->text(), QString("1/2"));
        QVERIFY(!p.doc->modified(0, 0));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void miscellaneousModeListsTheTypesOfTheSection()
    {
        RealBoxes boxes;
        Program p(realCodes());
        named<QRadioButton>(p.w.get(), "optSt")->click();
        QCOMPARE(named<ctl::ComboBox>(p.w.get(), "cmbSt")->count(),
            15); // three screens: with "Scrolling Ledges"
        QCOMPARE(named<ctl::ComboBox>(p.w.get(), "cmbSt")->currentIndex(), -1);
        QVERIFY(!named<ctl::ComboBox>(p.w.get(), "cmbSt")->isEnabled());
        QVERIFY(!named<ctl::ScrollBar>(p.w.get(), "scrSt", 0)->isEnabled());
        QVERIFY(named<ctl::ImageBox>(p.w.get(), "imgPu", 0)->isHidden());
        named<ctl::ComboBox>(p.w.get(), "Combo2")->setCurrentIndex(1); // one screen
        QCOMPARE(named<ctl::ComboBox>(p.w.get(), "cmbSt")->count(), 14);
        named<ctl::ComboBox>(p.w.get(), "Combo2")->setCurrentIndex(2); // vertical
        QCOMPARE(named<ctl::ComboBox>(p.w.get(), "cmbSt")->count(), 6);
        QCOMPARE(named<ctl::ComboBox>(p.w.get(), "cmbSt")->itemText(2), QString("Moving Spikes"));
        QVERIFY(!p.doc->modified(0, 2));
        QCOMPARE(boxes.count(), 0);
    }

    void specialObjectsAreSelectedRetypedAndEdited()
    {
        RealBoxes boxes;
        Program p(realCodes());
        named<QRadioButton>(p.w.get(), "optSt")->click();
        specialRec &rec = p.t->specialTbl[0][0][0];
        const specialRec loaded = rec;
        QCOMPARE(rec[3], uint8_t(2)); // a trap door on screen 0
        QVERIFY(!named<ctl::ImageBox>(p.w.get(), "PosPu", 31)->isHidden());
        QCOMPARE(named<ctl::ImageBox>(p.w.get(), "PosPu", 31)->Tag, QString("00"));
        pointer::click(named<ctl::ImageBox>(p.w.get(), "PosPu", 31));
        QCOMPARE(named<MiscPanel>(p.w.get(), "MiscPanel")->selectedObject(), 0);
        QCOMPARE(
            named<ctl::ComboBox>(p.w.get(), "cmbSt")->currentText(), QString("Trap Door [s2:12]"));
        QVERIFY(named<ctl::ComboBox>(p.w.get(), "cmbSt")->isEnabled());
        QVERIFY(!named<ctl::ScrollBar>(p.w.get(), "scrSt", 0)->isEnabled());
        QCOMPARE(named<ctl::ScrollBar>(p.w.get(), "scrSt", 2)->maximum(), 16);
        QCOMPARE(named<ctl::ScrollBar>(p.w.get(), "scrSt", 2)->value(), 0);
        // Selecting shows the record: no sample is copied over it, nothing is marked.
        QCOMPARE(rec, loaded);
        QVERIFY(!p.doc->modified(0, 0));
        QCOMPARE(named<QLabel>(p.w.get(), "lblSt", 6)->text(), QString("Screen 0   (00)"));
        QVERIFY(!named<SelFrame>(p.w.get(), "rectSelSt")->isHidden());
        QVERIFY(!p.w->markerDragging()); // trap doors are not dragged

        // Retyping to moving spikes rebuilds the record and selects it again.
        pointer::choose(named<ctl::ComboBox>(p.w.get(), "cmbSt"), 5);
        QCOMPARE(rec[3], uint8_t(6));
        QCOMPARE(rec[4], uint8_t(0));
        QCOMPARE(rec[2], uint8_t(0x10));
        QVERIFY(p.doc->modified(0, 0));
        QCOMPARE(named<QLabel>(p.w.get(), "noteSt")->text(), QString("Drag and drop enabled."));
        QCOMPARE(named<ctl::ScrollBar>(p.w.get(), "scrSt", 2)->maximum(), 3);
        QCOMPARE(named<QLabel>(p.w.get(), "lblSt", 3)->text(), QString("Range"));
        QVERIFY(!p.w->markerDragging());
        // The "+" key steps the main property.
        QTest::keyClick(p.w.get(), '+');
        QCOMPARE(named<ctl::ScrollBar>(p.w.get(), "scrSt", 2)->value(), 1);
        QCOMPARE(rec[6], uint8_t(3));
        QCOMPARE(named<QLabel>(p.w.get(), "lblSt", 6)->text(), QString("[x, 40] - [x, 88]   (01)"));

        // A crumbling bridge warns before it is replaced; No keeps it.
        rec = { 0, 0x40, 0, 0, 0x80, 0, 0, 0 };
        pointer::click(named<ctl::ImageBox>(p.w.get(), "PosPu", 31));
        QCOMPARE(
            named<ctl::ComboBox>(p.w.get(), "cmbSt")->itemText(0), QString("Crumbling Bridge"));
        QCOMPARE(named<ctl::ScrollBar>(p.w.get(), "scrSt", 2)->value(), 5);
        boxes.click(QMessageBox::No);
        pointer::choose(named<ctl::ComboBox>(p.w.get(), "cmbSt"), 1);
        QCOMPARE(boxes.last().title, QString("Crumbling Bridge"));
        QCOMPARE(rec[3], uint8_t(0));
        QCOMPARE(named<ctl::ComboBox>(p.w.get(), "cmbSt")->currentIndex(), 0);
        QCOMPARE(
            named<ctl::ComboBox>(p.w.get(), "cmbSt")->itemText(0), QString("Crumbling Bridge"));
        QCOMPARE(boxes.count(), 1);
        boxes.click(QMessageBox::Yes);
        pointer::choose(named<ctl::ComboBox>(p.w.get(), "cmbSt"), 1);
        QCOMPARE(rec[3], uint8_t(16));
        QVERIFY(!named<QCheckBox>(p.w.get(), "chkBlock")->isHidden());
        QCOMPARE(
            named<QCheckBox>(p.w.get(), "chkBlock")->text(), QString("Block on top is breakable"));
        QVERIFY(named<QCheckBox>(p.w.get(), "chkBlock")->isChecked());
        pointer::click(named<QCheckBox>(p.w.get(), "chkBlock"));
        QCOMPARE(rec[6], uint8_t(0));
        QCOMPARE(rec[4] & 15, 8);
        QCOMPARE(boxes.count(), 2);
    }

    void staircasesTurnAndDoorsMoveUpAndDown()
    {
        RealBoxes boxes;
        Program p(realCodes());
        named<QRadioButton>(p.w.get(), "optSt")->click();
        stairRec &st = p.t->stairTbl[0][0][0];
        const stairRec before = st;
        QVERIFY(!named<ctl::ImageBox>(p.w.get(), "PosPu", 0)->isHidden());
        const int top = named<ctl::ImageBox>(p.w.get(), "PosPu", 0)->y();
        pointer::click(
            named<ctl::ImageBox>(p.w.get(), "PosPu", 0), QPoint(-1, -1), Qt::RightButton);
        QCOMPARE(st[3], uint8_t((before[3] + 4) % 16));
        QVERIFY(p.doc->modified(0, 0));
        for (int i = 0; i < 3; ++i)
            pointer::click(
                named<ctl::ImageBox>(p.w.get(), "PosPu", 0), QPoint(-1, -1), Qt::RightButton);
        QCOMPARE(st, before);
        QCOMPARE(named<ctl::ImageBox>(p.w.get(), "PosPu", 0)->y(), top);
        QVERIFY(!p.w->markerDragging());
        // A left press picks it and begins a drag; the release ends it where it began.
        pointer::press(named<ctl::ImageBox>(p.w.get(), "PosPu", 0), QPoint(5, 5));
        QCOMPARE(named<ctl::ComboBox>(p.w.get(), "cmbSt")->currentText(), QString("Staircase"));
        QVERIFY(p.w->markerDragging());
        // The marker keeps the point it was pressed at under the pointer.
        pointer::move(named<ctl::ImageBox>(p.w.get(), "PosPu", 0), QPoint(5, 5));
        QCOMPARE(st, before);
        pointer::release(named<ctl::ImageBox>(p.w.get(), "PosPu", 0), QPoint(5, 5));
        QVERIFY(!p.w->markerDragging());
        QCOMPARE(st, before);

        // The doors stand at the right end of the section.
        auto *across = named<ctl::ScrollBar>(p.w.get(), "scrscroll");
        across->setValue(across->maximum());
        ctl::ImageBox *door = named<ctl::ImageBox>(p.w.get(), "PosPu", 62);
        QVERIFY(!door->isHidden());
        const int left = door->x();
        pointer::press(door, QPoint(0, 0));
        QCOMPARE(named<ctl::ComboBox>(p.w.get(), "cmbSt")->currentText(), QString("First Door"));
        const QPoint to(door->x() + 8, 24 + 64 + 8);
        pointer::move(client(p), to);
        pointer::release(client(p), to);
        QVERIFY(!p.w->markerDragging());
        QCOMPARE(door->x(), left);
        QCOMPARE(door->y(), 24 + 64);
        QCOMPARE(p.t->door1[0][0], uint8_t(64 + 32)); // 960 twips below the view's top
        QCOMPARE(boxes.count(), 0);
    }

    void markersDroppedOnTheHorizontalBarChangeScreen()
    {
        RealBoxes boxes;
        Program p(realCodes());
        const Bytes before = p.romBytes();
        named<QRadioButton>(p.w.get(), "optSt")->click();
        ctl::ImageBox *m = named<ctl::ImageBox>(p.w.get(), "PosPu", 0);
        pointer::press(m);
        auto *across = named<ctl::ScrollBar>(p.w.get(), "scrscroll");
        const QPoint end(across->width() - 21, 5); // the last of three screens
        pointer::move(across, end);
        QCOMPARE(named<QLabel>(p.w.get(), "lbjump")->text(), QString("2"));
        pointer::release(across, end);
        QVERIFY(!p.w->markerDragging());
        QCOMPARE(p.t->stairTbl[0][0][0][2], uint8_t(2));
        QCOMPARE(p.t->stairTbl[0][0][0][1], uint8_t(7));
        QCOMPARE(p.t->stairTbl[0][0][0][0], uint8_t(0x80));
        QVERIFY(m->isHidden()); // screen 2 lies off the view
        pointer::click(named<QPushButton>(p.w.get(), "cmdSave"));
        const long long from = p.t->stairPos[0][0];
        onlyChangedWithin(before, p.romBytes(), from, from + 3);
        QCOMPARE(boxes.count(), 0);
    }
};

QTEST_MAIN(tst_objects)
#include "tst_objects.moc"
