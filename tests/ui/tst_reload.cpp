#include "app/Settings.h"
#include "app/frmSplash.h"
#include "support/RomBuilder.h"
#include "support/RomMap.h"
#include "ui/Controls.h"
#include "ui/support/Boxes.h"
#include "ui/support/MainView.h"
#include "ui/support/Named.h"
#include "ui/support/Pointer.h"
#include "ui/support/Program.h"
#include "ui/support/RealBoxes.h"
#include "ui/support/Startup.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

namespace {

// Runs File > Settings..., letting act fill the window before it is closed by act itself.
void settings(Program &p, std::function<void(Settings *)> act)
{
    startup::whenOpen<Settings>(act, [&] { named<QAction>(p.w.get(), "mnuFile")->trigger(); });
}

std::string writeRom(Program &p, rb::Rel rel, const std::string &name)
{
    std::string path = p.dir.file(name);
    testfile::writeAll(path, rb::build(rb::gameShape(rel)).rom);
    return path;
}

// Block 2 painted into cell 1 of stage 0, section 0, and saved: the position the save writes.
long long paintAndSave(Program &p)
{
    pointer::click(named<ctl::ImageBox>(p.w.get(), "sel", 2));
    pointer::click(named<ctl::ImageBox>(p.w.get(), "scr", 1));
    pointer::click(named<QPushButton>(p.w.get(), "cmdSave"));
    return p.t->layoutPos[0][0] + shownPos(*p.w, 1);
}

} // namespace

class tst_reload : public QObject
{
    Q_OBJECT
private slots:
    void cancelledSettingsReloadNothing()
    {
        Boxes boxes;
        Program p;
        named<QAction>(p.w.get(), "mnusta", 3)->trigger();
        settings(p, [](Settings *s) { s->close(); });
        QCOMPARE(p.g->doc.romVer(), std::string("0"));
        QCOMPARE(p.g->doc.shown().curStage, 3);
        QCOMPARE(boxes.count(), 0);
    }

    // The Settings window closes while the ROM's file is away, or while the settings file
    // names a ROM of the other release (as a second copy of the program leaves it): the ROM in
    // memory keeps its own release, so a time picked lands at that release's position, and
    // the Debug Screen switch is the loaded ROM's.
    void theLoadedRomKeepsItsRelease_data()
    {
        QTest::addColumn<int>("rel");
        QTest::addColumn<bool>("otherNamed");
        QTest::newRow("Japanese ROM away") << int(rb::Rel::JP) << false;
        QTest::newRow("US ROM, a Japanese one named") << int(rb::Rel::US) << true;
        QTest::newRow("Japanese ROM, a US one named") << int(rb::Rel::JP) << true;
    }

    void theLoadedRomKeepsItsRelease()
    {
        QFETCH(int, rel);
        QFETCH(bool, otherNamed);
        const auto loaded = rb::Rel(rel);
        const auto other = loaded == rb::Rel::US ? rb::Rel::JP : rb::Rel::US;
        Boxes boxes;
        Program p(loaded);
        const std::string away = p.dir.file("away.nes");
        std::string otherRom;
        if (otherNamed) {
            otherRom = writeRom(p, other, "other.nes");
            startup::writeIni(p.dir, otherRom);
        } else {
            QCOMPARE(std::rename(p.rom.c_str(), away.c_str()), 0);
        }
        settings(p, [](Settings *s) { QTest::keyClick(s, Qt::Key_Escape); });
        if (!otherNamed)
            QCOMPARE(std::rename(away.c_str(), p.rom.c_str()), 0);
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(p.g->doc.romVer(), std::string(loaded == rb::Rel::JP ? "1" : "0"));
        QCOMPARE(named<QAction>(p.w.get(), "mnuDebug")->isEnabled(), loaded == rb::Rel::US);
        const long long area = p.t->timeTbl[0][0][1];
        const long long at = rb::romMap(loaded).timeBytes + area;
        pointer::choose(named<ctl::ComboBox>(p.w.get(), "cmbTime"), 14); // "F00"
        Bytes expect = p.built.rom;
        expect[static_cast<size_t>(at - 1)] = uint8_t(0xF0 | (rb::at(p.built.rom, at) & 0x0F));
        QVERIFY(p.romBytes() == expect);
        if (otherNamed)
            QVERIFY(testfile::readAll(otherRom) == rb::build(rb::gameShape(other)).rom);
        QCOMPARE(boxes.count(), 0);
    }

