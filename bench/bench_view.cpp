// The level view in the offscreen window: a section change, a two-column scroll step, and one
// block drawn alone. Goals: a section change under 5 ms, a scroll step under 1 ms.
#include "ui/Controls.h"
#include "ui/support/Boxes.h"
#include "ui/support/Named.h"
#include "ui/support/Program.h"

#include "BenchApp.h"

#include <benchmark/benchmark.h>

namespace {

// One application and one program for all view benchmarks.
Program &program()
{
    benchApp();
    static Boxes boxes;
    static Program p;
    return p;
}

void BM_SectionChange(benchmark::State &state)
{
    Program &p = program();
    // Stage 2: ten horizontal sections, many screens.
    named<ctl::ComboBox>(p.w.get(), "Combo1")->setCurrentIndex(2);
    auto *sections = named<ctl::ComboBox>(p.w.get(), "Combo2");
    int n = 0;
    for (auto _ : state) {
        n = (n + 1) % p.t->secCount[2];
        sections->setCurrentIndex(n);
    }
}
BENCHMARK(BM_SectionChange)->Unit(benchmark::kMicrosecond);

void BM_ScrollStep(benchmark::State &state)
{
    Program &p = program();
    named<ctl::ComboBox>(p.w.get(), "Combo1")->setCurrentIndex(2);
    named<ctl::ComboBox>(p.w.get(), "Combo2")->setCurrentIndex(2); // six screens
    auto *across = named<ctl::ScrollBar>(p.w.get(), "scrscroll");
    int v = 0;
    int step = 2;
    for (auto _ : state) {
        if (v + step > across->maximum() || v + step < 0)
            step = -step;
        v += step;
        across->setValue(v);
    }
}
BENCHMARK(BM_ScrollStep)->Unit(benchmark::kMicrosecond);

void BM_DrawBlock(benchmark::State &state)
{
    Program &p = program();
    ctl::ImageBox *preview = named<ctl::ImageBox>(p.w.get(), "imgSel");
    int b = 0;
    for (auto _ : state) {
        p.w->drawBlock(preview, b);
        b = (b + 1) % 64;
    }
}
BENCHMARK(BM_DrawBlock)->Unit(benchmark::kMicrosecond);

} // namespace
