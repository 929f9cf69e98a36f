// The program's own files (its pictures, its readme) as a person may leave them: a pipe, a
// folder, a damaged or huge file in a picture's place. The program never waits on one, says
// once which file it is and what stands there, and goes on.
#include "app/frmRI3.h"
#include "resources/Resources.h"
#include "support/PipeWatch.h"
#include "ui/Controls.h"
#include "ui/support/Named.h"
#include "ui/support/Pointer.h"
#include "ui/support/Program.h"
#include "ui/support/RealBoxes.h"

#include <QAction>
#include <QRadioButton>
#include <QtTest>

#include <cstdio>
#include <functional>
#include <sys/stat.h>

class tst_ownfiles : public QObject
{
    Q_OBJECT
private slots:
    // A pipe at a picture read at the start, at one read by a click, at the readme: the window
    // comes up, the click and the menu command end, and the pipe was never opened.
    void aPipeAmongTheProgramsFilesIsNeverWaitedOn()
    {
        struct Case
        {
            const char *file; // in the program folder
            bool atStart;
            std::function<void(Program &)> act;
            QString said;
            std::function<bool(Program &)> after = [](Program &) { return true; };
        };
        const std::vector<Case> cases = {
            { "Attic/aku0.dat", true, [](Program &p) { p.start(); },
                "aku0.dat' is a named pipe, not a picture" },
            { "Attic/pu_A1.dat", false,
                [](Program &p) { pointer::click(named<QRadioButton>(p.w.get(), "optPu")); },
                "pu_A1.dat' is a named pipe, not a picture" },
            // Stage 0's last selector page: one block, then seven cells that take no press.
            { "Attic/null.dat", false,
                [](Program &p) {
                    auto *pages = named<ctl::ScrollBar>(p.w.get(), "selscroll");
                    pages->setValue(pages->maximum());
                },
                "null.dat' is a named pipe, not a picture",
                [](Program &p) {
                    for (int k = 1; k < 8; ++k)
                        if (named<ctl::ImageBox>(p.w.get(), "sel", k)->isEnabled())
                            return false;
                    return true;
                } },
            { "readme.txt", false,
                [](Program &p) { named<QAction>(p.w.get(), "mnuReadme")->trigger(); },
                "File not found or error reading file." },
        };
        for (const Case &c : cases) {
            RealBoxes boxes;
            Program p(rb::Rel::US, !c.atStart);
            const std::string path = p.dir.file(c.file);
            if (c.atStart)
                QCOMPARE(::mkdir(p.dir.file("Attic").c_str(), 0755), 0);
            else
                std::remove(path.c_str());
            PipeWatch pipe(path);
            c.act(p);
            QVERIFY2(!pipe.opened(), c.file);
            QVERIFY2(boxes.any(c.said), qPrintable(boxes.texts().join("\n")));
            QVERIFY(!boxes.any("not a ROM file"));
            QVERIFY2(c.after(p), c.file);
            QCOMPARE(p.g->doc.shown().curStage, 0); // the program went on
        }
    }

    // Each picture that cannot be used is named once, with what stands at its path, and the
    // ROM cleared of suspicion; palette clicks that load them again show no box again. Put
    // right, a picture shows at once.
    void eachUnusablePictureIsNamedOnceWithWhatStandsThere()
    {
        RealBoxes boxes;
        Program p;
        const std::string attic = p.g->files.datPath;
        const std::vector<std::pair<std::string, QString>> cases = {
            { "pu_93.dat", "File not found: " },
            { "pu_94.dat", "' is a folder, not a picture (the ROM is not affected" },
            { "pu_95.dat", "' is a file of 0 bytes that holds no picture the program can show" },
            { "pu_97.dat", "' is a file of 13 bytes that holds no picture the program can show" },
            { "pu_A2.dat", "' is a file larger than 1 MiB, too large for a picture" },
        };
        const Bytes good = testfile::readAll(attic + "pu_97.dat");
        std::remove((attic + "pu_93.dat").c_str());
        std::remove((attic + "pu_94.dat").c_str());
        QCOMPARE(::mkdir((attic + "pu_94.dat").c_str(), 0755), 0);
        testfile::writeAll(attic + "pu_95.dat", {});
        testfile::writeText(attic + "pu_97.dat", "not a picture");
        Bytes huge = good;
        huge.resize((size_t(1) << 20) + 1);
        testfile::writeAll(attic + "pu_A2.dat", huge);

        auto *optPu = named<QRadioButton>(p.w.get(), "optPu");
        pointer::click(optPu);
        QCOMPARE(boxes.count(), int(cases.size()));
        for (const auto &[file, said] : cases)
            QVERIFY2(boxes.any(said) && boxes.any(QString::fromStdString(attic + file)),
                qPrintable(said));
        for (int i : { 3, 10 })
            pointer::click(named<ctl::ImageBox>(p.w.get(), "imgPu", i));
        QCOMPARE(boxes.count(), int(cases.size()));

        testfile::writeAll(attic + "pu_97.dat", good);
        pointer::click(named<ctl::ImageBox>(p.w.get(), "imgPu", 3));
        QVERIFY(!named<ctl::ImageBox>(p.w.get(), "imgPu", 4)->picture().isNull()); // "97"
        QCOMPARE(boxes.count(), int(cases.size()));
    }

    // Every picture of the folder damaged: a few are named, not one box each as the modes load
    // them.
    void aFolderOfDamagedPicturesIsToldOfInAFewBoxes()
    {
        RealBoxes boxes;
        Program p(rb::Rel::US, false);
        const std::string attic = p.dir.file("Attic/");
        QCOMPARE(::mkdir(attic.c_str(), 0755), 0);
        for (const std::string &name : res::names())
            testfile::writeText(attic + res::fileNameFor(name), "damaged");
        p.start();
        for (const char *mode : { "optPu", "optSt" })
            pointer::click(named<QRadioButton>(p.w.get(), mode));
        QCOMPARE(p.g->doc.shown().curStage, 0); // the program went on
        int told = 0;
        for (const QString &text : boxes.texts())
            told += text.contains("holds no picture the program can show");
        QVERIFY2(told == 5, qPrintable(boxes.texts().join("\n")));
    }
};

QTEST_MAIN(tst_ownfiles)
#include "tst_ownfiles.moc"
