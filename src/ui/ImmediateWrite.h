#pragma once
#include "model/RomDocument.h"
#include "rom/RomFile.h"
#include "ui/MsgBox.h"

#include <functional>
#include <string>

// Bytes the program writes into the ROM at once (the Debug Screen byte, an area's time). When a
// write fails the screen must show what the ROM still holds, so the caller asks the document,
// which knows it after any failure, and never mixes in a file changed on disk.
namespace immediate {

// What failed; an empty description when the byte was written.
struct Failure
{
    std::string description;
    bool romChanged = false; // the file was no longer the one loaded
    bool putBack = true; // the file holds what it held before, not part of the write
    bool failed() const { return !description.empty(); }
    // The last line of the box: what the control shows now, which is what the file holds.
    std::string shown(const std::string &what, const std::string &value) const
    {
        if (putBack)
            return "The ROM was not changed: " + what + " stays " + value + ".";
        return "The ROM could not be put back as it was; as the file reads now, " + what + " is "
            + value + ".";
    }
};

// Replaces the byte at pos with make(the byte there now).
inline Failure write(RomDocument &doc, long long pos, const std::function<uint8_t(uint8_t)> &make)
{
    try {
        doc.write({ { pos, { make(doc.file().image().byte(pos)) } } });
        return {};
    } catch (const RomChanged &e) {
        return { e.what(), true };
    } catch (const romfile::NotPutBack &e) {
        return { e.what(), false, false };
    } catch (...) {
        return { msg::describe(std::current_exception()) };
    }
}

// The byte the ROM holds at pos, or fallback when it lies outside.
inline uint8_t held(const RomDocument &doc, long long pos, uint8_t fallback)
{
    const RomImage &rom = doc.file().image();
    return rom.contains(pos) ? rom.byte(pos) : fallback;
}

} // namespace immediate
