// Fuzz target: the section engine with arbitrary figures. Every call returns (bounded loops), and
// whatever it reports as found is finite: the curve's points, a capacity with ok set, the balanced
// state of a usable section.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "section/section.h"

namespace {

using namespace tov::section;

double figure(FuzzedDataProvider& in, double lo, double hi) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0: return in.ConsumeFloatingPoint<double>();
        case 1: return 0;
        default: return in.ConsumeFloatingPointInRange<double>(lo, hi);
    }
}

void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "not finite: %s\n", what);
    __builtin_trap();
}

bool finite(const Resultant& r) { return std::isfinite(r.N) && std::isfinite(r.M); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    RectSection s;
    s.b = figure(in, 50, 2000);
    s.h = figure(in, 50, 3000);
    s.fc = figure(in, 5, 40);
    s.alpha1 = figure(in, 0.9, 1);
    s.beta1 = figure(in, 0.7, 0.8);
    s.ecu = figure(in, 0.0025, 0.0035);
    for (Layer* l : {&s.As, &s.Asp}) {
        l->area = figure(in, 0, 50000);
        l->depth = figure(in, 0, 3000);
        l->fy = figure(in, 200, 500);
        l->fyc = figure(in, 200, 500);
        l->Es = figure(in, 1.5e5, 2.1e5);
    }
    const double N = figure(in, -1e7, 3e7), e0 = figure(in, -5000, 5000), xMax = figure(in, 0, 3000);

    const MomentCapacity m = momentCapacity(s, N, xMax);
    if (m.ok) check(finite(m.at), "momentCapacity");
    for (bool tension : {false, true}) {
        const AxialCapacity a = axialCapacity(s, e0, tension);
        if (a.ok) check(std::isfinite(a.Nu) && finite(a.at), "axialCapacity");
    }
    const auto pts = interactionCurve(s, in.ConsumeIntegralInRange<int>(-5, 300));
    for (const Point& p : pts) check(std::isfinite(p.N) && std::isfinite(p.M), "interactionCurve");
    if (!pts.empty()) check(finite(balanced(s)), "balanced");
    const double u = utilisation(s, {N, N * (std::isfinite(e0) ? e0 : 0)});
    check(!std::isnan(u), "utilisation");
    return 0;
}
