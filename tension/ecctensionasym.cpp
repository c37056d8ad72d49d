// Eccentrically tensioned rectangular sections with asymmetric reinforcement: design of As' and As,
// design of As for a given As', and check of the tensile capacity (GB 50010-2010 clauses 6.2.7,
// 6.2.14, 6.2.23; Table 8.5.1 and its notes 3 to 5 for the minimum ratios).
//
// Small eccentricity (e0 ≤ h/2 − a, the force between the two bar groups): both groups are in
// tension and the moments about each of them give the other (6.2.23-1, -2). Where a' > h/2 puts
// the far bars past mid-depth, a force with e0 < a' − h/2 lies outside both groups on the side of
// As' (e' < 0): the clause does not cover that section, so the forms refuse its dimensions.
// Large eccentricity (e0 > h/2 − a): the far face is compressed; equilibrium 6.2.23-3, -4 with
// 2a' ≤ x ≤ ξb·h0. Below 2a' the moments are taken about As' (6.2.23 referring to 6.2.14).
#include <algorithm>
#include <cmath>

#include "forms/claimfmt.h"
#include "forms/registry.h"
#include "section/section.h"

namespace tov {
namespace {

constexpr int kSafety = 1011, kConcrete = 1009, kSteel = 1010;
constexpr int kN = 1024, kM = 1006, kB = 1001, kH = 1000, kA = 1002, kAp = 1022;
constexpr int kAsp = 1023, kAs = 1008, kE0 = 1073;
constexpr const char* kSize = "截面尺寸输入有误，请检查。";
constexpr const char* kMomentMessage = "弯矩数值应大于零，请检查。";
constexpr const char* kForceMessage = "轴心拉力数值应大于零，请检查。";
/// Design values of the three pickers.
struct Values {
    double g0, fc, ft, a1, b1, ecu, fy, fyp, Es;

    explicit Values(const CalcForm& f)
        : g0(f.col(kSafety, ColGamma0)),
          fc(f.col(kConcrete, ColFc)),
          ft(f.col(kConcrete, ColFt)),
          a1(f.col(kConcrete, ColAlpha1)),
          b1(f.col(kConcrete, ColBeta1)),
          ecu(f.col(kConcrete, ColEpsCu)),
          fy(f.col(kSteel, ColFy)),
          fyp(f.col(kSteel, ColFyPrime)),
          Es(f.col(kSteel, ColEs)) {}

