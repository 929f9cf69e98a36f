#include "gfx/frmSprites.h"

#include "app/Look.h"
#include "app/MsgBox.h"
#include "gfx/ColourBox.h"
#include "rom/Numbers.h"
#include "rom/VbError.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

namespace {

const char *const noBackup
    = "To restore from your backup, first specify a backup ROM in the file settings.";

QString hex2(long long v)
{
    return QString::fromStdString(num::hex2(v));
}

QLineEdit *captionBox(
    QWidget *parent, const char *name, const char *text, int left, int top, int width)
{
    auto *t = new QLineEdit(QString::fromUtf8(text), parent);
    t->setObjectName(name);
    t->setReadOnly(true);
    t->setFocusPolicy(Qt::NoFocus);
    look::place(t, left, top, width, 285);
    return t;
}

void label(QWidget *parent, const char *text, int left, int top, int width)
{
    auto *l = new QLabel(QString::fromUtf8(text), parent);
    l->setObjectName("Label1");
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    look::place(l, left, top, width, 255);
}

QPushButton *button(QWidget *parent, const char *name, const char *caption, int left)
{
    auto *b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    look::place(b, left, 4440, 900, 375);
    return b;
}

int release(const Shared &g)
{
    return g.romVer == "1" ? 1 : 0;
}

} // namespace

frmSprites::frmSprites(Shared &g, QWidget *parent) : QDialog(parent), g(g)
{
    setObjectName("frmSprites");
    setWindowTitle("Edit Sprite Palettes");
    setMouseTracking(true);
    buildControls();
    connectControls();
    look::dialogFrame(this, 6900, 4980);
}

void frmSprites::buildControls()
{
    captionBox(this, "txt1", "Current Room", 120, 120, 1200);
    txtSet = captionBox(this, "txtSet", "", 1380, 120, 480);
    cmdAssign = new QPushButton("Assign This Set", this);
    cmdAssign->setObjectName("cmdAssign");
    look::place(cmdAssign, 1980, 90, 1500, 345);
    captionBox(this, "Text1", "Palette Sets", 120, 540, 1200);
    boxSet = new QListWidget(this);
    boxSet->setObjectName("boxSet");
    look::place(boxSet, 120, 840, 1200, 1500);
    buildBoxes();
    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    Label2->setAlignment(Qt::AlignCenter);
    Label2->resize(look::tw(450), look::tw(225));
    Label2->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label2->setVisible(false);
    cmdRestore = button(this, "cmdRestore", "Restore", 2400);
    cmdRevert = button(this, "cmdRevert", "Revert", 3540);
    cmdCancel = button(this, "cmdCancel", "Cancel", 4680);
    cmdOK = button(this, "cmdOK", "Save", 5820);
    tim = new QTimer(this);
    tim->setObjectName("tim");
    tim->setInterval(250);
}

void frmSprites::buildBoxes()
{
    label(this, "Sprites 2", 1560, 540, 1000);
    for (int j = 0; j < 3; ++j) {
        picPal[static_cast<size_t>(j)] = new ColourBox(this, "picPal", j);
        look::place(picPal[static_cast<size_t>(j)], 1920, 840 + 450 * j, 375, 375);
    }
    static const char *const names[6]
        = { "* Sprites 1 ", "* Sprites 3", "* Trevor", "* Sypha", "* Grant", "* Alucard" };
    for (int k = 0; k < 6; ++k) {
        const int left = 120 + 1560 * (k % 2);
        const int top = 2460 + 600 * (k / 2);
        label(this, names[k], left, top, 1400);
        for (int j = 0; j < 3; ++j) {
            const int i = 3 + 3 * k + j;
            picPal[static_cast<size_t>(i)] = new ColourBox(this, "picPal", i);
            look::place(picPal[static_cast<size_t>(i)], left + 420 * j, top + 240, 375, 375);
        }
    }
    label(this, "* Mirrored palettes.", 120, 4260 - 60, 2000);
    for (int i = 0; i < 64; ++i) {
        auto *box = new ColourBox(this, "picColor", i);
        const int row = i / 16 + (i % 16 >= 8 ? 4 : 0);
        look::place(box, 3420 + 420 * (i % 8), 540 + 420 * row + (row >= 4 ? 120 : 0), 375, 375);
        picColor[static_cast<size_t>(i)] = box;
    }
}

