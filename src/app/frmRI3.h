#pragma once
#include "app/Shared.h"

#include <QMainWindow>

#include <array>

class QAction;
class QFrame;
class QMenu;
class frmSplash;

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
            *mnuPalettes = nullptr, *mnuSprites = nullptr, *mnuBGM = nullptr,
            *mnuDamage = nullptr, *mnuMisc = nullptr;
    QAction *mnuGridlines = nullptr, *mnuHMask = nullptr, *mnuVMask = nullptr;
    QAction *mnuLaunchEmu = nullptr, *mnuDebug = nullptr;
    std::array<QAction *, 15> mnusta {};
    QAction *mnuReadme = nullptr, *mnuAbout = nullptr, *mnuspl = nullptr;

    std::array<QFrame *, 12> grid {};

    // The menu's view flags follow the settings and back.
    void menuFromIni();
    void iniFromMenu();
    void showGrid(bool on);

    void showSplash();
    void closeSplash();

private:
    void buildMenus();
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
