#pragma once
#include "model/Presets.h"
#include "model/RomDocument.h"
#include "rom/RomFile.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QTimer;

// What the two byte value preset windows share: 16 rows of lists a page, the page bar, the
// Restore, Revert, Cancel and Save buttons, the note under them and the timer that sets the
// focus after loading. The window reads the records from the ROM file when it opens; showing a
// page never changes them, only a pick in a list does, and Save writes the bytes that differ
// from what was read. A window says what its rows hold and how a row shows.
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

    // Whether the records could be read when the window opened; Save works only then.
    bool loaded() const { return m_loaded; }
    // The row whose list takes the focus: that of the preset the window was opened on.
    int puVal() const { return m_puVal; }

    std::array<QLabel *, 16> lbl {};
    Lists cmbType {}, cmbLeft {}, cmbTop {};
    QScrollBar *scroll = nullptr;
    QPushButton *cmdRestore = nullptr, *cmdRevert = nullptr, *cmdCancel = nullptr, *cmdOK = nullptr;
    // Which presets of the page share their bytes, or why Save is off.
    QLabel *lblNote = nullptr;
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
    using Text = std::function<QString(int)>;

    PresetWindow(RomDocument &romDoc, const ProgramFiles &files, QWidget *parent, int width,
        Subs subs, const presets::Shape &shape, int puVal);

    static QString rowName(const char *base, int i);
    // The row labels and lists, row by row in the order given (which is the focus order).
    void buildRows(std::initializer_list<Column> columns);
    void buildFrame(const Frame &f);
    void setRow(int i, bool on);

    // The preset row i of the current page stands for.
    int presetOf(int i) const;
    // Field f of preset n in the working copy, and as the window opened with it.
    virtual uint8_t &value(int n, int f) = 0;
    uint8_t opened(int n, int f) const;
    // A user's pick: field f of row i's preset becomes v, in every preset sharing that byte.
    void edit(int i, int f, int v);
    // Shows value v in the list: its own item, or an item of its own (made by `text`) when the
    // list has none; the value the window opened with keeps such an item too, so it can be
    // picked again. `sorted` places such items among the others by value, else last.
    void showValue(QComboBox *box, int v, int was, const Text &text, bool sorted);
    // Selects the list's own item of value v.
    static void selectValue(QComboBox *box, int v);

    virtual void fillLists(int i) = 0;
    virtual void connectRow(int i);
    virtual void showPage();
    // Row i: its number, its lists, and which of them can be used: none on a row that stands
    // for no preset (or preset 0), only the type on a row whose type is 0.
    void showRow(int i);
    // Whether row i of the page stands for no preset.
    virtual bool pastTable(int i) const = 0;
    // Sets row i's lists; a row past the table shows the lists' first values.
    virtual void showLists(int i, bool past) = 0;
    // Shows field f of row i's preset in the list, or `pastValue` on a row past the table.
    void showField(
        QComboBox *box, int i, int f, bool past, int pastValue, const Text &text, bool sorted);
    static QString hexText(int v);
    static QString unknownText(int v);
    // The working copy := the document's table; `patches` written, then the document's table := the
    // working copy.
    virtual void takeShared() = 0;
    virtual void giveShared(const std::vector<Patch> &patches) = 0;
    // Reads the presets of `backup` and writes them into the ROM file and the document's table.
    virtual void restoreFrom(const RomImage &backup, const RomImage &rom) = 0;
    // The list that takes the focus in the row puVal() names.
    virtual QComboBox *focusList(int i) = 0;

    RomDocument &romDoc;
    const ProgramFiles &files;
    int r = 0; // the release: 0 US, 1 Japanese
    presets::Shape shape;
    presets::Book book;
    // True while the window itself sets the lists to show records: their handlers then change
    // nothing.
    bool showing = false;

private:
    void pick(int sub, const Lists &lists, int i, int f);
    void takeWork();
    void showNote();

    Subs subs;
    std::vector<Lists *> columns;
    bool m_loaded = false;
    int m_puVal = 0;
    std::vector<std::array<uint8_t, 4>> first; // every field as the window opened
};

// A preset window over one of the document's tables of records.
template <class Rec> class PresetTable : public PresetWindow
{
protected:
    using Table = std::array<Rec, 256>;

    PresetTable(RomDocument &romDoc, const ProgramFiles &files, QWidget *parent, int width,
        Subs subs, const presets::Shape &shape, const Table &shared, int puVal)
        : PresetWindow(romDoc, files, parent, width, subs, shape, puVal), shared(shared)
    { }

    uint8_t &value(int n, int f) override
    {
        return work[static_cast<size_t>(n)][static_cast<size_t>(f)];
    }
    void takeShared() override { work = shared; }
    void giveShared(const std::vector<Patch> &patches) override
    {
        romDoc.savePresets(patches, work, static_cast<size_t>(shape.count));
    }
    void restoreFrom(const RomImage &backup, const RomImage &rom) override
    {
        Table t = shared;
        const std::vector<Patch> patches = presets::restore(backup, rom, shape, t);
        romDoc.savePresets(patches, t, t.size());
    }

    Table work {};
    const Table &shared;
};
