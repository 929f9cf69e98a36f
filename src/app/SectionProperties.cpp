#include "app/SectionProperties.h"
#include "app/frmRI3Ui.h"
#include "model/RomDocument.h"
#include "rom/RomFile.h"
#include "stage/Document.h"
#include "ui/Controls.h"
#include "ui/ImmediateWrite.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int subTime = 107;
constexpr int subMirror = 110;
constexpr int subCombo3 = 114;
constexpr int subCombo4 = 115;
constexpr int subEditPalettes = 113;

// The upward section whose layout a downward section of stage 1 mirrors.
int upwardOf(int section)
{
    switch (section) {
    case 9:
        return 6;
    case 10:
        return 5;
    case 11:
        return 3;
    case 12:
        return 2;
    default:
        return -1;
    }
}

void fill(ctl::ComboBox *box, std::initializer_list<std::pair<const char *, int>> items)
{
    box->blockSignals(true);
    box->clear();
    for (const auto &[text, value] : items)
        box->addItem(text, value);
    box->setCurrentIndex(-1);
    box->blockSignals(false);
}

} // namespace

SectionProperties::SectionProperties(
    QWidget *client, RomDocument &romDoc, const ProgramFiles &files)
    : PanelLayer(client, "SectionProperties"), romDoc(romDoc), files(files), doc(romDoc.stages()),
      t(doc.tables())
{
    txtPal = frmRI3Ui::readOut(this, "txtPal", 10200, 780, 480);
    cmbTime = new ctl::ComboBox(this, "cmbTime");
    look::place(cmbTime, 8520, 1170, 900, 315);
    for (int code = 1; code <= 15; ++code)
        cmbTime->addItem(QString::number(code, 16).toUpper() + "00");
    txtBlk = frmRI3Ui::readOut(this, "txtBlk", 9480, 1185, 1200);
    lblVs[0] = new QLabel("Up", this);
    lblVs[1] = new QLabel("Dn", this);
    lblVs[0]->setObjectName("lblVs(0)");
    lblVs[1]->setObjectName("lblVs(1)");
    look::place(lblVs[0], 8520, 1575, 300, 255);
    look::place(lblVs[1], 8520, 1935, 300, 255);
    Combo3 = new ctl::ComboBox(this, "Combo3");
    look::place(Combo3, 8880, 1560, 1800, 315);
    Combo4 = new ctl::ComboBox(this, "Combo4");
    look::place(Combo4, 8880, 1920, 1800, 315);
    for (QWidget *w : { static_cast<QWidget *>(lblVs[0]), static_cast<QWidget *>(lblVs[1]),
             static_cast<QWidget *>(Combo3), static_cast<QWidget *>(Combo4) })
        w->setVisible(false);
    cmdMirror = frmRI3Ui::button(this, "cmdMirror", "Mirror", 8520, 5580, 1215);
    cmdMirror->setVisible(false);
    // Lists that edit the section: a wheel turned over them on its way elsewhere edits nothing.
    // They edit on a pick only: an entry shown for a section is no edit.
    for (ctl::ComboBox *box : { cmbTime, Combo3, Combo4 })
        ctl::setWheelNeedsFocus(box);
    connect(cmbTime, &QComboBox::activated, this, [this](int i) {
        if (i >= 0)
            cmbTime_Click();
    });
    connect(Combo3, &QComboBox::activated, this, [this] { Combo3_Click(); });
    connect(Combo4, &QComboBox::activated, this, [this] { Combo4_Click(); });
    connect(cmdMirror, &QPushButton::clicked, this, [this] { cmdMirror_Click(); });
    romDoc.addListener(this);
}

SectionProperties::~SectionProperties()
{
    romDoc.removeListener(this);
}

void SectionProperties::palettesChanged()
{
    msg::step(romDoc, subEditPalettes, [&] { showPaletteSet(); });
}

void SectionProperties::showSection(bool vertical)
{
    const auto s = static_cast<size_t>(romDoc.shown().curStage);
    const auto n = static_cast<size_t>(romDoc.shown().curSection);
    txtBlk->setText(QString::fromStdString(t.timeStr[s][n]));
    showPaletteSet();
    cmbTime->setCurrentIndex(t.timeTbl[s][n][0] - 1);
    lblVs[0]->setVisible(false);
    lblVs[1]->setVisible(false);
    Combo4->setVisible(false);
    if (vertical)
        scrollTypeLists();
    Combo3->setVisible(t.vertFlag[s][n] != 0);
    Combo4->setVisible(!lblVs[1]->isHidden());
    // A section not read from the ROM takes no edit: its time byte belongs to another area.
    const bool read = doc.sectionRead(static_cast<int>(s), static_cast<int>(n));
    const bool scrollRead = doc.scrollRead(static_cast<int>(s), static_cast<int>(n));
    for (QWidget *w : std::initializer_list<QWidget *> { cmbTime, cmdMirror })
        w->setEnabled(read);
    for (QWidget *w : std::initializer_list<QWidget *> { Combo3, Combo4 })
        w->setEnabled(scrollRead);
}

