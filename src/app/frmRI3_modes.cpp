#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"
#include "app/frmRI3.h"
#include "app/frmRI3_puControls.h"
#include "rom/Numbers.h"
#include "special/SpecialTypes.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

constexpr int subOptBg = 133;
constexpr int subOptPu = 134;
constexpr int subOptSt = 101;

} // namespace

void frmRI3::setMode(QRadioButton *on)
{
    optBg->setChecked(on == optBg);
    optPu->setChecked(on == optPu);
    optSt->setChecked(on == optSt);
    mnuBG->setChecked(on == optBg);
    mnuPu->setChecked(on == optPu);
    mnust->setChecked(on == optSt);
}

void frmRI3::setSaveRevert(bool on)
{
    for (QPushButton *b : { cmdSave, cmdRevert })
        b->setEnabled(on);
    for (QAction *a : { mnuSave, mnuRevert })
        a->setEnabled(on);
}

void frmRI3::setSaveAll(bool on)
{
    cmdSaveAll->setEnabled(on);
    mnuSaveAll->setEnabled(on);
}

// The controls of the two object modes, all hidden (the Background mode's panel).
void frmRI3::hideModeControls()
{
    noteSt->clear();
    noteSt->setVisible(false);
    for (QWidget *w : { static_cast<QWidget *>(chkInverse), static_cast<QWidget *>(cmdEPal),
             static_cast<QWidget *>(cmdEPat), static_cast<QWidget *>(cmbSt),
             static_cast<QWidget *>(chkBlock), static_cast<QWidget *>(lblProposal),
             static_cast<QWidget *>(Line3), static_cast<QWidget *>(lstEnemy),
             static_cast<QWidget *>(puScroll) })
        w->setVisible(false);
    for (ctl::ImageBox *e : imgPu)
        e->setVisible(false);
    for (QLabel *l : lblSt)
        l->setVisible(false);
    for (ModeLabel *l : lblEn)
        l->setVisible(false);
    for (int i = 0; i < 4; ++i) {
        powerUp[static_cast<size_t>(i)]->setVisible(false);
        imgCandle[static_cast<size_t>(i)]->setVisible(false);
        scrSt[static_cast<size_t>(i)]->setVisible(false);
    }
}

void frmRI3::optBgClick()
{
    DrawBatch batch(*this);
    msg::step(g, subOptBg, [&] {
        const auto s = static_cast<size_t>(g.curStage);
        const auto n = static_cast<size_t>(g.curSection);
        setMode(optBg);
        for (ctl::ImageBox *m : PosPu)
            m->setVisible(false);
        Hlight();
        txtPatterns->setText("Patterns");
        txtPat1->setText(viewtext::hex2(g.patBG[s][n][1]));
        txtPat2->setText(viewtext::hex2(g.patBG[s][n][2]));
        hideModeControls();
        for (ctl::ImageBox *cell : sel) {
            cell->setVisible(true);
            cell->raise();
        }
        selscroll->setVisible(true);
        selectionChange();
        if (paintChar.empty())
            paintChar = std::string(1, '\0');
        drawBlock(imgSel, static_cast<uint8_t>(paintChar[0]));
        imgSel->setVisible(true);
        setSaveRevert(doc.modified(g.curStage, g.curSection));
    });
}

// The Power-Ups and Enemies panel in place of the block selector: the sprite patterns, the
// divider and the proposals' bar and page.
static void showPuPanel(frmRI3 &w)
{
    const Shared &g = w.shared();
    const auto s = static_cast<size_t>(g.curStage);
    const auto n = static_cast<size_t>(g.curSection);
    w.txtPatterns->setText("Patterns");
    w.txtPat1->setText(viewtext::hex2(g.patSpr[s][n][2]));
    w.txtPat2->setText(viewtext::hex2(g.patSpr[s][n][3]));
    w.Line3->setVisible(true);
    w.puScroll->setMaximum(0);
    if (w.tables().vertFlag[s][n] == 0)
        w.puScroll->setVisible(true);
    for (ctl::ImageBox *cell : w.sel)
        cell->setVisible(false);
    w.selscroll->setVisible(false);
    // The preview's place is the holder kinds' row; the lit palette entry shows the choice.
    w.imgSel->setVisible(false);
    w.lblProposal->setVisible(true);
    w.lblProposal->raise();
}

// The Miscellaneous panel put away.
static void hideStPanel(frmRI3 &w)
{
    // The note lies over "Reverse Sprite": it is shown in the Miscellaneous mode only.
    w.noteSt->clear();
    w.noteSt->setVisible(false);
    for (QLabel *l : w.lblSt)
        l->setVisible(false);
    for (ctl::ScrollBar *b : w.scrSt)
        b->setVisible(false);
    w.cmbSt->setVisible(false);
    w.chkBlock->setVisible(false);
}

