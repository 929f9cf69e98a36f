#pragma once
#include "support/RomBuilder.h"

#include <QString>

#include <functional>

class QWidget;

// Every window of the program in every state worth looking at, opened on the game-shaped ROM
// the way a person opens it: the main window in its three modes on a horizontal and on a
// vertical section, each side window, Settings with its file browser, About, readme and splash.
namespace tour {

// Called with each window while it stands on the screen, and a short name of what is shown
// ("main-vertical-background", "blocks", "settings", ...), unique within one release.
using Visit = std::function<void(const QString &state, QWidget *window)>;

void everyWindow(rb::Rel rel, const Visit &visit);

} // namespace tour
