#include "stage/StageData.h"

#include "rom/RomFile.h"
#include "stage/Locations.h"

#include <exception>

int tilesetOf(int stage, int section)
{
    if (stage == 13 && (section == 0 || section == 1))
        return 2;
    if (stage == 13 && (section == 8 || section == 9))
        return 5;
    if (stage == 14 && section == 1)
        return 1;
    return stage;
}

namespace {

void readPalettes(const RomImage &rom, LoadedRom &g, int s, StageTables &t, ReadReport &r)
{
    int32_t base = loc::palSetBase(g.romVer == "1" ? 1 : 0);
    for (int k = 0; k < t.secCount[s] && k < maxSections; ++k) {
        reported(r, 121, [&] {
            t.palRecPos[s][k] = base + 9 * g.palSetNo[s][k];
            Bytes set = rom.bytes(t.palRecPos[s][k], 9);
            g.palStr[s][k][0] = g.palBackdrop + g.palFixed;
            for (int p = 1; p <= 3; ++p)
                g.palStr[s][k][p]
                    = g.palBackdrop + std::string(set.begin() + 3 * (p - 1), set.begin() + 3 * p);
        });
    }
}

} // namespace

int StageData(LoadedRom &g, int stage, int section, StageTables &t, ReadReport &r)
{
    if (stage < 0 || stage >= stageCount || section < 0 || section >= maxSections) {
        r.error(121, "Subscript out of range");
        return -1;
    }
    const int ts = tilesetOf(stage, section);
    RomImage rom;
    try {
        rom = g.rom.reread();
    } catch (const RomChanged &) {
        throw; // the caller offers to load the file as it is now
    } catch (const std::exception &e) {
        r.error(121, e.what());
        return ts;
    }
    int count = g.blockCount[ts];
    Bytes defs, attrs;
    bool haveDefs = reported(r, 121, [&] { defs = rom.bytes(g.blockDefPos[ts], 16LL * count); });
    bool haveAttrs = reported(r, 121, [&] { attrs = rom.bytes(g.blockAttrPos[ts], count); });
    readPalettes(rom, g, stage, t, r);
    for (int b = 0; b < count; ++b) {
        if (haveDefs)
            for (int p = 0; p < 16; ++p)
                g.blockTiles[ts][b][p] = defs[16 * b + p];
        if (haveAttrs)
            for (int q = 0; q < 4; ++q)
                g.blockPal[ts][b][q] = (attrs[b] >> (6 - 2 * q)) & 3;
    }
    return ts;
}
