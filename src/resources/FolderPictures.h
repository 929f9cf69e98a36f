#pragma once
#include <QPixmap>

#include <string>

// The pictures the windows load from the picture folder by file name.
namespace res {

// The picture in the file at path, read through the file layer (no pipe or device is ever
// opened, no more than pictureLimit bytes read) and decoded from those bytes. A file that cannot
// be used throws: VbError saying which file and why the first time, msg::Reported after that,
// so that the step it ends fails without the same box again, until the file can be used again.
QPixmap folderPicture(const std::string &path);

// The folder itself was told to be unusable: its pictures fail without a box of their own.
void folderToldOf(std::string folder);

} // namespace res
