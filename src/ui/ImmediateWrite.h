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
    bool notPutBack = false; // the file may hold the new byte
    bool failed() const { return !description.empty(); }
};

// Replaces the byte at pos with make(the byte there now).
inline Failure write(RomDocument &doc, long long pos, const std::function<uint8_t(uint8_t)> &make)
{
    try {
        doc.write({ { pos, { make(doc.file().image().byte(pos)) } } });
        return {};
    } catch (const RomChanged &e) {
        return { e.what(), true };
    } catch (const NotPutBack &e) {
        return { e.what(), false, true };
    } catch (...) {
        return { msg::describe(std::current_exception()) };
    }
}

// The error box's last line, once the control shows `value` again: `what` stays as it was only
// where the old byte is certainly back.
inline std::string lastLine(const Failure &f, const std::string &what, const std::string &value)
{
    if (f.notPutBack)
        return "The ROM may not have been put back as it was: " + what + " shows " + value + ".";
    return "The ROM was not changed: " + what + " stays " + value + ".";
}

// The byte the ROM holds at pos, or fallback when it lies outside.
inline uint8_t held(const RomDocument &doc, long long pos, uint8_t fallback)
{
    const RomImage &rom = doc.file().image();
    return rom.contains(pos) ? rom.byte(pos) : fallback;
}

} // namespace immediate
