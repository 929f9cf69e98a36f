#include "app/Settings.h"
#include "app/frmBrowse.h"
#include "rom/OpenFile.h"
#include "stage/Document.h"
#include "support/DocTables.h"
#include "support/SmallRom.h"
#include "support/TempDir.h"
#include "ui/support/Boxes.h"
#include "ui/support/Pointer.h"
#include "ui/support/ProgramState.h"
#include "ui/support/RealBoxes.h"
#include "ui/support/Startup.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using smallrom::Kind;

namespace {

const QString textC = "ROM not found! Enter the full pathname (e.g.: C:\\EMU\\NES\\RI3.NES).";

QString q(const std::string &s)
{
    return QString::fromStdString(s);
}

// A program folder with ROM files in it and a fresh set of shared variables.
struct Fixture
{
    TempDir dir;
    ProgramState g;
    StageDocument &doc = g.doc.stages();
    QWidget main;

    Fixture()
    {
        g.files.appPath = dir.path();
        main.setWindowTitle("Castle");
    }
    std::string rom(const std::string &name, Kind kind)
    {
        testfile::writeAll(dir.file(name), smallrom::make(kind));
        return dir.file(name);
    }
    // The ROM the program edits, loaded as the program loads it (the settings then name it).
    void load(const std::string &path)
    {
        g.files.ini.romPath = path;
        DocTables::of(g.doc).rom.load(path);
    }
    std::string iniText() const { return testfile::readText(g.files.iniPath()); }
    void writeIni(const std::string &rom, const std::string &emu = "",
        const std::string &load = "1", const std::string &backup = "")
    {
        testfile::writeText(g.files.iniPath(),
            "rompath=" + rom + "\r\nemupath=" + emu + "\r\nromload=" + load
                + "\r\nbackupr=" + backup + "\r\nhscmask=0\r\nvscmask=1\r\ngridlin=0\r\n");
    }
};

std::string seven(const std::string &rom, const std::string &emu, const std::string &load,
    const std::string &backup, const std::string &masks = "010")
{
    return "rompath=" + rom + "\r\nemupath=" + emu + "\r\nromload=" + load + "\r\nbackupr=" + backup
        + "\r\nhscmask=" + masks[0] + "\r\nvscmask=" + masks[1] + "\r\ngridlin=" + masks[2]
        + "\r\n";
}

} // namespace

class tst_settings : public QObject
{
    Q_OBJECT
private slots:
    void layoutAndNames();
    void formLoadFillsFromFile();
    void romRefusedWithC();
    void otherGameRefusedWithD();
    void backupAndEmulatorChecks();
    void backupOfOtherReleaseAndSelf();
    void choiceFirstStartAndSameRom();
    void choiceWithReload();
    void choiceDifferentRom();
    void cancelKeepsFile();
    void reloadButtonFollowsBox();
    void closeGuard();
    void japaneseSetsCaption();
    void writeFailureKeepsWindow();
    void browseFillsBox();
    void pathWithLineBreakRefused();
    void pathKeepsTheSystemsBytes();
};

