#include "objects/PowerUpPanel.h"

#include "model/RomDocument.h"
#include "model/objects/PowerUps.h"
#include "objects/PanelControls.h"
#include "rom/VbError.h"
#include "stage/StageTables.h"
#include "ui/Controls.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

namespace {

constexpr int subOptPu = 134;

} // namespace

PowerUpPanel::PowerUpPanel(RomDocument &romDoc, const ProgramFiles &files, const StageTables &t,
    ModeHost &host, MarkerLayer &markers, QWidget *client)
    : PanelLayer(client, "PowerUpPanel"), romDoc(romDoc), files(files), t(t), host(host),
      markers(markers)
{
    build(client);
    connectControls();
}

// The column items and the enemies' code labels lie over the view among the markers; the
// holder kinds, the power-ups, the proposals' bar, the enemy list and the sprite reversal box
// beside it.
void PowerUpPanel::build(QWidget *client)
{
    for (int k = 0; k < 4; ++k) {
        auto *m = new ctl::ImageBox(client, "powerUp", k);
        look::place(m, 0, 0, 480, 480);
        m->setAttribute(Qt::WA_NoMousePropagation);
        m->setVisible(false);
        powerUp[static_cast<size_t>(k)] = m;
    }
    for (int k = 0; k < 32; ++k) {
        auto *l = new ModeLabel(client, QString("lblEn(%1)").arg(k));
        look::place(l, 0, 0, 300, 195);
        l->setStyleSheet("background: transparent; font-size: 8px;");
        l->setVisible(false);
        lblEn[static_cast<size_t>(k)] = l;
    }
    for (int k = 0; k < 4; ++k) {
        auto *c = new ctl::ImageBox(this, "imgCandle", k);
        look::place(c, objects::candleLeft(k), 2760, 480, 480);
        c->setVisible(false);
        imgCandle[static_cast<size_t>(k)] = c;
    }
    for (int k = 0; k < objects::puCount; ++k) {
        auto *c = new ctl::ImageBox(this, "imgPu", k);
        look::place(c, objects::puLeft(k), objects::puTop(k), 480, 480);
        c->Tag = objects::powerUp(k).tag;
        c->setVisible(false);
        imgPu[static_cast<size_t>(k)] = c;
    }
    puScroll = new ctl::ScrollBar(Qt::Horizontal, this, "puScroll");
    look::place(puScroll, 8640, 3300, 1560, 255);
    puScroll->setMaximum(0);
    puScroll->setPageStep(1);
    puScroll->setVisible(false);
    lblProposal = objects::hiddenLabel(this, "lblProposal", "0/0", 10260, 3300, 720);
    lstEnemy = new EnemyList(this, "lstEnemy");
    look::place(lstEnemy, 8640, 3600, 2535, 2595);
    lstEnemy->setVisible(false);
    chkInverse = new QCheckBox("Reverse Sprite", this);
    chkInverse->setObjectName("chkInverse");
    look::place(chkInverse, 8640, 6240, 1575, 375);
    chkInverse->setVisible(false);
    Line3 = new QFrame(this);
    Line3->setObjectName("Line3");
    Line3->setFrameShape(QFrame::HLine);
    look::place(Line3, 8520, 2685, 2760, 15);
    Line3->setVisible(false);
}

void PowerUpPanel::connectControls()
{
    for (ctl::ImageBox *m : powerUp) {
        m->onMouseDown = [this](int k, int b, double, double) { powerUp_MouseDown(k, b); };
        m->onMouseMove = [this](int k, int, double, double) { powerUp_MouseMove(k); };
    }
    for (int k = 0; k < 32; ++k)
        lblEn[static_cast<size_t>(k)]->onMouseDown = [this, k](int b) { lblEn_MouseDown(k, b); };
    for (ctl::ImageBox *c : imgCandle)
        c->onMouseUp = [this](int k, int b, double, double) {
            if (b == 1)
                imgCandle_Click(k);
        };
    for (ctl::ImageBox *e : imgPu)
        e->onMouseDown = [this](int k, int b, double, double) { imgPu_MouseDown(k, b); };
    lstEnemy->onMouseDown = [this](int b) { lstEnemy_MouseDown(b); };
    lstEnemy->onKeyDown = [this](int code) { lstEnemy_KeyDown(code); };
    connect(chkInverse, &QCheckBox::toggled, this, [this] { chkInverse_Click(); });
    connect(puScroll, &QScrollBar::valueChanged, this, [this] { puScroll_Change(); });
}

// A marker picture from the picture folder; a missing file is an error.
QPixmap PowerUpPanel::datPicture(const std::string &file) const
{
    return objects::datPicture(files, file);
}

int PowerUpPanel::release() const
{
    return romDoc.release();
}

bool PowerUpPanel::isVertical() const
{
    return host.vBar().enabled;
}

const objRec &PowerUpPanel::slot(int index) const
{
    return t.enemyTbl[static_cast<size_t>(romDoc.shown().curStage)][static_cast<size_t>(
        romDoc.shown().curSection)][static_cast<size_t>(index & 31)];
}

objRec &PowerUpPanel::slot(StageTables &edit, int index) const
{
    return edit.enemyTbl[static_cast<size_t>(romDoc.shown().curStage)][static_cast<size_t>(
        romDoc.shown().curSection)][static_cast<size_t>(index & 31)];
}

int PowerUpPanel::selectedEnemyId() const
{
    return lstEnemy->idOfRow(lstEnemy->currentRow());
}

