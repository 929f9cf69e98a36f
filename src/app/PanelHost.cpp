#include "app/PanelHost.h"
#include "model/RomDocument.h"
#include "objects/PanelControls.h"
#include "stage/Document.h"
#include "ui/Controls.h"
#include "view/BlockSelector.h"
#include "view/LevelView.h"

#include <QRadioButton>

namespace {

ModeHost::Bar barOf(const ctl::ScrollBar *b)
{
    return { b->value(), b->maximum(), b->isEnabled(),
        QRect(twips::left(b), twips::top(b), b->width() * 15, b->height() * 15) };
}

} // namespace

ModeHost::Mode PanelHost::mode() const
{
    if (p.optSt->isChecked())
        return Mode::Misc;
    if (p.optPu->isChecked())
        return Mode::PowerUps;
    return Mode::Background;
}

ModeHost::Bar PanelHost::hBar() const
{
    return barOf(p.view.hBar());
}

ModeHost::Bar PanelHost::vBar() const
{
    return barOf(p.view.vBar());
}

void PanelHost::setHBar(int value)
{
    p.view.hBar()->setValue(value);
}

void PanelHost::setVBar(int value)
{
    p.view.vBar()->setValue(value);
}

// The cells come first: a marker lying over a cell does not hide it from the drag.
ModeHost::Hit PanelHost::hitAt(const QPoint &globalPos) const
{
    QWidget *client = p.client;
    const LevelView &view = p.view;
    const QPoint at = client->mapFromGlobal(globalPos);
    const auto hit = [&](Hit::Kind kind, const QWidget *w, int cell = -1) {
        return Hit { kind, cell, QPointF(at.x() * 15.0, at.y() * 15.0),
            QPointF((at.x() - w->x()) * 15.0, (at.y() - w->y()) * 15.0) };
    };
    const int k = view.cellAt(at);
    if (k >= 0)
        return hit(Hit::Cell, view.cell(k), k);
    if (view.hBar()->geometry().contains(at))
        return hit(Hit::HBar, view.hBar());
    if (view.vBar()->geometry().contains(at))
        return hit(Hit::VBar, view.vBar());
    const ctl::ImageBox *imgSel = p.selector.preview();
    if (imgSel->isVisible() && imgSel->geometry().contains(at))
        return hit(Hit::Choice, imgSel);
    if (!client->childAt(at))
        return hit(Hit::Client, client);
    return hit(Hit::Other, client);
}

ctl::ImageBox *PanelHost::choice() const
{
    return p.selector.preview();
}

void PanelHost::showSpriteButtons(bool on)
{
    p.cmdEPal->setVisible(on);
    p.cmdEPat->setVisible(on);
}

bool PanelHost::objectEdit(const std::function<void(StageTables &)> &change)
{
    if (!p.romDoc.stages().editRecords(
            p.romDoc.shown().curStage, p.romDoc.shown().curSection, change))
        return false;
    p.modified();
    return true;
}
