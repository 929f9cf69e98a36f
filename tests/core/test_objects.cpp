#include "model/objects/ObjectEdit.h"
#include "model/objects/ObjectLayout.h"
#include "model/objects/PowerUps.h"

#include <gtest/gtest.h>

using namespace objects;

namespace {

EnemyOffsets offsets()
{
    EnemyOffsets o {};
    o[1] = -16;
    o[5] = 8;
    o[32] = 32;
    return o;
}

} // namespace

TEST(Objects, PaletteCodesAndNamesFollowTheRelease)
{
    EXPECT_EQ(puContent(8, 0), 0xAE);
    EXPECT_EQ(puContent(8, 1), 0x9E);
    EXPECT_EQ(puIndexOf(0x9E, 1), 8);
    EXPECT_EQ(puIndexOf(0x9E, 0), -1);
    EXPECT_EQ(puIndexOf(0x10, 0), -1);
    EXPECT_STREQ(powerUp(13).name, "1,000 Points");
    EXPECT_EQ(puLeft(9), 8640);
    EXPECT_EQ(puTop(9), 5400);
    EXPECT_EQ(puLeft(18), 10440);
    EXPECT_EQ(holderCode(1, 0), 0x91);
    EXPECT_EQ(holderCode(2, 1), 0x82);
    EXPECT_EQ(candleLeft(1), 9840); // the candlestand is the third button
}

TEST(Objects, HolderProposalsMatchContentAndKindOfTheRelease)
{
    std::array<puPresetRec, 256> p {};
    p[3] = { 0, 0, 0x91, 0xAE };
    p[7] = { 0, 0, 0x91, 0xAE };
    p[8] = { 0, 0, 0x90, 0xAE };
    p[9] = { 0, 0, 0x91, 0xAD };
    p[253] = { 0, 0, 0x91, 0xAE };
    p[254] = { 0, 0, 0x91, 0xAE }; // beyond the presets in use
    EXPECT_EQ(holderMatches(p, 0, 8, 1), (std::vector<int> { 3, 7, 253 }));
    EXPECT_TRUE(holderMatches(p, 0, 8, 3).empty());
    std::array<puPresetRec, 256> j {};
    j[5] = { 0, 0, 0x80, 0x9E };
    j[244] = { 0, 0, 0x80, 0x9E };
    EXPECT_EQ(holderMatches(j, 1, 8, 0), (std::vector<int> { 5 }));
}

TEST(Objects, EnemyProposalsAndPages)
{
    std::array<enPresetRec, 256> e {};
    for (int k = 10; k < 27; ++k)
        e[static_cast<size_t>(k)][2] = 9;
    e[227][2] = 9;
    e[228][2] = 9;
    EXPECT_EQ(enemyMatches(e, 0, 9).size(), 18u);
    EXPECT_EQ(enemyMatches(e, 1, 9).size(), 17u);
    EXPECT_EQ(lastPage(16), 0);
    EXPECT_EQ(lastPage(17), 1);
    EXPECT_EQ(lastPage(0), 0);
}

TEST(Objects, ColumnItemsOfHoldersAndEnemies)
{
    int kind = -1;
    Place c = holderItem({ 10, 128, 0x91, 0xAE }, 5, 1, 0x90, 0x92, 0, kind);
    EXPECT_TRUE(c.shown);
    EXPECT_EQ(kind, 1);
    EXPECT_EQ(c.left, 30 * 10 + 240 + 1910 - 120);
    EXPECT_EQ(c.top, 30 * 128 - 810 - 240);
    EXPECT_EQ(c.picture, "puAE.dat");
    EXPECT_FALSE(holderItem({ 10, 128, 0x93, 0xAE }, 5, 1, 0x90, 0x92, 0, kind).shown);
    EXPECT_FALSE(holderItem({ 10, 128, 0x91, 0 }, 5, 1, 0x90, 0x92, 0, kind).shown);
    EXPECT_FALSE(holderItem({ 10, 128, 0x91, 0xAE }, 0, 1, 0x90, 0x92, 0, kind).shown);
    Place jp = holderItem({ 0, 0, 0x81, 0x9E }, 4, 0, 0x80, 0x82, 1, kind);
    EXPECT_EQ(kind, 1);
    EXPECT_EQ(jp.picture, "puAE.dat");

    const EnemyOffsets o = offsets();
    EXPECT_EQ(enemyItem({ 0, 50, 32 }, 207, 2, o, 0).picture, "en.dat");
    Place e = enemyItem({ 4, 50, 32 }, 208, 2, o, 0);
    EXPECT_EQ(e.picture, "en2.dat");
    EXPECT_EQ(e.top, 30 * 50 - 600 + 960);
    EXPECT_EQ(e.left, 120 + 120 + 3820);
    EXPECT_FALSE(enemyItem({ 0, 50, 5 }, 0, 0, o, 0).shown);
    EXPECT_FALSE(enemyItem({ 0, 50, 5 }, 224, 0, o, 1).shown); // not a Japanese preset
    EXPECT_FALSE(enemyItem({ 0, 50, 90 }, 3, 0, o, 0).shown); // no enemy id
}

