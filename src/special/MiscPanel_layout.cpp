#include "model/RomDocument.h"
#include "model/objects/MiscLayout.h"
#include "model/objects/SpecialTypes.h"
#include "objects/PanelControls.h"
#include "special/MiscPanel.h"
#include "stage/StageTables.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

#include <QCheckBox>
#include <QLabel>
#include <QPixmap>

namespace special {

// The view's scroll values and the section's form, as the markers are laid for them.
struct StView
{
    bool vertical = false;
    int h = 0;
    int v = 0;
    int screens = 1;
};

} // namespace special

using special::StView;

namespace {

constexpr int subProcessSt = 103;
constexpr int subBlock = 104;
constexpr int subCmbSt = 106;

} // namespace

// A marker laid where its place says; a marker outside the view keeps its old picture.
void MiscPanel::lay(ctl::ImageBox *m, const objects::Place &p)
{
    if (!p.shown)
        return;
    twips::place(m, p.left, p.top, p.width, p.height);
    m->setPicture(datPicture(p.picture));
    m->setVisible(true);
}

// The staircases up to the list's end, each marker tagged with its slot.
void MiscPanel::layStairs(const StView &view)
{
    const auto &stairs = t.stairTbl[static_cast<size_t>(romDoc.shown().curStage)]
                                   [static_cast<size_t>(romDoc.shown().curSection)];
    for (int i = 0; i < stairSlots && stairs[static_cast<size_t>(i)][2] != 255; ++i) {
        ctl::ImageBox *m = markers.at(i);
        m->setVisible(false);
        msg::step(romDoc, subProcessSt, [&] {
            lay(m,
                special::stairPlace(
                    stairs[static_cast<size_t>(i)], view.vertical, view.h, view.v, view.screens));
        });
        m->Tag = QString::number(i);
    }
}

// The start point, when the section has one; shown only while it lies in the view.
void MiscPanel::layStart(const StView &view)
{
    const auto si = static_cast<size_t>(romDoc.shown().curStage);
    const auto ni = static_cast<size_t>(romDoc.shown().curSection);
    ctl::ImageBox *start = markers.at(63);
    start->setVisible(false);
    const startRec &st = t.startTbl[si][ni];
    if (st.pos == 0)
        return;
    start->Tag.clear();
    msg::step(romDoc, subProcessSt, [&] {
        const objects::Place p = special::startPlace(
            st, view.vertical, romDoc.shown().curStage, t.layoutLen[si][ni], view.h, view.v);
        if (p.shown)
            twips::place(start, p.left, p.top, p.width, p.height);
        start->setPicture(datPicture(p.picture));
        start->setVisible(p.shown);
    });
}

// The special objects up to the list's end; the frame follows the selected one.
void MiscPanel::laySpecials(const StView &view)
{
    const auto si = static_cast<size_t>(romDoc.shown().curStage);
    const auto ni = static_cast<size_t>(romDoc.shown().curSection);
    if (t.specialIdx[si][ni] == 0)
        return;
    // Laying a marker tidies its record's bytes (block pair numbers, trap door codes); that is
    // done on a copy, so looking changes nothing: the tidying reaches the tables with an edit of
    // the list (MiscPanel::edit).
    std::array<specialRec, specialSlots> shown = t.specialTbl[si][ni];
    int counter = -1;
    for (int i = 0; i < 30; ++i) {
        ctl::ImageBox *m = markers.at(31 + i);
        m->setVisible(false);
        specialRec &rec = shown[static_cast<size_t>(i)];
        if (rec[0] == 255)
            break;
        msg::step(romDoc, subProcessSt, [&] {
            const objects::Place p = special::specialPlace(rec, view.vertical, view.h, view.v,
                view.screens, romDoc.tables().stOffX, romDoc.tables().stOffY, counter);
            lay(m, p);
            if (p.shown)
                m->Tag = viewtext::hex2(i);
        });
    }
    if (cmbSt->currentIndex() != -1 && cmbSt->currentText() != "Staircase"
        && cmbSt->currentText() != "Starting Point")
        Hlight();
    else if (cmbSt->currentIndex() == -1 && markers.frame()->isVisible())
        Hlight(); // an object of a type the list lacks: its frame follows it, or goes
}

// The two doors, when the section has them and they lie in the view.
void MiscPanel::layDoors()
{
    const int s = romDoc.shown().curStage;
    const int n = romDoc.shown().curSection;
    const auto si = static_cast<size_t>(s);
    const auto ni = static_cast<size_t>(n);
    if (t.doorPos[si][ni] == 0)
        return;
    msg::step(romDoc, subProcessSt, [&] {
        const special::DoorPlace d = special::doorPlace(s, n, t.leftDoor[si][ni] != 0,
            t.door1[si][ni], t.door2[si][ni], host.hBar().value, host.hBar().maximum);
        if (!d.shown) {
            markers.at(62)->setVisible(false);
            markers.at(61)->setVisible(false);
            return;
        }
        lay(markers.at(62), { true, d.left, d.top1, 240, 1440, "door.dat" });
        lay(markers.at(61), { true, d.left, d.top2, 240, 1440, "door2.dat" });
    });
}

void MiscPanel::processSt()
{
    const int s = romDoc.shown().curStage;
    const int n = romDoc.shown().curSection;
    const StView view { t.vertFlag[static_cast<size_t>(s)][static_cast<size_t>(n)] != 0,
        host.hBar().value, host.vBar().value, sectionScreens() };
    if (!(s == 1 && n >= 9)) {
        layStairs(view);
        layStart(view);
        laySpecials(view);
    }
    layDoors();
}

