#pragma once
#include <cstdint>
#include <string>

// The starting lives and hearts, one BCD byte each. r is the release: 0 US, 1 Japanese.
namespace gameopt {

inline long long livesPos(int r)
{
    return r == 1 ? 3902 : 4297;
}
inline long long heartsPos(int r)
{
    return r == 1 ? 3907 : 4306;
}

// The decimal number formed by the leading decimal digits of the byte's hexadecimal text
// (0x25 gives 25, 0x2A gives 2, 0xA5 and 0x0C give 0).
int valueOf(uint8_t byte);
// The value's decimal digits read as hexadecimal digits (25 gives 0x25); 0..99.
uint8_t byteOf(int value);
// Whether the byte is BCD, so that its value says all it holds.
inline bool isBcd(uint8_t byte)
{
    return byteOf(valueOf(byte)) == byte;
}
// The read-out of a byte: its hexadecimal digits without a leading zero, which for a BCD byte is
// its value ("25", "7") and for any other shows what it holds ("2A", "C").
std::string readOut(uint8_t byte);

} // namespace gameopt
