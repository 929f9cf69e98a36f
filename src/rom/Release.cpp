#include "rom/Release.h"

#include "rom/Numbers.h"

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

} // namespace release

long long ptrToPos(uint8_t low, uint8_t high, int nib, int page)
{
    // nib * 16 and low + 17 are 16-bit sums in the original arithmetic.
    long long h = num::toInt16(nib * 16) + high;
    if (h >= 256)
        h -= 256;
    return static_cast<long long>(page) * 65536 + h * 256 + num::toInt16(low + 17);
}
