#include "gfx/frmTile.h"

#include "gfx/BlockPicBox.h"
#include "gfx/ColourBox.h"
#include "resources/Icons.h"
#include "rom/Numbers.h"
#include "rom/RomFile.h"
#include "rom/VbError.h"
#include "ui/Controls.h"
#include "ui/EditGuard.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int subSave = 900;
constexpr int subFormDragOver = 901;
constexpr int subLoad = 902;
constexpr int subDrawIt = 903;
constexpr int subPicPal = 904;
constexpr int subDragOver = 905;
constexpr int subPixelDown = 906;

constexpr int pixelPitch = 300; // twips
constexpr int pixelSize = 285;

} // namespace

frmTile::frmTile(
    RomDocument &romDoc, const ProgramFiles &files, const blocks::TileRef &tile, QWidget *parent)
    : QDialog(parent), romDoc(romDoc), files(files), m_tile(tile)
{
    setObjectName("frmTile");
    editguard::install(
        this, [this] { return m_loaded && blocks::encodeTile(m.rows()) != m_opened; },
        [this] { cmdOK_Click(); });
    buildControls();
    look::dialogFrame(this, 4560, 3240);
    Form_Load();
}

frmTile::~frmTile()
{
    Shite();
}

void frmTile::buildControls()
{
    for (int i = 0; i < 64; ++i) {
        auto *p = new blocks::PicBox(this, "pixel", i);
        look::place(
            p, 120 + pixelPitch * (i % 8), 120 + pixelPitch * (i / 8), pixelSize, pixelSize);
        p->onMouseDown = [this](int k, int b, double, double) { pixel_MouseDown(k, b); };
        p->onMouseMove = [this, p](int, int, double x, double y) {
            dragMove(p->mapToGlobal(QPointF(x / 15.0, y / 15.0)).toPoint());
        };
        p->onMouseUp = [this](int, int, double, double) { dragDrop(); };
        pixel[static_cast<size_t>(i)] = p;
    }
    for (int k = 0; k < 4; ++k) {
        auto *p = new ColourBox(this, "picPal", k);
        look::place(p, 2760 + 420 * k, 120, 360, 360);
        p->onPress = [this](int i, int b) { picPal_MouseDown(i, b); };
        picPal[static_cast<size_t>(k)] = p;
    }
    Label1 = new QLabel("Left and right button", this);
    Label1->setObjectName("Label1");
    look::place(Label1, 2760, 600, 1770, 240); // as wide as the caption needs
    selCol = new ColourBox(this, "selCol", 1);
    selCol->setObjectName("selCol");
    look::place(selCol, 2760, 900, 600, 600);
    selCol2 = new ColourBox(this, "selCol2", 2);
    selCol2->setObjectName("selCol2");
    look::place(selCol2, 3480, 900, 600, 600);
    preview = new blocks::PicBox(this, "preview");
    look::place(preview, 2760, 1800, 120, 120);
    prev = new ctl::ImageBox(this, "prev");
    look::place(prev, 3120, 1800, 240, 240);

    cmdOK = new QPushButton("Save", this);
    cmdOK->setObjectName("cmdOK");
    cmdCancel = new QPushButton("Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdRevert = new QPushButton("Revert", this);
    cmdRevert->setObjectName("cmdRevert");
    look::place(cmdOK, 120, 2700, 1320, 375);
    look::place(cmdCancel, 1560, 2700, 1320, 375);
    look::place(cmdRevert, 3000, 2700, 1320, 375);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdRevert, &QPushButton::clicked, this, [this] { cmdRevert_Click(); });
}

