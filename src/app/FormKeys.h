#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

class QKeyEvent;

// The window sees its keys before its controls do, and lets them through: each new press of a
// key that types one character, in any control of the window, is handed on once.
class FormKeys : public QObject
{
public:
    FormKeys(QWidget *window, std::function<void(int keyAscii)> onPress);

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    bool isNewKeyPress(QObject *o, const QKeyEvent *k);

    QWidget *m_window;
    std::function<void(int)> m_onPress;
    // The key press last seen, and the widget it last reached on its way up.
    struct KeySeen
    {
        int key = 0;
        bool autoRepeat = false;
        QPointer<QWidget> at;
    } m_keySeen;
};
