#include "model/RomDocument.h"
#include "model/objects/PowerUps.h"
#include "objects/PanelControls.h"
#include "objects/PowerUpPanel.h"
#include "rom/VbError.h"
#include "stage/StageTables.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

namespace {

constexpr int subProcessPu = 136;
constexpr int subDetPu = 137;
constexpr int subPuScroll = 142;

// The text of the last list row naming enemy `id`, empty when none does.
QString enemyName(const StageTables &t, int id)
{
    QString name;
    for (const EnemyRow &row : t.enemyList)
        if (row.id == id)
            name = QString::fromStdString(row.text);
    return name;
}

// Byte `pos` (0-based) of the column bytes; beyond the string is an error.
int columnByte(const std::string &puStr, int pos)
{
    if (pos < 0 || pos >= static_cast<int>(puStr.size()))
        throw VbError("Invalid procedure call or argument");
    return static_cast<uint8_t>(puStr[static_cast<size_t>(pos)]);
}

// An enemy's code beside its marker's corner.
void showCode(ModeLabel *label, int left, int top, int code)
{
    twips::move(label, left + objects::labelShift, top + objects::labelShift);
    label->raise();
    label->setText(viewtext::hex2(code));
    label->setVisible(true);
}

} // namespace

// A marker laid from its record may reach past the view: the mode's own controls stay on top,
// so a click meant for them never lands on a marker.
void PowerUpPanel::raisePalette()
{
    raise();
}

void PowerUpPanel::Hlight()
{
    markers.Hlight(selEn);
}

void PowerUpPanel::puScroll_Change()
{
    msg::step(romDoc, subPuScroll, [&] {
        lblProposal->setText(
            QString("%1/%2").arg(puScroll->value() + 1).arg(puScroll->maximum() + 1));
    });
    ProcessPu();
}

// Proposal marker `m` of column pair `pair` for preset `p`, where the preset says.
void PowerUpPanel::layProposal(ctl::ImageBox *m, int p, int pair)
{
    int left = 0;
    int top = 0;
    int id = 0;
    if (holderKind == objects::enemyKind) {
        const enPresetRec &e = romDoc.tables().enPresets[static_cast<size_t>(p)];
        left = e[0];
        top = e[1];
        id = e[2];
    } else {
        const puPresetRec &u = romDoc.tables().puPresets[static_cast<size_t>(p)];
        left = u[0];
        top = u[1];
    }
    const objects::Place pl
        = objects::proposal(holderKind, left, top, id, p, pair, romDoc.tables().enOffY);
    twips::place(m, pl.left, pl.top, pl.width, pl.height);
    m->setPicture(datPicture(pl.picture));
}

void PowerUpPanel::ProcessPu()
{
    detPu();
    if (lblProposal->text() == "0/0" || isVertical())
        return;
    const int page = puScroll->value();
    for (int a = 0; a < 4; ++a)
        for (int b = 0; b < 16; ++b) {
            const int p = proposal(16 * page + b);
            if (p == 0)
                continue;
            ctl::ImageBox *m = markers.at(16 * a + b);
            if (optPuTag != "FromScroll")
                msg::step(romDoc, subProcessPu, [&] { layProposal(m, p, a); });
            if (powerUp[static_cast<size_t>(a)]->isHidden())
                m->setVisible(true);
            m->raise();
            m->Tag = "&H" + viewtext::hex2(p);
        }
    raisePalette();
    host.readOuts().val->clear();
}

// Every marker of the mode hidden and its tip cleared; the column items forget their codes.
void PowerUpPanel::hideMarkers()
{
    for (ctl::ImageBox *m : powerUp) {
        m->Tag.clear();
        m->setToolTip(QString());
        m->setVisible(false);
    }
    for (ModeLabel *l : lblEn) {
        l->setToolTip(QString());
        l->setVisible(false);
    }
    for (ctl::ImageBox *m : markers.all()) {
        m->setToolTip(QString());
        m->setVisible(false);
    }
}

