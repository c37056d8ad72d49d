// Core benchmarks: one Calculate of each form (compute and sheet), appending a sheet to a
// report that already holds 1 MB of text against an empty one, the section engine's three uses
// (the diagram draws a curve on every paint; the self-checks call the solvers many times), and a
// mixed batch against the floor of only formatting its sheets' numbers into the same text.
#include <benchmark/benchmark.h>

#include <charconv>

#include "forms/runner.h"
#include "section/section.h"
#include "mixedcases.h"

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
// The command line's batch loop without its input parsing and output: each case on an empty
// report, sheets counted.
void BM_MixedBatch(benchmark::State& state) {
    const auto cases = test::mixedCases(4000);
    std::int64_t sheets = 0;
    for (auto _ : state) {
        for (const auto& mc : cases) {
            MemoryReport report;
            try {
                RunResult r = runForm(*mc.form, mc.assignments, report);
                sheets += r.outcome.ok();
                benchmark::DoNotOptimize(r.sheet.data());
            } catch (const UsageError&) {
            }
        }
    }
    state.SetItemsProcessed(sheets);
    state.SetLabel("sheets");
}
BENCHMARK(BM_MixedBatch)->Unit(benchmark::kMillisecond);

// The same sheets as pieces of literal text and numbers: a number is a run of digits with a
// decimal point, or one right after "＝" (each sheet value is written so). Rebuilding the sheets
// formats each number with std::to_chars at its own number of decimals.
struct Piece {
    std::string literal;  ///< text before the number
    double value = 0;
    int decimals = -1;    ///< -1: no number follows
};

std::vector<std::vector<Piece>> sheetPieces(const std::vector<test::MixedCase>& cases) {
    std::vector<std::vector<Piece>> out;
    const std::string_view eq = "＝";
    for (const auto& mc : cases) {
        MemoryReport report;
        RunResult r;
        try {
            r = runForm(*mc.form, mc.assignments, report);
        } catch (const UsageError&) {
            continue;
        }
        if (!r.outcome.ok()) continue;
        const std::string& s = r.sheet;
        std::vector<Piece> pieces;
        std::size_t lit = 0, i = 0;
        auto digit = [&](std::size_t k) { return k < s.size() && s[k] >= '0' && s[k] <= '9'; };
        while (i < s.size()) {
            const bool afterEq = i >= eq.size() && s.compare(i - eq.size(), eq.size(), eq) == 0;
            const bool startsNum = (digit(i) || (s[i] == '-' && digit(i + 1))) &&
                                   (i == 0 || !digit(i - 1)) && (i == 0 || s[i - 1] != '.');
            if (!startsNum) {
                ++i;
                continue;
            }
            std::size_t j = i + (s[i] == '-');
            while (digit(j)) ++j;
            int decimals = 0;
            if (s[j] == '.' && digit(j + 1)) {
                std::size_t k = j + 1;
                while (digit(k)) ++k;
                decimals = static_cast<int>(k - j - 1);
                j = k;
            } else if (!afterEq) {
                i = j;
                continue;
            }
            Piece p{s.substr(lit, i - lit), 0, decimals};
            std::from_chars(s.data() + i, s.data() + j, p.value);
            pieces.push_back(std::move(p));
            lit = i = j;
        }
        pieces.push_back({s.substr(lit), 0, -1});
        out.push_back(std::move(pieces));
    }
    return out;
}

void BM_MixedBatchFormatFloor(benchmark::State& state) {
    const auto sheets = sheetPieces(test::mixedCases(4000));
    std::string text;
    for (auto _ : state) {
        for (const auto& pieces : sheets) {
            text.clear();
            for (const Piece& p : pieces) {
                text += p.literal;
                if (p.decimals < 0) continue;
                char buf[64];
                auto res = std::to_chars(buf, buf + sizeof buf, p.value, std::chars_format::fixed,
                                         p.decimals);
                text.append(buf, res.ptr);
            }
            benchmark::DoNotOptimize(text.data());
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * sheets.size()));
    state.SetLabel("sheets");
}
BENCHMARK(BM_MixedBatchFormatFloor)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    registerCalculate();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
