#include "model/objects/MiscDrag.h"
#include "model/objects/MiscLayout.h"
#include "model/objects/PropertyBars.h"
#include "model/objects/SpecialTypes.h"

#include <gtest/gtest.h>

using namespace special;

namespace {

Templates templates()
{
    Templates t {};
    for (size_t g = 0; g < 9; ++g)
        for (size_t j = 0; j < 36; ++j)
            t[g][j] = { static_cast<uint8_t>(j), 0x10, 0x20, static_cast<uint8_t>(g + 1), 0x30,
                static_cast<uint8_t>(j), 0x40, static_cast<uint8_t>(g) };
    return t;
}

Offsets stOffX()
{
    Offsets o {};
    o[4] = -1;
    o[6] = o[7] = 2;
    o[8] = o[9] = 3;
    o[10] = 0.5f;
    o[11] = -0.5f;
    return o;
}

Offsets stOffY()
{
    Offsets o {};
    for (int t : { 1, 2, 3, 4, 6, 7, 10, 11 })
        o[static_cast<size_t>(t)] = -0.5f;
    o[5] = 1.5f;
    return o;
}

} // namespace

TEST(Special, TypeListsOfBothDirections)
{
    EXPECT_EQ(typeList(true, true).size(), 6u);
    EXPECT_EQ(typeList(false, false).size(), 14u);
    EXPECT_EQ(typeList(false, true).back(), "Scrolling Ledges");
    EXPECT_EQ(typeOfIndex(true, 2), 6);
    EXPECT_EQ(typeOfIndex(false, 1), 16);
    EXPECT_EQ(typeOfIndex(true, 1), 17);
    EXPECT_EQ(typeOfIndex(true, 6), -1);
    EXPECT_EQ(indexOfType(false, 5), 8);
    EXPECT_EQ(indexOfType(true, 5), 3);
    EXPECT_EQ(indexOfType(true, 7), -1);
    EXPECT_EQ(indexOfType(false, 13), 14);
}

TEST(Special, RetypingRebuildsTheRecord)
{
    const Templates t = templates();
    specialRec r { 2, 0x37, 9, 1, 0, 5, 6, 7 };
    retype(r, false, 0, t); // byte 4 0 becomes 0x80 first, then the empty slot
    EXPECT_EQ(r, (specialRec { 2, 0x37, 0, 0, 0x20, 0, 0, 0 }));
    EXPECT_TRUE(isEmptySlot(r));
    specialRec v { 1, 0x47, 9, 1, 0x5B, 5, 6, 7 };
    retype(v, true, 2, t); // moving spikes
    EXPECT_EQ(v, (specialRec { 1, 0x40, 0x10, 6, 0, 1, 1, 0 }));
    specialRec b { 1, 0x47, 9, 1, 0x5B, 5, 6, 7 };
    retype(b, true, 1, t);
    EXPECT_EQ(b, (specialRec { 1, 0x4D, 0, 17, 0x50, 0, 1, 0 }));
    specialRec p { 1, 0x47, 9, 1, 0x5B, 5, 6, 7 };
    retype(p, false, 2, t);
    EXPECT_EQ(p, (specialRec { 1, 0x40, 0x30, 12, 0x58, 0x30, 2, 0 }));
    specialRec d { 1, 0x47, 9, 1, 0x5B, 5, 6, 7 };
    retype(d, false, 6, t); // trap door: the first template of group 1, whole
    EXPECT_EQ(d, t[1][0]);
    specialRec keep = d;
    retype(d, true, 9, t);
    EXPECT_EQ(d, keep);
    // A template on a screen the section lacks comes to the section's last screen.
    Templates far = t;
    far[1][0][0] = 5;
    specialRec shortRoom { 0, 0x47, 9, 1, 0x5B, 5, 6, 7 };
    retype(shortRoom, false, 6, far, 2);
    EXPECT_EQ(shortRoom[0], 1);
    EXPECT_EQ(shortRoom[3], far[1][0][3]);
}

TEST(Special, BreakableBlockFlag)
{
    specialRec h { 0, 0, 0, 16, 0x58, 0, 1, 0 };
    setBlockFlag(h, 1);
    EXPECT_EQ(h[4], 0x50);
    setBlockFlag(h, 0);
    EXPECT_EQ(h[4], 0x58);
    specialRec v { 0, 0, 0, 17, 0x55, 0, 0, 0 };
    setBlockFlag(v, 1);
    EXPECT_EQ(v[4], 0x5D);
    EXPECT_EQ(v[6], 1);
    specialRec o { 0, 0, 0, 5, 0x55, 0, 0, 0 };
    setBlockFlag(o, 1);
    EXPECT_EQ(o[4], 0x55);
    EXPECT_EQ(o[6], 1);
}

