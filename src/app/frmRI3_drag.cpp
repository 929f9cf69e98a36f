#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "app/frmRI3.h"
#include "app/frmRI3_puControls.h"
#include "objects/ObjectEdit.h"
#include "resources/Icons.h"
#include "special/MiscDrag.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>

namespace {

constexpr int subDragOver = 109;
constexpr int subFormDragOver = 115;
constexpr int subHDrop = 146;
constexpr int subHDragOver = 147;
constexpr int subVDrop = 150;
constexpr int subVDragOver = 151;

// The pointer inside a widget of the client area, in twips.
QPointF inside(const QWidget *w, const QPoint &clientPos)
{
    return QPointF((clientPos.x() - w->x()) * 15.0, (clientPos.y() - w->y()) * 15.0);
}

void showErrors(const Shared &g, int subroutine, const dragmath::Errors &errors)
{
    for (const std::string &e : errors)
        msg::errBox(g, subroutine, e);
}

} // namespace

// The drag start shared by both modes: only while the type box is at rest.
void frmRI3::startMarkerDrag(int index, double x, double y)
{
    if (!cmbSt->Tag.isEmpty())
        return;
    chkInverseTag.clear();
    msg::step(g, 138, [&] {
        grabX = num::toInt16(num::roundEven(x));
        grabY = num::toInt16(num::roundEven(y));
    });
    if (m_markerDrag < 0)
        QApplication::setOverrideCursor(res::dragCursor("EMPTY"));
    m_markerDrag = index;
    setDragIcon("EMPTY");
}

void frmRI3::setDragIcon(const QString &name)
{
    if (dragIcon == name && m_markerDrag >= 0)
        return;
    dragIcon = name;
    if (m_markerDrag >= 0)
        QApplication::changeOverrideCursor(res::dragCursor(name));
}

void frmRI3::markerDragMove(const QPoint &globalPos)
{
    if (m_markerDrag < 0)
        return;
    QWidget *client = centralWidget();
    const QPoint p = client->mapFromGlobal(globalPos);
    ctl::ImageBox *source = PosPu[static_cast<size_t>(m_markerDrag)];
    for (int k = 0; k < 48; ++k) {
        ctl::ImageBox *cell = scr[static_cast<size_t>(k)];
        if (cell->geometry().contains(p)) {
            const QPointF in = inside(cell, p);
            scr_DragOver(k, source, in.x(), in.y());
            return;
        }
    }
    if (scrscroll->geometry().contains(p)) {
        const QPointF in = inside(scrscroll, p);
        scrscroll_DragOver(source, in.x(), in.y());
    } else if (scrvscroll->geometry().contains(p)) {
        const QPointF in = inside(scrvscroll, p);
        scrvscroll_DragOver(source, in.x(), in.y());
    } else if (imgSel->isVisible() && imgSel->geometry().contains(p)) {
        unDrag();
    } else if (!client->childAt(p)) {
        Form_DragOver(source);
    }
}

// The release ends the drag: a drop on a bar moves the object to another screen; anywhere else
// the records already follow the marker and the mode only lays its markers again.
void frmRI3::markerDrop(const QPoint &globalPos)
{
    if (m_markerDrag < 0)
        return;
    ctl::ImageBox *source = PosPu[static_cast<size_t>(m_markerDrag)];
    stopMarkerDrag();
    const QPoint p = centralWidget()->mapFromGlobal(globalPos);
    if (scrscroll->geometry().contains(p)) {
        const QPointF in = inside(scrscroll, p);
        scrscroll_DragDrop(source, in.x(), in.y());
    } else if (scrvscroll->geometry().contains(p)) {
        const QPointF in = inside(scrvscroll, p);
        scrvscroll_DragDrop(source, in.x(), in.y());
    } else {
        unDrag();
    }
}

void frmRI3::stopMarkerDrag()
{
    m_markerDrag = -1;
    QApplication::restoreOverrideCursor();
    lbjump->setVisible(false);
}

void frmRI3::markerDragEnd()
{
    if (m_markerDrag < 0)
        return;
    stopMarkerDrag();
    unDrag();
}

void frmRI3::unDrag()
{
    if (optPu->isChecked()
        && t.vertFlag[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)] == -1) {
        detPu();
        optPuTag.clear();
    }
}

void frmRI3::Form_DragOver(ctl::ImageBox *)
{
    msg::step(g, subFormDragOver, [&] { setDragIcon("PAINT"); });
}

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
    showErrors(g, subDragOver, errors);
}

// Power-Ups and Enemies mode: the object of the dragged marker follows it; the marker (and an
// enemy's code label) moves, takes the object's size and picture, and the frame follows.
static void dragObjectMarker(frmRI3 &w, ctl::ImageBox *source, int tx, int ty)
{
    const Shared &g = w.shared();
    const int src = source->index();
    dragmath::Errors errors;
    objRec &rec = w.tables().enemyTbl[static_cast<size_t>(g.curStage)][static_cast<size_t>(
        g.curSection)][static_cast<size_t>(src & 31)];
    const objects::ObjDrag d = objects::dragObject(rec, tx, ty, twips::left(source),
        twips::top(source), w.scrvscroll->value(), g.enOffY, w.release(), errors);
    if (d.moved) {
        twips::move(source, d.left, d.top);
        if (rec[3] < 0x80) {
            ModeLabel *label = w.lblEn[static_cast<size_t>(src & 31)];
            twips::move(label, d.left + objects::labelShift, d.top + objects::labelShift);
            label->raise();
        }
    }
    if (d.width)
        twips::resize(source, d.width, source->height() * 15);
    if (d.height)
        twips::resize(source, source->width() * 15, d.height);
    if (!d.picture.empty())
        msg::step(g, subDragOver, [&] { source->setPicture(w.datPicture(d.picture)); });
    if (d.enemy)
        w.Hlight();
    else
        w.rectSelSt->setVisible(false);
    showErrors(g, subDragOver, errors);
}

