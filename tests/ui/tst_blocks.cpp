#include "gfx/BlockPicBox.h"
#include "gfx/frmEditTSA.h"
#include "rom/Numbers.h"
#include "support/RomDiff.h"
#include "support/RomMap.h"
#include "ui/Controls.h"
#include "ui/support/Boxes.h"
#include "ui/support/Named.h"
#include "ui/support/Pointer.h"
#include "ui/support/Program.h"
#include "ui/support/RealBoxes.h"
#include "ui/support/Startup.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

QRgb testRgb(int nes)
{
    return qRgb(4 * nes, 255 - 4 * nes, nes);
}

// Tile `tile` of the section's decoded tiles in sub-palette `pal`, drawn here on its own.
QImage expectedTile(const Program &p, int tile, int pal)
{
    const ProgramState &g = *p.g;
    const std::string &colours
        = g.doc.tables().palStr[static_cast<size_t>(g.doc.shown().curStage)][static_cast<size_t>(
            g.doc.shown().curSection)][static_cast<size_t>(pal)];
    QImage img(8, 8, QImage::Format_RGB32);
    const auto &px = p.w->sideLink().tilePixels(p.doc->curTileset())[static_cast<size_t>(tile)];
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            img.setPixel(c, r,
                testRgb(static_cast<uint8_t>(
                    colours[px[static_cast<size_t>(r)][static_cast<size_t>(c)]])));
    return img;
}

QImage shown(const QPixmap &pm)
{
    return pm.toImage().convertToFormat(QImage::Format_RGB32);
}

void selectSection(Program &p, int stage, int section)
{
    named<ctl::ComboBox>(p.w.get(), "Combo1")->setCurrentIndex(stage);
    named<ctl::ComboBox>(p.w.get(), "Combo2")->setCurrentIndex(section);
}

// Every cell shows its tile in its quadrant's sub-palette.
void checkCells(const Program &p, const frmEditTSA &ed)
{
    for (int j = 0; j < 16; ++j) {
        const int pal = ed.m.quadPal[static_cast<size_t>(blocks::quadOf(j))];
        QCOMPARE(ed.imgTSA[static_cast<size_t>(j)]->Tag, QString::number(pal));
        QVERIFY2(shown(ed.imgTSA[static_cast<size_t>(j)]->picture())
                == expectedTile(p, ed.m.blkTiles[static_cast<size_t>(j)], pal),
            qPrintable(QString("cell %1").arg(j)));
    }
}

// The block's 16 definition bytes and its attribute byte, where the game keeps them.
std::vector<long long> blockBytes(rb::Rel rel, int tileset, int block)
{
    const rb::RomMap map = rb::romMap(rel);
    std::vector<long long> out;
    for (int j = 0; j < 16; ++j)
        out.push_back(map.blockDefPos[static_cast<size_t>(tileset)] + 16 * block + j);
    out.push_back(map.blockAttrPos[static_cast<size_t>(tileset)] + block);
    return out;
}

// The positions of `wanted` at which the two images differ.
std::vector<long long> within(
    const std::vector<long long> &changed, const std::vector<long long> &wanted)
{
    std::vector<long long> out;
    for (long long pos : wanted)
        if (std::find(changed.begin(), changed.end(), pos) != changed.end())
            out.push_back(pos);
    return out;
}

// Opens the editor with the selector's right button, as a person does: the press opens it, the
// button comes up over the open editor, then act works in it; waits for it to close.
void editFromSelector(Program &p, int cell, std::function<void(frmEditTSA *)> act)
{
    ctl::ImageBox *sel = named<ctl::ImageBox>(p.w.get(), "sel", cell);
    startup::whenOpen<frmEditTSA>(
        [&](frmEditTSA *ed) {
            pointer::release(sel, {}, Qt::RightButton);
            act(ed);
        },
        [&] { pointer::press(sel, {}, Qt::RightButton); });
}

} // namespace

