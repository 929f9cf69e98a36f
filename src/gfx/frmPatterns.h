#pragma once
#include "model/RomDocument.h"

#include <QDialog>

#include <array>
#include <utility>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class MainLink;
namespace patbank {
struct SectionBanks;
} // namespace patbank
namespace ctl {
class ImageBox;
class ScrollBar;
} // namespace ctl

// "Pattern Tables": the CHR banks of the current section, two background banks and two or three
// sprite banks, each on a scroll bar with a preview of the first two. Save writes the banks the
// user changed into the document's tables and the ROM. The window object lives as long as the main
// window, so the chosen preview layout lasts from one opening to the next.
class frmPatterns : public QDialog
{
    Q_OBJECT
public:
    frmPatterns(
        RomDocument &romDoc, const ProgramFiles &files, MainLink &main, QWidget *parent = nullptr);

    void run(); // loads and runs the window modally

    // Handlers, by their design names.
    void Form_Load();
    void optB_Click();
    void optE_Click();
    void sc_Change(int index);
    void drawPatterns(int index, int patNo);
    void chk_Click();
    void chk2_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    std::array<uint8_t, 2> bgBanks {};
    std::array<uint8_t, 3> sprBanks {};
    int interleave = 0; // 0 plain, 1 8-interleave, 2 4-interleave

    // Whether the section's bank bytes could be read at the opening; Save works only then.
    bool loaded() const { return m_loaded; }
    // After the window closed: true unless its Save wrote the banks.
    bool dlgCancel() const { return m_dlgCancel; }

    QGroupBox *Frame1 = nullptr, *frmSq = nullptr;
    QRadioButton *optB = nullptr, *optE = nullptr;
    std::array<ctl::ScrollBar *, 3> sc {};
    std::array<QLineEdit *, 3> txt {}, txtA {};
    std::array<ctl::ImageBox *, 2> img {};
    QCheckBox *chk = nullptr, *chk2 = nullptr;
    QString chkTag, chk2Tag;
    QLabel *lb = nullptr;
    QPushButton *cmdOK = nullptr, *cmdCancel = nullptr;

private:
    void buildControls();
    void buildSlot(QWidget *parent, int i, int top);
    void connectControls();
    void resetControls();
    void loadBar(int i, uint8_t bank);
    void showSlot(int i, int bank);
    void markSlot(int i, int bank);
    void layoutClick(
        const QString &selfTag, QCheckBox *self, QString &otherTag, QCheckBox *other, int layout);
    int slotBank(int i) const;
    std::pair<patbank::SectionBanks, patbank::SectionBanks> banksToSave(bool &copyRefused) const;

    RomDocument &romDoc;
    const ProgramFiles &files;
    MainLink &m_main;
    std::array<uint32_t, 4> patColors {};
    bool m_loaded = false;
    bool m_dlgCancel = false; // true from the opening until a Save
    std::array<uint8_t, 2> m_readBg {}; // the banks at the opening
    std::array<uint8_t, 3> m_readSpr {};
};
