#include "tables/frmEnPresets.h"

#include "app/Look.h"
#include "app/MsgBox.h"
#include "rom/Numbers.h"
#include "rom/VbError.h"
#include "stage/Loader.h"
#include "tables/TableUi.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace {

enum Sub {
    subPage = 400,
    subLeft = 401,
    subTop = 402,
    subType = 403,
    subOK = 404,
    subRestore = 405,
    subLoad = 406
};

constexpr int rowTop = 360; // twips
constexpr int rowStep = 330;
constexpr int rowHeight = 315;
constexpr int workCount = 228; // records copied between the window and the shared table

QString rowName(const char *base, int i)
{
    return QString("%1(%2)").arg(base).arg(i);
}

} // namespace

frmEnPresets::frmEnPresets(Shared &g, QWidget *parent) : QDialog(parent), g(g)
{
    setObjectName("frmEnPresets");
    setWindowTitle("Enemy Byte Values");
    look::dialogFrame(this, 5760, rowTop + 16 * rowStep + 600);
    r = g.romVer == "1" ? 1 : 0;
    for (const EnemyRow &row : enemyList(g.romVer))
        types.push_back({ row.text, static_cast<uint8_t>(row.id) });
    types.push_back({ "None", 0 });
    buildControls();
    Form_Load();
}

void frmEnPresets::buildControls()
{
    const char *heads[3] = { "Enemy", "Left", "Top" };
    const int headLeft[3] = { 660, 3780, 4560 };
    for (int k = 0; k < 3; ++k)
        labola[static_cast<size_t>(k)]
            = tableui::label(this, rowName("labola", k), heads[k], headLeft[k], 120, 2400, 225);
    for (int i = 0; i < 16; ++i) {
        const size_t n = static_cast<size_t>(i);
        const int y = rowTop + i * rowStep;
        lbl[n] = tableui::label(this, rowName("lbl", i), QString(), 120, y + 45, 480, 225);
        auto combo = [&](const char *name, int left, int width) {
            auto *c = new QComboBox(this);
            c->setObjectName(rowName(name, i));
            look::place(c, left, y, width, rowHeight);
            return c;
        };
        cmbType[n] = combo("cmbType", 660, 3060);
        cmbLeft[n] = combo("cmbLeft", 3780, 720);
        cmbTop[n] = combo("cmbTop", 4560, 720);
    }
    scroll = new QScrollBar(Qt::Vertical, this);
    scroll->setObjectName("scroll");
    scroll->setRange(0, 14);
    scroll->setSingleStep(1);
    scroll->setPageStep(1);
    look::place(scroll, 5400, rowTop, 255, 16 * rowStep - 15);
    const int by = rowTop + 16 * rowStep + 120;
    cmdRestore = tableui::button(this, "cmdRestore", "Restore", 120, by, 1290, 375);
    cmdRevert = tableui::button(this, "cmdRevert", "Revert", 1515, by, 1290, 375);
    cmdCancel = tableui::button(this, "cmdCancel", "Cancel", 2910, by, 1290, 375);
    cmdOK = tableui::button(this, "cmdOK", "Save", 4305, by, 1350, 375);
    time = new QTimer(this);
    time->setObjectName("time");
    time->setInterval(100);
    connect(time, &QTimer::timeout, this, &frmEnPresets::time_Timer);
    connect(scroll, &QScrollBar::valueChanged, this, &frmEnPresets::scroll_Change);
    connect(cmdOK, &QPushButton::clicked, this, &frmEnPresets::cmdOK_Click);
    connect(cmdRestore, &QPushButton::clicked, this, &frmEnPresets::cmdRestore_Click);
    connect(cmdRevert, &QPushButton::clicked, this, &frmEnPresets::cmdRevert_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmEnPresets::cmdCancel_Click);
}

void frmEnPresets::fillLists(int i)
{
    const size_t n = static_cast<size_t>(i);
    for (int k = 0; k < presets::enLeftItems; ++k)
        cmbLeft[n]->addItem(
            QString::fromStdString(num::hex2(presets::enLeftValue(k))), presets::enLeftValue(k));
    for (int k = 0; k < presets::enTopItems; ++k)
        cmbTop[n]->addItem(
            QString::fromStdString(num::hex2(presets::enTopValue(k))), presets::enTopValue(k));
    for (const presets::Item &it : types)
        cmbType[n]->addItem(QString::fromStdString(it.text), it.code);
    // Nothing is selected until the first page is shown, so every selection there is a change.
    for (QComboBox *c : { cmbLeft[n], cmbTop[n], cmbType[n] })
        c->setCurrentIndex(-1);
}

void frmEnPresets::connectRow(int i)
{
    const size_t n = static_cast<size_t>(i);
    connect(cmbType[n], &QComboBox::currentIndexChanged, this, [this, i] { cmbType_Click(i); });
    connect(cmbLeft[n], &QComboBox::currentIndexChanged, this, [this, i] { cmbLeft_Click(i); });
    connect(cmbTop[n], &QComboBox::currentIndexChanged, this, [this, i] { cmbTop_Click(i); });
}

