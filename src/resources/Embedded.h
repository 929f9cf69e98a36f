#pragma once
#include <cstddef>

// The files of src/resources/data, compiled in by the build (see embed.cmake).
namespace res::embedded {

struct Entry
{
    const char *name; // the file's stem, e.g. "PU_A1"
    const unsigned char *bytes;
    std::size_t size;
};

extern const Entry entries[];
extern const std::size_t count;

} // namespace res::embedded
