#include "resources/FolderPictures.h"

#include "resources/Resources.h"
#include "rom/VbError.h"
#include "ui/MsgBox.h"

#include <map>
#include <set>

#include <sys/stat.h>

namespace res {

namespace {

// What this run of the program has told of: picture files and unusable folders by path, and
// how many pictures of each folder. A damaged picture is told of once, not at every section
// shown or marker drawn.
struct Told
{
    std::set<std::string> paths;
    std::map<std::string, int> perFolder;
};

Told &told()
{
    static Told t;
    return t;
}

// A folder whose pictures are all damaged would raise a box for each at the start: after this
// many, the others of the folder fail without a box of their own.
constexpr int toldPerFolder = 5;

std::string folderOf(const std::string &path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
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
    const std::string folder = folderOf(path);
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
        told().paths.erase(path);
        return pm;
    } catch (const VbError &e) {
        Told &t = told();
        if (!t.paths.insert(faultKey(path)).second || ++t.perFolder[folderOf(path)] > toldPerFolder)
            throw msg::Reported(e.what());
        throw;
    }
}

void folderToldOf(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    told().paths.insert(folder);
}

} // namespace res
