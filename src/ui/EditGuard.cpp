#include "ui/EditGuard.h"

#include "ui/Controls.h"
#include "ui/MsgBox.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

namespace editguard {

namespace {

class Guard : public QObject
{
public:
    Guard(QDialog *d, std::function<bool()> edited, std::function<void()> save)
        : QObject(d), m_dialog(d), m_edited(std::move(edited)), m_save(std::move(save))
    { }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (watched != m_dialog)
            return false;
        if (e->type() == QEvent::Show)
            noReflexes();
        if (e->type() == QEvent::KeyPress
            && static_cast<QKeyEvent *>(e)->matches(QKeySequence::Cancel) && edited()) {
            if (ask() == msg::No)
                m_dialog->reject();
            return true;
        }
        if (e->type() == QEvent::Close && m_dialog->isVisible() && edited()) {
            // No lets the close go on; otherwise the window stays unless Yes saved and closed it.
            if (ask() == msg::No)
                return false;
            e->ignore();
            return true;
        }
        return false;
    }

private:
    // Before the window picks a default button: it finds none, so Return presses no button
    // (Space presses the one with the focus); and the wheel picks in no list the user has not
    // gone to.
    void noReflexes()
    {
        for (QPushButton *b : m_dialog->findChildren<QPushButton *>())
            b->setAutoDefault(false);
        for (QComboBox *box : m_dialog->findChildren<QComboBox *>())
            ctl::setWheelNeedsFocus(box);
    }

    // Asking is the safe side when the window cannot tell.
    bool edited() const
    {
        try {
            return m_edited();
        } catch (...) {
            return true;
        }
    }

    int ask()
    {
        const int answer
            = msg::box("Save changes?", msg::QuestionYesNoCancel, "You have unsaved data");
        if (answer == msg::Yes)
            m_save();
        return answer;
    }

    QDialog *m_dialog;
    std::function<bool()> m_edited;
    std::function<void()> m_save;
};

} // namespace

void install(QDialog *d, std::function<bool()> edited, std::function<void()> save)
{
    d->installEventFilter(new Guard(d, std::move(edited), std::move(save)));
}

} // namespace editguard
