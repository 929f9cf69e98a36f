#include "rom/RomFile.h"
#include "support/RomDiff.h"
#include "tables/Bgm.h"
#include "tables/Damage.h"
#include "tables/Spinner.h"
#include "tables/frmBGM.h"
#include "tables/frmHits.h"
#include "tables/frmMisc.h"
#include "ui/support/Boxes.h"
#include "ui/support/Program.h"
#include "ui/support/Startup.h"

#include "app/Controls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <cstdio>

namespace {

void poke(Program &p, long long pos, const Bytes &b)
{
    RomImage img(p.romBytes());
    img.put(pos, b);
    testfile::writeAll(p.rom, img.data());
}

int fullSegments(const DamageWindow &w, int row)
{
    int n = 0;
    for (int j = 0; j < 16; ++j)
        n += w.bar[static_cast<size_t>(16 * row + j)]->Tag == "1";
    return n;
}

// Clicks the left/top or right/bottom arrow of a small scroll bar.
void clickArrow(QScrollBar *s, bool first)
{
    const QPoint at = s->orientation() == Qt::Horizontal
        ? QPoint(first ? 2 : s->width() - 3, s->height() / 2)
        : QPoint(s->width() / 2, first ? 2 : s->height() - 3);
    QTest::mouseClick(s, Qt::LeftButton, {}, at);
}

} // namespace

class tst_tables : public QObject
{
    Q_OBJECT

private slots:
    void damageBarsFollowTheBytes()
    {
        Boxes boxes;
        Program p;
        const auto &rows = damage::rows(0);
        const uint8_t bytes[8] = { 0, 1, 7, 15, 16, 0xFF, 3, 4 };
        for (int i = 0; i < 8; ++i)
            poke(p, rows[static_cast<size_t>(i)].pos, { bytes[i] });
        frmHits w(*p.g, p.w.get());
        QCOMPARE(w.windowTitle(), QString("Curse Severity - US version"));
        QCOMPARE(w.hs1.size(), size_t(8));
        QCOMPARE(fullSegments(w, 0), 16);
        QCOMPARE(fullSegments(w, 1), 14);
        QCOMPARE(fullSegments(w, 2), 8);
        QCOMPARE(fullSegments(w, 3), 0);
        QCOMPARE(w.hs1[4]->spin(), 1);
        QCOMPARE(fullSegments(w, 4), 16);
        // The full segments are the leftmost ones.
        QCOMPARE(w.bar[16 + 13]->Tag, QString("1"));
        QCOMPARE(w.bar[16 + 14]->Tag, QString("0"));
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(w.Frame1->title(), QString("Trevor and Alucard "));
        QCOMPARE(w.ls[7]->text(), QString("Moving Spikes"));
    }

    void damageArrowsRaiseToTheLeft()
    {
        Boxes boxes;
        Program p;
        poke(p, damage::rows(0)[1].pos, { 1 });
        poke(p, damage::rows(0)[2].pos, { 15 });
        poke(p, damage::rows(0)[3].pos, { 0 });
        frmHits w(*p.g, p.w.get());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        clickArrow(w.hs1[1], true);
        QCOMPARE(w.hs1[1]->spin(), 3);
        QCOMPARE(fullSegments(w, 1), 13);
        clickArrow(w.hs1[1], false);
        QCOMPARE(w.hs1[1]->spin(), 2);
        clickArrow(w.hs1[2], true); // at 16 already
        QCOMPARE(w.hs1[2]->spin(), 16);
        clickArrow(w.hs1[3], false); // at 1 already
        QCOMPARE(w.hs1[3]->spin(), 1);
        QCOMPARE(w.focusWidget(), static_cast<QWidget *>(w.cmdCancel));
    }

    void damageSaveWritesOnlyItsBytes_data()
    {
        QTest::addColumn<int>("release");
        QTest::newRow("US") << 0;
        QTest::newRow("Japanese") << 1;
    }

