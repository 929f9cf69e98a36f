#include "app/frmBrowse.h"
#include "support/TempDir.h"
#include "ui/support/Boxes.h"
#include "ui/support/Pointer.h"
#include "ui/support/ProgramState.h"
#include "ui/support/RealBoxes.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QTest>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString q(const std::string &s)
{
    return QString::fromStdString(s);
}

QString noSlash(const std::string &dir)
{
    return QDir::cleanPath(q(dir));
}

QStringList files(const frmBrowse &b)
{
    QStringList l;
    for (int i = 0; i < b.File1->count(); ++i)
        l << b.File1->item(i)->text();
    return l;
}

QStringList dirs(const frmBrowse &b)
{
    QStringList l;
    for (int i = 0; i < b.Dir1->count(); ++i)
        l << b.Dir1->item(i)->text().trimmed();
    return l;
}

QStringList drives(const frmBrowse &b)
{
    QStringList l;
    for (int i = 0; i < b.Drive1->count(); ++i)
        l << b.Drive1->itemText(i);
    return l;
}

void touch(const std::string &path, mode_t mode = 0644)
{
    testfile::writeText(path, "x");
    ::chmod(path.c_str(), mode);
}

// A program folder and a folder of files to browse.
struct Fixture
{
    TempDir dir;
    ProgramState g;

    Fixture()
    {
        g.files.appPath = dir.path();
        for (const char *name : { "a.nes", "B.NES", "c.Nes", "d.txt", "e.nes.bak" })
            touch(dir.file(name));
        touch(dir.file("run-me"), 0755);
        std::filesystem::create_directory(dir.file("f.nes"));
        std::filesystem::create_directory(dir.file(".hidden"));
        touch(dir.file(".hidden/inner.nes"));
    }
};

} // namespace

class tst_browse : public QObject
{
    Q_OBJECT
private slots:
    void layoutAndNames();
    void filtersPerTarget();
    void nesAndExePatterns();
    void startFolderFromBox();
    void folderListEntersFolders();
    void doubleClickChoosesTheFile();
    void closeBoxChangesNothing();
    void driveNotReady();
    void unreadableFolderStays();
    void volumesFromMounts();
};

void tst_browse::layoutAndNames()
{
    Fixture f;
    frmBrowse b(f.g.doc, 0, QString());
    QCOMPARE(b.windowTitle(), QString("Browse"));
    QCOMPARE(b.size(), QSize(433, 269));
    QCOMPARE(b.findChild<QComboBox *>("Drive1")->geometry(), QRect(8, 8, 169, 21));
    QCOMPARE(b.findChild<QListWidget *>("Dir1")->geometry(), QRect(8, 32, 169, 231));
    QCOMPARE(b.findChild<QListWidget *>("File1")->geometry(), QRect(184, 8, 241, 227));
    QCOMPARE(b.findChild<QComboBox *>("Combo1")->geometry(), QRect(184, 242, 241, 21));
    QCOMPARE(b.Drive1->itemText(0), QString("/"));
}

void tst_browse::filtersPerTarget()
{
    Fixture f;
    for (int target : { 0, 1, 2, 7 }) {
        frmBrowse b(f.g.doc, target, QString());
        const QString first = target == 1 ? "Applications (*.EXE)" : "Rom Images (*.NES)";
        const QString pattern = target == 1 ? "*.EXE" : target == 7 ? "*.*" : "*.NES";
        QCOMPARE(b.Combo1->count(), 2);
        QCOMPARE(b.Combo1->itemText(0), first);
        QCOMPARE(b.Combo1->itemText(1), QString("All files (*.*)"));
        QCOMPARE(b.pattern(), pattern);
        b.Combo1->setCurrentIndex(1);
        QCOMPARE(b.pattern(), QString("*.*"));
        b.Combo1->setCurrentIndex(0);
        QCOMPARE(b.pattern(), target == 7 ? QString("*.*") : pattern);
    }
}

