#pragma once
#include "objects/ModeHost.h"

#include <QPoint>
#include <QString>

#include <array>
#include <string>
#include <vector>

class RomDocument;
struct ProgramFiles;
struct StageTables;
class QLabel;
class QWidget;
class SelFrame;

// The panel whose mode is shown answers the presses on the markers and their drags.
class MarkerOwner
{
public:
    virtual void PosPu_MouseDown(int index, int button, double x, double y) = 0;
    virtual void PosPu_MouseMove(int index) = 0;
    // The dragged marker over a cell of the view, its top-left corner wanted at (tx, ty) twips.
    virtual void dragOver(ctl::ImageBox *source, int tx, int ty) = 0;
    // Dropped on a scroll bar of the view, `at` twips from its left or top end.
    virtual void scrscroll_DragDrop(ctl::ImageBox *source, double at) = 0;
    virtual void scrvscroll_DragDrop(ctl::ImageBox *source, double at) = 0;
    // The drag over without a drop on a bar.
    virtual void unDrag() = 0;

protected:
    ~MarkerOwner() = default;
};

// The 64 markers laid over the level view (PosPu), the frame of the selected one (rectSelSt)
// and the screen number a drag over a scroll bar shows (lbjump), shared by the Power-Ups and
// Enemies mode and the Miscellaneous mode; and the marker drag: the pressed marker keeps the
// mouse, the cell or bar under the pointer is the one dragged over, and the release is the drop.
class MarkerLayer
{
public:
    MarkerLayer(RomDocument &romDoc, const StageTables &t, ModeHost &host, QWidget *client);
    void setOwners(MarkerOwner *powerUps, MarkerOwner *misc);

    ctl::ImageBox *at(int index) const { return m_PosPu[static_cast<size_t>(index)]; }
    const std::array<ctl::ImageBox *, 64> &all() const { return m_PosPu; }
    void hideAll();
    SelFrame *frame() const { return m_rectSelSt; }
    // The frame around marker `index` when it is shown, else no frame.
    void Hlight(int index);

    void startMarkerDrag(int index, double x, double y);
    // A step of the drag under way that could not be stored ends the drag and shows one error
    // box: the box takes the pointer, so the drag's own release would never come.
    void dragFailed(int subroutine, const std::vector<std::string> &errors);
    bool markerDragging() const { return m_dragged >= 0; }
    // The pointer inside the dragged marker when it was pressed, in twips.
    QPoint grab() const { return { m_grabX, m_grabY }; }
    void setDragIcon(const QString &name);
    void markerDragMove(const QPoint &globalPos);
    void markerDrop(const QPoint &globalPos);
    void markerDragEnd(); // the drag over without a drop

private:
    MarkerOwner *owner() const;
    void stopMarkerDrag();
    void scr_DragOver(ctl::ImageBox *source, const ModeHost::Hit &hit);
    void scrscroll_DragOver(ctl::ImageBox *source, double x);
    void scrvscroll_DragOver(ctl::ImageBox *source, double y);
    void Form_DragOver();
    void showJump(int left, int top, int screen);

    RomDocument &romDoc;
    const StageTables &t;
    ModeHost &host;
    MarkerOwner *m_powerUps = nullptr;
    MarkerOwner *m_misc = nullptr;
    std::array<ctl::ImageBox *, 64> m_PosPu {};
    SelFrame *m_rectSelSt = nullptr;
    QLabel *m_lbjump = nullptr;
    int m_dragged = -1; // the marker being dragged, -1 when none
    int m_grabX = 0;
    int m_grabY = 0;
    QString m_dragIcon; // "EMPTY" or "PAINT" while a marker is dragged
};
