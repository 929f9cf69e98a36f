// The two byte value preset windows, driven as a person drives them: looking at every page
// changes nothing, bytes the lists cannot show are shown as they are and kept, one pick writes
// only its byte (once, where presets share their bytes), and a window that could not read the
// ROM saves nothing.
#include "model/Presets.h"
#include "objects/PanelControls.h"
#include "rom/Numbers.h"
#include "support/RomDiff.h"
#include "tables/frmEnPresets.h"
#include "tables/frmPuPresets.h"
#include "ui/Controls.h"
#include "ui/support/Named.h"
#include "ui/support/PresetWindows.h"
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

using namespace presets;

rb::RomDesc shape(int release, bool odd)
{
    const rb::RomDesc d = rb::gameShape(release ? rb::Rel::JP : rb::Rel::US);
    return odd ? rb::oddPresets(d) : d;
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

std::vector<long long> sorted(std::vector<long long> v)
{
    std::sort(v.begin(), v.end());
    return v;
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
        const auto pu = p.g->doc.tables().puPresets;
        const auto en = p.g->doc.tables().enPresets;
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
        QVERIFY(p.g->doc.tables().puPresets == pu);
        QVERIFY(p.g->doc.tables().enPresets == en);
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
        QCOMPARE(p.g->doc.tables().puPresets[0x14][presets::puLeft], uint8_t(0x08));

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
        QCOMPARE(p.g->doc.tables().enPresets[0x11][presets::enTop], uint8_t(0x34));
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
        QCOMPARE(p.g->doc.tables().enPresets[0x31], p.g->doc.tables().enPresets[0x30]);
        QCOMPARE(p.g->doc.tables().enPresets[0x50], (enPresetRec { 0, 32, 0 }));

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
        QCOMPARE(p.g->doc.tables().puPresets[0x35], p.g->doc.tables().puPresets[0x12]);
        QCOMPARE(p.g->doc.tables().puPresets[0x21][presets::puContent], uint8_t(axe));
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
        // The file changed under the program: no record is read from it.
        side::cutRom(p, 150000);
        const Bytes before = p.romBytes();
        const auto shared = p.g->doc.tables().puPresets;
        openPu(p, [&](frmPuPresets *w) {
            QCOMPARE(boxes.count(), 1);
            QCOMPARE(boxes.last().title, QString("ROM file changed"));
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
            QCOMPARE(boxes.last().title, QString("ROM file changed"));
            QVERIFY(!w->cmdOK->isEnabled());
            pointer::click(w->cmdOK);
        });
        QCOMPARE(boxes.count(), 2);
        QCOMPARE(p.romBytes(), before);
        QVERIFY(p.g->doc.tables().puPresets == shared);

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
        const auto shared = p.g->doc.tables().enPresets;
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
        QVERIFY(p.g->doc.tables().enPresets == shared);
    }
};

QTEST_MAIN(tst_tables_presets)
#include "tst_tables_presets.moc"
