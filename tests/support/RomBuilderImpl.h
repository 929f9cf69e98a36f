#pragma once
#include "support/RomBuilder.h"
#include "support/RomSpace.h"

#include <string>

// The builder's working state, shared by its two source files.
namespace rb::detail {

inline long long pageStart(int page)
{
    return page * 65536LL + 17;
}

inline long long pageEnd(int page)
{
    return pageStart(page) + 65536;
}

inline int layoutBytes(const Section &sec)
{
    return sec.screens * (sec.vertical() ? 64 : 48);
}

inline long long correction(Bank b)
{
    return b == Bank::Low16k ? 16384 : b == Bank::Low32k ? 32768 : 0;
}

class Builder
{
public:
    explicit Builder(const RomDesc &d);
    Built run();

private:
    void put(long long pos, uint8_t v) { m_rom.at(static_cast<size_t>(pos - 1)) = v; }
    void putAll(long long pos, const uint8_t *p, size_t n);
    void ptr(long long at, long long target, int nib, int page);
    long long take(long long n, int page, const std::string &what);

    void reserveFixed();
    void placeAreaBlocks();
    void placeLayouts();
    long long placeLayout(int s, int n, bool ownRegionOnly);
    void writeAreas();
    void writeListTables(int s);
    void putItems(const SectionLedger &sl, const Section &x);
    void writeObjectsAndStairs(int s);
    void writeSpecials();
    void writeDoors(int s);
    void writePresets();
    void writeChrAndPalettes();
    void writeGameTables();

    const Section &sec(int s, int n) const { return *m_flat[s][n].first; }

    const RomDesc &m_d;
    RomMap m_m;
    Bytes m_rom;
    RomSpace m_space;
    Ledger m_l;
    long long m_areaNo = 0; // running area number of the next stage's first area
    // Sections of each stage in load order, with their area.
    std::array<std::vector<std::pair<const Section *, int>>, 15> m_flat;
};

} // namespace rb::detail
