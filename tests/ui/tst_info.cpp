#include "app/frmAbout.h"
#include "app/frmReadme.h"
#include "app/frmSplash.h"
#include "rom/Release.h"
#include "ui/Controls.h"
#include "ui/support/Boxes.h"
#include "ui/support/MainView.h"
#include "ui/support/Named.h"
#include "ui/support/Pointer.h"
#include "ui/support/Program.h"
#include "ui/support/RealBoxes.h"
#include "ui/support/Startup.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include <cstdio>
#include <functional>
#include <sys/stat.h>

namespace {

template <typename W> W *shownWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *x = qobject_cast<W *>(w); x && x->isVisible())
            return x;
    return nullptr;
}

// Puts a copy of the program's ROM cut off after size bytes in its place, before start-up.
Bytes cutRom(Program &p, size_t size)
{
    Bytes rom = p.built.rom;
    rom.resize(size);
    testfile::writeAll(p.rom, rom);
    return rom;
}

// A ROM that raises exactly one irregular-ROM box, written in the program's place.
enum class Damage { Truncated, StrayPointer };

Bytes damagedRom(Program &p, Damage damage)
{
    Bytes rom = p.built.rom;
    if (damage == Damage::Truncated) {
        rom.resize(262160 + 1024 * 100 + 500); // inside CHR bank 100, past every table
    } else {
        // Stage 0 section 0's staircase pointer, one byte off: it now points into bytes that
        // never end the list.
        const rb::SectionLedger &sec = p.built.ledger.stages[0].sections[0];
        const long long page = (sec.stairPos - 17) / 65536 * 65536 + 17;
        int delta = 1;
        auto unused = [&](long long at) {
            for (long long i = at; i < at + 96; ++i)
                if (i > static_cast<long long>(rom.size()) || rb::at(rom, i) != rb::filler)
                    return false;
            return true;
        };
        while (delta < 256 && !unused(page + (sec.stairPos - page + 256LL * delta) % 65536))
            ++delta;
        rom.at(static_cast<size_t>(sec.stairPtrPos)) += static_cast<uint8_t>(delta); // high byte
    }
    testfile::writeAll(p.rom, rom);
    return rom;
}

} // namespace

// The Help menu's windows, and the boxes the loader's failures end in.
class tst_info : public QObject
{
    Q_OBJECT
private slots:
    void readmeShowsTheFileOrSaysWhyNot()
    {
        RealBoxes boxes;
        Program p;
        auto *readme = named<QAction>(p.w.get(), "mnuReadme");
        testfile::writeText(p.dir.file("readme.txt"), "Line one\r\nline \xE9two");
        readme->trigger();
        frmReadme *r = shownWindow<frmReadme>();
        QVERIFY(r);
        QVERIFY(QTest::qWaitForWindowExposed(r));
        QCOMPARE(r->windowTitle(), QString("Readme"));
        QVERIFY(r->Text1->toPlainText().startsWith("Line one"));
        QVERIFY(r->Text1->toPlainText().contains(QChar(0xE9)));
        // The text box keeps its margins from the window's outer size, frame included, and
        // never reaches past the client area.
        for (QSize size : { QSize(400, 300), QSize(700, 200) }) {
            r->resize(size);
            const QSize outer = r->frameGeometry().size();
            QCOMPARE(r->Text1->width(), std::min(size.width(), outer.width() - 8));
            QCOMPARE(r->Text1->height(), std::min(size.height(), outer.height() - 22));
        }

        // Asked for again: the same window comes to the front; there is never a second one.
        r->Text1->setPlainText("scrolled and read");
        readme->trigger();
        readme->trigger();
        int open = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            open += qobject_cast<frmReadme *>(w) && w->isVisible();
        QCOMPARE(open, 1);
        QCOMPARE(shownWindow<frmReadme>(), r);
        QCOMPARE(r->Text1->toPlainText(), QString("scrolled and read"));
        r->close();
        QCOMPARE(boxes.count(), 0);

        std::remove(p.dir.file("readme.txt").c_str());
        readme->trigger();
        QCOMPARE(boxes.count("File not found or error reading file."), 1);
        QCOMPARE(boxes.last().style(), int(msg::Critical));
        QCOMPARE(boxes.last().title, QString("What a horrible night to have a curse"));
        QCOMPARE(shownWindow<frmReadme>(), nullptr);

        testfile::writeText(p.dir.file("readme.txt"), "");
        readme->trigger();
        QVERIFY(shownWindow<frmReadme>());
        QCOMPARE(shownWindow<frmReadme>()->Text1->toPlainText(), QString());
        shownWindow<frmReadme>()->close();
    }

