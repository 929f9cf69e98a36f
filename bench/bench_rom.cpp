// The loader on a full-size synthetic ROM (256 CHR banks) beside a raw read of the same file,
// and one section save. Compare BM_Init with BM_RawRead: the goal is within 5 times.
#include "stage/Document.h"
#include "support/RomFixture.h"

#include <benchmark/benchmark.h>

namespace {

rb::RomFolder &folder()
{
    static rb::RomFolder dir(rb::Rel::US);
    static bool written = false;
    if (!written)
        dir.put(rb::build(rb::gameShape(rb::Rel::US, 256)).rom);
    written = true;
    return dir;
}

void BM_RawRead(benchmark::State &state)
{
    const std::string path = folder().romPath();
    for (auto _ : state) {
        RomImage rom = RomImage::load(path);
        benchmark::DoNotOptimize(rom.data().data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 0x80010);
}
BENCHMARK(BM_RawRead)->Unit(benchmark::kMicrosecond);

void BM_Init(benchmark::State &state)
{
    rb::RomFolder &dir = folder();
    dir.load();
    // Loaded again into the same tables, as the program loads a ROM after its first.
    for (auto _ : state) {
        LoadOutcome o = dir.reload();
        benchmark::DoNotOptimize(o);
    }
    if (!dir.rec.boxes.empty())
        state.SkipWithError("the ROM did not load cleanly");
}
BENCHMARK(BM_Init)->Unit(benchmark::kMicrosecond);

void BM_SaveBlock(benchmark::State &state)
{
    rb::RomFolder &dir = folder();
    dir.load();
    for (auto _ : state) {
        dir.t().layoutStr[0][0][0] ^= 1;
        dir.doc().mark(0, 0);
        SaveResult r = dir.doc().save(0, 0);
        if (!r.ok)
            state.SkipWithError(r.description.c_str());
    }
}
BENCHMARK(BM_SaveBlock)->Unit(benchmark::kMicrosecond);

} // namespace
