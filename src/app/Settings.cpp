#include "app/Settings.h"

#include "app/frmBrowse.h"
#include "rom/FileIdentity.h"
#include "rom/PathKind.h"
#include "rom/Release.h"
#include "rom/RomFile.h"
#include "rom/VbError.h"
#include "stage/Document.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"
#include "ui/Paths.h"
#include "ui/Reports.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>

namespace {

constexpr int subSettings = 900; // the window's procedures report under this number

const char *const textC = "ROM not found! Enter the full pathname (e.g.: C:\\EMU\\NES\\RI3.NES).";
const char *const textE = "Backup ROM was not found. You can specify it later.";
const char *const textF = "Your backup ROM may be invalid, or not the same version as the ROM you "
                          "chose to edit.\rYou can choose another later.";
const char *const textG = "Your backup ROM must be different from your working copy!\r"
                          "Ponder this question while working on you hack...";
const char *const textH = "Your emulator was not found. You can specify it later.";
const char *const textInfo
    = "You must specify the location of the ROM. Press Cancel to exit the program.";

// Reads up to n bytes at a 1-based position. Only the bytes asked for are read, so a large file
// picked by mistake costs nothing, and a file too short for them gives fewer bytes rather than
// an error. Failing to read throws.
Bytes headBytes(const romfile::OpenFile &f, long long pos, long long n)
{
    if (f.size() < pos)
        return {};
    return f.readAt(pos, std::min(n, f.size() - pos + 1));
}

Bytes headBytes(const std::string &path, long long pos, long long n)
{
    return headBytes(romfile::OpenFile(path), pos, n);
}

// The box's text when no file stands at path, or, when something else stands there, the same
// text naming it: "Backup ROM was not found: '/x' is a folder. You can specify it later."
std::string notFound(const char *text, const std::string &path)
{
    const std::string there = romfile::otherThanFile(path);
    const std::string t = text;
    const size_t end = t.find_first_of("!.");
    if (there.empty() || end == std::string::npos)
        return t;
    return t.substr(0, end) + ": " + there + "." + t.substr(end + 1);
}

long long romSize(const std::string &path)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    return ec ? 0 : static_cast<long long>(size);
}

std::string native(const QLineEdit *box)
{
    return paths::toNative(box->text());
}

// Leading and trailing blanks only, as a path may hold other white space.
QString trimBlanks(const QString &s)
{
    qsizetype a = 0, b = s.size();
    while (a < b && s[a] == u' ')
        ++a;
    while (b > a && s[b - 1] == u' ')
        --b;
    return s.mid(a, b - a);
}

} // namespace

Settings::Settings(RomDocument &romDoc, ProgramFiles &files, QWidget *mainWindow, QWidget *parent)
    : QDialog(parent), romDoc(romDoc), files(files), m_doc(romDoc.stages()), m_main(mainWindow)
{
    setObjectName("Settings");
    setWindowTitle("Vorlig File Settings");
    buildControls();
    look::dialogFrame(this, 4095, 3240);
    Form_Load();
}

