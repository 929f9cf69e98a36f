#include "resources/FolderPictures.h"

#include "resources/Resources.h"
#include "rom/VbError.h"
#include "ui/MsgBox.h"

#include <set>

namespace res {

namespace {

// The picture files whose failure was reported in this run of the program, by path: a damaged
// picture is told of once, not at every section shown or marker drawn.
std::set<std::string> &reported()
{
    static std::set<std::string> paths;
    return paths;
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

} // namespace

QPixmap folderPicture(const std::string &path)
{
    try {
        QPixmap pm = decoded(path);
        reported().erase(path);
        return pm;
    } catch (const VbError &e) {
        if (!reported().insert(path).second)
            throw msg::Reported(e.what());
        throw;
    }
}

} // namespace res
