#include "stage/Saver.h"

#include "rom/RomFile.h"
#include "stage/RecordCodec.h"

#include <cstdio>
#include <exception>

namespace {

bool inRange(int stage, int section)
{
    return stage >= 0 && stage < stageCount && section >= 0 && section < maxSections;
}

int vScrollIndex(int stage, int section)
{
    if (stage != 1)
        return -1;
    return section == 0 ? 0 : section == 4 ? 1 : section == 7 ? 2 : -1;
}

// The patches of one section; records that were never read are named in unread instead.
std::vector<Patch> sectionPatches(StageTables &t, int s, int n, std::string &unread)
{
    std::vector<Patch> out;
    uint8_t m = t.readMask[s][n];
    auto need = [&](uint8_t bit, const char *what) {
        if (m & bit)
            return true;
        unread += unread.empty() ? what : std::string(", ") + what;
        return false;
    };
    if (need(rec::Layout, "layout"))
        codec::writeLayout(t, s, n, out);
    if (t.doorPos[s][n] != 0 && need(rec::Doors, "doors"))
        codec::writeDoors(t, s, n, out);
    if (s == 1 && n >= 9)
        return out;
    bool vert = t.vertFlag[s][n] != 0;
    if (need(rec::Objects, "objects")) {
        if (vert)
            codec::writeObjects(t, s, n, out);
        else
            codec::writeColumns(t, s, n, out);
    }
    if (need(rec::Stairs, "staircases"))
        codec::writeStairs(t, s, n, out);
    if (t.startTbl[s][n].pos != 0 && need(rec::Start, "start point"))
        codec::writeStart(t, s, n, out);
    if (t.specialIdx[s][n] != 0 && need(rec::Special, "special objects"))
        codec::writeSpecials(t, s, n, out);
    if (vert && need(rec::Scroll, "scroll byte")) {
        codec::writeScroll(t, s, n, out);
        int i = vScrollIndex(s, n);
        if (i >= 0 && t.vScrollRead[i])
            out.push_back({ t.vScrollPos[i], { t.vScrollType[i] } });
    }
    return out;
}

} // namespace

void Modif(Shared &g)
{
    if (inRange(g.curStage, g.curSection))
        g.modFlags[g.curStage][g.curSection] = 1;
}

SaveResult saveBlock(Shared &g, StageTables &t, int stage, int section)
{
    if (!inRange(stage, section))
        return { false, "Subscript out of range" };
    std::string unread;
    try {
        std::vector<Patch> patches = sectionPatches(t, stage, section, unread);
        romfile::write(g.ini.romPath, patches);
    } catch (const std::exception &e) {
        return { false, e.what() };
    }
    if (!unread.empty())
        return { false,
            "The " + unread + " of " + where(stage, section)
                + " could not be read from the ROM and so were not written" };
    g.modFlags[stage][section] = 0;
    return {};
}

// Every marked section's records go into the file in one write, in stage then section order,
// so the result equals saving them one by one; a failed write leaves every mark.
std::vector<SaveFailure> saveAll(Shared &g, StageTables &t)
{
    std::vector<SaveFailure> failures;
    std::vector<Patch> patches;
    std::vector<std::pair<int, int>> written;
    for (int s = 0; s < stageCount; ++s)
        for (int n = 0; n < maxSections; ++n) {
            if (g.modFlags[s][n] != 1)
                continue;
            std::string unread;
            try {
                std::vector<Patch> p = sectionPatches(t, s, n, unread);
                patches.insert(patches.end(), p.begin(), p.end());
            } catch (const std::exception &e) {
                failures.push_back({ s, n, e.what() });
                continue;
            }
            if (!unread.empty())
                failures.push_back({ s, n,
                    "The " + unread + " of " + where(s, n)
                        + " could not be read from the ROM and so were not written" });
            else
                written.push_back({ s, n });
        }
    if (patches.empty())
        return failures;
    try {
        romfile::write(g.ini.romPath, patches);
    } catch (const std::exception &e) {
        for (auto [s, n] : written)
            failures.push_back({ s, n, e.what() });
        return failures;
    }
    for (auto [s, n] : written)
        g.modFlags[s][n] = 0;
    return failures;
}

namespace {

bool reread(ReadReport &r, const char *list, int s, int n,
    bool (*f)(const RomImage &, StageTables &, int, int), const RomImage &rom, StageTables &t)
{
    return reported(r, 158, [&] {
        if (!f(rom, t, s, n))
            r.error(158, tooLong(list, s, n));
    });
}

template <class F> bool guarded(ReadReport &r, F f)
{
    try {
        f();
        return true;
    } catch (const std::exception &e) {
        r.error(158, e.what());
    }
    return false;
}

} // namespace

bool Revert(Shared &g, StageTables &t, ReadReport &r)
{
    int s = g.curStage, n = g.curSection;
    if (!inRange(s, n)) {
        r.error(158, "Subscript out of range");
        return false;
    }
    RomImage rom;
    if (!guarded(r, [&] { rom = RomImage::load(g.ini.romPath); }))
        return false;
    bool ok = reread(r, "staircase", s, n, codec::readStairs, rom, t);
    ok &= guarded(r, [&] { codec::readLayout(rom, t, s, n); });
    bool vert = t.vertFlag[s][n] != 0;
    if (!(s == 1 && n >= 9)) { // the mirror sections carry no object data
        if (vert)
            ok &= guarded(r, [&] {
                if (!codec::readObjects(rom, t, s, n))
                    r.corrupted(s, n);
            });
        else
            ok &= guarded(r, [&] { codec::readColumns(rom, t, s, n); });
    }
    ok &= guarded(r, [&] { codec::readStart(rom, t, s, n); });
    ok &= reread(r, "special object", s, n, codec::readSpecials, rom, t);
    ok &= guarded(r, [&] { codec::readDoors(rom, t, s, n); });
    if (vert) {
        ok &= guarded(r, [&] { codec::readScroll(rom, t, s, n); });
        int i = vScrollIndex(s, n);
        if (i >= 0 && t.vScrollPos[i] != 0)
            ok &= guarded(r, [&] {
                t.vScrollType[i] = rom.byte(t.vScrollPos[i]);
                t.vScrollRead[i] = true;
            });
    }
    if (ok)
        g.modFlags[s][n] = 0;
    return ok;
}
