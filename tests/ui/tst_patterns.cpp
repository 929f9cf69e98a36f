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
#include "ui/support/Startup.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include <functional>

namespace {

void patterns(Program &p, std::function<void(frmPatterns *)> act)
{
    startup::whenOpen<frmPatterns>(
        act, [&] { named<QAction>(p.w.get(), "mnuPatterns")->trigger(); });
}

void sprites(Program &p, std::function<void(frmSprites *)> act)
{
    side::open<frmSprites>([&] { named<QAction>(p.w.get(), "mnuSprites")->trigger(); }, act);
}

void selectSection(Program &p, int stage, int section)
{
    named<ctl::ComboBox>(p.w.get(), "Combo1")->setCurrentIndex(stage);
    named<ctl::ComboBox>(p.w.get(), "Combo2")->setCurrentIndex(section);
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
    void opensOnTheBackgroundBanksAndMarksInvalidOnes();
    void spriteGroupAndTheJapaneseRelease();
    void saveWritesTheSectionsBankBytesAndRedraws();
    void cancelWritesNothingAndDoesNotRedraw();
    void stageOneSectionsKeepASecondSpriteCopy();
    void spriteButtonOpensOnTheSpriteGroupOnce();
    void previewLayoutsAndTheirMemory();
    void spritePaletteSaveWritesEveryCopy();
    void spritePaletteSetsAssignRevertRestore();
};

void tst_patterns::opensOnTheBackgroundBanksAndMarksInvalidOnes()
{
    Boxes boxes;
    Program p;
    const auto &bg = p.g->patBG[0][0];
    patterns(p, [&](frmPatterns *w) {
        QCOMPARE(w->windowTitle(), QString("Pattern Tables"));
        QVERIFY(w->optB->isChecked());
        QVERIFY(p.g->dlgCancel);
        QCOMPARE(w->sc[0]->value(), int(bg[1]));
        QCOMPARE(w->txt[1]->text(), hex(bg[2]));
        QCOMPARE(w->sc[0]->maximum(), int(p.g->maxChrBank));
        QVERIFY(!w->sc[2]->isEnabled());
        QVERIFY(w->lb->isVisible());
        QCOMPARE(shown(w->img[0]), expectedPreview(p.built.rom, bg[1], 0));

        w->sc[0]->setValue(0x30);
        QCOMPARE(w->txtA[0]->text(), QString("* BG 1"));
        QCOMPARE(w->txt[0]->text(), QString("30"));
        w->sc[0]->setValue(0x33);
        QCOMPARE(w->txtA[0]->text(), QString("BG 1"));
        w->sc[0]->setValue(0x34);
        QCOMPARE(w->txtA[0]->text(), QString("BG 1"));
        QCOMPARE(shown(w->img[0]), expectedPreview(p.built.rom, 0x34, 0));
        w->cmdCancel_Click();
    });
    QVERIFY(!p.g->dlgCancel);
    QCOMPARE(boxes.count(), 0);
}

void tst_patterns::spriteGroupAndTheJapaneseRelease()
{
    Boxes boxes;
    Program p(rb::Rel::JP);
    const Bytes before = p.romBytes();
    patterns(p, [&](frmPatterns *w) {
        w->sc[0]->setValue(0x17);
        QCOMPARE(w->txtA[0]->text(), QString("* BG 1"));
        w->sc[0]->setValue(0x10);
        QCOMPARE(w->txtA[0]->text(), QString("BG 1"));
        w->sc[1]->setValue(0x17);
        QCOMPARE(w->txtA[1]->text(), QString("* BG 2"));
        w->optE->click();
        QVERIFY(!w->lb->isVisible());
        QCOMPARE(w->txtA[0]->text(), QString("Sprites 2"));
        QCOMPARE(w->txtA[1]->text(), QString("Sprites 3"));
        QVERIFY(!w->sc[2]->isEnabled());
        QCOMPARE(w->sc[0]->value(), int(p.g->patSpr[0][0][2]));
        w->sc[0]->setValue(0x17); // no marks in the sprite group
        QCOMPARE(w->txtA[0]->text(), QString("Sprites 2"));
        w->optB->click(); // back: marked again from the working copies
        QCOMPARE(w->sc[1]->value(), 0x17);
        QCOMPARE(w->txtA[1]->text(), QString("* BG 2"));
        QCOMPARE(w->txtA[0]->text(), QString("BG 1"));
        w->cmdOK_Click();
    });
    const long long bgPos = p.g->patBGPos[0][0], sprPos = p.g->patSprPos[0][0];
    QCOMPARE(bgPos, p.built.ledger.stages[0].sections[0].patBGPos);
    Bytes expect = before;
    expect[static_cast<size_t>(bgPos - 1)] = 0x10;
    expect[static_cast<size_t>(bgPos)] = 0x17;
    expect[static_cast<size_t>(sprPos - 1)] = 0x17;
    // No Sprites 4 byte in this release.
    QCOMPARE(changedPositions(expect, p.romBytes()), std::vector<long long> {});
    QCOMPARE(p.g->patSpr[0][0][2], uint8_t(0x17));
    QCOMPARE(boxes.count(), 0);
}

void tst_patterns::saveWritesTheSectionsBankBytesAndRedraws()
{
    Boxes boxes;
    Program p;
    const Bytes before = p.romBytes();
    const rb::SectionLedger &l = p.built.ledger.stages[0].sections[0];
    QCOMPARE(p.g->patBGPos[0][0], l.patBGPos);
    std::array<qint64, 48> keys {};
    for (size_t k = 0; k < 48; ++k)
        keys[k] = named<ctl::ImageBox>(p.w.get(), "scr", k)->picture().cacheKey();
    patterns(p, [&](frmPatterns *w) {
        w->sc[0]->setValue(0x45);
        w->sc[1]->setValue(0x46);
        w->optE->click();
        QVERIFY(w->sc[2]->isEnabled());
        w->sc[0]->setValue(0x51);
        w->sc[1]->setValue(0x52);
        w->sc[2]->setValue(0x53);
        QTest::mouseClick(w->cmdOK, Qt::LeftButton);
    });
    Bytes expect = before;
    for (auto [at, v] : std::initializer_list<std::pair<long long, int>> { { l.patBGPos, 0x45 },
             { l.patBGPos + 1, 0x46 }, { l.patBGPos + 2, 0x53 }, { l.patSprPos, 0x51 },
             { l.patSprPos + 1, 0x52 } })
        expect[static_cast<size_t>(at - 1)] = static_cast<uint8_t>(v);
    QCOMPARE(p.romBytes(), expect);
    QCOMPARE(p.g->patBG[0][0][1], uint8_t(0x45));
    QCOMPARE(p.g->patSpr4[0][0], uint8_t(0x53));
    QVERIFY(!p.g->dlgCancel);
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

void tst_patterns::cancelWritesNothingAndDoesNotRedraw()
{
    Boxes boxes;
    Program p;
    const Bytes before = p.romBytes();
    const QString pat1 = named<QLineEdit>(p.w.get(), "txtPat1")->text();
    const ctl::ImageBox *cell = named<ctl::ImageBox>(p.w.get(), "scr", 5);
    const qint64 key = cell->picture().cacheKey();
    const auto bg = p.g->patBG[0][0];
    const auto spr = p.g->patSpr[0][0];
    patterns(p, [&](frmPatterns *w) {
        w->sc[0]->setValue(0x50);
        w->optE->click();
        w->sc[2]->setValue(0x20);
        w->close();
    });
    QCOMPARE(p.romBytes(), before);
    QCOMPARE(p.g->patBG[0][0], bg);
    QCOMPARE(p.g->patSpr[0][0], spr);
    QCOMPARE(named<QLineEdit>(p.w.get(), "txtPat1")->text(), pat1);
    QCOMPARE(cell->picture().cacheKey(), key);
    QVERIFY(!p.g->dlgCancel);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QCOMPARE(boxes.count(), 0);
}

void tst_patterns::stageOneSectionsKeepASecondSpriteCopy()
{
    Boxes boxes;
    Program p;
    // Stage 1's downward sections (9 on) have no pattern window: their commands are off.
    selectSection(p, 1, 9);
    QVERIFY(!named<QAction>(p.w.get(), "mnuPatterns")->isEnabled());
    QVERIFY(!named<QToolButton>(p.w.get(), "cmdPattern")->isEnabled());
    // The copy lies 18 bytes on in sections 3 to 5, 30 in sections 0 to 2.
    for (const auto &[section, copy] : { std::pair { 4, 18 }, std::pair { 2, 30 } }) {
        selectSection(p, 1, section);
        QCOMPARE(p.g->curSection, section);
        const Bytes before = p.romBytes();
        const long long spr = p.g->patSprPos[1][static_cast<size_t>(section)];
        const long long bg = p.g->patBGPos[1][static_cast<size_t>(section)];
        patterns(p, [&](frmPatterns *w) {
            w->optE->click();
            w->sc[0]->setValue(0x71);
            w->sc[1]->setValue(0x72);
            w->cmdOK_Click();
        });
        std::vector<long long> expect;
        for (long long q : { spr, spr + 1 })
            if (rb::at(before, q) != (q == spr ? 0x71 : 0x72))
                expect.push_back(q);
        for (long long q : { spr + copy, spr + copy + 1 })
            if (rb::at(before, q) != (q == spr + copy ? 0x71 : 0x72))
                expect.push_back(q);
        std::sort(expect.begin(), expect.end());
        const std::vector<long long> got = changedPositions(before, p.romBytes());
        QCOMPARE(got, expect);
        QCOMPARE(got.size(), size_t(4));
        QCOMPARE(rb::at(p.romBytes(), bg), rb::at(before, bg));
    }
    QCOMPARE(boxes.count(), 0);
}

void tst_patterns::spriteButtonOpensOnTheSpriteGroupOnce()
{
    Boxes boxes;
    Program p;
    bool sprites = false;
    startup::whenOpen<frmPatterns>(
        [&](frmPatterns *w) {
            sprites = w->optE->isChecked();
            QVERIFY(!p.w->sideLink().spriteBanksAsked());
            QCOMPARE(w->sc[0]->value(), int(p.g->patSpr[0][0][2]));
            QCOMPARE(w->txt[2]->text(), hex(p.g->patSpr4[0][0]));
            w->cmdCancel_Click();
        },
        [&] { named<QToolButton>(p.w.get(), "cmdEPat")->click(); });
    QVERIFY(sprites);
    patterns(p, [&](frmPatterns *w) {
        sprites = w->optE->isChecked();
        w->cmdCancel_Click();
    });
    QVERIFY(!sprites);
    QCOMPARE(boxes.count(), 0);
}

void tst_patterns::previewLayoutsAndTheirMemory()
{
    Boxes boxes;
    Program p;
    const int bank = p.g->patBG[0][0][1];
    patterns(p, [&](frmPatterns *w) {
        w->chk2->click();
        QCOMPARE(w->interleave, 2);
        QCOMPARE(shown(w->img[0]), expectedPreview(p.built.rom, bank, 2));
        w->chk->click();
        QVERIFY(!w->chk2->isChecked());
        QCOMPARE(w->interleave, 1);
        QCOMPARE(shown(w->img[0]), expectedPreview(p.built.rom, bank, 1));
        w->cmdCancel_Click();
    });
    patterns(p, [&](frmPatterns *w) {
        QVERIFY(w->chk->isChecked());
        QVERIFY(!w->chk2->isChecked());
        QCOMPARE(shown(w->img[0]), expectedPreview(p.built.rom, bank, 1));
        w->chk->click();
        QCOMPARE(w->interleave, 0);
        QCOMPARE(shown(w->img[0]), expectedPreview(p.built.rom, bank, 0));
        w->cmdCancel_Click();
    });
    QCOMPARE(boxes.count(), 0);
}

void tst_patterns::spritePaletteSaveWritesEveryCopy()
{
    Boxes boxes;
    Program p;
    const Bytes before = p.romBytes();
    sprites(p, [&](frmSprites *w) {
        QCOMPARE(w->windowTitle(), QString("Edit Sprite Palettes"));
        QCOMPARE(w->boxSet->count(), 26);
        QCOMPARE(w->selectedSlot(), 0);
        QCOMPARE(w->picPal[4]->Tag, hex(rb::at(before, 2459)));
        w->picPal_Click(4);
        w->picColor_Click(0x2D);
        w->picPal_Click(10);
        w->picColor_Click(0x2E);
        w->cmdOK_Click();
    });
    Bytes expect = before;
    for (long long q : { 2459, 2478, 2497, 2516 })
        expect[static_cast<size_t>(q - 1)] = 0x2D;
    expect[2455 - 1] = 0x2E;
    QCOMPARE(changedPositions(expect, p.romBytes()), std::vector<long long> {});
    QCOMPARE(boxes.count(), 0);
}

void tst_patterns::spritePaletteSetsAssignRevertRestore()
{
    RealBoxes boxes;
    Program p(rb::Rel::JP);
    const Bytes before = p.romBytes();
    const int stored = p.g->sprPalNo[0][0];
    const long long setPos = p.built.ledger.stages[0].sections[0].sprPalPos;
    sprites(p, [&](frmSprites *w) {
        QCOMPARE(w->boxSet->count(), 25);
        QCOMPARE(w->boxSet->item(24)->text(), QString("  18"));
        w->boxSet->setCurrentRow(5);
        w->cmdAssign_Click();
        QCOMPARE(w->assignedSet(), 5);
        w->cmdRevert_Click();
        QCOMPARE(w->assignedSet(), stored);
        QCOMPARE(w->txtSet->text(), hex(stored));
        QCOMPARE(w->boxSet->currentRow(), stored);
        w->boxSet->setCurrentRow(5);
        w->picPal_Click(2);
        w->picColor_Click(0x3A);
        w->tim_Timer();
        QCOMPARE(w->picPal[2]->borderStyle(), 0);
        w->cmdOK_Click();
    });
    QCOMPARE(p.g->sprPalNo[0][0], uint8_t(stored));
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
    p.g->ini.backupPath = path;
    const Bytes beforeRestore = p.romBytes();
    sprites(p, [&](frmSprites *w) {
        side::pick(w->boxSet, 7);
        boxes.click(QMessageBox::Yes);
        pointer::click(w->cmdRestore);
        QCOMPARE(boxes.texts(), (QStringList { "Proceed ?", "Palette Set #07 restored." }));
        QCOMPARE(w->boxSet->currentRow(), stored); // loaded again
        QCOMPARE(w->picPal[3]->Tag, hex(rb::at(backup, 2293)));
        w->cmdCancel_Click();
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
