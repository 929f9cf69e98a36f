#pragma once
#include "rom/RomFile.h"

#include <map>
#include <string>
#include <vector>

struct StageTables;

// What the ROM file holds at the section records, as last read or saved. A save compares the
// tables against it and writes only the records the user changed; every other byte, and what
// the tables do not model, stays as the file holds it.
struct Snapshot
{
    RomImage image; // the file as loaded, with every save's patches and Revert's reads
    // Lists a save wrote in another order than the tables hold them: for each table slot, the
    // record's place in the file. Keyed by snap::listKey; a list not here is in table order.
    std::map<int, std::vector<uint8_t>> fileSlot;
    // For each section (stage * 21 + section), the sections whose records share bytes with
    // its own; built on first use.
    std::vector<std::vector<int>> links;
    int shown = -1; // the section the window shows (stage * 21 + section)
};

namespace snap {

// What a save of one section writes.
struct SectionChanges
{
    std::vector<Patch> patches;
    // Table slots in the order the save puts them into the file, for a list it writes.
    std::vector<int> objectOrder;
    std::vector<int> specialOrder;
};

// The file as the loader read it; nothing saved yet.
void reset(StageTables &t, const RomImage &file);

// The patches that bring the user's changes of section (s, n) into the file: only records
// whose memory form differs from what the file holds. A list the user changed goes out in
// the order the game needs (objects by screen and height, special objects by screen), never
// longer than the records read and never over its end record. Records never read are named
// in `unread` and not written. Throws VbError for a value that does not fit its bits.
SectionChanges changes(const StageTables &t, int s, int n, std::string &unread);

// The records of (s, n) a save needs that were never read, named as changes names them; empty
// when every one was read.
std::string unreadRecords(const StageTables &t, int s, int n);

// Whether a save of (s, n) would write anything: changes(...).patches is not empty, found
// without building the patches. Names unread records and throws as changes does.
bool differs(const StageTables &t, int s, int n, std::string &unread);

// After c reached the file: the snapshot takes it, each written record of (s, n) reads back
// as the file now holds it, and the sections sharing those bytes see them.
void written(StageTables &t, int s, int n, const SectionChanges &c);

// Listed sections whose records share bytes with (s, n)'s see those records as (s, n) holds
// them now, so an edit shows in both and neither save undoes the other's. Returns the sections
// whose records changed (stage * 21 + section each).
std::vector<int> share(StageTables &t, int s, int n);

// The window is about to show (s, n): the section shown before passes its records on.
// Returns the sections whose records changed, as share does.
std::vector<int> enterSection(StageTables &t, int s, int n);

// The listed sections whose records share bytes with (s, n)'s (stage * 21 + section each).
const std::vector<int> &linked(StageTables &t, int s, int n);

// Whether a record of (s, n) that lies in the bytes of (os, on)'s records holds what the file
// does not: reading (os, on) again from the file would change it.
bool differsWithin(const StageTables &t, int s, int n, int os, int on);

// Revert read (s, n) again from `file`: the snapshot takes those records, and the sections
// sharing them see them.
void reread(StageTables &t, int s, int n, const RomImage &file);

int listKey(int s, int n, bool specials);

} // namespace snap
