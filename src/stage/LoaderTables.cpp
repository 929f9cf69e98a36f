#include "stage/Loader.h"

namespace {

struct Row
{
    int id;
    const char *text;
};

const Row enemyRows[73] = {
    { 16, "[s2/3:08/17] Crow (flying low)" },
    { 39, "[s2/3:08/17] Crow (flying high)" },
    { 24, "[s2:08] Ghost (no flicker)" },
    { 75, "[s2:08] Ghost (w/ flicker)" },
    { 2, "[s2:08] Zombies (from ground)" },
    { 1, "[s2:08] Zombies (slow rate)" },
    { 58, "[s2:08] Zombies (fast rate) [1]" },
    { 79, "[s2:08] Zombies (fast rate) [2]" },
    { 11, "[s2:0A] Hunchback" },
    { 42, "[s2:0A] Pillar of Bones (2-shot)" },
    { 14, "[s2:0A] Pillar of Bones (3-shot)" },
    { 18, "[s2:0A] Fishmen (jumping)" },
    { 61, "[s2:0A] Fishmen (swimming)" },
    { 62, "[s2:0A] Fishmen (swim+jump)" },
    { 41, "[s2:0C] Spiders" },
    { 68, "[s2:0C] Owls" },
    { 20, "[s2:0E] Floating Eye" },
    { 26, "[s2:0E] Mummies [1]" },
    { 80, "[s2:0E] Mummies [2]" },
    { 21, "[s2:0E] Slime Ball" },
    { 60, "[s2:10] Frogs" },
    { 59, "[s2:10] Mudmen" },
    { 64, "[s2:14] Knight" },
    { 69, "[s3:08/0B] Fuzz Buster" },
    { 15, "[s3:09] Axe Knight" },
    { 13, "[s3:09] Bat (asleep)" },
    { 12, "[s3:09] Bats (flying)" },
    { 17, "[s3:0B] Skeleton (sword) [1]" },
    { 73, "[s3:0B] Skeleton (sword) [2]" },
    { 4, "[s3:0B] Winged Demons (one)" },
    { 82, "[s3:0B] Winged Demons (two)" },
    { 46, "[s3:0D] Spore" },
    { 45, "[s3:0D] Spores (floating)" },
    { 40, "[s3:0F] Headless Pirate" },
    { 3, "[s3:0F] Medusa Heads (one)" },
    { 72, "[s3:0F] Medusa Heads (two) [1]" },
    { 74, "[s3:0F] Medusa Heads (two) [2]" },
    { 71, "[s3:11] Bats (flying)" },
    { 67, "[s3:11] Bone Dragon" },
    { 50, "[s3:13] Skeleton (blue)" },
    { 22, "[s3:13] Skeleton (bones)" },
    { 25, "[s3:13] Skeleton (red)" },
    { 23, "[s3:13] Skeleton (whip, blue)" },
    { 19, "[s3:13] Skeleton (whip, red)" },
    { 63, "[s3:15] Fireman" },
    { 65, "[s3:15] Pillar of Bones (3-shot)" },
    { 70, "[s3:2F] Harpies" },
    { 8, "[s3:7B] Lightning (bolts)" },
    { 44, "[s4:08/0B] Fuzz Buster" },
    { 43, "[s4:09] Bats (flying)" },
    { 10, "[s4:4C] Lightning (clouds)" },
    { 9, "[s?:??] Lightning (Sypha)" },
    { 5, "[Boss] Skull Knight" },
    { 7, "[Boss] Grant DaNasty" },
    { 6, "[Boss] Cyclops" },
    { 30, "[Boss] Medusa" },
    { 32, "[Boss] Mummies + Cyclops" },
    { 33, "[Boss] Frankenstein's Monster" },
    { 31, "[Boss] Water Dragons" },
    { 27, "[Boss] Giant Bat" },
    { 28, "[Boss] Alucard" },
    { 29, "[Boss] Bone Dragon King" },
    { 37, "[Boss] Mumm. + Cycl. + Leviathan" },
    { 35, "[Boss] Grim Reaper" },
    { 36, "[Boss] Doppelg\xC3\xA4nger" },
    { 38, "[Boss] Dracula" },
    { 66, "[n/a] Auto-walk to Door (Forest)" },
    { 76, "[n/a] Auto-walk to Door (Caves)" },
    { 81, "[n/a] Flood" },
    { 57, "[n/a] Water Current (2 blocks) [1]" },
    { 78, "[n/a] Water Current (2 blocks) [2]" },
    { 54, "[n/a] Water Current (4 blocks)" },
    { 77, "[n/a] Water Current (6 blocks)" },
};

} // namespace

std::vector<EnemyRow> enemyList(const std::string &romVer)
{
    std::vector<EnemyRow> rows;
    for (const Row &r : enemyRows)
        rows.push_back({ r.id, r.text });
    if (romVer == "1")
        rows.erase(rows.begin() + 30);
    return rows;
}