TEST(Special, CodeListsAndBarRanges)
{
    specialRec gear { 0, 0, 0, 10, 0, 0, 0x0B, 0 };
    EXPECT_EQ(codeSearch(*codeList(10), gear), 8);
    gear[6] = 0x05;
    EXPECT_EQ(codeSearch(*codeList(10), gear), -1);
    specialRec door { 0, 0, 0, 2, 0, 0, 0x23, 0 };
    EXPECT_EQ(codeSearch(*codeList(2), door), 15);
    EXPECT_EQ(codeCount(*codeList(3)), 14);
    EXPECT_EQ(codeList(5), nullptr);
    bool off = false;
    EXPECT_EQ(bar2Max(2, 8, off), 10);
    EXPECT_EQ(bar2Max(2, 0, off), 2);
    EXPECT_EQ(bar2Max(2, 16, off), 16);
    EXPECT_EQ(bar2Max(8, 20, off), 2);
    EXPECT_EQ(bar2Max(8, 4, off), 1);
    bar2Max(13, 0, off);
    EXPECT_TRUE(off);
    bar2Max(13, 8, off);
    EXPECT_FALSE(off);
}

TEST(Special, PropertyBarsWriteBytesAndCaptions)
{
    const Templates t = templates();
    int tiles = 0;
    BarInputs in;
    specialRec pen { 0, 0, 0, 5, 0, 0, 0x02, 0 };
    BarChange c = barChanged(0, 1, pen, t, in, tiles);
    EXPECT_EQ(pen[6], 0xFD);
    EXPECT_EQ(*c.captions[4], "Right");
    barChanged(0, 0, pen, t, in, tiles);
    EXPECT_EQ(pen[6], 0x02);
    specialRec vp { 0, 0, 0, 11, 0, 0, 0x82, 0 };
    EXPECT_EQ(*barChanged(0, 1, vp, t, in, tiles).captions[4], "Down");
    EXPECT_EQ(vp[6], 0x02);
    barChanged(0, 0, vp, t, in, tiles);
    EXPECT_EQ(vp[6], 0x82);
    specialRec hp { 0, 0, 0, 12, 0, 0x30, 0x83, 0 };
    c = barChanged(1, 1, hp, t, in, tiles);
    EXPECT_EQ(hp[6], 0x82);
    EXPECT_EQ(tiles, 3);
    EXPECT_EQ(*c.captions[6], "9 Tiles   (30)");
    specialRec cr { 0, 0, 0, 7, 0, 0, 0, 0 };
    c = barChanged(2, 5, cr, t, in, tiles);
    EXPECT_EQ(cr[6], 8);
    EXPECT_EQ(*c.captions[6], "[x, 58] - [x, 98]   (05)");
    EXPECT_FALSE(c.relay);
    specialRec sp { 0, 0, 0, 6, 0, 0, 0, 0 };
    EXPECT_EQ(*barChanged(2, 0, sp, t, in, tiles).captions[6], "[x, 30] - [x, A8]   (00)");
    EXPECT_EQ(sp[6], 9);
    // A pendulum's location keeps its direction and speed.
    specialRec pl { 0, 0, 0, 5, 0, 0, 0xFE, 0 };
    c = barChanged(2, 4, pl, t, in, tiles);
    EXPECT_EQ(pl[6], 0xFE);
    EXPECT_EQ(pl[0], 4);
    EXPECT_EQ(*c.captions[6], "Screen 4, Long   (04)");
    EXPECT_TRUE(c.followView);
    // Falling blocks sample 1 lies on screen 0 while the view does not scroll vertically.
    specialRec fb { 0, 0, 0, 8, 0, 0, 0, 0 };
    c = barChanged(2, 1, fb, t, in, tiles);
    EXPECT_EQ(fb[0], 0);
    EXPECT_EQ(*c.captions[6], "Scr 0, 14 Blk   (01)");
    specialRec bb { 0, 0, 0, 16, 0, 0, 0, 0 };
    EXPECT_EQ(*barChanged(2, 3, bb, t, in, tiles).captions[6], "Heart / Multiple Shot");
    EXPECT_EQ(bb[5], 3);
    specialRec br { 0, 0, 0, 0, 0x80, 0, 0, 0 };
    c = barChanged(2, 2, br, t, in, tiles);
    EXPECT_EQ(br[4], 0x56);
    EXPECT_EQ(*c.captions[6], "y = 30");
    specialRec tr { 3, 0, 0, 12, 0, 0, 0, 0 };
    c = barChanged(3, 0x4A, tr, t, in, tiles);
    EXPECT_EQ(*c.captions[8], "Screen 3, Tile 9   (4A)");
    EXPECT_EQ(*c.captions[7], "Trigger");
}

