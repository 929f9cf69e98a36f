#pragma once
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

class QTimer;

// Answers the program's real message boxes the way a person does: it waits for the box to
// open, writes down what it shows, then clicks the scripted button through the box's window
// (Qt routes the click by position) or presses a key on it. A box with nothing scripted is
// answered with Return, its default button. A box that an action leaves standing takes the
// next scripted action (or Return) in turn. No responder is installed, so what the program
// gets back is what QMessageBox itself returned.
class RealBoxes
{
public:
    struct Shown
    {
        QString text;
        QString title;
        QMessageBox::Icon icon;
        QList<QMessageBox::StandardButton> buttons;
        // Scripted keys and closes that left the box standing (Escape on a Yes/No box).
        int leftOpen = 0;
        // The box's style as the program asked for it (16 critical, 49 exclamation OK/Cancel,
        // 35 question Yes/No/Cancel, ...), read back from its icon and buttons.
        int style() const;
    };

    RealBoxes();
    ~RealBoxes();
    RealBoxes(const RealBoxes &) = delete;
    RealBoxes &operator=(const RealBoxes &) = delete;

    // The next box is answered by clicking this button.
    void click(QMessageBox::StandardButton b);
    // The next box is answered by this key (Return, Enter, Escape).
    void key(Qt::Key k);
    // The next box is closed as its title bar's close button closes it.
    void closeByTitleBar();

    int count() const { return static_cast<int>(shown.size()); }
    int count(const QString &text) const;
    bool any(const QString &textPart) const;
    QStringList texts() const;
    const Shown &last() const { return shown.back(); }
    void clear() { shown.clear(); }

    std::vector<Shown> shown;
    // Runs on each box while it stands open, before it is answered.
    std::function<void(QMessageBox *)> whileShown;
    // Scripted buttons that the box did not have (Escape was pressed on it instead).
    QStringList missingButtons;

private:
    struct Action
    {
        QMessageBox::StandardButton button = QMessageBox::NoButton;
        Qt::Key key = Qt::Key_Return;
        bool close = false;
    };
    void poll();
    void answer(QMessageBox *box);

    std::deque<Action> m_script;
    QPointer<QTimer> m_timer;
    QPointer<QMessageBox> m_last;
    bool m_lastOpen = false; // the last box answered still stands, to be answered again
};