class tst_blocks : public QObject
{
    Q_OBJECT
private slots:
    void opensOnTheSectionsTilesetWithCellA1Selected()
    {
        Boxes boxes;
        Program p;
        selectSection(p, 13, 8);
        frmEditTSA ed(p.g->doc, p.g->files, p.w->sideLink(), 0x2A);
        QCOMPARE(ed.windowTitle(), QString("Edit Tileset #2A"));
        QCOMPARE(ed.m.tileset, 5);
        QCOMPARE(ed.m.blkTiles, p.g->doc.tables().blockTiles[5][0x2A]);
        QCOMPARE(ed.txtEdit->text(), QString("a1"));
        QCOMPARE(ed.txtVal->text(), QString::fromStdString(num::hex2(ed.m.blkTiles[0])));
        QCOMPARE(ed.palSh->pos(), QPoint(90, 222)); // quadrant 3's group, top-left
        const int pal3 = p.g->doc.tables().blockPal[5][0x2A][3];
        QCOMPARE(ed.m.chooserPal, pal3);
        QCOMPARE(ed.imgTile[0]->Tag, QString::number(pal3));
        checkCells(p, ed);
        for (int t : { 0, 77, 130, 255 })
            QVERIFY(
                shown(ed.imgTile[static_cast<size_t>(t)]->picture()) == expectedTile(p, t, pal3));
        const auto &banks = p.g->doc.tables().patBG[13][8];
        QCOMPARE(ed.Lbk[2]->text(), "< " + QString::fromStdString(num::hex2(banks[2])) + " >");
        QCOMPARE(ed.LbkTag[2], "&H" + QString::fromStdString(num::hex2(banks[2])));
        // Colours 1..3 of each quadrant's sub-palette, the backdrop under the digit.
        for (size_t q = 0; q < 4; ++q) {
            const std::string &s
                = p.g->doc.tables().palStr[13][8][p.g->doc.tables().blockPal[5][0x2A][q]];
            for (size_t k = 0; k < 3; ++k)
                QCOMPARE(
                    ed.picPal[q][k]->backColor().rgb(), testRgb(static_cast<uint8_t>(s[k + 1])));
            QCOMPARE(ed.picPal[q][3]->backColor().rgb(),
                testRgb(static_cast<uint8_t>(p.g->doc.tables().palBackdrop[0])));
            QVERIFY(!ed.picPal[q][3]->picture().isNull());
        }
        QVERIFY(ed.tim->isActive());
        QCOMPARE(boxes.count(), 0);
    }

    void saveWritesTheBlockInBothReleases()
    {
        for (rb::Rel rel : { rb::Rel::US, rb::Rel::JP }) {
            Boxes boxes;
            Program p(rel);
            selectSection(p, 7, 0);
            const Bytes before = p.romBytes();
            const int block = static_cast<int>(
                num::hexVal(named<ctl::ImageBox>(p.w.get(), "sel", 3)->Tag.toStdString()));
            editFromSelector(p, 3, [](frmEditTSA *ed) {
                pointer::click(ed->imgTSA[15]);
                pointer::click(ed->imgTile[0x21]);
                pointer::click(ed->imgTile[0x22]);
                ed->m.quadPal = { 0, 0, 0, 0 };
                pointer::click(ed->picPal[0][0], {}, Qt::RightButton); // 3
                pointer::click(ed->picPal[2][0]); // 1
                pointer::click(ed->picPal[1][0]);
                pointer::click(ed->picPal[1][0]); // 2
                pointer::click(ed->cmdOK);
            });
            const Bytes after = p.romBytes();
            const std::vector<long long> where = blockBytes(rel, 7, block);
            QCOMPARE(
                changedPositions(before, after), within(changedPositions(before, after), where));
            QCOMPARE(after[static_cast<size_t>(where[15] - 1)], uint8_t(0x21));
            QCOMPARE(after[static_cast<size_t>(where[0] - 1)], uint8_t(0x22));
            QCOMPARE(after[static_cast<size_t>(where[16] - 1)], uint8_t(0xE4)); // 3, 2, 1, 0
            QCOMPARE(int(p.g->doc.tables().blockTiles[7][static_cast<size_t>(block)][15]), 0x21);
            QCOMPARE(p.g->doc.tables().blockPal[7][static_cast<size_t>(block)],
                (std::array<uint8_t, 4> { 3, 2, 1, 0 }));
            QCOMPARE(QApplication::overrideCursor(), nullptr);
            QCOMPARE(boxes.count(), 0);
        }
    }

