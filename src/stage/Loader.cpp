#include "stage/Loader.h"

#include "model/Presets.h"
#include "rom/Numbers.h"
#include "rom/OpenFile.h"
#include "rom/PathKind.h"
#include "rom/Release.h"
#include "rom/VbError.h"
#include "stage/FaultList.h"
#include "stage/FirstPass.h"
#include "stage/Locations.h"
#include "stage/RecordCodec.h"
#include "stage/Snapshot.h"

#include <cctype>
#include <cstring>
#include <exception>
#include <memory>
#include <sstream>

std::string hexText(int v)
{
    // Written out by hand: the loader writes a few thousand of these.
    static const char digits[] = "0123456789ABCDEF";
    char buf[8];
    char *end = buf + sizeof buf;
    char *p = end;
    unsigned u = static_cast<unsigned>(v);
    do {
        *--p = digits[u & 15];
        u >>= 4;
    } while (u != 0);
    return std::string(p, end);
}

std::string where(int stage, int section)
{
    return "stage " + hexText(stage) + ", section " + hexText(section);
}

std::string tooLong(const std::string &list, int stage, int section)
{
    return "The " + list + " list of " + where(stage, section)
        + " has more than 30 entries; only 30 are read";
}

namespace {

void setOffsets(RomTables &g)
{
    for (int type : { 1, 2, 3, 4, 6, 7, 10, 11, 12 })
        g.stOffY[type] = -0.5f;
    g.stOffY[5] = 1.5f;
    g.stOffX[4] = -1;
    g.stOffX[6] = g.stOffX[7] = 2;
    g.stOffX[8] = g.stOffX[9] = 3;
    g.stOffX[10] = 0.5f;
    g.stOffX[11] = -0.5f;
}

void setEnemyOffsets(RomTables &g)
{
    g.enOffY[1] = -16;
    g.enOffY[5] = 8;
    for (int id : { 11, 13, 20, 21, 30, 44, 46, 61, 62, 67, 69 })
        g.enOffY[id] = -8;
    for (int id : { 28, 33, 37, 76 })
        g.enOffY[id] = 16;
    g.enOffY[32] = 32;
}

// What the loader is reading when a read fails: "the layout" of a stage's section, "the CHR
// banks" of the whole file. Its text is made only for a failure.
struct Area
{
    const char *what;
    int s = -1;
    int n = -1;
    std::string place() const
    {
        return s < 0 ? std::string() : n < 0 ? "stage " + hexText(s) : where(s, n);
    }
    std::string text(const std::string &failure) const
    {
        std::string out = what;
        out[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(out[0])));
        const std::string at = place();
        return out + (at.empty() ? "" : " of " + at) + ": " + failure;
    }
};

class Loader
{
public:
    Loader(LoadedRom &g, const ProgramFiles &files, StageTables &t, LoadDelegate &d)
        : g(g), files(files), t(t), d(d)
    { }
    LoadOutcome run();

private:
    // Runs one step; a failure goes to the irregular-ROM box, naming the area read, and the
    // load resumes after it.
    template <class F> bool step(const Area &area, F f)
    {
        if (cancelled)
            return false;
        try {
            f();
            return true;
        } catch (const std::exception &e) {
            report(area.text(e.what()), area.place());
        }
        return false;
    }
    void report(const std::string &description, const std::string &place = {})
    {
        if (m_pass)
            m_pass->add(description, place);
        else
            ask(description);
    }
    void ask(const std::string &description)
    {
        if (!cancelled && !d.irregular(description))
            cancelled = true;
    }
    // Runs f as one pass over the stages or sections: a fault that comes again and again is
    // asked about once, at the end of the pass, with how often and where it came.
    template <class F> void pass(F f)
    {
        FaultList faults;
        m_pass = &faults;
        f();
        m_pass = nullptr;
        for (const std::string &text : faults.texts())
            ask(text);
    }

    bool readRom();
    void refuseRom(const std::string &failure = {});
    void readTemplates();
    void readTemplateLines(const std::string &path, FaultList &bad);
    void firstPass();
    void readChr();
    void readBanks(int s, int n);
    template <class Rec>
    void readPresets(std::array<Rec, 256> &table, const presets::Shape &s, const char *what);
    void readSpecialTables(int s, int n);
    void readLayoutAndObjects(int s, int n);
    void placeholders();
    bool readPalette();
    template <class F> void forSections(F f)
    {
        pass([&] {
            for (int s = 0; s < stageCount && !cancelled; ++s)
                for (int n = 0; n < t.secCount[s] && !cancelled; ++n)
                    f(s, n);
        });
    }

