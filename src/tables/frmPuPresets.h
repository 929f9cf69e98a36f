#pragma once
#include "tables/PresetWindow.h"
#include "tables/Presets.h"

#include <array>
#include <vector>

// "Power-Up Byte Values": the power-up presets, 16 a page. Opened modally with a preset
// number in g.puVal (which the load turns into the row to focus); Save and Restore write the
// ROM file and g.puPresets, Cancel and the close box write nothing.
class frmPuPresets : public PresetWindow
{
    Q_OBJECT
public:
    frmPuPresets(Shared &g, QWidget *parent = nullptr);

    void cmbType_Click(int i) override;
    void cmbContent_Click(int i);

    presets::PuTable puWork {};

    Lists cmbContent {};
    std::array<QLabel *, 4> labola {};

private:
    void buildControls();
    puPresetRec &rec(int i);
    uint8_t &field(int i, int f) override;
    void fillLists(int i) override;
    void connectRow(int i) override;
    void makeNothing(int i, bool lockType);
    void emptyRow(int i, QComboBox *other, int nothing);
    void showPage() override;
    void takeShared() override;
    std::vector<Patch> saved(const RomImage &rom) override;
    void keepWork() override;
    void restoreFrom(const RomImage &backup, const RomImage &rom) override;
    QComboBox *focusList(int i) override;

    std::vector<presets::Item> types, contents;
};
