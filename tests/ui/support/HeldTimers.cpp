#include "ui/support/HeldTimers.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

HeldTimers::HeldTimers()
{
    QCoreApplication::instance()->installEventFilter(this);
}

HeldTimers::~HeldTimers()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool HeldTimers::tick(QTimer *t)
{
    if (!t->isActive())
        return false;
    if (t->isSingleShot())
        t->stop();
    QMetaObject::invokeMethod(t, "timeout", Qt::DirectConnection);
    return true;
}

// The program names every timer it makes and gives it to the window it serves.
bool HeldTimers::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() != QEvent::Timer)
        return false;
    auto *t = qobject_cast<QTimer *>(o);
    return t && !t->objectName().isEmpty() && t->parent() && t->parent()->isWidgetType();
}