    LoadedRom &g;
    const ProgramFiles &files;
    StageTables &t;
    LoadDelegate &d;
    // The file as g.rom holds it once read; until then an empty image, whose reads fail.
    const RomImage &rom() const { return *m_rom; }
    RomImage m_none;
    const RomImage *m_rom = &m_none;
    size_t m_chrRead = 0; // CHR banks copied from the file
    int r = 0;
    bool cancelled = false;
    bool keepSettings = false; // the Cancel came from a box that does not blame the settings
    FaultList *m_pass = nullptr;
};

LoadOutcome Loader::run()
{
    static_cast<RomTables &>(g) = RomTables(std::move(g.chrData));
    // Fresh tables made where the old ones were rather than copied in from a temporary.
    std::destroy_at(&t);
    std::construct_at(&t);
    const bool romRead = readRom(); // sets the release, which everything below depends on
    r = g.romVer == "1" ? 1 : 0;
    bool us = g.romVer == "0";
    g.holderCode0 = us ? 0x90 : 0x80;
    g.holderCode2 = us ? 0x92 : 0x82;
    g.holderCode1 = us ? 0x91 : 0x81;
    setOffsets(g);
    t.enemyList = enemyList(g.romVer);
    if (romRead) {
        pass([&] { firstPass(); });
        const Area colours { "the shared background colours" };
        step(colours, [&] {
            Bytes b = rom().bytes(loc::palFixed(r), 3);
            g.palFixed = std::string(b.begin(), b.end());
        });
        step(colours,
            [&] { g.palBackdrop = std::string(1, char(rom().byte(loc::palBackdrop(r)))); });
        step({ "the CHR banks (the tile graphics)" }, [&] { readChr(); });
        forSections([&](int s, int n) {
            step({ "the pattern bank numbers", s, n }, [&] { readBanks(s, n); });
        });
        readPresets(g.puPresets, presets::puShape(r), "the power-up presets");
        readPresets(g.enPresets, presets::enShape(r), "the enemy presets");
    }
    setEnemyOffsets(g);
    if (romRead) {
        forSections([&](int s, int n) { readSpecialTables(s, n); });
        forSections([&](int s, int n) { readLayoutAndObjects(s, n); });
    }
    // Banks the file does not hold are blank, as in fresh tables.
    for (size_t b = m_chrRead; b < g.chrData.size(); ++b)
        g.chrData[b] = ChrBank {};
    if (cancelled)
        return keepSettings ? LoadOutcome::Quit : LoadOutcome::Cancelled;
    placeholders();
    snap::reset(t, rom()); // saves compare against the bytes read
    if (!readPalette())
        return LoadOutcome::PaletteFailed;
    for (int b = 0; b < 256; ++b)
        for (int c = 0; c < 8; ++c)
            g.bitMask[b][c] = (b >> (7 - c)) & 1;
    return LoadOutcome::Loaded;
}

// The ROM, then the template file of its release. The release is the bytes' own, whatever was
// loaded or checked before: a file replaced since its release was checked is read by its own
// rules or refused, never by another release's. A ROM that cannot be read at all, or is of
// neither release, is told once, with what stands at its path, rather than once a table.
bool Loader::readRom()
{
    g.romVer.clear();
    try {
        m_rom = &g.rom.load(files.ini.romPath);
    } catch (const std::exception &e) {
        refuseRom(e.what());
        return false;
    }
    g.romVer = release::of(rom());
    if (!release::known(g.romVer)) {
        m_rom = &m_none;
        refuseRom();
        return false;
    }
    readTemplates();
    return !cancelled;
}

// failure: why the ROM of a known release could not be read (a file far too large), which
// then names the cause instead of the signature.
void Loader::refuseRom(const std::string &failure)
{
    g.rom = RomFile(); // no write may reach a file whose positions mean nothing here
    const std::string path = files.ini.romPath;
    std::string why = romfile::whatStandsAt(path);
    if (why.empty())
        why = failure;
    if (why.empty()) {
        try {
            (void)romfile::readFilePrefix(path, 32);
            why = "'" + path
                + "' is not a ROM of either release: its release signature matches neither";
        } catch (const std::exception &e) {
            why = e.what();
        }
    }
    // Its Cancel quits: the box says no file is written, so the settings file stays too.
    if (!d.romUnread("Nothing was read from the ROM: " + why)) {
        cancelled = true;
        keepSettings = true;
    }
}

