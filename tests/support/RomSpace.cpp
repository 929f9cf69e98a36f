#include "support/RomSpace.h"

#include <algorithm>
#include <stdexcept>

namespace rb {

bool RomSpace::isFree(long long pos, long long n) const
{
    if (pos < 1 || n < 0 || pos + n - 1 > m_size)
        return false;
    auto it = std::lower_bound(m_used.begin(), m_used.end(), std::make_pair(pos + n, 0LL));
    if (it == m_used.begin())
        return true;
    return std::prev(it)->second <= pos;
}

void RomSpace::reserve(long long pos, long long n, const std::string &what)
{
    if (n <= 0)
        return;
    if (!isFree(pos, n))
        throw std::runtime_error("ROM builder: " + what + " at " + std::to_string(pos) + " (+"
            + std::to_string(n) + ") overlaps or leaves the file");
    auto it = std::lower_bound(m_used.begin(), m_used.end(), std::make_pair(pos, 0LL));
    m_used.insert(it, { pos, pos + n });
}

long long RomSpace::find(long long n, long long lo, long long hi) const
{
    long long p = std::max(lo, 1LL);
    auto it = std::lower_bound(m_used.begin(), m_used.end(), std::make_pair(p, 0LL));
    if (it != m_used.begin() && std::prev(it)->second > p)
        p = std::prev(it)->second;
    while (p + n <= hi && p + n - 1 <= m_size) {
        if (it == m_used.end() || it->first >= p + n)
            return p;
        p = std::max(p, it->second);
        ++it;
    }
    return -1;
}

long long RomSpace::take(long long n, long long lo, long long hi, const std::string &what)
{
    long long p = find(n, lo, hi);
    if (p < 0)
        throw std::runtime_error("ROM builder: no room for " + what + " (" + std::to_string(n)
            + " bytes in " + std::to_string(lo) + ".." + std::to_string(hi) + ")");
    reserve(p, n, what);
    return p;
}

} // namespace rb
