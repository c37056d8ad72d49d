// Digits for a sheet line that compares two figures: enough that the printed figures differ.
#pragma once

#include <cstdio>
#include <string>

namespace tov {

/// The number of decimals, from `usual` up, at which a and b print as different numbers (at most
/// 10; equal values keep `usual`).
inline int claimDecimals(double a, double b, int usual) {
    for (int d = usual; d <= 10; ++d) {
        char sa[64], sb[64];
        std::snprintf(sa, sizeof sa, "%.*f", d, a);
        std::snprintf(sb, sizeof sb, "%.*f", d, b);
        if (std::string(sa) != sb) return d;
    }
    return usual;
}

/// A printf format "%<width>.<decimals>f".
inline std::string fixedFormat(int width, int decimals) {
    return "%" + std::to_string(width) + "." + std::to_string(decimals) + "f";
}

}  // namespace tov
