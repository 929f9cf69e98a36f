#include "gfx/ColourBox.h"
#include "gfx/frmPalettes.h"
#include "rom/Numbers.h"
#include "support/RomDiff.h"
#include "support/RomMap.h"
#include "ui/Controls.h"
#include "ui/support/Boxes.h"
#include "ui/support/Named.h"
#include "ui/support/Program.h"
#include "ui/support/RealBoxes.h"
#include "ui/support/SideWindows.h"
#include "ui/support/ViewPixels.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <functional>

namespace {

using viewpx::SubPals;

// The block as the ROM's CHR bytes and the given sub-palettes make it, decoded here on its own.
QImage expectedBlock(const Program &p, int block, const SubPals &pals)
{
    return viewpx::expectedBlock(p, p.romBytes(), block, pals);
}

// The sub-palettes of background set s as the ROM file holds them now.
SubPals romSet(const Program &p, int s)
{
    const rb::RomMap m = rb::romMap(p.g->doc.romVer() == "1" ? rb::Rel::JP : rb::Rel::US);
    const Bytes file = p.romBytes();
    SubPals out {};
    for (int sp = 0; sp < 4; ++sp) {
        out[sp][0] = rb::at(file, m.palBackdrop);
        for (int c = 1; c <= 3; ++c)
            out[sp][c] = sp == 0 ? rb::at(file, m.palFixed + c - 1)
                                 : rb::at(file, m.palSetBase + 9 * s + 3 * (sp - 1) + c - 1);
    }
    return out;
}

QImage shown(ctl::ImageBox *b)
{
    return b->picture().toImage().convertToFormat(QImage::Format_RGB32);
}

// A picture's block by its Tag; the painting block's picture has none until a block is chosen,
// and shows block 0 until then.
int tagBlock(const QString &tag)
{
    if (tag.isEmpty())
        return 0;
    return static_cast<int>(num::hexVal(tag.toStdString())) & 0xFF;
}

bool viewShows(const Program &p, const SubPals &pals)
{
    for (ctl::ImageBox *cell : namedArray<ctl::ImageBox>(p.w.get(), "scr", 48))
        if (shown(cell) != expectedBlock(p, tagBlock(cell->Tag), pals))
            return false;
    return true;
}

// The palette editor, opened by its button in the main window.
void editPalettes(Program &p, std::function<void(frmPalettes *)> act)
{
    side::open<frmPalettes>(named<QToolButton>(p.w.get(), "cmdPalettes"), act);
}

QString hex(int v)
{
    return QString::fromStdString(num::hex2(v));
}

} // namespace

class tst_palettes : public QObject
{
    Q_OBJECT
private slots:
    void opensOnTheSectionsSetAndCancelWritesNothing_data();
    void opensOnTheSectionsSetAndCancelWritesNothing();
    void saveWritesTheEditedColoursAndAssignsNoOtherSet();
    void assignPreviewsRevertAndCancelBringBackTheSavedSet();
    void assignInMiscModeLeavesTheSelector();
    void blinkOfSharedAndOwnSlots();
    void restoreAsksAndCopiesFromTheBackup();
    void restoreFromAMissingBackupChangesNothing();
    void failedSaveKeepsTheWindowOpen();
};

void tst_palettes::opensOnTheSectionsSetAndCancelWritesNothing_data()
{
    QTest::addColumn<int>("release");
    QTest::newRow("US, 44 sets") << 0;
    QTest::newRow("Japanese, 43 sets") << 1;
}

