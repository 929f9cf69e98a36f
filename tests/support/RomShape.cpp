#include "support/DemoArt.h"
#include "support/RomBuilder.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace rb {

namespace {

// The game's stages: areas split by '|', sections by ',', "2V80" = 2 screens scrolling
// vertically with scroll byte 0x80; the doors as area.section; the time byte of each area.
struct StageShape
{
    const char *sections;
    const char *doors;
    std::vector<uint8_t> times;
};

const StageShape shapes[15] = {
    { "3|1,2V80,3,2|3,3|4", "0.0 1.2 2.0", { 0x50, 0x40, 0x31, 0x20 } },
    { "3V80,2,2|2,2V80,1|1,3V80,2|1,3V81,2|2,2V81,1|3V81,2,2", "0.2 1.2 3.0 4.0",
        { 0x40, 0x30, 0x20, 0x42, 0x32, 0x22 } },
    { "3,3|6|4,4|1,4,1|2,4", "1.0 3.0", { 0x30, 0x20, 0x10, 0x32, 0x21 } },
    { "2,2,2|5,2|4,2|3,3|1,3,1", "0.0 1.1 3.1", { 0x42, 0x30, 0x20, 0x30, 0x22 } },
    { "2,3V80,1|1,3V84,2|1,2V80,3", "0.2 1.2", { 0x40, 0x30, 0x20 } },
    { "2|4|2,4|2,4", "0.0 1.0 2.1", { 0x50, 0x40, 0x31, 0x21 } },
    { "2,4|6|1,3,2", "0.0 1.0", { 0x41, 0x30, 0x22 } },
    { "2,4|2|1|2|4,2|4,2|5", "0.0 1.0 2.0 3.0", { 0x61, 0x50, 0x50, 0x40, 0x30, 0x20, 0x20 } },
    { "2,5|5|4,3|5|5", "0.1 1.0", { 0x41, 0x30, 0x20, 0x20, 0x10 } },
    { "3,3|2,4,2", "0.1", { 0x30, 0x20 } },
    { "1,1|2|1|3,3|2V80,2,2|3,3|1,4V82,2", "0.1 1.0 2.0 4.2 5.1 6.1",
        { 0x50, 0x40, 0x30, 0x20, 0x50, 0x40, 0x30 } },
    { "4,2|3,3|2,2V83,3", "0.1 1.1", { 0x50, 0x40, 0x32 } },
    { "4,2|2,2|6", "0.1", { 0x40, 0x30, 0x20 } },
    { "1,5,1|2,2V80,1|1,4V84,1|3,3", "0.2 1.2 2.2", { 0x50, 0x40, 0x30, 0x20 } },
    { "2,3V83,2|2,3|2,3", "0.0", { 0x32, 0x20, 0x30 } },
};

const uint8_t enemyIds[15] = { 16, 2, 11, 41, 20, 60, 64, 69, 15, 17, 46, 40, 3, 50, 63 };

std::vector<std::string> split(const std::string &s, char sep)
{
    std::vector<std::string> out;
    std::stringstream in(s);
    for (std::string part; std::getline(in, part, sep);)
        out.push_back(part);
    return out;
}

Section section(const std::string &text)
{
    Section x;
    size_t v = text.find('V');
    x.screens = std::stoi(text.substr(0, v));
    if (v != std::string::npos)
        x.scroll = static_cast<uint8_t>(std::stoi(text.substr(v + 1), nullptr, 16));
    return x;
}

// A power-up content code the game knows (the US codes; the Japanese ones are 16 lower, as
// its holder codes are), so every holder has its picture.
uint8_t contentCode(int i, int holder0)
{
    static const uint8_t us[19] = { 0x93, 0x94, 0x95, 0x96, 0x97, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5,
        0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE };
    return static_cast<uint8_t>(us[i % 19] - (0x90 - holder0));
}

// Objects in the order the editor writes them back (screen 3 first, lowest y last; the
// other way round in stages 11 and 14), so that a save without an edit changes nothing.
std::vector<Obj> objects(int s, int n, int screens, int holder0)
{
    std::vector<Obj> out;
    for (int i = screens - 1; i >= 0; --i) {
        uint8_t scr = static_cast<uint8_t>(i);
        out.push_back({ scr, 0xB0, enemyIds[s], static_cast<uint8_t>(0x50 + 0x10 * (n % 4)), 0x00,
            0x00, static_cast<uint8_t>(i % 2) });
        out.push_back({ scr, 0x60, static_cast<uint8_t>(holder0 + (i + n) % 3), 0xA0,
            contentCode(1 + s + i, holder0), 0x00, 0x00 });
    }
    if (s == 11 || s == 14)
        std::reverse(out.begin(), out.end());
    return out;
}

void fillSection(Section &x, int s, int n, const RomMap &m)
{
    const bool v = x.vertical();
    if (x.sameLayoutAs < 0)
        x.layout = demo::layout(s, n, x.screens, v);
    if (v) {
        x.objects = objects(s, n, x.screens, m.holderCode0);
        x.stairs = { stairV(8, 0x60, 0x90, x.screens > 1 ? 1 : 0), stairV(4, 0x30, 0x50, 0) };
        x.specials = { { 0, 0x60, 0x20, 0x01, 0x28, 0x04, 0x00, 0x00 }, emptySpecial(true) };
    } else {
        x.columnHead = { static_cast<uint8_t>(0x10 + s), static_cast<uint8_t>(n) };
        for (int i = 0; i < x.screens; ++i) {
            uint8_t hold = static_cast<uint8_t>(1 + (s * 7 + n * 3 + i) % (m.puCount - 1));
            uint8_t enemy = static_cast<uint8_t>(1 + (s * 5 + n + i * 11) % (m.enCount - 1));
            x.columns.insert(x.columns.end(), { 0, hold, enemy, 0, 0, 0, enemy, hold });
        }
        if (x.screens > 1)
            x.stairs = { stairH(4 * (n % 4), 0x50, 0x0A, 0) };
        x.specials = { { 0, 0xB0, 0x10, 0x02, 0x64, 0x01, 0x00, 0x00 },
            { static_cast<uint8_t>(x.screens - 1), 0x28, 0x20, 0x01, 0x60, 0x04, 0, 0 },
            emptySpecial(false) };
    }
    x.hasSpecials = (s + n) % 5 != 3;
    // The player starts standing on the floor, as in the game: 16-pixel row 11 of a horizontal
    // screen, row 13 of the last vertical one; the column differs from section to section.
    x.start = { static_cast<uint8_t>(((2 + n % 4) << 4) | (v ? 0x0D : 0x0B)),
        static_cast<uint8_t>(v ? x.screens - 1 : 0) };
    x.palSet = static_cast<uint8_t>((s * 3 + n) % palSetCount);
    // Sprite palettes and banks differ from section to section (and the swapped ones from their
    // partners), so that a value read for the wrong section shows.
    x.sprPal = static_cast<uint8_t>((3 * s + 7 * n) % 25);
    x.bgBanks = { demo::stageBank1(s), demo::stageBank2(s), 0x7B };
    x.sprBanks = { static_cast<uint8_t>(0x40 + (s + 2 * n) % 32),
        static_cast<uint8_t>(0x60 + (3 * s + n) % 32) };
    x.recordTail = { static_cast<uint8_t>(0xC0 + s), static_cast<uint8_t>(n) };
}

// The rooms the game shows twice, and the layouts kept in another stage's bank.
void gameFixUps(RomDesc &d)
{
    auto loadSec = [&d](int s, int n) -> Section & { return loadSection(d, s, n); };
    const int again[5][2] = { { 10, 7 }, { 11, 8 }, { 13, 4 }, { 15, 0 }, { 16, 1 } };
    for (const auto &p : again) {
        Section &x = loadSec(1, p[0]);
        x.sameLayoutAs = p[1];
        x.sameSpecialsAs = p[1];
        x.layout.clear();
    }
    loadSec(2, 7).sameSpecialsAs = 8;
    loadSec(2, 7).hasSpecials = loadSec(2, 8).hasSpecials = true;
    const int moved[5][4] = { { 13, 0, 2, 32 }, { 13, 1, 2, 32 }, { 13, 8, 5, 16 },
        { 13, 9, 5, 16 }, { 14, 1, 1, 32 } };
    for (const auto &p : moved) {
        Section &x = loadSec(p[0], p[1]);
        x.bank = p[3] == 16 ? Bank::Low16k : Bank::Low32k;
        x.borrowFrom = p[2];
    }
}

} // namespace

