#include "rom/RomFile.h"

#include "rom/VbError.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string sysText(const std::string &what, const std::string &path)
{
    return what + " '" + path + "': " + std::strerror(errno);
}

Bytes slurp(const std::string &path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw VbError("File not found: " + path);
        throw VbError(sysText("Cannot open", path));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw VbError("Not a file: " + path);
    }
    Bytes data(static_cast<size_t>(st.st_size));
    size_t got = 0;
    while (got < data.size()) {
        ssize_t r = ::read(fd, data.data() + got, data.size() - got);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0) {
            int e = errno;
            ::close(fd);
            errno = e;
            throw VbError(r < 0 ? sysText("Cannot read", path) : "File changed while read: " + path);
        }
        got += static_cast<size_t>(r);
    }
    ::close(fd);
    return data;
}

// Where a save really lands: a link is followed so the link itself survives.
std::string resolved(const std::string &path)
{
    char buf[PATH_MAX];
    if (::realpath(path.c_str(), buf))
        return buf;
    return path;
}

void writeAll(int fd, const uint8_t *p, size_t n, const std::string &path)
{
    while (n > 0) {
        ssize_t w = ::write(fd, p, n);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            throw VbError(sysText("Cannot write", path));
        p += w;
        n -= static_cast<size_t>(w);
    }
}

void commit(const std::string &path, const uint8_t *data, size_t n, bool mustExist)
{
    std::string target = resolved(path);
    struct stat st {};
    mode_t mode = 0644;
    if (::stat(target.c_str(), &st) == 0)
        mode = st.st_mode & 07777;
    else if (mustExist)
        throw VbError("File not found: " + path);
    std::string tmp = target + ".vorlig-save";
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        throw VbError(sysText("Cannot write", path));
    try {
        writeAll(fd, data, n, path);
        if (::fsync(fd) != 0)
            throw VbError(sysText("Cannot write", path));
        if (::fchmod(fd, mode) != 0)
            throw VbError(sysText("Cannot write", path));
    } catch (...) {
        ::close(fd);
        ::unlink(tmp.c_str());
        throw;
    }
    if (::close(fd) != 0) {
        ::unlink(tmp.c_str());
        throw VbError(sysText("Cannot write", path));
    }
    if (::rename(tmp.c_str(), target.c_str()) != 0) {
        int e = errno;
        ::unlink(tmp.c_str());
        errno = e;
        throw VbError(sysText("Cannot write", path));
    }
}

} // namespace

RomImage RomImage::load(const std::string &path)
{
    return RomImage(slurp(path));
}

bool RomImage::contains(long long pos, long long n) const
{
    return pos >= 1 && n >= 0 && pos - 1 + n <= size();
}

void RomImage::check(long long pos, long long n) const
{
    if (!contains(pos, n))
        throw VbError(romfile::outsideText(pos < 1 || n == 0 ? pos : pos + n - 1, size()));
}

uint8_t RomImage::byte(long long pos) const
{
    check(pos, 1);
    return m_data[static_cast<size_t>(pos - 1)];
}

Bytes RomImage::bytes(long long pos, long long n) const
{
    check(pos, n);
    auto first = m_data.begin() + (pos - 1);
    return Bytes(first, first + n);
}

unsigned RomImage::word(long long pos) const
{
    check(pos, 2);
    return m_data[static_cast<size_t>(pos - 1)] | (m_data[static_cast<size_t>(pos)] << 8);
}

void RomImage::put(long long pos, const Bytes &b)
{
    check(pos, static_cast<long long>(b.size()));
    std::copy(b.begin(), b.end(), m_data.begin() + (pos - 1));
}

namespace romfile {

std::string outsideText(long long pos, long long fileSize)
{
    return "position " + std::to_string(pos) + " lies outside the " + std::to_string(fileSize)
            + "-byte ROM file";
}

Bytes read(const std::string &path, long long pos, long long n)
{
    return RomImage::load(path).bytes(pos, n);
}

uint8_t readByte(const std::string &path, long long pos)
{
    return read(path, pos, 1)[0];
}

void write(const std::string &path, const std::vector<Patch> &patches)
{
    RomImage image = RomImage::load(path);
    for (const Patch &p : patches)
        image.put(p.pos, p.bytes);
    commit(path, image.data().data(), image.data().size(), true);
}

void replaceFile(const std::string &path, const std::string &content)
{
    commit(path, reinterpret_cast<const uint8_t *>(content.data()), content.size(), false);
}

bool fileExists(const std::string &path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool dirExists(const std::string &path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace romfile
