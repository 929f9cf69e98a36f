#include "rom/SettingsFile.h"

#include "rom/RomFile.h"
#include "rom/VbError.h"

#include <algorithm>
#include <cctype>

namespace {

using ini::Problem;

constexpr int keyCount = 7;
const char *const keys[keyCount]
    = { "rompath=", "emupath=", "romload=", "backupr=", "hscmask=", "vscmask=", "gridlin=" };
constexpr int pathKeys[] = { 0, 1, 3 };

std::string IniValues::*pathOf(int key)
{
    return key == 0 ? &IniValues::romPath : key == 1 ? &IniValues::emuPath : &IniValues::backupPath;
}

// Lines end in CR LF; a lone CR or LF ends one too, as a hand-edited file may have them.
std::vector<std::string> splitLines(const std::string &s)
{
    std::vector<std::string> out;
    std::string cur;
    bool pending = false;
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\r' || c == '\n') {
            out.push_back(cur);
            cur.clear();
            pending = false;
            if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
                ++i;
        } else {
            cur += c;
            pending = true;
        }
    }
    if (pending)
        out.push_back(cur);
    return out;
}

// The key a line starts with, in any case, or -1.
int keyOf(const std::string &line)
{
    if (line.size() < 8)
        return -1;
    for (int k = 0; k < keyCount; ++k)
        if (std::equal(line.begin(), line.begin() + 8, keys[k],
                [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; }))
            return k;
    return -1;
}

// The file as found: the line that gives each setting, and what is wrong with the rest.
struct Parsed
{
    std::string lines[keyCount];
    bool present[keyCount] = {};
    std::vector<Problem> problems;
};

// At most one byte more than a good file holds, so that a longer one shows.
std::string load(const std::string &path)
{
    const Bytes b = romfile::readFilePrefix(path, ini::maxSize + 1);
    return std::string(b.begin(), b.end());
}

Parsed parse(std::string text)
{
    Parsed p;
    if (text.size() > ini::maxSize) {
        p.problems.push_back({ Problem::TooLong });
        text.resize(ini::maxSize);
        text.erase(text.find_last_of("\r\n") + 1); // the line cut short is not used
    }
    const std::vector<std::string> lines = splitLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const int no = static_cast<int>(i) + 1;
        const int k = keyOf(lines[i]);
        if (lines[i].empty())
            continue;
        if (k < 0) {
            p.problems.push_back({ Problem::Unknown, no });
        } else if (p.present[k]) {
            p.problems.push_back({ Problem::Duplicate, no, keys[k] });
        } else if (lines[i].find('\0') != std::string::npos) {
            // No path holds one: the system would stop reading the name there, at another file.
            p.problems.push_back({ Problem::NulByte, no, keys[k] });
        } else {
            p.present[k] = true;
            p.lines[k] = lines[i];
        }
    }
    const auto told = [&](int k) {
        return std::any_of(p.problems.begin(), p.problems.end(),
            [&](const Problem &q) { return q.kind == Problem::NulByte && q.key == keys[k]; });
    };
    for (int k = 0; k < keyCount; ++k)
        if (!p.present[k] && !told(k))
            p.problems.push_back({ Problem::Missing, 0, keys[k] });
    return p;
}

// Only the last character counts; anything but 0 or 1 leaves the setting.
template <typename T> void readFlag(const std::string &line, T &target)
{
    if (line.back() == '0')
        target = 0;
    else if (line.back() == '1')
        target = 1;
}

void apply(const std::string &iniPath, int key, const std::string &line, IniValues &v)
{
    switch (key) {
    case 2:
        return readFlag(line, v.romLoad);
    case 4:
        return readFlag(line, v.hMask);
    case 5:
        return readFlag(line, v.vMask);
    case 6:
        return readFlag(line, v.grid);
    default:
        v.*pathOf(key) = ini::resolve(iniPath, line.substr(8));
    }
}

// Paths the file holds written relative go back as they were while they name the same place.
void keepRelative(const std::string &iniPath, IniValues &v)
{
    Parsed p;
    try {
        p = parse(load(iniPath));
    } catch (const VbError &) {
        return; // no file yet, or none to read: every path is written whole
    }
    for (int k : pathKeys) {
        const std::string was = p.present[k] ? p.lines[k].substr(8) : std::string();
        if (!was.empty() && was[0] != '/' && ini::resolve(iniPath, was) == v.*pathOf(k))
            v.*pathOf(k) = was;
    }
}

std::string problemText(const Problem &p)
{
    const std::string line = "line " + std::to_string(p.line);
    switch (p.kind) {
    case Problem::Unreadable:
        return p.detail;
    case Problem::TooLong:
        return "it is longer than the " + std::to_string(ini::maxSize)
            + " bytes a settings file can hold, so only its beginning was read";
    case Problem::Unknown:
        return line + " has no known key and was not used";
    case Problem::Duplicate:
        return line + " repeats the key \"" + p.key + "\" and was not used";
    case Problem::NulByte:
        return line + " holds a NUL byte, which no setting can hold, and was not used";
    case Problem::Missing:
        break;
    }
    return "no line has the key \"" + p.key + "\", so that setting stays as it was";
}

const char *flag(bool on)
{
    return on ? "1" : "0";
}

} // namespace

namespace ini {

std::vector<Problem> read(const std::string &path, int settings, IniValues &v)
{
    // Read like the ROM: never waiting on a pipe planted at the name.
    Parsed p;
    try {
        p = parse(load(path));
    } catch (const VbError &e) {
        return { { Problem::Unreadable, 0, {}, e.what() } };
    }
    for (int k = 0; k < std::min(settings, keyCount); ++k)
        if (p.present[k])
            apply(path, k, p.lines[k], v);
    return p.problems;
}

std::string describe(const std::string &path, const std::vector<Problem> &problems)
{
    if (problems.size() == 1 && problems[0].kind == Problem::Unreadable)
        return "The settings file could not be read: " + problems[0].detail;
    // A file of junk would make a box too long to read.
    constexpr size_t listed = 8;
    std::string s = "The settings file " + path + " is not as this program writes it: ";
    for (size_t i = 0; i < std::min(problems.size(), listed); ++i)
        s += (i ? "; " : "") + problemText(problems[i]);
    if (problems.size() > listed)
        s += "; and " + std::to_string(problems.size() - listed) + " more";
    return s;
}

std::string resolve(const std::string &iniPath, const std::string &path)
{
    const size_t slash = iniPath.rfind('/');
    if (path.empty() || path[0] == '/' || slash == std::string::npos)
        return path;
    return iniPath.substr(0, slash + 1) + path;
}

bool canHold(const std::string &value)
{
    return value.find_first_of("\r\n") == std::string::npos;
}

std::string text(const IniValues &v)
{
    const std::string load = v.romLoad == 0 ? "0" : v.romLoad == 1 ? "1" : "";
    const std::string values[keyCount]
        = { v.romPath, v.emuPath, load, v.backupPath, flag(v.hMask), flag(v.vMask), flag(v.grid) };
    std::string out;
    for (int i = 0; i < keyCount; ++i)
        out += keys[i] + values[i] + "\r\n";
    return out;
}

void write(const std::string &path, const IniValues &v)
{
    for (int k : pathKeys)
        if (!canHold(v.*pathOf(k)))
            throw VbError("The settings file cannot hold a path with a line break in it, so it "
                          "was not written");
    IniValues out = v;
    keepRelative(path, out);
    try {
        romfile::replaceFile(path, text(out));
    } catch (const VbError &e) {
        throw VbError(std::string("The settings file could not be written: ") + e.what());
    }
}

} // namespace ini
