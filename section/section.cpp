// Plane-section resistance of a rectangular section with two bar layers (GB 50010-2010 clauses
// 6.2.1, 6.2.6 to 6.2.8): the stress block α1·fc over min(β1·x, h), bar stresses Es·ε bounded by
// the grade's strengths, the top fibre at εcu. Every state is a neutral-axis depth x; N(x) does
// not decrease with x, so each force has one state and the solvers bisect on x.
#include "section/section.h"

#include <algorithm>
#include <cmath>

namespace tov::section {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

bool finite(double v) { return std::isfinite(v); }

// A section whose figures can give a state: a width and depth, no negative strength, area or
// modulus, bars inside the section, a strain and block factors of sense, and no figure so large
// that the sums of forces and moments could overflow.
bool usable(const RectSection& s) {
    const double all[] = {s.b,        s.h,         s.fc,         s.alpha1,    s.beta1,
                          s.ecu,      s.As.area,   s.As.depth,   s.As.fy,     s.As.fyc,
                          s.As.Es,    s.Asp.area,  s.Asp.depth,  s.Asp.fy,    s.Asp.fyc,
                          s.Asp.Es};
    for (double v : all)
        if (!finite(v) || v < 0 || v > 1e15) return false;
    auto layer = [&](const Layer& l) { return l.depth <= s.h && l.Es > 0; };
    return s.b > 0 && s.h > 0 && s.alpha1 > 0 && s.beta1 > 0 && s.beta1 <= 1 && s.ecu > 0 &&
           s.ecu < 1 && layer(s.As) && layer(s.Asp);
}

// The sign of M − e0·N, scaled so that no eccentricity overflows it.
double rayGap(const Resultant& r, double e0) {
    return std::abs(e0) > 1 ? r.M / std::abs(e0) - (e0 > 0 ? r.N : -r.N) : r.M - e0 * r.N;
}

// Stress of a bar at depth d, compression positive, for neutral-axis depth x (+inf: uniform
// strain εcu; x ≤ 0: uniform tension beyond yield).
double barStress(const RectSection& s, const Layer& l, double x) {
    double strain;
    if (x == kInf)
        strain = s.ecu;
    else if (!(x > 0))
        return -l.fy;
    else
        strain = s.ecu * (1 - l.depth / x);
    return std::clamp(l.Es * strain, -l.fy, l.fyc);
}

// The same section seen from the bottom face: As′ becomes the bottom layer and As the top one.
RectSection mirrored(const RectSection& s) {
    RectSection m = s;
    m.As = s.Asp;
    m.As.depth = s.h - s.Asp.depth;
    m.Asp = s.As;
    m.Asp.depth = s.h - s.As.depth;
    return m;
}

// A state of the mirrored section expressed in the original one's terms (x stays measured from
// the compressed face, here the bottom).
Resultant unmirror(const Resultant& r) {
    Resultant o = r;
    o.M = -r.M;
    o.sigmaS = -r.sigmaSp;
    o.sigmaSp = -r.sigmaS;
    return o;
}

// Bisection on a function of x that changes sign between lo and hi. Returns the last bracket
// end where f ≤ 0 holds on the side of 'neg'.
template <class F>
double bisect(F f, double neg, double pos) {
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (neg + pos);
        if (mid == neg || mid == pos) break;
        if (f(mid) <= 0)
            neg = mid;
        else
            pos = mid;
        if (std::abs(pos - neg) <= 1e-13 * std::max(std::abs(pos), std::abs(neg))) break;
    }
    return 0.5 * (neg + pos);
}

// The depth x at which N(x) = N, for −Nt0 < N < N(+inf). Bracketed by doubling and halving.
double depthForForce(const RectSection& s, double N) {
    double lo = s.h, hi = s.h;
    int guard = 0;
    while (atDepth(s, hi).N < N && guard++ < 200) hi *= 2;
    if (atDepth(s, hi).N < N) return kInf;
    guard = 0;
    while (atDepth(s, lo).N >= N && guard++ < 1100) lo *= 0.5;
    if (atDepth(s, lo).N >= N) return 0;
    return bisect([&](double x) { return atDepth(s, x).N - N; }, lo, hi);
}

// The state on the top-compressed side where the ray M = e0·N meets the curve, with N of the
// sign 'dir' (+1 compression, −1 tension). Requires the sign change described at the call site.
Resultant rayState(const RectSection& s, double e0, int dir) {
    auto g = [&](double x) { return rayGap(atDepth(s, x), e0); };
    const double x0 = depthForForce(s, 0);  // N = 0: g ≥ 0 there
    // g as a function to bisect: negative toward the end of the ray's half.
    if (dir > 0) {
        double hi = std::max(x0, s.h);
        int guard = 0;
        while (g(hi) > 0 && guard++ < 200) hi *= 2;
        if (g(hi) > 0) return atDepth(s, kInf);
        const double x = bisect([&](double t) { return -g(t); }, x0, hi) ;
        // bisect keeps f ≤ 0 on the first end: −g ≤ 0 ⇔ g ≥ 0 at x0.
        return atDepth(s, x);
    }
    double lo = x0 > 0 ? x0 : s.h;
    int guard = 0;
    while (g(lo) > 0 && guard++ < 1100) lo *= 0.5;
    if (g(lo) > 0) return atDepth(s, 0);
    return atDepth(s, bisect([&](double t) { return -g(t); }, x0, lo));
}

}  // namespace

