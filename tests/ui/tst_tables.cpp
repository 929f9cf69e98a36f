#include "model/tables/Bgm.h"
#include "model/tables/Damage.h"
#include "rom/RomFile.h"
#include "support/RomDiff.h"
#include "tables/Spinner.h"
#include "tables/frmBGM.h"
#include "tables/frmHits.h"
#include "tables/frmMisc.h"
#include "ui/Controls.h"
#include "ui/support/Named.h"
#include "ui/support/RealBoxes.h"
#include "ui/support/SideWindows.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <cstdio>

namespace {

int fullSegments(const DamageWindow &w, int row)
{
    int n = 0;
    for (int j = 0; j < 16; ++j)
        n += w.bar[static_cast<size_t>(16 * row + j)]->Tag == "1";
    return n;
}

rb::Rel releaseOf(int r)
{
    return r ? rb::Rel::JP : rb::Rel::US;
}

// The damage window of the release, opened by the main window's button.
void openDamage(Program &p, std::function<void(DamageWindow *)> act)
{
    side::open<DamageWindow>(named<QToolButton>(p.w.get(), "cmdDamage"), act);
}

unsigned wordAt(const Bytes &rom, long long pos)
{
    return rb::at(rom, pos) + 256u * rb::at(rom, pos + 1);
}

// The widths, from the top, of the rows of the arrow in the upper or lower half of an upright
// spinner, as it is drawn: its pixels of the buttons' text colour.
std::vector<int> arrowRows(Spinner *s, bool upper)
{
    const QImage shown = s->grab().toImage();
    const QRgb ink = s->palette().color(QPalette::ButtonText).rgb();
    std::vector<int> rows;
    const int half = shown.height() / 2;
    for (int y = upper ? 0 : half; y < (upper ? half : shown.height()); ++y) {
        int n = 0;
        for (int x = 0; x < shown.width(); ++x)
            n += shown.pixel(x, y) == ink;
        if (n > 0)
            rows.push_back(n);
    }
    return rows;
}

} // namespace

class tst_tables : public QObject
{
    Q_OBJECT

private slots:
    void damageBarsFollowTheBytesAndOddBytesShowAsTheyAre()
    {
        RealBoxes boxes;
        Program p;
        const auto &rows = damage::rows(0);
        const uint8_t bytes[8] = { 0, 1, 7, 15, 0x10, 0xFF, 3, 4 };
        for (int i = 0; i < 8; ++i)
            side::poke(p, rows[static_cast<size_t>(i)].pos, { bytes[i] });
        const Bytes before = p.romBytes();
        openDamage(p, [&](DamageWindow *w) {
            QCOMPARE(w->windowTitle(), QString("Curse Severity - US version"));
            QCOMPARE(w->hs1.size(), size_t(8));
            QCOMPARE(fullSegments(*w, 0), 16);
            QCOMPARE(fullSegments(*w, 1), 14);
            QCOMPARE(fullSegments(*w, 2), 8);
            QCOMPARE(fullSegments(*w, 3), 0);
            // The full segments are the leftmost ones.
            QCOMPARE(w->bar[16 + 13]->Tag, QString("1"));
            QCOMPARE(w->bar[16 + 14]->Tag, QString("0"));
            // Bytes the spinner cannot show are shown as they are, over their bars.
            QVERIFY(!w->odd[3]->isVisible());
            QVERIFY(w->odd[4]->isVisible());
            QCOMPARE(w->odd[4]->text(), QString("byte 10, kept as is"));
            QCOMPARE(w->odd[5]->text(), QString("byte FF, kept as is"));
            QVERIFY(!w->bar[16 * 4]->isVisible());
            QCOMPARE(w->Frame1->title(), QString("Trevor and Alucard "));
            QCOMPARE(w->ls[7]->text(), QString("Moving Spikes"));
            QCOMPARE(w->focusWidget(), static_cast<QWidget *>(w->cmdCancel));
            pointer::click(w->cmdOK);
        });
        // Nothing was edited: the odd bytes are kept.
        QCOMPARE(p.romBytes(), before);
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(p.w->windowTitle(), QString("Vorlig"));
    }