    void damageSaveWritesOnlyItsBytes()
    {
        QFETCH(int, release);
        Boxes boxes;
        Program p(release ? rb::Rel::JP : rb::Rel::US);
        const Bytes before = p.romBytes();
        p.w->setWindowTitle("Vorlig (cheap version)");
        std::unique_ptr<DamageWindow> w;
        if (release)
            w = std::make_unique<frmHits2>(*p.g, p.w.get());
        else
            w = std::make_unique<frmHits>(*p.g, p.w.get());
        w->cmdDefault->click();
        w->cmdCancel->click();
        QCOMPARE(w->result(), int(QDialog::Rejected));
        QVERIFY(p.romBytes() == before);

        w->hs1[0]->setSpin(9);
        w->cmdOK->click();
        QCOMPARE(w->result(), int(QDialog::Accepted));
        const auto &rows = damage::rows(release);
        const Bytes after = p.romBytes();
        for (size_t i = 0; i < rows.size(); ++i) {
            const uint8_t want = i == 0 ? 8 : rows[i].defaultByte;
            QCOMPARE(rb::at(after, rows[i].pos), want);
        }
        for (long long pos : changedPositions(before, after)) {
            bool ours = false;
            for (const auto &row : rows)
                ours = ours || row.pos == pos;
            QVERIFY2(ours, qPrintable(QString::number(pos)));
        }
        QCOMPARE(p.w->windowTitle(), QString("Vorlig"));
        QCOMPARE(boxes.count(), 0);
    }

    void damageCheapSave()
    {
        Boxes boxes;
        Program p;
        for (int answer : { int(msg::Yes), int(msg::No) }) {
            boxes.clear();
            boxes.answer(answer);
            frmHits w(*p.g, p.w.get());
            for (Spinner *s : w.hs1)
                s->setSpin(1);
            w.cmdOK->click();
            for (const auto &row : damage::rows(0))
                QCOMPARE(rb::at(p.romBytes(), row.pos), uint8_t(0));
            QCOMPARE(boxes.shown.front().text, QString("That was very cheap of you."));
            QCOMPARE(boxes.shown.front().style, 68);
            if (answer == msg::Yes) {
                QCOMPARE(boxes.count(), 1);
                QCOMPARE(p.w->windowTitle(), QString("Vorlig"));
            } else {
                QCOMPARE(boxes.count(), 2);
                QCOMPARE(boxes.last().text, QString("Yes it was."));
                QCOMPARE(p.w->windowTitle(), QString("Vorlig (cheap version)"));
            }
        }
    }

