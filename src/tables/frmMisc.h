#pragma once
#include "model/RomBytes.h"
#include "rom/ProgramFiles.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class Spinner;

// "Game options": the starting lives and hearts, one BCD byte each. Save writes the bytes the
// user changed; a byte left alone is kept, also one that is not BCD. Cancel and the close box
// write nothing.
class frmMisc : public QDialog
{
    Q_OBJECT
public:
    frmMisc(RomBytes &romDoc, const ProgramFiles &files, QWidget *parent = nullptr);

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

    // Whether the opening read both bytes; Save stays disabled otherwise.
    bool loaded() const { return m_loaded; }

private:
    void buildControls();
    // A byte as read until the user changes its control, then the control's value.
    struct Held
    {
        uint8_t read = 0;
        bool edited = false;
    };
    uint8_t byteNow(const Held &h, const Spinner *s) const;
    // The bytes Save would write.
    std::vector<Patch> changes() const;
    QString shownText(const Held &h, const Spinner *s) const;

    bool m_loaded = false;
    Held m_lives, m_hearts;

    RomBytes &romDoc;
    const ProgramFiles &files;
};
