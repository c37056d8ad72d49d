// Core benchmarks: one Calculate of each form (compute and sheet), appending a sheet to a
// report that already holds 1 MB of text against an empty one, and the section engine's three
// uses (the diagram draws a curve on every paint; the self-checks call the solvers many times).
#include <benchmark/benchmark.h>

#include "forms/runner.h"
#include "section/section.h"

namespace {

using namespace tov;

void BM_Calculate(benchmark::State& state) {
    const FormEntry* e = formRegistry().at(static_cast<std::size_t>(state.range(0)));
    state.SetLabel(e->decl().className);
    for (auto _ : state) {
        MemoryReport report;
        RunResult r = runForm(*e, {}, report);
        benchmark::DoNotOptimize(r.sheet.data());
    }
}

void registerCalculate() {
    for (std::size_t i = 0; i < formRegistry().size(); ++i)
        benchmark::RegisterBenchmark("Calculate", BM_Calculate)->Arg(static_cast<long>(i));
}

std::string megabyteReport() {
    MemoryReport seed;
    runForm(*formRegistry().front(), {}, seed);
    std::string text;
    while (text.size() < 1024 * 1024) text += seed.text();
    return text;
}

void BM_AppendTo(benchmark::State& state) {
    const std::string base = state.range(0) ? megabyteReport() : std::string();
    const FormEntry* e = formRegistry().front();
    for (auto _ : state) {
        MemoryReport report(base);
        RunResult r = runForm(*e, {}, report);
        benchmark::DoNotOptimize(report.text().data());
    }
    state.SetLabel(state.range(0) ? "1 MB report" : "empty report");
}
BENCHMARK(BM_AppendTo)->Arg(0)->Arg(1);

// A 500×800 column, C30, HRB400, As = 800, As′ = 1400.
section::RectSection column() {
    section::RectSection s;
    s.b = 500;
    s.h = 800;
    s.fc = 14.3;
    s.As = {800, 750, 360, 360, 2e5};
    s.Asp = {1400, 50, 360, 360, 2e5};
    return s;
}

void BM_MomentCapacity(benchmark::State& state) {
    const section::RectSection s = column();
    double N = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(section::momentCapacity(s, N).at.M);
        N = N > 6e6 ? -5e5 : N + 1.3e5;
    }
}
BENCHMARK(BM_MomentCapacity);

void BM_AxialCapacity(benchmark::State& state) {
    const section::RectSection s = column();
    double e0 = -900;
    for (auto _ : state) {
        benchmark::DoNotOptimize(section::axialCapacity(s, e0).Nu);
        e0 = e0 > 900 ? -900 : e0 + 37;
    }
}
BENCHMARK(BM_AxialCapacity);

void BM_InteractionCurve(benchmark::State& state) {
    const section::RectSection s = column();
    for (auto _ : state) benchmark::DoNotOptimize(section::interactionCurve(s, 120).data());
}
BENCHMARK(BM_InteractionCurve);

}  // namespace

int main(int argc, char** argv) {
    registerCalculate();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
