#pragma once
#include "rom/RomFile.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// The music table: one little-endian song address for each of 31 situations of the game, and
// the 28 named songs the window offers. r is the release: 0 US, 1 Japanese.
namespace bgm {

inline constexpr int situations = 31;
inline constexpr int items = 28;

long long tablePos(int r); // word i at tablePos + 2i
unsigned songPtr(int k, int r); // song k's address, k = 0..30
int itemSong(int n); // the song item n stands for
std::string itemText(int n);
std::string caption(int situation);

// The item a word is shown as: the song's own item, the stand-in item of songs 11, 12 and 28,
// or -1 for a word that names no song.
int itemForWord(unsigned word, int r);
// The item "Default Settings" selects for a situation.
int defaultItem(int situation, int r);

// Save: each situation's word from its selected item (-1 none). A situation without a
// selection writes back the word it was read with, or nothing when that read failed.
std::vector<Patch> patches(const std::array<int, situations> &selected,
    const std::array<std::optional<unsigned>, situations> &readWords, int r);

// The situations in the window's two columns, top to bottom; -1 leaves a row free.
const std::array<int, 16> &leftColumn();
const std::array<int, 16> &rightColumn();

} // namespace bgm