    void damageArrowsRaiseToTheLeftAndMakeARowTheUsers()
    {
        RealBoxes boxes;
        Program p;
        const auto &rows = damage::rows(0);
        side::poke(p, rows[1].pos, { 1 });
        side::poke(p, rows[2].pos, { 15 });
        side::poke(p, rows[3].pos, { 0 });
        side::poke(p, rows[4].pos, { 0x20 });
        side::poke(p, rows[5].pos, { 0x30 });
        const Bytes before = p.romBytes();
        openDamage(p, [&](DamageWindow *w) {
            side::arrow(w->hs1[1], true);
            QCOMPARE(w->hs1[1]->spin(), 3);
            QCOMPARE(fullSegments(*w, 1), 13);
            side::arrow(w->hs1[1], false);
            side::arrow(w->hs1[1], false);
            QCOMPARE(w->hs1[1]->spin(), 1);
            side::arrow(w->hs1[2], true); // at 16 already
            QCOMPARE(w->hs1[2]->spin(), 16);
            side::arrow(w->hs1[3], false); // at 1 already
            QCOMPARE(w->hs1[3]->spin(), 1);
            // An arrow that cannot move still makes the odd row the user's: byte 0 now.
            side::arrow(w->hs1[4], false);
            QVERIFY(!w->odd[4]->isVisible());
            QVERIFY(w->bar[16 * 4]->isVisible());
            QCOMPARE(fullSegments(*w, 4), 16);
            QVERIFY(w->odd[5]->isVisible());
            pointer::click(w->cmdOK);
        });
        const Bytes after = p.romBytes();
        QCOMPARE(
            changedPositions(before, after), (std::vector<long long> { rows[1].pos, rows[4].pos }));
        QCOMPARE(rb::at(after, rows[1].pos), uint8_t(0));
        QCOMPARE(rb::at(after, rows[4].pos), uint8_t(0));
        QCOMPARE(rb::at(after, rows[5].pos), uint8_t(0x30));
        QCOMPARE(boxes.count(), 0);
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
        RealBoxes boxes;
        Program p(releaseOf(release));
        const Bytes before = p.romBytes();
        p.w->setWindowTitle("Vorlig (cheap version)");
        openDamage(p, [&](DamageWindow *w) {
            QCOMPARE(w->objectName(), QString(release ? "frmHits2" : "frmHits"));
            pointer::click(w->cmdDefault);
            pointer::click(w->cmdCancel);
            QCOMPARE(w->result(), int(QDialog::Rejected));
        });
        QCOMPARE(p.romBytes(), before);
        const auto &rows = damage::rows(release);
        openDamage(p, [&](DamageWindow *w) {
            pointer::click(w->cmdDefault);
            side::arrow(w->hs1[0], true);
            pointer::click(w->cmdOK);
            QCOMPARE(w->result(), int(QDialog::Accepted));
        });
        const Bytes after = p.romBytes();
        std::vector<long long> expect;
        for (size_t i = 0; i < rows.size(); ++i) {
            const uint8_t want = i == 0 ? rows[0].defaultByte + 1 : rows[i].defaultByte;
            QCOMPARE(rb::at(after, rows[i].pos), want);
            if (rb::at(before, rows[i].pos) != want)
                expect.push_back(rows[i].pos);
        }
        std::sort(expect.begin(), expect.end());
        QCOMPARE(changedPositions(before, after), expect);
        QCOMPARE(p.w->windowTitle(), QString("Vorlig"));
        QCOMPARE(boxes.count(), 0);
    }

