#pragma once
#include "app/Shared.h"
#include "stage/StageTables.h"
#include "view/BlockRender.h"

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
    frmRI3(Shared &g, StageTables &t, QWidget *parent = nullptr);
    ~frmRI3() override;

    // Everything that makes the editor ready, before the window is shown.
    void Form_Load();

    Shared &shared() { return g; }
    StageTables &tables() { return t; }

    // Loading and the section shown.
    void Init();
    void Combo1Change();
    void Combo2Change();
    void stagScroll_Change();
    void mnusta_Click(int index);
    void Form_KeyPress(int keyAscii);

    // Drawing and scrolling the view.
    void tileDet();
    void drawBlock(ctl::ImageBox *target, int block);
    void ScrscrollChange();
    void ScrvscrollChange();
    std::array<int, 48> cellPos {};
    bool maskTop = false;
    int scrollDelta = 0;
    // Decoded background tiles of each tileset.
    std::vector<render::TilePixels> tilePix = std::vector<render::TilePixels>(15);

    // Painting and the read-outs.
    void scr_MouseDown(int index, int button, double x, double y);
    void scr_MouseMove(int index, int button, double x, double y);
    void scr_DragOver(int index);
    void imgSel_MouseMove();
    void Form_MouseMove();
    std::string paintChar = std::string(1, '\0');
    void NamePu(int index);
    int holderKind = 0; // 0 candles, 1 candlestand, 2 lantern, 3 enemy
    int selEn = 0;
    int selectedEnemyId() const { return 0; }

    // Block selector.
    void selectionChange();
    void sel_MouseDown(int index, int button);
    void sel_MouseMove(int index);
    std::array<int, 101> selPageStart {};
    QString selLastTag;

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
    bool hasBlockEditor() const;
    void openBlockEditor(); // frmEditTSA on g.tsaBlock, modal
    void cmdPattern_Click();
    void cmdEPat_Click();
    void EditPalettes();
    void cmdEPal_Click();
    void Damage();
    void BGM();
    void cmdMisc_Click();

    // --- Power-Ups and Enemies, Miscellaneous modes ---
    // --- end of the modes' block ---

    // Saving.
    void Modif();
    void saveBlock(int stage, int section);
    void saveAll();
    void Revert();
    void afterSave();

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
    void mnuFile_Click();
    void EmuLaunch();
    void DebugChecking();
    void WriteIni();
    void mnuGridlines_Click();
    void mnuHMask_Click();
    void mnuVMask_Click();

    void redrawMaskRow();
    void markMaskedRows();

protected:
    void closeEvent(QCloseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void buildMenus();
    void connectView();
    void setSaveRevert(bool on);
    void setSaveAll(bool on);
    bool isVertical() const;
    void selectScrollItem(ctl::ComboBox *box, int value);
    void setMode(QRadioButton *on);
    void takePicture(int to, int from);
    void drawCell(int k, const std::string &layout);
    void puReadOut(int index, double x, double y);
    void strokeMove(const QPoint &globalPos);
    void endStroke();
    QCursor paintCursor() const;

    QString tilesetRange() const;
    void connectFrame();
    void buildView();
    void readDebugByte(uint8_t debugByte, bool fromSettingsLoop);
    void readRomRelease(int subroutine);

    void mnuReadme_Click();
    void mnuAbout_Click();
    void mnuspl_Click();
    void mnuQuit_Click();

    Shared &g;
    StageTables &t;
    frmSplash *m_splash = nullptr;
    bool m_painting = false; // a paint stroke is under way
    int m_lastDragCell = -1;
    const QEvent *m_keyPending = nullptr; // the key press already seen on its way up
};
