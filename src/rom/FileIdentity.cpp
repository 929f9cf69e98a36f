#include "rom/FileIdentity.h"

#include <filesystem>
#include <sys/stat.h>

namespace romfile {

namespace {

std::string canonical(const std::string &path)
{
    std::error_code ec;
    std::filesystem::path p = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : p.string();
}

} // namespace

bool sameFile(const std::string &a, const std::string &b)
{
    if (a.empty() || b.empty())
        return a == b;
    struct stat sa
    {
    }, sb {};
    if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return canonical(a) == canonical(b);
}

} // namespace romfile
