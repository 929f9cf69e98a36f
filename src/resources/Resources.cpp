#include "resources/Resources.h"

#include "resources/Embedded.h"
#include "rom/RomFile.h"
#include "rom/VbError.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace res {

namespace {

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

} // namespace

const std::vector<std::string> &names()
{
    static const std::vector<std::string> list = {
        "AKU0",
        "AKU1",
        "AN",
        "AN00",
        "AN01",
        "AN02",
        "AN03",
        "AN04",
        "AN05",
        "AN06",
        "AN07",
        "AN08",
        "AN09",
        "AN0A",
        "AN0B",
        "AN0C",
        "AN0D",
        "AN10",
        "AN11",
        "ANIM0",
        "ANIM1",
        "CA0",
        "CA00",
        "CA1",
        "CA10",
        "CA2",
        "CA20",
        "CA3",
        "CA30",
        "CURSOR",
        "DOOR",
        "DOOR2",
        "EN",
        "EN2",
        "ENP",
        "ENP2",
        "M0",
        "M1",
        "NULL",
        "POS0",
        "POS1",
        "POS2",
        "PU_93",
        "PU_94",
        "PU_95",
        "PU_96",
        "PU_97",
        "PU_A1",
        "PU_A2",
        "PU_A3",
        "PU_A4",
        "PU_A5",
        "PU_A6",
        "PU_A7",
        "PU_A8",
        "PU_A9",
        "PU_AA",
        "PU_AB",
        "PU_AC",
        "PU_AD",
        "PU_AE",
        "PU93",
        "PU94",
        "PU95",
        "PU96",
        "PU97",
        "PUA1",
        "PUA2",
        "PUA3",
        "PUA4",
        "PUA5",
        "PUA6",
        "PUA7",
        "PUA8",
        "PUA9",
        "PUAA",
        "PUAB",
        "PUAC",
        "PUAD",
        "PUAE",
        "Q0",
        "Q1",
        "Q2",
        "Q3",
        "ROVERT",
        "S0",
        "S1",
        "S2",
        "S3",
        "TREVOR",
    };
    return list;
}

std::string fileNameFor(const std::string &name)
{
    if (name == "AN")
        return "an--.dat";
    if (name.size() == 2 && name[0] == 'Q' && name[1] >= '0' && name[1] <= '3')
        return name.substr(1) + ".dat";
    std::string s;
    for (char c : name)
        s += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    // A trailing code of exactly two hexadecimal digits (the type of AN0A, the content of
    // PU_A1) keeps its case; "CA0" ends in three hex characters and is no such code.
    size_t run = 0;
    while (run < name.size() && isHexDigit(name[name.size() - 1 - run]))
        ++run;
    if (run == 2)
        s.replace(s.size() - 2, 2, name.substr(name.size() - 2));
    return s + ".dat";
}

std::span<const uint8_t> data(const std::string &name)
{
    for (std::size_t i = 0; i < embedded::count; ++i) {
        const embedded::Entry &e = embedded::entries[i];
        if (name == e.name)
            return { e.bytes, e.size };
    }
    throw VbError("Resource with identifier '" + name + "' not found");
}

void LDIF(const std::string &dataName, const std::string &fileName)
{
    if (romfile::fileExists(fileName))
        return;
    std::span<const uint8_t> bytes = data(dataName);
    romfile::replaceFile(fileName, std::string(bytes.begin(), bytes.end()));
}

namespace {

// Writes every resource into the new folder dir, flushes them all to the disk in one go and
// closes them. Throws on any failure.
void writeAllInto(const std::string &dir)
{
    std::vector<int> open;
    try {
        for (const std::string &name : names()) {
            const std::string file = dir + fileNameFor(name);
            int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            if (fd < 0)
                throw VbError("Cannot write '" + file + "'");
            open.push_back(fd);
            std::span<const uint8_t> bytes = data(name);
            for (size_t done = 0; done < bytes.size();) {
                ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
                if (w < 0 && errno == EINTR)
                    continue;
                if (w <= 0)
                    throw VbError("Cannot write '" + file + "'");
                done += static_cast<size_t>(w);
            }
        }
        // All files go to the disk together: their writing is started at once, then each is
        // waited for, so the flushes overlap instead of following one another (one flush after
        // each file is what made the first start slow).
        for (int fd : open)
            ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
        for (int fd : open)
            if (::fdatasync(fd) != 0)
                throw VbError("Cannot write '" + dir + "'");
    } catch (...) {
        for (int fd : open)
            ::close(fd);
        throw;
    }
    for (int fd : open)
        if (::close(fd) != 0)
            throw VbError("Cannot write '" + dir + "'");
}

bool isEmptyDir(const std::string &dir)
{
    std::error_code ec;
    return std::filesystem::is_empty(dir, ec) && !ec;
}

// The first start finds the folder empty: every picture is written into a folder of its own
// beside it, flushed once, and that folder renamed into place. A crash at any moment leaves the
// folder either empty (and filled at the next start) or whole, never with a half-written
// picture that a later start would keep. False when this did not work out; nothing is left
// behind then.
bool fillEmptyFolder(const std::string &dir)
{
    const std::string folder = dir.substr(0, dir.size() - 1);
    struct stat st
    {
    };
    // A link is left as it is; a folder the user may not write is not replaced.
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || !isEmptyDir(folder)
        || ::access(folder.c_str(), W_OK) != 0)
        return false;
    std::string tmpl = folder + ".new-XXXXXX";
    if (!::mkdtemp(tmpl.data()))
        return false;
    try {
        writeAllInto(tmpl + "/");
        if (::chmod(tmpl.c_str(), st.st_mode & 07777) != 0
            || ::rename(tmpl.c_str(), folder.c_str()) != 0)
            throw VbError("Cannot write '" + folder + "'");
        return true;
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove_all(tmpl, ec);
        return false;
    }
}

} // namespace

std::vector<Failure> extractAll(const std::string &folder)
{
    std::string dir = folder;
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    std::vector<Failure> failures;
    if (fillEmptyFolder(dir))
        return failures;
    for (const std::string &name : names()) {
        try {
            LDIF(name, dir + fileNameFor(name));
        } catch (const std::exception &e) {
            failures.push_back({ name, e.what() });
        }
    }
    return failures;
}

std::string failureText(const std::vector<Failure> &failures, const std::string &folder)
{
    if (failures.empty())
        return {};
    return std::to_string(failures.size()) + " of the " + std::to_string(names().size())
        + " files could not be written into the folder '" + folder + "' (" + failures.front().name
        + ": " + failures.front().description + ")";
}

} // namespace res
