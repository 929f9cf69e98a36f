// Writes "demo-us.nes" and "demo-jp.nes", synthetic ROMs of both releases with drawn tiles and
// rooms, into the folder given as the argument, so the editor can be tried without the game.
#include "model/tables/Bgm.h"
#include "model/tables/Damage.h"
#include "model/tables/GameOptions.h"
#include "support/RomBuilder.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <optional>
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

// The game tables the editor's side windows show get the game's own defaults, so the demo
// opens them on sensible values instead of filler.
Bytes withGameTables(Bytes rom, int r)
{
    RomImage image(std::move(rom));
    std::vector<Patch> all;
    for (const damage::Row &row : damage::rows(r))
        all.push_back({ row.pos, { row.defaultByte } });
    bgm::Words songs {};
    for (int k = 0; k < bgm::situations; ++k)
        songs[static_cast<size_t>(k)] = bgm::itemWord(bgm::defaultItem(k, r), r);
    for (const Patch &p : bgm::patches(songs, {}, r))
        all.push_back(p);
    all.push_back({ gameopt::livesPos(r), { gameopt::byteOf(3) } });
    all.push_back({ gameopt::heartsPos(r), { gameopt::byteOf(5) } });
    for (const Patch &p : all)
        image.put(p.pos, p.bytes);
    return image.data();
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
            const int r = rel == rb::Rel::JP ? 1 : 0;
            if (!writeFile(dir + name, withGameTables(rb::build(rb::gameShape(rel)).rom, r))) {
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
