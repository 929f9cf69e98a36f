// What the main window does with the level view: its drawing, what follows a scroll, and the
// read-outs of the pointer in every mode.
#include "app/SectionProperties.h"
#include "app/frmRI3.h"
#include "objects/PowerUpPanel.h"
#include "special/MiscPanel.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"
#include "view/BlockSelector.h"
#include "view/LevelView.h"

#include <QAction>
#include <QLineEdit>
#include <QRadioButton>

namespace {

constexpr int subMouseMove = 144;
constexpr int subFormMove = 123;

} // namespace

void frmRI3::connectLevelView()
{
    connect(m_view, &LevelView::modified, this, [this] { Modif(); });
    connect(m_props, &SectionProperties::mirrored, this, [this] {
        Modif();
        m_view->ScrscrollChange();
    });
    connect(m_props, &SectionProperties::romChanged, this,
        [this](const std::string &description) { romChangedOnDisk(description); });
    // The markers of the object modes follow the view.
    connect(m_view, &LevelView::scrolled, this, [this](bool horizontal) {
        if (optPu->isChecked())
            pu().viewScrolled(horizontal);
        if (optSt->isChecked())
            misc().processSt();
    });
    connect(m_view, &LevelView::hovered, this, [this](int index, double x, double y) {
        msg::step(romDoc, subMouseMove, [&] {
            if (optPu->isChecked())
                pu().cellHover(index, x, y);
            if (optSt->isChecked())
                misc().cellHover(index, x, y);
        });
    });
    // The masks follow their menu entries, however those are set.
    m_view->setHMask(mnuHMask->isChecked());
    m_view->setVMask(mnuVMask->isChecked());
    connect(mnuHMask, &QAction::toggled, m_view, &LevelView::setHMask);
    connect(mnuVMask, &QAction::toggled, m_view, &LevelView::setVMask);
    for (QRadioButton *mode : { optBg, optPu, optSt })
        connect(mode, &QRadioButton::toggled, this,
            [this] { m_view->setPaintMode(optBg->isChecked()); });
}

// A block picture outside the view, never masked.
void frmRI3::drawBlock(ctl::ImageBox *target, int block)
{
    m_blocks.drawBlock(target, block);
}

void frmRI3::Form_MouseMove()
{
    msg::step(romDoc, subFormMove, [&] {
        if (optBg->isChecked()) {
            txtOffset->setText(m_selector->tilesetRange());
            txtVal->clear();
        } else if (optPu->isChecked()) {
            pu().formHover();
        } else {
            txtOffset->clear();
            txtVal->clear();
            showBanks();
        }
    });
}
