#include "resources/Resources.h"

#include "resources/Embedded.h"
#include "rom/OpenFile.h"
#include "rom/RomFile.h"
#include "rom/VbError.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <set>
#include <thread>

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
    struct stat st
    {
    };
    if (::lstat(fileName.c_str(), &st) == 0) {
        const bool leads = ::stat(fileName.c_str(), &st) == 0;
        throw VbError("'" + fileName + "' is "
            + (leads ? romfile::kindText(st.st_mode) : "a link that leads nowhere")
            + ", not a file of the program: it was left as it is");
    }
    std::span<const uint8_t> bytes = data(dataName);
    romfile::replaceFile(fileName, std::string(bytes.begin(), bytes.end()));
}

std::string pictureFault(const std::string &path, const std::string &what)
{
    return "The program's own picture file '" + path + "' " + what
        + " (the ROM is not affected; delete the file and the next start writes it again)";
}

Bytes readPicture(const std::string &path)
{
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw VbError("File not found: " + path);
        throw VbError(pictureFault(path, std::string("cannot be read: ") + std::strerror(errno)));
    }
    if (!S_ISREG(st.st_mode))
        throw VbError(pictureFault(
            path, std::string("is ") + romfile::kindText(st.st_mode) + ", not a picture"));
    Bytes bytes;
    try {
        bytes = romfile::readFilePrefix(path, pictureLimit + 1);
    } catch (const std::exception &e) {
        throw VbError(pictureFault(path, std::string("cannot be read (") + e.what() + ")"));
    }
    if (bytes.size() > pictureLimit)
        throw VbError(pictureFault(path, "is a file larger than 1 MiB, too large for a picture"));
    return bytes;
}

