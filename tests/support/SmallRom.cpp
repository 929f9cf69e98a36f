#include "support/SmallRom.h"

#include "rom/Release.h"

namespace smallrom {

Bytes make(Kind kind, uint8_t debugByte)
{
    static const uint8_t us[16] = { 0x80, 0xAC, 0x4E, 0x05, 0xB9, 0x0F, 0x80, 0x85, 0x46, 0x18,
        0x69, 0x01, 0x85, 0x47, 0x60, 0x00 };
    Bytes rom(0x60010, 0);
    rom[0] = 'N';
    rom[1] = 'E';
    rom[2] = 'S';
    rom[3] = 0x1A;
    for (int i = 0; i < 16; ++i)
        rom[16 + static_cast<size_t>(i)] = us[i];
    if (kind == Kind::Japanese) {
        rom[16] = 0x00;
        rom[16 + 8] = 0x38;
        rom[16 + 13] = 0x39;
    } else if (kind == Kind::Other) {
        rom[16 + 15] = 0x01;
    }
    rom[release::debugBytePos - 1] = debugByte;
    return rom;
}

} // namespace smallrom