void Settings::buildControls()
{
    auto label = [this](const char *name, const char *text) {
        auto *l = new QLabel(QString::fromUtf8(text), this);
        l->setObjectName(name);
        return l;
    };
    auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(name);
        return e;
    };
    // Made first, so it leads the tab order.
    cmdSettingsOK = new QPushButton("OK", this);
    cmdSettingsOK->setObjectName("cmdSettingsOK");
    Label1 = label("Label1", "ROM Pathname");
    txtRomPath = edit("txtRomPath");
    Label3 = label("Label3", "Backup ROM Pathname (optional)");
    txtBackup = edit("txtBackup");
    Label2 = label("Label2", "Emulator Pathname (optional)");
    txtEmuPath = edit("txtEmuPath");
    for (int i = 0; i < 3; ++i) {
        cmdBrowse[i] = new QPushButton("B r o w s e", this);
        cmdBrowse[i]->setObjectName(QString("cmdBrowse(%1)").arg(i));
        connect(cmdBrowse[i], &QPushButton::clicked, this, [this, i] { cmdBrowse_Click(i); });
    }
    LaunchROM = new QCheckBox("Load ROM when launching emulator", this);
    LaunchROM->setObjectName("LaunchROM");
    LaunchROM->setChecked(true);
    cmdRell = new QPushButton("Reload", this);
    cmdRell->setObjectName("cmdRell");

    // Wider than drawn, so the captions fit in this font; one line high, so they end where
    // their boxes begin.
    look::place(Label1, 120, 240, 3855, 240);
    look::place(txtRomPath, 120, 480, 2535, 285);
    look::place(cmdBrowse[0], 2760, 480, 1215, 315);
    look::place(Label3, 120, 960, 3855, 240);
    look::place(txtBackup, 120, 1200, 2535, 285);
    look::place(cmdBrowse[2], 2760, 1200, 1215, 315);
    look::place(Label2, 120, 1680, 3855, 240);
    look::place(txtEmuPath, 120, 1920, 2535, 285);
    look::place(cmdBrowse[1], 2760, 1920, 1215, 315);
    look::place(LaunchROM, 120, 2280, 3615, 255);
    look::place(cmdRell, 120, 2760, 1215, 375);
    look::place(cmdSettingsOK, 2760, 2760, 1215, 375);

    QWidget *order[] = { cmdSettingsOK, txtRomPath, cmdBrowse[0], txtBackup, cmdBrowse[2],
        txtEmuPath, cmdBrowse[1], LaunchROM, cmdRell };
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    cmdSettingsOK->setFocus();

    connect(txtRomPath, &QLineEdit::textChanged, this, [this] { txtRomPath_Change(); });
    connect(cmdRell, &QPushButton::clicked, this, [this] { cmdRell_Click(); });
    connect(cmdSettingsOK, &QPushButton::clicked, this, [this] { cmdSettingsOK_Click(); });
}

// The file loaded, whatever path the settings file names by now (another program may have
// rewritten it since).
const std::string &Settings::editedRom() const
{
    return romDoc.file().path();
}

QLineEdit *Settings::box(int target) const
{
    switch (target) {
    case 0:
        return txtRomPath;
    case 1:
        return txtEmuPath;
    case 2:
        return txtBackup;
    default:
        return nullptr;
    }
}

void Settings::Form_Load()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    if (editedRom().empty())
        cmdRell->setEnabled(false);
    m_setChoice = 0;
    // A missing or short settings file leaves the boxes empty without a message.
    if (romfile::fileExists(files.iniPath())) {
        msg::step(romDoc, subSettings, [&] {
            IniValues v;
            ini::read(files.iniPath(), 4, v);
            txtRomPath->setText(paths::toQt(v.romPath));
            txtEmuPath->setText(paths::toQt(v.emuPath));
            txtBackup->setText(paths::toQt(v.backupPath));
            LaunchROM->setChecked(v.romLoad != 0);
        });
    }
    // The box may have stayed empty: Reload still has to follow it.
    txtRomPath_Change();
}

void Settings::txtRomPath_Change()
{
    // Two paths name the same file by what they lead to, not by their text.
    if (romfile::sameFile(native(txtRomPath), editedRom())) {
        if (!editedRom().empty())
            cmdRell->setEnabled(true);
    } else {
        cmdRell->setEnabled(false);
    }
}

void Settings::cmdBrowse_Click(int index)
{
    QLineEdit *target = box(index);
    frmBrowse dlg(romDoc, index, target ? target->text() : QString(), this);
    if (dlg.exec() == QDialog::Accepted && target)
        target->setText(dlg.chosenPath());
}

void Settings::cmdRell_Click()
{
    reloadFlag = true;
    cmdSettingsOK_Click();
    reloadFlag = false;
}

// Blanks trimmed, and a relative path made whole against the folder of the settings file, where
// the file will take it from.
void Settings::trimBoxes()
{
    for (QLineEdit *e : { txtRomPath, txtEmuPath, txtBackup }) {
        const QString t
            = paths::toQt(ini::resolve(files.iniPath(), paths::toNative(trimBlanks(e->text()))));
        if (t != e->text())
            e->setText(t);
    }
}

// A box whose path the settings file cannot hold stops the step with every box kept.
bool Settings::pathsStorable()
{
    for (QLineEdit *e : { txtRomPath, txtBackup, txtEmuPath })
        if (!paths::storable(e->text())) {
            e->setFocus();
            return false;
        }
    return true;
}

