#pragma once
#include "rom/RomFile.h"
#include "stage/Loader.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// One entry for every fuzzing of the loader: the libFuzzer target, the replay of its corpus
// and the seeded mutation test. The input describes a damaged ROM compactly, so a small
// corpus file stands for a whole ROM image:
//   byte 0    flags: bit 0 Japanese, bit 1 256 CHR banks, bit 2 raw file, bit 3 answer Cancel
//   bytes 1-3 length to truncate the file to (little-endian; 0 keeps it whole)
//   then      4-byte patches: 3-byte offset (modulo the file size) and the byte to put there
// In raw mode the bytes after the header are the whole file.
namespace fuzz {

enum Flags : uint8_t { Japanese = 1, BigChr = 2, Raw = 4, Cancel = 8 };

struct Outcome
{
    LoadOutcome result = LoadOutcome::Loaded;
    bool romUntouched = true; // the ROM file is byte for byte what was written before Init
    size_t boxes = 0;
};

Outcome runInit(const uint8_t *data, size_t size);
// Removes the folders runInit made (a child process that ends with _exit calls it first).
void release();

// The synthetic ROM a flags byte starts from (built once per process).
const Bytes &baseRom(uint8_t flags);

Bytes input(
    uint8_t flags, uint32_t truncate, const std::vector<std::pair<uint32_t, uint8_t>> &patches);

} // namespace fuzz
