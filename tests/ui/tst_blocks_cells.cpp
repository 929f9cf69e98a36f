#include "gfx/BlockPicBox.h"
#include "gfx/ColourBox.h"
#include "gfx/frmEditTSA.h"
#include "gfx/frmPatterns.h"
#include "gfx/frmTile.h"
#include "rom/Numbers.h"
#include "support/DocTables.h"
#include "ui/Controls.h"
#include "ui/support/Boxes.h"
#include "ui/support/HeldTimers.h"
#include "ui/support/Named.h"
#include "ui/support/Pointer.h"
#include "ui/support/Program.h"
#include "ui/support/RealBoxes.h"
#include "ui/support/SideWindows.h"
#include "ui/support/Startup.h"
#include "ui/support/ViewPixels.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

QImage shown(const QPixmap &pm)
{
    return pm.toImage().convertToFormat(QImage::Format_RGB32);
}

// A block editor on a block whose quadrants 0..3 have sub-palettes 1, 2, 3, 0 and whose cells
// hold the tiles 0x10 + cell.
struct Editor
{
    RealBoxes boxes;
    Program p;
    std::unique_ptr<frmEditTSA> ed;

    explicit Editor(std::array<uint8_t, 4> quads = { 1, 2, 3, 0 })
    {
        DocTables::of(p.g->doc).blockPal[0][9] = quads;
        for (size_t j = 0; j < 16; ++j)
            DocTables::of(p.g->doc).blockTiles[0][9][j] = static_cast<uint8_t>(0x10 + j);
        ed = std::make_unique<frmEditTSA>(p.g->doc, p.g->files, p.w->sideLink(), 9);
    }
    // The chooser image t as drawn in sub-palette pal.
    QImage tileIn(int t, int pal)
    {
        const int keep = ed->m.chooserPal;
        ed->m.chooserPal = pal;
        ctl::ImageBox probe(nullptr, "probe");
        ed->drawTile(&probe, t);
        ed->m.chooserPal = keep;
        return shown(probe.picture());
    }
    // Marks chooser image 200 so that a redraw of the chooser shows.
    void markChooser() { ed->imgTile[200]->setPicture(QPixmap()); }
    bool chooserRedrawn() const { return !ed->imgTile[200]->picture().isNull(); }
};

} // namespace

class tst_blocks_cells : public QObject
{
    Q_OBJECT
private slots:
    void selectingACellSetsTheReadOutsAndTheFrames()
    {
        Editor e;
        frmEditTSA &ed = *e.ed;
        pointer::click(ed.imgTSA[6]);
        QCOMPARE(ed.m.selCell, 6);
        QCOMPARE(ed.txtEdit->text(), QString("b3"));
        QCOMPARE(ed.selName, QString("b3"));
        QCOMPARE(ed.txtVal->text(), QString("16"));
        QCOMPARE(ed.m.selQuad, 2);
        QCOMPARE(ed.m.chooserPal, 3);
        QCOMPARE(ed.palSh->pos(), QPoint(124, 222));
        QCOMPARE(ed.cur->pos(), ed.imgTSA[6]->pos() - QPoint(2, 2));
        QCOMPARE(ed.Picture2Tag, QString("&H16"));
        QVERIFY(shown(ed.Picture2) == shown(ed.imgTSA[6]->picture()));
        // A right press is no click.
        pointer::click(ed.imgTSA[9], {}, Qt::RightButton);
        QCOMPARE(ed.m.selCell, 6);
        QCOMPARE(e.boxes.count(), 0);
    }

    void theChooserIsRedrawnOnlyWhenItsSubPaletteChanges()
    {
        Editor e({ 1, 1, 3, 3 });
        frmEditTSA &ed = *e.ed;
        QCOMPARE(ed.imgTile[0]->Tag, QString("3"));
        e.markChooser();
        pointer::click(ed.imgTSA[2]); // quadrant 2, the same sub-palette
        QVERIFY(!e.chooserRedrawn());
        pointer::click(ed.imgTSA[15]); // quadrant 0, sub-palette 1
        QVERIFY(e.chooserRedrawn());
        QCOMPARE(ed.imgTile[0]->Tag, QString("1"));
        QVERIFY(shown(ed.imgTile[200]->picture()) == e.tileIn(200, 1));
        e.markChooser();
        pointer::click(ed.imgTSA[8]); // quadrant 1, sub-palette 1 as well
        QVERIFY(!e.chooserRedrawn());
        // After Revert the next selection always redraws.
        pointer::click(ed.cmdRevert);
        QVERIFY(e.chooserRedrawn());
        e.markChooser();
        pointer::click(ed.imgTSA[0]);
        QVERIFY(!e.chooserRedrawn());
        ed.imgTile[0]->Tag.clear();
        pointer::click(ed.imgTSA[1]);
        QVERIFY(e.chooserRedrawn());
    }

