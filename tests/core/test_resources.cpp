#include "resources/Resources.h"
#include "rom/VbError.h"
#include "support/DiskFull.h"
#include "support/PipeWatch.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <dirent.h>
#include <map>
#include <set>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

Bytes resourceBytes(const std::string &name)
{
    std::span<const uint8_t> s = res::data(name);
    return Bytes(s.begin(), s.end());
}

std::set<std::string> filesIn(const std::string &dir)
{
    std::set<std::string> out;
    if (DIR *d = ::opendir(dir.c_str())) {
        while (dirent *e = ::readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                out.insert(e->d_name);
        ::closedir(d);
    }
    return out;
}

std::vector<std::string> splitCrLf(const std::string &text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(text.substr(start, at - start));
    lines.push_back(text.substr(start));
    return lines;
}

// The picture sizes of the resource table (width, height).
std::map<std::string, std::pair<int, int>> pictureSizes()
{
    std::map<std::string, std::pair<int, int>> m;
    for (const std::string &n : res::names())
        m[n] = { 32, 32 };
    m.erase("ANIM0");
    m.erase("ANIM1");
    for (const char *n :
        { "AKU0", "AKU1", "CURSOR", "Q0", "Q1", "Q2", "Q3", "S0", "S1", "S2", "S3" })
        m[n] = { 16, 16 };
    m["DOOR"] = m["DOOR2"] = { 8, 48 };
    m["M0"] = m["M1"] = { 10, 19 };
    m["NULL"] = { 75, 75 };
    m["POS0"] = { 16, 32 };
    m["POS1"] = { 32, 64 };
    m["ROVERT"] = m["TREVOR"] = { 32, 64 };
    return m;
}

int le16(const Bytes &b, size_t at)
{
    return b[at] | (b[at + 1] << 8);
}

int be32(const Bytes &b, size_t at)
{
    return (b[at] << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

} // namespace

// The first start fills the empty folder all at once: every resource byte for byte, the
// folder's mode kept, and nothing of the writing left beside it.
TEST(Resources, FirstExtractionWritesEveryResourceByteForByte)
{
    TempDir program;
    const std::string attic = program.file("Attic");
    ASSERT_EQ(::mkdir(attic.c_str(), 0750), 0);
    // Another user's folder (where the tests may give one away) stays theirs: it is filled,
    // never replaced.
    const bool given = ::chown(attic.c_str(), 4242, 4243) == 0;
    EXPECT_TRUE(res::extractAll(attic).empty());
    res::finishFlush();
    std::set<std::string> expected;
    for (const std::string &n : res::names()) {
        expected.insert(res::fileNameFor(n));
        EXPECT_EQ(testfile::readAll(attic + "/" + res::fileNameFor(n)), resourceBytes(n)) << n;
    }
    EXPECT_EQ(filesIn(attic), expected); // 90 files and no leftovers of the writes
    EXPECT_EQ(filesIn(program.path()), std::set<std::string> { "Attic" });
    struct stat st
    {
    };
    ASSERT_EQ(::stat(attic.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0750u);
    if (given) {
        EXPECT_EQ(st.st_uid, 4242u);
        EXPECT_EQ(st.st_gid, 4243u);
    }
}

// A full disk at the first start: every file fails, one text says where and why, and no file
// is left, whole or in part, that a later start would keep.
TEST(Resources, AFullDiskAtTheFirstStartLeavesNothing)
{
    TempDir program;
    const std::string attic = program.file("Attic");
    ASSERT_EQ(::mkdir(attic.c_str(), 0755), 0);
    std::vector<res::Failure> failures;
    {
        DiskFull full(0);
        failures = res::extractAll(attic);
    }
    ASSERT_EQ(failures.size(), 90u);
    EXPECT_TRUE(filesIn(attic).empty());
    EXPECT_EQ(filesIn(program.path()), std::set<std::string> { "Attic" });
    const std::string text = res::failureText(failures, attic + "/");
    EXPECT_EQ(text.rfind("90 of the 90 files could not be written into the folder '" + attic
                      + "/' (AKU0: Cannot write '" + attic + "/aku0.dat': ",
                  0),
        0u)
        << text;

    // A folder the links lead to is filled file by file, the link kept.
    const std::string real = program.file("real");
    ASSERT_EQ(::mkdir(real.c_str(), 0755), 0);
    ASSERT_EQ(::symlink(real.c_str(), program.file("linked").c_str()), 0);
    EXPECT_TRUE(res::extractAll(program.file("linked")).empty());
    EXPECT_EQ(filesIn(real).size(), 90u);
    struct stat st
    {
    };
    ASSERT_EQ(::lstat(program.file("linked").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(Resources, ExistingFilesAreKeptAndMissingOnesComeBack)
{
    TempDir dir;
    ASSERT_TRUE(res::extractAll(dir.path()).empty());
    testfile::writeText(dir.file("pu_A1.dat"), "edited by hand");
    ASSERT_EQ(::unlink(dir.file("ca00.dat").c_str()), 0);
    // A damaged file is left alone too: deleting it is the way to have it written again.
    testfile::writeAll(dir.file("anim0.dat"), {});

    EXPECT_TRUE(res::extractAll(dir.path()).empty());
    EXPECT_EQ(testfile::readText(dir.file("pu_A1.dat")), "edited by hand");
    EXPECT_EQ(testfile::readAll(dir.file("ca00.dat")), resourceBytes("CA00"));
    EXPECT_TRUE(testfile::readAll(dir.file("anim0.dat")).empty());
    EXPECT_EQ(filesIn(dir.path()).size(), 90u);

    EXPECT_TRUE(res::extractAll(dir.path().substr(0, dir.path().size() - 1)).empty());
    EXPECT_EQ(testfile::readText(dir.file("pu_A1.dat")), "edited by hand");
}

// Folders a first start left half-filled beside the picture folder are swept once they are old;
// a young one may be another start's, under way. A folder of that name holding anything a first
// start does not write, or lacking its mark, may be the user's and is left whole.
TEST(Resources, OnlyFoldersAFirstStartLeftAreSwept)
{
    TempDir program;
    const std::string attic = program.file("Attic");
    ASSERT_EQ(::mkdir(attic.c_str(), 0755), 0);
    const std::map<std::string, std::map<std::string, std::string>> folders = {
        { "Attic.new-Ab12Cd", { { ".unflushed", "" }, { "aku0.dat", "half" } } }, // swept
        { "Attic.new-Ef34Gh", { { ".unflushed", "" } } }, // young
        { "Attic.new-backup", { { "precious.txt", "mine" } } },
        { "Attic.new-noMark", { { "aku0.dat", "mine" } } },
        { "Attic.new-mixed1", { { ".unflushed", "" }, { "notes.txt", "mine" } } },
        { "Attic.new-linked", { { ".unflushed", "" }, { "aku1.dat", "->precious" } } },
        { "Attic.new-nested", { { ".unflushed", "" }, { "an--.dat", "/" } } },
    };
    const struct timeval past[2] = { { ::time(nullptr) - 3600, 0 }, { ::time(nullptr) - 3600, 0 } };
    for (const auto &[folder, files] : folders) {
        const std::string dir = program.file(folder);
        ASSERT_EQ(::mkdir(dir.c_str(), 0755), 0);
        for (const auto &[file, content] : files) {
            const std::string at = dir + "/" + file;
            if (content == "/")
                ASSERT_EQ(::mkdir(at.c_str(), 0755), 0);
            else if (content.rfind("->", 0) == 0)
                ASSERT_EQ(::symlink(content.substr(2).c_str(), at.c_str()), 0);
            else
                testfile::writeText(at, content);
        }
        if (folder != "Attic.new-Ef34Gh") {
            ASSERT_EQ(::utimes(dir.c_str(), past), 0);
        }
    }

    ASSERT_TRUE(res::extractAll(attic).empty());
    res::finishFlush();
    std::set<std::string> kept { "Attic" };
    for (const auto &[folder, files] : folders) {
        if (folder == "Attic.new-Ab12Cd")
            continue;
        kept.insert(folder);
        std::set<std::string> names;
        for (const auto &file : files)
            names.insert(file.first);
        EXPECT_EQ(filesIn(program.file(folder)), names) << folder;
    }
    EXPECT_EQ(filesIn(program.path()), kept);
    EXPECT_EQ(testfile::readText(program.file("Attic.new-backup/precious.txt")), "mine");
}

// The machine went down before the first start's pictures reached the disk: the folder still
// has its mark, and the next start puts back every picture that did not survive, while one the
// user edited in the meantime is kept.
TEST(Resources, AFirstStartCutOffBeforeItsFlushIsMendedByTheNext)
{
    TempDir program;
    const std::string attic = program.file("Attic");
    ASSERT_EQ(::mkdir(attic.c_str(), 0755), 0);
    ASSERT_TRUE(res::extractAll(attic).empty());
    res::finishFlush();

    // What a crash leaves: the mark, pictures cut short, one never written; and what the user
    // did before the next start: a picture redrawn, one with a byte changed, one grown.
    testfile::writeText(attic + "/.unflushed", "");
    testfile::writeAll(attic + "/anim0.dat", {});
    const Bytes q0 = resourceBytes("Q0");
    testfile::writeAll(attic + "/0.dat", Bytes(q0.begin(), q0.begin() + q0.size() / 2));
    ASSERT_EQ(::unlink((attic + "/ca00.dat").c_str()), 0);
    const std::map<std::string, Bytes> edited = {
        { "pu_A1.dat", { 'e', 'd', 'i', 't', 'e', 'd' } },
        { "aku0.dat",
            [] {
                Bytes b = resourceBytes("AKU0");
                b[b.size() / 2] ^= 0xFF;
                return b;
            }() },
        { "door.dat",
            [] {
                Bytes b = resourceBytes("DOOR");
                b.push_back(0);
                return b;
            }() },
    };
    for (const auto &[file, bytes] : edited)
        testfile::writeAll(attic + "/" + file, bytes);
    // A pipe put where a picture was is never waited on, and left where it is.
    ASSERT_EQ(::unlink((attic + "/cursor.dat").c_str()), 0);
    PipeWatch pipe(attic + "/cursor.dat");
    const std::vector<res::Failure> failures = res::extractAll(attic);
    EXPECT_FALSE(pipe.opened());
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].description,
        "'" + attic
            + "/cursor.dat' is a named pipe, not a file of the program: it was left as it is");
    std::set<std::string> expected;
    for (const std::string &n : res::names()) {
        const std::string file = res::fileNameFor(n);
        expected.insert(file);
        if (file == "cursor.dat")
            continue;
        const auto kept = edited.find(file);
        EXPECT_EQ(testfile::readAll(attic + "/" + file),
            kept == edited.end() ? resourceBytes(n) : kept->second)
            << n;
    }
    EXPECT_EQ(filesIn(attic), expected); // the mark is gone too
}

TEST(Resources, FailuresAreCollectedAndTheRestStillWritten)
{
    TempDir dir;
    // A folder below a regular file can be written by nobody, root included.
    testfile::writeText(dir.file("plain"), "x");
    std::vector<res::Failure> failures = res::extractAll(dir.file("plain") + "/");
    ASSERT_EQ(failures.size(), 90u);
    for (size_t i = 0; i < failures.size(); ++i) {
        EXPECT_EQ(failures[i].name, res::names()[i]);
        EXPECT_NE(
            failures[i].description.find(res::fileNameFor(res::names()[i])), std::string::npos)
            << failures[i].description;
    }

    // A folder standing where one file belongs fails that pair only.
    ASSERT_EQ(::mkdir(dir.file("null.dat").c_str(), 0755), 0);
    failures = res::extractAll(dir.path());
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].name, "NULL");
    EXPECT_EQ(testfile::readAll(dir.file("trevor.dat")), resourceBytes("TREVOR"));
}

TEST(Resources, ReadOnlyFolderGivesOneFailureEach)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0500), 0);
    std::vector<res::Failure> failures = res::extractAll(dir.path());
    ::chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(failures.size(), 90u);
    EXPECT_TRUE(filesIn(dir.path()).empty());
}

