#pragma once
#include "ui/PanelLayer.h"

#include <QPixmap>
#include <QString>

#include <array>
#include <functional>
#include <string>

class BlockPainter;
class QLineEdit;
class StageDocument;
class QScrollBar;
class RomDocument;
struct ProgramFiles;
namespace ctl {
class ImageBox;
class ScrollBar;
} // namespace ctl

// The block selector of the Background mode: one page of 8 blocks of the current tileset, the
// bar that pages them, and the painting block's picture beside them. A left press on a cell
// makes its block the painting block; a right press asks for the block editor.
class BlockSelector : public PanelLayer
{
    Q_OBJECT
public:
    BlockSelector(
        QWidget *client, RomDocument &romDoc, const ProgramFiles &files, BlockPainter &blocks);
    // The boxes that tell what lies under the pointer.
    void setReadOuts(QLineEdit *offset, QLineEdit *val);

    // Fills the page the bar shows from the current tileset.
    void selectionChange();
    void firstPage();
    // The bar "-" and "+" step in the Background mode.
    QScrollBar *stepBar() const;
    // Shown in the Background mode with its page filled and the painting block drawn; hidden,
    // picture kept or cleared, in the other modes.
    void showForBackground();
    void hideSelector(bool clearPreview);

    // The painting block: its code, and the picture a painted cell takes.
    int paintBlock() const { return static_cast<uint8_t>(m_paintChar.at(0)); }
    QPixmap brush() const;
    void resetPaintBlock();
    // A block picked from the view: its code and the picture the cell showed.
    void takeBlock(int block, const QPixmap &picture);
    void drawPreview();
    // The picture beside the selector, which the object modes use for their choice.
    ctl::ImageBox *preview() const { return imgSel; }
    QString tilesetRange() const;

    // Calls draw on the selector's block pictures: the page's cells (if `cells`) and the
    // painting block (if `preview`).
    void forEachBlock(
        bool cells, bool preview, const std::function<void(ctl::ImageBox *, int)> &draw) const;
signals:
    // A right press on a cell, which shows `block`.
    void editRequested(int block);

private:
    void sel_MouseDown(int index, int button);
    void sel_MouseMove(int index);
    void imgSel_MouseMove();
    int fillPage(int n);
    // Draws the cells that show an edited block again, and the painting block if it is that.
    void redrawEdited(int block);

    RomDocument &romDoc;
    const ProgramFiles &files;
    const StageDocument &m_doc;
    BlockPainter &m_blocks;
    std::array<ctl::ImageBox *, 8> sel {};
    ctl::ScrollBar *selscroll = nullptr;
    ctl::ImageBox *imgSel = nullptr;
    QLineEdit *m_offset = nullptr;
    QLineEdit *m_val = nullptr;
    std::array<int, 101> selPageStart {};
    QString selLastTag;
    std::string m_paintChar = std::string(1, '\0');
    bool m_shown = true; // the Background mode is on
};
