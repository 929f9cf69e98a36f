#include "gfx/frmPalettes.h"

#include "app/Look.h"
#include "app/MsgBox.h"
#include "gfx/ColourBox.h"
#include "rom/Numbers.h"
#include "rom/VbError.h"

#include <QApplication>
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

QLineEdit *captionBox(QWidget *parent, const char *name, const char *text)
{
    auto *t = new QLineEdit(QString::fromUtf8(text), parent);
    t->setObjectName(name);
    t->setReadOnly(true);
    t->setFocusPolicy(Qt::NoFocus);
    return t;
}

QPushButton *button(QWidget *parent, const char *name, const char *caption)
{
    auto *b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    return b;
}

QLabel *label(QWidget *parent, const QString &text, int left, int top, int width)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName("Label1");
    look::place(l, left, top, width, 255);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    return l;
}

int release(const Shared &g)
{
    return g.romVer == "1" ? 1 : 0;
}

} // namespace

frmPalettes::frmPalettes(Shared &g, frmRI3 &main, QWidget *parent)
    : QDialog(parent), g(g), m_main(main)
{
    setObjectName("frmPalettes");
    setWindowTitle("Edit Palettes");
    setMouseTracking(true);
    buildControls();
    connectControls();
    look::dialogFrame(this, 6780, 4140);
}

void frmPalettes::buildControls()
{
    Text1 = captionBox(this, "Text1", "Palette Sets");
    look::place(Text1, 120, 120, 1200, 285);
    boxSet = new QListWidget(this);
    boxSet->setObjectName("boxSet");
    look::place(boxSet, 120, 420, 1200, 2940);
    txt1 = captionBox(this, "txt1", "Current Room");
    look::place(txt1, 1440, 120, 1200, 285);
    txtSet = captionBox(this, "txtSet", "");
    look::place(txtSet, 2700, 120, 480, 285);
    cmdAssign = button(this, "cmdAssign", "Assign This Set");
    look::place(cmdAssign, 1440, 3480, 1740, 375);
    buildGrid();
    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    Label2->setAlignment(Qt::AlignCenter);
    Label2->resize(look::tw(450), look::tw(225));
    Label2->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label2->setVisible(false);
    cmdRestore = button(this, "cmdRestore", "Restore");
    cmdRevert = button(this, "cmdRevert", "Revert");
    cmdCancel = button(this, "cmdCancel", "Cancel");
    cmdOK = button(this, "cmdOK", "Save");
    int x = 3300;
    for (QPushButton *b : { cmdRestore, cmdRevert, cmdCancel, cmdOK }) {
        look::place(b, x, 3480, 780, 375);
        x += 870;
    }
    tim = new QTimer(this);
    tim->setObjectName("tim");
    tim->setInterval(250);
}

void frmPalettes::buildGrid()
{
    static const char *const heads[4] = { "  0*", "1", "2", "3" };
    static const char *const rows[4] = { "**P0 ", "P1 ", "P2 ", "P3 " };
    for (int c = 0; c < 4; ++c)
        label(this, heads[c], 1920 + 480 * c, 540, 375);
    for (int p = 0; p < 4; ++p) {
        label(this, rows[p], 1440, 885 + 480 * p, 480);
        for (int c = 0; c < 4; ++c) {
            auto *box = new ColourBox(this, "picPal", 4 * p + c);
            look::place(box, 1920 + 480 * c, 840 + 480 * p, 375, 375);
            picPal[static_cast<size_t>(4 * p + c)] = box;
        }
    }
    label(this, "* Mirrored color.", 1440, 2820, 2000);
    label(this, "** Mirrored palette.", 1440, 3060, 2000);
    for (int i = 0; i < 64; ++i) {
        auto *box = new ColourBox(this, "picColor", i);
        const int row = i / 16 + (i % 16 >= 8 ? 4 : 0);
        look::place(box, 3960 + 345 * (i % 8), 180 + 345 * row + (row >= 4 ? 90 : 0), 300, 300);
        picColor[static_cast<size_t>(i)] = box;
    }
}

