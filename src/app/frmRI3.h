#pragma once
#include "app/Shared.h"

#include <QMainWindow>

#include <array>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QToolButton;
class frmSplash;
namespace ctl {
class ComboBox;
class ImageBox;
class ScrollBar;
class Shape;
} // namespace ctl

// The main window: menus, the level view and the controls of the edit modes.
class frmRI3 : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmRI3(Shared &g, QWidget *parent = nullptr);
    ~frmRI3() override;

    // Everything that makes the editor ready, before the window is shown.
    void Form_Load();

    Shared &shared() { return g; }
    frmSplash *splash() const { return m_splash; }

    // Menu entries, by their design names.
    QAction *mnuFile = nullptr, *mnuSave = nullptr, *mnuRevert = nullptr, *mnuSaveAll = nullptr,
            *mnuQuit = nullptr;
    QAction *mnuBG = nullptr, *mnuPu = nullptr, *mnust = nullptr, *mnuPatterns = nullptr,
            *mnuPalettes = nullptr, *mnuSprites = nullptr, *mnuBGM = nullptr, *mnuDamage = nullptr,
            *mnuMisc = nullptr;
    QAction *mnuGridlines = nullptr, *mnuHMask = nullptr, *mnuVMask = nullptr;
    QAction *mnuLaunchEmu = nullptr, *mnuDebug = nullptr;
    std::array<QAction *, 15> mnusta {};
    QAction *mnuReadme = nullptr, *mnuAbout = nullptr, *mnuspl = nullptr;

    std::array<QFrame *, 12> grid {};

    // The level view and the controls beside it.
    std::array<ctl::ImageBox *, 48> scr {};
    std::array<QLabel *, 8> lH {};
    std::array<QLabel *, 6> lV {};
    std::array<ctl::Shape *, 6> highlight {};
    ctl::ScrollBar *scrscroll = nullptr, *scrvscroll = nullptr;
    std::array<ctl::ImageBox *, 8> sel {};
    ctl::ScrollBar *selscroll = nullptr;
    ctl::ImageBox *imgSel = nullptr, *imgAku = nullptr;
    QLineEdit *txtOffset = nullptr, *txtVal = nullptr, *txtPatterns = nullptr, *txtPat1 = nullptr,
              *txtPat2 = nullptr, *txtBlk = nullptr, *txtPal = nullptr;
    QRadioButton *optBg = nullptr, *optPu = nullptr, *optSt = nullptr;
    ctl::ComboBox *Combo1 = nullptr, *Combo2 = nullptr, *Combo3 = nullptr, *Combo4 = nullptr,
                  *cmbTime = nullptr;
    ctl::ScrollBar *stagScroll = nullptr;
    std::array<QLabel *, 2> lblVs {};
    QPushButton *cmdSave = nullptr, *cmdSaveAll = nullptr, *cmdRevert = nullptr,
                *cmdMirror = nullptr, *cmdEmulator = nullptr;
    QToolButton *cmdPattern = nullptr, *cmdPalettes = nullptr, *cmdDamage = nullptr,
                *cmdBGM = nullptr, *cmdMisc = nullptr, *cmdEPal = nullptr, *cmdEPat = nullptr;
    QString optPuTag, cmdEPatTag;

    // The menu's view flags follow the settings and back.
    void menuFromIni();
    void iniFromMenu();
    void showGrid(bool on);

    void showSplash();
    void closeSplash();

    // Emulation menu and view options.
    void EmuLaunch();
    void DebugChecking();
    void WriteIni();
    void mnuGridlines_Click();
    void mnuHMask_Click();
    void mnuVMask_Click();

    // Redraws the level view's parts that the scroll masks change; the view fills them in.
    virtual void redrawMaskRow() { }
    virtual void markMaskedRows() { }

private:
    void buildMenus();
    void connectFrame();
    void buildView();
    void readDebugByte(uint8_t debugByte, bool fromSettingsLoop);
    void readRomRelease();

    void mnuReadme_Click();
    void mnuAbout_Click();
    void mnuspl_Click();
    void mnuQuit_Click();

    Shared &g;
    frmSplash *m_splash = nullptr;
};
