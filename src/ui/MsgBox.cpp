#include "ui/MsgBox.h"

#include "ui/ErrorText.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>

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

// The button that closed the box says the answer; Escape or the title bar's close
// counts as the box's escape button (Cancel, No, or the only OK).
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
    QMessageBox box(parentForBox());
    box.setObjectName("msgBox");
    box.setWindowTitle(title);
    box.setText(QString(text).replace(QChar('\r'), QChar('\n')));
    box.setIcon(look.icon);
    box.setStandardButtons(look.buttons);
    if (fullStyle & msg::DefaultButton2)
        defaultToSecond(box, look.buttons);
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
