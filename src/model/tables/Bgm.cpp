#include "model/tables/Bgm.h"

#include "rom/Numbers.h"

namespace bgm {

namespace {

struct Song
{
    const char *text;
    int song;
};

constexpr std::array<Song, items> itemTable { {
    { "Beginning", 1 },
    { "Clockwork", 5 },
    { "Mad Forest", 2 },
    { "Anxiety", 8 },
    { "Rising", 7 },
    { "Stream", 3 },
    { "Dead Beat", 4 },
    { "Nightmare", 9 },
    { "Aquarius", 6 },
    { "Demon Seed", 10 },
    { "Deja Vu", 13 },
    { "Riddle", 14 },
    { "Pressure", 15 },
    { "Overture", 16 },
    { "Boss Fight", 17 },
    { "Block Clear", 21 },
    { "Big Battle", 18 },
    { "Big Battle 2", 19 },
    { "All Clear", 22 },
    { "Destiny", 30 },
    { "Encounter", 29 },
    { "Prelude", 24 },
    { "Prayer", 25 },
    { "Epitaph", 20 },
    { "Evergreen", 26 },
    { "Flash Back", 27 },
    { "Game Over", 23 },
    { "Life Loss", 0 },
} };

constexpr std::array<const char *, situations> captions {
    "Life Loss",
    "Warakiya",
    "Forest of Madness",
    "Causeway",
    "Murky Marshes",
    "Clock Tower",
    "Sunken City",
    "Tower of Terror",
    "Ship of Fools",
    "Caves of Alucard",
    "Catacombs",
    "Mountain Range",
    "Castle Courtyard",
    "Main Hall",
    "Castle Tower",
    "Final Clock Tower",
    "Dracula's Room",
    "Boss Screen",
    "Dracula's 2nd Form",
    "Dracula's 3rd Form",
    "Password Screen",
    "Boss Defeated",
    "Dracula Defeated",
    "Game Over",
    "Intro Reel",
    "Prayer Sequence",
    "Ending",
    "Credits",
    "Flood",
    "Partner Spirit",
    "Castlevania Map",
};

// Songs without an item of their own and the item that stands for each.
int standIn(int song)
{
    switch (song) {
    case 28:
        return 12;
    case 11:
        return 3;
    case 12:
        return 8;
    default:
        return -1;
    }
}

} // namespace

long long tablePos(int r)
{
    return r == 1 ? 200719 : 200665;
}

unsigned songPtr(int k, int r)
{
    const unsigned base = r == 1 ? 0x9299u : 0x920Du;
    return base + static_cast<unsigned>(k) * (6u * static_cast<unsigned>(r) + 14u);
}

int itemSong(int n)
{
    return itemTable.at(static_cast<size_t>(n)).song;
}

std::string itemText(int n)
{
    return itemTable.at(static_cast<size_t>(n)).text;
}

std::string caption(int situation)
{
    return captions.at(static_cast<size_t>(situation));
}

int itemForWord(unsigned word, int r)
{
    for (int n = 0; n < items; ++n)
        if (itemWord(n, r) == word)
            return n;
    return -1;
}

unsigned itemWord(int n, int r)
{
    return songPtr(itemSong(n), r);
}

std::string wordText(unsigned word, int r)
{
    for (int k = 0; k < situations; ++k)
        if (songPtr(k, r) == word)
            return "Song " + std::to_string(k);
    return "Word " + num::hex2(word);
}

int defaultItem(int situation, int r)
{
    const int own = itemForWord(songPtr(situation, r), r);
    return own >= 0 ? own : standIn(situation);
}

std::vector<Patch> patches(const Words &chosen, const Words &read, int r)
{
    std::vector<Patch> out;
    for (int i = 0; i < situations; ++i) {
        const size_t k = static_cast<size_t>(i);
        const std::optional<unsigned> v = chosen[k];
        if (v && v != read[k])
            out.push_back({ tablePos(r) + 2 * i,
                { static_cast<uint8_t>(*v % 256), static_cast<uint8_t>(*v / 256 % 256) } });
    }
    return out;
}

const std::array<int, 16> &leftColumn()
{
    static const std::array<int, 16> c { 1, 5, 2, 8, 7, 3, 4, 9, 6, 28, 10, 11, 12, 13, 14, 15 };
    return c;
}

const std::array<int, 16> &rightColumn()
{
    static const std::array<int, 16> c { -1, 24, 20, 25, 17, 21, 29, 30, 16, 18, 19, 22, 26, 27, 23,
        0 };
    return c;
}

} // namespace bgm
