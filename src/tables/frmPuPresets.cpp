#include "tables/frmPuPresets.h"

#include "app/Look.h"
#include "app/MsgBox.h"
#include "rom/Numbers.h"
#include "tables/TableUi.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace {

enum Sub {
    subContent = 407,
    subLeft = 408,
    subTop = 409,
    subType = 410,
    subOK = 411,
    subRestore = 412,
    subLoad = 413,
    subScroll = 414
};

constexpr int rowTop = 360; // twips
constexpr int rowStep = 330;
constexpr int rowHeight = 315;

QString rowName(const char *base, int i)
{
    return QString("%1(%2)").arg(base).arg(i);
}

} // namespace

frmPuPresets::frmPuPresets(Shared &g, QWidget *parent) : QDialog(parent), g(g)
{
    setObjectName("frmPuPresets");
    setWindowTitle("Power-Up Byte Values");
    look::dialogFrame(this, 6120, rowTop + 16 * rowStep + 600);
    r = g.romVer == "1" ? 1 : 0;
    types = presets::puTypes(r);
    contents = presets::puContents(r);
    buildControls();
    Form_Load();
}

void frmPuPresets::buildControls()
{
    const char *heads[4] = { "Object Type", "Left", "Top", "Content" };
    const int headLeft[4] = { 660, 2220, 3000, 3780 };
    for (int k = 0; k < 4; ++k)
        labola[static_cast<size_t>(k)]
            = tableui::label(this, rowName("labola", k), heads[k], headLeft[k], 120, 1200, 225);
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
        cmbType[n] = combo("cmbType", 660, 1500);
        cmbLeft[n] = combo("cmbLeft", 2220, 720);
        cmbTop[n] = combo("cmbTop", 3000, 720);
        cmbContent[n] = combo("cmbContent", 3780, 1860);
    }
    scroll = new QScrollBar(Qt::Vertical, this);
    scroll->setObjectName("scroll");
    scroll->setRange(0, 15);
    scroll->setSingleStep(1);
    scroll->setPageStep(1);
    look::place(scroll, 5760, rowTop, 255, 16 * rowStep - 15);
    const int by = rowTop + 16 * rowStep + 120;
    cmdRestore = tableui::button(this, "cmdRestore", "Restore", 120, by, 1335, 375);
    cmdRevert = tableui::button(this, "cmdRevert", "Revert", 1575, by, 1335, 375);
    cmdCancel = tableui::button(this, "cmdCancel", "Cancel", 3030, by, 1335, 375);
    cmdOK = tableui::button(this, "cmdOK", "Save", 4485, by, 1530, 375);
    time = new QTimer(this);
    time->setObjectName("time");
    time->setInterval(100);
    connect(time, &QTimer::timeout, this, &frmPuPresets::time_Timer);
    connect(scroll, &QScrollBar::valueChanged, this, &frmPuPresets::scroll_Change);
    connect(cmdOK, &QPushButton::clicked, this, &frmPuPresets::cmdOK_Click);
    connect(cmdRestore, &QPushButton::clicked, this, &frmPuPresets::cmdRestore_Click);
    connect(cmdRevert, &QPushButton::clicked, this, &frmPuPresets::cmdRevert_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPuPresets::cmdCancel_Click);
}

void frmPuPresets::fillLists(int i)
{
    const size_t n = static_cast<size_t>(i);
    for (int k = 0; k < presets::puLeftItems; ++k)
        cmbLeft[n]->addItem(
            QString::fromStdString(presets::puLeftText(k)), presets::puLeftValue(k));
    for (int k = 0; k < presets::puTopItems; ++k)
        cmbTop[n]->addItem(QString::fromStdString(presets::puTopText(k)), presets::puTopValue(k));
    for (const presets::Item &it : contents)
        cmbContent[n]->addItem(QString::fromStdString(it.text), it.code);
    for (const presets::Item &it : types)
        cmbType[n]->addItem(QString::fromStdString(it.text), it.code);
    // Nothing is selected until the first page is shown, so every selection there is a change.
    for (QComboBox *c : { cmbLeft[n], cmbTop[n], cmbContent[n], cmbType[n] })
        c->setCurrentIndex(-1);
}

