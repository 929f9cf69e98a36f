#include "gfx/frmPalettes.h"

#include "gfx/ColourBox.h"
#include "rom/Numbers.h"
#include "rom/PatchDiff.h"
#include "rom/VbError.h"
#include "tables/TableUi.h"
#include "ui/Controls.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

frmPalettes::frmPalettes(
    RomDocument &romDoc, const ProgramFiles &files, MainLink &main, QWidget *parent)
    : PaletteWindow(romDoc, files, parent, 607), m_main(main)
{
    setObjectName("frmPalettes");
    setWindowTitle("Edit Palettes");
    selSlot = 5;
    buildControls();
    connectControls(picPal);
    look::dialogFrame(this, 6780, 4140);
}

void frmPalettes::buildControls()
{
    Text1 = ctl::readOut(this, "Text1", "Palette Sets", 120, 120, 1200);
    setList(120, 420, 1200, 2940);
    txt1 = ctl::readOut(this, "txt1", "Current Room", 1440, 120, 1230);
    txtSet = ctl::readOut(this, "txtSet", "", 2700, 120, 480);
    cmdAssign = button("cmdAssign", "Assign This Set", 1440, 3480, 1740, 375);
    buildGrid();
    buildFooter(3300, 870, 3480, 780);
}

void frmPalettes::buildGrid()
{
    static const char *const heads[4] = { "  0*", "1", "2", "3" };
    static const char *const rows[4] = { "**P0 ", "P1 ", "P2 ", "P3 " };
    for (int c = 0; c < 4; ++c)
        label(heads[c], 1920 + 480 * c, 540, 375);
    for (int p = 0; p < 4; ++p) {
        label(rows[p], 1440, 885 + 480 * p, 480);
        for (int c = 0; c < 4; ++c) {
            auto *box = new ColourBox(this, "picPal", 4 * p + c);
            look::place(box, 1920 + 480 * c, 840 + 480 * p, 375, 375);
            picPal[static_cast<size_t>(4 * p + c)] = box;
        }
    }
    label("* Mirrored color.", 1440, 2820, 2000);
    label("** Mirrored palette.", 1440, 3060, 2000);
    buildColours(3960, 180, 345, 300, 90);
}

int frmPalettes::listIndex() const
{
    return boxSet->currentRow();
}

void frmPalettes::allBordersOff()
{
    for (ColourBox *b : picPal)
        b->setBorderStyle(0);
}

void frmPalettes::setShared(bool on)
{
    for (int i : { 0, 4, 8, 12 })
        picPal[static_cast<size_t>(i)]->setBorderStyle(on ? 1 : 0);
}

void frmPalettes::Form_Load()
{
    m_unloaded = false;
    msg::step(romDoc, 605, [&] {
        const int r = release();
        listColoursAndSets(bgpal::setCount(r));
        setBase = bgpal::setBase(r);
    });
    const bool read = msg::step(romDoc, 605, [&] {
        const RomImage rom = romDoc.reread();
        const auto fixed
            = std::array<uint8_t, 3> { static_cast<uint8_t>(romDoc.tables().palFixed.at(0)),
                  static_cast<uint8_t>(romDoc.tables().palFixed.at(1)),
                  static_cast<uint8_t>(romDoc.tables().palFixed.at(2)) };
        palSets = bgpal::load(
            rom, release(), static_cast<uint8_t>(romDoc.tables().palBackdrop.at(0)), fixed);
    });
    const bool assigned = read && msg::step(romDoc, 605, [&] {
        curSet = romDoc.tables()
                     .palSetNo.at(static_cast<size_t>(romDoc.shown().curStage))
                     .at(static_cast<size_t>(romDoc.shown().curSection));
        showAssigned();
    });
    setLoaded(assigned);
    m_read = palSets;
    m_readSet = curSet;
    allBordersOff();
    selSlot = 5;
    picPal[5]->setBorderStyle(1);
}

void frmPalettes::boxSet_Click()
{
    msg::step(romDoc, 600, [&] {
        const int l = listIndex();
        if (l < 0 || l >= bgpal::maxSets)
            return;
        for (int p = 0; p < 4; ++p)
            for (int c = 0; c < 4; ++c)
                showColour(picPal[static_cast<size_t>(4 * p + c)],
                    palSets.sets[static_cast<size_t>(l)][static_cast<size_t>(p)]
                                [static_cast<size_t>(c)]);
    });
}

