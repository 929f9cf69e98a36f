#pragma once
#include "ui/Shared.h"
#include "stage/Loader.h"
#include "stage/StageTables.h"

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

// Marks the current section as edited.
void Modif(Shared &g);

// Writes the records of one section into the ROM file in one crash-safe patch and clears its
// mark. On failure the file is unchanged and the section stays marked.
SaveResult saveBlock(Shared &g, StageTables &t, int stage, int section);

// saveBlock for every marked section, stage by stage, section by section. Returns every section
// that could not be saved (and so stays marked), with the reason.
std::vector<SaveFailure> saveAll(Shared &g, StageTables &t);

// Reads the current section's records again from the ROM file and clears its mark. Failures
// go to r.error(158, ...), a list without its end byte to r.corrupted.
// Returns false (the mark kept) when a record could not be read again.
bool Revert(Shared &g, StageTables &t, ReadReport &r);
