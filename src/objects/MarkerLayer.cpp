#include "objects/MarkerLayer.h"

#include "model/RomDocument.h"
#include "model/objects/ObjectEdit.h"
#include "objects/PanelControls.h"
#include "resources/Icons.h"
#include "rom/Numbers.h"
#include "rom/VbError.h"
#include "stage/StageTables.h"
#include "ui/Controls.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"

#include <QApplication>
#include <QLabel>

namespace {

constexpr int subHlight = 108;
constexpr int subDragOver = 109;
constexpr int subFormDragOver = 115;
constexpr int subMarkerDown = 138;
constexpr int subHDragOver = 147;
constexpr int subVDragOver = 151;

} // namespace

MarkerLayer::MarkerLayer(RomDocument &romDoc, const StageTables &t, ModeHost &host, QWidget *client)
    : romDoc(romDoc), t(t), host(host)
{
    m_rectSelSt = new SelFrame(client, "rectSelSt");
    look::place(m_rectSelSt, 0, 0, 525, 525);
    m_rectSelSt->setVisible(false);
    for (int k = 0; k < 64; ++k) {
        auto *m = new ctl::ImageBox(client, "PosPu", k);
        look::place(m, 0, 0, 480, 480);
        m->setAttribute(Qt::WA_NoMousePropagation);
        m->setVisible(false);
        m->onMouseDown
            = [this](int k, int b, double x, double y) { owner()->PosPu_MouseDown(k, b, x, y); };
        m->onMouseMove = [this](int k, int, double, double) {
            if (!markerDragging() && this->host.mode() != ModeHost::Mode::Background)
                owner()->PosPu_MouseMove(k);
        };
        m_PosPu[static_cast<size_t>(k)] = m;
    }
    m_lbjump = new QLabel(client);
    m_lbjump->setObjectName("lbjump");
    look::place(m_lbjump, 0, 6120, 480, 255);
    m_lbjump->setStyleSheet("background: black;");
    m_lbjump->setVisible(false);
}

void MarkerLayer::setOwners(MarkerOwner *powerUps, MarkerOwner *misc)
{
    m_powerUps = powerUps;
    m_misc = misc;
}

MarkerOwner *MarkerLayer::owner() const
{
    return host.mode() == ModeHost::Mode::Misc ? m_misc : m_powerUps;
}

void MarkerLayer::hideAll()
{
    for (ctl::ImageBox *m : m_PosPu)
        m->setVisible(false);
}

void MarkerLayer::Hlight(int index)
{
    msg::step(romDoc, subHlight, [&] {
        m_rectSelSt->setBorderColor(QColor(255, 255, 0));
        if (index < 0 || index > 63)
            throw VbError("Subscript out of range");
        ctl::ImageBox *m = m_PosPu[static_cast<size_t>(index)];
        if (m->isHidden()) {
            m_rectSelSt->setVisible(false);
            return;
        }
        m_rectSelSt->setVisible(true);
        twips::move(m_rectSelSt, twips::left(m) - 15, twips::top(m) - 15);
        m_rectSelSt->raise();
        m_rectSelSt->stackUnder(m);
    });
}

void MarkerLayer::startMarkerDrag(int index, double x, double y)
{
    msg::step(romDoc, subMarkerDown, [&] {
        m_grabX = num::toInt16(num::roundEven(x));
        m_grabY = num::toInt16(num::roundEven(y));
    });
    if (m_dragged < 0)
        QApplication::setOverrideCursor(res::dragCursor("EMPTY"));
    m_dragged = index;
    setDragIcon("EMPTY");
}

void MarkerLayer::dragFailed(int subroutine, const std::vector<std::string> &errors)
{
    if (errors.empty())
        return;
    markerDragEnd();
    msg::errBox(subroutine, errors.front());
}

void MarkerLayer::setDragIcon(const QString &name)
{
    if (m_dragIcon == name && m_dragged >= 0)
        return;
    m_dragIcon = name;
    if (m_dragged >= 0)
        QApplication::changeOverrideCursor(res::dragCursor(name));
}

void MarkerLayer::markerDragMove(const QPoint &globalPos)
{
    if (m_dragged < 0)
        return;
    ctl::ImageBox *source = m_PosPu[static_cast<size_t>(m_dragged)];
    const ModeHost::Hit hit = host.hitAt(globalPos);
    switch (hit.kind) {
    case ModeHost::Hit::Cell:
        scr_DragOver(source, hit);
        break;
    case ModeHost::Hit::HBar:
        scrscroll_DragOver(source, hit.inside.x());
        break;
    case ModeHost::Hit::VBar:
        scrvscroll_DragOver(source, hit.inside.y());
        break;
    case ModeHost::Hit::Choice:
        owner()->unDrag();
        break;
    case ModeHost::Hit::Client:
        Form_DragOver();
        break;
    case ModeHost::Hit::Other:
        break;
    }
}

