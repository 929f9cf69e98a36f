#pragma once
#include <QString>

#include <string>

// Paths cross between the file system's bytes (std::string, as the core and the settings file
// keep them) and the windows' text (QString) only through this pair, so a path goes back to the
// system byte for byte. Bytes that the system's file-name encoding cannot decode (a Latin-1
// folder name under a UTF-8 locale) each become one lone surrogate U+DC80..U+DCFF and turn back
// into that byte.
namespace paths {

QString toQt(const std::string &path);
std::string toNative(const QString &path);

// Whether the settings file can hold the path (it has no line break); when not, a box says so.
bool storable(const QString &path);

// The folder of the running program, as the system names it.
std::string programFolder();

} // namespace paths
