#pragma once
#include "stage/RecordCodec.h"
#include "stage/Snapshot.h"

#include <string>
#include <vector>

struct StageTables;

// The record areas a save of one section covers, and their records in memory form: what the
// snapshot compares, writes and passes on.
namespace snap::records {

using codec::Kind;
using codec::Mem;

bool inRange(int s, int n);
bool vertical(const StageTables &t, int s, int n);

// `count` records of one kind from `pos`.
struct Area
{
    Kind kind;
    long long pos = 0;
    int count = 0;
    int size() const { return codec::recordSize(kind); }
    long long end() const { return pos + static_cast<long long>(count) * size(); }
};

// The records a save of (s, n) writes, in the order saveBlock always wrote them. Records the
// loader could not read are named in unread (when given) and left out.
std::vector<Area> areasOf(
    const StageTables &t, const RomImage &img, int s, int n, std::string *unread = nullptr);

// Record i of a kind in the tables of (s, n), in its memory form, and the same record set.
Mem get(const StageTables &t, Kind k, int s, int n, int i);
void put(StageTables &t, Kind k, int s, int n, int i, const Mem &m);

// Lists whose save puts the records in the order the game needs.
bool sorted(Kind k);
// Where table slot i of a list lies in the file.
int fileSlot(const Snapshot &sn, Kind k, int s, int n, int i);

} // namespace snap::records