    void saveOfBorrowedTilesetRedrawsTheView()
    {
        Boxes boxes;
        Program p;
        selectSection(p, 13, 8);
        const QString tag = named<ctl::ImageBox>(p.w.get(), "sel", 1)->Tag;
        const int block = static_cast<int>(num::hexVal(tag.toStdString()));
        const Bytes before = p.romBytes();
        pointer::click(named<ctl::ImageBox>(p.w.get(), "sel", 1)); // the painting block
        editFromSelector(p, 1, [](frmEditTSA *ed) {
            pointer::click(ed->imgTile[0x05]);
            pointer::click(ed->picPal[3][0]);
            pointer::click(ed->cmdOK);
        });
        const std::vector<long long> where = blockBytes(rb::Rel::US, 5, block);
        const std::vector<long long> changed = changedPositions(before, p.romBytes());
        QCOMPARE(changed, within(changed, where));
        QVERIFY(!changed.empty());
        QCOMPARE(int(p.g->doc.tables().blockTiles[5][static_cast<size_t>(block)][0]), 5);
        // The selector cell and the painting block show the new block.
        ctl::ImageBox probe(nullptr, "probe");
        p.w->drawBlock(&probe, block);
        QVERIFY(
            shown(named<ctl::ImageBox>(p.w.get(), "sel", 1)->picture()) == shown(probe.picture()));
        QVERIFY(
            shown(named<ctl::ImageBox>(p.w.get(), "imgSel")->picture()) == shown(probe.picture()));
        QCOMPARE(boxes.count(), 0);
    }

    // Cancel writes nothing. Escape and the close box, given by reflex, ask first: Cancel
    // keeps the window and its edit, No closes it writing nothing, Yes saves.
    void cancelWritesNothingAndReflexesAskFirst()
    {
        Boxes boxes;
        Program p;
        const Bytes before = p.romBytes();
        const auto tiles = p.g->doc.tables().blockTiles;
        const auto pals = p.g->doc.tables().blockPal;
        editFromSelector(p, 2, [](frmEditTSA *ed) {
            pointer::click(ed->imgTile[0x31]);
            pointer::click(ed->picPal[0][0]);
            pointer::click(ed->cmdCancel);
        });
        QCOMPARE(boxes.count(), 0);
        boxes.answer(msg::Cancel);
        boxes.answer(msg::No);
        editFromSelector(p, 2, [](frmEditTSA *ed) {
            pointer::click(ed->imgTile[0x32]);
            ed->close();
            QVERIFY(ed->isVisible());
            QCOMPARE(int(ed->m.blkTiles[0]), 0x32);
            QTest::keyClick(ed, Qt::Key_Escape);
            QVERIFY(!ed->isVisible());
        });
        QCOMPARE(boxes.count("Save changes?"), 2);
        QCOMPARE(p.romBytes(), before);
        QVERIFY(p.g->doc.tables().blockTiles == tiles);
        QVERIFY(p.g->doc.tables().blockPal == pals);

        boxes.answer(msg::Yes);
        size_t tileset = 0, block = 0;
        editFromSelector(p, 2, [&](frmEditTSA *ed) {
            tileset = static_cast<size_t>(ed->m.tileset);
            block = static_cast<size_t>(ed->m.block);
            pointer::click(ed->imgTile[0x32]);
            QTest::keyClick(ed, Qt::Key_Escape);
            QVERIFY(!ed->isVisible());
        });
        QCOMPARE(boxes.count("Save changes?"), 3);
        QCOMPARE(int(p.g->doc.tables().blockTiles[tileset][block][0]), 0x32);
        QVERIFY(p.romBytes() != before);
    }