void frmPalettes::picPal_Click(int index)
{
    msg::step(romDoc, 608, [&] {
        allBordersOff();
        if (index % 4 == 0)
            setShared(true);
        else
            picPal.at(static_cast<size_t>(index))->setBorderStyle(1);
        selSlot = index;
    });
}

void frmPalettes::picColor_Click(int index)
{
    msg::step(romDoc, 606, [&] {
        const int l = listIndex();
        if (l < 0)
            throw VbError("Invalid property array index");
        bgpal::setColour(palSets, l, selSlot, static_cast<uint8_t>(index));
        if (selSlot % 4 == 0) {
            for (int i : { 0, 4, 8, 12 })
                showColour(picPal[static_cast<size_t>(i)], index);
        } else {
            showColour(picPal.at(static_cast<size_t>(selSlot)), index);
        }
    });
}

void frmPalettes::tim_Timer()
{
    msg::step(romDoc, 610, [&] {
        if (selSlot % 4 != 0) {
            ColourBox *b = picPal.at(static_cast<size_t>(selSlot));
            b->setBorderStyle(b->borderStyle() == 0 ? 1 : 0);
        } else {
            setShared(picPal[0]->borderStyle() == 0);
        }
    });
}

void frmPalettes::picPal_MouseMove(int index)
{
    msg::step(romDoc, 609, [&] { hover(picPal.at(static_cast<size_t>(index)), -40, 390); });
}

// The bytes that changed go into the ROM in one write; only a write that succeeded changes the
// program's own copy, and a failed one leaves the window open so nothing edited is lost.
int32_t frmPalettes::setPos() const
{
    const auto s = static_cast<size_t>(romDoc.shown().curStage);
    const auto n = static_cast<size_t>(romDoc.shown().curSection);
    return n < 18 && s < romDoc.tables().palSetPos.size() ? romDoc.tables().palSetPos[s][n] : 0;
}

std::vector<Patch> frmPalettes::changes() const
{
    return changedBytes(bgpal::savePatches(palSets, release(), setPos(), num::toByte(curSet)),
        bgpal::savePatches(m_read, release(), setPos(), num::toByte(m_readSet)));
}

void frmPalettes::cmdOK_Click()
{
    if (!m_loaded)
        return;
    const int32_t setPos = this->setPos();
    // A section without a set number keeps its set: the rest is saved, and the box says so.
    const bool setKept = curSet != m_readSet && setPos <= 0;
    const bgpal::SetColours &first = palSets.sets[0];
    m_writeTried = true;
    const bool saved = msg::step(romDoc, 602, [&] {
        romDoc.savePalettes(changes(),
            setPos > 0 ? std::optional<int16_t>(static_cast<int16_t>(curSet)) : std::nullopt,
            first[0][0], { first[0][1], first[0][2], first[0][3] });
    });
    if (!saved)
        return;
    if (setKept)
        setKeptBox(m_readSet, curSet);
    accept();
}

void frmPalettes::cmdRestore_Click()
{
    if (!tableui::restoreAsked(romDoc, files))
        return;
    const int l = listIndex();
    m_writeTried = true;
    bool restored = msg::step(romDoc, 603, [&] {
        const int r = release();
        // A backup that has gone missing or is too short fails here, before the ROM is touched.
        const bgpal::Restored x = bgpal::restoreFrom(RomImage::load(files.ini.backupPath), r, l);
        romDoc.savePalettes(x.patches, std::nullopt, x.backdrop, x.fixed);
        // What the ROM holds now counts as read, so Save does not write it again.
        for (bgpal::PalSets *p : { &palSets, &m_read }) {
            bgpal::putRecord(*p, l, x.record);
            bgpal::putShared(*p, x.backdrop, x.fixed);
        }
    });
    if (!restored)
        return;
    restoredBox(l);
    if (l == curSet)
        cmdAssign_Click();
    boxSet_Click();
}

void frmPalettes::cmdRevert_Click()
{
    int noted = -1;
    msg::step(
        romDoc, 604, [&] { noted = static_cast<int>(num::hexVal(txtSet->text().toStdString())); });
    Form_Load();
    if (curSet != noted)
        msg::step(romDoc, 604, [&] { previewMain(true); });
}

// The editor's unloading shows the hourglass; its opener sets the pointer back after redrawing.
void frmPalettes::done(int r)
{
    if (!m_unloaded) {
        m_unloaded = true;
        tim->stop();
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    QDialog::done(r);
}