// A damaged template file breaks many lines alike: each fault is told once, before what ended
// the reading (a missing file, a short one), which the program's own file is to blame for.
void Loader::readTemplates()
{
    const std::string path = files.datPath + "anim" + g.romVer + ".dat";
    FaultList bad;
    std::string stop;
    try {
        readTemplateLines(path, bad);
    } catch (const std::exception &e) {
        const std::string there = romfile::whatStandsAt(path);
        stop = there.empty() ? e.what() : there;
    }
    for (const std::string &text : bad.texts())
        d.error(160, text);
    if (stop.empty())
        return;
    if (!d.programFile("The program's own template file '" + path + "' could not be read: " + stop
            + ". Special objects take no templates")) {
        cancelled = true;
        keepSettings = true;
    }
}

void Loader::readTemplateLines(const std::string &path, FaultList &bad)
{
    // Read like the ROM, never waiting on a pipe planted at the name, and only as far as its
    // lines are used: 67 lines of 16 digits take 1.2 KB, however large the file has grown.
    constexpr size_t used = 64 * 1024;
    const Bytes bytes = romfile::readFilePrefix(path, used);
    const std::string text(bytes.begin(), bytes.end());
    size_t at = 0;
    int lineNo = 0;
    for (int group = 0; group < 9; ++group) {
        for (int k = 0; k < animGroupLines[group]; ++k) {
            if (at >= text.size())
                throw VbError(bytes.size() < used
                        ? "it ends after line " + std::to_string(lineNo) + " of 67"
                        : "its first " + std::to_string(used) + " bytes hold only "
                            + std::to_string(lineNo) + " of its 67 lines");
            size_t end = text.find('\n', at);
            if (end == std::string::npos)
                end = text.size();
            std::string line = text.substr(at, end - at);
            at = end + 1;
            ++lineNo;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            try {
                parseAnim(g, line, group, k);
            } catch (const std::exception &e) {
                bad.add("Line " + std::to_string(lineNo) + " of the program's own file '" + path
                    + "': " + e.what());
            }
        }
    }
}

void Loader::firstPass()
{
    int areaNo = -1;
    for (int s = 0; s < stageCount && !cancelled; ++s) {
        std::vector<std::string> notes;
        step({ "the section tables", s },
            [&] { firstpass::readStage(rom(), g, t, s, r, areaNo, notes); });
        for (const std::string &note : notes)
            report(note, Area { "", s }.place());
        if (cancelled)
            return;
        try {
            firstpass::fixUps(g, t, s);
        } catch (const std::exception &e) {
            d.error(161, e.what());
        }
    }
}

void Loader::readChr()
{
    g.maxChrBank = rom().size() >= loc::bigRomSize ? 255 : 127;
    for (int b = 0; b <= g.maxChrBank; ++b) {
        g.chrBankPos[b] = loc::chrStart + 1024 * b;
        try {
            if (!rom().contains(g.chrBankPos[b], 1024))
                rom().byte(g.chrBankPos[b] + 1023); // reports where the file ends
            static_assert(sizeof(ChrBank) == 1024);
            std::memcpy(g.chrData[b].data(), rom().data().data() + (g.chrBankPos[b] - 1), 1024);
            m_chrRead = static_cast<size_t>(b) + 1;
        } catch (const VbError &) {
            g.maxChrBank = static_cast<uint8_t>(b > 0 ? b - 1 : 0); // the banks that exist
            throw;
        }
    }
}

void Loader::readBanks(int s, int n)
{
    g.patBG[s][n][0] = rom().byte(loc::bgFixedBank1(r));
    g.patBG[s][n][3] = rom().byte(loc::bgFixedBank2(r));
    g.patBG[s][n][1] = rom().byte(g.patBGPos[s][n]);
    g.patBG[s][n][2] = rom().byte(g.patBGPos[s][n] + 1);
    if (r == 0)
        g.patSpr4[s][n] = rom().byte(g.patBGPos[s][n] + 2);
    g.patSpr[s][n][2] = rom().byte(g.patSprPos[s][n]);
    g.patSpr[s][n][3] = rom().byte(g.patSprPos[s][n] + 1);
    g.patSpr[s][n][0] = 0;
    g.patSpr[s][n][1] = 1;
}

