#pragma once
#include "rom/RomImage.h"
#include "rom/VbError.h"

#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace romfile {

// A regular file opened for reading without ever waiting on another process: a link in its
// path is resolved once, and anything but a regular file (a named pipe, a device, a folder) is
// refused before it is opened. Throws VbError.
class OpenFile
{
public:
    explicit OpenFile(const std::string &path);
    ~OpenFile();
    OpenFile(const OpenFile &) = delete;
    OpenFile &operator=(const OpenFile &) = delete;

    const std::string &path() const { return m_path; } // as given
    const std::string &target() const { return m_target; } // where it really is
    // The size when the file was opened.
    long long size() const { return static_cast<long long>(m_st.st_size); }
    // The size now: another program may have grown or cut the file since it was opened.
    long long sizeNow() const;
    // The whole file as it is now, read to its end.
    Bytes readAll() const;
    // The file's first bytes as it is now, at most max of them: what a reader that uses only a
    // beginning needs, however large the file has grown.
    Bytes readPrefix(size_t max) const;
    // The n bytes at 1-based position pos, checked against the file's size as a loaded image
    // checks them.
    Bytes readAt(long long pos, long long n) const;

    // Throws when the file no longer holds what the caller made its new content from; else
    // returns the file's bytes as it read them.
    using Check = std::function<Bytes()>;

    // Puts content in the file's place, the file being the one opened (content[i] becomes its
    // byte at offset i). A temporary copy in the same folder is flushed and renamed over it, so
    // a failure leaves the file whole; where a rename would lose the file's other names, owner,
    // group or extended attributes (its access list among them), or the folder takes no new file,
    // the ranges in `changed` are written in place instead, and put back as they were when the
    // write fails. stillSame runs at the last moment before the file changes: before the rename,
    // before the first byte in place. A file the user may not write is refused. Throws VbError,
    // NotPutBack when the file may hold part of the content.
    void replace(
        const Bytes &content, const std::vector<Patch> &changed, const Check &stillSame = {}) const;

private:
    void readInto(uint8_t *to, size_t n, long long offset) const;
    size_t readSome(uint8_t *to, size_t n, size_t offset) const; // 0 at the end
    void refuseWriteProtected() const;
    bool replaceByRename(const Bytes &content, const Check &stillSame) const;
    void writeInPlace(
        const Bytes &content, const std::vector<Patch> &changed, const Check &stillSame) const;
    int openForWrite() const;
    [[noreturn]] void putBack(
        int fd, const Bytes &old, size_t newSize, const std::vector<Patch> &changed, int e) const;

    std::string m_path;
    std::string m_target;
    int m_fd = -1;
    struct stat m_st
    {
    };
};

// A ROM of either release holds 393,232 bytes; one with a trainer or padding a little more.
inline constexpr long long gameRomSize = 393232;
inline constexpr long long maxRomSize = 4LL << 20;
// The whole of a ROM file, never waiting on anyone; a file over maxRomSize is refused unread.
Bytes readRom(const std::string &path);
// Throws VbError unless a file of `size` bytes at path may be a ROM.
void checkRomSize(const std::string &path, long long size);
// At most the first max bytes of a regular file, read the same way.
Bytes readFilePrefix(const std::string &path, size_t max);

// Replaces a whole file, creating it when missing (the settings file, the resource files), the
// same safe way as the ROM.
void replaceFile(const std::string &path, const std::string &content);

// What stands at a path of that mode, for messages: "a file", "a named pipe", "a folder", ...
const char *kindText(mode_t mode);

bool fileExists(const std::string &path);
bool dirExists(const std::string &path);

// Every name a temporary copy of the file at target may take, in the order they are tried.
std::vector<std::string> tempNames(const std::string &target);

} // namespace romfile
