#pragma once
#include "model/RomBytes.h"
#include "model/tables/Bgm.h"
#include "rom/ProgramFiles.h"

#include <QDialog>

#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

// "BGM Tracks": the song of each of the 31 situations of the game. Save writes the words of
// the situations whose song the user changed; Cancel and the close box write nothing.
class frmBGM : public QDialog
{
    Q_OBJECT
public:
    frmBGM(RomBytes &romDoc, const ProgramFiles &files, QWidget *parent = nullptr);

    // Handlers, by their design names.
    void Form_Load();
    void cmdOK_Click();
    void cmdDefault_Click();
    void cmdCancel_Click();

    std::array<QComboBox *, bgm::situations> cmb {}; // by situation
    std::array<QLabel *, bgm::situations> lab {}; // by place, left column first
    QPushButton *cmdDefault = nullptr, *cmdCancel = nullptr, *cmdOK = nullptr;

    long long bgmPos = 0;
    std::array<unsigned, bgm::situations> songPtr {};

private:
    void buildControls();
    void buildRow(int place, int situation, int left, int top);
    // The song word each situation's list shows.
    bgm::Words chosen() const;

    RomBytes &romDoc;
    const ProgramFiles &files;
    int r = 0;
    bgm::Words m_read {}; // the words as loaded
    bool m_loaded = false;
};
