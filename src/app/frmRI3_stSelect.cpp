#include "app/frmRI3.h"
#include "special/PropertyBars.h"
#include "special/SpecialTypes.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

#include <QCheckBox>
#include <QLabel>

#include <map>

namespace {

constexpr int subMarkerDown = 138;

// What a type's set-up leaves to do: the bars whose read-outs are refreshed, the bars whose
// record value lies outside their range (the byte shown as it is), and whether the press
// starts a drag.
struct TypeSetup
{
    std::vector<int> refresh;
    std::map<int, int> odd; // bar -> the record's byte
    bool drag = false;
};

// A bar stands at `v` when the record's value fits its range; otherwise it is marked odd with
// the byte it cannot show, and the thumb rests at 0 until the user moves it.
void setBar(ctl::ScrollBar *bar, TypeSetup &setup, int index, int v, int byte)
{
    if (v >= 0 && v <= bar->maximum()) {
        bar->setValue(v);
        return;
    }
    bar->setValue(0);
    setup.odd[index] = byte;
}

} // namespace

// Bar 2 stands for the code the record holds.
static void codeBar(frmRI3 &w, const specialRec &rec, TypeSetup &setup)
{
    const special::CodeList *list = special::codeList(rec[3]);
    const int found = special::codeSearch(*list, rec);
    setBar(w.scrSt[2], setup, 2, found, rec[static_cast<size_t>(list->byte)]);
}

static void platformBars(frmRI3 &w, const specialRec &rec, TypeSetup &setup)
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
        setup.refresh.push_back(3);
    }
    w.scrSt[0]->setValue(rec[6] < 0x80 ? 1 : 0);
    setBar(w.scrSt[1], setup, 1, (rec[6] & 15) - 1, rec[6]);
    w.scrSt[2]->setValue(rec[5]);
}

static void pendulumBars(
    frmRI3 &w, const Shared &g, const specialRec &rec, int viewMax, TypeSetup &setup)
{
    bool off = false;
    w.scrSt[0]->setMaximum(1);
    w.scrSt[1]->setMaximum(3);
    w.scrSt[2]->setMaximum(special::bar2Max(5, viewMax, off));
    for (int k = 0; k < 3; ++k)
        w.scrSt[static_cast<size_t>(k)]->setEnabled(true);
    w.scrSt[0]->setValue(rec[6] >= 0x80 ? 1 : 0);
    int speed = -1;
    if (rec[6] <= 3)
        speed = rec[6];
    else if (rec[6] >= 252)
        speed = 255 - rec[6];
    setBar(w.scrSt[1], setup, 1, speed, rec[6]);
    int sample = -1;
    for (int j = 0; j <= 4; ++j)
        if (g.stTemplates[3][static_cast<size_t>(j)][5] == rec[5])
            sample = j;
    setBar(w.scrSt[2], setup, 2, sample, rec[5]);
}

// The type box shows list entry `listIndex` without taking it as a change of type.
static void pickType(frmRI3 &w, int listIndex)
{
    w.cmbSt->Tag = "B";
    w.cmbSt->setCurrentIndex(listIndex);
}

// Types with a code list, and type 4: bar 2 alone, unless the section is too short for it.
static TypeSetup codeTypeBars(
    frmRI3 &w, const specialRec &rec, int type, int listIndex, int max2, bool shortSection)
{
    pickType(w, listIndex);
    w.scrSt[0]->setEnabled(false);
    w.scrSt[1]->setEnabled(false);
    w.scrSt[2]->setEnabled(!shortSection);
    TypeSetup setup;
    if (shortSection)
        return setup;
    w.scrSt[2]->setMaximum(max2);
    if (type == 4)
        setBar(w.scrSt[2], setup, 2, rec[6] == 2 ? 1 : rec[6] == 5 ? 0 : -1, rec[6]);
    else
        codeBar(w, rec, setup);
    if (type == 6)
        w.noteSt->setText("Drag and drop enabled.");
    if (type == 7)
        w.noteSt->setText("Drag and drop enabled.\nLimitation : less than 3 of the same "
                          "instance (e.g. 07) per screen.");
    setup.refresh = { 2 };
    setup.drag = type == 6 || type == 7;
    return setup;
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
    TypeSetup setup;
    setBar(w.scrSt[2], setup, 2, (rec[4] >> 4) - 3, rec[4]);
    setup.refresh = { 2 };
    return setup;
}

