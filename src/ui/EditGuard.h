#pragma once
#include <functional>

class QDialog;

// A side window that holds edits is not closed by a reflex: Escape and the title bar's close
// ask "Save changes?" first. Yes saves (a save that failed keeps the window open), No closes
// without saving, Cancel and Escape keep the window open. Its Cancel button, a deliberate
// choice, still closes at once, and so do the program's own closings (reject()).
// Nor is it saved or edited by one: Return presses none of its buttons, and the wheel picks in
// none of its lists that the user has not gone to.
namespace editguard {

// `edited` says whether Save would change the file; `save` is the window's Save.
void install(QDialog *d, std::function<bool()> edited, std::function<void()> save);

} // namespace editguard
