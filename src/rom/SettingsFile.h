#pragma once
#include <string>
#include <vector>

// The seven settings of "Vorlig.ini", in file order.
struct IniValues
{
    std::string romPath;
    std::string emuPath;
    int romLoad = 1;
    std::string backupPath;
    bool hMask = false; // check marks of the Display menu
    bool vMask = true;
    bool grid = false;
};

namespace ini {

inline constexpr const char *fileName = "Vorlig.ini";

// Reads the first `lines` lines (1..7) into v, each by its position. A value the file cannot
// give (missing line, a path line shorter than its key) keeps its setting; each such failure
// is returned as a description for the caller's error box.
std::vector<std::string> read(const std::string &path, int lines, IniValues &v);

// The file's text: seven CR LF lines, key then value.
std::string text(const IniValues &v);

// Rewrites the whole file; throws VbError on failure.
void write(const std::string &path, const IniValues &v);

} // namespace ini