// Types 16 and 17, the pairs with a breakable block: bar 2 and the block box.
static TypeSetup blockPairBars(frmRI3 &w, const specialRec &rec, int listIndex, bool vertical)
{
    pickType(w, listIndex);
    w.scrSt[0]->setEnabled(false);
    w.scrSt[1]->setEnabled(false);
    w.scrSt[2]->setEnabled(true);
    w.chkBlock->setText(!vertical ? "Block on top is breakable" : "Block below is breakable");
    w.noteSt->setText("Drag and drop enabled.\nLimitation : two pairs (4) per room, the two "
                      "at least one screen apart.");
    w.chkBlock->blockSignals(true); // showing the record's flag is no edit of it
    w.chkBlock->setChecked(rec[6] != 0);
    w.chkBlock->blockSignals(false);
    w.chkBlock->setVisible(true);
    w.scrSt[2]->setMaximum(4);
    TypeSetup setup;
    setBar(w.scrSt[2], setup, 2, rec[5], rec[5]);
    setup.refresh = { 2 };
    setup.drag = true;
    return setup;
}

// The type box and the bars set up for the selected record, whose type was `type`.
static TypeSetup setUpType(frmRI3 &w, const specialRec &rec, int type, bool vertical, int viewMax)
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
    TypeSetup setup;
    if (type == 11 || type == 12) {
        pickType(w, listIndex);
        platformBars(w, rec, setup);
        setup.refresh.insert(setup.refresh.end(), { 0, 1, 2 });
        setup.drag = true;
    } else if (type == 5) {
        pickType(w, listIndex);
        pendulumBars(w, w.shared(), rec, viewMax, setup);
        setup.refresh = { 0, 1, 2 };
    }
    return setup;
}

// The read-outs of bar k for the record as it is: the captions a move to the bar's value would
// show, computed on a copy, and for a value outside the bar's range the byte itself.
static void showBar(frmRI3 &w, int k, const specialRec &rec, const TypeSetup &setup)
{
    Shared &g = w.shared();
    specialRec copy = rec;
    special::BarChange shown;
    msg::step(g, subMarkerDown, [&] {
        special::BarInputs in;
        in.bar0 = w.scrSt[0]->value();
        in.showOnly = true;
        shown = special::barChanged(
            k, w.scrSt[static_cast<size_t>(k)]->value(), copy, g.stTemplates, in, w.speedTiles);
    });
    for (size_t i = 0; i < shown.captions.size(); ++i)
        if (shown.captions[i])
            w.lblSt[i]->setText(QString::fromStdString(*shown.captions[i]));
    const auto odd = setup.odd.find(k);
    if (odd != setup.odd.end()) {
        static const int valueLabel[4] = { 4, 5, 6, 8 };
        w.lblSt[static_cast<size_t>(valueLabel[k])]->setText(
            QString::fromStdString(special::oddCaption(odd->second)));
    }
    if (k == 3) {
        w.lblSt[7]->raise();
        w.lblSt[8]->raise();
    }
}

// The type box, the bars, the note and the breakable-block box show the selected special
// object; nothing is written into its record. Returns whether the type is dragged.
bool frmRI3::showSpecial(int index)
{
    const auto si = static_cast<size_t>(g.curStage);
    const auto ni = static_cast<size_t>(g.curSection);
    selSt = index - 31;
    m_markers->at(index)->raise();
    cmbSt->Tag = "A";
    Hlight();
    cmbSt->setItemText(0, "Empty");
    cmbSt->setEnabled(true);
    const specialRec &rec = t.specialTbl[si][ni][static_cast<size_t>(selSt)];
    const int type = rec[3];
    const bool vertical = t.vertFlag[si][ni] != 0;
    const int viewMax = t.vertFlag[si][ni] == 0 ? scrscroll->maximum() : scrvscroll->maximum();
    TypeSetup setup;
    cmbSt->Tag = "B";
    msg::step(g, subMarkerDown, [&] { setup = setUpType(*this, rec, type, vertical, viewMax); });
    for (int k : setup.refresh)
        showBar(*this, k, rec, setup);
    cmbSt->Tag.clear();
    return setup.drag;
}

// The special-object marker pressed: it is selected and shown; some types start a drag.
void frmRI3::stSelectSpecial(int index, double x, double y)
{
    if (showSpecial(index) && noteStTag.isEmpty())
        m_markers->startMarkerDrag(index, x, y);
}
