#pragma once
#include "rom/RomFile.h"
#include "stage/Records.h"

#include <array>
#include <string>
#include <vector>

// The power-up and enemy preset tables: the items their windows offer, how a stored byte
// picks an item, and what Save and Restore write. r is the release: 0 US, 1 Japanese.
namespace presets {

struct Item
{
    std::string text;
    uint8_t code = 0;
};

using PuTable = std::array<puPresetRec, 256>;
using EnTable = std::array<enPresetRec, 256>;

// puPresetRec fields and enPresetRec fields, by name.
enum PuField { puLeft = 0, puTop = 1, puType = 2, puContent = 3 };
enum EnField { enLeft = 0, enTop = 1, enType = 2 };

// --- Power-up presets ---
int puCount(int r); // 254 US, 244 Japanese
int32_t puTable(int r); // pointer table position
inline constexpr int puLeftItems = 32;
inline constexpr int puTopItems = 37;
inline constexpr int puNothingType = 3; // "Nothing" in the type list
inline constexpr int puNothingContent = 19; // "Nothing" in the content list
std::vector<Item> puTypes(int r);
std::vector<Item> puContents(int r);
inline uint8_t puLeftValue(int k)
{
    return static_cast<uint8_t>(2 * k);
}
inline uint8_t puTopValue(int k)
{
    return static_cast<uint8_t>(56 + 4 * k);
}
std::string puLeftText(int k); // "00" .. "3E"
std::string puTopText(int k); // the value less 0x28: "10" .. "A0"
int puLeftIndex(uint8_t left); // the item at or below; 0 when none
int puTopIndex(uint8_t top);
// The first row of page 15 past the last preset: 14 US, 4 Japanese.
int puLastRow(int r);

// --- Enemy presets ---
int enCount(int r); // 228 US, 224 Japanese
int32_t enTable(int r);
int enMaxPage(int r); // 14 US, 13 Japanese
inline constexpr int enLeftItems = 17;
inline constexpr int enTopItems = 47;
inline uint8_t enLeftValue(int k)
{
    return static_cast<uint8_t>(4 * k);
}
inline uint8_t enTopValue(int k)
{
    return static_cast<uint8_t>(32 + 4 * k);
}
int enLeftIndex(uint8_t left);
int enTopIndex(uint8_t top);
// A Top byte as read from a ROM image, brought into 32..223.
uint8_t enTopMap(uint8_t top);

// The first item whose code is `code`, else `fallback`.
int codeIndex(const std::vector<Item> &items, uint8_t code, int fallback);

// Position of preset n's record through the pointer table at `table` of `rom`.
long long recordPos(const RomImage &rom, int32_t table, int n);

// Save: every preset of the release, at the positions the working ROM's pointers give, in
// ascending order (where two pointers share bytes the later preset's values stay).
std::vector<Patch> puSave(const RomImage &rom, const PuTable &t, int r);
std::vector<Patch> enSave(const RomImage &rom, const EnTable &t, int r);

// Restore: each preset read where the backup's own pointer says (into `out`, Top mapped for
// enemies), and written where the working ROM's pointer says. `out` is only changed when every
// read succeeded.
std::vector<Patch> puRestore(const RomImage &backup, const RomImage &rom, PuTable &out, int r);
std::vector<Patch> enRestore(const RomImage &backup, const RomImage &rom, EnTable &out, int r);

} // namespace presets
