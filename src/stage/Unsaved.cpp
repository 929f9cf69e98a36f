#include "stage/Unsaved.h"

#include <algorithm>

std::vector<Unsaved> byReason(const std::vector<SaveFailure> &failures)
{
    std::vector<Unsaved> out;
    for (const SaveFailure &f : failures) {
        auto same = std::find_if(
            out.begin(), out.end(), [&](const Unsaved &u) { return u.reason == f.description; });
        if (same == out.end())
            out.push_back({ f.description, where(f.stage, f.section), f.romChanged });
        else
            same->sections += "; " + where(f.stage, f.section);
    }
    return out;
}

std::string unsavedText(const std::vector<SaveFailure> &failures)
{
    std::string out;
    for (const Unsaved &u : byReason(failures))
        out += (out.empty() ? "" : "\r") + u.sections + ": " + u.reason;
    return out;
}
