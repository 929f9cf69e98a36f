#include "support/RomBuilder.h"

#include "support/RomBuilderImpl.h"

#include <algorithm>
#include <stdexcept>

namespace rb {

Stair stairH(int kind, int x, int y, int screen)
{
    return { static_cast<uint8_t>(kind * 16 + y), static_cast<uint8_t>(x),
        static_cast<uint8_t>(screen) };
}

Stair stairV(int kind, int x, int y, int screen)
{
    return { static_cast<uint8_t>(kind * 16 + screen), static_cast<uint8_t>(y),
        static_cast<uint8_t>(x) };
}

Special emptySpecial(bool vertical)
{
    // The editor keeps a vertical section's bytes 1 and 4 exchanged, so its 0x20 sits in byte 1.
    Special s { 9, 0, 0, 5, 0, 0, 0, 0 };
    s[vertical ? 1 : 4] = 0x20;
    return s;
}

namespace detail {

Builder::Builder(const RomDesc &d)
    : m_d(d), m_m(romMap(d.rel)), m_rom(0x40010 + static_cast<size_t>(d.chrBanks) * 1024, filler),
      m_space(static_cast<long long>(m_rom.size()))
{
    for (int s = 0; s < 15; ++s) {
        int j0 = 0;
        for (const Area &area : d.stages[s].areas) {
            for (size_t j = 0; j < area.sections.size(); ++j) {
                m_flat[s].push_back({ &area.sections[j], j0 });
                SectionLedger sl;
                sl.area = j0;
                sl.j = static_cast<int>(j);
                sl.vertical = area.sections[j].vertical();
                sl.screens = area.sections[j].screens;
                sl.layoutLen = layoutBytes(area.sections[j]);
                m_l.stages[s].sections.push_back(sl);
            }
            ++j0;
        }
        m_l.areaCount += static_cast<int>(d.stages[s].areas.size());
    }
}

void Builder::putAll(long long pos, const uint8_t *p, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        put(pos + static_cast<long long>(i), p[i]);
}

void Builder::ptr(long long at, long long target, int nib, int page)
{
    long long o = target - pageStart(page);
    if (o < 0 || o > 65535)
        throw std::runtime_error("ROM builder: target " + std::to_string(target)
            + " lies outside page " + std::to_string(page));
    put(at, static_cast<uint8_t>(o & 0xFF));
    put(at + 1, static_cast<uint8_t>(((o >> 8) - nib * 16) & 0xFF));
}

long long Builder::take(long long n, int page, const std::string &what)
{
    long long lo = page == 0 ? 4400 : pageStart(page);
    return m_space.take(n, lo, pageEnd(page), what);
}

void Builder::reserveFixed()
{
    static const uint8_t sigUS[16] = { 0x80, 0xAC, 0x4E, 0x05, 0xB9, 0x0F, 0x80, 0x85, 0x46, 0x18,
        0x69, 0x01, 0x85, 0x47, 0x60, 0x00 };
    const uint8_t header[16] = { 'N', 'E', 'S', 0x1A, 16, static_cast<uint8_t>(m_d.chrBanks / 8),
        0x50, 0, 0, 0, 0, 0, 0, 0, 0, 0 };
    putAll(1, header, 16);
    putAll(signaturePos, sigUS, 16);
    if (m_d.rel == Rel::JP) {
        put(signaturePos, 0x00);
        put(signaturePos + 8, 0x38);
        put(signaturePos + 13, 0x39);
    }
    m_space.reserve(1, 32, "header and signature");
    put(debugPos, m_d.debugByte);
    m_space.reserve(debugPos, 1, "debug byte");
    for (const PtrTable *t : { &m_m.pal, &m_m.enemy, &m_m.stair, &m_m.start, &m_m.specIdx,
             &m_m.door, &m_m.scroll, &m_m.bank })
        m_space.reserve(t->base, 30, "pointer table");
    m_space.reserve(m_m.specPtrTbl, 512, "special pointers");
    m_space.reserve(m_m.palFixed, 3, "fixed colours");
    m_space.reserve(m_m.palSetBase, 9 * palSetCount, "palette sets");
    m_space.reserve(m_m.palBackdrop, 1, "backdrop");
    m_space.reserve(m_m.bgFixed0, 1, "fixed bank");
    m_space.reserve(m_m.bgFixed3, 1, "fixed bank");
    m_space.reserve(m_m.timeBytes, m_l.areaCount, "time bytes");
    long long puN = std::max<long long>(m_m.puCount, m_d.puPresets.size());
    long long enN = std::max<long long>(m_m.enCount, m_d.enPresets.size());
    m_space.reserve(m_m.puPtrTbl, 2 * puN, "power-up preset pointers");
    m_space.reserve(m_m.enPtrTbl, 2 * enN, "enemy preset pointers");
    m_space.reserve(chrBase, m_d.chrBanks * 1024LL, "CHR");
    m_space.reserve(m_m.damage, 32, "damage records");
    m_space.reserve(m_m.bgmTable, 62, "music table");
    m_space.reserve(m_m.lives, 1, "lives");
    m_space.reserve(m_m.hearts, 1, "hearts");
    m_space.reserve(m_m.sprPalStart, m_m.sprPalSize, "sprite palettes");
    for (int t = 0; t < 15; ++t) {
        long long def = m_m.blockAttrPos[t] - 16LL * m_m.blockCount[t];
        m_space.reserve(def, 17LL * m_m.blockCount[t], "tileset");
        const Tileset &ts = m_d.tilesets[t];
        putAll(def, ts.defs.data(), std::min<size_t>(ts.defs.size(), 16 * m_m.blockCount[t]));
        putAll(m_m.blockAttrPos[t], ts.attrs.data(),
            std::min<size_t>(ts.attrs.size(), m_m.blockCount[t]));
    }
}

void Builder::placeAreaBlocks()
{
    for (int s = 0; s < 15; ++s) {
        const auto &areas = m_d.stages[s].areas;
        long long p = m_m.areaList[s];
        long long total = 2LL * static_cast<long long>(areas.size());
        for (const Area &a : areas)
            total += 1 + 4LL * static_cast<long long>(a.sections.size());
        m_space.reserve(p, total, "area list of stage " + std::to_string(s));
        p += 2LL * static_cast<long long>(areas.size());
        for (const Area &a : areas) {
            m_l.stages[s].areaPtr.push_back(p);
            p += 1 + 4LL * static_cast<long long>(a.sections.size());
        }
    }
}

// Returns the position of the screen-count byte, or -1 when ownRegionOnly finds no room.
long long Builder::placeLayout(int s, int n, bool ownRegionOnly)
{
    const Section &x = sec(s, n);
    const int page = static_cast<int>(pageOf(m_m.areaList[s]));
    const long long size = 1 + layoutBytes(x);
    const std::string what = "layout " + std::to_string(s) + "." + std::to_string(n);
    // Window of the count byte p (layoutPos = p + 1).
    long long lo = m_m.areaList[s] - 1, hi = pageEnd(page);
    if (x.bank == Bank::Low16k) {
        lo = pageStart(page) + 16384;
        hi = std::min(m_m.areaList[s], 102400LL) + 16384 - 1;
    } else if (x.bank == Bank::Low32k) {
        lo = std::max(102400LL, pageStart(page) + 1) + 32768 - 1;
        hi = m_m.areaList[s] + 32768 - 1;
    }
    if (x.bank == Bank::Own && ownRegionOnly)
        return m_space.find(size, lo, m_m.blockDefPos[s]) < 0
            ? -1
            : m_space.take(size, lo, m_m.blockDefPos[s], what);
    if (x.bank != Bank::Own && x.borrowFrom >= 0) {
        int b = x.borrowFrom;
        long long plo = std::max(lo, m_m.areaList[b]);
        long long phi = std::min(hi, m_m.blockDefPos[b]);
        long long p = m_space.find(size, plo, phi - 1 + size);
        if (p >= 0 && p < phi) {
            m_space.reserve(p, size, what);
            return p;
        }
    }
    return m_space.take(size, lo, hi - 1 + size, what);
}

void Builder::placeLayouts()
{
    // The corrected layouts have the narrowest windows, so they go first; then every stage
    // fills its own bank, and what does not fit there goes higher up in the same page.
    std::array<std::vector<long long>, 15> pos;
    for (int s = 0; s < 15; ++s)
        pos[s].assign(m_flat[s].size(), -1);
    for (int s = 0; s < 15; ++s)
        for (size_t n = 0; n < m_flat[s].size(); ++n)
            if (sec(s, n).bank != Bank::Own && sec(s, n).sameLayoutAs < 0)
                pos[s][n] = placeLayout(s, static_cast<int>(n), false);
    for (int pass = 0; pass < 2; ++pass)
        for (int s = 0; s < 15; ++s)
            for (size_t n = 0; n < m_flat[s].size(); ++n)
                if (pos[s][n] < 0 && sec(s, n).sameLayoutAs < 0)
                    pos[s][n] = placeLayout(s, static_cast<int>(n), pass == 0);
    for (int s = 0; s < 15; ++s)
        for (size_t n = 0; n < m_flat[s].size(); ++n) {
            int same = sec(s, n).sameLayoutAs;
            long long p = same >= 0 ? pos[s].at(static_cast<size_t>(same)) : pos[s][n];
            SectionLedger &sl = m_l.stages[s].sections[n];
            sl.layoutPos = p + 1;
            if (same >= 0)
                continue;
            const Section &x = sec(s, n);
            put(p, static_cast<uint8_t>(x.screens - 1));
            Bytes bytes = x.layout;
            if (bytes.empty())
                for (int k = 0; k < layoutBytes(x); ++k)
                    bytes.push_back(static_cast<uint8_t>((k * 3 + static_cast<int>(n)) % 13));
            if (static_cast<int>(bytes.size()) != layoutBytes(x))
                throw std::runtime_error("ROM builder: layout of " + std::to_string(s) + "."
                    + std::to_string(n) + " has the wrong length");
            putAll(p + 1, bytes.data(), bytes.size());
        }
}

void Builder::writeAreas()
{
    for (int s = 0; s < 15; ++s) {
        const int page = static_cast<int>(pageOf(m_m.areaList[s]));
        const int nib = m_m.stageNib[s];
        const auto &areas = m_d.stages[s].areas;
        size_t n = 0;
        for (size_t a = 0; a < areas.size(); ++a) {
            long long rec = m_l.stages[s].areaPtr[a];
            ptr(m_m.areaList[s] + 2LL * static_cast<long long>(a), rec, nib, page);
            const size_t count = areas[a].sections.size();
            put(rec, static_cast<uint8_t>(count - 1));
            for (size_t j = 0; j < count; ++j, ++n) {
                SectionLedger &sl = m_l.stages[s].sections[n];
                const Section &x = areas[a].sections[j];
                sl.layoutPtrPos = rec + 1 + 2LL * static_cast<long long>(j);
                // A shared layout shares its owner's pointer, correction included.
                const Section &owner = x.sameLayoutAs >= 0 ? sec(s, x.sameLayoutAs) : x;
                long long conv = sl.layoutPos - 1 - correction(owner.bank);
                ptr(sl.layoutPtrPos, conv, nib, page);
                long long tail = rec + 1 + 2LL * static_cast<long long>(count)
                    + 2LL * static_cast<long long>(j);
                put(tail, x.recordTail[0]);
                put(tail + 1, x.recordTail[1]);
            }
        }
    }
}

} // namespace detail
} // namespace rb