    /// ξb = β1 / (1 + fy / (Es·εcu)), clause 6.2.7 (Es held in units of 100000 N/mm²).
    double xib() const { return b1 / (1 + fy / (Es * 100000 * ecu)); }
    double rhoMin() const { return rhoMinTension(ft, fy); }
};

void requirementHead(CalcReport& r, const CalcForm& f) {
    r.AppendLine("一、设计要求:");
    r.AppendNameLine("　　　　结构安全等级: ", f.sheetName(kSafety));
    r.AppendNameLine("　　　　混凝土强度等级: ", f.sheetName(kConcrete));
    r.AppendNameLine("　　　　钢筋等级: ", f.sheetName(kSteel));
}

void parameters(CalcReport& r, const CalcForm& f, const Values& v) {
    r.AppendLine("二、计算参数:");
    r.AppendLine("　　　　根据设计要求查规范得:");
    r.AppendValueLine("　　　◇重要性系数 γ0＝", v.g0, "%30.1f");
    r.AppendLine("　　　◇混凝土" + f.sheetName(kConcrete) + "的参数为:");
    r.AppendValueLine("　　　　系数 α1＝", v.a1, "%30.2f");
    r.AppendValueLine("　　　　系数 β1＝", v.b1, "%30.2f");
    r.AppendValueLine("　　　　混凝土轴心抗压强度设计值 fc＝", v.fc, "%30.1f", "（N/mm2）");
    r.AppendValueLine("　　　　混凝土轴心抗拉强度设计值 ft＝", v.ft, "%30.2f", "（N/mm2）");
    r.AppendValueLine("　　　　正截面混凝土极限压应变 εcu＝", v.ecu, "%30.5f");
    r.AppendLine("　　　◇钢筋" + f.sheetName(kSteel) + "的参数为:");
    r.AppendValueLine("　　　　钢筋抗压强度设计值 fy'＝", v.fyp, "%30.0f", "（N/mm2）");
    r.AppendValueLine("　　　　钢筋抗拉强度设计值 fy＝", v.fy, "%30.0f", "（N/mm2）");
    r.AppendValueLine("　　　　钢筋弹性模量 Es＝", v.Es, "%30.1f", "（×100000N/mm2）");
}

void effectiveDepths(CalcReport& r, double h0, double h0p) {
    r.AppendLine("三、计算过程:");
    r.AppendLine("　　　◇截面有效高度:");
    r.AppendValueLine("　　　　h0＝h－a＝", h0, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　h0'＝h－a'＝", h0p, "%30.1f", "（mm）");
}

void rhoMinLine(CalcReport& r, const Values& v) {
    r.AppendLine("　　　◇配筋率验算:");
    r.AppendValueLine("　　　　规范要求最小配筋率ρmin＝取大者（0.2％，45×ft／fy％）＝", v.rhoMin(), "%30.2f", "（%）");
}

// The minimum of a designed area: the requirement line when it is met; otherwise the shortfall and
// the minimum taken in its place. Returns the area to provide.
double designMinimum(CalcReport& r, double area, double minimum, const char* metLabel,
                     const char* shortLabel, const char* takeLabel) {
    if (area >= minimum) {
        r.AppendValueLine(metLabel, minimum, "%30.1f", "（mm2）");
        return area;
    }
    r.AppendValueLine(shortLabel, minimum, "%30.1f", "（mm2）");
    r.AppendValueLine(takeLabel, minimum, "%30.1f", "（mm2）");
    return minimum;
}

// Small-eccentricity design lines (clause 6.2.23-1, -2): e and e' and the two areas in tension.
struct SmallEcc {
    double e, ep, AspReq, As;
};
SmallEcc smallEccentricity(double g0N, double e0, double h, double a, double ap, double h0, double h0p,
                           double fy) {
    SmallEcc s;
    s.e = h / 2 - a - e0;
    s.ep = e0 + h / 2 - ap;
    s.AspReq = g0N * s.e / (fy * (h0 - ap));
    s.As = g0N * s.ep / (fy * (h0p - a));
    return s;
}

// Large eccentricity with 2a' > ξb·h0: no admissible depth lets As' reach fy' (x ≥ 2a' and
// x ≤ ξb·h0 exclude each other). When the concrete alone carries the moment about As (ξ ≤ ξb),
// As' is not counted and As follows from 6.2.23-4 with As' = 0. Otherwise As' works at the
// stress plane sections give it at x = ξb·h0 (clause 6.2.1): As' from the moments about As, As
// from the forces; none exists when As' is not compressed there or needs more than 5 % of b·h.
// Asp comes in as the area already there (minimum or given) and goes out as the one to provide;
// false when no design exists (the sheet says the section is too small).
bool deepCoverDesign(CalcReport& r, const Values& v, double g0N, double e, double b, double h, double h0,
                     double ap, double xib, double& As, double& Asp) {
    const double lim = 2 * ap / h0;
    r.AppendValueLine("　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝", xib, "%30.3f");
    r.AppendValueLine("　　　　2×a'／h0＝", lim, "%30.3f");
    r.AppendLine("　　　　因为 2×a'／h0＞ξb，受压钢筋不能屈服，不计As'，按受拉钢筋计算As:");
    const double rad = 1 - 2 * g0N * e / (v.a1 * v.fc * b * h0 * h0);
    if (rad < 0) {
        r.AppendValueLine("　　　　1－2×γ0×N×e／（α1×fc×b×h0×h0）＝", rad, "%30.3f");
        r.AppendLine("　　　　根号内数值小于零，ξ＞ξb");
    } else {
        const double xi = 1 - std::sqrt(rad);
        r.AppendValueLine("　　　　ξ＝1－√￣｛1－2×γ0×N×e／（α1×fc×b×h0×h0）｝＝", xi, "%30.3f");
        if (xi <= xib) {
            As = (g0N + v.a1 * v.fc * b * h0 * xi) / v.fy;
            r.AppendValueLine("　　　　As＝（γ0×N＋α1×fc×b×h0×ξ）／fy＝", As, "%30.1f", "（mm2）");
            return true;
        }
        r.AppendLine("　　　　因为 ξ＞ξb");
    }
    r.AppendLine("　　　　混凝土不足以承受该弯矩，按平截面假定计算受压钢筋：");
    const double x = xib * h0, Es = v.Es * 100000;
    r.AppendValueLine("　　　　取 x＝ξb×h0＝", x, "%30.1f", "（mm）");
    const double eps = v.ecu * (1 - v.b1 * ap / x);
    r.AppendValueLine("　　　　受压钢筋应变 εs'＝εcu×（1－β1×a'／x）＝", eps, "%30.5f");
    const double sigma = std::min(Es * eps, v.fyp);
    const double AspReq = sigma > 0 ? (g0N * e - v.a1 * v.fc * b * x * (h0 - x / 2)) / (sigma * (h0 - ap)) : 0;
    if (sigma <= 0 || AspReq > 0.05 * b * h) {
        if (sigma <= 0)
            r.AppendLine("　　　　εs'≤0，受压钢筋不受压");
        else
            r.AppendValueLine("　　　　所需 As'＞5％×b×h＝", 0.05 * b * h, "%30.1f", "（mm2）");
        r.AppendLine("　　　　截面尺寸过小，应加大截面尺寸或提高混凝土强度等级。");
        return false;
    }
    r.AppendValueLine(Es * eps > v.fyp ? "　　　　σs'＝Es×εs'＞fy'，取 σs'＝fy'＝" : "　　　　受压钢筋应力 σs'＝Es×εs'＝", sigma,
                      "%30.1f", "（N/mm2）");
    r.AppendValueLine("　　　　As'＝｛γ0×N×e－α1×fc×b×x×（h0－x／2）｝／｛σs'×（h0－a'）｝＝", AspReq, "%30.1f", "（mm2）");
    Asp = std::max(Asp, AspReq);
    As = (g0N + v.a1 * v.fc * b * x + sigma * Asp) / v.fy;
    r.AppendValueLine("　　　　As＝（γ0×N＋α1×fc×b×x＋σs'×As'）／fy＝", As, "%30.1f", "（mm2）");
    return true;
}

// The tensile capacity of the check form at the eccentricity e0 (clause 6.2.23; plane sections
// where 2a' > ξb·h0 puts the section outside the code's formulas).
struct TensionCapacity {
    enum Kind {
        SmallAtAsp,   // e' = 0: the force acts at As'
        SmallBoth,    // the smaller of the moments about As' and about As
        SmallAtAs,    // e = 0: the force acts at As
        Plane,        // 2a' > ξb: plane sections
        NoRoot,       // B² − 2C < 0: x = ξb·h0
        Over,         // ξ > ξb: x = ξb·h0
        Below2a,      // ξ < 2a'/h0: moments about As' (6.2.14)
        Normal,       // 2a'/h0 ≤ ξ ≤ ξb
    } kind = Normal;
    bool large = false;
    double e = 0, ep = 0;           ///< mm
    double B = 0, C = 0, xi = 0;    ///< large eccentricity with 2a' ≤ ξb·h0
    double N1 = 0, N2 = 0;          ///< small eccentricity, kN
    double N = 0;                   ///< kN, divided by γ0
    section::Resultant plane;       ///< the plane-section state (kind Plane)
};

section::RectSection rectOf(const Values& v, double b, double h, double a, double ap, double As, double Asp) {
    section::RectSection r;
    r.b = b;
    r.h = h;
    r.fc = v.fc;
    r.alpha1 = v.a1;
    r.beta1 = v.b1;
    r.ecu = v.ecu;
    r.As = {As, h - a, v.fy, v.fyp, v.Es * 100000};
    r.Asp = {Asp, ap, v.fy, v.fyp, v.Es * 100000};
    return r;
}

TensionCapacity tensionCapacity(const Values& v, double b, double h, double a, double ap, double As, double Asp,
                                double e0, double xib) {
    TensionCapacity c;
    const double h0 = h - a, h0p = h - ap, lim = 2 * ap / h0;
    c.large = e0 > h / 2 - a;
    if (!c.large) {
        c.e = h / 2 - a - e0;
        c.ep = e0 + h / 2 - ap;
        c.N2 = v.fy * As * (h0p - a) / (c.ep * v.g0) / 1000;
        if (c.e > 0 && c.ep == 0) {
            c.kind = TensionCapacity::SmallAtAsp;
            c.N = v.fy * Asp * (h0 - ap) / (c.e * v.g0) / 1000;
        } else if (c.e > 0) {
            c.kind = TensionCapacity::SmallBoth;
            c.N1 = v.fy * Asp * (h0 - ap) / (c.e * v.g0) / 1000;
            c.N = std::min(c.N1, c.N2);
        } else {
            c.kind = TensionCapacity::SmallAtAs;
            c.N = c.N2;
        }
        return c;
    }
    c.e = e0 - h / 2 + a;
    c.ep = e0 + h / 2 - ap;
    if (lim > xib) {
        // As' cannot reach fy' at any depth up to ξb·h0, and below 2a' the moments about As' of
        // 6.2.14 count As at fy whether or not the strains allow it: plane sections decide.
        c.kind = TensionCapacity::Plane;
        const section::AxialCapacity p = section::axialCapacity(rectOf(v, b, h, a, ap, As, Asp), -e0, true);
        c.plane = p.at;
        c.N = p.ok ? p.Nu / v.g0 / 1000 : 0;
        return c;
    }
    c.B = 1 + c.e / h0;
    c.C = (c.e * v.fy * As - v.fyp * Asp * c.ep) / (v.a1 * v.fc * b * h0 * h0);
    const double disc = c.B * c.B - 2 * c.C;
    bool over = false;
    if (disc < 0) {
        c.kind = TensionCapacity::NoRoot;
        over = true;
    } else {
        c.xi = c.B - std::sqrt(disc);
        if (c.xi > xib) {
            c.kind = TensionCapacity::Over;
            over = true;
        } else if (c.xi < lim) {
            c.kind = TensionCapacity::Below2a;
            c.N = v.fy * As * (h0 - ap) / (c.ep * v.g0) / 1000;
        } else {
            c.N = (v.fy * As - v.fyp * Asp - v.a1 * v.fc * b * h0 * c.xi) / v.g0 / 1000;
        }
    }
    // The concrete crushes before As yields: x = ξb·h0, moments about As (6.2.23-4).
    if (over)
        c.N = (v.a1 * v.fc * b * h0 * h0 * xib * (1 - 0.5 * xib) + v.fyp * Asp * (h0 - ap)) / (c.e * v.g0) / 1000;
    return c;
}

// The lines of the plane-section capacity.
void planeLines(CalcReport& r, const TensionCapacity& c) {
    if (std::isfinite(c.plane.x) && c.plane.x > 0)
        r.AppendValueLine("　　　　中和轴至受压边缘的距离 xn＝", c.plane.x, "%30.1f", "（mm）");
    else
        r.AppendLine("　　　　全截面受拉");
    r.AppendValueLine("　　　　钢筋 As' 的应力（压为正） σs'＝", c.plane.sigmaSp, "%30.1f", "（N/mm2）");
    r.AppendValueLine("　　　　钢筋 As 的应力（拉为正） σs＝", c.plane.sigmaS, "%30.1f", "（N/mm2）");
}

// The designed areas run through the check form's capacity (with the ξb the design used); when it
// falls short of N (kN) As is
// raised to the least that carries, or else As', and the sheet says so. False when no area up to
// b·h (As) or 5 % of b·h (As') carries: the section is too small.
bool proveDesign(CalcReport& r, const Values& v, double b, double h, double a, double ap, double e0, double N,
                 double xib, double& As, double& Asp) {
    auto carriesWith = [&](double s, double p) {
        return tensionCapacity(v, b, h, a, ap, s, p, e0, xib).N >= N * (1 - 1e-12);
    };
    if (carriesWith(As, Asp)) return true;
    auto least = [&](auto ok, double from, double cap) -> double {
        if (!ok(cap)) return -1;
        double lo = from, hi = cap;
        for (int k = 0; k < 200 && hi - lo > 1e-9 * hi; ++k) {
            const double m = 0.5 * (lo + hi);
            (ok(m) ? hi : lo) = m;
        }
        const double up = std::ceil(hi * 10) / 10;
        return ok(up) ? up : hi;
    };
    r.AppendLine("　　　◇截面承载力复核:");
    const double s = least([&](double x) { return carriesWith(x, Asp); }, As, b * h);
    if (s >= 0) {
        As = s;
        r.AppendValueLine("　　　　按以上钢筋面积截面不能承受该偏心拉力，增大受拉钢筋，取 As＝", As, "%30.1f", "（mm2）");
        return true;
    }
    const double p = Asp < 0.05 * b * h ? least([&](double x) { return carriesWith(As, x); }, Asp, 0.05 * b * h) : -1;
    if (p >= 0) {
        Asp = p;
        r.AppendValueLine("　　　　按以上钢筋面积截面不能承受该偏心拉力，增大受压钢筋，取 As'＝", Asp, "%30.1f", "（mm2）");
        return true;
    }
    r.AppendLine("　　　　按以上钢筋面积截面不能承受该偏心拉力，截面尺寸过小，应加大截面尺寸或提高混凝土强度等级。");
    return false;
}

// --- Design of As' and As -------------------------------------------------------------------

const FormDecl& designDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CEccTensionAsymDesignDlg";
        s.dialogId = 188;
        s.commandId = 32822;
        s.title = "不对称配筋(矩形截面)偏心受拉构件正截面配筋计算(求As',As)";
        s.picture = Picture::EccTension;
        s.calcId = 1018;
        const char* g = "设计要求";
        const char* res = "计算结果";
        s.controls = {
            gradePicker(188, kSafety, "结构安全等级", g),
            gradePicker(188, kConcrete, "混凝土强度等级", g),
            gradePicker(188, kSteel, "钢筋等级", g),
            edit(kN, "轴心拉力设计值 N(kN)", "kN", 715, g),
            edit(kM, "弯矩设计值 M(kN-m)", "kN-m", 86, g),
            edit(kB, "截面宽度 b(mm)", "mm", 250, g),
            edit(kH, "截面高度 h(mm)", "mm", 400, g),
            edit(kA, "钢筋合力点距离a,a'(mm)", "mm", 40, g),
            result(kAsp, "钢筋面积As'(mm2)", "mm2", res),
            result(kAs, "钢筋面积As(mm2)", "mm2", res),
        };
        s.checks = {
            positive(kH, kSize),
            positive(kB, kSize),
            positive(kA, kSize),
            linear({{1, kH}, {-2, kA}}, kSize),
            positive(kM, kMomentMessage),
            positive(kN, kForceMessage),
        };
        return s;
    }();
    return decl;
}

class CEccTensionAsymDesignDlg final : public CalcForm {
public:
    CEccTensionAsymDesignDlg() : CalcForm(designDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const Values v(*this);
        const double N = value(kN), M = value(kM), b = value(kB), h = value(kH), a = value(kA);
        const double ap = a;
        // This form works with ξb brought to 3 decimals.
        const double xib = std::floor(v.xib() * 1000 + 0.5) / 1000;
        const double h0 = h - a, h0p = h - ap, e0 = M / N * 1000, g0N = v.g0 * N * 1000;

        r.begin("─────不对称配筋（矩形截面）偏心受拉构件正截面配筋计算书（求As',As）─────");
        requirementHead(r, *this);
        r.AppendValueLine("　　　　弯矩设计值 M＝", M, "%30.6f", "（kN-m）");
        r.AppendValueLine("　　　　轴向拉力设计值 N＝", N, "%30.3f", "（kN）");
        r.AppendValueLine("　　　　矩形截面宽度 b＝", b, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　矩形截面高度 h＝", h, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a＝a'＝", a, "%30.1f", "（mm）");
        parameters(r, *this, v);
        effectiveDepths(r, h0, h0p);
        r.AppendLine("　　　◇偏心距:");
        r.AppendValueLine("　　　　e0＝M／N＝", e0, "%30.1f", "（mm）");
        r.AppendLine("　　　◇判别结构破坏类型:");
        const double half = h / 2 - a;
        double As = 0, Asp = 0;
        if (e0 > half) {
            r.AppendValueLine("　　　　因为e0＞h／2－a＝", half, "%30.1f", "（mm）");
            r.AppendLine("　　　　属于大偏心受拉");
            r.AppendLine("　　　◇钢筋面积计算:");
            const double e = e0 - h / 2 + a;
            r.AppendValueLine("　　　　e＝e0－h／2＋a＝", e, "%30.1f", "（mm）");
            if (2 * ap / h0 > xib) {
                Asp = 0.002 * b * h;
                if (!deepCoverDesign(r, v, g0N, e, b, h, h0, ap, xib, As, Asp)) return noDesign();
                if (Asp == 0.002 * b * h) r.AppendValueLine("　　　　取 As'＝0.2％×b×h＝", Asp, "%30.1f", "（mm2）");
                return minimaAndResults(r, v, b, h, As, Asp);
            }
            Asp = (g0N * e - v.a1 * v.fc * b * h0 * h0 * xib * (1 - 0.5 * xib)) / (v.fyp * (h0 - ap));
            r.AppendValueLine("　　　　As'＝｛γ0×N×e－α1×fc×b×h0×h0×ξb（1－0.5×ξb）｝／｛fy'×（h0－a'）｝＝", Asp,
                              "%30.1f", "（mm2）");
            const double AspMin = 0.002 * b * h;
            if (Asp >= AspMin) {
                r.AppendValueLine("　　　　因为 As'≥0.2％×b×h＝", AspMin, "%30.1f", "（mm2）");
                As = (g0N + v.fyp * Asp + v.a1 * v.fc * b * h0 * xib) / v.fy;
                r.AppendValueLine("　　　　As＝（γ0×N＋fy'×As'＋α1×fc×b×h0×ξb）／fy＝", As, "%30.1f", "（mm2）");
            } else {
                // Less than the one-side minimum is needed: provide the minimum and find the
                // compression depth it leaves from the moments about As. Since the area at ξb was
                // below the minimum, ξ < ξb here and the root is real.
                r.AppendValueLine("　　　　因为 As'＜0.2％×b×h＝", AspMin, "%30.1f", "（mm2）");
                Asp = AspMin;
                r.AppendValueLine("　　　　取 As'＝0.2％×b×h＝", Asp, "%30.1f", "（mm2），按已知As'求As:");
                r.AppendValueLine("　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝", xib, "%30.3f");
                const double xi =
                    1 - std::sqrt(1 - 2 * (g0N * e - Asp * v.fyp * (h0 - ap)) / (v.a1 * v.fc * b * h0 * h0));
                r.AppendValueLine("　　　　ξ＝1－√￣｛1－2×［γ0×N×e－As'×fy'×（h0－a'）］／（α1×fc×b×h0×h0）｝＝", xi,
                                  "%30.3f");
                const double lim = 2 * ap / h0;
                r.AppendValueLine("　　　　2×a'／h0＝", lim, "%30.3f");
                if (xi >= lim) {
                    r.AppendLine("　　　　因为 2×a'／h0≤ξ≤ξb");
                    As = (g0N + v.a1 * v.fc * b * h0 * xi + Asp * v.fyp) / v.fy;
                    r.AppendValueLine("　　　　As＝（γ0×N＋α1×fc×b×h0×ξ＋As'×fy'）／fy＝", As, "%30.1f", "（mm2）");
                } else {
                    r.AppendLine("　　　　因为 ξ＜2×a'／h0，取x＝2a'，对As'合力点取矩:");
                    const double ep = e0 + h / 2 - ap;
                    r.AppendValueLine("　　　　e'＝e0＋h／2－a'＝", ep, "%30.1f", "（mm）");
                    As = g0N * ep / (v.fy * (h0 - ap));
                    r.AppendValueLine("　　　　As＝γ0×N×e'／｛fy×（h0－a'）｝＝", As, "%30.1f", "（mm2）");
                }
            }
        } else {
            r.AppendValueLine("　　　　因为e0≤h／2－a＝", half, "%30.1f", "（mm）");
            r.AppendLine("　　　　属于小偏心受拉");
            r.AppendLine("　　　◇钢筋面积计算:");
            const SmallEcc s = smallEccentricity(g0N, e0, h, a, ap, h0, h0p, v.fy);
            r.AppendValueLine("　　　　e＝h／2－a－e0＝", s.e, "%30.1f", "（mm）");
            r.AppendValueLine("　　　　e'＝e0＋h／2－a'＝", s.ep, "%30.1f", "（mm）");
            Asp = s.AspReq;
            r.AppendValueLine("　　　　As'＝γ0×N×e／｛fy×（h0－a'）｝＝", Asp, "%30.1f", "（mm2）");
            As = s.As;
            r.AppendValueLine("　　　　As＝γ0×N×e'／｛fy×（h0'－a）｝＝", As, "%30.1f", "（mm2）");
        }
        return minimaAndResults(r, v, b, h, As, Asp);
    }

private:
    Outcome minimaAndResults(CalcReport& r, const Values& v, double b, double h, double As, double Asp) {
        rhoMinLine(r, v);
        const double minArea = v.rhoMin() / 100 * b * h;
        const double As0 = As, Asp0 = Asp;
        As = designMinimum(r, As, minArea, "　　　　As≥ρmin×b×h＝", "　　　　As＜ρmin×b×h＝",
                           "　　　　按最小配筋率构造配筋，取 As＝ρmin×b×h＝");
        Asp = designMinimum(r, Asp, minArea, "　　　　As'≥ρmin×b×h＝", "　　　　As'＜ρmin×b×h＝",
                            "　　　　按最小配筋率构造配筋，取 As'＝ρmin×b×h＝");
        const bool minima = As != As0 && Asp != Asp0;
        const double A = As, Ap = Asp;
        // The design works with ξb to 3 decimals, and its proof with the same ξb.
        const double xib = std::floor(v.xib() * 1000 + 0.5) / 1000;
        if (!proveDesign(r, v, b, h, value(kA), value(kA), value(kM) / value(kN) * 1000, value(kN), xib, As, Asp))
            return noDesign();
        setValue(kAs, As);
        setValue(kAsp, Asp);
        if (minima && As == A && Asp == Ap)
            setVerdict(Verdict::Kind::Detailing, "按最小配筋率构造配筋");
        else
            setVerdict(Verdict::Kind::Ok, "满足要求");
        return sheet();
    }

