#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/types.h>

namespace romfile {

// The extended attribute every temporary copy carries until it takes the target's name: only a
// file that bears it is certainly a copy a save left, and may be removed as such.
inline constexpr const char *copyMark = "user.vorlig.copy";

// A temporary file beside a target, made by this process alone (never through a link, never
// over anything already there) and locked while it lives; removed again unless committed. A
// copy that a crashed save left at any of the names is removed first, when it is certainly
// such a copy (it bears copyMark), so that leftovers neither pile up nor use up the names.
class TempCopy
{
public:
    TempCopy(const std::string &target, mode_t createMode);
    ~TempCopy();
    TempCopy(const TempCopy &) = delete;
    TempCopy &operator=(const TempCopy &) = delete;

    bool made() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

    // Gives the copy the extended attributes of the file open at from, and no others (its own
    // mark aside): on Linux the access list is one (system.posix_acl_access), so a copy with
    // other attributes would change who may read or write the file. False when any of them
    // cannot be read, set or taken off.
    bool takeAttributes(int from);
    // Writes and flushes content; false when the disk is full (the caller may go on another
    // way), throws on any other failure.
    bool fill(const uint8_t *data, size_t n, const std::string &path);
    // Renames the copy over target; path is what the user calls the file. False, with nothing
    // renamed, when the copy's mark cannot be taken off (errno then set); throws VbError when
    // the rename fails.
    bool commit(const std::string &target, const std::string &path);

private:
    bool take(const std::string &name, mode_t createMode);

    int m_fd = -1;
    std::string m_name;
};

} // namespace romfile
