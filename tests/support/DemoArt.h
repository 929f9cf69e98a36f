#pragma once
#include "rom/RomFile.h"
#include "support/RomBuilder.h"

#include <array>

// Pictures for the synthetic ROMs: tiles, blocks, palettes and room layouts that a person
// recognises in the editor (sky with moon and stars, brick walls with windows, pillars,
// stone floors, stairs, grass).
namespace demo {

// Block numbers of the scene blocks every tileset starts with.
enum Block : uint8_t {
    Sky,
    Brick,
    Window,
    Floor,
    Pillar,
    StairUp, // rises to the right
    StairDown, // falls to the right
    Grass,
    Moon,
    Stars,
    Cloud,
    StageBrick, // drawn from the section's first own bank
    StageDecor, // drawn from the section's second own bank
    FirstNumbered
};

inline constexpr uint8_t fixedBank0 = 0x00; // tiles 0x00-0x3F of every section
inline constexpr uint8_t fixedBank3 = 0x01; // tiles 0xC0-0xFF of every section
inline uint8_t stageBank1(int stage)
{
    return static_cast<uint8_t>(0x44 + 2 * stage); // banks the game accepts for background tiles
}
inline uint8_t stageBank2(int stage)
{
    return static_cast<uint8_t>(0x45 + 2 * stage);
}

// 1024 bytes of a CHR bank that carries art; empty for the others.
Bytes chrBank(int bank);
// Tileset of count blocks: 16 tile numbers a block, then the attribute bytes.
rb::Tileset tileset(int count);
std::array<uint8_t, 9> palSet(int k);
// Layout bytes of a section: 48 a screen (6 rows of 8), or 64 (8 rows of 8) when vertical.
Bytes layout(int stage, int section, int screens, bool vertical);

} // namespace demo
