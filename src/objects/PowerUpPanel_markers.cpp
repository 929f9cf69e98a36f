#include "model/RomDocument.h"
#include "model/objects/ObjectEdit.h"
#include "model/objects/PowerUps.h"
#include "objects/PanelControls.h"
#include "objects/PowerUpPanel.h"
#include "stage/StageTables.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

namespace {

constexpr int subDragOver = 109;
constexpr int subMarkerDown = 138;
constexpr int subMarkerMove = 139;
constexpr int subItemDown = 140;
constexpr int subItemMove = 141;

int tagNumber(const QString &tag)
{
    return static_cast<int>(num::hexVal(tag.toStdString()));
}

// A value that may fall below 0 shows as the four digits of a 16-bit integer.
QString hex16(long long v)
{
    return viewtext::hex2(v < 0 ? (v & 0xFFFF) : v);
}

} // namespace

// A proposal placed into its column pair: the pair's byte takes the preset number and the
// pair's item stands where the proposal stood.
void PowerUpPanel::placeProposal(StageTables &edit, int index)
{
    const int i = index / 16;
    const bool enemy = holderKind == objects::enemyKind;
    ctl::ImageBox *m = markers.at(index);
    const int n = tagNumber(m->Tag);
    std::string &cols = edit.puStr[static_cast<size_t>(romDoc.shown().curStage)]
                                  [static_cast<size_t>(romDoc.shown().curSection)];
    cols.at(static_cast<size_t>(host.hBar().value + 2 * i + (enemy ? 0 : 1)))
        = static_cast<char>(num::toByte(n));
    for (int k = 16 * i; k < 16 * i + 16; ++k)
        markers.at(k)->setVisible(false);
    ctl::ImageBox *item = powerUp[static_cast<size_t>(i)];
    twips::place(item, twips::left(m), twips::top(m), 480, 480);
    if (!enemy)
        item->setPicture(
            datPicture("pu" + imgPu[static_cast<size_t>(selPu)]->Tag.toStdString() + ".dat"));
    else
        item->setPicture(datPicture(n < 208 ? "en.dat" : "en2.dat"));
    item->raise();
    item->setVisible(true);
    item->Tag = m->Tag;
    if (enemy) {
        const QString name = lstEnemy->currentItem() ? lstEnemy->currentItem()->text() : QString();
        item->setToolTip(name);
        ModeLabel *label = lblEn[static_cast<size_t>(i)];
        twips::move(
            label, twips::left(item) + objects::labelShift, twips::top(item) + objects::labelShift);
        label->raise();
        label->setText(viewtext::hex2(romDoc.tables().enPresets[static_cast<size_t>(n)][2]));
        label->setVisible(true);
        label->setToolTip(name);
    }
    puKinds[static_cast<size_t>(i)] = holderKind;
}

// The preset window on `preset`, then the proposals of the current choice on the page kept.
// When the window found the ROM file changed and it is to be loaded again, that is all.
void PowerUpPanel::editPresets(bool enemies, int preset)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int page = puScroll->value();
    openPresets(enemies, preset);
    QApplication::restoreOverrideCursor();
    if (romDoc.reloadAsked) {
        host.reloadIfAsked();
        return;
    }
    if (!enemies)
        imgPu_MouseDown(selPu, 1);
    else
        lstEnemy_MouseDown(1);
    puScroll->setValue(std::min(page, puScroll->maximum()));
    ProcessPu();
}

void PowerUpPanel::PosPu_MouseDown(int index, int button, double x, double y)
{
    if (!isVertical()) {
        if (button == 1) {
            // The byte is written before the pictures are loaded: a picture that fails to
            // load does not undo the edit.
            host.objectEdit([&](StageTables &edit) {
                msg::step(romDoc, subMarkerDown, [&] { placeProposal(edit, index); });
            });
        } else if (button == 2) {
            editPresets(
                holderKind == objects::enemyKind, proposal(16 * puScroll->value() + index % 16));
        }
        return;
    }
    selectSlot(index);
    optPuTag = "Dragged";
    chkInverseTag.clear();
    markers.startMarkerDrag(index, x, y);
}

// A holder slot: the holder kinds and the power-ups, its content lit.
void PowerUpPanel::showSlotHolder(const objRec &r)
{
    const int rel = release();
    markers.frame()->setOpaque(true);
    lightCandle(objects::holderKindOf(r[3], rel));
    chkInverse->setVisible(false);
    lstEnemy->setVisible(false);
    host.showSpriteButtons(false);
    for (ctl::ImageBox *e : imgPu)
        e->setVisible(true);
    lightPowerUp(objects::puIndexOf(r[4], rel));
}

