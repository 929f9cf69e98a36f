#pragma once
#include "rom/RomFile.h"

#include <vector>

// Comparing ROM images in tests.

// 1-based positions where a and b differ, in ascending order. Where one is longer, every
// position past the end of the shorter counts as changed, so a grown or cut file shows.
std::vector<long long> changedPositions(const Bytes &a, const Bytes &b);
std::vector<long long> changedPositions(const RomImage &a, const RomImage &b);

// `img` with every patch put in, in order.
RomImage applied(RomImage img, const std::vector<Patch> &patches);
