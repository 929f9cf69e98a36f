#pragma once
#include <QString>

#include <array>

class QAction;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;
namespace ctl {
class ComboBox;
class ImageBox;
class ScrollBar;
} // namespace ctl

// The main window's menu entries and the controls beside its level view, by their design
// names. The window holds them privately; building them connects nothing.
struct frmRI3Ui
{
    void setupMenus(QMenuBar *bar);
    void setupSectionControls(QWidget *client);
    void setupModeButtons(QWidget *client);
    void setupCommands(QWidget *client);
    // A read-out a user can click into, and a push button, placed in twips.
    static QLineEdit *readOut(QWidget *parent, const char *name, int left, int top, int width);
    static QPushButton *button(QWidget *parent, const char *name, const char *caption, int left,
        int top, int width, int height = 375);

    QAction *mnuFile = nullptr, *mnuSave = nullptr, *mnuRevert = nullptr, *mnuSaveAll = nullptr,
            *mnuQuit = nullptr;
    QAction *mnuBG = nullptr, *mnuPu = nullptr, *mnust = nullptr, *mnuPatterns = nullptr,
            *mnuPalettes = nullptr, *mnuSprites = nullptr, *mnuBGM = nullptr, *mnuDamage = nullptr,
            *mnuMisc = nullptr;
    QAction *mnuGridlines = nullptr, *mnuHMask = nullptr, *mnuVMask = nullptr;
    QAction *mnuLaunchEmu = nullptr, *mnuDebug = nullptr;
    std::array<QAction *, 15> mnusta {};
    QAction *mnuReadme = nullptr, *mnuAbout = nullptr, *mnuspl = nullptr;

    ctl::ComboBox *Combo1 = nullptr, *Combo2 = nullptr;
    ctl::ScrollBar *stagScroll = nullptr;
    ctl::ImageBox *imgAku = nullptr;
    QLineEdit *txtOffset = nullptr, *txtVal = nullptr, *txtPatterns = nullptr, *txtPat1 = nullptr,
              *txtPat2 = nullptr;
    QRadioButton *optBg = nullptr, *optPu = nullptr, *optSt = nullptr;
    QPushButton *cmdSave = nullptr, *cmdSaveAll = nullptr, *cmdRevert = nullptr,
                *cmdEmulator = nullptr;
    QToolButton *cmdPattern = nullptr, *cmdPalettes = nullptr, *cmdDamage = nullptr,
                *cmdBGM = nullptr, *cmdMisc = nullptr, *cmdEPal = nullptr, *cmdEPat = nullptr;
};
