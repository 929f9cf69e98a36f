#include "app/Controls.h"
#include "app/frmAbout.h"
#include "app/frmReadme.h"
#include "app/frmSplash.h"
#include "rom/Release.h"
#include "ui/support/Boxes.h"
#include "ui/support/Program.h"
#include "ui/support/Startup.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QtTest>

#include <cstdio>
#include <functional>

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

} // namespace

// The Help menu's windows, and the boxes the loader's failures end in.
class tst_info : public QObject
{
    Q_OBJECT
private slots:
    void readmeShowsTheFileOrSaysWhyNot()
    {
        Boxes boxes;
        Program p;
        testfile::writeText(p.dir.file("readme.txt"), "Line one\r\nline \xE9two");
        p.w->mnuReadme->trigger();
        frmReadme *r = shownWindow<frmReadme>();
        QVERIFY(r);
        QCOMPARE(r->windowTitle(), QString("Readme"));
        QVERIFY(r->Text1->toPlainText().startsWith("Line one"));
        QVERIFY(r->Text1->toPlainText().contains(QChar(0xE9)));
        r->resize(400, 300);
        QCOMPARE(r->Text1->width(), 400 - 8);
        QCOMPARE(r->Text1->height(), 300 - 22);
        r->close();
        QCOMPARE(boxes.count(), 0);

        std::remove(p.dir.file("readme.txt").c_str());
        p.w->mnuReadme->trigger();
        QCOMPARE(boxes.count("File not found or error reading file."), 1);
        QCOMPARE(boxes.last().style, int(msg::Critical));
        QCOMPARE(boxes.last().title, QString("What a horrible night to have a curse"));
        QCOMPARE(shownWindow<frmReadme>(), nullptr);

        testfile::writeText(p.dir.file("readme.txt"), "");
        p.w->mnuReadme->trigger();
        QVERIFY(shownWindow<frmReadme>());
        QCOMPARE(shownWindow<frmReadme>()->Text1->toPlainText(), QString());
        shownWindow<frmReadme>()->close();
    }

    void aboutAndSplashCloseOnAClick()
    {
        Boxes boxes;
        Program p;
        p.w->mnuAbout->trigger();
        frmAbout *a = shownWindow<frmAbout>();
        QVERIFY(a);
        QCOMPARE(a->windowTitle(), QString("About"));
        QTest::mouseClick(a, Qt::LeftButton);
        QVERIFY(!a->isVisible());

        p.w->mnuspl->trigger();
        frmSplash *s = p.w->splash();
        QVERIFY(s->isVisible());
        QCOMPARE(s->size(), QSize(512, 369));
        QCOMPARE(s->Label1->text(), QString("v 1.1"));
        QTest::mouseClick(s->Label1, Qt::LeftButton);
        QVERIFY(!s->isVisible());
    }

    void closingAsksAboutUnsavedSections_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes saves") << int(msg::Yes);
        QTest::newRow("No drops") << int(msg::No);
    }
    void closingAsksAboutUnsavedSections()
    {
        QFETCH(int, answer);
        Boxes boxes;
        {
            Program clean;
            clean.w->close();
            QCOMPARE(boxes.count(), 0); // nothing marked: no question
        }
        Program p;
        const Bytes before = p.romBytes();
        p.w->sel_MouseDown(5, 1);
        p.w->scr_MouseDown(20, 1, 0, 0);
        boxes.answer(answer);
        p.w->close();
        QCOMPARE(boxes.count("Save changes?"), 1);
        QCOMPARE(boxes.last().title, QString("You have unsaved data"));
        QCOMPARE(boxes.last().style, int(msg::QuestionYesNo));
        const Bytes after = p.romBytes();
        if (answer == msg::Yes)
            QCOMPARE(rb::at(after, p.t->layoutPos[0][0] + 20), uint8_t(5));
        else
            QVERIFY(after == before);
    }

    void missingPaletteFileEndsTheProgram()
    {
        Boxes boxes;
        EndWatch end;
        Program p(rb::Rel::US, false);
        std::remove(p.dir.file("Vorlig.pal").c_str());
        p.start();
        QCOMPARE(end.calls, 1);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text,
            QString("Palette file 'Vorlig.pal' is either missing or corrupt.\rPlease copy a "
                    "valid NES palette file bearing that name in the EXE folder.\rExecution "
                    "will now stop."));
        QVERIFY(romfile::fileExists(p.dir.file("Vorlig.ini")));
    }

    void cancelOnADamagedRomDeletesTheSettings()
    {
        Boxes boxes;
        EndWatch end;
        Program p(rb::Rel::US, false);
        // A truncated ROM: the loader's reads run off its end.
        const Bytes rom = cutRom(p, 150000);
        boxes.answer(msg::Ok); // the debug byte lies past the end too
        boxes.answer(msg::Cancel);
        p.start();
        QCOMPARE(end.calls, 1);
        QCOMPARE(boxes.count(), 2);
        QVERIFY(boxes.last().text.contains("The ROM you're loading is irregular or damaged. :("));
        QVERIFY(boxes.last().text.endsWith(" in subroutine 111."));
        QCOMPARE(boxes.last().style, int(msg::CriticalOkCancel));
        QVERIFY(!romfile::fileExists(p.dir.file("Vorlig.ini")));
        QVERIFY(testfile::readAll(p.rom) == rom); // loading never writes
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
        for (QRadioButton *mode : { p.w->optBg, p.w->optPu, p.w->optSt }) {
            if (mode->isEnabled())
                mode->click();
            for (int s = 0; s < 15; ++s) {
                p.w->Combo1->setCurrentIndex(s);
                for (int n = 0; n < p.w->Combo2->count(); ++n) {
                    p.w->Combo2->setCurrentIndex(n);
                    if (p.w->scrscroll->isEnabled())
                        p.w->scrscroll->setValue(p.w->scrscroll->maximum());
                    if (p.w->scrvscroll->isEnabled())
                        p.w->scrvscroll->setValue(0);
                }
            }
        }
        QVERIFY(testfile::readAll(p.rom) == rom);
    }

    // Every side window opens and closes on a ROM cut off in its CHR banks without writing it.
    void sideWindowsOpenOnADamagedRom()
    {
        Boxes boxes;
        Program p(rb::Rel::US, false);
        const Bytes rom = cutRom(p, 300000);
        p.start();
        const std::vector<std::function<void()>> openers = {
            [&] { p.w->sel_MouseDown(1, 2); },
            [&] { p.w->cmdPattern_Click(); },
            [&] { p.w->cmdEPat_Click(); },
            [&] { p.w->EditPalettes(); },
            [&] { p.w->cmdEPal_Click(); },
            [&] { p.w->Damage(); },
            [&] { p.w->BGM(); },
            [&] { p.w->cmdMisc_Click(); },
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

    void okOnADamagedRomGoesOn()
    {
        Boxes boxes;
        Program p(rb::Rel::US, false);
        const Bytes rom = cutRom(p, 150000);
        p.start();
        QVERIFY(boxes.count() >= 1);
        QVERIFY(romfile::fileExists(p.dir.file("Vorlig.ini")));
        QCOMPARE(p.g->curStage, 0);
        QVERIFY(testfile::readAll(p.rom) == rom);
    }
};

QTEST_MAIN(tst_info)
#include "tst_info.moc"
