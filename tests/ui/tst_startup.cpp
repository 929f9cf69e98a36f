#include "app/Settings.h"
#include "app/frmRI3.h"
#include "app/frmSplash.h"
#include "rom/OpenFile.h"
#include "stage/FaultList.h"
#include "support/DiskFull.h"
#include "support/RomBuilder.h"
#include "support/TempDir.h"
#include "ui/Controls.h"
#include "ui/support/Boxes.h"
#include "ui/support/Named.h"
#include "ui/support/Pointer.h"
#include "ui/support/Program.h"
#include "ui/support/RealBoxes.h"
#include "ui/support/Startup.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>
#include <QtTest>

#include <memory>

namespace {

const QString romNotFound = "Your ROM was not found.";
const QString backupNotFound = "Your backup ROM was not found. You can specify another later.";

enum class Kind { US, Japanese, Other };

enum class Damage {
    CutInHalf,
    Empty,
    TooLarge,
    RandomBody,
    BadTemplates,
    AtticIsAFile,
    FolderAsRom,
    FolderAsSettings
};

// Each box text as its kind: numbers written as "#".
QStringList kindsOf(const QStringList &texts)
{
    QStringList out;
    for (const QString &t : texts)
        out << QString::fromStdString(FaultList::kind(t.toStdString()));
    return out;
}

// Damages the program folder or its ROM before the start.
void damageProgram(Program &p, Damage damage)
{
    Bytes rom = p.built.rom;
    uint32_t seed = 7;
    switch (damage) {
    case Damage::CutInHalf:
        rom.resize(rom.size() / 2);
        break;
    case Damage::Empty:
        rom.clear();
        break;
    case Damage::TooLarge:
        rom.resize(romfile::maxRomSize + 1);
        break;
    case Damage::RandomBody: // the US signature, then noise
        for (size_t i = 32; i < rom.size(); ++i) {
            seed = seed * 1103515245u + 12345u;
            rom[i] = static_cast<uint8_t>(seed >> 16);
        }
        break;
    case Damage::BadTemplates:
        QDir().mkpath(QString::fromStdString(p.dir.file("Attic")));
        testfile::writeText(p.dir.file("Attic/anim0.dat"), "not a template\r\n");
        break;
    case Damage::AtticIsAFile:
        testfile::writeText(p.dir.file("Attic"), "");
        break;
    case Damage::FolderAsRom:
        std::remove(p.rom.c_str());
        QDir().mkpath(QString::fromStdString(p.rom));
        return;
    case Damage::FolderAsSettings:
        std::remove(p.dir.file("Vorlig.ini").c_str());
        QDir().mkpath(QString::fromStdString(p.dir.file("Vorlig.ini")));
        return;
    }
    testfile::writeAll(p.rom, rom);
}

// A program folder with the palette file but no settings file yet.
struct Folder
{
    TempDir dir;
    ProgramState g;
    StageDocument &doc = g.doc.stages();
    std::unique_ptr<frmRI3> w;
    Folder()
    {
        g.files.programDir
            = dir.path().substr(0, dir.path().size() - 1); // as the executable's folder
        testfile::writeAll(dir.file("Vorlig.pal"), testPalette());
        w = std::make_unique<frmRI3>(g.doc, g.files);
    }
    std::string rom(Kind kind, uint8_t debug = 0x90, const std::string &name = "cv3.nes")
    {
        rb::RomDesc d = rb::gameShape(kind == Kind::Japanese ? rb::Rel::JP : rb::Rel::US);
        d.debugByte = debug;
        Bytes bytes = rb::build(d).rom;
        if (kind == Kind::Other)
            bytes[16 + 15] ^= 1;
        testfile::writeAll(dir.file(name), bytes);
        return dir.file(name);
    }
};

// Counts the paint events of the splash and of what it holds.
struct SplashPaints : QObject
{
    int count = 0;
    SplashPaints() { qApp->installEventFilter(this); }
    ~SplashPaints() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && o->isWidgetType()
            && qobject_cast<frmSplash *>(static_cast<QWidget *>(o)->window()))
            ++count;
        return false;
    }
};

} // namespace

