#pragma once
#include "app/Shared.h"
#include "gfx/PalSets.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;
class ColourBox;
class frmRI3;
namespace ctl {
class ImageBox;
}

// "Edit Palettes": every background palette set, the shared colours, the backdrop, and the set
// of the current section. Works on a copy read from the ROM; Save writes it all back.
class frmPalettes : public QDialog
{
    Q_OBJECT
public:
    frmPalettes(Shared &g, frmRI3 &main, QWidget *parent = nullptr);

    // Loads and runs the window modally.
    void run();

    // Handlers, by their design names.
    void Form_Load();
    void boxSet_Click();
    void picPal_Click(int index);
    void picColor_Click(int index);
    void picPal_MouseMove(int index);
    void picColor_MouseMove(int index);
    void Form_MouseMove();
    void tim_Timer();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdRestore_Click();
    void cmdRevert_Click();
    void cmdAssign_Click();

    // Draws a block of the current tileset with the assigned set into a main-window image.
    void previewBlock(ctl::ImageBox *target, int block);

    const bgpal::PalSets &sets() const { return palSets; }
    int assignedSet() const { return curSet; }
    int selectedSlot() const { return selSlot; }

    QLineEdit *Text1 = nullptr, *txt1 = nullptr, *txtSet = nullptr;
    QListWidget *boxSet = nullptr;
    std::array<ColourBox *, 16> picPal {};
    std::array<ColourBox *, 64> picColor {};
    QLabel *Label2 = nullptr;
    QTimer *tim = nullptr;
    QPushButton *cmdAssign = nullptr, *cmdOK = nullptr, *cmdCancel = nullptr, *cmdRevert = nullptr,
                *cmdRestore = nullptr;

    void done(int r) override;

protected:
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    void buildControls();
    void buildGrid();
    void connectControls();
    void showSlot(ColourBox *box, int colour);
    void allBordersOff();
    void setShared(bool on);
    int listIndex() const;
    void previewMain(bool selectorInEveryMode);
    void hover(ColourBox *box, int dy);

    Shared &g;
    frmRI3 &m_main;
    bgpal::PalSets palSets;
    int32_t setBase = 0;
    int curSet = 0;
    int selSlot = 5;
    bool m_unloaded = false;
};
