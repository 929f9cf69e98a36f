#include "rom/SettingsFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

std::string lines(std::initializer_list<std::string> l)
{
    std::string s;
    for (const std::string &x : l)
        s += x + "\r\n";
    return s;
}

} // namespace

TEST(SettingsFile, WritesSevenCrLfLinesAndReadsThemBack)
{
    TempDir dir;
    IniValues v;
    v.romPath = "/home/me/roms, old/cv3.nes";
    v.emuPath = "/usr/bin/emu";
    v.romLoad = 0;
    v.backupPath = "";
    v.hMask = true;
    v.vMask = false;
    v.grid = true;
    ini::write(dir.file("Vorlig.ini"), v);
    EXPECT_EQ(testfile::readText(dir.file("Vorlig.ini")),
              lines({ "rompath=/home/me/roms, old/cv3.nes", "emupath=/usr/bin/emu", "romload=0",
                      "backupr=", "hscmask=1", "vscmask=0", "gridlin=1" }));

    IniValues r;
    EXPECT_TRUE(ini::read(dir.file("Vorlig.ini"), 7, r).empty());
    EXPECT_EQ(r.romPath, v.romPath); // a comma is part of the value
    EXPECT_EQ(r.emuPath, v.emuPath);
    EXPECT_EQ(r.romLoad, 0);
    EXPECT_EQ(r.backupPath, "");
    EXPECT_TRUE(r.hMask);
    EXPECT_FALSE(r.vMask);
    EXPECT_TRUE(r.grid);
}

TEST(SettingsFile, FlagsCountOnlyTheirLastCharacter)
{
    TempDir dir;
    testfile::writeText(dir.file("Vorlig.ini"),
                        lines({ "rompath=a", "emupath=b", "romload=yes", "backupr=c",
                                "hscmask=1 ", "vscmask=x0", "gridlin=01" }));
    IniValues r;
    r.hMask = false;
    EXPECT_TRUE(ini::read(dir.file("Vorlig.ini"), 7, r).empty());
    EXPECT_EQ(r.romLoad, 1);   // unchanged
    EXPECT_FALSE(r.hMask);     // "1 " ends in a blank
    EXPECT_FALSE(r.vMask);     // ends in 0
    EXPECT_TRUE(r.grid);

    testfile::writeText(dir.file("Vorlig.ini"), lines({ "rompath=a", "emupath=b", "romload=0" }));
    EXPECT_TRUE(ini::read(dir.file("Vorlig.ini"), 3, r).empty());
    EXPECT_EQ(r.romLoad, 0);
}

TEST(SettingsFile, KeysAreNotComparedOnlyPositions)
{
    TempDir dir;
    testfile::writeText(dir.file("Vorlig.ini"), lines({ "rompaht=/r.nes", "EMUPATH=/e" }));
    IniValues r;
    EXPECT_TRUE(ini::read(dir.file("Vorlig.ini"), 2, r).empty());
    EXPECT_EQ(r.romPath, "/r.nes");
    EXPECT_EQ(r.emuPath, "/e");
}

TEST(SettingsFile, ShortFilesReportAndKeepMissingValues)
{
    TempDir dir;
    testfile::writeText(dir.file("Vorlig.ini"), lines({ "rompath=/r.nes", "emupath=/e" }));
    IniValues r;
    r.backupPath = "/keep";
    r.hMask = true;
    auto errs = ini::read(dir.file("Vorlig.ini"), 7, r);
    ASSERT_EQ(errs.size(), 1u);
    EXPECT_EQ(errs[0], "Input past end of file");
    EXPECT_EQ(r.romPath, "/r.nes");
    EXPECT_EQ(r.backupPath, "/keep");
    EXPECT_TRUE(r.hMask);

    // A path line shorter than its key keeps the old value; an 8-character line empties it.
    testfile::writeText(dir.file("Vorlig.ini"), lines({ "rom", "emupath=" }));
    r.romPath = "/old";
    r.emuPath = "/olde";
    errs = ini::read(dir.file("Vorlig.ini"), 2, r);
    EXPECT_EQ(errs.size(), 1u);
    EXPECT_EQ(r.romPath, "/old");
    EXPECT_EQ(r.emuPath, "");

    // A missing file is one failure and changes nothing.
    IniValues none;
    none.romPath = "/x";
    EXPECT_EQ(ini::read(dir.file("absent.ini"), 4, none).size(), 1u);
    EXPECT_EQ(none.romPath, "/x");
}

TEST(SettingsFile, RewriteReplacesAllSevenLines)
{
    TempDir dir;
    testfile::writeText(dir.file("Vorlig.ini"), lines({ "rompath=/a", "junk", "junk", "junk",
                                                        "junk", "junk", "junk", "extra" }));
    IniValues v;
    v.romPath = "/b";
    v.romLoad = 1;
    ini::write(dir.file("Vorlig.ini"), v);
    EXPECT_EQ(testfile::readText(dir.file("Vorlig.ini")),
              lines({ "rompath=/b", "emupath=", "romload=1", "backupr=", "hscmask=0",
                      "vscmask=1", "gridlin=0" }));
}
