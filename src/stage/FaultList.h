#pragma once
#include <string>
#include <vector>

// Failures met again and again, each kind told once with where it came. Two failures are of one
// kind when their texts differ only in numbers: positions, sizes, stages and sections (which
// the texts write in hexadecimal).
class FaultList
{
public:
    // A failure, and where it came ("stage 3, section A"; empty when nowhere in particular).
    void add(const std::string &text, const std::string &place = {});
    bool empty() const { return m_entries.empty(); }
    // Each kind in the order first met: its first text, and when it came more than once, how
    // often and where.
    std::vector<std::string> texts() const;

    // The kind of a failure text: the text with each number written as "#".
    static std::string kind(const std::string &text);

private:
    struct Entry
    {
        std::string kind, first;
        int count = 0;
        std::vector<std::string> places;
    };
    std::vector<Entry> m_entries;
};
