#include "app/frmRI3.h"
#include "objects/PanelControls.h"
#include "special/MiscLayout.h"
#include "special/SpecialTypes.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

#include <QCheckBox>
#include <QLabel>
#include <QPixmap>

namespace {

constexpr int subProcessSt = 103;
constexpr int subBlock = 104;
constexpr int subCmbSt = 106;

} // namespace

// A marker laid where its place says; a marker outside the view keeps its old picture.
static void lay(frmRI3 &w, ctl::ImageBox *m, const objects::Place &p)
{
    if (!p.shown)
        return;
    twips::place(m, p.left, p.top, p.width, p.height);
    m->setPicture(w.datPicture(p.picture));
    m->setVisible(true);
}

// The view's scroll values and the section's form, as the markers are laid for them.
struct StView
{
    bool vertical = false;
    int h = 0;
    int v = 0;
};

// The staircases up to the list's end, each marker tagged with its slot.
static void layStairs(frmRI3 &w, const StView &view)
{
    const Shared &g = w.shared();
    const auto &stairs
        = w.tables().stairTbl[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)];
    for (int i = 0; i < stairSlots && stairs[static_cast<size_t>(i)][2] != 255; ++i) {
        ctl::ImageBox *m = w.markerLayer().at(i);
        m->setVisible(false);
        msg::step(g, subProcessSt, [&] {
            lay(w, m,
                special::stairPlace(stairs[static_cast<size_t>(i)], view.vertical, view.h, view.v));
        });
        m->Tag = QString::number(i);
    }
}

// The start point, when the section has one; shown only while it lies in the view.
static void layStart(frmRI3 &w, const StView &view)
{
    const Shared &g = w.shared();
    const StageTables &t = w.tables();
    const auto si = static_cast<size_t>(g.curStage);
    const auto ni = static_cast<size_t>(g.curSection);
    ctl::ImageBox *start = w.markerLayer().at(63);
    start->setVisible(false);
    const startRec &st = t.startTbl[si][ni];
    if (st.pos == 0)
        return;
    start->Tag.clear();
    msg::step(g, subProcessSt, [&] {
        const objects::Place p = special::startPlace(
            st, view.vertical, g.curStage, t.layoutLen[si][ni], view.h, view.v);
        if (p.shown)
            twips::place(start, p.left, p.top, p.width, p.height);
        start->setPicture(w.datPicture(p.picture));
        start->setVisible(p.shown);
    });
}

// The special objects up to the list's end; the frame follows the selected one.
static void laySpecials(frmRI3 &w, const StView &view)
{
    const Shared &g = w.shared();
    StageTables &t = w.tables();
    const auto si = static_cast<size_t>(g.curStage);
    const auto ni = static_cast<size_t>(g.curSection);
    if (t.specialIdx[si][ni] == 0)
        return;
    int counter = -1;
    for (int i = 0; i < 30; ++i) {
        ctl::ImageBox *m = w.markerLayer().at(31 + i);
        m->setVisible(false);
        specialRec &rec = t.specialTbl[si][ni][static_cast<size_t>(i)];
        if (rec[0] == 255)
            break;
        msg::step(g, subProcessSt, [&] {
            const objects::Place p = special::specialPlace(
                rec, view.vertical, view.h, view.v, g.stOffX, g.stOffY, counter);
            lay(w, m, p);
            if (p.shown)
                m->Tag = viewtext::hex2(i);
        });
    }
    if (w.cmbSt->currentIndex() != -1 && w.cmbSt->currentText() != "Staircase"
        && w.cmbSt->currentText() != "Starting Point")
        w.Hlight();
    else if (w.cmbSt->currentIndex() == -1 && w.markerLayer().frame()->isVisible())
        w.Hlight(); // an object of a type the list lacks: its frame follows it, or goes
}

