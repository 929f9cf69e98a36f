#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

TempDir::TempDir()
{
    const char *base = std::getenv("TMPDIR");
    std::string tmpl = std::string(base && *base ? base : "/tmp") + "/vorlig-test-XXXXXX";
    if (!::mkdtemp(tmpl.data()))
        throw std::runtime_error("mkdtemp failed in " + tmpl);
    m_path = tmpl + "/";
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

namespace testfile {

Bytes readAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string readText(const std::string &path)
{
    Bytes b = readAll(path);
    return std::string(b.begin(), b.end());
}

void writeAll(const std::string &path, const Bytes &data)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(
        reinterpret_cast<const char *>(data.data()), static_cast<std::streamsize>(data.size()));
}

void writeText(const std::string &path, const std::string &text)
{
    writeAll(path, Bytes(text.begin(), text.end()));
}

} // namespace testfile