    // The About and splash faces show their whole text: nothing drawn touches the picture's
    // left or right edge below the castle.
    void aboutAndSplashShowTheirWholeText()
    {
        ProgramState g;
        frmAbout about;
        frmSplash splash(g.doc);
        for (QWidget *w : { static_cast<QWidget *>(&about), static_cast<QWidget *>(&splash) }) {
            auto *face = w->findChild<QLabel *>("face");
            QVERIFY(face);
            const QImage img = face->pixmap().toImage();
            QVERIFY(face->geometry().right() < w->width());
            QVERIFY(face->geometry().bottom() < w->height());
            for (int y = img.height() * 2 / 3; y < img.height(); ++y)
                for (int x : { 0, 1, img.width() - 2, img.width() - 1 })
                    QVERIFY2(qGray(img.pixel(x, y)) < 40,
                        qPrintable(QString("%1 at %2,%3").arg(w->objectName()).arg(x).arg(y)));
        }
    }

    void aboutAndSplashCloseOnAClick()
    {
        RealBoxes boxes;
        Program p;
        named<QAction>(p.w.get(), "mnuAbout")->trigger();
        QPointer<frmAbout> a = shownWindow<frmAbout>();
        QVERIFY(a);
        QCOMPARE(a->windowTitle(), QString("About"));
        pointer::click(a);
        QVERIFY(!a || !a->isVisible()); // hidden, and gone once it lost the focus

        named<QAction>(p.w.get(), "mnuspl")->trigger();
        frmSplash *s = p.w->splash();
        QVERIFY(s->isVisible());
        QCOMPARE(s->size(), QSize(512, 369));
        QCOMPARE(s->Label1->text(), QString("v 1.1"));
        pointer::click(s->Label1);
        QVERIFY(!s->isVisible());
        QCOMPARE(boxes.count(), 0);
    }

    // Only Yes or No answers the question: Escape and the title bar's close, a person's
    // reflexes, leave it standing. The box shows its whole title in a window manager's bar.
    void closingAsksAboutUnsavedSections_data()
    {
        QTest::addColumn<bool>("reflexFirst");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("saves");
        QTest::newRow("Yes saves") << false << int(QMessageBox::Yes) << 0 << true;
        QTest::newRow("Return saves") << false << 0 << int(Qt::Key_Return) << true;
        QTest::newRow("No drops") << false << int(QMessageBox::No) << 0 << false;
        QTest::newRow("Escape and close, then Yes") << true << int(QMessageBox::Yes) << 0 << true;
        QTest::newRow("Escape and close, then No") << true << int(QMessageBox::No) << 0 << false;
    }
    void closingAsksAboutUnsavedSections()
    {
        QFETCH(bool, reflexFirst);
        QFETCH(int, button);
        QFETCH(int, key);
        QFETCH(bool, saves);
        RealBoxes boxes;
        {
            Program clean;
            clean.w->close();
            QCOMPARE(boxes.count(), 0); // nothing marked: no question
        }
        Program p;
        const Bytes before = p.romBytes();
        pointer::click(named<ctl::ImageBox>(p.w.get(), "sel", 5));
        pointer::click(named<ctl::ImageBox>(p.w.get(), "scr", 20));
        if (reflexFirst) {
            boxes.key(Qt::Key_Escape);
            boxes.closeByTitleBar();
        }
        if (button)
            boxes.click(QMessageBox::StandardButton(button));
        else
            boxes.key(Qt::Key(key));
        int titleRoom = 0;
        boxes.whileShown = [&](QMessageBox *b) { titleRoom = b->width(); };
        p.w->close();
        QCOMPARE(boxes.count("Save changes?"), 1);
        QCOMPARE(boxes.last().leftOpen, reflexFirst ? 2 : 0);
        QCOMPARE(boxes.last().title, QString("You have unsaved data"));
        QCOMPARE(boxes.last().style(), int(msg::QuestionYesNo));
        // A title bar's bold face of 11 points, its icon and three buttons beside the title.
        QFont bar = QApplication::font();
        bar.setBold(true);
        bar.setPointSize(11);
        QVERIFY(titleRoom >= QFontMetrics(bar).horizontalAdvance(boxes.last().title) + 100);
        Bytes after = p.romBytes();
        if (saves) {
            const long long at = p.t->layoutPos[0][0] + shownPos(*p.w, 20);
            QCOMPARE(rb::at(after, at), uint8_t(5));
            after[static_cast<size_t>(at - 1)] = rb::at(before, at);
        }
        QVERIFY(after == before);
        QVERIFY(!p.w->isVisible());
    }

