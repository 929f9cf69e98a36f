#include "gfx/frmEditTSA.h"

#include "gfx/BlockPicBox.h"
#include "gfx/frmTile.h"
#include "model/gfx/TileCodec.h"
#include "resources/FolderPictures.h"
#include "rom/Numbers.h"
#include "rom/PatchDiff.h"
#include "rom/VbError.h"
#include "tables/TableUi.h"
#include "ui/Controls.h"
#include "ui/EditGuard.h"
#include "ui/Look.h"
#include "ui/MainLink.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

#include <QApplication>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int subChooserMove = 304;
constexpr int subChooserDown = 305;
constexpr int subLoad = 307;
constexpr int subRestore = 308;
constexpr int subPal = 309;
constexpr int subDrawTile = 310;
constexpr int subSave = 311;

// Four corner brackets, the cursor frame's picture.
QPixmap cursorFrame()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(255, 255, 0));
    p.drawLine(0, 0, 4, 0);
    p.drawLine(0, 0, 0, 4);
    p.drawLine(11, 0, 15, 0);
    p.drawLine(15, 0, 15, 4);
    p.drawLine(0, 15, 4, 15);
    p.drawLine(0, 11, 0, 15);
    p.drawLine(11, 15, 15, 15);
    p.drawLine(15, 11, 15, 15);
    return pm;
}

} // namespace

frmEditTSA::frmEditTSA(
    RomDocument &romDoc, const ProgramFiles &files, MainLink &main, int tsaBlock, QWidget *parent)
    : QDialog(parent), romDoc(romDoc), files(files), m_main(main), tsaBlock(tsaBlock)
{
    setObjectName("frmEditTSA");
    setMouseTracking(true);
    showTileEditor = [this](const blocks::TileRef &tile) {
        frmTile editor(this->romDoc, this->files, tile, this);
        msg::execUnlessReload(editor, this->romDoc);
        return editor.tileChanged();
    };
    editPalettes = [this] { m_main.EditPalettes(); };
    editguard::install(
        this, [this] { return m_loaded && !blockChanges().empty(); }, [this] { cmdOK_Click(); });
    buildControls();
    look::dialogFrame(this, 7800, 5700);
    Form_Load();
    tim->start();
}

frmEditTSA::~frmEditTSA() = default;

void frmEditTSA::buildControls()
{
    for (int j = 0; j < 16; ++j) {
        auto *cell = new ctl::ImageBox(this, "imgTSA", j);
        look::place(cell, 390 + 480 * (j % 4), 360 + 480 * (j / 4), 480, 480);
        imgTSA[static_cast<size_t>(j)] = cell;
    }
    cur = new ctl::ImageBox(this, "cur");
    cur->setAttribute(Qt::WA_TransparentForMouseEvents);
    cur->setPicture(cursorFrame());
    look::place(cur, 360, 330, 540, 540);
    cur->hide();
    tim = new QTimer(this);
    tim->setObjectName("tim");
    tim->setInterval(250);
    connect(tim, &QTimer::timeout, this, [this] { tim_Timer(); });

    const char *captions[3] = { "Current Selection ", "Current Value ", "Modified Value" };
    QLineEdit **boxes[3] = { &txtEdit, &txtVal, &TxtMod };
    const char *names[3] = { "txtEdit", "txtVal", "TxtMod" };
    for (int i = 0; i < 3; ++i) {
        auto *l = new QLabel(captions[i], this);
        l->setWordWrap(true);
        look::place(l, 390 + 930 * i, 2400, 900, 420);
        *boxes[i] = new QLineEdit(this);
        (*boxes[i])->setObjectName(names[i]);
        (*boxes[i])->setReadOnly(true);
        look::place(*boxes[i], 390 + 930 * i, 2850, 720, 285);
    }
    buildColourGroups();
    buildChooser();

    struct Btn
    {
        QPushButton **p;
        const char *name, *text;
        int left, top, width;
    };
    const Btn btns[5] = { { &cmdOK, "cmdOK", "Save", 120, 4500, 1000 },
        { &cmdCancel, "cmdCancel", "Cancel", 1170, 4500, 1000 },
        { &cmdRestore, "cmdRestore", "Restore", 2220, 4500, 1000 },
        { &cmdRevert, "cmdRevert", "Revert", 120, 4980, 1000 },
        { &cmdPal, "cmdPal", "Edit Palettes", 1170, 4980, 2050 } };
    for (const Btn &b : btns) {
        *b.p = new QPushButton(b.text, this);
        (*b.p)->setObjectName(b.name);
        look::place(*b.p, b.left, b.top, b.width, 375);
    }
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdRestore, &QPushButton::clicked, this, [this] { cmdRestore_Click(); });
    connect(cmdRevert, &QPushButton::clicked, this, [this] { cmdRevert_Click(); });
    connect(cmdPal, &QPushButton::clicked, this, [this] { cmdPal_Click(); });
    wireCells();
}

