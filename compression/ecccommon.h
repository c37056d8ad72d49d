// Shared pieces of the eccentric-compression forms of rectangular section (GB 50010-2010
// clauses 6.2.3 to 6.2.5, 6.2.7, 6.2.14, 6.2.15, 6.2.17; Table 8.5.1): the section model with
// the steel stress of small eccentricity, the capacity at a given axial force, the root finding
// of the small-eccentricity designs, and the sheet blocks the forms have in common.
#pragma once

#include <algorithm>
#include <optional>
#include <string_view>
#include <string>

#include "forms/calcform.h"
#include "section/section.h"

namespace tov::ecc {

constexpr int kSafety = 1011, kConcrete = 1009, kSteel = 1010;
constexpr int kType = 1061, kWall = 1064;
constexpr const char* kLarge = "大偏心受压";
constexpr const char* kSmall = "小偏心受压";

/// A rectangular section with its design values; forces in N, lengths in mm, stresses in N/mm².
struct Section {
    double b = 0, h = 0, a = 0, ap = 0;  ///< width, depth, cover of As, cover of As'
    double g0 = 1, alpha1 = 1, beta1 = 0.8, fc = 0, ft = 0, epsCu = 0.0033;
    double fy = 0, fyp = 0, Es = 0;      ///< Es in N/mm²

    double h0() const { return h - a; }
    double h0p() const { return h - ap; }
    /// ξb = β1 / (1 + fy / (Es·εcu)), clause 6.2.7.
    double xib() const { return beta1 / (1 + fy / (Es * epsCu)); }
    /// Largest relative depth of the compression block: x = h.
    double ximax() const { return h / h0(); }
    /// σs = fy·(ξ − β1)/(ξb − β1) bounded to −fy' … fy (clauses 6.2.8, 6.2.1).
    double sigmaS(double xi) const;
    /// Unbounded linear σs.
    double sigmaRaw(double xi) const { return fy * (xi - beta1) / (xib() - beta1); }
    /// α1·fc·b·h0²·ξ·(1 − ξ/2): moment of the compression block about As.
    double concreteMoment(double xi) const { return alpha1 * fc * b * h0() * h0() * xi * (1 - 0.5 * xi); }
    double concreteForce(double xi) const { return alpha1 * fc * b * h0() * xi; }
};

/// The section and design values of a form (pickers 1011, 1009, 1010) with the given geometry.
Section sectionOf(const CalcForm& f, double b, double h, double a, double ap);

/// What a section carries under γ0·N when As' is not counted (clause 6.2.17 with As' = 0, which
/// sets no condition x ≥ 2a').
struct FreeCapacity {
    bool carries = false;  ///< false when even x = h does not carry γ0·N
    bool small = false;    ///< ξ > ξb
    double xi = 0, sigma = 0, e = 0, ei = 0;
};

/// The eccentricity a section carries under γ0·N.
struct Capacity {
    /// Large, Small: As' counted with x ≥ 2a'. LargeBelow2a: x < 2a' with As' counted, so the
    /// section carries the larger of moments about As' (clause 6.2.14) and the capacity without
    /// As'. SmallBelow2a: neither As reaches fy nor As' fy', which the code's formulas do not
    /// cover: the capacity is that of plane sections (clause 6.2.1). Exceeds: even x = h does
    /// not carry γ0·N.
    enum Kind { Large, LargeBelow2a, Small, SmallBelow2a, Exceeds } kind = Large;
    double xi = 0;      ///< relative depth of the compression block with As' counted
    double sigma = 0;   ///< stress of As (N/mm², tension positive) at that depth
    double e = 0;       ///< distance from γ0·N to As (mm) that the section carries
    double ei = 0;      ///< initial eccentricity (mm) that the section carries
    double ei14 = 0;    ///< below 2a': ei from moments about As'
    FreeCapacity free;  ///< below 2a' in large eccentricity: As' not counted
    section::Resultant plane;  ///< SmallBelow2a: the plane-section state under γ0·N

