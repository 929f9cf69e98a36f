#include "rom/PatchDiff.h"

#include <map>

namespace {

std::map<long long, uint8_t> byPosition(const std::vector<Patch> &patches)
{
    std::map<long long, uint8_t> out;
    for (const Patch &p : patches)
        for (size_t i = 0; i < p.bytes.size(); ++i)
            out[p.pos + static_cast<long long>(i)] = p.bytes[i];
    return out;
}

} // namespace

std::vector<Patch> changedBytes(const std::vector<Patch> &now, const std::vector<Patch> &was)
{
    const std::map<long long, uint8_t> before = byPosition(was);
    std::vector<Patch> out;
    for (const auto &[pos, v] : byPosition(now)) {
        const auto it = before.find(pos);
        if (it != before.end() && it->second == v)
            continue;
        if (!out.empty() && out.back().pos + static_cast<long long>(out.back().bytes.size()) == pos)
            out.back().bytes.push_back(v);
        else
            out.push_back({ pos, { v } });
    }
    return out;
}