// A column item shown where its place says, above the view.
void PowerUpPanel::showItem(ctl::ImageBox *item, const objects::Place &pl)
{
    twips::place(item, pl.left, pl.top, 480, 480);
    item->setPicture(datPicture(pl.picture));
    item->raise();
    item->setVisible(true);
}

// Column sections: the holder of column k, whose content code is p.
void PowerUpPanel::layHolderItem(int k, int p)
{
    ctl::ImageBox *item = powerUp[static_cast<size_t>(k)];
    item->Tag = "&H" + viewtext::hex2(p);
    int kind = 0;
    const objects::Place pl = objects::holderItem(romDoc.tables().puPresets[static_cast<size_t>(p)],
        p, k, romDoc.tables().holderCode0, romDoc.tables().holderCode2, release(), kind);
    if (!pl.shown) {
        item->Tag.clear();
        return;
    }
    puKinds[static_cast<size_t>(k)] = kind;
    showItem(item, pl);
}

// Column sections: the enemy of column k, whose preset is p, and its code label.
void PowerUpPanel::layEnemyItem(int k, int p)
{
    ctl::ImageBox *item = powerUp[static_cast<size_t>(k)];
    ModeLabel *label = lblEn[static_cast<size_t>(k)];
    item->Tag = "&H" + viewtext::hex2(p);
    const enPresetRec &e = romDoc.tables().enPresets[static_cast<size_t>(p)];
    const objects::Place pl = objects::enemyItem(e, p, k, romDoc.tables().enOffY, release());
    if (!pl.shown) {
        item->Tag.clear();
        label->setText(QString());
        label->setVisible(false);
        return;
    }
    const QString name = enemyName(t, e[2]);
    puKinds[static_cast<size_t>(k)] = objects::enemyKind;
    showItem(item, pl);
    item->setToolTip(name);
    showCode(label, pl.left, pl.top, e[2]);
    label->setToolTip(name);
}

// Object-list sections: the marker of `slot`, when the slot's object lies in the view.
void PowerUpPanel::layListMarker(int slot, const objRec &rec)
{
    ctl::ImageBox *m = markers.at(slot);
    const objects::ListPlace pl
        = objects::listMarker(rec, host.vBar().value, romDoc.tables().enOffY, release());
    if (!pl.shown)
        return;
    m->raise();
    twips::place(m, pl.left, pl.top, 480, 480);
    m->setPicture(datPicture(pl.picture));
    if (pl.coded) {
        const QString name = pl.enemy ? enemyName(t, rec[3]) : "Holder of no known kind";
        m->setToolTip(name);
        ModeLabel *label = lblEn[static_cast<size_t>(slot)];
        label->setToolTip(name);
        showCode(label, pl.left, pl.top, rec[3]);
    }
    m->setVisible(true);
    m->Tag = viewtext::hex2(slot);
}

void PowerUpPanel::detPu()
{
    hideMarkers();
    const auto s = static_cast<size_t>(romDoc.shown().curStage);
    const auto n = static_cast<size_t>(romDoc.shown().curSection);
    if (!isVertical()) {
        const ModeHost::Bar bar = host.hBar();
        const int v = bar.enabled ? bar.value : 0;
        const std::string &cols = t.puStr[s][n];
        for (int k = 0; k < 4; ++k)
            msg::step(romDoc, subDetPu, [&] {
                if (holderKind != objects::enemyKind)
                    layHolderItem(k, columnByte(cols, v + 2 * k + 1));
                else
                    layEnemyItem(k, columnByte(cols, v + 2 * k));
            });
    }
    if (isVertical()) {
        const int last = std::min(t.objLen[s][n], 31);
        for (int slot = 0; slot <= last; ++slot) {
            const objRec &rec = t.enemyTbl[s][n][static_cast<size_t>(slot)];
            msg::step(romDoc, subDetPu, [&] { layListMarker(slot, rec); });
        }
    }
    if (t.vertFlag[s][n] == -1)
        Hlight();
    raisePalette();
}