Resultant atDepth(const RectSection& s, double x) {
    Resultant r;
    r.x = x > 0 ? x : -kInf;
    const double c = x > 0 ? (x == kInf ? s.h : std::min(s.beta1 * x, s.h)) : 0;
    const double C = s.alpha1 * s.fc * s.b * c;
    const double sp = barStress(s, s.Asp, x);  // compression positive
    const double st = barStress(s, s.As, x);   // compression positive
    r.sigmaSp = sp;
    r.sigmaS = -st;
    r.N = C + sp * s.Asp.area + st * s.As.area;
    r.M = C * (s.h - c) / 2 + sp * s.Asp.area * (s.h / 2 - s.Asp.depth) +
          st * s.As.area * (s.h / 2 - s.As.depth);
    return r;
}

double squashLoad(const RectSection& s) {
    return s.alpha1 * s.fc * s.b * s.h + s.As.fyc * s.As.area + s.Asp.fyc * s.Asp.area;
}

double tensileCapacity(const RectSection& s) { return s.As.fy * s.As.area + s.Asp.fy * s.Asp.area; }

MomentCapacity momentCapacity(const RectSection& s, double N, double xMax) {
    MomentCapacity out;
    if (!usable(s) || !finite(N)) return out;
    const Resultant top = atDepth(s, kInf), bottom = atDepth(s, 0);
    if (N > top.N || N < bottom.N) return out;
    out.ok = true;
    if (N == top.N) {
        out.at = top;
    } else if (N == bottom.N) {
        out.at = bottom;
    } else {
        out.at = atDepth(s, depthForForce(s, N));
    }
    if (!(out.at.x > xMax) || !(xMax > 0)) return out;

    // Over the cap: the code's formula at block depth β1·xMax. As′ counts at fy′ where that block
    // reaches 2a′ (the formula holds), else at its plane-section stress at x = xMax.
    Resultant r = atDepth(s, xMax);
    const double c = std::min(s.beta1 * xMax, s.h);
    const double h0 = s.As.depth;
    if (c >= 2 * s.Asp.depth) r.sigmaSp = s.Asp.fyc;
    const double C = s.alpha1 * s.fc * s.b * c;
    r.N = C + r.sigmaSp * s.Asp.area - r.sigmaS * s.As.area;
    r.M = C * (h0 - c / 2) + r.sigmaSp * s.Asp.area * (h0 - s.Asp.depth) - N * (h0 - s.h / 2);
    out.at = r;
    return out;
}

AxialCapacity axialCapacity(const RectSection& s, double e0, bool tension) {
    AxialCapacity out;
    if (!usable(s) || !finite(e0)) return out;
    const int dir = tension ? -1 : 1;
    const Resultant end = atDepth(s, tension ? 0 : kInf);
    // The ray meets the top-compressed side when the end state lies on or below it, else the
    // bottom-compressed side (the mirrored section with the eccentricity reversed).
    if (rayGap(end, e0) <= 0) {
        out.at = rayState(s, e0, dir);
    } else {
        out.at = unmirror(rayState(mirrored(s), -e0, dir));
    }
    out.ok = true;
    out.Nu = std::max(0.0, dir * out.at.N);
    return out;
}

double utilisation(const RectSection& s, Point p) {
    if (!usable(s) || !finite(p.N) || !finite(p.M)) return kInf;
    if (p.N == 0 && p.M == 0) return 0;
    double ratio = kInf;
    if (p.N == 0) {
        const double cap = p.M > 0 ? momentCapacity(s, 0).at.M : momentCapacity(mirrored(s), 0).at.M;
        if (cap > 0) ratio = std::abs(p.M) / cap;
    } else {
        const AxialCapacity a = axialCapacity(s, p.M / p.N, p.N < 0);
        if (a.ok && a.Nu > 0) ratio = std::abs(p.N) / a.Nu;
    }
    return ratio;
}

Resultant balanced(const RectSection& s) {
    if (!usable(s)) return {};
    const double ey = s.As.fy / s.As.Es;
    return atDepth(s, s.As.depth * s.ecu / (s.ecu + ey));
}

std::vector<Point> interactionCurve(const RectSection& s, int pointsPerSide) {
    std::vector<Point> pts;
    if (!usable(s)) return pts;
    const int n = std::clamp(pointsPerSide, 2, 100000);
    const Resultant top = atDepth(s, kInf), bottom = atDepth(s, 0);
    const RectSection m = mirrored(s);

    // One side: forces evenly spaced from pure tension to pure compression, plus the balanced
    // state, each with its moment.
    auto side = [&](const RectSection& sec, double sign) {
        std::vector<Point> v;
        v.reserve(n + 2);
        for (int i = 0; i <= n; ++i) {
            const double N = bottom.N + (top.N - bottom.N) * i / n;
            const Resultant r = i == 0 ? atDepth(sec, 0)
                                : i == n ? atDepth(sec, kInf)
                                         : atDepth(sec, depthForForce(sec, N));
            v.push_back({i == 0 ? bottom.N : i == n ? top.N : N, sign * r.M});
        }
        const Resultant b = balanced(sec);
        if (b.N > bottom.N && b.N < top.N) {
            auto at = std::lower_bound(v.begin(), v.end(), b.N,
                                       [](const Point& p, double N) { return p.N < N; });
            v.insert(at, {b.N, sign * b.M});
        }
        return v;
    };
    pts = side(s, 1);
    std::vector<Point> back = side(m, -1);
    // The mirrored side runs back from pure compression; both sides share their end points.
    for (auto it = back.rbegin() + 1; it != back.rend(); ++it) pts.push_back(*it);
    pts.back() = pts.front();
    return pts;
}

}  // namespace tov::section
