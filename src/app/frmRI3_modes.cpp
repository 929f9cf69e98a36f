#include "app/PanelHost.h"
#include "app/frmRI3.h"
#include "model/objects/SpecialTypes.h"
#include "objects/PanelControls.h"
#include "objects/PowerUpPanel.h"
#include "rom/Numbers.h"
#include "special/MiscPanel.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"
#include "view/BlockSelector.h"

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

void frmRI3::optBgClick()
{
    BlockPainter::Batch batch(m_blocks);
    msg::step(romDoc, subOptBg, [&] {
        setMode(optBg);
        if (m_markers) {
            m_markers->hideAll();
            m_markers->Hlight(m_pu->selectedSlot());
        }
        showBanks();
        m_host->showSpriteButtons(false);
        if (m_pu) {
            m_pu->leave();
            m_misc->leave();
        }
        m_selector->showForBackground();
        setSaveRevert(doc.modified(romDoc.shown().curStage, romDoc.shown().curSection));
    });
}

// The Power-Ups and Enemies panel in place of the block selector, under the sprite patterns.
void frmRI3::optPuClick()
{
    buildModes();
    msg::step(romDoc, subOptPu, [&] {
        txtOffset->clear();
        setMode(optPu);
        showBanks();
        // The preview's place is the holder kinds' row; the lit palette entry shows the choice.
        m_selector->hideSelector(false);
        m_misc->leave();
        setSaveRevert(doc.modified(romDoc.shown().curStage, romDoc.shown().curSection));
    });
    m_pu->enter();
}

// The Miscellaneous panel in place of the block selector, under the sprite patterns.
void frmRI3::optStClick()
{
    buildModes();
    msg::step(romDoc, subOptSt, [&] {
        m_pu->leave();
        m_host->showSpriteButtons(true);
        setMode(optSt);
        showBanks();
        m_markers->hideAll();
        m_selector->hideSelector(true); // the preview's place is the type box's
    });
    m_misc->enter();
}