    void quadrantSubPalettesWrapAndRedraw()
    {
        Editor e({ 3, 0, 1, 2 });
        frmEditTSA &ed = *e.ed; // cell 0 selected: quadrant 3, sub-palette 2
        pointer::click(ed.picPal[0][0]);
        QCOMPARE(int(ed.m.quadPal[0]), 0);
        pointer::click(ed.picPal[1][0], {}, Qt::RightButton);
        QCOMPARE(int(ed.m.quadPal[1]), 3);
        // Another quadrant's change leaves the chooser alone.
        QCOMPARE(ed.m.chooserPal, 2);
        QCOMPARE(ed.imgTile[0]->Tag, QString("2"));
        for (int c : blocks::quadCells(1)) {
            QCOMPARE(ed.imgTSA[static_cast<size_t>(c)]->Tag, QString("3"));
            QVERIFY(shown(ed.imgTSA[static_cast<size_t>(c)]->picture()) == e.tileIn(0x10 + c, 3));
        }
        const std::string &s = e.p.g->doc.tables().palStr[0][0][3];
        QCOMPARE(ed.picPal[1][2]->backColor().rgb(),
            qRgb(4 * uint8_t(s[3]), 255 - 4 * uint8_t(s[3]), uint8_t(s[3])));
        // The selected quadrant's change redraws the chooser; a middle press changes nothing.
        e.markChooser();
        pointer::click(ed.picPal[3][0], {}, Qt::MiddleButton);
        QCOMPARE(int(ed.m.quadPal[3]), 2);
        QVERIFY(e.chooserRedrawn());
        pointer::click(ed.picPal[3][0]);
        QCOMPARE(ed.m.chooserPal, 3);
        QCOMPARE(ed.imgTile[0]->Tag, QString("3"));
        QVERIFY(shown(ed.Picture2) == e.tileIn(0x10, 3));
        // A cell of quadrant 2 (sub-palette 1): the chooser follows it there.
        e.markChooser();
        pointer::click(ed.imgTSA[2]);
        QVERIFY(e.chooserRedrawn());
        QCOMPARE(ed.imgTile[0]->Tag, QString("1"));
        // The press on any box of a group steps that group.
        pointer::click(ed.picPal[2][1]);
        QCOMPARE(int(ed.m.quadPal[2]), 2);
        QCOMPARE(e.boxes.count(), 0);
    }

    void aMissingDigitPictureIsReportedAndTheRestRedrawn()
    {
        Editor e;
        frmEditTSA &ed = *e.ed;
        const QPixmap before = ed.picPal[2][3]->picture();
        QVERIFY(QFile::remove(QString::fromStdString(e.p.g->files.datPath + "0.dat")));
        pointer::click(ed.picPal[2][0]); // 3 -> 0
        QCOMPARE(e.boxes.count(), 1);
        QVERIFY(e.boxes.last().text.contains("in subroutine 301."));
        QVERIFY(shown(ed.picPal[2][3]->picture()) == shown(before));
        QCOMPARE(ed.imgTSA[2]->Tag, QString("0"));
    }

