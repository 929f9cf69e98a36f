#include "tables/PresetWindow.h"

#include "rom/VbError.h"
#include "tables/TableUi.h"
#include "ui/Controls.h"
#include "ui/EditGuard.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int rowTop = 360; // twips
constexpr int rowStep = 330;
constexpr int rowHeight = 315;
constexpr int buttonTop = rowTop + 16 * rowStep + 120;
constexpr int noteHeight = 450;
// The role that marks a list item made for a value no item of the list has.
constexpr int ownItemRole = Qt::UserRole + 1;
// Left, Top and type are the first three fields of both kinds of preset record.
constexpr int leftField = 0;
constexpr int topField = 1;
constexpr int typeField = 2;

} // namespace

PresetWindow::PresetWindow(RomDocument &romDoc, const ProgramFiles &files, QWidget *parent,
    int width, Subs subs, const presets::Shape &shape, int puVal)
    : QDialog(parent), romDoc(romDoc), files(files), shape(shape), subs(subs), m_puVal(puVal)
{
    look::dialogFrame(this, width, buttonTop + 375 + noteHeight + 180);
    r = romDoc.release();
    editguard::install(
        this, [this] { return m_loaded && !book.changes().empty(); }, [this] { cmdOK_Click(); });
}

QString PresetWindow::rowName(const char *base, int i)
{
    return QString("%1(%2)").arg(base).arg(i);
}

void PresetWindow::buildRows(std::initializer_list<Column> list)
{
    for (const Column &c : list)
        columns.push_back(c.lists);
    for (int i = 0; i < 16; ++i) {
        const size_t n = static_cast<size_t>(i);
        const int y = rowTop + i * rowStep;
        lbl[n] = tableui::label(this, rowName("lbl", i), QString(), 120, y + 45, 480, 225);
        for (const Column &c : list) {
            // Its list opens wide enough for the longest enemy name.
            auto *box = new ctl::ComboBox(this, rowName(c.name, i));
            look::place(box, c.left, y, c.width, rowHeight);
            (*c.lists)[n] = box;
        }
    }
}

void PresetWindow::buildFrame(const Frame &f)
{
    scroll = new QScrollBar(Qt::Vertical, this);
    scroll->setObjectName("scroll");
    scroll->setRange(0, f.lastPage);
    scroll->setSingleStep(1);
    scroll->setPageStep(1);
    // A page shows when the thumb is let go, not at every page it passes.
    scroll->setTracking(false);
    look::place(scroll, f.scrollLeft, rowTop, 255, 16 * rowStep - 15);
    const int by = buttonTop;
    const char *names[4] = { "cmdRestore", "cmdRevert", "cmdCancel", "cmdOK" };
    const char *texts[4] = { "Restore", "Revert", "Cancel", "Save" };
    QPushButton *made[4] {};
    for (size_t k = 0; k < 4; ++k)
        made[k]
            = tableui::button(this, names[k], texts[k], f.buttonLeft[k], by, f.buttonWidth[k], 375);
    cmdRestore = made[0];
    cmdRevert = made[1];
    cmdCancel = made[2];
    cmdOK = made[3];
    const int width = f.scrollLeft + 255;
    lblNote = tableui::label(this, "lblNote", QString(), 120, by + 495, width - 120, noteHeight);
    lblNote->setWordWrap(true);
    lblNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    time = new QTimer(this);
    time->setObjectName("time");
    time->setInterval(100);
    connect(time, &QTimer::timeout, this, &PresetWindow::time_Timer);
    connect(scroll, &QScrollBar::valueChanged, this, &PresetWindow::scroll_Change);
    connect(cmdOK, &QPushButton::clicked, this, &PresetWindow::cmdOK_Click);
    connect(cmdRestore, &QPushButton::clicked, this, &PresetWindow::cmdRestore_Click);
    connect(cmdRevert, &QPushButton::clicked, this, &PresetWindow::cmdRevert_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &PresetWindow::cmdCancel_Click);
}