TEST(Resources, LdifOfAnUnknownResourceThrowsAndWritesNothing)
{
    TempDir dir;
    EXPECT_THROW(res::LDIF("NOSUCH", dir.file("nosuch.dat")), VbError);
    EXPECT_TRUE(filesIn(dir.path()).empty());
    try {
        res::data("NOSUCH");
        ADD_FAILURE() << "no error for a missing resource";
    } catch (const VbError &e) {
        EXPECT_NE(std::string(e.what()).find("NOSUCH"), std::string::npos);
    }
}

TEST(Resources, FileNamesFollowTheNamingRule)
{
    const std::vector<std::string> &n = res::names();
    ASSERT_EQ(n.size(), 90u);
    // Alphabetical with "_" before the digits, as the list of the original collation has it.
    EXPECT_EQ(n.front(), "AKU0");
    EXPECT_EQ(n[42], "PU_93");
    EXPECT_EQ(n[61], "PU93");
    EXPECT_EQ(n.back(), "TREVOR");
    std::set<std::string> files;
    for (const std::string &name : n)
        files.insert(res::fileNameFor(name));
    EXPECT_EQ(files.size(), 90u);

    const std::map<std::string, std::string> cases = {
        { "AKU0", "aku0.dat" },
        { "AN", "an--.dat" },
        { "AN00", "an00.dat" },
        { "AN0A", "an0A.dat" },
        { "AN0D", "an0D.dat" },
        { "AN10", "an10.dat" },
        { "AN11", "an11.dat" },
        { "ANIM0", "anim0.dat" },
        { "ANIM1", "anim1.dat" },
        { "CA0", "ca0.dat" },
        { "CA00", "ca00.dat" },
        { "CA3", "ca3.dat" },
        { "CA30", "ca30.dat" },
        { "CURSOR", "cursor.dat" },
        { "DOOR2", "door2.dat" },
        { "EN", "en.dat" },
        { "ENP2", "enp2.dat" },
        { "M0", "m0.dat" },
        { "NULL", "null.dat" },
        { "POS1", "pos1.dat" },
        { "PU_93", "pu_93.dat" },
        { "PU_A1", "pu_A1.dat" },
        { "PU_AE", "pu_AE.dat" },
        { "PU97", "pu97.dat" },
        { "PUAA", "puAA.dat" },
        { "PUAE", "puAE.dat" },
        { "Q0", "0.dat" },
        { "Q3", "3.dat" },
        { "ROVERT", "rovert.dat" },
        { "S3", "s3.dat" },
        { "TREVOR", "trevor.dat" },
    };
    for (const auto &[name, file] : cases)
        EXPECT_EQ(res::fileNameFor(name), file) << name;

    // The names the windows build: "pu" & code, "pu_" & code, "an" & hex2(type).
    for (const char *code : { "93", "94", "95", "96", "97", "A1", "A2", "A3", "A4", "A5", "A6",
             "A7", "A8", "A9", "AA", "AB", "AC", "AD", "AE" }) {
        EXPECT_TRUE(files.count(std::string("pu") + code + ".dat")) << code;
        EXPECT_TRUE(files.count(std::string("pu_") + code + ".dat")) << code;
    }
    for (int t : { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 16, 17 }) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "an%02X.dat", t);
        EXPECT_TRUE(files.count(buf)) << buf;
    }
}

