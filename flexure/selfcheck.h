// A design proves itself: its areas go through the capacity computation of its check form, and
// when they carry less than the design moment they are raised until they carry.
#pragma once

#include <string>

#include "forms/calcreport.h"
#include "forms/claimfmt.h"

namespace tov::flexure {

/// True when a capacity carries the demand; the margin absorbs the rounding of a capacity that
/// equals the demand by construction.
inline bool carries(double capacity, double demand) { return capacity >= demand * (1 - 1e-9); }

/// The smallest factor k in [1, kMax] at which capacity(k) carries the demand: a forward search
/// in steps of 0.5 % (the capacity may drop where a section turns over-reinforced), then bisection
/// inside the step that first carries. 0 when no factor up to kMax carries.
template <class Capacity>
double raiseFactor(Capacity capacity, double demand, double kMax = 20) {
    if (carries(capacity(1.0), demand)) return 1;
    double lo = 1;
    for (double k = 1.005; k <= kMax * 1.005; k *= 1.005) {
        if (capacity(k) >= demand) {
            double hi = k;
            for (int i = 0; i < 60; ++i) {
                const double mid = 0.5 * (lo + hi);
                if (capacity(mid) >= demand)
                    hi = mid;
                else
                    lo = mid;
            }
            return hi;
        }
        lo = k;
    }
    return 0;
}

/// The lines of a design whose first areas fell short: the capacity found, then the raised
/// areas (already written into `areas`, e.g. "As＝1234.5（mm2）") and their capacity.
inline void raisedLines(CalcReport& r, double shortMu, double M, const std::string& areas, double raisedMu,
                        const char* unit) {
    r.AppendLine("　　　◇承载力复核:");
    const int d = claimDecimals(shortMu, M, 6);
    r.Append("　　　　按上述钢筋面积复核，承载弯矩 Mu＝");
    r.AppendValue(shortMu, fixedFormat(d));
    r.Append(std::string(unit) + "＜M＝");
    r.AppendValue(M, fixedFormat(d));
    r.Append(std::string(unit) + "，不能承受该弯矩。");
    r.EndLine();
    r.Append("　　　　增大钢筋面积至 " + areas + "，复核得 Mu＝");
    r.AppendValue(raisedMu, "%30.6f");
    r.Append(std::string(unit) + "≥M。");
    r.EndLine();
}

/// "As＝1234.5（mm2）": an area as the sheets print it.
inline std::string areaText(const char* name, double area) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f", area);
    return std::string(name) + "＝" + buf + "（mm2）";
}

}  // namespace tov::flexure