    // A second copy of the program leaves the settings file naming another ROM: the Settings
    // window, opened again after Escape, takes that one for another file (no Reload), and its
    // OK loads it, so the next save goes where the window and the settings file say.
    void theRomBeingEditedIsTheFileLoaded()
    {
        RealBoxes boxes;
        Program p;
        const std::string other = writeRom(p, rb::Rel::US, "other.nes");
        startup::writeIni(p.dir, other);
        settings(p, [](Settings *s) { QTest::keyClick(s, Qt::Key_Escape); });
        settings(p, [&](Settings *s) {
            QCOMPARE(s->txtRomPath->text(), QString::fromStdString(other));
            QVERIFY(!s->cmdRell->isEnabled());
            pointer::click(s->cmdSettingsOK);
        });
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(p.g->doc.file().path(), other);
        IniValues v;
        ini::read(p.dir.file("Vorlig.ini"), 7, v);
        QCOMPARE(v.romPath, other);
        QCOMPARE(rb::at(testfile::readAll(other), paintAndSave(p)), uint8_t(2));
        QVERIFY(p.romBytes() == p.built.rom);
        QCOMPARE(boxes.count(), 0);
    }

    // Another program gives the ROM a signature of neither release while an edit waits: the
    // save finds the file changed, and loading it again refuses it as a start would. Nothing
    // is loaded, nothing can be edited, and nothing is written into it, until the Settings
    // window's OK loads a ROM again.
    void aReloadIntoAFileOfNeitherReleaseEditsNothing_data()
    {
        QTest::addColumn<int>("rel");
        QTest::addColumn<bool>("okFirst"); // OK on the Settings window before Escape
        QTest::newRow("US, Escape") << int(rb::Rel::US) << false;
        QTest::newRow("Japanese, OK then Escape") << int(rb::Rel::JP) << true;
    }

    void aReloadIntoAFileOfNeitherReleaseEditsNothing()
    {
        QFETCH(int, rel);
        QFETCH(bool, okFirst);
        RealBoxes boxes;
        Program p(rb::Rel { rel });
        pointer::click(named<ctl::ImageBox>(p.w.get(), "sel", 2));
        pointer::click(named<ctl::ImageBox>(p.w.get(), "scr", 0));
        QVERIFY(p.doc->anyModified());
        Bytes foreign = p.romBytes();
        std::fill(foreign.begin() + 16, foreign.begin() + 32, uint8_t(0x11));
        testfile::writeAll(p.rom, foreign);

        boxes.click(QMessageBox::Yes); // "Load the ROM again?"; every other box takes Return
        int settingsShown = 0;
        bool stayed = false;
        startup::onModal([&](QDialog *d) {
            if (d->objectName() != "Settings")
                return true;
            ++settingsShown;
            auto *s = static_cast<Settings *>(d);
            if (okFirst)
                pointer::click(s->cmdSettingsOK); // refused: the window stays
            stayed = s->isVisible();
            QTest::keyClick(s, Qt::Key_Escape);
            return true;
        });
        pointer::click(named<QPushButton>(p.w.get(), "cmdSave"));
        startup::stopWatching();
        QCOMPARE(settingsShown, 1);
        QVERIFY(stayed);
        const int told = okFirst ? 4 : 3;
        QCOMPARE(boxes.count(), told);
        QCOMPARE(boxes.shown[0].title, QString("ROM file changed"));
        for (int k = 1; k < told - 1; ++k)
            QCOMPARE(boxes.shown[k].title, QString("Invalid ROM File"));
        QVERIFY(boxes.last().text.contains("No ROM is loaded"));
        QCOMPARE(p.g->doc.romVer(), std::string());
        QVERIFY(!named<QAction>(p.w.get(), "mnuDebug")->isEnabled());

        pointer::click(named<ctl::ImageBox>(p.w.get(), "sel", 3));
        pointer::click(named<ctl::ImageBox>(p.w.get(), "scr", 1));
        QVERIFY(!p.doc->anyModified());
        QVERIFY(!named<QPushButton>(p.w.get(), "cmdSave")->isEnabled());
        named<QAction>(p.w.get(), "mnuSaveAll")->trigger();
        QVERIFY(p.romBytes() == foreign);
        QCOMPARE(boxes.count(), told);

        // Put right again by another program, the ROM is no ROM being edited (no Reload), and
        // OK loads it.
        testfile::writeAll(p.rom, p.built.rom);
        settings(p, [](Settings *s) {
            QVERIFY(!s->cmdRell->isEnabled());
            pointer::click(s->cmdSettingsOK);
        });
        QCOMPARE(boxes.count(), told);
        QCOMPARE(p.g->doc.romVer(), std::string(rb::Rel { rel } == rb::Rel::JP ? "1" : "0"));
        QCOMPARE(p.g->doc.file().path(), p.rom);
    }

