#pragma once
#include "objects/ModeHost.h"
#include "stage/Document.h"
#include "ui/MainLink.h"
#include "ui/Shared.h"
#include "view/BlockPainter.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>
#include <vector>

class QAction;
class BlockSelector;
class QKeyEvent;
class QPixmap;
class LevelView;
class MarkerLayer;
class MiscPanel;
class PowerUpPanel;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QToolButton;
class frmSplash;
class frmReadme;
namespace ctl {
class ComboBox;
class ImageBox;
class ScrollBar;
} // namespace ctl

// The main window: menus, the level view and the controls of the edit modes.
class frmRI3 : public QMainWindow,
               public MainLink,
               private StageDocument::Listener,
               private ModeHost
{
    Q_OBJECT
public:
    frmRI3(Shared &g, StageDocument &doc, QWidget *parent = nullptr);
    ~frmRI3() override;

    // Everything that makes the editor ready, before the window is shown.
    void Form_Load();

    Shared &shared() { return g; }
    bool markerDragging() const; // a marker is being dragged
    const StageTables &tables() const override { return t; }

    // Loading and the section shown.
    void Init();
    void Combo1Change();
    void Combo2Change();
    void stagScroll_Change();
    void mnusta_Click(int index);
    void Form_KeyPress(int keyAscii);

    // Drawing the blocks.
    void tileDet();
    void drawBlock(ctl::ImageBox *target, int block);

    // The read-outs where the pointer is over no cell.
    void Form_MouseMove();

    // Edit modes.
    void optBgClick();
    void optPuClick();
    void optStClick();

    // Section properties.
    void cmbTime_Click();
    void Combo3_Click();
    void Combo4_Click();
    void cmdMirror_Click();
    int vScrollIdx = 0;

    // Side windows (each opener in its own file: frmRI3_tsa.cpp, frmRI3_gfx.cpp,
    // frmRI3_tables.cpp).
    void openBlockEditor(); // frmEditTSA on g.tsaBlock, modal
    void cmdPattern_Click();
    void cmdEPat_Click();
    void EditPalettes() override;
    render::TilePixels &tilePixels(int tileset) override;
    bool takeSpriteBanksAsked() override;
    bool spriteBanksAsked() const override;
    void forEachShownBlock(
        bool selectorInEveryMode, const std::function<void(ctl::ImageBox *, int)> &draw) override;
    void cmdEPal_Click();
    void Damage();
    void BGM();
    void cmdMisc_Click();

    // Saving.
    void Modif() override;
    void saveBlock(int stage, int section);
    // Saves every marked section and reports each one that could not be saved; false then.
    bool saveAll();
    void Revert();
    void afterSave();
    // Loads the ROM again as the settings file names it; every unsaved edit is dropped.
    void reloadRom();

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

    // The controls beside the level view.
    ctl::ImageBox *imgAku = nullptr;
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
    QString cmdEPatTag;

    // The menu's view flags follow the settings and back.
    void menuFromIni();
    void iniFromMenu();

    void showSplash();
    void closeSplash();

    // Emulation menu and view options.
    void mnuFile_Click();
    void EmuLaunch();
    void DebugChecking();
    void WriteIni();
    void mnuGridlines_Click();
    void mnuHMask_Click();
    void mnuVMask_Click();

protected:
    void closeEvent(QCloseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    std::vector<SaveFailure> saveMarked();
    void romChangedOnDisk(const std::string &description);
    void keepLoadedRomInSettings();
    void buildMenus();
    void connectView();
    void setSaveRevert(bool on);
    void setSaveAll(bool on);
    bool isVertical() const;
    void selectScrollItem(ctl::ComboBox *box, int value);
    void sectionBars(int s, int n);
    void scrollTypeLists(int s, int n);
    void sectionCommands(int s, int n);
    void sectionModePanel(int s, int n);
    void sectionFirstPick(int s, int n);
    void setMode(QRadioButton *on);

    void connectFrame();
    void buildView();
    void buildSectionControls(QWidget *client);
    void buildSelector(QWidget *client);
    void buildCommands(QWidget *client);
    void readDebugByte(uint8_t debugByte, bool fromSettingsLoop);
    void readRomRelease(int subroutine);

    void mnuReadme_Click();
    void mnuAbout_Click();
    void mnuspl_Click();
    void mnuQuit_Click();

    // One redraw of the window's block pictures (see BlockPainter::Batch).
    class DrawBatch : public BlockPainter::Batch
    {
    public:
        explicit DrawBatch(frmRI3 &w) : BlockPainter::Batch(w.m_blocks) { }
    };

    void marksChanged() override;

    // What the mode panels ask of the window (frmRI3_host.cpp).
    Mode mode() const override;
    Bar hBar() const override;
    Bar vBar() const override;
    void setHBar(int value) override;
    void setVBar(int value) override;
    Hit hitAt(const QPoint &globalPos) const override;
    ReadOuts readOuts() const override;
    ctl::ImageBox *choice() const override;
    void showSpriteButtons(bool on) override;
    bool objectEdit(const std::function<void(StageTables &)> &change) override;

    std::unique_ptr<MarkerLayer> m_markers;
    PowerUpPanel *m_pu = nullptr;
    MiscPanel *m_misc = nullptr;
    void buildModes();

    Shared &g;
    StageDocument &doc;
    const StageTables &t; // the document's tables, written only through its edits
    BlockPainter m_blocks;
    BlockSelector *m_selector = nullptr;
    LevelView *m_view = nullptr;
    void connectLevelView();
    // A right press on the selector: the block editor on that block, then the pictures redrawn.
    void editBlock(int index, int block);
    frmSplash *m_splash = nullptr;
    QPointer<frmReadme> m_readme; // closing deletes it
    // The key press last seen, and the widget it last reached on its way up.
    struct KeySeen
    {
        int key = 0;
        bool autoRepeat = false;
        QPointer<QWidget> at;
    } m_keySeen;
    bool isNewKeyPress(QObject *o, const QKeyEvent *k);
};
