#include "stage/FaultList.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr size_t placesTold = 8; // a longer list says how many more

bool isNumber(const std::string &word)
{
    bool digit = false;
    for (char c : word) {
        if (!std::isdigit(static_cast<unsigned char>(c)) && (c < 'A' || c > 'F'))
            return false;
        digit = digit || std::isdigit(static_cast<unsigned char>(c));
    }
    return digit || word.size() == 1;
}

std::string placeList(const std::vector<std::string> &places)
{
    std::string out;
    for (size_t k = 0; k < places.size() && k < placesTold; ++k)
        out += (k ? "; " : "") + places[k];
    if (places.size() > placesTold)
        out += "; and " + std::to_string(places.size() - placesTold) + " more";
    return out;
}

} // namespace

void FaultList::add(const std::string &text, const std::string &place)
{
    const std::string k = kind(text);
    auto e = std::find_if(
        m_entries.begin(), m_entries.end(), [&](const Entry &x) { return x.kind == k; });
    if (e == m_entries.end())
        e = m_entries.insert(m_entries.end(), { k, text, 0, {} });
    ++e->count;
    if (!place.empty() && std::find(e->places.begin(), e->places.end(), place) == e->places.end())
        e->places.push_back(place);
}

std::vector<std::string> FaultList::texts() const
{
    std::vector<std::string> out;
    for (const Entry &e : m_entries) {
        if (e.count == 1) {
            out.push_back(e.first);
            continue;
        }
        std::string text = e.first + " (" + std::to_string(e.count) + " times";
        if (e.places.size() > 1)
            text += ", in " + placeList(e.places);
        out.push_back(text + ")");
    }
    return out;
}

std::string FaultList::kind(const std::string &text)
{
    std::string out, word;
    auto flush = [&] {
        out += isNumber(word) ? "#" : word;
        word.clear();
    };
    for (char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            word += c;
            continue;
        }
        if (!word.empty())
            flush();
        out += c;
    }
    if (!word.empty())
        flush();
    return out;
}
