// Every side window with a Save, driven as a person drives it: looking and saving leaves the ROM
// as it was, one edit writes only its bytes, a window that could not read the ROM writes
// nothing, and Restore takes nothing from a backup that is not this ROM's twin.
#include "app/Settings.h"
#include "gfx/BlockPicBox.h"
#include "gfx/ColourBox.h"
#include "gfx/frmEditTSA.h"
#include "gfx/frmPalettes.h"
#include "gfx/frmPatterns.h"
#include "gfx/frmSprites.h"
#include "gfx/frmTile.h"
#include "rom/Numbers.h"
#include "support/RomDiff.h"
#include "support/RomFixture.h"
#include "tables/Spinner.h"
#include "tables/frmBGM.h"
#include "tables/frmEnPresets.h"
#include "tables/frmHits.h"
#include "tables/frmMisc.h"
#include "tables/frmPuPresets.h"
#include "ui/Controls.h"
#include "ui/ViewText.h"
#include "ui/support/Named.h"
#include "ui/support/PresetWindows.h"
#include "ui/support/RealBoxes.h"
#include "ui/support/SideWindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

#include <algorithm>

namespace {

rb::RomDesc shape(int release, bool odd)
{
    const rb::RomDesc d = rb::gameShape(release ? rb::Rel::JP : rb::Rel::US);
    return odd ? rb::oddTableBytes(d) : d;
}

// The block editor on the block of selector cell 2.
void blockEditor(Program &p, std::function<void(frmEditTSA *)> act)
{
    side::openByRightPress<frmEditTSA>(named<ctl::ImageBox>(p.w.get(), "sel", 2), act);
}

// The tile editor on chooser tile t of the block editor.
void tileEditor(frmEditTSA *ed, int t, std::function<void(frmTile *)> act)
{
    side::openByRightPress<frmTile>(ed->imgTile[static_cast<size_t>(t)], act);
}

// The sprite palette editor, from its button in the Miscellaneous mode, then back to the
// Background mode.
void spritePalettes(Program &p, std::function<void(frmSprites *)> act)
{
    pointer::click(named<QRadioButton>(p.w.get(), "optSt"));
    side::open<frmSprites>(named<QToolButton>(p.w.get(), "cmdEPal"), act);
    pointer::click(named<QRadioButton>(p.w.get(), "optBg"));
}

// Every palette box clicked (a selection only) and every set of the list shown.
template <class W> void lookThroughPalettes(W *w)
{
    for (ColourBox *b : w->picPal)
        pointer::click(b);
    for (int row = 0; row < w->boxSet->count(); ++row)
        side::pick(w->boxSet, row);
}

// Side window `which` opened as a person opens it, `act` run on it while it stands.
void openWindow(Program &p, const QString &which, const std::function<void(QDialog *)> &act)
{
    QWidget *w = p.w.get();
    const auto on = [&](auto *d) { act(d); };
    if (which == "damage")
        side::open<DamageWindow>(named<QToolButton>(w, "cmdDamage"), on);
    else if (which == "bgm")
        side::open<frmBGM>(named<QToolButton>(w, "cmdBGM"), on);
    else if (which == "game options")
        side::open<frmMisc>(named<QToolButton>(w, "cmdMisc"), on);
    else if (which == "palettes")
        side::open<frmPalettes>(named<QToolButton>(w, "cmdPalettes"), on);
    else if (which == "sprite palettes")
        spritePalettes(p, on);
    else if (which == "patterns")
        side::open<frmPatterns>(named<QToolButton>(w, "cmdPattern"), on);
    else if (which == "blocks")
        blockEditor(p, on);
    else if (which == "tile")
        blockEditor(p, [&](frmEditTSA *ed) { tileEditor(ed, 0x45, on); });
    else if (which == "power-up presets")
        presets::openPu(p, on);
    else if (which == "enemy presets")
        presets::openEn(p, on);
    else
        QFAIL(qPrintable("no side window " + which));
}

// Side window `which` on the US ROM, `act` run on it: the ROM is as it was after it, and no
// box was shown.
// Opened once for each act.
void romStaysAsItWas(
    const QString &which, std::initializer_list<std::function<void(QDialog *)>> acts)
{
    RealBoxes boxes;
    Program p(shape(0, false));
    const Bytes before = p.romBytes();
    for (const auto &act : acts)
        openWindow(p, which, act);
    QCOMPARE(changedPositions(before, p.romBytes()), std::vector<long long> {});
    QCOMPARE(boxes.texts(), QStringList());
}

void romStaysAsItWas(const QString &which, const std::function<void(QDialog *)> &act)
{
    romStaysAsItWas(which, { act });
}

std::vector<int> listEntries(const QDialog *w)
{
    std::vector<int> out;
    for (const QComboBox *box : w->findChildren<QComboBox *>())
        out.push_back(box->currentIndex());
    return out;
}

std::vector<long long> sorted(std::vector<long long> v)
{
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
    return v;
}

// The positions among `where` whose byte differs between the two images.
std::vector<long long> differing(const Bytes &a, const Bytes &b, std::vector<long long> where)
{
    std::vector<long long> out;
    for (long long pos : sorted(where))
        if (rb::at(a, pos) != rb::at(b, pos))
            out.push_back(pos);
    return out;
}

} // namespace

