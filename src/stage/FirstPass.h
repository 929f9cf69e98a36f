#pragma once
#include "model/RomTables.h"
#include "rom/RomFile.h"
#include "stage/Locations.h"
#include "stage/StageTables.h"

#include <string>
#include <vector>

// The loader's walk over one stage's pointer chains, in load order, and the fix-ups that turn
// load order into menu order.
namespace firstpass {

// Positions of the stage's area records. The list of area pointers ends where area 0's record
// begins; it has at least 2 entries and at most maxAreas (tooMany then says it went on).
struct AreaWalk
{
    std::vector<int32_t> areaPtr;
    bool tooMany = false;
};
AreaWalk areaWalk(const RomImage &rom, const loc::StageConst &c);

// A layout pointer that converts below the stage's area list lies in another bank.
int32_t correctLayoutPos(int32_t pos, int32_t areaList);

// Reads stage s into the first-pass tables; areaNo runs on over all stages. Bounds met
// (areas, sections) are appended to notes and reading stops there. A read outside the file
// throws VbError; the sections completed before it are kept in t.secCount[s] and areaNo
// is advanced past all of the stage's areas.
void readStage(const RomImage &rom, RomTables &g, StageTables &t, int s, int r, int &areaNo,
    std::vector<std::string> &notes);

// Fix-ups and exchanges at the end of stage s: secCount must hold the sections read.
void fixUps(RomTables &g, StageTables &t, int s);

// Exchanges every first-pass table of sections a and b of the stage.
void swapSec(RomTables &g, StageTables &t, int stage, int a, int b);

// The section's label: "1:03.00" for stage 1, area 3, section 0 of the area.
std::string label(int stage, int area, int j);

} // namespace firstpass
