#include "tables/frmPuPresets.h"

#include "app/MsgBox.h"
#include "app/ViewText.h"
#include "rom/Numbers.h"
#include "tables/TableUi.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollBar>

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

constexpr int workCount = 254; // records copied between the window and the shared table

static_assert(presets::puLeft == 0 && presets::puTop == 1);

} // namespace

frmPuPresets::frmPuPresets(Shared &g, QWidget *parent)
    : PresetWindow(g, parent, 6120, { subScroll, subLeft, subTop, subOK, subRestore, subLoad })
{
    setObjectName("frmPuPresets");
    setWindowTitle("Power-Up Byte Values");
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
    buildRows({ { "cmbType", 660, 1500, &cmbType }, { "cmbLeft", 2220, 720, &cmbLeft },
        { "cmbTop", 3000, 720, &cmbTop }, { "cmbContent", 3780, 1860, &cmbContent } });
    buildFrame({ 15, 5760, { 120, 1575, 3030, 4485 }, { 1335, 1335, 1335, 1530 } });
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
    PresetWindow::connectRow(i);
    connect(cmbContent[static_cast<size_t>(i)], &QComboBox::currentIndexChanged, this,
        [this, i] { cmbContent_Click(i); });
}

void frmPuPresets::takeShared()
{
    for (int n = 0; n < workCount; ++n)
        puWork[static_cast<size_t>(n)] = g.puPresets[static_cast<size_t>(n)];
}

puPresetRec &frmPuPresets::rec(int i)
{
    return puWork[static_cast<size_t>(16 * scroll->value() + i)];
}

uint8_t &frmPuPresets::field(int i, int f)
{
    return rec(i)[static_cast<size_t>(f)];
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
        lbl[n]->setText(viewtext::hex2(16 * p + i));
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

// The type or the content of row i became "Nothing": the other list follows, Left and Top go
// back to their first items, and only the type list stays usable.
void frmPuPresets::emptyRow(int i, QComboBox *other, int nothing)
{
    const size_t n = static_cast<size_t>(i);
    other->setCurrentIndex(nothing);
    cmbLeft[n]->setCurrentIndex(0);
    cmbTop[n]->setCurrentIndex(0);
    for (QComboBox *c : { cmbContent[n], cmbLeft[n], cmbTop[n] })
        c->setEnabled(false);
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
            emptyRow(i, cmbContent[n], presets::puNothingContent);
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
        if (v == 0)
            emptyRow(i, cmbType[n], presets::puNothingType);
    });
}

std::vector<Patch> frmPuPresets::saved(const RomImage &rom)
{
    return presets::puSave(rom, puWork, r);
}

void frmPuPresets::keepWork()
{
    for (int n = 0; n < workCount; ++n)
        g.puPresets[static_cast<size_t>(n)] = puWork[static_cast<size_t>(n)];
}

void frmPuPresets::restoreFrom(const RomImage &backup, const RomImage &rom)
{
    presets::PuTable t = g.puPresets;
    romfile::write(g.ini.romPath, presets::puRestore(backup, rom, t, r));
    g.puPresets = t;
}

QComboBox *frmPuPresets::focusList(int i)
{
    return cmbContent[static_cast<size_t>(i)];
}
