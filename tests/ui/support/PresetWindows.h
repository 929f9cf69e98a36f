#pragma once
#include "tables/PresetWindow.h"
#include "tables/frmEnPresets.h"
#include "tables/frmPuPresets.h"
#include "ui/support/Program.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QComboBox;

// Driving the two byte value preset windows the way a person does.
namespace presets {

// The data rows "US" and "Japanese" of a column "release" (0, 1).
void addReleases();
// "Power-Up Byte Values", opened as a person opens it: the Power-Ups mode and the candles,
// then a right press on a power-up.
void openPu(Program &p, std::function<void(frmPuPresets *)> act);
// "Enemy Byte Values": the enemy holder kind, then a right press on the enemy list.
void openEn(Program &p, std::function<void(frmEnPresets *)> act);
QString hex(int v);
// Page `page` of the window, reached with the page bar's arrows.
void toPage(PresetWindow *w, int page);
// The texts of row i's lists: type, Left, Top (and content).
QStringList rowTexts(const frmPuPresets *w, int i);
QStringList rowTexts(const frmEnPresets *w, int i);
// Which lists of row i can be used, in the order type, Left, Top (and content).
QList<bool> rowEnabled(const PresetWindow *w, int i, QComboBox *content = nullptr);
// Picks the entry with this text in the list, with the pointer.
void pickText(QComboBox *box, const QString &text);

} // namespace presets