TEST(Special, MainBarOfLedgesPlatformsAndDrops)
{
    const Templates t = templates();
    int tiles = 2;
    BarInputs in;
    specialRec tilt { 0, 0, 0, 1, 0, 0, 0, 0 };
    EXPECT_EQ(*barChanged(2, 5, tilt, t, in, tiles).captions[6], "Screen 5, R-Tilt   (05)");
    EXPECT_EQ(*barChanged(2, 2, tilt, t, in, tiles).captions[6], "Screen 2, L-Tilt   (02)");
    EXPECT_EQ(tilt, t[0][2]);
    // A platform's movement is its own byte: no sample, no new markers.
    specialRec hp { 0, 0, 0, 12, 0, 0, 0x81, 0 };
    BarChange c = barChanged(2, 0x28, hp, t, in, tiles);
    EXPECT_EQ(hp[5], 0x28);
    EXPECT_EQ(hp[6], 0x81);
    EXPECT_EQ(*c.captions[3], "Movement");
    EXPECT_EQ(*c.captions[6], "7 Tiles   (28)");
    EXPECT_FALSE(c.relay || c.followView);
    specialRec acid { 0, 0, 0, 9, 0, 0, 0, 0 };
    c = barChanged(2, 4, acid, t, in, tiles);
    EXPECT_EQ(acid, t[6][4]);
    EXPECT_EQ(*c.captions[6], "Scr 4, 6 Blk   (04)");
    // With the view scrolling vertically the falling blocks keep their sample's screen.
    specialRec fb { 0, 0, 0, 8, 0, 0, 0, 0 };
    in.vScrollDisabled = false;
    EXPECT_EQ(*barChanged(2, 1, fb, t, in, tiles).captions[6], "Scr 1, 14 Blk   (01)");
    specialRec ledges { 0, 0, 0, 13, 0, 0, 0, 0 };
    c = barChanged(2, 2, ledges, t, in, tiles);
    EXPECT_EQ(ledges, t[8][2]);
    EXPECT_EQ(*c.captions[3], "Layout");
    EXPECT_EQ(*c.captions[6], "5 Ledges   (02)");
    EXPECT_TRUE(c.relay && c.followView);
    // Samples beyond the section's screens are refused; a read-out shows without copying.
    in.screens = 2;
    for (int type : { 8, 13 }) {
        specialRec rec { 0, 0, 0, static_cast<uint8_t>(type), 0, 0, 0, 0 };
        const specialRec was = rec;
        c = barChanged(2, 3, rec, t, in, tiles);
        EXPECT_TRUE(c.refused());
        EXPECT_FALSE(c.captions[6].has_value());
        EXPECT_EQ(rec, was);
    }
    in.showOnly = true;
    specialRec shown { 1, 0, 0, 13, 0, 0, 0, 0 };
    const specialRec before = shown;
    c = barChanged(2, 3, shown, t, in, tiles);
    EXPECT_FALSE(c.refused());
    EXPECT_EQ(shown, before);
    EXPECT_EQ(*c.captions[6], "2 Ledges   (03)");
}

