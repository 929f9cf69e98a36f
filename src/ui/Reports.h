#pragma once
#include "stage/Loader.h"

// The window side of what the stage code reports: each report becomes its message box.
namespace reports {
void corrupted(int stage, int menuSection);
} // namespace reports

class StageReport : public ReadReport
{
public:
    void corrupted(int stage, int menuSection) override { reports::corrupted(stage, menuSection); }
    void error(int subroutine, const std::string &description) override;
};

class LoadBoxes : public LoadDelegate
{
public:
    void corrupted(int stage, int menuSection) override { reports::corrupted(stage, menuSection); }
    void error(int subroutine, const std::string &description) override;
    bool irregular(const std::string &description) override;
};
