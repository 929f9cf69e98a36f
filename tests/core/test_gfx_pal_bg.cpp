#include "model/gfx/PalSets.h"
#include "support/RomBuilder.h"
#include "support/RomDiff.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct BgPal : ::testing::TestWithParam<rb::Rel>
{
    rb::Rel rel() const { return GetParam(); }
    int r() const { return rel() == rb::Rel::JP ? 1 : 0; }
    rb::RomMap map() const { return rb::romMap(rel()); }
    RomImage rom() const { return RomImage(rb::build(rb::gameShape(rel())).rom); }
};

const std::array<uint8_t, 3> fixedColours { 0x01, 0x02, 0x03 };

} // namespace

TEST_P(BgPal, LoadsEverySetOfTheRelease)
{
    const RomImage img = rom();
    const bgpal::PalSets p = bgpal::load(img, r(), 0x0F, fixedColours);
    EXPECT_EQ(p.count, r() ? 43 : 44);
    EXPECT_EQ(bgpal::setBase(r()), map().palSetBase);
    for (int s = 0; s < p.count; ++s) {
        for (int sp = 0; sp < 4; ++sp)
            EXPECT_EQ(p.sets[s][sp][0], 0x0F);
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(p.sets[s][0][c], fixedColours[c - 1]);
        for (int sp = 1; sp <= 3; ++sp)
            for (int c = 1; c <= 3; ++c)
                EXPECT_EQ(
                    p.sets[s][sp][c], img.byte(map().palSetBase + 9 * s + 3 * (sp - 1) + c - 1))
                    << "set " << s;
    }
}

TEST_P(BgPal, SavingWhatWasLoadedChangesNothing)
{
    const RomImage img = rom();
    const uint8_t backdrop = img.byte(map().palBackdrop);
    const Bytes f = img.bytes(map().palFixed, 3);
    const bgpal::PalSets p = bgpal::load(img, r(), backdrop, { f[0], f[1], f[2] });
    const long long setPos = 400; // any byte, written with the value it holds
    const auto patches = bgpal::savePatches(p, r(), setPos, img.byte(setPos));
    EXPECT_TRUE(changedPositions(img, applied(img, patches)).empty());
    // The set records are all written, and nothing past the release's last set.
    long long last = 0;
    for (const Patch &x : patches)
        last = std::max(last, x.pos + static_cast<long long>(x.bytes.size()) - 1);
    EXPECT_EQ(
        last, std::max<long long>(map().palSetBase + 9 * (r() ? 43 : 44) - 1, map().palBackdrop));
}

TEST_P(BgPal, ColourRulesForSharedAndOwnSlots)
{
    bgpal::PalSets p = bgpal::load(rom(), r(), 0x0F, fixedColours);
    const bgpal::PalSets before = p;

    bgpal::setColour(p, 5, 4, 0x21); // a colour-0 slot: the backdrop everywhere
    for (int s = 0; s < bgpal::maxSets; ++s)
        for (int sp = 0; sp < 4; ++sp)
            EXPECT_EQ(p.sets[s][sp][0], 0x21);

    bgpal::setColour(p, 5, 2, 0x22); // sub-palette 0: shared by every set
    for (int s = 0; s < bgpal::maxSets; ++s)
        EXPECT_EQ(p.sets[s][0][2], 0x22);

    bgpal::setColour(p, 5, 6, 0x23); // sub-palette 1: the shown set only
    EXPECT_EQ(p.sets[5][1][2], 0x23);
    for (int s = 0; s < bgpal::maxSets; ++s)
        if (s != 5) {
            EXPECT_EQ(p.sets[s][1][2], before.sets[s][1][2]);
        }

    EXPECT_THROW(bgpal::setColour(p, 5, 16, 1), std::exception);
}

TEST_P(BgPal, SaveWritesSharedColoursFromSetZeroAndTheSectionByte)
{
    const RomImage img = rom();
    bgpal::PalSets p = bgpal::load(img, r(), 0x0F, fixedColours);
    bgpal::setColour(p, 7, 0, 0x30);
    bgpal::setColour(p, 7, 3, 0x31);
    bgpal::setColour(p, 7, 13, 0x32); // set 7, sub-palette 3, colour 1
    const RomImage out = applied(img, bgpal::savePatches(p, r(), 500, 7));
    EXPECT_EQ(out.byte(500), 7);
    EXPECT_EQ(out.byte(map().palBackdrop), 0x30);
    EXPECT_EQ(out.bytes(map().palFixed, 3), (Bytes { 0x01, 0x02, 0x31 }));
    EXPECT_EQ(out.byte(map().palSetBase + 9 * 7 + 6), 0x32);

    // No position for the section's byte: the rest is written all the same.
    const auto without = bgpal::savePatches(p, r(), 0, 7);
    std::set<long long> at;
    for (const Patch &x : without)
        at.insert(x.pos);
    EXPECT_EQ(at.count(0), 0u);
    EXPECT_EQ(without.size(), static_cast<size_t>(2 + (r() ? 43 : 44)));
}

TEST_P(BgPal, RestoreCopiesOneSetAndTheSharedColours)
{
    const RomImage img = rom();
    Bytes other = img.data();
    for (long long p = map().palFixed; p < map().palSetBase + 9 * 51; ++p)
        other[static_cast<size_t>(p - 1)] ^= 0x15;
    other[static_cast<size_t>(map().palBackdrop - 1)] = 0x2C;
    const RomImage backup(other);
    const bgpal::Restored x = bgpal::restoreFrom(backup, r(), 3);
    EXPECT_EQ(x.backdrop, 0x2C);
    const RomImage out = applied(img, x.patches);
    std::vector<long long> expect;
    for (long long p = map().palFixed; p < map().palFixed + 3; ++p)
        expect.push_back(p);
    for (long long p = map().palSetBase + 27; p < map().palSetBase + 36; ++p)
        expect.push_back(p);
    if (img.byte(map().palBackdrop) != 0x2C)
        expect.push_back(map().palBackdrop);
    std::sort(expect.begin(), expect.end());
    EXPECT_EQ(changedPositions(img, out), expect);

    EXPECT_THROW(bgpal::restoreFrom(backup, r(), r() ? 43 : 44), std::exception);
    EXPECT_THROW(bgpal::restoreFrom(RomImage(Bytes(1000, 0)), r(), 0), std::exception);
}

TEST_P(BgPal, SectionSubPalettes)
{
    const auto s
        = bgpal::sectionPalStr("\x0F", "\x01\x02\x03", Bytes { 1, 2, 3, 4, 5, 6, 7, 8, 9 });
    EXPECT_EQ(s[0], std::string("\x0F\x01\x02\x03"));
    EXPECT_EQ(s[3], std::string("\x0F\x07\x08\x09"));
    EXPECT_THROW(bgpal::sectionPalStr("\x0F", "\x01\x02\x03", Bytes(8, 0)), std::exception);
}

INSTANTIATE_TEST_SUITE_P(Releases, BgPal, ::testing::Values(rb::Rel::US, rb::Rel::JP));