TEST(Resources, PicturesAreGif89aOfTheirTableSize)
{
    std::map<std::string, std::pair<int, int>> sizes = pictureSizes();
    ASSERT_EQ(sizes.size(), 88u);
    for (const auto &[name, size] : sizes) {
        Bytes b = resourceBytes(name);
        ASSERT_GE(b.size(), 14u) << name;
        EXPECT_EQ(std::string(b.begin(), b.begin() + 6), "GIF89a") << name;
        EXPECT_EQ(le16(b, 6), size.first) << name;
        EXPECT_EQ(le16(b, 8), size.second) << name;
        EXPECT_EQ(b.back(), 0x3B) << name; // the trailer
    }
    // The bar segments: two colours each, the full one red-orange.
    for (const char *m : { "M0", "M1" })
        EXPECT_EQ(resourceBytes(m)[10] & 0x87, 0x80) << m; // a global table of 2 entries
    Bytes m1 = resourceBytes("M1");
    EXPECT_EQ(Bytes(m1.begin() + 13, m1.begin() + 19), (Bytes { 0, 0, 0, 219, 43, 0 }));
}

TEST(Resources, DragIconsAndButtonPicturesAreEmbedded)
{
    auto pngSize = [](const std::string &name) {
        Bytes b = resourceBytes(name);
        EXPECT_EQ(Bytes(b.begin(), b.begin() + 8),
            (Bytes { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' }))
            << name;
        return std::make_pair(be32(b, 16), be32(b, 20));
    };
    EXPECT_EQ(pngSize("PAINT"), std::make_pair(32, 32));
    EXPECT_EQ(pngSize("EMPTY"), std::make_pair(32, 32));
    EXPECT_EQ(resourceBytes("PAINT")[24], 4); // 16 colours
    for (const char *b : { "BTN_PATTERN", "BTN_PALETTES", "BTN_DAMAGE", "BTN_BGM", "BTN_MISC",
             "BTN_EPAL", "BTN_EPAT" })
        EXPECT_EQ(pngSize(b), std::make_pair(25, 25)) << b;
}

TEST(Resources, TemplateTablesHaveTheirGroupsAndDifferOnlyInGroup7)
{
    const int groupSizes[] = { 7, 17, 14, 5, 2, 4, 5, 9, 4 };
    std::vector<std::vector<std::string>> files;
    for (const char *name : { "ANIM0", "ANIM1" }) {
        Bytes b = resourceBytes(name);
        ASSERT_EQ(b.size(), 1204u) << name;
        std::string text(b.begin(), b.end());
        EXPECT_NE(text.substr(text.size() - 2), "\r\n") << name;
        EXPECT_EQ(text.find('\n'), 17u) << name; // CR LF, not a lone LF
        std::vector<std::string> lines = splitCrLf(text);
        ASSERT_EQ(lines.size(), 67u) << name;
        for (const std::string &l : lines) {
            EXPECT_EQ(l.size(), 16u) << name << " " << l;
            EXPECT_EQ(l.find_first_not_of("0123456789ABCDEF"), std::string::npos) << l;
        }
        files.push_back(lines);
    }
    int line = 0;
    for (int g = 0; g < 9; ++g) {
        for (int k = 0; k < groupSizes[g]; ++k, ++line) {
            // Byte 3 of every template is its group's special type.
            EXPECT_EQ(files[0][line].substr(6, 2), files[0][line - k].substr(6, 2)) << line;
            if (g == 7)
                EXPECT_NE(files[0][line], files[1][line]) << line;
            else
                EXPECT_EQ(files[0][line], files[1][line]) << line;
        }
    }
    EXPECT_EQ(line, 67);
    EXPECT_EQ(files[0][0], "0028200160030000");
    EXPECT_EQ(files[0][54], "0080400A5D000900");
    EXPECT_EQ(files[1][54], "0080400A5C000900");
    EXPECT_EQ(files[1][66], "0370800D80000002");
}