void tst_settings::layoutAndNames()
{
    Fixture f;
    Settings dlg(f.g.doc, f.g.files, &f.main);
    QCOMPARE(dlg.objectName(), QString("Settings"));
    QCOMPARE(dlg.windowTitle(), QString("Vorlig File Settings"));
    QCOMPARE(dlg.size(), QSize(273, 216));
    QVERIFY(!(dlg.windowFlags() & Qt::WindowMinMaxButtonsHint));
    for (const char *name : { "Label1", "Label2", "Label3" })
        QVERIFY(dlg.findChild<QLabel *>(name));
    for (const char *name : { "txtRomPath", "txtEmuPath", "txtBackup" })
        QVERIFY(dlg.findChild<QLineEdit *>(name));
    QCOMPARE(dlg.findChild<QPushButton *>("cmdBrowse(2)")->geometry(), QRect(184, 80, 81, 21));
    QCOMPARE(dlg.findChild<QPushButton *>("cmdBrowse(1)")->geometry(), QRect(184, 128, 81, 21));
    QCOMPARE(dlg.findChild<QPushButton *>("cmdBrowse(0)")->text(), QString("B r o w s e"));
    QCOMPARE(dlg.findChild<QLabel *>("Label3")->text(), QString("Backup ROM Pathname (optional)"));
    auto *ok = dlg.findChild<QPushButton *>("cmdSettingsOK");
    QCOMPARE(ok->geometry(), QRect(184, 184, 81, 25));
    QCOMPARE(dlg.nextInFocusChain(), ok); // first in the tab order
    QCOMPARE(ok->nextInFocusChain()->nextInFocusChain(), dlg.txtRomPath);
    QVERIFY(dlg.findChild<QCheckBox *>("LaunchROM")->isChecked());
    QCOMPARE(dlg.findChild<QPushButton *>("cmdRell")->text(), QString("Reload"));
}

void tst_settings::formLoadFillsFromFile()
{
    Fixture f;
    {
        Settings dlg(f.g.doc, f.g.files, &f.main); // no file: empty boxes, the box's design state
        QCOMPARE(dlg.setChoice(), 0);
        QVERIFY(dlg.txtRomPath->text().isEmpty());
        QVERIFY(dlg.LaunchROM->isChecked());
    }
    f.writeIni("/r/a, b.nes", "/usr/bin/emu", "0", "/r/back.nes");
    {
        Settings dlg(f.g.doc, f.g.files, &f.main);
        QCOMPARE(dlg.txtRomPath->text(), QString("/r/a, b.nes"));
        QCOMPARE(dlg.txtEmuPath->text(), QString("/usr/bin/emu"));
        QCOMPARE(dlg.txtBackup->text(), QString("/r/back.nes"));
        QVERIFY(!dlg.LaunchROM->isChecked());
    }
    // Any other last character on the third line checks it; a short file is no error.
    testfile::writeText(f.g.files.iniPath(), "rompath=/x.nes\r\nemupath=\r\nromload=?\r\n");
    RealBoxes boxes;
    Settings dlg(f.g.doc, f.g.files, &f.main);
    QVERIFY(dlg.LaunchROM->isChecked());
    QCOMPARE(dlg.txtRomPath->text(), QString("/x.nes"));
    QCOMPARE(boxes.count(), 0);
}

void tst_settings::romRefusedWithC()
{
    Fixture f;
    RealBoxes boxes;
    Settings dlg(f.g.doc, f.g.files, &f.main);
    dlg.show();
    const std::string folder = f.dir.file("folder.nes"), pipe = f.dir.file("pipe.nes");
    std::filesystem::create_directory(folder);
    QCOMPARE(::mkfifo(pipe.c_str(), 0644), 0);
    // A ROM the load would refuse for its size is refused here, for the same cause.
    const std::string big = f.rom("big.nes", Kind::US);
    QCOMPARE(::truncate(big.c_str(), romfile::maxRomSize + 1), 0);
    const auto standing = [](const std::string &what) {
        return "ROM not found: " + q(what)
            + ". Enter the full pathname (e.g.: C:\\EMU\\NES\\RI3.NES).";
    };
    const struct
    {
        std::string path;
        QString text, title;
    } cases[] = {
        { f.dir.file("missing.nes"), textC, "Invalid pathname" },
        { folder, standing("'" + folder + "' is a folder"), "Invalid pathname" },
        { pipe, standing("'" + pipe + "' is a named pipe"), "Invalid pathname" },
        { f.dir.file("*.nes"), textC, "Invalid pathname" },
        { big,
            q("'" + big
                + "' is 4194305 bytes long, far more than a ROM of the game (393232 "
                  "bytes); no file over 4194304 bytes is read as a ROM: nothing was read."),
            "Invalid ROM File" },
        { "   ", textC, "Invalid pathname" }, // last: the blanks are trimmed away
    };
    for (const auto &c : cases) {
        boxes.clear();
        dlg.txtRomPath->setText(q(c.path));
        pointer::click(dlg.cmdSettingsOK);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text, c.text);
        QCOMPARE(boxes.last().title, c.title);
        QCOMPARE(boxes.last().style(), 48);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.romVer(), std::string(" "));
    }
    QVERIFY(dlg.txtRomPath->text().isEmpty()); // the blanks were trimmed away
    QVERIFY(!romfile::fileExists(f.g.files.iniPath()));
}

