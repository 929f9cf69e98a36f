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

// The item of the word's own song, or -1: songs 11, 12 and 28 have no item of their own, and
// a word may name no song at all.
int itemForWord(unsigned word, int r);
// The word item n stands for.
unsigned itemWord(int n, int r);
// The text of the entry that shows a word without an item of its own, as what it is: "Song 11",
// or "Word BEEF" for a word that names no song.
std::string wordText(unsigned word, int r);
// The item "Default Settings" selects for a situation: its song's own item, or for songs 11,
// 12 and 28 the item that stands in for them (8, 6, 15).
int defaultItem(int situation, int r);

// Save: the word chosen for each situation (none: nothing chosen), written only where it
// differs from the word read there.
using Words = std::array<std::optional<unsigned>, situations>;
std::vector<Patch> patches(const Words &chosen, const Words &read, int r);

// The situations in the window's two columns, top to bottom; -1 leaves a row free.
const std::array<int, 16> &leftColumn();
const std::array<int, 16> &rightColumn();

} // namespace bgm
