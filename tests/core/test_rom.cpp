#include "rom/FileIdentity.h"
#include "rom/Numbers.h"
#include "rom/Release.h"
#include "rom/RomFile.h"
#include "rom/VbError.h"
#include "support/SmallRom.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

TEST(PtrToPos, MapsPointerNibbleAndPage)
{
    EXPECT_EQ(ptrToPos(0x34, 0x12, 0, 2), 135749);
    EXPECT_EQ(ptrToPos(0xFF, 0xFF, 8, 3), 229392); // nibble wraps once
    EXPECT_EQ(ptrToPos(0x00, 0x80, 8, 0), 17); // first PRG byte
    EXPECT_EQ(ptrToPos(0x00, 0xC0, 4, 1), 65536 + 17);
}

TEST(Hex2, PadsSingleDigitsOnly)
{
    EXPECT_EQ(num::hex2(0), "00");
    EXPECT_EQ(num::hex2(5), "05");
    EXPECT_EQ(num::hex2(15), "0F");
    EXPECT_EQ(num::hex2(171), "AB");
    EXPECT_EQ(num::hex2(256), "100");
    EXPECT_EQ(num::hex2(300), "12C");
}

TEST(Numbers, RoundHalfToEvenAndRangeChecks)
{
    EXPECT_EQ(num::roundEven(2.5), 2);
    EXPECT_EQ(num::roundEven(3.5), 4);
    EXPECT_EQ(num::roundEven(-2.5), -2);
    EXPECT_EQ(num::imod(-7, 2), -1);
    EXPECT_EQ(num::idiv(-7, 2), -3);
    EXPECT_THROW(num::toByte(256), VbError);
    EXPECT_THROW(num::toByte(-1), VbError);
    EXPECT_THROW(num::toInt16(32768), VbError);
    EXPECT_EQ(num::hexVal("&H1f"), 31);
    EXPECT_THROW(num::hexVal("&HXY"), VbError);
    EXPECT_THROW(num::hexVal(""), VbError);
}

TEST(Release, SignatureDecidesReleaseExactly)
{
    Bytes us = smallrom::make(smallrom::Kind::US);
    Bytes jp = smallrom::make(smallrom::Kind::Japanese);
    auto sigOf = [](const Bytes &rom) {
        return release::signatureText(Bytes(rom.begin() + 16, rom.begin() + 32));
    };
    EXPECT_EQ(release::check(sigOf(us), ""), "0");
    EXPECT_EQ(release::check(sigOf(jp), "0"), "1");
    // One digit off: the release stays what it was.
    std::string off = sigOf(us);
    off[31] = '1';
    EXPECT_EQ(release::check(off, "1"), "1");
    EXPECT_EQ(release::check(off, ""), "");
    // Lower-case digits never match.
    std::string lower = release::usSignature;
    for (char &c : lower)
        c = static_cast<char>(std::tolower(c));
    EXPECT_EQ(release::check(lower, " "), " ");
}

TEST(RomImage, ReadsOutsideTheFileAreErrors)
{
    RomImage rom(Bytes(40976, 7));
    EXPECT_EQ(rom.byte(1), 7);
    EXPECT_EQ(rom.byte(40976), 7);
    try {
        rom.byte(262161);
        FAIL();
    } catch (const VbError &e) {
        EXPECT_STREQ(e.what(), "position 262161 lies outside the 40976-byte ROM file");
    }
    EXPECT_THROW(rom.byte(0), VbError);
    EXPECT_THROW(rom.bytes(40970, 8), VbError);
    EXPECT_THROW(rom.put(40976, { 1, 2 }), VbError);
    EXPECT_THROW(rom.word(40976), VbError);

    // Bytes read straight from the file are checked the same way.
    TempDir dir;
    testfile::writeAll(dir.file("game.nes"), rom.data());
    EXPECT_EQ(romfile::read(dir.file("game.nes"), 40975, 2), Bytes({ 7, 7 }));
    try {
        romfile::read(dir.file("game.nes"), 40970, 8);
        FAIL();
    } catch (const VbError &e) {
        EXPECT_STREQ(e.what(), "position 40977 lies outside the 40976-byte ROM file");
    }
}

// Paths name one file by where they lead; their text only counts when nothing exists there.
TEST(SameFile, FollowsTheFileNotTheText)
{
    TempDir dir;
    const std::string rom = dir.file("game.nes");
    testfile::writeText(rom, "ROM");
    testfile::writeText(dir.file("GAME.nes"), "ROM");
    std::filesystem::create_symlink(rom, dir.file("link.nes"));
    ASSERT_EQ(::link(rom.c_str(), dir.file("hard.nes").c_str()), 0);
    ::mkdir(dir.file("sub").c_str(), 0755);

    EXPECT_TRUE(romfile::sameFile(rom, rom));
    EXPECT_TRUE(romfile::sameFile(rom, dir.path() + "./game.nes"));
    EXPECT_TRUE(romfile::sameFile(rom, dir.path() + "sub/../game.nes"));
    EXPECT_TRUE(romfile::sameFile(rom, dir.file("link.nes")));
    EXPECT_TRUE(romfile::sameFile(dir.file("hard.nes"), rom));
    EXPECT_FALSE(romfile::sameFile(rom, dir.file("GAME.nes"))); // two files
    EXPECT_FALSE(romfile::sameFile(rom, dir.file("gone.nes")));
    EXPECT_FALSE(romfile::sameFile(rom, ""));

    // Files not there (yet): their canonical paths decide.
    EXPECT_TRUE(romfile::sameFile(dir.file("new.nes"), dir.path() + "sub/../new.nes"));
    EXPECT_FALSE(romfile::sameFile(dir.file("new.nes"), dir.file("NEW.nes")));
    EXPECT_TRUE(romfile::sameFile("", ""));
}