void PresetWindow::connectRow(int i)
{
    const size_t n = static_cast<size_t>(i);
    connect(cmbType[n], &QComboBox::currentIndexChanged, this, [this, i] { cmbType_Click(i); });
    connect(cmbLeft[n], &QComboBox::currentIndexChanged, this, [this, i] { cmbLeft_Click(i); });
    connect(cmbTop[n], &QComboBox::currentIndexChanged, this, [this, i] { cmbTop_Click(i); });
}

void PresetWindow::setRow(int i, bool on)
{
    for (Lists *c : columns)
        (*c)[static_cast<size_t>(i)]->setEnabled(on);
}

int PresetWindow::presetOf(int i) const
{
    return 16 * scroll->value() + i;
}

uint8_t PresetWindow::opened(int n, int f) const
{
    return first.at(static_cast<size_t>(n))[static_cast<size_t>(f)];
}

// The working copy: the document's table, and over it the records as the ROM file holds them.
void PresetWindow::takeWork()
{
    takeShared();
    for (int n = 0; n < book.count(); ++n)
        for (int f = 0; f < shape.size; ++f)
            value(n, f) = book.field(n, f);
}

void PresetWindow::Form_Load()
{
    // One box when the records cannot be read; the window then shows the document's table and
    // Save stays off.
    m_loaded = msg::step(romDoc, subs.load, [&] { book = presets::Book(romDoc.reread(), shape); });
    takeWork();
    first.assign(256, {});
    for (int n = 0; n < 256; ++n)
        for (int f = 0; f < shape.size; ++f)
            first[static_cast<size_t>(n)][static_cast<size_t>(f)] = value(n, f);
    cmdOK->setEnabled(m_loaded);
    cmdOK->setToolTip(m_loaded ? QString() : "The ROM could not be read when the window opened.");
    msg::step(romDoc, subs.load, [&] {
        for (int i = 0; i < 16; ++i) {
            fillLists(i);
            connectRow(i);
        }
        const int page = (m_puVal & 0xFF) / 16;
        m_puVal = (m_puVal & 0xFF) % 16;
        if (page > scroll->maximum())
            throw VbError("Invalid property value");
        if (page != 0)
            scroll->setValue(page);
        else
            scroll_Change();
    });
    time->start();
    tableui::normalPointer();
}

void PresetWindow::scroll_Change()
{
    msg::step(romDoc, subs.page, [&] {
        const QScopedValueRollback<bool> guard(showing, true);
        showPage();
        showNote();
    });
}

void PresetWindow::showPage()
{
    for (int i = 0; i < 16; ++i)
        showRow(i);
}

void PresetWindow::showRow(int i)
{
    const size_t n = static_cast<size_t>(i);
    const int at = presetOf(i);
    lbl[n]->setText(viewtext::hex2(at));
    const bool past = pastTable(i);
    showLists(i, past);
    setRow(i, !past && at != 0);
    // Every list but the type list, which is built first, is off while the type is 0.
    if (value(at, typeField) == 0)
        for (size_t c = 1; c < columns.size(); ++c)
            (*columns[c])[n]->setEnabled(false);
}

void PresetWindow::showField(
    QComboBox *box, int i, int f, bool past, int pastValue, const Text &text, bool sorted)
{
    const int n = presetOf(i);
    const int v = past ? pastValue : value(n, f);
    showValue(box, v, past ? v : opened(n, f), text, sorted);
}

QString PresetWindow::hexText(int v)
{
    return viewtext::hex2(v);
}

QString PresetWindow::unknownText(int v)
{
    return QString::fromStdString(presets::unknownText(static_cast<uint8_t>(v)));
}