// An enemy slot: its facing, and the enemy list on its row.
void PowerUpPanel::showSlotEnemy(const objRec &r)
{
    markers.frame()->setOpaque(false);
    chkInverseTag = "!!";
    chkInverse->setChecked(r[6] % 2 == 1);
    chkInverseTag.clear();
    chkInverse->setVisible(objects::hasFacing(r[3]));
    chkInverse->raise();
    for (ctl::ImageBox *e : imgPu)
        e->setVisible(false);
    lstEnemy->setVisible(true);
    host.showSpriteButtons(true);
    lightCandle(objects::enemyKind);
    msg::step(romDoc, subMarkerDown, [&] { host.choice()->setPicture(datPicture("ca3.dat")); });
    int row = -1;
    const int rows = std::min(lstEnemy->count(), 73 - release());
    for (int j = 0; j < rows; ++j)
        if (lstEnemy->idOfRow(j) == r[3])
            row = j;
    lstEnemy->setCurrentRow(row);
}

// Object-list sections: slot `index` selected, the palette showing what it holds. The slot's
// bytes are shown as they are: a code the palette does not have lights nothing, and nothing
// is written back.
void PowerUpPanel::selectSlot(int index)
{
    lblProposal->setVisible(false);
    selEn = index;
    Hlight();
    const objRec &r = slot(index);
    if (r[3] >= 0x80)
        showSlotHolder(r);
    else
        showSlotEnemy(r);
}

void PowerUpPanel::powerUp_MouseDown(int index, int button)
{
    if (isVertical())
        return; // column items belong to column sections only
    const bool enemy = holderKind == objects::enemyKind;
    if (button == 1) {
        // The section is marked only when the item held something: clearing an empty one
        // changes no byte.
        host.objectEdit([&](StageTables &edit) {
            msg::step(romDoc, subItemDown, [&] {
                std::string &cols = edit.puStr[static_cast<size_t>(romDoc.shown().curStage)]
                                              [static_cast<size_t>(romDoc.shown().curSection)];
                cols.at(static_cast<size_t>(2 * index + host.hBar().value + (enemy ? 0 : 1)))
                    = '\0';
            });
        });
        ProcessPu();
    } else if (button == 2) {
        int preset = 0;
        if (msg::step(romDoc, subItemDown,
                [&] { preset = tagNumber(powerUp[static_cast<size_t>(index)]->Tag); }))
            editPresets(holderKind == objects::enemyKind, preset);
    }
}

void PowerUpPanel::lblEn_MouseDown(int index, int button)
{
    const int16_t form = t.vertFlag[static_cast<size_t>(romDoc.shown().curStage)]
                                   [static_cast<size_t>(romDoc.shown().curSection)];
    if (form == 0)
        powerUp_MouseDown(index, button);
    else if (form == -1)
        PosPu_MouseDown(index, button, 0, 0);
}

void PowerUpPanel::powerUp_MouseMove(int index)
{
    msg::step(romDoc, subItemMove, [&] {
        const ModeHost::ReadOuts out = host.readOuts();
        const int k = puKinds[static_cast<size_t>(index)];
        const QString tag = powerUp[static_cast<size_t>(index)]->Tag;
        const auto n = static_cast<size_t>(tagNumber(tag) & 0xFF);
        out.offset->setText(objects::kindName(k));
        out.val->setText(tag.right(2));
        if (k < objects::enemyKind) {
            out.pat1->setText(viewtext::hex2(romDoc.tables().puPresets[n][0]));
            out.pat2->setText(hex16(romDoc.tables().puPresets[n][1] - 40));
        } else {
            out.pat1->setText(viewtext::hex2(romDoc.tables().enPresets[n][0]));
            out.pat2->setText(hex16(romDoc.tables().enPresets[n][1] - 40));
        }
    });
}

void PowerUpPanel::PosPu_MouseMove(int index)
{
    msg::step(romDoc, subMarkerMove, [&] {
        const ModeHost::ReadOuts out = host.readOuts();
        ctl::ImageBox *m = markers.at(index);
        if (t.vertFlag[static_cast<size_t>(romDoc.shown().curStage)]
                      [static_cast<size_t>(romDoc.shown().curSection)]
            == 0)
            m->raise();
        if (isVertical()) {
            out.val->setText(m->Tag);
            return;
        }
        const auto p = static_cast<size_t>(tagNumber(m->Tag) & 0xFF);
        out.val->setText(m->Tag.right(2));
        if (holderKind != objects::enemyKind) {
            NamePu(selPu);
            out.pat1->setText(viewtext::hex2(romDoc.tables().puPresets[p][0]));
            out.pat2->setText(hex16(romDoc.tables().puPresets[p][1] - 40));
        } else {
            const int e = selectedEnemyId();
            out.offset->setText("Enemy " + viewtext::hex2(e));
            out.pat1->setText(viewtext::hex2(romDoc.tables().enPresets[p][0]));
            out.pat2->setText(hex16(romDoc.tables().enPresets[p][1] - 32
                + objects::enemyOffset(romDoc.tables().enOffY, e)));
        }
    });
}

