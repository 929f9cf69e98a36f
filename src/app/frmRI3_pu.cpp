#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"
#include "app/frmRI3.h"
#include "app/frmRI3_puControls.h"
#include "objects/ObjectEdit.h"
#include "objects/PowerUps.h"
#include "tables/frmEnPresets.h"
#include "tables/frmPuPresets.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QToolButton>

namespace {

constexpr int subImgPu = 117;
constexpr int subEnemyList = 119;
constexpr int subInverse = 105;
constexpr int subCandle = 135;

} // namespace

// The list rows follow the loader's table; refilled only when it changed (a reload).
void frmRI3::fillEnemyList()
{
    bool same = lstEnemy->count() == static_cast<int>(t.enemyList.size());
    for (int i = 0; same && i < lstEnemy->count(); ++i)
        same = lstEnemy->idOfRow(i) == t.enemyList[static_cast<size_t>(i)].id;
    if (same)
        return;
    lstEnemy->clear();
    for (const EnemyRow &row : t.enemyList) {
        auto *it = new QListWidgetItem(QString::fromStdString(row.text), lstEnemy);
        it->setData(Qt::UserRole, row.id);
    }
}

int frmRI3::selectedEnemyId() const
{
    return lstEnemy ? lstEnemy->idOfRow(lstEnemy->currentRow()) : 0;
}

// The matches of a pick become the proposals, shown from their first page.
static void showProposals(frmRI3 &w, const std::vector<int> &matches)
{
    w.puTbl.fill(0);
    for (size_t n = 0; n < matches.size() && n < w.puTbl.size(); ++n)
        w.puTbl[n] = static_cast<uint8_t>(matches[n]);
    w.puScroll->blockSignals(true);
    w.puScroll->setMaximum(0);
    w.puScroll->blockSignals(false);
    if (matches.empty()) {
        for (ctl::ImageBox *m : w.PosPu)
            m->setVisible(false);
        w.lblProposal->setText("0/0");
        w.puScroll->setEnabled(false);
        w.detPu();
        return;
    }
    w.puScroll->setMaximum(objects::lastPage(static_cast<int>(matches.size())));
    w.puScroll->setEnabled(true);
    w.puScroll_Change(); // the page is already 0
}

void frmRI3::lightPowerUp(int index)
{
    for (int i = 0; i < objects::puCount; ++i) {
        ctl::ImageBox *e = imgPu[static_cast<size_t>(i)];
        const std::string tag = e->Tag.toStdString();
        msg::step(g, subImgPu,
            [&] { e->setPicture(datPicture((i == index ? "pu" : "pu_") + tag + ".dat")); });
    }
    if (index < 0) {
        imgSel->clearPicture();
        return;
    }
    msg::step(g, subImgPu, [&] {
        imgSel->setPicture(datPicture("pu" + std::string(objects::powerUp(index).tag) + ".dat"));
    });
}

void frmRI3::imgPu_MouseDown(int index, int button)
{
    const bool list = isVertical();
    const int r = release();
    if (list || button == 1)
        lightPowerUp(index);
    if (!list && button == 1) {
        g.selPu = index;
        msg::step(g, subImgPu, [&] {
            showProposals(*this, objects::holderMatches(g.puPresets, r, index, holderKind));
        });
        NamePu(index);
    } else if (!list && button == 2) {
        g.puVal = 1;
        const int page = puScroll->value();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        openPuPresets();
        QApplication::restoreOverrideCursor();
        imgPu_MouseDown(g.selPu, 1);
        puScroll->setValue(std::min(page, puScroll->maximum()));
        ProcessPu();
    } else if (list) {
        const ObjSnapshot before = objSnapshot();
        objRec &s = t.enemyTbl[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)]
                              [static_cast<size_t>(selEn & 31)];
        msg::step(g, subImgPu, [&] {
            s[4] = num::toByte(objects::puContent(index, r));
            PosPu[static_cast<size_t>(selEn & 31)]->setPicture(
                datPicture("pu" + std::string(objects::powerUp(index).tag) + ".dat"));
        });
        modifIfChanged(before);
    }
}

void frmRI3::lightCandle(int index)
{
    for (int i = 0; i < 4; ++i)
        msg::step(g, subCandle, [&] {
            imgCandle[static_cast<size_t>(i)]->setPicture(
                datPicture("ca" + std::to_string(i) + (i == index ? ".dat" : "0.dat")));
        });
}

// Column sections, enemies picked: the enemy list and its proposals replace the power-ups.
static void showEnemyPalette(frmRI3 &w)
{
    w.lstEnemy->setVisible(true);
    w.cmdEPal->setVisible(true);
    w.cmdEPat->setVisible(true);
    msg::step(w.shared(), subCandle, [&] { w.imgSel->setPicture(w.datPicture("ca3.dat")); });
    for (ctl::ImageBox *m : w.PosPu)
        m->setVisible(false);
    for (ctl::ImageBox *m : w.imgPu)
        m->setVisible(false);
    for (ctl::ImageBox *m : w.powerUp)
        m->setVisible(false);
    if (w.lstEnemy->currentRow() < 0 && w.lstEnemy->count() > 0)
        w.lstEnemy->setCurrentRow(0);
    w.lstEnemy_MouseDown(1);
}

