#include "tables/frmHits.h"

#include "model/tables/Damage.h"
#include "resources/FolderPictures.h"
#include "rom/VbError.h"
#include "tables/Spinner.h"
#include "tables/TableUi.h"
#include "ui/Controls.h"
#include "ui/EditGuard.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

enum Sub { subRedraw = 500, subLoad = 501, subSave = 502, subDefault = 503 };

QPixmap segmentPicture(const std::string &path)
{
    const QPixmap pm = res::folderPicture(path);
    // Segments stand 8 pixels apart: each shows the 8 columns from its rectangle's left edge
    // (columns 2-9 of the 10), so no segment covers the right edge of the one before it.
    return pm.copy(2, 0, 8, pm.height());
}

QLabel *note(QWidget *parent, const char *name, const char *text, QRect at, const char *colour)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setGeometry(at);
    // The footnotes are small print: the pixel layout leaves them two short lines.
    QFont f = l->font();
    f.setPixelSize(9);
    l->setFont(f);
    l->setStyleSheet(QString("color: %1;").arg(colour));
    return l;
}

} // namespace

DamageWindow::DamageWindow(
    RomBytes &romDoc, const ProgramFiles &files, int release, QWidget *mainWindow, QWidget *parent)
    : QDialog(parent), romDoc(romDoc), files(files), r(release), m_main(mainWindow)
{
    setWindowFlags(
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(r == 1 ? QSize(325, 451) : QSize(327, 384));
    buildControls();
    editguard::install(
        this, [this] { return m_loaded && !damage::patches(bytes(), m_read, r).empty(); },
        [this] { cmdOK_Click(); });
    Form_Load();
}

void DamageWindow::buildControls()
{
    const int rowsPerFrame = r == 1 ? 5 : 4;
    const int top1 = r == 1 ? 16 : 8, top2 = r == 1 ? 200 : 160, high = r == 1 ? 169 : 137;
    const std::string &caption1 = damage::rows(r).front().group;
    const std::string &caption2 = damage::rows(r).back().group;
    Frame1 = new QGroupBox(QString::fromStdString(caption1), this);
    Frame1->setObjectName("Frame1");
    Frame1->setGeometry(16, top1, 297, high);
    Frame1->setStyleSheet("QGroupBox { color: rgb(255, 128, 128); }");
    Frame2 = new QGroupBox(QString::fromStdString(caption2), this);
    Frame2->setObjectName("Frame2");
    Frame2->setGeometry(16, top2, 297, high);
    Frame2->setStyleSheet("QGroupBox { color: rgb(208, 208, 255); }");
    const size_t n = damage::rows(r).size();
    hs1.resize(n);
    ls.resize(n);
    odd.resize(n);
    bar.resize(16 * n);
    m_read.assign(n, 0);
    m_edited.assign(n, false);
    buildRows(Frame1, 0, rowsPerFrame, top1);
    buildRows(Frame2, rowsPerFrame, rowsPerFrame, top2);
    buildButtons();
}

void DamageWindow::buildRows(QGroupBox *frame, int first, int count, int frameTop)
{
    // Every segment shows the empty picture until the rows are read.
    QPixmap empty;
    msg::step(romDoc, sub(subLoad), [&] { empty = segmentPicture(files.datPath + "m0.dat"); });
    for (int k = 0; k < count; ++k) {
        const int i = first + k;
        const size_t n = static_cast<size_t>(i);
        const int y = 16 + 32 * k;
        ls[n] = new QLabel(QString::fromStdString(damage::rows(r)[n].label), frame);
        ls[n]->setObjectName(QString("ls(%1)").arg(i));
        // Room up to the spinner, as this face is wider than the layout's own.
        ls[n]->setGeometry(8, y, 104, 17);
        QFont f = ls[n]->font();
        f.setPixelSize(10);
        ls[n]->setFont(f);
        for (int j = 0; j < 16; ++j) {
            auto *seg = new ctl::ImageBox(frame, "bar", 16 * i + j);
            seg->setGeometry(144 + 8 * j + 2, y, 8, 19);
            seg->setPicture(empty);
            bar[n * 16 + static_cast<size_t>(j)] = seg;
        }
        odd[n] = new QLabel(frame);
        odd[n]->setObjectName(QString("odd(%1)").arg(i));
        odd[n]->setGeometry(144, y, 8 * 15 + 10, 19);
        odd[n]->setFont(f);
        odd[n]->hide();
        hs1[n] = new Spinner(Qt::Horizontal, 1, 16, this, QString("hs1(%1)").arg(i));
        hs1[n]->setGeometry(128, frameTop + y, 25, 17);
        connect(hs1[n], &Spinner::spinChanged, this, [this, i] { hs1_Change(i); });
        // Any arrow the user presses makes the row theirs, even one that leaves the value.
        connect(hs1[n], &QScrollBar::actionTriggered, this, [this, n] { userChanged(n); });
    }
}

void DamageWindow::buildButtons()
{
    auto make = [this](const char *name, const char *text, QRect at) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setGeometry(at);
        return b;
    };
    if (r == 1) {
        cmdOK = make("cmdOK", "Save", QRect(168, 384, 145, 25));
        cmdCancel = make("cmdCancel", "Cancel", QRect(168, 416, 145, 25));
        cmdDefault = make("cmdDefault", "Default Settings", QRect(16, 416, 129, 25));
        notes.push_back(note(this, "lspike", "* Includes regular spikes and crushers.",
            QRect(24, 384, 121, 32), "rgb(144, 144, 255)"));
    } else {
        cmdOK = make("cmdOK", "Save", QRect(192, 312, 121, 25));
        // "Default Settings" wider than drawn, so its caption fits; the footnotes end where
        // the buttons and the next footnote begin.
        cmdDefault = make("cmdDefault", "Default Settings", QRect(160, 344, 97, 25));
        cmdCancel = make("cmdCancel", "Cancel", QRect(261, 344, 52, 25));
        notes.push_back(note(this, "lacid",
            "* Also applies to all falling blocks, acid drops and trap door spikes.",
            QRect(24, 312, 168, 32), "rgb(176, 176, 255)"));
        notes.push_back(note(this, "l2q", "** Also includes the entire Second Quest.",
            QRect(24, 344, 136, 25), "rgb(144, 144, 255)"));
    }
    // Cancel comes first in the tab order and has the focus when the window opens.
    setTabOrder(cmdCancel, cmdOK);
    setTabOrder(cmdOK, cmdDefault);
    cmdCancel->setFocus();
    connect(cmdOK, &QPushButton::clicked, this, &DamageWindow::cmdOK_Click);
    connect(cmdDefault, &QPushButton::clicked, this, &DamageWindow::cmdDefault_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &DamageWindow::cmdCancel_Click);
}

