#include "rom/SettingsFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ini {
void PrintTo(const Problem &p, std::ostream *os)
{
    *os << "{kind " << p.kind << ", line " << p.line << ", key " << p.key << "}";
}
} // namespace ini

void PrintTo(const IniValues &v, std::ostream *os)
{
    *os << "{" << v.romPath << " | " << v.emuPath << " | " << v.romLoad << " | " << v.backupPath
        << " | " << v.hMask << v.vMask << v.grid << "}";
}

namespace {

using ini::Problem;

std::string lines(std::initializer_list<std::string> l)
{
    std::string s;
    for (const std::string &x : l)
        s += x + "\r\n";
    return s;
}

const std::string written = lines({ "rompath=/home/me/roms, old/cv3.nes", "emupath=/usr/bin/emu",
    "romload=0", "backupr=", "hscmask=1", "vscmask=0", "gridlin=1" });

IniValues values(const std::string &rom, const std::string &emu, int load,
    const std::string &backup, bool h, bool v, bool grid)
{
    return { rom, emu, load, backup, h, v, grid };
}

Problem missing(const char *key)
{
    return { Problem::Missing, 0, key };
}

} // namespace

TEST(SettingsFile, WritesSevenCrLfLinesAndReadsThemBack)
{
    TempDir dir;
    const IniValues v = values("/home/me/roms, old/cv3.nes", "/usr/bin/emu", 0, "", 1, 0, 1);
    ini::write(dir.file("Vorlig.ini"), v);
    EXPECT_EQ(testfile::readText(dir.file("Vorlig.ini")), written);
    IniValues r;
    EXPECT_TRUE(ini::read(dir.file("Vorlig.ini"), 7, r).empty());
    EXPECT_EQ(r, v); // a comma is part of the value
}

// Each row: a file, how many settings its reader takes, what it starts from, what it ends
// with and what it reports.
TEST(SettingsFile, ReadingsByKey)
{
    TempDir dir;
    const std::string path = dir.file("Vorlig.ini");
    const IniValues start = values("/keep.nes", "/keep-emu", 1, "/keep-b.nes", 1, 1, 0);
    struct Row
    {
        const char *shape;
        std::string text;
        int settings;
        IniValues want;
        std::vector<Problem> problems;
        uintmax_t grownTo = 0; // the file made this long after the text
    } rows[] = {
        { "as the program writes it", written, 7,
            values("/home/me/roms, old/cv3.nes", "/usr/bin/emu", 0, "", 1, 0, 1), {} },
        { "flags count only their last character",
            lines({ "rompath=a", "emupath=/b", "romload=yes", "backupr=/c", "hscmask=0 ",
                "vscmask=x0", "gridlin=01" }),
            7, values(dir.file("a"), "/b", 1, "/c", 1, 0, 1), {} },
        { "keys in another order and case, lone LF, a blank line",
            "GRIDLIN=1\nvscmask=0\n\nhscmask=0\nbackupr=\nromload=0\nemupath=\nRomPath=/r.nes\n", 7,
            values("/r.nes", "", 0, "", 0, 0, 1), {} },
        { "a second rompath line shifts nothing",
            lines({ "rompath=/a.nes", "rompath=/b.nes", "emupath=/emu", "romload=0",
                "backupr=", "hscmask=0", "vscmask=0", "gridlin=1" }),
            7, values("/a.nes", "/emu", 0, "", 0, 0, 1),
            { { Problem::Duplicate, 2, "rompath=" } } },
        { "misspelt keys and a line shorter than any key",
            lines({ "rompaht=/r.nes", "EMUPATH=/e", "rom", "romload=0" }), 7,
            values("/keep.nes", "/e", 0, "/keep-b.nes", 1, 1, 0),
            { { Problem::Unknown, 1 }, { Problem::Unknown, 3 }, missing("rompath="),
                missing("backupr="), missing("hscmask="), missing("vscmask="),
                missing("gridlin=") } },
        { "a reader of three settings reports the whole file",
            lines({ "rompath=/r.nes", "emupath=/e", "romload=0", "backupr=/b.nes" }), 3,
            values("/r.nes", "/e", 0, "/keep-b.nes", 1, 1, 0),
            { missing("hscmask="), missing("vscmask="), missing("gridlin=") } },
        { "relative paths lie beside the settings file",
            lines({ "rompath=game.nes", "emupath=bin/emu", "romload=1", "backupr=../b.nes",
                "hscmask=1", "vscmask=1", "gridlin=0" }),
            7, values(dir.file("game.nes"), dir.file("bin/emu"), 1, dir.file("../b.nes"), 1, 1, 0),
            {} },
        { "a NUL byte in a line, then the same key whole",
            lines({ std::string("rompath=/a.nes\0/b.nes", 21), "rompath=/c.nes",
                std::string("emupath=/e\0", 11), "romload=0", "backupr=", "hscmask=0", "vscmask=0",
                "gridlin=1" }),
            7, values("/c.nes", "/keep-emu", 0, "", 0, 0, 1),
            { { Problem::NulByte, 1, "rompath=" }, { Problem::NulByte, 3, "emupath=" } } },
        { "seven lines and then 300 MiB", written, 7,
            values("/home/me/roms, old/cv3.nes", "/usr/bin/emu", 0, "", 1, 0, 1),
            { { Problem::TooLong } }, 300u << 20 },
        { "junk lines past the size of a good file",
            written + std::string(ini::maxSize, '\n') + "x\r\n", 7,
            values("/home/me/roms, old/cv3.nes", "/usr/bin/emu", 0, "", 1, 0, 1),
            { { Problem::TooLong } } },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.shape);
        testfile::writeText(path, row.text);
        if (row.grownTo)
            std::filesystem::resize_file(path, row.grownTo);
        IniValues v = start;
        EXPECT_EQ(ini::read(path, row.settings, v), row.problems);
        EXPECT_EQ(v, row.want);
    }
    // A file that cannot be read at all is one problem, and changes nothing.
    IniValues v = start;
    const std::vector<Problem> none = ini::read(dir.file("absent.ini"), 7, v);
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].kind, Problem::Unreadable);
    EXPECT_EQ(v, start);
}

TEST(SettingsFile, RewriteReplacesAllSevenLines)
{
    TempDir dir;
    const std::string path = dir.file("Vorlig.ini");
    testfile::writeText(
        path, lines({ "rompath=/a", "junk", "junk", "junk", "junk", "junk", "junk", "extra" }));
    IniValues v;
    v.romPath = "/b";
    v.romLoad = 1;
    ini::write(path, v);
    EXPECT_EQ(testfile::readText(path),
        lines({ "rompath=/b", "emupath=", "romload=1", "backupr=", "hscmask=0", "vscmask=1",
            "gridlin=0" }));

    // Paths written relative stay so while they name the same file.
    testfile::writeText(path, lines({ "rompath=game.nes", "emupath=emu", "backupr=b.nes" }));
    ini::read(path, 7, v);
    v.emuPath = "/usr/bin/emu";
    ini::write(path, v);
    EXPECT_EQ(testfile::readText(path),
        lines({ "rompath=game.nes", "emupath=/usr/bin/emu", "romload=1", "backupr=b.nes",
            "hscmask=0", "vscmask=1", "gridlin=0" }));

    // A path the file cannot hold is never written.
    const std::string before = testfile::readText(path);
    for (const char *broken : { "/roms/a\nb.nes", "/roms/a\rb.nes" }) {
        v.backupPath = broken;
        EXPECT_THROW(ini::write(path, v), VbError);
        EXPECT_EQ(testfile::readText(path), before);
    }
}
