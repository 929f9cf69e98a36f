#include "gfx/frmPatterns.h"

#include "model/gfx/PatternBanks.h"
#include "rom/Numbers.h"
#include "ui/Controls.h"
#include "ui/EditGuard.h"
#include "ui/Look.h"
#include "ui/MainLink.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include <tuple>

namespace {

const char *const slotNames[3] = { "BG 1", "BG 2", "Sprites 4" };

} // namespace

frmPatterns::frmPatterns(
    RomDocument &romDoc, const ProgramFiles &files, MainLink &main, QWidget *parent)
    : QDialog(parent), romDoc(romDoc), files(files), m_main(main)
{
    setObjectName("frmPatterns");
    setWindowTitle("Pattern Tables");
    buildControls();
    connectControls();
    look::dialogFrame(this, 5400, 4560);
    editguard::install(
        this, [this] { return m_loaded && (bgBanks != m_readBg || sprBanks != m_readSpr); },
        [this] { cmdOK_Click(); });
}

void frmPatterns::buildSlot(QWidget *parent, int i, int top)
{
    const auto k = static_cast<size_t>(i);
    txtA[k] = ctl::readOut(parent, QString("txtA(%1)").arg(i), QString(), 120, top, 1200);
    sc[k] = new ctl::ScrollBar(Qt::Horizontal, parent, QString("sc(%1)").arg(i));
    look::place(sc[k], 1380, top, 2400, 285);
    txt[k] = ctl::readOut(parent, QString("txt(%1)").arg(i), QString(), 3900, top, 480);
}

