#pragma once
#include "rom/RomFile.h"
#include "stage/StageTables.h"

#include <array>

// The records of one section (s, n) between their ROM form and the tables. Readers throw
// VbError when a record lies outside the file and then leave the tables as they were; on
// success they set the record's rec:: bit in readMask. What a save writes is decided in
// Snapshot, from the per-record rules here.
namespace codec {

void readLayout(const RomImage &rom, StageTables &t, int s, int n);
// Object list of a vertical section; false when 32 records carried no end byte (objLen is
// then 31 and the 32 records are kept).
bool readObjects(const RomImage &rom, StageTables &t, int s, int n);
// Column bytes of a horizontal section: objLen = layoutLen / 6 bytes at enemyPos + 2.
void readColumns(const RomImage &rom, StageTables &t, int s, int n);
// False when the list holds more than 30 staircases: the first 30 are kept, then the end mark.
bool readStairs(const RomImage &rom, StageTables &t, int s, int n);
void readStart(const RomImage &rom, StageTables &t, int s, int n);
// False when the list holds more than 30 records before its end record: the first 30 are
// kept and slot 30 becomes the end record.
bool readSpecials(const RomImage &rom, StageTables &t, int s, int n);
void readDoors(const RomImage &rom, StageTables &t, int s, int n);
void readScroll(const RomImage &rom, StageTables &t, int s, int n);

// Exchanges bytes [1] and [4] of a special object (vertical sections keep them swapped).
void swapb25(StageTables &t, int stage, int section, int slot);

// One record of a kind: a layout or column cell, an object, a staircase, a special object,
// the start point, the two door bytes, a scroll byte or stage 1's second scroll byte.
enum class Kind : uint8_t {
    Layout,
    Doors,
    Objects,
    Columns,
    Stairs,
    Start,
    Specials,
    Scroll,
    VScroll
};
// A record in its memory form (objRec, stairRec, specialRec order; start: low nibble, high
// nibble, screen; doors: door1, door2; cells and scroll bytes: one byte).
using Mem = std::array<uint8_t, 8>;

int recordSize(Kind k); // bytes in the ROM
// A list's end mark: what ends an object, staircase or special-object list.
bool isEnd(Kind k, const uint8_t *rom);
Mem decode(Kind k, const uint8_t *rom, bool vertical);
// The ROM bytes of an edited record. `was` is its memory form as the file holds it and `raw`
// those bytes: what the memory form does not model (staircase bits 5-4) and a special
// object's screen and type that the edit left alone (its empty form) keep their raw value.
// Throws VbError "Overflow" for a value that does not fit its bits.
void encode(
    Kind k, const Mem &now, const Mem &was, const uint8_t *raw, bool vertical, uint8_t *out);

} // namespace codec
