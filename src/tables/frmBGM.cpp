#include "tables/frmBGM.h"

#include "tables/TableUi.h"
#include "ui/EditGuard.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

enum Sub { subLoad = 200, subOK = 201, subDefault = 202 };

constexpr int rowTop = 120; // twips
constexpr int rowStep = 360;

} // namespace

frmBGM::frmBGM(RomBytes &romDoc, const ProgramFiles &files, QWidget *parent)
    : QDialog(parent), romDoc(romDoc), files(files)
{
    setObjectName("frmBGM");
    setWindowTitle("BGM Tracks");
    look::dialogFrame(this, 7440, rowTop + 16 * rowStep + 600);
    r = romDoc.release();
    buildControls();
    editguard::install(
        this, [this] { return m_loaded && !bgm::patches(chosen(), m_read, r).empty(); },
        [this] { cmdOK_Click(); });
    Form_Load();
}

void frmBGM::buildRow(int place, int situation, int left, int top)
{
    const size_t n = static_cast<size_t>(situation);
    lab[static_cast<size_t>(place)] = tableui::label(this, QString("lab(%1)").arg(place),
        QString::fromStdString(bgm::caption(situation)), left, top + 45, 1800, 225);
    cmb[n] = new QComboBox(this);
    cmb[n]->setObjectName(QString("cmb(%1)").arg(situation));
    look::place(cmb[n], left + 1860, top, 1680, 315);
}

void frmBGM::buildControls()
{
    int place = 0;
    for (int k = 0; k < 16; ++k)
        buildRow(place++, bgm::leftColumn()[static_cast<size_t>(k)], 120, rowTop + k * rowStep);
    for (int k = 0; k < 16; ++k)
        if (int s = bgm::rightColumn()[static_cast<size_t>(k)]; s >= 0)
            buildRow(place++, s, 3780, rowTop + k * rowStep);
    const int by = rowTop + 16 * rowStep + 120;
    cmdDefault = tableui::button(this, "cmdDefault", "Default Settings", 120, by, 2160, 375);
    cmdCancel = tableui::button(this, "cmdCancel", "Cancel", 3780, by, 1680, 375);
    cmdOK = tableui::button(this, "cmdOK", "Save", 5640, by, 1680, 375);
    connect(cmdOK, &QPushButton::clicked, this, &frmBGM::cmdOK_Click);
    connect(cmdDefault, &QPushButton::clicked, this, &frmBGM::cmdDefault_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmBGM::cmdCancel_Click);
}

void frmBGM::Form_Load()
{
    bgmPos = bgm::tablePos(r);
    for (int k = 0; k < bgm::situations; ++k)
        songPtr[static_cast<size_t>(k)] = bgm::songPtr(k, r);
    for (QComboBox *c : cmb)
        for (int n = 0; n < bgm::items; ++n)
            c->addItem(QString::fromStdString(bgm::itemText(n)), bgm::itemWord(n, r));
    // One box when the table cannot be read; Save then writes nothing.
    m_loaded = msg::step(romDoc, subLoad, [&] {
        const RomImage rom = romDoc.reread();
        for (int i = 0; i < bgm::situations; ++i)
            m_read[static_cast<size_t>(i)] = rom.word(bgmPos + 2 * i);
    });
    std::vector<QWidget *> editors(cmb.begin(), cmb.end());
    editors.push_back(cmdDefault);
    tableui::editableIfRead(m_loaded, cmdOK, editors);
    if (!m_loaded) {
        for (QComboBox *c : cmb)
            c->setCurrentIndex(-1); // no song is known: none is shown
        return;
    }
    for (size_t i = 0; i < cmb.size(); ++i) {
        const unsigned word = *m_read[i];
        int item = bgm::itemForWord(word, r);
        // A word without an item of its own gets one, showing what it is, so it is kept.
        if (item < 0) {
            cmb[i]->addItem(QString::fromStdString(bgm::wordText(word, r)), word);
            item = bgm::items;
        }
        cmb[i]->setCurrentIndex(item);
    }
}

bgm::Words frmBGM::chosen() const
{
    bgm::Words out {};
    for (size_t i = 0; i < cmb.size(); ++i)
        if (const int v = tableui::selectedValue(cmb[i]); v >= 0)
            out[i] = static_cast<unsigned>(v);
    return out;
}

void frmBGM::cmdOK_Click()
{
    if (!m_loaded)
        return;
    const std::vector<Patch> patches = bgm::patches(chosen(), m_read, r);
    // A failed write is reported and keeps the window open with the choices.
    if (patches.empty() || msg::step(romDoc, subOK, [&] { romDoc.write(patches); }))
        accept();
}

void frmBGM::cmdDefault_Click()
{
    msg::step(romDoc, subDefault, [&] {
        for (int i = 0; i < bgm::situations; ++i) {
            QComboBox *c = cmb[static_cast<size_t>(i)];
            // A situation whose own song is listed as read takes that entry.
            const int own = c->findData(songPtr[static_cast<size_t>(i)]);
            c->setCurrentIndex(own >= 0 ? own : bgm::defaultItem(i, r));
        }
    });
}

void frmBGM::cmdCancel_Click()
{
    reject();
}