void DamageWindow::Form_Load()
{
    for (ctl::ImageBox *seg : bar)
        seg->Tag = "0";
    std::fill(m_edited.begin(), m_edited.end(), false);
    // One box when the ROM cannot be read, and Save then writes nothing.
    m_loaded = msg::step(romDoc, sub(subLoad), [&] {
        const RomImage rom = romDoc.reread();
        for (size_t i = 0; i < hs1.size(); ++i)
            m_read[i] = rom.byte(damage::rows(r)[i].pos);
    });
    std::vector<QWidget *> editors(hs1.begin(), hs1.end());
    editors.push_back(cmdDefault);
    tableui::editableIfRead(m_loaded, cmdOK, editors);
    // Without the bytes the bars keep the empty segments they were built with.
    for (size_t i = 0; m_loaded && i < hs1.size(); ++i) {
        scratch = m_read[i];
        const int v = damage::valueOf(scratch);
        if (hs1[i]->spin() == v)
            hs1_Change(static_cast<int>(i));
        else
            hs1[i]->setSpin(v);
        showOdd(i);
    }
    tableui::normalPointer();
}

// A byte above 15 is shown as it is, over the bar graph, until the user changes the row.
void DamageWindow::showOdd(size_t row)
{
    const bool kept = m_loaded && !m_edited[row] && !damage::shows(m_read[row]);
    odd[row]->setText(kept ? "byte " + viewtext::hex2(m_read[row]) + ", kept as is" : QString());
    odd[row]->setVisible(kept);
    for (size_t j = 0; j < 16; ++j)
        bar[16 * row + j]->setVisible(!kept);
}

void DamageWindow::userChanged(size_t row)
{
    m_edited[row] = true;
    showOdd(row);
}

// The byte each row holds now: the spinner's for a row the user changed, the byte read for
// the others.
std::vector<uint8_t> DamageWindow::bytes() const
{
    std::vector<uint8_t> out;
    for (size_t i = 0; i < hs1.size(); ++i)
        out.push_back(m_edited[i] ? damage::byteOf(hs1[i]->spin()) : m_read[i]);
    return out;
}

void DamageWindow::showSegment(ctl::ImageBox *seg, bool full)
{
    const QString want = full ? "1" : "0";
    if (seg->Tag != want) {
        // A picture that cannot be loaded keeps the old one; the Tag moves on all the same, so
        // the same state is not tried again.
        msg::step(romDoc, sub(subRedraw),
            [&] { seg->setPicture(segmentPicture(files.datPath + (full ? "m1.dat" : "m0.dat"))); });
    }
    seg->Tag = want;
}

void DamageWindow::hs1_Change(int index)
{
    const size_t n = static_cast<size_t>(index);
    const int v = hs1[n]->spin();
    for (int j = 0; j < 16; ++j)
        showSegment(bar[16 * n + static_cast<size_t>(j)], damage::segmentFull(v, j));
}

void DamageWindow::cmdOK_Click()
{
    if (!m_loaded)
        return;
    const std::vector<uint8_t> now = bytes();
    const std::vector<Patch> patches = damage::patches(now, m_read, r);
    // A failed write is reported and keeps the window open, so nothing counts as saved.
    if (!patches.empty() && !msg::step(romDoc, sub(subSave), [&] { romDoc.write(patches); }))
        return;
    QString caption = "Vorlig";
    if (damage::allCheap(now)) {
        if (msg::box("That was very cheap of you.", msg::InformationYesNo, "Information")
            != msg::Yes) {
            msg::box("Yes it was.", msg::Information, "Information");
            caption = "Vorlig (cheap version)";
        }
    }
    if (m_main)
        m_main->setWindowTitle(caption);
    accept();
}

// The defaults are the user's choice for every row.
void DamageWindow::cmdDefault_Click()
{
    msg::step(romDoc, sub(subDefault), [&] {
        for (size_t i = 0; i < hs1.size(); ++i) {
            m_edited[i] = true;
            hs1[i]->setSpin(damage::defaultValue(damage::rows(r)[i]));
            showOdd(i);
        }
    });
}

void DamageWindow::cmdCancel_Click()
{
    reject();
}

frmHits::frmHits(RomBytes &romDoc, const ProgramFiles &files, QWidget *mainWindow, QWidget *parent)
    : DamageWindow(romDoc, files, 0, mainWindow, parent)
{
    setObjectName("frmHits");
    setWindowTitle("Curse Severity - US version");
}

frmHits2::frmHits2(
    RomBytes &romDoc, const ProgramFiles &files, QWidget *mainWindow, QWidget *parent)
    : DamageWindow(romDoc, files, 1, mainWindow, parent)
{
    setObjectName("frmHits2");
    setWindowTitle("Curse Severity - Japanese Version");
}
