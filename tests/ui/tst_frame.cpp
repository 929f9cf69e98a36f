#include "app/frmRI3.h"
#include "support/DiskFull.h"
#include "support/Faults.h"
#include "support/TempDir.h"
#include "ui/support/Boxes.h"
#include "ui/support/Named.h"
#include "ui/support/Pointer.h"
#include "ui/support/Program.h"
#include "ui/support/RealBoxes.h"

#include <QAction>
#include <QFile>
#include <QFrame>
#include <QPushButton>
#include <QtTest>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString badEmulator = "Specify a valid location for your emulator in the file settings.";

// The program on a US ROM, with a stand-in emulator that writes its arguments, one a line,
// into args.txt.
struct Frame : Program
{
    explicit Frame(const std::string &romName = "game.nes") : Program(rb::Rel::US, false)
    {
        if (romName != "game.nes") {
            std::string moved = dir.file(romName);
            std::rename(rom.c_str(), moved.c_str());
            rom = moved;
            IniValues v;
            v.romPath = rom;
            ini::write(dir.file("Vorlig.ini"), v);
        }
        start();
    }
    void setEmulator(const std::string &emu, int romLoad)
    {
        IniValues v;
        ini::read(dir.file("Vorlig.ini"), 7, v);
        v.emuPath = emu;
        v.romLoad = romLoad;
        ini::write(dir.file("Vorlig.ini"), v);
    }
    std::string fakeEmulator(const std::string &name = "emu")
    {
        std::string path = dir.file(name);
        const std::string out = dir.file("args.txt");
        testfile::writeText(path,
            "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"" + out + ".tmp\"\nmv \"" + out
                + ".tmp\" \"" + out + "\"\n");
        ::chmod(path.c_str(), 0755);
        return path;
    }
    QString waitForArgs()
    {
        QString file = QString::fromStdString(dir.file("args.txt"));
        // The emulator is a process of its own: a busy machine may take long to start it.
        if (!QTest::qWaitFor([&] { return QFile::exists(file); }, 60000))
            return "<not started>";
        return QString::fromStdString(testfile::readText(dir.file("args.txt")));
    }
};

} // namespace

class tst_frame : public QObject
{
    Q_OBJECT
private slots:
    void launchPassesTheRomAsOneArgument()
    {
        Boxes boxes;
        Frame p("my rom.nes");
        p.setEmulator(p.fakeEmulator(), 1);
        named<QAction>(p.w.get(), "mnuLaunchEmu")->trigger();
        QCOMPARE(p.waitForArgs(), QString::fromStdString(p.rom + "\n"));
        QCOMPARE(boxes.count(), 0);
    }

    void launchWithoutTheRom()
    {
        Boxes boxes;
        Frame p;
        p.setEmulator(p.fakeEmulator("an emulator"), 0); // blanks in the program's own path
        pointer::click(named<QPushButton>(p.w.get(), "cmdEmulator"));
        QCOMPARE(p.waitForArgs(), QString());
        QCOMPARE(p.g->files.ini.romLoad, 0);
    }

    void missingEmulatorIsReported()
    {
        RealBoxes boxes;
        Frame p;
        p.setEmulator(p.dir.file("none"), 1);
        pointer::click(named<QPushButton>(p.w.get(), "cmdEmulator"));
        QCOMPARE(boxes.count(badEmulator), 1);
        QCOMPARE(boxes.last().title, QString("Invalid pathname"));
        QCOMPARE(boxes.last().style(), int(msg::Exclamation));

        p.setEmulator("", 1);
        pointer::click(named<QPushButton>(p.w.get(), "cmdEmulator"));
        QCOMPARE(boxes.count(badEmulator), 2);
    }

