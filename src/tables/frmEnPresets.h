#pragma once
#include "model/Presets.h"
#include "tables/PresetWindow.h"

#include <array>
#include <vector>

// "Enemy Byte Values": the enemy presets, 16 a page. Opened modally on preset puVal, whose
// row takes the focus; Save and Restore write the ROM file and the document's enPresets, Cancel
// and the close box write nothing.
class frmEnPresets : public PresetTable<enPresetRec>
{
    Q_OBJECT
public:
    frmEnPresets(
        RomDocument &romDoc, const ProgramFiles &files, int puVal, QWidget *parent = nullptr);

    void cmbType_Click(int i) override;

    const presets::EnTable &enWork = work;

    std::array<QLabel *, 3> labola {};

private:
    void buildControls();
    void fillLists(int i) override;
    void showPage() override;
    bool pastTable(int i) const override;
    void showLists(int i, bool past) override;
    QComboBox *focusList(int i) override;

    std::vector<presets::Item> types; // the enemy list's rows, then "None"
};