void tst_settings::otherGameRefusedWithD()
{
    Fixture f;
    RealBoxes boxes;
    Settings dlg(f.g.doc, f.g.files, &f.main);
    dlg.show();
    const std::string other = f.rom("other.nes", Kind::Other);
    testfile::writeText(f.dir.file("tiny.nes"), "NES"); // too short for a signature
    for (const std::string &path : { other, f.dir.file("tiny.nes") }) {
        boxes.clear();
        dlg.txtRomPath->setText(q(path));
        dlg.txtBackup->setText("/keep/me.nes");
        pointer::click(dlg.cmdSettingsOK);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text,
            QString("This doesn't look like a ROM of the game to be edited!\nCastlevania III "
                    "(US) and Akumajou Densetsu (J) are supported."));
        QCOMPARE(boxes.last().title, QString("Invalid ROM File"));
        QCOMPARE(boxes.last().style(), 48);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.txtBackup->text(), QString("/keep/me.nes"));
    }
    QVERIFY(!romfile::fileExists(f.g.files.iniPath()));
}

void tst_settings::backupAndEmulatorChecks()
{
    Fixture f;
    f.g.files.ini.hMask = true;
    f.g.files.ini.vMask = false;
    f.g.files.ini.grid = true;
    RealBoxes boxes;
    const std::string rom = f.rom("cv3.nes", Kind::US);
    Settings dlg(f.g.doc, f.g.files, &f.main);
    dlg.show();
    dlg.txtRomPath->setText(q("  " + rom + " "));
    dlg.txtBackup->setText(q(f.dir.file("gone.nes")));
    dlg.txtEmuPath->setText(q(f.dir.file("gone-emu")));
    dlg.LaunchROM->setChecked(false);
    pointer::click(dlg.cmdSettingsOK);
    QCOMPARE(boxes.texts(),
        QStringList({ "Backup ROM was not found. You can specify it later.",
            "Your emulator was not found. You can specify it later." }));
    QCOMPARE(boxes.shown[0].title, QString("Invalid Pathname"));
    QCOMPARE(boxes.shown[1].title, QString("Invalid Pathname"));
    QCOMPARE(boxes.shown[1].style(), 48);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.romVer(), std::string("0"));
    QCOMPARE(f.iniText(), seven(rom, "", "0", "", "101"));

    // Something else at a path is named: a folder as the backup, a pipe as the emulator.
    const std::string folder = f.dir.file("backups"), pipe = f.dir.file("emu-pipe");
    std::filesystem::create_directory(folder);
    QCOMPARE(::mkfifo(pipe.c_str(), 0644), 0);
    boxes.clear();
    Settings others(f.g.doc, f.g.files, &f.main);
    others.txtBackup->setText(q(folder));
    others.txtEmuPath->setText(q(pipe));
    pointer::click(others.cmdSettingsOK);
    QCOMPARE(boxes.texts(),
        QStringList({ q("Backup ROM was not found: '" + folder
                          + "' is a folder. You can specify it later."),
            q("Your emulator was not found: '" + pipe
                + "' is a named pipe. You can specify it later.") }));

    // A good backup and a tiny emulator script are kept as typed.
    const std::string backup = f.rom("copy.nes", Kind::US);
    testfile::writeText(f.dir.file("emu.sh"), "#!/bin/sh\nexec emu \"$@\"\n");
    boxes.clear();
    Settings again(f.g.doc, f.g.files, &f.main);
    again.txtBackup->setText(q(backup));
    again.txtEmuPath->setText(q(f.dir.file("emu.sh")));
    pointer::click(again.cmdSettingsOK);
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(f.iniText(), seven(rom, f.dir.file("emu.sh"), "0", backup, "101"));
}

