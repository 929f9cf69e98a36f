#pragma once
#include "model/objects/ObjectLayout.h"
#include "objects/MarkerLayer.h"
#include "stage/Records.h"
#include "ui/PanelLayer.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class RomDocument;
struct ProgramFiles;
struct StageTables;
class EnemyList;
class ModeLabel;
class QCheckBox;
class QFrame;
class QLabel;
class QPixmap;
class QScrollBar;
namespace ctl {
class ScrollBar;
}

// The Power-Ups and Enemies mode: the holder kinds, the power-ups and the enemy list beside the
// view, the proposals of where a pick may go (column sections) and the objects' markers
// (object-list sections), and what the pointer does with them.
class PowerUpPanel : public PanelLayer, public MarkerOwner
{
    Q_OBJECT
public:
    PowerUpPanel(RomDocument &romDoc, const ProgramFiles &files, const StageTables &t,
        ModeHost &host, MarkerLayer &markers, QWidget *client);

    // The mode shown: its palette, the markers of the section, and a first pick.
    void enter();
    // The mode put away: every control of it hidden.
    void leave();
    // A new section shown while the mode is: it picks again there, without marking anything.
    void sectionFirstPick();
    // The enemies' code labels hidden (a section without objects).
    void hideCodes();
    // The list rows follow the loader's table.
    void fillEnemyList();
    // The view scrolled (horizontally or not): the markers follow, unless a section is being
    // set up.
    void viewScrolled(bool horizontal);
    void setLayoutHeld(bool held);
    // The bar the "-" and "+" keys step in this mode, if any.
    QScrollBar *stepBar() const;
    // The read-outs while the pointer is over cell `index` of the view, or over the bare window.
    void cellHover(int index, double x, double y);
    void formHover();

    // A ROM was loaded: the next pick starts from the Small Heart again.
    void romLoaded() { selPu = 8; }

    int currentKind() const { return holderKind; }
    int selectedPowerUp() const { return selPu; }
    int selectedSlot() const { return selEn; }
    int selectedEnemyId() const; // the id of the enemy list's current row
    // Proposal `n` of the last pick: the preset it shows, 0 for none.
    int proposal(int n) const;

    void PosPu_MouseDown(int index, int button, double x, double y) override;
    void PosPu_MouseMove(int index) override;
    void dragOver(ctl::ImageBox *source, int tx, int ty) override;
    void scrscroll_DragDrop(ctl::ImageBox *, double) override { }
    void scrvscroll_DragDrop(ctl::ImageBox *source, double y) override;
    void unDrag() override;

private:
    void build(QWidget *client);
    void connectControls();
    QPixmap datPicture(const std::string &file) const;
    int release() const;
    bool isVertical() const;
    const objRec &slot(int index) const;
    objRec &slot(StageTables &edit, int index) const;

    // Picking (PowerUpPanel_pick.cpp).
    void lightPowerUp(int index);
    void lightCandle(int index);
    void imgPu_MouseDown(int index, int button);
    void imgCandle_Click(int index);
    void lstEnemy_MouseDown(int button);
    void lstEnemy_KeyDown(int keyCode);
    void chkInverse_Click();
    void showProposals(const std::vector<int> &matches);
    void showEnemyPalette();
    void showPowerUpPalette();
    void slotToHolder(objRec &s, int index);
    void openPresets(bool enemies, int puVal);
    void NamePu(int index);

    // Laying the markers (PowerUpPanel_layout.cpp).
    void puScroll_Change();
    void ProcessPu();
    void layProposal(ctl::ImageBox *m, int p, int pair);
    void detPu();
    void Hlight();
    void raisePalette();
    void hideMarkers();
    void showItem(ctl::ImageBox *item, const objects::Place &pl);
    void layHolderItem(int k, int p);
    void layEnemyItem(int k, int p);
    void layListMarker(int slot, const objRec &rec);

    // The markers under the pointer (PowerUpPanel_markers.cpp).
    void selectSlot(int index);
    void showSlotHolder(const objRec &r);
    void showSlotEnemy(const objRec &r);
    void placeProposal(StageTables &edit, int index);
    void editPresets(bool enemies, int preset);
    void powerUp_MouseDown(int index, int button);
    void powerUp_MouseMove(int index);
    void lblEn_MouseDown(int index, int button);
    void puReadOut(int index, double x, double y);

    RomDocument &romDoc;
    const ProgramFiles &files;
    const StageTables &t; // written only through host.objectEdit
    ModeHost &host;
    MarkerLayer &markers;

    std::array<ctl::ImageBox *, 19> imgPu {};
    std::array<ctl::ImageBox *, 4> imgCandle {};
    std::array<ctl::ImageBox *, 4> powerUp {};
    std::array<ModeLabel *, 32> lblEn {};
    EnemyList *lstEnemy = nullptr;
    QCheckBox *chkInverse = nullptr;
    ctl::ScrollBar *puScroll = nullptr;
    QLabel *lblProposal = nullptr;
    QFrame *Line3 = nullptr;

    int holderKind = 0; // 0 candles, 1 candlestand, 2 lantern, 3 enemy
    int selEn = 0;
    int selPu = 8; // the power-up picked last in a column section
    std::array<uint8_t, 254> puTbl {};
    std::array<int, 5> puKinds {};
    QString chkInverseTag;
    QString optPuTag; // "STOP" while a section is set up, "Dragged" after a marker press
};
