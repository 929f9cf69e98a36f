#pragma once
#include <array>
#include <cstdint>

// Every per-section table is indexed [stage 0..14][section 0..20] (menu order after load).
template <class T> using PerSection = std::array<std::array<T, 21>, 15>;

inline constexpr int stageCount = 15;
inline constexpr int maxSections = 21;
inline constexpr int maxAreas = 11;
inline constexpr int objSlots = 32; // object list slots of a vertical section
inline constexpr int stairSlots = 31; // 30 staircases and the end mark
inline constexpr int specialSlots = 31; // 30 special objects and the end record

// Enemy / holder slot: [0] x, [1] y, [2] screen (0xFF ends the list), [3] type, [4] content,
// [5] extra, [6] flags (bit 0 = facing).
using objRec = std::array<uint8_t, 7>;
// Special object: [0] screen (0xFF = end record), [1] position along, [2] trigger, [3] type,
// [4] position across, [5]..[7] properties.
using specialRec = std::array<uint8_t, 8>;
// Staircase: [0] x, [1] y, [2] screen (255 = end), [3] kind (0, 4, 8 or 12).
using stairRec = std::array<uint8_t, 4>;
// Enemy preset: [0] left, [1] top, [2] id.
using enPresetRec = std::array<uint8_t, 3>;
// Power-up preset: [0] x, [1] y, [2] type, [3] content.
using puPresetRec = std::array<uint8_t, 4>;
// Background palette set: colours 1..3 of sub-palettes 1, 2 and 3.
using palSetRec = std::array<uint8_t, 9>;

// Start point of a section: bytes [0..3] of the record are its ROM position, then
// [4] low nibble, [5] high nibble, [6] screen, [7] unused.
struct startRec
{
    int32_t pos = 0; // 0 = none
    uint8_t nibLo = 0;
    uint8_t nibHi = 0;
    uint8_t screen = 0;
    uint8_t unused = 0;
    bool operator==(const startRec &) const = default;
};
