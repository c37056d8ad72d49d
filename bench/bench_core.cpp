// Core benchmarks: one Calculate of each form (compute and sheet), and appending a sheet to a
// report that already holds 1 MB of text against an empty one.
#include <benchmark/benchmark.h>

#include "forms/runner.h"

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

}  // namespace

int main(int argc, char** argv) {
    registerCalculate();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