void tst_browse::nesAndExePatterns()
{
    Fixture f;
    frmBrowse rom(f.g.doc, 0, q(f.dir.file("a.nes")));
    QCOMPARE(files(rom), QStringList({ "a.nes", "B.NES", "c.Nes" })); // no folders, no hidden
    rom.Combo1->setCurrentIndex(1);
    QCOMPARE(
        files(rom), QStringList({ "a.nes", "B.NES", "c.Nes", "d.txt", "e.nes.bak", "run-me" }));

    frmBrowse emu(f.g.doc, 1, q(f.dir.file("none")));
    QCOMPARE(files(emu), QStringList("run-me"));
}

void tst_browse::startFolderFromBox()
{
    Fixture f;
    std::filesystem::create_directories(f.dir.file("EMU/NES"));
    {
        frmBrowse b(f.g.doc, 2, q(f.dir.file("EMU/NES/RI3.NES"))); // need not exist
        QCOMPARE(b.dirPath(), noSlash(f.dir.file("EMU/NES")));
        QCOMPARE(b.Drive1->currentText(), frmBrowse::volumeOf(drives(b), b.dirPath()));
    }
    // Empty, a bare name or a folder that is not there: the default folder, no message.
    Boxes boxes;
    for (const std::string &text : { std::string(), std::string("RI3.NES"), f.dir.file("no/x") }) {
        frmBrowse b(f.g.doc, 2, q(text));
        QCOMPARE(b.dirPath(), QDir::cleanPath(QDir::homePath()));
    }
    QCOMPARE(boxes.count(), 0);
}

void tst_browse::folderListEntersFolders()
{
    Fixture f;
    frmBrowse b(f.g.doc, 0, q(f.dir.file("a.nes")));
    const QStringList shown = dirs(b);
    QCOMPARE(shown.first(), frmBrowse::volumeOf(drives(b), b.dirPath()));
    QVERIFY(shown.contains(".hidden"));
    QVERIFY(shown.contains("f.nes"));
    QCOMPARE(b.Dir1->currentItem()->text().trimmed(), QFileInfo(b.dirPath()).fileName());
    auto found = b.Dir1->findItems(".hidden", Qt::MatchEndsWith);
    QCOMPARE(found.size(), 1);
    pointer::clickItem(b.Dir1, found.first(), true);
    QCOMPARE(b.dirPath(), noSlash(f.dir.file(".hidden")));
    QCOMPARE(files(b), QStringList("inner.nes"));
    // One level up again through the chain above the folder.
    found = b.Dir1->findItems(QFileInfo(noSlash(f.dir.path())).fileName(), Qt::MatchEndsWith);
    QCOMPARE(found.size(), 1);
    pointer::clickItem(b.Dir1, found.first(), true);
    QCOMPARE(b.dirPath(), noSlash(f.dir.path()));
}

void tst_browse::doubleClickChoosesTheFile()
{
    Fixture f;
    for (int target : { 0, 1, 2 }) {
        frmBrowse b(f.g.doc, target, q(f.dir.file("d.txt")));
        QVERIFY(b.chosenPath().isEmpty());
        pointer::choose(b.Combo1, 1);
        pointer::clickItem(b.File1, b.File1->findItems("c.Nes", Qt::MatchExactly).first(), true);
        QCOMPARE(b.result(), int(QDialog::Accepted));
        QCOMPARE(b.chosenPath(), q(f.dir.file("c.Nes")));
    }
    // In the root folder the path gets a single "/".
    frmBrowse b(f.g.doc, 0, QString());
    QVERIFY(b.setDirPath("/"));
    pointer::choose(b.Combo1, 1);
    if (b.File1->count() == 0)
        QSKIP("the root folder holds no file");
    pointer::clickItem(b.File1, b.File1->item(0), true);
    QCOMPARE(b.chosenPath(), "/" + b.File1->item(0)->text());
}

