#include "model/RomDocument.h"
#include "model/objects/ObjectEdit.h"
#include "model/objects/PowerUps.h"
#include "objects/PanelControls.h"
#include "objects/PowerUpPanel.h"
#include "stage/StageTables.h"
#include "tables/frmEnPresets.h"
#include "tables/frmPuPresets.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

namespace {

constexpr int subImgPu = 117;
constexpr int subEnemyList = 119;
constexpr int subInverse = 105;
constexpr int subCandle = 135;

const char *const puNames[19] = { "Boomerang", "Holy Water", "Dagger", "Axe", "Watch", "Rosary",
    "Potion", "Extra Life", "Small Heart", "Big Heart", "200 Points", "400 Points", "700 Points",
    "1,000 Points", "7,000 Points", "100 Points", "2,000 Points", "4,000 Points", "10,000 Points" };

} // namespace

void PowerUpPanel::NamePu(int index)
{
    if (index >= 0 && index < 19)
        host.readOuts().offset->setText(puNames[index]);
}

// The matches of a pick become the proposals, shown from their first page.
void PowerUpPanel::showProposals(const std::vector<int> &matches)
{
    puTbl.fill(0);
    for (size_t n = 0; n < matches.size() && n < puTbl.size(); ++n)
        puTbl[n] = static_cast<uint8_t>(matches[n]);
    puScroll->blockSignals(true);
    puScroll->setMaximum(0);
    puScroll->blockSignals(false);
    if (matches.empty()) {
        markers.hideAll();
        lblProposal->setText("0/0");
        puScroll->setEnabled(false);
        detPu();
        return;
    }
    puScroll->setMaximum(objects::lastPage(static_cast<int>(matches.size())));
    puScroll->setEnabled(true);
    puScroll_Change(); // the page is already 0
}

// The power-up palette with entry `index` lit (none for -1) and shown as the choice.
void PowerUpPanel::lightPowerUp(int index)
{
    for (int i = 0; i < objects::puCount; ++i) {
        ctl::ImageBox *e = imgPu[static_cast<size_t>(i)];
        const std::string tag = e->Tag.toStdString();
        msg::step(romDoc, subImgPu,
            [&] { e->setPicture(datPicture((i == index ? "pu" : "pu_") + tag + ".dat")); });
    }
    if (index < 0) {
        host.choice()->clearPicture();
        return;
    }
    msg::step(romDoc, subImgPu, [&] {
        host.choice()->setPicture(
            datPicture("pu" + std::string(objects::powerUp(index).tag) + ".dat"));
    });
}

void PowerUpPanel::imgPu_MouseDown(int index, int button)
{
    const bool list = isVertical();
    const int r = release();
    if (list || button == 1)
        lightPowerUp(index);
    if (!list && button == 1) {
        selPu = index;
        msg::step(romDoc, subImgPu, [&] {
            showProposals(objects::holderMatches(romDoc.tables().puPresets, r, index, holderKind));
        });
        NamePu(index);
    } else if (!list && button == 2) {
        editPresets(false, 1);
    } else if (list) {
        host.objectEdit([&](StageTables &edit) {
            msg::step(romDoc, subImgPu, [&] {
                slot(edit, selEn)[4] = num::toByte(objects::puContent(index, r));
                markers.at(selEn & 31)
                    ->setPicture(
                        datPicture("pu" + std::string(objects::powerUp(index).tag) + ".dat"));
            });
        });
    }
}

// The holder-kind buttons with `index` lit (none for -1).
void PowerUpPanel::lightCandle(int index)
{
    for (int i = 0; i < 4; ++i)
        msg::step(romDoc, subCandle, [&] {
            imgCandle[static_cast<size_t>(i)]->setPicture(
                datPicture("ca" + std::to_string(i) + (i == index ? ".dat" : "0.dat")));
        });
}

// Column sections, enemies picked: the enemy list and its proposals replace the power-ups.
void PowerUpPanel::showEnemyPalette()
{
    lstEnemy->setVisible(true);
    host.showSpriteButtons(true);
    msg::step(romDoc, subCandle, [&] { host.choice()->setPicture(datPicture("ca3.dat")); });
    markers.hideAll();
    for (ctl::ImageBox *m : imgPu)
        m->setVisible(false);
    for (ctl::ImageBox *m : powerUp)
        m->setVisible(false);
    if (lstEnemy->currentRow() < 0 && lstEnemy->count() > 0)
        lstEnemy->setCurrentRow(0);
    lstEnemy_MouseDown(1);
}

