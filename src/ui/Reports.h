#pragma once
#include "ui/Shared.h"
#include "stage/Loader.h"

// The window side of what the stage code reports: each report becomes its message box.
namespace reports {
void corrupted(int stage, int menuSection);
} // namespace reports

class StageReport : public ReadReport
{
public:
    explicit StageReport(const Shared &g) : g(g) { }
    void corrupted(int stage, int menuSection) override { reports::corrupted(stage, menuSection); }
    void error(int subroutine, const std::string &description) override;

private:
    const Shared &g;
};

class LoadBoxes : public LoadDelegate
{
public:
    explicit LoadBoxes(const Shared &g) : g(g) { }
    void corrupted(int stage, int menuSection) override { reports::corrupted(stage, menuSection); }
    void error(int subroutine, const std::string &description) override;
    bool irregular(const std::string &description) override;

private:
    const Shared &g;
};
