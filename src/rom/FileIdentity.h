#pragma once
#include <string>

namespace romfile {

// Whether two paths name one file: the same device and inode when both exist (so a link, a
// "./" or a second name of the file count as the same), else the same canonical path. Case
// counts, as it does on the file system: "game.nes" and "GAME.nes" are two files.
bool sameFile(const std::string &a, const std::string &b);

} // namespace romfile
