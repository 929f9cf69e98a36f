#include "gfx/BlockPicBox.h"
#include "gfx/ColourBox.h"
#include "gfx/frmTile.h"
#include "rom/Numbers.h"
#include "support/RomMap.h"
#include "ui/Controls.h"
#include "ui/support/Boxes.h"
#include "ui/support/Pointer.h"
#include "ui/support/Program.h"

#include <QPushButton>
#include <QtTest>

namespace {

QRgb testRgb(int nes)
{
    return qRgb(4 * nes, 255 - 4 * nes, nes);
}

// The tile editor on tile 0x47 (bank tile 7) in sub-palette 2, of the bank the section holds
// there unless another is given.
struct TileWindow
{
    Boxes boxes;
    Program p;
    Bytes before;
    blocks::TileRef tile;
    std::unique_ptr<frmTile> w;

    explicit TileWindow(int bank = -1, int tileNum = 0x47)
        : tile { bank < 0 ? p.g->doc.tables().patBG[0][0][tileNum / 64] : bank, tileNum, 2, 0 }
    {
        before = p.romBytes();
        w = std::make_unique<frmTile>(p.g->doc, p.g->files, tile);
    }
    long long tilePos() const { return rb::chrBase + 1024LL * tile.tileBank + 16 * 7; }
    // The pixel value the grid box shows, by its colour.
    int shownValue(int i) const
    {
        const QRgb c = w->pixel[static_cast<size_t>(i)]->backColor().rgb();
        for (int k = 0; k < 4; ++k)
            if (c == testRgb(w->m.tileCols[static_cast<size_t>(k)]))
                return k;
        return -1;
    }
};

} // namespace

class tst_blocks_tile : public QObject
{
    Q_OBJECT
private slots:
    void opensOnTheTileOfItsBank()
    {
        TileWindow t;
        frmTile &w = *t.w;
        QCOMPARE(w.windowTitle(), QString("Edit Tile #07"));
        const auto &chr = t.p.g->doc.tables().chrData[static_cast<size_t>(t.tile.tileBank)][7];
        for (int i = 0; i < 64; ++i) {
            const int r = i / 8, c = i % 8;
            const int v = ((chr[static_cast<size_t>(r)] >> (7 - c)) & 1)
                + 2 * ((chr[static_cast<size_t>(r + 8)] >> (7 - c)) & 1);
            QCOMPARE(int(w.m.pixVal[static_cast<size_t>(i)]), v);
            QCOMPARE(t.shownValue(i), v);
        }
        const std::string &pal = t.p.g->doc.tables().palStr[0][0][2];
        for (size_t k = 0; k < 4; ++k)
            QCOMPARE(w.picPal[k]->backColor().rgb(), testRgb(static_cast<uint8_t>(pal[k])));
        QCOMPARE(w.selCol->backColor().rgb(), testRgb(static_cast<uint8_t>(pal[0])));
        QCOMPARE(w.selCol2->backColor().rgb(), testRgb(static_cast<uint8_t>(pal[3])));
        // Each colour box has a frame of its own, so a black one still shows on the black
        // window.
        for (ColourBox *b :
            { w.picPal[0], w.picPal[1], w.picPal[2], w.picPal[3], w.selCol, w.selCol2 }) {
            const QImage face = b->grab().toImage();
            const QPoint mid(face.width() / 2, face.height() / 2);
            QCOMPARE(face.pixelColor(mid), b->backColor());
            for (QPoint edge : { QPoint(0, mid.y()), QPoint(mid.x(), face.height() - 1) })
                QVERIFY2(face.pixelColor(edge) != b->backColor(), qPrintable(b->objectName()));
        }
        QCOMPARE(w.preview->size(), QSize(8, 8));
        const QImage img = w.prev->picture().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(img.pixel(3, 5), w.pixel[43]->backColor().rgb());
        QCOMPARE(t.boxes.count(), 0);
    }

