#include "tables/frmEnPresets.h"

#include "rom/Numbers.h"
#include "stage/Loader.h"
#include "tables/TableUi.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollBar>

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

static_assert(presets::enLeft == 0 && presets::enTop == 1);

} // namespace

frmEnPresets::frmEnPresets(
    RomDocument &romDoc, const ProgramFiles &files, int puVal, QWidget *parent)
    : PresetTable(romDoc, files, parent, 5760,
        { subPage, subLeft, subTop, subOK, subRestore, subLoad },
        presets::enShape(romDoc.release()), romDoc.tables().enPresets, puVal)
{
    setObjectName("frmEnPresets");
    setWindowTitle("Enemy Byte Values");
    for (const EnemyRow &row : enemyList(romDoc.romVer()))
        types.push_back({ row.text, static_cast<uint8_t>(row.id) });
    types.push_back({ "None", 0 });
    buildControls();
    Form_Load();
}

void frmEnPresets::buildControls()
{
    const char *heads[3] = { "Enemy", "Left", "Top" };
    // Each heading as wide as the column under it.
    const int headLeft[3] = { 660, 3780, 4560 }, headWidth[3] = { 3060, 720, 720 };
    for (int k = 0; k < 3; ++k)
        labola[static_cast<size_t>(k)] = tableui::label(
            this, rowName("labola", k), heads[k], headLeft[k], 120, headWidth[k], 225);
    buildRows({ { "cmbType", 660, 3060, &cmbType }, { "cmbLeft", 3780, 720, &cmbLeft },
        { "cmbTop", 4560, 720, &cmbTop } });
    buildFrame(
        { presets::enMaxPage(r), 5400, { 120, 1515, 2910, 4305 }, { 1290, 1290, 1290, 1350 } });
}

void frmEnPresets::fillLists(int i)
{
    const size_t n = static_cast<size_t>(i);
    for (int k = 0; k < presets::enLeftItems; ++k)
        cmbLeft[n]->addItem(viewtext::hex2(presets::enLeftValue(k)), presets::enLeftValue(k));
    for (int k = 0; k < presets::enTopItems; ++k)
        cmbTop[n]->addItem(viewtext::hex2(presets::enTopValue(k)), presets::enTopValue(k));
    for (const presets::Item &it : types)
        cmbType[n]->addItem(QString::fromStdString(it.text), it.code);
}

void frmEnPresets::showPage()
{
    labola[0]->setText(scroll->value() < 13 ? "Enemy" : "Enemy (Second Quest)");
    PresetWindow::showPage();
}

bool frmEnPresets::pastTable(int i) const
{
    return scroll->value() == 14 && i >= 4;
}

// A row past the table shows "None", "00", "20".
void frmEnPresets::showLists(int i, bool past)
{
    const size_t n = static_cast<size_t>(i);
    showField(cmbType[n], i, presets::enType, past, 0, unknownText, false);
    showField(cmbLeft[n], i, presets::enLeft, past, presets::enLeftValue(0), hexText, true);
    showField(cmbTop[n], i, presets::enTop, past, presets::enTopValue(0), hexText, true);
}

void frmEnPresets::cmbType_Click(int i)
{
    if (showing)
        return;
    msg::step(romDoc, subType, [&] {
        const size_t n = static_cast<size_t>(i);
        const int v = tableui::selectedValue(cmbType[n]);
        if (v < 0)
            return;
        edit(i, presets::enType, v);
        if (v == 0) {
            selectValue(cmbLeft[n], presets::enLeftValue(0));
            selectValue(cmbTop[n], presets::enTopValue(0));
        }
        cmbLeft[n]->setEnabled(v != 0);
        cmbTop[n]->setEnabled(v != 0);
    });
}

QComboBox *frmEnPresets::focusList(int i)
{
    return cmbType[static_cast<size_t>(i)];
}
