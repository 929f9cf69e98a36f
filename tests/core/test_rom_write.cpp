// The ROM file layer: a write lands only in the file loaded, only in a regular file, through a
// temporary copy that no planted link can redirect, and keeps the file's links, mode and owner.
#include "rom/RomFile.h"
#include "rom/SettingsFile.h"
#include "rom/TempCopy.h"
#include "support/Faults.h"
#include "support/SmallRom.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <linux/fs.h>
#include <map>
#include <optional>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/xattr.h>
#include <tuple>
#include <unistd.h>

namespace {

using smallrom::Kind;

constexpr long long pos = 5000; // a byte the tests save, away from the signature

// A test that would wait on a pipe is killed instead of hanging the run. (Not a limit on how long
// a step may take: a busy machine makes any step slow.)
struct Deadline
{
    explicit Deadline(unsigned seconds) { ::alarm(seconds); }
    ~Deadline() { ::alarm(0); }
};

struct stat statOf(const std::string &path, bool link = false)
{
    struct stat st
    {
    };
    (link ? ::lstat : ::stat)(path.c_str(), &st);
    return st;
}

bool noTempLeft(const std::string &target)
{
    for (const std::string &name : romfile::tempNames(target))
        if (::access(name.c_str(), F_OK) == 0 || statOf(name, true).st_ino != 0)
            return false;
    return true;
}

// A US ROM loaded from a fresh folder.
struct Loaded
{
    Loaded()
    {
        testfile::writeAll(path, smallrom::make(Kind::US));
        rom.load(path);
    }
    Bytes file() const { return testfile::readAll(path); }
    Bytes expect(uint8_t v) const
    {
        Bytes b = smallrom::make(Kind::US);
        b[pos - 1] = v;
        return b;
    }

    TempDir dir;
    std::string path = dir.file("game.nes");
    RomFile rom;
};

} // namespace

TEST(RomFileWrite, PatchesOnlyTheirBytesAndKeepTheMode)
{
    Loaded f;
    ::chmod(f.path.c_str(), 0640);
    f.rom.write({ { pos, { 0xAA } }, { pos + 10, { 0xBB, 0xCC } } });
    Bytes expect = f.expect(0xAA);
    expect[pos + 9] = 0xBB;
    expect[pos + 10] = 0xCC;
    EXPECT_EQ(f.file(), expect);
    EXPECT_EQ(statOf(f.path).st_mode & 0777, 0640u);
    EXPECT_EQ(f.rom.image().data(), expect);

    // A patch past the end fails and leaves the file whole, even for patches before it.
    const long long size = static_cast<long long>(expect.size());
    EXPECT_THROW(f.rom.write({ { 5, { 1 } }, { size, { 1, 2 } } }), VbError);
    EXPECT_EQ(f.file(), expect);
    EXPECT_TRUE(noTempLeft(f.path));
    // Saving nothing touches nothing, not even a missing file.
    std::remove(f.path.c_str());
    f.rom.write({});
    EXPECT_FALSE(romfile::fileExists(f.path));
    EXPECT_THROW(f.rom.write({ { pos, { 1 } } }), VbError);
    EXPECT_FALSE(romfile::fileExists(f.path));
}

// Another release, a byte changed where the edit goes or anywhere else, another size: the file
// is not the one loaded, and nothing of it is written over.
TEST(RomFileWrite, AFileChangedOnDiskIsNeverWritten)
{
    Bytes otherBytes = smallrom::make(Kind::US);
    otherBytes[pos - 1] = 0x77;
    Bytes elsewhere = smallrom::make(Kind::US);
    elsewhere[pos + 99] = 0x42; // another tool changed a byte the program does not save
    const std::vector<std::pair<const char *, Bytes>> replacements = {
        { "its release signature differs", smallrom::make(Kind::Japanese) },
        { "position 5000 ", otherBytes },
        { "position 5100 ", elsewhere },
        { "bytes long", Bytes(0x40010, 0) },
    };
    for (const auto &[why, bytes] : replacements) {
        Loaded f;
        testfile::writeAll(f.path, bytes);
        try {
            f.rom.write({ { pos, { 0x11 } } });
            ADD_FAILURE() << "written although " << why;
        } catch (const RomChanged &e) {
            EXPECT_NE(std::string(e.what()).find(why), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("changed on disk"), std::string::npos);
        }
        EXPECT_EQ(f.file(), bytes) << why;
        EXPECT_THROW(f.rom.reread(), RomChanged) << why;
        // The program's idea of the file stays what it read, so it keeps refusing.
        EXPECT_THROW(f.rom.write({ { pos, { 0x11 } } }), RomChanged);
        EXPECT_TRUE(noTempLeft(f.path));
    }
}

