#include "support/RomDiff.h"

#include <algorithm>

std::vector<long long> changedPositions(const Bytes &a, const Bytes &b)
{
    std::vector<long long> out;
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i)
        if (a[i] != b[i])
            out.push_back(static_cast<long long>(i) + 1);
    for (size_t i = common; i < std::max(a.size(), b.size()); ++i)
        out.push_back(static_cast<long long>(i) + 1);
    return out;
}

std::vector<long long> changedPositions(const RomImage &a, const RomImage &b)
{
    return changedPositions(a.data(), b.data());
}

RomImage applied(RomImage img, const std::vector<Patch> &patches)
{
    for (const Patch &p : patches)
        img.put(p.pos, p.bytes);
    return img;
}
