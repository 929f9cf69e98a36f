#pragma once
#include "rom/OpenFile.h"
#include "rom/RomImage.h"
#include "rom/VbError.h"

#include <string>
#include <vector>

// The ROM file at the path is no longer the one the program loaded: another program rewrote or
// replaced it since. Nothing was read or written.
class RomChanged : public VbError
{
public:
    using VbError::VbError;
};

// The working ROM as the program last knew it: the path it was loaded from and its bytes as the
// program read or last wrote them. Every write of the ROM goes
// through here, and is refused when the file on disk is not the one loaded any more, so that
// edits made on one file never land in another.
class RomFile
{
public:
    // Reads the ROM at path and makes it the file later writes go to; a file far larger than a
    // ROM is refused unread. Throws VbError (and then knows no file).
    const RomImage &load(const std::string &path);
    bool loaded() const { return !m_path.empty(); }
    const std::string &path() const { return m_path; }
    const RomImage &image() const { return m_known; }

    // The file's bytes now. Throws RomChanged when any byte differs from what the program
    // read or wrote, VbError when it cannot be read.
    RomImage reread();

    // Writes the patches into the file after checking that it is still the file loaded: every
    // byte what the program read or last wrote, checked again just before the file changes.
    // Throws RomChanged, or VbError when the write itself failed; the file is then as it was,
    // unless the error is NotPutBack. Either way the program knows what the file holds
    // afterwards, so the same write may simply be tried again.
    void write(const std::vector<Patch> &patches);

private:
    Bytes current(const romfile::OpenFile &f, const char *verb);
    [[noreturn]] void changed(const std::string &why, const char *verb) const;
    void afterFailedWrite(const RomImage &next);

    std::string m_path;
    RomImage m_known; // per position, what the program read or wrote
    // After a write whose outcome could not be read back: what the file holds if it all went
    // through. Each byte of the file is then one of the two.
    RomImage m_maybe;
};

namespace romfile {

// Reads n bytes at pos from the file at path; throws VbError when the file is missing or the
// range lies outside it.
Bytes read(const std::string &path, long long pos, long long n);
uint8_t readByte(const std::string &path, long long pos);

} // namespace romfile
