#include "resources/Resources.h"

#include "resources/Embedded.h"
#include "rom/RomFile.h"
#include "rom/VbError.h"

#include <cctype>
#include <cstring>

namespace res {

namespace {

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

} // namespace

const std::vector<std::string> &names()
{
    static const std::vector<std::string> list = {
        "AKU0",
        "AKU1",
        "AN",
        "AN00",
        "AN01",
        "AN02",
        "AN03",
        "AN04",
        "AN05",
        "AN06",
        "AN07",
        "AN08",
        "AN09",
        "AN0A",
        "AN0B",
        "AN0C",
        "AN0D",
        "AN10",
        "AN11",
        "ANIM0",
        "ANIM1",
        "CA0",
        "CA00",
        "CA1",
        "CA10",
        "CA2",
        "CA20",
        "CA3",
        "CA30",
        "CURSOR",
        "DOOR",
        "DOOR2",
        "EN",
        "EN2",
        "ENP",
        "ENP2",
        "M0",
        "M1",
        "NULL",
        "POS0",
        "POS1",
        "POS2",
        "PU_93",
        "PU_94",
        "PU_95",
        "PU_96",
        "PU_97",
        "PU_A1",
        "PU_A2",
        "PU_A3",
        "PU_A4",
        "PU_A5",
        "PU_A6",
        "PU_A7",
        "PU_A8",
        "PU_A9",
        "PU_AA",
        "PU_AB",
        "PU_AC",
        "PU_AD",
        "PU_AE",
        "PU93",
        "PU94",
        "PU95",
        "PU96",
        "PU97",
        "PUA1",
        "PUA2",
        "PUA3",
        "PUA4",
        "PUA5",
        "PUA6",
        "PUA7",
        "PUA8",
        "PUA9",
        "PUAA",
        "PUAB",
        "PUAC",
        "PUAD",
        "PUAE",
        "Q0",
        "Q1",
        "Q2",
        "Q3",
        "ROVERT",
        "S0",
        "S1",
        "S2",
        "S3",
        "TREVOR",
    };
    return list;
}

std::string fileNameFor(const std::string &name)
{
    if (name == "AN")
        return "an--.dat";
    if (name.size() == 2 && name[0] == 'Q' && name[1] >= '0' && name[1] <= '3')
        return name.substr(1) + ".dat";
    std::string s;
    for (char c : name)
        s += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    // A trailing code of exactly two hexadecimal digits (the type of AN0A, the content of
    // PU_A1) keeps its case; "CA0" ends in three hex characters and is no such code.
    size_t run = 0;
    while (run < name.size() && isHexDigit(name[name.size() - 1 - run]))
        ++run;
    if (run == 2)
        s.replace(s.size() - 2, 2, name.substr(name.size() - 2));
    return s + ".dat";
}

std::span<const uint8_t> data(const std::string &name)
{
    for (std::size_t i = 0; i < embedded::count; ++i) {
        const embedded::Entry &e = embedded::entries[i];
        if (name == e.name)
            return { e.bytes, e.size };
    }
    throw VbError("Resource with identifier '" + name + "' not found");
}

void LDIF(const std::string &dataName, const std::string &fileName)
{
    if (romfile::fileExists(fileName))
        return;
    std::span<const uint8_t> bytes = data(dataName);
    romfile::replaceFile(fileName, std::string(bytes.begin(), bytes.end()));
}

std::vector<Failure> extractAll(const std::string &folder)
{
    std::string dir = folder;
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    std::vector<Failure> failures;
    for (const std::string &name : names()) {
        try {
            LDIF(name, dir + fileNameFor(name));
        } catch (const std::exception &e) {
            failures.push_back({ name, e.what() });
        }
    }
    return failures;
}

} // namespace res
