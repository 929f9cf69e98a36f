#pragma once
#include "app/Shared.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class Spinner;

// "Game options": the starting lives and hearts. Save writes both BCD bytes; Cancel and the
// close box write nothing.
class frmMisc : public QDialog
{
    Q_OBJECT
public:
    frmMisc(Shared &g, QWidget *parent = nullptr);

    // Handlers, by their design names.
    void Form_Load();
    void vLife_Change();
    void vHeart_Change();
    void cmdDefault_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    Spinner *vLife = nullptr, *vHeart = nullptr;
    QLineEdit *txtl = nullptr, *txth = nullptr;
    std::array<QLabel *, 4> lab {};
    QPushButton *cmdDefault = nullptr, *cmdOK = nullptr, *cmdCancel = nullptr;

    long long livesPos = 0, heartsPos = 0;

private:
    void buildControls();

    Shared &g;
};
