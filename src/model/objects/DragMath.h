#pragma once
#include "rom/Numbers.h"

#include <cstdint>
#include <string>
#include <vector>

// The arithmetic the marker drags and layouts share: the runtime's rounding, truncating
// division, grid snapping and byte stores that fail instead of wrapping.
namespace dragmath {

// v moved onto the grid of step g through o (down for v >= o, up toward o below it).
inline long long snap(long long v, long long o, long long g)
{
    return v - (v - o) % g;
}

inline long long rnd(double v)
{
    return num::roundEven(v);
}

// Failures of one event; a failed store leaves its byte. The first failure ends the drag.
using Errors = std::vector<std::string>;

inline bool store(uint8_t &to, long long v, Errors &errors)
{
    if (v < 0 || v > 255) {
        errors.push_back("Overflow");
        return false;
    }
    to = static_cast<uint8_t>(v);
    return true;
}

// The release as a number: 1 for the Japanese release, 0 otherwise.
inline int releaseOf(const std::string &romVer)
{
    return romVer == "1" ? 1 : 0;
}

} // namespace dragmath
