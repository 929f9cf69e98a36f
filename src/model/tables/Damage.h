#pragma once
#include "rom/RomFile.h"

#include <string>
#include <vector>

// The damage bytes of the two character groups ("Curse Severity"). Each byte holds 0..15 and is
// edited as a spinner value of byte + 1. r is the release: 0 US, 1 Japanese.
namespace damage {

struct Row
{
    std::string group; // the frame's caption
    std::string label;
    long long pos; // 1-based
    uint8_t defaultByte;
};

const std::vector<Row> &rows(int r); // 8 US rows, 10 Japanese

// The spinner can show bytes 0..15. A byte above 15 puts the spinner at 1 (as byte 0 would) and
// is kept as it is until the user changes its row.
inline bool shows(uint8_t byte)
{
    return byte <= 15;
}
inline int valueOf(uint8_t byte)
{
    return shows(byte) ? byte + 1 : 1;
}
inline uint8_t byteOf(int value)
{
    return value <= 1 ? 0 : static_cast<uint8_t>(value - 1);
}
inline int defaultValue(const Row &row)
{
    return row.defaultByte + 1;
}

// Whether segment j (0 leftmost .. 15) of a row's bar graph is full at spinner value v.
inline bool segmentFull(int v, int j)
{
    return v == 1 || v <= 15 - j;
}

// What Save writes: one patch a row whose byte differs from the byte read there, in row order.
std::vector<Patch> patches(
    const std::vector<uint8_t> &bytes, const std::vector<uint8_t> &read, int r);

// Every row's byte is 0.
bool allCheap(const std::vector<uint8_t> &bytes);

} // namespace damage
