#include "stage/Snapshot.h"

#include "stage/RecordCodec.h"
#include "stage/SnapshotRecords.h"
#include "stage/StageTables.h"

#include <algorithm>
#include <array>
#include <exception>
#include <numeric>
#include <utility>

namespace snap {

namespace {

using namespace records;

// The order the game needs: objects by screen, then height, from the top (in stages 11 and
// 14 from the bottom); special objects by screen. Equal records keep their order in the file.
// rec holds the records one after another, `size` bytes each.
std::vector<int> writeOrder(Kind k, int s, const Bytes &rec, int size, const std::vector<int> &at)
{
    std::vector<int> order(at.size());
    std::iota(order.begin(), order.end(), 0);
    const bool up = s == 11 || s == 14;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        auto key = [&](int i) {
            const uint8_t *r = rec.data() + static_cast<size_t>(i) * size;
            int v = k == Kind::Specials ? r[0] : up ? r[0] * 256 + r[1] : -(r[0] * 256 + r[1]);
            return std::pair { v, at[i] };
        };
        return key(a) < key(b);
    });
    return order;
}

// Record i of (s, n) as a save writes it over `raw`, what the file holds there, into out.
// False, and out untouched, when the file keeps raw: the record is unchanged, or it would become
// an end mark and the list would lose its tail.
bool savedForm(
    const StageTables &t, Kind k, int s, int n, int i, const uint8_t *raw, bool vert, uint8_t *out)
{
    const Mem base = codec::decode(k, raw, vert);
    const Mem now = get(t, k, s, n, i);
    if (now == base)
        return false;
    std::array<uint8_t, sizeof(Mem)> enc {};
    codec::encode(k, now, base, raw, vert, enc.data());
    const int size = codec::recordSize(k);
    if (codec::isEnd(k, enc.data()) || std::equal(enc.begin(), enc.begin() + size, raw))
        return false;
    std::copy_n(enc.begin(), size, out);
    return true;
}

// The area's bytes after a save, and the order a list went out in (empty when kept). A long
// layout is walked without an allocation per cell: sections sharing records are compared at
// every section change.
Bytes areaAfterSave(const StageTables &t, const Area &a, int s, int n, std::vector<int> &order)
{
    const RomImage &img = t.saved.image;
    const int size = a.size();
    const bool vert = vertical(t, s, n);
    const Bytes was = img.bytes(a.pos, static_cast<long long>(a.count) * size);
    Bytes rec(was.size()); // record i, in table order
    std::vector<int> at(a.count);
    bool touched = false;
    for (int i = 0; i < a.count; ++i) {
        at[i] = fileSlot(t.saved, a.kind, s, n, i);
        const uint8_t *raw = was.data() + static_cast<size_t>(at[i]) * size;
        uint8_t *out = rec.data() + static_cast<size_t>(i) * size;
        std::copy_n(raw, size, out);
        touched = savedForm(t, a.kind, s, n, i, raw, vert, out) || touched;
    }
    if (sorted(a.kind) && touched)
        order = writeOrder(a.kind, s, rec, size, at);
    Bytes after = was;
    for (int m = 0; m < a.count; ++m) {
        int i = order.empty() ? m : order[m];
        int place = order.empty() ? at[i] : m;
        std::copy_n(rec.begin() + static_cast<long long>(i) * size, size,
            after.begin() + static_cast<long long>(place) * size);
    }
    return after;
}

// Patches for the bytes where `after` differs from `was`.
void addRuns(long long pos, const Bytes &was, const Bytes &after, std::vector<Patch> &out)
{
    for (size_t i = 0; i < after.size();) {
        if (after[i] == was[i]) {
            ++i;
            continue;
        }
        size_t j = i;
        while (j < after.size() && after[j] != was[j])
            ++j;
        out.push_back(
            { pos + static_cast<long long>(i), Bytes(after.begin() + i, after.begin() + j) });
        i = j;
    }
}

bool overlaps(long long a0, long long a1, long long b0, long long b1)
{
    return a0 < b1 && b0 < a1;
}

long long floorDiv(long long x, long long y)
{
    return x >= 0 ? x / y : -((-x + y - 1) / y);
}

