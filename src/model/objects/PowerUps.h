#pragma once
#include "stage/Records.h"

#include <array>
#include <string>
#include <vector>

// The holder kinds, the power-up palette and the presets that match a choice.
namespace objects {

inline constexpr int puCount = 19;
inline constexpr int enemyKind = 3;
inline constexpr int smallHeart = 8; // the palette entry "Small Heart"

struct PowerUp
{
    const char *tag; // the US content code in hexadecimal
    const char *name;
    int row; // 1..5
    int col; // 1..4
};

const PowerUp &powerUp(int index); // index 0..18
int puLeft(int index); // twips
int puTop(int index);
int candleLeft(int kind); // the holder-kind buttons, twips; their row is at Top 2760

const char *kindName(int kind); // "Candles", "Candlestand", "Lantern", "Enemy"
int holderCode(int kind, int r); // 0x90 + kind, 16 lower in the Japanese release
// The holder kind 0..2 whose code is `code` in the release, or -1 for any other code.
inline int holderKindOf(int code, int r)
{
    for (int kind = 0; kind < 3; ++kind)
        if (holderCode(kind, r) == code)
            return kind;
    return -1;
}
// Whether an object-list slot of type `code` shows its code beside its marker: an enemy does,
// and so does a holder of none of the three kinds, so that it is not taken for a known one.
inline bool showsCode(int code, int r)
{
    return holderKindOf(code, r) < 0;
}

// Upper-case hexadecimal without leading zeros.
std::string hexText(int v);
int puContent(int index, int r); // the release's content code of a palette entry
// The palette entry whose code is `content` of the release, or -1.
int puIndexOf(int content, int r);

int puPresetsInUse(int r); // 254 US, 244 Japanese
int enPresetsInUse(int r); // 228 US, 224 Japanese

// Preset numbers, ascending, of the holder presets of `kind` holding palette entry `index`.
std::vector<int> holderMatches(
    const std::array<puPresetRec, 256> &presets, int r, int index, int kind);
// Preset numbers, ascending, of the enemy presets of enemy `id`.
std::vector<int> enemyMatches(const std::array<enPresetRec, 256> &presets, int r, int id);

// Pages of 16 proposals; the page caption "g/n", "0/0" without proposals.
inline int lastPage(int matches)
{
    return matches > 0 ? (matches - 1) / 16 : 0;
}

// The enemy ids whose facing can be turned.
inline bool hasFacing(int id)
{
    return id == 14 || id == 42 || id == 65;
}

} // namespace objects
