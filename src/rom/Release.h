#pragma once
#include "rom/RomFile.h"

#include <string>

namespace release {

inline constexpr long long signaturePos = 17; // file offset 0x10, the first PRG bytes
inline constexpr long long debugBytePos = 255898; // file offset 0x3E799
inline constexpr uint8_t debugOn = 0xE4;
inline constexpr uint8_t debugOff = 0x90;
inline constexpr const char *usSignature = "80AC4E05B90F80854618690185476000";
inline constexpr const char *jpSignature = "00AC4E05B90F80853818690185396000";

// The 16 bytes as 32 upper-case hexadecimal digits.
std::string signatureText(const Bytes &sixteen);
// Whether romVer names one of the two releases, whose positions the program knows.
inline bool known(const std::string &romVer)
{
    return romVer == "0" || romVer == "1";
}
// "0" for the US text, "1" for the Japanese one, otherwise current unchanged.
std::string check(const std::string &signature, const std::string &current);
// The release of an image from its own signature; "" when it is of neither, or too short to
// hold one.
std::string of(const RomImage &rom);

// Why the file at backupPath cannot be the source of a restore into the ROM being edited
// (release romVer, romSize bytes, 0 when unknown), or "" when it can. A backup must carry the
// same release signature and be as long as the ROM, or its bytes at the ROM's positions mean
// something else. A file that cannot be read at all also gives "": whoever reads it reports that.
std::string backupProblem(
    const std::string &backupPath, const std::string &romVer, long long romSize);

} // namespace release

// A 2-byte little-endian CPU pointer (low, high) in a bank nibble and 64 KB page, as a position.
long long ptrToPos(uint8_t low, uint8_t high, int nib, int page);
