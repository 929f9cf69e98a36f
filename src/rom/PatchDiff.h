#pragma once
#include "rom/RomFile.h"

#include <vector>

// What a side window's Save writes: it makes its patches from what it holds now and, by the
// same function, from what it read when it opened; only the bytes that differ are written, so
// opening and saving without an edit writes nothing, and an edit writes only its own bytes.
// Consecutive changed bytes stay one patch. A later patch for the same position wins, as it
// would when written.
std::vector<Patch> changedBytes(const std::vector<Patch> &now, const std::vector<Patch> &was);
