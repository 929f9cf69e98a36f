#pragma once
#include "ui/Shared.h"
#include "stage/Loader.h"
#include "stage/StageTables.h"

#include <array>
#include <cstdint>
#include <string>
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
    };

    explicit StageDocument(Shared &g) : g(g) { }
    StageDocument(const StageDocument &) = delete;
    StageDocument &operator=(const StageDocument &) = delete;

    void setListener(Listener *l) { m_listener = l; }

    // Reads the whole ROM (g.ini.romPath, release g.romVer) into fresh tables. The marks stay:
    // the caller drops them when it throws the edits away.
    LoadOutcome load(LoadDelegate &d);

    const StageTables &tables() const { return m_t; }
    StageTables &tables() { return m_t; }

    // Marks: a marked section has changes the file does not hold yet.
    bool modified(int stage, int section) const;
    bool anyModified() const;
    void mark(int stage, int section);
    void markShown(); // the section the window shows (g.curStage, g.curSection)
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

private:
    void setMark(int stage, int section, uint8_t on);

    Shared &g;
    StageTables m_t;
    std::array<std::array<uint8_t, maxSections>, stageCount> m_marks {};
    Listener *m_listener = nullptr;
};
