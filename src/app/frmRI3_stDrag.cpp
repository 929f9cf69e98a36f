#include "app/frmRI3.h"
#include "objects/ObjectEdit.h"
#include "objects/PanelControls.h"
#include "special/MiscDrag.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"

#include <QPixmap>

namespace {

constexpr int subDragOver = 109;
constexpr int subHDrop = 146;
constexpr int subVDrop = 150;

} // namespace

// The start point follows the pointer at once and faces the way its record says.
static special::Moved dragStartPoint(frmRI3 &w, ctl::ImageBox *source, int tx, int ty,
    const special::ScrollState &st, dragmath::Errors &errors)
{
    Shared &g = w.shared();
    StageTables &t = w.tables();
    const auto si = static_cast<size_t>(g.curStage);
    const auto ni = static_cast<size_t>(g.curSection);
    startRec &rec = t.startTbl[si][ni];
    special::Moved m = special::dragStart(rec, t.vertFlag[si][ni] != 0, g.curStage,
        t.layoutLen[si][ni], tx, ty, twips::left(source), twips::top(source), st, errors);
    if (m.moved)
        twips::move(source, m.left, m.top);
    m.moved = false;
    msg::step(g, subDragOver,
        [&] { source->setPicture(w.datPicture(rec.nibHi < 8 ? "trevor.dat" : "rovert.dat")); });
    return m;
}

// The selected special object follows the pointer; its frame follows the marker at once.
static special::Moved dragSpecialObject(frmRI3 &w, ctl::ImageBox *source, int tx, int ty,
    const special::ScrollState &st, dragmath::Errors &errors)
{
    const Shared &g = w.shared();
    StageTables &t = w.tables();
    const auto si = static_cast<size_t>(g.curStage);
    const auto ni = static_cast<size_t>(g.curSection);
    special::Moved m = special::dragSpecial(t.specialTbl[si][ni][static_cast<size_t>(w.selSt)],
        t.vertFlag[si][ni] != 0, tx, ty, twips::left(source), twips::top(source), st, g.stOffX,
        g.stOffY, errors);
    if (m.moved) {
        twips::move(source, m.left, m.top);
        w.Hlight();
    }
    m.moved = false;
    return m;
}

// Miscellaneous mode: the record of the dragged marker follows it.
static void dragMiscMarker(frmRI3 &w, ctl::ImageBox *source, int tx, int ty)
{
    Shared &g = w.shared();
    StageTables &t = w.tables();
    const auto si = static_cast<size_t>(g.curStage);
    const auto ni = static_cast<size_t>(g.curSection);
    const int src = source->index();
    const int left = twips::left(source);
    const int top = twips::top(source);
    dragmath::Errors errors;
    const special::ScrollState st { w.scrscroll->value(), w.scrscroll->maximum(),
        w.scrvscroll->value(), w.scrvscroll->maximum(),
        t.layoutLen[si][ni] / (t.vertFlag[si][ni] != 0 ? 64 : 48) };
    special::Moved m;
    if (src <= 30)
        m = special::dragStair(t.stairTbl[si][ni][static_cast<size_t>(src)],
            t.vertFlag[si][ni] != 0, tx, ty, left, top, st, errors);
    else if (src == 63)
        m = dragStartPoint(w, source, tx, ty, st, errors);
    else if (src == 61 || src == 62)
        m = special::dragDoor(src == 62 ? t.door1[si][ni] : t.door2[si][ni], ty, left, top, errors);
    else if (src <= 60)
        m = dragSpecialObject(w, source, tx, ty, st, errors);
    if (m.moved)
        twips::move(source, m.left, m.top);
    objects::showErrors(g, subDragOver, errors);
}

void frmRI3::dragOver(ctl::ImageBox *source, int tx, int ty)
{
    objectEdit([&] { dragMiscMarker(*this, source, tx, ty); });
}

void frmRI3::scrscroll_DragDrop(ctl::ImageBox *source, double x)
{
    const ModeHost::Bar bar = hBar();
    if (!bar.enabled || mode() != Mode::Misc)
        return;
    const auto si = static_cast<size_t>(g.curStage);
    const auto ni = static_cast<size_t>(g.curSection);
    objectEdit([&] {
        msg::step(g, subHDrop, [&] {
            const int screen = objects::barScreen(x, bar.twips.width(), t.layoutLen[si][ni], 48);
            const int idx = source->index();
            if (idx <= 30)
                special::dropStairH(t.stairTbl[si][ni][static_cast<size_t>(idx)], screen);
            else if (idx == 63)
                special::dropStart(t.startTbl[si][ni], screen);
            else if (idx <= 60)
                special::dropSpecial(t.specialTbl[si][ni][static_cast<size_t>(selSt)], screen);
        });
    });
    processSt();
}

void frmRI3::scrvscroll_DragDrop(ctl::ImageBox *source, double y)
{
    const auto si = static_cast<size_t>(g.curStage);
    const auto ni = static_cast<size_t>(g.curSection);
    const int idx = source->index();
    if (t.vertFlag[si][ni] != -1 || mode() != Mode::Misc || idx == 63)
        return;
    int screen = 0;
    msg::step(g, subVDrop,
        [&] { screen = objects::barScreen(y, vBar().twips.height(), t.layoutLen[si][ni], 64); });
    objectEdit([&] {
        msg::step(g, subVDrop, [&] {
            if (idx <= 30)
                special::dropStairV(t.stairTbl[si][ni][static_cast<size_t>(idx)], screen);
            else if (idx <= 60)
                special::dropSpecial(t.specialTbl[si][ni][static_cast<size_t>(selSt)], screen);
        });
    });
    processSt();
}
