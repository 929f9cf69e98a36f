#include "rom/Release.h"

#include "rom/Numbers.h"

#include <filesystem>

namespace release {

std::string signatureText(const Bytes &sixteen)
{
    std::string sig;
    for (uint8_t b : sixteen)
        sig += num::hex2(b);
    return sig;
}

std::string check(const std::string &signature, const std::string &current)
{
    if (signature == usSignature)
        return "0";
    if (signature == jpSignature)
        return "1";
    return current;
}

std::string of(const RomImage &rom)
{
    if (!rom.contains(signaturePos, 16))
        return {};
    return check(signatureText(rom.bytes(signaturePos, 16)), {});
}

namespace {

std::string releaseName(const std::string &v)
{
    return v == "1" ? "Japanese" : "US";
}

} // namespace

std::string backupProblem(
    const std::string &backupPath, const std::string &romVer, long long romSize)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(backupPath, ec);
    if (ec)
        return {};
    const long long backupSize = static_cast<long long>(size);
    std::string backupVer;
    if (backupSize >= signaturePos + 15) {
        try {
            backupVer = check(signatureText(romfile::read(backupPath, signaturePos, 16)), "");
        } catch (...) {
            return {};
        }
    }
    if (backupVer.empty())
        return "The backup ROM does not carry the release signature of the game.";
    if ((romVer == "0" || romVer == "1") && backupVer != romVer)
        return "The backup ROM is of the " + releaseName(backupVer)
            + " release, the ROM being edited of the " + releaseName(romVer) + " release.";
    if (romSize > 0 && backupSize != romSize)
        return "The backup ROM holds " + std::to_string(backupSize)
            + " bytes, the ROM being edited " + std::to_string(romSize) + ".";
    return {};
}

} // namespace release

long long ptrToPos(uint8_t low, uint8_t high, int nib, int page)
{
    // nib * 16 and low + 17 are 16-bit sums in the original arithmetic.
    long long h = num::toInt16(nib * 16) + high;
    if (h >= 256)
        h -= 256;
    return static_cast<long long>(page) * 65536 + h * 256 + num::toInt16(low + 17);
}
