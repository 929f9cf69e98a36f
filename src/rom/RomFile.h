#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The ROM addressed by 1-based positions (position = file offset + 1).
using Bytes = std::vector<uint8_t>;

// A ROM image held in memory; every read is checked against its size.
class RomImage
{
public:
    RomImage() = default;
    explicit RomImage(Bytes data) : m_data(std::move(data)) { }

    static RomImage load(const std::string &path); // throws VbError

    long long size() const { return static_cast<long long>(m_data.size()); }
    bool contains(long long pos, long long n = 1) const;
    uint8_t byte(long long pos) const;
    Bytes bytes(long long pos, long long n) const;
    // Little-endian 2-byte word at pos.
    unsigned word(long long pos) const;
    void put(long long pos, const Bytes &b); // overwrites existing bytes only
    const Bytes &data() const { return m_data; }

private:
    void check(long long pos, long long n) const;
    Bytes m_data;
};

struct Patch
{
    long long pos; // 1-based
    Bytes bytes;
};

namespace romfile {

std::string outsideText(long long pos, long long fileSize);

// Reads n bytes at pos from the file at path; throws VbError when the file is missing or the
// range lies outside it.
Bytes read(const std::string &path, long long pos, long long n);
uint8_t readByte(const std::string &path, long long pos);

// Writes every patch into the file in place. The patched file is written beside the original
// and renamed over it, so a failure at any step leaves the original untouched. Only existing
// bytes may be overwritten. Throws VbError on failure.
void write(const std::string &path, const std::vector<Patch> &patches);

// Replaces the whole content of a file the same crash-safe way (the settings file uses it).
void replaceFile(const std::string &path, const std::string &content);

bool fileExists(const std::string &path);
bool dirExists(const std::string &path);

} // namespace romfile