void tst_palettes::opensOnTheSectionsSetAndCancelWritesNothing()
{
    QFETCH(int, release);
    Boxes boxes;
    Program p(release ? rb::Rel::JP : rb::Rel::US);
    const Bytes before = p.romBytes();
    const int set = p.g->doc.tables().palSetNo[0][0];
    bool seen = false;
    editPalettes(p, [&](frmPalettes *w) {
        seen = true;
        QCOMPARE(w->windowTitle(), QString("Edit Palettes"));
        QCOMPARE(w->boxSet->count(), 44 - release);
        QCOMPARE(w->boxSet->item(43 - release)->text(), "  " + hex(43 - release));
        QCOMPARE(w->boxSet->currentRow(), set);
        QCOMPARE(w->txtSet->text(), hex(set));
        QCOMPARE(w->selectedSlot(), 5);
        QCOMPARE(w->picPal[5]->borderStyle(), 1);
        const SubPals pals = romSet(p, set);
        for (int i = 0; i < 16; ++i)
            QCOMPARE(w->picPal[static_cast<size_t>(i)]->Tag, hex(pals[i / 4][i % 4]));
        QCOMPARE(w->picColor[0x2A]->Tag, QString("2A"));
        pointer::click(w->picPal[6]);
        pointer::click(w->picColor[0x11]);
        QTest::mouseClick(w->cmdCancel, Qt::LeftButton);
    });
    QVERIFY(seen);
    QCOMPARE(p.romBytes(), before);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QVERIFY(viewShows(p, romSet(p, set)));
    QCOMPARE(boxes.count(), 0);
}

// A colour of the section's own set, one of another set shown at Save, and the colours every
// set shares: each written into its own byte, and the section keeps its set.
void tst_palettes::saveWritesTheEditedColoursAndAssignsNoOtherSet()
{
    Boxes boxes;
    Program p;
    const rb::RomMap m = rb::romMap(rb::Rel::US);
    const Bytes before = p.romBytes();
    const int set = p.g->doc.tables().palSetNo[0][0];
    const int other = (set + 3) % 44;
    const long long own = m.palSetBase + 9 * set + 1; // sub-palette 1, colour 2
    const long long otherAt = m.palSetBase + 9 * other + 8;
    const int colour = rb::at(before, own) == 0x2A ? 0x2B : 0x2A;
    const int colour2 = rb::at(before, otherAt) == 0x05 ? 0x06 : 0x05;
    editPalettes(p, [&](frmPalettes *w) {
        pointer::click(w->picPal[6]);
        pointer::click(w->picColor[static_cast<size_t>(colour)]);
        QCOMPARE(w->picPal[6]->Tag, hex(colour));
        side::pick(w->boxSet, other);
        pointer::click(w->picPal[15]);
        pointer::click(w->picColor[static_cast<size_t>(colour2)]);
        pointer::click(w->picPal[4]); // a colour 0: the backdrop of every set
        QCOMPARE(w->picPal[0]->borderStyle(), 1);
        QCOMPARE(w->picPal[12]->borderStyle(), 1);
        pointer::click(w->picColor[0x21]);
        for (int i : { 0, 4, 8, 12 })
            QCOMPARE(w->picPal[static_cast<size_t>(i)]->Tag, QString("21"));
        pointer::click(w->picPal[2]); // sub-palette 0: shared by every set
        pointer::click(w->picColor[0x22]);
        for (int s = 0; s < 44; ++s) {
            QCOMPARE(w->sets().sets[s][3][0], uint8_t(0x21));
            QCOMPARE(w->sets().sets[s][0][2], uint8_t(0x22));
        }
        pointer::click(w->cmdOK);
    });
    std::vector<long long> expect { m.palFixed + 1, own, otherAt, m.palBackdrop };
    std::sort(expect.begin(), expect.end());
    QCOMPARE(changedPositions(before, p.romBytes()), expect);
    QCOMPARE(rb::at(p.romBytes(), m.palBackdrop), uint8_t(0x21));
    QCOMPARE(rb::at(p.romBytes(), m.palFixed + 1), uint8_t(0x22));
    QCOMPARE(p.g->doc.tables().palSetNo[0][0], set);
    QCOMPARE(named<QLineEdit>(p.w.get(), "txtPal")->text(), hex(set));
    QCOMPARE(p.g->doc.tables().palBackdrop, std::string(1, '\x21'));
    QCOMPARE(static_cast<int>(static_cast<uint8_t>(p.g->doc.tables().palFixed[1])), 0x22);
    QCOMPARE(static_cast<int>(static_cast<uint8_t>(p.g->doc.tables().palStr[0][1][2][0])), 0x21);
    // The main window draws with the saved set again.
    QCOMPARE(static_cast<int>(static_cast<uint8_t>(p.g->doc.tables().palStr[0][0][1][2])), colour);
    QVERIFY(viewShows(p, romSet(p, set)));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QCOMPARE(boxes.count(), 0);
}

