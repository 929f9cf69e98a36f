#include "special/MiscPanel.h"

#include "model/RomDocument.h"
#include "model/objects/SpecialTypes.h"
#include "objects/PanelControls.h"
#include "rom/Numbers.h"
#include "stage/StageTables.h"
#include "ui/Controls.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

namespace {

constexpr int subOptSt = 101;

} // namespace

MiscPanel::MiscPanel(RomDocument &romDoc, const ProgramFiles &files, const StageTables &t,
    ModeHost &host, MarkerLayer &markers, QWidget *client)
    : PanelLayer(client, "MiscPanel"), romDoc(romDoc), files(files), t(t), host(host),
      markers(markers)
{
    build();
    connectControls();
}

// The bars, each with its name above it and its value at its right (the longest values, such
// as "Screen 1F, Tile 31   (FF)", need most of the panel's width).
void MiscPanel::buildBars()
{
    const char *names[4] = { "Initial Swing", "Velocity", "Location", "Trigger" };
    for (int k = 0; k < 4; ++k) {
        const int top = 3450 + 540 * k;
        const int nameLabel = k < 3 ? k + 1 : 7;
        const int valueLabel = k < 3 ? k + 4 : 8;
        lblSt[static_cast<size_t>(nameLabel)] = objects::hiddenLabel(
            this, QString("lblSt(%1)").arg(nameLabel), names[k], 8520, top, 2760);
        lblSt[static_cast<size_t>(valueLabel)] = objects::hiddenLabel(
            this, QString("lblSt(%1)").arg(valueLabel), "", 9300, top + 270, 1980);
        auto *bar = new ctl::ScrollBar(Qt::Horizontal, this, QString("scrSt(%1)").arg(k));
        look::place(bar, 8520, top + 270, 720, 255);
        bar->setMaximum(k == 3 ? 255 : 0);
        bar->setVisible(false);
        scrSt[static_cast<size_t>(k)] = bar;
    }
}

// The type box, the bars, the breakable-block box and the note.
void MiscPanel::build()
{
    lblSt[0] = objects::hiddenLabel(this, "lblSt(0)", "Type", 8520, 2760, 2760);
    cmbSt = new ctl::ComboBox(this, "cmbSt");
    ctl::setWheelNeedsFocus(cmbSt);
    look::place(cmbSt, 8520, 3030, 2760, 315);
    cmbSt->setVisible(false);
    buildBars();
    chkBlock = new QCheckBox("Block on top is breakable", this);
    chkBlock->setObjectName("chkBlock");
    look::place(chkBlock, 8520, 5640, 2760, 285);
    chkBlock->setVisible(false);
    // Left of the sprite buttons, which stand beside it in this mode, and tall enough for the
    // longest note wrapped to that width.
    noteSt = objects::hiddenLabel(this, "noteSt", "", 8520, 5940, 1740, 1245);
    noteSt->setWordWrap(true);
    noteSt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void MiscPanel::connectControls()
{
    // A pick is an edit; an entry set by the program is none.
    connect(cmbSt, &QComboBox::activated, this, [this](int i) {
        if (i >= 0)
            cmbSt_Click();
    });
    connect(chkBlock, &QCheckBox::toggled, this, [this] { chkBlockChange(); });
    for (int k = 0; k < 4; ++k)
        connect(scrSt[static_cast<size_t>(k)], &QScrollBar::valueChanged, this,
            [this, k] { scrSt_Change(k); });
}

QPixmap MiscPanel::datPicture(const std::string &file) const
{
    return objects::datPicture(files, file);
}

void MiscPanel::Hlight()
{
    markers.Hlight(31 + selSt);
}

// The panel with the type list of the section's kind and nothing selected yet; then the
// section's markers.
void MiscPanel::enter()
{
    msg::step(romDoc, subOptSt, [&] {
        markers.frame()->setVisible(false);
        markers.frame()->setOpaque(false);
        for (int i = 0; i <= 6; ++i)
            lblSt[static_cast<size_t>(i)]->setVisible(true);
        for (int i = 0; i < 3; ++i) {
            scrSt[static_cast<size_t>(i)]->setVisible(true);
            scrSt[static_cast<size_t>(i)]->setEnabled(false);
            lblSt[static_cast<size_t>(i + 4)]->clear();
        }
        cmbSt->Tag = "A";
        cmbSt->setCurrentIndex(0);
        cmbSt->setEnabled(false);
        cmbSt->setVisible(true);
        noteSt->setVisible(true);
        cmbSt->clear();
        const bool vertical = t.vertFlag[static_cast<size_t>(romDoc.shown().curStage)]
                                        [static_cast<size_t>(romDoc.shown().curSection)]
            != 0;
        for (const std::string &item : special::typeList(vertical, host.hBar().enabled))
            cmbSt->addItem(QString::fromStdString(item));
        cmbSt->setCurrentIndex(-1); // no object is selected yet
        cmbSt->Tag.clear();
    });
    processSt();
}

void MiscPanel::leave()
{
    // The note lies over "Reverse Sprite": it is shown in the Miscellaneous mode only.
    noteSt->clear();
    noteSt->setVisible(false);
    for (QLabel *l : lblSt)
        l->setVisible(false);
    for (ctl::ScrollBar *b : scrSt)
        b->setVisible(false);
    cmbSt->setVisible(false);
    chkBlock->setVisible(false);
}

QScrollBar *MiscPanel::stepBar() const
{
    return scrSt[2]->isEnabled() ? scrSt[2] : nullptr;
}

void MiscPanel::cellHover(int index, double x, double y)
{
    const ModeHost::ReadOuts out = host.readOuts();
    out.offset->clear();
    out.val->clear();
    // The coordinate along the scrolling runs across the screen boundary, as the game's does.
    const auto wrap = [](long long v) { return viewtext::hex2(v >= 256 ? v - 256 : v); };
    if (t.vertFlag[static_cast<size_t>(romDoc.shown().curStage)]
                  [static_cast<size_t>(romDoc.shown().curSection)]
        == -1) {
        const QString xs = viewtext::hex2(num::roundEven(32 * (index % 8) + x / 30));
        out.pat1->setText(xs == "100" ? "00" : xs);
        out.pat2->setText(
            wrap(num::roundEven(32 * (index / 8) + y / 30 + 32 * (host.vBar().value % 8))));
    } else {
        out.pat1->setText(
            wrap(num::roundEven(32 * (index % 8) + x / 30 + 32 * (host.hBar().value % 8))));
        out.pat2->setText(viewtext::hex2(num::roundEven(32 * (index / 8) + y / 30)));
    }
    out.patterns->setText("[x, y]");
}