    Outcome noDesign() {
        setEmpty(kAs);
        setEmpty(kAsp);
        setVerdict(Verdict::Kind::Fail, "截面尺寸过小，应加大截面");
        return sheet();
    }
};

// --- Design of As for a given As' -----------------------------------------------------------

const FormDecl& knownDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CEccTensionAsymKnownAsDlg";
        s.dialogId = 196;
        s.commandId = 32826;
        s.title = "不对称配筋矩形截面偏心受拉构件正截面配筋计算(已知As',求As)";
        s.picture = Picture::EccTension;
        s.calcId = 1018;
        const char* g = "设计要求";
        s.controls = {
            gradePicker(196, kSafety, "结构安全等级", g),
            gradePicker(196, kConcrete, "混凝土强度等级", g),
            gradePicker(196, kSteel, "钢筋等级", g),
            edit(kN, "轴心拉力设计值 N(kN)", "kN", 52, g),
            edit(kM, "弯矩设计值 M(kN-m)", "kN-m", 45, g),
            edit(kB, "截面宽度 b(mm)", "mm", 250, g),
            edit(kH, "截面高度 h(mm)", "mm", 400, g),
            edit(kAp, "钢筋合力点距离a'(mm)", "mm", 40, g),
            edit(kA, "钢筋合力点距离a (mm)", "mm", 40, g),
            edit(kAsp, "钢筋面积 As'(mm2)", "mm2", 226, g),
            result(kAs, "钢筋面积 As(mm2)", "mm2", "计算结果"),
        };
        s.checks = {
            positive(kH, kSize),
            positive(kB, kSize),
            positive(kA, kSize),
            positive(kAp, kSize),
            linear({{1, kH}, {-1, kA}, {-1, kAp}}, kSize),
            positive(kM, kMomentMessage),
            positive(kN, kForceMessage),
            positive(kAsp, "钢筋面积As'应大于零，请检查。"),
        };
        return s;
    }();
    return decl;
}