TEST(Special, StaircaseAndStartMarkers)
{
    // p = 4 - 8 lies before the section's start: shown at the view's edge, and a row-0 staircase
    // drawn above the view comes down to its top.
    Place a = stairPlace({ 4, 0, 0, 4 }, false, 0, 0, 3);
    EXPECT_TRUE(a.shown);
    EXPECT_EQ(a.left, 360);
    EXPECT_EQ(a.top, 360);
    Place b = stairPlace({ 100, 5, 1, 0 }, false, 8, 0, 3);
    EXPECT_TRUE(b.shown);
    EXPECT_EQ(b.left, 100 * 30 + 360);
    EXPECT_EQ(b.top, 5 * 480 - 360);
    EXPECT_EQ(b.picture, "s0.dat");
    Place c = stairPlace({ 10, 236, 0, 8 }, true, 0, 0, 2); // 236 lies in 224..255: 16 lower
    EXPECT_FALSE(c.shown);
    Place d = stairPlace({ 10, 100, 0, 8 }, true, 0, 0, 2);
    EXPECT_EQ(d.left, 10 * 30 + 120);
    EXPECT_EQ(d.top, 100 * 30 + 840);
    startRec s;
    s.pos = 1;
    s.nibHi = 7;
    s.nibLo = 9;
    s.screen = 1;
    Place st = startPlace(s, false, 0, 96, 8, 0);
    EXPECT_TRUE(st.shown);
    EXPECT_EQ(st.picture, "trevor.dat");
    EXPECT_EQ(st.left, 112 * 30 + 120);
    EXPECT_EQ(st.top, 9 * 480 - 1080);
    s.nibHi = 8;
    EXPECT_EQ(startPlace(s, false, 0, 96, 8, 0).picture, "rovert.dat");
}

TEST(Special, SpecialMarkersNormaliseTheirBytes)
{
    const Offsets ox = stOffX();
    const Offsets oy = stOffY();
    int counter = -1;
    specialRec a { 0, 0x40, 0, 16, 0x50, 0, 0, 0 };
    specialRec b { 0, 0x60, 0, 16, 0x50, 0, 1, 0 };
    Place pa = specialPlace(a, false, 0, 0, 3, ox, oy, counter);
    specialPlace(b, false, 0, 0, 3, ox, oy, counter);
    EXPECT_EQ(a[7], 0);
    EXPECT_EQ(b[7], 1);
    EXPECT_EQ(a[4], 0x58);
    EXPECT_EQ(b[4], 0x50);
    EXPECT_EQ(pa.left, 4 * 480 + 360);
    EXPECT_EQ(pa.top, 5 * 480 - 600);
    EXPECT_EQ(pa.picture, "an10.dat");
    specialRec trap { 0, 0, 0, 3, 0, 0, 12, 0 };
    specialPlace(trap, false, 0, 0, 3, ox, oy, counter);
    EXPECT_EQ(trap[6], 16);
    specialRec empty { 0, 0x20, 0, 0, 0x20, 0, 0, 0 };
    EXPECT_EQ(specialPlace(empty, false, 0, 0, 3, ox, oy, counter).picture, "an--.dat");
    specialRec bridge { 0, 0x20, 0, 0, 0x80, 0, 0, 0 };
    EXPECT_EQ(specialPlace(bridge, false, 0, 0, 3, ox, oy, counter).picture, "an00.dat");
    specialRec v { 1, 0x30, 0, 17, 0x40, 0, 1, 0 };
    Place pv = specialPlace(v, true, 0, 8, 2, ox, oy, counter);
    EXPECT_EQ(v[4], 0x4D);
    EXPECT_TRUE(pv.shown);
    EXPECT_EQ(pv.top, (20 - 16) * 480 + 360);
}

TEST(Special, DoorsStandAtOneEdge)
{
    DoorPlace right = doorPlace(0, 0, false, 0x80, 0x90, 40, 40);
    EXPECT_TRUE(right.shown);
    EXPECT_EQ(right.left, 7560);
    EXPECT_EQ(right.top1, 64 * 30 + 360);
    EXPECT_FALSE(doorPlace(0, 0, false, 0x80, 0x90, 38, 40).shown);
    EXPECT_EQ(doorPlace(2, 7, false, 0x80, 0x90, 0, 40).left, 600);
    EXPECT_FALSE(doorPlace(2, 7, false, 0x80, 0x90, 40, 40).shown);
    EXPECT_EQ(doorPlace(0, 0, true, 0x80, 0x90, 0, 40).left, 600);
}

