#include "app/SectionProperties.h"
#include "app/frmRI3.h"
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
constexpr int subPattern = 112;

} // namespace

void frmRI3::Combo1Change()
{
    msg::step(romDoc, subCombo1, [&] {
        m_view->enterStage();
        romDoc.shown().curSection = 0;
        m_selector->resetPaintBlock();
        romDoc.shown().curStage = Combo1->currentIndex();
        for (QAction *a : mnusta)
            a->setChecked(false);
        mnusta[static_cast<size_t>(romDoc.shown().curStage)]->setChecked(true);
        Combo2->blockSignals(true);
        Combo2->clear();
        for (int n = 0; n < t.secCount[static_cast<size_t>(romDoc.shown().curStage)]; ++n)
            Combo2->addItem(QString::number(n, 16).toUpper());
        Combo2->setCurrentIndex(-1);
        Combo2->blockSignals(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        // A file changed on disk gives its box; the stage is shown as the program knows it. A
        // failure's box warns that the level data may be wrong.
        StageReport report(&m_once, errtext::contLevel);
        msg::step(romDoc, subCombo1, [&] { doc.readStageData(report); });
        m_selector->firstPage();
        Combo2->setCurrentIndex(0);
        stagScroll->setMaximum(
            std::max(0, t.secCount[static_cast<size_t>(romDoc.shown().curStage)] - 1));
    });
}

void frmRI3::Combo2Change()
{
    BlockPainter::Batch batch(m_blocks);
    if (m_markers) {
        m_markers->frame()->setVisible(false);
        m_pu->fillEnemyList();
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    msg::step(romDoc, subCombo2, [&] {
        romDoc.shown().curSection = std::max(0, Combo2->currentIndex());
        stagScroll->setValue(romDoc.shown().curSection);
    });
    const int s = romDoc.shown().curStage;
    const int n = romDoc.shown().curSection;
    doc.enterSection(s, n); // records shared with the section left show its edits
    msg::step(romDoc, subCombo2, [&] {
        if (s == 13 || s == 14) {
            StageReport report(&m_once, errtext::contLevel);
            doc.readStageData(report);
        }
    });
    m_blocks.tileDet(doc.curTileset());
    msg::step(romDoc, subCombo2, [&] { sectionBars(); });
    msg::step(romDoc, subCombo2, [&] { sectionCommands(s, n); });
    msg::step(romDoc, subCombo2, [&] { sectionModePanel(); });
    if (m_pu)
        m_pu->setLayoutHeld(true);
    m_view->drawSection();
    if (m_pu)
        m_pu->setLayoutHeld(false);
    // The Power-Ups and Enemies mode picks again in the new section, without marking it.
    if (optPu->isChecked())
        pu().sectionFirstPick();
    msg::step(romDoc, subCombo2, [&] { setSaveRevert(doc.modified(s, n)); });
    // The read-outs of what the pointer was over belong to the section left.
    Form_MouseMove();
    QApplication::restoreOverrideCursor();
    // A load (the first start or a reload) ends here in the Background mode, whatever it showed.
    if (m_loading) {
        m_loading = false;
        optBg->setChecked(true);
        optBgClick();
        m_help.closeSplash();
    }
    // Every wait cursor set on the way ends with the section shown.
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

// The view's bars and captions and the section's properties, set without editing or drawing.
void frmRI3::sectionBars()
{
    m_view->enterSection();
    m_props->showSection(m_view->isVertical());
}

// Stage 1's downward sections carry no objects: their commands give way to Mirror.
void frmRI3::sectionCommands(int s, int n)
{
    if (m_pu)
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
    m_props->showMirror(noObjects);
}

void frmRI3::sectionModePanel()
{
    if (optBg->isChecked()) {
        m_selector->selectionChange();
        m_selector->drawPreview();
    } else {
        markers().hideAll();
    }
    // In every mode and direction the banks shown are the new section's.
    showBanks();
    if (optSt->isChecked())
        misc().resetMiscPanel();
}

// The banks of what the mode shows: the background's in the Background mode, the sprites' in
// the object modes.
void frmRI3::showBanks()
{
    const auto s = static_cast<size_t>(romDoc.shown().curStage);
    const auto n = static_cast<size_t>(romDoc.shown().curSection);
    const auto &bg = romDoc.tables().patBG.at(s).at(n);
    const auto &spr = romDoc.tables().patSpr.at(s).at(n);
    const bool background = optBg->isChecked();
    txtPatterns->setText("Patterns");
    txtPat1->setText(viewtext::hex2(background ? bg[1] : spr[2]));
    txtPat2->setText(viewtext::hex2(background ? bg[2] : spr[3]));
}

// The pattern window saved the shown section's banks.
void frmRI3::patternsChanged(int, int)
{
    msg::step(romDoc, subPattern, [&] { showBanks(); });
}

void frmRI3::stagScroll_Change()
{
    msg::step(romDoc, subStagScroll, [&] { Combo2->setCurrentIndex(stagScroll->value()); });
}