    void newEmulatorPathNeedsNoReload()
    {
        Boxes boxes;
        Program p;
        named<QAction>(p.w.get(), "mnusta", 3)->trigger();
        const std::string emu = p.dir.file("emu");
        testfile::writeText(emu, "#!/bin/sh\necho \"$@\" > " + p.dir.file("args.txt") + "\n");
        ::chmod(emu.c_str(), 0755);
        settings(p, [&](Settings *s) {
            s->txtEmuPath->setText(QString::fromStdString(emu));
            s->LaunchROM->setChecked(false);
            pointer::click(s->cmdSettingsOK);
        });
        QCOMPARE(p.g->doc.shown().curStage, 3); // nothing reloaded
        QCOMPARE(p.g->files.ini.emuPath, emu);
        QCOMPARE(p.g->files.ini.romLoad, 0);
        QCOMPARE(p.g->doc.romVer(), std::string("0"));
        pointer::click(named<QPushButton>(p.w.get(), "cmdEmulator"));
        // The emulator is a process of its own: a busy machine may take long to start it.
        QVERIFY(
            QTest::qWaitFor([&] { return romfile::fileExists(p.dir.file("args.txt")); }, 60000));
        QCOMPARE(boxes.count(), 0);
    }

    void romOfTheOtherReleaseIsLoaded()
    {
        Boxes boxes;
        Program p;
        named<QAction>(p.w.get(), "mnusta", 3)->trigger();
        const std::string jp = writeRom(p, rb::Rel::JP, "jp.nes");
        settings(p, [&](Settings *s) {
            s->txtRomPath->setText(QString::fromStdString(jp));
            pointer::click(s->cmdSettingsOK);
        });
        QCOMPARE(p.g->files.ini.romPath, jp);
        QCOMPARE(p.g->doc.romVer(), std::string("1"));
        QCOMPARE(p.w->windowTitle(), QString("Vorlig"));
        QVERIFY(!named<QAction>(p.w.get(), "mnuDebug")->isEnabled());
        QCOMPARE(p.g->doc.shown().curStage, 0);
        QVERIFY(named<QRadioButton>(p.w.get(), "optBg")->isChecked());
        QVERIFY(!p.w->splash()->isVisible());
        QCOMPARE(boxes.count(), 0);
    }

    void unsavedEditsAreSavedIntoTheRomBeingLeft()
    {
        RealBoxes boxes;
        Program p;
        const std::string other = writeRom(p, rb::Rel::US, "other.nes");
        pointer::click(named<ctl::ImageBox>(p.w.get(), "sel", 2));
        pointer::click(named<ctl::ImageBox>(p.w.get(), "scr", 0));
        pointer::choose(named<ctl::ComboBox>(p.w.get(), "Combo2"), 3);
        pointer::click(named<ctl::ImageBox>(p.w.get(), "scr", 1));
        QVERIFY(p.doc->anyModified());
        const long long pos0 = p.t->layoutPos[0][0];
        const long long pos3 = p.t->layoutPos[0][3] + shownPos(*p.w, 1);
        boxes.click(QMessageBox::Yes);
        settings(p, [&](Settings *s) {
            s->txtRomPath->setText(QString::fromStdString(other));
            pointer::click(s->cmdSettingsOK);
        });
        QVERIFY(boxes.any("Save your progress before loading new ROM ?"));
        const Bytes old = p.romBytes();
        QCOMPARE(rb::at(old, pos0), uint8_t(2));
        QCOMPARE(rb::at(old, pos3), uint8_t(2));
        QCOMPARE(p.g->files.ini.romPath, other);
        QVERIFY(!p.doc->anyModified());
        QVERIFY(!named<QPushButton>(p.w.get(), "cmdSaveAll")->isEnabled());
        QVERIFY(!named<QPushButton>(p.w.get(), "cmdSave")->isEnabled());
        // The new ROM is untouched and loaded as it is.
        QVERIFY(testfile::readAll(other) == rb::build(rb::gameShape(rb::Rel::US)).rom);
    }

