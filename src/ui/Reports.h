#pragma once
#include "stage/Loader.h"
#include "ui/ErrorText.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

// The window side of what the stage code reports: each report becomes its message box.
namespace reports {
void corrupted(int stage, int menuSection);
// One "Corrupted ROM" box for the sections of one load, each given as (stage, menu section).
void corrupted(const std::vector<std::pair<int, int>> &sections);
// "This doesn't look like a ROM of the game to be edited!": a ROM of neither release, refused.
void notTheGame();
// The last line of a box that is not shown again for the sections that follow: the box's own
// last line `cont`, then that it is told once.
inline std::string contOnce(const std::string &cont)
{
    return cont
        + " The same failure in other sections is not shown again until the ROM is loaded anew.";
}
} // namespace reports

// Failures shown since the ROM was loaded, by kind (their texts alike but for numbers): a
// failure that every section meets is shown at the first and not again at each section change.
class ShownOnce
{
public:
    // True the first time a failure of this kind comes.
    bool first(const std::string &description);
    void clear() { m_kinds.clear(); }

private:
    std::set<std::string> m_kinds;
};

class StageReport : public ReadReport
{
public:
    // once: when given, a failure already shown since the load is not shown again. cont: the
    // last line of its boxes.
    explicit StageReport(ShownOnce *once = nullptr, std::string cont = errtext::cont)
        : m_once(once), m_cont(std::move(cont))
    { }
    void corrupted(int stage, int menuSection) override { reports::corrupted(stage, menuSection); }
    void error(int subroutine, const std::string &description) override;

private:
    ShownOnce *m_once;
    std::string m_cont;
};

// The boxes of one load. The "Corrupted ROM" sections are gathered and shown in one box by
// flush(), which the caller runs once the load has ended.
class LoadBoxes : public LoadDelegate
{
public:
    void corrupted(int stage, int menuSection) override
    {
        m_corrupted.emplace_back(stage, menuSection);
    }
    void error(int subroutine, const std::string &description) override;
    bool irregular(const std::string &description) override;
    bool romUnread(const std::string &description) override;
    bool programFile(const std::string &description) override;
    void flush();

private:
    std::vector<std::pair<int, int>> m_corrupted;
};
