#pragma once
#include "app/Shared.h"
#include "tables/Presets.h"

#include <QDialog>

#include <array>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QTimer;

// "Power-Up Byte Values": the power-up presets, 16 a page. Opened modally with a preset
// number in g.puVal (which the load turns into the row to focus); Save and Restore write the
// ROM file and g.puPresets, Cancel and the close box write nothing.
class frmPuPresets : public QDialog
{
    Q_OBJECT
public:
    frmPuPresets(Shared &g, QWidget *parent = nullptr);

    // Handlers, by their design names.
    void Form_Load();
    void scroll_Change();
    void cmbType_Click(int i);
    void cmbContent_Click(int i);
    void cmbLeft_Click(int i);
    void cmbTop_Click(int i);
    void cmdOK_Click();
    void cmdRestore_Click();
    void cmdRevert_Click();
    void cmdCancel_Click();
    void time_Timer();

    presets::PuTable puWork {};

    std::array<QLabel *, 16> lbl {};
    std::array<QComboBox *, 16> cmbType {}, cmbLeft {}, cmbTop {}, cmbContent {};
    std::array<QLabel *, 4> labola {};
    QScrollBar *scroll = nullptr;
    QPushButton *cmdRestore = nullptr, *cmdRevert = nullptr, *cmdCancel = nullptr, *cmdOK = nullptr;
    QTimer *time = nullptr;

private:
    void buildControls();
    void fillLists(int i);
    void connectRow(int i);
    puPresetRec &rec(int i);
    void setRow(int i, bool on);
    void makeNothing(int i, bool lockType);
    void showPage();

    Shared &g;
    int r = 0;
    std::vector<presets::Item> types, contents;
};
