// Saves of damaged ROMs: each case loads a mutated ROM, saves it unedited, makes one random edit
// through the editing procedures and saves its section. Only the bytes of the edited record
// may change, never a byte outside the records read, and the edit reads back.
#include "support/FuzzSave.h"
#include "support/RomBuilder.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Mutations that keep the ROM loadable most of the time: bytes inside the records and tables
// the builder placed, and now and then anywhere.
Bytes caseInput(std::mt19937 &rng, int i)
{
    const uint8_t flags = static_cast<uint8_t>(i % 4);
    const Bytes &base = fuzzsave::baseRom(flags);
    static const rb::Ledger ledgers[2] = { rb::build(rb::gameShape(rb::Rel::US)).ledger,
        rb::build(rb::gameShape(rb::Rel::JP)).ledger };
    const rb::Ledger &led = ledgers[flags & fuzzsave::Japanese];
    std::vector<std::pair<uint32_t, uint8_t>> patches;
    for (int k = static_cast<int>(rng() % 24); k > 0; --k) {
        uint32_t off = 0;
        if (rng() % 6 == 0) {
            off = static_cast<uint32_t>(rng() % base.size());
        } else {
            auto [first, end] = led.used[rng() % led.used.size()];
            if (first >= static_cast<long long>(base.size()) || end <= first)
                continue;
            off = static_cast<uint32_t>(first - 1 + static_cast<long long>(rng() % (end - first)));
        }
        patches.push_back({ off, static_cast<uint8_t>(rng()) });
    }
    return fuzzsave::input(flags, static_cast<uint32_t>(rng()), patches);
}

} // namespace

TEST(SaveFuzz, OneEditOfADamagedRomWritesItsOwnRecordOnly)
{
    std::mt19937 rng(20250117);
    int loaded = 0, edited = 0;
    for (int i = 0; i < 240; ++i) {
        const Bytes in = caseInput(rng, i);
        const fuzzsave::Outcome o = fuzzsave::run(in.data(), in.size());
        loaded += o.loaded;
        edited += !o.edit.empty();
        EXPECT_TRUE(o.fault.empty()) << "case " << i << " (" << o.edit << "): " << o.fault;
    }
    EXPECT_GT(loaded, 200);
    EXPECT_GT(edited, 180);
    fuzzsave::release();
}
