#pragma once
#include "rom/RomFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// One entry for every fuzzing of saves: the libFuzzer target, the replay of its corpus and the
// seeded test. The input describes a damaged ROM and one edit:
//   byte 0    flags: bit 0 Japanese, bit 1 the odd-but-legal shape
//   bytes 1-4 the seed that picks the section and the edit (little-endian)
//   then      4-byte patches: 3-byte offset (modulo the file size) and the byte to put there
// Each run loads the ROM, saves every section unedited, makes one edit through the editing
// procedures, saves its section and reads the file again.
namespace fuzzsave {

enum Flags : uint8_t { Japanese = 1, Odd = 2 };

struct Outcome
{
    bool loaded = false;
    std::string edit; // what was edited, for the report
    std::string fault; // empty: every property held
};

Outcome run(const uint8_t *data, size_t size);
// Removes the folders run made.
void release();

Bytes input(uint8_t flags, uint32_t seed, const std::vector<std::pair<uint32_t, uint8_t>> &patches);
// The synthetic ROM a flags byte starts from (built once per process).
const Bytes &baseRom(uint8_t flags);

} // namespace fuzzsave
