#pragma once
#include "ui/MainLink.h"
#include "ui/Shared.h"
#include "stage/Document.h"
#include "view/BlockRender.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <vector>

class QAction;
class QKeyEvent;
class QPixmap;
class QCheckBox;
class EnemyList;
class ModeLabel;
class SelFrame;
class QFrame;
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
class Shape;
} // namespace ctl

// The main window: menus, the level view and the controls of the edit modes.
class frmRI3 : public QMainWindow, public MainLink, private StageDocument::Listener
{
    Q_OBJECT
public:
    frmRI3(Shared &g, StageDocument &doc, QWidget *parent = nullptr);
    ~frmRI3() override;

    // Everything that makes the editor ready, before the window is shown.
    void Form_Load();

    Shared &shared() { return g; }
    StageTables &tables() override { return t; }

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
    void viewBarReleased(const ctl::ScrollBar *bar);
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
    int selectedEnemyId() const; // the id of the enemy list's current row

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
    void openBlockEditor(); // frmEditTSA on g.tsaBlock, modal
    void cmdPattern_Click();
    void cmdEPat_Click();
    void EditPalettes() override;
    render::TilePixels &tilePixels(int tileset) override;
    bool takeSpriteBanksAsked() override;
    bool spriteBanksAsked() const override;
    void forEachShownBlock(bool selectorInEveryMode,
        const std::function<void(ctl::ImageBox *, int)> &draw) override;
    void cmdEPal_Click();
    void Damage();
    void BGM();
    void cmdMisc_Click();

    // --- Power-Ups and Enemies, Miscellaneous modes ---
    // Controls of the two modes (built by buildModes, wired by connectModes).
    void buildModes();
    void connectModes();
    std::array<ctl::ImageBox *, 64> PosPu {};
    std::array<ctl::ImageBox *, 19> imgPu {};
    std::array<ctl::ImageBox *, 4> imgCandle {};
    std::array<ctl::ImageBox *, 4> powerUp {};
    std::array<ModeLabel *, 32> lblEn {};
    EnemyList *lstEnemy = nullptr;
    QCheckBox *chkInverse = nullptr;
    ctl::ScrollBar *puScroll = nullptr;
    QLabel *lblProposal = nullptr;
    SelFrame *rectSelSt = nullptr;
    QFrame *Line3 = nullptr;
    ctl::ComboBox *cmbSt = nullptr;
    std::array<ctl::ScrollBar *, 4> scrSt {};
    std::array<QLabel *, 9> lblSt {};
    QCheckBox *chkBlock = nullptr;
    QLabel *noteSt = nullptr;
    QLabel *lbjump = nullptr;
    QString chkInverseTag, noteStTag;

    // State of the modes.
    int selSt = 0;
    std::array<uint8_t, 254> puTbl {};
    std::array<int, 5> puKinds {};
    int grabX = 0, grabY = 0; // the pointer inside the dragged marker, twips
    int speedTiles = 0;

    // Power-Ups and Enemies mode.
    void fillEnemyList();
    void imgPu_MouseDown(int index, int button);
    void imgCandle_Click(int index);
    void lstEnemy_MouseDown(int button);
    void lstEnemy_KeyDown(int keyCode);
    void chkInverse_Click();
    void puScroll_Change();
    void ProcessPu();
    void detPu();
    void Hlight();
    void PosPu_MouseDown(int index, int button, double x, double y);
    // Object-list sections: slot `index` selected, the palette showing what it holds.
    void selectSlot(int index);
    // The power-up palette with entry `index` lit (none for -1) and shown as the choice.
    void lightPowerUp(int index);
    // The holder-kind buttons with `index` lit (none for -1).
    void lightCandle(int index);
    void PosPu_MouseMove(int index);
    void powerUp_MouseDown(int index, int button);
    void powerUp_MouseMove(int index);
    void lblEn_MouseDown(int index, int button);
    void openPuPresets();
    void openEnPresets();

    // Miscellaneous mode.
    void processSt();
    void cmbSt_Click();
    void chkBlockChange();
    void scrSt_Change(int index);