// The same file rewritten as it was, or only touched, is still the file loaded.
TEST(RomFileWrite, AFileRewrittenAsItWasIsStillTheFileLoaded)
{
    Loaded g;
    testfile::writeAll(g.path, smallrom::make(Kind::US));
    ::utimes(g.path.c_str(), nullptr);
    g.rom.write({ { pos, { 0x22 } } });
    EXPECT_EQ(g.file(), g.expect(0x22));
    EXPECT_EQ(g.rom.reread().data(), g.expect(0x22));
}

TEST(RomFileWrite, OnlyRegularFilesAreReadOrWrittenAndNothingWaits)
{
    Deadline deadline(60);
    Loaded f;
    std::remove(f.path.c_str());
    ASSERT_EQ(::mkfifo(f.path.c_str(), 0644), 0);
    for (auto act : { +[](RomFile &r) {
                         r.write({ { pos, { 1 } } });
                     },
             +[](RomFile &r) { r.reread(); }, +[](RomFile &r) { r.load(r.path()); } }) {
        try {
            act(f.rom);
            ADD_FAILURE() << "a named pipe was accepted";
        } catch (const VbError &e) {
            EXPECT_NE(std::string(e.what()).find("is a named pipe"), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(RomImage::load(f.path), VbError);
    IniValues v;
    EXPECT_EQ(ini::read(f.path, 7, v).size(), 1u);
    EXPECT_THROW(romfile::replaceFile(f.path, "x"), VbError);
    EXPECT_TRUE(S_ISFIFO(statOf(f.path).st_mode));
    EXPECT_THROW(RomImage::load(f.dir.path()), VbError);
    EXPECT_THROW(RomImage::load("/dev/zero"), VbError);
}

TEST(RomFileWrite, PlantedLinksAtTheTemporaryNamesAreNeverFollowed)
{
    Loaded f;
    const std::string victim = f.dir.file("victim.txt");
    testfile::writeText(victim, "keep me");
    const std::vector<std::string> names = romfile::tempNames(f.path);
    ASSERT_GE(names.size(), 2u);
    // One link at the first name: the next name is taken.
    ASSERT_EQ(::symlink(victim.c_str(), names[0].c_str()), 0);
    f.rom.write({ { pos, { 0x31 } } });
    EXPECT_EQ(f.file(), f.expect(0x31));
    EXPECT_EQ(testfile::readText(victim), "keep me");
    // Links at every name: the ROM is written in place instead.
    for (size_t i = 1; i < names.size(); ++i)
        ASSERT_EQ(::symlink(victim.c_str(), names[i].c_str()), 0);
    const ino_t inode = statOf(f.path).st_ino;
    f.rom.write({ { pos, { 0x32 } } });
    EXPECT_EQ(f.file(), f.expect(0x32));
    EXPECT_EQ(statOf(f.path).st_ino, inode);
    EXPECT_EQ(testfile::readText(victim), "keep me");
    for (const std::string &n : names)
        EXPECT_TRUE(S_ISLNK(statOf(n, true).st_mode)) << n;
}

TEST(RomFileWrite, AWriteProtectedRomIsRefusedInAWritableFolder)
{
    Loaded f;
    ::chmod(f.path.c_str(), 0444);
    try {
        f.rom.write({ { pos, { 1 } } });
        ADD_FAILURE() << "a read-only ROM was written";
    } catch (const VbError &e) {
        EXPECT_NE(std::string(e.what()).find("write-protected"), std::string::npos) << e.what();
    }
    EXPECT_EQ(f.file(), smallrom::make(Kind::US));
    EXPECT_EQ(statOf(f.path).st_mode & 0777, 0444u);
    EXPECT_TRUE(noTempLeft(f.path));
}

TEST(RomFileWrite, AnImmutableRomIsRefused)
{
    Loaded f;
    int fd = ::open(f.path.c_str(), O_RDONLY);
    int flags = 0;
    const bool set = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0
        && (flags |= FS_IMMUTABLE_FL, ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
    if (!set) {
        ::close(fd);
        GTEST_SKIP() << "this file system or user cannot set the immutable flag";
    }
    EXPECT_THROW(f.rom.write({ { pos, { 1 } } }), VbError);
    flags &= ~FS_IMMUTABLE_FL;
    ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    ::close(fd);
    EXPECT_EQ(f.file(), smallrom::make(Kind::US));
}

TEST(RomFileWrite, AHardLinkedRomShowsTheNewBytesUnderBothNames)
{
    Loaded f;
    const std::string other = f.dir.file("other-name.nes");
    ASSERT_EQ(::link(f.path.c_str(), other.c_str()), 0);
    f.rom.write({ { pos, { 0x41 } } });
    EXPECT_EQ(f.file(), f.expect(0x41));
    EXPECT_EQ(testfile::readAll(other), f.expect(0x41));
    EXPECT_EQ(statOf(f.path).st_nlink, 2u);
    EXPECT_TRUE(noTempLeft(f.path));
}

TEST(RomFileWrite, ARomReachedThroughALinkStaysALink)
{
    TempDir elsewhere;
    const std::string real = elsewhere.file("real.nes");
    testfile::writeAll(real, smallrom::make(Kind::US));
    Loaded f;
    std::remove(f.path.c_str());
    ASSERT_EQ(::symlink(real.c_str(), f.path.c_str()), 0);
    f.rom.load(f.path);
    f.rom.write({ { pos, { 0x51 } } });
    EXPECT_TRUE(S_ISLNK(statOf(f.path, true).st_mode));
    EXPECT_EQ(testfile::readAll(real), f.expect(0x51));
    EXPECT_TRUE(noTempLeft(real));
    EXPECT_TRUE(noTempLeft(f.path));
}

TEST(RomFileWrite, OwnerAndGroupAreKept)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    // Another owner: written in place, so the file stays theirs.
    Loaded f;
    ASSERT_EQ(::chown(f.path.c_str(), 4321, 4321), 0);
    ::chmod(f.path.c_str(), 0664);
    const ino_t inode = statOf(f.path).st_ino;
    f.rom.write({ { pos, { 0x61 } } });
    EXPECT_EQ(f.file(), f.expect(0x61));
    EXPECT_EQ(statOf(f.path).st_uid, 4321u);
    EXPECT_EQ(statOf(f.path).st_gid, 4321u);
    EXPECT_EQ(statOf(f.path).st_ino, inode);
    // Only another group: the new copy is given that group and the mode.
    Loaded g;
    ASSERT_EQ(::chown(g.path.c_str(), 0, 4321), 0);
    ::chmod(g.path.c_str(), 0660);
    g.rom.write({ { pos, { 0x62 } } });
    EXPECT_EQ(g.file(), g.expect(0x62));
    EXPECT_EQ(statOf(g.path).st_gid, 4321u);
    EXPECT_EQ(statOf(g.path).st_mode & 07777, 0660u);
}

TEST(RomFileWrite, AFolderThatTakesNoNewFileGetsTheBytesInPlace)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root can make files in any folder";
    Loaded f;
    ::chmod(f.dir.path().c_str(), 0555);
    f.rom.write({ { pos, { 0x71 } } });
    ::chmod(f.dir.path().c_str(), 0755);
    EXPECT_EQ(f.file(), f.expect(0x71));
}

TEST(ReplaceFile, TheSettingsFileIsWrittenTheSameSafeWay)
{
    TempDir dir;
    TempDir elsewhere;
    const std::string real = elsewhere.file("Vorlig.ini");
    const std::string path = dir.file("Vorlig.ini");
    const std::string victim = dir.file("victim.txt");
    testfile::writeText(victim, "keep me");
    // A new file is made, never through a link planted at a temporary name.
    ASSERT_EQ(::symlink(victim.c_str(), romfile::tempNames(path)[0].c_str()), 0);
    romfile::replaceFile(path, "first");
    EXPECT_EQ(testfile::readText(path), "first");
    EXPECT_EQ(testfile::readText(victim), "keep me");
    // Through a link: the file it names is rewritten, the link stays.
    std::remove(path.c_str());
    testfile::writeText(real, "old text that is longer");
    ASSERT_EQ(::symlink(real.c_str(), path.c_str()), 0);
    IniValues v;
    v.romPath = "/roms/game.nes";
    ini::write(path, v);
    EXPECT_TRUE(S_ISLNK(statOf(path, true).st_mode));
    EXPECT_EQ(testfile::readText(real), ini::text(v));
    // Hard-linked: shorter text in place, both names agree.
    const std::string second = elsewhere.file("second.ini");
    ASSERT_EQ(::link(real.c_str(), second.c_str()), 0);
    romfile::replaceFile(path, "short");
    EXPECT_EQ(testfile::readText(second), "short");
    EXPECT_EQ(testfile::readText(real), "short");
    EXPECT_EQ(testfile::readText(victim), "keep me");
    EXPECT_TRUE(noTempLeft(real));
}

namespace {

// A loaded ROM with a second name, so that every save goes in place.
struct Linked : Loaded
{
    Linked() { ::link(path.c_str(), dir.file("second.nes").c_str()); }
    static std::vector<Patch> twoEdits() { return { { pos, { 0x81 } }, { pos + 100, { 0x82 } } }; }
    Bytes edited() const
    {
        Bytes b = expect(0x81);
        b[pos + 99] = 0x82;
        return b;
    }
    std::string failure(const faults::Fault &fault)
    {
        faults::Armed armed(fault);
        try {
            rom.write(twoEdits());
        } catch (const RomChanged &e) {
            return std::string("taken for another program's change: ") + e.what();
        } catch (const VbError &e) {
            EXPECT_GE(armed.hits(), 1);
            return e.what();
        }
        return "written";
    }
};

} // namespace

// A write in place that fails part way, or once every byte went out, leaves the file as it was,
// and once the fault is gone the same save goes through.
TEST(RomFileWrite, AFailedWriteInPlaceLeavesTheFileAsItWas)
{
    using faults::Call;
    for (const auto &[what, call, skip] : { std::tuple { "second write", Call::Write, 1 },
             std::tuple { "flush", Call::Sync, 0 }, std::tuple { "close", Call::Close, 0 } }) {
        Linked f;
        const std::string text = f.failure({ call, f.path, skip, 1 });
        EXPECT_NE(
            text.find("Input/output error; the file was put back as it was"), std::string::npos)
            << what << ": " << text;
        EXPECT_EQ(f.file(), smallrom::make(Kind::US)) << what;
        EXPECT_EQ(f.rom.image().data(), smallrom::make(Kind::US)) << what;
        f.rom.write(Linked::twoEdits());
        EXPECT_EQ(f.file(), f.edited()) << what;
    }
    // The settings file written shorter in place: a failed truncate puts its old text back.
    TempDir dir;
    const std::string ini = dir.file("Vorlig.ini");
    testfile::writeText(ini, "a longer old text");
    ASSERT_EQ(::link(ini.c_str(), dir.file("other.ini").c_str()), 0);
    {
        faults::Armed armed({ Call::Truncate, ini, 0, 1 });
        EXPECT_THROW(romfile::replaceFile(ini, "short"), VbError);
    }
    EXPECT_EQ(testfile::readText(ini), "a longer old text");
}

// Where even the old bytes cannot go back, the error says so and where; the program still
// knows what the file holds, so the same save goes through once the fault is gone, without
// taking its own half-written bytes for another program's.
TEST(RomFileWrite, AWriteThatCannotBeUndoneSaysWhereAndCanBeTriedAgain)
{
    Linked f;
    const std::string text = f.failure({ faults::Call::Write, f.path, 1 });
    EXPECT_NE(text.find("may hold part of this save at positions 5000, 5100"), std::string::npos)
        << text;
    EXPECT_EQ(text.find("nothing was"), std::string::npos) << text;
    EXPECT_EQ(f.rom.image().data(), f.file());
    f.rom.write(Linked::twoEdits());
    EXPECT_EQ(f.file(), f.edited());
}

// Another program writes a byte of the ROM, or appends to it or cuts it, while the save's copy
// is made (as slow as a network disk may make it): the copy is not renamed over it, and what
// they did stays.
TEST(RomFileWrite, WhatAnotherProgramDidDuringTheSaveIsKept)
{
    const Bytes rom = smallrom::make(Kind::US);
    struct Case
    {
        const char *what;
        std::function<void(int fd, Bytes &theirs)> act;
    };
    const Case cases[] = {
        { "a byte written",
            [](int fd, Bytes &theirs) {
                theirs[pos + 99] = 0x42;
                ASSERT_EQ(::pwrite(fd, &theirs[pos + 99], 1, pos + 99), 1);
            } },
        { "16 bytes appended",
            [](int fd, Bytes &theirs) {
                const Bytes more(16, 0x5A);
                const off_t end = off_t(theirs.size());
                theirs.insert(theirs.end(), more.begin(), more.end());
                ASSERT_EQ(::pwrite(fd, more.data(), more.size(), end), 16);
            } },
        { "16 bytes cut off",
            [](int fd, Bytes &theirs) {
                theirs.resize(theirs.size() - 16);
                ASSERT_EQ(::ftruncate(fd, off_t(theirs.size())), 0);
            } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Loaded f;
        Bytes theirs = rom;
        faults::Fault theyWrite(faults::Call::Sync); // the copy's flush
        theyWrite.instead = [&] {
            const int fd = ::open(f.path.c_str(), O_WRONLY);
            c.act(fd, theirs);
            ::close(fd);
        };
        faults::Armed armed(theyWrite);
        EXPECT_THROW(f.rom.write({ { pos, { 0x11 } } }), RomChanged);
        EXPECT_EQ(armed.hits(), 1);
        EXPECT_EQ(f.file(), theirs);
        EXPECT_TRUE(noTempLeft(f.path));
    }
}

// A save hands the file the extended attributes and the access list it had, and no others,
// so that nobody gains or loses a permission through it: not its own list, nor the default
// list of its folder, which a new file there takes. Where the copy cannot be made so, the
// bytes are written in place.
TEST(RomFileWrite, AccessListAndAttributesAreKept)
{
    // entries of (tag, permissions, id): the user, a named user, the group, the mask, others
    auto acl = [](std::initializer_list<std::tuple<int, int, unsigned>> entries) {
        Bytes out = { 2, 0, 0, 0 };
        for (auto [tag, perm, id] : entries) {
            const uint8_t e[8] = { uint8_t(tag), 0, uint8_t(perm), 0, uint8_t(id), uint8_t(id >> 8),
                uint8_t(id >> 16), uint8_t(id >> 24) };
            out.insert(out.end(), e, e + 8);
        }
        return out;
    };
    // user::rw-, user:nobody:rw-, group::r--, mask::rw-, other::---
    const Bytes own = acl({ { 0x01, 6, ~0u }, { 0x02, 6, 65534u }, { 0x04, 4, ~0u },
        { 0x10, 6, ~0u }, { 0x20, 0, ~0u } });
    // user::rwx, user:nobody:rw-, group::---, mask::rw-, other::---
    const Bytes folderDefault = acl({ { 0x01, 7, ~0u }, { 0x02, 6, 65534u }, { 0x04, 0, ~0u },
        { 0x10, 6, ~0u }, { 0x20, 0, ~0u } });
    auto attrs = [](const std::string &path) {
        std::map<std::string, Bytes> out;
        std::vector<char> names(4096);
        const ssize_t n = ::listxattr(path.c_str(), names.data(), names.size());
        for (ssize_t at = 0; at < n; at += ssize_t(std::strlen(&names[size_t(at)])) + 1) {
            Bytes v(256);
            const ssize_t got = ::getxattr(path.c_str(), &names[size_t(at)], v.data(), v.size());
            v.resize(got < 0 ? 0 : size_t(got));
            out[&names[size_t(at)]] = v;
        }
        return out;
    };
    struct Case
    {
        const char *what;
        bool ownList; // the file has its own list and an attribute; else its folder a default
        std::optional<faults::Fault> fault; // on the copy, which then cannot be renamed
        bool settings = false; // the settings file, saved whole
    };
    const Case cases[] = {
        { "its own list, saved by a copy", true, {} },
        // The first attribute set is the copy's own mark, the next one the file's.
        { "its own list, the copy refuses it", true,
            faults::Fault(faults::Call::SetAttr, {}, 1, 1) },
        { "its own list, the copy keeps its mark", true,
            faults::Fault(faults::Call::RemoveAttr, {}, 0, 1) },
        { "the folder's default list, saved by a copy", false, {} },
        { "the folder's default list, the copy keeps it", false,
            faults::Fault(faults::Call::RemoveAttr, {}, 0, 1) },
        { "the settings file, the folder's default list", false, {}, true },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Loaded f;
        const std::string path = c.settings ? f.dir.file("Vorlig.ini") : f.path;
        if (c.settings)
            testfile::writeText(path, "rompath=old\r\n");
        ::chmod(path.c_str(), c.ownList ? 0640 : 0660);
        auto set = [](const std::string &at, const char *name, const Bytes &v) {
            return ::setxattr(at.c_str(), name, v.data(), v.size(), 0) == 0;
        };
        const bool kept = c.ownList
            ? set(path, "user.note", { 'm', 'y' }) && set(path, "system.posix_acl_access", own)
            : set(f.dir.path(), "system.posix_acl_default", folderDefault);
        if (!kept)
            GTEST_SKIP() << "the test folder's file system keeps no attributes or access lists";
        const auto before = attrs(path);
        const mode_t mode = statOf(path).st_mode;
        const ino_t inode = statOf(path).st_ino;
        std::optional<faults::Armed> armed;
        if (c.fault)
            armed.emplace(*c.fault);
        if (c.settings) {
            romfile::replaceFile(path, "rompath=new\r\n");
            EXPECT_EQ(testfile::readText(path), "rompath=new\r\n");
        } else {
            f.rom.write({ { pos, { 0x33 } } });
            EXPECT_EQ(f.file(), f.expect(0x33));
        }
        EXPECT_EQ(attrs(path), before);
        EXPECT_EQ(statOf(path).st_mode, mode);
        EXPECT_EQ(statOf(path).st_ino == inode, c.fault.has_value());
        EXPECT_EQ(armed ? armed->hits() : 1, 1);
        EXPECT_TRUE(noTempLeft(path));
    }
}

// Copies a crashed save left at every temporary name are removed, and the save still goes
// through a copy and a rename; what could be another's file stays: one with a second name, one
// the user gave such a name, without the mark of a copy. The saved file bears no mark.
TEST(RomFileWrite, CopiesACrashedSaveLeftAreRemovedAndNothingElse)
{
    Loaded f;
    const std::vector<std::string> names = romfile::tempNames(f.path);
    for (const std::string &n : names) {
        testfile::writeAll(n, Bytes(100, 0xEE));
        if (::setxattr(n.c_str(), romfile::copyMark, "1", 1, 0) != 0 && errno == ENOTSUP)
            GTEST_SKIP() << "the test folder's file system keeps no marks on files";
        ASSERT_EQ(::getxattr(n.c_str(), romfile::copyMark, nullptr, 0), 1);
    }
    const std::string kept = f.dir.file("kept.bin"); // a second name makes it someone's file
    ::unlink(names[3].c_str());
    testfile::writeText(kept, "keep me");
    ASSERT_EQ(::link(kept.c_str(), names[3].c_str()), 0);
    ::unlink(names[5].c_str());
    testfile::writeText(names[5], "the user's notes");
    const ino_t inode = statOf(f.path).st_ino;
    f.rom.write({ { pos, { 0x91 } } });
    EXPECT_EQ(f.file(), f.expect(0x91));
    EXPECT_NE(statOf(f.path).st_ino, inode);
    EXPECT_LT(::getxattr(f.path.c_str(), romfile::copyMark, nullptr, 0), 0);
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(::access(names[i].c_str(), F_OK) == 0, i == 3 || i == 5) << names[i];
    EXPECT_EQ(testfile::readText(names[3]), "keep me");
    EXPECT_EQ(testfile::readText(names[5]), "the user's notes");
}

// A file far larger than a ROM is refused at once, naming its size and the limit, and never
// read; the size alone tells a grown file from the one loaded.
TEST(RomFileLoad, AFileFarLargerThanARomIsRefusedUnread)
{
    Loaded f;
    ASSERT_EQ(::truncate(f.path.c_str(), 1LL << 30), 0); // sparse: nothing to read in memory
    try {
        RomFile other;
        other.load(f.path);
        ADD_FAILURE() << "a 1 GiB file was loaded";
    } catch (const VbError &e) {
        EXPECT_NE(std::string(e.what()).find("is 1073741824 bytes long"), std::string::npos)
            << e.what();
        EXPECT_NE(std::string(e.what()).find("4194304"), std::string::npos) << e.what();
    }
    EXPECT_THROW(RomImage::load(f.path), VbError);
    EXPECT_THROW(f.rom.reread(), RomChanged);
}