class tst_side_windows : public QObject
{
    Q_OBJECT
private slots:
    void lookingAndSavingChangesNothing_data() { side::addRoms("odd bytes"); }
    void lookingAndSavingChangesNothing();
    void oneEditWritesOnlyItsBytes_data() { side::addRoms("odd bytes"); }
    void oneEditWritesOnlyItsBytes();
    void aWheelPassingOverAListPicksNothing_data();
    void aWheelPassingOverAListPicksNothing();
    void returnPressesNoButton_data();
    void returnPressesNoButton();
    void aWindowThatCouldNotReadSavesNothing();
    void aSectionWithoutASetNumberKeepsItsSet();
    void restoreRefusesABackupThatIsNotTheRomsTwin();
    void settingsRefuseABackupOfAnotherSize();
    void patternSaveInStageOneTouchesOnlyTheSectionAndItsCopy_data();
    void patternSaveInStageOneTouchesOnlyTheSectionAndItsCopy();
};

void tst_side_windows::lookingAndSavingChangesNothing()
{
    QFETCH(int, release);
    QFETCH(bool, odd);
    RealBoxes boxes;
    Program p(shape(release, odd));
    const Bytes before = p.romBytes();

    side::open<DamageWindow>(named<QToolButton>(p.w.get(), "cmdDamage"),
        [&](DamageWindow *w) { pointer::click(w->cmdOK); });
    side::open<frmBGM>(
        named<QToolButton>(p.w.get(), "cmdBGM"), [&](frmBGM *w) { pointer::click(w->cmdOK); });
    side::open<frmMisc>(
        named<QToolButton>(p.w.get(), "cmdMisc"), [&](frmMisc *w) { pointer::click(w->cmdOK); });
    side::open<frmPalettes>(named<QToolButton>(p.w.get(), "cmdPalettes"), [&](frmPalettes *w) {
        lookThroughPalettes(w);
        if (odd) // a colour number above 63 is shown as none, and as its number
            QVERIFY(w->picPal[15]->showsNoColour() || w->picPal[10]->showsNoColour());
        pointer::click(w->cmdOK);
    });
    spritePalettes(p, [&](frmSprites *w) {
        lookThroughPalettes(w);
        if (odd)
            QCOMPARE(w->picPal[10]->Tag, QString("41")); // Trevor's colour 1
        pointer::click(w->cmdOK);
    });
    side::open<frmPatterns>(named<QToolButton>(p.w.get(), "cmdPattern"), [&](frmPatterns *w) {
        pointer::click(w->optE);
        pointer::click(w->chk);
        pointer::click(w->chk2);
        pointer::click(w->optB);
        pointer::click(w->chk2);
        pointer::click(w->cmdOK);
    });
    blockEditor(p, [&](frmEditTSA *ed) {
        for (ctl::ImageBox *cell : ed->imgTSA)
            pointer::click(cell);
        tileEditor(ed, 0x45, [&](frmTile *t) { pointer::click(t->cmdOK); });
        pointer::click(ed->cmdOK);
    });
    QCOMPARE(changedPositions(before, p.romBytes()), std::vector<long long> {});
    QCOMPARE(boxes.texts(), QStringList());
}