void frmEditTSA::buildChooser()
{
    for (int i = 0; i < 4; ++i) {
        Lbk[static_cast<size_t>(i)] = new QLabel("Patterns #", this);
        Lbk[static_cast<size_t>(i)]->setObjectName(QString("Lbk(%1)").arg(i));
        look::place(Lbk[static_cast<size_t>(i)], 3360, 120 + 1380 * i, 1500, 240);
    }
    for (int t = 0; t < 256; ++t) {
        auto *img = new ctl::ImageBox(this, "imgTile", t);
        const int page = t / 64;
        const int row = (t % 64) / 16;
        const int col = t % 16;
        look::place(img, 3360 + 270 * col, 360 + 1380 * page + 270 * row, 240, 240);
        img->onMouseDown = [this](int k, int b, double, double) { imgTile_MouseDown(k, b); };
        img->onMouseMove = [this](int k, int, double, double) { imgTile_MouseMove(k); };
        imgTile[static_cast<size_t>(t)] = img;
    }
}

void frmEditTSA::Form_Load()
{
    const DrawScope scope(this);
    const bool taken = msg::step(romDoc, subLoad, [&] {
        m.load(romDoc.tables(), romDoc.shown(), tsaBlock);
        setWindowTitle(QString::fromStdString("Edit Tileset #" + num::hex2(tsaBlock)));
    });
    // The block must also be in the ROM file as a block of its tileset, or Save and Restore
    // would write over other data: one box, and both stay disabled.
    m_loaded = taken && msg::step(romDoc, subLoad, [&] {
        m_stored = blocks::readBlock(romDoc.reread(), romDoc.tables(), m.tileset, m.block);
    });
    m_opened = { m.blkTiles, m.quadPal };
    const QString why = m_loaded ? QString() : "The ROM could not be read when the window opened.";
    for (QPushButton *b : { cmdOK, cmdRestore }) {
        b->setEnabled(m_loaded);
        b->setToolTip(why);
    }
    for (int q = 0; q < 4; ++q)
        msg::step(romDoc, subLoad, [&] {
            picPal[static_cast<size_t>(q)][3]->setBackColor(
                colour(static_cast<uint8_t>(romDoc.tables().palBackdrop.at(0))));
            setGroupDigit(q, m.quadPal[static_cast<size_t>(q)]);
        });
    msg::step(romDoc, subLoad, [&] { showColours(); });
    msg::step(romDoc, subLoad, [&] {
        const auto &banks = romDoc.tables()
                                .patBG.at(static_cast<size_t>(romDoc.shown().curStage))
                                .at(static_cast<size_t>(romDoc.shown().curSection));
        for (size_t i = 0; i < 4; ++i) {
            const QString bank = viewtext::hex2(banks[i]);
            Lbk[i]->setText("< " + bank + " >");
            LbkTag[i] = "&H" + bank;
        }
    });
    drawCellsFromModel();
    imgTSA_Click(0);
    defaultPointer();
}

