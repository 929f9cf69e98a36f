#include "ui/Reports.h"

#include "stage/FaultList.h"
#include "ui/ErrorText.h"
#include "ui/MsgBox.h"

#include <QString>

namespace reports {

namespace {

QString hex(int v)
{
    return QString::number(v, 16).toUpper();
}

void corruptedBox(const QString &where)
{
    msg::box("Corrupted data in V/PU (" + where + ").\rYou may continue, but expect errors.",
        msg::Critical, QString("Corrupted ROM"));
}

// The load's boxes of subroutine 111: the common first line, what is at fault, the way out.
bool loadBox(const std::string &fault, const std::string &description)
{
    const std::string text = std::string(errtext::msg) + "\r" + fault + "\rClick Cancel to quit."
        + "\rDescription : " + description + " in subroutine 111.";
    return msg::box(text, msg::CriticalOkCancel, errtext::title) != msg::Cancel;
}

} // namespace

void corrupted(int stage, int menuSection)
{
    corruptedBox(QString("stage %1, section %2").arg(hex(stage), hex(menuSection)));
}

void corrupted(const std::vector<std::pair<int, int>> &sections)
{
    if (sections.size() == 1)
        return corrupted(sections[0].first, sections[0].second);
    QString where;
    for (size_t k = 0; k < sections.size(); ++k) {
        const auto [s, n] = sections[k];
        if (k == 0 || sections[k - 1].first != s) {
            const bool more = k + 1 < sections.size() && sections[k + 1].first == s;
            where += (k ? "; " : "") + QString("stage %1, section%2 ").arg(hex(s), more ? "s" : "");
        } else {
            where += ", ";
        }
        where += hex(n);
    }
    corruptedBox(where);
}

void notTheGame()
{
    msg::box("This doesn't look like a ROM of the game to be edited!\rCastlevania III (US) and "
             "Akumajou Densetsu (J) are supported.",
        msg::Exclamation, "Invalid ROM File");
}

} // namespace reports

bool ShownOnce::first(const std::string &description)
{
    return m_kinds.insert(FaultList::kind(description)).second;
}

void StageReport::error(int subroutine, const std::string &description)
{
    if (!m_once)
        return msg::errBox(subroutine, description, m_cont);
    if (m_once->first(description))
        msg::errBox(subroutine, description, reports::contOnce(m_cont));
}

void LoadBoxes::error(int subroutine, const std::string &description)
{
    msg::errBox(subroutine, description);
}

bool LoadBoxes::irregular(const std::string &description)
{
    return reports::loadBox("The ROM you're loading is irregular or damaged. :(", description);
}

bool LoadBoxes::romUnread(const std::string &description)
{
    return reports::loadBox("No ROM is loaded: nothing can be edited, and no file is written. "
                            "Choose a ROM in File > Settings.",
        description);
}

bool LoadBoxes::programFile(const std::string &description)
{
    return reports::loadBox("One of the program's own files could not be read; your ROM is fine. "
                            "Once the cause below is removed, the program writes the file anew "
                            "when it starts again.",
        description);
}

void LoadBoxes::flush()
{
    if (!m_corrupted.empty())
        reports::corrupted(m_corrupted);
    m_corrupted.clear();
}
