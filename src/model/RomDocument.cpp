#include "model/RomDocument.h"

#include "model/gfx/PalSets.h"
#include "rom/OpenFile.h"
#include "rom/Release.h"
#include "rom/RomImage.h"
#include "rom/VbError.h"

#include <algorithm>

void RomDocument::addListener(Listener *l)
{
    if (std::find(m_listeners.begin(), m_listeners.end(), l) == m_listeners.end())
        m_listeners.push_back(l);
}

void RomDocument::removeListener(Listener *l)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), l), m_listeners.end());
}

namespace {

// The bytes at pos, a failure naming what they are.
Bytes readArea(const romfile::OpenFile &rom, long long pos, long long n, const char *what)
{
    try {
        return rom.readAt(pos, n);
    } catch (const std::exception &e) {
        throw VbError(std::string(what) + ": " + e.what());
    }
}

} // namespace

// Those bytes alone are read, not the whole file.
RomDocument::ReleaseRead RomDocument::readRelease(ReadReport &r, int subroutine) const
{
    std::optional<romfile::OpenFile> rom;
    ReleaseRead out;
    if (!reported(r, subroutine, [&] { rom.emplace(files.ini.romPath); }))
        return out;
    out.read = true;
    Bytes sig;
    if (reported(r, subroutine,
            [&] { sig = readArea(*rom, release::signaturePos, 16, "The release signature"); }))
        out.romVer = release::check(release::signatureText(sig), {});
    // Only a US ROM has the byte; a file of neither release (or whose signature could not be
    // read) is read no further.
    if (out.romVer == "0")
        reported(r, subroutine, [&] {
            out.debugByte = readArea(*rom, release::debugBytePos, 1, "The Debug Screen byte")[0];
        });
    return out;
}

void RomDocument::write(const std::vector<Patch> &patches)
{
    if (!patches.empty())
        m_g.rom.write(patches);
}

void RomDocument::saveTile(int tileset, const blocks::TileEdit &e, const render::ChrTile &was)
{
    blocks::saveTile(m_g, e, was);
    announce([&](Listener &l) { l.chrChanged(tileset, e.tileNum, e.bank); });
}

void RomDocument::saveBlock(
    int tileset, int block, const blocks::StoredBlock &now, const blocks::StoredBlock &was)
{
    blocks::saveBlock(m_g, tileset, block, now, was);
    announce([&](Listener &l) { l.blocksChanged(tileset, block); });
}

void RomDocument::savePalettes(const std::vector<Patch> &patches, std::optional<int16_t> setNo,
    uint8_t backdrop, const std::array<uint8_t, 3> &fixed)
{
    write(patches);
    if (setNo)
        m_g.palSetNo.at(static_cast<size_t>(m_shown.curStage))
            .at(static_cast<size_t>(m_shown.curSection))
            = *setNo;
    m_g.palBackdrop = std::string(1, static_cast<char>(backdrop));
    m_g.palFixed = std::string(fixed.begin(), fixed.end());
    announce([](Listener &l) { l.palettesChanged(); });
}

void RomDocument::readPalettes(ReadReport &r, int subroutine)
{
    const auto s = static_cast<size_t>(m_shown.curStage);
    const int rel = release();
    RomImage rom;
    try {
        rom = m_g.rom.reread();
    } catch (const RomChanged &) {
        throw;
    } catch (const std::exception &e) {
        r.error(subroutine, e.what());
    }
    const bool haveRom = rom.size() > 0 && reported(r, subroutine, [&] {
        const Bytes fixed = rom.bytes(bgpal::fixedPos(rel), 3);
        m_g.palFixed = std::string(fixed.begin(), fixed.end());
        m_g.palBackdrop = std::string(1, static_cast<char>(rom.byte(bgpal::backdropPos(rel))));
    });
    const StageTables &t = m_stages.tables();
    for (int k = 0; haveRom && k < t.secCount.at(s) && k < maxSections; ++k)
        reported(r, subroutine, [&] {
            const auto n = static_cast<size_t>(k);
            m_stages.setPaletteRecordPos(
                m_shown.curStage, k, bgpal::setBase(rel) + 9 * m_g.palSetNo[s][n]);
            m_g.palStr[s][n] = bgpal::sectionPalStr(
                m_g.palBackdrop, m_g.palFixed, rom.bytes(t.palRecPos[s][n], 9));
        });
    announce([](Listener &l) { l.palettesChanged(); });
}

void RomDocument::saveSpritePalettes(
    const std::vector<Patch> &patches, std::optional<uint8_t> setNo)
{
    write(patches);
    if (setNo)
        m_g.sprPalNo.at(static_cast<size_t>(m_shown.curStage))
            .at(static_cast<size_t>(m_shown.curSection))
            = *setNo;
    announce([](Listener &l) { l.spritePalettesChanged(); });
}

void RomDocument::savePatterns(const std::vector<Patch> &patches, const std::array<uint8_t, 2> &bg,
    const std::array<uint8_t, 3> &spr, int32_t copyPos)
{
    write(patches);
    const auto s = static_cast<size_t>(m_shown.curStage);
    const auto n = static_cast<size_t>(m_shown.curSection);
    for (size_t j = 0; j < 2; ++j) {
        m_g.patBG.at(s).at(n)[j + 1] = bg[j];
        m_g.patSpr[s][n][j + 2] = spr[j];
    }
    if (m_g.romVer != "1")
        m_g.patSpr4[s][n] = spr[2];
    // The room that holds stage 1's second copy shows the banks it now has.
    for (size_t k = 0; copyPos > 0 && k < m_g.patSprPos[1].size(); ++k)
        if (m_g.patSprPos[1][k] == copyPos)
            for (size_t j = 0; j < 2; ++j)
                m_g.patSpr[1][k][j + 2] = spr[j];
    announce([&](Listener &l) { l.patternsChanged(m_shown.curStage, m_shown.curSection); });
}

template <class Rec>
void RomDocument::storePresets(const std::vector<Patch> &patches,
    const std::array<Rec, 256> &presets, size_t count, std::array<Rec, 256> &into)
{
    write(patches);
    std::copy_n(presets.begin(), std::min(count, presets.size()), into.begin());
    announce([](Listener &l) { l.presetsChanged(); });
}

void RomDocument::savePresets(
    const std::vector<Patch> &patches, const std::array<puPresetRec, 256> &presets, size_t count)
{
    storePresets(patches, presets, count, m_g.puPresets);
}

void RomDocument::savePresets(
    const std::vector<Patch> &patches, const std::array<enPresetRec, 256> &presets, size_t count)
{
    storePresets(patches, presets, count, m_g.enPresets);
}
