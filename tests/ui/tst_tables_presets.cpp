#include "rom/RomFile.h"
#include "tables/Presets.h"
#include "tables/frmEnPresets.h"
#include "tables/frmPuPresets.h"
#include "ui/support/Boxes.h"
#include "ui/support/Program.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include <set>

namespace {

int rel(const Program &p)
{
    return p.g->romVer == "1" ? 1 : 0;
}

// Every byte that changed lies in one of the preset records the builder placed.
void onlyRecordsChanged(
    const Bytes &before, const Bytes &after, const std::vector<long long> &records, int size)
{
    std::set<long long> allowed;
    for (long long r : records)
        for (int k = 0; k < size; ++k)
            allowed.insert(r + k);
    for (size_t i = 0; i < before.size(); ++i)
        if (before[i] != after[i])
            QVERIFY2(
                allowed.count(static_cast<long long>(i) + 1), qPrintable(QString::number(i + 1)));
}

QStringList rowTexts(const frmPuPresets &w, int i)
{
    const size_t n = static_cast<size_t>(i);
    return { w.cmbType[n]->currentText(), w.cmbLeft[n]->currentText(), w.cmbTop[n]->currentText(),
        w.cmbContent[n]->currentText() };
}

bool rowEnabled(const frmPuPresets &w, int i, int list)
{
    const size_t n = static_cast<size_t>(i);
    const QComboBox *c[4] = { w.cmbType[n], w.cmbLeft[n], w.cmbTop[n], w.cmbContent[n] };
    return c[list]->isEnabled();
}

} // namespace

class tst_tables_presets : public QObject
{
    Q_OBJECT

private slots:
    void puOpensOnTheHandedOverPresetAndFocusesIt()
    {
        Boxes boxes;
        Program p;
        p.g->puPresets[0x25] = { 0x10, 0x40, 0x90, 0xA1 };
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
    }

    void puFocusWaitsForAnEnabledRow()
    {
        Boxes boxes;
        Program p;
        p.g->puPresets[0x31] = { 0, 0x38, 0, 0 }; // a "Nothing" row
        p.g->puVal = 0x31;
        frmPuPresets w(*p.g);
        w.show();
        QTest::qWait(350);
        QVERIFY(w.time->isActive());
        QVERIFY(w.focusWidget() != w.cmbContent[1]);
        w.cmbType[1]->setCurrentIndex(1); // "Lantern" enables the row
        QTRY_COMPARE_WITH_TIMEOUT(w.focusWidget(), static_cast<QWidget *>(w.cmbContent[1]), 2000);
        QVERIFY(!w.time->isActive());
        QCOMPARE(boxes.count(), 0);
    }

    void puFirstPageTakesTheShownValues()
    {
        Boxes boxes;
        Program p;
        auto &t = p.g->puPresets;
        t[1] = { 0x07, 0x3B, 0x91, 0xA1 };
        t[2] = { 0x3E, 0xC8, 0x90, 0x00 }; // no content: a "Nothing" row
        t[3] = { 0x00, 0x40, 0x00, 0xA1 }; // no holder, some content
        t[4] = { 0x40, 0x20, 0x92, 0x55 }; // content no item has
        p.g->puVal = 1;
        frmPuPresets w(*p.g);
        QCOMPARE(w.scroll->value(), 0);
        for (int k = 0; k < 4; ++k)
            QVERIFY(!rowEnabled(w, 0, k));
        QCOMPARE(rowTexts(w, 1), QStringList({ "Candlestand", "06", "10", "Potion" }));
        QCOMPARE(w.puWork[1], (puPresetRec { 0x06, 0x38, 0x91, 0xA1 }));
        for (int i : { 2, 3 }) {
            QCOMPARE(rowTexts(w, i), QStringList({ "Nothing", "00", "10", "Nothing" }));
            QCOMPARE(w.puWork[static_cast<size_t>(i)], (puPresetRec { 0, 0x38, 0, 0 }));
            QVERIFY(rowEnabled(w, i, 0));
            QVERIFY(!rowEnabled(w, i, 1) && !rowEnabled(w, i, 2) && !rowEnabled(w, i, 3));
        }
        QCOMPARE(rowTexts(w, 4), QStringList({ "Lantern", "00", "10", "Small Heart" }));
        QCOMPARE(w.puWork[4][presets::puContent], uint8_t(0xAE));
        // The shared table is untouched until Save.
        QCOMPARE(p.g->puPresets[4][presets::puContent], uint8_t(0x55));
    }

