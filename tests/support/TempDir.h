#pragma once
#include <string>

#include "rom/RomFile.h"

// A fresh folder under $TMPDIR (or /tmp), removed with everything in it when the object goes.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::string &path() const { return m_path; } // ends in "/"
    std::string file(const std::string &name) const { return m_path + name; }

private:
    std::string m_path;
};

namespace testfile {
Bytes readAll(const std::string &path);
std::string readText(const std::string &path);
void writeAll(const std::string &path, const Bytes &data);
void writeText(const std::string &path, const std::string &text);
} // namespace testfile
