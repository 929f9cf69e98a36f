#pragma once
#include "model/RomBytes.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;

// "Browse": a small modal file picker for one box of the Settings window. It opens in the
// folder of the box's text; a double click on a file accepts it as chosenPath(), for the caller
// to put into the box; the close box chooses nothing.
class frmBrowse : public QDialog
{
    Q_OBJECT
public:
    // browseTarget: 0 ROM box, 1 emulator box, 2 backup box; boxText: that box's text.
    frmBrowse(
        ReloadRequest &reload, int browseTarget, const QString &boxText, QWidget *parent = nullptr);

    // Handlers, by their design names.
    void Form_Load();
    void Combo1_Click();
    void Combo1_Change();
    void Drive1_Change();
    void Dir1_Change();
    void File1_DblClick();

    // The folder the folder list shows, and the file list's pattern ("*.NES", "*.EXE", "*.*").
    QString dirPath() const { return m_dir; }
    QString pattern() const { return m_pattern; }
    // Moves the folder list (and so the file list); false, with nothing moved, when the folder
    // cannot be listed.
    bool setDirPath(const QString &path);
    // The file the double click accepted; empty until then.
    QString chosenPath() const { return m_chosen; }

    // The volumes worth offering from the text of /proc/mounts: "/" first, then the mount
    // points of real file systems, without the system's pseudo file systems.
    static QStringList volumesFrom(const QString &mountsText);
    // The volume of `volumes` that holds `folder` (the longest mount point above it).
    static QString volumeOf(const QStringList &volumes, const QString &folder);
    // Whether a file passes a pattern: "*.NES" by its ending in any case, "*.EXE" when the
    // user may execute it (Linux programs carry no ending), "*.*" always.
    static bool matches(const QString &pattern, const QString &path);

    QComboBox *Drive1 = nullptr;
    QListWidget *Dir1 = nullptr;
    QListWidget *File1 = nullptr;
    QComboBox *Combo1 = nullptr;

private:
    void buildControls();
    void fillDirs();
    void fillFiles();
    void selectVolume(const QString &folder);
    QString startFolder() const;

    ReloadRequest &reload;
    const int browseTarget;
    const QString m_boxText;
    QString m_chosen;
    QString m_dir;
    QString m_pattern = "*.*";
};
