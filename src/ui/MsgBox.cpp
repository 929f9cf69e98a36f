#include "ui/MsgBox.h"

#include "ui/ErrorText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLayout>
#include <QMessageBox>
#include <QPointer>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <stdexcept>

namespace {

msg::Responder &responder()
{
    static msg::Responder r;
    return r;
}

QPointer<QWidget> &owner()
{
    static QPointer<QWidget> w;
    return w;
}

// A box opened from a modal window stands on its own, so it comes up over that window.
QWidget *parentForBox()
{
    QWidget *w = owner();
    return w && w->isVisible() && !QApplication::activeModalWidget() ? w : nullptr;
}

std::function<void()> &endHandler()
{
    static std::function<void()> h;
    return h;
}

struct Look
{
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
};

// The icon and buttons of a style; a style not listed is a plain information box.
Look lookOf(int style)
{
    using B = QMessageBox;
    switch (style) {
    case msg::Critical:
        return { B::Critical, B::Ok };
    case msg::CriticalOkCancel:
        return { B::Critical, B::Ok | B::Cancel };
    case msg::Exclamation:
        return { B::Warning, B::Ok };
    case msg::ExclamationOkCancel:
        return { B::Warning, B::Ok | B::Cancel };
    case msg::QuestionYesNoCancel:
        return { B::Question, B::Yes | B::No | B::Cancel };
    case msg::InformationYesNo:
        return { B::Information, B::Yes | B::No };
    case msg::QuestionOkCancel:
        return { B::Question, B::Ok | B::Cancel };
    case msg::QuestionYesNo:
        return { B::Question, B::Yes | B::No };
    default:
        return { B::Information, B::Ok };
    }
}

// The second button of the box, No or Cancel, becomes its default.
void defaultToSecond(QMessageBox &box, QMessageBox::StandardButtons buttons)
{
    for (QMessageBox::StandardButton b : { QMessageBox::No, QMessageBox::Cancel })
        if (buttons & b) {
            box.setDefaultButton(b);
            return;
        }
}

// A box that asks Yes or No has no way out but its two buttons: Escape and the title bar's
// close do nothing there, so that no reflex answers it (the quit question's No loses every
// unsaved edit). Boxes with Cancel keep Escape as Cancel, an OK-only box keeps it as OK.
class Box : public QMessageBox
{
public:
    Box(QWidget *parent, bool mustChoose) : QMessageBox(parent), m_mustChoose(mustChoose)
    {
        if (mustChoose)
            setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    }

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        if (m_mustChoose && e->matches(QKeySequence::Cancel)) {
            e->accept();
            return;
        }
        QMessageBox::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent *e) override
    {
        if (m_mustChoose) {
            e->ignore();
            return;
        }
        QMessageBox::closeEvent(e);
    }

private:
    bool m_mustChoose;
};

// Wide enough that a window manager's title bar, in a larger bold face and with its icon and
// buttons, shows the whole title: Qt sizes a box by its text and buttons, the title's width in
// the box's own small face at most.
void fitTitle(QMessageBox &box, const QString &title)
{
    constexpr double titlePoints = 11;
    constexpr int titleBarParts = 128; // the bar's icon and its buttons
    QFont bold = box.font();
    bold.setBold(true);
    bold.setPointSizeF(std::max(bold.pointSizeF(), titlePoints));
    const QMargins m = box.layout()->contentsMargins();
    const int need
        = QFontMetrics(bold).horizontalAdvance(title) + titleBarParts - m.left() - m.right();
    if (auto *buttons = box.findChild<QDialogButtonBox *>())
        buttons->setMinimumWidth(need);
}

// The button that closed the box says the answer. A box closed without one (by the program,
// never by a person on a Yes/No box) answers as its escape button would: Cancel, No, or OK.
int answerOf(QMessageBox::StandardButton clicked, QMessageBox::StandardButtons buttons)
{
    switch (clicked) {
    case QMessageBox::Ok:
        return msg::Ok;
    case QMessageBox::Yes:
        return msg::Yes;
    case QMessageBox::No:
        return msg::No;
    case QMessageBox::Cancel:
        return msg::Cancel;
    default:
        if (buttons & QMessageBox::Cancel)
            return msg::Cancel;
        return (buttons & QMessageBox::No) ? msg::No : msg::Ok;
    }
}

int showReal(const QString &text, int fullStyle, const QString &title)
{
    const Look look = lookOf(fullStyle & ~msg::DefaultButton2);
    const bool yesNoOnly = look.buttons == (QMessageBox::Yes | QMessageBox::No);
    Box box(parentForBox(), yesNoOnly);
    box.setObjectName("msgBox");
    box.setWindowTitle(title);
    box.setText(QString(text).replace(QChar('\r'), QChar('\n')));
    box.setIcon(look.icon);
    box.setStandardButtons(look.buttons);
    if (fullStyle & msg::DefaultButton2)
        defaultToSecond(box, look.buttons);
    fitTitle(box, title);
    box.exec();
    return answerOf(box.standardButton(box.clickedButton()), look.buttons);
}

// Closes the modal windows, innermost first; one that will not close stops it.
void closeModalWindows()
{
    while (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
        d->reject();
        if (QApplication::activeModalWidget() == d)
            return;
    }
}

} // namespace

namespace msg {

int box(const QString &text, int style, const QString &title)
{
    if (responder())
        return responder()(text, style, title);
    return showReal(text, style, title);
}

std::vector<int> answers(int style)
{
    const QMessageBox::StandardButtons buttons = lookOf(style & ~DefaultButton2).buttons;
    std::vector<int> out;
    for (QMessageBox::StandardButton b :
        { QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel })
        if (buttons & b)
            out.push_back(answerOf(b, buttons));
    return out;
}

void setResponder(Responder r)
{
    responder() = std::move(r);
}

void setOwner(QWidget *w)
{
    owner() = w;
}

void errBox(int subroutine, const std::string &description, const std::string &lastLine)
{
    box(errtext::box(
            errtext::msg, description, subroutine, lastLine.empty() ? errtext::cont : lastLine),
        Critical, errtext::title);
}

void romChanged(ReloadRequest &doc, const std::string &description)
{
    if (box(description
                + ".\rYour changes are kept.\rLoad the ROM again as it is now? Every unsaved "
                  "change is then lost.",
            QuestionYesNo | DefaultButton2, "ROM file changed")
        != Yes)
        return;
    doc.reloadAsked = true;
    closeModalWindows();
}

int execUnlessReload(QDialog &window, const ReloadRequest &doc)
{
    return doc.reloadAsked ? QDialog::Rejected : window.exec();
}

std::string describe(std::exception_ptr e)
{
    try {
        std::rethrow_exception(e);
    } catch (const std::bad_alloc &) {
        return "Out of memory";
    } catch (const std::exception &x) {
        return x.what();
    } catch (...) {
        return "Unknown error";
    }
}

} // namespace msg

namespace app {

namespace {
bool g_ended = false;
}

bool ended()
{
    return g_ended;
}

void endProgram()
{
    g_ended = true;
    if (endHandler()) {
        endHandler()();
        return;
    }
    std::exit(0);
}

void setEndProgramHandler(std::function<void()> h)
{
    endHandler() = std::move(h);
    g_ended = false;
}

} // namespace app
