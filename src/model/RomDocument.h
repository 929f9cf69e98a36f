#pragma once
#include "model/LoadedRom.h"
#include "model/RomBytes.h"
#include "model/gfx/BlockCodec.h"
#include "model/gfx/TileCodec.h"
#include "rom/ProgramFiles.h"
#include "stage/Document.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The loaded ROM: the working file, its release, every table read from it and the stage
// document. Windows read the tables and change them only through the operations below, each of
// which writes the ROM file first and changes the tables only once the write succeeded. A
// failed write throws (VbError, RomChanged) and changes no table. Listeners hear of each change;
// the document shows nothing itself.
class RomDocument : public RomBytes
{
public:
    struct Listener
    {
        virtual ~Listener() = default;
        // Tile tileNum (0..255) of the background tiles of `tileset`, tile tileNum & 63 of CHR
        // bank `bank`, was written.
        virtual void chrChanged(int /*tileset*/, int /*tileNum*/, int /*bank*/) { }
        virtual void blocksChanged(int /*tileset*/, int /*block*/) { }
        // Background colours: the shared ones, a set number or a section's sub-palettes.
        virtual void palettesChanged() { }
        virtual void spritePalettesChanged() { }
        virtual void patternsChanged(int /*stage*/, int /*section*/) { }
        virtual void presetsChanged() { }
    };

    // files say where the ROM and the program's own files lie.
    explicit RomDocument(const ProgramFiles &files) : files(files) { }
    RomDocument(const RomDocument &) = delete;
    RomDocument &operator=(const RomDocument &) = delete;

    void addListener(Listener *l);
    void removeListener(Listener *l);

    const LoadedRom &loaded() const { return m_g; }
    const RomTables &tables() const { return m_g; }
    const std::string &romVer() const override { return m_g.romVer; }
    void setRomVer(const std::string &v) { m_g.romVer = v; }
    int release() const override { return m_g.romVer == "1" ? 1 : 0; }
    long long romSize() const override { return m_g.rom.image().size(); }
    // The working file as loaded; it is written only through the operations below.
    const RomFile &file() const { return m_g.rom; }
    RomImage reread() override { return m_g.rom.reread(); }
    void checkFile() { reread(); }

    StageDocument &stages() { return m_stages; }
    const StageDocument &stages() const { return m_stages; }
    // The section the main window shows, which "the shown section" of every edit means.
    ShownSection &shown() { return m_shown; }
    const ShownSection &shown() const { return m_shown; }

    // Reads the whole ROM (files.ini.romPath) into fresh tables; romVer() becomes its release.
    LoadOutcome load(LoadDelegate &d) { return m_stages.load(d); }

    // The release of the ROM the settings name, from its signature, in one reading of the file,
    // before it is loaded; the document's own release stays that of the ROM in memory. Failures
    // go to r.error(subroutine, ...).
    struct ReleaseRead
    {
        bool read = false; // the file could be read
        std::string romVer; // "0", "1", or "" for neither or unread
        std::optional<uint8_t> debugByte; // a US ROM's Debug Screen byte, when it could be read
    };
    ReleaseRead readRelease(ReadReport &r, int subroutine) const;

    // --- Writes ---
    // Bytes of a table the document keeps no copy of (damage, music, game options), or a byte
    // written at once (Debug Screen, an area's time).
    void write(const std::vector<Patch> &patches) override;
    // The tile editor's tile into its CHR bank; `tileset` takes it among its decoded tiles.
    void saveTile(int tileset, const blocks::TileEdit &e, const render::ChrTile &was);
    void saveBlock(
        int tileset, int block, const blocks::StoredBlock &now, const blocks::StoredBlock &was);
    // Background palettes: the patches, then the shown section's set number (when it has one
    // in the ROM) and the colours every sub-palette shares.
    void savePalettes(const std::vector<Patch> &patches, std::optional<int16_t> setNo,
        uint8_t backdrop, const std::array<uint8_t, 3> &fixed);
    // The shared colours and the shown stage's section palettes, read again from the file.
    // Failures go to r.error(subroutine, ...), each section on its own; a file that is no
    // longer the one loaded throws RomChanged and changes nothing.
    void readPalettes(ReadReport &r, int subroutine);
    // Sprite palettes: the patches, then the shown section's set number when it has one.
    void saveSpritePalettes(const std::vector<Patch> &patches, std::optional<uint8_t> setNo);
    // Pattern banks of the shown section: background banks 1 and 2, sprite banks 2, 3 and (US)
    // Sprites 4. A sprite bank written also to stage 1's second copy at copyPos shows there.
    void savePatterns(const std::vector<Patch> &patches, const std::array<uint8_t, 2> &bg,
        const std::array<uint8_t, 3> &spr, int32_t copyPos);
    // The first `count` presets of a table.
    void savePresets(const std::vector<Patch> &patches, const std::array<puPresetRec, 256> &presets,
        size_t count);
    void savePresets(const std::vector<Patch> &patches, const std::array<enPresetRec, 256> &presets,
        size_t count);

private:
    friend struct DocTables; // tests set up tables the way a ROM could hold them

    template <class Rec>
    void storePresets(const std::vector<Patch> &patches, const std::array<Rec, 256> &presets,
        size_t count, std::array<Rec, 256> &into);
    template <class F> void announce(F f)
    {
        for (Listener *l : std::vector<Listener *>(m_listeners))
            f(*l);
    }

    const ProgramFiles &files;
    LoadedRom m_g;
    ShownSection m_shown;
    StageDocument m_stages { m_g, files, m_shown };
    std::vector<Listener *> m_listeners;
};
