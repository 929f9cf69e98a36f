#pragma once
#include "rom/RomFile.h"
#include "stage/Records.h"

#include <array>
#include <map>
#include <string>
#include <vector>

// The power-up and enemy preset tables: the items their windows offer, how the records lie in
// the ROM, and the records as a window holds them while it is open. r is the release: 0 US,
// 1 Japanese.
namespace presets {

struct Item
{
    std::string text;
    uint8_t code = 0;
};

using PuTable = std::array<puPresetRec, 256>;
using EnTable = std::array<enPresetRec, 256>;

// puPresetRec fields and enPresetRec fields, by name.
enum PuField { puLeft = 0, puTop = 1, puType = 2, puContent = 3 };
enum EnField { enLeft = 0, enTop = 1, enType = 2 };

// --- Power-up presets ---
int puCount(int r); // 254 US, 244 Japanese
int32_t puTable(int r); // pointer table position
inline constexpr int puLeftItems = 32;
inline constexpr int puTopItems = 37;
inline constexpr int puNothingType = 3; // "Nothing" in the type list
inline constexpr int puNothingContent = 19; // "Nothing" in the content list
std::vector<Item> puTypes(int r);
std::vector<Item> puContents(int r);
inline uint8_t puLeftValue(int k)
{
    return static_cast<uint8_t>(2 * k);
}
inline uint8_t puTopValue(int k)
{
    return static_cast<uint8_t>(56 + 4 * k);
}
// A Top byte shows as its value less 0x28 ("10" .. "A0"); one below 0x28 with a minus sign.
std::string puTopText(int top);
// The first row of page 15 past the last preset: 14 US, 4 Japanese.
int puLastRow(int r);

// --- Enemy presets ---
int enCount(int r); // 228 US, 224 Japanese
int32_t enTable(int r);
int enMaxPage(int r); // 14 US, 13 Japanese
inline constexpr int enLeftItems = 17;
inline constexpr int enTopItems = 47;
inline uint8_t enLeftValue(int k)
{
    return static_cast<uint8_t>(4 * k);
}
inline uint8_t enTopValue(int k)
{
    return static_cast<uint8_t>(32 + 4 * k);
}
// A Top byte as read from a ROM image, brought into 32..223.
uint8_t enTopMap(uint8_t top);

// The text of a type or content code that no item has.
std::string unknownText(uint8_t code);

// How one kind of preset lies in the ROM: the pointer table, how many presets the release has,
// the record's size and where each field of the record in memory stands in the ROM's bytes.
struct Shape
{
    int32_t table = 0;
    int count = 0;
    int size = 0;
    std::array<int, 4> offset {}; // by PuField / EnField
    bool mapsTop = false; // enemies: Top is read through enTopMap
};
Shape puShape(int r);
Shape enShape(int r);

// Field f of a record whose ROM bytes start at b.
uint8_t fieldOf(const Shape &s, int f, const uint8_t *b);
template <class Rec> Rec recordOf(const Shape &s, const uint8_t *b)
{
    Rec rec {};
    for (size_t f = 0; f < rec.size(); ++f)
        rec[f] = fieldOf(s, static_cast<int>(f), b);
    return rec;
}

// Position of preset n's record through the pointer table at `table` of `rom`.
long long recordPos(const RomImage &rom, int32_t table, int n);

// The records of one table as the ROM file held them when read, and as edited since. Edits
// change bytes, not records: presets whose pointers lead to the same bytes therefore always
// show the same values, and a byte is written once however many presets use it. A byte set
// back to what its field showed when read takes the byte as read again, so the enemy Top
// mapping never reaches the file unless the user picks another Top.
class Book
{
public:
    Book() = default;
    // Reads every pointer and record; throws VbError when one lies outside the image.
    Book(const RomImage &rom, const Shape &s);

    bool empty() const { return at.empty(); }
    int count() const { return static_cast<int>(at.size()); }
    long long pos(int n) const { return at.at(static_cast<size_t>(n)); }
    // Field f of preset n now, and as read.
    uint8_t field(int n, int f) const;
    uint8_t fieldRead(int n, int f) const;
    // Gives field f of preset n the value v; returns whether a byte changed.
    bool set(int n, int f, uint8_t v);
    // Preset n's record bytes now, in ROM order; put them back with setBytes.
    Bytes bytes(int n) const;
    void setBytes(int n, const Bytes &b);
    // The other presets whose record shares a byte with preset n's.
    const std::vector<int> &sharing(int n) const { return shared.at(static_cast<size_t>(n)); }
    // The bytes that differ from what was read.
    std::vector<Patch> changes() const;
    void revert() { now = was; }
    template <class Rec> void copyTo(std::array<Rec, 256> &t) const
    {
        for (int n = 0; n < count(); ++n)
            for (size_t f = 0; f < t[0].size(); ++f)
                t[static_cast<size_t>(n)][f] = field(n, static_cast<int>(f));
    }

private:
    long long fieldPos(int n, int f) const;

    Shape s;
    std::vector<long long> at;
    std::vector<std::vector<int>> shared;
    std::map<long long, uint8_t> was, now;
};

// Restore: each preset's bytes read where the backup's own pointer says, and written where
// the working ROM's pointer says. `out` takes the table as the working ROM then holds it, and
// is only changed when every read succeeded.
template <class Rec>
std::vector<Patch> restore(
    const RomImage &backup, const RomImage &rom, const Shape &s, std::array<Rec, 256> &out)
{
    const Book from(backup, s);
    Book to(rom, s);
    for (int n = 0; n < s.count; ++n)
        to.setBytes(n, from.bytes(n));
    to.copyTo(out);
    return to.changes();
}

} // namespace presets
