#pragma once
#include "model/RomDocument.h"

#include <QWidget>

class QPlainTextEdit;

class frmReadme : public QWidget
{
    Q_OBJECT
public:
    explicit frmReadme(RomDocument &romDoc, const ProgramFiles &files, QWidget *parent = nullptr);
    // Loads "readme.txt"; false (after its message) when the file cannot be read.
    bool Form_Load();

    QPlainTextEdit *Text1 = nullptr;

protected:
    void resizeEvent(QResizeEvent *) override;
    void showEvent(QShowEvent *) override;

private:
    void fit();
    RomDocument &romDoc;
    const ProgramFiles &files;
};
