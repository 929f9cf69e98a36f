#pragma once
#include <string>
#include <utility>
#include <vector>

// Bookkeeping of which ROM positions the builder has taken, so that no two records share a
// byte and no record lands on a fixed table.
namespace rb {

class RomSpace
{
public:
    explicit RomSpace(long long fileSize) : m_size(fileSize) { }

    // Takes [pos, pos + n); throws when any byte is taken already or outside the file.
    void reserve(long long pos, long long n, const std::string &what);
    bool isFree(long long pos, long long n) const;
    // First free run of n bytes inside [lo, hi); -1 when there is none.
    long long find(long long n, long long lo, long long hi) const;
    // find() and reserve(); throws when there is no room.
    long long take(long long n, long long lo, long long hi, const std::string &what);

    const std::vector<std::pair<long long, long long>> &used() const { return m_used; }

private:
    long long m_size;
    std::vector<std::pair<long long, long long>> m_used; // sorted [first, end)
};

} // namespace rb
