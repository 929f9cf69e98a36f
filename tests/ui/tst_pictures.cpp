// The level view keeps the pictures of the blocks it drew; an edit of a tile, a palette or a
// pattern bank made through the side windows shows in every cell at once, the selector's too.
#include "gfx/BlockPicBox.h"
#include "gfx/ColourBox.h"
#include "gfx/frmEditTSA.h"
#include "gfx/frmPalettes.h"
#include "gfx/frmPatterns.h"
#include "gfx/frmTile.h"
#include "ui/Controls.h"
#include "ui/ViewText.h"
#include "ui/support/Boxes.h"
#include "ui/support/Named.h"
#include "ui/support/Pointer.h"
#include "ui/support/Program.h"
#include "ui/support/SideWindows.h"
#include "ui/support/ViewPixels.h"

#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>

namespace {

using Edit = std::function<void(Program &)>;

// Where cell 0's top-left pixel comes from: the block's first tile, its value there and the
// sub-palette of the block's top-left quadrant.
struct Corner
{
    int tile = 0;
    int value = 0;
    int subPal = 0;
};

Corner cornerOf(const Program &p)
{
    const ProgramState &g = *p.g;
    const auto s = static_cast<size_t>(g.doc.shown().curStage),
               n = static_cast<size_t>(g.doc.shown().curSection);
    const auto ts
        = static_cast<size_t>(expectedTileset(g.doc.shown().curStage, g.doc.shown().curSection));
    const auto b = static_cast<size_t>(viewpx::blockAt(p, 0));
    Corner c;
    c.tile = g.doc.tables().blockTiles[ts][b][0];
    c.subPal = g.doc.tables().blockPal[ts][b][3];
    const long long chr = rb::chrBase
        + 1024LL * g.doc.tables().patBG[s][n][static_cast<size_t>(c.tile / 64)]
        + 16 * (c.tile % 64);
    const Bytes rom = p.romBytes();
    c.value
        = (rom[static_cast<size_t>(chr - 1)] >> 7) + 2 * (rom[static_cast<size_t>(chr + 7)] >> 7);
    return c;
}

// The selector's cells and the painting block beside them, against what the ROM file says.
QString selectorMismatch(const Program &p, const Bytes &rom)
{
    std::vector<ctl::ImageBox *> boxes { named<ctl::ImageBox>(p.w.get(), "imgSel") };
    for (int k = 0; k < 8; ++k)
        if (auto *cell = named<ctl::ImageBox>(p.w.get(), "sel", k); cell->isEnabled())
            boxes.push_back(cell);
    for (ctl::ImageBox *box : boxes) {
        const int block = viewtext::tagBlock(box->Tag);
        if (box->picture().toImage().convertToFormat(QImage::Format_RGB32)
            != viewpx::expectedBlock(p, rom, block, false))
            return QString("%1 does not show block %2 as it looks")
                .arg(box->objectName())
                .arg(block);
    }
    return {};
}

// The painting block taken from the view with a right click: the first cell whose block has a
// tile of background banks 1 or 2, which the pattern window changes, else cell 0's.
void takePaintingBlock(Program &p)
{
    const auto ts = static_cast<size_t>(
        expectedTileset(p.g->doc.shown().curStage, p.g->doc.shown().curSection));
    int pick = 0;
    for (int k = 47; k >= 0; --k)
        for (uint8_t tile :
            p.g->doc.tables().blockTiles[ts][static_cast<size_t>(viewpx::blockAt(p, k))])
            if (tile >= 0x40 && tile < 0xC0)
                pick = k;
    pointer::click(named<ctl::ImageBox>(p.w.get(), "scr", pick), {}, Qt::RightButton);
}

// Pixel 0 of cell 0's first tile painted in another colour of its sub-palette, in the tile
// editor opened from the block editor, which then closes with Cancel.
void editTile(Program &p)
{
    const Corner c = cornerOf(p);
    const std::string &pal
        = p.g->doc.tables()
              .palStr[static_cast<size_t>(p.g->doc.shown().curStage)][static_cast<size_t>(
                  p.g->doc.shown().curSection)][static_cast<size_t>(c.subPal)];
    int other = (c.value + 1) % 4;
    while (pal[static_cast<size_t>(other)] == pal[static_cast<size_t>(c.value)])
        other = (other + 1) % 4;
    auto *sel = named<ctl::ImageBox>(p.w.get(), "sel", 0);
    startup::onModal([&](QDialog *d) {
        auto *editor = qobject_cast<frmEditTSA *>(d);
        if (!editor)
            return false;
        editor->tim->stop();
        pointer::release(sel, {}, Qt::RightButton);
        ctl::ImageBox *chooser = editor->imgTile[static_cast<size_t>(c.tile)];
        // A watch of its own: the one running now does not fire again until this returns.
        startup::onModal([&](QDialog *inner) {
            if (auto *t = qobject_cast<frmTile *>(inner)) {
                pointer::release(chooser, {}, Qt::RightButton);
                pointer::click(t->picPal[static_cast<size_t>(other)]);
                pointer::click(t->pixel[0]);
                pointer::click(t->cmdOK);
                return false;
            }
            return true;
        });
        pointer::press(chooser, {}, Qt::RightButton);
        pointer::click(editor->cmdCancel);
        return false;
    });
    pointer::press(sel, {}, Qt::RightButton);
    startup::stopWatching();
}

// The colour cell 0's top-left pixel shows, changed in the palette editor and saved.
void editPalette(Program &p)
{
    const Corner c = cornerOf(p);
    const int slot = 4 * c.subPal + c.value;
    const auto now = static_cast<uint8_t>(
        p.g->doc.tables().palStr[static_cast<size_t>(p.g->doc.shown().curStage)]
                                [static_cast<size_t>(p.g->doc.shown().curSection)]
                                [static_cast<size_t>(c.subPal)][static_cast<size_t>(c.value)]);
    const int colour = now == 0x2A ? 0x2B : 0x2A;
    side::open<frmPalettes>(named<QToolButton>(p.w.get(), "cmdPalettes"), [&](frmPalettes *w) {
        pointer::click(w->picPal[static_cast<size_t>(slot)]);
        pointer::click(w->picColor[static_cast<size_t>(colour)]);
        pointer::click(w->cmdOK);
    });
}

// Both background banks of the section one further on, in the pattern window, saved.
void editBanks(Program &p)
{
    side::open<frmPatterns>(named<QToolButton>(p.w.get(), "cmdPattern"), [&](frmPatterns *w) {
        side::arrow(w->sc[0], false);
        side::arrow(w->sc[1], false);
        pointer::click(w->cmdOK);
    });
}

} // namespace