// Column sections, a holder kind picked: the power-ups come back, the last one picked again.
static void showPowerUpPalette(frmRI3 &w)
{
    w.cmdEPal->setVisible(false);
    w.cmdEPat->setVisible(false);
    w.lstEnemy->setVisible(false);
    for (int k = 0; k < 4; ++k)
        w.lblEn[static_cast<size_t>(k)]->setVisible(false);
    for (ctl::ImageBox *m : w.imgPu)
        m->setVisible(true);
    w.imgPu_MouseDown(w.shared().selPu, 1);
}

// Object-list sections: the selected slot becomes a holder of kind `index`; an enemy slot
// becomes a Small Heart holder.
static void slotToHolder(frmRI3 &w, objRec &s, int index)
{
    const int r = w.release();
    if (s[3] >= 128)
        s[3] = static_cast<uint8_t>(objects::holderCode(index, r));
    else
        objects::enemyToHolder(s, index, r);
}

void frmRI3::imgCandle_Click(int index)
{
    if (index < 0 || index > 3) {
        msg::errBox(g, subCandle, "Subscript out of range");
        return;
    }
    lightCandle(index);
    if (!isVertical()) {
        holderKind = index;
        lblProposal->setVisible(true);
        puScroll->setVisible(true);
        if (index == objects::enemyKind)
            showEnemyPalette(*this);
        else
            showPowerUpPalette(*this);
        return;
    }
    const ObjSnapshot before = objSnapshot();
    objRec &s = t.enemyTbl[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)]
                          [static_cast<size_t>(selEn & 31)];
    if (index < objects::enemyKind)
        slotToHolder(*this, s, index);
    else if (s[3] >= 0x80)
        objects::holderToEnemy(s);
    if (objSnapshot() == before)
        return;
    Modif();
    detPu();
    selectSlot(selEn);
}

void frmRI3::lstEnemy_MouseDown(int button)
{
    if (lstEnemy->currentRow() < 0)
        return; // no enemy to pick
    const int id = selectedEnemyId();
    const int r = release();
    if (!isVertical()) {
        if (button == 1) {
            msg::step(g, subEnemyList,
                [&] { showProposals(*this, objects::enemyMatches(g.enPresets, r, id)); });
            msg::step(g, subEnemyList, [&] { imgSel->setPicture(datPicture("ca3.dat")); });
            txtOffset->setText("Enemy " + viewtext::hex2(id));
        } else if (button == 2) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            g.puVal = 1;
            const int page = puScroll->value();
            openEnPresets();
            QApplication::restoreOverrideCursor();
            lstEnemy_MouseDown(1);
            puScroll->setValue(std::min(page, puScroll->maximum()));
            ProcessPu();
        }
        return;
    }
    const ObjSnapshot before = objSnapshot();
    msg::step(g, subEnemyList, [&] {
        objRec &s = t.enemyTbl[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)]
                              [static_cast<size_t>(selEn & 31)];
        lblEn[static_cast<size_t>(selEn & 31)]->setText(viewtext::hex2(id));
        chkInverse->setVisible(false);
        if (objects::pickEnemy(s, id, chkInverse->isChecked() ? 1 : 0)) {
            chkInverse->setVisible(true);
            chkInverse->raise();
        }
    });
    modifIfChanged(before);
    detPu();
}

void frmRI3::lstEnemy_KeyDown(int keyCode)
{
    if (keyCode >= 37 && keyCode <= 40)
        lstEnemy_MouseDown(1);
}

void frmRI3::chkInverse_Click()
{
    // A selection by code sets the box from the slot: the slot's byte stays as it is.
    if (!chkInverseTag.isEmpty())
        return;
    const ObjSnapshot before = objSnapshot();
    msg::step(g, subInverse, [&] {
        // Bit 0 is the facing; the other bits of the flag byte are the enemy's own.
        uint8_t &flags = t.enemyTbl[static_cast<size_t>(g.curStage)][static_cast<size_t>(
            g.curSection)][static_cast<size_t>(selEn & 31)][6];
        flags = static_cast<uint8_t>((flags & 0xFE) | (chkInverse->isChecked() ? 1 : 0));
    });
    modifIfChanged(before);
}

// The preset windows read g.puVal and write the presets they save; the caller picks again.
void frmRI3::openPuPresets()
{
    frmPuPresets dlg(g, this);
    dlg.exec();
}

void frmRI3::openEnPresets()
{
    frmEnPresets dlg(g, this);
    dlg.exec();
}
