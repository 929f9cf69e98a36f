#include "support/RomBuilder.h"

namespace rb {

RomDesc oddPresets(RomDesc d)
{
    const RomMap m = romMap(d.rel);
    const auto h = static_cast<uint8_t>(m.holderCode0); // candles
    const auto heart = static_cast<uint8_t>(h + 0x1E); // small heart
    // Power-ups, in ROM order: type, content, Left, Top.
    const std::array<uint8_t, 4> pu[12] = {
        { 0x55, heart, 0x10, 0x40 }, // a holder code past the three kinds
        { h, 0x55, 0x10, 0x40 }, // a content code no item has
        { 0x00, static_cast<uint8_t>(heart - 1), 0x10, 0x40 }, // "Nothing" holding a content
        { h, 0x00, 0x3E, 0xC8 }, // a holder with "Nothing" in it
        { h, heart, 0x07, 0x3B }, // odd Left, Top off the grid
        { h, heart, 0x41, 0x20 }, // Left past the list, Top below it
        { h, heart, 0xFF, 0xCC }, // both past the list
        { h, heart, 0x00, 0x00 },
        { h, heart, 0x3E, 0xC8 },
        { static_cast<uint8_t>(h + 2), heart, 0x02, 0x3C },
        { static_cast<uint8_t>(h + 1), heart, 0x01, 0xFF },
        { 0x00, 0x00, 0x00, 0x38 },
    };
    for (size_t k = 0; k < 12; ++k)
        d.puPresets.at(0x10 + k) = pu[k];
    // Enemies, in ROM order: id, Left, Top and the two unread bytes.
    const std::array<uint8_t, 5> en[12] = {
        { 0x7F, 0x10, 0x40, 0xEE, 0xEF }, // no enemy has this code
        { 0x10, 0x10, 0x10, 0xEE, 0xEF }, // Top below 32
        { 0x10, 0x10, 0x1F, 0xEE, 0xEF },
        { 0x10, 0x10, 0xE0, 0xEE, 0xEF }, // Top from 224 up
        { 0x10, 0x10, 0xF0, 0xEE, 0xEF },
        { 0x10, 0x05, 0xDB, 0xEE, 0xEF }, // Left off the grid, Top past the list
        { 0x10, 0x44, 0x21, 0xEE, 0xEF }, // Left past the list
        { 0x10, 0xFF, 0x00, 0xEE, 0xEF },
        { 0x00, 0x10, 0x40, 0xEE, 0xEF }, // no enemy, Left and Top kept
        { 0xC3, 0x40, 0xD8, 0xEE, 0xEF },
        { 0x02, 0x00, 0x20, 0xEE, 0xEF },
        { 0x02, 0x3C, 0xFF, 0xEE, 0xEF },
    };
    for (size_t k = 0; k < 12; ++k)
        d.enPresets.at(0x10 + k) = en[k];
    d.puSameAs = { { 0x21, 0x20 }, { 0x35, 0x12 } };
    d.enSameAs = { { 0x31, 0x30 }, { 0x50, 0x17 }, { 0x1C, 0x00 } };
    return d;
}

} // namespace rb
