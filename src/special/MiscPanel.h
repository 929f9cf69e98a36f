#pragma once
#include "model/objects/MiscDrag.h"
#include "model/objects/ObjectLayout.h"
#include "objects/MarkerLayer.h"
#include "stage/Records.h"
#include "ui/PanelLayer.h"

#include <array>
#include <string>
#include <vector>

class RomDocument;
struct ProgramFiles;
struct StageTables;
class QCheckBox;
class QLabel;
class QPixmap;
class QScrollBar;
namespace ctl {
class ComboBox;
class ScrollBar;
} // namespace ctl
namespace special {
struct StView;
struct TypeSetup;
} // namespace special

// The Miscellaneous mode: the type box and the property bars of the selected special object,
// the breakable-block box and the note beside the view, and the markers of the staircases,
// special objects, doors and start point with what the pointer does with them.
class MiscPanel : public PanelLayer, public MarkerOwner
{
    Q_OBJECT
public:
    MiscPanel(RomDocument &romDoc, const ProgramFiles &files, const StageTables &t, ModeHost &host,
        MarkerLayer &markers, QWidget *client);

    // The mode shown: its panel with nothing selected, and the section's markers.
    void enter();
    // The mode put away: every control of it hidden.
    void leave();
    // A new section shown while the mode is: the type list of its kind, nothing selected.
    void resetMiscPanel();
    // The markers laid for the section and the view as they are.
    void processSt();
    // The pointer over view cell `index`, at (x, y) in twips inside it: the read-outs show its
    // place in the section's pixels, [x, y].
    void cellHover(int index, double x, double y);
    // The bar the "-" and "+" keys step in this mode, if any.
    QScrollBar *stepBar() const;
    // The special object selected: its slot in the section's list.
    int selectedObject() const { return selSt; }

    void PosPu_MouseDown(int index, int button, double x, double y) override;
    void PosPu_MouseMove(int index) override;
    void dragOver(ctl::ImageBox *source, int tx, int ty) override;
    void scrscroll_DragDrop(ctl::ImageBox *source, double x) override;
    void scrvscroll_DragDrop(ctl::ImageBox *source, double y) override;
    void unDrag() override { }

private:
    void build();
    void buildBars();
    void connectControls();
    QPixmap datPicture(const std::string &file) const;
    void Hlight();
    int sectionScreens() const;

    // Laying the markers (MiscPanel_layout.cpp).
    void lay(ctl::ImageBox *m, const objects::Place &p);
    void layStairs(const special::StView &view);
    void layStart(const special::StView &view);
    void laySpecials(const special::StView &view);
    void layDoors();
    void cmbSt_Click();
    void chkBlockChange();

    // A marker pressed, a bar moved (MiscPanel_pick.cpp).
    void stMarkerDown(int index, int button, double x, double y);
    void scrSt_Change(int index);
    void viewFollows();

    // The selected special object shown (MiscPanel_select.cpp).
    bool showSpecial(int index);
    void stSelectSpecial(int index, double x, double y);
    void codeBar(const specialRec &rec, special::TypeSetup &setup);
    void platformBars(const specialRec &rec, special::TypeSetup &setup);
    void pendulumBars(const specialRec &rec, int viewMax, special::TypeSetup &setup);
    void pickType(int listIndex);
    special::TypeSetup codeTypeBars(
        const specialRec &rec, int type, int listIndex, int max2, bool shortSection);
    void emptySlotBars();
    special::TypeSetup bridgeBars(const specialRec &rec, int max2);
    special::TypeSetup blockPairBars(const specialRec &rec, int listIndex, bool vertical);
    special::TypeSetup setUpType(const specialRec &rec, int type, bool vertical, int viewMax);
    bool showBar(int k, const specialRec &rec, const special::TypeSetup &setup);

    // The dragged marker's record follows it (MiscPanel_drag.cpp).
    special::Moved dragStartPoint(StageTables &edit, ctl::ImageBox *source, int tx, int ty,
        const special::ScrollState &st, dragmath::Errors &errors);
    special::Moved dragSpecialObject(StageTables &edit, ctl::ImageBox *source, int tx, int ty,
        const special::ScrollState &st, dragmath::Errors &errors);
    void dragMiscMarker(StageTables &edit, ctl::ImageBox *source, int tx, int ty);

    RomDocument &romDoc;
    const ProgramFiles &files;
    // Every edit of the panel: host.objectEdit, with the special-object list tidied when the
    // edit changed it.
    bool edit(const std::function<void(StageTables &)> &change);

    const StageTables &t; // written only through edit
    ModeHost &host;
    MarkerLayer &markers;

    ctl::ComboBox *cmbSt = nullptr;
    std::array<ctl::ScrollBar *, 4> scrSt {};
    std::array<QLabel *, 9> lblSt {};
    QCheckBox *chkBlock = nullptr;
    QLabel *noteSt = nullptr;

    QString noteStTag;
    int selSt = 0;
    // The bars of the selected object whose range does not hold its record's byte.
    std::vector<int> oddBars;
    // The selected object's bars name one of its places (a Location or a Layout), so the view
    // follows it to its screen after a retype, as after a move of that bar.
    bool barPlaces = false;
    int speedTiles = 0;
};
