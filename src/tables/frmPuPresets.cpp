#include "tables/frmPuPresets.h"

#include "rom/Numbers.h"
#include "tables/TableUi.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

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

static_assert(presets::puLeft == 0 && presets::puTop == 1);

} // namespace

frmPuPresets::frmPuPresets(
    RomDocument &romDoc, const ProgramFiles &files, int puVal, QWidget *parent)
    : PresetTable(romDoc, files, parent, 6120,
        { subScroll, subLeft, subTop, subOK, subRestore, subLoad },
        presets::puShape(romDoc.release()), romDoc.tables().puPresets, puVal)
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
    // Each heading as wide as the column under it.
    const int headLeft[4] = { 660, 2220, 3000, 3780 }, headWidth[4] = { 1500, 720, 720, 1860 };
    for (int k = 0; k < 4; ++k)
        labola[static_cast<size_t>(k)] = tableui::label(
            this, rowName("labola", k), heads[k], headLeft[k], 120, headWidth[k], 225);
    buildRows({ { "cmbType", 660, 1500, &cmbType }, { "cmbLeft", 2220, 720, &cmbLeft },
        { "cmbTop", 3000, 720, &cmbTop }, { "cmbContent", 3780, 1860, &cmbContent } });
    buildFrame({ 15, 5760, { 120, 1575, 3030, 4485 }, { 1335, 1335, 1335, 1530 } });
}

void frmPuPresets::fillLists(int i)
{
    const size_t n = static_cast<size_t>(i);
    for (int k = 0; k < presets::puLeftItems; ++k)
        cmbLeft[n]->addItem(viewtext::hex2(presets::puLeftValue(k)), presets::puLeftValue(k));
    for (int k = 0; k < presets::puTopItems; ++k)
        cmbTop[n]->addItem(QString::fromStdString(presets::puTopText(presets::puTopValue(k))),
            presets::puTopValue(k));
    for (const presets::Item &it : contents)
        cmbContent[n]->addItem(QString::fromStdString(it.text), it.code);
    for (const presets::Item &it : types)
        cmbType[n]->addItem(QString::fromStdString(it.text), it.code);
}

void frmPuPresets::connectRow(int i)
{
    PresetWindow::connectRow(i);
    connect(cmbContent[static_cast<size_t>(i)], &QComboBox::currentIndexChanged, this,
        [this, i] { cmbContent_Click(i); });
}

bool frmPuPresets::pastTable(int i) const
{
    return scroll->value() == 15 && i >= presets::puLastRow(r);
}

// A row past the table shows "Nothing", "00", "10", "Nothing".
void frmPuPresets::showLists(int i, bool past)
{
    const size_t n = static_cast<size_t>(i);
    showField(cmbLeft[n], i, presets::puLeft, past, presets::puLeftValue(0), hexText, true);
    showField(
        cmbTop[n], i, presets::puTop, past, presets::puTopValue(0),
        [](int v) { return QString::fromStdString(presets::puTopText(v)); }, true);
    showField(cmbType[n], i, presets::puType, past, 0, unknownText, false);
    showField(cmbContent[n], i, presets::puContent, past, 0, unknownText, false);
}

// The type or the content of row i became "Nothing": the other list follows, Left and Top go
// back to their first items, and only the type list stays usable.
void frmPuPresets::emptyRow(int i, QComboBox *other)
{
    const size_t n = static_cast<size_t>(i);
    selectValue(other, 0);
    selectValue(cmbLeft[n], presets::puLeftValue(0));
    selectValue(cmbTop[n], presets::puTopValue(0));
    for (QComboBox *c : { cmbContent[n], cmbLeft[n], cmbTop[n] })
        c->setEnabled(false);
}

void frmPuPresets::cmbType_Click(int i)
{
    if (showing)
        return;
    msg::step(romDoc, subType, [&] {
        const size_t n = static_cast<size_t>(i);
        const int v = tableui::selectedValue(cmbType[n]);
        if (v < 0)
            return;
        edit(i, presets::puType, v);
        if (v == 0) {
            emptyRow(i, cmbContent[n]);
        } else {
            for (QComboBox *c : { cmbContent[n], cmbLeft[n], cmbTop[n] })
                c->setEnabled(true);
            if (tableui::selectedValue(cmbContent[n]) == 0)
                selectValue(cmbContent[n], contents[0].code);
        }
    });
}

void frmPuPresets::cmbContent_Click(int i)
{
    if (showing)
        return;
    msg::step(romDoc, subContent, [&] {
        const size_t n = static_cast<size_t>(i);
        const int v = tableui::selectedValue(cmbContent[n]);
        if (v < 0)
            return;
        edit(i, presets::puContent, v);
        if (v == 0)
            emptyRow(i, cmbType[n]);
    });
}

QComboBox *frmPuPresets::focusList(int i)
{
    return cmbContent[static_cast<size_t>(i)];
}