void tst_side_windows::oneEditWritesOnlyItsBytes()
{
    QFETCH(int, release);
    QFETCH(bool, odd);
    RealBoxes boxes;
    Program p(shape(release, odd));
    const rb::RomMap m = rb::romMap(release ? rb::Rel::JP : rb::Rel::US);
    const rb::SectionLedger &l = p.built.ledger.stages[0].sections[0];

    // A colour of the section's own set: that byte alone.
    Bytes before = p.romBytes();
    const int set = p.g->doc.tables().palSetNo[0][0];
    const long long own = m.palSetBase + 9 * set + 1; // sub-palette 1, colour 2
    const int colour = rb::at(before, own) == 0x2A ? 0x2B : 0x2A;
    side::open<frmPalettes>(named<QToolButton>(p.w.get(), "cmdPalettes"), [&](frmPalettes *w) {
        pointer::click(w->picPal[6]);
        pointer::click(w->picColor[static_cast<size_t>(colour)]);
        pointer::click(w->cmdOK);
    });
    QCOMPARE(changedPositions(before, p.romBytes()), std::vector<long long> { own });

    // A colour of "Sprites 1": its four copies, where they differ from the new colour.
    before = p.romBytes();
    const long long first = m.sprPalStart + 4 + 1;
    spritePalettes(p, [&](frmSprites *w) {
        pointer::click(w->picPal[4]);
        pointer::click(w->picColor[0x2D]);
        pointer::click(w->cmdOK);
    });
    Bytes after = p.romBytes();
    const std::vector<long long> copies { first, first + 19, first + 38, first + 57 };
    for (long long pos : copies)
        QCOMPARE(rb::at(after, pos), uint8_t(0x2D));
    QCOMPARE(changedPositions(before, after), differing(before, after, copies));

    // BG 2 one bank up: its byte alone.
    before = p.romBytes();
    side::open<frmPatterns>(named<QToolButton>(p.w.get(), "cmdPattern"), [&](frmPatterns *w) {
        side::arrow(w->sc[1], false);
        pointer::click(w->cmdOK);
    });
    QCOMPARE(changedPositions(before, p.romBytes()), std::vector<long long> { l.patBGPos + 1 });
    QCOMPARE(rb::at(p.romBytes(), l.patBGPos + 1), uint8_t(rb::at(before, l.patBGPos + 1) + 1));

    // A tile put into a block's first cell, and one pixel of a tile painted.
    before = p.romBytes();
    const int block = viewtext::tagBlock("&H" + named<ctl::ImageBox>(p.w.get(), "sel", 2)->Tag);
    const long long cell0 = m.blockDefPos[0] + 16LL * block;
    const int tile = rb::at(before, cell0) == 0x47 ? 0x48 : 0x47;
    blockEditor(p, [&](frmEditTSA *ed) {
        pointer::click(ed->imgTile[static_cast<size_t>(tile)]);
        QCOMPARE(int(ed->m.blkTiles[0]), tile);
        pointer::click(ed->cmdOK);
    });
    QCOMPARE(changedPositions(before, p.romBytes()), std::vector<long long> { cell0 });
    QCOMPARE(int(rb::at(p.romBytes(), cell0)), tile);

    before = p.romBytes();
    const long long tileAt = rb::chrBase + 1024LL * p.g->doc.tables().patBG[0][0][1] + 16 * 5;
    blockEditor(p, [&](frmEditTSA *ed) {
        tileEditor(ed, 0x45, [&](frmTile *t) {
            pointer::click(t->pixel[0], QPoint(-1, -1), Qt::RightButton); // colour 3
            pointer::click(t->cmdOK);
        });
        pointer::click(ed->cmdCancel);
    });
    after = p.romBytes();
    QCOMPARE(changedPositions(before, after), differing(before, after, { tileAt, tileAt + 8 }));
    QCOMPARE(rb::at(after, tileAt) & 0x80, 0x80);
    QCOMPARE(rb::at(after, tileAt + 8) & 0x80, 0x80);
    QCOMPARE(boxes.texts(), QStringList());
}

