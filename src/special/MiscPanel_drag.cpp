#include "model/RomDocument.h"
#include "model/objects/MiscDrag.h"
#include "model/objects/ObjectEdit.h"
#include "objects/PanelControls.h"
#include "special/MiscPanel.h"
#include "stage/StageTables.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"

#include <QPixmap>

namespace {

constexpr int subDragOver = 109;
constexpr int subHDrop = 146;
constexpr int subVDrop = 150;

} // namespace

// The start point follows the pointer at once and faces the way its record says.
special::Moved MiscPanel::dragStartPoint(StageTables &edit, ctl::ImageBox *source, int tx, int ty,
    const special::ScrollState &st, dragmath::Errors &errors)
{
    const auto si = static_cast<size_t>(romDoc.shown().curStage);
    const auto ni = static_cast<size_t>(romDoc.shown().curSection);
    startRec &rec = edit.startTbl[si][ni];
    special::Moved m = special::dragStart(rec, t.vertFlag[si][ni] != 0, romDoc.shown().curStage,
        t.layoutLen[si][ni], tx, ty, twips::left(source), twips::top(source), st, errors);
    if (m.moved)
        twips::move(source, m.left, m.top);
    m.moved = false;
    msg::step(romDoc, subDragOver,
        [&] { source->setPicture(datPicture(rec.nibHi < 8 ? "trevor.dat" : "rovert.dat")); });
    return m;
}

// The selected special object follows the pointer; its frame follows the marker at once.
special::Moved MiscPanel::dragSpecialObject(StageTables &edit, ctl::ImageBox *source, int tx,
    int ty, const special::ScrollState &st, dragmath::Errors &errors)
{
    const auto si = static_cast<size_t>(romDoc.shown().curStage);
    const auto ni = static_cast<size_t>(romDoc.shown().curSection);
    special::Moved m = special::dragSpecial(edit.specialTbl[si][ni][static_cast<size_t>(selSt)],
        t.vertFlag[si][ni] != 0, tx, ty, twips::left(source), twips::top(source), st,
        romDoc.tables().stOffX, romDoc.tables().stOffY, errors);
    if (m.moved) {
        twips::move(source, m.left, m.top);
        Hlight();
    }
    m.moved = false;
    return m;
}

// Miscellaneous mode: the record of the dragged marker follows it.
void MiscPanel::dragMiscMarker(StageTables &edit, ctl::ImageBox *source, int tx, int ty)
{
    const auto si = static_cast<size_t>(romDoc.shown().curStage);
    const auto ni = static_cast<size_t>(romDoc.shown().curSection);
    const int src = source->index();
    const int left = twips::left(source);
    const int top = twips::top(source);
    dragmath::Errors errors;
    const special::ScrollState st { host.hBar().value, host.hBar().maximum, host.vBar().value,
        host.vBar().maximum, t.layoutLen[si][ni] / (t.vertFlag[si][ni] != 0 ? 64 : 48) };
    special::Moved m;
    if (src <= 30)
        m = special::dragStair(edit.stairTbl[si][ni][static_cast<size_t>(src)],
            t.vertFlag[si][ni] != 0, tx, ty, left, top, st, errors);
    else if (src == 63)
        m = dragStartPoint(edit, source, tx, ty, st, errors);
    else if (src == 61 || src == 62)
        m = special::dragDoor(
            src == 62 ? edit.door1[si][ni] : edit.door2[si][ni], ty, left, top, errors);
    else if (src <= 60)
        m = dragSpecialObject(edit, source, tx, ty, st, errors);
    if (m.moved)
        twips::move(source, m.left, m.top);
    markers.dragFailed(subDragOver, errors);
}

void MiscPanel::dragOver(ctl::ImageBox *source, int tx, int ty)
{
    edit([&](StageTables &edit) { dragMiscMarker(edit, source, tx, ty); });
}

void MiscPanel::scrscroll_DragDrop(ctl::ImageBox *source, double x)
{
    const ModeHost::Bar bar = host.hBar();
    if (!bar.enabled || host.mode() != ModeHost::Mode::Misc)
        return;
    const auto si = static_cast<size_t>(romDoc.shown().curStage);
    const auto ni = static_cast<size_t>(romDoc.shown().curSection);
    edit([&](StageTables &edit) {
        msg::step(romDoc, subHDrop, [&] {
            const int screen = objects::barScreen(x, bar.twips.width(), t.layoutLen[si][ni], 48);
            const int idx = source->index();
            if (idx <= 30)
                special::dropStairH(edit.stairTbl[si][ni][static_cast<size_t>(idx)], screen);
            else if (idx == 63)
                special::dropStart(edit.startTbl[si][ni], screen);
            else if (idx <= 60)
                special::dropSpecial(edit.specialTbl[si][ni][static_cast<size_t>(selSt)], screen);
        });
    });
    processSt();
}

void MiscPanel::scrvscroll_DragDrop(ctl::ImageBox *source, double y)
{
    const auto si = static_cast<size_t>(romDoc.shown().curStage);
    const auto ni = static_cast<size_t>(romDoc.shown().curSection);
    const int idx = source->index();
    if (t.vertFlag[si][ni] != -1 || host.mode() != ModeHost::Mode::Misc || idx == 63)
        return;
    int screen = 0;
    msg::step(romDoc, subVDrop, [&] {
        screen = objects::barScreen(y, host.vBar().twips.height(), t.layoutLen[si][ni], 64);
    });
    edit([&](StageTables &edit) {
        msg::step(romDoc, subVDrop, [&] {
            if (idx <= 30)
                special::dropStairV(edit.stairTbl[si][ni][static_cast<size_t>(idx)], screen);
            else if (idx <= 60)
                special::dropSpecial(edit.specialTbl[si][ni][static_cast<size_t>(selSt)], screen);
        });
    });
    processSt();
}
