#include "model/tables/GameOptions.h"

#include "rom/Numbers.h"

#include <algorithm>

namespace gameopt {

int valueOf(uint8_t byte)
{
    const int hi = byte >> 4, lo = byte & 15;
    if (hi == 0)
        return lo <= 9 ? lo : 0;
    if (hi > 9)
        return 0;
    return lo <= 9 ? 10 * hi + lo : hi;
}

uint8_t byteOf(int value)
{
    const int v = std::clamp(value, 0, 99);
    return static_cast<uint8_t>(v / 10 * 16 + v % 10);
}

std::string readOut(uint8_t byte)
{
    const std::string hex = num::hex2(byte);
    return hex[0] == '0' ? hex.substr(1) : hex;
}

} // namespace gameopt
