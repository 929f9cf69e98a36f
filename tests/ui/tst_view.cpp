#include "app/frmSplash.h"
#include "rom/Numbers.h"
#include "support/DiskFull.h"
#include "support/Faults.h"
#include "support/RomMap.h"
#include "ui/Controls.h"
#include "ui/support/Boxes.h"
#include "ui/support/MainView.h"
#include "ui/support/Named.h"
#include "ui/support/Pointer.h"
#include "ui/support/Program.h"
#include "ui/support/RealBoxes.h"
#include "ui/support/Startup.h"
#include "ui/support/ViewPixels.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QtTest>

#include <unistd.h>

namespace {

ctl::ImageBox *viewCell(const Program &p, int k)
{
    return named<ctl::ImageBox>(p.w.get(), "scr", k);
}

using viewpx::blockAt;

QImage expectedBlock(const Program &p, int block, bool masked)
{
    return viewpx::expectedBlock(p, p.built.rom, block, masked);
}

// Every view cell shows the block its layout position holds, the top row masked when asked.
void checkView(const Program &p, bool topMasked)
{
    const QString wrong = viewpx::mismatch(p, p.built.rom, topMasked);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
}

void selectSection(Program &p, int stage, int section)
{
    named<ctl::ComboBox>(p.w.get(), "Combo1")->setCurrentIndex(stage);
    named<ctl::ComboBox>(p.w.get(), "Combo2")->setCurrentIndex(section);
}

// The column captions above the view.
QString captions(const Program &p)
{
    QStringList out;
    for (QLabel *x : namedArray<QLabel>(p.w.get(), "lH", 8))
        out << x->text();
    return out.join(' ');
}

} // namespace

class tst_view : public QObject
{
    Q_OBJECT
private slots:
    void startupEndsOnTheFirstSectionInBackgroundMode()
    {
        Boxes boxes;
        Program p;
        QCOMPARE(boxes.texts(), QStringList());
        QCOMPARE(p.g->doc.shown().curStage, 0);
        QCOMPARE(p.g->doc.shown().curSection, 0);
        QCOMPARE(named<ctl::ComboBox>(p.w.get(), "Combo1")->currentIndex(), 0);
        QCOMPARE(named<ctl::ComboBox>(p.w.get(), "Combo2")->currentIndex(), 0);
        QVERIFY(named<QRadioButton>(p.w.get(), "optBg")->isChecked());
        QVERIFY(named<QAction>(p.w.get(), "mnuBG")->isChecked());
        QVERIFY(!p.w->splash()->isVisible());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QVERIFY(!named<QPushButton>(p.w.get(), "cmdSave")->isEnabled());
        QCOMPARE(named<ctl::ComboBox>(p.w.get(), "Combo2")->count(), p.t->secCount[0]);
    }

