// Writes "demo-us.nes" and "demo-jp.nes", synthetic ROMs of both releases with drawn tiles and
// rooms, into the folder given as the argument, so the editor can be tried without the game.
#include "support/RomBuilder.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool writeFile(const std::string &path, const Bytes &data)
{
    std::string tmp = path + ".part";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out.write(
            reinterpret_cast<const char *>(data.data()), static_cast<std::streamsize>(data.size()));
        out.close();
        if (!out)
            return false;
    }
    return std::rename(tmp.c_str(), path.c_str()) == 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_demo_roms <folder>\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    try {
        for (auto [rel, name] : { std::pair { rb::Rel::US, "demo-us.nes" },
                 std::pair { rb::Rel::JP, "demo-jp.nes" } }) {
            if (!writeFile(dir + name, rb::build(rb::gameShape(rel)).rom)) {
                std::fprintf(stderr, "make_demo_roms: cannot write %s%s\n", dir.c_str(), name);
                return 1;
            }
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "make_demo_roms: %s\n", e.what());
        return 1;
    }
    return 0;
}
