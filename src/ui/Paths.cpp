#include "ui/Paths.h"

#include "rom/SettingsFile.h"
#include "ui/MsgBox.h"

#include <QCoreApplication>
#include <QFile>

#include <filesystem>
#include <system_error>

namespace {

constexpr char16_t escapeBase = 0xDC00;

// The length of the well-formed UTF-8 sequence at s[i], or 0.
size_t utf8Length(const std::string &s, size_t i)
{
    const auto at = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = at(i);
    const size_t n = c < 0x80    ? 1
        : c >= 0xC2 && c <= 0xDF ? 2
        : c >= 0xE0 && c <= 0xEF ? 3
        : c >= 0xF0 && c <= 0xF4 ? 4
                                 : 0;
    if (n == 0 || i + n > s.size())
        return 0;
    for (size_t k = 1; k < n; ++k)
        if ((at(i + k) & 0xC0) != 0x80)
            return 0;
    // No overlong forms, no surrogates, nothing past U+10FFFF.
    const unsigned char d = n > 1 ? at(i + 1) : 0;
    if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d > 0x9F) || (c == 0xF0 && d < 0x90)
        || (c == 0xF4 && d > 0x8F))
        return 0;
    return n;
}

bool isEscape(const QString &s, qsizetype i)
{
    const char16_t c = s[i].unicode();
    return c >= escapeBase + 0x80 && c <= escapeBase + 0xFF
        && (i == 0 || !s[i - 1].isHighSurrogate());
}

} // namespace

namespace paths {

QString toQt(const std::string &path)
{
    const QByteArray bytes = QByteArray::fromStdString(path);
    const QString plain = QFile::decodeName(bytes);
    if (QFile::encodeName(plain) == bytes)
        return plain;
    QString out;
    for (size_t i = 0; i < path.size();) {
        const size_t n = utf8Length(path, i);
        if (n == 0)
            out += QChar(escapeBase + static_cast<unsigned char>(path[i++]));
        else
            out += QString::fromUtf8(path.data() + i, static_cast<qsizetype>(n));
        i += n;
    }
    return out;
}

std::string toNative(const QString &path)
{
    std::string out;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !isEscape(path, i))
            continue;
        out += QFile::encodeName(path.mid(start, i - start)).toStdString();
        if (i < path.size())
            out += static_cast<char>(path[i].unicode() - escapeBase);
        start = i + 1;
    }
    return out;
}

bool storable(const QString &path)
{
    if (ini::canHold(toNative(path)))
        return true;
    QString shown = path;
    shown.replace("\r\n", "\n").replace('\r', '\n').replace('\n', QChar(0x23CE));
    msg::box("This path holds a line break, which the settings file cannot hold:\r" + shown
            + "\rRename the file or its folder, or choose another.",
        msg::Exclamation, "Invalid pathname");
    return false;
}

std::string programFolder()
{
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && exe.has_parent_path())
        return exe.parent_path().string();
    return toNative(QCoreApplication::applicationDirPath());
}

} // namespace paths
