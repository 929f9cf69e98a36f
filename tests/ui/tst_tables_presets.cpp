// The two byte value preset windows, driven as a person drives them: looking at every page
// changes nothing, bytes the lists cannot show are shown as they are and kept, one pick writes
// only its byte (once, where presets share their bytes), and a window that could not read the
// ROM saves nothing.
#include "objects/PanelControls.h"
#include "rom/Numbers.h"
#include "support/RomDiff.h"
#include "tables/Presets.h"
#include "tables/frmEnPresets.h"
#include "tables/frmPuPresets.h"
#include "ui/Controls.h"
#include "ui/support/Named.h"
#include "ui/support/RealBoxes.h"
#include "ui/support/SideWindows.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cstdio>

namespace {

rb::RomDesc shape(int release, bool odd)
{
    const rb::RomDesc d = rb::gameShape(release ? rb::Rel::JP : rb::Rel::US);
    return odd ? rb::oddPresets(d) : d;
}

void addReleases()
{
    QTest::addColumn<int>("release");
    QTest::newRow("US") << 0;
    QTest::newRow("Japanese") << 1;
}

// "Power-Up Byte Values", opened as a person opens it: the Power-Ups mode and the candles,
// then a right press on a power-up.
void openPu(Program &p, std::function<void(frmPuPresets *)> act)
{
    pointer::click(named<QRadioButton>(p.w.get(), "optPu"));
    pointer::click(named<ctl::ImageBox>(p.w.get(), "imgCandle", 0));
    side::openByRightPress<frmPuPresets>(named<ctl::ImageBox>(p.w.get(), "imgPu", 0), act);
}

// "Enemy Byte Values": the enemy holder kind, then a right press on the enemy list.
void openEn(Program &p, std::function<void(frmEnPresets *)> act)
{
    pointer::click(named<QRadioButton>(p.w.get(), "optPu"));
    pointer::click(named<ctl::ImageBox>(p.w.get(), "imgCandle", 3));
    side::openByRightPress<frmEnPresets>(named<EnemyList>(p.w.get(), "lstEnemy")->viewport(), act);
}

QString hex(int v)
{
    return QString::fromStdString(num::hex2(v));
}

// Page `page` of the window, reached with the page bar's arrows.
void toPage(PresetWindow *w, int page)
{
    while (w->scroll->value() != page) {
        const int was = w->scroll->value();
        side::arrow(w->scroll, page < was);
        QVERIFY(w->scroll->value() != was);
    }
}

// Every page once: the thumb dragged from the first page to the last, which shows only when
// the thumb is let go, then back one arrow click at a time.
void pageThroughEverything(PresetWindow *w)
{
    QScrollBar *bar = w->scroll;
    toPage(w, 0);
    const QPoint from = side::thumb(bar).center();
    const QPoint to(from.x(), bar->height() - 2 - side::thumb(bar).height() / 2);
    pointer::press(bar, from);
    for (int k = 1; k <= 8; ++k)
        pointer::move(bar, from + (to - from) * k / 8);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(w->lbl[0]->text(), QString("00"));
    pointer::release(bar, to);
    QCOMPARE(bar->value(), bar->maximum());
    QCOMPARE(w->lbl[0]->text(), hex(16 * bar->maximum()));
    toPage(w, 0);
    // A list opened and closed without a pick.
    pointer::click(w->cmbTop[3]);
    QTRY_VERIFY_WITH_TIMEOUT(w->cmbTop[3]->view()->isVisible(), 2000);
    QTest::keyClick(w->cmbTop[3]->view(), Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(!w->cmbTop[3]->view()->isVisible(), 2000);
}

QStringList rowTexts(const frmPuPresets *w, int i)
{
    const size_t n = static_cast<size_t>(i);
    return { w->cmbType[n]->currentText(), w->cmbLeft[n]->currentText(),
        w->cmbTop[n]->currentText(), w->cmbContent[n]->currentText() };
}

QStringList rowTexts(const frmEnPresets *w, int i)
{
    const size_t n = static_cast<size_t>(i);
    return { w->cmbType[n]->currentText(), w->cmbLeft[n]->currentText(),
        w->cmbTop[n]->currentText() };
}

// Which lists of row i can be used, in the order type, Left, Top (and content).
QList<bool> rowEnabled(const PresetWindow *w, int i, QComboBox *content = nullptr)
{
    const size_t n = static_cast<size_t>(i);
    QList<bool> on { w->cmbType[n]->isEnabled(), w->cmbLeft[n]->isEnabled(),
        w->cmbTop[n]->isEnabled() };
    if (content)
        on << content->isEnabled();
    return on;
}

std::vector<long long> sorted(std::vector<long long> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

// Picks the entry with this text in the list, with the pointer.
void pickText(QComboBox *box, const QString &text)
{
    const int k = box->findText(text);
    QVERIFY2(k >= 0, qPrintable(text));
    side::pick(box, k);
}

} // namespace

class tst_tables_presets : public QObject
{
    Q_OBJECT

private slots:
    void lookingAndSavingChangesNothing_data() { side::addRoms("odd presets"); }
    void lookingAndSavingChangesNothing()
    {
        QFETCH(int, release);
        QFETCH(bool, odd);
        RealBoxes boxes;
        Program p(shape(release, odd));
        const Bytes before = p.romBytes();
        const auto pu = p.g->puPresets;
        const auto en = p.g->enPresets;
        openPu(p, [&](frmPuPresets *w) {
            pageThroughEverything(w);
            QCOMPARE(w->scroll->maximum(), 15);
            pointer::click(w->cmdOK);
            QCOMPARE(w->result(), int(QDialog::Accepted));
        });
        openEn(p, [&](frmEnPresets *w) {
            pageThroughEverything(w);
            QCOMPARE(w->scroll->maximum(), release ? 13 : 14);
            pointer::click(w->cmdOK);
            QCOMPARE(w->result(), int(QDialog::Accepted));
        });
        QCOMPARE(changedPositions(before, p.romBytes()), std::vector<long long> {});
        QVERIFY(p.g->puPresets == pu);
        QVERIFY(p.g->enPresets == en);
        QCOMPARE(boxes.texts(), QStringList());
    }

    void powerUpBytesShowAsTheyAre()
    {
        RealBoxes boxes;
        Program p(rb::oddPresets(rb::gameShape(rb::Rel::US)));
        const Bytes before = p.romBytes();
        openPu(p, [&](frmPuPresets *w) {
            toPage(w, 1);
            const auto content = [w](int i) { return w->cmbContent[static_cast<size_t>(i)]; };
            QCOMPARE(rowTexts(w, 0), QStringList({ "Unknown (55)", "10", "18", "Small Heart" }));
            QCOMPARE(rowTexts(w, 1), QStringList({ "Candles", "10", "18", "Unknown (55)" }));
            // A holder of "Nothing" with a content in it: shown so, only the type usable.
            QCOMPARE(rowTexts(w, 2), QStringList({ "Nothing", "10", "18", "Big Heart" }));
            QCOMPARE(rowEnabled(w, 2, content(2)), QList<bool>({ true, false, false, false }));
            QCOMPARE(rowTexts(w, 3), QStringList({ "Candles", "3E", "A0", "Nothing" }));
            QCOMPARE(rowEnabled(w, 3, content(3)), QList<bool>({ true, true, true, true }));
            QCOMPARE(rowTexts(w, 4), QStringList({ "Candles", "07", "13", "Small Heart" }));
            QCOMPARE(rowTexts(w, 5), QStringList({ "Candles", "41", "-08", "Small Heart" }));
            QCOMPARE(rowTexts(w, 6), QStringList({ "Candles", "FF", "A4", "Small Heart" }));
            // Such a value has an item of its own among the others.
            QCOMPARE(w->cmbLeft[4]->count(), presets::puLeftItems + 1);
            QCOMPARE(w->cmbLeft[4]->itemText(4), QString("07"));
            QCOMPARE(w->cmbTop[5]->itemText(0), QString("-08"));
            QCOMPARE(w->cmbType[0]->count(), 5);
            // Preset 20 needs no item of its own.
            toPage(w, 2);
            QCOMPARE(w->cmbLeft[0]->count(), presets::puLeftItems);
            QCOMPARE(w->cmbType[0]->count(), 4);
            pointer::click(w->cmdOK);
        });
        QCOMPARE(changedPositions(before, p.romBytes()), std::vector<long long> {});
        QCOMPARE(boxes.texts(), QStringList());
    }

    void enemyBytesShowAsTheyAre()
    {
        RealBoxes boxes;
        Program p(rb::oddPresets(rb::gameShape(rb::Rel::JP)));
        const Bytes before = p.romBytes();
        openEn(p, [&](frmEnPresets *w) {
            toPage(w, 1);
            QCOMPARE(rowTexts(w, 0), QStringList({ "Unknown (7F)", "10", "40" }));
            QCOMPARE(rowEnabled(w, 0), QList<bool>({ true, true, true }));
            // Tops below 32 and from 224 up show through the mapping.
            QCOMPARE(w->cmbTop[1]->currentText(), QString("30"));
            QCOMPARE(w->cmbTop[2]->currentText(), QString("3F"));
            QCOMPARE(w->cmbTop[3]->currentText(), QString("C0"));
            QCOMPARE(w->cmbTop[4]->currentText(), QString("D0"));
            QCOMPARE(rowTexts(w, 5).mid(1), QStringList({ "05", "DB" }));
            QCOMPARE(rowTexts(w, 6).mid(1), QStringList({ "44", "21" }));
            QCOMPARE(rowTexts(w, 7).mid(1), QStringList({ "FF", "20" }));
            // No enemy: its Left and Top are kept and shown, not usable.
            QCOMPARE(rowTexts(w, 8), QStringList({ "None", "10", "40" }));
            QCOMPARE(rowEnabled(w, 8), QList<bool>({ true, false, false }));
            QCOMPARE(w->cmbType[9]->currentText(), QString("Unknown (C3)"));
            pointer::click(w->cmdOK);
        });
        QCOMPARE(changedPositions(before, p.romBytes()), std::vector<long long> {});
        QCOMPARE(boxes.texts(), QStringList());
    }

    void onePickWritesOnlyItsByte_data() { side::addRoms("odd presets"); }
    void onePickWritesOnlyItsByte()
    {
        QFETCH(int, release);
        QFETCH(bool, odd);
        RealBoxes boxes;
        Program p(shape(release, odd));
        const auto &pu = p.built.ledger.puRecords;
        const auto &en = p.built.ledger.enRecords;
        Bytes before = p.romBytes();
        openPu(p, [&](frmPuPresets *w) {
            toPage(w, 1);
            pickText(w->cmbLeft[4], "08");
            QCOMPARE(w->puWork[0x14][presets::puLeft], uint8_t(0x08));
            pageThroughEverything(w);
            pointer::click(w->cmdOK);
        });
        QCOMPARE(changedPositions(before, p.romBytes()), std::vector<long long> { pu[0x14] + 2 });
        QCOMPARE(rb::at(p.romBytes(), pu[0x14] + 2), uint8_t(0x08));
        QCOMPARE(p.g->puPresets[0x14][presets::puLeft], uint8_t(0x08));

        before = p.romBytes();
        int id = 0;
        openEn(p, [&](frmEnPresets *w) {
            toPage(w, 1);
            pickText(w->cmbTop[1], "34");
            const int k = w->cmbType[6]->currentIndex() == 3 ? 4 : 3;
            id = w->cmbType[6]->itemData(k).toInt();
            side::pick(w->cmbType[6], k);
            pageThroughEverything(w);
            pointer::click(w->cmdOK);
        });
        QCOMPARE(changedPositions(before, p.romBytes()), sorted({ en[0x16], en[0x11] + 2 }));
        QCOMPARE(rb::at(p.romBytes(), en[0x11] + 2), uint8_t(0x34));
        QCOMPARE(rb::at(p.romBytes(), en[0x16]), uint8_t(id));
        QCOMPARE(p.g->enPresets[0x11][presets::enTop], uint8_t(0x34));
        QCOMPARE(boxes.texts(), QStringList());
    }

    void anEnemyTopPickedBackIsKeptAsItWasRead()
    {
        RealBoxes boxes;
        Program p(rb::oddPresets(rb::gameShape(rb::Rel::US)));
        const Bytes before = p.romBytes();
        openEn(p, [&](frmEnPresets *w) {
            toPage(w, 1);
            pickText(w->cmbTop[3], "C4");
            pickText(w->cmbTop[3], "C0");
            // An own item picked away and back again.
            pickText(w->cmbLeft[5], "08");
            QCOMPARE(w->cmbLeft[5]->findText("05"), 2);
            pickText(w->cmbLeft[5], "05");
            pointer::click(w->cmdOK);
        });
        QCOMPARE(changedPositions(before, p.romBytes()), std::vector<long long> {});
        QCOMPARE(rb::at(p.romBytes(), p.built.ledger.enRecords[0x13] + 2), uint8_t(0xE0));
        QCOMPARE(boxes.texts(), QStringList());
    }

    void sharedPresetsStayInStep_data() { addReleases(); }
    void sharedPresetsStayInStep()
    {
        QFETCH(int, release);
        RealBoxes boxes;
        Program p(rb::oddPresets(rb::gameShape(release ? rb::Rel::JP : rb::Rel::US)));
        const auto &pu = p.built.ledger.puRecords;
        const auto &en = p.built.ledger.enRecords;
        QCOMPARE(en[0x31], en[0x30]);
        Bytes before = p.romBytes();
        openEn(p, [&](frmEnPresets *w) {
            toPage(w, 3);
            QCOMPARE(w->lblNote->text(),
                QString("Sharing their bytes (an edit to one is an edit to all): 30 = 31"));
            QVERIFY(w->lbl[1]->toolTip().contains("30 = 31"));
            QVERIFY(w->lbl[2]->toolTip().isEmpty());
            pickText(w->cmbLeft[0], "2C");
            QCOMPARE(w->cmbLeft[1]->currentText(), QString("2C"));
            pickText(w->cmbLeft[1], "28");
            QCOMPARE(w->cmbLeft[0]->currentText(), QString("28"));
            // Across pages: 17 and 50.
            toPage(w, 1);
            QVERIFY(w->lblNote->text().contains("17 = 50"));
            QVERIFY(w->lblNote->text().contains("00 = 1C"));
            pickText(w->cmbType[7], "None");
            toPage(w, 5);
            QCOMPARE(rowTexts(w, 0), QStringList({ "None", "00", "20" }));
            QCOMPARE(rowEnabled(w, 0), QList<bool>({ true, false, false }));
            pointer::click(w->cmdOK);
        });
        // 17's Top byte 00 already showed "20": it is kept as it was.
        QCOMPARE(changedPositions(before, p.romBytes()),
            sorted({ en[0x17], en[0x17] + 1, en[0x30] + 1 }));
        QCOMPARE(rb::at(p.romBytes(), en[0x30] + 1), uint8_t(0x28));
        QCOMPARE(RomImage(p.romBytes()).bytes(en[0x17], 3), (Bytes { 0, 0, 0 }));
        QCOMPARE(p.g->enPresets[0x31], p.g->enPresets[0x30]);
        QCOMPARE(p.g->enPresets[0x50], (enPresetRec { 0, 32, 0 }));

        before = p.romBytes();
        openPu(p, [&](frmPuPresets *w) {
            toPage(w, 3);
            // 35 shares the bytes of 12, a "Nothing" holder with a content.
            QCOMPARE(rowTexts(w, 5), QStringList({ "Nothing", "10", "18", "Big Heart" }));
            pickText(w->cmbType[5], "Lantern");
            QCOMPARE(rowTexts(w, 5), QStringList({ "Lantern", "10", "18", "Big Heart" }));
            toPage(w, 1);
            QCOMPARE(rowTexts(w, 2), QStringList({ "Lantern", "10", "18", "Big Heart" }));
            toPage(w, 2);
            pickText(w->cmbContent[0], "Axe");
            QCOMPARE(w->cmbContent[1]->currentText(), QString("Axe"));
            pointer::click(w->cmdOK);
        });
        const int holder = release ? 0x82 : 0x92, axe = release ? 0x83 : 0x93;
        QCOMPARE(changedPositions(before, p.romBytes()), sorted({ pu[0x12], pu[0x20] + 1 }));
        QCOMPARE(rb::at(p.romBytes(), pu[0x12]), uint8_t(holder));
        QCOMPARE(rb::at(p.romBytes(), pu[0x20] + 1), uint8_t(axe));
        QCOMPARE(p.g->puPresets[0x35], p.g->puPresets[0x12]);
        QCOMPARE(p.g->puPresets[0x21][presets::puContent], uint8_t(axe));
        QCOMPARE(boxes.texts(), QStringList());
    }

    void nothingAndNoneEmptyARow()
    {
        RealBoxes boxes;
        Program p(rb::oddPresets(rb::gameShape(rb::Rel::US)));
        const auto &pu = p.built.ledger.puRecords;
        const auto &en = p.built.ledger.enRecords;
        const Bytes before = p.romBytes();
        openPu(p, [&](frmPuPresets *w) {
            toPage(w, 1);
            pickText(w->cmbContent[8], "Nothing");
            QCOMPARE(rowTexts(w, 8), QStringList({ "Nothing", "00", "10", "Nothing" }));
            QCOMPARE(
                rowEnabled(w, 8, w->cmbContent[8]), QList<bool>({ true, false, false, false }));
            // A holder again: the content becomes "Small Heart", Left and Top stay.
            pickText(w->cmbType[11], "Lantern");
            QCOMPARE(rowTexts(w, 11), QStringList({ "Lantern", "00", "10", "Small Heart" }));
            QCOMPARE(rowEnabled(w, 11, w->cmbContent[11]), QList<bool>({ true, true, true, true }));
            pointer::click(w->cmdOK);
        });
        openEn(p, [&](frmEnPresets *w) {
            toPage(w, 1);
            pickText(w->cmbType[9], "None");
            QCOMPARE(rowTexts(w, 9), QStringList({ "None", "00", "20" }));
            QCOMPARE(rowEnabled(w, 9), QList<bool>({ true, false, false }));
            pickText(w->cmbType[9], w->cmbType[9]->itemText(2));
            QCOMPARE(rowEnabled(w, 9), QList<bool>({ true, true, true }));
            pointer::click(w->cmdOK);
        });
        const RomImage after(p.romBytes());
        QCOMPARE(after.bytes(pu[0x18], 4), (Bytes { 0, 0, 0, 0x38 }));
        QCOMPARE(after.bytes(pu[0x1B], 4), (Bytes { 0x92, 0xAE, 0, 0x38 }));
        QCOMPARE(after.bytes(en[0x19], 3), (Bytes { uint8_t(p.t->enemyList[2].id), 0, 0x20 }));
        QCOMPARE(changedPositions(before, after.data()),
            sorted({ pu[0x18], pu[0x18] + 1, pu[0x18] + 2, pu[0x18] + 3, pu[0x1B], pu[0x1B] + 1,
                en[0x19], en[0x19] + 1, en[0x19] + 2 }));
        QCOMPARE(boxes.texts(), QStringList());
    }

    void aWindowThatCouldNotReadSavesNothing()
    {
        RealBoxes boxes;
        Program p;
        // The pointer tables are gone: no record can be found.
        side::cutRom(p, 150000);
        const Bytes before = p.romBytes();
        const auto shared = p.g->puPresets;
        openPu(p, [&](frmPuPresets *w) {
            QCOMPARE(boxes.count(), 1);
            QVERIFY(boxes.last().text.contains("in subroutine 413."));
            QVERIFY(!w->cmdOK->isEnabled());
            QCOMPARE(w->lblNote->text(),
                QString("The ROM could not be read when the window opened, so Save is off."));
            // The window shows what the program read at start-up, and can still be looked at.
            QCOMPARE(w->puWork, shared);
            toPage(w, 2);
            pickText(w->cmbLeft[3], "20");
            pointer::click(w->cmdOK);
            QVERIFY(w->isVisible());
        });
        openEn(p, [&](frmEnPresets *w) {
            QVERIFY(boxes.last().text.contains("in subroutine 406."));
            QVERIFY(!w->cmdOK->isEnabled());
            pointer::click(w->cmdOK);
        });
        QCOMPARE(boxes.count(), 2);
        QCOMPARE(p.romBytes(), before);
        QVERIFY(p.g->puPresets == shared);

        // No ROM file at all.
        std::remove(p.rom.c_str());
        openPu(p, [&](frmPuPresets *w) {
            QVERIFY(!w->cmdOK->isEnabled());
            pointer::click(w->cmdOK);
        });
        QCOMPARE(boxes.count(), 3);
        QVERIFY(!romfile::fileExists(p.rom));
    }

    void aFailedWriteKeepsTheWindowAndTheTable()
    {
        RealBoxes boxes;
        Program p;
        const auto shared = p.g->enPresets;
        openEn(p, [&](frmEnPresets *w) {
            toPage(w, 2);
            pickText(w->cmbLeft[3], "3C");
            // The file goes away between opening and saving.
            std::remove(p.rom.c_str());
            pointer::click(w->cmdOK);
            QVERIFY(w->isVisible());
            QCOMPARE(w->cmbLeft[3]->currentText(), QString("3C"));
        });
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().text.contains("in subroutine 404."));
        QVERIFY(p.g->enPresets == shared);
    }

    void opensOnTheHandedOverPresetAndFocusesIt()
    {
        RealBoxes boxes;
        Program p;
        p.g->puVal = 0x25;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        frmPuPresets w(*p.g);
        QCOMPARE(w.windowTitle(), QString("Power-Up Byte Values"));
        QCOMPARE(w.scroll->value(), 2);
        QCOMPARE(p.g->puVal, 5);
        QCOMPARE(w.lbl[5]->text(), QString("25"));
        QVERIFY(!QApplication::overrideCursor());
        w.show();
        QTRY_COMPARE_WITH_TIMEOUT(w.focusWidget(), static_cast<QWidget *>(w.cmbContent[5]), 2000);
        QVERIFY(!w.time->isActive());

        p.g->puVal = 0x25;
        frmEnPresets e(*p.g);
        QCOMPARE(e.windowTitle(), QString("Enemy Byte Values"));
        QCOMPARE(e.scroll->value(), 2);
        QCOMPARE(e.cmbType[5]->count(), 74);
        QCOMPARE(e.labola[0]->text(), QString("Enemy"));
        e.show();
        QTRY_COMPARE_WITH_TIMEOUT(e.focusWidget(), static_cast<QWidget *>(e.cmbType[5]), 2000);
        QCOMPARE(boxes.texts(), QStringList());
    }

    void focusWaitsForAnEnabledRow()
    {
        RealBoxes boxes;
        Program p;
        side::poke(p, p.built.ledger.puRecords[0x31], { 0, 0, 0, 0x38 }); // a "Nothing" row
        p.g->puVal = 0x31;
        frmPuPresets w(*p.g);
        w.show();
        QTest::qWait(350);
        QVERIFY(w.time->isActive());
        QVERIFY(w.focusWidget() != w.cmbContent[1]);
        pickText(w.cmbType[1], "Lantern"); // enables the row
        QTRY_COMPARE_WITH_TIMEOUT(w.focusWidget(), static_cast<QWidget *>(w.cmbContent[1]), 2000);
        QVERIFY(!w.time->isActive());
        QCOMPARE(boxes.texts(), QStringList());
    }

    void lastPagesLockTheRowsPastTheTable_data() { addReleases(); }
    void lastPagesLockTheRowsPastTheTable()
    {
        QFETCH(int, release);
        RealBoxes boxes;
        Program p(release ? rb::Rel::JP : rb::Rel::US);
        p.g->puVal = 0xF1;
        frmPuPresets w(*p.g);
        QCOMPARE(w.scroll->value(), 15);
        const int last = release ? 4 : 14;
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(w.lbl[static_cast<size_t>(i)]->text(), hex(0xF0 + i));
            if (i < last)
                continue;
            QCOMPARE(rowTexts(&w, i), QStringList({ "Nothing", "00", "10", "Nothing" }));
            QCOMPARE(rowEnabled(&w, i, w.cmbContent[static_cast<size_t>(i)]),
                QList<bool>({ false, false, false, false }));
        }
        QVERIFY(w.cmbType[static_cast<size_t>(last - 1)]->isEnabled());
        side::arrow(w.scroll, true);
        QVERIFY(w.cmbType[static_cast<size_t>(last)]->isEnabled());
        // Preset 0 is shown, locked.
        toPage(&w, 0);
        QCOMPARE(rowEnabled(&w, 0, w.cmbContent[0]), QList<bool>({ false, false, false, false }));

        p.g->puVal = 0xD0;
        frmEnPresets e(*p.g);
        QCOMPARE(e.scroll->maximum(), release ? 13 : 14);
        QCOMPARE(e.labola[0]->text(), QString("Enemy (Second Quest)"));
        QCOMPARE(e.cmbType[15]->count(), release ? 73 : 74);
        toPage(&e, e.scroll->maximum());
        for (int i = 0; i < 16; ++i) {
            const bool past = !release && i >= 4;
            QCOMPARE(rowEnabled(&e, i)[0], !past);
            if (past)
                QCOMPARE(rowTexts(&e, i), QStringList({ "None", "00", "20" }));
        }
        // A preset number past the last page: reported, the rows stay empty.
        p.g->puVal = 0xF2;
        frmEnPresets e2(*p.g);
        QVERIFY(boxes.last().text.contains("in subroutine 406."));
        QCOMPARE(e2.lbl[0]->text(), QString());
        QCOMPARE(p.g->puVal, 2);
    }

