#include "stage/Document.h"

#include "rom/RomFile.h"
#include "stage/RecordCodec.h"
#include "stage/Snapshot.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <tuple>

namespace {

bool inRange(int stage, int section)
{
    return stage >= 0 && stage < stageCount && section >= 0 && section < maxSections;
}

std::string unreadText(const std::string &unread, int s, int n)
{
    return "The " + unread + " of " + where(s, n)
        + " could not be read from the ROM and so were not written";
}

bool changedOnDisk(const std::exception &e)
{
    return dynamic_cast<const RomChanged *>(&e) != nullptr;
}

} // namespace

LoadOutcome StageDocument::load(LoadDelegate &d)
{
    return Init(g, files, m_t, d);
}

bool StageDocument::modified(int stage, int section) const
{
    return inRange(stage, section) && m_marks[stage][section] == 1;
}

bool StageDocument::anyModified() const
{
    for (const auto &stage : m_marks)
        for (uint8_t f : stage)
            if (f)
                return true;
    return false;
}

void StageDocument::setMark(int stage, int section, uint8_t on)
{
    if (!inRange(stage, section) || m_marks[stage][section] == on)
        return;
    m_marks[stage][section] = on;
    if (m_listener)
        m_listener->marksChanged();
}

bool StageDocument::sectionRead(int stage, int section) const
{
    return inRange(stage, section) && (m_t.readMask[stage][section] & rec::Layout) != 0;
}

// The scroll bytes are read apart from the layout: a section may hold one without the other.
bool StageDocument::scrollRead(int stage, int section) const
{
    return sectionRead(stage, section) && (m_t.readMask[stage][section] & rec::Scroll) != 0;
}

bool StageDocument::recordsRead(int stage, int section) const
{
    return inRange(stage, section) && snap::unreadRecords(m_t, stage, section).empty();
}

void StageDocument::mark(int stage, int section)
{
    setMark(stage, section, 1);
}

void StageDocument::markShown()
{
    if (sectionRead(shown.curStage, shown.curSection))
        mark(shown.curStage, shown.curSection);
}

void StageDocument::clearMarks()
{
    if (!anyModified())
        return;
    for (auto &stage : m_marks)
        stage.fill(0);
    if (m_listener)
        m_listener->marksChanged();
}

SaveResult StageDocument::save(int stage, int section)
{
    StageTables &t = m_t;
    if (!inRange(stage, section))
        return { false, "Subscript out of range" };
    std::string unread;
    try {
        passOn(shown.curStage, shown.curSection);
        snap::SectionChanges c = snap::changes(t, stage, section, unread);
        if (!c.patches.empty()) {
            g.rom.write(c.patches);
            snap::written(t, stage, section, c);
        }
    } catch (const std::exception &e) {
        return { false, e.what(), changedOnDisk(e) };
    }
    if (unread.empty())
        setMark(stage, section, 0);
    settleLinked(stage, section);
    if (!unread.empty())
        return { false, unreadText(unread, stage, section) };
    return {};
}

// Every marked section's changes go into the file in one write, in stage then section order,
// so the result equals saving them one by one; a failed write leaves every mark.
std::vector<SaveFailure> StageDocument::saveAll()
{
    StageTables &t = m_t;
    std::vector<SaveFailure> failures;
    std::vector<Patch> patches;
    std::vector<std::pair<int, int>> cleared;
    std::vector<std::tuple<int, int, snap::SectionChanges>> written;
    passOn(shown.curStage, shown.curSection);
    for (int s = 0; s < stageCount; ++s)
        for (int n = 0; n < maxSections; ++n) {
            if (m_marks[s][n] != 1)
                continue;
            std::string unread;
            try {
                snap::SectionChanges c = snap::changes(t, s, n, unread);
                patches.insert(patches.end(), c.patches.begin(), c.patches.end());
                written.emplace_back(s, n, std::move(c));
            } catch (const std::exception &e) {
                failures.push_back({ s, n, e.what() });
                continue;
            }
            if (!unread.empty())
                failures.push_back({ s, n, unreadText(unread, s, n) });
            else
                cleared.push_back({ s, n });
        }
    try {
        if (!patches.empty())
            g.rom.write(patches);
    } catch (const std::exception &e) {
        for (auto [s, n] : cleared)
            failures.push_back({ s, n, e.what(), changedOnDisk(e) });
        return failures;
    }
    for (const auto &[s, n, c] : written)
        snap::written(t, s, n, c);
    for (auto [s, n] : cleared)
        setMark(s, n, 0);
    // Each section sharing records with one written is compared with the file once.
    std::vector<char> settle(stageCount * maxSections, 0);
    for (const auto &[s, n, c] : written)
        for (int o : snap::linked(t, s, n))
            settle[static_cast<size_t>(o)] = 1;
    for (size_t o = 0; o < settle.size(); ++o)
        if (settle[o])
            settleMark(static_cast<int>(o) / maxSections, static_cast<int>(o) % maxSections);
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

} // namespace

