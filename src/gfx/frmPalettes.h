#pragma once
#include "gfx/PaletteWindow.h"
#include "model/gfx/PalSets.h"

#include <array>

class MainLink;
namespace ctl {
class ImageBox;
}

// "Edit Palettes": every background palette set, the shared colours, the backdrop, and the set
// of the current section. Works on a copy read from the ROM; Save writes back what the user
// changed.
class frmPalettes : public PaletteWindow
{
    Q_OBJECT
public:
    frmPalettes(
        RomDocument &romDoc, const ProgramFiles &files, MainLink &main, QWidget *parent = nullptr);

    // Handlers, by their design names.
    void Form_Load() override;
    void boxSet_Click() override;
    void picPal_Click(int index) override;
    void picColor_Click(int index) override;
    void picPal_MouseMove(int index) override;
    void tim_Timer() override;
    void cmdOK_Click() override;
    void cmdRestore_Click() override;
    void cmdRevert_Click() override;
    void cmdAssign_Click() override;

    // Draws a block of the current tileset with the assigned set into a main-window image.
    void previewBlock(ctl::ImageBox *target, int block);

    const bgpal::PalSets &sets() const { return palSets; }
    // Whether Save or Restore tried to write the ROM since the window opened.
    bool writeTried() const { return m_writeTried; }

    QLineEdit *Text1 = nullptr, *txt1 = nullptr;
    std::array<ColourBox *, 16> picPal {};

    void done(int r) override;

private:
    // The position of the section's set number, 0 when it has none.
    int32_t setPos() const;
    std::vector<Patch> changes() const override;
    void buildControls();
    void buildGrid();
    void allBordersOff();
    void setShared(bool on);
    int listIndex() const;
    void previewMain(bool selectorInEveryMode);

    MainLink &m_main;
    bgpal::PalSets palSets;
    bgpal::PalSets m_read; // as the last load or Restore left the ROM
    int m_readSet = 0;
    int32_t setBase = 0;
    bool m_unloaded = false;
    bool m_writeTried = false;
};
