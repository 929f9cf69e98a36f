#pragma once
#include "ui/PanelLayer.h"

#include <QString>

#include <array>
#include <functional>
#include <string>

class BlockPainter;
class BlockSelector;
class QCursor;
class QFrame;
class QLabel;
class QLineEdit;
class StageDocument;
class RomDocument;
struct ProgramFiles;
struct StageTables;
namespace ctl {
class ImageBox;
class ScrollBar;
class Shape;
} // namespace ctl

// The level view: 8 x 6 cells showing the blocks of the current section, the two bars that
// scroll it two columns or rows at a time, the column and row captions, the hatching of the rows
// a screen's mask hides, and the grid lines. In the Background mode a left press paints the
// selector's block and a drag paints on; a right press takes the cell's block into the selector.
class LevelView : public PanelLayer
{
    Q_OBJECT
public:
    LevelView(QWidget *client, RomDocument &romDoc, BlockPainter &blocks, BlockSelector &selector);

    // The boxes that tell the block and its offset under the pointer in the Background mode.
    void setReadOuts(QLineEdit *offset, QLineEdit *val);
    void setPaintMode(bool on);
    void setHMask(bool on) { m_hMask = on; }
    void setVMask(bool on) { m_vMask = on; }
    void showGrid(bool on);

    // A new stage: the next drawing draws every cell, no row is hatched.
    void enterStage();
    // The bars and captions of the current section, set without drawing anything.
    void enterSection();
    // Draws the section where its bar stands.
    void drawSection();
    void ScrscrollChange();
    void ScrvscrollChange();
    bool isVertical() const;

    ctl::ScrollBar *hBar() const { return scrscroll; }
    ctl::ScrollBar *vBar() const { return scrvscroll; }
    // The cell at `p` in the client area's coordinates, or -1.
    int cellAt(const QPoint &p) const;
    ctl::ImageBox *cell(int k) const { return scr.at(static_cast<size_t>(k)); }
    // The position in the section's layout that cell `k` shows.
    int cellPos(int k) const { return m_cellPos.at(static_cast<size_t>(k)); }

    // Draws again every cell (only those tagged `onlyTag` when given), the top row masked as
    // the view draws it.
    void redrawCells(const QString *onlyTag = nullptr);
    void redrawMaskRow();
    // Hatches the visible last rows of screens; with the mask off it only clears the hatching.
    void markMaskedRows();
    // Calls draw on every cell with the block it shows.
    void forEachCell(const std::function<void(ctl::ImageBox *, int)> &draw) const;

signals:
    // The view moved to another column (horizontal) or row pair.
    void scrolled(bool horizontal);
    // The pointer moved over cell `index`, at (x, y) in twips inside it, outside a paint stroke.
    void hovered(int index, double x, double y);
    // A paint stroke began: the section is being edited.
    void modified();

private:
    void buildCells();
    void buildBars();
    void buildGrid();
    void restBar(ctl::ScrollBar *bar);
    bool viewUnchanged(const ctl::ScrollBar *bar) const;
    void scrollRun(
        ctl::ScrollBar *bar, int subroutine, bool horizontal, const std::function<void(int)> &draw);
    void viewBarReleased(const ctl::ScrollBar *bar);
    void takePicture(int to, int from);
    void drawCell(int k, const std::string &layout, bool masked);
    void drawBlock(ctl::ImageBox *target, int block, bool topRow);
    const std::string &layout() const;

    void scr_MouseDown(int index, int button, double x, double y);
    void scr_MouseMove(int index, int button, double x, double y);
    void scr_DragOver(int index);
    void strokeMove(const QPoint &globalPos);
    void endStroke();
    void showCell(int index);

    RomDocument &romDoc;
    StageDocument &doc;
    const StageTables &t;
    BlockPainter &m_blocks;
    BlockSelector &m_selector;

    std::array<ctl::ImageBox *, 48> scr {};
    std::array<QLabel *, 8> lH {};
    std::array<QLabel *, 6> lV {};
    std::array<ctl::Shape *, 6> highlight {};
    std::array<QFrame *, 12> grid {}; // made when first shown
    ctl::ScrollBar *scrscroll = nullptr;
    ctl::ScrollBar *scrvscroll = nullptr;
    QLineEdit *m_offset = nullptr;
    QLineEdit *m_val = nullptr;

    std::array<int, 48> m_cellPos {};
    std::array<bool, 48> m_taken {}; // took its neighbour's picture in the scroll under way
    bool m_held = false; // a section is being set up: its bars draw nothing yet
    bool m_hMask = false;
    bool m_vMask = false;
    bool m_paintMode = true;
    bool m_painting = false; // a paint stroke is under way
    int m_lastDragCell = -1;
};
