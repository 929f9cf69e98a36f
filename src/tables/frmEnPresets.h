#pragma once
#include "tables/PresetWindow.h"
#include "tables/Presets.h"

#include <array>
#include <vector>

// "Enemy Byte Values": the enemy presets, 16 a page. Opened modally with a preset number in
// g.puVal (which the load turns into the row to focus); Save and Restore write the ROM file
// and g.enPresets, Cancel and the close box write nothing.
class frmEnPresets : public PresetWindow
{
    Q_OBJECT
public:
    frmEnPresets(Shared &g, QWidget *parent = nullptr);

    void cmbType_Click(int i) override;

    presets::EnTable enWork {};

    std::array<QLabel *, 3> labola {};

private:
    void buildControls();
    enPresetRec &rec(int i);
    uint8_t &field(int i, int f) override;
    void fillLists(int i) override;
    void showPage() override;
    void takeShared() override;
    std::vector<Patch> saved(const RomImage &rom) override;
    void keepWork() override;
    void restoreFrom(const RomImage &backup, const RomImage &rom) override;
    QComboBox *focusList(int i) override;

    std::vector<presets::Item> types; // the enemy list's rows, then "None"
};
