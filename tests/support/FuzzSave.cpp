#include "support/FuzzSave.h"

#include "model/objects/MiscDrag.h"
#include "model/objects/ObjectEdit.h"
#include "model/objects/PropertyBars.h"
#include "model/objects/SpecialTypes.h"
#include "stage/Document.h"
#include "stage/Snapshot.h"
#include "support/RomDiff.h"
#include "support/RomFixture.h"

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <random>

namespace fuzzsave {

namespace {

struct Range
{
    long long first = 0;
    long long end = 0;
    bool holds(long long p) const { return p >= first && p < end; }
};

// Records of a list before its end byte 0xFF, at most `most`.
int listCount(const Bytes &rom, long long pos, int size, int most)
{
    int c = 0;
    while (c < most && pos > 0
        && pos - 1 + static_cast<long long>(c + 1) * size <= static_cast<long long>(rom.size())
        && rom[static_cast<size_t>(pos - 1 + static_cast<long long>(c) * size)] != 0xFF)
        ++c;
    return c;
}

int screensOf(const StageTables &t, int s, int n)
{
    return std::max(1, t.layoutLen[s][n] / (t.vertFlag[s][n] ? 64 : 48));
}

bool mirror(int s, int n)
{
    return s == 1 && n >= 9;
}

// Every byte range the tables read records from, for the listed sections.
std::vector<Range> recorded(const StageTables &t, const Bytes &rom)
{
    std::vector<Range> out;
    auto add = [&](long long pos, long long len) {
        if (pos > 0 && len > 0)
            out.push_back({ pos, pos + len });
    };
    for (int s = 0; s < 15; ++s)
        for (int n = 0; n < t.secCount[s]; ++n) {
            const uint8_t m = t.readMask[s][n];
            if (m & rec::Layout)
                add(t.layoutPos[s][n], static_cast<long long>(t.layoutStr[s][n].size()));
            if (m & rec::Doors)
                add(t.doorPos[s][n], 2);
            if (mirror(s, n))
                continue;
            const bool vert = t.vertFlag[s][n] != 0;
            if (m & rec::Objects)
                vert ? add(t.enemyPos[s][n], 7LL * (t.objLen[s][n] + 1))
                     : add(t.enemyPos[s][n] + 2, static_cast<long long>(t.puStr[s][n].size()));
            if (m & rec::Stairs)
                add(t.stairPos[s][n], 3LL * listCount(rom, t.stairPos[s][n], 3, stairSlots - 1));
            if (m & rec::Start)
                add(t.startTbl[s][n].pos, 2);
            if ((m & rec::Special) && t.specialIdx[s][n])
                add(t.specialPos[s][n],
                    8LL * listCount(rom, t.specialPos[s][n], 8, specialSlots - 1));
            if (vert && (m & rec::Scroll)) {
                add(t.scrollPos[s][n], 1);
                const int i = vScrollIndex(s, n);
                if (i >= 0 && t.vScrollRead[i])
                    add(t.vScrollPos[i], 1);
            }
        }
    return out;
}

// One edit of section (s, n): what it was, the bytes it may change, and how its records read.
struct Edit
{
    std::string what;
    Range range;
    // The edited kind's records of a section as a reader compares them (lists in any order).
    std::function<std::vector<Bytes>(const StageTables &)> records;
    std::function<long long(const StageTables &)> where; // the kind's position
};

template <class Rec> Bytes bytesOf(const Rec &r)
{
    return Bytes(r.begin(), r.end());
}

class Editor
{
public:
    Editor(std::mt19937 &rng, RomState &g, StageTables &t, const Bytes &rom, int s, int n)
        : rng(rng), g(g), t(t), rom(rom), s(s), n(n), screens(screensOf(t, s, n)),
          vert(t.vertFlag[s][n] != 0)
    { }
    // Makes one edit the section offers; false when it offers none.
    bool edit(Edit &e);

private:
    int pick(int count) { return static_cast<int>(rng() % static_cast<unsigned>(count)); }
    void cell(Edit &e, bool layout);
    void object(Edit &e);
    void stair(Edit &e);
    void start(Edit &e);
    void special(Edit &e);
    void doors(Edit &e);
    void scroll(Edit &e);