TEST(Special, StaircaseDragAndTurn)
{
    dragmath::Errors errors;
    ScrollState s { 0, 16, 0, 0 };
    stairRec r { 40, 6, 0, 0 };
    Moved m = dragStair(r, false, 500, 2000, 1560, 2520, s, errors);
    EXPECT_FALSE(m.moved); // left of x 600 at the first scroll position
    EXPECT_EQ(r, (stairRec { 40, 6, 0, 0 })); // the record still matches the marker
    m = dragStair(r, false, 2000, 2000, 1560, 2520, s, errors);
    EXPECT_EQ(m.top, 1560); // kind 0 snaps to 600 + 480n
    stairRec k8 { 40, 6, 0, 8 };
    EXPECT_EQ(dragStair(k8, false, 2000, 2000, 0, 0, s, errors).top, 1800);
    EXPECT_TRUE(errors.empty());

    stairRec t { 248, 5, 0, 0 };
    int shift = 0;
    EXPECT_TRUE(turnStair(t, false, shift));
    EXPECT_EQ(t, (stairRec { 0, 5, 1, 4 }));
    EXPECT_TRUE(turnStair(t, false, shift));
    EXPECT_EQ(shift, -240);
    EXPECT_TRUE(turnStair(t, false, shift));
    EXPECT_EQ(t, (stairRec { 248, 4, 0, 12 }));
    EXPECT_TRUE(turnStair(t, false, shift));
    EXPECT_EQ(t, (stairRec { 248, 5, 0, 0 }));
    stairRec edge { 248, 0, 0, 0 };
    EXPECT_FALSE(turnStair(edge, true, shift)); // x would pass 255
    EXPECT_EQ(edge, (stairRec { 248, 0, 0, 0 }));
}

TEST(Special, StartDoorAndSpecialDrags)
{
    dragmath::Errors errors;
    ScrollState s { 8, 16, 0, 0 };
    startRec st;
    st.pos = 1;
    Moved m = dragStart(st, false, 0, 144, 2000, 2000, 0, 0, s, errors);
    EXPECT_TRUE(m.moved);
    EXPECT_EQ(m.left, 1560);
    EXPECT_EQ(st.screen, 1);
    EXPECT_EQ(st.nibHi, 3);
    EXPECT_EQ(st.nibLo, 6); // Top 1800
    uint8_t door = 0;
    Moved d = dragDoor(door, 4600, 7560, 1320, errors);
    EXPECT_FALSE(d.moved);
    EXPECT_EQ(door, 0); // a refused step keeps the byte, wherever the marker is drawn
    dragDoor(door, 2000, 7560, 1320, errors);
    EXPECT_EQ(door, 1800 / 30 + 52);

    specialRec sp { 0, 0x20, 0, 6, 0x55, 0, 1, 0 };
    m = dragSpecial(sp, false, 2000, 2000, 0, 0, s, stOffX(), stOffY(), errors);
    EXPECT_TRUE(m.moved);
    EXPECT_EQ(sp[4], 0); // moving spikes always get y 0
    EXPECT_EQ(sp[0], 1);
    specialRec blk { 0, 0x20, 0, 16, 0x55, 0, 0, 0 };
    m = dragSpecial(blk, false, 2000, 200, 0, 0, s, stOffX(), stOffY(), errors);
    EXPECT_FALSE(m.moved);
    EXPECT_EQ(blk[4], 0x58);
    EXPECT_EQ(blk[1], 0x20);
    specialRec v17 { 0, 0x20, 0, 17, 0x55, 0, 1, 0 };
    dragSpecial(v17, true, 2000, 2000, 0, 0, s, stOffX(), stOffY(), errors);
    EXPECT_EQ(v17[4] & 15, 13);
    EXPECT_TRUE(errors.empty());
}

TEST(Special, DropsOnTheBars)
{
    stairRec s { 1, 2, 3, 4 };
    dropStairH(s, 5);
    EXPECT_EQ(s, (stairRec { 0x80, 7, 5, 4 }));
    dropStairV(s, 2);
    EXPECT_EQ(s, (stairRec { 0x80, 0x80, 2, 4 }));
    specialRec a { 0, 0, 0, 7, 0x55, 0, 0, 0 };
    dropSpecial(a, 3);
    EXPECT_EQ(a, (specialRec { 3, 0x80, 0, 7, 0, 0, 0, 0 }));
    specialRec b { 0, 0, 0, 2, 0x55, 0, 0, 0 };
    dropSpecial(b, 3);
    EXPECT_EQ(b[4], 0x80);
    startRec st;
    dropStart(st, 4);
    EXPECT_EQ(st.screen, 4);
    EXPECT_EQ(st.nibLo, 7);
    EXPECT_EQ(st.nibHi, 7);
}
