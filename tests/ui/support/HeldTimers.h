#pragma once
#include <QObject>

class QTimer;

// While one lives, the program's own timers (the blinking selection of the block and palette
// editors, the preset windows' wait for an enabled row) start and stop as the program says but
// never fire by themselves: a test gives each tick with tick(). So a late or early event loop on
// a busy machine cannot change what a test sees. Timers of Qt itself and of the test helpers
// (made without a window as their parent, or without a name) run as usual.
class HeldTimers : public QObject
{
public:
    HeldTimers();
    ~HeldTimers() override;

    // One tick of t, as the running timer gives it; a stopped timer gives none (false).
    static bool tick(QTimer *t);

protected:
    bool eventFilter(QObject *o, QEvent *e) override;
};
