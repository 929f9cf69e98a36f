#include "rom/OpenFile.h"

#include "rom/FileIo.h"
#include "rom/TempCopy.h"
#include "rom/VbError.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

using romfile::io::sameFile;
using romfile::io::sysText;

// A crash may leave a copy behind, and another program may have planted anything at these
// names: a few fixed names, each taken only if nothing is there yet or a copy left behind.
constexpr int tempNameCount = 8;

[[noreturn]] void notFound(const std::string &path)
{
    throw VbError("File not found: " + path);
}

[[noreturn]] void openFailed(const std::string &path)
{
    if (errno == ENOENT || errno == ENOTDIR)
        notFound(path);
    throw VbError(sysText("Cannot open", path));
}

// Where a write lands: a link is followed once, so that the link itself stays a link.
std::string resolved(const std::string &path)
{
    char buf[PATH_MAX];
    if (!::realpath(path.c_str(), buf))
        openFailed(path);
    return buf;
}

// Throws unless st is a regular file: nothing else is ever opened, so no read or write can
// wait on a pipe or touch a device.
void requireRegular(const struct stat &st, const std::string &path)
{
    if (!S_ISREG(st.st_mode))
        throw VbError("'" + path + "' is " + romfile::kindText(st.st_mode)
            + ", not a regular file: nothing was read or written");
}

} // namespace