void frmPalettes::connectControls()
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

void frmPalettes::run()
{
    Form_Load();
    tim->start();
    exec();
}

int frmPalettes::listIndex() const
{
    return boxSet->currentRow();
}

void frmPalettes::showSlot(ColourBox *box, int colour)
{
    box->setColour(g.nesRgb[static_cast<size_t>(colour & 63)]);
    box->Tag = hex2(colour);
}

void frmPalettes::allBordersOff()
{
    for (ColourBox *b : picPal)
        b->setBorderStyle(0);
}

void frmPalettes::setShared(bool on)
{
    for (int i : { 0, 4, 8, 12 })
        picPal[static_cast<size_t>(i)]->setBorderStyle(on ? 1 : 0);
}

void frmPalettes::Form_Load()
{
    m_unloaded = false;
    msg::step(g, 605, [&] {
        for (int i = 0; i < 64; ++i)
            showSlot(picColor[static_cast<size_t>(i)], i);
        const int r = release(g);
        const QSignalBlocker quiet(boxSet);
        boxSet->clear();
        setBase = bgpal::setBase(r);
        for (int s = 0; s < bgpal::setCount(r); ++s)
            boxSet->addItem("  " + hex2(s));
    });
    msg::step(g, 605, [&] {
        const RomImage rom = RomImage::load(g.ini.romPath);
        const auto fixed = std::array<uint8_t, 3> { static_cast<uint8_t>(g.palFixed.at(0)),
            static_cast<uint8_t>(g.palFixed.at(1)), static_cast<uint8_t>(g.palFixed.at(2)) };
        palSets = bgpal::load(rom, release(g), static_cast<uint8_t>(g.palBackdrop.at(0)), fixed);
    });
    msg::step(g, 605, [&] {
        curSet
            = g.palSetNo.at(static_cast<size_t>(g.curStage)).at(static_cast<size_t>(g.curSection));
        {
            // A set number the list does not hold is kept for Save; the list then shows set 0.
            const QSignalBlocker quiet(boxSet);
            boxSet->setCurrentRow(curSet >= 0 && curSet < boxSet->count() ? curSet : 0);
        }
        boxSet_Click();
        txtSet->setText(hex2(curSet));
    });
    allBordersOff();
    selSlot = 5;
    picPal[5]->setBorderStyle(1);
}

void frmPalettes::boxSet_Click()
{
    msg::step(g, 600, [&] {
        const int l = listIndex();
        if (l < 0 || l >= bgpal::maxSets)
            return;
        for (int p = 0; p < 4; ++p)
            for (int c = 0; c < 4; ++c)
                showSlot(picPal[static_cast<size_t>(4 * p + c)],
                    palSets.sets[static_cast<size_t>(l)][static_cast<size_t>(p)]
                                [static_cast<size_t>(c)]);
    });
}

void frmPalettes::picPal_Click(int index)
{
    msg::step(g, 608, [&] {
        allBordersOff();
        if (index % 4 == 0)
            setShared(true);
        else
            picPal.at(static_cast<size_t>(index))->setBorderStyle(1);
        selSlot = index;
    });
}

void frmPalettes::picColor_Click(int index)
{
    msg::step(g, 606, [&] {
        const int l = listIndex();
        if (l < 0)
            throw VbError("Invalid property array index");
        bgpal::setColour(palSets, l, selSlot, static_cast<uint8_t>(index));
        if (selSlot % 4 == 0) {
            for (int i : { 0, 4, 8, 12 })
                showSlot(picPal[static_cast<size_t>(i)], index);
        } else {
            showSlot(picPal.at(static_cast<size_t>(selSlot)), index);
        }
    });
}

void frmPalettes::tim_Timer()
{
    msg::step(g, 610, [&] {
        if (selSlot % 4 != 0) {
            ColourBox *b = picPal.at(static_cast<size_t>(selSlot));
            b->setBorderStyle(b->borderStyle() == 0 ? 1 : 0);
        } else {
            setShared(picPal[0]->borderStyle() == 0);
        }
    });
}