class CEccTensionAsymKnownAsDlg final : public CalcForm {
public:
    CEccTensionAsymKnownAsDlg() : CalcForm(knownDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const Values v(*this);
        const double N = value(kN), M = value(kM), b = value(kB), h = value(kH);
        const double a = value(kA), ap = value(kAp), AspGiven = value(kAsp);
        const double h0 = h - a, h0p = h - ap, e0 = M / N * 1000, g0N = v.g0 * N * 1000;
        const double xib = v.xib();
        if (e0 <= h / 2 - a && e0 + h / 2 - ap < 0) return refuse(kSize);

        r.begin("─────不对称配筋（矩形截面）偏心受拉构件正截面配筋计算书（已知As',求As）─────");
        requirementHead(r, *this);
        r.AppendValueLine("　　　　弯矩设计值 M＝", M, "%30.6f", "（kN-m）");
        r.AppendValueLine("　　　　轴向力设计值 N＝", N, "%30.3f", "（kN）");
        r.AppendValueLine("　　　　矩形截面宽度 b＝", b, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　矩形截面高度 h＝", h, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a'＝", ap, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a＝", a, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋截面面积 As'＝", AspGiven, "%30.1f", "（mm2）");
        parameters(r, *this, v);
        effectiveDepths(r, h0, h0p);
        r.AppendLine("　　　◇偏心距:");
        r.AppendValueLine("　　　　e0＝M／N＝", e0, "%30.1f", "（mm）");
        r.AppendLine("　　　◇判别结构破坏类型:");
        const double half = h / 2 - a;
        const bool large = e0 > half;
        double As = 0, AspUsed = AspGiven;
        if (large) {
            r.AppendLine("　　　　因为e0＞h／2－a，属于大偏心受拉");
            r.AppendLine("　　　◇相对受压区高度计算:");
            r.AppendValueLine("　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝", xib, "%30.3f");
            const double e = e0 - h / 2 + a;
            r.AppendValueLine("　　　　e＝e0－h／2＋a＝", e, "%30.1f", "（mm）");
            const double rad = 1 - 2 * (g0N * e - AspGiven * v.fyp * (h0 - ap)) / (v.a1 * v.fc * b * h0 * h0);
            bool tooSmall = false;
            if (2 * ap / h0 > xib) {
                r.AppendLine("　　　◇钢筋面积计算:");
                if (!deepCoverDesign(r, v, g0N, e, b, h, h0, ap, xib, As, AspUsed)) {
                    setEmpty(kAs);
                    setVerdict(Verdict::Kind::Fail, "截面尺寸过小，应加大截面");
                    return sheet();
                }
                if (AspUsed != AspGiven)
                    r.AppendValueLine("　　　　已知As'不足，应取 As'＝", AspUsed, "%30.1f", "（mm2）");
            } else if (rad < 0) {
                r.AppendValueLine("　　　　1－2×［γ0×N×e－As'×fy'×（h0－a'）］／（α1×fc×b×h0×h0）＝", rad, "%30.3f");
                r.AppendLine("　　　　根号内数值小于零，ξ＞ξb，已知As'过小");
                tooSmall = true;
            } else {
                const double xi = 1 - std::sqrt(rad);
                r.AppendValueLine("　　　　ξ＝1－√￣｛1－2×［γ0×N×e－As'×fy'×（h0－a'）］／（α1×fc×b×h0×h0）｝＝", xi,
                                  "%30.3f");
                const double lim = 2 * ap / h0;
                if (xi > xib) {
                    r.AppendLine("　　　　因为 ξ＞ξb，已知As'过小");
                    tooSmall = true;
                } else {
                    r.AppendLine("　　　◇钢筋面积计算:");
                    if (xi >= lim) {
                        r.AppendLine("　　　　因为 2×a'／h0≤ξ≤ξb");
                        As = (g0N + v.a1 * v.fc * b * h0 * xi + AspGiven * v.fyp) / v.fy;
                        r.AppendValueLine("　　　　As＝（γ0×N＋α1×fc×b×h0×ξ＋As'×fy'）／fy＝", As, "%30.1f", "（mm2）");
                    } else {
                        r.AppendValueLine("　　　　2×a'／h0＝", lim, "%30.3f");
                        r.AppendLine("　　　　因为 ξ＜2×a'／h0，取x＝2a'，对As'合力点取矩:");
                        const double ep = e0 + h / 2 - ap;
                        r.AppendValueLine("　　　　e'＝e0＋h／2－a'＝", ep, "%30.1f", "（mm）");
                        As = g0N * ep / (v.fy * (h0 - ap));
                        r.AppendValueLine("　　　　As＝γ0×N×e'／｛fy×（h0－a'）｝＝", As, "%30.1f", "（mm2）");
                    }
                }
            }
            if (tooSmall) {
                // The given As' cannot keep x within ξb·h0: As' is designed with ξ = ξb instead.
                r.AppendLine("　　　◇钢筋面积计算:");
                r.AppendLine("　　　　取ξ＝ξb，重新计算As'和As:");
                AspUsed = (g0N * e - v.a1 * v.fc * b * h0 * h0 * xib * (1 - 0.5 * xib)) / (v.fyp * (h0 - ap));
                r.AppendValueLine("　　　　As'＝｛γ0×N×e－α1×fc×b×h0×h0×ξb（1－0.5×ξb）｝／｛fy'×（h0－a'）｝＝", AspUsed,
                                  "%30.1f", "（mm2）");
                As = (g0N + v.fyp * AspUsed + v.a1 * v.fc * b * h0 * xib) / v.fy;
                r.AppendValueLine("　　　　As＝（γ0×N＋fy'×As'＋α1×fc×b×h0×ξb）／fy＝", As, "%30.1f", "（mm2）");
            }
        } else {
            r.AppendValueLine("　　　　因为e0≤h／2－a＝", half, "%30.1f", "（mm），属于小偏心受拉");
            r.AppendLine("　　　◇钢筋面积计算:");
            const SmallEcc s = smallEccentricity(g0N, e0, h, a, ap, h0, h0p, v.fy);
            r.AppendValueLine("　　　　e＝h／2－a－e0＝", s.e, "%30.1f", "（mm）");
            r.AppendValueLine("　　　　e'＝e0＋h／2－a'＝", s.ep, "%30.1f", "（mm）");
            r.AppendValueLine("　　　　所需As'＝γ0×N×e／｛fy×（h0－a'）｝＝", s.AspReq, "%30.1f", "（mm2）");
            if (AspGiven >= s.AspReq) {
                r.AppendLine("　　　　已知As'≥所需As'，满足要求");
            } else {
                r.AppendLine("　　　　已知As'＜所需As'，已知As'不足，应按所需As'配筋");
                AspUsed = s.AspReq;
            }
            As = s.As;
            r.AppendValueLine("　　　　As＝γ0×N×e'／｛fy×（h0'－a）｝＝", As, "%30.1f", "（mm2）");
        }
        rhoMinLine(r, v);
        As = designMinimum(r, As, v.rhoMin() / 100 * b * h, "　　　　As≥ρmin×b×h＝", "　　　　As＜ρmin×b×h＝",
                           "　　　　按最小配筋率构造配筋，取 As＝ρmin×b×h＝");
        // As' of a large eccentricity lies in the compression zone: 0.2 % (Table 8.5.1 note 3);
        // in small eccentricity it is in tension: ρmin.
        const double AspMin = large ? 0.002 * b * h : v.rhoMin() / 100 * b * h;
        const double AspStrength = AspUsed;  // As' the strength asks for, before the minimum
        if (AspUsed < AspMin) {
            r.AppendValueLine(large ? "　　　　As'＜0.2％×b×h＝" : "　　　　As'＜ρmin×b×h＝", AspMin, "%30.1f", "（mm2）");
            r.AppendValueLine(large ? "　　　　按最小配筋率构造配筋，取 As'＝0.2％×b×h＝"
                                    : "　　　　按最小配筋率构造配筋，取 As'＝ρmin×b×h＝",
                              AspMin, "%30.1f", "（mm2）");
            AspUsed = AspMin;
        }
        const double As0 = As, Asp0 = AspUsed;
        if (!proveDesign(r, v, b, h, a, ap, e0, N, xib, As, AspUsed)) {
            setEmpty(kAs);
            setVerdict(Verdict::Kind::Fail, "截面尺寸过小，应加大截面");
            return sheet();
        }
        setValue(kAs, As);
        if (AspStrength > AspGiven || AspUsed > Asp0)
            setVerdict(Verdict::Kind::Fail, "已知As'不足，应按计算值配置");
        else if (AspUsed > AspGiven)
            setVerdict(Verdict::Kind::Detailing, "按最小配筋率构造配筋");
        else if (As == As0 && Asp0 == AspUsed && As == v.rhoMin() / 100 * b * h)
            setVerdict(Verdict::Kind::Detailing, "按最小配筋率构造配筋");
        else
            setVerdict(Verdict::Kind::Ok, "满足要求");
        return sheet();
    }
};

