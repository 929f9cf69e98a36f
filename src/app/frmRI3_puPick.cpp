#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"
#include "app/frmRI3.h"
#include "app/frmRI3_puControls.h"
#include "objects/ObjectLayout.h"
#include "objects/PowerUps.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QToolButton>

namespace {

constexpr int subMarkerDown = 138;
constexpr int subMarkerMove = 139;
constexpr int subItemDown = 140;
constexpr int subItemMove = 141;
constexpr int subLabelDown = 118;

int tagNumber(const QString &tag)
{
    return static_cast<int>(num::hexVal(tag.toStdString()));
}

// A value that may fall below 0 shows as the four digits of a 16-bit integer.
QString hex16(long long v)
{
    return viewtext::hex2(v < 0 ? (v & 0xFFFF) : v);
}

} // namespace

// A proposal placed into its column pair: the pair's byte takes the preset number and the
// pair's item stands where the proposal stood.
static void placeProposal(frmRI3 &w, Shared &g, StageTables &t, int index)
{
    const int i = index / 16;
    const bool enemy = w.holderKind == objects::enemyKind;
    ctl::ImageBox *m = w.PosPu[static_cast<size_t>(index)];
    const int n = tagNumber(m->Tag);
    std::string &cols = t.puStr[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)];
    cols.at(static_cast<size_t>(w.scrscroll->value() + 2 * i + (enemy ? 0 : 1)))
        = static_cast<char>(num::toByte(n));
    for (int k = 16 * i; k < 16 * i + 16; ++k)
        w.PosPu[static_cast<size_t>(k)]->setVisible(false);
    ctl::ImageBox *item = w.powerUp[static_cast<size_t>(i)];
    twips::place(item, twips::left(m), twips::top(m), 480, 480);
    if (!enemy) {
        item->setPicture(
            w.datPicture("pu" + w.imgPu[static_cast<size_t>(g.selPu)]->Tag.toStdString() + ".dat"));
    } else {
        item->setPicture(w.datPicture(n < 208 ? "en.dat" : "en2.dat"));
    }
    item->raise();
    item->setVisible(true);
    item->Tag = m->Tag;
    if (enemy) {
        const QString name
            = w.lstEnemy->currentItem() ? w.lstEnemy->currentItem()->text() : QString();
        item->setToolTip(name);
        ModeLabel *label = w.lblEn[static_cast<size_t>(i)];
        twips::move(
            label, twips::left(item) + objects::labelShift, twips::top(item) + objects::labelShift);
        label->raise();
        label->setText(viewtext::hex2(g.enPresets[static_cast<size_t>(n)][2]));
        label->setVisible(true);
        label->setToolTip(name);
    }
    w.puKinds[static_cast<size_t>(i)] = w.holderKind;
}

// The preset window on `preset`, then the proposals of the current choice on the page kept.
static void editPresets(frmRI3 &w, Shared &g, int preset)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    g.puVal = preset;
    const int page = w.puScroll->value();
    if (w.holderKind != objects::enemyKind)
        w.openPuPresets();
    else
        w.openEnPresets();
    QApplication::restoreOverrideCursor();
    if (w.holderKind != objects::enemyKind)
        w.imgPu_MouseDown(g.selPu, 1);
    else
        w.lstEnemy_MouseDown(1);
    w.puScroll->setValue(std::min(page, w.puScroll->maximum()));
    w.ProcessPu();
}

void frmRI3::PosPu_MouseDown(int index, int button, double x, double y)
{
    if (optSt->isChecked()) {
        stMarkerDown(index, button, x, y);
        return;
    }
    if (!isVertical()) {
        if (button == 1) {
            // The byte is written before the pictures are loaded: a picture that fails to
            // load does not undo the edit.
            const ObjSnapshot before = objSnapshot();
            msg::step(g, subMarkerDown, [&] { placeProposal(*this, g, t, index); });
            modifIfChanged(before);
        } else if (button == 2) {
            const int entry = 16 * puScroll->value() + index % 16;
            editPresets(*this, g, entry < 254 ? puTbl[static_cast<size_t>(entry)] : 0);
        }
        return;
    }
    selectSlot(index);
    optPuTag = "Dragged";
    startMarkerDrag(index, x, y);
}

