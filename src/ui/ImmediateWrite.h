#pragma once
#include "ui/MsgBox.h"
#include "rom/RomFile.h"

#include <functional>
#include <string>

// Bytes the program writes into the ROM at once (the Debug Screen byte, an area's time). When a
// write fails the screen must show what the ROM still holds, so the caller reads it back.
namespace immediate {

// Replaces the byte at pos with make(the byte there now). Returns what failed, empty when the
// byte was written.
inline std::string write(RomFile &rom, long long pos, const std::function<uint8_t(uint8_t)> &make)
{
    try {
        rom.write({ { pos, { make(romfile::readByte(rom.path(), pos)) } } });
        return {};
    } catch (...) {
        return msg::describe(std::current_exception());
    }
}

// The byte the ROM holds at pos, or fallback when it cannot be read.
inline uint8_t held(const std::string &rom, long long pos, uint8_t fallback)
{
    try {
        return romfile::readByte(rom, pos);
    } catch (...) {
        return fallback;
    }
}

} // namespace immediate