int PowerUpPanel::proposal(int n) const
{
    return n >= 0 && n < static_cast<int>(puTbl.size()) ? puTbl[static_cast<size_t>(n)] : 0;
}

// The list rows follow the loader's table; refilled only when it changed (a reload).
void PowerUpPanel::fillEnemyList()
{
    bool same = lstEnemy->count() == static_cast<int>(t.enemyList.size());
    for (int i = 0; same && i < lstEnemy->count(); ++i)
        same = lstEnemy->idOfRow(i) == t.enemyList[static_cast<size_t>(i)].id;
    if (same)
        return;
    lstEnemy->clear();
    for (const EnemyRow &row : t.enemyList) {
        auto *it = new QListWidgetItem(QString::fromStdString(row.text), lstEnemy);
        it->setData(Qt::UserRole, row.id);
    }
}

// The divider, the proposals' bar and page, the holder kinds with the current one lit, and the
// power-ups or (for the enemy kind) the enemy list; then the section's markers and a first
// pick: slot 0 of an object list (without marking the section), else the current kind.
void PowerUpPanel::enter()
{
    const int16_t form = t.vertFlag[static_cast<size_t>(romDoc.shown().curStage)]
                                   [static_cast<size_t>(romDoc.shown().curSection)];
    msg::step(romDoc, subOptPu, [&] {
        chkInverse->setVisible(false);
        host.showSpriteButtons(false);
        Line3->setVisible(true);
        puScroll->setMaximum(0);
        if (form == 0)
            puScroll->setVisible(true);
        lblProposal->setVisible(true);
        lblProposal->raise();
        markers.hideAll();
        Hlight();
        for (ctl::ImageBox *c : imgCandle)
            c->setVisible(true);
        lightCandle(holderKind);
        for (ctl::ImageBox *e : imgPu) {
            e->setVisible(true);
            e->raise();
        }
        if (holderKind == objects::enemyKind) {
            host.showSpriteButtons(true);
            for (ctl::ImageBox *e : imgPu)
                e->setVisible(false);
            lstEnemy->setVisible(true);
        }
    });
    fillEnemyList();
    detPu();
    if (form == -1) {
        selectSlot(0);
        return;
    }
    if (holderKind != objects::enemyKind)
        imgPu_MouseDown(8, 1);
    if (holderKind == objects::enemyKind)
        lstEnemy_MouseDown(1);
}

void PowerUpPanel::leave()
{
    for (QWidget *w : { static_cast<QWidget *>(chkInverse), static_cast<QWidget *>(lblProposal),
             static_cast<QWidget *>(Line3), static_cast<QWidget *>(lstEnemy),
             static_cast<QWidget *>(puScroll) })
        w->setVisible(false);
    for (ctl::ImageBox *e : imgPu)
        e->setVisible(false);
    hideCodes();
    for (int i = 0; i < 4; ++i) {
        powerUp[static_cast<size_t>(i)]->setVisible(false);
        imgCandle[static_cast<size_t>(i)]->setVisible(false);
    }
}

void PowerUpPanel::hideCodes()
{
    for (ModeLabel *l : lblEn)
        l->setVisible(false);
}

void PowerUpPanel::sectionFirstPick()
{
    if (t.vertFlag[static_cast<size_t>(romDoc.shown().curStage)]
                  [static_cast<size_t>(romDoc.shown().curSection)]
        == 0) {
        chkInverse->setVisible(false);
        puScroll->setVisible(true);
        imgCandle_Click(holderKind);
    } else {
        // The new section's markers, whatever its first slot holds; the last section's
        // column items go with them.
        detPu();
        selectSlot(0);
        puScroll->setVisible(false);
    }
}

void PowerUpPanel::setLayoutHeld(bool held)
{
    optPuTag = held ? "STOP" : "";
}

// A horizontal scroll moves the proposals with the view, without laying them out again.
void PowerUpPanel::viewScrolled(bool horizontal)
{
    if (optPuTag == "STOP")
        return;
    if (!horizontal) {
        ProcessPu();
        return;
    }
    optPuTag = "FromScroll";
    ProcessPu();
    optPuTag.clear();
}

QScrollBar *PowerUpPanel::stepBar() const
{
    const int16_t form = t.vertFlag[static_cast<size_t>(romDoc.shown().curStage)]
                                   [static_cast<size_t>(romDoc.shown().curSection)];
    return form == 0 ? puScroll : nullptr;
}

void PowerUpPanel::cellHover(int index, double x, double y)
{
    const ModeHost::ReadOuts out = host.readOuts();
    if (!isVertical()) {
        puReadOut(index, x, y);
        return;
    }
    out.val->clear();
    out.offset->setText("Object");
    if (optPuTag == "Dragged")
        unDrag();
}

void PowerUpPanel::formHover()
{
    const ModeHost::ReadOuts out = host.readOuts();
    const auto s = static_cast<size_t>(romDoc.shown().curStage);
    const auto n = static_cast<size_t>(romDoc.shown().curSection);
    if (t.vertFlag[s][n] != 0) {
        if (optPuTag == "Dragged")
            unDrag();
        out.val->setText(viewtext::hex2(selEn));
        out.offset->setText("Current Obj");
        return;
    }
    if (holderKind != objects::enemyKind)
        NamePu(selPu);
    else
        out.offset->setText("Enemy " + viewtext::hex2(selectedEnemyId()));
    out.val->clear();
    out.patterns->setText("Patterns");
    out.pat1->setText(viewtext::hex2(romDoc.tables().patSpr[s][n][2]));
    out.pat2->setText(viewtext::hex2(romDoc.tables().patSpr[s][n][3]));
}
