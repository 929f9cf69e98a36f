#include "app/frmBrowse.h"

#include "ui/Controls.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"
#include "ui/Paths.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>

#include <algorithm>
#include <filesystem>

#include <dirent.h>
#include <unistd.h>

namespace {

// File systems of the kernel and the system that hold no user files.
const QStringList pseudoTypes = { "proc", "sysfs", "cgroup", "cgroup2", "devpts", "devtmpfs",
    "securityfs", "debugfs", "tracefs", "pstore", "bpf", "mqueue", "hugetlbfs", "configfs",
    "fusectl", "autofs", "binfmt_misc", "efivarfs", "rpc_pipefs", "nsfs", "selinuxfs", "ramfs",
    "squashfs", "fuse.portal" };
const QStringList systemDirs = { "/proc", "/sys", "/dev", "/run", "/snap", "/boot/efi" };

bool under(const QString &path, const QString &dir)
{
    return path == dir || path.startsWith(dir.endsWith('/') ? dir : dir + '/');
}

// /proc/mounts writes blanks and other special characters as \ooo.
QString unescapeMount(const QString &s)
{
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        bool octal = s[i] == u'\\';
        for (qsizetype k = 1; octal && k <= 3; ++k)
            octal = i + k < s.size() && s[i + k] >= u'0' && s[i + k] <= u'7';
        if (octal) {
            out += QChar(s.mid(i + 1, 3).toInt(nullptr, 8));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

// Whether a folder can be listed; a permission check alone would be fooled by root and ACLs.
bool canList(const QString &path)
{
    DIR *d = ::opendir(paths::toNative(path).c_str());
    if (!d)
        return false;
    ::closedir(d);
    return true;
}

QString joined(const QString &dir, const QString &name)
{
    return dir.endsWith('/') ? dir + name : dir + '/' + name;
}

constexpr int pathRole = Qt::UserRole;

// The names in a folder: its folders, hidden ones too, or its files but the hidden ones, in
// alphabetical order whatever the case. Read by the system's bytes, so that a name the file-name
// encoding cannot decode is listed too.
QStringList names(const QString &dir, bool folders)
{
    namespace fs = std::filesystem;
    QStringList out;
    std::error_code ec;
    fs::directory_iterator it(paths::toNative(dir), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code kindEc;
        const bool wanted
            = folders ? it->is_directory(kindEc) : it->is_regular_file(kindEc) && name[0] != '.';
        if (wanted)
            out << paths::toQt(name);
    }
    std::sort(out.begin(), out.end(),
        [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return out;
}

} // namespace

frmBrowse::frmBrowse(
    ReloadRequest &reload, int browseTarget, const QString &boxText, QWidget *parent)
    : QDialog(parent), reload(reload), browseTarget(browseTarget), m_boxText(boxText)
{
    setObjectName("frmBrowse");
    setWindowTitle("Browse");
    buildControls();
    look::dialogFrame(this, 6495, 4035);
    // The default folder: the user's home, or the root when even that cannot be listed.
    if (!setDirPath(QDir::homePath()))
        setDirPath("/");
    selectVolume(m_dir);
    Form_Load();
}

void frmBrowse::buildControls()
{
    // Its list opens wide enough for the longest mount point.
    Drive1 = new ctl::ComboBox(this, "Drive1");
    QFile mounts("/proc/mounts");
    QString text;
    if (mounts.open(QIODevice::ReadOnly))
        text = QString::fromLocal8Bit(mounts.readAll());
    Drive1->addItems(volumesFrom(text));
    Dir1 = new QListWidget(this);
    Dir1->setObjectName("Dir1");
    File1 = new QListWidget(this);
    File1->setObjectName("File1");
    Combo1 = new QComboBox(this);
    Combo1->setObjectName("Combo1");
    Combo1->addItems({ "Rom Images (*.NES)", "All files (*.*)" });

    look::place(Drive1, 120, 120, 2535, 315);
    look::place(Dir1, 120, 480, 2535, 3465);
    look::place(File1, 2760, 120, 3615, 3405);
    look::place(Combo1, 2760, 3630, 3615, 315);

    connect(Drive1, &QComboBox::currentIndexChanged, this, [this] { Drive1_Change(); });
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    connect(Dir1, &QListWidget::itemDoubleClicked, this,
        [this](QListWidgetItem *item) { setDirPath(item->data(pathRole).toString()); });
    connect(File1, &QListWidget::itemDoubleClicked, this, [this] { File1_DblClick(); });
}

QStringList frmBrowse::volumesFrom(const QString &mountsText)
{
    QStringList rest;
    for (const QString &line : mountsText.split('\n')) {
        const QStringList f = line.split(' ', Qt::SkipEmptyParts);
        if (f.size() < 3 || pseudoTypes.contains(f[2]))
            continue;
        const QString point = unescapeMount(f[1]);
        if (point == "/" || !point.startsWith('/') || rest.contains(point))
            continue;
        bool system = false;
        for (const QString &d : systemDirs)
            system = system || under(point, d);
        // Containers mount single files (/etc/hosts and the like) as well.
        if (system || QFileInfo(point).isFile())
            continue;
        rest << point;
    }
    rest.sort();
    return QStringList { "/" } + rest;
}

QString frmBrowse::volumeOf(const QStringList &volumes, const QString &folder)
{
    QString best;
    for (const QString &v : volumes)
        if (under(folder, v) && v.size() > best.size())
            best = v;
    return best.isEmpty() ? QString("/") : best;
}

bool frmBrowse::matches(const QString &pattern, const QString &path)
{
    if (pattern == "*.NES")
        return path.endsWith(".nes", Qt::CaseInsensitive);
    if (pattern == "*.EXE") {
        const std::string native = paths::toNative(path);
        std::error_code ec;
        return std::filesystem::is_regular_file(native, ec) && ::access(native.c_str(), X_OK) == 0;
    }
    return true;
}

void frmBrowse::Form_Load()
{
    Combo1->setCurrentIndex(0);
    Combo1_Click();
    if (browseTarget == 0 || browseTarget == 2)
        Combo1->setItemText(0, "Rom Images (*.NES)");
    else if (browseTarget == 1)
        Combo1->setItemText(0, "Applications (*.EXE)");
    // From here on nothing is reported: a box that names no usable folder leaves the lists at
    // their default folder.
    const QString folder = startFolder();
    if (!folder.isEmpty() && canList(folder)) {
        selectVolume(folder);
        setDirPath(folder);
    }
}

// The folder of the target box's path: its text up to the last "/".
QString frmBrowse::startFolder() const
{
    const qsizetype slash = m_boxText.lastIndexOf('/');
    if (slash < 0)
        return {};
    return QDir::cleanPath(QFileInfo(m_boxText.left(slash + 1)).absoluteFilePath());
}

// Shows the volume of a folder in the drive list without moving the folder list.
void frmBrowse::selectVolume(const QString &folder)
{
    QStringList volumes;
    for (int i = 0; i < Drive1->count(); ++i)
        volumes << Drive1->itemText(i);
    const int index = static_cast<int>(volumes.indexOf(volumeOf(volumes, folder)));
    const bool was = Drive1->blockSignals(true);
    Drive1->setCurrentIndex(index);
    Drive1->blockSignals(was);
}

void frmBrowse::Combo1_Click()
{
    msg::step(reload, 902, [&] {
        if (Combo1->currentIndex() == 0) {
            if (browseTarget == 0 || browseTarget == 2)
                m_pattern = "*.NES";
            else if (browseTarget == 1)
                m_pattern = "*.EXE";
        } else if (Combo1->currentIndex() == 1) {
            m_pattern = "*.*";
        }
        fillFiles();
    });
}

void frmBrowse::Combo1_Change()
{
    Combo1_Click();
}

void frmBrowse::Drive1_Change()
{
    msg::step(reload, 905, [&] {
        const QString root = Drive1->currentText();
        if (canList(root)) {
            setDirPath(root);
            return;
        }
        msg::box("The drive is not ready.", msg::Critical, "I am Error");
        selectVolume(m_dir); // the lists stay where they were, and the drive list with them
    });
}

bool frmBrowse::setDirPath(const QString &path)
{
    const QString dir = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    std::error_code ec;
    if (!std::filesystem::is_directory(paths::toNative(dir), ec) || !canList(dir))
        return false;
    m_dir = dir;
    fillDirs();
    Dir1_Change();
    return true;
}

// The folder's chain from its volume's root down, then its subfolders (hidden ones too).
void frmBrowse::fillDirs()
{
    Dir1->clear();
    QStringList volumes;
    for (int i = 0; i < Drive1->count(); ++i)
        volumes << Drive1->itemText(i);
    const QString root = volumeOf(volumes, m_dir);
    QStringList chain { root };
    const QString below = m_dir.mid(root.size());
    for (const QString &part : below.split('/', Qt::SkipEmptyParts))
        chain << part;
    QString path;
    int depth = 0;
    for (const QString &part : chain) {
        path = path.isEmpty() ? part : joined(path, part);
        auto *item = new QListWidgetItem(QString(depth * 2, ' ') + part, Dir1);
        item->setData(pathRole, path);
        ++depth;
    }
    Dir1->setCurrentRow(Dir1->count() - 1);
    for (const QString &name : names(m_dir, true)) {
        auto *item = new QListWidgetItem(QString(depth * 2, ' ') + name, Dir1);
        item->setData(pathRole, joined(m_dir, name));
    }
}

void frmBrowse::Dir1_Change()
{
    msg::step(reload, 901, [&] { fillFiles(); });
}

void frmBrowse::fillFiles()
{
    File1->clear();
    if (m_dir.isEmpty())
        return;
    for (const QString &name : names(m_dir, false))
        if (matches(m_pattern, joined(m_dir, name)))
            File1->addItem(name);
}

void frmBrowse::File1_DblClick()
{
    msg::step(reload, 903, [&] {
        const QListWidgetItem *item = File1->currentItem();
        if (!item)
            return;
        // The picker stays open on a name the settings file could not hold.
        const QString path = joined(m_dir, item->text());
        if (!paths::storable(path))
            return;
        m_chosen = path;
        accept();
    });
}
