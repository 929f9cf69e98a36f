#include "app/frmRI3.h"
#include "objects/MarkerLayer.h"
#include "objects/PanelControls.h"
#include "objects/PowerUpPanel.h"
#include "special/MiscPanel.h"
#include "ui/Controls.h"
#include "view/BlockSelector.h"
#include "view/LevelView.h"

#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

ModeHost::Bar barOf(const ctl::ScrollBar *b)
{
    return { b->value(), b->maximum(), b->isEnabled(),
        QRect(twips::left(b), twips::top(b), b->width() * 15, b->height() * 15) };
}

} // namespace

ModeHost::Mode frmRI3::mode() const
{
    if (optSt->isChecked())
        return Mode::Misc;
    if (optPu->isChecked())
        return Mode::PowerUps;
    return Mode::Background;
}

ModeHost::Bar frmRI3::hBar() const
{
    return barOf(m_view->hBar());
}

ModeHost::Bar frmRI3::vBar() const
{
    return barOf(m_view->vBar());
}

void frmRI3::setHBar(int value)
{
    m_view->hBar()->setValue(value);
}

void frmRI3::setVBar(int value)
{
    m_view->vBar()->setValue(value);
}

// The cells come first: a marker lying over a cell does not hide it from the drag.
ModeHost::Hit frmRI3::hitAt(const QPoint &globalPos) const
{
    QWidget *client = centralWidget();
    const QPoint p = client->mapFromGlobal(globalPos);
    const auto hit = [&](Hit::Kind kind, const QWidget *w, int cell = -1) {
        return Hit { kind, cell, QPointF(p.x() * 15.0, p.y() * 15.0),
            QPointF((p.x() - w->x()) * 15.0, (p.y() - w->y()) * 15.0) };
    };
    const int k = m_view->cellAt(p);
    if (k >= 0)
        return hit(Hit::Cell, m_view->cell(k), k);
    if (m_view->hBar()->geometry().contains(p))
        return hit(Hit::HBar, m_view->hBar());
    if (m_view->vBar()->geometry().contains(p))
        return hit(Hit::VBar, m_view->vBar());
    const ctl::ImageBox *imgSel = m_selector->preview();
    if (imgSel->isVisible() && imgSel->geometry().contains(p))
        return hit(Hit::Choice, imgSel);
    if (!client->childAt(p))
        return hit(Hit::Client, client);
    return hit(Hit::Other, client);
}

ModeHost::ReadOuts frmRI3::readOuts() const
{
    return { txtOffset, txtVal, txtPatterns, txtPat1, txtPat2 };
}

ctl::ImageBox *frmRI3::choice() const
{
    return m_selector->preview();
}

void frmRI3::showSpriteButtons(bool on)
{
    cmdEPal->setVisible(on);
    cmdEPat->setVisible(on);
}

bool frmRI3::objectEdit(const std::function<void(StageTables &)> &change)
{
    if (!doc.editRecords(g.curStage, g.curSection, change))
        return false;
    Modif();
    return true;
}

bool frmRI3::markerDragging() const
{
    return m_markers->markerDragging();
}