    // Marker drags: the pressed marker keeps the mouse; the cell or bar under the pointer is
    // the one dragged over, and the release is the drop.
    void scr_DragOver(int index, ctl::ImageBox *source, double x, double y);
    void Form_DragOver(ctl::ImageBox *source);
    void scrscroll_DragOver(ctl::ImageBox *source, double x, double y);
    void scrvscroll_DragOver(ctl::ImageBox *source, double x, double y);
    void scrscroll_DragDrop(ctl::ImageBox *source, double x, double y);
    void scrvscroll_DragDrop(ctl::ImageBox *source, double x, double y);
    void unDrag();
    bool markerDragging() const { return m_markerDrag >= 0; }
    void markerDragMove(const QPoint &globalPos);
    void markerDrop(const QPoint &globalPos);
    void markerDragEnd(); // the drag over without a drop
    void stopMarkerDrag();
    QString dragIcon; // "EMPTY" or "PAINT" while a marker is dragged
    int m_markerDrag = -1; // the marker being dragged, -1 when none
    void startMarkerDrag(int index, double x, double y);
    void setDragIcon(const QString &name);
    // A marker picture from the picture folder; a missing file is an error.
    QPixmap datPicture(const std::string &file) const;
    int release() const; // 1 for the Japanese release, else 0
    void stMarkerDown(int index, int button, double x, double y);
    void stSelectSpecial(int index, double x, double y);
    bool showSpecial(int index);
    void hideModeControls();
    void resetMiscPanel(); // the section selection's part in the Miscellaneous mode
    // --- end of the modes' block ---

    // The object records of the shown section: a gesture marks the section only when it changed
    // one of them.
    using ObjSnapshot = SectionRecords;
    ObjSnapshot objSnapshot() const;
    void modifIfChanged(const ObjSnapshot &before);

    // Saving.
    void Modif();
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
    std::vector<SaveFailure> saveMarked();
    void romChangedOnDisk(const std::string &description);
    void keepLoadedRomInSettings();
    void buildMenus();
    void connectView();
    void setSaveRevert(bool on);
    void setSaveAll(bool on);
    bool isVertical() const;
    bool viewUnchanged(const ctl::ScrollBar *bar) const;
    void selectScrollItem(ctl::ComboBox *box, int value);
    void sectionBars(int s, int n);
    void scrollTypeLists(int s, int n);
    void sectionCommands(int s, int n);
    void sectionModePanel(int s, int n);
    void sectionFirstPick(int s, int n);
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
    void buildCells(QWidget *client);
    void buildSectionControls(QWidget *client);
    void buildSelector(QWidget *client);
    void buildCommands(QWidget *client);
    void readDebugByte(uint8_t debugByte, bool fromSettingsLoop);
    void readRomRelease(int subroutine);

    void mnuReadme_Click();
    void mnuAbout_Click();
    void mnuspl_Click();
    void mnuQuit_Click();

    // Blocks drawn during one redraw (nested redraws included) report their failures in one
    // box when the outermost one ends, instead of one box a block.
    class DrawBatch
    {
    public:
        explicit DrawBatch(frmRI3 &w);
        ~DrawBatch();
        DrawBatch(const DrawBatch &) = delete;
        DrawBatch &operator=(const DrawBatch &) = delete;

    private:
        frmRI3 &w;
    };
    struct Draws
    {
        int depth = 0;
        int drawn = 0;
        int failed = 0;
        std::string first; // the first failure's description
    } m_draws;
    void drawingBox(const std::string &description);

    void marksChanged() override;

    Shared &g;
    StageDocument &doc;
    StageTables &t; // the document's tables
    frmSplash *m_splash = nullptr;
    QPointer<frmReadme> m_readme; // closing deletes it
    bool m_painting = false; // a paint stroke is under way
    int m_lastDragCell = -1;
    // The key press last seen, and the widget it last reached on its way up.
    struct KeySeen
    {
        int key = 0;
        bool autoRepeat = false;
        QPointer<QWidget> at;
    } m_keySeen;
    bool isNewKeyPress(QObject *o, const QKeyEvent *k);
};
