// The program's start-up in the offscreen window: the first start in a fresh program folder
// (which writes the 90 pictures into "Attic") beside a normal start (they are there already).
// Goal: the first start within 1.5 times a normal one.
#include "BenchApp.h"
#include "resources/Resources.h"
#include "support/TempDir.h"
#include "ui/support/Boxes.h"
#include "ui/support/Program.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

// The program's folders lie in the working folder, as the program's own folder does, rather
// than in a /tmp that every test run fills and empties (creating files there can cost ten
// times as much).
void foldersHere()
{
    static const bool set
        = [] { return ::setenv("TMPDIR", std::filesystem::current_path().c_str(), 1) == 0; }();
    (void)set;
}

// A fresh main window on the program folder of p, started as the program starts.
void startOn(const Program &p)
{
    ProgramState g;
    g.files.programDir = p.dir.path();
    frmRI3 w(g.doc, g.files);
    w.Form_Load();
    benchmark::DoNotOptimize(g.doc.shown().curStage);
}

void BM_FirstStart(benchmark::State &state)
{
    benchApp();
    foldersHere();
    Boxes boxes;
    // The folders go only at the end: files deleted a moment ago make the next creations slow
    // on some file systems, which is no part of a first start.
    std::vector<std::unique_ptr<Program>> folders;
    for (auto _ : state) {
        state.PauseTiming();
        folders.push_back(std::make_unique<Program>(rb::Rel::US, false));
        state.ResumeTiming();
        startOn(*folders.back());
        state.PauseTiming();
        res::finishFlush(); // the flush runs beside the window; one start's is no part of the next
        folders.back()->w.reset(); // its window would see every later event
        state.ResumeTiming();
    }
    if (boxes.count() != 0)
        state.SkipWithError("the start showed a box");
}
BENCHMARK(BM_FirstStart)->Unit(benchmark::kMillisecond);

void BM_NormalStart(benchmark::State &state)
{
    benchApp();
    foldersHere();
    Boxes boxes;
    Program p(rb::Rel::US, false);
    startOn(p); // writes the pictures once
    for (auto _ : state)
        startOn(p);
    if (boxes.count() != 0)
        state.SkipWithError("the start showed a box");
}
BENCHMARK(BM_NormalStart)->Unit(benchmark::kMillisecond);

// The pictures alone: written into an empty folder all at once, as the first start does, beside
// the same 90 files written, flushed and renamed one by one (how a single missing file is put
// back). Each run writes into a fresh folder, kept until the end.
template <class Write> void picturesInFreshFolders(benchmark::State &state, Write write)
{
    foldersHere();
    std::vector<std::unique_ptr<TempDir>> folders;
    for (auto _ : state) {
        state.PauseTiming();
        folders.push_back(std::make_unique<TempDir>());
        state.ResumeTiming();
        write(*folders.back());
    }
}

void BM_PicturesAtOnce(benchmark::State &state)
{
    picturesInFreshFolders(state, [&](const TempDir &dir) {
        if (!res::extractAll(dir.path()).empty())
            state.SkipWithError("a picture could not be written");
        state.PauseTiming();
        res::finishFlush();
        state.ResumeTiming();
    });
}
BENCHMARK(BM_PicturesAtOnce)->Unit(benchmark::kMillisecond);

void BM_PicturesOneByOne(benchmark::State &state)
{
    picturesInFreshFolders(state, [](const TempDir &dir) {
        for (const std::string &name : res::names())
            res::LDIF(name, dir.file(res::fileNameFor(name)));
    });
}
BENCHMARK(BM_PicturesOneByOne)->Unit(benchmark::kMillisecond);

} // namespace