void tst_settings::backupOfOtherReleaseAndSelf()
{
    Fixture f;
    RealBoxes boxes;
    const std::string rom = f.rom("cv3.nes", Kind::US);
    const std::string jp = f.rom("akumajou.nes", Kind::Japanese);
    const std::string link = f.dir.file("link.nes"); // the ROM itself under another name
    std::filesystem::create_symlink(rom, link);
    const QString duh = "Your backup ROM must be different from your working copy!\nPonder this "
                        "question while working on you hack...";
    struct Case
    {
        std::string backup;
        QString text, title;
    } cases[] = {
        { jp,
            "Your backup ROM may be invalid, or not the same version as the ROM you chose to "
            "edit.\nYou can choose another later.",
            "Wrong version or ROM" },
        { link, duh, "Duh!" },
        { f.dir.path() + "./cv3.nes", duh, "Duh!" },
    };
    for (const Case &c : cases) {
        boxes.clear();
        Settings dlg(f.g.doc, f.g.files, &f.main);
        dlg.txtRomPath->setText(q(rom));
        dlg.txtBackup->setText(q(c.backup));
        pointer::click(dlg.cmdSettingsOK);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text, c.text);
        QCOMPARE(boxes.last().title, c.title);
        QCOMPARE(boxes.last().style(), 48);
        QVERIFY(dlg.txtBackup->text().isEmpty());
        QCOMPARE(f.iniText(), seven(rom, "", "1", ""));
    }
    // A file whose name differs only in case is another file: a backup like any other.
    const std::string upper = f.rom("CV3.NES", Kind::US);
    boxes.clear();
    Settings dlg(f.g.doc, f.g.files, &f.main);
    dlg.txtBackup->setText(q(upper));
    pointer::click(dlg.cmdSettingsOK);
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(f.iniText(), seven(rom, "", "1", upper));
}

// The box names the loaded ROM when it leads to the same file, whatever its spelling; a name
// that differs only in case is another file on this system.
void tst_settings::choiceFirstStartAndSameRom()
{
    Fixture f;
    RealBoxes boxes;
    const std::string rom = f.rom("cv3.nes", Kind::US);
    const std::string upper = f.rom("CV3.NES", Kind::US);
    f.doc.mark(14, 20);
    {
        Settings dlg(f.g.doc, f.g.files, &f.main); // first start: nothing loaded
        dlg.txtRomPath->setText(q(upper));
        pointer::click(dlg.cmdSettingsOK);
        QCOMPARE(dlg.setChoice(), 0);
        QCOMPARE(boxes.count(), 0);
    }
    f.load(rom);
    {
        Settings dlg(f.g.doc, f.g.files, &f.main);
        dlg.txtRomPath->setText(q(f.dir.path() + "./cv3.nes"));
        pointer::click(dlg.cmdSettingsOK);
        QCOMPARE(dlg.setChoice(), 0);
        QCOMPARE(boxes.count(), 0);
    }
    boxes.click(QMessageBox::No);
    Settings dlg(f.g.doc, f.g.files, &f.main);
    dlg.txtRomPath->setText(q(upper));
    pointer::click(dlg.cmdSettingsOK);
    QCOMPARE(boxes.texts(), QStringList("Save your progress before loading new ROM ?"));
    QCOMPARE(dlg.setChoice(), 1);
}

