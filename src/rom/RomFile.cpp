#include "rom/RomFile.h"

#include "rom/Release.h"

#include <algorithm>

RomImage RomImage::load(const std::string &path)
{
    return RomImage(romfile::readRom(path));
}

const Bytes &RomImage::none()
{
    static const Bytes empty;
    return empty;
}

bool RomImage::contains(long long pos, long long n) const
{
    return pos >= 1 && n >= 0 && pos - 1 + n <= size();
}

void RomImage::check(long long pos, long long n) const
{
    romfile::checkRange(pos, n, size());
}

uint8_t RomImage::byte(long long pos) const
{
    check(pos, 1);
    return (*m_data)[static_cast<size_t>(pos - 1)];
}

Bytes RomImage::bytes(long long pos, long long n) const
{
    check(pos, n);
    auto first = data().begin() + (pos - 1);
    return Bytes(first, first + n);
}

const uint8_t *RomImage::at(long long pos, long long n) const
{
    check(pos, n);
    return data().data() + (pos - 1);
}

unsigned RomImage::word(long long pos) const
{
    check(pos, 2);
    const Bytes &d = *m_data;
    return d[static_cast<size_t>(pos - 1)] | (d[static_cast<size_t>(pos)] << 8);
}

void RomImage::put(long long pos, const Bytes &b)
{
    check(pos, static_cast<long long>(b.size()));
    if (b.empty())
        return;
    if (m_data.use_count() > 1) // a copy still reads the bytes as they were
        m_data = std::make_shared<Bytes>(*m_data);
    std::copy(b.begin(), b.end(), m_data->begin() + (pos - 1));
}

const RomImage &RomFile::load(const std::string &path)
{
    std::string from = path; // path may be m_path itself
    m_path.clear();
    m_known = RomImage();
    m_maybe = RomImage();
    m_known = RomImage(romfile::readRom(from));
    m_path = std::move(from);
    return m_known;
}

RomImage RomFile::reread()
{
    if (!loaded())
        throw VbError("No ROM file is loaded");
    romfile::OpenFile f(m_path);
    current(f, "read");
    return m_known;
}

void RomFile::write(const std::vector<Patch> &patches)
{
    if (patches.empty())
        return;
    if (!loaded())
        throw VbError("No ROM file is loaded: nothing was written");
    romfile::OpenFile f(m_path);
    RomImage next(current(f, "written"));
    for (const Patch &p : patches)
        next.put(p.pos, p.bytes);
    try {
        f.replace(next.data(), patches, [&] { return current(f, "written"); });
    } catch (const RomChanged &) {
        throw;
    } catch (...) {
        afterFailedWrite(next);
        throw;
    }
    m_known = next;
}

// The file is what it was, what it would have been, or a mix of both where the bytes could not
// be put back: it is read again so that the next write does not take it for another file.
void RomFile::afterFailedWrite(const RomImage &next)
{
    m_maybe = next;
    try {
        romfile::OpenFile f(m_path);
        current(f, "read");
    } catch (...) {
        // Read again by the next write, which then takes either byte at each position.
    }
}

// The file's bytes now, which must be every byte the program read or last wrote (or, after a
// failed write, would have written): a file changed anywhere is another file, and edits made on
// one never land in another. Reading and comparing the file whole costs less than a tenth of a
// save, and unlike the file's times it cannot miss a change made within the same clock tick.
Bytes RomFile::current(const romfile::OpenFile &f, const char *verb)
{
    const Bytes &known = m_known.data();
    // Read as it is now, up to one byte past the length known: a file grown or cut since it
    // was opened is another file.
    Bytes now = f.readPrefix(known.size() + 1);
    if (now.size() != known.size())
        changed("it is now " + std::to_string(f.sizeNow()) + " bytes long, not "
                + std::to_string(known.size()),
            verb);
    const Bytes &maybe = m_maybe.data();
    auto differs = [&](size_t i) {
        return now[i] != known[i] && (maybe.size() != now.size() || now[i] != maybe[i]);
    };
    const size_t sig = static_cast<size_t>(release::signaturePos - 1);
    for (size_t i = sig; i < std::min(known.size(), sig + 16); ++i)
        if (differs(i))
            changed("it holds another ROM, its release signature differs", verb);
    for (auto d = std::mismatch(now.begin(), now.end(), known.begin()); d.first != now.end();
         d = std::mismatch(d.first + 1, now.end(), d.second + 1))
        if (differs(static_cast<size_t>(d.first - now.begin())))
            changed("it no longer holds at position " + std::to_string(d.first - now.begin() + 1)
                    + " what the program read or wrote there",
                verb);
    if (!maybe.empty()) {
        m_known = RomImage(now);
        m_maybe = RomImage();
    }
    return now;
}

void RomFile::changed(const std::string &why, const char *verb) const
{
    throw RomChanged("The ROM file '" + m_path + "' changed on disk since it was loaded: " + why
        + "; nothing was " + verb);
}

namespace romfile {

std::string outsideText(long long pos, long long fileSize)
{
    return "position " + std::to_string(pos) + " lies outside the " + std::to_string(fileSize)
        + "-byte ROM file";
}

void checkRange(long long pos, long long n, long long fileSize)
{
    if (pos < 1 || n < 0 || pos - 1 + n > fileSize)
        throw VbError(outsideText(pos < 1 || n == 0 ? pos : pos + n - 1, fileSize));
}

Bytes read(const std::string &path, long long pos, long long n)
{
    return OpenFile(path).readAt(pos, n);
}

uint8_t readByte(const std::string &path, long long pos)
{
    return read(path, pos, 1)[0];
}

} // namespace romfile
