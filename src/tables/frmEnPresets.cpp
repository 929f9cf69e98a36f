#include "tables/frmEnPresets.h"

#include "app/MsgBox.h"
#include "app/ViewText.h"
#include "rom/Numbers.h"
#include "stage/Loader.h"
#include "tables/TableUi.h"

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

constexpr int workCount = 228; // records copied between the window and the shared table

static_assert(presets::enLeft == 0 && presets::enTop == 1);

} // namespace

frmEnPresets::frmEnPresets(Shared &g, QWidget *parent)
    : PresetWindow(g, parent, 5760, { subPage, subLeft, subTop, subOK, subRestore, subLoad })
{
    setObjectName("frmEnPresets");
    setWindowTitle("Enemy Byte Values");
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
    // Nothing is selected until the first page is shown, so every selection there is a change.
    for (QComboBox *c : { cmbLeft[n], cmbTop[n], cmbType[n] })
        c->setCurrentIndex(-1);
}

void frmEnPresets::takeShared()
{
    for (int n = 0; n < workCount; ++n)
        enWork[static_cast<size_t>(n)] = g.enPresets[static_cast<size_t>(n)];
}

enPresetRec &frmEnPresets::rec(int i)
{
    return enWork[static_cast<size_t>(16 * scroll->value() + i)];
}

uint8_t &frmEnPresets::field(int i, int f)
{
    return rec(i)[static_cast<size_t>(f)];
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
        lbl[n]->setText(viewtext::hex2(16 * p + i));
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

std::vector<Patch> frmEnPresets::saved(const RomImage &rom)
{
    return presets::enSave(rom, enWork, r);
}

void frmEnPresets::keepWork()
{
    for (int n = 0; n < workCount; ++n)
        g.enPresets[static_cast<size_t>(n)] = enWork[static_cast<size_t>(n)];
}

void frmEnPresets::restoreFrom(const RomImage &backup, const RomImage &rom)
{
    presets::EnTable t = g.enPresets;
    romfile::write(g.ini.romPath, presets::enRestore(backup, rom, t, r));
    g.enPresets = t;
}

QComboBox *frmEnPresets::focusList(int i)
{
    return cmbType[static_cast<size_t>(i)];
}
