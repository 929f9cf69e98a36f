#include "rom/PathKind.h"

#include <filesystem>

namespace romfile {

namespace fs = std::filesystem;

namespace {

std::string quoted(const std::string &path)
{
    return "'" + path + "'";
}

std::string kindName(fs::file_type type)
{
    switch (type) {
    case fs::file_type::regular:
        return "a file";
    case fs::file_type::directory:
        return "a folder";
    case fs::file_type::fifo:
        return "a named pipe";
    case fs::file_type::character:
    case fs::file_type::block:
        return "a device";
    case fs::file_type::socket:
        return "a socket";
    default:
        return "not a regular file";
    }
}

// The first folder on the way to path that is something else, or "".
std::string blockedFolder(const fs::path &path)
{
    fs::path part;
    for (const fs::path &name : path.parent_path()) {
        part /= name;
        std::error_code ec;
        const fs::file_type type = fs::status(part, ec).type();
        if (type == fs::file_type::not_found || ec)
            return {};
        if (type != fs::file_type::directory)
            return quoted(part.string()) + " is " + kindName(type) + ", not a folder";
    }
    return {};
}

} // namespace

std::string whatStandsAt(const std::string &path)
{
    if (path.empty())
        return "no path is given";
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (st.type() == fs::file_type::regular)
        return {};
    if (st.type() != fs::file_type::not_found && !ec)
        return quoted(path) + " is " + kindName(st.type());
    const std::string blocked = blockedFolder(path);
    if (!blocked.empty())
        return blocked;
    if (st.type() == fs::file_type::not_found || ec == std::errc::not_a_directory)
        return "nothing stands at " + quoted(path);
    return quoted(path) + " cannot be reached: " + ec.message();
}

} // namespace romfile
