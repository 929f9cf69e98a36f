// Saving through the window when the ROM file is not what it was: replaced on disk, not a
// regular file, write-protected, linked, or failing part way. Every edit and mark survives a save
// that fails, and no write lands anywhere but in the file loaded. Revert asks before it takes the
// edits of another section sharing the records it reads again.
#include "app/Settings.h"
#include "gfx/BlockPicBox.h"
#include "gfx/frmPalettes.h"
#include "rom/RomFile.h"
#include "support/Faults.h"
#include "support/SmallRom.h"
#include "tables/Spinner.h"
#include "tables/frmBGM.h"
#include "tables/frmMisc.h"
#include "ui/Controls.h"
#include "ui/support/MainView.h"
#include "ui/support/Named.h"
#include "ui/support/Pointer.h"
#include "ui/support/Program.h"
#include "ui/support/RealBoxes.h"
#include "ui/support/SideWindows.h"
#include "ui/support/Startup.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A step that would wait on a pipe ends the test program instead of hanging the run. (Not a
// limit on how long a step may take: a busy machine makes any step slow.)
struct Deadline
{
    explicit Deadline(unsigned seconds) { ::alarm(seconds); }
    ~Deadline() { ::alarm(0); }
};

// Paints block 2 into the view's cell 1 of stage 0, section 0 with the pointer; returns the
// position that block goes to on a save.
long long paint(Program &p)
{
    pointer::click(named<ctl::ImageBox>(p.w.get(), "sel", 2));
    pointer::click(named<ctl::ImageBox>(p.w.get(), "scr", 1));
    return p.t->layoutPos[0][0] + shownPos(*p.w, 1);
}

bool marked(const Program &p)
{
    return p.doc->modified(0, 0) && named<QPushButton>(p.w.get(), "cmdSave")->isEnabled()
        && named<QPushButton>(p.w.get(), "cmdSaveAll")->isEnabled()
        && named<QPushButton>(p.w.get(), "cmdRevert")->isEnabled();
}

bool isLink(const std::string &path)
{
    struct stat st
    {
    };
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

void settings(Program &p, std::function<void(Settings *)> act)
{
    startup::whenOpen<Settings>(act, [&] { named<QAction>(p.w.get(), "mnuFile")->trigger(); });
}

} // namespace

class tst_saving : public QObject
{
    Q_OBJECT

private slots:
    // Another release, other bytes where the edit goes, a shorter file: Save writes nothing,
    // keeps the edit and its mark, and offers to load the file as it is now.
    void aRomReplacedOnDiskIsNotWritten()
    {
        for (int kind = 0; kind < 3; ++kind) {
            RealBoxes boxes;
            Program p;
            const long long at = paint(p);
            Bytes theirs = p.built.rom;
            if (kind == 0) {
                theirs = rb::build(rb::gameShape(rb::Rel::JP)).rom;
                theirs.resize(p.built.rom.size());
            } else if (kind == 1) {
                theirs[static_cast<size_t>(at - 1)] = 0x5A;
            } else {
                theirs.resize(300000);
            }
            testfile::writeAll(p.rom, theirs);
            pointer::click(named<QPushButton>(p.w.get(), "cmdSave"));
            QCOMPARE(boxes.count(), 1);
            QCOMPARE(boxes.last().title, QString("ROM file changed"));
            QVERIFY(boxes.last().text.contains("changed on disk since it was loaded"));
            QVERIFY(boxes.last().text.contains("Your changes are kept."));
            QVERIFY(p.romBytes() == theirs);
            QVERIFY(marked(p));
            QCOMPARE(int(p.t->layoutStr[0][0][static_cast<size_t>(shownPos(*p.w, 1))]), 2);
            // Save All and Revert say the same, and neither touches the file or the edit.
            pointer::click(named<QPushButton>(p.w.get(), "cmdSaveAll"));
            pointer::click(named<QPushButton>(p.w.get(), "cmdRevert"));
            QCOMPARE(boxes.count(), 3);
            QCOMPARE(boxes.last().title, QString("ROM file changed"));
            QVERIFY(boxes.shown[1].text.contains("not saved: stage 0, section 0"));
            QVERIFY(p.romBytes() == theirs);
            QVERIFY(marked(p));
        }
    }