void tst_palettes::assignPreviewsRevertAndCancelBringBackTheSavedSet()
{
    Boxes boxes;
    Program p;
    const int set = p.g->doc.tables().palSetNo[0][0];
    const int other = (set + 1) % 44;
    const Bytes before = p.romBytes();
    auto selectorShows = [&](const SubPals &pals) {
        for (ctl::ImageBox *cell : namedArray<ctl::ImageBox>(p.w.get(), "sel", 8))
            if (cell->isEnabled() && shown(cell) != expectedBlock(p, tagBlock(cell->Tag), pals))
                return false;
        return true;
    };
    editPalettes(p, [&](frmPalettes *w) {
        // Revert with nothing assigned draws no preview.
        const ctl::ImageBox *cell = named<ctl::ImageBox>(p.w.get(), "scr", 0);
        const qint64 key = cell->picture().cacheKey();
        pointer::click(w->cmdRevert);
        QCOMPARE(cell->picture().cacheKey(), key);

        pointer::click(w->picPal[7]);
        pointer::click(w->picColor[0x3D]);
        side::pick(w->boxSet, (set + 5) % 44);
        pointer::click(w->cmdAssign);
        QVERIFY(viewShows(p, romSet(p, (set + 5) % 44)));
        pointer::click(w->cmdRevert);
        QCOMPARE(w->assignedSet(), set);
        QCOMPARE(w->boxSet->currentRow(), set);
        QCOMPARE(w->selectedSlot(), 5);
        QCOMPARE(w->picPal[7]->Tag, hex(romSet(p, set)[1][3]));
        QVERIFY(viewShows(p, romSet(p, set)));

        side::pick(w->boxSet, other);
        pointer::click(w->picPal[9]);
        pointer::click(w->picColor[0x30]);
        QTest::mouseClick(w->cmdAssign, Qt::LeftButton);
        QCOMPARE(w->assignedSet(), other);
        QCOMPARE(w->txtSet->text(), hex(other));
        SubPals pals = romSet(p, other);
        pals[2][1] = 0x30;
        QVERIFY(viewShows(p, pals));
        QVERIFY(selectorShows(pals));
        QCOMPARE(shown(named<ctl::ImageBox>(p.w.get(), "imgSel")),
            expectedBlock(p, tagBlock(named<ctl::ImageBox>(p.w.get(), "imgSel")->Tag), pals));
        QCOMPARE(p.romBytes(), before);
        boxes.answer(msg::No);
        w->close(); // the close box asks first
    });
    QCOMPARE(boxes.count("Save changes?"), 1);
    QCOMPARE(p.romBytes(), before);
    QCOMPARE(p.g->doc.tables().palSetNo[0][0], set);
    QVERIFY(viewShows(p, romSet(p, set)));
    QVERIFY(selectorShows(romSet(p, set)));
    QCOMPARE(boxes.count(), 1);
}

