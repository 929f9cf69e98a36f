#pragma once
#include "app/HelpWindows.h"
#include "app/frmRI3Ui.h"
#include "model/RomDocument.h"
#include "stage/Document.h"
#include "ui/MainLink.h"
#include "ui/Reports.h"
#include "view/BlockPainter.h"

#include <QMainWindow>

#include <memory>
#include <vector>

class BlockSelector;
class LevelView;
class MarkerLayer;
class MiscPanel;
class PanelHost;
class PowerUpPanel;
class SectionProperties;
class SideWindows;
class frmSplash;

// The main window: the menus, the stage and section lists, the mode switch and the routing to
// the side windows. It creates the level view, the block selector and the panels of the object
// modes, and connects them with the document that owns the stage tables.
class frmRI3 : public QMainWindow,
               private frmRI3Ui,
               private StageDocument::Listener,
               private RomDocument::Listener
{
    Q_OBJECT
public:
    frmRI3(RomDocument &romDoc, ProgramFiles &files, QWidget *parent = nullptr);
    ~frmRI3() override;

    // Everything that makes the editor ready, before the window is shown.
    void Form_Load();

    bool markerDragging() const; // a marker is being dragged
    frmSplash *splash() const { return m_help.splash(); }
    // A block's picture as the side windows show it, never masked.
    void drawBlock(ctl::ImageBox *target, int block);
    // What the side windows ask of the main window.
    MainLink &sideLink();

protected:
    void closeEvent(QCloseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    // Loading and the section shown (frmRI3.cpp, frmRI3_select.cpp, frmRI3_save.cpp).
    void startUp();
    void Init();
    void Combo1Change();
    void Combo2Change();
    void sectionBars();
    void sectionCommands(int s, int n);
    void sectionModePanel();
    // The Patterns read-outs: the banks of what the mode shows.
    void showBanks();
    void patternsChanged(int stage, int section) override;
    void stagScroll_Change();
    void mnusta_Click(int index);

    // Modes, keys and read-outs (frmRI3_modes.cpp, frmRI3_wire.cpp, frmRI3_hover.cpp).
    void optBgClick();
    void optPuClick();
    void optStClick();
    void setMode(QRadioButton *on);
    void Form_KeyPress(int keyAscii);
    void Form_MouseMove();

    // Saving (frmRI3_save.cpp).
    void Modif();
    void saveBlock(int stage, int section);
    bool saveAll();
    std::vector<SaveFailure> saveMarked();
    void Revert();
    bool revertSharedAllowed();
    void afterSave();
    void reloadRom();
    void reloadIfAsked();
    void romChangedOnDisk(const std::string &description);
    void setSaveRevert(bool on);
    void setSaveAll(bool on);
    void marksChanged() override;

    // The File, Display, Emulation and Help menus (frmRI3_frame.cpp, frmRI3_menu.cpp).
    bool askForRom();
    void romNotFound();
    void mnuFile_Click();
    void keepLoadedRomInSettings();
    void menuFromIni();
    void iniFromMenu();
    void WriteIni();
    void EmuLaunch();
    void DebugChecking();
    void readDebugByte(const std::string &romVer, uint8_t debugByte, bool fromSettingsLoop);
    bool readRomRelease(int subroutine);
    void showLoadedRelease();
    void mnuGridlines_Click();
    void mnuHMask_Click();
    void mnuVMask_Click();
    void mnuQuit_Click();

    // Building the window and connecting its parts.
    void buildMenus();
    void buildView();
    void buildModes();
    // The object modes' parts, made when first asked for.
    PowerUpPanel &pu();
    MiscPanel &misc();
    MarkerLayer &markers();
    void connectView();
    void connectFrame();
    void connectLevelView();
    bool overUnreadSection(QObject *o, QEvent *e) const;

    RomDocument &romDoc;
    ProgramFiles &files;
    StageDocument &doc;
    const StageTables &t; // the document's tables, written only through its edits
    BlockPainter m_blocks;
    BlockSelector *m_selector = nullptr;
    LevelView *m_view = nullptr;
    SectionProperties *m_props = nullptr;
    std::unique_ptr<PanelHost> m_host;
    std::unique_ptr<MarkerLayer> m_markers;
    PowerUpPanel *m_pu = nullptr;
    MiscPanel *m_misc = nullptr;
    HelpWindows m_help;
    bool m_loading = false; // from Form_Load until its first section is shown
    ShownOnce m_once; // failures of section changes shown since the load
    std::unique_ptr<SideWindows> m_side;
};
