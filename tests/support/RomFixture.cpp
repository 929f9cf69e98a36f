#include "support/RomFixture.h"

#include <algorithm>
#include <filesystem>

namespace rb {

void Recorder::corrupted(int stage, int menuSection)
{
    if (boxes.size() < limit)
        boxes.push_back({ "corrupted", stage, menuSection, {} });
}

void Recorder::error(int subroutine, const std::string &description)
{
    if (boxes.size() < limit)
        boxes.push_back({ "error", subroutine, 0, description });
}

bool Recorder::irregular(const std::string &description)
{
    if (boxes.size() < limit)
        boxes.push_back({ "irregular", 111, 0, description });
    return answerOk;
}

int Recorder::count(const std::string &kind) const
{
    return static_cast<int>(
        std::count_if(boxes.begin(), boxes.end(), [&](const Box &b) { return b.kind == kind; }));
}

std::string animFile(const std::string &romVer)
{
    static const char *const lines[] = {
        "0028200160030000",
        "00D0300150000000",
        "0128200160040000",
        "0170300160010000",
        "0198200170050000",
        "01D0300180020000",
        "0298200170060000",
        "00B0100264010000",
        "00D0100284010E00",
        "00F0100284010F00",
        "0190100264010200",
        "01D0100264010300",
        "0130100284011100",
        "0170100284011300",
        "01B0100284011400",
        "01B01002A4011C00",
        "01F01002A4011E00",
        "01501002B4010100",
        "0210100264010400",
        "0230100264010600",
        "02101002A4011600",
        "02701002A4011800",
        "02901002A4012300",
        "02101002B4010500",
        "0050100388010900",
        "00B0100388010A00",
        "00701003A8010700",
        "00D01003C8010B00",
        "0110100388011000",
        "0130100388010800",
        "0150100388011200",
        "01D0100388011500",
        "01D01003A8011D00",
        "02101003A8011F00",
        "02301003A8012000",
        "02501003A8012100",
        "02701003A8012200",
        "02901003A8011900",
        "0060400530000000",
        "009040053002FF00",
        "015040053001FF00",
        "018040053003FF00",
        "0270400530040000",
        "00604004E0010500",
        "01204004DE010200",
        "0080080830080000",
        "0180080840070000",
        "0180080830030000",
        "03C0080830040000",
        "0080080900010000",
        "0080080900050000",
        "0080080900060000",
        "0140080900000000",
        "0180080900020000",
        "0080400A5D000900",
        "0040400A7D000A00",
        "00C0400A7D000800",
        "0080400A9D000300",
        "0060400ABD000100",
        "0220400A5D000700",
        "0240400A7D000000",
        "0260400A7D000600",
        "0280400A9D000B00",
        "0180C00D80000004",
        "01C0C00D80000000",
        "0200F00D00000006",
        "0370800D80000002",
    };
    std::string out;
    for (size_t i = 0; i < std::size(lines); ++i) {
        std::string line = lines[i];
        if (romVer == "1" && line.substr(6, 2) == "0A")
            line[9] = 'C'; // the Japanese file has 5C..BC where the US one has 5D..BD
        out += line + "\r\n";
    }
    return out;
}

namespace {

// The release as the program names it. (Assigning the literal straight into a string sets off a
// false -Wrestrict in GCC 12's optimised string code.)
std::string verOf(Rel rel)
{
    return rel == Rel::US ? "0" : "1";
}

} // namespace

RomFolder::RomFolder(Rel rel)
    : m_rel(rel), m_romPath(m_dir.file("game.nes")), m_g(std::make_unique<RomState>()),
      m_doc(std::make_unique<StageDocument>(*m_g, m_g->files, *m_g))
{
    std::filesystem::create_directories(m_dir.file("Attic"));
    const std::string ver = verOf(rel);
    testfile::writeText(m_dir.file("Attic/anim" + ver + ".dat"), animFile(ver));
    Bytes pal;
    for (int i = 0; i < 64; ++i)
        pal.insert(pal.end(),
            { static_cast<uint8_t>(i * 4), static_cast<uint8_t>(255 - i * 4),
                static_cast<uint8_t>(i * 2) });
    testfile::writeAll(m_dir.file("Vorlig.pal"), pal);
}

void RomFolder::put(const Bytes &rom)
{
    testfile::writeAll(m_romPath, rom);
}

LoadOutcome RomFolder::load()
{
    m_g = std::make_unique<RomState>();
    m_doc = std::make_unique<StageDocument>(*m_g, m_g->files, *m_g);
    m_g->files.appPath = m_dir.path();
    m_g->files.datPath = m_dir.file("Attic/");
    m_g->romVer = verOf(m_rel);
    m_g->files.ini.romPath = m_romPath;
    return m_doc->load(rec);
}

LoadOutcome RomFolder::reload()
{
    if (!m_doc)
        return load();
    return m_doc->load(rec);
}

Bytes RomFolder::file() const
{
    return testfile::readAll(m_romPath);
}

std::vector<int> menuToLoad(int stage, int sections)
{
    static const std::vector<std::pair<int, int>> swaps[15] = {
        { { 3, 4 }, { 5, 6 } },
        { { 10, 14 }, { 11, 12 }, { 12, 17 } },
        { { 5, 7 }, { 8, 9 } },
        { { 0, 2 }, { 9, 11 } },
        {},
        { { 2, 3 }, { 4, 5 } },
        { { 0, 1 }, { 3, 5 } },
        { { 0, 1 } },
        { { 0, 1 } },
        {},
        {},
        { { 4, 6 } },
        {},
        {},
        { { 0, 2 } },
    };
    std::vector<int> order(static_cast<size_t>(sections));
    for (int i = 0; i < sections; ++i)
        order[static_cast<size_t>(i)] = i;
    for (auto [a, b] : swaps[stage])
        std::swap(order.at(static_cast<size_t>(a)), order.at(static_cast<size_t>(b)));
    return order;
}

} // namespace rb