void tst_settings::choiceWithReload()
{
    Fixture f;
    f.load(f.rom("cv3.nes", Kind::US));
    const std::string other = f.dir.path() + "./cv3.nes"; // the loaded ROM, spelt otherwise
    for (int answer : { int(QMessageBox::Yes), int(QMessageBox::No) }) {
        RealBoxes boxes;
        boxes.click(QMessageBox::StandardButton(answer));
        f.doc.mark(3, 7);
        Settings dlg(f.g.doc, f.g.files, &f.main);
        dlg.txtRomPath->setText(q(other));
        QVERIFY(dlg.cmdRell->isEnabled());
        pointer::click(dlg.cmdRell);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text, QString("Save your progress before reloading ?"));
        QCOMPARE(boxes.last().title, QString("You have unsaved data"));
        QCOMPARE(boxes.last().style(), 35);
        QCOMPARE(dlg.setChoice(), answer == QMessageBox::Yes ? 2 : 1);
        QVERIFY(!dlg.reloadFlag);
    }
    f.doc.clearMarks();
    RealBoxes boxes;
    Settings dlg(f.g.doc, f.g.files, &f.main);
    dlg.txtRomPath->setText(q(other));
    pointer::click(dlg.cmdRell);
    QCOMPARE(dlg.setChoice(), 1);
    QCOMPARE(boxes.count(), 0);
}

void tst_settings::choiceDifferentRom()
{
    Fixture f;
    const std::string rom = f.rom("new.nes", Kind::US);
    f.load(f.rom("old.nes", Kind::US));
    {
        RealBoxes boxes;
        Settings dlg(f.g.doc, f.g.files, &f.main);
        dlg.txtRomPath->setText(q(rom));
        pointer::click(dlg.cmdSettingsOK);
        QCOMPARE(dlg.setChoice(), 1);
        QCOMPARE(boxes.count(), 0);
    }
    RealBoxes boxes;
    boxes.click(QMessageBox::Yes);
    f.doc.mark(0, 0);
    Settings dlg(f.g.doc, f.g.files, &f.main);
    dlg.txtRomPath->setText(q(rom));
    pointer::click(dlg.cmdSettingsOK);
    QCOMPARE(boxes.texts(), QStringList("Save your progress before loading new ROM ?"));
    QCOMPARE(dlg.setChoice(), 2);
    QCOMPARE(f.iniText(), seven(rom, "", "1", ""));
}

void tst_settings::cancelKeepsFile()
{
    Fixture f;
    const std::string old = f.rom("old.nes", Kind::US);
    const std::string jp = f.rom("jp.nes", Kind::Japanese);
    f.load(old);
    f.writeIni(old, "/emu", "1", "");
    const std::string before = f.iniText();
    f.doc.mark(5, 2);
    RealBoxes boxes;
    boxes.click(QMessageBox::Cancel);
    Settings dlg(f.g.doc, f.g.files, &f.main);
    dlg.show();
    dlg.txtRomPath->setText(q(jp));
    dlg.txtEmuPath->clear();
    pointer::click(dlg.cmdSettingsOK);
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(dlg.setChoice(), 0);
    QCOMPARE(f.iniText(), before);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.romVer(), std::string("1")); // the candidate's release
    QCOMPARE(f.g.doc.romVer(), std::string()); // not the loaded ROM's
}

void tst_settings::reloadButtonFollowsBox()
{
    Fixture f;
    {
        Settings dlg(f.g.doc, f.g.files, &f.main); // nothing loaded: never enabled
        QVERIFY(!dlg.cmdRell->isEnabled());
        dlg.txtRomPath->setText("/anything.nes");
        dlg.txtRomPath->setText("");
        QVERIFY(!dlg.cmdRell->isEnabled());
    }
    f.load(f.rom("Cv3.nes", Kind::US));
    f.rom("CV3.NES", Kind::US);
    f.writeIni(f.dir.path() + "./Cv3.nes");
    Settings dlg(f.g.doc, f.g.files, &f.main);
    QVERIFY(dlg.cmdRell->isEnabled()); // the file names the loaded ROM
    dlg.txtRomPath->setText(q(f.g.files.ini.romPath + " "));
    QVERIFY(!dlg.cmdRell->isEnabled());
    dlg.txtRomPath->setText(q(f.dir.file("CV3.NES"))); // another file
    QVERIFY(!dlg.cmdRell->isEnabled());
    dlg.txtRomPath->setText(q(f.g.files.ini.romPath));
    QVERIFY(dlg.cmdRell->isEnabled());
    dlg.txtRomPath->clear();
    QVERIFY(!dlg.cmdRell->isEnabled());

    std::remove(f.g.files.iniPath().c_str()); // no file: the empty box does not name the ROM
    Settings empty(f.g.doc, f.g.files, &f.main);
    QVERIFY(!empty.cmdRell->isEnabled());
}