    std::mt19937 &rng;
    RomState &g;
    StageTables &t;
    const Bytes &rom;
    int s, n, screens;
    bool vert;
};

bool Editor::edit(Edit &e)
{
    const uint8_t m = t.readMask[s][n];
    std::vector<std::function<void()>> offers;
    if ((m & rec::Layout) && !t.layoutStr[s][n].empty())
        offers.push_back([&] { cell(e, true); });
    if ((m & rec::Doors) && t.doorPos[s][n])
        offers.push_back([&] { doors(e); });
    if (!mirror(s, n)) {
        if ((m & rec::Objects) && !vert && !t.puStr[s][n].empty())
            offers.push_back([&] { cell(e, false); });
        if ((m & rec::Objects) && vert && t.objLen[s][n] >= 0)
            offers.push_back([&] { object(e); });
        if ((m & rec::Stairs) && listCount(rom, t.stairPos[s][n], 3, stairSlots - 1) > 0)
            offers.push_back([&] { stair(e); });
        if ((m & rec::Start) && t.startTbl[s][n].pos)
            offers.push_back([&] { start(e); });
        if ((m & rec::Special) && t.specialIdx[s][n]
            && listCount(rom, t.specialPos[s][n], 8, specialSlots - 1) > 0)
            offers.push_back([&] { special(e); });
        if ((m & rec::Scroll) && vert)
            offers.push_back([&] { scroll(e); });
    }
    if (offers.empty())
        return false;
    offers[static_cast<size_t>(pick(static_cast<int>(offers.size())))]();
    return true;
}

void Editor::cell(Edit &e, bool layout)
{
    std::string &str = layout ? t.layoutStr[s][n] : t.puStr[s][n];
    const int k = pick(static_cast<int>(str.size()));
    str[static_cast<size_t>(k)] = static_cast<char>(rng());
    const long long pos = layout ? t.layoutPos[s][n] : t.enemyPos[s][n] + 2;
    e.what = std::string(layout ? "layout" : "column") + " cell " + std::to_string(k);
    e.range = { pos + k, pos + k + 1 };
    const int si = s, ni = n;
    e.records = [=](const StageTables &x) {
        const std::string &v = layout ? x.layoutStr[si][ni] : x.puStr[si][ni];
        return std::vector<Bytes> { Bytes(v.begin(), v.end()) };
    };
    e.where = [=](const StageTables &x) {
        return layout ? x.layoutPos[si][ni] : x.enemyPos[si][ni] + 2LL;
    };
}

void Editor::object(Edit &e)
{
    const int count = t.objLen[s][n] + 1;
    const int k = pick(count);
    objRec &r = t.enemyTbl[s][n][static_cast<size_t>(k)];
    const int r0 = g.romVer == "1" ? 1 : 0;
    switch (pick(4)) {
    case 0:
        objects::dropObject(r, pick(screens));
        e.what = "object dropped";
        break;
    case 1:
        objects::pickEnemy(r, 1 + pick(82), pick(2));
        e.what = "enemy picked";
        break;
    case 2:
        objects::enemyToHolder(r, pick(3), r0);
        e.what = "holder kind";
        break;
    default:
        objects::holderToEnemy(r);
        e.what = "enemy kind";
    }
    e.what += " in object slot " + std::to_string(k);
    e.range = { t.enemyPos[s][n], t.enemyPos[s][n] + 7LL * count };
    const int si = s, ni = n;
    e.records = [=](const StageTables &x) {
        std::vector<Bytes> v;
        for (int i = 0; i <= x.objLen[si][ni]; ++i)
            v.push_back(bytesOf(x.enemyTbl[si][ni][static_cast<size_t>(i)]));
        std::sort(v.begin(), v.end());
        return v;
    };
    e.where = [=](const StageTables &x) { return static_cast<long long>(x.enemyPos[si][ni]); };
}

void Editor::stair(Edit &e)
{
    const int count = listCount(rom, t.stairPos[s][n], 3, stairSlots - 1);
    const int k = pick(count);
    stairRec &r = t.stairTbl[s][n][static_cast<size_t>(k)];
    if (pick(2)) {
        int shift = 0;
        special::turnStair(r, vert, shift);
        e.what = "staircase turned";
    } else {
        vert ? special::dropStairV(r, pick(screens)) : special::dropStairH(r, pick(screens));
        e.what = "staircase dropped";
    }
    e.what += " in slot " + std::to_string(k);
    e.range = { t.stairPos[s][n] + 3LL * k, t.stairPos[s][n] + 3LL * k + 3 };
    const int si = s, ni = n;
    e.records = [=](const StageTables &x) {
        return std::vector<Bytes> { bytesOf(x.stairTbl[si][ni][static_cast<size_t>(k)]) };
    };
    e.where = [=](const StageTables &x) { return static_cast<long long>(x.stairPos[si][ni]); };
}

void Editor::start(Edit &e)
{
    special::dropStart(t.startTbl[s][n], pick(screens));
    e.what = "start point dropped";
    e.range = { t.startTbl[s][n].pos, t.startTbl[s][n].pos + 2LL };
    const int si = s, ni = n;
    e.records = [=](const StageTables &x) {
        const startRec &r = x.startTbl[si][ni];
        return std::vector<Bytes> { { r.nibLo, r.nibHi, r.screen } };
    };
    e.where = [=](const StageTables &x) { return static_cast<long long>(x.startTbl[si][ni].pos); };
}

void Editor::special(Edit &e)
{
    const int count = listCount(rom, t.specialPos[s][n], 8, specialSlots - 1);
    const int k = pick(count);
    specialRec &r = t.specialTbl[s][n][static_cast<size_t>(k)];
    // Set first: the bars and the retype may fail half-way, as they do in the window.
    e.range = { t.specialPos[s][n], t.specialPos[s][n] + 8LL * count };
    const int si = s, ni = n;
    e.records = [=](const StageTables &x) {
        std::vector<Bytes> v;
        for (int i = 0; i < count; ++i)
            v.push_back(bytesOf(x.specialTbl[si][ni][static_cast<size_t>(i)]));
        std::sort(v.begin(), v.end());
        return v;
    };
    e.where = [=](const StageTables &x) { return static_cast<long long>(x.specialPos[si][ni]); };
    switch (pick(4)) {
    case 0:
        special::dropSpecial(r, pick(screens));
        e.what = "special object dropped";
        break;
    case 1: {
        const auto types = special::typeList(vert, !vert && screens > 1);
        e.what = "special object retyped";
        special::retype(r, vert, pick(static_cast<int>(types.size())), g.stTemplates, screens);
        break;
    }
    case 2:
        special::setBlockFlag(r, pick(2));
        e.what = "breakable block flag";
        break;
    default: {
        int speedTiles = 0;
        special::BarInputs in { pick(4), !vert };
        e.what = "special object bar";
        special::barChanged(pick(4), pick(256), r, g.stTemplates, in, speedTiles);
    }
    }
    e.what += " in slot " + std::to_string(k);
}

void Editor::doors(Edit &e)
{
    dragmath::Errors errors;
    const bool second = pick(2);
    special::dragDoor(second ? t.door2[s][n] : t.door1[s][n], pick(4500), 0, 0, errors);
    e.what = second ? "door 2 dragged" : "door 1 dragged";
    e.range = { t.doorPos[s][n], t.doorPos[s][n] + 2LL };
    const int si = s, ni = n;
    e.records = [=](const StageTables &x) {
        return std::vector<Bytes> { { x.door1[si][ni], x.door2[si][ni] } };
    };
    e.where = [=](const StageTables &x) { return static_cast<long long>(x.doorPos[si][ni]); };
}

void Editor::scroll(Edit &e)
{
    static const uint8_t bottom[] = { 0x80, 0x82, 0x84 }, top[] = { 0x81, 0x83 };
    t.scrollByte[s][n] = t.leftDoor[s][n] ? bottom[pick(3)] : top[pick(2)];
    e.what = "scroll type picked";
    e.range = { t.scrollPos[s][n], t.scrollPos[s][n] + 1LL };
    const int si = s, ni = n;
    e.records
        = [=](const StageTables &x) { return std::vector<Bytes> { { x.scrollByte[si][ni] } }; };
    e.where = [=](const StageTables &x) { return static_cast<long long>(x.scrollPos[si][ni]); };
}

std::string positions(const std::vector<long long> &p)
{
    std::string out;
    for (size_t i = 0; i < p.size() && i < 8; ++i)
        out += (i ? ", " : "") + std::to_string(p[i]);
    return out + (p.size() > 8 ? ", ..." : "");
}

std::array<std::unique_ptr<rb::RomFolder>, 2> folders;

Bytes romFor(const uint8_t *data, size_t size, uint32_t &seed)
{
    const uint8_t flags = size ? data[0] : 0;
    seed = 0;
    for (size_t i = 1; i < 5 && i < size; ++i)
        seed |= static_cast<uint32_t>(data[i]) << (8 * (i - 1));
    Bytes rom = baseRom(flags);
    for (size_t i = 5; i + 4 <= size; i += 4) {
        size_t off = (data[i] | data[i + 1] << 8 | data[i + 2] << 16) % rom.size();
        rom[off] = data[i + 3];
    }
    return rom;
}

void markAll(StageDocument &doc)
{
    const StageTables &t = doc.tables();
    for (int s = 0; s < 15; ++s)
        for (int n = 0; n < t.secCount[s]; ++n)
            doc.mark(s, n);
}

} // namespace

const Bytes &baseRom(uint8_t flags)
{
    static std::array<Bytes, 4> roms;
    const int k = flags & (Japanese | Odd);
    if (roms[k].empty()) {
        const rb::Rel rel = flags & Japanese ? rb::Rel::JP : rb::Rel::US;
        roms[k] = rb::build(flags & Odd ? rb::oddShape(rel) : rb::gameShape(rel)).rom;
    }
    return roms[k];
}

Bytes input(uint8_t flags, uint32_t seed, const std::vector<std::pair<uint32_t, uint8_t>> &patches)
{
    Bytes in { flags };
    for (int i = 0; i < 4; ++i)
        in.push_back(static_cast<uint8_t>(seed >> (8 * i)));
    for (auto [off, v] : patches)
        in.insert(in.end(),
            { static_cast<uint8_t>(off), static_cast<uint8_t>(off >> 8),
                static_cast<uint8_t>(off >> 16), v });
    return in;
}

Outcome run(const uint8_t *data, size_t size)
{
    const uint8_t flags = size ? data[0] : 0;
    auto &dir = folders[flags & Japanese];
    if (!dir)
        dir = std::make_unique<rb::RomFolder>(flags & Japanese ? rb::Rel::JP : rb::Rel::US);
    uint32_t seed = 0;
    const Bytes rom = romFor(data, size, seed);
    dir->put(rom);
    dir->rec.boxes.clear();
    dir->rec.limit = 1000;
    dir->rec.answerOk = true;
    Outcome out;
    if (dir->load() != LoadOutcome::Loaded)
        return out;
    out.loaded = true;
    RomState &g = dir->g();
    StageDocument &doc = dir->doc();
    StageTables &t = doc.tables();

    // Every section saved without an edit: not a byte changes.
    markAll(doc);
    doc.saveAll();
    const std::vector<long long> untouched = changedPositions(rom, dir->file());
    if (!untouched.empty()) {
        out.fault = "saving without an edit changed " + positions(untouched);
        return out;
    }
    doc.clearMarks();

    std::mt19937 rng(seed);
    std::vector<std::pair<int, int>> sections;
    for (int s = 0; s < 15; ++s)
        for (int n = 0; n < t.secCount[s]; ++n)
            sections.push_back({ s, n });
    const auto [s, n] = sections[rng() % sections.size()];
    g.curStage = s;
    g.curSection = n;
    snap::enterSection(t, s, n);
    const std::vector<Range> rec = recorded(t, rom);
    Edit e;
    Editor ed(rng, g, t, rom, s, n);
    try {
        if (!ed.edit(e))
            return out;
    } catch (const std::exception &) {
        // A procedure that fails shows its box; what it changed before is still an edit.
    }
    out.edit = e.what + " of stage " + std::to_string(s) + " section " + std::to_string(n);
    doc.markShown();
    // The quick look that settles the marks of sections sharing records agrees with the save.
    try {
        std::string unread;
        const bool writes = !snap::changes(t, s, n, unread).patches.empty();
        if (snap::differs(t, s, n, unread) != writes) {
            out.fault = writes ? "a save writes what the mark check misses"
                               : "the mark check finds what a save does not write";
            return out;
        }
    } catch (const std::exception &) {
        // A value the file cannot take: the save below says so.
    }
    const SaveResult r = doc.save(s, n);

    const Bytes after = dir->file();
    const std::vector<long long> changed = changedPositions(rom, after);
    for (long long p : changed) {
        if (!e.range.holds(p)) {
            out.fault = "byte " + std::to_string(p) + " outside the edited record changed";
            return out;
        }
        if (std::none_of(rec.begin(), rec.end(), [&](const Range &x) { return x.holds(p); })) {
            out.fault = "byte " + std::to_string(p) + " outside every record changed";
            return out;
        }
    }
    if (!r.ok)
        return out;
    // The edited records read back as the tables hold them.
    const std::vector<Bytes> held = e.records(t);
    const long long at = e.where(t);
    const int16_t vert = t.vertFlag[s][n];
    if (dir->load() != LoadOutcome::Loaded) // the tables above are gone from here on
        return out; // the edit reached bytes the loader walks: nothing more to compare
    StageTables &back = dir->t();
    if (back.secCount[s] <= n || e.where(back) != at || back.vertFlag[s][n] != vert)
        return out;
    if (e.records(back) != held)
        out.fault = "the edited records read back otherwise";
    return out;
}

void release()
{
    for (auto &f : folders)
        f.reset();
}

} // namespace fuzzsave