// Every cell in its quadrant's sub-palette, its Tag recording which.
void frmEditTSA::drawCellsFromModel()
{
    for (int j = 0; j < 16; ++j) {
        m.selQuad = blocks::quadOf(j);
        m.chooserPal = m.quadPal[static_cast<size_t>(m.selQuad)];
        imgTSA[static_cast<size_t>(j)]->Tag = QString::number(m.chooserPal);
        drawTile(imgTSA[static_cast<size_t>(j)], m.blkTiles[static_cast<size_t>(j)]);
    }
}

QColor frmEditTSA::colour(int nes)
{
    return blocks::rgbColour(blocks::rgbOf(romDoc.tables().nesRgb, nes));
}

// Colours 1..3 of each quadrant's sub-palette in its group.
void frmEditTSA::showColours()
{
    for (size_t q = 0; q < 4; ++q)
        for (size_t k = 0; k < 3; ++k)
            picPal[q][k]->setBackColor(colour(m.palCols[m.quadPal[q] & 3][k]));
}

void frmEditTSA::setGroupDigit(int q, int subPalette)
{
    picPal.at(static_cast<size_t>(q))[3]->setPicture(
        res::folderPicture(files.datPath + QString::number(subPalette, 16).toStdString() + ".dat"));
}

void frmEditTSA::drawTile(ctl::ImageBox *target, int tile)
{
    try {
        const std::string &pal
            = romDoc.tables()
                  .palStr.at(static_cast<size_t>(romDoc.shown().curStage))
                  .at(static_cast<size_t>(romDoc.shown().curSection))[m.chooserPal & 3];
        blocks::TileRgb rgb {};
        const std::string failure
            = blocks::tileRgb(m_main.tilePixels(m.tileset)[static_cast<size_t>(tile & 0xFF)], pal,
                romDoc.tables().nesRgb, rgb);
        QImage img(8, 8, QImage::Format_RGB32);
        for (int i = 0; i < 64; ++i)
            img.setPixel(i % 8, i / 8, 0xFF000000u | rgb[static_cast<size_t>(i)]);
        target->setPicture(QPixmap::fromImage(img));
        if (!failure.empty())
            throw VbError(failure);
    } catch (...) {
        // One box per handler: a bad colour would otherwise be reported for all 256 tiles.
        if (!m_drawReported)
            msg::errBox(subDrawTile, msg::describe(std::current_exception()));
        m_drawReported = true;
    }
}

void frmEditTSA::redrawChooser()
{
    for (int t = 0; t < 256; ++t)
        drawTile(imgTile[static_cast<size_t>(t)], t);
}

void frmEditTSA::imgTile_MouseDown(int index, int button)
{
    const DrawScope scope(this);
    msg::step(romDoc, subChooserDown, [&] {
        if (button == 1) {
            // The cell shows the tile now even when no hover preview drew it.
            drawTile(imgTSA[static_cast<size_t>(m.selCell)], index);
            imgTSA_Click(m.place(index));
            timTag = "&H" + QString::number(index, 16).toUpper();
            cur->show();
            blinkOn = false;
            tim->start();
        } else if (button == 2) {
            const blocks::TileRef tile {
                static_cast<int>(
                    num::hexVal(LbkTag[static_cast<size_t>(index / 64)].toStdString())),
                index, m.chooserPal, m.tileset
            };
            defaultPointer();
            if (showTileEditor(tile))
                m_tileChanged = true;
            refreshAfterTileEdit(index, tile.tilePalNo);
        }
    });
}

// The tile editor may have changed the tile: it shows at every slot of the chooser that holds
// its bank (a section may use one bank twice), and the chooser images there, the cells that
// hold them and the saved copy of the selected cell follow.
void frmEditTSA::refreshAfterTileEdit(int index, int tilePalNo)
{
    const auto bankOf = [this](int slot) {
        return num::hexVal(LbkTag[static_cast<size_t>(slot / 64)].toStdString());
    };
    for (int twin = index % 64; twin < 256; twin += 64)
        if (bankOf(twin) == bankOf(index))
            refreshTile(twin, tilePalNo);
}