    void damageMissingPictureAndFailedSave()
    {
        Boxes boxes;
        Program p;
        poke(p, damage::rows(0)[0].pos, { 7 }); // 8 full segments
        for (size_t i = 1; i < 8; ++i)
            poke(p, damage::rows(0)[i].pos, { 15 }); // none full
        std::remove((p.g->datPath + "m1.dat").c_str());
        frmHits w(*p.g, p.w.get());
        QCOMPARE(boxes.count(), 8);
        QVERIFY(boxes.last().text.contains("in subroutine 500."));
        // The Tag moved on, so the same state is not loaded again.
        QCOMPARE(fullSegments(w, 0), 8);
        boxes.clear();
        std::remove(p.rom.c_str());
        w.show();
        w.cmdOK->click();
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().text.contains("in subroutine 502."));
        QVERIFY(w.isVisible());
        QCOMPARE(p.w->windowTitle(), QString("Vorlig"));
    }

    void damageOpensTheWindowOfTheRelease()
    {
        Boxes boxes;
        Program p(rb::Rel::JP);
        QString seen;
        startup::onModal([&](QDialog *d) {
            seen = d->objectName() + "|" + d->windowTitle();
            d->findChild<QPushButton *>("cmdCancel")->click();
            return false;
        });
        p.w->Damage();
        QCOMPARE(seen, QString("frmHits2|Curse Severity - Japanese Version"));
        QVERIFY(!QApplication::overrideCursor());
    }

    void bgmLoadsAndSavesTheTable()
    {
        Boxes boxes;
        Program p;
        const long long base = bgm::tablePos(0);
        for (int i = 0; i < bgm::situations; ++i) {
            const unsigned word = i == 1 ? bgm::songPtr(11, 0)
                : i == 2                 ? 0xBEEF
                                         : bgm::songPtr(i, 0);
            poke(p, base + 2 * i, { uint8_t(word & 255), uint8_t(word >> 8) });
        }
        const Bytes before = p.romBytes();
        frmBGM w(*p.g);
        QCOMPARE(w.cmb[1]->currentText(), QString("Anxiety"));
        QCOMPARE(w.cmb[2]->currentIndex(), -1);
        QCOMPARE(w.cmb[0]->currentText(), QString("Life Loss"));
        QCOMPARE(w.lab[0]->text(), QString("Warakiya"));
        w.cmb[3]->setCurrentIndex(27); // "Life Loss"
        w.cmdOK->click();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        const Bytes after = p.romBytes();
        for (long long pos : changedPositions(before, after))
            QVERIFY(pos >= base && pos < base + 62);
        QCOMPARE(rb::at(after, base + 2), uint8_t(bgm::songPtr(8, 0) & 255));
        QCOMPARE(rb::at(after, base + 4), uint8_t(0xEF));
        QCOMPARE(rb::at(after, base + 5), uint8_t(0xBE));
        QCOMPARE(rb::at(after, base + 6), uint8_t(0x0D));
        QCOMPARE(rb::at(after, base + 7), uint8_t(0x92));
        QCOMPARE(rb::at(after, base + 20), uint8_t(bgm::songPtr(10, 0) & 255));
        QCOMPARE(boxes.count(), 0);
    }

    void bgmDefaultsJapanese()
    {
        Boxes boxes;
        Program p(rb::Rel::JP);
        const Bytes before = p.romBytes();
        frmBGM w(*p.g);
        w.cmdDefault->click();
        QCOMPARE(w.cmb[28]->currentText(), QString("Pressure"));
        w.cmdCancel->click();
        QVERIFY(p.romBytes() == before);
        frmBGM w2(*p.g);
        w2.cmdDefault->click();
        w2.cmdOK->click();
        const Bytes after = p.romBytes();
        for (int i = 0; i < bgm::situations; ++i) {
            const int song = i == 11 ? 8 : i == 12 ? 6 : i == 28 ? 15 : i;
            const unsigned word
                = rb::at(after, 200719 + 2 * i) + 256u * rb::at(after, 200720 + 2 * i);
            QCOMPARE(word, bgm::songPtr(song, 1));
        }
    }

    void gameOptionsReadAndWriteBcd_data()
    {
        QTest::addColumn<int>("release");
        QTest::newRow("US") << 0;
        QTest::newRow("Japanese") << 1;
    }

    void gameOptionsReadAndWriteBcd()
    {
        QFETCH(int, release);
        Boxes boxes;
        Program p(release ? rb::Rel::JP : rb::Rel::US);
        const long long lives = release ? 3902 : 4297, hearts = release ? 3907 : 4306;
        poke(p, lives, { 0x2A });
        poke(p, hearts, { 0xA5 });
        const Bytes before = p.romBytes();
        frmMisc w(*p.g);
        QCOMPARE(w.windowTitle(), QString("Game options"));
        QCOMPARE(w.txtl->text(), QString("2"));
        QCOMPARE(w.txth->text(), QString("0"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        clickArrow(w.vHeart, false); // down at 0
        QCOMPARE(w.vHeart->spin(), 0);
        clickArrow(w.vLife, true);
        QCOMPARE(w.vLife->spin(), 3);
        QCOMPARE(w.txtl->text(), QString("3"));
        w.vHeart->setSpin(99);
        clickArrow(w.vHeart, true); // up at 99
        QCOMPARE(w.txth->text(), QString("99"));
        w.cmdOK->click();
        const Bytes after = p.romBytes();
        QCOMPARE(rb::at(after, lives), uint8_t(0x03));
        QCOMPARE(rb::at(after, hearts), uint8_t(0x99));
        QCOMPARE(changedPositions(before, after).size(), size_t(2));
        QCOMPARE(boxes.count(), 0);
    }

    void gameOptionsDefaultThenCancelWritesNothing()
    {
        Boxes boxes;
        Program p;
        const Bytes before = p.romBytes();
        frmMisc w(*p.g);
        w.cmdDefault->click();
        QCOMPARE(w.txtl->text(), QString("2"));
        QCOMPARE(w.txth->text(), QString("5"));
        w.cmdCancel->click();
        QVERIFY(p.romBytes() == before);
        frmMisc w2(*p.g);
        w2.cmdDefault->click();
        w2.cmdOK->click();
        QCOMPARE(rb::at(p.romBytes(), 4297), uint8_t(0x02));
        QCOMPARE(rb::at(p.romBytes(), 4306), uint8_t(0x05));
    }
};

QTEST_MAIN(tst_tables)
#include "tst_tables.moc"
