#include "resources/FolderPictures.h"

#include "resources/Resources.h"
#include "rom/VbError.h"
#include "ui/MsgBox.h"

#include <map>
#include <set>

#include <sys/stat.h>

namespace res {

namespace {

// The picture files whose failure was reported in this run of the program, by path: a damaged
// picture is told of once, not at every section shown or marker drawn.
std::set<std::string> &reported()
{
    static std::set<std::string> paths;
    return paths;
}

// A folder whose pictures are all damaged would raise a box for each at the start: after this
// many, the others of the folder fail without a box of their own.
constexpr int toldPerFolder = 5;

int &toldIn(const std::string &path)
{
    static std::map<std::string, int> counts;
    return counts[path.substr(0, path.rfind('/') + 1)];
}

QPixmap decoded(const std::string &path)
{
    const Bytes bytes = readPicture(path);
    QPixmap pm;
    if (!pm.loadFromData(bytes.data(), static_cast<uint>(bytes.size())))
        throw VbError(pictureFault(path,
            "is a file of " + std::to_string(bytes.size())
                + " bytes that holds no picture the program can show"));
    return pm;
}

// What a failure is told of by: the folder, when the folder itself is unusable (every picture in
// it fails for that one cause), else the file.
std::string faultKey(const std::string &path)
{
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    struct stat st
    {
    };
    return ::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) ? folder : path;
}

} // namespace

QPixmap folderPicture(const std::string &path)
{
    try {
        QPixmap pm = decoded(path);
        reported().erase(path);
        return pm;
    } catch (const VbError &e) {
        if (!reported().insert(faultKey(path)).second || ++toldIn(path) > toldPerFolder)
            throw msg::Reported(e.what());
        throw;
    }
}

void folderToldOf(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    reported().insert(folder);
}

} // namespace res
