#pragma once
#include "rom/RomFile.h"

#include <string>
#include <vector>

// A window found the ROM file changed on disk and the user asked to load it again: the main
// window does so once its side windows are closed. Every window that reports failures can set
// it, and needs nothing more of the document for that.
struct ReloadRequest
{
    bool reloadAsked = false;
};

// What a window that writes bytes the document keeps no copy of (damage, music, game options)
// needs of the document: the release, the file's bytes and the write.
class RomBytes : public ReloadRequest
{
public:
    virtual ~RomBytes() = default;

    // The release of the ROM in memory: "0" US, "1" Japanese, "" none (or nothing loaded).
    virtual const std::string &romVer() const = 0;
    // 1 Japanese, 0 otherwise.
    virtual int release() const = 0;
    // The length of the ROM in memory, 0 when none is loaded.
    virtual long long romSize() const = 0;
    // The working file's bytes now. Throws RomChanged when the file on disk is no longer the
    // one loaded, VbError when it cannot be read.
    virtual RomImage reread() = 0;
    // Throws (VbError, RomChanged) when the write failed; the file is then as it was, unless
    // the error is NotPutBack.
    virtual void write(const std::vector<Patch> &patches) = 0;
};
