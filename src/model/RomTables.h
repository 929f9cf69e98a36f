#pragma once
#include "stage/Records.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using chrTile = std::array<uint8_t, 16>;
using ChrBank = std::array<chrTile, 64>;

// The tables the loader fills from the ROM and several windows share. Init starts from a
// fresh copy of these, so nothing of an earlier ROM survives a reload.
struct RomTables
{
    RomTables() = default;
    // Fresh tables whose 256 CHR banks take over the storage of `banks` and keep its bytes until
    // the loader writes them, so that a load neither allocates nor clears 256 KB afresh.
    explicit RomTables(std::vector<ChrBank> &&banks) : chrData(std::move(banks))
    {
        chrData.resize(256);
    }

    // Tileset of each stage.
    std::array<int32_t, stageCount> blockAttrPos {};
    std::array<int32_t, stageCount> blockDefPos {};
    std::array<int, stageCount> blockCount {};
    // Filled by StageData for the tileset in use: tile numbers (4 * row + column) and the
    // quadrant sub-palettes (0 bottom-right, 1 bottom-left, 2 top-right, 3 top-left).
    std::array<std::array<std::array<uint8_t, 16>, 256>, stageCount> blockTiles {};
    std::array<std::array<std::array<uint8_t, 4>, 257>, stageCount> blockPal {};

    // CHR banks [bank][tile][byte] and where each bank lies.
    std::vector<ChrBank> chrData = std::vector<ChrBank>(256);
    std::array<int32_t, 256> chrBankPos {};
    uint8_t maxChrBank = 0;

    // Colours: palFixed = colours 1..3 of sub-palette 0, palBackdrop = colour 0 of all.
    std::string palFixed = std::string(3, '\0');
    std::string palBackdrop = std::string(1, '\0');
    std::array<uint32_t, 64> nesRgb {}; // red + 256 * green + 65536 * blue
    // Sub-palettes of each section as 4 colour characters, colour 0 first (StageData).
    PerSection<std::array<std::string, 4>> palStr {};
    PerSection<int32_t> palSetPos {};
    PerSection<int16_t> palSetNo {};
    PerSection<int32_t> sprPalPos {};
    PerSection<uint8_t> sprPalNo {};

    // Pattern banks of each section: background 0x00-0x3F .. 0xC0-0xFF, sprites, US Sprites 4.
    PerSection<std::array<uint8_t, 4>> patBG {};
    PerSection<std::array<uint8_t, 4>> patSpr {};
    PerSection<uint8_t> patSpr4 {};
    PerSection<int32_t> patBGPos {};
    PerSection<int32_t> patSprPos {};

    std::array<puPresetRec, 256> puPresets {};
    std::array<enPresetRec, 256> enPresets {};
    std::array<std::array<specialRec, 36>, 9> stTemplates {}; // [group][index]

    uint8_t holderCode0 = 0;
    uint8_t holderCode1 = 0;
    uint8_t holderCode2 = 0;
    std::array<float, 18> stOffX {}; // marker offsets of special objects by type, in cells
    std::array<float, 18> stOffY {};
    std::array<int16_t, 83> enOffY {}; // by enemy id, in NES pixels
    std::array<std::array<bool, 8>, 256> bitMask {}; // bit 7 - column of byte
};
