#pragma once
#include "app/Shared.h"
#include "gfx/SprPalettes.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;
class ColourBox;

// "Edit Sprite Palettes": the sprite palette sets, the six fixed sprite palettes and the set of
// the current section, read from the ROM when the window opens and written back by Save.
class frmSprites : public QDialog
{
    Q_OBJECT
public:
    frmSprites(Shared &g, QWidget *parent = nullptr);

    void run(); // loads and runs the window modally

    // Handlers, by their design names.
    void Form_Load();
    void boxSet_Click();
    void cmdAssign_Click();
    void picPal_Click(int index);
    void picColor_Click(int index);
    void picColor_MouseMove(int index);
    void picPal_MouseMove(int index);
    void Form_MouseMove();
    void tim_Timer();
    void cmdOK_Click();
    void cmdRestore_Click();
    void cmdRevert_Click();
    void cmdCancel_Click();

    const sprpal::SprPalData &sets() const { return sprPalSets; }
    int assignedSet() const { return curSet; }
    int selectedSlot() const { return selSlot; }

    QLineEdit *txtSet = nullptr;
    QListWidget *boxSet = nullptr;
    std::array<ColourBox *, 21> picPal {};
    std::array<ColourBox *, 64> picColor {};
    QLabel *Label2 = nullptr;
    QTimer *tim = nullptr;
    QPushButton *cmdAssign = nullptr, *cmdOK = nullptr, *cmdCancel = nullptr, *cmdRevert = nullptr,
                *cmdRestore = nullptr;

protected:
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    void buildControls();
    void buildBoxes();
    void connectControls();
    void showBox(ColourBox *box, int colour);
    void hover(ColourBox *box, int dx, int dy);
    sprpal::SprPalData fromBoxes() const;

    Shared &g;
    sprpal::SprPalData sprPalSets;
    int curSet = 0;
    int selSlot = 0;
};
