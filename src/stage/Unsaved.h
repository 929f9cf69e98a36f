#pragma once
#include "stage/Document.h"

#include <string>
#include <vector>

// The sections that one reason kept from being saved.
struct Unsaved
{
    std::string reason;
    std::string sections; // "stage 01, section 02; stage 03, section 00"
    bool romChanged = false;
};

// Save All's failures grouped by reason, in the order they came.
std::vector<Unsaved> byReason(const std::vector<SaveFailure> &failures);

// One line per reason, lines apart by a CR: the sections, then why.
std::string unsavedText(const std::vector<SaveFailure> &failures);
