#pragma once
#include <climits>
#include <cstddef>
#include <string>
#include <utility>
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
    bool operator==(const IniValues &) const = default;
};

namespace ini {

inline constexpr const char *fileName = "Vorlig.ini";

// The most a good file holds: seven lines of a key, a path and CR LF. A longer file is read only
// that far.
inline constexpr size_t maxSize = 7 * (8 + PATH_MAX + 2);

// What a reading found wrong with the file. The settings it concerns keep their values.
struct Problem
{
    enum Kind { Unreadable, TooLong, Unknown, Duplicate, Missing, NulByte };
    Problem(Kind kind, int line = 0, std::string key = {}, std::string detail = {})
        : kind(kind), line(line), key(std::move(key)), detail(std::move(detail))
    { }
    Kind kind;
    int line = 0; // Unknown, Duplicate, NulByte: the line, counted from 1
    std::string key; // Duplicate, Missing, NulByte
    std::string detail; // Unreadable: why
    bool operator==(const Problem &) const = default;
};

// Reads the file at path, each line by its key. The first `settings` (1..7) of the seven, in
// file order, are set in v; the others stay. A path written relative is taken from the folder
// of the settings file. The problems cover the whole file, whichever settings were asked for.
std::vector<Problem> read(const std::string &path, int settings, IniValues &v);

// One text for one box, listing the problems of the settings file at path.
std::string describe(const std::string &path, const std::vector<Problem> &problems);

// A path relative to the folder of the settings file at iniPath, made whole; an empty or whole
// path as it is.
std::string resolve(const std::string &iniPath, const std::string &path);

// Whether a value fits on one line of the file.
bool canHold(const std::string &value);

// The file's text: seven CR LF lines, key then value.
std::string text(const IniValues &v);

// Rewrites the whole file. A path the file holds written relative, and that still names the
// same place, stays written so. Throws VbError on failure, and for a value with a line break.
void write(const std::string &path, const IniValues &v);

} // namespace ini
