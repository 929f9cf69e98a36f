#pragma once
#include "gfx/PaletteWindow.h"
#include "model/gfx/SprPalettes.h"

#include <array>

// "Edit Sprite Palettes": the sprite palette sets, the six fixed sprite palettes and the set of
// the current section, read from the ROM when the window opens; Save writes back what the user
// changed.
class frmSprites : public PaletteWindow
{
    Q_OBJECT
public:
    frmSprites(RomDocument &romDoc, const ProgramFiles &files, QWidget *parent = nullptr);

    // Handlers, by their design names.
    void Form_Load() override;
    void boxSet_Click() override;
    void cmdAssign_Click() override;
    void picPal_Click(int index) override;
    void picColor_Click(int index) override;
    void picPal_MouseMove(int index) override;
    void tim_Timer() override;
    void cmdOK_Click() override;
    void cmdRestore_Click() override;
    void cmdRevert_Click() override;

    const sprpal::SprPalData &sets() const { return sprPalSets; }

    std::array<ColourBox *, 21> picPal {};

private:
    void buildControls();
    void buildBoxes();
    sprpal::SprPalData fromBoxes() const;
    // The position of the section's set number, 0 when it has none.
    int32_t setPos() const;
    std::vector<Patch> changes() const override;

    sprpal::SprPalData sprPalSets;
    sprpal::SprPalData m_read; // as the last load left the ROM
    int m_readSet = 0;
};
