#include "ui/Reports.h"

#include "ui/ErrorText.h"
#include "ui/MsgBox.h"

#include <QString>

namespace reports {

void corrupted(int stage, int menuSection)
{
    msg::box(
        QString("Corrupted data in V/PU (stage %1, section %2).\rYou may continue, but expect "
                "errors.")
            .arg(QString::number(stage, 16).toUpper(), QString::number(menuSection, 16).toUpper()),
        msg::Critical, QString("Corrupted ROM"));
}

} // namespace reports

void StageReport::error(int subroutine, const std::string &description)
{
    msg::errBox(subroutine, description);
}

void LoadBoxes::error(int subroutine, const std::string &description)
{
    msg::errBox(subroutine, description);
}

bool LoadBoxes::irregular(const std::string &description)
{
    const std::string text = std::string(errtext::msg)
        + "\rThe ROM you're loading is irregular or damaged. :(\r"
        + "Click Cancel to quit.\rDescription : " + description + " in subroutine 111.";
    return msg::box(text, msg::CriticalOkCancel, errtext::title) != msg::Cancel;
}