void tst_settings::closeGuard()
{
    Fixture f;
    for (int answer : { int(QMessageBox::Cancel), int(QMessageBox::Ok) }) {
        RealBoxes boxes;
        EndWatch end;
        boxes.click(QMessageBox::StandardButton(answer));
        Settings dlg(f.g.doc, f.g.files, &f.main);
        dlg.show();
        dlg.close();
        QCOMPARE(boxes.texts(),
            QStringList("You must specify the location of the ROM. Press "
                        "Cancel to exit the program."));
        QCOMPARE(boxes.last().title, QString("Info needed"));
        QCOMPARE(boxes.last().style(), 49);
        QCOMPARE(end.calls, answer == QMessageBox::Cancel ? 1 : 0);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.setChoice(), 0);
    }
    {
        RealBoxes boxes; // Escape goes the same way
        EndWatch end;
        boxes.click(QMessageBox::Cancel);
        Settings dlg(f.g.doc, f.g.files, &f.main);
        dlg.show();
        QTest::keyClick(pointer::windowOf(&dlg), Qt::Key_Escape);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(end.calls, 1);
    }
    f.writeIni("/x.nes");
    RealBoxes boxes;
    EndWatch end;
    Settings dlg(f.g.doc, f.g.files, &f.main);
    dlg.show();
    dlg.close();
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(end.calls, 0);
    QVERIFY(!dlg.isVisible());
}

void tst_settings::japaneseSetsCaption()
{
    Fixture f;
    RealBoxes boxes;
    {
        Settings dlg(f.g.doc, f.g.files, &f.main);
        dlg.txtRomPath->setText(q(f.rom("us.nes", Kind::US)));
        pointer::click(dlg.cmdSettingsOK);
        QCOMPARE(f.main.windowTitle(), QString("Castle"));
    }
    Settings dlg(f.g.doc, f.g.files, &f.main);
    dlg.txtRomPath->setText(q(f.rom("jp.nes", Kind::Japanese)));
    pointer::click(dlg.cmdSettingsOK);
    QCOMPARE(dlg.romVer(), std::string("1"));
    QCOMPARE(f.main.windowTitle(), QString("Vorlig"));
    QCOMPARE(boxes.count(), 0);
}

void tst_settings::writeFailureKeepsWindow()
{
    Fixture f;
    const std::string rom = f.rom("new.nes", Kind::US);
    f.load(f.rom("old.nes", Kind::US));
    f.g.files.appPath = f.dir.file("no-such-folder/");
    RealBoxes boxes;
    Settings dlg(f.g.doc, f.g.files, &f.main);
    dlg.show();
    dlg.txtRomPath->setText(q(rom));
    pointer::click(dlg.cmdSettingsOK);
    QCOMPARE(boxes.count(), 1);
    QVERIFY(boxes.last().text.contains("in subroutine 900."));
    QCOMPARE(boxes.last().style(), 16);
    QCOMPARE(dlg.setChoice(), 0);
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.txtRomPath->text(), q(rom));
}