void frmEditTSA::refreshTile(int index, int tilePalNo)
{
    drawTile(imgTile[static_cast<size_t>(index)], index);
    for (int j = 0; j < 16; ++j) {
        m.chooserPal = m.quadPal[static_cast<size_t>(blocks::quadOf(j))];
        if (m.blkTiles[static_cast<size_t>(j)] == index)
            drawTile(imgTSA[static_cast<size_t>(j)], index);
    }
    if (!Picture2Tag.isEmpty() && num::hexVal(Picture2Tag.toStdString()) == index)
        Picture2 = imgTile[static_cast<size_t>(index)]->picture();
    m.chooserPal = tilePalNo;
}

void frmEditTSA::imgTile_MouseMove(int index)
{
    const DrawScope scope(this);
    msg::step(romDoc, subChooserMove, [&] {
        if (cursor().shape() != Qt::CrossCursor)
            setCursor(Qt::CrossCursor);
        TxtMod->setText(viewtext::hex2(index));
        drawTile(imgTSA[static_cast<size_t>(m.selCell)], index);
        if (timTag.isEmpty()) {
            tim->stop();
            cur->hide();
        }
    });
}

// Writes what differs from `was`: the block as the window opened it for Save, the block in the
// file for Restore.
bool frmEditTSA::save(const blocks::StoredBlock &was)
{
    defaultPointer();
    if (!m_loaded)
        return false;
    return msg::step(romDoc, subSave, [&] {
        romDoc.saveBlock(m.tileset, m.block, { m.blkTiles, m.quadPal }, was);
    });
}

std::vector<Patch> frmEditTSA::blockChanges() const
{
    const RomTables &t = romDoc.tables();
    return changedBytes(blocks::blockPatches(t, m.tileset, m.block, { m.blkTiles, m.quadPal }),
        blocks::blockPatches(t, m.tileset, m.block, m_opened));
}

// A save whose write failed leaves the window open with the edits, the tables as they were.
void frmEditTSA::cmdOK_Click()
{
    if (!save(m_opened))
        return;
    accept();
}

void frmEditTSA::cmdCancel_Click()
{
    reject();
}

void frmEditTSA::cmdRestore_Click()
{
    defaultPointer();
    if (!m_loaded || !tableui::restoreAsked(romDoc, files))
        return;
    blocks::StoredBlock b;
    if (!msg::step(romDoc, subRestore, [&] {
            b = blocks::readBlock(
                RomImage::load(files.ini.backupPath), romDoc.tables(), m.tileset, m.block);
        }))
        return;
    const blocks::BlockEdit keep = m;
    m.blkTiles = b.tiles;
    m.quadPal = b.quads;
    if (!save(m_stored)) {
        m = keep;
        return;
    }
    accept();
}

void frmEditTSA::cmdRevert_Click()
{
    defaultPointer();
    imgTile[0]->Tag.clear();
    Form_Load();
}

void frmEditTSA::cmdPal_Click()
{
    const DrawScope scope(this);
    defaultPointer();
    editPalettes();
    msg::step(romDoc, subPal, [&] {
        m.readColours(romDoc.tables(), romDoc.shown());
        for (size_t q = 0; q < 4; ++q)
            picPal[q][3]->setBackColor(
                colour(static_cast<uint8_t>(romDoc.tables().palBackdrop.at(0))));
        showColours();
    });
    redrawChooser();
    const int keep = m.chooserPal;
    for (int j = 0; j < 16; ++j) {
        m.chooserPal = m.quadPal[static_cast<size_t>(blocks::quadOf(j))];
        drawTile(imgTSA[static_cast<size_t>(j)], m.blkTiles[static_cast<size_t>(j)]);
    }
    m.chooserPal = keep;
    Picture2 = imgTSA[static_cast<size_t>(m.selCell)]->picture();
}

void frmEditTSA::defaultPointer()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    unsetCursor();
}

void frmEditTSA::done(int r)
{
    tim->stop();
    defaultPointer();
    QDialog::done(r);
}
