#pragma once
#include "model/RomDocument.h"
#include "ui/PanelLayer.h"

#include <array>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class StageDocument;
struct ProgramFiles;
struct StageTables;
namespace ctl {
class ComboBox;
} // namespace ctl

// The shown section's properties beside the view: its time (its area's byte, written at once),
// the scroll types of a vertical section, its palette set and block read-outs, and Mirror for
// stage 1's downward sections. Showing a section edits nothing; the lists edit on a pick only.
// The palette set follows every change of the colours.
class SectionProperties : public PanelLayer, private RomDocument::Listener
{
    Q_OBJECT
public:
    SectionProperties(QWidget *client, RomDocument &romDoc, const ProgramFiles &files);
    ~SectionProperties() override;

    // The controls for the section now current; `vertical` when it scrolls up and down.
    void showSection(bool vertical);
    void showPaletteSet();
    void showMirror(bool on);

signals:
    // Mirror copied the upward section's layout here: the section is edited and drawn again.
    void mirrored();
    // The time was not written: the ROM file is no longer the one loaded.
    void romChanged(const std::string &description);

private:
    void palettesChanged() override;
    void cmbTime_Click();
    void Combo3_Click();
    void Combo4_Click();
    void cmdMirror_Click();
    void scrollTypeLists();
    void selectScrollItem(ctl::ComboBox *box, int value);

    RomDocument &romDoc;
    const ProgramFiles &files;
    StageDocument &doc;
    const StageTables &t;
    QLineEdit *txtPal = nullptr;
    QLineEdit *txtBlk = nullptr;
    ctl::ComboBox *cmbTime = nullptr;
    ctl::ComboBox *Combo3 = nullptr;
    ctl::ComboBox *Combo4 = nullptr;
    std::array<QLabel *, 2> lblVs {};
    QPushButton *cmdMirror = nullptr;
    int vScrollIdx = 0; // which of stage 1's second scroll types Combo4 shows
};
