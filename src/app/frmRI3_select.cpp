#include "app/Controls.h"
#include "app/MsgBox.h"
#include "app/Reports.h"
#include "app/ViewText.h"
#include "app/frmRI3.h"
#include "app/frmRI3_puControls.h"
#include "app/frmSplash.h"
#include "rom/Numbers.h"
#include "stage/StageData.h"

#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

constexpr int subCombo1 = 164;
constexpr int subCombo2 = 120;
constexpr int subStagScroll = 155;

} // namespace

bool frmRI3::isVertical() const
{
    return scrvscroll->isEnabled();
}

void frmRI3::Combo1Change()
{
    msg::step(g, subCombo1, [&] {
        scrscroll->Tag = "0";
        g.curSection = 0;
        paintChar = std::string(1, '\0');
        g.curStage = Combo1->currentIndex();
        for (ctl::Shape *h : highlight)
            h->setFillStyle(1);
        for (QAction *a : mnusta)
            a->setChecked(false);
        mnusta[static_cast<size_t>(g.curStage)]->setChecked(true);
        Combo2->blockSignals(true);
        Combo2->clear();
        for (int n = 0; n < t.secCount[static_cast<size_t>(g.curStage)]; ++n)
            Combo2->addItem(QString::number(n, 16).toUpper());
        Combo2->setCurrentIndex(-1);
        Combo2->blockSignals(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        StageReport report(g);
        StageData(g, t, report);
        selscroll->setValue(0);
        Combo2->setCurrentIndex(0);
        stagScroll->setMaximum(std::max(0, t.secCount[static_cast<size_t>(g.curStage)] - 1));
    });
}

void frmRI3::Combo2Change()
{
    rectSelSt->setVisible(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int s = g.curStage;
    fillEnemyList();
    msg::step(g, subCombo2, [&] {
        g.curSection = std::max(0, Combo2->currentIndex());
        stagScroll->setValue(g.curSection);
    });
    const int n = g.curSection;
    const auto si = static_cast<size_t>(s);
    const auto ni = static_cast<size_t>(n);
    msg::step(g, subCombo2, [&] {
        if (s == 13 || s == 14) {
            StageReport report(g);
            StageData(g, t, report);
        }
    });
    tileDet();
    msg::step(g, subCombo2, [&] {
        for (int i = 0; i < 8; ++i)
            lH[static_cast<size_t>(i)]->setText(viewtext::place(scrscroll->value() + i));
        for (int i = 0; i < 6; ++i)
            lV[static_cast<size_t>(i)]->setText(viewtext::place(scrvscroll->value() + i));
        for (ctl::Shape *h : highlight)
            h->setFillStyle(1);
        scrvscroll->setEnabled(t.vertFlag[si][ni] != 0);
        scrscroll->setEnabled(!isVertical() && t.layoutLen[si][ni] != 48);
        txtBlk->setText(QString::fromStdString(t.timeStr[si][ni]));
        txtPal->setText(QString::fromStdString(num::hex2(g.palSetNo[si][ni])));
        Combo2->Tag = "0";
        cmbTime->setCurrentIndex(t.timeTbl[si][ni][0] - 1);
        lblVs[0]->setVisible(false);
        lblVs[1]->setVisible(false);
        Combo4->setVisible(false);
        if (!isVertical()) {
            scrscroll->setValue(0);
            scrscroll->setMaximum(std::max(0, t.layoutLen[si][ni] / 6 - 8));
            if (t.leftDoor[si][ni])
                scrscroll->setValue(scrscroll->maximum());
            scrscroll->Tag = "0";
        } else {
            scrvscroll->setValue(0);
            scrvscroll->setMaximum(std::max(0, t.layoutLen[si][ni] / 8 - 6));
            Combo3->blockSignals(true);
            Combo3->clear();
            Combo4->clear();
            Combo3->blockSignals(false);
            if (t.leftDoor[si][ni]) {
                scrvscroll->setValue(scrvscroll->maximum());
                Combo3->blockSignals(true);
                Combo3->addItem("Normal Scroll", 0x80);
                Combo3->addItem("Automatic Scroll", 0x82);
                Combo3->addItem("Incremental Scroll", 0x84);
                Combo3->setCurrentIndex(-1);
                Combo3->blockSignals(false);
                selectScrollItem(Combo3, t.scrollByte[si][ni]);
                if (s == 1) {
                    if (n == 0)
                        vScrollIdx = 0;
                    else if (n == 4)
                        vScrollIdx = 1;
                    else if (n == 7)
                        vScrollIdx = 2;
                    lblVs[0]->setVisible(true);
                    lblVs[1]->setVisible(true);
                    Combo4->blockSignals(true);
                    Combo4->addItem("Normal Scroll", 0x81);
                    Combo4->addItem("Automatic Scroll", 0x83);
                    Combo4->setCurrentIndex(-1);
                    Combo4->blockSignals(false);
                    selectScrollItem(Combo4, t.vScrollType[static_cast<size_t>(vScrollIdx)]);
                }
            } else {
                Combo3->blockSignals(true);
                Combo3->addItem("Normal Scroll", 0x81);
                Combo3->addItem("Automatic Scroll", 0x83);
                Combo3->setCurrentIndex(-1);
                Combo3->blockSignals(false);
                selectScrollItem(Combo3, t.scrollByte[si][ni]);
            }
            // The first drawing of a section must draw every cell, whatever row it opens at.
            scrvscroll->Tag = QString::number(scrvscroll->value());
        }
        Combo3->setVisible(t.vertFlag[si][ni] != 0);
        Combo4->setVisible(!lblVs[1]->isHidden());
        Combo2->Tag = "1";
    });
    msg::step(g, subCombo2, [&] {
        for (ModeLabel *l : lblEn)
            l->setVisible(false);
        const bool noObjects = s == 1 && n >= 9;
        if (noObjects && optPu->isChecked())
            optBgClick();
        for (QWidget *w : { static_cast<QWidget *>(optPu), static_cast<QWidget *>(cmdPalettes),
                 static_cast<QWidget *>(cmdPattern), static_cast<QWidget *>(cmdEPat),
                 static_cast<QWidget *>(cmdEPal) })
            w->setEnabled(!noObjects);
        for (QAction *a : { mnuPu, mnuPalettes, mnuPatterns, mnuSprites })
            a->setEnabled(!noObjects);
        cmdMirror->setVisible(noObjects);
    });
    msg::step(g, subCombo2, [&] {
        if (optBg->isChecked()) {
            selectionChange();
            if (paintChar.empty())
                paintChar = std::string(1, '\0');
            drawBlock(imgSel, static_cast<uint8_t>(paintChar[0]));
            txtPat1->setText(QString::fromStdString(num::hex2(g.patBG[si][ni][1])));
            txtPat2->setText(QString::fromStdString(num::hex2(g.patBG[si][ni][2])));
        } else {
            for (ctl::ImageBox *m : PosPu)
                m->setVisible(false);
        }
        if (optSt->isChecked())
            resetMiscPanel();
    });
    optPuTag = "STOP";
    if (isVertical())
        ScrvscrollChange();
    else
        ScrscrollChange();
    optPuTag.clear();
    if (optPu->isChecked()) {
        if (t.vertFlag[si][ni] == 0) {
            chkInverse->setVisible(false);
            puScroll->setVisible(true);
            imgCandle_Click(holderKind);
        } else {
            selEn = 0;
            chkInverseTag = "!!";
            PosPu_MouseDown(selEn, 1, 0, 0);
            chkInverseTag.clear();
            puScroll->setVisible(false);
        }
    }
    msg::step(g, subCombo2, [&] {
        if (g.modFlags[si][ni] == 0)
            setSaveRevert(false);
        else if (g.modFlags[si][ni] == 1)
            setSaveRevert(true);
    });
    QApplication::restoreOverrideCursor();
    if (m_splash && m_splash->isVisible()) {
        optBg->setChecked(true);
        optBgClick();
        closeSplash();
    }
    // Every wait cursor set on the way ends with the section shown.
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

// The entry whose item value is the byte; a byte matching none selects entry 0 and the
// selection's handler stores that entry's value.
void frmRI3::selectScrollItem(ctl::ComboBox *box, int value)
{
    int index = box->findData(value);
    box->setCurrentIndex(index < 0 ? 0 : index);
}

void frmRI3::stagScroll_Change()
{
    msg::step(g, subStagScroll, [&] { Combo2->setCurrentIndex(stagScroll->value()); });
}
