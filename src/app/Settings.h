#pragma once
#include "model/RomDocument.h"

#include <QDialog>
#include <QString>

#include <array>

class QCheckBox;
class StageDocument;
class QLabel;
class QLineEdit;
class QPushButton;

// "Vorlig File Settings": the ROM, backup ROM and emulator paths. OK checks them, writes the
// settings file and leaves its decision for the caller in setChoice().
class Settings : public QDialog
{
    Q_OBJECT
public:
    // mainWindow gets the caption "Vorlig" when a Japanese ROM is accepted; romDoc tells which
    // ROM is being edited (the file it loaded, none before the first load) and whether a reload
    // would drop unsaved changes.
    Settings(
        RomDocument &romDoc, ProgramFiles &files, QWidget *mainWindow, QWidget *parent = nullptr);

    // Handlers, by their design names.
    void Form_Load();
    void txtRomPath_Change();
    void cmdBrowse_Click(int index);
    void cmdRell_Click();
    void cmdSettingsOK_Click();
    // Runs whenever the window closes: without a settings file the user may end the program.
    void Form_Unload();

    // The box the file browser fills for a browse target (0 ROM, 1 emulator, 2 backup), or
    // nullptr for any other value.
    QLineEdit *box(int target) const;

    // What the caller does once the window has closed: 0 nothing, 1 reload, 2 save all, then
    // reload. With no ROM loaded it stays 0: whoever shows the window then loads what it names.
    int setChoice() const { return m_setChoice; }
    // The release of the ROM the OK step last checked: "0", "1", " " while it checks, or "" when
    // none was checked. It is the window's own: the ROM being edited keeps the release it was
    // loaded with until a load reads another file.
    const std::string &romVer() const { return m_romVer; }

    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr;
    QLineEdit *txtRomPath = nullptr, *txtEmuPath = nullptr, *txtBackup = nullptr;
    std::array<QPushButton *, 3> cmdBrowse {};
    QCheckBox *LaunchROM = nullptr;
    QPushButton *cmdRell = nullptr, *cmdSettingsOK = nullptr;

    bool reloadFlag = false; // the running OK step was started by Reload

    void done(int r) override;

private:
    const std::string &editedRom() const;
    void buildControls();
    void trimBoxes();
    bool pathsStorable();
    bool checkRom(QString &signature);
    void checkBackup(const QString &signature);
    void checkEmulator();
    bool decideChoice();
    bool writeSettings();

    RomDocument &romDoc;
    ProgramFiles &files;
    const StageDocument &m_doc;
    QWidget *m_main;
    int m_setChoice = 0;
    std::string m_romVer;
};
