#pragma once
#include "support/RomBuilder.h"

#include <QString>

#include <functional>

class QWidget;

// Every window of the program in every state worth looking at, opened on the game-shaped ROM
// the way a person opens it: the main window in its three modes on a horizontal and on a
// vertical section, each side window, Settings with its file browser, About, readme and splash.
namespace tour {

// Called with each window while it stands on the screen, and a short name of the release and
// what is shown ("us-main-vertical-background", "jp-blocks", "us-settings", ...).
using Visit = std::function<void(const QString &state, QWidget *window)>;

// release: 0 US, 1 Japanese.
void everyWindow(int release, const Visit &visit);

// The rows of a test run once on each release: the column "release" (0 US, 1 Japanese).
void releaseRows();

} // namespace tour
