#pragma once
#include "model/RomBytes.h"
#include "rom/ProgramFiles.h"

#include <QDialog>

#include <vector>

class QGroupBox;
class QLabel;
class QPushButton;
class Spinner;
namespace ctl {
class ImageBox;
}

// "Curse Severity": the damage bytes as spinners beside 16-segment bar graphs. The US window
// (frmHits) and the Japanese one (frmHits2) differ only in their rows and layout. Save writes
// the bytes of the rows the user changed and sets the main window's caption; a row left alone
// keeps its byte, even one the spinner cannot show.
class DamageWindow : public QDialog
{
    Q_OBJECT
public:
    // release: 0 US, 1 Japanese; mainWindow gets the caption on Save.
    DamageWindow(RomBytes &romDoc, const ProgramFiles &files, int release, QWidget *mainWindow,
        QWidget *parent);

    // Handlers, by their design names.
    void Form_Load();
    void hs1_Change(int index);
    void cmdOK_Click();
    void cmdDefault_Click();
    void cmdCancel_Click();

    std::vector<Spinner *> hs1;
    std::vector<ctl::ImageBox *> bar; // 16 a row
    std::vector<QLabel *> ls;
    QGroupBox *Frame1 = nullptr, *Frame2 = nullptr;
    QPushButton *cmdOK = nullptr, *cmdDefault = nullptr, *cmdCancel = nullptr;
    std::vector<QLabel *> notes; // the footnotes
    // Over a row's bar graph while it keeps a byte the spinner cannot show ("odd(i)").
    std::vector<QLabel *> odd;

    // Whether the opening read every row; Save stays disabled otherwise.
    bool loaded() const { return m_loaded; }

private:
    void buildControls();
    void buildRows(QGroupBox *frame, int first, int count, int frameTop);
    void buildButtons();
    void showSegment(ctl::ImageBox *seg, bool full);
    void showOdd(size_t row);
    void userChanged(size_t row);
    std::vector<uint8_t> bytes() const;
    int sub(int us) const { return r == 1 ? us + 4 : us; }

    RomBytes &romDoc;
    const ProgramFiles &files;
    int r;
    QWidget *m_main;
    uint8_t scratch = 0; // every read and write passes through it
    bool m_loaded = false;
    std::vector<uint8_t> m_read; // each row's byte as read
    std::vector<bool> m_edited; // rows the user changed since the opening
};

class frmHits : public DamageWindow
{
    Q_OBJECT
public:
    frmHits(RomBytes &romDoc, const ProgramFiles &files, QWidget *mainWindow,
        QWidget *parent = nullptr);
};

class frmHits2 : public DamageWindow
{
    Q_OBJECT
public:
    frmHits2(RomBytes &romDoc, const ProgramFiles &files, QWidget *mainWindow,
        QWidget *parent = nullptr);
};
