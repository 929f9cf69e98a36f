#include "ui/PanelLayer.h"

#include <QChildEvent>
#include <QEvent>
#include <QRegion>

PanelLayer::PanelLayer(QWidget *client, const QString &name) : QWidget(client)
{
    setObjectName(name);
    setGeometry(client->rect());
    client->installEventFilter(this);
    fitMask();
}

void PanelLayer::childEvent(QChildEvent *e)
{
    if (e->added() && e->child()->isWidgetType())
        e->child()->installEventFilter(this);
    QWidget::childEvent(e);
    if (e->removed())
        fitMask();
}

bool PanelLayer::eventFilter(QObject *o, QEvent *e)
{
    if (o == parent()) {
        if (e->type() == QEvent::Resize)
            setGeometry(parentWidget()->rect());
        return false;
    }
    switch (e->type()) {
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::Move:
    case QEvent::Resize:
        fitMask();
        break;
    default:
        break;
    }
    return false;
}

// The shown controls' rectangles; with none shown, a point outside the layer, as an empty
// region would lift the mask altogether. Showing a layer moves and resizes each of its controls
// in turn without changing any: the same rectangles keep the mask as it is.
void PanelLayer::fitMask()
{
    std::vector<QRect> shown;
    shown.reserve(m_shown.size());
    for (QObject *c : children())
        if (c->isWidgetType() && !static_cast<QWidget *>(c)->isHidden())
            shown.push_back(static_cast<QWidget *>(c)->geometry());
    if (m_masked && shown == m_shown)
        return;
    QRegion region;
    for (const QRect &r : shown)
        region += r;
    setMask(region.isEmpty() ? QRegion(-1, -1, 1, 1) : region);
    m_shown = std::move(shown);
    m_masked = true;
}