void tst_settings::browseFillsBox()
{
    Fixture f;
    const std::string rom = f.rom("pick.nes", Kind::US);
    Settings dlg(f.g.doc, f.g.files, &f.main);
    dlg.txtBackup->setText(q(f.dir.file("x.nes")));
    // The close box of the browser leaves the box as it was.
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    dlg.cmdBrowse_Click(2);
    QCOMPARE(dlg.txtBackup->text(), q(f.dir.file("x.nes")));
    bool ran = false;
    QTimer::singleShot(0, [&] {
        QWidget *w = QApplication::activeModalWidget();
        if (auto *list = w ? w->findChild<QListWidget *>("File1") : nullptr) {
            auto found = list->findItems("pick.nes", Qt::MatchExactly);
            if (!found.isEmpty()) {
                list->setCurrentItem(found.first());
                ran = true;
                emit list->itemDoubleClicked(found.first());
                return;
            }
        }
        if (w)
            w->close();
    });
    dlg.cmdBrowse_Click(2);
    QVERIFY(ran);
    QCOMPARE(dlg.txtBackup->text(), q(rom));
    QVERIFY(dlg.txtRomPath->text().isEmpty());
}

// The settings file holds one path a line: a name with a line break can be neither chosen in
// the browser nor pasted into a box and accepted.
void tst_settings::pathWithLineBreakRefused()
{
    Fixture f;
    RealBoxes boxes;
    const std::string rom = f.rom("cv3.nes", Kind::US);
    const std::string broken = f.rom("two\nlines.nes", Kind::US);
    f.load(rom);
    f.writeIni(rom);
    const std::string before = f.iniText();
    Settings dlg(f.g.doc, f.g.files, &f.main);
    pointer::windowOf(&dlg);
    bool browserStayed = false;
    startup::whenOpen<frmBrowse>(
        [&](frmBrowse *b) {
            const auto found = b->File1->findItems(q("two\nlines.nes"), Qt::MatchExactly);
            if (found.isEmpty())
                return;
            pointer::clickItem(b->File1, found.first(), true);
            browserStayed = b->isVisible() && b->chosenPath().isEmpty();
        },
        [&] { pointer::click(dlg.cmdBrowse[0]); });
    QVERIFY(browserStayed);
    QCOMPARE(boxes.count(), 1);
    QVERIFY(boxes.last().text.startsWith("This path holds a line break"));
    QCOMPARE(dlg.txtRomPath->text(), q(rom));

    QApplication::clipboard()->setText(q(broken));
    pointer::click(dlg.txtBackup);
    QTest::keyClick(dlg.txtBackup, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(dlg.txtBackup->text(), q(broken));
    pointer::click(dlg.cmdSettingsOK);
    QCOMPARE(boxes.count(), 2);
    QCOMPARE(boxes.last().title, QString("Invalid pathname"));
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.txtBackup->text(), q(broken));
    QCOMPARE(f.iniText(), before);
}

// A folder named in Latin-1 under a UTF-8 system: the path is listed, shown, kept and written
// byte for byte, and it names the ROM in use.
void tst_settings::pathKeepsTheSystemsBytes()
{
    Fixture f;
    RealBoxes boxes;
    std::filesystem::create_directory(f.dir.file("caf\xE9"));
    const std::string rom = f.rom("caf\xE9/r\xF6m.nes", Kind::US);
    f.load(rom);
    f.writeIni(rom);
    Settings dlg(f.g.doc, f.g.files, &f.main);
    pointer::windowOf(&dlg);
    QVERIFY(dlg.cmdRell->isEnabled()); // the box names the ROM in use
    bool listed = false; // the browser opens in the box's folder and lists the file
    startup::whenOpen<frmBrowse>(
        [&](frmBrowse *b) {
            listed = b->File1->count() == 1;
            if (listed)
                pointer::clickItem(b->File1, b->File1->item(0), true);
        },
        [&] { pointer::click(dlg.cmdBrowse[0]); });
    QVERIFY(listed);
    pointer::click(dlg.cmdSettingsOK);
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.setChoice(), 0);
    QCOMPARE(f.iniText(), seven(rom, "", "1", ""));
}

QTEST_MAIN(tst_settings)
#include "tst_settings.moc"
