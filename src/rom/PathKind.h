#pragma once
#include <string>

namespace romfile {

// What stands at path, said for a message when it is not the regular file a reader wants:
// "nothing stands at '/x/game.nes'", "'/x/game.nes' is a folder", "'/x/Attic' is a file, not a
// folder". Empty when a regular file stands there.
std::string whatStandsAt(const std::string &path);
// The same, but "" where nothing stands at the path (or no path is given): what stands there
// instead of a regular file, for a message that already says the file was not found.
std::string otherThanFile(const std::string &path);

} // namespace romfile