    void saveEncodesTheTileIntoItsSixteenBytes()
    {
        TileWindow t;
        frmTile &w = *t.w;
        for (int i = 0; i < 64; ++i) // the left button paints colour 0
            pointer::click(w.pixel[static_cast<size_t>(i)]);
        pointer::click(w.pixel[0], QPoint(-1, -1), Qt::RightButton); // row 0, leftmost: 3
        pointer::click(w.picPal[1]);
        pointer::click(w.pixel[15]); // row 1, rightmost: 1
        pointer::click(w.picPal[2], QPoint(-1, -1), Qt::RightButton);
        pointer::click(w.pixel[57], QPoint(-1, -1), Qt::RightButton); // row 7, column 1: 2
        pointer::click(w.cmdOK);
        const Bytes after = t.p.romBytes();
        const long long pos = t.tilePos();
        for (size_t i = 0; i < after.size(); ++i)
            if (static_cast<long long>(i) + 1 < pos || static_cast<long long>(i) + 1 >= pos + 16)
                QVERIFY(after[i] == t.before[i]);
        const Bytes expect = { 0x80, 0x01, 0, 0, 0, 0, 0, 0, 0x80, 0, 0, 0, 0, 0, 0, 0x40 };
        QCOMPARE(Bytes(after.begin() + pos - 1, after.begin() + pos + 15), expect);
        QCOMPARE(
            int(t.p.g->doc.tables().chrData[static_cast<size_t>(t.tile.tileBank)][7][15]), 0x40);
        QCOMPARE(int(t.p.w->sideLink().tilePixels(0)[0x47][7][1]), 2);
        QCOMPARE(int(t.p.w->sideLink().tilePixels(0)[0x47][0][0]), 3);
        QVERIFY(t.w->tileChanged());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(t.boxes.count(), 0);
    }

    void saveWithoutChangesKeepsTheFileAndMarks()
    {
        TileWindow t;
        pointer::click(t.w->cmdOK);
        QCOMPARE(t.p.romBytes(), t.before);
        QVERIFY(t.w->tileChanged());
    }