bool Settings::checkRom(QString &signature)
{
    const std::string path = native(txtRomPath);
    if (!romfile::fileExists(path)) {
        msg::box(notFound(textC, path), msg::Exclamation, "Invalid pathname");
        return false;
    }
    // Refused for what the load would refuse it for, while the window can still take another.
    try {
        const romfile::OpenFile f(path);
        romfile::checkRomSize(path, f.size());
        signature = QString::fromStdString(
            release::signatureText(headBytes(f, release::signaturePos, 16)));
    } catch (const std::exception &e) {
        msg::box(std::string(e.what()) + ".", msg::Exclamation, "Invalid ROM File");
        return false;
    }
    m_romVer = release::check(signature.toStdString(), m_romVer);
    if (m_romVer == "1" && m_main)
        m_main->setWindowTitle("Vorlig");
    if (!release::known(m_romVer)) {
        reports::notTheGame(); // the start refuses such a ROM alike
        return false;
    }
    return true;
}

void Settings::checkBackup(const QString &signature)
{
    const std::string path = native(txtBackup);
    QString backupSig;
    bool found = romfile::fileExists(path);
    if (found) {
        try {
            backupSig = QString::fromStdString(
                release::signatureText(headBytes(path, release::signaturePos, 16)));
        } catch (...) {
            found = false;
        }
    }
    if (!found)
        msg::box(notFound(textE, path), msg::Exclamation, "Invalid Pathname");
    else if (backupSig != signature
        || !release::backupProblem(path, m_romVer, romSize(native(txtRomPath))).empty())
        msg::box(textF, msg::Exclamation, "Wrong version or ROM");
    else if (romfile::sameFile(path, native(txtRomPath)))
        msg::box(textG, msg::Exclamation, "Duh!");
    else
        return;
    txtBackup->clear();
}

void Settings::checkEmulator()
{
    const std::string path = native(txtEmuPath);
    bool ok = romfile::fileExists(path);
    if (ok) {
        try {
            headBytes(path, 32, 16); // only whether it can be read counts
        } catch (...) {
            ok = false;
        }
    }
    if (!ok) {
        msg::box(notFound(textH, path), msg::Exclamation, "Invalid Pathname");
        txtEmuPath->clear();
    }
}

// Whether the caller must reload, and whether unsaved sections are saved first. False when the
// user cancelled.
bool Settings::decideChoice()
{
    const bool same = romfile::sameFile(native(txtRomPath), editedRom());
    if ((same && !reloadFlag) || editedRom().empty())
        return true;
    if (!m_doc.anyModified()) {
        m_setChoice = 1;
        return true;
    }
    const char *text = same ? "Save your progress before reloading ?"
                            : "Save your progress before loading new ROM ?";
    switch (msg::box(text, msg::QuestionYesNoCancel, "You have unsaved data")) {
    case msg::Yes:
        m_setChoice = 2;
        return true;
    case msg::No:
        m_setChoice = 1;
        return true;
    default:
        m_setChoice = 0;
        return false;
    }
}

bool Settings::writeSettings()
{
    IniValues v;
    v.romPath = native(txtRomPath);
    v.emuPath = native(txtEmuPath);
    v.romLoad = LaunchROM->isChecked() ? 1 : 0;
    v.backupPath = native(txtBackup);
    v.hMask = files.ini.hMask;
    v.vMask = files.ini.vMask;
    v.grid = files.ini.grid;
    // A settings file that could not be written must not pass for accepted: say so, reload
    // nothing and keep the window open with what was typed.
    if (msg::step(romDoc, subSettings, [&] { ini::write(files.iniPath(), v); })) {
        files.iniReport.clear(); // the file is whole again
        return true;
    }
    m_setChoice = 0;
    return false;
}

void Settings::cmdSettingsOK_Click()
{
    trimBoxes();
    m_romVer = " ";
    if (!pathsStorable())
        return;
    QString signature;
    if (!checkRom(signature))
        return;
    if (!txtBackup->text().isEmpty())
        checkBackup(signature);
    if (!txtEmuPath->text().isEmpty())
        checkEmulator();
    if (!release::known(m_romVer))
        return;
    if (!decideChoice()) {
        reject(); // the file keeps what it held when the window opened
        return;
    }
    if (writeSettings())
        accept();
}

void Settings::Form_Unload()
{
    if (romfile::fileExists(files.iniPath()))
        return;
    if (msg::box(textInfo, msg::ExclamationOkCancel, "Info needed") == msg::Cancel)
        app::endProgram();
}

// Every way out (OK, Escape, the close box) passes the close guard.
void Settings::done(int r)
{
    Form_Unload();
    QDialog::done(r);
}