void frmSprites::connectControls()
{
    connect(boxSet, &QListWidget::currentRowChanged, this, [this] { boxSet_Click(); });
    for (ColourBox *b : picPal) {
        b->onClick = [this](int i) { picPal_Click(i); };
        b->onMouseMove = [this](int i) { picPal_MouseMove(i); };
    }
    for (ColourBox *b : picColor) {
        b->onClick = [this](int i) { picColor_Click(i); };
        b->onMouseMove = [this](int i) { picColor_MouseMove(i); };
    }
    connect(tim, &QTimer::timeout, this, [this] { tim_Timer(); });
    connect(cmdAssign, &QPushButton::clicked, this, [this] { cmdAssign_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdRestore, &QPushButton::clicked, this, [this] { cmdRestore_Click(); });
    connect(cmdRevert, &QPushButton::clicked, this, [this] { cmdRevert_Click(); });
}

void frmSprites::run()
{
    Form_Load();
    tim->start();
    exec();
}

void frmSprites::showBox(ColourBox *box, int colour)
{
    box->setColour(g.nesRgb[static_cast<size_t>(colour & 63)]);
    box->Tag = hex2(colour);
}

void frmSprites::Form_Load()
{
    msg::step(g, 804, [&] {
        for (int i = 0; i < 64; ++i)
            showBox(picColor[static_cast<size_t>(i)], i);
        const QSignalBlocker quiet(boxSet);
        boxSet->clear();
        for (int s = 0; s < sprpal::setCount(release(g)); ++s)
            boxSet->addItem("  " + hex2(s));
    });
    msg::step(g, 804, [&] {
        sprPalSets = sprpal::load(RomImage::load(g.ini.romPath), release(g));
        for (int k = 0; k < sprpal::fixedCount; ++k)
            for (int j = 0; j < 3; ++j)
                showBox(picPal[static_cast<size_t>(3 + 3 * k + j)],
                    sprPalSets.fixed[static_cast<size_t>(k)][static_cast<size_t>(j)]);
    });
    msg::step(g, 804, [&] {
        curSet
            = g.sprPalNo.at(static_cast<size_t>(g.curStage)).at(static_cast<size_t>(g.curSection));
        {
            // A set number the list does not hold is kept for Save; the list then shows set 0.
            const QSignalBlocker quiet(boxSet);
            boxSet->setCurrentRow(curSet < boxSet->count() ? curSet : 0);
        }
        boxSet_Click();
        txtSet->setText(hex2(curSet));
    });
    picPal_Click(0);
}

void frmSprites::boxSet_Click()
{
    msg::step(g, 800, [&] {
        const int l = boxSet->currentRow();
        if (l < 0 || l >= sprpal::maxSets)
            return;
        for (int j = 0; j < 3; ++j)
            showBox(picPal[static_cast<size_t>(j)],
                sprPalSets.sets[static_cast<size_t>(l)][static_cast<size_t>(j)]);
    });
}

void frmSprites::cmdAssign_Click()
{
    msg::step(g, 801, [&] {
        txtSet->setText(hex2(boxSet->currentRow()));
        curSet = static_cast<int>(num::hexVal(txtSet->text().toStdString()));
    });
}

void frmSprites::picPal_Click(int index)
{
    msg::step(g, 808, [&] {
        for (ColourBox *b : picPal)
            b->setBorderStyle(0);
        picPal.at(static_cast<size_t>(index))->setBorderStyle(1);
        selSlot = index;
    });
}

void frmSprites::picColor_Click(int index)
{
    msg::step(g, 805, [&] {
        showBox(picPal.at(static_cast<size_t>(selSlot)), index);
        const int l = boxSet->currentRow();
        if (selSlot < 3 && l >= 0)
            sprPalSets.sets.at(static_cast<size_t>(l))[static_cast<size_t>(selSlot)]
                = static_cast<uint8_t>(index);
    });
}

void frmSprites::hover(ColourBox *box, int dx, int dy)
{
    Label2->move(box->x() + look::tw(dx), box->y() + look::tw(dy));
    Label2->setText(box->Tag);
    Label2->raise();
    Label2->setVisible(true);
}

void frmSprites::picColor_MouseMove(int index)
{
    msg::step(g, 806, [&] { hover(picColor.at(static_cast<size_t>(index)), -40, 370); });
}

void frmSprites::picPal_MouseMove(int index)
{
    msg::step(g, 807, [&] {
        if (index < 3)
            hover(picPal.at(static_cast<size_t>(index)), -370, 80);
        else
            hover(picPal.at(static_cast<size_t>(index)), -40, 390);
    });
}

void frmSprites::Form_MouseMove()
{
    Label2->setVisible(false);
}

void frmSprites::mouseMoveEvent(QMouseEvent *e)
{
    Form_MouseMove();
    QDialog::mouseMoveEvent(e);
}

void frmSprites::tim_Timer()
{
    ColourBox *b = picPal.at(static_cast<size_t>(selSlot));
    b->setBorderStyle(b->borderStyle() == 0 ? 1 : 0);
}

// The fixed palettes as the boxes hold them.
sprpal::SprPalData frmSprites::fromBoxes() const
{
    sprpal::SprPalData d = sprPalSets;
    for (int k = 0; k < sprpal::fixedCount; ++k)
        for (int j = 0; j < 3; ++j)
            d.fixed[static_cast<size_t>(k)][static_cast<size_t>(j)] = num::toByte(
                num::hexVal(picPal[static_cast<size_t>(3 + 3 * k + j)]->Tag.toStdString()));
    return d;
}

// One write for everything; the section's set number changes only once it is in the ROM, and a
// failed write leaves the window open with its edits.
void frmSprites::cmdOK_Click()
{
    const auto s = static_cast<size_t>(g.curStage);
    const auto n = static_cast<size_t>(g.curSection);
    int32_t pos = 0;
    msg::step(g, 802, [&] {
        if (g.sprPalPos.at(s).at(n) <= 0)
            throw VbError("Subscript out of range");
        pos = g.sprPalPos[s][n];
    });
    const bool saved = msg::step(g, 802, [&] {
        romfile::write(
            g.ini.romPath, sprpal::savePatches(fromBoxes(), release(g), pos, num::toByte(curSet)));
    });
    if (!saved)
        return;
    if (pos > 0)
        g.sprPalNo[s][n] = static_cast<uint8_t>(curSet);
    accept();
}

void frmSprites::cmdRestore_Click()
{
    if (g.ini.backupPath.empty()) {
        msg::box(noBackup, msg::Information, "I am Error");
        return;
    }
    if (msg::box("Proceed ?", msg::QuestionYesNo, "Restore from backup") != msg::Yes)
        return;
    const int l = boxSet->currentRow();
    const bool restored = msg::step(g, 803, [&] {
        // A backup that has gone missing or is too short fails here, before the ROM is touched.
        const RomImage backup = RomImage::load(g.ini.backupPath);
        romfile::write(g.ini.romPath, sprpal::restorePatches(backup, release(g), l));
    });
    if (!restored)
        return;
    msg::box("Palette Set #" + num::hex2(l) + " restored.", msg::Information, "Done!");
    Form_Load();
}

void frmSprites::cmdRevert_Click()
{
    Form_Load();
}

void frmSprites::cmdCancel_Click()
{
    reject();
}