void SectionProperties::showPaletteSet()
{
    txtPal->setText(viewtext::hex2(romDoc.tables()
                                       .palSetNo.at(static_cast<size_t>(romDoc.shown().curStage))
                                       .at(static_cast<size_t>(romDoc.shown().curSection))));
}

void SectionProperties::showMirror(bool on)
{
    cmdMirror->setVisible(on);
}

// A vertical section's scroll types: three when it opens at its bottom, two otherwise, and in
// stage 1 the second type of the sections that have one.
void SectionProperties::scrollTypeLists()
{
    const int s = romDoc.shown().curStage;
    const int n = romDoc.shown().curSection;
    const uint8_t byte = t.scrollByte[static_cast<size_t>(s)][static_cast<size_t>(n)];
    Combo4->clear();
    if (!t.leftDoor[static_cast<size_t>(s)][static_cast<size_t>(n)]) {
        fill(Combo3, { { "Normal Scroll", 0x81 }, { "Automatic Scroll", 0x83 } });
        selectScrollItem(Combo3, byte);
        return;
    }
    fill(Combo3,
        { { "Normal Scroll", 0x80 }, { "Automatic Scroll", 0x82 },
            { "Incremental Scroll", 0x84 } });
    selectScrollItem(Combo3, byte);
    if (s != 1)
        return;
    if (n == 0)
        vScrollIdx = 0;
    else if (n == 4)
        vScrollIdx = 1;
    else if (n == 7)
        vScrollIdx = 2;
    lblVs[0]->setVisible(true);
    lblVs[1]->setVisible(true);
    fill(Combo4, { { "Normal Scroll", 0x81 }, { "Automatic Scroll", 0x83 } });
    selectScrollItem(Combo4, t.vScrollType[static_cast<size_t>(vScrollIdx)]);
}

// The entry whose item value is the byte; a byte matching none shows no entry and stays as
// it is until the user picks one.
void SectionProperties::selectScrollItem(ctl::ComboBox *box, int value)
{
    box->setCurrentIndex(box->findData(value));
}

// The time is written at once: all sections of the area share its byte. When the write fails
// the list and the table go back to what the ROM holds, and the box says so.
void SectionProperties::cmbTime_Click()
{
    const auto s = static_cast<size_t>(romDoc.shown().curStage);
    const auto n = static_cast<size_t>(romDoc.shown().curSection);
    const uint8_t area = t.timeTbl[s][n][1];
    const long long pos = (romDoc.romVer() == "1" ? 227109 : 78812) + area;
    uint8_t code = static_cast<uint8_t>(cmbTime->currentIndex() + 1);
    const immediate::Failure failure = immediate::write(
        romDoc, pos, [code](uint8_t old) { return uint8_t((code << 4) | (old & 0x0F)); });
    if (failure.failed())
        code = immediate::held(romDoc, pos, uint8_t(t.timeTbl[s][n][0] << 4)) >> 4;
    doc.setAreaTime(romDoc.shown().curStage, area, code);
    if (!failure.failed())
        return;
    cmbTime->setCurrentIndex(code - 1);
    if (failure.romChanged)
        emit romChanged(failure.description);
    else
        msg::errBox(subTime, failure.description,
            immediate::lastLine(
                failure, "the time", QString::number(code, 16).toUpper().toStdString() + "00"));
}

void SectionProperties::Combo3_Click()
{
    msg::step(romDoc, subCombo3, [&] {
        if (Combo3->currentIndex() < 0)
            return;
        // Only the user picks: the list is filled with its signals blocked.
        doc.setScrollByte(romDoc.shown().curStage, romDoc.shown().curSection,
            static_cast<uint8_t>(Combo3->currentData().toInt()));
    });
}

void SectionProperties::Combo4_Click()
{
    msg::step(romDoc, subCombo4, [&] {
        if (Combo4->currentIndex() < 0)
            return;
        doc.setScrollType(vScrollIdx, static_cast<uint8_t>(Combo4->currentData().toInt()));
    });
}

void SectionProperties::cmdMirror_Click()
{
    if (msg::box("The BG used in the corresponding 'upward' section will be copied here.\rClick OK "
                 "to proceed, but don't forget to add/remove the door tiles.",
            msg::QuestionOkCancel, "Upward/Downward Mirror")
        == msg::Cancel)
        return;
    const bool copied = msg::step(romDoc, subMirror, [&] {
        const int up = upwardOf(romDoc.shown().curSection);
        if (up >= 0)
            doc.copyLayout(romDoc.shown().curStage, romDoc.shown().curSection, up);
    });
    if (copied)
        emit mirrored();
}