void PresetWindow::showNote()
{
    if (!m_loaded) {
        lblNote->setText("The ROM could not be read when the window opened, so Save is off.");
        return;
    }
    QStringList groups;
    for (int i = 0; i < 16; ++i) {
        const int n = presetOf(i);
        QString tip;
        if (n < book.count() && !book.sharing(n).empty()) {
            std::vector<int> group = book.sharing(n);
            group.push_back(n);
            std::sort(group.begin(), group.end());
            QStringList names;
            for (int m : group)
                names << viewtext::hex2(m);
            const QString text = names.join(" = ");
            if (!groups.contains(text))
                groups << text;
            tip = "Shares its bytes with another preset: " + text;
        }
        lbl[static_cast<size_t>(i)]->setToolTip(tip);
    }
    lblNote->setText(groups.isEmpty()
            ? QString()
            : "Sharing their bytes (an edit to one is an edit to all): " + groups.join("; "));
}

void PresetWindow::showValue(QComboBox *box, int v, int was, const Text &text, bool sorted)
{
    for (int k = box->count() - 1; k >= 0; --k)
        if (box->itemData(k, ownItemRole).toBool())
            box->removeItem(k);
    for (int own : { was, v }) {
        if (box->findData(own) >= 0)
            continue;
        int at = box->count();
        if (sorted)
            for (int k = 0; k < box->count(); ++k)
                if (box->itemData(k).toInt() > own) {
                    at = k;
                    break;
                }
        box->insertItem(at, text(own), own);
        box->setItemData(at, true, ownItemRole);
    }
    box->setCurrentIndex(box->findData(v));
}

void PresetWindow::selectValue(QComboBox *box, int v)
{
    box->setCurrentIndex(box->findData(v));
}

void PresetWindow::edit(int i, int f, int v)
{
    const int n = presetOf(i);
    if (!m_loaded || n >= book.count()) {
        value(n, f) = static_cast<uint8_t>(v);
        return;
    }
    book.set(n, f, static_cast<uint8_t>(v));
    std::vector<int> touched = book.sharing(n);
    touched.push_back(n);
    for (int m : touched)
        for (int k = 0; k < shape.size; ++k)
            value(m, k) = book.field(m, k);
    // Presets of this page that share the bytes show the edit at once.
    const QScopedValueRollback<bool> guard(showing, true);
    for (int m : book.sharing(n))
        if (m / 16 == scroll->value())
            showRow(m % 16);
}

void PresetWindow::pick(int sub, const Lists &lists, int i, int f)
{
    if (showing)
        return;
    msg::step(romDoc, sub, [&] {
        const int v = tableui::selectedValue(lists[static_cast<size_t>(i)]);
        if (v >= 0)
            edit(i, f, v);
    });
}

void PresetWindow::cmbLeft_Click(int i)
{
    pick(subs.left, cmbLeft, i, leftField);
}

void PresetWindow::cmbTop_Click(int i)
{
    pick(subs.top, cmbTop, i, topField);
}

void PresetWindow::cmdOK_Click()
{
    if (!m_loaded)
        return;
    // The shared table follows the ROM file: it changes only when the write succeeded, and a
    // failed write keeps the window open with the edits.
    const bool ok = msg::step(romDoc, subs.ok, [&] { giveShared(book.changes()); });
    if (ok)
        accept();
}

void PresetWindow::cmdRestore_Click()
{
    bool restored = false;
    msg::step(romDoc, subs.restore, [&] {
        if (!tableui::restoreAsked(romDoc, files))
            return;
        const RomImage backup = RomImage::load(files.ini.backupPath);
        const RomImage rom = romDoc.reread();
        restoreFrom(backup, rom);
        restored = true;
    });
    if (restored)
        accept();
}

void PresetWindow::cmdRevert_Click()
{
    book.revert();
    takeWork();
    if (scroll->value() != 0)
        scroll->setValue(0);
    else
        scroll_Change();
}

void PresetWindow::cmdCancel_Click()
{
    reject();
}

void PresetWindow::time_Timer()
{
    QComboBox *c = focusList(m_puVal & 15);
    // A disabled list cannot take the focus: try again at the next tick.
    if (!c->isEnabled())
        return;
    c->setFocus();
    time->stop();
    tableui::normalPointer();
}
