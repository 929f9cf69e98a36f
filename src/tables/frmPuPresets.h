#pragma once
#include "model/Presets.h"
#include "tables/PresetWindow.h"

#include <array>
#include <vector>

// "Power-Up Byte Values": the power-up presets, 16 a page. Opened modally on preset puVal,
// whose row takes the focus; Save and Restore write the ROM file and the document's puPresets,
// Cancel and the close box write nothing.
class frmPuPresets : public PresetTable<puPresetRec>
{
    Q_OBJECT
public:
    frmPuPresets(
        RomDocument &romDoc, const ProgramFiles &files, int puVal, QWidget *parent = nullptr);

    void cmbType_Click(int i) override;
    void cmbContent_Click(int i);

    const presets::PuTable &puWork = work;

    Lists cmbContent {};
    std::array<QLabel *, 4> labola {};

private:
    void buildControls();
    void fillLists(int i) override;
    void connectRow(int i) override;
    void emptyRow(int i, QComboBox *other);
    bool pastTable(int i) const override;
    void showLists(int i, bool past) override;
    QComboBox *focusList(int i) override;

    std::vector<presets::Item> types, contents;
};
