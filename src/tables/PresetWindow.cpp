#include "tables/PresetWindow.h"

#include "app/Look.h"
#include "app/MsgBox.h"
#include "rom/VbError.h"
#include "tables/TableUi.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace {

constexpr int rowTop = 360; // twips
constexpr int rowStep = 330;
constexpr int rowHeight = 315;
// Left and Top are the first two bytes of both kinds of preset record.
constexpr int leftField = 0;
constexpr int topField = 1;

} // namespace

PresetWindow::PresetWindow(Shared &g, QWidget *parent, int width, Subs subs)
    : QDialog(parent), g(g), subs(subs)
{
    look::dialogFrame(this, width, rowTop + 16 * rowStep + 600);
    r = g.romVer == "1" ? 1 : 0;
}

QString PresetWindow::rowName(const char *base, int i)
{
    return QString("%1(%2)").arg(base).arg(i);
}

void PresetWindow::buildRows(std::initializer_list<Column> list)
{
    for (const Column &c : list)
        columns.push_back(c.lists);
    for (int i = 0; i < 16; ++i) {
        const size_t n = static_cast<size_t>(i);
        const int y = rowTop + i * rowStep;
        lbl[n] = tableui::label(this, rowName("lbl", i), QString(), 120, y + 45, 480, 225);
        for (const Column &c : list) {
            auto *box = new QComboBox(this);
            box->setObjectName(rowName(c.name, i));
            look::place(box, c.left, y, c.width, rowHeight);
            (*c.lists)[n] = box;
        }
    }
}

void PresetWindow::buildFrame(const Frame &f)
{
    scroll = new QScrollBar(Qt::Vertical, this);
    scroll->setObjectName("scroll");
    scroll->setRange(0, f.lastPage);
    scroll->setSingleStep(1);
    scroll->setPageStep(1);
    look::place(scroll, f.scrollLeft, rowTop, 255, 16 * rowStep - 15);
    const int by = rowTop + 16 * rowStep + 120;
    const char *names[4] = { "cmdRestore", "cmdRevert", "cmdCancel", "cmdOK" };
    const char *texts[4] = { "Restore", "Revert", "Cancel", "Save" };
    QPushButton *made[4] {};
    for (size_t k = 0; k < 4; ++k)
        made[k]
            = tableui::button(this, names[k], texts[k], f.buttonLeft[k], by, f.buttonWidth[k], 375);
    cmdRestore = made[0];
    cmdRevert = made[1];
    cmdCancel = made[2];
    cmdOK = made[3];
    time = new QTimer(this);
    time->setObjectName("time");
    time->setInterval(100);
    connect(time, &QTimer::timeout, this, &PresetWindow::time_Timer);
    connect(scroll, &QScrollBar::valueChanged, this, &PresetWindow::scroll_Change);
    connect(cmdOK, &QPushButton::clicked, this, &PresetWindow::cmdOK_Click);
    connect(cmdRestore, &QPushButton::clicked, this, &PresetWindow::cmdRestore_Click);
    connect(cmdRevert, &QPushButton::clicked, this, &PresetWindow::cmdRevert_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &PresetWindow::cmdCancel_Click);
}

void PresetWindow::connectRow(int i)
{
    const size_t n = static_cast<size_t>(i);
    connect(cmbType[n], &QComboBox::currentIndexChanged, this, [this, i] { cmbType_Click(i); });
    connect(cmbLeft[n], &QComboBox::currentIndexChanged, this, [this, i] { cmbLeft_Click(i); });
    connect(cmbTop[n], &QComboBox::currentIndexChanged, this, [this, i] { cmbTop_Click(i); });
}

void PresetWindow::setRow(int i, bool on)
{
    for (Lists *c : columns)
        (*c)[static_cast<size_t>(i)]->setEnabled(on);
}

void PresetWindow::Form_Load()
{
    msg::step(g, subs.load, [&] {
        takeShared();
        for (int i = 0; i < 16; ++i) {
            fillLists(i);
            connectRow(i);
        }
        const int page = (g.puVal & 0xFF) / 16;
        g.puVal = (g.puVal & 0xFF) % 16;
        if (page > scroll->maximum())
            throw VbError("Invalid property value");
        if (page != 0)
            scroll->setValue(page);
        else
            scroll_Change();
    });
    time->start();
    tableui::normalPointer();
}

void PresetWindow::scroll_Change()
{
    msg::step(g, subs.page, [&] { showPage(); });
}

void PresetWindow::pick(int sub, const Lists &lists, int i, int f)
{
    msg::step(g, sub, [&] {
        const int v = tableui::selectedValue(lists[static_cast<size_t>(i)]);
        if (v >= 0)
            field(i, f) = static_cast<uint8_t>(v);
    });
}

void PresetWindow::cmbLeft_Click(int i)
{
    pick(subs.left, cmbLeft, i, leftField);
}

void PresetWindow::cmbTop_Click(int i)
{
    pick(subs.top, cmbTop, i, topField);
}

void PresetWindow::cmdOK_Click()
{
    // The shared table follows the ROM file: it changes only when the write succeeded, and a
    // failed write keeps the window open with the edits.
    const bool ok = msg::step(g, subs.ok, [&] {
        const RomImage rom = RomImage::load(g.ini.romPath);
        romfile::write(g.ini.romPath, saved(rom));
        keepWork();
    });
    if (ok)
        accept();
}

void PresetWindow::cmdRestore_Click()
{
    bool restored = false;
    msg::step(g, subs.restore, [&] {
        if (!tableui::restoreAsked(g))
            return;
        const RomImage backup = RomImage::load(g.ini.backupPath);
        const RomImage rom = RomImage::load(g.ini.romPath);
        restoreFrom(backup, rom);
        restored = true;
    });
    if (restored)
        accept();
}

void PresetWindow::cmdRevert_Click()
{
    takeShared();
    if (scroll->value() != 0)
        scroll->setValue(0);
    else
        scroll_Change();
}

void PresetWindow::cmdCancel_Click()
{
    reject();
}

void PresetWindow::time_Timer()
{
    QComboBox *c = focusList(g.puVal & 15);
    // A disabled list cannot take the focus: try again at the next tick.
    if (!c->isEnabled())
        return;
    c->setFocus();
    time->stop();
    tableui::normalPointer();
}
