#pragma once
#include "model/RomDocument.h"
#include "model/gfx/BlockEdit.h"
#include "model/gfx/TileCodec.h"

#include <QDialog>
#include <QPixmap>

#include <array>
#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class MainLink;
namespace ctl {
class ImageBox;
}
namespace blocks {
class PicBox;
}

// "Edit Tileset #": one block of the current section's tileset, its 16 tiles picked from a
// chooser of the section's 256 background tiles and a sub-palette for each quadrant. Save
// writes the bytes of the block the user changed into the ROM file, and the block into the
// shared tables; Cancel and the close box write nothing. tileChanged() tells whether the tile
// editor it opens saved a tile.
class frmEditTSA : public QDialog
{
    Q_OBJECT
public:
    // tsaBlock: the block of the section's tileset to edit.
    frmEditTSA(RomDocument &romDoc, const ProgramFiles &files, MainLink &main, int tsaBlock,
        QWidget *parent = nullptr);
    ~frmEditTSA() override;

    // Handlers, by their design names.
    void Form_Load();
    void drawTile(ctl::ImageBox *target, int tile);
    void imgTile_MouseDown(int index, int button);
    void imgTile_MouseMove(int index);
    void imgTSA_Click(int index);
    void imgTSA_MouseMove(int index);
    void Form_MouseMove(double x); // x in twips
    void PalQuad(int q, int button);
    void tim_Timer();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdRestore_Click();
    void cmdRevert_Click();
    void cmdPal_Click();

    // The tile editor on a tile, answering whether it saved the tile, and the palette editor
    // that the window opens; tests may stand in.
    std::function<bool(const blocks::TileRef &)> showTileEditor;
    std::function<void()> editPalettes;

    // Whether a tile was saved while the window was open.
    bool tileChanged() const { return m_tileChanged; }

    blocks::BlockEdit m; // blkTiles, quadPal, palCols, selCell, selQuad, chooserPal
    QString selName;
    int hoverCell = -1; // -1: none
    bool blinkOn = false;
    QPixmap Picture2; // the selected cell without a preview
    QString Picture2Tag;
    QString timTag;
    std::array<QString, 4> LbkTag {};

    std::array<ctl::ImageBox *, 16> imgTSA {};
    std::array<ctl::ImageBox *, 256> imgTile {};
    std::array<QLabel *, 4> Lbk {};
    std::array<std::array<blocks::PicBox *, 4>, 4> picPal {}; // [quadrant][element]
    QFrame *palSh = nullptr;
    ctl::ImageBox *cur = nullptr;
    QTimer *tim = nullptr;
    QLineEdit *TxtMod = nullptr, *txtVal = nullptr, *txtEdit = nullptr;
    QPushButton *cmdOK = nullptr, *cmdCancel = nullptr, *cmdRestore = nullptr, *cmdRevert = nullptr,
                *cmdPal = nullptr;

    void done(int r) override;

protected:
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    void buildControls();
    void buildChooser();
    void buildColourGroups();
    void wireCells();
    bool save(const blocks::StoredBlock &was);
    void defaultPointer();
    void redrawChooser();
    void showColours();
    void drawCellsFromModel();
    void setGroupDigit(int q, int subPalette);
    void refreshAfterTileEdit(int index, int tilePalNo);
    void refreshTile(int index, int tilePalNo);
    QColor colour(int nes);

    // Opens a handler; the outermost one starts with no drawing error reported yet.
    struct DrawScope
    {
        explicit DrawScope(frmEditTSA *w) : w(w)
        {
            if (w->m_depth++ == 0)
                w->m_drawReported = false;
        }
        ~DrawScope() { --w->m_depth; }
        frmEditTSA *w;
    };

    RomDocument &romDoc;
    const ProgramFiles &files;
    MainLink &m_main;
    const int tsaBlock;
    bool m_tileChanged = false;
    bool m_drawReported = false; // one drawing error box per handler
    int m_depth = 0;
    int m_pressedCell = -1;
    bool m_loaded = false; // the block was found in the ROM file at the opening
    // The bytes of the block that Save would write.
    std::vector<Patch> blockChanges() const;
    blocks::StoredBlock m_opened; // as the window took it from the tables
    blocks::StoredBlock m_stored; // as the ROM file held it
};

// Group origins of the quadrant colour boxes, in twips.
namespace blocks {
int groupLeft(int q);
int groupTop(int q);
} // namespace blocks
