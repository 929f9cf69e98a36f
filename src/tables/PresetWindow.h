#pragma once
#include "app/Shared.h"
#include "rom/RomFile.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QTimer;

// What the two byte value preset windows share: 16 rows of lists a page, the page bar, the
// Restore, Revert, Cancel and Save buttons and the timer that sets the focus after loading.
// A window says what its rows hold, how a page shows, and how its table is saved and restored.
class PresetWindow : public QDialog
{
    Q_OBJECT
public:
    using Lists = std::array<QComboBox *, 16>;

    // Handlers, by their design names.
    void Form_Load();
    void scroll_Change();
    virtual void cmbType_Click(int i) = 0;
    void cmbLeft_Click(int i);
    void cmbTop_Click(int i);
    void cmdOK_Click();
    void cmdRestore_Click();
    void cmdRevert_Click();
    void cmdCancel_Click();
    void time_Timer();

    std::array<QLabel *, 16> lbl {};
    Lists cmbType {}, cmbLeft {}, cmbTop {};
    QScrollBar *scroll = nullptr;
    QPushButton *cmdRestore = nullptr, *cmdRevert = nullptr, *cmdCancel = nullptr, *cmdOK = nullptr;
    QTimer *time = nullptr;

protected:
    // The window's error numbers.
    struct Subs
    {
        int page, left, top, ok, restore, load;
    };
    // One list of every row: its design name, place and width in twips, and where it is kept.
    struct Column
    {
        const char *name;
        int left, width;
        Lists *lists;
    };
    // The page bar's last page and left edge, and the four buttons' left edges and widths.
    struct Frame
    {
        int lastPage, scrollLeft;
        std::array<int, 4> buttonLeft, buttonWidth;
    };

    PresetWindow(Shared &g, QWidget *parent, int width, Subs subs);

    static QString rowName(const char *base, int i);
    // The row labels and lists, row by row in the order given (which is the focus order).
    void buildRows(std::initializer_list<Column> columns);
    void buildFrame(const Frame &f);
    void setRow(int i, bool on);

    // Byte `field` of the record row i of the current page stands for.
    virtual uint8_t &field(int i, int field) = 0;
    virtual void fillLists(int i) = 0;
    virtual void connectRow(int i);
    virtual void showPage() = 0;
    // The working copy := the shared table.
    virtual void takeShared() = 0;
    // The working copy's patches, and the shared table := the working copy once written.
    virtual std::vector<Patch> saved(const RomImage &rom) = 0;
    virtual void keepWork() = 0;
    // Reads the presets of `backup`, writes them into the ROM file and then the shared table.
    virtual void restoreFrom(const RomImage &backup, const RomImage &rom) = 0;
    // The list that takes the focus in the row g.puVal names.
    virtual QComboBox *focusList(int i) = 0;

    Shared &g;
    int r = 0; // the release: 0 US, 1 Japanese

private:
    void pick(int sub, const Lists &lists, int i, int f);

    Subs subs;
    std::vector<Lists *> columns;
};