// The slots of area `a` of (s, n) whose bytes in the file meet one of `ranges`, in slot order,
// each with where it lies.
std::vector<std::pair<int, long long>> slotsMeeting(const Snapshot &sn, const Area &a, int s, int n,
    const std::vector<std::pair<long long, long long>> &ranges)
{
    std::vector<std::pair<int, long long>> out;
    const int size = a.size();
    if (sorted(a.kind)) {
        for (int i = 0; i < a.count; ++i) {
            const long long p
                = a.pos + static_cast<long long>(fileSlot(sn, a.kind, s, n, i)) * size;
            if (std::any_of(ranges.begin(), ranges.end(),
                    [&](const auto &r) { return overlaps(p, p + size, r.first, r.second); }))
                out.push_back({ i, p });
        }
        return out;
    }
    // Slot i lies at its own place, so the slots a range meets follow from its ends: a long
    // layout is not walked cell by cell for every section that shares a few of its bytes.
    std::vector<char> hit(static_cast<size_t>(a.count), 0);
    for (const auto &[first, end] : ranges) {
        const long long lo = std::max(0LL, floorDiv(first - a.pos, size));
        const long long hi = std::min<long long>(a.count, -floorDiv(a.pos - end, size));
        for (long long i = lo; i < hi; ++i)
            hit[static_cast<size_t>(i)] = 1;
    }
    for (int i = 0; i < a.count; ++i)
        if (hit[static_cast<size_t>(i)])
            out.push_back({ i, a.pos + static_cast<long long>(i) * size });
    return out;
}

// Records of (s, n) that share bytes with one of `ranges` read again from the snapshot.
// True when one of them changed.
bool readBack(
    StageTables &t, int s, int n, const std::vector<std::pair<long long, long long>> &ranges)
{
    const RomImage &img = t.saved.image;
    const bool vert = vertical(t, s, n);
    bool changed = false;
    for (const Area &a : areasOf(t, img, s, n))
        for (const auto &[i, p] : slotsMeeting(t.saved, a, s, n, ranges)) {
            if (!img.contains(p, a.size()))
                continue;
            const Mem m = codec::decode(a.kind, img.data().data() + (p - 1), vert);
            if (get(t, a.kind, s, n, i) == m)
                continue;
            put(t, a.kind, s, n, i, m);
            changed = true;
        }
    return changed;
}

// Listed sections whose records share bytes, found once by sorting every record area.
void buildLinks(StageTables &t)
{
    struct Span
    {
        long long first, end;
        int section;
    };
    std::vector<Span> spans;
    for (int s = 0; s < stageCount; ++s)
        for (int n = 0; n < t.secCount[s] && n < maxSections; ++n)
            for (const Area &a : areasOf(t, t.saved.image, s, n))
                if (a.count > 0)
                    spans.push_back({ a.pos, a.end(), s * maxSections + n });
    std::sort(
        spans.begin(), spans.end(), [](const Span &a, const Span &b) { return a.first < b.first; });
    auto &links = t.saved.links;
    links.assign(stageCount * maxSections, {});
    for (size_t i = 0; i < spans.size(); ++i)
        for (size_t j = i + 1; j < spans.size() && spans[j].first < spans[i].end; ++j) {
            int a = spans[i].section, b = spans[j].section;
            if (a == b)
                continue;
            for (auto [x, y] : { std::pair { a, b }, std::pair { b, a } })
                if (std::find(links[x].begin(), links[x].end(), y) == links[x].end())
                    links[x].push_back(y);
        }
}

std::vector<std::pair<long long, long long>> rangesOf(const std::vector<Patch> &patches)
{
    std::vector<std::pair<long long, long long>> r;
    for (const Patch &p : patches)
        r.push_back({ p.pos, p.pos + static_cast<long long>(p.bytes.size()) });
    return r;
}

} // namespace

int listKey(int s, int n, bool specials)
{
    return (s * maxSections + n) * 2 + (specials ? 1 : 0);
}

void reset(StageTables &t, const RomImage &file)
{
    t.saved = Snapshot {};
    t.saved.image = file;
}

std::string unreadRecords(const StageTables &t, int s, int n)
{
    std::string out;
    if (inRange(s, n))
        areasOf(t, t.saved.image, s, n, &out);
    return out;
}

SectionChanges changes(const StageTables &t, int s, int n, std::string &unread)
{
    SectionChanges c;
    if (!inRange(s, n))
        return c;
    for (const Area &a : areasOf(t, t.saved.image, s, n, &unread)) {
        if (a.count == 0)
            continue;
        std::vector<int> order;
        Bytes after = areaAfterSave(t, a, s, n, order);
        addRuns(a.pos, t.saved.image.bytes(a.pos, static_cast<long long>(after.size())), after,
            c.patches);
        if (!order.empty())
            (a.kind == Kind::Objects ? c.objectOrder : c.specialOrder) = std::move(order);
    }
    return c;
}

