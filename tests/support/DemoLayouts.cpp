#include "support/DemoArt.h"

namespace demo {

namespace {

using Row = std::array<uint8_t, 8>;

// Four kinds of horizontal screen, 6 rows of 8 blocks: a hall, a courtyard, ruins and a
// stage-coloured gallery.
const Row halls[4][6] = {
    { { Stars, Stars, Stars, Stars, Stars, Cloud, Stars, Stars },
        { Brick, Brick, Brick, Brick, Brick, Brick, Brick, Brick },
        { Brick, Window, Brick, Brick, Window, Brick, Brick, StageDecor },
        { Brick, Brick, Pillar, Brick, Brick, Pillar, Brick, Brick },
        { Brick, Brick, Pillar, Brick, Brick, Pillar, Brick, StairUp },
        { Floor, Floor, Floor, Floor, Floor, Floor, Floor, Floor } },
    { { Stars, Stars, Cloud, Stars, Stars, Stars, Stars, Stars },
        { Sky, Sky, Sky, Sky, Sky, Sky, Sky, Sky },
        { Sky, Sky, Sky, Sky, Sky, StairUp, Brick, Brick },
        { Sky, Pillar, Sky, Sky, StairUp, Floor, Brick, Window },
        { Sky, Pillar, Sky, StairUp, Floor, Floor, Brick, Brick },
        { Grass, Grass, Grass, Grass, Grass, Grass, Grass, Grass } },
    { { Stars, Stars, Stars, Stars, Cloud, Stars, Stars, Stars },
        { Sky, Sky, Sky, Sky, Sky, Sky, Sky, Sky },
        { Brick, Brick, Sky, Sky, Sky, Sky, Brick, Brick },
        { Brick, Window, StairDown, Sky, Sky, Pillar, Window, Brick },
        { Brick, Brick, Floor, StairDown, Sky, Pillar, Brick, Brick },
        { Floor, Floor, Floor, Floor, Floor, Floor, Floor, Floor } },
    { { StageBrick, StageBrick, StageBrick, StageBrick, StageBrick, StageBrick, StageBrick,
          StageBrick },
        { StageBrick, Window, StageBrick, StageDecor, StageBrick, Window, StageBrick, StageDecor },
        { StageBrick, StageBrick, StageBrick, StageBrick, StageBrick, StageBrick, StageBrick,
            StageBrick },
        { Sky, Pillar, Sky, Sky, Sky, Sky, Pillar, Sky },
        { Sky, Pillar, Sky, Sky, Sky, Sky, Pillar, Sky },
        { Floor, Floor, Floor, Floor, Floor, Floor, Floor, Floor } },
};

// A tower screen, 8 rows of 8: walls at both sides, a floor with a gap and a flight of
// stairs up to the gap of the floor above.
const Row tower[8] = {
    { Brick, Floor, Floor, Floor, Floor, Sky, Sky, Brick },
    { Brick, Window, Sky, Sky, Sky, Sky, StairUp, Brick },
    { Brick, Sky, Sky, Sky, Sky, StairUp, Sky, Brick },
    { Brick, Sky, Sky, Sky, StairUp, Sky, Window, Brick },
    { Brick, Sky, Sky, Floor, Floor, Floor, Floor, Brick },
    { Brick, Sky, StairDown, Sky, Sky, Sky, Sky, Brick },
    { Brick, Window, Sky, StairDown, Sky, Sky, Window, Brick },
    { Brick, Sky, Sky, Sky, StairDown, Floor, Floor, Brick },
};

} // namespace

Bytes layout(int stage, int section, int screens, bool vertical)
{
    Bytes out;
    for (int s = 0; s < screens; ++s) {
        if (vertical) {
            for (int r = 0; r < 8; ++r)
                out.insert(out.end(), tower[r].begin(), tower[r].end());
            continue;
        }
        const int kind = (stage + section + s) % 4;
        for (int r = 0; r < 6; ++r) {
            Row row = halls[kind][r];
            if (r == 0 && s == 0 && kind != 3)
                row[3] = Moon;
            out.insert(out.end(), row.begin(), row.end());
        }
    }
    if (vertical && screens > 0) {
        // The top of the tower is open sky with the moon.
        for (int c = 1; c < 7; ++c)
            out[static_cast<size_t>(c)] = c == 3 ? Moon : Stars;
    }
    return out;
}

} // namespace demo