// The slot's bytes are shown as they are: a code the palette does not have lights nothing,
// and nothing is written back.
void frmRI3::selectSlot(int index)
{
    lblProposal->setVisible(false);
    selEn = index;
    Hlight();
    const objRec &r = t.enemyTbl[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)]
                                [static_cast<size_t>(index & 31)];
    const int rel = release();
    if (r[3] >= 0x80) {
        rectSelSt->setOpaque(true);
        lightCandle(objects::holderKindOf(r[3], rel));
        chkInverse->setVisible(false);
        lstEnemy->setVisible(false);
        cmdEPat->setVisible(false);
        cmdEPal->setVisible(false);
        for (ctl::ImageBox *e : imgPu)
            e->setVisible(true);
        lightPowerUp(objects::puIndexOf(r[4], rel));
    } else {
        rectSelSt->setOpaque(false);
        chkInverseTag = "!!";
        chkInverse->setChecked(r[6] % 2 == 1);
        chkInverseTag.clear();
        chkInverse->setVisible(objects::hasFacing(r[3]));
        chkInverse->raise();
        for (ctl::ImageBox *e : imgPu)
            e->setVisible(false);
        lstEnemy->setVisible(true);
        cmdEPat->setVisible(true);
        cmdEPal->setVisible(true);
        lightCandle(objects::enemyKind);
        msg::step(g, subMarkerDown, [&] { imgSel->setPicture(datPicture("ca3.dat")); });
        int row = -1;
        const int rows = std::min(lstEnemy->count(), 73 - rel);
        for (int j = 0; j < rows; ++j)
            if (lstEnemy->idOfRow(j) == r[3])
                row = j;
        lstEnemy->setCurrentRow(row);
    }
    cmbSt->Tag.clear();
}

void frmRI3::powerUp_MouseDown(int index, int button)
{
    if (isVertical())
        return; // column items belong to column sections only
    const bool enemy = holderKind == objects::enemyKind;
    if (button == 1) {
        const bool cleared = msg::step(g, subItemDown, [&] {
            std::string &cols
                = t.puStr[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)];
            cols.at(static_cast<size_t>(2 * index + scrscroll->value() + (enemy ? 0 : 1))) = '\0';
        });
        if (cleared)
            Modif();
        ProcessPu();
    } else if (button == 2) {
        int preset = 0;
        if (msg::step(g, subItemDown,
                [&] { preset = tagNumber(powerUp[static_cast<size_t>(index)]->Tag); }))
            editPresets(*this, g, preset);
    }
}

void frmRI3::lblEn_MouseDown(int index, int button)
{
    const int16_t form
        = t.vertFlag[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)];
    if (form == 0)
        powerUp_MouseDown(index, button);
    else if (form == -1)
        PosPu_MouseDown(index, button, 0, 0);
}

void frmRI3::powerUp_MouseMove(int index)
{
    msg::step(g, subItemMove, [&] {
        const int k = puKinds[static_cast<size_t>(index)];
        const QString tag = powerUp[static_cast<size_t>(index)]->Tag;
        const auto n = static_cast<size_t>(tagNumber(tag) & 0xFF);
        txtOffset->setText(objects::kindName(k));
        txtVal->setText(tag.right(2));
        if (k < objects::enemyKind) {
            txtPat1->setText(viewtext::hex2(g.puPresets[n][0]));
            txtPat2->setText(hex16(g.puPresets[n][1] - 40));
        } else {
            txtPat1->setText(viewtext::hex2(g.enPresets[n][0]));
            txtPat2->setText(hex16(g.enPresets[n][1] - 40));
        }
    });
}

void frmRI3::PosPu_MouseMove(int index)
{
    msg::step(g, subMarkerMove, [&] {
        ctl::ImageBox *m = PosPu[static_cast<size_t>(index)];
        const auto s = static_cast<size_t>(g.curStage);
        const auto n = static_cast<size_t>(g.curSection);
        if (optPu->isChecked()) {
            if (t.vertFlag[s][n] == 0)
                m->raise();
            if (isVertical()) {
                txtVal->setText(m->Tag);
                return;
            }
            const auto p = static_cast<size_t>(tagNumber(m->Tag) & 0xFF);
            txtVal->setText(m->Tag.right(2));
            if (holderKind != objects::enemyKind) {
                NamePu(g.selPu);
                txtPat1->setText(viewtext::hex2(g.puPresets[p][0]));
                txtPat2->setText(hex16(g.puPresets[p][1] - 40));
            } else {
                const int e = selectedEnemyId();
                txtOffset->setText("Enemy " + viewtext::hex2(e));
                txtPat1->setText(viewtext::hex2(g.enPresets[p][0]));
                txtPat2->setText(hex16(g.enPresets[p][1] - 32 + objects::enemyOffset(g.enOffY, e)));
            }
        } else if (optSt->isChecked()) {
            if (index <= 30) {
                txtOffset->setText("Staircase");
                txtVal->setText(viewtext::hex2(index));
                txtPat1->clear();
                txtPat2->clear();
            } else if (index <= 60) {
                const specialRec &rec = t.specialTbl[s][n][static_cast<size_t>(index - 31)];
                int y = rec[4];
                if (t.vertFlag[s][n] == 0)
                    y = std::max(0, y - 32);
                txtOffset->setText("Object");
                txtVal->setText(viewtext::hex2(index - 31));
                txtPat1->setText(viewtext::hex2(rec[1]));
                txtPat2->setText(viewtext::hex2(y));
            } else {
                txtOffset->setText(index == 61 ? "Second Door"
                        : index == 62          ? "First Door"
                                               : "Starting Point");
                txtVal->clear();
                txtPat1->clear();
                txtPat2->clear();
            }
        }
    });
}