void tst_palettes::assignInMiscModeLeavesTheSelector()
{
    Boxes boxes;
    Program p;
    pointer::click(named<QRadioButton>(p.w.get(), "optSt"));
    QVERIFY(named<QRadioButton>(p.w.get(), "optSt")->isChecked());
    std::vector<QImage> selBefore;
    for (ctl::ImageBox *cell : namedArray<ctl::ImageBox>(p.w.get(), "sel", 8))
        selBefore.push_back(shown(cell));
    const QImage imgBefore = shown(named<ctl::ImageBox>(p.w.get(), "imgSel"));
    const int other = (p.g->doc.tables().palSetNo[0][0] + 2) % 44;
    editPalettes(p, [&](frmPalettes *w) {
        side::pick(w->boxSet, other);
        pointer::click(w->cmdAssign);
        QVERIFY(viewShows(p, romSet(p, other)));
        for (size_t k = 0; k < 8; ++k)
            QCOMPARE(shown(named<ctl::ImageBox>(p.w.get(), "sel", k)), selBefore[k]);
        QCOMPARE(shown(named<ctl::ImageBox>(p.w.get(), "imgSel")), imgBefore);
        pointer::click(w->cmdCancel);
    });
    QVERIFY(viewShows(p, romSet(p, p.g->doc.tables().palSetNo[0][0])));
    QCOMPARE(boxes.count(), 0);
}

void tst_palettes::blinkOfSharedAndOwnSlots()
{
    Boxes boxes;
    Program p;
    editPalettes(p, [&](frmPalettes *w) {
        QVERIFY(w->tim->isActive());
        QCOMPARE(w->tim->interval(), 250);
        w->tim->stop(); // its ticks are taken one by one below
        pointer::click(w->picPal[8]);
        w->tim_Timer();
        for (int i = 0; i < 16; ++i)
            QCOMPARE(w->picPal[static_cast<size_t>(i)]->borderStyle(), 0);
        w->tim_Timer();
        for (int i = 0; i < 16; ++i)
            QCOMPARE(w->picPal[static_cast<size_t>(i)]->borderStyle(), i % 4 == 0 ? 1 : 0);
        pointer::click(w->picPal[9]);
        w->tim_Timer();
        w->tim_Timer();
        w->tim_Timer();
        for (int i = 0; i < 16; ++i)
            QCOMPARE(w->picPal[static_cast<size_t>(i)]->borderStyle(), 0);
        // The hover read-out shows a box's colour number; the window's margin hides it.
        pointer::move(w->picColor[0x1C]);
        QVERIFY(w->Label2->isVisible());
        QCOMPARE(w->Label2->text(), QString("1C"));
        QCOMPARE(w->childAt(QPoint(3, 3)), nullptr);
        pointer::move(w, QPoint(3, 3));
        QVERIFY(!w->Label2->isVisible());
        pointer::click(w->cmdCancel);
    });
    QCOMPARE(boxes.count(), 0);
}