    // Moves over the cells, the window's margin and the chooser: the read-outs, the preview in
    // the selected cell, the blink and the pointer's shape follow.
    void movesShowReadOutsPreviewAndBlink()
    {
        Editor e;
        frmEditTSA &ed = *e.ed;
        const QImage own = shown(ed.imgTSA[0]->picture());
        pointer::move(ed.imgTile[0x5C], QPoint(2, 2));
        QCOMPARE(ed.TxtMod->text(), QString("5C"));
        QVERIFY(shown(ed.imgTSA[0]->picture()) == e.tileIn(0x5C, ed.m.chooserPal));
        QCOMPARE(ed.cursor().shape(), Qt::CrossCursor);
        QVERIFY(!ed.tim->isActive());
        QVERIFY(ed.cur->isHidden());
        pointer::move(ed.imgTSA[9]);
        QCOMPARE(ed.txtEdit->text(), QString("c2"));
        QCOMPARE(ed.txtVal->text(), QString("10"));
        QVERIFY(ed.TxtMod->text().isEmpty());
        QVERIFY(shown(ed.imgTSA[0]->picture()) == own);
        QVERIFY(ed.tim->isActive());
        pointer::move(ed.imgTSA[13], QPoint(5, 5));
        QCOMPARE(ed.txtEdit->text(), QString("d2"));
        QCOMPARE(ed.hoverCell, 13);
        pointer::move(&ed, QPoint(5, 5)); // the window's left margin
        QCOMPARE(ed.txtEdit->text(), QString("a1"));
        QCOMPARE(ed.hoverCell, -1);
        QVERIFY(ed.tim->isActive());
        pointer::move(ed.imgTSA[13]);
        QCOMPARE(ed.txtEdit->text(), QString("d2"));
        pointer::move(ed.imgTile[3]);
        pointer::move(&ed, QPoint(ed.width() - 3, ed.height() - 3)); // right of the chooser
        QVERIFY(shown(ed.imgTSA[0]->picture()) == own);
        QVERIFY(ed.TxtMod->text().isEmpty());
        QVERIFY(!ed.tim->isActive());
        QVERIFY(ed.cur->isHidden());
        QCOMPARE(ed.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(e.boxes.count(), 0);
    }

    void placingATileStepsOnAndBlinksOnce()
    {
        Editor e;
        frmEditTSA &ed = *e.ed;
        pointer::click(ed.imgTSA[15]);
        pointer::click(ed.imgTile[0x7E]);
        QCOMPARE(int(ed.m.blkTiles[15]), 0x7E);
        QCOMPARE(ed.m.selCell, 0);
        QCOMPARE(ed.txtEdit->text(), QString("a1"));
        QVERIFY(shown(ed.imgTSA[15]->picture()) == e.tileIn(0x7E, ed.m.quadPal[0]));
        QVERIFY(!ed.timTag.isEmpty());
        QVERIFY(!ed.cur->isHidden());
        QVERIFY(ed.tim->isActive());
        pointer::move(ed.imgTile[0x7E]); // the frame stands while the tag lasts
        QVERIFY(HeldTimers::tick(ed.tim));
        QVERIFY(!ed.cur->isHidden());
        QVERIFY(HeldTimers::tick(ed.tim));
        QVERIFY(ed.cur->isHidden());
        QVERIFY(!ed.tim->isActive());
        QVERIFY(ed.timTag.isEmpty());
        // A plain blink, started by the pointer over the cells, goes on.
        pointer::move(ed.imgTSA[3]);
        for (int i = 0; i < 3; ++i)
            QVERIFY(HeldTimers::tick(ed.tim));
        QVERIFY(!ed.cur->isHidden());
        QVERIFY(ed.tim->isActive());
        pointer::click(ed.imgTile[0x7F], {}, Qt::MiddleButton);
        QCOMPARE(int(ed.m.blkTiles[0]), 0x10);
    }

    void rightPressOnTheChooserHandsTheTileOver()
    {
        Editor e;
        frmEditTSA &ed = *e.ed;
        pointer::click(ed.imgTSA[5]); // quadrant 3, sub-palette 0
        int bank = -1, num = -1, pal = -1, tileset = -1;
        ed.showTileEditor = [&](const blocks::TileRef &tile) {
            bank = tile.tileBank;
            num = tile.tileNum;
            pal = tile.tilePalNo;
            tileset = tile.tileset;
            return false;
        };
        pointer::click(ed.imgTile[130], {}, Qt::RightButton);
        QCOMPARE(bank, int(e.p.g->doc.tables().patBG[0][0][2]));
        QCOMPARE(num, 130);
        QCOMPARE(pal, 0);
        QCOMPARE(tileset, 0);
        QVERIFY(!ed.tileChanged());
    }

    void aSavedTileIsRedrawnInTheEditorAndTheView()
    {
        Editor e;
        frmEditTSA &ed = *e.ed;
        // Cells 3 and 12 hold tile 0x13; cell 3 is selected.
        DocTables::of(e.p.g->doc).blockTiles[0][9][12] = 0x13;
        pointer::click(ed.cmdRevert);
        pointer::click(ed.imgTSA[3]);
        const Bytes before = e.p.romBytes();
        startup::onModal([&](QDialog *d) {
            if (auto *t = qobject_cast<frmTile *>(d)) {
                pointer::release(ed.imgTile[0x13], {}, Qt::RightButton); // the press that opened it
                pointer::click(t->picPal[2]);
                pointer::click(t->pixel[0]);
                pointer::click(t->cmdOK);
            }
            return false;
        });
        pointer::press(ed.imgTile[0x13], {}, Qt::RightButton);
        startup::stopWatching();
        QVERIFY(ed.tileChanged());
        QVERIFY(before != e.p.romBytes());
        QCOMPARE(int(e.p.w->sideLink().tilePixels(0)[0x13][0][0]), 2);
        QVERIFY(shown(ed.imgTile[0x13]->picture()) == e.tileIn(0x13, ed.m.chooserPal));
        QVERIFY(shown(ed.imgTSA[12]->picture()) == e.tileIn(0x13, ed.m.quadPal[1]));
        QVERIFY(shown(ed.Picture2) == e.tileIn(0x13, ed.m.quadPal[2]));
        QCOMPARE(ed.m.chooserPal, int(ed.m.quadPal[2]));
        QCOMPARE(e.boxes.count(), 0);
    }

    // A section whose second background bank is its first one again (one arrow click in the
    // Pattern Tables) draws one saved tile from two slots: the block editor, opened from the
    // selector, saves it at one slot and is cancelled. The view, the selector and the editor's
    // chooser show every slot as a fresh start on the saved file does.
    void aSavedTileIsRedrawnWhereverTheSectionDrawsIt()
    {
        Boxes boxes;
        Program p;
        side::open<frmPatterns>(named<QToolButton>(p.w.get(), "cmdPattern"), [](frmPatterns *w) {
            side::toValue(w->sc[1], w->sc[0]->value());
            pointer::click(w->cmdOK);
        });
        const auto &banks = p.g->doc.tables().patBG[0][0];
        QCOMPARE(banks[1], banks[2]);
        // A tile of the shared bank that a block below the view's top row draws, and its twin.
        int tile = -1;
        for (int k = 8; k < 48 && tile < 0; ++k)
            for (uint8_t t :
                p.g->doc.tables().blockTiles[0][static_cast<size_t>(viewpx::blockAt(p, k))])
                if (t >= 64 && t < 192 && tile < 0)
                    tile = t;
        QVERIFY(tile >= 0);
        const int twin = tile < 128 ? tile + 64 : tile - 64;
        const int was = p.w->sideLink().tilePixels(0)[static_cast<size_t>(twin)][0][0];
        side::openByRightPress<frmEditTSA>(
            named<ctl::ImageBox>(p.w.get(), "sel", 0), [&](frmEditTSA *ed) {
                side::openByRightPress<frmTile>(
                    ed->imgTile[static_cast<size_t>(twin)], [&](frmTile *t) {
                        pointer::click(t->picPal[static_cast<size_t>(was ^ 1)]);
                        pointer::click(t->pixel[0]);
                        pointer::click(t->cmdOK);
                    });
                QVERIFY(ed->tileChanged());
                QVERIFY(shown(ed->imgTile[static_cast<size_t>(tile)]->picture())
                    == shown(ed->imgTile[static_cast<size_t>(twin)]->picture()));
                pointer::click(ed->cmdCancel);
            });
        QCOMPARE(int(p.w->sideLink().tilePixels(0)[static_cast<size_t>(tile)][0][0]), was ^ 1);
        Program fresh(rb::gameShape(rb::Rel::US), false);
        testfile::writeAll(fresh.rom, p.romBytes());
        fresh.start();
        QVERIFY(viewpx::pictures(p) == viewpx::pictures(fresh));
        for (int k = 0; k < 8; ++k)
            QVERIFY2(shown(named<ctl::ImageBox>(p.w.get(), "sel", k)->picture())
                    == shown(named<ctl::ImageBox>(fresh.w.get(), "sel", k)->picture()),
                qPrintable(QString("sel(%1)").arg(k)));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(boxes.count(), 0);
    }

    void editPalettesRefreshesColoursAndTiles()
    {
        Editor e;
        frmEditTSA &ed = *e.ed;
        pointer::click(ed.imgTSA[10]); // quadrant 0, sub-palette 1
        ed.editPalettes = [&] {
            for (auto &s : DocTables::of(e.p.g->doc).palStr[0][0])
                s = std::string("\x01\x02\x03\x04", 4);
            DocTables::of(e.p.g->doc).palBackdrop = std::string(1, '\x01');
        };
        pointer::click(ed.cmdPal);
        QCOMPARE(ed.m.palCols[3][2], 4);
        QCOMPARE(ed.picPal[2][2]->backColor().rgb(), qRgb(16, 239, 4));
        QCOMPARE(ed.picPal[0][3]->backColor().rgb(), qRgb(4, 251, 1));
        QVERIFY(shown(ed.imgTile[99]->picture()) == e.tileIn(99, 1));
        QVERIFY(shown(ed.imgTSA[7]->picture()) == e.tileIn(0x17, 3));
        QCOMPARE(ed.m.chooserPal, 1);
        QVERIFY(shown(ed.Picture2) == shown(ed.imgTSA[10]->picture()));
        QCOMPARE(e.boxes.count(), 0);
    }

    void aBadColourIsReportedOncePerAction()
    {
        Editor e;
        DocTables::of(e.p.g->doc).palStr[0][0][3] = std::string("\x0f\x50\x01\x02", 4);
        pointer::click(e.ed->imgTSA[2]); // sub-palette 3: the chooser is redrawn in it
        pointer::click(e.ed->imgTSA[15]);
        pointer::click(e.ed->imgTSA[0]);
        QCOMPARE(e.boxes.count(), 1);
        QVERIFY(e.boxes.last().text.contains("in subroutine 310."));
    }
};

QTEST_MAIN(tst_blocks_cells)
#include "tst_blocks_cells.moc"