template <class Rec>
void Loader::readPresets(std::array<Rec, 256> &table, const presets::Shape &s, const char *what)
{
    // One damaged record stops its table: the rest of it comes from the same pointers.
    step({ what }, [&] {
        for (int k = 0; k < s.count; ++k) {
            const uint8_t *b = rom().at(presets::recordPos(rom(), s.table, k), s.size);
            table[static_cast<size_t>(k)] = presets::recordOf<Rec>(s, b);
        }
    });
}

void Loader::readSpecialTables(int s, int n)
{
    t.stairTbl[s][n][0][2] = 255;
    step({ "the staircase list", s, n }, [&] {
        if (!codec::readStairs(rom(), t, s, n))
            report(tooLong("staircase", s, n), where(s, n));
    });
    if (t.specialIdx[s][n] == 0)
        return;
    t.specialTbl[s][n][0][0] = 0xFF;
    step({ "the special object list", s, n }, [&] {
        if (!codec::readSpecials(rom(), t, s, n))
            report(tooLong("special object", s, n), where(s, n));
    });
}

void Loader::readLayoutAndObjects(int s, int n)
{
    if (t.vertFlag[s][n] != 0)
        t.layoutLen[s][n] = t.layoutLen[s][n] / 48 * 64;
    // A layout that cannot be read is shown blank and never written.
    t.layoutStr[s][n].assign(static_cast<size_t>(std::max(0, t.layoutLen[s][n])), '\0');
    step({ "the layout", s, n }, [&] { codec::readLayout(rom(), t, s, n); });
    if (s == 1 && n >= 9) {
        t.vertFlag[s][n] = 0;
        return;
    }
    if (t.vertFlag[s][n] != 0) {
        t.objLen[s][n] = -1;
        t.enemyTbl[s][n][0][2] = 0xFF;
        step({ "the object list", s, n }, [&] {
            if (!codec::readObjects(rom(), t, s, n))
                d.corrupted(s, n);
        });
    } else {
        t.objLen[s][n] = t.layoutLen[s][n] / 6;
        t.puStr[s][n].assign(static_cast<size_t>(std::max(0, t.objLen[s][n])), '\0');
        step({ "the power-up columns", s, n }, [&] { codec::readColumns(rom(), t, s, n); });
    }
}

// A stage left without any section (a damaged ROM) gets one blank screen that is never
// written, so every stage can be selected and drawn.
void Loader::placeholders()
{
    for (int s = 0; s < stageCount; ++s) {
        if (t.secCount[s] > 0)
            continue;
        t.secCount[s] = 1;
        t.layoutLen[s][0] = 48;
        t.layoutStr[s][0] = std::string(48, '\0');
        t.objLen[s][0] = 8;
        t.puStr[s][0] = std::string(8, '\0');
        t.stairTbl[s][0][0][2] = 255;
        t.vertFlag[s][0] = 0;
        t.readMask[s][0] = 0;
    }
}

bool Loader::readPalette()
{
    constexpr size_t colours = 64;
    const std::string path = files.appPath + "Vorlig.pal";
    try {
        // Only the colours are read: whatever follows them is not the program's to judge.
        const Bytes b = romfile::readFilePrefix(path, 3 * colours);
        if (b.size() < 3 * colours)
            throw VbError("'" + path + "' holds " + std::to_string(b.size())
                + " bytes, fewer than the " + std::to_string(3 * colours) + " of "
                + std::to_string(colours) + " colours");
        for (size_t i = 0; i < colours; ++i)
            g.nesRgb[i] = b[3 * i] + 256u * b[3 * i + 1] + 65536u * b[3 * i + 2];
        return true;
    } catch (const std::exception &e) {
        d.paletteFault = e.what();
        return false;
    }
}

} // namespace

LoadOutcome Init(LoadedRom &g, const ProgramFiles &files, StageTables &t, LoadDelegate &d)
{
    Loader loader(g, files, t, d);
    return loader.run();
}

void parseAnim(RomTables &g, const std::string &line, int group, int index)
{
    if (group < 0 || group > 8 || index < 0 || index > 35)
        throw VbError("Subscript out of range");
    specialRec rec {};
    for (int i = 0; i < 8; ++i) {
        std::string digits = 2 * i < static_cast<int>(line.size()) ? line.substr(2 * i, 2) : "";
        rec[i] = static_cast<uint8_t>(num::hexVal(digits));
    }
    g.stTemplates[group][index] = rec;
}