void MiscPanel::cmbSt_Click()
{
    if (cmbSt->Tag == "A" || cmbSt->Tag == "B")
        return;
    const auto si = static_cast<size_t>(romDoc.shown().curStage);
    const auto ni = static_cast<size_t>(romDoc.shown().curSection);
    const bool vertical = t.vertFlag[si][ni] != 0;
    const specialRec &rec = t.specialTbl[si][ni][static_cast<size_t>(selSt)];
    const bool bridge = cmbSt->itemText(0) == "Crumbling Bridge";
    const int shown = rec[3] == 0 ? 0 : special::indexOfType(vertical, rec[3]);
    if (!bridge && cmbSt->currentIndex() == shown)
        return; // the type the object has: nothing to rebuild
    if (bridge) {
        const char *text = cmbSt->currentIndex() != 0
            ? "This special object, if changed to another type, cannot be recovered once you save "
              "changes. Continue anyway?"
            : "This will replace the object with an empty slot, but the object may not be "
              "recovered after you save changes. Continue anyway?";
        if (msg::box(text, msg::QuestionYesNo, "Crumbling Bridge") == msg::No) {
            cmbSt->Tag = "A";
            cmbSt->setCurrentIndex(0);
            cmbSt->setItemText(0, "Crumbling Bridge");
            cmbSt->Tag.clear();
            return;
        }
    }
    edit([&](StageTables &edit) {
        cmbSt->Tag = "B";
        scrSt[2]->setValue(0);
        cmbSt->Tag.clear();
        msg::step(romDoc, subCmbSt, [&] {
            special::retype(edit.specialTbl[si][ni][static_cast<size_t>(selSt)], vertical,
                cmbSt->currentIndex(), romDoc.tables().stTemplates,
                t.layoutLen[si][ni] / (vertical ? 64 : 48));
        });
        ctl::ImageBox *m = markers.at(selSt + 31);
        twips::resize(m, 480, 480);
        msg::step(romDoc, subCmbSt, [&] {
            if (special::isEmptySlot(rec))
                cmbSt->setItemText(0, "Empty");
            m->setPicture(datPicture(special::pictureOf(rec)));
        });
    });
    noteStTag = "RR";
    PosPu_MouseDown(selSt + 31, 1, 0, 0);
    noteStTag.clear();
    // The new object takes what its bars show where its record holds a byte they do not
    // offer, as the refresh of a bar stores it, so no new object starts "Out of range".
    const std::vector<int> odd = oddBars;
    for (int k : odd)
        scrSt_Change(k);
    // A type that takes one of the game's places may have moved the object to another screen.
    if (barPlaces)
        viewFollows();
    processSt();
}

bool MiscPanel::edit(const std::function<void(StageTables &)> &change)
{
    const auto si = static_cast<size_t>(romDoc.shown().curStage);
    const auto ni = static_cast<size_t>(romDoc.shown().curSection);
    return host.objectEdit([&](StageTables &e) {
        const std::array<specialRec, specialSlots> before = e.specialTbl[si][ni];
        change(e);
        if (e.specialTbl[si][ni] == before)
            return;
        // The user's edit touched the list: it is written tidied, as its markers show it.
        const bool vertical = t.vertFlag[si][ni] != 0;
        int counter = -1;
        for (specialRec &rec : e.specialTbl[si][ni]) {
            if (rec[0] == 255)
                break;
            special::specialPlace(
                rec, vertical, 0, 0, 1, romDoc.tables().stOffX, romDoc.tables().stOffY, counter);
        }
    });
}

void MiscPanel::chkBlockChange()
{
    edit([&](StageTables &edit) {
        msg::step(romDoc, subBlock, [&] {
            special::setBlockFlag(
                edit.specialTbl[static_cast<size_t>(romDoc.shown().curStage)][static_cast<size_t>(
                    romDoc.shown().curSection)][static_cast<size_t>(selSt)],
                chkBlock->isChecked() ? 1 : 0);
        });
    });
}

// A new section in the Miscellaneous mode: the type list of its kind, nothing selected.
void MiscPanel::resetMiscPanel()
{
    const auto si = static_cast<size_t>(romDoc.shown().curStage);
    const auto ni = static_cast<size_t>(romDoc.shown().curSection);
    Hlight();
    // Resetting the bar for a new section is no edit of it.
    scrSt[2]->blockSignals(true);
    scrSt[2]->setValue(0);
    scrSt[2]->blockSignals(false);
    cmbSt->Tag = "A";
    cmbSt->setCurrentIndex(0);
    cmbSt->setEnabled(false);
    cmbSt->clear();
    for (const std::string &item : special::typeList(t.vertFlag[si][ni] != 0, host.hBar().enabled))
        cmbSt->addItem(QString::fromStdString(item));
    cmbSt->setCurrentIndex(-1);
    cmbSt->Tag.clear();
    chkBlock->setVisible(false);
    for (int i = 0; i < 3; ++i) {
        scrSt[static_cast<size_t>(i)]->setEnabled(false);
        lblSt[static_cast<size_t>(i + 4)]->clear();
    }
    lblSt[7]->clear();
    lblSt[8]->clear();
    scrSt[3]->setVisible(false);
}
