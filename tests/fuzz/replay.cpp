// Replays the committed fuzz corpus through the same entry as the libFuzzer target, so that
// builds without libFuzzer (g++) run it too.
#include "support/FuzzInit.h"
#include "support/FuzzSave.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

TEST(FuzzCorpus, EveryInputLoadsWithoutWritingTheRom)
{
    int files = 0;
    for (const auto &e : std::filesystem::directory_iterator(FUZZ_CORPUS)) {
        std::ifstream in(e.path(), std::ios::binary);
        Bytes data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        SCOPED_TRACE(e.path().filename().string());
        fuzz::Outcome o = fuzz::runInit(data.data(), data.size());
        EXPECT_TRUE(o.romUntouched);
        ++files;
    }
    EXPECT_GE(files, 10);
    fuzz::release();
}

TEST(FuzzCorpus, IntactRomLoadsSilently)
{
    const Bytes in = fuzz::input(0, 0, {});
    fuzz::Outcome o = fuzz::runInit(in.data(), in.size());
    EXPECT_EQ(o.result, LoadOutcome::Loaded);
    EXPECT_EQ(o.boxes, 0u);
    fuzz::release();
}

TEST(FuzzSaveCorpus, EveryInputSavesOnlyItsEdit)
{
    int files = 0;
    for (const auto &e : std::filesystem::directory_iterator(FUZZ_SAVE_CORPUS)) {
        std::ifstream in(e.path(), std::ios::binary);
        Bytes data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        SCOPED_TRACE(e.path().filename().string());
        fuzzsave::Outcome o = fuzzsave::run(data.data(), data.size());
        EXPECT_TRUE(o.fault.empty()) << o.edit << ": " << o.fault;
        ++files;
    }
    EXPECT_GE(files, 10);
    fuzzsave::release();
}
