#include "app/Controls.h"
#include "app/MsgBox.h"
#include "app/frmRI3.h"
#include "special/SpecialTypes.h"

#include <QCheckBox>
#include <QLabel>

namespace {

constexpr int subMarkerDown = 138;

} // namespace

// Bar 2 stands for the code the record holds; a record holding none gets the list's fallback
// and, but for the ranges of types 6 and 7, the view goes back to the start of the section.
static void codeBar(frmRI3 &w, StageTables &t, Shared &g, specialRec &rec)
{
    const special::CodeList *list = special::codeList(rec[3]);
    const int found = special::codeSearch(*list, rec);
    if (found >= 0) {
        w.scrSt[2]->setValue(found);
        return;
    }
    if (list->fallbackByte >= 0)
        rec[static_cast<size_t>(list->fallbackByte)] = static_cast<uint8_t>(list->fallbackValue);
    w.scrSt[2]->setValue(list->fallbackBar);
    if (rec[3] == 6 || rec[3] == 7)
        return;
    const int16_t form
        = t.vertFlag[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)];
    if (form == 0 && w.scrscroll->isEnabled())
        w.scrscroll->setValue(0);
    else if (form == -1)
        w.scrvscroll->setValue(0);
}

static void platformBars(frmRI3 &w, specialRec &rec)
{
    w.noteSt->setText("\n\n\n\nDrag & drop enabled.");
    w.scrSt[0]->setMaximum(1);
    w.scrSt[1]->setMaximum(2);
    w.scrSt[2]->setMaximum(255);
    w.scrSt[2]->setPageStep(8);
    for (int k = 0; k < 3; ++k)
        w.scrSt[static_cast<size_t>(k)]->setEnabled(true);
    if (rec[3] == 12) {
        w.lblSt[7]->setVisible(true);
        w.lblSt[8]->setVisible(true);
        w.scrSt[3]->setVisible(true);
        w.scrSt[3]->setEnabled(true);
        w.scrSt[3]->setValue(rec[2]);
        w.cmbSt->Tag.clear();
        w.scrSt_Change(3);
        w.cmbSt->Tag = "B";
    }
    w.scrSt[0]->setValue(rec[6] < 0x80 ? 1 : 0);
    const int low = rec[6] & 15;
    if (low < 1 || low > 3)
        rec[6] = static_cast<uint8_t>((rec[6] & 0xF0) | 2);
    w.scrSt[1]->setValue((rec[6] & 15) - 1);
    w.scrSt[2]->setValue(rec[5]);
}

static void pendulumBars(frmRI3 &w, const Shared &g, specialRec &rec, int viewMax)
{
    bool off = false;
    w.scrSt[0]->setMaximum(1);
    w.scrSt[1]->setMaximum(3);
    w.scrSt[2]->setMaximum(special::bar2Max(5, viewMax, off));
    for (int k = 0; k < 3; ++k)
        w.scrSt[static_cast<size_t>(k)]->setEnabled(true);
    w.scrSt[0]->setValue(rec[6] >= 0x80 ? 1 : 0);
    if (rec[6] <= 3) {
        w.scrSt[1]->setValue(rec[6]);
        w.scrSt[0]->setValue(0);
    } else if (rec[6] >= 252) {
        w.scrSt[1]->setValue(255 - rec[6]);
        w.scrSt[0]->setValue(1);
    }
    for (int j = 0; j <= 4; ++j)
        if (g.stTemplates[3][static_cast<size_t>(j)][5] == rec[5]) {
            const int use = j > w.scrSt[2]->maximum() ? 0 : j;
            w.scrSt[2]->setValue(use);
            rec = g.stTemplates[3][static_cast<size_t>(use)];
        }
}

// What a type's set-up leaves to do: the bars whose read-outs are refreshed, and whether the
// press starts a drag.
struct TypeSetup
{
    std::vector<int> refresh;
    bool drag = false;
};

// The type box shows list entry `listIndex` without taking it as a change of type.
static void pickType(frmRI3 &w, int listIndex)
{
    w.cmbSt->Tag = "B";
    w.cmbSt->setCurrentIndex(listIndex);
}

// Types with a code list, and type 4: bar 2 alone, unless the section is too short for it.
static TypeSetup codeTypeBars(
    frmRI3 &w, specialRec &rec, int type, int listIndex, int max2, bool shortSection)
{
    pickType(w, listIndex);
    w.scrSt[0]->setEnabled(false);
    w.scrSt[1]->setEnabled(false);
    w.scrSt[2]->setEnabled(!shortSection);
    if (shortSection)
        return {};
    w.scrSt[2]->setMaximum(max2);
    if (type == 4)
        w.scrSt[2]->setValue(rec[6] == 2 ? 1 : 0);
    else
        codeBar(w, w.tables(), w.shared(), rec);
    if (type == 6)
        w.noteSt->setText("Drag and drop enabled.");
    if (type == 7)
        w.noteSt->setText("Drag and drop enabled.\nLimitation : less than 3 of the same "
                          "instance (e.g. 07) per screen.");
    return { { 2 }, type == 6 || type == 7 };
}

