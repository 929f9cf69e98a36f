#pragma once
#include "stage/Document.h"
#include "stage/Loader.h"
#include "stage/StageTables.h"
#include "support/RomBuilder.h"
#include "support/RomState.h"
#include "support/TempDir.h"

#include <memory>
#include <string>
#include <vector>

// A program folder with a built ROM, the template file and a palette file, and the tables a
// load fills. Each test makes its own.
namespace rb {

// Records every box the stage code asks for; the irregular-ROM question is answered OK.
struct Recorder : LoadDelegate
{
    struct Box
    {
        std::string kind; // "corrupted", "error", "irregular"
        int a = 0;
        int b = 0;
        std::string text;
    };
    std::vector<Box> boxes;
    bool answerOk = true;
    size_t limit = 100000; // a loader that reports without end still stops being recorded

    void corrupted(int stage, int menuSection) override;
    void error(int subroutine, const std::string &description) override;
    bool irregular(const std::string &description) override;
    int count(const std::string &kind) const;
};

// The 67 lines of the special-object template file of a release ("0" or "1").
std::string animFile(const std::string &romVer);

class RomFolder
{
public:
    explicit RomFolder(Rel rel);

    // Writes the ROM file and sets the paths and the release in g.
    void put(const Bytes &rom);
    LoadOutcome load(); // Init into fresh tables
    LoadOutcome reload(); // Init again into the tables of the last load, as the program does
    Bytes file() const; // the ROM file as it is now
    const std::string &romPath() const { return m_romPath; }

    RomState &g() { return *m_g; }
    StageTables &t() { return m_doc->tables(); }
    StageDocument &doc() { return *m_doc; }
    Recorder rec;

private:
    Rel m_rel;
    TempDir m_dir;
    std::string m_romPath;
    std::unique_ptr<RomState> m_g;
    std::unique_ptr<StageDocument> m_doc;
};

// Load-order index of each menu section, worked out from the exchanges the game needs.
std::vector<int> menuToLoad(int stage, int sections);

} // namespace rb