class tst_startup : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { startup::stopWatching(); }

    // Closing the Settings window without a settings file asks "Info needed": OK lets it open
    // again, until a settings file exists; Cancel ends the program.
    void noSettingsFileShowsSettingsUntilOneExists()
    {
        RealBoxes boxes;
        boxes.click(QMessageBox::Ok);
        boxes.key(Qt::Key_Return);
        Folder p;
        std::string rom = p.rom(Kind::US);
        int shown = 0;
        startup::onModal([&](QDialog *d) {
            if (d->objectName() != "Settings")
                return true;
            if (++shown < 3) {
                d->close();
                return true;
            }
            auto *s = qobject_cast<Settings *>(d);
            QTest::keyClicks(s->txtRomPath, QString::fromStdString(rom));
            pointer::click(s->cmdSettingsOK);
            return false;
        });
        p.w->Form_Load();
        QCOMPARE(shown, 3);
        QCOMPARE(boxes.count("You must specify the location of the ROM. Press Cancel to exit the "
                             "program."),
            2);
        QCOMPARE(boxes.last().title, QString("Info needed"));
        QCOMPARE(boxes.last().style(), int(msg::ExclamationOkCancel));
        QCOMPARE(boxes.count(), 2);
        QCOMPARE(p.g.files.ini.romPath, rom);
        QCOMPARE(p.g.files.appPath, p.dir.path());
        QCOMPARE(p.g.files.datPath, p.dir.path() + "Attic/");
        QVERIFY(QDir(QString::fromStdString(p.g.files.datPath)).exists());
        QCOMPARE(p.g.doc.shown().curStage, 0);
    }

    void cancelOnInfoNeededEndsTheProgram()
    {
        RealBoxes boxes;
        boxes.click(QMessageBox::Cancel);
        EndWatch end;
        Folder p;
        int shown = 0;
        startup::onModal([&](QDialog *d) {
            if (d->objectName() == "Settings" && ++shown == 1)
                d->close();
            return true;
        });
        p.w->Form_Load();
        QCOMPARE(shown, 1);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(end.calls, 1);
        QVERIFY(!romfile::fileExists(p.dir.file("Vorlig.ini")));
    }

    void missingRomIsReportedOnceThenSettings()
    {
        RealBoxes boxes;
        Folder p;
        startup::writeIni(p.dir, p.dir.file("gone.nes"));
        int shown = 0;
        startup::onModal([&](QDialog *d) {
            if (d->objectName() != "Settings")
                return true;
            ++shown;
            d->close(); // the settings file exists, so the loop ends
            return true;
        });
        p.w->Form_Load();
        QCOMPARE(boxes.count(romNotFound), 1);
        QCOMPARE(shown, 1);
        QCOMPARE(boxes.shown.front().title, QString("I am Error"));
        QCOMPARE(boxes.shown.front().style(), int(msg::Information));
    }

    void missingBackupIsClearedFromTheFile()
    {
        RealBoxes boxes;
        Folder p;
        std::string rom = p.rom(Kind::US);
        startup::writeIni(p.dir, rom, p.dir.file("nobackup.nes"), "/usr/bin/true");
        p.w->Form_Load();
        QCOMPARE(boxes.count(backupNotFound), 1);
        QCOMPARE(p.g.files.ini.backupPath, std::string());
        std::string text = testfile::readText(p.dir.file("Vorlig.ini"));
        QVERIFY(text.find("backupr=\r\n") != std::string::npos);
        QVERIFY(text.find("emupath=/usr/bin/true\r\n") != std::string::npos);
        QCOMPARE(p.g.doc.romVer(), std::string("0"));

        // An empty backup path means no backup and is not reported.
        boxes.clear();
        Folder q;
        startup::writeIni(q.dir, q.rom(Kind::US));
        q.w->Form_Load();
        QCOMPARE(boxes.count(), 0);
    }

    void japaneseRomSetsCaptionAndDisablesDebug()
    {
        Boxes boxes;
        Folder p;
        auto *debug = named<QAction>(p.w.get(), "mnuDebug");
        debug->setChecked(true);
        startup::writeIni(p.dir, p.rom(Kind::Japanese, 0x90));
        p.w->Form_Load();
        QCOMPARE(p.g.doc.romVer(), std::string("1"));
        QCOMPARE(p.w->windowTitle(), QString("Vorlig"));
        QVERIFY(!debug->isEnabled());
        QVERIFY(debug->isChecked()); // untouched
    }

    void debugByteSetsTheCheckMark_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("after");
        QTest::newRow("E4 checks") << 0xE4 << false << true;
        QTest::newRow("90 unchecks") << 0x90 << true << false;
        QTest::newRow("91 leaves unchecked") << 0x91 << false << false;
        QTest::newRow("91 leaves checked") << 0x91 << true << true;
    }
    void debugByteSetsTheCheckMark()
    {
        QFETCH(int, byte);
        QFETCH(bool, before);
        QFETCH(bool, after);
        Boxes boxes;
        Folder p;
        auto *debug = named<QAction>(p.w.get(), "mnuDebug");
        debug->setChecked(before);
        startup::writeIni(p.dir, p.rom(Kind::US, static_cast<uint8_t>(byte)));
        p.w->Form_Load();
        QVERIFY(debug->isEnabled());
        QCOMPARE(debug->isChecked(), after);
        QCOMPARE(boxes.count(), 0);
    }

    // A ROM of neither release is refused at the start as the Settings window refuses it, and
    // the Settings window opens. Closed without another ROM, the load reads nothing of the file:
    // a paint and a save leave it as it was.
    void romOfNeitherReleaseIsRefusedAndNeverWritten()
    {
        Boxes boxes;
        Folder p;
        const std::string rom = p.rom(Kind::Other);
        const Bytes before = testfile::readAll(rom);
        startup::writeIni(p.dir, rom);
        int settingsShown = 0;
        startup::onModal([&](QDialog *d) {
            settingsShown += d->objectName() == "Settings";
            d->close();
            return true;
        });
        p.w->Form_Load();
        startup::stopWatching();
        QCOMPARE(settingsShown, 1);
        QCOMPARE(boxes.count(), 2);
        QCOMPARE(boxes.shown[0].title, QString("Invalid ROM File"));
        QVERIFY(boxes.shown[0].text.startsWith("This doesn't look like a ROM of the game"));
        QVERIFY(boxes.shown[1].text.contains("No ROM is loaded"));
        QVERIFY(boxes.shown[1].text.contains(
            QString::fromStdString("'" + rom + "' is not a ROM of either release")));
        QVERIFY(!named<QAction>(p.w.get(), "mnuDebug")->isEnabled());

        pointer::click(named<ctl::ImageBox>(p.w.get(), "scr", 9));
        auto *save = named<QPushButton>(p.w.get(), "cmdSave");
        QVERIFY(!save->isEnabled());
        named<QAction>(p.w.get(), "mnuSaveAll")->trigger();
        QVERIFY(!p.doc.anyModified());
        QCOMPARE(testfile::readAll(rom), before);
        QCOMPARE(boxes.count(), 2);
    }

    // Each damaged input of a load gives the boxes listed, in order, each naming its cause and
    // where it came; a failure met in section after section is told once, at the load, and a
    // browse of every section tells nothing of the load again.
    void loadMessagesNameTheirCauseOnce_data()
    {
        QTest::addColumn<int>("damage");
        QTest::addColumn<QStringList>("expected"); // a part of each box's text, in order
        QTest::addColumn<int>("cancelAt"); // the box answered with Cancel, or -1
        const QString irregular = "The ROM you're loading is irregular or damaged. :(";
        const QString ownFile = "One of the program's own files could not be read; your ROM "
                                "is fine.";
        QTest::newRow("ROM cut in half")
            << int(Damage::CutInHalf)
            << QStringList { "Description : The Debug Screen byte: position 255898 lies "
                             "outside the 196616-byte ROM file in subroutine 100.",
                   irregular
                       + "\rClick Cancel to quit.\rDescription : The section tables of "
                         "stage 0: position 251456 lies outside the 196616-byte ROM file "
                         "(15 times, in stage 0; stage 1; stage 2;",
                   "Description : The CHR banks (the tile graphics): position 263184 lies "
                   "outside the 196616-byte ROM file in subroutine 111." }
            << -1;
        // Nothing past a signature that cannot be read is read, and so told of.
        QTest::newRow("empty ROM file")
            << int(Damage::Empty)
            << QStringList { "Description : The release signature: position 32 lies outside "
                             "the 0-byte ROM file in subroutine 100.",
                   "Description : Nothing was read from the ROM: '%DIR%game.nes' is not a ROM "
                   "of either release" }
            << -1;
        QTest::newRow("ROM file far too large")
            << int(Damage::TooLarge)
            << QStringList { "Description : Nothing was read from the ROM: '%DIR%game.nes' is "
                             "4194305 bytes long, far more than a ROM of the game" }
            << -1;
        // Cancel there quits and keeps the settings file: the box says nothing is written.
        QTest::newRow("ROM file far too large, Cancel")
            << int(Damage::TooLarge)
            << QStringList { "Description : Nothing was read from the ROM: '%DIR%game.nes' is "
                             "4194305 bytes long, far more than a ROM of the game" }
            << 0;
        QTest::newRow("random body")
            << int(Damage::RandomBody)
            << QStringList { "Stage 0 has more than 11 areas; only 11 are read (",
                   "Stage 0 has more than 21 sections; only 21 are read (15 times, in stage 0; ",
                   "has more than 30 entries; only 30 are read (",
                   "has more than 30 entries; only 30 are read (",
                   "Corrupted data in V/PU (stage 0, sections 0, 1, ",
                   "(66 of the 66 blocks could not be drawn) in subroutine 159." }
            << -1;
        QTest::newRow("template file damaged")
            << int(Damage::BadTemplates)
            << QStringList { "Description : Line 1 of the program's own file '%DIR%Attic/"
                             "anim0.dat': Type mismatch in subroutine 160.",
                   ownFile
                       + " Once the cause below is removed, the program writes the file "
                         "anew when it starts again.\rClick Cancel to quit.\rDescription : "
                         "The program's own template file '%DIR%Attic/anim0.dat' could not "
                         "be read: it ends after line 1 of 67. Special objects take no templates" }
            << 1;
        QTest::newRow("Attic is a file")
            << int(Damage::AtticIsAFile)
            << QStringList { "Path/File access error: '%DIR%Attic' is a file, not a folder",
                   ownFile
                       + " Once the cause below is removed, the program writes the file "
                         "anew when it starts again.\rClick Cancel to quit.\rDescription : "
                         "The program's own template file '%DIR%Attic/anim0.dat' could not "
                         "be read: '%DIR%Attic' is a file, not a folder. Special objects take no "
                         "templates" }
            << -1;
        QTest::newRow("a folder at the ROM's path")
            << int(Damage::FolderAsRom)
            << QStringList { "Your ROM was not found: '%DIR%game.nes' is a folder.",
                   "No ROM is loaded: nothing can be edited, and no file is written. Choose a "
                   "ROM in File > Settings.\rClick Cancel to quit.\rDescription : Nothing was "
                   "read from the ROM: '%DIR%game.nes' is a folder in subroutine 111." }
            << -1;
        // Said at the start, not only once the Settings window fails to write it.
        QTest::newRow("a folder at the settings file's path")
            << int(Damage::FolderAsSettings)
            << QStringList { "Description : The settings file could not be read: "
                             "'%DIR%Vorlig.ini' is a folder",
                   "You must specify the location of the ROM." }
            << 1;
    }
    void loadMessagesNameTheirCauseOnce()
    {
        QFETCH(int, damage);
        QFETCH(QStringList, expected);
        QFETCH(int, cancelAt);
        Boxes boxes;
        EndWatch end;
        Program p(rb::Rel::US, false);
        damageProgram(p, Damage(damage));
        for (int k = 0; k < cancelAt; ++k)
            boxes.answer(msg::Ok);
        if (cancelAt >= 0)
            boxes.answer(msg::Cancel);
        startup::onModal([](QDialog *d) {
            d->close(); // the Settings window, left as it stands
            return true;
        });
        p.start();
        startup::stopWatching();
        const QStringList texts = boxes.texts();
        const QString dir = QString::fromStdString(p.dir.path());
        QCOMPARE(texts.size(), expected.size());
        for (int k = 0; k < expected.size(); ++k)
            QVERIFY2(texts[k].contains(QString(expected[k]).replace("%DIR%", dir)),
                qPrintable(texts[k]));
        QCOMPARE(end.calls, cancelAt >= 0 ? 1 : 0);
        if (Damage(damage) != Damage::FolderAsSettings) // the settings are not at fault
            QVERIFY(romfile::fileExists(p.dir.file("Vorlig.ini")));
        if (cancelAt >= 0)
            return;
        boxes.clear();
        auto *stages = named<ctl::ComboBox>(p.w.get(), "Combo1");
        auto *sections = named<ctl::ComboBox>(p.w.get(), "Combo2");
        for (int s = 0; s < 15; ++s) {
            stages->setCurrentIndex(s);
            for (int n = 0; n < sections->count(); ++n)
                sections->setCurrentIndex(n);
        }
        QStringList told = kindsOf(texts);
        for (const QString &kind : kindsOf(boxes.texts())) {
            QVERIFY2(!told.contains(kind), qPrintable(kind));
            told << kind;
        }
    }

    void viewFlagsComeFromTheSettingsFile()
    {
        Boxes boxes;
        Folder p;
        IniValues v;
        v.romPath = p.rom(Kind::US);
        v.hMask = true;
        v.vMask = false;
        v.grid = true;
        ini::write(p.dir.file("Vorlig.ini"), v);
        p.w->Form_Load();
        QVERIFY(named<QAction>(p.w.get(), "mnuHMask")->isChecked());
        QVERIFY(!named<QAction>(p.w.get(), "mnuVMask")->isChecked());
        QVERIFY(named<QAction>(p.w.get(), "mnuGridlines")->isChecked());
        QVERIFY(!named<QFrame>(p.w.get(), "grid", 0)->isHidden());
    }

    // Each line counts by its key: a second rompath line, a backup that is gone and a missing
    // line shift nothing. The file is reported in one box, once, and kept as it is.
    void damagedSettingsFileIsReportedOnceAndKept()
    {
        RealBoxes boxes;
        Folder p;
        std::string rom = p.rom(Kind::US);
        const std::string text = "rompath=" + rom + "\r\nrompath=/other.nes\r\nemupath=\r\n"
            + "romload=1\r\nbackupr=" + p.dir.file("gone.nes") + "\r\nhscmask=0\r\nvscmask=0\r\n";
        testfile::writeText(p.dir.file("Vorlig.ini"), text);
        p.w->Form_Load();
        QCOMPARE(boxes.count(), 2);
        QVERIFY(boxes.shown[0].text.contains("in subroutine 100."));
        QCOMPARE(boxes.shown[0].style(), int(msg::Critical));
        QCOMPARE(boxes.last().text,
            QString("Your backup ROM was not found. You can specify "
                    "another later."));
        QCOMPARE(p.g.files.ini.romPath, rom);
        QCOMPARE(p.g.doc.romVer(), std::string("0"));
        QVERIFY(!named<QAction>(p.w.get(), "mnuVMask")->isChecked());
        QCOMPARE(testfile::readText(p.dir.file("Vorlig.ini")), text);
        // Read again for the emulator: only the emulator's own box.
        named<QAction>(p.w.get(), "mnuLaunchEmu")->trigger();
        QCOMPARE(boxes.count(), 3);
        QVERIFY(boxes.last().text.startsWith("Specify a valid location for your emulator"));
        QCOMPARE(testfile::readText(p.dir.file("Vorlig.ini")), text);
    }

    // Loading holds the event loop, so the splash must already stand painted when it starts:
    // at the first start and at a reload. The loader's box on a ROM cut off in its CHR banks says
    // when loading is under way; it stands above the splash, which stays until the load ends,
    // and the load ends in the Background mode whatever mode the window was in.
    void splashStaysPaintedUnderTheBoxesOfALoad()
    {
        SplashPaints paints;
        RealBoxes boxes;
        Program p(rb::Rel::US, false);
        QStringList wrong; // what was amiss while the loader's box stood open
        boxes.whileShown = [&](QMessageBox *box) {
            if (!box->text().contains("irregular or damaged"))
                return;
            frmSplash *splash = p.w->splash();
            if (paints.count == 0)
                wrong << "splash not painted";
            if (!splash || !splash->isVisible())
                wrong << "splash closed";
            else if (box->windowHandle()->transientParent() != splash->windowHandle())
                wrong << "box not above the splash";
            if (!QApplication::topLevelWidgets().contains(box) || !box->isVisible())
                wrong << "box not shown";
        };
        Bytes rom = p.built.rom;
        rom.resize(262160 + 1024 * 100 + 500);
        testfile::writeAll(p.rom, rom);
        boxes.click(QMessageBox::Ok);
        p.start();
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(wrong, QStringList());
        QVERIFY(!p.w->splash()->isVisible());

        auto *optSt = named<QRadioButton>(p.w.get(), "optSt");
        pointer::click(optSt);
        QVERIFY(optSt->isChecked());
        boxes.click(QMessageBox::Ok);
        startup::whenOpen<Settings>(
            [&](Settings *s) {
                paints.count = 0;
                pointer::click(s->cmdRell);
            },
            [&] { named<QAction>(p.w.get(), "mnuFile")->trigger(); });
        QCOMPARE(boxes.count(), 2);
        QCOMPARE(wrong, QStringList());
        QVERIFY(!p.w->splash()->isVisible());
        QVERIFY(named<QRadioButton>(p.w.get(), "optBg")->isChecked());
        QVERIFY(boxes.missingButtons.isEmpty());
    }

    // A picture folder nothing can be written into: one box names it, not one box a file.
    void aFolderThatCannotBeWrittenIsOneBox()
    {
        RealBoxes boxes;
        Program p(rb::Rel::US, false);
        {
            DiskFull full(0);
            p.start();
        }
        const QString folder = QString::fromStdString(p.dir.path() + "Attic/");
        // The folder, the loader missing its template file, the main window its picture.
        QCOMPARE(boxes.count(), 3);
        QVERIFY(boxes.shown[0].text.contains(
            "Description : 90 of the 90 files could not be written into the folder '" + folder
            + "' (AKU0: Cannot write '" + folder + "aku0.dat': "));
        QVERIFY(boxes.shown[0].text.contains(" in subroutine 162.\n"));
        QVERIFY(boxes.shown[1].text.contains("The program's own template file"));
        QVERIFY(boxes.shown[2].text.contains(
            "File not found: " + folder + "aku0.dat in subroutine 111."));
        QVERIFY(QDir(folder).isEmpty());
        QCOMPARE(p.g->doc.shown().curStage, 0); // and the program goes on
    }

    void splashStaysUntilReleaseIsKnown()
    {
        Boxes boxes;
        ProgramState g;
        frmSplash s(g.doc);
        s.Form_Load();
        s.show();
        pointer::click(&s, QPoint(300, 200));
        QVERIFY(s.isVisible());
        g.doc.setRomVer("0");
        pointer::click(s.Image1);
        QVERIFY(!s.isVisible());
    }
};

QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
