// Writing a file in place, where a rename cannot be used: the bytes the write replaces are
// kept first, so that a write that fails part way can be undone.
#include "rom/FileIo.h"
#include "rom/OpenFile.h"
#include "rom/VbError.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

using romfile::io::sysText;
using romfile::io::writeAll;

struct Range
{
    size_t at = 0;
    size_t n = 0;
};

// Each patch as far as it lies within the first `size` bytes.
std::vector<Range> rangesOf(const std::vector<Patch> &changed, size_t size)
{
    std::vector<Range> out;
    for (const Patch &p : changed) {
        const size_t at = std::min(static_cast<size_t>(p.pos - 1), size);
        out.push_back({ at, std::min(p.bytes.size(), size - at) });
    }
    return out;
}

// 0, or the error that stopped it.
int writeRanges(int fd, const Bytes &from, const std::vector<Range> &ranges)
{
    for (const Range &r : ranges)
        if (int e = writeAll(fd, from.data() + r.at, r.n, static_cast<off_t>(r.at)))
            return e;
    return 0;
}

int apply(int fd, const Bytes &content, const std::vector<Patch> &changed, size_t oldSize)
{
    if (int e = writeRanges(fd, content, rangesOf(changed, content.size())))
        return e;
    if (oldSize != content.size() && ::ftruncate(fd, static_cast<off_t>(content.size())) != 0)
        return errno;
    return ::fsync(fd) != 0 ? errno : 0;
}

// The file's old length and every old byte the write may have touched, flushed.
int restore(int fd, const Bytes &old, size_t newSize, const std::vector<Patch> &changed)
{
    if (newSize != old.size() && ::ftruncate(fd, static_cast<off_t>(old.size())) != 0)
        return errno;
    std::vector<Range> ranges = rangesOf(changed, old.size());
    if (newSize < old.size())
        ranges.push_back({ newSize, old.size() - newSize });
    if (int e = writeRanges(fd, old, ranges))
        return e;
    return ::fsync(fd) != 0 ? errno : 0;
}

// "5000-5002, 6000", positions counted from 1.
std::string positionsText(const std::vector<Patch> &changed, size_t size)
{
    constexpr size_t shown = 8;
    std::string out;
    const std::vector<Range> ranges = rangesOf(changed, size);
    for (size_t i = 0; i < ranges.size() && i < shown; ++i) {
        const Range &r = ranges[i];
        out += (i ? ", " : "") + std::to_string(r.at + 1)
            + (r.n > 1 ? "-" + std::to_string(r.at + r.n) : "");
    }
    if (ranges.size() > shown)
        out += " and " + std::to_string(ranges.size() - shown) + " more";
    return out;
}

} // namespace

namespace romfile {

// A descriptor to write the file opened, which must still be the file at its name.
int OpenFile::openForWrite() const
{
    const int fd = ::open(m_target.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        throw VbError(sysText("Cannot write", m_path));
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !io::sameFile(st, m_st)) {
        ::close(fd);
        throw VbError("File changed while saved: " + m_path);
    }
    return fd;
}

void OpenFile::writeInPlace(
    const Bytes &content, const std::vector<Patch> &changed, const Check &stillSame) const
{
    int fd = openForWrite();
    Bytes old;
    try {
        old = stillSame ? stillSame() : readAll();
    } catch (...) {
        ::close(fd);
        throw;
    }
    int e = apply(fd, content, changed, old.size());
    if (e == 0) {
        // A close that fails has still let the descriptor go.
        e = ::close(fd) != 0 ? errno : 0;
        fd = -1;
    }
    if (e != 0)
        putBack(fd, old, content.size(), changed, e);
}

// The write failed with error e: the old bytes go back, and the error says whether they did.
void OpenFile::putBack(
    int fd, const Bytes &old, size_t newSize, const std::vector<Patch> &changed, int e) const
{
    std::string why; // what kept the old bytes from going back
    if (fd < 0) {
        try {
            fd = openForWrite();
        } catch (const VbError &x) {
            why = x.what();
        }
    }
    if (fd >= 0) {
        int r = restore(fd, old, newSize, changed);
        if (::close(fd) != 0 && r == 0)
            r = errno;
        if (r != 0)
            why = std::strerror(r);
    }
    const std::string failed = sysText("Cannot write", m_path, e);
    if (why.empty())
        throw VbError(failed + "; the file was put back as it was");
    throw NotPutBack(failed + "; putting back what it held failed too (" + why
        + "), so the file may hold part of this save at positions "
        + positionsText(changed, std::max(old.size(), newSize)));
}

} // namespace romfile
