#include "model/RomDocument.h"
#include "model/objects/MiscDrag.h"
#include "model/objects/PropertyBars.h"
#include "model/objects/SpecialTypes.h"
#include "objects/PanelControls.h"
#include "special/MiscPanel.h"
#include "stage/StageTables.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

namespace {

constexpr int subMarkerDown = 138;
constexpr int subMarkerMove = 139;
constexpr int subBars = 148;

} // namespace

// Every press on a marker of the Miscellaneous mode: the editor controls start from their
// neutral state. A press selects; only a turn of a staircase edits.
void MiscPanel::stMarkerDown(int index, int button, double x, double y)
{
    chkBlock->setVisible(false);
    scrSt[2]->setPageStep(1);
    noteSt->clear();
    scrSt[3]->setVisible(false);
    for (int i : { 7, 8, 6, 5, 4 })
        lblSt[static_cast<size_t>(i)]->clear();
    noteSt->raise();
    if (index >= 31 && index <= 60) {
        stSelectSpecial(index, x, y);
        return;
    }
    ctl::ImageBox *m = markers.at(index);
    if (index >= 61 || button == 1) {
        markers.frame()->setVisible(false);
        cmbSt->Tag = "A";
        cmbSt->setEnabled(false);
        m->raise();
        for (int k = 0; k < 3; ++k) {
            scrSt[static_cast<size_t>(k)]->setEnabled(false);
            lblSt[static_cast<size_t>(k + 4)]->clear();
        }
        cmbSt->setItemText(0,
            index <= 30       ? "Staircase"
                : index == 63 ? "Starting Point"
                : index == 62 ? "First Door"
                              : "Second Door");
        cmbSt->setCurrentIndex(0);
        cmbSt->Tag.clear();
        markers.startMarkerDrag(index, x, y);
    } else if (button == 2) {
        m->raise();
        const auto si = static_cast<size_t>(romDoc.shown().curStage);
        const auto ni = static_cast<size_t>(romDoc.shown().curSection);
        const stairRec &rec = t.stairTbl[si][ni][static_cast<size_t>(index)];
        int shift = 0;
        edit([&](StageTables &edit) {
            special::turnStair(
                edit.stairTbl[si][ni][static_cast<size_t>(index)], t.vertFlag[si][ni] != 0, shift);
        });
        msg::step(romDoc, subMarkerDown,
            [&] { m->setPicture(datPicture("s" + std::to_string(rec[3] / 4) + ".dat")); });
        if (shift != 0)
            twips::move(m, twips::left(m), twips::top(m) + shift);
    }
}

// The screens of the shown section.
int MiscPanel::sectionScreens() const
{
    const auto si = static_cast<size_t>(romDoc.shown().curStage);
    const auto ni = static_cast<size_t>(romDoc.shown().curSection);
    return t.layoutLen[si][ni] / (t.vertFlag[si][ni] != 0 ? 64 : 48);
}

// A bar moved: by the user, or by the code under the Tag "B", which is no edit.
void MiscPanel::scrSt_Change(int index)
{
    if (cmbSt->Tag == "B")
        return;
    const auto si = static_cast<size_t>(romDoc.shown().curStage);
    const auto ni = static_cast<size_t>(romDoc.shown().curSection);
    special::BarChange change;
    bool done = false;
    edit([&](StageTables &edit) {
        done = msg::step(romDoc, subBars, [&] {
            special::BarInputs in;
            in.bar0 = scrSt[0]->value();
            in.vScrollDisabled = !host.vBar().enabled;
            in.screens = sectionScreens();
            change = special::barChanged(index, scrSt[static_cast<size_t>(index)]->value(),
                edit.specialTbl[si][ni][static_cast<size_t>(selSt)], romDoc.tables().stTemplates,
                in, speedTiles);
        });
    });
    if (!done)
        return;
    if (change.refused()) {
        // The sample lies beyond the section: nothing is wrong, the record and the bars stay.
        msg::box(change.refusal, msg::Information, "Not in this section");
        showSpecial(selSt + 31);
        return;
    }
    if (index == 3) {
        lblSt[7]->raise();
        lblSt[8]->raise();
    }
    for (size_t i = 0; i < change.captions.size(); ++i)
        if (change.captions[i])
            lblSt[i]->setText(QString::fromStdString(*change.captions[i]));
    if (change.followView)
        viewFollows();
    if (change.relay)
        processSt();
}

// The view scrolls to the selected object's screen.
void MiscPanel::viewFollows()
{
    const auto si = static_cast<size_t>(romDoc.shown().curStage);
    const auto ni = static_cast<size_t>(romDoc.shown().curSection);
    const specialRec &rec = t.specialTbl[si][ni][static_cast<size_t>(selSt)];
    if (t.vertFlag[si][ni] == 0 && host.hBar().enabled)
        host.setHBar(std::min(rec[0] * 8, host.hBar().maximum));
    else if (t.vertFlag[si][ni] == -1)
        host.setVBar(std::min(rec[0] * 8, host.vBar().maximum));
}

void MiscPanel::PosPu_MouseDown(int index, int button, double x, double y)
{
    stMarkerDown(index, button, x, y);
}

void MiscPanel::PosPu_MouseMove(int index)
{
    msg::step(romDoc, subMarkerMove, [&] {
        const ModeHost::ReadOuts out = host.readOuts();
        const auto s = static_cast<size_t>(romDoc.shown().curStage);
        const auto n = static_cast<size_t>(romDoc.shown().curSection);
        if (index <= 30) {
            out.offset->setText("Staircase");
            out.val->setText(viewtext::hex2(index));
            out.pat1->clear();
            out.pat2->clear();
        } else if (index <= 60) {
            const specialRec &rec = t.specialTbl[s][n][static_cast<size_t>(index - 31)];
            int y = rec[4];
            if (t.vertFlag[s][n] == 0)
                y = std::max(0, y - 32);
            out.offset->setText("Object");
            out.val->setText(viewtext::hex2(index - 31));
            out.pat1->setText(viewtext::hex2(rec[1]));
            out.pat2->setText(viewtext::hex2(y));
        } else {
            out.offset->setText(index == 61 ? "Second Door"
                    : index == 62           ? "First Door"
                                            : "Starting Point");
            out.val->clear();
            out.pat1->clear();
            out.pat2->clear();
        }
    });
}