void frmPalettes::hover(ColourBox *box, int dy)
{
    Label2->move(box->x() - look::tw(40), box->y() + look::tw(dy));
    Label2->setText(box->Tag);
    Label2->raise();
    Label2->setVisible(true);
}

void frmPalettes::picColor_MouseMove(int index)
{
    msg::step(g, 607, [&] { hover(picColor.at(static_cast<size_t>(index)), 370); });
}

void frmPalettes::picPal_MouseMove(int index)
{
    msg::step(g, 609, [&] { hover(picPal.at(static_cast<size_t>(index)), 390); });
}

void frmPalettes::Form_MouseMove()
{
    Label2->setVisible(false);
}

void frmPalettes::mouseMoveEvent(QMouseEvent *e)
{
    Form_MouseMove();
    QDialog::mouseMoveEvent(e);
}

// Everything goes into the ROM in one write; only a write that succeeded changes the program's
// own copy, and a failed one leaves the window open so nothing edited is lost.
void frmPalettes::cmdOK_Click()
{
    const auto s = static_cast<size_t>(g.curStage);
    const auto n = static_cast<size_t>(g.curSection);
    int32_t setPos = 0;
    msg::step(g, 602, [&] {
        if (n >= 18 || g.palSetPos.at(s).at(n) <= 0)
            throw VbError("Subscript out of range");
        setPos = g.palSetPos[s][n];
    });
    const bool saved = msg::step(g, 602, [&] {
        const auto no = num::toByte(curSet);
        romfile::write(g.ini.romPath, bgpal::savePatches(palSets, release(g), setPos, no));
    });
    if (!saved)
        return;
    g.palSetNo[s][n] = static_cast<int16_t>(curSet);
    const bgpal::SetColours &first = palSets.sets[0];
    g.palBackdrop = std::string(1, static_cast<char>(first[0][0]));
    g.palFixed = std::string { static_cast<char>(first[0][1]), static_cast<char>(first[0][2]),
        static_cast<char>(first[0][3]) };
    accept();
}

void frmPalettes::cmdCancel_Click()
{
    reject();
}

void frmPalettes::cmdRestore_Click()
{
    if (g.ini.backupPath.empty()) {
        msg::box(noBackup, msg::Information, "I am Error");
        return;
    }
    if (msg::box("Proceed ?", msg::QuestionYesNo, "Restore from backup") != msg::Yes)
        return;
    const int l = listIndex();
    bool restored = msg::step(g, 603, [&] {
        const int r = release(g);
        // A backup that has gone missing or is too short fails here, before the ROM is touched.
        const bgpal::Restored x = bgpal::restoreFrom(RomImage::load(g.ini.backupPath), r, l);
        romfile::write(g.ini.romPath, x.patches);
        bgpal::putRecord(palSets, l, x.record);
        bgpal::putShared(palSets, x.backdrop, x.fixed);
        g.palFixed = std::string(x.fixed.begin(), x.fixed.end());
        g.palBackdrop = std::string(1, static_cast<char>(x.backdrop));
    });
    if (!restored)
        return;
    msg::box("Palette Set #" + num::hex2(l) + " restored.", msg::Information, "Done!");
    if (l == curSet)
        cmdAssign_Click();
    boxSet_Click();
}

void frmPalettes::cmdRevert_Click()
{
    int noted = -1;
    msg::step(g, 604, [&] { noted = static_cast<int>(num::hexVal(txtSet->text().toStdString())); });
    Form_Load();
    if (curSet != noted)
        msg::step(g, 604, [&] { previewMain(true); });
}

// The editor's unloading shows the hourglass; its opener sets the pointer back after redrawing.
void frmPalettes::done(int r)
{
    if (!m_unloaded) {
        m_unloaded = true;
        tim->stop();
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    QDialog::done(r);
}
