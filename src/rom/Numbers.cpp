#include "rom/Numbers.h"

#include "rom/VbError.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace num {

long long roundEven(double v)
{
    return static_cast<long long>(std::nearbyint(v)); // default rounding mode is half to even
}

uint8_t toByte(long long v)
{
    if (v < 0 || v > 255)
        throw VbError("Overflow");
    return static_cast<uint8_t>(v);
}

int16_t toInt16(long long v)
{
    if (v < -32768 || v > 32767)
        throw VbError("Overflow");
    return static_cast<int16_t>(v);
}

long long idiv(long long a, long long b)
{
    if (b == 0)
        throw VbError("Division by zero");
    return a / b;
}

long long imod(long long a, long long b)
{
    if (b == 0)
        throw VbError("Division by zero");
    return a % b;
}

std::string hex2(long long v)
{
    char buf[24];
    if (v < 0) // negative values show as their 32-bit pattern
        std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(v));
    else
        std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(v));
    std::string s = buf;
    return s.size() == 1 ? "0" + s : s;
}

long long hexVal(std::string_view text)
{
    std::string_view t = text;
    if (t.size() >= 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h'))
        t.remove_prefix(2);
    if (t.empty() || t.size() > 8)
        throw VbError("Type mismatch");
    long long v = 0;
    for (char c : t) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            throw VbError("Type mismatch");
        v = v * 16 + (std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                                                                  : std::toupper(c) - 'A' + 10);
    }
    return v;
}

} // namespace num