void frmPatterns::buildControls()
{
    Frame1 = new QGroupBox("Edit", this);
    Frame1->setObjectName("Frame1");
    look::place(Frame1, 120, 60, 2400, 600);
    optB = new QRadioButton("bg", Frame1);
    optB->setObjectName("optB");
    look::place(optB, 240, 270, 900, 255);
    optE = new QRadioButton("sprites", Frame1);
    optE->setObjectName("optE");
    look::place(optE, 1200, 270, 1100, 255);
    chk = new QCheckBox("8-Interleave", this);
    chk->setObjectName("chk");
    look::place(chk, 2760, 120, 1500, 255);
    chk2 = new QCheckBox("4-Interleave", this);
    chk2->setObjectName("chk2");
    look::place(chk2, 2760, 420, 1500, 255);
    for (int i = 0; i < 2; ++i) {
        buildSlot(this, i, 780 + 1380 * i);
        img[static_cast<size_t>(i)] = new ctl::ImageBox(this, "img", i);
        look::place(img[static_cast<size_t>(i)], 120, 1110 + 1380 * i, 3840, 960);
    }
    lb = new QLabel("* Not valid, game will not load.", this);
    lb->setObjectName("lb");
    look::place(lb, 120, 3540, 3600, 255);
    frmSq = new QGroupBox("Alternate / Second Quest", this);
    frmSq->setObjectName("frmSq");
    look::place(frmSq, 60, 3810, 4560, 660);
    buildSlot(frmSq, 2, 300);
    cmdOK = new QPushButton("Save", this);
    cmdOK->setObjectName("cmdOK");
    look::place(cmdOK, 4260, 1110, 1020, 375);
    cmdCancel = new QPushButton("Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    look::place(cmdCancel, 4260, 1590, 1020, 375);
}

void frmPatterns::connectControls()
{
    connect(optB, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optB_Click();
    });
    connect(optE, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optE_Click();
    });
    for (int i = 0; i < 3; ++i)
        connect(sc[static_cast<size_t>(i)], &QScrollBar::valueChanged, this,
            [this, i] { sc_Change(i); });
    connect(chk, &QCheckBox::toggled, this, [this] { chk_Click(); });
    connect(chk2, &QCheckBox::toggled, this, [this] { chk2_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmPatterns::run()
{
    m_dlgCancel = false; // an opening that fails before its load sets it counts as saved
    Form_Load();
    msg::execUnlessReload(*this, romDoc);
}

// Every opening starts from the window's design state; only the layout choice is kept.
void frmPatterns::resetControls()
{
    const QSignalBlocker b1(optB), b2(optE), b3(chk), b4(chk2), b5(sc[2]);
    optB->setChecked(true);
    chk->setChecked(false);
    chk2->setChecked(false);
    chkTag.clear();
    chk2Tag.clear();
    for (int i = 0; i < 3; ++i)
        txtA[static_cast<size_t>(i)]->setText(slotNames[i]);
    sc[2]->setValue(0);
    for (QWidget *w : { static_cast<QWidget *>(sc[2]), static_cast<QWidget *>(txt[2]),
             static_cast<QWidget *>(txtA[2]) })
        w->setEnabled(false);
    lb->setVisible(true);
}

void frmPatterns::Form_Load()
{
    resetControls();
    msg::step(romDoc, 703, [&] {
        txt[2]->clear();
        if (m_main.spriteBanksAsked())
            optE->setChecked(true);
        if (interleave == 2 || interleave == 1) {
            QString &tag = interleave == 2 ? chkTag : chk2Tag;
            tag = "NOR";
            (interleave == 2 ? chk2 : chk)->setChecked(true);
            tag.clear();
        }
        m_dlgCancel = true;
        patColors = { 0x000000, 0xA04020, 0xD0A050, 0xF0F080 };
    });
    // The banks come from the document's tables; the section's bytes must be in the ROM file too,
    // or Save would have nowhere true to write them. One box, and Save stays disabled.
    m_loaded = msg::step(romDoc, 703, [&] {
        const auto s = static_cast<size_t>(romDoc.shown().curStage);
        const auto n = static_cast<size_t>(romDoc.shown().curSection);
        const RomImage rom = romDoc.reread();
        rom.bytes(romDoc.tables().patBGPos.at(s).at(n), romDoc.romVer() == "1" ? 2 : 3);
        rom.bytes(romDoc.tables().patSprPos.at(s).at(n), 2);
    });
    cmdOK->setEnabled(m_loaded);
    cmdOK->setToolTip(m_loaded ? QString() : "The ROM could not be read when the window opened.");
    msg::step(romDoc, 703, [&] {
        const auto s = static_cast<size_t>(romDoc.shown().curStage);
        const auto n = static_cast<size_t>(romDoc.shown().curSection);
        for (int i = 0; i < 3; ++i) {
            const auto k = static_cast<size_t>(i);
            if (i < 2) {
                bgBanks[k] = romDoc.tables().patBG.at(s).at(n)[k + 1];
                sprBanks[k] = romDoc.tables().patSpr.at(s).at(n)[k + 2];
            } else {
                sprBanks[2] = romDoc.tables().patSpr4.at(s).at(n);
            }
            sc[k]->Tag = "NOR";
            sc[k]->setMaximum(romDoc.tables().maxChrBank);
            if (optE->isChecked() || i < 2)
                loadBar(i, optE->isChecked() ? sprBanks[k] : bgBanks[k]);
            sc[k]->Tag.clear();
            showSlot(i, optE->isChecked() || i < 2 ? slotBank(i) : sc[k]->value());
        }
        m_readBg = bgBanks;
        m_readSpr = sprBanks;
    });
}

// The bank the slot edits in the group shown.
int frmPatterns::slotBank(int i) const
{
    const auto k = static_cast<size_t>(i);
    if (optE->isChecked())
        return sprBanks.at(k);
    return i < 2 ? bgBanks[k] : sc[k]->value();
}

// A bank above the bar's range stays the slot's bank until the user moves the bar.
void frmPatterns::loadBar(int i, uint8_t bank)
{
    sc[static_cast<size_t>(i)]->setValue(bank);
}

void frmPatterns::optB_Click()
{
    msg::step(romDoc, 704, [&] {
        lb->setVisible(true);
        txtA[0]->setText(slotNames[0]);
        txtA[1]->setText(slotNames[1]);
        for (QWidget *w : { static_cast<QWidget *>(sc[2]), static_cast<QWidget *>(txt[2]),
                 static_cast<QWidget *>(txtA[2]) })
            w->setEnabled(false);
        for (int i = 0; i < 2; ++i) {
            const auto k = static_cast<size_t>(i);
            sc[k]->Tag = "NOR";
            loadBar(i, bgBanks[k]);
            sc[k]->Tag.clear();
            showSlot(i, bgBanks[k]);
        }
    });
}

void frmPatterns::optE_Click()
{
    msg::step(romDoc, 705, [&] {
        lb->setVisible(false);
        txtA[0]->setText("Sprites 2");
        txtA[1]->setText("Sprites 3");
        if (romDoc.romVer() == "0")
            for (QWidget *w : { static_cast<QWidget *>(sc[2]), static_cast<QWidget *>(txt[2]),
                     static_cast<QWidget *>(txtA[2]) })
                w->setEnabled(true);
        if (m_main.takeSpriteBanksAsked())
            return;
        for (int i = 0; i < 3; ++i) {
            const auto k = static_cast<size_t>(i);
            sc[k]->Tag = "NOR";
            loadBar(i, sprBanks[k]);
            sc[k]->Tag.clear();
            showSlot(i, sprBanks[k]);
        }
    });
}

void frmPatterns::sc_Change(int index)
{
    const auto k = static_cast<size_t>(index);
    if (sc.at(k)->Tag == "NOR")
        return;
    msg::step(romDoc, 706, [&] {
        const int v = sc[k]->value();
        if (optE->isChecked())
            sprBanks[k] = num::toByte(v);
        else if (index < 2)
            bgBanks[k] = num::toByte(v);
        showSlot(index, v);
    });
}

void frmPatterns::showSlot(int i, int bank)
{
    msg::step(romDoc, 706, [&] {
        txt.at(static_cast<size_t>(i))->setText(viewtext::hex2(bank));
        if (i != 2)
            drawPatterns(i, bank);
        if (optB->isChecked() && i < 2)
            markSlot(i, bank);
    });
}

void frmPatterns::markSlot(int i, int bank)
{
    if (romDoc.romVer() != "0" && romDoc.romVer() != "1")
        return;
    QLineEdit *name = txtA[static_cast<size_t>(i)];
    const bool valid = patbank::validBg(romDoc.release(), bank);
    if (!valid && !name->text().startsWith('*'))
        name->setText("* " + name->text());
    else if (valid && name->text().startsWith('*'))
        name->setText(name->text().mid(2));
}

void frmPatterns::drawPatterns(int index, int patNo)
{
    msg::step(romDoc, 707, [&] {
        const patbank::Preview px = patbank::preview(
            romDoc.tables().chrData.at(static_cast<size_t>(patNo & 0xFF)), interleave);
        QImage pic(128, 32, QImage::Format_RGB32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 128; ++x)
                pic.setPixel(x, y, 0xFF000000u | patColors[px[static_cast<size_t>(y * 128 + x)]]);
        img.at(static_cast<size_t>(index))->setPicture(QPixmap::fromImage(pic));
    });
}

void frmPatterns::layoutClick(
    const QString &selfTag, QCheckBox *self, QString &otherTag, QCheckBox *other, int layout)
{
    if (selfTag == "NOR")
        return;
    otherTag = "NOR";
    if (self->isChecked()) {
        other->setChecked(false);
        interleave = layout;
    } else if (!other->isChecked()) {
        interleave = 0;
    }
    otherTag.clear();
    drawPatterns(0, slotBank(0));
    drawPatterns(1, slotBank(1));
}

void frmPatterns::chk_Click()
{
    msg::step(romDoc, 700, [&] { layoutClick(chkTag, chk, chk2Tag, chk2, 1); });
}

void frmPatterns::chk2_Click()
{
    msg::step(romDoc, 701, [&] { layoutClick(chk2Tag, chk2, chkTag, chk, 2); });
}

// The banks as the window holds them now and as it read them, with where their bytes lie. The
// copy is only where the loader recorded stage 1's list; `copyRefused` says that the section
// has a copy whose place lies outside it.
std::pair<patbank::SectionBanks, patbank::SectionBanks> frmPatterns::banksToSave(
    bool &copyRefused) const
{
    const auto s = static_cast<size_t>(romDoc.shown().curStage);
    const auto n = static_cast<size_t>(romDoc.shown().curSection);
    patbank::SectionBanks now;
    now.bgPos = romDoc.tables().patBGPos.at(s).at(n);
    now.sprPos = romDoc.tables().patSprPos.at(s).at(n);
    const int32_t copy
        = patbank::copyCandidate(romDoc.shown().curStage, romDoc.shown().curSection, now.sprPos);
    const bool allowed
        = patbank::copyAllowed(romDoc.tables(), m_main.tables(), romDoc.release(), copy);
    copyRefused = copy > 0 && !allowed;
    now.copyPos = allowed ? copy : 0;
    patbank::SectionBanks read = now;
    now.bg = bgBanks;
    now.spr = sprBanks;
    read.bg = m_readBg;
    read.spr = m_readSpr;
    return { now, read };
}

// The section's bank bytes the user changed, in one write; a changed sprite bank of stage 1's
// first sections also goes, both bytes, to its second copy where the game keeps it. Only a
// write that succeeded counts: then the tables take the banks and the caller redraws; after a
// failure the window stays open.
void frmPatterns::cmdOK_Click()
{
    if (!m_loaded)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int r = romDoc.release();
    patbank::SectionBanks now, read;
    bool copyRefused = false;
    const bool saved = msg::step(romDoc, 702, [&] {
        std::tie(now, read) = banksToSave(copyRefused);
        const std::vector<Patch> patches = patbank::changedPatches(now, read, r);
        const bool copyWritten = patbank::spritesChanged(now, read);
        romDoc.savePatterns(patches, bgBanks, sprBanks, copyWritten ? now.copyPos : 0);
    });
    if (!saved) {
        QApplication::restoreOverrideCursor();
        return;
    }
    m_dlgCancel = false;
    if (copyRefused && patbank::spritesChanged(now, read)) {
        QApplication::restoreOverrideCursor();
        msg::box("The sprite banks were saved for this section only.\rStage 1 keeps a second "
                 "copy of them for the room's return, but in this ROM its place lies outside the "
                 "stage's sprite bank list, so no copy was written.",
            msg::Information, "Pattern Tables");
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    accept();
}

void frmPatterns::cmdCancel_Click()
{
    reject();
}