    void debugScreenFlipsTheByteAndRewritesSettings()
    {
        Boxes boxes;
        Frame p;
        auto *debug = named<QAction>(p.w.get(), "mnuDebug");
        Bytes before = testfile::readAll(p.rom);
        testfile::writeText(p.dir.file("Vorlig.ini"), "stale");
        debug->trigger();
        Bytes after = testfile::readAll(p.rom);
        QCOMPARE(after[255897], uint8_t(0xE4));
        after[255897] = 0x90;
        QVERIFY(after == before); // nothing else changed
        QVERIFY(debug->isChecked());
        QVERIFY(testfile::readText(p.dir.file("Vorlig.ini")).rfind("rompath=" + p.rom + "\r\n", 0)
            == 0);
        debug->trigger();
        QVERIFY(testfile::readAll(p.rom) == before);
        QVERIFY(!debug->isChecked());
        QCOMPARE(boxes.count(), 0);
    }

    // A write that fails leaves the check mark showing what the ROM holds, and says so.
    void debugScreenFollowsTheFileWhenTheWriteFails()
    {
        RealBoxes boxes;
        Frame p;
        auto *debug = named<QAction>(p.w.get(), "mnuDebug");
        const Bytes before = testfile::readAll(p.rom);
        QWindow *win = pointer::windowOf(p.w.get());
        // Ctrl+D as a person types it, into the main window once it has the keyboard again.
        auto ctrlD = [&] {
            p.w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(p.w.get()));
            QTest::keyClick(win, Qt::Key_D, Qt::ControlModifier);
        };
        QVERIFY(!debug->isChecked());
        {
            DiskFull full;
            ctrlD();
        }
        QVERIFY(!debug->isChecked());
        QVERIFY(testfile::readAll(p.rom) == before);
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().text.contains("in subroutine 126."));
        QVERIFY(boxes.last().text.endsWith("The ROM was not changed: the Debug Screen stays off."));
        QCOMPARE(boxes.last().style(), int(msg::Critical));

        // Switched on, then a failed switch off: the mark stays on, as the ROM has it.
        ctrlD();
        QVERIFY(debug->isChecked());
        {
            DiskFull full;
            ctrlD();
        }
        QVERIFY(debug->isChecked());
        QCOMPARE(testfile::readAll(p.rom)[255897], uint8_t(0xE4));
        QVERIFY(boxes.last().text.endsWith("the Debug Screen stays on."));

        // Written in place (the ROM has a second name), and even the old byte cannot be flushed
        // back: the box does not claim the ROM unchanged, and the mark shows what the file holds.
        QCOMPARE(::link(p.rom.c_str(), p.dir.file("second.nes").c_str()), 0);
        {
            faults::Armed flushFails({ faults::Call::Sync, p.rom, 0, 2 });
            ctrlD();
        }
        QCOMPARE(boxes.count(), 3);
        QVERIFY2(boxes.last().text.endsWith("The ROM could not be put back as it was; as the file "
                                            "reads now, the Debug Screen is on."),
            qPrintable(boxes.last().text));
        QCOMPARE(testfile::readAll(p.rom)[255897], uint8_t(0xE4));
        QVERIFY(debug->isChecked());

        // A ROM gone from its place: nothing is created, the mark keeps what it showed.
        std::remove(p.rom.c_str());
        ctrlD();
        QCOMPARE(boxes.count(), 4);
        QVERIFY(debug->isChecked());
        QVERIFY(!romfile::fileExists(p.rom));
    }

    void viewTogglesRewriteTheSettingsFile()
    {
        Boxes boxes;
        Frame p;
        auto *gridlines = named<QAction>(p.w.get(), "mnuGridlines");
        gridlines->trigger();
        QVERIFY(gridlines->isChecked());
        QVERIFY(!named<QFrame>(p.w.get(), "grid", 11)->isHidden());
        named<QAction>(p.w.get(), "mnuHMask")->trigger();
        named<QAction>(p.w.get(), "mnuVMask")->trigger();
        IniValues v;
        v.vMask = true;
        QVERIFY(ini::read(p.dir.file("Vorlig.ini"), 7, v).empty());
        QVERIFY(v.grid);
        QVERIFY(v.hMask);
        QVERIFY(!v.vMask);
        QCOMPARE(v.romPath, p.rom);
        gridlines->trigger();
        QVERIFY(named<QFrame>(p.w.get(), "grid", 0)->isHidden());
    }
};

QTEST_MAIN(tst_frame)
#include "tst_frame.moc"