void frmPuPresets::connectRow(int i)
{
    const size_t n = static_cast<size_t>(i);
    connect(cmbType[n], &QComboBox::currentIndexChanged, this, [this, i] { cmbType_Click(i); });
    connect(
        cmbContent[n], &QComboBox::currentIndexChanged, this, [this, i] { cmbContent_Click(i); });
    connect(cmbLeft[n], &QComboBox::currentIndexChanged, this, [this, i] { cmbLeft_Click(i); });
    connect(cmbTop[n], &QComboBox::currentIndexChanged, this, [this, i] { cmbTop_Click(i); });
}

void frmPuPresets::Form_Load()
{
    msg::step(g, subLoad, [&] {
        for (int n = 0; n < 254; ++n)
            puWork[static_cast<size_t>(n)] = g.puPresets[static_cast<size_t>(n)];
        for (int i = 0; i < 16; ++i) {
            fillLists(i);
            connectRow(i);
        }
        const int page = (g.puVal & 0xFF) / 16;
        g.puVal = (g.puVal & 0xFF) % 16;
        if (page != 0)
            scroll->setValue(page);
        else
            scroll_Change();
    });
    time->start();
    tableui::normalPointer();
}

puPresetRec &frmPuPresets::rec(int i)
{
    return puWork[static_cast<size_t>(16 * scroll->value() + i)];
}

void frmPuPresets::setRow(int i, bool on)
{
    const size_t n = static_cast<size_t>(i);
    for (QComboBox *c : { cmbType[n], cmbLeft[n], cmbTop[n], cmbContent[n] })
        c->setEnabled(on);
}

// A row past the last preset: "Nothing", "00", "10", "Nothing", all four lists off.
void frmPuPresets::makeNothing(int i, bool lockType)
{
    const size_t n = static_cast<size_t>(i);
    cmbType[n]->setCurrentIndex(presets::puNothingType);
    cmbLeft[n]->setCurrentIndex(0);
    cmbTop[n]->setCurrentIndex(0);
    cmbContent[n]->setCurrentIndex(presets::puNothingContent);
    if (lockType)
        setRow(i, false);
}

void frmPuPresets::scroll_Change()
{
    msg::step(g, subScroll, [&] { showPage(); });
}

void frmPuPresets::showPage()
{
    const int p = scroll->value();
    const int last = presets::puLastRow(r);
    for (int i = last; i < 16; ++i) {
        if (p == 15)
            makeNothing(i, true);
        else
            setRow(i, true);
    }
    setRow(0, p != 0);
    for (int i = 0; i < 16; ++i) {
        const size_t n = static_cast<size_t>(i);
        cmbContent[n]->setCurrentIndex(presets::codeIndex(contents, rec(i)[presets::puContent], 0));
        cmbType[n]->setCurrentIndex(presets::codeIndex(types, rec(i)[presets::puType], 0));
        cmbLeft[n]->setCurrentIndex(presets::puLeftIndex(rec(i)[presets::puLeft]));
        cmbTop[n]->setCurrentIndex(presets::puTopIndex(rec(i)[presets::puTop]));
        lbl[n]->setText(QString::fromStdString(num::hex2(16 * p + i)));
        if (cmbType[n]->currentIndex() == presets::puNothingType)
            for (QComboBox *c : { cmbContent[n], cmbLeft[n], cmbTop[n] })
                c->setEnabled(false);
    }
    // The handlers may have enabled lists of the rows that stand for no editable preset.
    if (p == 0)
        setRow(0, false);
    if (p == 15)
        for (int i = last; i < 16; ++i)
            setRow(i, false);
}

