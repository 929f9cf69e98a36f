#include "rom/SettingsFile.h"

#include "rom/RomFile.h"
#include "rom/VbError.h"

namespace {

const char *const keys[7]
    = { "rompath=", "emupath=", "romload=", "backupr=", "hscmask=", "vscmask=", "gridlin=" };

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

void readPath(const std::string &line, int no, std::string &target, std::vector<std::string> &errs)
{
    if (line.size() < 8)
        errs.push_back(
            "Line " + std::to_string(no) + " of the settings file is shorter than its key");
    else
        target = line.substr(8);
}

// Only the last character counts; anything but 0 or 1 leaves the setting.
template <typename T> void readFlag(const std::string &line, T &target)
{
    if (line.empty())
        return;
    if (line.back() == '0')
        target = 0;
    else if (line.back() == '1')
        target = 1;
}

const char *flag(bool on)
{
    return on ? "1" : "0";
}

} // namespace

namespace ini {

std::vector<std::string> read(const std::string &path, int lines, IniValues &v)
{
    // Read like the ROM: never waiting on a pipe planted at the name.
    Bytes bytes;
    try {
        bytes = romfile::readFile(path);
    } catch (const VbError &e) {
        return { e.what() };
    }
    std::vector<std::string> l = splitLines(std::string(bytes.begin(), bytes.end()));
    std::vector<std::string> errs;
    int n = std::min<int>(lines, static_cast<int>(l.size()));
    for (int i = 0; i < n; ++i) {
        switch (i) {
        case 0:
            readPath(l[i], 1, v.romPath, errs);
            break;
        case 1:
            readPath(l[i], 2, v.emuPath, errs);
            break;
        case 2:
            readFlag(l[i], v.romLoad);
            break;
        case 3:
            readPath(l[i], 4, v.backupPath, errs);
            break;
        case 4:
            readFlag(l[i], v.hMask);
            break;
        case 5:
            readFlag(l[i], v.vMask);
            break;
        case 6:
            readFlag(l[i], v.grid);
            break;
        }
    }
    if (n < lines)
        errs.push_back("Input past end of file");
    return errs;
}

std::string text(const IniValues &v)
{
    const std::string load = v.romLoad == 0 ? "0" : v.romLoad == 1 ? "1" : "";
    const std::string values[7]
        = { v.romPath, v.emuPath, load, v.backupPath, flag(v.hMask), flag(v.vMask), flag(v.grid) };
    std::string out;
    for (int i = 0; i < 7; ++i)
        out += keys[i] + values[i] + "\r\n";
    return out;
}

void write(const std::string &path, const IniValues &v)
{
    romfile::replaceFile(path, text(v));
}

} // namespace ini
