#pragma once
#include <string>
#include <vector>

namespace res {

struct Failure
{
    std::string name;
    std::string description;
};

// Writes every embedded resource into folder (ending in "/") unless its file exists; the
// failures are returned in order, the remaining resources still tried.
std::vector<Failure> extractAll(const std::string &folder);

} // namespace res
