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
#include <cmath>

#include "forms/registry.h"

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
// x ≤ ξb·h0 exclude each other), so As' is not counted and As follows from the moments about As of
// the concrete alone (6.2.23-4 with As' = 0; the 2a' limit applies only to counted bars).
// Returns the area, or a negative value when even ξ = ξb does not suffice (section too small).
double deepCoverDesign(CalcReport& r, const Values& v, double g0N, double e, double b, double h0, double xib,
                       double lim) {
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
            const double As = (g0N + v.a1 * v.fc * b * h0 * xi) / v.fy;
            r.AppendValueLine("　　　　As＝（γ0×N＋α1×fc×b×h0×ξ）／fy＝", As, "%30.1f", "（mm2）");
            return As;
        }
        r.AppendLine("　　　　因为 ξ＞ξb");
    }
    r.AppendLine("　　　　截面尺寸过小，应加大截面尺寸或提高混凝土强度等级。");
    return -1;
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
                As = deepCoverDesign(r, v, g0N, e, b, h0, xib, 2 * ap / h0);
                if (As < 0) return noDesign();
                Asp = 0.002 * b * h;
                r.AppendValueLine("　　　　取 As'＝0.2％×b×h＝", Asp, "%30.1f", "（mm2）");
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
        As = designMinimum(r, As, minArea, "　　　　As≥ρmin×b×h＝", "　　　　As＜ρmin×b×h＝",
                           "　　　　按最小配筋率构造配筋，取 As＝ρmin×b×h＝");
        Asp = designMinimum(r, Asp, minArea, "　　　　As'≥ρmin×b×h＝", "　　　　As'＜ρmin×b×h＝",
                            "　　　　按最小配筋率构造配筋，取 As'＝ρmin×b×h＝");
        setValue(kAs, As);
        setValue(kAsp, Asp);
        return sheet();
    }

    Outcome noDesign() {
        setValue(kAs, 0);
        setValue(kAsp, 0);
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
                As = deepCoverDesign(r, v, g0N, e, b, h0, xib, 2 * ap / h0);
                if (As < 0) {
                    setValue(kAs, 0);
                    return sheet();
                }
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
        if (AspUsed < AspMin) {
            r.AppendValueLine(large ? "　　　　As'＜0.2％×b×h＝" : "　　　　As'＜ρmin×b×h＝", AspMin, "%30.1f", "（mm2）");
            r.AppendValueLine(large ? "　　　　按最小配筋率构造配筋，取 As'＝0.2％×b×h＝"
                                    : "　　　　按最小配筋率构造配筋，取 As'＝ρmin×b×h＝",
                              AspMin, "%30.1f", "（mm2）");
        }
        setValue(kAs, As);
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
        const bool large = e0 > half;
        double N = 0;
        if (large) {
            r.AppendLine("　　　　因为e0＞h／2－a，属于大偏心受拉");
            r.AppendLine("　　　◇相对受压区高度计算:");
            r.AppendValueLine("　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝", xib, "%30.3f");
            const double e = e0 - h / 2 + a, ep = e0 + h / 2 - ap;
            r.AppendValueLine("　　　　e＝e0－h／2＋a＝", e, "%30.1f", "（mm）");
            r.AppendValueLine("　　　　e'＝e0＋h／2－a'＝", ep, "%30.1f", "（mm）");
            const double B = 1 + e / h0;
            const double C = (e * v.fy * As - v.fyp * Asp * ep) / (v.a1 * v.fc * b * h0 * h0);
            r.AppendValueLine("　　　　B＝1＋e／h0＝", B, "%30.3f");
            r.AppendValueLine("　　　　C＝（e×fy×As－fy'×As'×e'）／（α1×fc×b×h0×h0）＝", C, "%30.3f");
            const double lim = 2 * ap / h0;
            bool over = false;
            if (lim > xib) {
                // As' cannot reach fy' at any depth up to ξb·h0: it is not counted.
                r.AppendValueLine("　　　　2×a'／h0＝", lim, "%30.3f");
                r.AppendLine("　　　　因为 2×a'／h0＞ξb，受压钢筋不能屈服，不计As':");
                const double C0 = e * v.fy * As / (v.a1 * v.fc * b * h0 * h0);
                r.AppendValueLine("　　　　C＝e×fy×As／（α1×fc×b×h0×h0）＝", C0, "%30.3f");
                const double disc0 = B * B - 2 * C0;
                r.AppendLine("　　　◇截面承载力计算:");
                if (disc0 < 0) {
                    r.AppendValueLine("　　　　B×B－2×C＝", disc0, "%30.3f");
                    r.AppendLine("　　　　根号内数值小于零，受拉钢筋不能屈服（ξ＞ξb）");
                    over = true;
                } else {
                    const double xi = B - std::sqrt(disc0);
                    r.AppendValueLine("　　　　ξ＝B－√￣（B×B－2×C）＝", xi, "%30.3f");
                    if (xi > xib) {
                        r.AppendLine("　　　　因为 ξ＞ξb，受拉钢筋不能屈服");
                        over = true;
                    } else {
                        N = (v.fy * As - v.a1 * v.fc * b * h0 * xi) / v.g0 / 1000;
                        r.AppendValueLine("　　　　N＝（fy×As－α1×fc×b×h0×ξ）／γ0＝", N, "%30.3f", "（kN）");
                    }
                }
            } else if (const double disc = B * B - 2 * C; disc < 0) {
                r.AppendValueLine("　　　　B×B－2×C＝", disc, "%30.3f");
                r.AppendLine("　　　　根号内数值小于零，受拉钢筋不能屈服（ξ＞ξb）");
                r.AppendLine("　　　◇截面承载力计算:");
                over = true;
            } else {
                const double xi = B - std::sqrt(disc);
                r.AppendValueLine("　　　　ξ＝B－√￣（B×B－2×C）＝", xi, "%30.3f");
                r.AppendValueLine("　　　　2×a'／h0＝", lim, "%30.3f");
                r.AppendLine("　　　◇截面承载力计算:");
                if (xi > xib) {
                    r.AppendLine("　　　　因为 ξ＞ξb，受拉钢筋不能屈服");
                    over = true;
                } else if (xi < lim) {
                    r.AppendLine("　　　　因为 ξ＜2×a'／h0，取x＝2a'，对As'合力点取矩:");
                    N = v.fy * As * (h0 - ap) / (ep * v.g0) / 1000;
                    r.AppendValueLine("　　　　N＝fy×As×（h0－a'）／（e'×γ0）＝", N, "%30.3f", "（kN）");
                } else {
                    r.AppendLine("　　　　因为 2×a'／h0≤ξ≤ξb");
                    N = (v.fy * As - v.fyp * Asp - v.a1 * v.fc * b * h0 * xi) / v.g0 / 1000;
                    r.AppendValueLine("　　　　N＝（fy×As－fy'×As'－α1×fc×b×h0×ξ）／γ0＝", N, "%30.3f", "（kN）");
                }
            }
            if (over && xib >= 2 * ap / h0) {
                // The concrete crushes before As yields: x = ξb·h0, moments about As (6.2.23-4).
                r.AppendLine("　　　　取x＝ξb×h0，对As合力点取矩:");
                N = (v.a1 * v.fc * b * h0 * h0 * xib * (1 - 0.5 * xib) + v.fyp * Asp * (h0 - ap)) / (e * v.g0) / 1000;
                r.AppendValueLine("　　　　N＝｛α1×fc×b×h0×h0×ξb×（1－0.5×ξb）＋fy'×As'×（h0－a'）｝／（e×γ0）＝", N,
                                  "%30.3f", "（kN）");
            } else if (over) {
                // x = ξb·h0 < 2a': As' does not reach fy' and is left out.
                r.AppendLine("　　　　取x＝ξb×h0，因为 ξb＜2×a'／h0，不计As'，对As合力点取矩:");
                N = v.a1 * v.fc * b * h0 * h0 * xib * (1 - 0.5 * xib) / (e * v.g0) / 1000;
                r.AppendValueLine("　　　　N＝α1×fc×b×h0×h0×ξb×（1－0.5×ξb）／（e×γ0）＝", N, "%30.3f", "（kN）");
            }
        } else {
            r.AppendLine("　　　　因为e0≤h／2－a，属于小偏心受拉");
            r.AppendLine("　　　◇截面承载力计算:");
            const double e = half - e0, ep = e0 + h / 2 - ap;
            r.AppendValueLine("　　　　e＝h／2－a－e0＝", e, "%30.1f", "（mm）");
            r.AppendValueLine("　　　　e'＝e0＋h／2－a'＝", ep, "%30.1f", "（mm）");
            const double N2 = v.fy * As * (h0p - a) / (ep * v.g0) / 1000;
            if (e > 0 && ep == 0) {
                r.AppendLine("　　　　因为e'＝0，拉力作用于As'合力点，由As'控制");
                N = v.fy * Asp * (h0 - ap) / (e * v.g0) / 1000;
                r.AppendValueLine("　　　　N＝fy×As'×（h0－a'）／（e×γ0）＝", N, "%30.3f", "（kN）");
            } else if (e > 0) {
                const double N1 = v.fy * Asp * (h0 - ap) / (e * v.g0) / 1000;
                r.AppendValueLine("　　　　N1＝fy×As'×（h0－a'）／（e×γ0）＝", N1, "%30.3f", "（kN）");
                r.AppendValueLine("　　　　N2＝fy×As×（h0'－a）／（e'×γ0）＝", N2, "%30.3f", "（kN）");
                N = std::min(N1, N2);
                r.AppendValueLine("　　　　N＝取小者（N1，N2）＝", N, "%30.3f", "（kN）");
            } else {
                r.AppendLine("　　　　因为e＝0，拉力作用于As合力点，由As控制");
                N = N2;
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