    void restoreNeedsABackupAndAYes()
    {
        RealBoxes boxes;
        Program p;
        const Bytes before = p.romBytes();
        {
            frmEditTSA ed(p.g->doc, p.g->files, p.w->sideLink(), 4);
            pointer::click(ed.cmdRestore);
            QCOMPARE(boxes.last().text,
                QString("To restore from your backup, first specify a backup ROM in the file "
                        "settings."));
            QCOMPARE(boxes.last().style(), int(msg::Information));
            QCOMPARE(boxes.last().title, QString("I am Error"));

            Bytes backup = before;
            const std::vector<long long> where = blockBytes(rb::Rel::US, 0, 4);
            for (size_t j = 0; j < 16; ++j)
                backup[static_cast<size_t>(where[j] - 1)] = static_cast<uint8_t>(0xB0 + j);
            backup[static_cast<size_t>(where[16] - 1)] = 0x1B;
            p.g->files.ini.backupPath = p.dir.file("backup.nes");
            testfile::writeAll(p.g->files.ini.backupPath, backup);
            boxes.click(QMessageBox::No);
            pointer::click(ed.cmdRestore);
            QCOMPARE(boxes.last().text, QString("Proceed ?"));
            QCOMPARE(boxes.last().style(), int(msg::QuestionYesNo));
            QCOMPARE(boxes.last().title, QString("Restore from backup"));
            QCOMPARE(p.romBytes(), before);

            pointer::click(ed.cmdRestore); // Yes
            const Bytes after = p.romBytes();
            QCOMPARE(
                changedPositions(before, after), within(changedPositions(before, after), where));
            for (long long pos : where)
                QCOMPARE(after[static_cast<size_t>(pos - 1)], backup[static_cast<size_t>(pos - 1)]);
            QCOMPARE(int(p.g->doc.tables().blockTiles[0][4][3]), 0xB3);
            QCOMPARE(p.g->doc.tables().blockPal[0][4], (std::array<uint8_t, 4> { 0, 1, 2, 3 }));
            QCOMPARE(ed.result(), int(QDialog::Accepted));
        }
        QCOMPARE(boxes.count(), 3);
    }

    void restoreFromAVanishedBackupWritesNothing()
    {
        RealBoxes boxes;
        Program p;
        const Bytes before = p.romBytes();
        p.g->files.ini.backupPath = p.dir.file("gone.nes");
        frmEditTSA ed(p.g->doc, p.g->files, p.w->sideLink(), 4);
        pointer::click(ed.cmdRestore);
        QCOMPARE(boxes.count(), 2);
        QVERIFY(boxes.last().text.contains("in subroutine 308."));
        QCOMPARE(boxes.last().style(), int(msg::Critical));
        QCOMPARE(p.romBytes(), before);
        QVERIFY(!romfile::fileExists(p.g->files.ini.backupPath));
        QCOMPARE(ed.m.blkTiles, p.g->doc.tables().blockTiles[0][4]);
    }

    void aFailedSaveKeepsTheWindowAndTheTables()
    {
        RealBoxes boxes;
        Program p;
        const auto tiles = p.g->doc.tables().blockTiles[0][6];
        frmEditTSA ed(p.g->doc, p.g->files, p.w->sideLink(), 6);
        pointer::click(ed.imgTile[0x44]);
        p.writeProtect(true);
        pointer::click(ed.cmdOK);
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().text.contains("in subroutine 311."));
        QCOMPARE(p.g->doc.tables().blockTiles[0][6], tiles);
        QCOMPARE(ed.result(), 0);
        QCOMPARE(int(ed.m.blkTiles[0]), 0x44);
        p.writeProtect(false);
        pointer::click(ed.cmdOK);
        QCOMPARE(int(p.g->doc.tables().blockTiles[0][6][0]), 0x44);
        QCOMPARE(ed.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(tst_blocks)
#include "tst_blocks.moc"