void frmEnPresets::Form_Load()
{
    msg::step(g, subLoad, [&] {
        for (int n = 0; n < workCount; ++n)
            enWork[static_cast<size_t>(n)] = g.enPresets[static_cast<size_t>(n)];
        scroll->setMaximum(presets::enMaxPage(r));
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

enPresetRec &frmEnPresets::rec(int i)
{
    return enWork[static_cast<size_t>(16 * scroll->value() + i)];
}

void frmEnPresets::setRow(int i, bool on)
{
    const size_t n = static_cast<size_t>(i);
    for (QComboBox *c : { cmbType[n], cmbLeft[n], cmbTop[n] })
        c->setEnabled(on);
}

void frmEnPresets::scroll_Change()
{
    msg::step(g, subPage, [&] { showPage(); });
}

void frmEnPresets::showPage()
{
    const int p = scroll->value();
    labola[0]->setText(p < 13 ? "Enemy" : "Enemy (Second Quest)");
    const int none = static_cast<int>(types.size()) - 1;
    for (int i = 4; i < 16; ++i) {
        const size_t n = static_cast<size_t>(i);
        if (p == 14) {
            cmbType[n]->setCurrentIndex(none);
            cmbLeft[n]->setCurrentIndex(0);
            cmbTop[n]->setCurrentIndex(0);
            setRow(i, false);
        } else {
            setRow(i, true);
        }
    }
    setRow(0, p != 0);
    for (int i = 0; i < 16; ++i) {
        const size_t n = static_cast<size_t>(i);
        cmbType[n]->setCurrentIndex(presets::codeIndex(types, rec(i)[presets::enType], none));
        cmbLeft[n]->setCurrentIndex(presets::enLeftIndex(rec(i)[presets::enLeft]));
        cmbTop[n]->setCurrentIndex(presets::enTopIndex(rec(i)[presets::enTop]));
        lbl[n]->setText(QString::fromStdString(num::hex2(16 * p + i)));
        if (cmbType[n]->currentIndex() == none) {
            cmbLeft[n]->setEnabled(false);
            cmbTop[n]->setEnabled(false);
        }
    }
    // The type handler enables Left and Top of rows that stand for no editable preset.
    if (p == 0)
        setRow(0, false);
    if (p == 14)
        for (int i = 4; i < 16; ++i)
            setRow(i, false);
}

void frmEnPresets::cmbType_Click(int i)
{
    msg::step(g, subType, [&] {
        const size_t n = static_cast<size_t>(i);
        const int v = tableui::selectedValue(cmbType[n]);
        if (v < 0)
            return;
        rec(i)[presets::enType] = static_cast<uint8_t>(v);
        if (v == 0) {
            cmbLeft[n]->setCurrentIndex(0);
            cmbTop[n]->setCurrentIndex(0);
        }
        cmbLeft[n]->setEnabled(v != 0);
        cmbTop[n]->setEnabled(v != 0);
    });
}

void frmEnPresets::cmbLeft_Click(int i)
{
    msg::step(g, subLeft, [&] {
        const int v = tableui::selectedValue(cmbLeft[static_cast<size_t>(i)]);
        if (v >= 0)
            rec(i)[presets::enLeft] = static_cast<uint8_t>(v);
    });
}

void frmEnPresets::cmbTop_Click(int i)
{
    msg::step(g, subTop, [&] {
        const int v = tableui::selectedValue(cmbTop[static_cast<size_t>(i)]);
        if (v >= 0)
            rec(i)[presets::enTop] = static_cast<uint8_t>(v);
    });
}

void frmEnPresets::cmdOK_Click()
{
    // The shared table follows the ROM file: it changes only when the write succeeded, and a
    // failed write keeps the window open with the edits.
    const bool saved = msg::step(g, subOK, [&] {
        const RomImage rom = RomImage::load(g.ini.romPath);
        romfile::write(g.ini.romPath, presets::enSave(rom, enWork, r));
        for (int n = 0; n < workCount; ++n)
            g.enPresets[static_cast<size_t>(n)] = enWork[static_cast<size_t>(n)];
    });
    if (saved)
        accept();
}

void frmEnPresets::cmdRestore_Click()
{
    bool restored = false;
    msg::step(g, subRestore, [&] {
        if (!tableui::restoreAsked(g))
            return;
        const RomImage backup = RomImage::load(g.ini.backupPath);
        const RomImage rom = RomImage::load(g.ini.romPath);
        presets::EnTable t = g.enPresets;
        romfile::write(g.ini.romPath, presets::enRestore(backup, rom, t, r));
        g.enPresets = t;
        restored = true;
    });
    if (restored)
        accept();
}

void frmEnPresets::cmdRevert_Click()
{
    for (int n = 0; n < workCount; ++n)
        enWork[static_cast<size_t>(n)] = g.enPresets[static_cast<size_t>(n)];
    if (scroll->value() != 0)
        scroll->setValue(0);
    else
        scroll_Change();
}

void frmEnPresets::cmdCancel_Click()
{
    reject();
}

void frmEnPresets::time_Timer()
{
    QComboBox *c = cmbType[static_cast<size_t>(g.puVal & 15)];
    // A disabled box cannot take the focus: try again at the next tick.
    if (!c->isEnabled())
        return;
    c->setFocus();
    time->stop();
    tableui::normalPointer();
}