bool differs(const StageTables &t, int s, int n, std::string &unread)
{
    if (!inRange(s, n))
        return false;
    const RomImage &img = t.saved.image;
    const bool vert = vertical(t, s, n);
    bool any = false;
    for (const Area &a : areasOf(t, img, s, n, &unread)) {
        if (any || a.count == 0)
            continue; // areasOf has named every unread record already
        if (sorted(a.kind)) {
            // A short list: its save may reorder records, so only the whole save tells.
            std::vector<int> order;
            any = areaAfterSave(t, a, s, n, order)
                != img.bytes(a.pos, static_cast<long long>(a.count) * a.size());
            continue;
        }
        const int size = a.size();
        const uint8_t *area = img.at(a.pos, static_cast<long long>(a.count) * size);
        for (int i = 0; i < a.count && !any; ++i) {
            std::array<uint8_t, sizeof(Mem)> out {};
            any = savedForm(
                t, a.kind, s, n, i, area + static_cast<size_t>(i) * size, vert, out.data());
        }
    }
    return any;
}

void written(StageTables &t, int s, int n, const SectionChanges &c)
{
    Snapshot &sn = t.saved;
    for (const Patch &p : c.patches)
        sn.image.put(p.pos, p.bytes);
    for (auto [order, specials] :
        { std::pair { &c.objectOrder, false }, { &c.specialOrder, true } }) {
        if (order->empty())
            continue;
        std::vector<uint8_t> at(order->size());
        for (size_t m = 0; m < order->size(); ++m)
            at[static_cast<size_t>((*order)[m])] = static_cast<uint8_t>(m);
        bool same = std::is_sorted(order->begin(), order->end());
        if (same)
            sn.fileSlot.erase(listKey(s, n, specials));
        else
            sn.fileSlot[listKey(s, n, specials)] = std::move(at);
    }
    readBack(t, s, n, rangesOf(c.patches));
    share(t, s, n);
}

const std::vector<int> &linked(StageTables &t, int s, int n)
{
    static const std::vector<int> none;
    if (!inRange(s, n))
        return none;
    if (t.saved.links.empty())
        buildLinks(t);
    return t.saved.links[s * maxSections + n];
}

bool differsWithin(const StageTables &t, int s, int n, int os, int on)
{
    if (!inRange(s, n) || !inRange(os, on))
        return false;
    const RomImage &img = t.saved.image;
    std::vector<std::pair<long long, long long>> theirs;
    for (const Area &a : areasOf(t, img, os, on))
        theirs.push_back({ a.pos, a.end() });
    const bool vert = vertical(t, s, n);
    for (const Area &a : areasOf(t, img, s, n))
        for (const auto &[i, p] : slotsMeeting(t.saved, a, s, n, theirs))
            if (img.contains(p, a.size())
                && get(t, a.kind, s, n, i)
                    != codec::decode(a.kind, img.data().data() + (p - 1), vert))
                return true;
    return false;
}

std::vector<int> share(StageTables &t, int s, int n)
{
    std::vector<int> changed;
    const std::vector<int> &others = linked(t, s, n);
    if (others.empty())
        return changed;
    Snapshot &sn = t.saved;
    SectionChanges c;
    try {
        std::string unread;
        c = changes(t, s, n, unread);
    } catch (const std::exception &) {
        return changed; // an edit that cannot be saved is not passed on either
    }
    // The file as it would be with (s, n) saved now, for as long as the others read it.
    std::vector<Patch> undo;
    for (const Patch &p : c.patches) {
        undo.push_back({ p.pos, sn.image.bytes(p.pos, static_cast<long long>(p.bytes.size())) });
        sn.image.put(p.pos, p.bytes);
    }
    std::vector<std::pair<long long, long long>> mine;
    for (const Area &a : areasOf(t, sn.image, s, n))
        mine.push_back({ a.pos, a.end() });
    for (int o : others)
        if (readBack(t, o / maxSections, o % maxSections, mine))
            changed.push_back(o);
    for (auto it = undo.rbegin(); it != undo.rend(); ++it)
        sn.image.put(it->pos, it->bytes);
    return changed;
}

std::vector<int> enterSection(StageTables &t, int s, int n)
{
    const int here = s * maxSections + n;
    const int before = t.saved.shown;
    t.saved.shown = here;
    if (before < 0 || before == here)
        return {};
    return share(t, before / maxSections, before % maxSections);
}

void reread(StageTables &t, int s, int n, const RomImage &file)
{
    Snapshot &sn = t.saved;
    if (sn.image.size() != file.size()) {
        sn.image = file;
    } else {
        for (const Area &a : areasOf(t, file, s, n)) {
            const long long len = a.end() - a.pos;
            if (len > 0 && file.contains(a.pos, len))
                sn.image.put(a.pos, file.bytes(a.pos, len));
        }
    }
    sn.fileSlot.erase(listKey(s, n, false));
    sn.fileSlot.erase(listKey(s, n, true));
    sn.links.clear();
    share(t, s, n);
}

} // namespace snap