// --- Check of the tensile capacity ----------------------------------------------------------

const FormDecl& checkDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CEccTensionAsymCheckDlg";
        s.dialogId = 206;
        s.commandId = 32833;
        s.title = "不对称配筋矩形截面偏心受拉构件正截面承载力计算";
        s.picture = Picture::EccTension;
        s.calcId = 1018;
        const char* g = "设计要求";
        s.controls = {
            gradePicker(206, kSafety, "结构安全等级", g),
            gradePicker(206, kConcrete, "混凝土强度等级", g),
            gradePicker(206, kSteel, "钢筋等级", g),
            edit(kB, "截面宽度 b(mm)", "mm", 250, g),
            edit(kH, "截面高度 h(mm)", "mm", 400, g),
            edit(kAp, "钢筋合力点距离 a'(mm)", "mm", 45, g),
            edit(kA, "钢筋合力点距离 a (mm)", "mm", 45, g),
            edit(kAsp, "钢筋面积 As'(mm2)", "mm2", 603, g),
            edit(kAs, "钢筋面积 As (mm2)", "mm2", 1520, g),
            edit(kE0, "偏心距 e0(mm)", "mm", 800, g),
            result(kN, "轴心拉力 N(kN)", "kN", "计算结果"),
        };
        const char* areaMessage = "钢筋面积数值应大于零，请检查。";
        s.checks = {
            positive(kH, kSize),
            positive(kB, kSize),
            positive(kA, kSize),
            positive(kAp, kSize),
            positive(kE0, kSize),
            linear({{1, kH}, {-1, kA}, {-1, kAp}}, kSize),
            positive(kAs, areaMessage),
            positive(kAsp, areaMessage),
        };
        return s;
    }();
    return decl;
}

