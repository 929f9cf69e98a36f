#include "app/SettingsRead.h"

#include "ui/MsgBox.h"

void readSettings(ProgramFiles &files, int subroutine, int settings, IniValues &v)
{
    const std::vector<ini::Problem> problems = ini::read(files.iniPath(), settings, v);
    const std::string report
        = problems.empty() ? std::string() : ini::describe(files.iniPath(), problems);
    if (!report.empty() && report != files.iniReport)
        msg::errBox(subroutine, report);
    files.iniReport = report;
}