namespace {

// Present in the picture folder from the moment its pictures are written until they are known to
// be on the disk. A start that finds it (the machine went down before the flush ended) puts back
// the pictures that did not survive, and only those: a picture the user edited in the meantime is
// kept, with or without the mark.
const char *const unflushedMark = ".unflushed";

void writeWhole(int fd, std::span<const uint8_t> bytes, const std::string &file)
{
    for (size_t done = 0; done < bytes.size();) {
        ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            throw VbError("Cannot write '" + file + "'");
        done += static_cast<size_t>(w);
    }
}

// Creates file in the new folder open as dirFd with the bytes given. Throws on any failure.
void createIn(int dirFd, const std::string &file, std::span<const uint8_t> bytes)
{
    int fd = ::openat(dirFd, file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        throw VbError("Cannot write '" + file + "'");
    try {
        writeWhole(fd, bytes, file);
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (::close(fd) != 0)
        throw VbError("Cannot write '" + file + "'");
}

// True when file is missing or holds a strict beginning of bytes (nothing at all included): what a
// write cut off by a crash leaves. A file that cannot be read, or holds anything else, may be the
// user's and is not the program's to replace.
bool cutShort(const std::string &file, std::span<const uint8_t> bytes)
{
    struct stat st
    {
    };
    if (::lstat(file.c_str(), &st) != 0)
        return errno == ENOENT;
    if (!S_ISREG(st.st_mode) || static_cast<uint64_t>(st.st_size) >= bytes.size())
        return false;
    Bytes held;
    try {
        held = romfile::readFilePrefix(file, bytes.size());
    } catch (const std::exception &) {
        return false;
    }
    return held.size() < bytes.size() && std::equal(held.begin(), held.end(), bytes.begin());
}

void syncPath(const std::string &path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The regular file name in the folder open as dirFd, opened for reading, or -1. Nothing else is
// opened: a pipe would wait for a writer, a device may do anything.
int openRegularAt(int dirFd, const std::string &name)
{
    struct stat st
    {
    };
    if (::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
        return -1;
    const int fd = ::openat(dirFd, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Puts every picture of dir, and dir itself, on the disk. The writeback of the whole set is
// started before the first wait, so the waits find it done together instead of each file costing
// a round trip of its own. A picture that is gone, or is a link or anything but a regular file
// now, is the user's and left out.
// False when anything failed to reach the disk.
bool flushPictures(const std::string &dir)
{
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        return false;
    std::vector<int> fds;
    fds.reserve(names().size());
    for (const std::string &name : names()) {
        const int fd = openRegularAt(dirFd, fileNameFor(name));
        if (fd < 0)
            continue;
        ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
        fds.push_back(fd);
    }
    bool ok = true;
    for (int fd : fds) {
        ok = ::fsync(fd) == 0 && ok;
        ::close(fd);
    }
    ok = ::fsync(dirFd) == 0 && ok;
    ::close(dirFd);
    return ok;
}

// Writes again every picture a crash cut short or left out; false when one cannot be.
bool mendCutShort(const std::string &dir)
{
    for (const std::string &name : names()) {
        const std::string file = dir + fileNameFor(name);
        const std::span<const uint8_t> bytes = data(name);
        if (!cutShort(file, bytes))
            continue;
        try {
            romfile::replaceFile(file, std::string(bytes.begin(), bytes.end()));
        } catch (const std::exception &) {
            return false;
        }
    }
    return true;
}

// Puts the pictures of a folder that carries the mark on the disk, then takes the mark away.
// With check, a picture a crash cut short or left out is written again first. Whatever fails,
// the mark stays: the next start tries again.
void settle(const std::string &dir, bool check)
{
    if ((check && !mendCutShort(dir)) || !flushPictures(dir))
        return;
    if (::unlink((dir + unflushedMark).c_str()) == 0)
        syncPath(dir);
}

// The flush of a first start runs beside the program, so the window does not wait for the disk;
// the program waits for it only when it ends. It yields the processor to the window being built:
// the disk is what it waits for, and the window is what the user waits for.
struct Flusher
{
    std::thread running;
    void start(std::string dir)
    {
        finish();
        running = std::thread([dir = std::move(dir)] {
            ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 19);
            settle(dir, false);
        });
    }
    void finish()
    {
        if (running.joinable())
            running.join();
    }
    ~Flusher() { finish(); }
};

Flusher &flusher()
{
    static Flusher f;
    return f;
}

bool isEmptyDir(const std::string &dir)
{
    std::error_code ec;
    return std::filesystem::is_empty(dir, ec) && !ec;
}

// Every name a first start writes into its new folder: the mark and the resource files.
const std::set<std::string> &writtenNames()
{
    static const std::set<std::string> written = [] {
        std::set<std::string> s { unflushedMark };
        for (const std::string &n : names())
            s.insert(fileNameFor(n));
        return s;
    }();
    return written;
}

// Removes the files named from dir, then dir itself once that leaves it empty: nothing of
// another name is ever removed, so a folder someone else filled stays.
template <typename Names> void removeWritten(const std::string &dir, const Names &files)
{
    for (const std::string &f : files)
        ::unlink((dir + "/" + f).c_str());
    ::rmdir(dir.c_str());
}

// The entries of dir when it is what a first start leaves: its mark, and beside it nothing but
// regular files of the names it writes. Anything else (no mark, a file of another name, a link,
// a folder) may be the user's, and then nothing is returned.
std::vector<std::string> leftoverFiles(const std::string &dir)
{
    DIR *d = ::opendir(dir.c_str());
    if (!d)
        return {};
    std::vector<std::string> files;
    bool ours = true;
    bool marked = false;
    while (const dirent *e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        struct stat st
        {
        };
        ours = ours && writtenNames().count(name) != 0
            && ::fstatat(::dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(st.st_mode);
        marked = marked || name == unflushedMark;
        files.push_back(name);
    }
    ::closedir(d);
    return ours && marked ? files : std::vector<std::string> {};
}

// Folders "<folder>.new-XXXXXX" that a first start left behind when it was cut off; one a start
// running right now may still be filling is younger than a minute and kept. Only the files a
// first start writes are removed, one by one, and the folder only once that leaves it empty.
void sweepLeftovers(const std::string &folder)
{
    namespace fs = std::filesystem;
    const fs::path path(folder);
    const std::string prefix = path.filename().string() + ".new-";
    std::error_code ec;
    for (const fs::directory_entry &e : fs::directory_iterator(path.parent_path(), ec)) {
        const std::string name = e.path().filename().string();
        struct stat st
        {
        };
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0
            || ::lstat(e.path().c_str(), &st) != 0 || !S_ISDIR(st.st_mode)
            || st.st_uid != ::geteuid() || ::time(nullptr) - st.st_mtime < 60)
            continue;
        const std::vector<std::string> files = leftoverFiles(e.path());
        if (!files.empty())
            removeWritten(e.path(), files);
    }
}

// The first start finds the folder empty: every picture is written into a folder of its own
// beside it, with the mark, and that folder renamed into place; the flush then runs beside the
// program. A crash before the rename leaves the folder empty (filled at the next start), one
// after it leaves the mark, so a later start never keeps a half-written picture. False when this
// did not work out; nothing is left behind then.
bool fillEmptyFolder(const std::string &dir)
{
    const std::string folder = dir.substr(0, dir.size() - 1);
    struct stat st
    {
    };
    // A link is left as it is; a folder the user may not write is not replaced, nor is one of
    // another owner (a new folder would be this user's).
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || !isEmptyDir(folder)
        || ::access(folder.c_str(), W_OK) != 0 || st.st_uid != ::geteuid())
        return false;
    sweepLeftovers(folder);
    std::string tmpl = folder + ".new-XXXXXX";
    if (!::mkdtemp(tmpl.data()))
        return false;
    // The files are made relative to the new folder: no path is looked up again for each.
    const int dirFd = ::open(tmpl.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    bool written = dirFd >= 0;
    try {
        if (written) {
            createIn(dirFd, unflushedMark, {});
            for (const std::string &name : names())
                createIn(dirFd, fileNameFor(name), data(name));
        }
    } catch (...) {
        written = false;
    }
    if (dirFd >= 0)
        ::close(dirFd);
    // The new folder takes the old one's group and mode, or does not take its place.
    if (!written || ::chown(tmpl.c_str(), static_cast<uid_t>(-1), st.st_gid) != 0
        || ::chmod(tmpl.c_str(), st.st_mode & 07777) != 0
        || ::rename(tmpl.c_str(), folder.c_str()) != 0) {
        removeWritten(tmpl, writtenNames());
        return false;
    }
    flusher().start(dir);
    return true;
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
    flusher().finish(); // a flush under way takes the mark away itself
    if (romfile::fileExists(dir + unflushedMark))
        settle(dir, true);
    for (const std::string &name : names()) {
        try {
            LDIF(name, dir + fileNameFor(name));
        } catch (const std::exception &e) {
            failures.push_back({ name, e.what() });
        }
    }
    return failures;
}

void finishFlush()
{
    flusher().finish();
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
