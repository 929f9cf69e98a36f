#include "rom/OpenFile.h"

#include "rom/VbError.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// A crash may leave a copy behind, and another program may have planted anything at these
// names: a few fixed names, each taken only if nothing is there yet.
constexpr int tempNameCount = 8;

std::string sysText(const std::string &what, const std::string &path, int e = errno)
{
    return what + " '" + path + "': " + std::strerror(e);
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

const char *kindOf(mode_t m)
{
    if (S_ISFIFO(m))
        return "a named pipe";
    if (S_ISDIR(m))
        return "a folder";
    if (S_ISCHR(m) || S_ISBLK(m))
        return "a device";
    if (S_ISSOCK(m))
        return "a socket";
    return "not a regular file";
}

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
        throw VbError("'" + path + "' is " + kindOf(st.st_mode)
            + ", not a ROM file: nothing was read or written");
}

// 0, or the error that stopped the write.
int writeAll(int fd, const uint8_t *p, size_t n, off_t at)
{
    while (n > 0) {
        ssize_t w = ::pwrite(fd, p, n, at);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return w == 0 ? EIO : errno;
        p += w;
        at += w;
        n -= static_cast<size_t>(w);
    }
    return 0;
}

bool diskFull(int e)
{
    return e == ENOSPC || e == EDQUOT;
}

std::string folderOf(const std::string &path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// After a rename the new name lives in the folder: flush it too. A folder that cannot be
// flushed changes nothing about the file, which holds its bytes already.
void syncFolder(const std::string &path)
{
    int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// A temporary file beside the target, made by this process alone (never through a link, never
// over anything already there); removed again unless committed.
class TempCopy
{
public:
    TempCopy(const std::string &target, mode_t createMode)
    {
        for (const std::string &name : romfile::tempNames(target)) {
            m_fd = ::open(
                name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, createMode);
            if (m_fd >= 0) {
                m_name = name;
                return;
            }
            if (errno != EEXIST)
                return;
        }
    }
    ~TempCopy()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_name.empty())
            ::unlink(m_name.c_str());
    }
    TempCopy(const TempCopy &) = delete;
    TempCopy &operator=(const TempCopy &) = delete;

    bool made() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

    // Writes and flushes content; false when the disk is full (the caller may go on another
    // way), throws on any other failure.
    bool fill(const uint8_t *data, size_t n, const std::string &path)
    {
        int e = writeAll(m_fd, data, n, 0);
        if (e == 0 && ::fsync(m_fd) != 0)
            e = errno;
        if (e != 0 && !diskFull(e))
            throw VbError(sysText("Cannot write", path, e));
        return e == 0;
    }

    void commit(const std::string &target, const std::string &path)
    {
        int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            throw VbError(sysText("Cannot write", path));
        if (::rename(m_name.c_str(), target.c_str()) != 0)
            throw VbError(sysText("Cannot write", path));
        m_name.clear();
        syncFolder(target);
    }

private:
    int m_fd = -1;
    std::string m_name;
};

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

Bytes OpenFile::readAll() const
{
    Bytes data(static_cast<size_t>(m_st.st_size));
    readInto(data.data(), data.size(), 0);
    return data;
}

Bytes OpenFile::readPrefix(size_t max) const
{
    Bytes data(std::min(max, static_cast<size_t>(m_st.st_size)));
    readInto(data.data(), data.size(), 0);
    return data;
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
        ssize_t r = ::pread(
            m_fd, to + got, n - got, static_cast<off_t>(offset) + static_cast<off_t>(got));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            throw VbError(sysText("Cannot read", m_path));
        if (r == 0)
            throw VbError("File changed while read: " + m_path);
        got += static_cast<size_t>(r);
    }
}

// The write bits are what the user set to protect a file, so they count even for a process
// that could write past them; the immutable and append-only flags likewise.
void OpenFile::refuseWriteProtected() const
{
    if ((m_st.st_mode & 0222) == 0
        || ::faccessat(AT_FDCWD, m_target.c_str(), W_OK, AT_EACCESS) != 0)
        throw VbError("'" + m_path + "' is write-protected: nothing was written");
    int flags = 0;
    if (::ioctl(m_fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & (FS_IMMUTABLE_FL | FS_APPEND_FL)))
        throw VbError("'" + m_path + "' is marked immutable: nothing was written");
}

void OpenFile::replace(const Bytes &content, const std::vector<Patch> &changed) const
{
    refuseWriteProtected();
    // A new file would leave the other names on the old bytes and take this user as its owner.
    const bool keepInode = m_st.st_nlink > 1 || m_st.st_uid != ::geteuid();
    if (!keepInode && replaceByRename(content))
        return;
    writeInPlace(content, changed);
}

// False when no temporary copy with the file's group can be made beside it.
bool OpenFile::replaceByRename(const Bytes &content) const
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
    if (!tmp.fill(content.data(), content.size(), m_path))
        return false;
    // The name must still lead to the file checked, or the rename would hide another one.
    struct stat now
    {
    };
    if (::stat(m_target.c_str(), &now) != 0 || !sameFile(now, m_st))
        throw VbError("File changed while saved: " + m_path);
    tmp.commit(m_target, m_path);
    return true;
}

void OpenFile::writeInPlace(const Bytes &content, const std::vector<Patch> &changed) const
{
    int fd = ::open(m_target.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        throw VbError(sysText("Cannot write", m_path));
    struct stat st
    {
    };
    try {
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !sameFile(st, m_st))
            throw VbError("File changed while saved: " + m_path);
        for (const Patch &p : changed) {
            const size_t at = static_cast<size_t>(p.pos - 1);
            const size_t n
                = std::min(p.bytes.size(), content.size() - std::min(at, content.size()));
            if (int e = writeAll(fd, content.data() + at, n, static_cast<off_t>(at)))
                throw VbError(sysText("Cannot write", m_path, e));
        }
        if (static_cast<size_t>(st.st_size) != content.size()
            && ::ftruncate(fd, static_cast<off_t>(content.size())) != 0)
            throw VbError(sysText("Cannot write", m_path));
        if (::fsync(fd) != 0)
            throw VbError(sysText("Cannot write", m_path));
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (::close(fd) != 0)
        throw VbError(sysText("Cannot write", m_path));
}

Bytes readFile(const std::string &path)
{
    return OpenFile(path).readAll();
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
    tmp.commit(path, path);
}

const char *kindText(mode_t mode)
{
    return kindOf(mode);
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