void tst_palettes::restoreAsksAndCopiesFromTheBackup()
{
    RealBoxes boxes;
    Program p;
    const rb::RomMap m = rb::romMap(rb::Rel::US);
    const Bytes before = p.romBytes();
    Bytes backup = before;
    for (long long q = m.palFixed; q < m.palSetBase + 9 * 44; ++q)
        backup[static_cast<size_t>(q - 1)]
            = static_cast<uint8_t>((backup[static_cast<size_t>(q - 1)] + 7) & 0x3F);
    backup[static_cast<size_t>(m.palBackdrop - 1)] ^= 0x01;
    const std::string path = p.dir.file("backup.nes");
    testfile::writeAll(path, backup);
    const int set = p.g->doc.tables().palSetNo[0][0];
    const int other = (set + 3) % 44;

    side::open<frmPalettes>(named<QToolButton>(p.w.get(), "cmdPalettes"), [&](frmPalettes *w) {
        pointer::click(w->cmdRestore); // no backup set
        QCOMPARE(boxes.last().text,
            QString(
                "To restore from your backup, first specify a backup ROM in the file settings."));
        QCOMPARE(boxes.last().title, QString("I am Error"));
        QCOMPARE(boxes.last().icon, QMessageBox::Information);
        p.g->files.ini.backupPath = path;
        boxes.click(QMessageBox::No);
        pointer::click(w->cmdRestore);
        QCOMPARE(boxes.last().text, QString("Proceed ?"));
        QCOMPARE(boxes.last().icon, QMessageBox::Question);
        QCOMPARE(p.romBytes(), before);

        side::pick(w->boxSet, other);
        const ctl::ImageBox *cell = named<ctl::ImageBox>(p.w.get(), "scr", 0);
        const qint64 key = cell->picture().cacheKey();
        boxes.click(QMessageBox::Yes);
        pointer::click(w->cmdRestore);
        QCOMPARE(boxes.last().text, "Palette Set #" + hex(other) + " restored.");
        QCOMPARE(boxes.last().title, QString("Done!"));
        QCOMPARE(cell->picture().cacheKey(), key); // not the assigned set: no preview
        QCOMPARE(w->picPal[5]->Tag, hex(rb::at(backup, m.palSetBase + 9 * other)));
        // The window's shared colours are the restored ones, so a Save keeps them.
        QCOMPARE(w->picPal[1]->Tag, hex(rb::at(backup, m.palFixed)));
        pointer::click(w->cmdCancel); // does not undo the Restore
    });
    std::vector<long long> expect;
    for (long long q = m.palFixed; q < m.palFixed + 3; ++q)
        expect.push_back(q);
    for (long long q = m.palSetBase + 9 * other; q < m.palSetBase + 9 * other + 9; ++q)
        expect.push_back(q);
    expect.push_back(m.palBackdrop);
    std::sort(expect.begin(), expect.end());
    QCOMPARE(changedPositions(before, p.romBytes()), expect);
    QCOMPARE(static_cast<int>(static_cast<uint8_t>(p.g->doc.tables().palBackdrop[0])),
        int(rb::at(backup, m.palBackdrop)));
    QVERIFY(viewShows(p, romSet(p, set)));

    // Saving after the Restore writes nothing more: the ROM holds what the window shows.
    const Bytes restored = p.romBytes();
    side::open<frmPalettes>(named<QToolButton>(p.w.get(), "cmdPalettes"),
        [&](frmPalettes *w) { pointer::click(w->cmdOK); });
    QCOMPARE(p.romBytes(), restored);
}

void tst_palettes::restoreFromAMissingBackupChangesNothing()
{
    RealBoxes boxes;
    Program p;
    const Bytes before = p.romBytes();
    p.g->files.ini.backupPath = p.dir.file("gone.nes");
    side::open<frmPalettes>(named<QToolButton>(p.w.get(), "cmdPalettes"), [&](frmPalettes *w) {
        boxes.click(QMessageBox::Yes);
        pointer::click(w->cmdRestore);
        QVERIFY(boxes.any("in subroutine 603."));
        QVERIFY(!boxes.any("restored."));
        pointer::click(w->cmdCancel);
    });
    QCOMPARE(p.romBytes(), before);
    QVERIFY(!romfile::fileExists(p.dir.file("gone.nes")));
}

void tst_palettes::failedSaveKeepsTheWindowOpen()
{
    RealBoxes boxes;
    Program p;
    const Bytes before = p.romBytes();
    const int set = p.g->doc.tables().palSetNo[0][0];
    side::open<frmPalettes>(named<QToolButton>(p.w.get(), "cmdPalettes"), [&](frmPalettes *w) {
        p.writeProtect(true);
        side::pick(w->boxSet, (set + 1) % 44);
        pointer::click(w->cmdAssign);
        pointer::click(w->cmdOK);
        QVERIFY(boxes.any("in subroutine 602."));
        QVERIFY(w->isVisible());
        QCOMPARE(p.g->doc.tables().palSetNo[0][0], set);
        p.writeProtect(false);
        pointer::click(w->cmdCancel);
    });
    QCOMPARE(p.romBytes(), before);
    QCOMPARE(p.g->doc.tables().palSetNo[0][0], set);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

QTEST_MAIN(tst_palettes)
#include "tst_palettes.moc"
