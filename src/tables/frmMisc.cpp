#include "tables/frmMisc.h"

#include "model/tables/GameOptions.h"
#include "rom/RomFile.h"
#include "tables/Spinner.h"
#include "tables/TableUi.h"
#include "ui/EditGuard.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <exception>
#include <tuple>

namespace {

// Runs one step under the window's own error numbers ("M00", "M01").
template <typename F> bool stepM(ReloadRequest &doc, const char *number, F &&f)
{
    return msg::guarded(doc, std::forward<F>(f),
        [&](const std::string &description) { tableui::errBox(number, description); });
}

QLineEdit *readOut(QWidget *parent, const char *name, int top)
{
    auto *t = new QLineEdit(parent);
    t->setObjectName(name);
    t->setReadOnly(true);
    t->setAlignment(Qt::AlignRight);
    look::place(t, 1080, top, 435, 285);
    return t;
}

} // namespace

frmMisc::frmMisc(RomBytes &romDoc, const ProgramFiles &files, QWidget *parent)
    : QDialog(parent), romDoc(romDoc), files(files)
{
    setObjectName("frmMisc");
    setWindowTitle("Game options");
    look::dialogFrame(this, 3120, 1920);
    buildControls();
    editguard::install(
        this, [this] { return !changes().empty(); }, [this] { cmdOK_Click(); });
    Form_Load();
}

void frmMisc::buildControls()
{
    // Hearts above lives, each "Start with ", the read-out, the arrows and the word.
    lab[1] = tableui::label(this, "lab(1)", "Start with ", 120, 165, 945, 225);
    txth = readOut(this, "txth", 120);
    vHeart = new Spinner(Qt::Vertical, 0, 99, this, "vHeart");
    look::place(vHeart, 1560, 90, 255, 345);
    lab[3] = tableui::label(this, "lab(3)", "hearts", 1920, 165, 900, 225);
    lab[0] = tableui::label(this, "lab(0)", "Start with ", 120, 645, 945, 225);
    txtl = readOut(this, "txtl", 600);
    vLife = new Spinner(Qt::Vertical, 0, 99, this, "vLife");
    look::place(vLife, 1560, 570, 255, 345);
    lab[2] = tableui::label(this, "lab(2)", "lives", 1920, 645, 900, 225);
    cmdOK = tableui::button(this, "cmdOK", "Save", 120, 1020, 1380, 315);
    cmdCancel = tableui::button(this, "cmdCancel", "Cancel", 1620, 1020, 1380, 315);
    cmdDefault = tableui::button(this, "cmdDefault", "Default Settings", 120, 1440, 2880, 315);
    connect(vLife, &Spinner::spinChanged, this, &frmMisc::vLife_Change);
    connect(vHeart, &Spinner::spinChanged, this, &frmMisc::vHeart_Change);
    // Any arrow the user presses makes the byte theirs, even one that leaves the value.
    connect(vLife, &QScrollBar::actionTriggered, this, [this] {
        m_lives.edited = true;
        vLife_Change();
    });
    connect(vHeart, &QScrollBar::actionTriggered, this, [this] {
        m_hearts.edited = true;
        vHeart_Change();
    });
    connect(cmdOK, &QPushButton::clicked, this, &frmMisc::cmdOK_Click);
    connect(cmdDefault, &QPushButton::clicked, this, &frmMisc::cmdDefault_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmMisc::cmdCancel_Click);
}

void frmMisc::Form_Load()
{
    const int r = romDoc.release();
    livesPos = gameopt::livesPos(r);
    heartsPos = gameopt::heartsPos(r);
    m_lives = {};
    m_hearts = {};
    // One box when the bytes cannot be read; Save then writes nothing.
    m_loaded = stepM(romDoc, "M00", [&] {
        const RomImage rom = romDoc.reread();
        m_lives.read = rom.byte(livesPos);
        m_hearts.read = rom.byte(heartsPos);
    });
    tableui::editableIfRead(m_loaded, cmdOK, { vHeart, vLife, cmdDefault });
    if (!m_loaded) {
        txth->clear(); // no count is known: none is shown
        txtl->clear();
        return;
    }
    vHeart->setSpin(gameopt::valueOf(m_hearts.read));
    vLife->setSpin(gameopt::valueOf(m_lives.read));
    // The read-outs show the values from the opening on, changed or not.
    vHeart_Change();
    vLife_Change();
}

uint8_t frmMisc::byteNow(const Held &h, const Spinner *s) const
{
    return h.edited ? gameopt::byteOf(s->spin()) : h.read;
}

QString frmMisc::shownText(const Held &h, const Spinner *s) const
{
    return QString::fromStdString(gameopt::readOut(byteNow(h, s)));
}

void frmMisc::vLife_Change()
{
    txtl->setText(shownText(m_lives, vLife));
}

void frmMisc::vHeart_Change()
{
    txth->setText(shownText(m_hearts, vHeart));
}

void frmMisc::cmdDefault_Click()
{
    m_lives.edited = m_hearts.edited = true;
    vLife->setSpin(2);
    vHeart->setSpin(5);
    vLife_Change();
    vHeart_Change();
}

std::vector<Patch> frmMisc::changes() const
{
    std::vector<Patch> patches;
    if (!m_loaded)
        return patches;
    for (auto [pos, h, s] :
        { std::tuple { livesPos, m_lives, vLife }, std::tuple { heartsPos, m_hearts, vHeart } })
        if (byteNow(h, s) != h.read)
            patches.push_back({ pos, { byteNow(h, s) } });
    return patches;
}

void frmMisc::cmdOK_Click()
{
    if (!m_loaded)
        return;
    const std::vector<Patch> patches = changes();
    // A failed write is reported and keeps the window open with the values.
    if (patches.empty() || stepM(romDoc, "M01", [&] { romDoc.write(patches); }))
        accept();
}

void frmMisc::cmdCancel_Click()
{
    reject();
}