namespace romfile {

std::vector<std::string> tempNames(const std::string &target)
{
    std::vector<std::string> out;
    for (int k = 0; k < tempNameCount; ++k)
        out.push_back(target + ".vorlig-save" + (k == 0 ? std::string() : "-" + std::to_string(k)));
    return out;
}

OpenFile::OpenFile(const std::string &path) : m_path(path), m_target(resolved(path))
{
    struct stat before
    {
    };
    if (::stat(m_target.c_str(), &before) != 0)
        openFailed(path);
    requireRegular(before, path);
    m_fd = ::open(m_target.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (m_fd < 0)
        openFailed(path);
    // Replaced between the look and the opening: refuse rather than read something else.
    if (::fstat(m_fd, &m_st) != 0 || !S_ISREG(m_st.st_mode) || !sameFile(m_st, before)) {
        ::close(m_fd);
        m_fd = -1;
        throw VbError("File changed while opened: " + path);
    }
}

OpenFile::~OpenFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

long long OpenFile::sizeNow() const
{
    struct stat st
    {
    };
    if (::fstat(m_fd, &st) != 0)
        throw VbError(sysText("Cannot read", m_path));
    return static_cast<long long>(st.st_size);
}

Bytes OpenFile::readAll() const
{
    return readPrefix(SIZE_MAX);
}

// Read to the end the file has while it is read, not the end it had when opened or stat'ed:
// bytes another program appended meanwhile are read too, a cut is seen as the end.
Bytes OpenFile::readPrefix(size_t max) const
{
    Bytes data(std::min(max, static_cast<size_t>(sizeNow())));
    size_t got = 0;
    while (got < max) {
        if (got == data.size()) {
            uint8_t probe = 0; // whether the file goes on past the size taken
            if (readSome(&probe, 1, got) == 0)
                break;
            data.resize(std::min(max, std::max(data.size() * 2, got + 4096)));
            data[got++] = probe;
            continue;
        }
        const size_t r = readSome(data.data() + got, data.size() - got, got);
        if (r == 0)
            break;
        got += r;
    }
    data.resize(got);
    return data;
}

size_t OpenFile::readSome(uint8_t *to, size_t n, size_t offset) const
{
    for (;;) {
        const ssize_t r = ::pread(m_fd, to, n, static_cast<off_t>(offset));
        if (r >= 0)
            return static_cast<size_t>(r);
        if (errno != EINTR)
            throw VbError(sysText("Cannot read", m_path));
    }
}

Bytes OpenFile::readAt(long long pos, long long n) const
{
    checkRange(pos, n, size());
    Bytes data(static_cast<size_t>(n));
    readInto(data.data(), data.size(), pos - 1);
    return data;
}

void OpenFile::readInto(uint8_t *to, size_t n, long long offset) const
{
    size_t got = 0;
    while (got < n) {
        const size_t r = readSome(to + got, n - got, static_cast<size_t>(offset) + got);
        if (r == 0)
            throw VbError("File changed while read: " + m_path);
        got += r;
    }
}

// The write bits are what the user set to protect a file, so they count even for a process
// that could write past them; the immutable and append-only flags likewise.
void OpenFile::refuseWriteProtected() const
{
    if ((m_st.st_mode & 0222) == 0)
        throw VbError("'" + m_path + "' is write-protected: nothing was written");
    // Write bits that are set and still refuse: the file system, or the file's owner, does.
    if (::faccessat(AT_FDCWD, m_target.c_str(), W_OK, AT_EACCESS) != 0)
        throw VbError(errno == EROFS
                ? "'" + m_path + "' lies on a file system mounted read-only: nothing was written"
                : sysText("Cannot write", m_path) + ": nothing was written");
    int flags = 0;
    if (::ioctl(m_fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & (FS_IMMUTABLE_FL | FS_APPEND_FL)))
        throw VbError("'" + m_path + "' is marked immutable: nothing was written");
}

void OpenFile::replace(
    const Bytes &content, const std::vector<Patch> &changed, const Check &stillSame) const
{
    refuseWriteProtected();
    // A new file would leave the other names on the old bytes and take this user as its owner.
    const bool keepInode = m_st.st_nlink > 1 || m_st.st_uid != ::geteuid();
    if (!keepInode && replaceByRename(content, stillSame))
        return;
    writeInPlace(content, changed, stillSame);
}

// False when no temporary copy with the file's group and its extended attributes, and no
// others, can be made beside it.
bool OpenFile::replaceByRename(const Bytes &content, const Check &stillSame) const
{
    TempCopy tmp(m_target, 0600);
    if (!tmp.made())
        return false;
    struct stat st
    {
    };
    if (::fstat(tmp.fd(), &st) != 0)
        throw VbError(sysText("Cannot write", m_path));
    if (st.st_gid != m_st.st_gid && ::fchown(tmp.fd(), static_cast<uid_t>(-1), m_st.st_gid) != 0)
        return false;
    if (::fchmod(tmp.fd(), m_st.st_mode & 07777) != 0)
        throw VbError(sysText("Cannot write", m_path));
    // After the mode: an access list sets the group bits to its mask again.
    if (!tmp.takeAttributes(m_fd))
        return false;
    if (!tmp.fill(content.data(), content.size(), m_path))
        return false;
    // Whatever another program wrote into the file while the copy was made would be lost.
    if (stillSame)
        stillSame();
    // The name must still lead to the file checked, or the rename would hide another one.
    struct stat now
    {
    };
    if (::stat(m_target.c_str(), &now) != 0 || !sameFile(now, m_st))
        throw VbError("File changed while saved: " + m_path);
    return tmp.commit(m_target, m_path);
}

void checkRomSize(const std::string &path, long long size)
{
    if (size > maxRomSize)
        throw VbError("'" + path + "' is " + std::to_string(size)
            + " bytes long, far more than a ROM of the game (" + std::to_string(gameRomSize)
            + " bytes); no file over " + std::to_string(maxRomSize)
            + " bytes is read as a ROM: nothing was read");
}

Bytes readRom(const std::string &path)
{
    OpenFile f(path);
    checkRomSize(path, f.size());
    Bytes rom = f.readPrefix(static_cast<size_t>(maxRomSize) + 1); // it may grow meanwhile
    checkRomSize(path, static_cast<long long>(rom.size()));
    return rom;
}

Bytes readFilePrefix(const std::string &path, size_t max)
{
    return OpenFile(path).readPrefix(max);
}

void replaceFile(const std::string &path, const std::string &content)
{
    const Bytes bytes(content.begin(), content.end());
    struct stat st
    {
    };
    if (::lstat(path.c_str(), &st) == 0 || errno != ENOENT) {
        OpenFile(path).replace(bytes, { { 1, bytes } });
        return;
    }
    // A new file: the process's usual mode for new files.
    TempCopy tmp(path, 0666);
    if (!tmp.made())
        throw VbError(sysText("Cannot write", path));
    if (!tmp.fill(bytes.data(), bytes.size(), path))
        throw VbError(sysText("Cannot write", path, ENOSPC));
    if (!tmp.commit(path, path))
        throw VbError(sysText("Cannot write", path));
}

const char *kindText(mode_t m)
{
    if (S_ISREG(m))
        return "a file";
    if (S_ISFIFO(m))
        return "a named pipe";
    if (S_ISDIR(m))
        return "a folder";
    if (S_ISCHR(m) || S_ISBLK(m))
        return "a device";
    if (S_ISSOCK(m))
        return "a socket";
    return "a special file";
}

bool fileExists(const std::string &path)
{
    struct stat st
    {
    };
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool dirExists(const std::string &path)
{
    struct stat st
    {
    };
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace romfile