TEST(Objects, ObjectListMarkersInTheVisibleWindow)
{
    const EnemyOffsets o = offsets();
    ListPlace c = listMarker({ 64, 128, 1, 0x90, 0xAE, 0, 0 }, 10, o, 0);
    EXPECT_TRUE(c.shown);
    EXPECT_EQ(c.left, 2160);
    EXPECT_EQ(c.top, 2160);
    EXPECT_EQ(c.picture, "puAE.dat");
    ListPlace e = listMarker({ 100, 100, 1, 5, 0, 0, 0 }, 10, o, 0);
    EXPECT_TRUE(e.enemy);
    EXPECT_EQ(e.left, 3120);
    EXPECT_EQ(e.top, 1800);
    EXPECT_EQ(e.picture, "en.dat");
    ListPlace below = listMarker({ 0, 40, 2, 0x90, 0xAE, 0, 0 }, 12, o, 0);
    EXPECT_EQ(below.top, 30 * (256 - 128 + 40) + 240);
    EXPECT_FALSE(listMarker({ 0, 200, 1, 0x90, 0xAE, 0, 0 }, 8, o, 0).shown); // window is 188
    EXPECT_FALSE(listMarker({ 0, 10, 2, 0x90, 0xAE, 0, 0 }, 8, o, 0).shown);
    // An enemy of the screen above reaching into the view.
    ListPlace up = listMarker({ 0, 250, 0, 32, 0, 0, 0 }, 8, o, 0);
    EXPECT_TRUE(up.shown);
    EXPECT_EQ(up.top, 30 * (250 + 36 - 256 - 36) + 480 + 960);
    // Japanese holder codes are raised to the US ones.
    ListPlace jp = listMarker({ 0, 0, 0, 0x80, 0x9E, 0, 0 }, 0, o, 1);
    EXPECT_EQ(jp.left, 240);
    EXPECT_EQ(jp.picture, "puAE.dat");
    // A content code without a picture shows its holder kind's.
    EXPECT_EQ(listMarker({ 0, 0, 0, 0x92, 0xC7, 0, 0 }, 0, o, 0).picture, "ca2.dat");
    // An enemy id the offset table does not know is shown where it stands, without an offset.
    ListPlace unknown = listMarker({ 0, 0, 0, 90, 0, 0, 0 }, 0, o, 0);
    EXPECT_TRUE(unknown.shown);
    EXPECT_TRUE(unknown.enemy);
    EXPECT_EQ(unknown.top, 480);
    EXPECT_TRUE(unknown.coded);
    // A holder code of none of the three kinds is a holder all the same: it stands where a
    // Lantern would, shows what it holds (or nothing known) and its code beside it.
    for (const auto &[code, r] : { std::pair { 0x93, 0 }, { 0x85, 0 }, { 0xFF, 0 }, { 0x83, 1 } }) {
        ListPlace h = listMarker({ 0, 0, 0, uint8_t(code), uint8_t(0xAE - 16 * r), 0, 0 }, 0, o, r);
        EXPECT_FALSE(h.enemy) << code;
        EXPECT_TRUE(h.coded) << code;
        EXPECT_EQ(h.picture, "puAE.dat") << code;
        EXPECT_EQ(h.left, 120) << code;
        EXPECT_EQ(h.top, 240) << code;
    }
    EXPECT_EQ(listMarker({ 0, 0, 0, 0x93, 0xC7, 0, 0 }, 0, o, 0).picture, "an--.dat");
    EXPECT_FALSE(listMarker({ 0, 0, 0, 0x91, 0xAE, 0, 0 }, 0, o, 0).coded);
}

TEST(Objects, ProposalGeometryByKind)
{
    const EnemyOffsets o = offsets();
    Place c = proposal(0, 0, 0x38, 0, 1, 0, o);
    EXPECT_EQ(c.left, 240);
    EXPECT_EQ(c.top, 870);
    EXPECT_EQ(c.width, 240);
    EXPECT_EQ(c.height, 480);
    Place s = proposal(1, 0, 0x38, 0, 1, 0, o);
    EXPECT_EQ(s.left, 120);
    EXPECT_EQ(s.top, 630);
    EXPECT_EQ(s.height, 960);
    EXPECT_EQ(proposal(2, 0, 0x38, 0, 1, 3, o).left, 120 + 3 * 1910);
    EXPECT_EQ(proposal(3, 0, 0x38, 32, 207, 0, o).picture, "enp.dat");
    EXPECT_EQ(proposal(3, 0, 0x38, 32, 208, 0, o).picture, "enp2.dat");
    EXPECT_EQ(proposal(3, 0, 0x38, 32, 1, 0, o).top - proposal(3, 0, 0x38, 0, 1, 0, o).top, 960);
}