Q_DECLARE_METATYPE(Edit)

class tst_pictures : public QObject
{
    Q_OBJECT
private slots:
    void anEditShowsInEveryCell_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::newRow("tile") << Edit(editTile);
        QTest::newRow("palette") << Edit(editPalette);
        QTest::newRow("pattern banks") << Edit(editBanks);
    }
    void anEditShowsInEveryCell()
    {
        QFETCH(Edit, edit);
        Boxes boxes;
        Program p;
        QString wrong = viewpx::mismatch(p, p.romBytes(), false);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        const auto before = viewpx::pictures(p);
        const Bytes file = p.romBytes();
        takePaintingBlock(p);

        edit(p);
        QVERIFY(p.romBytes() != file);
        QVERIFY(viewpx::pictures(p) != before);
        wrong = viewpx::mismatch(p, p.romBytes(), false);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        wrong = selectorMismatch(p, p.romBytes());
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));

        // Back and forth between sections, the pictures kept are the edited ones.
        named<ctl::ComboBox>(p.w.get(), "Combo2")->setCurrentIndex(1);
        named<ctl::ComboBox>(p.w.get(), "Combo2")->setCurrentIndex(0);
        wrong = viewpx::mismatch(p, p.romBytes(), false);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        QCOMPARE(boxes.count(), 0);
    }
};

QTEST_MAIN(tst_pictures)
#include "tst_pictures.moc"
