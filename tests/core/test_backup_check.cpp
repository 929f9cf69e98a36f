#include "rom/Release.h"
#include "support/RomBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

// A backup can be the source of a restore only when it is the ROM's twin: the same release
// signature and the same size.
TEST(BackupCheck, NamesWhatIsWrongWithABackup)
{
    TempDir dir;
    const Bytes us = rb::build(rb::gameShape(rb::Rel::US)).rom;
    const Bytes jp = rb::build(rb::gameShape(rb::Rel::JP)).rom;
    const long long size = static_cast<long long>(us.size());
    auto problem = [&](const std::string &name, const Bytes &b, const std::string &ver) {
        testfile::writeAll(dir.file(name), b);
        return release::backupProblem(dir.file(name), ver, size);
    };
    EXPECT_EQ(problem("twin.nes", us, "0"), "");
    EXPECT_EQ(problem("jp.nes", jp, "0"),
        "The backup ROM is of the Japanese release, the ROM being edited of the US release.");
    EXPECT_EQ(problem("us.nes", us, "1"),
        "The backup ROM is of the US release, the ROM being edited of the Japanese release.");
    Bytes longer = us;
    longer.push_back(0);
    EXPECT_EQ(problem("longer.nes", longer, "0"),
        "The backup ROM holds " + std::to_string(size + 1) + " bytes, the ROM being edited "
            + std::to_string(size) + ".");
    Bytes blank = us;
    blank[20] ^= 0xFF;
    EXPECT_EQ(problem("blank.nes", blank, "0"),
        "The backup ROM does not carry the release signature of the game.");
    EXPECT_EQ(problem("tiny.nes", Bytes(20, 0), "0"),
        "The backup ROM does not carry the release signature of the game.");
    // Nothing to compare the size with: only the release counts.
    EXPECT_EQ(release::backupProblem(dir.file("longer.nes"), "0", 0), "");
    // A file that cannot be read is left to whoever reads it.
    EXPECT_EQ(release::backupProblem(dir.file("gone.nes"), "0", size), "");
}