// The object of the dragged marker follows it; the marker (and an enemy's code label) moves,
// takes the object's size and picture, and the frame follows.
void PowerUpPanel::dragOver(ctl::ImageBox *source, int tx, int ty)
{
    host.objectEdit([&](StageTables &edit) {
        const int src = source->index();
        dragmath::Errors errors;
        objRec &rec = slot(edit, src);
        const objects::ObjDrag d = objects::dragObject(rec, tx, ty, twips::left(source),
            twips::top(source), host.vBar().value, romDoc.tables().enOffY, release(), errors);
        if (d.moved) {
            twips::move(source, d.left, d.top);
            if (objects::showsCode(rec[3], release())) {
                ModeLabel *label = lblEn[static_cast<size_t>(src & 31)];
                twips::move(label, d.left + objects::labelShift, d.top + objects::labelShift);
                label->raise();
            }
        }
        if (d.width)
            twips::resize(source, d.width, source->height() * 15);
        if (d.height)
            twips::resize(source, source->width() * 15, d.height);
        if (!d.picture.empty())
            msg::step(romDoc, subDragOver, [&] { source->setPicture(datPicture(d.picture)); });
        if (d.enemy)
            Hlight();
        else
            markers.frame()->setVisible(false);
        objects::showErrors(subDragOver, errors);
    });
}

void PowerUpPanel::scrvscroll_DragDrop(ctl::ImageBox *source, double y)
{
    const auto si = static_cast<size_t>(romDoc.shown().curStage);
    const auto ni = static_cast<size_t>(romDoc.shown().curSection);
    if (t.vertFlag[si][ni] != -1 || host.mode() != ModeHost::Mode::PowerUps)
        return;
    int screen = 0;
    msg::step(romDoc, 150, [&] {
        screen = objects::barScreen(y, host.vBar().twips.height(), t.layoutLen[si][ni], 64);
    });
    host.objectEdit([&](StageTables &edit) {
        objects::dropObject(
            edit.enemyTbl[si][ni][static_cast<size_t>(source->index() & 31)], screen);
    });
    detPu();
}

void PowerUpPanel::unDrag()
{
    if (host.mode() == ModeHost::Mode::PowerUps
        && t.vertFlag[static_cast<size_t>(romDoc.shown().curStage)]
                     [static_cast<size_t>(romDoc.shown().curSection)]
            == -1) {
        detPu();
        optPuTag.clear();
    }
}

// Where an object placed in the column pair under the pointer would go.
void PowerUpPanel::puReadOut(int index, double x, double y)
{
    const ModeHost::ReadOuts out = host.readOuts();
    const auto s = static_cast<size_t>(romDoc.shown().curStage);
    const auto n = static_cast<size_t>(romDoc.shown().curSection);
    const int c = (index % 8) & ~1;
    long long off = t.enemyPos[s][n] + host.hBar().value + c + 2;
    if (holderKind == objects::enemyKind)
        off -= 1;
    out.offset->setText("Offset " + viewtext::hex(off));
    out.val->clear();
    out.patterns->setText("[x, y]");
    const double tx = x / 30;
    long long xv = holderKind != objects::enemyKind
        ? num::roundEven(tx - static_cast<double>(num::roundEven(tx) % 2) + 4)
        : num::roundEven(tx - static_cast<double>(num::roundEven(tx) % 4) + 4);
    if (index % 2 == 1)
        xv += 32;
    if (holderKind == 1 || holderKind == 2)
        xv += 4;
    if (xv >= 64)
        xv -= 64;
    out.pat1->setText(viewtext::hex2(xv));
    const double u = y / 30 + 32 * (index / 8);
    long long yv = num::roundEven(u - static_cast<double>(num::roundEven(u) % 4));
    if (holderKind == 1)
        yv += 8;
    if (holderKind == objects::enemyKind)
        yv += romDoc.tables().enOffY.at(static_cast<size_t>(std::clamp(selectedEnemyId(), 0, 82)));
    if (yv < 0)
        yv = 0;
    out.pat2->setText(viewtext::hex2(yv));
}