void tst_side_windows::aWheelPassingOverAListPicksNothing_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("list");
    // The first list of each window has its focus from the opening on.
    const std::pair<const char *, const char *> lists[]
        = { { "bgm", "cmb(1)" }, { "bgm", "cmb(17)" }, { "power-up presets", "cmbType(1)" },
              { "power-up presets", "cmbLeft(3)" }, { "power-up presets", "cmbTop(7)" },
              { "power-up presets", "cmbContent(5)" }, { "enemy presets", "cmbType(1)" },
              { "enemy presets", "cmbLeft(3)" }, { "enemy presets", "cmbTop(9)" } };
    for (auto [window, list] : lists)
        QTest::addRow("%s %s", window, list) << QString(window) << QString(list);
}

// A wheel turned over a list the user has not gone to, on its way elsewhere, leaves every list
// of the window as it was, also the one the window gave its focus at opening; Save then writes
// nothing. A list the user clicked or went to with Tab takes the wheel.
void tst_side_windows::aWheelPassingOverAListPicksNothing()
{
    QFETCH(QString, window);
    QFETCH(QString, list);
    const auto active = [](QDialog *w) {
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
    };
    romStaysAsItWas(window,
        { [&](QDialog *w) {
             active(w);
             auto *box = named<QComboBox>(w, list);
             QVERIFY(box->isEnabled());
             const std::vector<int> shown = listEntries(w);
             for (int notches : { 1, 2, -1, -2 }) {
                 pointer::wheel(box, notches);
                 QCOMPARE(listEntries(w), shown);
             }
             pointer::click(named<QPushButton>(w, "cmdOK"));
         },
            [&](QDialog *w) { // left open, so cancelled
                active(w);
                auto *box = named<QComboBox>(w, list);
                const int was = box->currentIndex();
                if (box->hasFocus()) { // away and back with the keyboard
                    QTest::keyClick(w->windowHandle(), Qt::Key_Tab);
                    QTest::keyClick(w->windowHandle(), Qt::Key_Backtab, Qt::ShiftModifier);
                    QVERIFY(box->hasFocus());
                } else {
                    side::pick(box, was);
                }
                const int notch = was + 1 < box->count() ? 1 : -1;
                pointer::wheel(box, notch);
                QCOMPARE(box->currentIndex(), was + notch);
            } });
}

void tst_side_windows::returnPressesNoButton_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("bar"); // a bar stepped first, an edit Save would write
    const std::pair<const char *, const char *> windows[]
        = { { "damage", "hs1(0)" }, { "bgm", "" }, { "game options", "vHeart" }, { "palettes", "" },
              { "sprite palettes", "" }, { "patterns", "sc(0)" }, { "blocks", "" }, { "tile", "" },
              { "power-up presets", "" }, { "enemy presets", "" } };
    for (auto [window, bar] : windows)
        QTest::newRow(window) << QString(window) << QString(bar);
}

