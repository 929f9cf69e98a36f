#pragma once
#include "model/RomBytes.h"
#include "rom/ProgramFiles.h"

#include <QWidget>

class QPlainTextEdit;

class frmReadme : public QWidget
{
    Q_OBJECT
public:
    explicit frmReadme(ReloadRequest &reload, const ProgramFiles &files, QWidget *parent = nullptr);
    // Loads "readme.txt"; false (after its message) when the file cannot be read.
    bool Form_Load();

    QPlainTextEdit *Text1 = nullptr;

protected:
    void resizeEvent(QResizeEvent *) override;
    void showEvent(QShowEvent *) override;

private:
    void fit();
    ReloadRequest &reload;
    const ProgramFiles &files;
};
