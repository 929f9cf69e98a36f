#include "rom/TempCopy.h"

#include "rom/FileIo.h"
#include "rom/OpenFile.h"
#include "rom/VbError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace {

using romfile::io::sysText;

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

// Removes what stands at name when it can only be a copy a save of this user left: a regular
// file of this user with no other name (so never the target or another link of it), bearing the
// mark every copy is made with, that no save holds locked now. Anything else, such as a file
// the user gave that name, stays where it is.
bool removeLeftover(const std::string &name)
{
    struct stat st
    {
    };
    if (::lstat(name.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()
        || st.st_nlink != 1)
        return false;
    const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat held
    {
    };
    const bool leftover = ::fstat(fd, &held) == 0 && romfile::io::sameFile(held, st)
        && held.st_nlink == 1 && ::fgetxattr(fd, romfile::copyMark, nullptr, 0) >= 0
        && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    const bool removed = leftover && ::unlink(name.c_str()) == 0;
    ::close(fd);
    return removed;
}

// What a list or get call of extended attributes gives, sized as the call asks; false when the
// call fails (errno then set).
template <class Call> bool attrBytes(std::vector<char> &out, Call call)
{
    for (;;) {
        const ssize_t n = call(nullptr, 0);
        if (n < 0)
            return false;
        out.resize(static_cast<size_t>(n));
        const ssize_t got = call(out.data(), out.size());
        if (got >= 0) {
            out.resize(static_cast<size_t>(got));
            return true;
        }
        if (errno != ERANGE) // grown between the two calls: asked again
            return false;
    }
}

// The names of the extended attributes of the file open at fd; false when they cannot be
// listed (errno then set).
bool attrNames(int fd, std::set<std::string> &out)
{
    std::vector<char> names;
    if (!attrBytes(names, [&](char *to, size_t n) { return ::flistxattr(fd, to, n); }))
        return false;
    for (size_t at = 0; at < names.size(); at += std::strlen(&names[at]) + 1)
        out.insert(&names[at]);
    return true;
}

} // namespace

namespace romfile {

bool TempCopy::takeAttributes(int from)
{
    std::set<std::string> theirs;
    if (!attrNames(from, theirs))
        return errno == ENOTSUP; // a file system without them: the file has none to carry
    // The copy's own mark would be taken off at the rename, and so lost to the file.
    if (theirs.count(copyMark))
        return false;
    std::vector<char> value;
    for (const std::string &name : theirs)
        if (!attrBytes(
                value, [&](char *to, size_t n) { return ::fgetxattr(from, name.c_str(), to, n); })
            || ::fsetxattr(m_fd, name.c_str(), value.data(), value.size(), 0) != 0)
            return false;
    // What the copy got by being made in the folder (its default access list, say) would hand
    // the file an access it did not have.
    std::set<std::string> mine;
    if (!attrNames(m_fd, mine))
        return false;
    for (const std::string &name : mine)
        if (name != copyMark && !theirs.count(name) && ::fremovexattr(m_fd, name.c_str()) != 0)
            return false;
    return true;
}

TempCopy::TempCopy(const std::string &target, mode_t createMode)
{
    const std::vector<std::string> names = tempNames(target);
    for (const std::string &name : names)
        removeLeftover(name);
    for (const std::string &name : names) {
        if (take(name, createMode))
            return;
        if (errno != EEXIST)
            return;
    }
}

// Made and locked at once, so that no other save takes it for a leftover.
bool TempCopy::take(const std::string &name, mode_t createMode)
{
    m_fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, createMode);
    if (m_fd < 0)
        return false;
    m_name = name;
    ::flock(m_fd, LOCK_EX | LOCK_NB);
    // Where the file system keeps no such mark, a copy a crash leaves is never taken for one.
    ::fsetxattr(m_fd, copyMark, "1", 1, 0);
    return true;
}

TempCopy::~TempCopy()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_name.empty())
        ::unlink(m_name.c_str());
}

bool TempCopy::fill(const uint8_t *data, size_t n, const std::string &path)
{
    int e = io::writeAll(m_fd, data, n, 0);
    if (e == 0 && ::fsync(m_fd) != 0)
        e = errno;
    if (e != 0 && !io::diskFull(e))
        throw VbError(sysText("Cannot write", path, e));
    return e == 0;
}

// The copy stays open, and so locked, until it has its new name; closing a second handle of it
// reports what a close would (some file systems only tell of a failed write then).
bool TempCopy::commit(const std::string &target, const std::string &path)
{
    const int second = ::dup(m_fd);
    if (second < 0 || ::close(second) != 0)
        throw VbError(sysText("Cannot write", path));
    // Only this copy may be renamed over the file, never one that took its name meanwhile.
    struct stat mine
    {
    }, named {};
    if (::fstat(m_fd, &mine) != 0 || ::lstat(m_name.c_str(), &named) != 0
        || !io::sameFile(mine, named))
        throw VbError("File changed while saved: " + path);
    // The file under the target's name is no copy any more; one that kept the mark would bear
    // an attribute the file never had. A file system that keeps no marks has none to take off.
    if (::fremovexattr(m_fd, copyMark) != 0 && errno != ENODATA && errno != ENOTSUP)
        return false;
    if (::rename(m_name.c_str(), target.c_str()) != 0)
        throw VbError(sysText("Cannot write", path));
    m_name.clear();
    int fd = m_fd;
    m_fd = -1;
    ::close(fd);
    syncFolder(target);
    return true;
}

} // namespace romfile
