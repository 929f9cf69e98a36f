// The byte value preset windows as windows: where they open and what has the focus, how their
// last pages lock the rows past the table, and what Revert, Cancel and Restore do to the file.
#include "model/Presets.h"
#include "rom/Numbers.h"
#include "support/RomDiff.h"
#include "tables/frmEnPresets.h"
#include "tables/frmPuPresets.h"
#include "ui/Controls.h"
#include "ui/support/HeldTimers.h"
#include "ui/support/Named.h"
#include "ui/support/PresetWindows.h"
#include "ui/support/RealBoxes.h"
#include "ui/support/SideWindows.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace presets;

class tst_presets_window : public QObject
{
    Q_OBJECT
private slots:
    void opensOnTheHandedOverPresetAndFocusesItsRow()
    {
        RealBoxes boxes;
        Program p;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        frmPuPresets w(p.g->doc, p.g->files, 0x25);
        QCOMPARE(w.windowTitle(), QString("Power-Up Byte Values"));
        QCOMPARE(w.scroll->value(), 2);
        QCOMPARE(w.puVal(), 5);
        QCOMPARE(w.lbl[5]->text(), QString("25"));
        QVERIFY(!QApplication::overrideCursor());
        w.show();
        QVERIFY(HeldTimers::tick(w.time));
        QCOMPARE(w.focusWidget(), static_cast<QWidget *>(w.cmbContent[5]));
        QVERIFY(!w.time->isActive());

        frmEnPresets e(p.g->doc, p.g->files, 0x25);
        QCOMPARE(e.windowTitle(), QString("Enemy Byte Values"));
        QCOMPARE(e.scroll->value(), 2);
        QCOMPARE(e.cmbType[5]->count(), 74);
        QCOMPARE(e.labola[0]->text(), QString("Enemy"));
        e.show();
        QVERIFY(HeldTimers::tick(e.time));
        QCOMPARE(e.focusWidget(), static_cast<QWidget *>(e.cmbType[5]));

        // The focus waits until the preset's row is enabled.
        side::poke(p, p.built.ledger.puRecords[0x31], { 0, 0, 0, 0x38 }); // a "Nothing" row
        frmPuPresets n(p.g->doc, p.g->files, 0x31);
        n.show();
        for (int i = 0; i < 3; ++i)
            QVERIFY(HeldTimers::tick(n.time));
        QVERIFY(n.focusWidget() != n.cmbContent[1]);
        pickText(n.cmbType[1], "Lantern"); // enables the row
        QVERIFY(HeldTimers::tick(n.time));
        QCOMPARE(n.focusWidget(), static_cast<QWidget *>(n.cmbContent[1]));
        QVERIFY(!n.time->isActive());
        QCOMPARE(boxes.texts(), QStringList());
    }

    void lastPagesLockTheRowsPastTheTable_data() { addReleases(); }
    void lastPagesLockTheRowsPastTheTable()
    {
        QFETCH(int, release);
        RealBoxes boxes;
        Program p(release ? rb::Rel::JP : rb::Rel::US);
        frmPuPresets w(p.g->doc, p.g->files, 0xF1);
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

        frmEnPresets e(p.g->doc, p.g->files, 0xD0);
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
        frmEnPresets e2(p.g->doc, p.g->files, 0xF2);
        QVERIFY(boxes.last().text.contains("in subroutine 406."));
        QCOMPARE(e2.lbl[0]->text(), QString());
        QCOMPARE(e2.puVal(), 2);
    }

    void revertAndCancelKeepTheFile()
    {
        RealBoxes boxes;
        Program p;
        const Bytes before = p.romBytes();
        const auto shared = p.g->doc.tables().puPresets;
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
        QVERIFY(p.g->doc.tables().puPresets == shared);
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
        p.g->files.ini.backupPath = p.dir.file("backup.nes");
        testfile::writeAll(p.g->files.ini.backupPath, backup.data());
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
        QCOMPARE(p.g->doc.tables().puPresets[5], (puPresetRec { 0x08, 0x60, 0x91, 0xA2 }));
        boxes.click(QMessageBox::Yes);
        openEn(p, [&](frmEnPresets *w) { pointer::click(w->cmdRestore); });
        // The backup's bytes go in as they are; the table holds the Top as the windows show it.
        QCOMPARE(p.romBytes(), backup.data());
        QCOMPARE(p.g->doc.tables().enPresets[7], (enPresetRec { 0x08, 37, 0x05 }));
        QCOMPARE(boxes.count(), 3);
    }
};

QTEST_MAIN(tst_presets_window)
#include "tst_presets_window.moc"