    // One byte changed on disk away from every edit: Save, Save All, the time, the debug byte
    // and the side windows' Save each write nothing, say "ROM file changed", and keep what was
    // edited; the windows that read the file say so when they open. Yes loads the file as it
    // is now.
    void aFileChangedAwayFromTheEditsIsNotWritten()
    {
        RealBoxes boxes;
        Program p;
        QWindow *win = activeWindow(p);
        paint(p);
        Bytes theirs = p.built.rom;
        theirs.back() ^= 0xFF;
        testfile::writeAll(p.rom, theirs);
        auto *time = named<ctl::ComboBox>(p.w.get(), "cmbTime");
        const int timeShown = time->currentIndex();
        auto *debug = named<QAction>(p.w.get(), "mnuDebug");
        const bool debugShown = debug->isChecked();
        auto click = [&](const char *name) { pointer::click(named<QPushButton>(p.w.get(), name)); };
        const std::vector<std::pair<const char *, std::function<void()>>> writes = {
            { "Save", [&] { click("cmdSave"); } },
            { "Save All", [&] { click("cmdSaveAll"); } },
            { "time", [&] { pointer::choose(time, (timeShown + 1) % 15); } },
            { "debug byte",
                [&] {
                    activeWindow(p);
                    QTest::keyClick(win, Qt::Key_D, Qt::ControlModifier);
                } },
            // The side windows read the file when they open: the box comes then.
            { "lives",
                [&] {
                    side::open<frmMisc>(named<QToolButton>(p.w.get(), "cmdMisc"), [](frmMisc *) {});
                } },
            { "BGM",
                [&] {
                    side::open<frmBGM>(named<QToolButton>(p.w.get(), "cmdBGM"), [](frmBGM *) {});
                } },
        };
        for (const auto &[what, write] : writes) {
            boxes.clear();
            write();
            QVERIFY2(boxes.count() == 1, what);
            QVERIFY2(boxes.last().title == "ROM file changed", what);
            QVERIFY2(boxes.last().text.contains("position " + QString::number(theirs.size())),
                qPrintable(boxes.last().text));
            QVERIFY2(p.romBytes() == theirs, what);
        }
        QVERIFY(marked(p));
        QCOMPARE(int(p.t->layoutStr[0][0][static_cast<size_t>(shownPos(*p.w, 1))]), 2);
        QCOMPARE(time->currentIndex(), timeShown);
        QCOMPARE(debug->isChecked(), debugShown);
        // Reads say the same and take nothing from the changed file: the palette editor says
        // it once, and its colours are not read again when it closes.
        boxes.clear();
        side::open<frmPalettes>(named<QToolButton>(p.w.get(), "cmdPalettes"), [](frmPalettes *) {});
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, QString("ROM file changed"));
        QVERIFY(p.romBytes() == theirs);