void frmPuPresets::cmbType_Click(int i)
{
    msg::step(g, subType, [&] {
        const size_t n = static_cast<size_t>(i);
        const int v = tableui::selectedValue(cmbType[n]);
        if (v < 0)
            return;
        rec(i)[presets::puType] = static_cast<uint8_t>(v);
        if (v == 0) {
            cmbContent[n]->setCurrentIndex(presets::puNothingContent);
            cmbLeft[n]->setCurrentIndex(0);
            cmbTop[n]->setCurrentIndex(0);
            for (QComboBox *c : { cmbContent[n], cmbLeft[n], cmbTop[n] })
                c->setEnabled(false);
        } else {
            for (QComboBox *c : { cmbContent[n], cmbLeft[n], cmbTop[n] })
                c->setEnabled(true);
            if (cmbContent[n]->currentIndex() == presets::puNothingContent)
                cmbContent[n]->setCurrentIndex(0);
        }
    });
}

void frmPuPresets::cmbContent_Click(int i)
{
    msg::step(g, subContent, [&] {
        const size_t n = static_cast<size_t>(i);
        const int v = tableui::selectedValue(cmbContent[n]);
        if (v < 0)
            return;
        rec(i)[presets::puContent] = static_cast<uint8_t>(v);
        if (v == 0) {
            cmbType[n]->setCurrentIndex(presets::puNothingType);
            cmbLeft[n]->setCurrentIndex(0);
            cmbTop[n]->setCurrentIndex(0);
            for (QComboBox *c : { cmbContent[n], cmbLeft[n], cmbTop[n] })
                c->setEnabled(false);
        }
    });
}

void frmPuPresets::cmbLeft_Click(int i)
{
    msg::step(g, subLeft, [&] {
        const int v = tableui::selectedValue(cmbLeft[static_cast<size_t>(i)]);
        if (v >= 0)
            rec(i)[presets::puLeft] = static_cast<uint8_t>(v);
    });
}

void frmPuPresets::cmbTop_Click(int i)
{
    msg::step(g, subTop, [&] {
        const int v = tableui::selectedValue(cmbTop[static_cast<size_t>(i)]);
        if (v >= 0)
            rec(i)[presets::puTop] = static_cast<uint8_t>(v);
    });
}

void frmPuPresets::cmdOK_Click()
{
    // The shared table follows the ROM file: it changes only when the write succeeded, and a
    // failed write keeps the window open with the edits.
    const bool saved = msg::step(g, subOK, [&] {
        const RomImage rom = RomImage::load(g.ini.romPath);
        romfile::write(g.ini.romPath, presets::puSave(rom, puWork, r));
        for (int n = 0; n < 254; ++n)
            g.puPresets[static_cast<size_t>(n)] = puWork[static_cast<size_t>(n)];
    });
    if (saved)
        accept();
}

void frmPuPresets::cmdRestore_Click()
{
    bool restored = false;
    msg::step(g, subRestore, [&] {
        if (!tableui::restoreAsked(g))
            return;
        const RomImage backup = RomImage::load(g.ini.backupPath);
        const RomImage rom = RomImage::load(g.ini.romPath);
        presets::PuTable t = g.puPresets;
        romfile::write(g.ini.romPath, presets::puRestore(backup, rom, t, r));
        g.puPresets = t;
        restored = true;
    });
    if (restored)
        accept();
}

void frmPuPresets::cmdRevert_Click()
{
    for (int n = 0; n < 254; ++n)
        puWork[static_cast<size_t>(n)] = g.puPresets[static_cast<size_t>(n)];
    if (scroll->value() != 0)
        scroll->setValue(0);
    else
        scroll_Change();
}

void frmPuPresets::cmdCancel_Click()
{
    reject();
}

void frmPuPresets::time_Timer()
{
    QComboBox *c = cmbContent[static_cast<size_t>(g.puVal & 15)];
    // A disabled list cannot take the focus: try again at the next tick.
    if (!c->isEnabled())
        return;
    c->setFocus();
    time->stop();
    tableui::normalPointer();
}