void tst_browse::closeBoxChangesNothing()
{
    Fixture f;
    frmBrowse b(f.g.doc, 0, q(f.dir.file("a.nes")));
    pointer::clickItem(b.File1, b.File1->item(1));
    QCOMPARE(b.File1->currentRow(), 1);
    b.close(); // the close box
    QVERIFY(!b.isVisible());
    QCOMPARE(b.result(), int(QDialog::Rejected));
    QVERIFY(b.chosenPath().isEmpty());
}

void tst_browse::driveNotReady()
{
    Fixture f;
    frmBrowse b(f.g.doc, 0, q(f.dir.file("a.nes")));
    const QString before = b.dirPath();
    const QString volume = b.Drive1->currentText();
    RealBoxes boxes;
    b.Drive1->addItem("/no-such-volume-for-vorlig");
    pointer::choose(b.Drive1, b.Drive1->count() - 1);
    QCOMPARE(boxes.texts(), QStringList("The drive is not ready."));
    QCOMPARE(boxes.last().title, QString("I am Error"));
    QCOMPARE(boxes.last().style(), 16);
    QCOMPARE(b.dirPath(), before);
    QCOMPARE(files(b), QStringList({ "a.nes", "B.NES", "c.Nes" }));
    QCOMPARE(b.Drive1->currentText(), volume);
    // A readable volume moves both lists to its root.
    boxes.clear();
    QCOMPARE(b.Drive1->currentIndex(), 0); // "/" already, so no change signal
    b.Drive1_Change();
    QCOMPARE(b.dirPath(), QString("/"));
    QCOMPARE(boxes.count(), 0);
}

void tst_browse::unreadableFolderStays()
{
    if (::geteuid() == 0)
        QSKIP("root reads every folder");
    Fixture f;
    std::filesystem::create_directory(f.dir.file("locked"));
    ::chmod(f.dir.file("locked").c_str(), 0);
    frmBrowse b(f.g.doc, 0, q(f.dir.file("a.nes")));
    RealBoxes boxes;
    b.Drive1->addItem(noSlash(f.dir.file("locked")));
    pointer::choose(b.Drive1, b.Drive1->count() - 1);
    QCOMPARE(boxes.texts(), QStringList("The drive is not ready."));
    QCOMPARE(b.dirPath(), noSlash(f.dir.path()));
    QVERIFY(!b.setDirPath(q(f.dir.file("locked"))));
    ::chmod(f.dir.file("locked").c_str(), 0755);
}

void tst_browse::volumesFromMounts()
{
    const QString mounts = "proc /proc proc rw 0 0\n"
                           "sysfs /sys sysfs rw 0 0\n"
                           "/dev/sdb1 /media/me/My\\040Card vfat rw 0 0\n"
                           "tmpfs /run/user/1000 tmpfs rw 0 0\n"
                           "cgroup /sys/fs/cgroup/cpu cgroup rw 0 0\n"
                           "devpts /dev/pts devpts rw 0 0\n"
                           "tmpfs /dev/shm tmpfs rw 0 0\n"
                           "/dev/sda2 /home ext4 rw 0 0\n"
                           "/dev/sda1 / ext4 rw 0 0\n"
                           "/dev/loop3 /snap/core/1 squashfs ro 0 0\n"
                           "/dev/sda2 /home ext4 rw 0 0\n"
                           "broken line\n";
    const QStringList v = frmBrowse::volumesFrom(mounts);
    QCOMPARE(v, QStringList({ "/", "/home", "/media/me/My Card" }));
    QCOMPARE(frmBrowse::volumeOf(v, "/home/me/roms"), QString("/home"));
    QCOMPARE(frmBrowse::volumeOf(v, "/homeless"), QString("/"));
    QCOMPARE(frmBrowse::volumeOf(v, "/media/me/My Card"), QString("/media/me/My Card"));
}

QTEST_MAIN(tst_browse)
#include "tst_browse.moc"