void frmTile::Form_Load()
{
    msg::step(romDoc, subLoad, [&] {
        preview->resize(8, 8);
        const bool revert = cmdRevertTag == "REVERT";
        if (!revert)
            cmdRevertTag.clear();
        m.load(romDoc.tables(), romDoc.shown(), m_tile, revert);
        setWindowTitle(QString::fromStdString("Edit Tile #" + num::hex2(m.bankTile)));
        std::string failure;
        for (size_t k = 0; k < 4; ++k) {
            try {
                m_cols[k] = blocks::rgbColour(blocks::rgbOf(romDoc.tables().nesRgb, m.tileCols[k]));
            } catch (const std::exception &e) {
                m_cols[k] = Qt::black;
                failure = e.what();
            }
            picPal[k]->setBackColor(m_cols[k]);
        }
        for (int i = 0; i < 64; ++i)
            recolour(i);
        selCol->setBackColor(m_cols[m.colL & 3]);
        selCol2->setBackColor(m_cols[m.colR & 3]);
        if (!failure.empty())
            throw VbError(failure);
    });
    // The tile must be in the ROM file, or Save would have nowhere true to write it: one box,
    // and Save stays disabled.
    m_loaded = msg::step(romDoc, subLoad, [&] {
        romDoc.reread().bytes(blocks::tileAt(romDoc.tables(), m.bank, m.bankTile), 16);
        m_opened = romDoc.tables()
                       .chrData.at(static_cast<size_t>(m.bank))
                       .at(static_cast<size_t>(m.bankTile));
    });
    cmdOK->setEnabled(m_loaded);
    cmdOK->setToolTip(m_loaded ? QString() : "The ROM could not be read when the window opened.");
    DrawIt();
}

void frmTile::recolour(int i)
{
    pixel[static_cast<size_t>(i)]->setBackColor(m_cols[m.pixVal[static_cast<size_t>(i)] & 3]);
}

void frmTile::DrawIt()
{
    msg::step(romDoc, subDrawIt, [&] {
        QImage img(8, 8, QImage::Format_RGB32);
        for (int i = 0; i < 64; ++i)
            img.setPixelColor(i % 8, i / 8, m_cols[m.pixVal[static_cast<size_t>(i)] & 3]);
        const QPixmap pm = QPixmap::fromImage(img);
        preview->setPicture(pm);
        prev->setPicture(pm);
    });
}

void frmTile::pixel_MouseDown(int index, int button)
{
    msg::step(romDoc, subPixelDown, [&] {
        if (!m.paint(index, button))
            return;
        recolour(index);
        DrawIt();
        selCol->Tag = button == 1 ? "1" : "2";
        m_dragging = true;
        dragIcon.clear();
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    });
}

void frmTile::setDragIcon(const QString &name)
{
    dragIcon = name;
    if (m_dragging)
        QApplication::changeOverrideCursor(res::dragCursor(name));
}

void frmTile::pixel_DragOver(int index)
{
    msg::step(romDoc, subDragOver, [&] {
        setDragIcon("PAINT");
        if (selCol->Tag == "1")
            m.pixVal.at(static_cast<size_t>(index)) = m.colL;
        else if (selCol->Tag == "2")
            m.pixVal.at(static_cast<size_t>(index)) = m.colR;
        recolour(index);
        DrawIt();
    });
}

void frmTile::Form_DragOver()
{
    msg::step(romDoc, subFormDragOver, [&] { setDragIcon("EMPTY"); });
}

// Every pixel's drag icon is cleared; the drag ends here whatever it was dropped on.
void frmTile::Shite()
{
    dragIcon.clear();
    if (m_dragging) {
        m_dragging = false;
        QApplication::restoreOverrideCursor();
    }
}

// The pressed pixel keeps the mouse while the drag lasts; the control under the pointer is
// the one dragged over.
void frmTile::dragMove(const QPoint &globalPos)
{
    if (!m_dragging)
        return;
    const QPoint local = mapFromGlobal(globalPos);
    if (!rect().contains(local))
        return;
    QWidget *under = childAt(local);
    if (!under) {
        Form_DragOver();
        return;
    }
    for (int i = 0; i < 64; ++i)
        if (pixel[static_cast<size_t>(i)] == under)
            pixel_DragOver(i);
}

void frmTile::dragDrop()
{
    Shite();
}

void frmTile::picPal_MouseDown(int index, int button)
{
    msg::step(romDoc, subPicPal, [&] {
        if (!m.choose(index, button))
            return;
        if (button == 1)
            selCol->setBackColor(m_cols[m.colL & 3]);
        else
            selCol2->setBackColor(m_cols[m.colR & 3]);
    });
}

// A save whose write failed keeps the window open with the edits; nothing in memory changes.
void frmTile::cmdOK_Click()
{
    if (!m_loaded
        || !msg::step(romDoc, subSave, [&] { romDoc.saveTile(m_tile.tileset, m, m_opened); }))
        return;
    m_tileChanged = true;
    accept();
}

void frmTile::cmdCancel_Click()
{
    reject();
}

void frmTile::done(int r)
{
    Shite();
    QDialog::done(r);
}

void frmTile::cmdRevert_Click()
{
    cmdRevertTag = "REVERT";
    Form_Load();
}