// No marker yet; the holder kinds shown, each with its picture, the current one lit.
static void showCandles(frmRI3 &w)
{
    for (ctl::ImageBox *m : w.PosPu)
        m->setVisible(false);
    w.Hlight();
    for (ctl::ImageBox *c : w.imgCandle)
        c->setVisible(true);
    w.lightCandle(w.holderKind);
}

// The power-ups, or for the enemy kind the enemy list and its palette buttons.
static void showPuPalette(frmRI3 &w)
{
    for (ctl::ImageBox *e : w.imgPu) {
        e->setVisible(true);
        e->raise();
    }
    if (w.holderKind == 3) {
        w.cmdEPal->setVisible(true);
        w.cmdEPat->setVisible(true);
        for (ctl::ImageBox *e : w.imgPu)
            e->setVisible(false);
        w.lstEnemy->setVisible(true);
    }
}

// The first pick of the mode: slot 0 of an object list (without marking the section), else the
// palette's current kind.
static void firstPuPick(frmRI3 &w)
{
    const Shared &g = w.shared();
    if (w.tables().vertFlag[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)]
        == -1) {
        w.selectSlot(0);
        return;
    }
    if (w.holderKind != 3)
        w.imgPu_MouseDown(8, 1);
    if (w.holderKind == 3)
        w.lstEnemy_MouseDown(1);
}

void frmRI3::optPuClick()
{
    const auto s = static_cast<size_t>(g.curStage);
    const auto n = static_cast<size_t>(g.curSection);
    msg::step(g, subOptPu, [&] {
        chkInverse->setVisible(false);
        cmdEPal->setVisible(false);
        cmdEPat->setVisible(false);
        txtOffset->clear();
        setMode(optPu);
        showPuPanel(*this);
        hideStPanel(*this);
        showCandles(*this);
    });
    msg::step(g, subOptPu, [&] {
        showPuPalette(*this);
        setSaveRevert(doc.modified(g.curStage, g.curSection));
    });
    fillEnemyList();
    detPu();
    firstPuPick(*this);
}

void frmRI3::optStClick()
{
    msg::step(g, subOptSt, [&] {
        const auto s = static_cast<size_t>(g.curStage);
        const auto n = static_cast<size_t>(g.curSection);
        chkInverse->setVisible(false);
        rectSelSt->setVisible(false);
        rectSelSt->setOpaque(false);
        cmdEPal->setVisible(true);
        cmdEPat->setVisible(true);
        txtPatterns->setText("Patterns");
        txtPat1->setText(viewtext::hex2(g.patSpr[s][n][2]));
        txtPat2->setText(viewtext::hex2(g.patSpr[s][n][3]));
        for (ctl::ImageBox *m : powerUp)
            m->setVisible(false);
        setMode(optSt);
        for (int i = 0; i <= 6; ++i)
            lblSt[static_cast<size_t>(i)]->setVisible(true);
        for (int i = 0; i < 3; ++i) {
            scrSt[static_cast<size_t>(i)]->setVisible(true);
            scrSt[static_cast<size_t>(i)]->setEnabled(false);
            lblSt[static_cast<size_t>(i + 4)]->clear();
        }
        cmbSt->Tag = "A";
        cmbSt->setCurrentIndex(0);
        cmbSt->setEnabled(false);
        cmbSt->setVisible(true);
        noteSt->setVisible(true);
        cmbSt->clear();
        for (const std::string &item :
            special::typeList(t.vertFlag[s][n] != 0, scrscroll->isEnabled()))
            cmbSt->addItem(QString::fromStdString(item));
        cmbSt->setCurrentIndex(-1); // no object is selected yet
        cmbSt->Tag.clear();
        for (ctl::ImageBox *m : PosPu)
            m->setVisible(false);
        for (QWidget *w : { static_cast<QWidget *>(lblProposal), static_cast<QWidget *>(Line3),
                 static_cast<QWidget *>(lstEnemy), static_cast<QWidget *>(puScroll),
                 static_cast<QWidget *>(selscroll) })
            w->setVisible(false);
        for (int i = 0; i < 4; ++i) {
            imgCandle[static_cast<size_t>(i)]->setVisible(false);
            powerUp[static_cast<size_t>(i)]->setVisible(false);
        }
        for (ModeLabel *l : lblEn)
            l->setVisible(false);
        for (ctl::ImageBox *e : imgPu)
            e->setVisible(false);
        for (ctl::ImageBox *cell : sel)
            cell->setVisible(false);
        imgSel->clearPicture();
        imgSel->setVisible(false); // its place is the type box's
    });
    processSt();
}