// An empty slot: no bar to set.
static void emptySlotBars(frmRI3 &w)
{
    pickType(w, 0);
    for (int k = 0; k < 3; ++k) {
        w.scrSt[static_cast<size_t>(k)]->setEnabled(false);
        w.lblSt[static_cast<size_t>(k + 4)]->clear();
    }
}

// A crumbling bridge (type 0 with a length): bar 2 is its length.
static TypeSetup bridgeBars(frmRI3 &w, const specialRec &rec, int max2)
{
    w.cmbSt->Tag = "B";
    w.cmbSt->setItemText(0, "Crumbling Bridge");
    w.cmbSt->setCurrentIndex(0);
    w.scrSt[2]->setEnabled(true);
    w.scrSt[2]->setMaximum(max2);
    w.scrSt[2]->setValue((rec[4] >> 4) - 3);
    return { { 2 }, false };
}

// Types 16 and 17, the pairs with a breakable block: bar 2 and the block box.
static TypeSetup blockPairBars(frmRI3 &w, specialRec &rec, int listIndex, bool vertical)
{
    pickType(w, listIndex);
    w.scrSt[0]->setEnabled(false);
    w.scrSt[1]->setEnabled(false);
    w.scrSt[2]->setEnabled(true);
    w.chkBlock->setText(!vertical ? "Block on top is breakable" : "Block below is breakable");
    w.noteSt->setText("Drag and drop enabled.\nLimitation : two pairs (4) per room, the two "
                      "at least one screen apart.");
    w.chkBlock->setChecked(rec[6] != 0);
    w.chkBlock->setVisible(true);
    w.chkBlockChange();
    w.scrSt[2]->setMaximum(4);
    if (rec[5] > 4)
        rec[5] = 2;
    w.scrSt[2]->setValue(rec[5]);
    return { { 2 }, true };
}

// The type box and the bars set up for the selected record, whose type was `type`.
static TypeSetup setUpType(frmRI3 &w, specialRec &rec, int type, bool vertical, int viewMax)
{
    const int listIndex = type == 0 ? 0 : special::indexOfType(vertical, type);
    bool shortSection = false;
    const int max2 = special::bar2Max(type, viewMax, shortSection);
    if (special::codeList(type) || type == 4)
        return codeTypeBars(w, rec, type, listIndex, max2, shortSection);
    if (type == 0 && rec[4] <= 0x20) {
        emptySlotBars(w);
        return {};
    }
    if (type == 0)
        return bridgeBars(w, rec, max2);
    if (type == 16 || type == 17)
        return blockPairBars(w, rec, listIndex, vertical);
    if (type == 11 || type == 12) {
        pickType(w, listIndex);
        platformBars(w, rec);
        return { { 0, 1, 2 }, true };
    }
    if (type == 5) {
        pickType(w, listIndex);
        pendulumBars(w, w.shared(), rec, viewMax);
        return { { 0, 1, 2 }, false };
    }
    return {};
}

// The special-object marker pressed: it is selected and the type box, the bars, the note and
// the breakable-block box are set up for its type.
void frmRI3::stSelectSpecial(int index, double x, double y)
{
    const auto si = static_cast<size_t>(g.curStage);
    const auto ni = static_cast<size_t>(g.curSection);
    selSt = index - 31;
    PosPu[static_cast<size_t>(index)]->raise();
    cmbSt->Tag = "A";
    Hlight();
    cmbSt->setItemText(0, "Empty");
    cmbSt->setEnabled(true);
    specialRec &rec = t.specialTbl[si][ni][static_cast<size_t>(selSt)];
    const int type = rec[3];
    const bool vertical = t.vertFlag[si][ni] != 0;
    const int viewMax = t.vertFlag[si][ni] == 0 ? scrscroll->maximum() : scrvscroll->maximum();
    TypeSetup setup;
    msg::step(g, subMarkerDown, [&] { setup = setUpType(*this, rec, type, vertical, viewMax); });
    cmbSt->Tag.clear();
    for (int k : setup.refresh)
        scrSt_Change(k);
    if (setup.drag && noteStTag.isEmpty())
        startMarkerDrag(index, x, y);
    cmbSt->Tag.clear();
}