    void puNothingRule()
    {
        Boxes boxes;
        Program p;
        p.g->puPresets[0x16] = { 0x3E, 0xC8, 0x92, 0xAE };
        p.g->puVal = 0x16;
        frmPuPresets w(*p.g);
        QCOMPARE(rowTexts(w, 6), QStringList({ "Lantern", "3E", "A0", "Small Heart" }));
        w.cmbContent[6]->setCurrentIndex(presets::puNothingContent);
        QCOMPARE(rowTexts(w, 6), QStringList({ "Nothing", "00", "10", "Nothing" }));
        QCOMPARE(w.puWork[0x16], (puPresetRec { 0, 0x38, 0, 0 }));
        QVERIFY(rowEnabled(w, 6, 0));
        QVERIFY(!rowEnabled(w, 6, 1) && !rowEnabled(w, 6, 2) && !rowEnabled(w, 6, 3));
        w.cmbType[6]->setCurrentIndex(1);
        QCOMPARE(w.puWork[0x16], (puPresetRec { 0, 0x38, 0x92, 0xAE }));
        for (int k = 0; k < 4; ++k)
            QVERIFY(rowEnabled(w, 6, k));
    }

    void puLastPageLocksTheRowsPastTheTable_data()
    {
        QTest::addColumn<int>("release");
        QTest::newRow("US") << 0;
        QTest::newRow("Japanese") << 1;
    }

