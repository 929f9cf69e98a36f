#include "gfx/ColourBox.h"
#include "gfx/frmPatterns.h"
#include "gfx/frmSprites.h"
#include "rom/Numbers.h"
#include "support/RomDiff.h"
#include "support/RomMap.h"
#include "ui/Controls.h"
#include "ui/support/Boxes.h"
#include "ui/support/Named.h"
#include "ui/support/Program.h"
#include "ui/support/RealBoxes.h"
#include "ui/support/SideWindows.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>

namespace {

// The window opened by its button in the main window.
void patterns(Program &p, std::function<void(frmPatterns *)> act)
{
    side::open<frmPatterns>(named<QToolButton>(p.w.get(), "cmdPattern"), act);
}

// A button of the Miscellaneous mode, then back to the Background mode.
template <class W> void fromMiscMode(Program &p, const char *button, std::function<void(W *)> act)
{
    pointer::click(named<QRadioButton>(p.w.get(), "optSt"));
    side::open<W>(named<QToolButton>(p.w.get(), button), act);
    pointer::click(named<QRadioButton>(p.w.get(), "optBg"));
}

void selectSection(Program &p, int stage, int section)
{
    side::choose(named<ctl::ComboBox>(p.w.get(), "Combo1"), stage);
    side::choose(named<ctl::ComboBox>(p.w.get(), "Combo2"), section);
}

QString hex(int v)
{
    return QString::fromStdString(num::hex2(v));
}

// The preview of a bank in a layout, decoded here from the ROM's bytes.
QImage expectedPreview(const Bytes &rom, int bank, int layout)
{
    static const QRgb colours[4]
        = { qRgb(0, 0, 0), qRgb(160, 64, 32), qRgb(208, 160, 80), qRgb(240, 240, 128) };
    QImage img(128, 32, QImage::Format_RGB32);
    for (int t = 0; t < 64; ++t) {
        int x = 8 * (t % 16), y = 8 * (t / 16);
        if (layout == 1) {
            x = 16 * (t / 8) + 8 * ((t % 4) / 2);
            y = 8 * (t % 2) + 16 * ((t % 8) / 4);
        } else if (layout == 2) {
            x = 16 * ((t % 32) / 4) + 8 * ((t % 4) / 2);
            y = 8 * (t % 2) + 16 * (t / 32);
        }
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 8; ++c) {
                const long long at = rb::chrBase + 1024LL * bank + 16 * t + r;
                const int v = ((rb::at(rom, at) >> (7 - c)) & 1)
                    + 2 * ((rb::at(rom, at + 8) >> (7 - c)) & 1);
                img.setPixel(x + c, y + r, colours[v]);
            }
    }
    return img;
}