// The two doors, when the section has them and they lie in the view.
static void layDoors(frmRI3 &w)
{
    const Shared &g = w.shared();
    const StageTables &t = w.tables();
    const int s = g.curStage;
    const int n = g.curSection;
    const auto si = static_cast<size_t>(s);
    const auto ni = static_cast<size_t>(n);
    if (t.doorPos[si][ni] == 0)
        return;
    msg::step(g, subProcessSt, [&] {
        const special::DoorPlace d = special::doorPlace(s, n, t.leftDoor[si][ni] != 0,
            t.door1[si][ni], t.door2[si][ni], w.scrscroll->value(), w.scrscroll->maximum());
        if (!d.shown) {
            w.markerLayer().at(62)->setVisible(false);
            w.markerLayer().at(61)->setVisible(false);
            return;
        }
        lay(w, w.markerLayer().at(62), { true, d.left, d.top1, 240, 1440, "door.dat" });
        lay(w, w.markerLayer().at(61), { true, d.left, d.top2, 240, 1440, "door2.dat" });
    });
}

void frmRI3::processSt()
{
    const int s = g.curStage;
    const int n = g.curSection;
    const StView view { t.vertFlag[static_cast<size_t>(s)][static_cast<size_t>(n)] != 0,
        scrscroll->value(), scrvscroll->value() };
    if (!(s == 1 && n >= 9)) {
        layStairs(*this, view);
        layStart(*this, view);
        laySpecials(*this, view);
    }
    layDoors(*this);
}

void frmRI3::cmbSt_Click()
{
    if (cmbSt->Tag == "A" || cmbSt->Tag == "B")
        return;
    const auto si = static_cast<size_t>(g.curStage);
    const auto ni = static_cast<size_t>(g.curSection);
    const bool vertical = t.vertFlag[si][ni] != 0;
    specialRec &rec = t.specialTbl[si][ni][static_cast<size_t>(selSt)];
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
    const ObjSnapshot before = objSnapshot();
    cmbSt->Tag = "B";
    scrSt[2]->setValue(0);
    cmbSt->Tag.clear();
    msg::step(g, subCmbSt, [&] {
        special::retype(rec, vertical, cmbSt->currentIndex(), g.stTemplates,
            t.layoutLen[si][ni] / (vertical ? 64 : 48));
    });
    ctl::ImageBox *m = m_markers->at(selSt + 31);
    twips::resize(m, 480, 480);
    msg::step(g, subCmbSt, [&] {
        if (special::isEmptySlot(rec))
            cmbSt->setItemText(0, "Empty");
        m->setPicture(datPicture(special::pictureOf(rec)));
    });
    modifIfChanged(before);
    noteStTag = "RR";
    PosPu_MouseDown(selSt + 31, 1, 0, 0);
    noteStTag.clear();
    processSt();
}

void frmRI3::chkBlockChange()
{
    const ObjSnapshot before = objSnapshot();
    msg::step(g, subBlock, [&] {
        special::setBlockFlag(t.specialTbl[static_cast<size_t>(g.curStage)][static_cast<size_t>(
                                  g.curSection)][static_cast<size_t>(selSt)],
            chkBlock->isChecked() ? 1 : 0);
    });
    modifIfChanged(before);
}

// A new section in the Miscellaneous mode: the type list of its kind, nothing selected.
void frmRI3::resetMiscPanel()
{
    const auto si = static_cast<size_t>(g.curStage);
    const auto ni = static_cast<size_t>(g.curSection);
    Hlight();
    // Resetting the bar for a new section is no edit of it.
    scrSt[2]->blockSignals(true);
    scrSt[2]->setValue(0);
    scrSt[2]->blockSignals(false);
    cmbSt->Tag = "A";
    cmbSt->setCurrentIndex(0);
    cmbSt->setEnabled(false);
    cmbSt->clear();
    for (const std::string &item :
        special::typeList(t.vertFlag[si][ni] != 0, scrscroll->isEnabled()))
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