    void damageCheapSave()
    {
        RealBoxes boxes;
        Program p;
        for (auto answer : { QMessageBox::Yes, QMessageBox::No }) {
            boxes.clear();
            boxes.click(answer);
            openDamage(p, [&](DamageWindow *w) {
                for (Spinner *s : w->hs1)
                    while (s->spin() > 1)
                        side::arrow(s, false);
                pointer::click(w->cmdOK);
            });
            for (const auto &row : damage::rows(0))
                QCOMPARE(rb::at(p.romBytes(), row.pos), uint8_t(0));
            QCOMPARE(boxes.shown.front().text, QString("That was very cheap of you."));
            QCOMPARE(boxes.shown.front().icon, QMessageBox::Information);
            if (answer == QMessageBox::Yes) {
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
        RealBoxes boxes;
        Program p;
        side::poke(p, damage::rows(0)[0].pos, { 7 }); // 8 full segments
        for (size_t i = 1; i < 8; ++i)
            side::poke(p, damage::rows(0)[i].pos, { 15 }); // none full
        std::remove((p.g->files.datPath + "m1.dat").c_str());
        openDamage(p, [&](DamageWindow *w) {
            QCOMPARE(boxes.count(), 1); // the picture is named once, not once a segment
            QVERIFY(boxes.last().text.contains("m1.dat in subroutine 500."));
            // The Tag moved on, so the same state is not loaded again.
            QCOMPARE(fullSegments(*w, 0), 8);
            side::arrow(w->hs1[1], false);
            boxes.clear();
            std::remove(p.rom.c_str());
            pointer::click(w->cmdOK);
            QCOMPARE(boxes.count(), 1);
            QVERIFY(boxes.last().text.contains("in subroutine 502."));
            QVERIFY(w->isVisible());
        });
        QCOMPARE(p.w->windowTitle(), QString("Vorlig"));
    }

    void damageOpensTheWindowOfTheRelease()
    {
        RealBoxes boxes;
        Program p(rb::Rel::JP);
        QString seen;
        openDamage(p, [&](DamageWindow *w) {
            seen = w->objectName() + "|" + w->windowTitle();
            pointer::click(w->cmdCancel);
        });
        QCOMPARE(seen, QString("frmHits2|Curse Severity - Japanese Version"));
        QVERIFY(!QApplication::overrideCursor());
    }

    void bgmShowsEveryWordAsWhatItIs()
    {
        RealBoxes boxes;
        Program p(rb::oddTableBytes(rb::gameShape(rb::Rel::US)));
        const long long base = bgm::tablePos(0);
        const Bytes before = p.romBytes();
        side::open<frmBGM>(named<QToolButton>(p.w.get(), "cmdBGM"), [&](frmBGM *w) {
            QCOMPARE(w->windowTitle(), QString("BGM Tracks"));
            QCOMPARE(w->lab[0]->text(), QString("Warakiya"));
            QCOMPARE(w->cmb[0]->currentText(), QString("Life Loss"));
            QCOMPARE(w->cmb[1]->currentText(), QString("Beginning"));
            // Songs without an item of their own, and a word naming no song.
            QCOMPARE(w->cmb[11]->currentText(), QString("Song 11"));
            QCOMPARE(w->cmb[3]->currentText(), QString("Song 28"));
            QCOMPARE(w->cmb[5]->currentText(), QString("Song 12"));
            QCOMPARE(w->cmb[4]->currentText(), QString("Word BEEF"));
            QCOMPARE(w->cmb[7]->count(), bgm::items);
            pointer::click(w->cmdOK);
        });
        QCOMPARE(p.romBytes(), before);

        side::open<frmBGM>(named<QToolButton>(p.w.get(), "cmdBGM"), [&](frmBGM *w) {
            side::pick(w->cmb[1], 27); // "Life Loss"
            QCOMPARE(w->cmb[1]->currentText(), QString("Life Loss"));
            pointer::click(w->cmdOK);
            QCOMPARE(w->result(), int(QDialog::Accepted));
        });
        const Bytes after = p.romBytes();
        QCOMPARE(changedPositions(before, after), (std::vector<long long> { base + 2 }));
        QCOMPARE(wordAt(after, base + 2), 0x920Du);
        QCOMPARE(wordAt(after, base + 8), 0xBEEFu);
        QCOMPARE(boxes.count(), 0);
    }

    void bgmDefaultsJapanese()
    {
        RealBoxes boxes;
        Program p(rb::oddTableBytes(rb::gameShape(rb::Rel::JP)));
        const Bytes before = p.romBytes();
        side::open<frmBGM>(named<QToolButton>(p.w.get(), "cmdBGM"), [&](frmBGM *w) {
            pointer::click(w->cmdDefault);
            // The situation's own song where the list holds it, else the stand-in.
            QCOMPARE(w->cmb[28]->currentText(), QString("Song 28"));
            QCOMPARE(w->cmb[3]->currentText(), QString("Stream"));
            QCOMPARE(w->cmb[12]->currentText(), QString("Song 12"));
            pointer::click(w->cmdCancel);
        });
        QCOMPARE(p.romBytes(), before);
        side::open<frmBGM>(named<QToolButton>(p.w.get(), "cmdBGM"), [&](frmBGM *w) {
            pointer::click(w->cmdDefault);
            pointer::click(w->cmdOK);
        });
        const Bytes after = p.romBytes();
        for (int i = 0; i < bgm::situations; ++i)
            QCOMPARE(wordAt(after, 200719 + 2 * i), bgm::songPtr(i, 1));
        QCOMPARE(changedPositions(before, after),
            (std::vector<long long> {
                200719 + 6, 200719 + 7, 200719 + 8, 200719 + 9, 200719 + 10, 200719 + 11 }));
    }

    void gameOptionsKeepWhatIsNotBcd_data()
    {
        QTest::addColumn<int>("release");
        QTest::newRow("US") << 0;
        QTest::newRow("Japanese") << 1;
    }

    void gameOptionsKeepWhatIsNotBcd()
    {
        QFETCH(int, release);
        RealBoxes boxes;
        Program p(rb::oddTableBytes(rb::gameShape(releaseOf(release))));
        auto *options = named<QToolButton>(p.w.get(), "cmdMisc");
        const long long lives = release ? 3902 : 4297, hearts = release ? 3907 : 4306;
        const Bytes before = p.romBytes();
        QCOMPARE(rb::at(before, lives), uint8_t(0x2A));
        side::open<frmMisc>(options, [&](frmMisc *w) {
            QCOMPARE(w->windowTitle(), QString("Game options"));
            // The upper button of each control, which raises the number, points up; the lower
            // one down.
            for (Spinner *s : { w->vHeart, w->vLife }) {
                const std::vector<int> up = arrowRows(s, true), down = arrowRows(s, false);
                QVERIFY2(up.size() >= 2 && std::is_sorted(up.begin(), up.end())
                        && up.front() < up.back(),
                    qPrintable(s->objectName()));
                QVERIFY2(std::vector<int>(down.rbegin(), down.rend()) == up,
                    qPrintable(s->objectName()));
            }
            QCOMPARE(w->txtl->text(), QString("2A"));
            QCOMPARE(w->txth->text(), QString("A5"));
            pointer::click(w->cmdOK);
        });
        QCOMPARE(p.romBytes(), before);

        side::open<frmMisc>(options, [&](frmMisc *w) {
            side::arrow(w->vHeart, false); // down at 0: the hearts are the user's now
            QCOMPARE(w->vHeart->spin(), 0);
            QCOMPARE(w->txth->text(), QString("0"));
            QCOMPARE(w->txtl->text(), QString("2A"));
            pointer::click(w->cmdOK);
        });
        Bytes after = p.romBytes();
        QCOMPARE(changedPositions(before, after), std::vector<long long> { hearts });
        QCOMPARE(rb::at(after, hearts), uint8_t(0x00));

        side::open<frmMisc>(options, [&](frmMisc *w) {
            side::arrow(w->vLife, true);
            QCOMPARE(w->vLife->spin(), 3);
            QCOMPARE(w->txtl->text(), QString("3"));
            while (w->vHeart->spin() < 99)
                side::arrow(w->vHeart, true);
            side::arrow(w->vHeart, true); // up at 99
            QCOMPARE(w->txth->text(), QString("99"));
            pointer::click(w->cmdOK);
        });
        after = p.romBytes();
        QCOMPARE(rb::at(after, lives), uint8_t(0x03));
        QCOMPARE(rb::at(after, hearts), uint8_t(0x99));
        QCOMPARE(changedPositions(before, after), (std::vector<long long> { lives, hearts }));
        QCOMPARE(boxes.count(), 0);
    }

    void gameOptionsDefaultThenCancelWritesNothing()
    {
        RealBoxes boxes;
        Program p(rb::oddTableBytes(rb::gameShape(rb::Rel::US)));
        const Bytes before = p.romBytes();
        side::open<frmMisc>(named<QToolButton>(p.w.get(), "cmdMisc"), [&](frmMisc *w) {
            pointer::click(w->cmdDefault);
            QCOMPARE(w->txtl->text(), QString("2"));
            QCOMPARE(w->txth->text(), QString("5"));
            pointer::click(w->cmdCancel);
        });
        QCOMPARE(p.romBytes(), before);
        side::open<frmMisc>(named<QToolButton>(p.w.get(), "cmdMisc"), [&](frmMisc *w) {
            pointer::click(w->cmdDefault);
            pointer::click(w->cmdOK);
        });
        QCOMPARE(rb::at(p.romBytes(), 4297), uint8_t(0x02));
        QCOMPARE(rb::at(p.romBytes(), 4306), uint8_t(0x05));
    }
};

QTEST_MAIN(tst_tables)
#include "tst_tables.moc"
