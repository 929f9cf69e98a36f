#include "ui/MsgBox.h"

#include "ui/ErrorText.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdlib>
#include <new>
#include <stdexcept>

namespace {

msg::Responder &responder()
{
    static msg::Responder r;
    return r;
}

std::function<void()> &endHandler()
{
    static std::function<void()> h;
    return h;
}

int showReal(const QString &text, int fullStyle, const QString &title)
{
    const int style = fullStyle & ~msg::DefaultButton2;
    QMessageBox box;
    box.setObjectName("msgBox");
    box.setWindowTitle(title);
    box.setText(QString(text).replace(QChar('\r'), QChar('\n')));
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    switch (style) {
    case msg::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case msg::CriticalOkCancel:
        box.setIcon(QMessageBox::Critical);
        buttons = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case msg::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case msg::ExclamationOkCancel:
        box.setIcon(QMessageBox::Warning);
        buttons = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case msg::QuestionYesNoCancel:
        box.setIcon(QMessageBox::Question);
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    case msg::InformationYesNo:
        box.setIcon(QMessageBox::Information);
        buttons = QMessageBox::Yes | QMessageBox::No;
        break;
    case msg::QuestionOkCancel:
        box.setIcon(QMessageBox::Question);
        buttons = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case msg::QuestionYesNo:
        box.setIcon(QMessageBox::Question);
        buttons = QMessageBox::Yes | QMessageBox::No;
        break;
    default:
        box.setIcon(QMessageBox::Information);
        break;
    }
    box.setStandardButtons(buttons);
    if (fullStyle & msg::DefaultButton2) {
        for (QMessageBox::StandardButton b : { QMessageBox::No, QMessageBox::Cancel })
            if (buttons & b) {
                box.setDefaultButton(b);
                break;
            }
    }
    box.exec();
    // The button that closed the box says the answer; Escape or the title bar's close
    // counts as the box's escape button (Cancel, No, or the only OK).
    switch (box.standardButton(box.clickedButton())) {
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

void errBox(
    const Shared &g, int subroutine, const std::string &description, const std::string &lastLine)
{
    box(errtext::box(g.errMsg, description, subroutine, lastLine.empty() ? g.errCont : lastLine),
        Critical, g.errTitle);
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
