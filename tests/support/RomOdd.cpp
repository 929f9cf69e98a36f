#include "support/RomBuilder.h"

namespace rb {

namespace {

Stair withBits54(Stair st, uint8_t bits)
{
    st[0] = static_cast<uint8_t>(st[0] | (bits & 0x30));
    return st;
}

// Stage 0, load section 0: horizontal, three screens.
void oddHorizontal(RomDesc &d)
{
    Section &x = loadSection(d, 0, 0);
    x.hasSpecials = true;
    x.specials = {
        { 0, 0xB0, 0x10, 0x02, 0x64, 0x37, 0x0F, 0x99 }, // properties no sample has
        { 1, 0x40, 0x10, 0x00, 0x20, 0x00, 0x00, 0x00 }, // type 0 with 0x20, not the empty form
        { 2, 0x28, 0x20, 0x01, 0x60, 0x04, 0x00, 0x00 },
        { 9, 0x30, 0x10, 0x05, 0x44, 0x01, 0x02, 0x03 }, // empty, cross byte not 0x20
        emptySpecial(false),
    };
    x.specialEnd = { 0xFF, 0x11, 0x22, 0x00, 0x20, 0x33, 0x44, 0x55 };
    x.stairs
        = { withBits54(stairH(0, 0x50, 0x0A, 0), 0x30), withBits54(stairH(8, 0x90, 3, 2), 0x10) };
    x.start = { 0xF7, 0x02 };
}

// Stage 4, load section 1: vertical, three screens.
void oddVertical(RomDesc &d)
{
    const int holder0 = romMap(d.rel).holderCode0;
    Section &x = loadSection(d, 4, 1);
    x.scroll = 0x85; // vertical, but in neither scroll list
    x.objects.at(0)[6] = 0xF1; // facing and unused flag bits
    x.objects.at(1)[2] = static_cast<uint8_t>(holder0 + 3); // a holder code past the three kinds
    x.objects.at(1)[5] = 0x5A;
    x.objects.at(2)[2] = 0x5A; // an enemy id past the list
    x.objects.at(3)[4] = 0xC7;
    x.stairs
        = { withBits54(stairV(8, 0x60, 0x90, 1), 0x20), withBits54(stairV(4, 0x30, 245, 2), 0x10) };
    x.hasSpecials = true;
    x.specials = {
        { 0, 0x60, 0x20, 0x01, 0x28, 0x04, 0x00, 0x00 },
        { 1, 0xD0, 0x40, 0x04, 0x60, 0x03, 0x05, 0x07 },
        { 9, 0x44, 0x12, 0x05, 0x31, 0x07, 0x08, 0x09 }, // empty; its cross byte is ROM byte 1
        emptySpecial(true),
    };
    x.specialEnd = { 0xFF, 0x20, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00 };
}

// Equal objects keep their order: in a stage that writes its list backwards (stage 11, load
// section 5) and in one that writes it forwards (stage 0, load section 2).
void equalObjects(RomDesc &d)
{
    Section &back = loadSection(d, 11, 5);
    back.objects.insert(back.objects.begin() + 1, { 0, 0x60, 40, 0x30, 0x00, 0x00, 0x01 });
    Section &fwd = loadSection(d, 0, 2);
    fwd.objects.insert(fwd.objects.begin() + 2, { 1, 0x60, 16, 0x28, 0x00, 0x00, 0x00 });
}

} // namespace

RomDesc oddShape(Rel rel)
{
    RomDesc d = gameShape(rel);
    oddHorizontal(d);
    oddVertical(d);
    equalObjects(d);
    // Stage 1's first vertical section has a second scroll type outside its list.
    loadSection(d, 1, 15).scroll = 0x87;
    // Stage 3 menu sections 1 and 2 (load 1 and 0) share one special-object list; stage 9's
    // first two sections share one layout.
    loadSection(d, 3, 0).hasSpecials = loadSection(d, 3, 1).hasSpecials = true;
    loadSection(d, 3, 1).sameSpecialsAs = 0;
    Section &same = loadSection(d, 9, 1);
    same.sameLayoutAs = 0;
    same.layout.clear();
    // Stage 13's two vertical sections (4 and 7) share one object list.
    Section &objs = loadSection(d, 13, 7);
    objs.sameObjectsAs = 4;
    objs.objects = loadSection(d, 13, 4).objects;
    return d;
}

} // namespace rb
