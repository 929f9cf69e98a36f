#include "rom/FileIo.h"

#include <cstring>
#include <unistd.h>

namespace romfile::io {

std::string sysText(const std::string &what, const std::string &path, int e)
{
    return what + " '" + path + "': " + std::strerror(e);
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

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

} // namespace romfile::io
