#pragma once
#include "model/RomDocument.h"
#include "model/gfx/TileCodec.h"

#include <QDialog>

#include <array>

class ColourBox;
class QLabel;
class QPushButton;
namespace ctl {
class ImageBox;
}
namespace blocks {
class PicBox;
}

// "Edit Tile #": the 64 pixels of one background tile, painted with two colours (one a mouse
// button) by clicking or dragging across the grid; Save writes the tile's changed bytes into the
// ROM file, and tileChanged() tells whether it did.
class frmTile : public QDialog
{
    Q_OBJECT
public:
    frmTile(RomDocument &romDoc, const ProgramFiles &files, const blocks::TileRef &tile,
        QWidget *parent = nullptr);
    ~frmTile() override;

    // Handlers, by their design names.
    void Form_Load();
    void DrawIt();
    void pixel_MouseDown(int index, int button);
    void pixel_DragOver(int index);
    void Form_DragOver();
    void Shite();
    void picPal_MouseDown(int index, int button);
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdRevert_Click();

    blocks::TileEdit m; // pixVal, tileCols, colL, colR, bankTile
    QString cmdRevertTag;
    QString dragIcon; // what the dragged pixel shows: "PAINT", "EMPTY" or "" (none)
    bool dragging() const { return m_dragging; }
    // Whether Save wrote the tile.
    bool tileChanged() const { return m_tileChanged; }

    std::array<blocks::PicBox *, 64> pixel {};
    // The four colours and the two chosen ones, framed so that black shows on the black window.
    std::array<ColourBox *, 4> picPal {};
    ColourBox *selCol = nullptr, *selCol2 = nullptr;
    blocks::PicBox *preview = nullptr;
    ctl::ImageBox *prev = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *cmdOK = nullptr, *cmdCancel = nullptr, *cmdRevert = nullptr;

    // Moves of the dragged pixel's mouse, and its release, by screen position.
    void dragMove(const QPoint &globalPos);
    void dragDrop();

    void done(int r) override;

private:
    void buildControls();
    void recolour(int i);
    void setDragIcon(const QString &name);

    RomDocument &romDoc;
    const ProgramFiles &files;
    const blocks::TileRef m_tile;
    bool m_tileChanged = false;
    std::array<QColor, 4> m_cols {}; // the tile's four colours
    bool m_dragging = false;
    bool m_loaded = false; // the tile was found in the ROM file at the opening
    render::ChrTile m_opened {}; // the tile's bytes then
};
