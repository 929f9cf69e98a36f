#include "rom/PathKind.h"

#include "rom/OpenFile.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace romfile {

namespace {

std::string quoted(const std::string &path)
{
    return "'" + path + "'";
}

// The first folder on the way to path that is something else, or "".
std::string blockedFolder(const std::string &path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        struct stat st
        {
        };
        if (::stat(part.c_str(), &st) != 0)
            return {};
        if (!S_ISDIR(st.st_mode))
            return quoted(part) + " is " + kindText(st.st_mode) + ", not a folder";
    }
    return {};
}

} // namespace

std::string whatStandsAt(const std::string &path)
{
    if (path.empty())
        return "no path is given";
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) == 0)
        return S_ISREG(st.st_mode) ? std::string() : quoted(path) + " is " + kindText(st.st_mode);
    const int e = errno;
    const std::string blocked = blockedFolder(path);
    if (!blocked.empty())
        return blocked;
    if (e == ENOENT || e == ENOTDIR)
        return "nothing stands at " + quoted(path);
    return quoted(path) + " cannot be reached: " + std::strerror(e);
}

std::string otherThanFile(const std::string &path)
{
    const std::string there = path.empty() ? std::string() : whatStandsAt(path);
    return there.rfind("nothing stands", 0) == 0 ? std::string() : there;
}

} // namespace romfile