void frmRI3::scr_DragOver(int index, ctl::ImageBox *source, double x, double y)
{
    if (!optSt->isChecked() && optBg->isChecked()) {
        scr_DragOver(index);
        return;
    }
    if (!optSt->isChecked() && !optPu->isChecked())
        return;
    setDragIcon("EMPTY");
    ctl::ImageBox *cell = scr[static_cast<size_t>(index)];
    int tx = 0;
    int ty = 0;
    if (!msg::step(g, subDragOver, [&] {
            tx = num::toInt16(num::roundEven(twips::left(cell) + x - grabX));
            ty = num::toInt16(num::roundEven(twips::top(cell) + y - grabY));
        }))
        return;
    const ObjSnapshot before = objSnapshot();
    if (optSt->isChecked())
        dragMiscMarker(*this, source, tx, ty);
    else
        dragObjectMarker(*this, source, tx, ty);
    modifIfChanged(before);
}

void frmRI3::scrscroll_DragOver(ctl::ImageBox *source, double x, double)
{
    msg::step(g, subHDragOver, [&] {
        const int idx = source->index();
        const bool door = idx == 61 || idx == 62;
        const double w = scrscroll->width() * 15.0;
        if (scrscroll->isEnabled() && optSt->isChecked() && !door) {
            setDragIcon("EMPTY");
            if (x > 200 && w - x > 200) {
                const auto si = static_cast<size_t>(g.curStage);
                const auto ni = static_cast<size_t>(g.curSection);
                const int screen = objects::barScreen(x, w, t.layoutLen[si][ni], 48);
                twips::move(lbjump,
                    static_cast<int>(num::roundEven(twips::left(scrscroll) + x - grabX)), 6120);
                lbjump->setText(QString::number(screen, 16).toUpper());
                lbjump->setVisible(true);
                lbjump->raise();
            }
        }
        if (door || !scrscroll->isEnabled())
            setDragIcon("PAINT");
    });
}

void frmRI3::scrvscroll_DragOver(ctl::ImageBox *source, double, double y)
{
    msg::step(g, subVDragOver, [&] {
        const auto si = static_cast<size_t>(g.curStage);
        const auto ni = static_cast<size_t>(g.curSection);
        const double h = scrvscroll->height() * 15.0;
        if (t.vertFlag[si][ni] == -1 && (optSt->isChecked() || optPu->isChecked())) {
            setDragIcon("EMPTY");
            if (source->index() != 63 && y > 200 && h - y > 200) {
                const int screen = objects::barScreen(y, h, t.layoutLen[si][ni], 64);
                twips::move(lbjump, 8040,
                    static_cast<int>(num::roundEven(twips::top(scrvscroll) + y - grabY)));
                lbjump->setText(QString::number(screen, 16).toUpper());
                lbjump->setVisible(true);
                lbjump->raise();
            }
        }
        if (!scrvscroll->isEnabled())
            setDragIcon("PAINT");
    });
}

void frmRI3::scrscroll_DragDrop(ctl::ImageBox *source, double x, double)
{
    if (!scrscroll->isEnabled() || !optSt->isChecked())
        return;
    const auto si = static_cast<size_t>(g.curStage);
    const auto ni = static_cast<size_t>(g.curSection);
    const ObjSnapshot before = objSnapshot();
    msg::step(g, subHDrop, [&] {
        const int screen
            = objects::barScreen(x, scrscroll->width() * 15.0, t.layoutLen[si][ni], 48);
        const int idx = source->index();
        if (idx <= 30)
            special::dropStairH(t.stairTbl[si][ni][static_cast<size_t>(idx)], screen);
        else if (idx == 63)
            special::dropStart(t.startTbl[si][ni], screen);
        else if (idx <= 60)
            special::dropSpecial(t.specialTbl[si][ni][static_cast<size_t>(selSt)], screen);
    });
    modifIfChanged(before);
    processSt();
}

void frmRI3::scrvscroll_DragDrop(ctl::ImageBox *source, double, double y)
{
    const auto si = static_cast<size_t>(g.curStage);
    const auto ni = static_cast<size_t>(g.curSection);
    if (t.vertFlag[si][ni] != -1)
        return;
    const int idx = source->index();
    const ObjSnapshot before = objSnapshot();
    int screen = 0;
    msg::step(g, subVDrop, [&] {
        screen = objects::barScreen(y, scrvscroll->height() * 15.0, t.layoutLen[si][ni], 64);
    });
    if (optSt->isChecked() && idx != 63) {
        msg::step(g, subVDrop, [&] {
            if (idx <= 30)
                special::dropStairV(t.stairTbl[si][ni][static_cast<size_t>(idx)], screen);
            else if (idx <= 60)
                special::dropSpecial(t.specialTbl[si][ni][static_cast<size_t>(selSt)], screen);
        });
        modifIfChanged(before);
        processSt();
    } else if (optPu->isChecked()) {
        objects::dropObject(t.enemyTbl[si][ni][static_cast<size_t>(idx & 31)], screen);
        modifIfChanged(before);
        detPu();
    }
}
