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
// region would lift the mask altogether.
void PanelLayer::fitMask()
{
    QRegion shown;
    for (QObject *c : children())
        if (c->isWidgetType() && !static_cast<QWidget *>(c)->isHidden())
            shown += static_cast<QWidget *>(c)->geometry();
    setMask(shown.isEmpty() ? QRegion(-1, -1, 1, 1) : shown);
}