// Column sections, a holder kind picked: the power-ups come back, the last one picked again.
void PowerUpPanel::showPowerUpPalette()
{
    host.showSpriteButtons(false);
    lstEnemy->setVisible(false);
    for (int k = 0; k < 4; ++k)
        lblEn[static_cast<size_t>(k)]->setVisible(false);
    for (ctl::ImageBox *m : imgPu)
        m->setVisible(true);
    imgPu_MouseDown(selPu, 1);
}

// Object-list sections: the selected slot becomes a holder of kind `index`; an enemy slot
// becomes a Small Heart holder.
void PowerUpPanel::slotToHolder(objRec &s, int index)
{
    const int r = release();
    if (s[3] >= 128)
        s[3] = static_cast<uint8_t>(objects::holderCode(index, r));
    else
        objects::enemyToHolder(s, index, r);
}

void PowerUpPanel::imgCandle_Click(int index)
{
    if (index < 0 || index > 3) {
        msg::errBox(subCandle, "Subscript out of range");
        return;
    }
    lightCandle(index);
    if (!isVertical()) {
        holderKind = index;
        lblProposal->setVisible(true);
        puScroll->setVisible(true);
        if (index == objects::enemyKind)
            showEnemyPalette();
        else
            showPowerUpPalette();
        return;
    }
    const bool changed = host.objectEdit([&](StageTables &edit) {
        objRec &s = slot(edit, selEn);
        if (index < objects::enemyKind)
            slotToHolder(s, index);
        else if (s[3] >= 0x80)
            objects::holderToEnemy(s);
    });
    if (!changed)
        return;
    detPu();
    selectSlot(selEn);
}

void PowerUpPanel::lstEnemy_MouseDown(int button)
{
    if (lstEnemy->currentRow() < 0)
        return; // no enemy to pick
    const int id = selectedEnemyId();
    const int r = release();
    if (!isVertical()) {
        if (button == 1) {
            msg::step(romDoc, subEnemyList,
                [&] { showProposals(objects::enemyMatches(romDoc.tables().enPresets, r, id)); });
            msg::step(
                romDoc, subEnemyList, [&] { host.choice()->setPicture(datPicture("ca3.dat")); });
            host.readOuts().offset->setText("Enemy " + viewtext::hex2(id));
        } else if (button == 2) {
            editPresets(true, 1);
        }
        return;
    }
    host.objectEdit([&](StageTables &edit) {
        msg::step(romDoc, subEnemyList, [&] {
            lblEn[static_cast<size_t>(selEn & 31)]->setText(viewtext::hex2(id));
            chkInverse->setVisible(false);
            if (objects::pickEnemy(slot(edit, selEn), id, chkInverse->isChecked() ? 1 : 0)) {
                chkInverse->setVisible(true);
                chkInverse->raise();
            }
        });
    });
    detPu();
}

void PowerUpPanel::lstEnemy_KeyDown(int keyCode)
{
    if (keyCode >= 37 && keyCode <= 40)
        lstEnemy_MouseDown(1);
}

void PowerUpPanel::chkInverse_Click()
{
    // A selection by code sets the box from the slot: the slot's byte stays as it is.
    if (!chkInverseTag.isEmpty())
        return;
    host.objectEdit([&](StageTables &edit) {
        msg::step(romDoc, subInverse, [&] {
            // Bit 0 is the facing; the other bits of the flag byte are the enemy's own.
            uint8_t &flags = slot(edit, selEn)[6];
            flags = static_cast<uint8_t>((flags & 0xFE) | (chkInverse->isChecked() ? 1 : 0));
        });
    });
}

// The preset windows open on preset puVal and write the presets they save; the caller picks
// again.
void PowerUpPanel::openPresets(bool enemies, int puVal)
{
    if (enemies) {
        frmEnPresets dlg(romDoc, files, puVal, window());
        msg::execUnlessReload(dlg, romDoc);
    } else {
        frmPuPresets dlg(romDoc, files, puVal, window());
        msg::execUnlessReload(dlg, romDoc);
    }
}
