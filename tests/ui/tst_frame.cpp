#include "app/frmRI3.h"
#include "support/SmallRom.h"
#include "support/TempDir.h"
#include "ui/support/Boxes.h"

#include <QAction>
#include <QFile>
#include <QFrame>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QString badEmulator = "Specify a valid location for your emulator in the file settings.";

// A US ROM and a settings file in a fresh program folder, with the start-up done.
struct Program
{
    TempDir dir;
    Shared g;
    std::unique_ptr<frmRI3> w;
    std::string rom;
    explicit Program(const std::string &romName = "cv3.nes", uint8_t debug = 0x90)
    {
        g.programDir = dir.path();
        rom = dir.file(romName);
        testfile::writeAll(rom, smallrom::make(smallrom::Kind::US, debug));
        IniValues v;
        v.romPath = rom;
        ini::write(dir.file("Vorlig.ini"), v);
        w = std::make_unique<frmRI3>(g);
        w->Form_Load();
    }
    void setEmulator(const std::string &emu, int romLoad)
    {
        IniValues v;
        ini::read(dir.file("Vorlig.ini"), 7, v);
        v.emuPath = emu;
        v.romLoad = romLoad;
        ini::write(dir.file("Vorlig.ini"), v);
    }
    // A stand-in emulator that writes its arguments, one a line, into args.txt.
    std::string fakeEmulator(const std::string &name = "emu")
    {
        std::string path = dir.file(name);
        testfile::writeText(path,
            "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"" + dir.file("args.txt")
                + ".tmp\"\nmv \"" + dir.file("args.txt") + ".tmp\" \"" + dir.file("args.txt")
                + "\"\n");
        ::chmod(path.c_str(), 0755);
        return path;
    }
    QString waitForArgs()
    {
        QString file = QString::fromStdString(dir.file("args.txt"));
        if (!QTest::qWaitFor([&] { return QFile::exists(file); }, 5000))
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
        Program p("my rom.nes");
        p.setEmulator(p.fakeEmulator(), 1);
        p.w->mnuLaunchEmu->trigger();
        QCOMPARE(p.waitForArgs(), QString::fromStdString(p.rom + "\n"));
        QCOMPARE(boxes.count(), 0);
    }

    void launchWithoutTheRom()
    {
        Boxes boxes;
        Program p;
        p.setEmulator(p.fakeEmulator("an emulator"), 0); // blanks in the program's own path
        p.w->EmuLaunch();
        QCOMPARE(p.waitForArgs(), QString());
        QCOMPARE(p.g.ini.romLoad, 0);
    }

    void missingEmulatorIsReported()
    {
        Boxes boxes;
        Program p;
        p.setEmulator(p.dir.file("none"), 1);
        p.w->EmuLaunch();
        QCOMPARE(boxes.count(badEmulator), 1);
        QCOMPARE(boxes.last().title, QString("Invalid pathname"));
        QCOMPARE(boxes.last().style, int(msg::Exclamation));

        p.setEmulator("", 1);
        p.w->EmuLaunch();
        QCOMPARE(boxes.count(badEmulator), 2);
    }

    void debugScreenFlipsTheByteAndRewritesSettings()
    {
        Boxes boxes;
        Program p;
        Bytes before = testfile::readAll(p.rom);
        testfile::writeText(p.dir.file("Vorlig.ini"), "stale");
        p.w->mnuDebug->trigger();
        Bytes after = testfile::readAll(p.rom);
        QCOMPARE(after[255897], uint8_t(0xE4));
        after[255897] = 0x90;
        QVERIFY(after == before); // nothing else changed
        QVERIFY(p.w->mnuDebug->isChecked());
        QVERIFY(testfile::readText(p.dir.file("Vorlig.ini")).rfind("rompath=" + p.rom + "\r\n", 0)
            == 0);
        p.w->mnuDebug->trigger();
        QVERIFY(testfile::readAll(p.rom) == before);
        QVERIFY(!p.w->mnuDebug->isChecked());
        QCOMPARE(boxes.count(), 0);
    }

    void debugScreenWriteFailureIsReported()
    {
        Boxes boxes;
        Program p;
        p.g.ini.romPath = p.dir.file("missing.nes");
        p.w->DebugChecking();
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().text.contains("in subroutine 126."));
        QVERIFY(!romfile::fileExists(p.dir.file("missing.nes")));
    }

    void viewTogglesRewriteTheSettingsFile()
    {
        Boxes boxes;
        Program p;
        p.w->mnuGridlines->trigger();
        QVERIFY(p.w->mnuGridlines->isChecked());
        QVERIFY(!p.w->grid[11]->isHidden());
        p.w->mnuHMask->trigger();
        p.w->mnuVMask->trigger();
        IniValues v;
        v.vMask = true;
        QVERIFY(ini::read(p.dir.file("Vorlig.ini"), 7, v).empty());
        QVERIFY(v.grid);
        QVERIFY(v.hMask);
        QVERIFY(!v.vMask);
        QCOMPARE(v.romPath, p.rom);
        p.w->mnuGridlines->trigger();
        QVERIFY(p.w->grid[0]->isHidden());
    }
};

QTEST_MAIN(tst_frame)
#include "tst_frame.moc"