// Return, wherever the window put the focus, presses none of its buttons: the window stays,
// with its edit unsaved.
void tst_side_windows::returnPressesNoButton()
{
    QFETCH(QString, window);
    QFETCH(QString, bar);
    romStaysAsItWas(window, [&](QDialog *w) {
        QStringList pressed;
        for (QPushButton *b : w->findChildren<QPushButton *>())
            connect(b, &QPushButton::clicked, w, [&pressed, b] { pressed << b->text(); });
        if (!bar.isEmpty())
            side::arrow(named<QScrollBar>(w, bar), false);
        QTest::keyClick(w->windowHandle(), Qt::Key_Return);
        QTest::keyClick(w->windowHandle(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(pressed, QStringList());
        QVERIFY(w->isVisible());
    });
}

void tst_side_windows::aWindowThatCouldNotReadSavesNothing()
{
    RealBoxes boxes;
    Program p;
    side::cutRom(p, 1000); // the file changed under the program: no window reads its bytes
    const Bytes cut = p.romBytes();
    auto once = [&] {
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, QString("ROM file changed"));
    };
    auto saveDisabled = [&](QPushButton *ok) {
        QVERIFY(!ok->isEnabled());
        pointer::click(ok);
        QCOMPARE(p.romBytes(), cut);
    };
    boxes.clear();
    // The table windows show no value they did not read, and nothing there can be changed.
    side::open<DamageWindow>(named<QToolButton>(p.w.get(), "cmdDamage"), [&](DamageWindow *w) {
        once();
        saveDisabled(w->cmdOK);
        QVERIFY(!w->cmdDefault->isEnabled());
        for (ctl::ImageBox *seg : w->bar)
            QCOMPARE(seg->Tag, QString("0"));
        for (Spinner *s : w->hs1)
            QVERIFY(!s->isEnabled());
    });
    boxes.clear();
    side::open<frmBGM>(named<QToolButton>(p.w.get(), "cmdBGM"), [&](frmBGM *w) {
        once();
        saveDisabled(w->cmdOK);
        QVERIFY(!w->cmdDefault->isEnabled());
        for (QComboBox *c : w->cmb) {
            QCOMPARE(c->currentText(), QString());
            QVERIFY(!c->isEnabled());
        }
    });
    boxes.clear();
    side::open<frmMisc>(named<QToolButton>(p.w.get(), "cmdMisc"), [&](frmMisc *w) {
        once();
        saveDisabled(w->cmdOK);
        QVERIFY(!w->cmdDefault->isEnabled());
        QCOMPARE(w->txth->text() + w->txtl->text(), QString());
        QVERIFY(!w->vHeart->isEnabled() && !w->vLife->isEnabled());
    });
    boxes.clear();
    side::open<frmPalettes>(named<QToolButton>(p.w.get(), "cmdPalettes"), [&](frmPalettes *w) {
        once();
        saveDisabled(w->cmdOK);
        QVERIFY(!w->cmdRestore->isEnabled());
    });
    boxes.clear();
    spritePalettes(p, [&](frmSprites *w) {
        once();
        saveDisabled(w->cmdOK);
        QVERIFY(!w->cmdRestore->isEnabled());
    });
    boxes.clear();
    side::open<frmPatterns>(named<QToolButton>(p.w.get(), "cmdPattern"), [&](frmPatterns *w) {
        once();
        side::arrow(w->sc[0], false);
        saveDisabled(w->cmdOK);
    });
    boxes.clear();
    blockEditor(p, [&](frmEditTSA *ed) {
        once();
        pointer::click(ed->imgTile[0x47]);
        saveDisabled(ed->cmdOK);
        QVERIFY(!ed->cmdRestore->isEnabled());
        boxes.clear();
        tileEditor(ed, 0x45, [&](frmTile *t) {
            once();
            pointer::click(t->pixel[0], QPoint(-1, -1), Qt::RightButton);
            QVERIFY(!t->cmdOK->isEnabled());
            pointer::click(t->cmdOK);
            QCOMPARE(p.romBytes(), cut);
        });
        QVERIFY(!ed->tileChanged());
    });
    QCOMPARE(p.romBytes(), cut);
}

// A ROM cut short leaves stages without their section tables: such a section has no set number
// in the file. Save writes the colours and says plainly that the set stays; nothing went wrong.
void tst_side_windows::aSectionWithoutASetNumberKeepsItsSet()
{
    RealBoxes boxes;
    Program p(rb::gameShape(rb::Rel::US), false);
    side::cutRom(p, 250000);
    p.start();
    side::choose(named<ctl::ComboBox>(p.w.get(), "Combo1"), 3);
    const Bytes before = p.romBytes();
    const int bg = p.g->doc.tables().palSetNo[3][0], spr = p.g->doc.tables().sprPalNo[3][0];
    const QString kept
        = "This section has no place for its palette set number in the ROM file, so "
          "it keeps set #%1: set #%2 was not assigned to it.\nThe colours were saved.";
    boxes.clear();
    side::open<frmPalettes>(named<QToolButton>(p.w.get(), "cmdPalettes"), [&](frmPalettes *w) {
        side::pick(w->boxSet, bg + 1);
        pointer::click(w->cmdAssign);
        pointer::click(w->cmdOK);
        QVERIFY(!w->isVisible());
    });
    QCOMPARE(boxes.texts(), QStringList({ kept.arg(viewtext::hex2(bg), viewtext::hex2(bg + 1)) }));
    QCOMPARE(boxes.last().style(), 64);
    boxes.clear();
    spritePalettes(p, [&](frmSprites *w) {
        side::pick(w->boxSet, spr + 1);
        pointer::click(w->cmdAssign);
        pointer::click(w->cmdOK);
        QVERIFY(!w->isVisible());
    });
    QCOMPARE(
        boxes.texts(), QStringList({ kept.arg(viewtext::hex2(spr), viewtext::hex2(spr + 1)) }));
    QCOMPARE(p.romBytes(), before);
    QCOMPARE(p.g->doc.tables().palSetNo[3][0], bg);
    QCOMPARE(p.g->doc.tables().sprPalNo[3][0], spr);
}

void tst_side_windows::restoreRefusesABackupThatIsNotTheRomsTwin()
{
    RealBoxes boxes;
    Program p;
    const Bytes before = p.romBytes();
    const Bytes jp = rb::build(rb::gameShape(rb::Rel::JP)).rom;
    Bytes longer = before;
    longer.resize(before.size() + 16, 0);
    Bytes unsigned_ = before;
    std::fill(unsigned_.begin() + 16, unsigned_.begin() + 32, 0);
    const std::string size = std::to_string(before.size());
    struct Backup
    {
        const char *file;
        Bytes bytes;
        QString problem;
    } backups[] = {
        { "jp.nes", jp,
            "The backup ROM is of the Japanese release, the ROM being edited of the US release." },
        { "longer.nes", longer,
            QString::fromStdString("The backup ROM holds " + std::to_string(longer.size())
                + " bytes, the ROM being edited " + size + ".") },
        { "unsigned.nes", unsigned_,
            "The backup ROM does not carry the release signature of the game." },
    };
    for (const Backup &b : backups) {
        p.g->files.ini.backupPath = p.dir.file(b.file);
        testfile::writeAll(p.g->files.ini.backupPath, b.bytes);
        const QStringList expect { b.problem + "\nNothing was restored." };
        auto refused = [&](QPushButton *restore) {
            boxes.clear();
            pointer::click(restore);
            QCOMPARE(boxes.texts(), expect);
            QCOMPARE(boxes.last().title, QString("I am Error"));
            QCOMPARE(p.romBytes(), before);
        };
        side::open<frmPalettes>(named<QToolButton>(p.w.get(), "cmdPalettes"),
            [&](frmPalettes *w) { refused(w->cmdRestore); });
        spritePalettes(p, [&](frmSprites *w) { refused(w->cmdRestore); });
        blockEditor(p, [&](frmEditTSA *ed) { refused(ed->cmdRestore); });
        {
            frmPuPresets w(p.g->doc, p.g->files, 0);
            refused(w.cmdRestore);
        }
        {
            frmEnPresets w(p.g->doc, p.g->files, 0);
            refused(w.cmdRestore);
        }
    }
    // The twin itself is asked about.
    p.g->files.ini.backupPath = p.dir.file("twin.nes");
    testfile::writeAll(p.g->files.ini.backupPath, before);
    boxes.clear();
    boxes.click(QMessageBox::No);
    spritePalettes(p, [&](frmSprites *w) { pointer::click(w->cmdRestore); });
    QCOMPARE(boxes.texts(), QStringList { "Proceed ?" });
    QCOMPARE(p.romBytes(), before);
}

void tst_side_windows::settingsRefuseABackupOfAnotherSize()
{
    RealBoxes boxes;
    Program p;
    Bytes longer = p.romBytes();
    longer.resize(longer.size() + 1024, 0);
    const std::string path = p.dir.file("longer.nes");
    testfile::writeAll(path, longer);
    Settings dlg(p.g->doc, p.g->files, p.w.get());
    dlg.txtRomPath->setText(QString::fromStdString(p.rom));
    dlg.txtBackup->setText(QString::fromStdString(path));
    pointer::click(dlg.cmdSettingsOK);
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().title, QString("Wrong version or ROM"));
    QVERIFY(dlg.txtBackup->text().isEmpty());
    QVERIFY(testfile::readText(p.g->files.iniPath()).find("backupr=\r\n") != std::string::npos);
}

