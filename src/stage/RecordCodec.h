#pragma once
#include "rom/RomFile.h"
#include "stage/StageTables.h"

#include <vector>

// The records of one section (s, n) between their ROM form and the tables. Readers throw
// VbError when a record lies outside the file and then leave the tables as they were; on
// success they set the record's rec:: bit in readMask. Writers append patches at the
// recorded positions and write nothing else.
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

// Slots of the object list in the order they are written.
std::vector<int> objectOrder(const StageTables &t, int s, int n);
void writeLayout(const StageTables &t, int s, int n, std::vector<Patch> &out);
void writeObjects(const StageTables &t, int s, int n, std::vector<Patch> &out);
void writeColumns(const StageTables &t, int s, int n, std::vector<Patch> &out);
// Vertical sections first lower a [1] of 240 or more by 16, in the table itself.
void writeStairs(StageTables &t, int s, int n, std::vector<Patch> &out);
void writeStart(const StageTables &t, int s, int n, std::vector<Patch> &out);
// Empty slots go out as screen-9 records; the table keeps the normalised slots.
void writeSpecials(StageTables &t, int s, int n, std::vector<Patch> &out);
void writeDoors(const StageTables &t, int s, int n, std::vector<Patch> &out);
void writeScroll(const StageTables &t, int s, int n, std::vector<Patch> &out);

// Exchanges bytes [1] and [4] of a special object (vertical sections keep them swapped).
void swapb25(StageTables &t, int stage, int section, int slot);

} // namespace codec
