#include "support/RomBuilderImpl.h"

#include <algorithm>
#include <stdexcept>

namespace rb {
namespace detail {

namespace {

std::string name(const char *what, int s)
{
    return std::string(what) + " of stage " + std::to_string(s);
}

} // namespace

// The per-area list tables: level 1 at base + 2s, one level-2 entry an area, one item a
// section in the list the entry points at.
void Builder::writeListTables(int s)
{
    const auto &areas = m_d.stages[s].areas;
    const long long na = static_cast<long long>(areas.size());
    auto &secs = m_l.stages[s].sections;
    const PtrTable &pal = m_m.pal, &start = m_m.start, &idx = m_m.specIdx;
    const PtrTable &scroll = m_m.scroll, &bank = m_m.bank;

    long long palL2 = take(4 * na, pal.page, name("palette lists", s));
    long long startL2 = take(2 * na, start.page, name("start lists", s));
    long long idxL2 = take(2 * na, idx.page, name("special index lists", s));
    long long scrollL2 = take(2 * na, scroll.page, name("scroll lists", s));
    long long bankL2 = take(4 * na, bank.page, name("bank lists", s));
    ptr(pal.base + 2 * s, palL2, pal.nib, pal.page);
    ptr(start.base + 2 * s, startL2, start.nib, start.page);
    ptr(idx.base + 2 * s, idxL2, idx.nib, idx.page);
    ptr(scroll.base + 2 * s, scrollL2, scroll.nib, scroll.page);
    ptr(bank.base + 2 * s, bankL2, bank.nib, bank.page);

    // Stage 1 keeps its areas' sprite bank lists back to back, the later areas holding the
    // second copies of the first nine sections' banks (30, 18 and 6 bytes on), so the block
    // has room for those copies however few sections a test gives the stage.
    long long sprList = 0;
    if (s == 1) {
        long long total = 0;
        for (const Area &area : areas)
            total += 2 * static_cast<long long>(area.sections.size());
        sprList = take(std::max(total, 36LL), bank.page, name("sprite bank list", s));
        m_l.stages[s].sprBankList = { sprList, sprList + std::max(total, 36LL) };
    }
    size_t n = 0;
    for (long long a = 0; a < na; ++a) {
        const auto &list = areas[static_cast<size_t>(a)].sections;
        const long long c = static_cast<long long>(list.size());
        long long bg = take(c, pal.page, name("palette list", s));
        long long spr = take(c, pal.page, name("sprite palette list", s));
        long long st = take(2 * c, start.page, name("start list", s));
        long long ix = take(c, idx.page, name("special index list", s));
        long long sc = take(c, scroll.page, name("scroll list", s));
        long long bb = take(m_m.bgBankBytes * c, bank.page, name("bank list", s));
        long long sb = sprList > 0 ? sprList + 2 * static_cast<long long>(n)
                                   : take(2 * c, bank.page, name("sprite bank list", s));
        ptr(palL2 + 4 * a, bg, pal.nib, pal.page);
        ptr(palL2 + 4 * a + 2, spr, pal.nib, pal.page);
        ptr(startL2 + 2 * a, st, start.nib, start.page);
        ptr(idxL2 + 2 * a, ix, idx.nib, idx.page);
        ptr(scrollL2 + 2 * a, sc, scroll.nib, scroll.page);
        ptr(bankL2 + 4 * a, bb, bank.nib, bank.page);
        ptr(bankL2 + 4 * a + 2, sb, bank.nib, bank.page);
        for (long long j = 0; j < c; ++j, ++n) {
            const Section &x = list[static_cast<size_t>(j)];
            SectionLedger &sl = secs[n];
            sl.palSetPos = bg + j;
            sl.sprPalPos = spr + j;
            sl.startPos = st + 2 * j;
            sl.specIdxPos = ix + j;
            sl.scrollPos = sc + j;
            sl.patBGPos = bb + m_m.bgBankBytes * j;
            sl.patSprPos = sb + 2 * j;
            sl.timePos = m_m.timeBytes + m_areaNo + a;
            putItems(sl, x);
        }
        put(m_m.timeBytes + m_areaNo + a, areas[static_cast<size_t>(a)].time);
    }
    m_areaNo += na;
}

void Builder::putItems(const SectionLedger &sl, const Section &x)
{
    put(sl.palSetPos, x.palSet);
    put(sl.sprPalPos, x.sprPal);
    put(sl.startPos, x.start[0]);
    put(sl.startPos + 1, x.start[1]);
    put(sl.scrollPos, x.scroll);
    for (int k = 0; k < m_m.bgBankBytes; ++k)
        put(sl.patBGPos + k, x.bgBanks[static_cast<size_t>(k)]);
    put(sl.patSprPos, x.sprBanks[0]);
    put(sl.patSprPos + 1, x.sprBanks[1]);
}

void Builder::writeObjectsAndStairs(int s)
{
    const auto &areas = m_d.stages[s].areas;
    const long long na = static_cast<long long>(areas.size());
    const PtrTable &en = m_m.enemy, &stp = m_m.stair;
    long long enL2 = take(2 * na, en.page, name("object lists", s));
    long long stL2 = take(2 * na, stp.page, name("staircase lists", s));
    ptr(en.base + 2 * s, enL2, en.nib, en.page);
    ptr(stp.base + 2 * s, stL2, stp.nib, stp.page);
    size_t n = 0;
    for (long long a = 0; a < na; ++a) {
        const auto &list = areas[static_cast<size_t>(a)].sections;
        const long long c = static_cast<long long>(list.size());
        long long el = take(2 * c, en.page, name("object pointers", s));
        long long sl2 = take(2 * c, stp.page, name("staircase pointers", s));
        ptr(enL2 + 2 * a, el, en.nib, en.page);
        ptr(stL2 + 2 * a, sl2, stp.nib, stp.page);
        for (long long j = 0; j < c; ++j, ++n) {
            const Section &x = list[static_cast<size_t>(j)];
            SectionLedger &sl = m_l.stages[s].sections[n];
            Bytes data;
            if (x.vertical()) {
                for (const Obj &o : x.objects)
                    data.insert(data.end(), o.begin(), o.end());
                if (x.objectEnd)
                    data.push_back(0xFF);
                sl.objectCount = static_cast<int>(x.objects.size());
            } else {
                data.assign(x.columnHead.begin(), x.columnHead.end());
                Bytes cols = x.columns;
                cols.resize(static_cast<size_t>(8 * x.screens), 0);
                data.insert(data.end(), cols.begin(), cols.end());
            }
            sl.enemyPtrPos = el + 2 * j;
            if (x.vertical() && x.sameObjectsAs >= 0) {
                const SectionLedger &o
                    = m_l.stages[s].sections.at(static_cast<size_t>(x.sameObjectsAs));
                sl.enemyPos = o.enemyPos;
                sl.objectCount = o.objectCount;
            } else {
                sl.enemyPos = take(static_cast<long long>(std::max<size_t>(data.size(), 1)),
                    en.page, name("objects", s));
                putAll(sl.enemyPos, data.data(), data.size());
            }
            ptr(sl.enemyPtrPos, sl.enemyPos, en.nib, en.page);

            Bytes st;
            for (const Stair &t : x.stairs)
                st.insert(st.end(), t.begin(), t.end());
            st.push_back(0xFF);
            sl.stairCount = static_cast<int>(x.stairs.size());
            sl.stairPtrPos = sl2 + 2 * j;
            sl.stairPos = take(static_cast<long long>(st.size()), stp.page, name("staircases", s));
            putAll(sl.stairPos, st.data(), st.size());
            ptr(sl.stairPtrPos, sl.stairPos, stp.nib, stp.page);
        }
    }
}

void Builder::writeDoors(int s)
{
    const auto &areas = m_d.stages[s].areas;
    const PtrTable &d = m_m.door;
    long long recs = take(6 * static_cast<long long>(areas.size()), d.page, name("doors", s));
    ptr(d.base + 2 * s, recs, d.nib, d.page);
    m_l.stages[s].doorRecords = recs;
    size_t n = 0;
    for (size_t a = 0; a < areas.size(); ++a) {
        const Area &area = areas[a];
        long long rec = recs + 6 * static_cast<long long>(a);
        putAll(rec, area.door.data(), 6);
        put(rec, area.doorSection >= 0 ? static_cast<uint8_t>(area.doorSection) : area.noDoorByte);
        for (size_t j = 0; j < area.sections.size(); ++j, ++n)
            if (static_cast<int>(j) == area.doorSection)
                m_l.stages[s].sections[n].doorPos = rec + 3;
    }
}

void Builder::writeSpecials()
{
    int next = 1;
    for (int s = 0; s < 15; ++s)
        for (size_t n = 0; n < m_flat[s].size(); ++n) {
            const Section &x = sec(s, static_cast<int>(n));
            SectionLedger &sl = m_l.stages[s].sections[n];
            if (!x.hasSpecials || x.sameSpecialsAs >= 0)
                continue;
            if (next > 255)
                throw std::runtime_error("ROM builder: more than 255 special-object lists");
            Bytes data;
            for (const Special &r : x.specials)
                data.insert(data.end(), r.begin(), r.end());
            data.insert(data.end(), x.specialEnd.begin(), x.specialEnd.end());
            sl.specialIdx = static_cast<uint8_t>(next++);
            sl.specialCount = static_cast<int>(x.specials.size());
            sl.specialPos = take(static_cast<long long>(data.size()), 0, name("specials", s));
            putAll(sl.specialPos, data.data(), data.size());
            ptr(m_m.specPtrTbl + 2LL * sl.specialIdx, sl.specialPos, 0, 0);
        }
    for (int s = 0; s < 15; ++s)
        for (size_t n = 0; n < m_flat[s].size(); ++n) {
            const Section &x = sec(s, static_cast<int>(n));
            SectionLedger &sl = m_l.stages[s].sections[n];
            if (x.hasSpecials && x.sameSpecialsAs >= 0) {
                const SectionLedger &o
                    = m_l.stages[s].sections.at(static_cast<size_t>(x.sameSpecialsAs));
                sl.specialIdx = o.specialIdx;
                sl.specialPos = o.specialPos;
                sl.specialCount = o.specialCount;
            }
            put(sl.specIdxPos, sl.specialIdx);
        }
}

namespace {

// The record an earlier preset's pointer already leads to, or 0.
long long sameAs(const std::map<int, int> &same, size_t i, const std::vector<long long> &placed)
{
    const auto it = same.find(static_cast<int>(i));
    return it == same.end() ? 0 : placed.at(static_cast<size_t>(it->second));
}

} // namespace

void Builder::writePresets()
{
    for (size_t i = 0; i < m_d.puPresets.size(); ++i) {
        long long p = sameAs(m_d.puSameAs, i, m_l.puRecords);
        if (!p) {
            p = take(4, 2, "power-up preset");
            putAll(p, m_d.puPresets[i].data(), 4);
        }
        ptr(m_m.puPtrTbl + 2 * static_cast<long long>(i), p, 0, 2);
        m_l.puRecords.push_back(p);
    }
    for (size_t i = 0; i < m_d.enPresets.size(); ++i) {
        long long p = sameAs(m_d.enSameAs, i, m_l.enRecords);
        if (!p) {
            p = take(5, 2, "enemy preset");
            putAll(p, m_d.enPresets[i].data(), 5);
        }
        ptr(m_m.enPtrTbl + 2 * static_cast<long long>(i), p, 0, 2);
        m_l.enRecords.push_back(p);
    }
}

void Builder::writeChrAndPalettes()
{
    for (int b = 0; b < m_d.chrBanks; ++b) {
        long long pos = chrBase + 1024LL * b;
        if (static_cast<size_t>(b) < m_d.chr.size() && m_d.chr[b].size() == 1024) {
            putAll(pos, m_d.chr[b].data(), 1024);
            continue;
        }
        // A pattern of the bank's number, so a tile read from the wrong bank shows.
        for (int i = 0; i < 1024; ++i)
            put(pos + i, static_cast<uint8_t>((b + 1) * 131 + (i / 16) * 17 + i % 16));
    }
    putAll(m_m.palFixed, m_d.palFixed.data(), 3);
    put(m_m.palBackdrop, m_d.palBackdrop);
    for (size_t k = 0; k < m_d.palSets.size() && k < palSetCount; ++k)
        putAll(m_m.palSetBase + 9 * static_cast<long long>(k), m_d.palSets[k].data(), 9);
    put(m_m.bgFixed0, m_d.bgFixed0);
    put(m_m.bgFixed3, m_d.bgFixed3);
}

void Builder::writeGameTables()
{
    putAll(m_m.damage, m_d.damage.data(), std::min<size_t>(m_d.damage.size(), 32));
    for (size_t i = 0; i < m_d.bgmWords.size() && i < 31; ++i) {
        put(m_m.bgmTable + 2 * static_cast<long long>(i), m_d.bgmWords[i] & 0xFF);
        put(m_m.bgmTable + 2 * static_cast<long long>(i) + 1, (m_d.bgmWords[i] >> 8) & 0xFF);
    }
    if (m_d.livesHearts.size() == 2) {
        put(m_m.lives, m_d.livesHearts[0]);
        put(m_m.hearts, m_d.livesHearts[1]);
    }
    putAll(m_m.sprPalStart, m_d.sprPalettes.data(),
        std::min<size_t>(m_d.sprPalettes.size(), static_cast<size_t>(m_m.sprPalSize)));
}

Built Builder::run()
{
    reserveFixed();
    placeAreaBlocks();
    placeLayouts();
    writeAreas();
    for (int s = 0; s < 15; ++s) {
        writeListTables(s);
        writeObjectsAndStairs(s);
        writeDoors(s);
    }
    writeSpecials();
    writePresets();
    writeChrAndPalettes();
    writeGameTables();
    m_l.used = m_space.used();
    return { std::move(m_rom), std::move(m_l) };
}

} // namespace detail

Built build(const RomDesc &desc)
{
    detail::Builder b(desc);
    return b.run();
}

} // namespace rb
