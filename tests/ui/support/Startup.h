#pragma once
#include "support/TempDir.h"
#include "ui/support/ProgramState.h"

#include <QDialog>

#include <functional>
#include <string>

// Helpers for driving the program's start-up in a fresh program folder.
namespace startup {

// Writes a settings file naming rom (and backup) into the program folder.
void writeIni(const TempDir &dir, const std::string &rom, const std::string &backup = {},
    const std::string &emu = {});

// Calls act on each modal dialog that opens while run() executes (from a zero-delay timer
// polling for it); act returns whether to keep watching.
void onModal(std::function<bool(QDialog *)> act);
void stopWatching();

// Runs act on the first modal window that opens while run() executes, when it is a D; a window
// act leaves open is cancelled, so a failed check never hangs the test.
template <class D> void whenOpen(std::function<void(D *)> act, const std::function<void()> &run)
{
    onModal([act](QDialog *d) {
        if (auto *w = qobject_cast<D *>(d))
            act(w);
        if (d->isVisible())
            d->reject();
        return false;
    });
    run();
    stopWatching();
}

} // namespace startup