Section &loadSection(RomDesc &d, int stage, int n)
{
    for (Area &a : d.stages.at(static_cast<size_t>(stage)).areas) {
        if (n < static_cast<int>(a.sections.size()))
            return a.sections[static_cast<size_t>(n)];
        n -= static_cast<int>(a.sections.size());
    }
    throw std::out_of_range("no such section");
}

RomDesc gameShape(Rel rel, int chrBanks)
{
    RomDesc d;
    d.rel = rel;
    d.chrBanks = chrBanks;
    const RomMap m = romMap(rel);
    for (int s = 0; s < 15; ++s) {
        const auto areas = split(shapes[s].sections, '|');
        int n = 0;
        for (size_t a = 0; a < areas.size(); ++a) {
            Area area;
            for (const std::string &t : split(areas[a], ','))
                area.sections.push_back(section(t));
            area.time = shapes[s].times.at(a);
            area.noDoorByte = a % 2 ? 0xE0 : 0xFF;
            for (Section &x : area.sections)
                fillSection(x, s, n++, m);
            d.stages[s].areas.push_back(area);
        }
        for (const std::string &door : split(shapes[s].doors, ' ')) {
            Area &area = d.stages[s].areas.at(static_cast<size_t>(door[0] - '0'));
            area.doorSection = door[2] - '0';
            area.door[3] = static_cast<uint8_t>(0x90 + 8 * s);
            area.door[4] = static_cast<uint8_t>(0xC0 - 4 * area.doorSection);
        }
        d.tilesets[s] = demo::tileset(m.blockCount[s]);
    }
    gameFixUps(d);
    for (int k = 0; k < palSetCount; ++k)
        d.palSets.push_back(demo::palSet(k));
    d.bgFixed0 = demo::fixedBank0;
    d.bgFixed3 = demo::fixedBank3;
    for (int b = 0; b < chrBanks; ++b)
        d.chr.push_back(demo::chrBank(b));
    // Presets on the preset windows' grids (power-ups: even Lefts, Tops 38..C8 in steps of 4;
    // enemies: Lefts and Tops in steps of 4), with Lefts whose proposals stay inside their
    // column pair and enemy Tops whose markers stay inside the view.
    for (int i = 0; i < m.puCount; ++i)
        d.puPresets.push_back({ static_cast<uint8_t>(m.holderCode0 + i % 3),
            contentCode(i, m.holderCode0), static_cast<uint8_t>(10 + 2 * ((i * 5) % 24)),
            static_cast<uint8_t>(0x38 + 4 * ((i * 5) % 37)) });
    for (int i = 0; i < m.enCount; ++i)
        d.enPresets.push_back({ enemyIds[i % 15], static_cast<uint8_t>(12 + 4 * ((i * 3) % 12)),
            static_cast<uint8_t>(40 + 4 * ((i * 7) % 41)), 0xEE, 0xEF });
    gameTables(d);
    return d;
}

} // namespace rb
