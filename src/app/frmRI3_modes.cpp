#include "app/Controls.h"
#include "app/MsgBox.h"
#include "app/ViewText.h"
#include "app/frmRI3.h"
#include "rom/Numbers.h"

#include <QAction>
#include <QLineEdit>
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
    msg::step(g, subOptBg, [&] {
        const auto s = static_cast<size_t>(g.curStage);
        const auto n = static_cast<size_t>(g.curSection);
        setMode(optBg);
        txtPatterns->setText("Patterns");
        txtPat1->setText(viewtext::hex2(g.patBG[s][n][1]));
        txtPat2->setText(viewtext::hex2(g.patBG[s][n][2]));
        cmdEPal->setVisible(false);
        cmdEPat->setVisible(false);
        for (ctl::ImageBox *cell : sel) {
            cell->setVisible(true);
            cell->raise();
        }
        selscroll->setVisible(true);
        selectionChange();
        if (paintChar.empty())
            paintChar = std::string(1, '\0');
        drawBlock(imgSel, static_cast<uint8_t>(paintChar[0]));
        setSaveRevert(g.modFlags[s][n] == 1);
    });
}

void frmRI3::optPuClick()
{
    msg::step(g, subOptPu, [&] {
        const auto s = static_cast<size_t>(g.curStage);
        const auto n = static_cast<size_t>(g.curSection);
        cmdEPal->setVisible(false);
        cmdEPat->setVisible(false);
        txtOffset->clear();
        setMode(optPu);
        txtPatterns->setText("Patterns");
        txtPat1->setText(viewtext::hex2(g.patSpr[s][n][2]));
        txtPat2->setText(viewtext::hex2(g.patSpr[s][n][3]));
        for (ctl::ImageBox *cell : sel)
            cell->setVisible(false);
        selscroll->setVisible(false);
        if (holderKind == 3) {
            cmdEPal->setVisible(true);
            cmdEPat->setVisible(true);
        }
        setSaveRevert(g.modFlags[s][n] == 1);
    });
}

void frmRI3::optStClick()
{
    msg::step(g, subOptSt, [&] {
        const auto s = static_cast<size_t>(g.curStage);
        const auto n = static_cast<size_t>(g.curSection);
        cmdEPal->setVisible(true);
        cmdEPat->setVisible(true);
        txtPatterns->setText("Patterns");
        txtPat1->setText(viewtext::hex2(g.patSpr[s][n][2]));
        txtPat2->setText(viewtext::hex2(g.patSpr[s][n][3]));
        setMode(optSt);
        for (ctl::ImageBox *cell : sel)
            cell->setVisible(false);
        selscroll->setVisible(false);
        imgSel->clearPicture();
    });
}