    void horizontalSectionIsDrawnFromTilesAndPalettes()
    {
        Boxes boxes;
        Program p;
        auto *hMask = named<QAction>(p.w.get(), "mnuHMask");
        QVERIFY(!named<ctl::ScrollBar>(p.w.get(), "scrvscroll")->isEnabled());
        checkView(p, false);
        // The view cell shows its block at twice its size.
        p.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.w.get()));
        ctl::ImageBox *cell = viewCell(p, 9);
        QImage grabbed = p.w->grab(QRect(cell->mapTo(p.w.get(), QPoint(0, 0)), cell->size()))
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
        QImage block = expectedBlock(p, blockAt(p, 9), false);
        QCOMPARE(grabbed.size(), QSize(64, 64));
        for (int y = 0; y < 32; y += 5)
            for (int x = 0; x < 32; x += 3)
                QCOMPARE(grabbed.pixel(2 * x, 2 * y), block.pixel(x, y));

        hMask->trigger();
        QVERIFY(hMask->isChecked());
        checkView(p, true);
        hMask->trigger();
        checkView(p, false);
        QCOMPARE(boxes.count(), 0);
    }

    void verticalSectionIsNeverMasked()
    {
        Boxes boxes;
        Program p;
        named<QAction>(p.w.get(), "mnuHMask")->trigger();
        selectSection(p, 0, 2);
        QVERIFY(named<ctl::ScrollBar>(p.w.get(), "scrvscroll")->isEnabled());
        checkView(p, false);
        named<QAction>(p.w.get(), "mnuHMask")->trigger();
        checkView(p, false);
        QCOMPARE(boxes.count(), 0);
    }

    void horizontalScrolling()
    {
        Boxes boxes;
        Program p;
        auto *across = named<ctl::ScrollBar>(p.w.get(), "scrscroll");
        QCOMPARE(across->maximum(), p.t->layoutLen[0][0] / 6 - 8);
        QCOMPARE(captions(p), QString("0-1 0-2 0-3 0-4 0-5 0-6 0-7 0-8"));
        for (int k = 0; k < 48; ++k)
            QCOMPARE(shownPos(*p.w, k), k);

        across->setValue(6);
        QCOMPARE(captions(p), QString("0-7 0-8 1-1 1-2 1-3 1-4 1-5 1-6"));
        QCOMPARE(shownPos(*p.w, 8), 14);
        QCOMPARE(shownPos(*p.w, 10), 48 + 8);
        checkView(p, false);

        across->setValue(10);
        QCOMPARE(captions(p), QString("1-3 1-4 1-5 1-6 1-7 1-8 2-1 2-2"));
        QCOMPARE(shownPos(*p.w, 5), 55);
        QCOMPARE(shownPos(*p.w, 6), 96);
        QCOMPARE(shownPos(*p.w, 14), 104);
        checkView(p, false);

        across->setValue(5); // a dragged thumb snaps to the even column
        QCOMPARE(across->value(), 4);
        QCOMPARE(across->Tag, QString("4"));
        checkView(p, false);

        // Two columns on: the columns that stay take their neighbours' pictures; the two new
        // ones are drawn (checkView compares every cell's pixels).
        std::array<qint64, 48> before {};
        for (int k = 0; k < 48; ++k)
            before[static_cast<size_t>(k)] = viewCell(p, k)->picture().cacheKey();
        across->setValue(6);
        for (int k = 0; k < 48; ++k)
            if (k % 8 < 6)
                QCOMPARE(viewCell(p, k)->picture().cacheKey(), before[static_cast<size_t>(k + 2)]);
        checkView(p, false);
        across->setValue(4);
        checkView(p, false);
        QCOMPARE(boxes.count(), 0);
    }

    void verticalScrollingKeepsTheMaskInStep()
    {
        Boxes boxes;
        Program p;
        selectSection(p, 0, 2); // two screens, opens at its bottom end
        auto *down = named<ctl::ScrollBar>(p.w.get(), "scrvscroll");
        QCOMPARE(down->maximum(), 10);
        QCOMPARE(down->value(), 10);
        checkView(p, false);
        auto hatched = [&] {
            QString s;
            for (ctl::Shape *h : namedArray<ctl::Shape>(p.w.get(), "highlight", 6))
                s += h->fillStyle() == 7 ? '#' : '.';
            return s;
        };
        QCOMPARE(hatched(), QString(".....#")); // row 15 in view row 5
        down->setValue(6);
        QCOMPARE(named<QLabel>(p.w.get(), "lV", 0)->text(), QString("0-7"));
        QCOMPARE(shownPos(*p.w, 0), 48);
        QCOMPARE(hatched(), QString(".#...."));
        checkView(p, false);
        down->setValue(8);
        QCOMPARE(hatched(), QString("......"));
        down->setValue(3);
        QCOMPARE(down->value(), 2);
        QCOMPARE(hatched(), QString(".....#"));
        checkView(p, false);
        named<QAction>(p.w.get(), "mnuVMask")->trigger();
        QCOMPARE(hatched(), QString("......"));
        named<QAction>(p.w.get(), "mnuVMask")->trigger();
        QCOMPARE(hatched(), QString(".....#"));
    }

    void stageOneListsItsThirteenSections()
    {
        Boxes boxes;
        Program p;
        auto *sections = named<ctl::ComboBox>(p.w.get(), "Combo2");
        named<QAction>(p.w.get(), "mnusta", 1)->trigger();
        QCOMPARE(p.g->doc.shown().curStage, 1);
        QCOMPARE(sections->count(), 13);
        QCOMPARE(sections->itemText(10), QString("A"));
        QCOMPARE(named<ctl::ScrollBar>(p.w.get(), "stagScroll")->maximum(), 12);
        const char *labels[4] = { "1:03.00", "1:04.02", "1:04.00", "1:05.02" };
        for (int n = 9; n <= 12; ++n) {
            sections->setCurrentIndex(n);
            QCOMPARE(named<QLineEdit>(p.w.get(), "txtBlk")->text(), QString(labels[n - 9]));
            QVERIFY(!named<QPushButton>(p.w.get(), "cmdMirror")->isHidden());
            QVERIFY(!named<QRadioButton>(p.w.get(), "optPu")->isEnabled());
        }
        sections->setCurrentIndex(8);
        QVERIFY(named<QPushButton>(p.w.get(), "cmdMirror")->isHidden());
        QVERIFY(named<QRadioButton>(p.w.get(), "optPu")->isEnabled());
        named<ctl::ScrollBar>(p.w.get(), "stagScroll")->setValue(3);
        QCOMPARE(p.g->doc.shown().curSection, 3);
        QCOMPARE(boxes.count(), 0);
    }

    // Mirror asks first; OK (or Return) copies the upward section's layout into the downward one
    // shown and marks it, Cancel (or Escape) leaves everything as it was. Nothing is written.
    void mirrorCopiesTheUpwardLayoutOnOk_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("mirrors");
        QTest::newRow("OK") << int(QMessageBox::Ok) << 0 << true;
        QTest::newRow("Return") << 0 << int(Qt::Key_Return) << true;
        QTest::newRow("Cancel") << int(QMessageBox::Cancel) << 0 << false;
        QTest::newRow("Escape") << 0 << int(Qt::Key_Escape) << false;
    }
    void mirrorCopiesTheUpwardLayoutOnOk()
    {
        QFETCH(int, button);
        QFETCH(int, key);
        QFETCH(bool, mirrors);
        RealBoxes boxes;
        Program p;
        const Bytes rom = p.romBytes();
        pointer::choose(named<ctl::ComboBox>(p.w.get(), "Combo1"), 1);
        pointer::choose(named<ctl::ComboBox>(p.w.get(), "Combo2"), 10); // mirrors section 5
        const std::string before = p.t->layoutStr[1][10];
        const std::string up = p.t->layoutStr[1][5];
        QVERIFY(before.compare(0, 48, up, 0, 48) != 0);
        if (button)
            boxes.click(QMessageBox::StandardButton(button));
        else
            boxes.key(Qt::Key(key));
        pointer::click(named<QPushButton>(p.w.get(), "cmdMirror"));
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, QString("Upward/Downward Mirror"));
        QCOMPARE(boxes.last().text,
            QString("The BG used in the corresponding 'upward' section will be copied here.\nClick "
                    "OK to proceed, but don't forget to add/remove the door tiles."));
        QCOMPARE(boxes.last().style(), int(msg::QuestionOkCancel));
        const std::string &now = p.t->layoutStr[1][10];
        QCOMPARE(now.size(), before.size());
        if (mirrors) {
            const size_t n = std::min(before.size(), up.size());
            QVERIFY(now.compare(0, n, up, 0, n) == 0);
            QVERIFY(now.compare(n, std::string::npos, before, n) == 0);
            QVERIFY(p.doc->modified(1, 10));
            QVERIFY(named<QPushButton>(p.w.get(), "cmdSave")->isEnabled());
            for (int k = 0; k < 48; ++k)
                QCOMPARE(
                    viewCell(p, k)->Tag.right(2), QString::fromStdString(num::hex2(blockAt(p, k))));
        } else {
            QVERIFY(now == before);
            QVERIFY(!p.doc->anyModified());
        }
        QVERIFY(p.romBytes() == rom);
    }

    void barsFollowTheSectionShape()
    {
        Boxes boxes;
        Program p;
        auto *across = named<ctl::ScrollBar>(p.w.get(), "scrscroll");
        selectSection(p, 0, 1); // one screen
        QVERIFY(!across->isEnabled());
        QCOMPARE(across->maximum(), 0);
        selectSection(p, 2, 2); // six screens
        QVERIFY(across->isEnabled());
        QCOMPARE(across->maximum(), 40);
    }

    void unknownScrollByteIsShownAsNoneAndKept()
    {
        Boxes boxes;
        rb::RomDesc d = rb::gameShape(rb::Rel::US);
        d.stages[0].areas[1].sections[1].scroll = 0x85; // stage 0 load section 2
        Program p(d);
        auto *scrollBox = named<ctl::ComboBox>(p.w.get(), "Combo3");
        selectSection(p, 0, 2);
        QVERIFY(!scrollBox->isHidden());
        QCOMPARE(scrollBox->count(), 3);
        QCOMPARE(scrollBox->currentIndex(), -1); // no entry names 0x85
        QCOMPARE(p.t->scrollByte[0][2], uint8_t(0x85));
        QVERIFY(!p.doc->modified(0, 2));
        QVERIFY(!named<QPushButton>(p.w.get(), "cmdSave")->isEnabled());
        pointer::choose(scrollBox, 1);
        QCOMPARE(p.t->scrollByte[0][2], uint8_t(0x82));
        QVERIFY(p.doc->modified(0, 2));
    }

    void paintSaveAndRevert()
    {
        Boxes boxes;
        Program p;
        auto *save = named<QPushButton>(p.w.get(), "cmdSave");
        auto *revert = named<QPushButton>(p.w.get(), "cmdRevert");
        const Bytes before = p.romBytes();
        // Choose block 3 from the selector's first page.
        pointer::click(named<ctl::ImageBox>(p.w.get(), "sel", 3));
        QCOMPARE(named<ctl::ImageBox>(p.w.get(), "imgSel")->Tag, QString("&H03"));
        pointer::drag(viewCell(p, 9), {}, viewCell(p, 11), {}, 2); // over cell 10 on its way
        QVERIFY(p.doc->modified(0, 0));
        QVERIFY(save->isEnabled());
        QVERIFY(named<QAction>(p.w.get(), "mnuSaveAll")->isEnabled());
        for (int k : { 9, 10, 11 }) {
            QCOMPARE(viewCell(p, k)->Tag, QString("&H03"));
            QCOMPARE(p.t->layoutStr[0][0][static_cast<size_t>(k)], char(3));
        }
        pointer::click(save);
        QVERIFY(!p.doc->modified(0, 0));
        QVERIFY(!save->isEnabled());
        QVERIFY(!named<QPushButton>(p.w.get(), "cmdSaveAll")->isEnabled());
        Bytes after = p.romBytes();
        QCOMPARE(after.size(), before.size());
        const long long layout = p.t->layoutPos[0][0];
        for (size_t i = 0; i < after.size(); ++i) {
            const long long pos = static_cast<long long>(i) + 1;
            if (pos == layout + 9 || pos == layout + 10 || pos == layout + 11)
                QCOMPARE(after[i], uint8_t(3));
            else if (after[i] != before[i])
                QFAIL(qPrintable(QString("byte at position %1 changed").arg(pos)));
        }

        // Revert reads the section back from the file.
        pointer::click(named<ctl::ImageBox>(p.w.get(), "sel", 0));
        pointer::click(viewCell(p, 20));
        QVERIFY(revert->isEnabled());
        const uint8_t old = rb::at(before, layout + 20);
        pointer::click(revert);
        QCOMPARE(static_cast<uint8_t>(p.t->layoutStr[0][0][20]), old);
        QCOMPARE(viewCell(p, 20)->Tag, "&H" + QString::fromStdString(num::hex2(old)));
        QVERIFY(!p.doc->modified(0, 0));
        QVERIFY(!revert->isEnabled());

        // Painting the block a cell already holds still marks the section.
        pointer::click(viewCell(p, 2), {}, Qt::RightButton); // pick
        pointer::click(viewCell(p, 2));
        QVERIFY(p.doc->modified(0, 0));
        // Presses of other buttons change nothing.
        pointer::click(viewCell(p, 5), {}, Qt::MiddleButton);
        pointer::click(viewCell(p, 5), {}, Qt::BackButton);
        QCOMPARE(p.t->layoutStr[0][0][5], char(rb::at(before, layout + 5)));
        QCOMPARE(boxes.count(), 0);
    }

    void timeIsWrittenAtOnceForTheWholeArea()
    {
        Boxes boxes;
        Program p;
        selectSection(p, 3, 1); // stage 3 area 0 has three sections
        const int area = p.t->timeTbl[3][1][1];
        const long long pos = rb::romMap(rb::Rel::US).timeBytes + area;
        const Bytes before = p.romBytes();
        pointer::choose(named<ctl::ComboBox>(p.w.get(), "cmbTime"), 14); // "F00"
        Bytes after = p.romBytes();
        QCOMPARE(rb::at(after, pos), uint8_t(0xF0 | (rb::at(before, pos) & 0x0F)));
        after[static_cast<size_t>(pos - 1)] = rb::at(before, pos);
        QVERIFY(after == before);
        QVERIFY(!p.doc->modified(3, 1));
        for (int n = 0; n < p.t->secCount[3]; ++n)
            if (p.t->timeTbl[3][static_cast<size_t>(n)][1] == area) {
                named<ctl::ComboBox>(p.w.get(), "Combo2")->setCurrentIndex(n);
                QCOMPARE(named<ctl::ComboBox>(p.w.get(), "cmbTime")->currentText(), QString("F00"));
            }
        QCOMPARE(rb::at(p.romBytes(), pos), uint8_t(0xF0 | (rb::at(before, pos) & 0x0F)));
        QCOMPARE(boxes.count(), 0);
    }

    // A time that could not be written: the list, and every section of the area, show what the
    // ROM holds, and the box says so.
    void timeFollowsTheFileWhenTheWriteFails()
    {
        RealBoxes boxes;
        Program p;
        auto *timeBox = named<ctl::ComboBox>(p.w.get(), "cmbTime");
        selectSection(p, 3, 1);
        const int area = p.t->timeTbl[3][1][1];
        const QString shown = timeBox->currentText();
        const Bytes before = p.romBytes();
        {
            DiskFull full;
            pointer::choose(timeBox, 14); // "F00"
        }
        QVERIFY(p.romBytes() == before);
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().text.contains("in subroutine 107."));
        QVERIFY(
            boxes.last().text.endsWith("The ROM was not changed: the time stays " + shown + "."));
        QCOMPARE(timeBox->currentText(), shown);
        for (int n = 0; n < p.t->secCount[3]; ++n)
            if (p.t->timeTbl[3][static_cast<size_t>(n)][1] == area) {
                named<ctl::ComboBox>(p.w.get(), "Combo2")->setCurrentIndex(n);
                QCOMPARE(timeBox->currentText(), shown);
            }
        QVERIFY(!p.doc->modified(3, 1));

        // A write in place (the ROM has a second name) whose old byte cannot be flushed back
        // either: the box does not say that the ROM was not changed.
        QCOMPARE(::link(p.rom.c_str(), p.dir.file("second.nes").c_str()), 0);
        {
            faults::Armed eio({ faults::Call::Sync, p.rom });
            pointer::choose(timeBox, 14);
        }
        QCOMPARE(boxes.count(), 2);
        QVERIFY2(boxes.last().text.endsWith(
                     "The ROM may not have been put back as it was: the time shows " + shown + "."),
            qPrintable(boxes.last().text));
        QVERIFY(p.romBytes() == before);
        QCOMPARE(timeBox->currentText(), shown);
    }

    // A section that was not read from the ROM (all of them, when the file is cut in half or
    // missing) takes no edit: a click paints, marks and draws nothing in any mode, the read-outs
    // name no position, its time is not offered, and quitting asks about nothing.
    void aSectionNotReadTakesNoEdit_data()
    {
        QTest::addColumn<int>("size"); // of the ROM file; 0: no file
        QTest::newRow("ROM cut in half") << 196616;
        QTest::newRow("ROM missing") << 0;
    }
    void aSectionNotReadTakesNoEdit()
    {
        QFETCH(int, size);
        Boxes boxes;
        Program p(rb::Rel::US, false);
        Bytes rom = p.built.rom;
        rom.resize(static_cast<size_t>(size));
        if (size > 0)
            testfile::writeAll(p.rom, rom);
        else
            std::remove(p.rom.c_str());
        startup::onModal([](QDialog *d) {
            d->close(); // the Settings window, for the missing ROM
            return true;
        });
        p.start();
        startup::stopWatching();
        boxes.clear();
        ctl::ImageBox *cell = viewCell(p, 9);
        const QImage shown = cell->grab().toImage();
        for (const char *mode : { "optBg", "optPu", "optSt" }) {
            pointer::click(named<QRadioButton>(p.w.get(), mode));
            pointer::click(cell);
            pointer::drag(cell, QPoint(10, 10), viewCell(p, 12), QPoint(10, 10));
            QCOMPARE(cell->grab().toImage(), shown);
            QVERIFY(!named<QLineEdit>(p.w.get(), "txtOffset")->text().contains("Offset"));
        }
        QVERIFY(!named<QPushButton>(p.w.get(), "cmdSave")->isEnabled());
        QVERIFY(!named<ctl::ComboBox>(p.w.get(), "cmbTime")->isEnabled());
        QVERIFY(!p.doc->anyModified());
        QVERIFY(p.w->close());
        QCOMPARE(boxes.texts(), QStringList());
        if (size > 0)
            QCOMPARE(p.romBytes(), rom);
    }

    // A section whose palette set holds colours the palette file lacks: the redraw says how many
    // of its blocks could not be drawn, once; the same failure at the next section and scroll
    // step is not told again.
    void aRedrawThatFailsSaysSoOnce()
    {
        rb::RomDesc d = rb::gameShape(rb::Rel::US);
        for (rb::Area &a : d.stages[2].areas)
            for (rb::Section &n : a.sections)
                n.palSet = 42;
        d.palSets.at(42).fill(0x7F);
        Program p(d);
        RealBoxes boxes;
        pointer::choose(named<ctl::ComboBox>(p.w.get(), "Combo1"), 2);
        QCOMPARE(boxes.count(), 1);
        const QRegularExpression counted(
            "^The program encountered an unexpected error while drawing\\.\\nDescription : "
            "Subscript out of range \\(([0-9]+) of the ([0-9]+) blocks could not be drawn\\) in "
            "subroutine 159\\.\\nExecution will continue\\. The same failure in other sections "
            "is not shown again until the ROM is loaded anew\\.$");
        QRegularExpressionMatch m = counted.match(boxes.last().text);
        QVERIFY2(m.hasMatch(), qPrintable(boxes.last().text));
        QVERIFY(m.captured(1).toInt() > 1);
        QVERIFY(m.captured(2).toInt() >= 48);
        pointer::choose(named<ctl::ComboBox>(p.w.get(), "Combo2"), 2); // six screens
        auto *across = named<ctl::ScrollBar>(p.w.get(), "scrscroll");
        QVERIFY(across->isEnabled());
        pointer::click(across, QPoint(across->width() - 4, 4)); // one step
        QTRY_COMPARE(across->value(), 2);
        QCOMPARE(boxes.count(), 1);
        QVERIFY(!p.doc->anyModified());
    }

    // Every section of both releases in every mode: nothing to report, nothing marked.
    void everySectionInEveryMode_data()
    {
        QTest::addColumn<int>("rel");
        QTest::newRow("US") << 0;
        QTest::newRow("Japanese") << 1;
    }
    void everySectionInEveryMode()
    {
        QFETCH(int, rel);
        Boxes boxes;
        Program p(rel ? rb::Rel::JP : rb::Rel::US);
        auto *stages = named<ctl::ComboBox>(p.w.get(), "Combo1");
        auto *sections = named<ctl::ComboBox>(p.w.get(), "Combo2");
        auto *across = named<ctl::ScrollBar>(p.w.get(), "scrscroll");
        auto *down = named<ctl::ScrollBar>(p.w.get(), "scrvscroll");
        for (const char *mode : { "optBg", "optPu", "optSt" }) {
            pointer::click(named<QRadioButton>(p.w.get(), mode));
            for (int s = 0; s < 15; ++s) {
                stages->setCurrentIndex(s);
                for (int n = 0; n < p.t->secCount[static_cast<size_t>(s)]; ++n) {
                    sections->setCurrentIndex(n);
                    if (across->isEnabled())
                        across->setValue(across->maximum());
                    if (down->isEnabled())
                        down->setValue(0);
                }
            }
        }
        QCOMPARE(boxes.texts(), QStringList());
        QVERIFY(!p.doc->anyModified());
    }

    void spriteButtonsAreNotCoveredInTheMiscellaneousMode()
    {
        Boxes boxes;
        Program p;
        pointer::click(named<QRadioButton>(p.w.get(), "optSt"));
        QWidget *client = p.w->centralWidget();
        for (QWidget *b : { static_cast<QWidget *>(named<QToolButton>(p.w.get(), "cmdEPal")),
                 static_cast<QWidget *>(named<QToolButton>(p.w.get(), "cmdEPat")) }) {
            QVERIFY(!b->isHidden());
            QCOMPARE(client->childAt(b->geometry().center()), b);
        }
    }

    void readOutsFollowThePointer()
    {
        Boxes boxes;
        Program p;
        auto *offset = named<QLineEdit>(p.w.get(), "txtOffset");
        auto *pages = named<ctl::ScrollBar>(p.w.get(), "selscroll");
        pointer::move(viewCell(p, 9));
        QCOMPARE(offset->text(),
            "Offset " + QString::number(p.t->layoutPos[0][0] + 9 - 1, 16).toUpper());
        auto *val = named<QLineEdit>(p.w.get(), "txtVal");
        QCOMPARE(val->text(), viewCell(p, 9)->Tag.right(2));
        // A block painted under the pointer, and those a stroke passes, show at once.
        int pick = 0;
        while (named<ctl::ImageBox>(p.w.get(), "sel", pick)->Tag == viewCell(p, 9)->Tag.right(2)
            || named<ctl::ImageBox>(p.w.get(), "sel", pick)->Tag == viewCell(p, 8)->Tag.right(2))
            ++pick;
        const QString painted = named<ctl::ImageBox>(p.w.get(), "sel", pick)->Tag;
        pointer::click(named<ctl::ImageBox>(p.w.get(), "sel", pick));
        pointer::press(viewCell(p, 9));
        QCOMPARE(val->text(), painted);
        pointer::move(viewCell(p, 8));
        QCOMPARE(offset->text(),
            "Offset " + QString::number(p.t->layoutPos[0][0] + 8 - 1, 16).toUpper());
        QCOMPARE(val->text(), painted);
        pointer::release(viewCell(p, 8));
        // Over the window's own background: the selector's range again.
        pointer::move(p.w->centralWidget(), QPoint(4, p.w->centralWidget()->height() - 4));
        QCOMPARE(offset->text(), QString("Tileset 00-07"));
        // A move over a cell is the cell's, not the window background's.
        pointer::move(viewCell(p, 10), QPoint(3, 3));
        QCOMPARE(offset->text(),
            "Offset " + QString::number(p.t->layoutPos[0][0] + 10 - 1, 16).toUpper());
        pages->setValue(1);
        QCOMPARE(named<ctl::ImageBox>(p.w.get(), "sel", 0)->Tag, QString("08"));
        QCOMPARE(offset->text(), QString("Tileset 08-0F"));
        // Stage 0 has 145 blocks: the last page holds one block and seven null cells.
        pages->setValue(pages->maximum());
        QCOMPARE(pages->maximum(), 18);
        QCOMPARE(offset->text(), QString("Tileset 90-90"));
        QVERIFY(named<ctl::ImageBox>(p.w.get(), "sel", 0)->isEnabled());
        QVERIFY(!named<ctl::ImageBox>(p.w.get(), "sel", 1)->isEnabled());
        pages->setValue(17);
        QVERIFY(named<ctl::ImageBox>(p.w.get(), "sel", 7)->isEnabled());
    }
};

QTEST_MAIN(tst_view)
#include "tst_view.moc"