    void eachButtonPaintsItsOwnColour()
    {
        TileWindow t;
        frmTile &w = *t.w;
        pointer::click(w.picPal[2], {}, Qt::RightButton);
        QCOMPARE(int(w.m.colR), 2);
        QCOMPARE(int(w.m.colL), 0);
        QCOMPARE(w.selCol2->backColor(), w.picPal[2]->backColor());
        pointer::click(w.pixel[5], {}, Qt::RightButton);
        QCOMPARE(int(w.m.pixVal[5]), 2);
        QCOMPARE(t.shownValue(5), 2);
        pointer::click(w.pixel[6]);
        QCOMPARE(int(w.m.pixVal[6]), 0);
        pointer::click(w.picPal[1], {}, Qt::MiddleButton);
        QCOMPARE(int(w.m.colL), 0);
        QCOMPARE(int(w.m.colR), 2);
        const uint8_t keep = w.m.pixVal[7];
        pointer::click(w.pixel[7], {}, Qt::MiddleButton);
        QCOMPARE(w.m.pixVal[7], keep);
        QVERIFY(!w.dragging());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void draggingPaintsEveryBoxEnteredAndADropSavesNothing()
    {
        TileWindow t;
        frmTile &w = *t.w;
        for (int i : { 0, 1, 2, 3, 10, 18 })
            w.m.pixVal[static_cast<size_t>(i)] = 3;
        pointer::click(w.picPal[1]);
        pointer::press(w.pixel[0], QPoint(3, 3));
        QVERIFY(w.dragging());
        for (int i : { 1, 2, 10, 18 })
            pointer::move(w.pixel[static_cast<size_t>(i)], QPoint(3, 3));
        QCOMPARE(w.dragIcon, QString("PAINT"));
        pointer::move(w.Label1, QPoint(3, 3));
        QCOMPARE(w.dragIcon, QString("PAINT")); // no drag-over handler there
        pointer::move(&w, QPoint(w.width() - 2, 2));
        QCOMPARE(w.dragIcon, QString("EMPTY"));
        pointer::release(w.cmdOK, QPoint(3, 3));
        QVERIFY(!w.dragging());
        QVERIFY(w.dragIcon.isEmpty());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        for (int i : { 0, 1, 2, 10, 18 })
            QCOMPARE(int(w.m.pixVal[static_cast<size_t>(i)]), 1);
        QCOMPARE(int(w.m.pixVal[3]), 3);
        QCOMPARE(t.shownValue(18), 1);
        QVERIFY(w.isVisible());
        QCOMPARE(t.p.romBytes(), t.before);
        QVERIFY(!t.w->tileChanged());
    }

    void revertUndoesThePixelsAndKeepsTheColours()
    {
        TileWindow t;
        frmTile &w = *t.w;
        const auto original = w.m.pixVal;
        pointer::click(w.picPal[2]);
        pointer::click(w.picPal[1], {}, Qt::RightButton);
        pointer::click(w.pixel[0]);
        pointer::click(w.pixel[63], {}, Qt::RightButton);
        pointer::click(w.cmdRevert);
        QCOMPARE(w.m.pixVal, original);
        QCOMPARE(int(w.m.colL), 2);
        QCOMPARE(int(w.m.colR), 1);
        QCOMPARE(w.selCol->backColor(), w.picPal[2]->backColor());
        pointer::click(w.cmdRevert);
        QCOMPARE(int(w.m.colL), 2);
        // A new opening starts from colours 0 and 3 again.
        frmTile again(t.p.g->doc, t.p.g->files, t.tile);
        QCOMPARE(int(again.m.colL), 0);
        QCOMPARE(int(again.m.colR), 3);
    }

    void cancelWritesNothing()
    {
        TileWindow t;
        const auto chr = t.p.g->doc.tables().chrData[static_cast<size_t>(t.tile.tileBank)][7];
        const auto pix = t.p.w->sideLink().tilePixels(0)[0x47];
        pointer::click(t.w->pixel[0], QPoint(-1, -1), Qt::RightButton);
        pointer::click(t.w->cmdCancel);
        QCOMPARE(t.p.romBytes(), t.before);
        QVERIFY(t.p.g->doc.tables().chrData[static_cast<size_t>(t.tile.tileBank)][7] == chr);
        QVERIFY(t.p.w->sideLink().tilePixels(0)[0x47] == pix);
        QVERIFY(!t.w->tileChanged());
        QCOMPARE(t.w->result(), int(QDialog::Rejected));
    }

    void aBankTheRomDoesNotHoldIsNeverWritten()
    {
        // The opening says once that the bank is not in the file, and Save stays disabled.
        TileWindow t(0x80, 0x47); // the US ROM has banks 00-7F
        Boxes &real = t.boxes;
        frmTile &w = *t.w;
        QCOMPARE(real.count(), 1);
        QVERIFY(real.last().text.contains("CHR bank 80 is not in the ROM file"));
        QVERIFY(real.last().text.contains("in subroutine 902."));
        QCOMPARE(w.m.pixVal[0], uint8_t(0));
        QVERIFY(!w.cmdOK->isEnabled());
        pointer::click(w.pixel[0], QPoint(3, 3), Qt::RightButton);
        pointer::click(w.cmdOK);
        QCOMPARE(real.count(), 1);
        QCOMPARE(t.p.romBytes(), t.before);
        QVERIFY(!t.w->tileChanged());
        QVERIFY(w.isVisible());
    }

    void aFailedWriteKeepsMemoryAsItWas()
    {
        TileWindow t;
        const auto chr = t.p.g->doc.tables().chrData[static_cast<size_t>(t.tile.tileBank)][7];
        const Bytes before = t.p.romBytes();
        t.p.writeProtect(true);
        pointer::click(t.w->pixel[9], QPoint(-1, -1), Qt::RightButton);
        pointer::click(t.w->cmdOK);
        QCOMPARE(t.boxes.count(), 1);
        QVERIFY(t.p.g->doc.tables().chrData[static_cast<size_t>(t.tile.tileBank)][7] == chr);
        QVERIFY(!t.w->tileChanged());
        QVERIFY(t.p.romBytes() == before);
        QVERIFY(t.w->isVisible());
    }
};

QTEST_MAIN(tst_blocks_tile)
#include "tst_blocks_tile.moc"
