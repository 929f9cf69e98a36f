#include "tables/TableUi.h"

#include "rom/Release.h"
#include "ui/ErrorText.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace tableui {

void normalPointer()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

QPushButton *button(QWidget *parent, const char *name, const QString &text, int left, int top,
    int width, int height)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    look::place(b, left, top, width, height);
    return b;
}

QLabel *label(QWidget *parent, const QString &name, const QString &text, int left, int top,
    int width, int height)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    look::place(l, left, top, width, height);
    return l;
}

int itemValue(const QComboBox *box, int k)
{
    if (k < 0 || k >= box->count())
        return -1;
    return box->itemData(k).toInt();
}

int selectedValue(const QComboBox *box)
{
    return itemValue(box, box->currentIndex());
}

void editableIfRead(bool read, QPushButton *save, const std::vector<QWidget *> &editors)
{
    save->setEnabled(read);
    save->setToolTip(read ? QString() : "The ROM could not be read when the window opened.");
    for (QWidget *w : editors)
        w->setEnabled(read);
}

void errBox(const std::string &number, const std::string &description)
{
    msg::box(std::string(errtext::msg) + "\rDescription : " + description + " in subroutine "
            + number + ".\r" + errtext::cont,
        msg::Critical, errtext::title);
}

bool restoreAsked(const RomBytes &romDoc, const ProgramFiles &files)
{
    if (files.ini.backupPath.empty()) {
        msg::box("To restore from your backup, first specify a backup ROM in the file settings.",
            msg::Information, "I am Error");
        return false;
    }
    // A backup of the other release or of another size holds other things at the same
    // positions: refused before anything is asked or written.
    // Measured against the ROM in memory, not whatever file the settings name by now.
    const std::string problem
        = release::backupProblem(files.ini.backupPath, romDoc.romVer(), romDoc.romSize());
    if (!problem.empty()) {
        msg::box(problem + "\rNothing was restored.", msg::Exclamation, "I am Error");
        return false;
    }
    return msg::box("Proceed ?", msg::QuestionYesNo, "Restore from backup") == msg::Yes;
}

} // namespace tableui
