#pragma once
#include "model/RomDocument.h"

#include <QDialog>

#include <array>
#include <span>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;
class ColourBox;

// What the background and the sprite palette editors share: the list of palette sets, the
// section's assigned set, the 64 NES colours to pick from, the colour number read-out under the
// pointer, the blinking selection and the Restore, Revert, Cancel and Save buttons. A window
// says what its palette boxes hold and how it loads, saves and restores them.
class PaletteWindow : public QDialog
{
    Q_OBJECT
public:
    // Loads and runs the window modally.
    void run();

    // Handlers, by their design names.
    virtual void Form_Load() = 0;
    virtual void boxSet_Click() = 0;
    virtual void cmdAssign_Click() = 0;
    virtual void picPal_Click(int index) = 0;
    virtual void picColor_Click(int index) = 0;
    virtual void picPal_MouseMove(int index) = 0;
    void picColor_MouseMove(int index);
    void Form_MouseMove();
    virtual void tim_Timer() = 0;
    virtual void cmdOK_Click() = 0;
    void cmdCancel_Click();
    virtual void cmdRestore_Click() = 0;
    virtual void cmdRevert_Click() = 0;

    int assignedSet() const { return curSet; }
    // Whether the last load read the ROM; Save and Restore work only then.
    bool loaded() const { return m_loaded; }
    int selectedSlot() const { return selSlot; }

    QLineEdit *txtSet = nullptr;
    QListWidget *boxSet = nullptr;
    std::array<ColourBox *, 64> picColor {};
    QLabel *Label2 = nullptr;
    QTimer *tim = nullptr;
    QPushButton *cmdAssign = nullptr, *cmdOK = nullptr, *cmdCancel = nullptr, *cmdRevert = nullptr,
                *cmdRestore = nullptr;

protected:
    // colourMoveSub: the error number of picColor_MouseMove.
    PaletteWindow(
        RomDocument &romDoc, const ProgramFiles &files, QWidget *parent, int colourMoveSub);
    void mouseMoveEvent(QMouseEvent *e) override;

    // Pieces placed in twips.
    void label(const QString &text, int left, int top, int width);
    QPushButton *button(
        const char *name, const char *caption, int left, int top, int width, int height);
    QListWidget *setList(int left, int top, int width, int height);
    // The 64 colours, 8 a row in two blocks of four rows with `gap` between them.
    void buildColours(int left, int top, int step, int size, int gap);
    // The read-out, then Restore, Revert, Cancel and Save in a row, then the blink timer.
    void buildFooter(int left, int step, int top, int width);
    void connectControls(std::span<ColourBox *const> pal);

    int release() const;
    // The bytes Save would write.
    virtual std::vector<Patch> changes() const = 0;
    // A box shows NES colour `colour`, and its Tag the colour's number.
    void showColour(ColourBox *box, int colour);
    // The read-out over `box`, moved by (dx, dy) twips.
    void hover(ColourBox *box, int dx, int dy);
    // Every colour box, and one list row for each of `count` sets.
    void listColoursAndSets(int count);
    // The list shows the set the section uses (set 0 for a set it does not hold, which is kept
    // for Save), the boxes show that set and txtSet its number.
    void showAssigned();
    // The set chosen in the list becomes the section's.
    void assignListed();
    static void restoredBox(int set);
    // After a Save that wrote the colours: the section has no set number in the ROM file, so it
    // keeps set `kept` and the set `chosen` for it was not written.
    static void setKeptBox(int kept, int chosen);
    // Enables Save and Restore when the load read the ROM; otherwise they stay disabled, so a
    // window that shows nothing true writes nothing. Revert loads again.
    void setLoaded(bool ok);

    RomDocument &romDoc;
    const ProgramFiles &files;
    int curSet = 0;
    int selSlot = 0;
    bool m_loaded = false;

private:
    int colourMoveSub;
};