void tst_side_windows::patternSaveInStageOneTouchesOnlyTheSectionAndItsCopy_data()
{
    QTest::addColumn<int>("release");
    QTest::newRow("US") << 0;
    QTest::newRow("Japanese") << 1;
}

// Stage 1's first nine rooms come back later in the stage (load sections 9 to 17); the game
// keeps each room's sprite banks a second time, in the returning room's place of the list.
void tst_side_windows::patternSaveInStageOneTouchesOnlyTheSectionAndItsCopy()
{
    QFETCH(int, release);
    RealBoxes boxes;
    Program p(shape(release, false));
    const rb::StageLedger &stage = p.built.ledger.stages[1];
    const std::vector<int> menuToLoad = rb::menuToLoad(1, 18);
    side::choose(named<ctl::ComboBox>(p.w.get(), "Combo1"), 1);
    for (int n = 0; n <= 8; ++n) {
        side::choose(named<ctl::ComboBox>(p.w.get(), "Combo2"), n);
        QCOMPARE(p.g->doc.shown().curSection, n);
        const Bytes before = p.romBytes();
        const rb::SectionLedger &l = stage.sections[static_cast<size_t>(n)];
        side::open<frmPatterns>(named<QToolButton>(p.w.get(), "cmdPattern"), [&](frmPatterns *w) {
            side::arrow(w->sc[0], false);
            pointer::click(w->optE);
            side::arrow(w->sc[0], false);
            side::arrow(w->sc[1], true);
            pointer::click(w->cmdOK);
        });
        const Bytes after = p.romBytes();
        std::vector<long long> where { l.patBGPos, l.patSprPos, l.patSprPos + 1 };
        {
            const int mirror = n + (n <= 2 ? 15 : n <= 5 ? 9 : 3);
            const long long copy = stage.sections[static_cast<size_t>(mirror)].patSprPos;
            QCOMPARE(copy, l.patSprPos + (n <= 2 ? 30 : n <= 5 ? 18 : 6));
            QVERIFY(copy >= stage.sprBankList.first && copy + 2 <= stage.sprBankList.second);
            where.push_back(copy);
            where.push_back(copy + 1);
            QCOMPARE(rb::at(after, copy), rb::at(after, l.patSprPos));
            QCOMPARE(rb::at(after, copy + 1), rb::at(after, l.patSprPos + 1));
            // The returning room, when the section list shows it, has the banks it now holds.
            for (size_t k = 0; k < 13; ++k)
                if (menuToLoad[k] == mirror)
                    QCOMPARE(p.g->doc.tables().patSpr[1][k][2], rb::at(after, copy));
        }
        QCOMPARE(changedPositions(before, after), differing(before, after, where));
        QVERIFY(changedPositions(before, after).size() >= 3);
    }
    QCOMPARE(boxes.texts(), QStringList());
}

QTEST_MAIN(tst_side_windows)
#include "tst_side_windows.moc"