    bool small() const { return kind == Small || kind == SmallBelow2a || kind == Exceeds; }
    bool below2a() const { return kind == LargeBelow2a || kind == SmallBelow2a; }
    bool freeGoverns() const { return below2a() && free.carries && free.ei > ei14; }
};

/// ξ with σs = fy: (γ0·N − fy'·As' + fy·As)/(α1·fc·b·h0).
double xiLarge(const Section& s, double g0N, double As, double Asp);
/// Solves the force equilibrium of small eccentricity for ξ in [ξb, h/h0]; nullopt when even
/// x = h does not carry γ0·N.
std::optional<double> xiSmall(const Section& s, double g0N, double As, double Asp);
/// Capacity of the section without As' (N in newtons, multiplied by γ0 already).
FreeCapacity capacityFree(const Section& s, double g0N, double As);
/// Capacity of the section under γ0·N (N in newtons, multiplied by γ0 already).
Capacity capacity(const Section& s, double g0N, double As, double Asp);
/// Decimals for ξb, ξ and 2a'/h0 on a check sheet: enough that the printed figures agree with the
/// comparison the sheet states for the capacity c (3 where they already differ).
int xiDecimals(const Section& s, double xi, const Capacity& c);

/// The section with its areas as the section engine takes it (As at depth h0, As' at a').
section::RectSection rectOf(const Section& s, double As, double Asp);
/// The lines of a check at x < 2a' in small eccentricity: the plane-section state; returns ei.
double planeSectionLines(CalcReport& r, const Capacity& c);
/// True when the section carries γ0·N at the distance e from As.
bool carries(const Section& s, double g0N, double e, double As, double Asp);

/// The least area v in [from, b·h] for which carriesAt(v) holds, found by doubling and
/// bisection (the value returned always carries); nullopt when even b·h does not.
template <class F>
std::optional<double> leastArea(F carriesAt, double from, double cap) {
    if (carriesAt(from)) return from;
    if (!carriesAt(cap)) return std::nullopt;
    double lo = from, hi = std::max(2 * from, 1e-3 * cap);
    while (hi < cap && !carriesAt(hi)) {
        lo = hi;
        hi *= 2;
    }
    if (hi >= cap) hi = cap;
    for (int k = 0; k < 200 && hi - lo > 1e-12 * hi; ++k) {
        const double m = 0.5 * (lo + hi);
        (carriesAt(m) ? hi : lo) = m;
    }
    return hi;
}

/// The first root of f on [lo, hi] (scan for a change of sign, then bisection); nullopt when
/// f keeps its sign.
template <class F>
std::optional<double> firstRoot(F f, double lo, double hi) {
    constexpr int kSteps = 400;
    double x0 = lo, f0 = f(lo);
    if (f0 == 0) return lo;
    for (int k = 1; k <= kSteps; ++k) {
        const double x1 = lo + (hi - lo) * k / kSteps;
        const double f1 = f(x1);
        if (f1 == 0) return x1;
        if ((f0 < 0) != (f1 < 0)) {
            double l = x0, r = x1, fl = f0;
            for (int i = 0; i < 200 && r - l > 1e-15; ++i) {
                const double m = 0.5 * (l + r), fm = f(m);
                if (fm == 0) return m;
                if ((fm < 0) == (fl < 0)) {
                    l = m;
                    fl = fm;
                } else {
                    r = m;
                }
            }
            return 0.5 * (l + r);
        }
        x0 = x1;
        f0 = f1;
    }
    return std::nullopt;
}

// --- Sheet blocks -----------------------------------------------------------------------------

/// "二、计算参数:" and its lines (γ0, the concrete's and the steel's values).
void parameters(CalcReport& r, const CalcForm& f, const char* beta1Format);

/// "◇截面有效高度" and "◇附加偏心距" of the design sheets; returns ea.
double depthsAndEa(CalcReport& r, double h, double a, double ap);

/// Head of both check sheets (198, 202): the title, the requirements with both areas, the
/// parameters, h0 and ea; returns ea.
double checkSheetHead(CalcReport& r, const CalcForm& f, std::string_view title, double N, double b,
                      double h, double ap, double a, double Asp, double As, double h0);

struct SecondOrderIn {
    double N, M1, M2, Lc, b, h, h0, ea, fc;  ///< kN, kN·m, mm, N/mm²
    bool wall = false;           ///< shear wall or core-tube wall (box 1064)
    bool compareLine = true;     ///< the sheet states the comparison of Lc/i with 34 − 12·M1/M2
};
/// The second-order block (clauses 6.2.3, 6.2.4); returns M in kN·m.
double secondOrder(CalcReport& r, const SecondOrderIn& in);

/// A line "label value unit" built from parts (for lines with a value in the middle).
void valueLine(CalcReport& r, const std::string& head, double v, const char* fmt,
               const std::string& tail);

/// The σs line at ξ (with the bound when it acts); returns σs.
double sigmaLine(CalcReport& r, const Section& s, double xi);

/// Texts of the Nu formula of one sheet: over 3 % (b·h − As − As') and at most 3 % (b·h).
struct NuText {
    const char* over;
    const char* under;
};
extern const NuText kNuBraces;       ///< {…} with fy'（As＋As'）
extern const NuText kNuBrackets;     ///< […]
extern const NuText kNuBracesTimes;  ///< {…} with fy'×（As＋As'）

/// The lines of a check for x < 2a' with As' counted (after the form's own heading): moments
/// about As', then As' not counted, then the larger; returns ei.
double belowTwoApLines(CalcReport& r, const Section& s, const Capacity& c);

/// For a design at x < 2a': As without counting As' (clause 6.2.17 with As' = 0), printed, and
/// the smaller of it and As14 from moments about As' (clause 6.2.14) under the given text.
double smallerWithoutAsp(CalcReport& r, const Section& s, double g0N, double e, double As14, const char* take);

/// How a design may raise its areas when the section falls short of its moment.
enum class Raise {
    Either,  ///< As' or As, whichever adds less steel
    As,      ///< As only (As' is given)
    Both,    ///< As = As' together
};
enum class CapacityFix { Carried, Raised, Fails };
/// Checks the designed section by the check forms' own rules (capacity) and, when it falls short
/// of the distance e, raises the areas to the least that carry, saying so.
CapacityFix ensureCapacity(CalcReport& r, const Section& s, double g0N, double e, double& As, double& Asp,
                       Raise how);

/// The out-of-plane block (clause 6.2.15 with Table 6.2.15); N in kN. When Nu < N the areas are
/// raised as `how` allows, up to the 5 % of 9.3.1 and only while they still carry γ0·N at e in
/// the plane; false when no such areas hold (the areas are then left as they were).
bool outOfPlane(CalcReport& r, const Section& s, double Lc, double N, double& As, double& Asp,
                const NuText& text, Raise how, double e);

/// True when As + As' keeps within the 5 % of 9.3.1; otherwise says the section is too small.
bool withinFivePercent(CalcReport& r, const Section& s, double As, double Asp);

/// The end of a design: the proof by the check capacity (areas raised when short), the 5 % of
/// 9.3.1 and the out-of-plane check (areas raised when it fails). ok is false when no areas
/// carry: the sheet has said why. retype(capacity) is called after an in-plane raise.
struct DesignEnd {
    bool ok = false;
    double As = 0, Asp = 0;
};
template <class Retype>
DesignEnd finishDesign(CalcReport& r, const Section& s, double g0N, double e, double Lc, double N, double As,
                       double Asp, Raise how, const NuText& text, Retype retype) {
    const CapacityFix fix = ensureCapacity(r, s, g0N, e, As, Asp, how);
    if (fix == CapacityFix::Raised) retype(capacity(s, g0N, As, Asp));
    const bool ok = fix != CapacityFix::Fails && withinFivePercent(r, s, As, Asp) &&
                    outOfPlane(r, s, Lc, N, As, Asp, text, how, e);
    return {ok, As, Asp};
}



}  // namespace tov::ecc