    // A palette file that cannot be used ends the program with one box that names the cause.
    void unusablePaletteFileEndsTheProgram_data()
    {
        QTest::addColumn<int>("kind"); // 0 missing, 1 a named pipe, 2 too short
        QTest::addColumn<QString>("cause");
        QTest::newRow("missing") << 0 << "File not found: %DIR%Vorlig.pal";
        QTest::newRow("a named pipe")
            << 1 << "'%DIR%Vorlig.pal' is a named pipe, not a regular file";
        QTest::newRow("too short")
            << 2 << "'%DIR%Vorlig.pal' holds 100 bytes, fewer than the 192 of 64 colours";
    }
    void unusablePaletteFileEndsTheProgram()
    {
        QFETCH(int, kind);
        QFETCH(QString, cause);
        RealBoxes boxes;
        EndWatch end;
        Program p(rb::Rel::US, false);
        const std::string pal = p.dir.file("Vorlig.pal");
        std::remove(pal.c_str());
        if (kind == 1)
            QCOMPARE(::mkfifo(pal.c_str(), 0644), 0);
        if (kind == 2)
            testfile::writeAll(pal, Bytes(100, 0x20));
        p.start();
        QCOMPARE(end.calls, 1);
        QCOMPARE(boxes.count(), 1);
        const QStringList lines = boxes.last().text.split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QString("Palette file 'Vorlig.pal' is either missing or corrupt."));
        QVERIFY2(lines[1].startsWith(cause.replace("%DIR%", QString::fromStdString(p.dir.path()))),
            qPrintable(lines[1]));
        QCOMPARE(lines.mid(2).join('\n'),
            QString("Please copy a valid NES palette file bearing that name in the EXE "
                    "folder.\nExecution will now stop."));
        QCOMPARE(boxes.last().style(), int(msg::Critical));
        QVERIFY(romfile::fileExists(p.dir.file("Vorlig.ini")));
    }

    // The irregular-ROM box, answered the four ways a person can, on ROMs that raise it once:
    // OK and Return go on loading with the settings file kept; Cancel and Escape delete the
    // settings file and end the program. Loading never writes the ROM.
    void irregularRomBoxAnswers_data()
    {
        QTest::addColumn<int>("damage");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("goesOn");
        const struct
        {
            const char *name;
            QMessageBox::StandardButton button;
            Qt::Key key;
            bool goesOn;
        } answers[] = {
            { "OK", QMessageBox::Ok, Qt::Key_unknown, true },
            { "Return", QMessageBox::NoButton, Qt::Key_Return, true },
            { "Cancel", QMessageBox::Cancel, Qt::Key_unknown, false },
            { "Escape", QMessageBox::NoButton, Qt::Key_Escape, false },
        };
        for (Damage d : { Damage::Truncated, Damage::StrayPointer })
            for (const auto &a : answers)
                QTest::addRow(
                    "%s, %s", d == Damage::Truncated ? "truncated" : "stray pointer", a.name)
                    << int(d) << int(a.button) << int(a.key) << a.goesOn;
    }
    void irregularRomBoxAnswers()
    {
        QFETCH(int, damage);
        QFETCH(int, button);
        QFETCH(int, key);
        QFETCH(bool, goesOn);
        RealBoxes boxes;
        EndWatch end;
        Program p(rb::Rel::US, false);
        const Bytes rom = damagedRom(p, Damage(damage));
        if (button != QMessageBox::NoButton)
            boxes.click(QMessageBox::StandardButton(button));
        else
            boxes.key(Qt::Key(key));
        p.start();
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().text.startsWith("The program encountered an unexpected error.\nThe "
                                             "ROM you're loading is irregular or damaged. :(\n"
                                             "Click Cancel to quit.\nDescription : "));
        QVERIFY(boxes.last().text.endsWith(" in subroutine 111."));
        QCOMPARE(boxes.last().style(), int(msg::CriticalOkCancel));
        QVERIFY(boxes.missingButtons.isEmpty());
        QVERIFY(testfile::readAll(p.rom) == rom);
        QCOMPARE(end.calls, goesOn ? 0 : 1);
        QCOMPARE(romfile::fileExists(p.dir.file("Vorlig.ini")), goesOn);
        if (!goesOn)
            return;
        // Loaded and shown: stage 0, section 0, every cell drawn, nothing marked.
        QCOMPARE(p.g->doc.shown().curStage, 0);
        QCOMPARE(p.g->doc.shown().curSection, 0);
        QVERIFY(!p.w->splash()->isVisible());
        for (ctl::ImageBox *cell : namedArray<ctl::ImageBox>(p.w.get(), "scr", 48))
            QVERIFY(!cell->picture().isNull());
        QVERIFY(!p.doc->anyModified());
    }

    // A damaged ROM answered with OK at every box: every section of every stage can still be
    // shown in every mode, and nothing is written.
    void damagedRomsCanBeBrowsedInEveryMode_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("truncated in the level data") << 0;
        QTest::newRow("truncated in the CHR banks") << 1;
        QTest::newRow("pointers scrambled") << 2;
    }
    void damagedRomsCanBeBrowsedInEveryMode()
    {
        QFETCH(int, kind);
        Boxes boxes;
        Program p(rb::Rel::US, false);
        Bytes rom = cutRom(p, kind == 0 ? 120000 : kind == 1 ? 300000 : p.built.rom.size());
        if (kind == 2) {
            for (size_t i = 98000; i < 150000; i += 7)
                rom[i] = static_cast<uint8_t>(rom[i] * 31 + i);
            testfile::writeAll(p.rom, rom);
        }
        p.start();
        auto *stages = named<ctl::ComboBox>(p.w.get(), "Combo1");
        auto *sections = named<ctl::ComboBox>(p.w.get(), "Combo2");
        auto *across = named<ctl::ScrollBar>(p.w.get(), "scrscroll");
        auto *down = named<ctl::ScrollBar>(p.w.get(), "scrvscroll");
        for (const char *name : { "optBg", "optPu", "optSt" }) {
            auto *mode = named<QRadioButton>(p.w.get(), name);
            if (mode->isEnabled())
                mode->click();
            for (int s = 0; s < 15; ++s) {
                stages->setCurrentIndex(s);
                for (int n = 0; n < sections->count(); ++n) {
                    sections->setCurrentIndex(n);
                    if (across->isEnabled())
                        across->setValue(across->maximum());
                    if (down->isEnabled())
                        down->setValue(0);
                }
            }
        }
        QVERIFY(testfile::readAll(p.rom) == rom);
        // A level-data box keeps its warning that the data may be wrong, told once.
        int levelBoxes = 0;
        for (const QString &text : boxes.texts()) {
            if (!text.contains(" in subroutine 121."))
                continue;
            ++levelBoxes;
            QVERIFY2(text.endsWith("\rExecution will continue, but the level data may have been "
                                   "incorrectly processed. The same failure in other sections is "
                                   "not shown again until the ROM is loaded anew."),
                qPrintable(text));
        }
        QVERIFY(kind != 0 || levelBoxes > 0);
    }

    // Every side window opens and closes on a ROM cut off in its CHR banks without writing it.
    void sideWindowsOpenOnADamagedRom()
    {
        Boxes boxes;
        Program p(rb::Rel::US, false);
        const Bytes rom = cutRom(p, 300000);
        p.start();
        const std::vector<std::function<void()>> openers = {
            [&] { pointer::click(named<ctl::ImageBox>(p.w.get(), "sel", 1), {}, Qt::RightButton); },
            [&] { named<QAction>(p.w.get(), "mnuPatterns")->trigger(); },
            [&] { named<QToolButton>(p.w.get(), "cmdEPat")->click(); },
            [&] { named<QAction>(p.w.get(), "mnuPalettes")->trigger(); },
            [&] { named<QAction>(p.w.get(), "mnuSprites")->trigger(); },
            [&] { named<QAction>(p.w.get(), "mnuDamage")->trigger(); },
            [&] { named<QAction>(p.w.get(), "mnuBGM")->trigger(); },
            [&] { named<QAction>(p.w.get(), "mnuMisc")->trigger(); },
        };
        for (const auto &open : openers) {
            int seen = 0;
            startup::onModal([&](QDialog *d) {
                ++seen;
                d->reject();
                return true;
            });
            open();
            startup::stopWatching();
            QVERIFY(seen >= 1);
        }
        QVERIFY(testfile::readAll(p.rom) == rom);
    }
};

QTEST_MAIN(tst_info)
#include "tst_info.moc"
