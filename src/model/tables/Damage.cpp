#include "model/tables/Damage.h"

#include <algorithm>

namespace damage {

namespace {

std::vector<Row> usRows()
{
    const std::string g1 = "Trevor and Alucard ", g2 = "Grant and Sypha ";
    return {
        { g1, "* Stages 1 to 3", 230142, 1 },
        { g1, "Stages 4 to C", 230143, 2 },
        { g1, "** Stages D to E", 230144, 3 },
        { g1, "Moving Spikes", 230148, 7 },
        { g2, "* Stages 1 to 3", 230158, 2 },
        { g2, "Stages 4 to C", 230159, 3 },
        { g2, "** Stages D to E", 230160, 4 },
        { g2, "Moving Spikes", 230164, 8 },
    };
}

std::vector<Row> jpRows()
{
    const std::string g1 = "Ralph and Alucard ", g2 = "Grant and Sypha ";
    return {
        { g1, "Weakest Enemies", 230121, 1 },
        { g1, "Average Enemies", 230122, 2 },
        { g1, "Strongest Enemies", 230123, 3 },
        { g1, "Moving Spikes", 230127, 7 },
        { g1, "* Fatalities", 230135, 15 },
        { g2, "Weakest Enemies", 230137, 2 },
        { g2, "Average Enemies", 230138, 3 },
        { g2, "Strongest Enemies", 230139, 4 },
        { g2, "Moving Spikes", 230143, 8 },
        { g2, "* Fatalities", 230151, 15 },
    };
}

} // namespace

const std::vector<Row> &rows(int r)
{
    static const std::vector<Row> us = usRows();
    static const std::vector<Row> jp = jpRows();
    return r == 1 ? jp : us;
}

std::vector<Patch> patches(
    const std::vector<uint8_t> &bytes, const std::vector<uint8_t> &read, int r)
{
    const std::vector<Row> &rs = rows(r);
    std::vector<Patch> out;
    for (size_t i = 0; i < rs.size() && i < bytes.size() && i < read.size(); ++i)
        if (bytes[i] != read[i])
            out.push_back({ rs[i].pos, { bytes[i] } });
    return out;
}

bool allCheap(const std::vector<uint8_t> &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

} // namespace damage
