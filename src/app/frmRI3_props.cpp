#include "ui/Controls.h"
#include "ui/ImmediateWrite.h"
#include "ui/MsgBox.h"
#include "app/frmRI3.h"
#include "rom/RomFile.h"
#include "view/LevelView.h"

namespace {

constexpr int subTime = 107;
constexpr int subMirror = 110;
constexpr int subCombo3 = 114;
constexpr int subCombo4 = 115;

// The upward section whose layout a downward section of stage 1 mirrors.
int upwardOf(int section)
{
    switch (section) {
    case 9:
        return 6;
    case 10:
        return 5;
    case 11:
        return 3;
    case 12:
        return 2;
    default:
        return -1;
    }
}

} // namespace

// The time is written at once: all sections of the area share its byte. When the write fails
// the list and the table go back to what the ROM holds, and the box says so.
void frmRI3::cmbTime_Click()
{
    if (Combo2->Tag == "0")
        return;
    const auto s = static_cast<size_t>(g.curStage);
    const auto n = static_cast<size_t>(g.curSection);
    const uint8_t area = t.timeTbl[s][n][1];
    const long long pos = (g.romVer == "1" ? 227109 : 78812) + area;
    uint8_t code = static_cast<uint8_t>(cmbTime->currentIndex() + 1);
    const std::string failure = immediate::write(
        g.rom, pos, [code](uint8_t old) { return uint8_t((code << 4) | (old & 0x0F)); });
    if (!failure.empty())
        code = immediate::held(g.ini.romPath, pos, uint8_t(t.timeTbl[s][n][0] << 4)) >> 4;
    doc.setAreaTime(g.curStage, area, code);
    if (failure.empty())
        return;
    cmbTime->setCurrentIndex(code - 1);
    msg::errBox(g, subTime, failure,
        "The ROM was not changed: the time stays "
            + QString::number(code, 16).toUpper().toStdString() + "00.");
}

void frmRI3::Combo3_Click()
{
    msg::step(g, subCombo3, [&] {
        if (Combo3->currentIndex() < 0)
            return;
        // Only the user picks: the list is filled with its signals blocked.
        doc.setScrollByte(
            g.curStage, g.curSection, static_cast<uint8_t>(Combo3->currentData().toInt()));
    });
}

void frmRI3::Combo4_Click()
{
    msg::step(g, subCombo4, [&] {
        if (Combo4->currentIndex() < 0)
            return;
        doc.setScrollType(vScrollIdx, static_cast<uint8_t>(Combo4->currentData().toInt()));
    });
}

void frmRI3::cmdMirror_Click()
{
    if (msg::box("The BG used in the corresponding 'upward' section will be copied here.\rClick OK "
                 "to proceed, but don't forget to add/remove the door tiles.",
            msg::QuestionOkCancel, "Upward/Downward Mirror")
        == msg::Cancel)
        return;
    msg::step(g, subMirror, [&] {
        const int up = upwardOf(g.curSection);
        if (up >= 0)
            doc.copyLayout(g.curStage, g.curSection, up);
        Modif();
        m_view->ScrscrollChange();
    });
}
