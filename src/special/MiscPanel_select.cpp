#include "model/RomDocument.h"
#include "model/objects/PropertyBars.h"
#include "model/objects/SpecialTypes.h"
#include "special/MiscPanel.h"
#include "stage/StageTables.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

#include <QCheckBox>
#include <QLabel>

#include <map>

namespace special {

// What a type's set-up leaves to do: the bars whose read-outs are refreshed, the bars whose
// record value lies outside their range (the byte shown as it is), and whether the press
// starts a drag.
struct TypeSetup
{
    std::vector<int> refresh;
    std::map<int, int> odd; // bar -> the record's byte
    bool drag = false;
};

} // namespace special

using special::TypeSetup;

namespace {

constexpr int subMarkerDown = 138;

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
void MiscPanel::codeBar(const specialRec &rec, TypeSetup &setup)
{
    const special::CodeList *list = special::codeList(rec[3]);
    const int found = special::codeSearch(*list, rec);
    setBar(scrSt[2], setup, 2, found, rec[static_cast<size_t>(list->byte)]);
}

void MiscPanel::platformBars(const specialRec &rec, TypeSetup &setup)
{
    noteSt->setText("\n\n\n\nDrag & drop enabled.");
    scrSt[0]->setMaximum(1);
    scrSt[1]->setMaximum(2);
    scrSt[2]->setMaximum(255);
    scrSt[2]->setPageStep(8);
    for (int k = 0; k < 3; ++k)
        scrSt[static_cast<size_t>(k)]->setEnabled(true);
    if (rec[3] == 12) {
        lblSt[7]->setVisible(true);
        lblSt[8]->setVisible(true);
        scrSt[3]->setVisible(true);
        scrSt[3]->setEnabled(true);
        scrSt[3]->setValue(rec[2]);
        setup.refresh.push_back(3);
    }
    scrSt[0]->setValue(rec[6] < 0x80 ? 1 : 0);
    setBar(scrSt[1], setup, 1, (rec[6] & 15) - 1, rec[6]);
    scrSt[2]->setValue(rec[5]);
}

void MiscPanel::pendulumBars(const specialRec &rec, int viewMax, TypeSetup &setup)
{
    bool off = false;
    scrSt[0]->setMaximum(1);
    scrSt[1]->setMaximum(3);
    scrSt[2]->setMaximum(special::bar2Max(5, viewMax, off));
    for (int k = 0; k < 3; ++k)
        scrSt[static_cast<size_t>(k)]->setEnabled(true);
    scrSt[0]->setValue(rec[6] >= 0x80 ? 1 : 0);
    int speed = -1;
    if (rec[6] <= 3)
        speed = rec[6];
    else if (rec[6] >= 252)
        speed = 255 - rec[6];
    setBar(scrSt[1], setup, 1, speed, rec[6]);
    int sample = -1;
    for (int j = 0; j <= 4; ++j)
        if (romDoc.tables().stTemplates[3][static_cast<size_t>(j)][5] == rec[5])
            sample = j;
    setBar(scrSt[2], setup, 2, sample, rec[5]);
}

// The type box shows list entry `listIndex` without taking it as a change of type. A record
// of a type the section's list does not offer (Scrolling Ledges where the view cannot scroll)
// still shows it: the entry is added for it, and goes with the next selection.
void MiscPanel::pickType(int listIndex)
{
    cmbSt->Tag = "B";
    const bool vertical = t.vertFlag[static_cast<size_t>(romDoc.shown().curStage)]
                                    [static_cast<size_t>(romDoc.shown().curSection)]
        != 0;
    const std::vector<std::string> all = special::typeList(vertical, true);
    if (listIndex == cmbSt->count() && listIndex < static_cast<int>(all.size()))
        cmbSt->addItem(QString::fromStdString(all[static_cast<size_t>(listIndex)]));
    cmbSt->setCurrentIndex(listIndex);
}

// Types with a code list, and type 4: bar 2 alone, unless the section is too short for it.
TypeSetup MiscPanel::codeTypeBars(
    const specialRec &rec, int type, int listIndex, int max2, bool shortSection)
{
    pickType(listIndex);
    scrSt[0]->setEnabled(false);
    scrSt[1]->setEnabled(false);
    scrSt[2]->setEnabled(!shortSection);
    TypeSetup setup;
    if (shortSection)
        return setup;
    scrSt[2]->setMaximum(max2);
    if (type == 4)
        setBar(scrSt[2], setup, 2, rec[6] == 2 ? 1 : rec[6] == 5 ? 0 : -1, rec[6]);
    else
        codeBar(rec, setup);
    if (type == 6)
        noteSt->setText("Drag and drop enabled.");
    if (type == 7)
        noteSt->setText("Drag and drop enabled.\nLimitation : less than 3 of the same "
                        "instance (e.g. 07) per screen.");
    setup.refresh = { 2 };
    setup.drag = type == 6 || type == 7;
    return setup;
}

// An empty slot: no bar to set.
void MiscPanel::emptySlotBars()
{
    pickType(0);
    for (int k = 0; k < 3; ++k) {
        scrSt[static_cast<size_t>(k)]->setEnabled(false);
        lblSt[static_cast<size_t>(k + 4)]->clear();
    }
}

// A crumbling bridge (type 0 with a length): bar 2 is its length.
TypeSetup MiscPanel::bridgeBars(const specialRec &rec, int max2)
{
    cmbSt->Tag = "B";
    cmbSt->setItemText(0, "Crumbling Bridge");
    cmbSt->setCurrentIndex(0);
    scrSt[2]->setEnabled(true);
    scrSt[2]->setMaximum(max2);
    TypeSetup setup;
    setBar(scrSt[2], setup, 2, (rec[4] >> 4) - 3, rec[4]);
    setup.refresh = { 2 };
    return setup;
}

// Types 16 and 17, the pairs with a breakable block: bar 2 and the block box.
TypeSetup MiscPanel::blockPairBars(const specialRec &rec, int listIndex, bool vertical)
{
    pickType(listIndex);
    scrSt[0]->setEnabled(false);
    scrSt[1]->setEnabled(false);
    scrSt[2]->setEnabled(true);
    chkBlock->setText(!vertical ? "Block on top is breakable" : "Block below is breakable");
    noteSt->setText("Drag and drop enabled.\nLimitation : two pairs (4) per room, the two "
                    "at least one screen apart.");
    chkBlock->blockSignals(true); // showing the record's flag is no edit of it
    chkBlock->setChecked(rec[6] != 0);
    chkBlock->blockSignals(false);
    chkBlock->setVisible(true);
    scrSt[2]->setMaximum(4);
    TypeSetup setup;
    setBar(scrSt[2], setup, 2, rec[5], rec[5]);
    setup.refresh = { 2 };
    setup.drag = true;
    return setup;
}

// The type box and the bars set up for the selected record, whose type was `type`.
TypeSetup MiscPanel::setUpType(const specialRec &rec, int type, bool vertical, int viewMax)
{
    const int listIndex = type == 0 ? 0 : special::indexOfType(vertical, type);
    bool shortSection = false;
    const int max2 = special::bar2Max(type, viewMax, shortSection);
    if (special::codeList(type) || type == 4)
        return codeTypeBars(rec, type, listIndex, max2, shortSection);
    if (type == 0 && rec[4] <= 0x20) {
        emptySlotBars();
        return {};
    }
    if (type == 0)
        return bridgeBars(rec, max2);
    if (type == 16 || type == 17)
        return blockPairBars(rec, listIndex, vertical);
    TypeSetup setup;
    if (type == 11 || type == 12) {
        pickType(listIndex);
        platformBars(rec, setup);
        setup.refresh.insert(setup.refresh.end(), { 0, 1, 2 });
        setup.drag = true;
    } else if (type == 5) {
        pickType(listIndex);
        pendulumBars(rec, viewMax, setup);
        setup.refresh = { 0, 1, 2 };
    }
    return setup;
}

// The read-outs of bar k for the record as it is: the captions a move to the bar's value would
// show, computed on a copy, and for a value outside the bar's range the byte itself. Returns
// whether the bar names the object's place, which the view follows.
bool MiscPanel::showBar(int k, const specialRec &rec, const TypeSetup &setup)
{
    specialRec copy = rec;
    special::BarChange shown;
    msg::step(romDoc, subMarkerDown, [&] {
        special::BarInputs in;
        in.bar0 = scrSt[0]->value();
        in.showOnly = true;
        shown = special::barChanged(k, scrSt[static_cast<size_t>(k)]->value(), copy,
            romDoc.tables().stTemplates, in, speedTiles);
    });
    for (size_t i = 0; i < shown.captions.size(); ++i)
        if (shown.captions[i])
            lblSt[i]->setText(QString::fromStdString(*shown.captions[i]));
    const auto odd = setup.odd.find(k);
    if (odd != setup.odd.end()) {
        static const int valueLabel[4] = { 4, 5, 6, 8 };
        lblSt[static_cast<size_t>(valueLabel[k])]->setText(
            QString::fromStdString(special::oddCaption(odd->second)));
    }
    if (k == 3) {
        lblSt[7]->raise();
        lblSt[8]->raise();
    }
    return shown.followView;
}

// The type box, the bars, the note and the breakable-block box show the selected special
// object; nothing is written into its record. Returns whether the type is dragged.
bool MiscPanel::showSpecial(int index)
{
    const auto si = static_cast<size_t>(romDoc.shown().curStage);
    const auto ni = static_cast<size_t>(romDoc.shown().curSection);
    selSt = index - 31;
    markers.at(index)->raise();
    cmbSt->Tag = "A";
    Hlight();
    cmbSt->setItemText(0, "Empty");
    cmbSt->setEnabled(true);
    const specialRec &rec = t.specialTbl[si][ni][static_cast<size_t>(selSt)];
    const int type = rec[3];
    const bool vertical = t.vertFlag[si][ni] != 0;
    const int viewMax = t.vertFlag[si][ni] == 0 ? host.hBar().maximum : host.vBar().maximum;
    TypeSetup setup;
    cmbSt->Tag = "B";
    // Only the types the section takes are offered for a change.
    const auto offered = static_cast<int>(special::typeList(vertical, host.hBar().enabled).size());
    while (cmbSt->count() > offered)
        cmbSt->removeItem(cmbSt->count() - 1);
    msg::step(romDoc, subMarkerDown, [&] { setup = setUpType(rec, type, vertical, viewMax); });
    barPlaces = false;
    for (int k : setup.refresh)
        barPlaces = showBar(k, rec, setup) || barPlaces;
    oddBars.clear();
    for (const auto &odd : setup.odd)
        oddBars.push_back(odd.first);
    cmbSt->Tag.clear();
    return setup.drag;
}

// The special-object marker pressed: it is selected and shown; some types start a drag.
void MiscPanel::stSelectSpecial(int index, double x, double y)
{
    if (showSpecial(index) && noteStTag.isEmpty())
        markers.startMarkerDrag(index, x, y);
}
