#pragma once
#include "stage/Document.h"
#include "stage/Loader.h"
#include "support/RomBuilder.h"
#include "support/RomState.h"
#include "support/TempDir.h"

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

// Records every report of the stage code and answers the irregular-ROM box.
struct RecordingDelegate : LoadDelegate
{
    bool answer = true; // OK
    std::vector<std::string> irregulars;
    std::vector<std::pair<int, int>> corrupt;
    std::vector<std::pair<int, std::string>> errors;

    bool irregular(const std::string &d) override
    {
        irregulars.push_back(d);
        return answer;
    }
    void corrupted(int s, int n) override { corrupt.emplace_back(s, n); }
    void error(int sub, const std::string &d) override { errors.emplace_back(sub, d); }
    bool mentions(const std::string &part) const
    {
        for (const auto &d : irregulars)
            if (d.find(part) != std::string::npos)
                return true;
        return false;
    }
};

// A program folder with a ROM, the template file and the palette file, loaded by Init.
struct Loaded
{
    TempDir dir;
    RomState g;
    StageDocument doc { g, g.files, g };
    StageTables &t = doc.tables();
    RecordingDelegate d;
    LoadOutcome outcome = LoadOutcome::Loaded;
    std::string romPath() const { return dir.file("game.nes"); }
};

inline std::string templateText(int marker)
{
    std::string text;
    for (int g = 0; g < 9; ++g)
        for (int k = 0; k < animGroupLines[g]; ++k) {
            char line[32];
            std::snprintf(line, sizeof line, "%02X%02X%02X0000000000\r\n", marker, g, k);
            text += line;
        }
    return text;
}

inline Bytes paletteBytes(int size = 192)
{
    Bytes pal(size);
    for (int i = 0; i < size; ++i)
        pal[i] = static_cast<uint8_t>(i);
    return pal;
}

// Writes the files and runs Init; romVer "0" or "1".
inline std::unique_ptr<Loaded> loadRom(
    const Bytes &rom, const std::string &romVer, bool answer = true, bool writePalette = true)
{
    auto l = std::make_unique<Loaded>();
    l->d.answer = answer;
    l->g.files.appPath = l->dir.path();
    l->g.files.datPath = l->dir.path() + "Attic/";
    ::mkdir(l->g.files.datPath.c_str(), 0755);
    l->g.romVer = romVer;
    l->g.files.ini.romPath = l->romPath();
    testfile::writeAll(l->romPath(), rom);
    testfile::writeText(l->g.files.datPath + "anim" + romVer + ".dat", templateText(romVer == "1"));
    if (writePalette)
        testfile::writeAll(l->dir.file("Vorlig.pal"), paletteBytes());
    l->outcome = Init(l->g, l->g.files, l->t, l->d);
    return l;
}

inline std::unique_ptr<Loaded> loadShape(const rb::RomDesc &desc, rb::Built *built = nullptr)
{
    rb::Built b = rb::build(desc);
    auto l = loadRom(b.rom, desc.rel == rb::Rel::JP ? "1" : "0");
    if (built)
        *built = std::move(b);
    return l;
}

using rb::loadSection;

// Every listed section can be drawn and saved without reading past its strings.
inline bool tablesConsistent(const StageTables &t)
{
    for (int s = 0; s < 15; ++s) {
        if (t.secCount[s] < 1 || t.secCount[s] > 21)
            return false;
        for (int n = 0; n < t.secCount[s]; ++n) {
            if (static_cast<int>(t.layoutStr[s][n].size()) != t.layoutLen[s][n])
                return false;
            if (t.layoutLen[s][n] < 48)
                return false;
            if (t.vertFlag[s][n] == 0 && !(s == 1 && n >= 9)
                && static_cast<int>(t.puStr[s][n].size()) != t.objLen[s][n])
                return false;
            if (t.vertFlag[s][n] != 0 && (t.objLen[s][n] < -1 || t.objLen[s][n] > 31))
                return false;
        }
    }
    return true;
}
