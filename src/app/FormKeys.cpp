#include "app/FormKeys.h"

#include <QApplication>
#include <QKeyEvent>

FormKeys::FormKeys(QWidget *window, std::function<void(int keyAscii)> onPress)
    : QObject(window), m_window(window), m_onPress(std::move(onPress))
{
    qApp->installEventFilter(this);
}

bool FormKeys::eventFilter(QObject *o, QEvent *e)
{
    const bool mine = o->isWidgetType() && static_cast<QWidget *>(o)->window() == m_window;
    if (mine && e->type() == QEvent::KeyRelease)
        m_keySeen = {};
    if (mine && e->type() == QEvent::KeyPress && isNewKeyPress(o, static_cast<QKeyEvent *>(e))) {
        const QString text = static_cast<QKeyEvent *>(e)->text();
        if (text.size() == 1)
            m_onPress(text[0].unicode());
    }
    return false;
}

// A key a control ignores travels on to the control's parents: the same key, reaching a parent
// of the widget that last had it, is that press still travelling. Qt may hand a new press the
// address of the last one, so the event's address says nothing.
bool FormKeys::isNewKeyPress(QObject *o, const QKeyEvent *k)
{
    auto *w = static_cast<QWidget *>(o);
    const bool travelling = m_keySeen.at && m_keySeen.key == k->key()
        && m_keySeen.autoRepeat == k->isAutoRepeat() && w != m_keySeen.at
        && w->isAncestorOf(m_keySeen.at);
    m_keySeen = { k->key(), k->isAutoRepeat(), w };
    return !travelling;
}
