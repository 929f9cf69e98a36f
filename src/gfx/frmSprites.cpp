#include "gfx/frmSprites.h"

#include "gfx/ColourBox.h"
#include "rom/Numbers.h"
#include "rom/PatchDiff.h"
#include "rom/VbError.h"
#include "tables/TableUi.h"
#include "ui/Controls.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"

#include <QLineEdit>
#include <QListWidget>

frmSprites::frmSprites(RomDocument &romDoc, const ProgramFiles &files, QWidget *parent)
    : PaletteWindow(romDoc, files, parent, 806)
{
    setObjectName("frmSprites");
    setWindowTitle("Edit Sprite Palettes");
    buildControls();
    connectControls(picPal);
    look::dialogFrame(this, 6900, 4980);
}

void frmSprites::buildControls()
{
    ctl::readOut(this, "txt1", "Current Room", 120, 120, 1230);
    txtSet = ctl::readOut(this, "txtSet", "", 1380, 120, 480);
    cmdAssign = button("cmdAssign", "Assign This Set", 1980, 90, 1500, 345);
    ctl::readOut(this, "Text1", "Palette Sets", 120, 540, 1200);
    setList(120, 840, 1200, 1500);
    buildBoxes();
    buildFooter(2400, 1140, 4440, 900);
}

void frmSprites::buildBoxes()
{
    label("Sprites 2", 1560, 540, 1000);
    for (int j = 0; j < 3; ++j) {
        picPal[static_cast<size_t>(j)] = new ColourBox(this, "picPal", j);
        look::place(picPal[static_cast<size_t>(j)], 1920, 840 + 450 * j, 375, 375);
    }
    static const char *const names[6]
        = { "* Sprites 1 ", "* Sprites 3", "* Trevor", "* Sypha", "* Grant", "* Alucard" };
    for (int k = 0; k < 6; ++k) {
        const int left = 120 + 1560 * (k % 2);
        const int top = 2460 + 615 * (k / 2); // a row of boxes ends where the next label begins
        label(names[k], left, top, 1400);
        for (int j = 0; j < 3; ++j) {
            const int i = 3 + 3 * k + j;
            picPal[static_cast<size_t>(i)] = new ColourBox(this, "picPal", i);
            look::place(picPal[static_cast<size_t>(i)], left + 420 * j, top + 240, 375, 375);
        }
    }
    label("* Mirrored palettes.", 120, 4320, 2000); // under the last row of boxes
    buildColours(3420, 540, 420, 375, 120);
}

void frmSprites::Form_Load()
{
    msg::step(romDoc, 804, [&] { listColoursAndSets(sprpal::setCount(release())); });
    const bool read = msg::step(romDoc, 804, [&] {
        sprPalSets = sprpal::load(romDoc.reread(), release());
        for (int k = 0; k < sprpal::fixedCount; ++k)
            for (int j = 0; j < 3; ++j)
                showColour(picPal[static_cast<size_t>(3 + 3 * k + j)],
                    sprPalSets.fixed[static_cast<size_t>(k)][static_cast<size_t>(j)]);
    });
    const bool assigned = read && msg::step(romDoc, 804, [&] {
        curSet = romDoc.tables()
                     .sprPalNo.at(static_cast<size_t>(romDoc.shown().curStage))
                     .at(static_cast<size_t>(romDoc.shown().curSection));
        showAssigned();
    });
    setLoaded(assigned);
    m_read = sprPalSets;
    m_readSet = curSet;
    picPal_Click(0);
}

void frmSprites::boxSet_Click()
{
    msg::step(romDoc, 800, [&] {
        const int l = boxSet->currentRow();
        if (l < 0 || l >= sprpal::maxSets)
            return;
        for (int j = 0; j < 3; ++j)
            showColour(picPal[static_cast<size_t>(j)],
                sprPalSets.sets[static_cast<size_t>(l)][static_cast<size_t>(j)]);
    });
}

