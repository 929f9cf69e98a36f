#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The ROM addressed by 1-based positions (position = file offset + 1).
using Bytes = std::vector<uint8_t>;

// A ROM image held in memory; every read is checked against its size. Copies of an image share
// its bytes until one of them is written, so a copy of a whole ROM costs nothing until then.
class RomImage
{
public:
    RomImage() = default;
    explicit RomImage(Bytes data) : m_data(std::make_shared<Bytes>(std::move(data))) { }

    static RomImage load(const std::string &path); // throws VbError

    long long size() const { return static_cast<long long>(data().size()); }
    bool contains(long long pos, long long n = 1) const;
    uint8_t byte(long long pos) const;
    Bytes bytes(long long pos, long long n) const;
    // The n bytes from pos where they lie, checked as bytes() checks them, without a copy.
    const uint8_t *at(long long pos, long long n) const;
    // Little-endian 2-byte word at pos.
    unsigned word(long long pos) const;
    void put(long long pos, const Bytes &b); // overwrites existing bytes only
    const Bytes &data() const { return m_data ? *m_data : none(); }

private:
    static const Bytes &none();
    void check(long long pos, long long n) const;
    std::shared_ptr<Bytes> m_data;
};

struct Patch
{
    long long pos; // 1-based
    Bytes bytes;
};

namespace romfile {
std::string outsideText(long long pos, long long fileSize);
// Throws VbError with outsideText unless the n bytes at pos lie inside a file of fileSize bytes.
void checkRange(long long pos, long long n, long long fileSize);
} // namespace romfile