    void revertAndCancelKeepTheFile()
    {
        RealBoxes boxes;
        Program p;
        const Bytes before = p.romBytes();
        const auto shared = p.g->puPresets;
        openPu(p, [&](frmPuPresets *w) {
            toPage(w, 9);
            const puPresetRec was = w->puWork[0x95];
            pickText(w->cmbLeft[5], w->cmbLeft[5]->currentText() == "06" ? "08" : "06");
            QVERIFY(w->puWork[0x95] != was);
            pointer::click(w->cmdRevert);
            QCOMPARE(w->scroll->value(), 0);
            QCOMPARE(w->puWork[0x95], was);
            pointer::click(w->cmdOK);
        });
        openPu(p, [&](frmPuPresets *w) {
            pickText(w->cmbLeft[5], "3A");
            pointer::click(w->cmdCancel);
            QCOMPARE(w->result(), int(QDialog::Rejected));
        });
        QCOMPARE(p.romBytes(), before);
        QVERIFY(p.g->puPresets == shared);
        QCOMPARE(boxes.texts(), QStringList());
    }

    void restoreTakesTheBackupsBytes()
    {
        RealBoxes boxes;
        Program p;
        const auto &pu = p.built.ledger.puRecords;
        const auto &en = p.built.ledger.enRecords;
        // Without a backup: the message, and the window stays.
        openPu(p, [&](frmPuPresets *w) {
            pointer::click(w->cmdRestore);
            QVERIFY(w->isVisible());
        });
        QCOMPARE(boxes.texts(),
            QStringList {
                "To restore from your backup, first specify a backup ROM in the file settings." });
        QCOMPARE(boxes.last().title, QString("I am Error"));

        RomImage backup(p.romBytes());
        backup.put(pu[5], { 0x91, 0xA2, 0x08, 0x60 });
        backup.put(en[7], { 0x05, 0x08, 0x05 }); // a Top below 32
        p.g->ini.backupPath = p.dir.file("backup.nes");
        testfile::writeAll(p.g->ini.backupPath, backup.data());
        const Bytes before = p.romBytes();
        boxes.clear();
        boxes.click(QMessageBox::No);
        openPu(p, [&](frmPuPresets *w) {
            pointer::click(w->cmdRestore);
            QVERIFY(w->isVisible());
        });
        QCOMPARE(boxes.texts(), QStringList { "Proceed ?" });
        QCOMPARE(p.romBytes(), before);

        boxes.click(QMessageBox::Yes);
        openPu(p, [&](frmPuPresets *w) {
            pickText(w->cmbLeft[2], "3A"); // an edit Restore drops
            pointer::click(w->cmdRestore);
            QCOMPARE(w->result(), int(QDialog::Accepted));
        });
        QCOMPARE(p.g->puPresets[5], (puPresetRec { 0x08, 0x60, 0x91, 0xA2 }));
        boxes.click(QMessageBox::Yes);
        openEn(p, [&](frmEnPresets *w) { pointer::click(w->cmdRestore); });
        // The backup's bytes go in as they are; the table holds the Top as the windows show it.
        QCOMPARE(p.romBytes(), backup.data());
        QCOMPARE(p.g->enPresets[7], (enPresetRec { 0x08, 37, 0x05 }));
        QCOMPARE(boxes.count(), 3);
    }
};

QTEST_MAIN(tst_tables_presets)
#include "tst_tables_presets.moc"
