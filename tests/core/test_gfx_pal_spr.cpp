#include "model/gfx/SprPalettes.h"
#include "support/RomBuilder.h"
#include "support/RomDiff.h"

#include <gtest/gtest.h>

namespace {

RomImage rom(rb::Rel rel)
{
    return RomImage(rb::build(rb::gameShape(rel)).rom);
}

// Makes the copies of Sprites 1 and 3 equal to their first copy, as in the game.
RomImage withEqualCopies(RomImage img, long long shift)
{
    for (long long first : { 2458LL, 2466LL })
        for (int c = 1; c <= 3; ++c)
            img.put(first - shift + 19 * c, img.bytes(first - shift, 3));
    return img;
}

} // namespace

TEST(SprPal, Positions)
{
    EXPECT_EQ(sprpal::setBase(0), 2527);
    EXPECT_EQ(sprpal::setBase(1), 2362);
    EXPECT_EQ(sprpal::setCount(0), 26);
    EXPECT_EQ(sprpal::setCount(1), 25);
    EXPECT_EQ(sprpal::fixedCopies(0, 0), (std::vector<int32_t> { 2458, 2477, 2496, 2515 }));
    EXPECT_EQ(sprpal::fixedCopies(0, 1), (std::vector<int32_t> { 2466, 2485, 2504, 2523 }));
    EXPECT_EQ(sprpal::fixedCopies(1, 5), (std::vector<int32_t> { 2346 }));
    EXPECT_EQ(sprpal::fixedPos(1, 2), 2289);
}

TEST(SprPal, SaveOfWhatWasLoadedKeepsTheRomUnlessCopiesDiffer)
{
    for (rb::Rel rel : { rb::Rel::US, rb::Rel::JP }) {
        const int r = rel == rb::Rel::JP ? 1 : 0;
        const RomImage img = withEqualCopies(rom(rel), r ? 165 : 0);
        const sprpal::SprPalData d = sprpal::load(img, r);
        EXPECT_TRUE(
            changedPositions(img, applied(img, sprpal::savePatches(d, r, 700, img.byte(700))))
                .empty());

        RomImage odd = img;
        odd.put(2496 - (r ? 165 : 0), { 0x3F });
        const RomImage out = applied(odd, sprpal::savePatches(sprpal::load(odd, r), r, 0, 0));
        EXPECT_EQ(changedPositions(odd, out), (std::vector<long long> { 2496 - (r ? 165 : 0) }));
    }
}

TEST(SprPal, OneColourOfAMirroredPaletteGoesToItsFourCopies)
{
    const RomImage img = withEqualCopies(rom(rb::Rel::US), 0);
    sprpal::SprPalData d = sprpal::load(img, 0);
    d.fixed[0][1] = static_cast<uint8_t>(img.byte(2459) ^ 0x11); // box 4
    EXPECT_EQ(changedPositions(img, applied(img, sprpal::savePatches(d, 0, 0, 0))),
        (std::vector<long long> { 2459, 2478, 2497, 2516 }));

    d = sprpal::load(img, 0);
    d.fixed[2][1] = static_cast<uint8_t>(img.byte(2455) ^ 0x11); // box 10, Trevor
    EXPECT_EQ(changedPositions(img, applied(img, sprpal::savePatches(d, 0, 0, 0))),
        (std::vector<long long> { 2455 }));
}

TEST(SprPal, JapaneseSetTableEndsBefore2437)
{
    const RomImage img = withEqualCopies(rom(rb::Rel::JP), 165);
    sprpal::SprPalData d = sprpal::load(img, 1);
    for (auto &set : d.sets)
        for (auto &c : set)
            c = 0x3E;
    const RomImage out = applied(img, sprpal::savePatches(d, 1, 0, 0));
    for (long long p = 2362; p < 2437; ++p)
        EXPECT_EQ(out.byte(p), 0x3E);
    for (long long p = 2437; p < 2460; ++p)
        EXPECT_EQ(out.byte(p), img.byte(p));
}

TEST(SprPal, RestoreCopiesTheSetAndTheFirstCopiesOfTheFixedPalettes)
{
    const RomImage img = rom(rb::Rel::US);
    Bytes other = img.data();
    for (long long p = 2454; p <= 2604; ++p)
        other[static_cast<size_t>(p - 1)] = static_cast<uint8_t>(p & 0x3F);
    const RomImage backup(other);
    const RomImage out = applied(img, sprpal::restorePatches(backup, 0, 4));
    EXPECT_EQ(out.bytes(2527 + 12, 3), backup.bytes(2527 + 12, 3));
    EXPECT_EQ(out.bytes(2527 + 15, 3), img.bytes(2527 + 15, 3)); // set 5 untouched
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(out.bytes(2458 + 19 * c, 3), backup.bytes(2458, 3));
    EXPECT_EQ(out.bytes(2473, 3), backup.bytes(2473, 3));
    EXPECT_THROW(sprpal::restorePatches(backup, 0, 26), std::exception);
    EXPECT_THROW(sprpal::restorePatches(RomImage(Bytes(2000, 0)), 0, 0), std::exception);
}