class CEccTensionAsymCheckDlg final : public CalcForm {
public:
    CEccTensionAsymCheckDlg() : CalcForm(checkDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const Values v(*this);
        const double b = value(kB), h = value(kH), a = value(kA), ap = value(kAp);
        const double Asp = value(kAsp), As = value(kAs), e0 = value(kE0);
        const double h0 = h - a, h0p = h - ap, xib = v.xib();
        if (e0 <= h / 2 - a && e0 + h / 2 - ap < 0) return refuse(kSize);

        r.begin("─────不对称配筋矩形截面偏心受拉构件正截面承载力计算书─────");
        requirementHead(r, *this);
        r.AppendValueLine("　　　　矩形截面宽度 b＝", b, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　矩形截面高度 h＝", h, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a'＝", ap, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a＝", a, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋面积 As'＝", Asp, "%30.1f", "（mm2）");
        r.AppendValueLine("　　　　钢筋面积 As ＝", As, "%30.1f", "（mm2）");
        r.AppendValueLine("　　　　偏心距 e0＝", e0, "%30.1f", "（mm）");
        parameters(r, *this, v);
        effectiveDepths(r, h0, h0p);
        r.AppendLine("　　　◇判别结构破坏类型:");
        r.AppendValueLine("　　　　e0＝", e0, "%30.1f", "（mm）");
        const double half = h / 2 - a;
        r.AppendValueLine("　　　　h／2－a＝", half, "%30.1f", "（mm）");
        const TensionCapacity c = tensionCapacity(v, b, h, a, ap, As, Asp, e0, xib);
        const bool large = c.large;
        const double N = c.N, lim = 2 * ap / h0;
        if (large) {
            r.AppendLine("　　　　因为e0＞h／2－a，属于大偏心受拉");
            r.AppendLine("　　　◇相对受压区高度计算:");
            // ξ and ξb keep the digits that part them where the sheet compares them.
            int digits = 3;
            if (c.kind == TensionCapacity::Over || c.kind == TensionCapacity::Normal)
                digits = claimDecimals(c.xi, xib, 3);
            if (c.kind == TensionCapacity::Below2a || c.kind == TensionCapacity::Normal)
                digits = std::max(digits, claimDecimals(c.xi, lim, 3));
            if (c.kind == TensionCapacity::Plane) digits = claimDecimals(lim, xib, 3);
            const char* fmt = fixedFormat(digits);
            r.AppendValueLine("　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝", xib, fmt);
            r.AppendValueLine("　　　　e＝e0－h／2＋a＝", c.e, "%30.1f", "（mm）");
            r.AppendValueLine("　　　　e'＝e0＋h／2－a'＝", c.ep, "%30.1f", "（mm）");
            if (c.kind == TensionCapacity::Plane) {
                r.AppendValueLine("　　　　2×a'／h0＝", lim, fmt);
                r.AppendLine("　　　　因为 2×a'／h0＞ξb，受压钢筋不能屈服，规范公式不适用，按平截面假定计算：");
                r.AppendLine("　　　◇截面承载力计算:");
                planeLines(r, c);
                r.AppendValueLine("　　　　N＝", N, "%30.3f", "（kN）");
            } else {
                r.AppendValueLine("　　　　B＝1＋e／h0＝", c.B, "%30.3f");
                r.AppendValueLine("　　　　C＝（e×fy×As－fy'×As'×e'）／（α1×fc×b×h0×h0）＝", c.C, "%30.3f");
                if (c.kind == TensionCapacity::NoRoot) {
                    r.AppendValueLine("　　　　B×B－2×C＝", c.B * c.B - 2 * c.C, "%30.3f");
                    r.AppendLine("　　　　根号内数值小于零，受拉钢筋不能屈服（ξ＞ξb）");
                    r.AppendLine("　　　◇截面承载力计算:");
                } else {
                    r.AppendValueLine("　　　　ξ＝B－√￣（B×B－2×C）＝", c.xi, fmt);
                    r.AppendValueLine("　　　　2×a'／h0＝", lim, fmt);
                    r.AppendLine("　　　◇截面承载力计算:");
                }
                if (c.kind == TensionCapacity::Over) r.AppendLine("　　　　因为 ξ＞ξb，受拉钢筋不能屈服");
                if (c.kind == TensionCapacity::Below2a) {
                    r.AppendLine("　　　　因为 ξ＜2×a'／h0，取x＝2a'，对As'合力点取矩:");
                    r.AppendValueLine("　　　　N＝fy×As×（h0－a'）／（e'×γ0）＝", N, "%30.3f", "（kN）");
                } else if (c.kind == TensionCapacity::Normal) {
                    r.AppendLine("　　　　因为 2×a'／h0≤ξ≤ξb");
                    r.AppendValueLine("　　　　N＝（fy×As－fy'×As'－α1×fc×b×h0×ξ）／γ0＝", N, "%30.3f", "（kN）");
                } else {
                    r.AppendLine("　　　　取x＝ξb×h0，对As合力点取矩:");
                    r.AppendValueLine("　　　　N＝｛α1×fc×b×h0×h0×ξb×（1－0.5×ξb）＋fy'×As'×（h0－a'）｝／（e×γ0）＝", N,
                                      "%30.3f", "（kN）");
                }
            }
        } else {
            r.AppendLine("　　　　因为e0≤h／2－a，属于小偏心受拉");
            r.AppendLine("　　　◇截面承载力计算:");
            r.AppendValueLine("　　　　e＝h／2－a－e0＝", c.e, "%30.1f", "（mm）");
            r.AppendValueLine("　　　　e'＝e0＋h／2－a'＝", c.ep, "%30.1f", "（mm）");
            if (c.kind == TensionCapacity::SmallAtAsp) {
                r.AppendLine("　　　　因为e'＝0，拉力作用于As'合力点，由As'控制");
                r.AppendValueLine("　　　　N＝fy×As'×（h0－a'）／（e×γ0）＝", N, "%30.3f", "（kN）");
            } else if (c.kind == TensionCapacity::SmallBoth) {
                r.AppendValueLine("　　　　N1＝fy×As'×（h0－a'）／（e×γ0）＝", c.N1, "%30.3f", "（kN）");
                r.AppendValueLine("　　　　N2＝fy×As×（h0'－a）／（e'×γ0）＝", c.N2, "%30.3f", "（kN）");
                r.AppendValueLine("　　　　N＝取小者（N1，N2）＝", N, "%30.3f", "（kN）");
            } else {
                r.AppendLine("　　　　因为e＝0，拉力作用于As合力点，由As控制");
                r.AppendValueLine("　　　　N＝fy×As×（h0'－a）／（e'×γ0）＝", N, "%30.3f", "（kN）");
            }
        }
        r.AppendValueLine("　　　　M＝N×e0＝", N * e0 / 1000, "%30.6f", "（kN-m）");

        const double AsMin = v.rhoMin() / 100 * b * h;
        const double AspMin = large ? 0.002 * b * h : AsMin;
        if (As < AsMin || Asp < AspMin) {
            rhoMinLine(r, v);
            if (As < AsMin) r.AppendValueLine("　　　　As＜ρmin×b×h＝", AsMin, "%30.1f", "（mm2）");
            if (Asp < AspMin)
                r.AppendValueLine(large ? "　　　　As'＜0.2％×b×h＝" : "　　　　As'＜ρmin×b×h＝", AspMin, "%30.1f", "（mm2）");
            r.AppendLine("　　　　截面少筋，不满足规范最小配筋率要求，上述承载力不能采用。");
            setVerdict(Verdict::Kind::Fail, "少筋，承载力不能采用");
        } else {
            setVerdict(Verdict::Kind::Ok, "配筋率满足要求");
        }
        setValue(kN, N);
        return sheet();
    }
};

}  // namespace

TOVARIN_FORM(CEccTensionAsymDesignDlg, designDecl)
TOVARIN_FORM(CEccTensionAsymKnownAsDlg, knownDecl)
TOVARIN_FORM(CEccTensionAsymCheckDlg, checkDecl)

}  // namespace tov
