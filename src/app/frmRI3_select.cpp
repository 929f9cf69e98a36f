#include "app/frmRI3.h"
#include "app/frmSplash.h"
#include "objects/PanelControls.h"
#include "objects/PowerUpPanel.h"
#include "rom/Numbers.h"
#include "special/MiscPanel.h"
#include "stage/Snapshot.h"
#include "stage/StageData.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/Reports.h"
#include "ui/ViewText.h"
#include "view/BlockSelector.h"
#include "view/LevelView.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
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
    return m_view->isVertical();
}

void frmRI3::Combo1Change()
{
    msg::step(g, subCombo1, [&] {
        m_view->enterStage();
        g.curSection = 0;
        m_selector->resetPaintBlock();
        g.curStage = Combo1->currentIndex();
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
        doc.readStageData(report);
        m_selector->firstPage();
        Combo2->setCurrentIndex(0);
        stagScroll->setMaximum(std::max(0, t.secCount[static_cast<size_t>(g.curStage)] - 1));
    });
}

void frmRI3::Combo2Change()
{
    BlockPainter::Batch batch(m_blocks);
    m_markers->frame()->setVisible(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_pu->fillEnemyList();
    msg::step(g, subCombo2, [&] {
        g.curSection = std::max(0, Combo2->currentIndex());
        stagScroll->setValue(g.curSection);
    });
    const int s = g.curStage;
    const int n = g.curSection;
    doc.enterSection(s, n); // records shared with the section left show its edits
    msg::step(g, subCombo2, [&] {
        if (s == 13 || s == 14) {
            StageReport report(g);
            doc.readStageData(report);
        }
    });
    tileDet();
    msg::step(g, subCombo2, [&] { sectionBars(s, n); });
    msg::step(g, subCombo2, [&] { sectionCommands(s, n); });
    msg::step(g, subCombo2, [&] { sectionModePanel(s, n); });
    m_pu->setLayoutHeld(true);
    m_view->drawSection();
    m_pu->setLayoutHeld(false);
    sectionFirstPick(s, n);
    msg::step(g, subCombo2, [&] { setSaveRevert(doc.modified(s, n)); });
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

// Captions, bars and the section's properties, set up under Combo2's Tag "0" so that the
// handlers the values raise store without marking and draw nothing.
void frmRI3::sectionBars(int s, int n)
{
    const auto si = static_cast<size_t>(s);
    const auto ni = static_cast<size_t>(n);
    m_view->enterSection();
    txtBlk->setText(QString::fromStdString(t.timeStr[si][ni]));
    txtPal->setText(viewtext::hex2(g.palSetNo[si][ni]));
    Combo2->Tag = "0";
    cmbTime->setCurrentIndex(t.timeTbl[si][ni][0] - 1);
    lblVs[0]->setVisible(false);
    lblVs[1]->setVisible(false);
    Combo4->setVisible(false);
    if (isVertical())
        scrollTypeLists(s, n);
    Combo3->setVisible(t.vertFlag[si][ni] != 0);
    Combo4->setVisible(!lblVs[1]->isHidden());
    Combo2->Tag = "1";
}

namespace {

void fill(ctl::ComboBox *box, std::initializer_list<std::pair<const char *, int>> items)
{
    box->blockSignals(true);
    box->clear();
    for (const auto &[text, value] : items)
        box->addItem(text, value);
    box->setCurrentIndex(-1);
    box->blockSignals(false);
}

} // namespace

// A vertical section's scroll types: three when it opens at its bottom, two otherwise, and in
// stage 1 the second type of the sections that have one.
void frmRI3::scrollTypeLists(int s, int n)
{
    const uint8_t byte = t.scrollByte[static_cast<size_t>(s)][static_cast<size_t>(n)];
    Combo4->clear();
    if (!t.leftDoor[static_cast<size_t>(s)][static_cast<size_t>(n)]) {
        fill(Combo3, { { "Normal Scroll", 0x81 }, { "Automatic Scroll", 0x83 } });
        selectScrollItem(Combo3, byte);
        return;
    }
    fill(Combo3,
        { { "Normal Scroll", 0x80 }, { "Automatic Scroll", 0x82 },
            { "Incremental Scroll", 0x84 } });
    selectScrollItem(Combo3, byte);
    if (s != 1)
        return;
    if (n == 0)
        vScrollIdx = 0;
    else if (n == 4)
        vScrollIdx = 1;
    else if (n == 7)
        vScrollIdx = 2;
    lblVs[0]->setVisible(true);
    lblVs[1]->setVisible(true);
    fill(Combo4, { { "Normal Scroll", 0x81 }, { "Automatic Scroll", 0x83 } });
    selectScrollItem(Combo4, t.vScrollType[static_cast<size_t>(vScrollIdx)]);
}

// Stage 1's downward sections carry no objects: their commands give way to Mirror.
void frmRI3::sectionCommands(int s, int n)
{
    m_pu->hideCodes();
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
}

void frmRI3::sectionModePanel(int s, int n)
{
    if (optBg->isChecked()) {
        m_selector->selectionChange();
        m_selector->drawPreview();
        const auto &banks = g.patBG[static_cast<size_t>(s)][static_cast<size_t>(n)];
        txtPat1->setText(viewtext::hex2(banks[1]));
        txtPat2->setText(viewtext::hex2(banks[2]));
    } else {
        m_markers->hideAll();
    }
    if (optSt->isChecked())
        m_misc->resetMiscPanel();
}

// The Power-Ups and Enemies mode picks again in the new section, without marking it.
void frmRI3::sectionFirstPick(int, int)
{
    if (optPu->isChecked())
        m_pu->sectionFirstPick();
}

// The entry whose item value is the byte; a byte matching none shows no entry and stays as
// it is until the user picks one.
void frmRI3::selectScrollItem(ctl::ComboBox *box, int value)
{
    box->setCurrentIndex(box->findData(value));
}

void frmRI3::stagScroll_Change()
{
    msg::step(g, subStagScroll, [&] { Combo2->setCurrentIndex(stagScroll->value()); });
}
