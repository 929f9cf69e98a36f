#pragma once
#include "model/RomBytes.h"
#include "rom/VbError.h"

#include <QString>

#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QDialog;
class QWidget;

// Every message box of the program goes through here. Styles and answers use the numbers of
// the design: 16 critical (17 with Cancel), 48 exclamation, 49 exclamation OK/Cancel, 64
// information (68 with Yes/No), 33 question OK/Cancel, 35 question Yes/No/Cancel, 36 question
// Yes/No; adding 256 makes the second button the default. A CR in a text is a line break.
namespace msg {

enum Style {
    Critical = 16,
    CriticalOkCancel = 17,
    Exclamation = 48,
    ExclamationOkCancel = 49,
    Information = 64,
    QuestionYesNoCancel = 35,
    QuestionYesNo = 36,
    QuestionOkCancel = 33,
    InformationYesNo = 68,
    DefaultButton2 = 256
};
enum Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

using Responder = std::function<int(const QString &text, int style, const QString &title)>;

int box(const QString &text, int style, const QString &title);
inline int box(const std::string &text, int style, const std::string &title)
{
    return box(QString::fromStdString(text), style, QString::fromStdString(title));
}
inline int box(const char *text, int style, const char *title)
{
    return box(QString::fromUtf8(text), style, QString::fromUtf8(title));
}
// The answers a box of this style offers, its first button first. A box with Yes and No only
// gives one of those two: Escape and the title bar's close do not answer it.
std::vector<int> answers(int style);
// Tests answer boxes through a responder; an empty one restores the real dialogs.
void setResponder(Responder r);

// While w is shown and no modal window is open, boxes stand above w (the splash of a load): the
// window system keeps a window's boxes over it. Null: boxes stand on their own again.
void setOwner(QWidget *w);

// The standard error box of procedure `subroutine`.
void errBox(int subroutine, const std::string &description, const std::string &lastLine = {});

// The description of whatever was thrown.
std::string describe(std::exception_ptr e);

// The ROM file is no longer the one loaded (RomChanged): nothing was written and the edits are
// kept. The "ROM file changed" box offers to load the file again as it is now. A Yes sets
// doc.reloadAsked and closes every modal window, so that the main window loads the file once
// they are gone.
void romChanged(ReloadRequest &doc, const std::string &description);

// Runs a modal window that has read the file, unless that reading asked to load the file again:
// the window is not shown then, since the load follows at once. Returns what exec() returned, or
// Rejected.
int execUnlessReload(QDialog &window, const ReloadRequest &doc);

// A failure the user was told of already (a picture file that cannot be used): the step it
// ends fails like any other, without the same box again.
class Reported : public VbError
{
public:
    using VbError::VbError;
};

// Runs one step; a failure shows `errorBox(description)`, or the "ROM file changed" box when
// the file was no longer the one loaded. Returns whether the step succeeded.
template <typename F, typename E> bool guarded(ReloadRequest &doc, F &&f, E &&errorBox)
{
    try {
        f();
        return true;
    } catch (const RomChanged &e) {
        romChanged(doc, e.what());
    } catch (const Reported &) {
    } catch (...) {
        errorBox(describe(std::current_exception()));
    }
    return false;
}

// Runs one step under a procedure's error handler: a failure shows the error box and the
// caller goes on with its next step. Returns whether the step succeeded.
template <typename F>
bool step(ReloadRequest &doc, int subroutine, F &&f, const std::string &lastLine = {})
{
    return guarded(doc, std::forward<F>(f),
        [&](const std::string &description) { errBox(subroutine, description, lastLine); });
}

} // namespace msg

// Ends the program at once (the "Info needed" Cancel, the damaged-ROM Cancel). Tests install
// their own handler to observe it.
namespace app {
void endProgram();
void setEndProgramHandler(std::function<void()> h);
// Whether endProgram ran (only a test's handler lets the program go on after it).
bool ended();
} // namespace app