    // On this system "GAME.nes" is another file than "game.nes": naming it loads it, so the
    // next save goes into the file whose tables are shown.
    void aNameInAnotherCaseIsAnotherRom()
    {
        RealBoxes boxes;
        Program p;
        Bytes otherBytes = p.built.rom;
        otherBytes[static_cast<size_t>(p.t->layoutPos[0][0] - 1)] = 7;
        const std::string other = p.dir.file("GAME.nes");
        testfile::writeAll(other, otherBytes);
        const Bytes loadedBytes = p.romBytes();
        settings(p, [&](Settings *s) {
            s->txtRomPath->setText(QString::fromStdString(other));
            QVERIFY(!s->cmdRell->isEnabled());
            pointer::click(s->cmdSettingsOK);
        });
        QCOMPARE(p.g->files.ini.romPath, other);
        QCOMPARE(int(p.t->layoutStr[0][0][0]), 7);
        QCOMPARE(rb::at(testfile::readAll(other), paintAndSave(p)), uint8_t(2));
        QVERIFY(p.romBytes() == loadedBytes);
        QCOMPARE(boxes.count(), 0);
    }

    void stageMenuAndKeys()
    {
        RealBoxes boxes;
        Program p;
        QWindow *win = activeWindow(p);
        QTest::keyClick(win, Qt::Key_F4, Qt::ShiftModifier);
        QCOMPARE(p.g->doc.shown().curStage, 12);
        QCOMPARE(named<ctl::ComboBox>(p.w.get(), "Combo1")->currentIndex(), 12);
        for (int i = 0; i < 15; ++i)
            QCOMPARE(named<QAction>(p.w.get(), "mnusta", i)->isChecked(), i == 12);
        QCOMPARE(named<QAction>(p.w.get(), "mnusta", 12)->text(), QString("&C Main Hall"));
        // Choosing in the stage list moves the check mark too.
        named<ctl::ComboBox>(p.w.get(), "Combo1")->setCurrentIndex(2);
        QVERIFY(named<QAction>(p.w.get(), "mnusta", 2)->isChecked());
        QVERIFY(!named<QAction>(p.w.get(), "mnusta", 12)->isChecked());
        QCOMPARE(boxes.count(), 0);
    }

    // "+" and "-" step the selector within its pages, from the keypad and from the main
    // keyboard (where "+" needs Shift held), and once for every press a held key repeats.
    void plusAndMinusStepTheSelector()
    {
        RealBoxes boxes;
        Program p;
        auto *pages = named<ctl::ScrollBar>(p.w.get(), "selscroll");
        auto *saveAll = named<QPushButton>(p.w.get(), "cmdSaveAll");
        QWindow *win = activeWindow(p);
        QCOMPARE(pages->value(), 0);
        QTest::keyClick(win, Qt::Key_Minus);
        QCOMPARE(pages->value(), 0);
        QTest::keyClick(win, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(pages->value(), 1);
        QTest::keyClick(win, Qt::Key_Plus, Qt::ShiftModifier); // Shift down, "+", Shift up
        QCOMPARE(pages->value(), 2);
        QTest::keyPress(win, Qt::Key_Shift);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(win, Qt::Key_Plus, Qt::ShiftModifier);
        QTest::keyRelease(win, Qt::Key_Shift);
        QCOMPARE(pages->value(), 5);
        // A held key: one press, repeats without releases between them, one release.
        QTest::simulateEvent(win, true, Qt::Key_Minus, Qt::NoModifier, "-", false);
        QTest::simulateEvent(win, true, Qt::Key_Minus, Qt::NoModifier, "-", true);
        QTest::simulateEvent(win, true, Qt::Key_Minus, Qt::NoModifier, "-", true);
        QTest::simulateEvent(win, false, Qt::Key_Minus, Qt::NoModifier, "-", false);
        QCOMPARE(pages->value(), 2);
        pages->setValue(pages->maximum());
        QTest::keyClick(win, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(pages->value(), pages->maximum());
        // A focused control that lets the key through: one step, and it still gets the key.
        pages->setValue(3);
        saveAll->setEnabled(true);
        saveAll->setFocus();
        QTest::keyClick(win, Qt::Key_Minus);
        QCOMPARE(pages->value(), 2);
        QTest::keyClick(win, Qt::Key_Plus, Qt::ShiftModifier);
        QCOMPARE(pages->value(), 3);
        QCOMPARE(boxes.count(), 0);
    }
};

QTEST_MAIN(tst_reload)
#include "tst_reload.moc"