QImage shown(ctl::ImageBox *b)
{
    return b->picture().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class tst_patterns : public QObject
{
    Q_OBJECT
private slots:
    void opensOnTheBackgroundBanksMarksInvalidOnesAndCancelWritesNothing();
    void spriteGroupAndTheJapaneseRelease();
    void saveWritesTheSectionsBankBytesAndRedraws();
    void stageOneSectionsKeepTheirSpriteCopyWhole();
    void spriteButtonOpensOnTheSpriteGroupOnce();
    void previewLayoutsAndTheirMemory();
    void spritePaletteOpensOnTheFirstSlotAndSavesASetColour();
    void spritePaletteSetsAssignRevertRestore();
};

void tst_patterns::opensOnTheBackgroundBanksMarksInvalidOnesAndCancelWritesNothing()
{
    Boxes boxes;
    Program p;
    const Bytes before = p.romBytes();
    const auto bg = p.g->doc.tables().patBG[0][0];
    const auto spr = p.g->doc.tables().patSpr[0][0];
    const QString pat1 = named<QLineEdit>(p.w.get(), "txtPat1")->text();
    const ctl::ImageBox *cell = named<ctl::ImageBox>(p.w.get(), "scr", 5);
    const qint64 key = cell->picture().cacheKey();
    patterns(p, [&](frmPatterns *w) {
        QCOMPARE(w->windowTitle(), QString("Pattern Tables"));
        QVERIFY(w->optB->isChecked());
        QVERIFY(w->dlgCancel());
        QCOMPARE(w->sc[0]->value(), int(bg[1]));
        QCOMPARE(w->txt[1]->text(), hex(bg[2]));
        QCOMPARE(w->sc[0]->maximum(), int(p.g->doc.tables().maxChrBank));
        QVERIFY(!w->sc[2]->isEnabled());
        QVERIFY(w->lb->isVisible());
        QCOMPARE(shown(w->img[0]), expectedPreview(p.built.rom, bg[1], 0));

        side::toValue(w->sc[0], 0x30);
        QCOMPARE(w->txtA[0]->text(), QString("* BG 1"));
        QCOMPARE(w->txt[0]->text(), QString("30"));
        side::toValue(w->sc[0], 0x33);
        QCOMPARE(w->txtA[0]->text(), QString("BG 1"));
        side::toValue(w->sc[0], 0x34);
        QCOMPARE(w->txtA[0]->text(), QString("BG 1"));
        QCOMPARE(shown(w->img[0]), expectedPreview(p.built.rom, 0x34, 0));
        pointer::click(w->optE);
        side::toValue(w->sc[2], 0x20);
        pointer::click(w->cmdCancel);
    });
    QCOMPARE(p.romBytes(), before);
    QCOMPARE(p.g->doc.tables().patBG[0][0], bg);
    QCOMPARE(p.g->doc.tables().patSpr[0][0], spr);
    QCOMPARE(named<QLineEdit>(p.w.get(), "txtPat1")->text(), pat1);
    QCOMPARE(cell->picture().cacheKey(), key);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QCOMPARE(boxes.count(), 0);
}

// Saved in the Power-Ups and Enemies mode, whose Patterns read-outs show the sprite banks.
void tst_patterns::spriteGroupAndTheJapaneseRelease()
{
    Boxes boxes;
    Program p(rb::Rel::JP);
    const Bytes before = p.romBytes();
    pointer::click(named<QRadioButton>(p.w.get(), "optPu"));
    patterns(p, [&](frmPatterns *w) {
        side::toValue(w->sc[0], 0x17);
        QCOMPARE(w->txtA[0]->text(), QString("* BG 1"));
        side::toValue(w->sc[0], 0x10);
        QCOMPARE(w->txtA[0]->text(), QString("BG 1"));
        side::toValue(w->sc[1], 0x17);
        QCOMPARE(w->txtA[1]->text(), QString("* BG 2"));
        pointer::click(w->optE);
        QVERIFY(!w->lb->isVisible());
        QCOMPARE(w->txtA[0]->text(), QString("Sprites 2"));
        QCOMPARE(w->txtA[1]->text(), QString("Sprites 3"));
        QVERIFY(!w->sc[2]->isEnabled());
        QCOMPARE(w->sc[0]->value(), int(p.g->doc.tables().patSpr[0][0][2]));
        side::toValue(w->sc[0], 0x17); // no marks in the sprite group
        QCOMPARE(w->txtA[0]->text(), QString("Sprites 2"));
        pointer::click(w->optB); // back: marked again from the working copies
        QCOMPARE(w->sc[1]->value(), 0x17);
        QCOMPARE(w->txtA[1]->text(), QString("* BG 2"));
        QCOMPARE(w->txtA[0]->text(), QString("BG 1"));
        pointer::click(w->cmdOK);
    });
    const long long bgPos = p.g->doc.tables().patBGPos[0][0],
                    sprPos = p.g->doc.tables().patSprPos[0][0];
    QCOMPARE(bgPos, p.built.ledger.stages[0].sections[0].patBGPos);
    Bytes expect = before;
    expect[static_cast<size_t>(bgPos - 1)] = 0x10;
    expect[static_cast<size_t>(bgPos)] = 0x17;
    expect[static_cast<size_t>(sprPos - 1)] = 0x17;
    // No Sprites 4 byte in this release.
    QCOMPARE(changedPositions(expect, p.romBytes()), std::vector<long long> {});
    QCOMPARE(p.g->doc.tables().patSpr[0][0][2], uint8_t(0x17));
    QCOMPARE(named<QLineEdit>(p.w.get(), "txtPat1")->text(), QString("17"));
    QCOMPARE(
        named<QLineEdit>(p.w.get(), "txtPat2")->text(), hex(p.g->doc.tables().patSpr[0][0][3]));
    QCOMPARE(boxes.count(), 0);
}

void tst_patterns::saveWritesTheSectionsBankBytesAndRedraws()
{
    Boxes boxes;
    Program p;
    const Bytes before = p.romBytes();
    const rb::SectionLedger &l = p.built.ledger.stages[0].sections[0];
    QCOMPARE(p.g->doc.tables().patBGPos[0][0], l.patBGPos);
    std::array<qint64, 48> keys {};
    for (size_t k = 0; k < 48; ++k)
        keys[k] = named<ctl::ImageBox>(p.w.get(), "scr", k)->picture().cacheKey();
    patterns(p, [&](frmPatterns *w) {
        side::toValue(w->sc[0], 0x45);
        side::toValue(w->sc[1], 0x46);
        pointer::click(w->optE);
        QVERIFY(w->sc[2]->isEnabled());
        side::toValue(w->sc[0], 0x51);
        side::toValue(w->sc[1], 0x52);
        side::toValue(w->sc[2], 0x53);
        pointer::click(w->cmdOK);
        QVERIFY(!w->dlgCancel());
    });
    Bytes expect = before;
    for (auto [at, v] : std::initializer_list<std::pair<long long, int>> { { l.patBGPos, 0x45 },
             { l.patBGPos + 1, 0x46 }, { l.patBGPos + 2, 0x53 }, { l.patSprPos, 0x51 },
             { l.patSprPos + 1, 0x52 } })
        expect[static_cast<size_t>(at - 1)] = static_cast<uint8_t>(v);
    QCOMPARE(p.romBytes(), expect);
    QCOMPARE(p.g->doc.tables().patBG[0][0][1], uint8_t(0x45));
    QCOMPARE(p.g->doc.tables().patSpr4[0][0], uint8_t(0x53));
    QCOMPARE(named<QLineEdit>(p.w.get(), "txtPat1")->text(), QString("45"));
    QCOMPARE(named<QLineEdit>(p.w.get(), "txtPat2")->text(), QString("46"));
    // The tiles were decoded again from the new banks and the view redrawn.
    std::array<std::array<uint8_t, 8>, 8> tile {};
    const long long at = rb::chrBase + 1024LL * 0x45 + 16 * 3;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            tile[r][c] = static_cast<uint8_t>(((rb::at(before, at + r) >> (7 - c)) & 1)
                + 2 * ((rb::at(before, at + r + 8) >> (7 - c)) & 1));
    QCOMPARE(p.w->sideLink().tilePixels(0)[0x43], tile);
    for (size_t k = 0; k < 48; ++k)
        QVERIFY(named<ctl::ImageBox>(p.w.get(), "scr", k)->picture().cacheKey() != keys[k]);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QCOMPARE(boxes.count(), 0);
}

// Stage 1's rooms 0 to 8 come back later in the stage; the game keeps each one's sprite banks a
// second time, in the returning room's place, which holds that room's own banks until the first
// Save. One bank changed rewrites the copy whole.
void tst_patterns::stageOneSectionsKeepTheirSpriteCopyWhole()
{
    Boxes boxes;
    Program p;
    // Stage 1's downward sections (9 on) have no pattern window: their commands are off.
    selectSection(p, 1, 9);
    QVERIFY(!named<QAction>(p.w.get(), "mnuPatterns")->isEnabled());
    QVERIFY(!named<QToolButton>(p.w.get(), "cmdPattern")->isEnabled());
    selectSection(p, 1, 5); // its room returns as listed section 10
    const Bytes before = p.romBytes();
    const long long spr = p.g->doc.tables().patSprPos[1][5], copy = spr + 18;
    QCOMPARE(p.g->doc.tables().patSprPos[1][10], copy);
    QVERIFY(rb::at(before, copy + 1) != rb::at(before, spr + 1));
    patterns(p, [&](frmPatterns *w) {
        pointer::click(w->optE);
        side::arrow(w->sc[0], false);
        pointer::click(w->cmdOK);
    });
    const Bytes after = p.romBytes();
    QCOMPARE(rb::at(after, spr), uint8_t(rb::at(before, spr) + 1));
    QCOMPARE(changedPositions(before, after), (std::vector<long long> { spr, copy, copy + 1 }));
    QCOMPARE(rb::at(after, copy), rb::at(after, spr));
    QCOMPARE(rb::at(after, copy + 1), rb::at(after, spr + 1));
    QCOMPARE(p.g->doc.tables().patSpr[1][10], p.g->doc.tables().patSpr[1][5]);
    QCOMPARE(boxes.count(), 0);

    // Without the returning rooms the copy's place is not the stage's: the section alone is
    // saved, and the user is told.
    rb::RomDesc shorter = rb::gameShape(rb::Rel::US);
    shorter.stages[1].areas.pop_back();
    Program q(shorter);
    selectSection(q, 1, 0);
    const Bytes was = q.romBytes();
    const long long own = q.g->doc.tables().patSprPos[1][0];
    patterns(q, [&](frmPatterns *w) {
        pointer::click(w->optE);
        side::arrow(w->sc[1], true);
        pointer::click(w->cmdOK);
    });
    QCOMPARE(changedPositions(was, q.romBytes()), std::vector<long long> { own + 1 });
    QCOMPARE(q.g->doc.tables().patSpr[1][0][3], uint8_t(rb::at(was, own + 1) - 1));
    QCOMPARE(boxes.texts(),
        QStringList { "The sprite banks were saved for this section only.\rStage 1 keeps a second "
                      "copy of them for the room's return, but in this ROM its place lies outside "
                      "the stage's sprite bank list, so no copy was written." });
    QCOMPARE(boxes.last().style, int(msg::Information));
    QCOMPARE(boxes.last().title, QString("Pattern Tables"));
}

void tst_patterns::spriteButtonOpensOnTheSpriteGroupOnce()
{
    Boxes boxes;
    Program p;
    bool sprites = false;
    fromMiscMode<frmPatterns>(p, "cmdEPat", [&](frmPatterns *w) {
        sprites = w->optE->isChecked();
        QVERIFY(!p.w->sideLink().spriteBanksAsked());
        QCOMPARE(w->sc[0]->value(), int(p.g->doc.tables().patSpr[0][0][2]));
        QCOMPARE(w->txt[2]->text(), hex(p.g->doc.tables().patSpr4[0][0]));
        pointer::click(w->cmdCancel);
    });
    QVERIFY(sprites);
    patterns(p, [&](frmPatterns *w) {
        sprites = w->optE->isChecked();
        pointer::click(w->cmdCancel);
    });
    QVERIFY(!sprites);
    QCOMPARE(boxes.count(), 0);
}

void tst_patterns::previewLayoutsAndTheirMemory()
{
    Boxes boxes;
    Program p;
    const int bank = p.g->doc.tables().patBG[0][0][1];
    patterns(p, [&](frmPatterns *w) {
        pointer::click(w->chk2);
        QCOMPARE(w->interleave, 2);
        QCOMPARE(shown(w->img[0]), expectedPreview(p.built.rom, bank, 2));
        pointer::click(w->chk);
        QVERIFY(!w->chk2->isChecked());
        QCOMPARE(w->interleave, 1);
        QCOMPARE(shown(w->img[0]), expectedPreview(p.built.rom, bank, 1));
        pointer::click(w->cmdCancel);
    });
    patterns(p, [&](frmPatterns *w) {
        QVERIFY(w->chk->isChecked());
        QVERIFY(!w->chk2->isChecked());
        QCOMPARE(shown(w->img[0]), expectedPreview(p.built.rom, bank, 1));
        pointer::click(w->chk);
        QCOMPARE(w->interleave, 0);
        QCOMPARE(shown(w->img[0]), expectedPreview(p.built.rom, bank, 0));
        pointer::click(w->cmdCancel);
    });
    QCOMPARE(boxes.count(), 0);
}

// A "Sprites 1" colour and its four copies: tst_side_windows.
void tst_patterns::spritePaletteOpensOnTheFirstSlotAndSavesASetColour()
{
    Boxes boxes;
    Program p;
    const Bytes before = p.romBytes();
    fromMiscMode<frmSprites>(p, "cmdEPal", [&](frmSprites *w) {
        QCOMPARE(w->windowTitle(), QString("Edit Sprite Palettes"));
        QCOMPARE(w->boxSet->count(), 26);
        QCOMPARE(w->selectedSlot(), 0);
        QCOMPARE(w->picPal[4]->Tag, hex(rb::at(before, 2459)));
        pointer::click(w->picPal[10]);
        pointer::click(w->picColor[0x2E]);
        pointer::click(w->cmdOK);
    });
    Bytes expect = before;
    expect[2455 - 1] = 0x2E;
    QCOMPARE(changedPositions(expect, p.romBytes()), std::vector<long long> {});
    QCOMPARE(boxes.count(), 0);
}

void tst_patterns::spritePaletteSetsAssignRevertRestore()
{
    RealBoxes boxes;
    Program p(rb::Rel::JP);
    const Bytes before = p.romBytes();
    const int stored = p.g->doc.tables().sprPalNo[0][0];
    const long long setPos = p.built.ledger.stages[0].sections[0].sprPalPos;
    fromMiscMode<frmSprites>(p, "cmdEPal", [&](frmSprites *w) {
        w->tim->stop(); // its ticks are taken one by one below
        QCOMPARE(w->boxSet->count(), 25);
        QCOMPARE(w->boxSet->item(24)->text(), QString("  18"));
        side::pick(w->boxSet, 5);
        pointer::click(w->cmdAssign);
        QCOMPARE(w->assignedSet(), 5);
        pointer::click(w->cmdRevert);
        QCOMPARE(w->assignedSet(), stored);
        QCOMPARE(w->txtSet->text(), hex(stored));
        QCOMPARE(w->boxSet->currentRow(), stored);
        side::pick(w->boxSet, 5);
        pointer::click(w->picPal[2]);
        pointer::click(w->picColor[0x3A]);
        w->tim_Timer();
        QCOMPARE(w->picPal[2]->borderStyle(), 0);
        pointer::click(w->cmdOK);
    });
    QCOMPARE(p.g->doc.tables().sprPalNo[0][0], uint8_t(stored));
    QCOMPARE(rb::at(p.romBytes(), setPos), uint8_t(stored));
    QCOMPARE(rb::at(p.romBytes(), 2362 + 15 + 2), uint8_t(0x3A));
    std::vector<long long> diff = changedPositions(before, p.romBytes());
    QVERIFY(diff.size() <= 1);

    // Restore writes the shown set and the fixed palettes, never the section's set number.
    Bytes backup = p.romBytes();
    for (long long q = 2289; q <= 2436; ++q)
        backup[static_cast<size_t>(q - 1)] = static_cast<uint8_t>(q & 0x3F);
    const std::string path = p.dir.file("backup.nes");
    testfile::writeAll(path, backup);
    p.g->files.ini.backupPath = path;
    const Bytes beforeRestore = p.romBytes();
    fromMiscMode<frmSprites>(p, "cmdEPal", [&](frmSprites *w) {
        side::pick(w->boxSet, 7);
        boxes.click(QMessageBox::Yes);
        pointer::click(w->cmdRestore);
        QCOMPARE(boxes.texts(), (QStringList { "Proceed ?", "Palette Set #07 restored." }));
        QCOMPARE(w->boxSet->currentRow(), stored); // loaded again
        QCOMPARE(w->picPal[3]->Tag, hex(rb::at(backup, 2293)));
        pointer::click(w->cmdCancel);
    });
    const Bytes after = p.romBytes();
    QCOMPARE(after.size(), beforeRestore.size());
    QCOMPARE(rb::at(after, setPos), uint8_t(stored));
    for (long long q = 2362 + 21; q < 2362 + 24; ++q)
        QCOMPARE(rb::at(after, q), rb::at(backup, q));
    QCOMPARE(rb::at(after, 2362 + 24), rb::at(beforeRestore, 2362 + 24));
    for (int c = 0; c < 4; ++c)
        QCOMPARE(rb::at(after, 2293 + 19 * c), rb::at(backup, 2293));
}

QTEST_MAIN(tst_patterns)
#include "tst_patterns.moc"