        // Yes loads the file as it is now; the palette editor, which reads the file when it
        // opens, is then not shown on the changed file, nor are its colours read again.
        boxes.clear();
        boxes.click(QMessageBox::Yes);
        pointer::click(named<QToolButton>(p.w.get(), "cmdPalettes"));
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, QString("ROM file changed"));
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(p.romBytes() == theirs);
        QVERIFY(p.g->doc.file().image().data() == theirs);
        QVERIFY(!p.doc->anyModified());
        QVERIFY(!named<QPushButton>(p.w.get(), "cmdSave")->isEnabled());
    }

    // Save All with a write in place (the ROM has a second name) that fails part way: the box
    // says so, the file is as it was and both sections stay marked. With the fault gone the
    // same Save All writes exactly the edits and clears the marks, also where the old bytes
    // could not be put back: the program's own bytes are not taken for another program's.
    void aSaveAllThatFailsPartWayCanBeDoneAgain()
    {
        for (bool undone : { true, false }) {
            RealBoxes boxes;
            Program p;
            QCOMPARE(::link(p.rom.c_str(), p.dir.file("second.nes").c_str()), 0);
            const long long first = paint(p);
            pointer::choose(named<ctl::ComboBox>(p.w.get(), "Combo2"), 3);
            pointer::click(named<ctl::ImageBox>(p.w.get(), "sel", 4));
            pointer::click(named<ctl::ImageBox>(p.w.get(), "scr", 0));
            const long long second = p.t->layoutPos[0][3] + shownPos(*p.w, 0);
            auto *saveAll = named<QPushButton>(p.w.get(), "cmdSaveAll");
            {
                faults::Armed eio({ faults::Call::Write, p.rom, 1, undone ? 1 : -1 });
                pointer::click(saveAll);
            }
            QCOMPARE(boxes.count(), 1);
            const QString text = boxes.last().text;
            QVERIFY2(text.contains("Input/output error")
                    && text.contains(undone ? "put back as it was" : "may hold part of this save")
                    && !text.contains("nothing was"),
                qPrintable(text));
            QVERIFY(!undone || p.romBytes() == p.built.rom);
            QVERIFY(p.doc->modified(0, 0) && p.doc->modified(0, 3) && saveAll->isEnabled());
            pointer::click(saveAll);
            QCOMPARE(boxes.count(), 1);
            Bytes expect = p.built.rom;
            expect[static_cast<size_t>(first - 1)] = 2;
            expect[static_cast<size_t>(second - 1)] = 4;
            QVERIFY(p.romBytes() == expect);
            QVERIFY(!p.doc->anyModified() && !saveAll->isEnabled());
        }
    }

    // Yes on that box loads the file as it is now; every later save goes into it.
    void theChangedFileCanBeLoadedAgain()
    {
        RealBoxes boxes;
        Program p;
        auto *save = named<QPushButton>(p.w.get(), "cmdSave");
        const long long at = paint(p);
        Bytes theirs = p.built.rom;
        theirs[static_cast<size_t>(at - 1)] = 0x5A;
        testfile::writeAll(p.rom, theirs);
        boxes.click(QMessageBox::Yes);
        pointer::click(save);
        QCOMPARE(boxes.count(), 1);
        QVERIFY(!p.doc->anyModified());
        QVERIFY(!save->isEnabled());
        QCOMPARE(int(p.t->layoutStr[0][0][1]), 0x5A);
        paint(p);
        pointer::click(save);
        QCOMPARE(boxes.count(), 1);
        theirs[static_cast<size_t>(at - 1)] = 2;
        QVERIFY(p.romBytes() == theirs);
    }

    // Yes to "Save changes?", the save fails: the default answer stays, with every edit.
    void aFailedSaveAtQuitStaysWithEveryEdit()
    {
        RealBoxes boxes;
        Program p;
        QWindow *win = activeWindow(p);
        paint(p);
        named<ctl::ComboBox>(p.w.get(), "Combo2")->setCurrentIndex(3);
        pointer::click(named<ctl::ImageBox>(p.w.get(), "sel", 4));
        pointer::click(named<ctl::ImageBox>(p.w.get(), "scr", 0));
        QVERIFY(p.doc->modified(0, 3));
        const Bytes before = p.romBytes();
        p.writeProtect(true);
        boxes.click(QMessageBox::Yes);
        boxes.key(Qt::Key_Return);
        QTest::keyClick(win, Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(boxes.count(), 2);
        QCOMPARE(boxes.shown[0].text, QString("Save changes?"));
        const QString asked = boxes.last().text;
        QVERIFY(asked.startsWith("These sections could not be saved:"));
        QVERIFY(asked.contains("stage 0, section 0; stage 0, section 3: "));
        QVERIFY(asked.contains("write-protected"));
        QVERIFY(asked.endsWith("Quit anyway and lose their changes?"));
        QVERIFY(p.w->isVisible());
        QVERIFY(p.doc->modified(0, 0) && p.doc->modified(0, 3));
        QCOMPARE(int(p.t->layoutStr[0][3][static_cast<size_t>(shownPos(*p.w, 0))]), 4);
        QVERIFY(named<QPushButton>(p.w.get(), "cmdSave")->isEnabled()
            && named<QPushButton>(p.w.get(), "cmdSaveAll")->isEnabled());
        QVERIFY(p.romBytes() == before);
        // Asked to quit anyway, it quits.
        boxes.click(QMessageBox::Yes);
        boxes.click(QMessageBox::Yes);
        activeWindow(p);
        QTest::keyClick(win, Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(boxes.count(), 4);
        QVERIFY(!p.w->isVisible());
        QVERIFY(p.romBytes() == before);
    }

    // "Save your progress before reloading?" Yes, the save fails: nothing is reloaded, and the
    // settings file still names the ROM whose edits are kept, also when another program had
    // it name the new ROM before (as a second copy of the program does).
    void aFailedSaveBeforeAReloadKeepsTheRomAndEveryEdit()
    {
        enum { Reload, NewRom, NamedElsewhere };
        for (int how : { Reload, NewRom, NamedElsewhere }) {
            const bool newRom = how != Reload;
            RealBoxes boxes;
            Program p;
            const std::string other = p.dir.file("other.nes");
            testfile::writeAll(other, rb::build(rb::gameShape(rb::Rel::JP)).rom);
            named<QAction>(p.w.get(), "mnusta", 3)->trigger();
            named<ctl::ComboBox>(p.w.get(), "Combo1")->setCurrentIndex(0);
            paint(p);
            const Bytes before = p.romBytes();
            p.writeProtect(true);
            if (how == NamedElsewhere) {
                startup::writeIni(p.dir, other);
                settings(p, [](Settings *s) { QTest::keyClick(s, Qt::Key_Escape); });
            }
            boxes.click(QMessageBox::Yes);
            settings(p, [&](Settings *s) {
                if (newRom) {
                    s->txtRomPath->setText(QString::fromStdString(other));
                    pointer::click(s->cmdSettingsOK);
                } else {
                    pointer::click(s->cmdRell);
                }
            });
            QCOMPARE(boxes.count(), 2);
            QVERIFY(boxes.last().text.startsWith(
                "These sections could not be saved, so the ROM was not loaded again"));
            QVERIFY(boxes.last().text.contains("stage 0, section 0: "));
            QVERIFY(marked(p));
            QCOMPARE(int(p.t->layoutStr[0][0][static_cast<size_t>(shownPos(*p.w, 1))]), 2);
            QCOMPARE(p.g->files.ini.romPath, p.rom);
            QCOMPARE(p.g->doc.romVer(), std::string("0"));
            IniValues v;
            ini::read(p.dir.file("Vorlig.ini"), 7, v);
            QCOMPARE(v.romPath, p.rom);
            QVERIFY(p.romBytes() == before);
            // Writable again, the same Save goes into the ROM loaded.
            p.writeProtect(false);
            pointer::click(named<QPushButton>(p.w.get(), "cmdSave"));
            QCOMPARE(boxes.count(), 2);
            QVERIFY(!p.doc->anyModified());
        }
    }

    // A named pipe at the ROM's path: every reader and writer refuses it at once.
    void aPipeAtTheRomPathIsRefusedWithoutWaiting()
    {
        Deadline deadline(60);
        RealBoxes boxes;
        Program p;
        QWindow *win = activeWindow(p);
        paint(p);
        std::remove(p.rom.c_str());
        QCOMPARE(::mkfifo(p.rom.c_str(), 0644), 0);
        pointer::click(named<QPushButton>(p.w.get(), "cmdSave"));
        pointer::click(named<QPushButton>(p.w.get(), "cmdRevert"));
        boxes.click(QMessageBox::Ok);
        pointer::choose(named<ctl::ComboBox>(p.w.get(), "cmbTime"),
            (named<ctl::ComboBox>(p.w.get(), "cmbTime")->currentIndex() + 1) % 15);
        activeWindow(p);
        QTest::keyClick(win, Qt::Key_D, Qt::ControlModifier);
        // A side window that read the ROM before the pipe took its place.
        std::remove(p.rom.c_str());
        testfile::writeAll(p.rom, p.built.rom);
        side::open<frmMisc>(named<QToolButton>(p.w.get(), "cmdMisc"), [&](frmMisc *w) {
            std::remove(p.rom.c_str());
            QCOMPARE(::mkfifo(p.rom.c_str(), 0644), 0);
            side::arrow(w->vLife, true);
            pointer::click(w->cmdOK);
            QVERIFY(w->isVisible());
        });
        const char *subs[] = { "156.", "158.", "107.", "126." };
        for (const char *sub : subs)
            QVERIFY2(boxes.any(QString("in subroutine ") + sub), sub);
        QVERIFY(boxes.any("M01"));
        for (const RealBoxes::Shown &b : boxes.shown)
            QVERIFY2(b.text.contains("is a named pipe") || b.text.contains("could not"),
                qPrintable(b.text));
        QVERIFY(marked(p));
    }

    // Links planted at every temporary name, a write-protected ROM, a second name, a ROM
    // reached through a link: Save writes the ROM, and only the ROM, or nothing.
    void savesKeepLinksAndNeverFollowPlantedOnes()
    {
        {
            RealBoxes boxes;
            Program p;
            const std::string victim = p.dir.file("victim.txt");
            testfile::writeText(victim, "keep me");
            for (const std::string &name : romfile::tempNames(p.rom))
                QCOMPARE(::symlink(victim.c_str(), name.c_str()), 0);
            const long long at = paint(p);
            pointer::click(named<QPushButton>(p.w.get(), "cmdSave"));
            QCOMPARE(boxes.count(), 0);
            QCOMPARE(rb::at(p.romBytes(), at), uint8_t(2));
            QCOMPARE(testfile::readText(victim), std::string("keep me"));
        }
        {
            RealBoxes boxes;
            Program p;
            const Bytes before = p.romBytes();
            p.writeProtect(true);
            paint(p);
            pointer::click(named<QPushButton>(p.w.get(), "cmdSave"));
            QCOMPARE(boxes.count(), 1);
            QVERIFY(boxes.last().text.contains("write-protected: nothing was written"));
            QVERIFY(p.romBytes() == before);
            QVERIFY(marked(p));
        }
        {
            RealBoxes boxes;
            Program p;
            const std::string second = p.dir.file("second.nes");
            QCOMPARE(::link(p.rom.c_str(), second.c_str()), 0);
            const long long at = paint(p);
            pointer::click(named<QPushButton>(p.w.get(), "cmdSave"));
            QCOMPARE(rb::at(p.romBytes(), at), uint8_t(2));
            QCOMPARE(rb::at(testfile::readAll(second), at), uint8_t(2));
        }
        {
            RealBoxes boxes;
            Program p(rb::Rel::US, false);
            TempDir elsewhere;
            const std::string real = elsewhere.file("real.nes");
            QCOMPARE(std::rename(p.rom.c_str(), real.c_str()), 0);
            QCOMPARE(::symlink(real.c_str(), p.rom.c_str()), 0);
            p.start();
            const long long at = paint(p);
            pointer::click(named<QPushButton>(p.w.get(), "cmdSave"));
            QCOMPARE(boxes.count(), 0);
            QVERIFY(isLink(p.rom));
            QCOMPARE(rb::at(testfile::readAll(real), at), uint8_t(2));
        }
    }

    // Stage 9's sections 0 and 1 share one layout: Revert in section 0 names section 1, whose
    // edit it would throw away, and asks. Cancel, the default, keeps everything; OK reads both
    // from the file and clears both marks.
    void revertAsksBeforeTakingTheEditsOfASectionSharingTheLayout()
    {
        RealBoxes boxes;
        Program p(rb::oddShape(rb::Rel::US));
        auto *sections = named<ctl::ComboBox>(p.w.get(), "Combo2");
        auto *revert = named<QPushButton>(p.w.get(), "cmdRevert");
        pointer::choose(named<ctl::ComboBox>(p.w.get(), "Combo1"), 9);
        pointer::choose(sections, 1);
        const auto at = static_cast<size_t>(shownPos(*p.w, 1));
        const char was = p.t->layoutStr[9][1][at];
        const char block = was == 2 ? 3 : 2;
        pointer::click(named<ctl::ImageBox>(p.w.get(), "sel", block));
        pointer::click(named<ctl::ImageBox>(p.w.get(), "scr", 1));
        pointer::choose(sections, 0);
        boxes.key(Qt::Key_Return);
        pointer::click(revert);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, QString("Revert"));
        QCOMPARE(boxes.last().style(), 49);
        QVERIFY(boxes.last().text.contains("records it shares with stage 9, section 1."));
        for (int n : { 0, 1 }) {
            QCOMPARE(p.t->layoutStr[9][n][at], block);
            QVERIFY(p.doc->modified(9, n));
        }
        boxes.click(QMessageBox::Ok);
        pointer::click(revert);
        QCOMPARE(boxes.count(), 2);
        for (int n : { 0, 1 })
            QCOMPARE(p.t->layoutStr[9][n][at], was);
        QVERIFY(!p.doc->anyModified());
        QVERIFY(!named<QPushButton>(p.w.get(), "cmdSaveAll")->isEnabled());
        QVERIFY(p.romBytes() == p.built.rom);
    }
};

QTEST_MAIN(tst_saving)
#include "tst_saving.moc"