void frmSprites::cmdAssign_Click()
{
    msg::step(romDoc, 801, [&] { assignListed(); });
}

void frmSprites::picPal_Click(int index)
{
    msg::step(romDoc, 808, [&] {
        for (ColourBox *b : picPal)
            b->setBorderStyle(0);
        picPal.at(static_cast<size_t>(index))->setBorderStyle(1);
        selSlot = index;
    });
}

void frmSprites::picColor_Click(int index)
{
    msg::step(romDoc, 805, [&] {
        showColour(picPal.at(static_cast<size_t>(selSlot)), index);
        const int l = boxSet->currentRow();
        if (selSlot < 3 && l >= 0)
            sprPalSets.sets.at(static_cast<size_t>(l))[static_cast<size_t>(selSlot)]
                = static_cast<uint8_t>(index);
    });
}

void frmSprites::picPal_MouseMove(int index)
{
    msg::step(romDoc, 807, [&] {
        if (index < 3)
            hover(picPal.at(static_cast<size_t>(index)), -370, 80);
        else
            hover(picPal.at(static_cast<size_t>(index)), -40, 390);
    });
}

void frmSprites::tim_Timer()
{
    ColourBox *b = picPal.at(static_cast<size_t>(selSlot));
    b->setBorderStyle(b->borderStyle() == 0 ? 1 : 0);
}

// The fixed palettes as the boxes hold them.
sprpal::SprPalData frmSprites::fromBoxes() const
{
    sprpal::SprPalData d = sprPalSets;
    for (int k = 0; k < sprpal::fixedCount; ++k)
        for (int j = 0; j < 3; ++j)
            d.fixed[static_cast<size_t>(k)][static_cast<size_t>(j)] = num::toByte(
                num::hexVal(picPal[static_cast<size_t>(3 + 3 * k + j)]->Tag.toStdString()));
    return d;
}

// One write for the bytes that changed: a fixed palette's copies only where its colour was
// changed, so copies that differ from the first one stay as they are. The section's set number
// changes only once it is in the ROM, and a failed write leaves the window open with its edits.
int32_t frmSprites::setPos() const
{
    const auto s = static_cast<size_t>(romDoc.shown().curStage);
    const auto n = static_cast<size_t>(romDoc.shown().curSection);
    return s < romDoc.tables().sprPalPos.size() && n < romDoc.tables().sprPalPos[s].size()
        ? romDoc.tables().sprPalPos[s][n]
        : 0;
}

std::vector<Patch> frmSprites::changes() const
{
    return changedBytes(sprpal::savePatches(fromBoxes(), release(), setPos(), num::toByte(curSet)),
        sprpal::savePatches(m_read, release(), setPos(), num::toByte(m_readSet)));
}

void frmSprites::cmdOK_Click()
{
    if (!m_loaded)
        return;
    const int32_t pos = setPos();
    // A section without a set number keeps its set: the rest is saved, and the box says so.
    const bool setKept = curSet != m_readSet && pos <= 0;
    const bool saved = msg::step(romDoc, 802, [&] {
        romDoc.saveSpritePalettes(changes(),
            pos > 0 ? std::optional<uint8_t>(static_cast<uint8_t>(curSet)) : std::nullopt);
    });
    if (!saved)
        return;
    if (setKept)
        setKeptBox(m_readSet, curSet);
    accept();
}

void frmSprites::cmdRestore_Click()
{
    if (!tableui::restoreAsked(romDoc, files))
        return;
    const int l = boxSet->currentRow();
    const bool restored = msg::step(romDoc, 803, [&] {
        // A backup that has gone missing or is too short fails here, before the ROM is touched.
        const RomImage backup = RomImage::load(files.ini.backupPath);
        romDoc.saveSpritePalettes(sprpal::restorePatches(backup, release(), l), std::nullopt);
    });
    if (!restored)
        return;
    restoredBox(l);
    Form_Load();
}

void frmSprites::cmdRevert_Click()
{
    Form_Load();
}
