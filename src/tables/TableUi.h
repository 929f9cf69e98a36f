#pragma once
#include "model/RomBytes.h"
#include "rom/ProgramFiles.h"

#include <QString>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

// Small pieces the game table windows share; the restore question serves the palette and
// block editors too.
namespace tableui {

// Ends every hourglass set on the way to the window.
void normalPointer();

// A button or label with its design name, placed in twips.
QPushButton *button(QWidget *parent, const char *name, const QString &text, int left, int top,
    int width, int height);
QLabel *label(QWidget *parent, const QString &name, const QString &text, int left, int top,
    int width, int height);

// The item value of entry k of a list, or -1 without a selection.
int itemValue(const QComboBox *box, int k);
int selectedValue(const QComboBox *box);

// A window that could not read the ROM has nothing true to show or save: Save and the controls
// that change values are disabled, and Save's tip says why. They are enabled after a good read.
void editableIfRead(bool read, QPushButton *save, const std::vector<QWidget *> &editors);

// The standard error box for procedures whose number is text ("M00").
void errBox(const std::string &number, const std::string &description);

// The questions before a restore from the backup ROM, for every Restore button: no backup set
// shows the "I am Error" box and gives false; a backup of the other release, of another size or
// without the release signature is refused with a box naming the problem; "Proceed ?" answered
// No gives false.
bool restoreAsked(const RomBytes &romDoc, const ProgramFiles &files);

} // namespace tableui
