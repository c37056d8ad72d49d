// Printing two figures that a sheet compares: enough decimals that the printed numbers differ
// in the direction the sheet claims.
#pragma once

#include <cstdio>
#include <cstring>

namespace tov {

/// The number of decimals, from `usual` up, at which a and b print as different numbers with
/// "%.Nf"; `usual` when they are equal (or not finite), at most 15.
inline int claimDecimals(double a, double b, int usual) {
    if (!(a != b) || a - b != a - b) return usual;
    char pa[400], pb[400];
    for (int d = usual; d < 15; ++d) {
        std::snprintf(pa, sizeof pa, "%.*f", d, a);
        std::snprintf(pb, sizeof pb, "%.*f", d, b);
        if (std::strcmp(pa, pb) != 0) return d;
    }
    return 15;
}

/// The sheet format "%30.Nf" for N decimals (0 … 15).
inline const char* fixedFormat(int decimals) {
    static const char* const kFormats[] = {"%30.0f",  "%30.1f",  "%30.2f",  "%30.3f",
                                           "%30.4f",  "%30.5f",  "%30.6f",  "%30.7f",
                                           "%30.8f",  "%30.9f",  "%30.10f", "%30.11f",
                                           "%30.12f", "%30.13f", "%30.14f", "%30.15f"};
    return kFormats[decimals < 0 ? 0 : decimals > 15 ? 15 : decimals];
}

}  // namespace tov