// The release ends the drag: a drop on a bar moves the object to another screen; anywhere else
// the records already follow the marker and the mode only lays its markers again.
void MarkerLayer::markerDrop(const QPoint &globalPos)
{
    if (m_dragged < 0)
        return;
    ctl::ImageBox *source = m_PosPu[static_cast<size_t>(m_dragged)];
    stopMarkerDrag();
    const ModeHost::Hit hit = host.hitAt(globalPos);
    if (hit.kind == ModeHost::Hit::HBar)
        owner()->scrscroll_DragDrop(source, hit.inside.x());
    else if (hit.kind == ModeHost::Hit::VBar)
        owner()->scrvscroll_DragDrop(source, hit.inside.y());
    else
        owner()->unDrag();
}

void MarkerLayer::stopMarkerDrag()
{
    m_dragged = -1;
    QApplication::restoreOverrideCursor();
    m_lbjump->setVisible(false);
}

void MarkerLayer::markerDragEnd()
{
    if (m_dragged < 0)
        return;
    stopMarkerDrag();
    owner()->unDrag();
}

void MarkerLayer::Form_DragOver()
{
    msg::step(romDoc, subFormDragOver, [&] { setDragIcon("PAINT"); });
}

// Over a cell the marker's corner goes where the pointer is, less where it was grabbed. In the
// Background mode no marker is shown, so none is dragged there.
void MarkerLayer::scr_DragOver(ctl::ImageBox *source, const ModeHost::Hit &hit)
{
    if (host.mode() == ModeHost::Mode::Background)
        return;
    setDragIcon("EMPTY");
    int tx = 0;
    int ty = 0;
    if (!msg::step(romDoc, subDragOver, [&] {
            tx = num::toInt16(num::roundEven(hit.at.x() - m_grabX));
            ty = num::toInt16(num::roundEven(hit.at.y() - m_grabY));
        }))
        return;
    owner()->dragOver(source, tx, ty);
}

void MarkerLayer::showJump(int left, int top, int screen)
{
    twips::move(m_lbjump, left, top);
    m_lbjump->setText(QString::number(screen, 16).toUpper());
    m_lbjump->setVisible(true);
    m_lbjump->raise();
}

// Over the horizontal bar the Miscellaneous mode shows the screen a drop would move to; doors
// stay in their screen.
void MarkerLayer::scrscroll_DragOver(ctl::ImageBox *source, double x)
{
    msg::step(romDoc, subHDragOver, [&] {
        const ModeHost::Bar bar = host.hBar();
        const int idx = source->index();
        const bool door = idx == 61 || idx == 62;
        const double w = bar.twips.width();
        if (bar.enabled && host.mode() == ModeHost::Mode::Misc && !door) {
            setDragIcon("EMPTY");
            if (x > 200 && w - x > 200) {
                const int len = t.layoutLen[static_cast<size_t>(romDoc.shown().curStage)]
                                           [static_cast<size_t>(romDoc.shown().curSection)];
                showJump(static_cast<int>(num::roundEven(bar.twips.left() + x - m_grabX)), 6120,
                    objects::barScreen(x, w, len, 48));
            }
        }
        if (door || !bar.enabled)
            setDragIcon("PAINT");
    });
}

void MarkerLayer::scrvscroll_DragOver(ctl::ImageBox *source, double y)
{
    msg::step(romDoc, subVDragOver, [&] {
        const auto si = static_cast<size_t>(romDoc.shown().curStage);
        const auto ni = static_cast<size_t>(romDoc.shown().curSection);
        const ModeHost::Bar bar = host.vBar();
        const double h = bar.twips.height();
        if (t.vertFlag[si][ni] == -1 && host.mode() != ModeHost::Mode::Background) {
            setDragIcon("EMPTY");
            if (source->index() != 63 && y > 200 && h - y > 200)
                showJump(8040, static_cast<int>(num::roundEven(bar.twips.top() + y - m_grabY)),
                    objects::barScreen(y, h, t.layoutLen[si][ni], 64));
        }
        if (!bar.enabled)
            setDragIcon("PAINT");
    });
}
