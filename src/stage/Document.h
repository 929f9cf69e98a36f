#pragma once
#include "model/LoadedRom.h"
#include "rom/ProgramFiles.h"
#include "stage/Loader.h"
#include "stage/StageData.h"
#include "stage/StageTables.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct SaveResult
{
    bool ok = true;
    std::string description; // what failed, for the error box of subroutine 156
    bool romChanged = false; // the file on disk is not the one loaded any more
};

struct SaveFailure
{
    int stage = 0;
    int section = 0;
    std::string description;
    bool romChanged = false;
};

// The object records of one section, the part of it the object modes edit.
struct SectionRecords
{
    std::array<objRec, objSlots> enemies {};
    std::string columns; // horizontal sections: the power-up column bytes
    std::array<stairRec, stairSlots> stairs {};
    startRec start;
    uint8_t door1 = 0;
    uint8_t door2 = 0;
    std::array<specialRec, specialSlots> specials {};
    bool operator==(const SectionRecords &) const = default;
};

// The stage records of the loaded ROM: every section's tables, where they came from, the bytes
// the file holds there, and which sections the user has changed. Only the document writes
// them back into the ROM file. Windows hear of changes through its listener and show boxes for
// what it reports; it shows nothing itself.
class StageDocument
{
public:
    struct Listener
    {
        virtual ~Listener() = default;
        // A section's mark was set or cleared.
        virtual void marksChanged() { }
        // Records of (stage, section) changed.
        virtual void sectionEdited(int /*stage*/, int /*section*/) { }
    };

    // g is the loaded ROM, files say which file it is, shown is the section the window shows.
    StageDocument(LoadedRom &g, const ProgramFiles &files, const ShownSection &shown)
        : g(g), files(files), shown(shown)
    { }
    StageDocument(const StageDocument &) = delete;
    StageDocument &operator=(const StageDocument &) = delete;

    void setListener(Listener *l) { m_listener = l; }

    // Reads the whole ROM (files.ini.romPath, of the release its bytes name) into fresh
    // tables. The marks stay: the caller drops them when it throws the edits away.
    LoadOutcome load(LoadDelegate &d);

    const StageTables &tables() const { return m_t; }
    // Writing through this neither marks nor announces: the edits below are the way to change
    // a record.
    StageTables &tables() { return m_t; }

    // Whether the layout of (stage, section) was read from the ROM. A section that was not (a
    // ROM cut short, damaged or not loaded) holds nothing of the file: it is neither marked nor
    // edited, and every edit below leaves it as it is.
    bool sectionRead(int stage, int section) const;
    // Whether every record of (stage, section) that a save writes was read.
    bool recordsRead(int stage, int section) const;
    bool scrollRead(int stage, int section) const;

    // Marks: a marked section has changes the file does not hold yet. After every edit, save
    // and Revert, each section sharing records with the one acted on is marked exactly when
    // its records differ from the file.
    bool modified(int stage, int section) const;
    bool anyModified() const;
    void mark(int stage, int section);
    // The section the window shows (shown.curStage, shown.curSection), when it was read.
    void markShown();
    void clearMarks();

    // Writes the records of one section into the ROM file in one crash-safe patch and clears
    // its mark. On failure the file is unchanged and the section stays marked.
    SaveResult save(int stage, int section);

    // save for every marked section, in one write. Returns every section that could not be
    // saved (and so stays marked), with the reason.
    std::vector<SaveFailure> saveAll();

    // Reads the shown section's records again from the ROM file and clears its mark. Failures
    // go to r.error(158, ...), a list without its end byte to r.corrupted.
    // Returns false (the mark kept) when a record could not be read again.
    bool revert(ReadReport &r);
    // The other marked sections whose unsaved changes a Revert of the shown section would
    // throw away: they share records with it and hold there what the file does not.
    std::vector<std::pair<int, int>> revertLoses();

    // The tileset, palettes and pattern banks of the shown stage, read again from the file.
    // Throws RomChanged, reading nothing, when the file is no longer the one loaded.
    void readStageData(ReadReport &r);
    // The tileset of the shown section, as readStageData last made it current.
    int curTileset() const { return m_curTileset; }
    // Where the palette editor put a section's background palette set record.
    void setPaletteRecordPos(int stage, int section, int32_t pos);

    // The window is about to show (stage, section): the records it shares with the section
    // shown before take that section's edits.
    void enterSection(int stage, int section);

    // Edits. Each marks the section it changed and tells the listener; one that changes
    // nothing marks nothing, unless it says otherwise.
    // One layout cell takes a block; a paint stroke marks the section even when the cell
    // held that block already. False (nothing changed) for a cell outside the layout.
    bool paintCell(int stage, int section, int pos, uint8_t block);
    // The layout of section `from` copied over (stage, section), as far as the shorter goes.
    void copyLayout(int stage, int section, int from);
    bool setScrollByte(int stage, int section, uint8_t value);
    // Stage 1's second scroll byte number `index`, edited from the shown section.
    bool setScrollType(int index, uint8_t value);
    // The time code of every section of `stage` in `area`. The time byte is written to the
    // file at once by its caller, so no section is marked.
    void setAreaTime(int stage, uint8_t area, uint8_t code);

    // A copy of the object records of (stage, section).
    SectionRecords records(int stage, int section) const;
    // f changes the object records of (stage, section) through the tables it is handed; the
    // section is marked when they changed, also when f throws half-way. True when they changed.
    // A section with any record a save needs unread takes no such edit, as Save could not
    // write it.
    template <class F> bool editRecords(int stage, int section, F &&f)
    {
        if (!recordsRead(stage, section))
            return false;
        const SectionRecords before = records(stage, section);
        try {
            f(m_t);
        } catch (...) {
            settle(stage, section, before);
            throw;
        }
        return settle(stage, section, before);
    }

private:
    void setMark(int stage, int section, uint8_t on);
    void edited(int stage, int section); // marks, passes the edit on, tells the listener
    // (stage, section)'s records, the newest, go to the sections sharing them.
    void passOn(int stage, int section);
    // Each section sharing records with (stage, section) is marked as it differs from the file.
    void settleLinked(int stage, int section);
    void settleMark(int stage, int section);
    bool settle(int stage, int section, const SectionRecords &before);

    LoadedRom &g;
    const ProgramFiles &files;
    const ShownSection &shown;
    StageTables m_t;
    uint8_t m_curTileset = 0;
    std::array<std::array<uint8_t, maxSections>, stageCount> m_marks {};
    Listener *m_listener = nullptr;
};