TEST(Objects, SlotRetypes)
{
    objRec r { 1, 2, 3, 14, 0x55, 7, 1 };
    objRec us = r;
    enemyToHolder(us, 2, 0);
    EXPECT_EQ(us, (objRec { 1, 2, 3, 0x92, 0xAE, 0, 0 }));
    enemyToHolder(r, 2, 1); // the Japanese Small Heart
    EXPECT_EQ(r, (objRec { 1, 2, 3, 0x82, 0x9E, 0, 0 }));
    holderToEnemy(r);
    EXPECT_EQ(r, (objRec { 1, 2, 3, 1, 0xAE, 0, 0 }));
    objRec h { 0, 0, 0, 0x90, 0xAD, 9, 9 };
    EXPECT_TRUE(pickEnemy(h, 42, 1));
    EXPECT_EQ(h, (objRec { 0, 0, 0, 42, 0xAD, 0, 1 })); // the content byte stays
    EXPECT_FALSE(pickEnemy(h, 69, 1));
    EXPECT_EQ(h[6], 4);
    EXPECT_FALSE(pickEnemy(h, 72, 0));
    EXPECT_EQ(h[5], 0xF0);
    pickEnemy(h, 3, 0);
    EXPECT_EQ(h[5], 0);
}

TEST(Objects, DraggingAnObjectListMarker)
{
    const EnemyOffsets o = offsets();
    dragmath::Errors errors;
    objRec c { 0, 0, 0, 0x90, 0xAE, 0, 0 };
    ObjDrag d = dragObject(c, 1000, 1000, 500, 500, 8, o, 0, errors);
    EXPECT_TRUE(d.moved);
    EXPECT_EQ(d.left, 960);
    EXPECT_EQ(d.top, 960);
    EXPECT_EQ(d.width, 240);
    EXPECT_EQ(d.picture, "pos0.dat");
    EXPECT_EQ(c[0], 24); // (960 + 120 - 360) / 30
    // b = 96 + 768 + 12 - 36 = 840: screen 1, y 24
    EXPECT_EQ(c[2], 1);
    EXPECT_EQ(c[1], 24);
    EXPECT_TRUE(errors.empty());

    objRec s { 5, 6, 2, 0x91, 0xAE, 0, 0 };
    ObjDrag refused = dragObject(s, 300, 1000, 600, 720, 0, o, 0, errors);
    EXPECT_FALSE(refused.moved);
    EXPECT_EQ(refused.left, 600);
    EXPECT_EQ(refused.height, 960);
    EXPECT_EQ(s[0], 16); // written from the unchanged position
    objRec e { 0, 0, 0, 32, 0, 0, 0 };
    ObjDrag en = dragObject(e, 2000, 2000, 0, 0, 0, o, 0, errors);
    EXPECT_TRUE(en.enemy);
    EXPECT_TRUE(en.picture.empty());
    EXPECT_EQ(e[0], 60);
    EXPECT_EQ(e[1], 16); // 192 - 12 - 96 - 36 = 48 thirds of a pixel
    // Codes the tables do not know drag without an error, to where the view lays them again.
    EXPECT_TRUE(errors.empty());
    for (uint8_t code : { uint8_t(0x93), uint8_t(0x55) }) {
        objRec odd { 0, 0, 0, code, 0xAE, 0, 0 };
        const ObjDrag k = dragObject(odd, 2000, 2000, 0, 0, 0, o, 0, errors);
        EXPECT_EQ(k.enemy, code < 0x80);
        EXPECT_TRUE(k.picture.empty());
        const ListPlace back = listMarker(odd, 0, o, 0);
        EXPECT_EQ(back.left, k.left) << int(code);
        EXPECT_EQ(back.top, k.top) << int(code);
    }
    EXPECT_TRUE(errors.empty());
}

TEST(Objects, BarScreens)
{
    EXPECT_EQ(barScreen(3847, 7695, 480, 48), 4);
    EXPECT_EQ(barScreen(3848, 7695, 480, 48), 5);
    EXPECT_EQ(barScreen(7694, 7695, 480, 48), 9);
    EXPECT_EQ(barScreen(0, 5775, 256, 64), 0);
    EXPECT_EQ(barScreen(9000, 7695, 480, 48), 9); // never beyond the last screen
}