bool StageDocument::revert(ReadReport &r)
{
    StageTables &t = m_t;
    int s = shown.curStage, n = shown.curSection;
    if (!inRange(s, n)) {
        r.error(158, "Subscript out of range");
        return false;
    }
    RomImage rom;
    if (!reported(r, 158, [&] { rom = g.rom.reread(); }))
        return false;
    bool ok = reread(r, "staircase", s, n, codec::readStairs, rom, t);
    ok &= reported(r, 158, [&] { codec::readLayout(rom, t, s, n); });
    bool vert = t.vertFlag[s][n] != 0;
    if (!(s == 1 && n >= 9)) { // the mirror sections carry no object data
        if (vert)
            ok &= reported(r, 158, [&] {
                if (!codec::readObjects(rom, t, s, n))
                    r.corrupted(s, n);
            });
        else
            ok &= reported(r, 158, [&] { codec::readColumns(rom, t, s, n); });
    }
    ok &= reported(r, 158, [&] { codec::readStart(rom, t, s, n); });
    ok &= reread(r, "special object", s, n, codec::readSpecials, rom, t);
    ok &= reported(r, 158, [&] { codec::readDoors(rom, t, s, n); });
    if (vert) {
        ok &= reported(r, 158, [&] { codec::readScroll(rom, t, s, n); });
        int i = vScrollIndex(s, n);
        if (i >= 0 && t.vScrollPos[i] != 0)
            ok &= reported(r, 158, [&] {
                t.vScrollType[i] = rom.byte(t.vScrollPos[i]);
                t.vScrollRead[i] = true;
            });
    }
    snap::reread(t, s, n, rom);
    if (ok)
        setMark(s, n, 0);
    settleLinked(s, n);
    return ok;
}

std::vector<std::pair<int, int>> StageDocument::revertLoses()
{
    std::vector<std::pair<int, int>> out;
    const int s = shown.curStage, n = shown.curSection;
    for (int o : snap::linked(m_t, s, n)) {
        const int os = o / maxSections, on = o % maxSections;
        if (modified(os, on) && snap::differsWithin(m_t, os, on, s, n))
            out.emplace_back(os, on);
    }
    return out;
}

void StageDocument::readStageData(ReadReport &r)
{
    if (!g.rom.loaded()) // no ROM, or one of neither release: its bytes mean nothing here
        return;
    const int tileset = StageData(g, shown.curStage, shown.curSection, m_t, r);
    if (tileset >= 0)
        m_curTileset = static_cast<uint8_t>(tileset);
}

void StageDocument::setPaletteRecordPos(int stage, int section, int32_t pos)
{
    m_t.palRecPos.at(stage).at(section) = pos;
}

void StageDocument::enterSection(int stage, int section)
{
    // Only a section whose records took the edits can have a mark to settle: at every section
    // change, the sections merely sharing bytes are not compared with the file again.
    for (int o : snap::enterSection(m_t, stage, section))
        settleMark(o / maxSections, o % maxSections);
}

void StageDocument::edited(int stage, int section)
{
    mark(stage, section);
    passOn(stage, section);
    if (m_listener)
        m_listener->sectionEdited(stage, section);
}

void StageDocument::passOn(int stage, int section)
{
    for (int o : snap::share(m_t, stage, section))
        settleMark(o / maxSections, o % maxSections);
}

void StageDocument::settleLinked(int stage, int section)
{
    for (int o : snap::linked(m_t, stage, section))
        settleMark(o / maxSections, o % maxSections);
}

// Records never read, or a value the file cannot take, cannot be compared with the file: such
// a section keeps its mark, so no edit is dropped without a word.
void StageDocument::settleMark(int stage, int section)
{
    std::string unread;
    bool differs = false;
    try {
        differs = snap::differs(m_t, stage, section, unread);
    } catch (const std::exception &) {
        return;
    }
    if (differs || unread.empty())
        setMark(stage, section, differs ? 1 : 0);
}

bool StageDocument::paintCell(int stage, int section, int pos, uint8_t block)
{
    std::string &layout = m_t.layoutStr.at(stage).at(section);
    if (!sectionRead(stage, section))
        return false;
    if (pos < 0 || pos >= static_cast<int>(layout.size())) {
        mark(stage, section);
        return false;
    }
    layout[pos] = static_cast<char>(block);
    edited(stage, section);
    return true;
}

void StageDocument::copyLayout(int stage, int section, int from)
{
    if (!sectionRead(stage, section))
        return;
    std::string &to = m_t.layoutStr.at(stage).at(section);
    const std::string &src = m_t.layoutStr.at(stage).at(from);
    const size_t n = std::min(to.size(), src.size());
    to.replace(0, n, src, 0, n);
    edited(stage, section);
}

bool StageDocument::setScrollByte(int stage, int section, uint8_t value)
{
    uint8_t &byte = m_t.scrollByte.at(stage).at(section);
    if (byte == value || !scrollRead(stage, section))
        return false;
    byte = value;
    edited(stage, section);
    return true;
}

bool StageDocument::setScrollType(int index, uint8_t value)
{
    uint8_t &type = m_t.vScrollType.at(index);
    if (type == value || !scrollRead(shown.curStage, shown.curSection))
        return false;
    type = value;
    edited(shown.curStage, shown.curSection);
    return true;
}

void StageDocument::setAreaTime(int stage, uint8_t area, uint8_t code)
{
    for (int k = 0; k < m_t.secCount.at(stage) && k < maxSections; ++k)
        if (m_t.timeTbl[stage][k][1] == area)
            m_t.timeTbl[stage][k][0] = code;
}

SectionRecords StageDocument::records(int s, int n) const
{
    const StageTables &t = m_t;
    return { t.enemyTbl.at(s).at(n), t.puStr[s][n], t.stairTbl[s][n], t.startTbl[s][n],
        t.door1[s][n], t.door2[s][n], t.specialTbl[s][n] };
}

bool StageDocument::settle(int s, int n, const SectionRecords &before)
{
    if (records(s, n) == before)
        return false;
    edited(s, n);
    return true;
}