    void puLastPageLocksTheRowsPastTheTable()
    {
        QFETCH(int, release);
        Boxes boxes;
        Program p(release ? rb::Rel::JP : rb::Rel::US);
        p.g->puVal = 0xF1;
        frmPuPresets w(*p.g);
        QCOMPARE(w.scroll->value(), 15);
        const int last = release ? 4 : 14;
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(
                w.lbl[static_cast<size_t>(i)]->text(), QString::number(0xF0 + i, 16).toUpper());
            if (i < last)
                continue;
            QCOMPARE(rowTexts(w, i), QStringList({ "Nothing", "00", "10", "Nothing" }));
            for (int k = 0; k < 4; ++k)
                QVERIFY(!rowEnabled(w, i, k));
        }
        QVERIFY(rowEnabled(w, last - 1, 0));
        w.scroll->setValue(14);
        QVERIFY(rowEnabled(w, last, 0));
        QVERIFY(rowEnabled(w, 0, 0));
    }

    void puSaveWritesEveryRecord_data()
    {
        QTest::addColumn<int>("release");
        QTest::newRow("US") << 0;
        QTest::newRow("Japanese") << 1;
    }

    void puSaveWritesEveryRecord()
    {
        QFETCH(int, release);
        Boxes boxes;
        Program p(release ? rb::Rel::JP : rb::Rel::US);
        const Bytes before = p.romBytes();
        p.g->puVal = 0x31;
        frmPuPresets w(*p.g);
        w.cmbContent[1]->setCurrentIndex(1); // "Big Heart"
        const presets::PuTable work = w.puWork;
        w.cmdOK->click();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        const int r = rel(p);
        const Bytes after = p.romBytes();
        const auto &recs = p.built.ledger.puRecords;
        QCOMPARE(int(recs.size()), presets::puCount(r));
        for (size_t n = 0; n < recs.size(); ++n) {
            const puPresetRec &q = work[n];
            const Bytes want { q[presets::puType], q[presets::puContent], q[presets::puLeft],
                q[presets::puTop] };
            QCOMPARE(RomImage(after).bytes(recs[n], 4), want);
            QCOMPARE(p.g->puPresets[n], q);
        }
        QCOMPARE(rb::at(after, recs[0x31] + 1), uint8_t(release ? 0x9D : 0xAD));
        onlyRecordsChanged(before, after, recs, 4);
        QCOMPARE(boxes.count(), 0);
    }

    void puCancelAndRevertKeepTheTable()
    {
        Boxes boxes;
        Program p;
        const Bytes before = p.romBytes();
        const presets::PuTable shared = p.g->puPresets;
        p.g->puVal = 0x95;
        frmPuPresets w(*p.g);
        QCOMPARE(w.scroll->value(), 9);
        const puPresetRec shown = w.puWork[0x95];
        w.cmbLeft[5]->setCurrentIndex(w.cmbLeft[5]->currentIndex() == 3 ? 4 : 3);
        QVERIFY(w.puWork[0x95] != shown);
        w.cmdRevert->click();
        QCOMPARE(w.scroll->value(), 0);
        QCOMPARE(w.puWork[0x95], shared[0x95]);
        w.cmdCancel->click();
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QVERIFY(p.romBytes() == before);
        QVERIFY(p.g->puPresets == shared);
    }

    void puRestoreFromTheBackup()
    {
        Boxes boxes;
        Program p;
        // Without a backup: the message, and the window stays.
        frmPuPresets w(*p.g);
        w.show();
        w.cmdRestore->click();
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text,
            QString(
                "To restore from your backup, first specify a backup ROM in the file settings."));
        QCOMPARE(boxes.last().title, QString("I am Error"));
        QVERIFY(w.isVisible());

        RomImage backup(p.romBytes());
        const long long rec5 = p.built.ledger.puRecords[5];
        backup.put(rec5, { 0x91, 0xA2, 0x08, 0x60 });
        const std::string backupPath = p.dir.file("backup.nes");
        testfile::writeAll(backupPath, backup.data());
        p.g->ini.backupPath = backupPath;
        const Bytes before = p.romBytes();
        boxes.clear();
        boxes.answer(msg::No);
        w.cmdRestore->click();
        QCOMPARE(boxes.last().text, QString("Proceed ?"));
        QCOMPARE(boxes.last().style, int(msg::QuestionYesNo));
        QVERIFY(p.romBytes() == before);
        QVERIFY(w.isVisible());

        // A backup that has gone missing is reported and copies nothing.
        std::remove(backupPath.c_str());
        boxes.answer(msg::Yes);
        w.cmdRestore->click();
        QVERIFY(boxes.last().text.contains("in subroutine 412."));
        QVERIFY(p.romBytes() == before);
        QVERIFY(!romfile::fileExists(backupPath));

        testfile::writeAll(backupPath, backup.data());
        w.cmbType[2]->setCurrentIndex(3); // an edit Restore drops
        boxes.answer(msg::Yes);
        w.cmdRestore->click();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(RomImage(p.romBytes()).bytes(rec5, 4), (Bytes { 0x91, 0xA2, 0x08, 0x60 }));
        QCOMPARE(p.g->puPresets[5], (puPresetRec { 0x08, 0x60, 0x91, 0xA2 }));
        QVERIFY(p.romBytes() == backup.data());
    }

    void enOpensOnTheHandedOverPreset()
    {
        Boxes boxes;
        Program p;
        p.g->enPresets[0x25] = { 0x10, 0x40, p.t->enemyList[3].id };
        p.g->puVal = 0x25;
        frmEnPresets w(*p.g);
        QCOMPARE(w.windowTitle(), QString("Enemy Byte Values"));
        QCOMPARE(w.scroll->value(), 2);
        QCOMPARE(p.g->puVal, 5);
        QCOMPARE(w.cmbType[5]->count(), 74);
        QCOMPARE(w.cmbType[5]->currentText(), QString::fromStdString(p.t->enemyList[3].text));
        QCOMPARE(w.labola[0]->text(), QString("Enemy"));
        w.show();
        QTRY_COMPARE_WITH_TIMEOUT(w.focusWidget(), static_cast<QWidget *>(w.cmbType[5]), 2000);
        QVERIFY(!w.time->isActive());
    }

    void enFirstPageTakesTheShownValues()
    {
        Boxes boxes;
        Program p;
        const uint8_t id = p.t->enemyList[0].id;
        auto &t = p.g->enPresets;
        t[1] = { 5, 219, id };
        t[2] = { 68, 220, id };
        t[3] = { 0x10, 0x40, 0x7F }; // no enemy has this code
        t[0] = { 0x10, 0x40, id };
        p.g->puVal = 1;
        frmEnPresets w(*p.g);
        QCOMPARE(w.cmbLeft[1]->currentText(), QString("04"));
        QCOMPARE(w.cmbTop[1]->currentText(), QString("D8"));
        QCOMPARE(w.enWork[1], (enPresetRec { 4, 216, id }));
        QCOMPARE(w.enWork[2], (enPresetRec { 0, 32, id }));
        QCOMPARE(w.cmbType[3]->currentText(), QString("None"));
        QCOMPARE(w.enWork[3], (enPresetRec { 0, 32, 0 }));
        QVERIFY(!w.cmbLeft[3]->isEnabled() && w.cmbType[3]->isEnabled());
        QVERIFY(!w.cmbType[0]->isEnabled() && !w.cmbLeft[0]->isEnabled());
        // Choosing an enemy again enables Left and Top and leaves them on "00" and "20".
        w.cmbType[3]->setCurrentIndex(2);
        QVERIFY(w.cmbLeft[3]->isEnabled() && w.cmbTop[3]->isEnabled());
        QCOMPARE(w.enWork[3], (enPresetRec { 0, 32, p.t->enemyList[2].id }));
    }

    void enLastPages()
    {
        Boxes boxes;
        {
            Program p;
            p.g->puVal = 0xE0;
            frmEnPresets w(*p.g);
            QCOMPARE(w.scroll->maximum(), 14);
            QCOMPARE(w.labola[0]->text(), QString("Enemy (Second Quest)"));
            for (int i = 4; i < 16; ++i) {
                const size_t n = static_cast<size_t>(i);
                QCOMPARE(w.lbl[n]->text(), QString::number(0xE0 + i, 16).toUpper());
                QCOMPARE(w.cmbType[n]->currentText(), QString("None"));
                QCOMPARE(w.cmbLeft[n]->currentText(), QString("00"));
                QCOMPARE(w.cmbTop[n]->currentText(), QString("20"));
                QVERIFY(!w.cmbType[n]->isEnabled() && !w.cmbTop[n]->isEnabled());
            }
            QVERIFY(w.cmbType[3]->isEnabled());
            // Past the last page: reported, the rows stay empty.
            p.g->puVal = 0xF2;
            frmEnPresets w2(*p.g);
            QVERIFY(boxes.last().text.contains("in subroutine 406."));
            QCOMPARE(w2.lbl[0]->text(), QString());
            QCOMPARE(p.g->puVal, 2);
        }
        Program p(rb::Rel::JP);
        p.g->puVal = 0xD0;
        frmEnPresets w(*p.g);
        QCOMPARE(w.scroll->maximum(), 13);
        QCOMPARE(w.cmbType[15]->count(), 73);
        for (size_t n = 0; n < 16; ++n)
            QVERIFY(w.cmbType[n]->isEnabled());
    }

    void enSaveAndRestore_data()
    {
        QTest::addColumn<int>("release");
        QTest::newRow("US") << 0;
        QTest::newRow("Japanese") << 1;
    }

    void enSaveAndRestore()
    {
        QFETCH(int, release);
        Boxes boxes;
        Program p(release ? rb::Rel::JP : rb::Rel::US);
        const Bytes before = p.romBytes();
        const auto &recs = p.built.ledger.enRecords;
        p.g->puVal = 0x12;
        frmEnPresets w(*p.g);
        w.cmbTop[2]->setCurrentIndex(0);
        const presets::EnTable work = w.enWork;
        w.cmdOK->click();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        const Bytes after = p.romBytes();
        QCOMPARE(int(recs.size()), presets::enCount(rel(p)));
        for (size_t n = 0; n < recs.size(); ++n) {
            const enPresetRec &q = work[n];
            QCOMPARE(RomImage(after).bytes(recs[n], 3),
                (Bytes { q[presets::enType], q[presets::enLeft], q[presets::enTop] }));
        }
        QCOMPARE(rb::at(after, recs[0x12] + 2), uint8_t(32));
        QCOMPARE(p.g->enPresets[0x12][presets::enTop], uint8_t(32));
        onlyRecordsChanged(before, after, recs, 3);

        // Restore maps a backup's Top into 32..223 and writes the mapped value.
        RomImage backup(before);
        backup.put(recs[7], { 0x05, 0x08, 0x05 });
        const std::string path = p.dir.file("backup.nes");
        testfile::writeAll(path, backup.data());
        p.g->ini.backupPath = path;
        frmEnPresets w2(*p.g);
        boxes.answer(msg::Yes);
        w2.cmdRestore->click();
        QCOMPARE(w2.result(), int(QDialog::Accepted));
        QCOMPARE(p.g->enPresets[7], (enPresetRec { 0x08, 37, 0x05 }));
        QCOMPARE(RomImage(p.romBytes()).bytes(recs[7], 3), (Bytes { 0x05, 0x08, 37 }));
        QCOMPARE(rb::at(p.romBytes(), recs[0x12] + 2), rb::at(before, recs[0x12] + 2));
    }
};

QTEST_MAIN(tst_tables_presets)
#include "tst_tables_presets.moc"
