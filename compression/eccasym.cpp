// Eccentric compression of a rectangular section with asymmetric reinforcement: design of As and
// As', design of As for a given As', and the moment a given section carries under a given N
// (GB 50010-2010 clauses 6.2.3 to 6.2.5, 6.2.7, 6.2.14, 6.2.15, 6.2.17; Table 8.5.1).
#include <algorithm>
#include <cmath>

#include "compression/ecccommon.h"
#include "forms/claimfmt.h"
#include "forms/registry.h"

namespace tov {
namespace {

using namespace ecc;

constexpr int kN = 1024, kM1 = 1075, kM2 = 1007, kLc = 1077, kB = 1001, kH = 1066, kAp = 1022,
              kA = 1002, kAsp = 1023, kAs = 1008, kMu = 1006;
constexpr const char* kData = "数据输入有误，请检查。";
constexpr const char* kMoment = "弯矩数值应大于零，请检查。";
constexpr const char* kForce = "轴心压力数值应大于零，请检查。";

std::vector<Check> designChecks() {
    return {
        positive(kLc, kData), positive(kB, kData), positive(kA, kData), positive(kAp, kData),
        positive(kH, kData), linear({{1, kH}, {-1, kA}, {-1, kAp}}, kData),
        positive(kM1, kMoment), positive(kM2, kMoment), positive(kN, kForce),
    };
}

/// Inputs of the two design forms.
struct DesignIn {
    double N, M1, M2, Lc, b, h, ap, a;
};

DesignIn designIn(const CalcForm& f) {
    return {f.value(kN), f.value(kM1), f.value(kM2), f.value(kLc),
            f.value(kB), f.value(kH), f.value(kAp), f.value(kA)};
}

// Lines 2 to 13 of both design sheets.
void designHead(CalcReport& r, const CalcForm& f, const DesignIn& in) {
    r.AppendLine("一、设计要求:");
    r.AppendNameLine("　　　　结构安全等级: ", f.sheetName(kSafety));
    r.AppendValueLine("　　　　轴向压力设计值 N＝", in.N, "%30.3f", "（kN）");
    r.AppendValueLine("　　　　弯矩设计值 M1＝", in.M1, "%30.6f", "（kN.m）");
    r.AppendValueLine("　　　　弯矩设计值 M2＝", in.M2, "%30.6f", "（kN.m）");
    r.AppendNameLine("　　　　混凝土强度等级: ", f.sheetName(kConcrete));
    r.AppendNameLine("　　　　钢筋等级: ", f.sheetName(kSteel));
    r.AppendValueLine("　　　　计算长度 Lc＝", in.Lc, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　矩形截面宽 b＝", in.b, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　矩形截面高 h＝", in.h, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a'＝", in.ap, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a ＝", in.a, "%30.1f", "（mm）");
}

/// What the design forms share up to ei.
struct Eccentricity {
    double ea, M, xib, e0, ei, e;
};

// Lines 27 to 49 of form 180 (28 to 50 of form 192).
Eccentricity processHead(CalcReport& r, const CalcForm& f, const DesignIn& in, const Section& s) {
    Eccentricity x;
    r.AppendLine("三、计算过程:");
    x.ea = depthsAndEa(r, in.h, in.a, in.ap);
    x.M = secondOrder(r, {in.N, in.M1, in.M2, in.Lc, in.b, in.h, s.h0(), x.ea, s.fc, f.checked(kWall), true});
    r.AppendLine("　　　◇相对受压区高度:");
    x.xib = s.xib();
    r.AppendValueLine("　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝", x.xib, "%30.3f");
    r.AppendLine("　　　◇偏心距计算:");
    x.e0 = x.M * 1000 / in.N;
    r.AppendValueLine("　　　　偏心距 e0＝M／N＝", x.e0, "%30.1f", "（mm）");
    x.ei = x.e0 + x.ea;
    r.AppendValueLine("　　　　ei＝e0＋ea＝", x.ei, "%30.1f", "（mm）");
    x.e = x.ei + in.h / 2 - in.a;
    return x;
}

/// As' needed by the moment equilibrium about As at ξ.
double aspFromMoment(const Section& s, double g0N, double e, double xi) {
    return (g0N * e - s.concreteMoment(xi)) / (s.fyp * (s.h0() - s.ap));
}

/// Reverse-failure check of clause 6.2.17 (only when γ0·N > fc·b·h); returns As it requires.
double reverseFailure(CalcReport& r, const Section& s, double g0N, double e0, double ea, double As) {
    const double fcbh = s.fc * s.b * s.h;
    if (g0N <= fcbh) return As;
    valueLine(r, "　　　　因为 γ0×N＞fc×b×h＝", fcbh / 1000, "%30.3f", "（kN），应按规范第6.2.17条验算反向破坏:");
    const double ep = s.h / 2 - s.ap - (e0 - ea);
    r.AppendValueLine("　　　　e'＝h／2－a'－（e0－ea）＝", ep, "%30.1f", "（mm）");
    const double AsRev = (g0N * ep - fcbh * (s.h0p() - s.h / 2)) / (s.fyp * (s.h0p() - s.a));
    r.AppendValueLine("　　　　As＝｛γ0×N×e'－fc×b×h×（h0'－h／2）｝／｛fy'×（h0'－a）｝＝", AsRev, "%30.1f", "（mm2）");
    if (AsRev > As) {
        r.AppendValueLine("　　　　取 As＝", AsRev, "%30.1f", "（mm2）");
        return AsRev;
    }
    r.AppendLine("　　　　反向破坏不控制，As 取值不变");
    return As;
}

struct Areas {
    double As, Asp;
    bool large;  ///< the solution turned out to have ξ ≤ ξb
};

void largeBothUnknown(CalcReport& r, const Section& s, double g0N, const Eccentricity& x, double min1, double& As,
                      double& Asp);

/// Small eccentricity with both areas unknown: As from its minimum (and the reverse-failure
/// check), then ξ and As' from the two equilibrium equations with the bounded σs.
Areas asymSmallDesign(CalcReport& r, const Section& s, double g0N, const Eccentricity& x) {
    double As = 0.002 * s.b * s.h;
    r.AppendValueLine("　　　　As 按一侧纵向钢筋最小配筋率取 As＝0.2％×b×h＝", As, "%30.1f", "（mm2）");
    As = reverseFailure(r, s, g0N, x.e0, x.ea, As);
    auto G = [&](double xi) { return s.concreteForce(xi) + s.fyp * aspFromMoment(s, g0N, x.e, xi) - s.sigmaS(xi) * As - g0N; };
    if (G(s.xib()) >= 0) {
        // With As at this value the moment needs the tension bars to yield: the member is in fact
        // large-eccentric, and ξ = ξb gives As ≥ the value above.
        r.AppendLine("　　　　以 ξ＝ξb 代入平衡方程，As 不小于上值时受拉钢筋屈服，改按大偏心受压计算:");
        Areas out{0, 0, true};
        largeBothUnknown(r, s, g0N, x, 0.002 * s.b * s.h, out.As, out.Asp);
        out.As = std::max(out.As, As);
        return out;
    }
    r.AppendLine("　　　　取 σs＝fy×（ξ－β1）／（ξb－β1），－fy'≤σs≤fy，由");
    r.AppendLine("　　　　γ0×N＝α1×fc×b×h0×ξ＋fy'×As'－σs×As");
    r.AppendLine("　　　　γ0×N×e＝α1×fc×b×h0×h0×ξ（1－0.5×ξ）＋fy'×As'（h0－a'）");
    r.AppendLine("　　　　联立求解得:");
    const double hi = s.ximax();
    Areas out{As, 0, false};
    if (G(hi) < 0) {
        // Even x = h leaves the axial force uncarried by the moment solution: the force governs.
        r.AppendValueLine("　　　　受压区高度 x 超过 h，取 x＝h，ξ＝h／h0＝", hi, "%30.3f");
        const double sigma = sigmaLine(r, s, hi);
        out.Asp = (g0N - s.concreteForce(hi) + sigma * As) / s.fyp;
        r.AppendValueLine("　　　　As'＝（γ0×N－α1×fc×b×h0×ξ＋σs×As）／fy'＝", out.Asp, "%30.1f", "（mm2）");
        return out;
    }
    const double xi = firstRoot(G, s.xib(), hi).value_or(s.xib());
    r.AppendValueLine("　　　　ξ＝", xi, "%30.3f");
    sigmaLine(r, s, xi);
    out.Asp = aspFromMoment(s, g0N, x.e, xi);
    r.AppendValueLine("　　　　As'＝｛γ0×N×e－α1×fc×b×h0×h0×ξ（1－0.5×ξ）｝／｛fy'×（h0－a'）｝＝", out.Asp, "%30.1f",
                      "（mm2）");
    return out;
}

/// A designed As' below the one-face minimum takes the minimum.
double aspMinimum(CalcReport& r, double Asp, double min) {
    if (Asp >= min) return Asp;
    if (Asp < 0) r.AppendLine("　　　　As'＜0，按计算不需配置受压钢筋");
    r.AppendValueLine("　　　　As'＜0.2％×b×h，按最小配筋率取 As'＝0.2％×b×h＝", min, "%30.1f", "（mm2）");
    return min;
}

/// The "As≥ρmin×b×h" line, or its opposite with the minimum taken.
double asMinimum(CalcReport& r, double As, double min) {
    if (As >= min) {
        r.AppendValueLine("　　　　As≥ρmin×b×h＝", min, "%30.1f", "（mm2）");
        return As;
    }
    r.AppendValueLine("　　　　As＜ρmin×b×h＝", min, "%30.1f", "（mm2）");
    r.AppendValueLine("　　　　按最小配筋率取 As＝ρmin×b×h＝", min, "%30.1f", "（mm2）");
    return min;
}

/// Lines 61 to 64: all longitudinal bars; a shortfall is added to the bars named by raiseAsp.
void allBars(CalcReport& r, const CalcForm& f, const Section& s, double& As, double& Asp, bool raiseAsp) {
    r.AppendLine("　　　◇全部纵向钢筋配筋率:");
    const double rho = rhoMinAll(f.pick(kConcrete), f.pick(kSteel));
    valueLine(r, "　　　　规范要求全部纵向钢筋的最小配筋率为 ρmin＝", rho, "%.2f", "％");
    r.AppendValueLine("　　　　As＋As'＝", As + Asp, "%30.1f", "（mm2）");
    const double min = rho / 100 * s.b * s.h;
    if (As + Asp >= min) {
        r.AppendValueLine("　　　　As＋As'≥ρmin×b×h＝", min, "%30.1f", "（mm2）");
        return;
    }
    r.AppendValueLine("　　　　As＋As'＜ρmin×b×h＝", min, "%30.1f", "（mm2）");
    if (raiseAsp) {
        Asp = min - As;
        r.AppendValueLine("　　　　按全部纵向钢筋最小配筋率取 As'＝ρmin×b×h－As＝", Asp, "%30.1f", "（mm2）");
    } else {
        As = min - Asp;
        r.AppendValueLine("　　　　按全部纵向钢筋最小配筋率取 As＝ρmin×b×h－As'＝", As, "%30.1f", "（mm2）");
    }
}

/// Large eccentricity with As' known and ξ ≤ ξb: As by 6.2.17 or, for ξ < 2a'/h0, by 6.2.14.
double largeAs(CalcReport& r, const Section& s, double g0N, double xi, double Asp, double ei, bool sayBounds) {
    if (xi >= 2 * s.ap / s.h0()) {
        if (sayBounds) r.AppendLine("　　　　因为 2×a'／h0≤ξ≤ξb");
        const double As = (s.concreteForce(xi) + s.fyp * Asp - g0N) / s.fy;
        r.AppendValueLine("　　　　As＝（α1×fc×b×h0×ξ＋fy'×As'－γ0×N）／fy＝", As, "%30.1f", "（mm2）");
        return As;
    }
    r.AppendLine("　　　　因为 ξ＜2×a'／h0，取 x＝2a'，对 As' 合力点取矩（规范第6.2.14条）:");
    const double ep = ei - s.h / 2 + s.ap;
    r.AppendValueLine("　　　　e'＝ei－h／2＋a'＝", ep, "%30.1f", "（mm）");
    const double As = g0N * ep / (s.fy * (s.h0() - s.ap));
    r.AppendValueLine("　　　　As＝γ0×N×e'／｛fy×（h0－a'）｝＝", As, "%30.1f", "（mm2）");
    return smallerWithoutAsp(r, s, g0N, ei + s.h / 2 - s.a, As, "　　　　取两者中的较小值 As＝");
}

const char* const kXiText = "　　　　ξ＝1－√￣｛1－2×［γ0×N×e－fy'×As'（h0－a'）］／（α1×fc×b×h0×h0）｝＝";

/// ξ of large eccentricity for a known As' (real: the root is checked by the caller).
double radicand(const Section& s, double g0N, double e, double Asp) {
    return 1 - 2 * (g0N * e - s.fyp * Asp * (s.h0() - s.ap)) / (s.alpha1 * s.fc * s.b * s.h0() * s.h0());
}

/// Large eccentricity with both areas unknown: ξ = ξb, As' from the moment, As from the force;
/// an As' below the one-face minimum takes the minimum and As follows from the known As'.
void largeBothUnknown(CalcReport& r, const Section& s, double g0N, const Eccentricity& x, double min1, double& As,
                      double& Asp) {
    if (x.xib < 2 * s.ap / s.h0()) {
        // Deep covers: at ξb the compression bars would not yield. As' takes its minimum and As
        // follows from moments about As' (clause 6.2.14); the capacity check of the design follows.
        r.AppendLine("　　　　因为 ξb＜2×a'／h0，As' 按最小配筋率配置，取 x＝2a'，对 As' 合力点取矩（规范第6.2.14条）:");
        Asp = min1;
        r.AppendValueLine("　　　　As'＝0.2％×b×h＝", Asp, "%30.1f", "（mm2）");
        const double ep = x.ei - s.h / 2 + s.ap;
        r.AppendValueLine("　　　　e'＝ei－h／2＋a'＝", ep, "%30.1f", "（mm）");
        As = std::max(0.0, g0N * ep / (s.fy * (s.h0() - s.ap)));
        r.AppendValueLine("　　　　As＝γ0×N×e'／｛fy×（h0－a'）｝＝", As, "%30.1f", "（mm2）");
        return;
    }
    Asp = aspFromMoment(s, g0N, x.e, x.xib);
    r.AppendValueLine("　　　　As'＝｛γ0×N×e－α1×fc×b×h0×h0×ξb（1－0.5×ξb）｝／｛fy'×（h0－a'）｝＝", Asp, "%30.1f", "（mm2）");
    if (Asp >= min1) {
        // Force equilibrium of 6.2.17 with σs = fy: the tension bars work at fy (435 N/mm², not
        // fy' = 410, for the 500 MPa grades); the line names fy' where the two are equal.
        As = (s.concreteForce(x.xib) + s.fyp * Asp - g0N) / s.fy;
        r.AppendValueLine(s.fy == s.fyp ? "　　　　As＝（α1×fc×b×h0×ξb＋fy'×As'－γ0×N）／fy'＝"
                                        : "　　　　As＝（α1×fc×b×h0×ξb＋fy'×As'－γ0×N）／fy＝",
                          As, "%30.1f", "（mm2）");
        return;
    }
    // More compression steel than ξb needs: ξ follows from the known As'.
    Asp = aspMinimum(r, Asp, min1);
    r.AppendLine("　　　　按已知 As' 求 As:");
    const double xi = 1 - std::sqrt(radicand(s, g0N, x.e, Asp));
    r.AppendValueLine(kXiText, xi, "%30.3f");
    As = largeAs(r, s, g0N, xi, Asp, x.ei, true);
}

/// The failure type after the areas were raised by the capacity check, said when it changed.
template <class Form>
void retypeOf(Form& f, CalcReport& r, const Capacity& c) {
    const char* t = c.small() ? kSmall : kLarge;
    if (f.text(kType) == t) return;
    f.setTypeText(t);
    r.AppendLine(c.small() ? "　　　　按复核后的配筋 ξ＞ξb，属于小偏心受压" : "　　　　按复核后的配筋 ξ≤ξb，属于大偏心受压");
}

// --- Design of As and As' -------------------------------------------------------------------

const FormDecl& designDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CEccCompAsymDesignDlg";
        s.dialogId = 180;
        s.commandId = 32812;
        s.title = "不对称配筋(矩形截面)偏心受压构件正截面配筋计算(求As,As')";
        s.picture = Picture::EccRect;
        s.calcId = 1000;
        const char* g = "设计要求";
        s.controls = {
            gradePicker(180, kSafety, "结构安全等级", g),
            gradePicker(180, kConcrete, "混凝土强度等级", g),
            gradePicker(180, kSteel, "钢筋等级", g),
            edit(kN, "轴向压力设计值N(kN)", "kN", 4180, g),
            edit(kM1, "弯矩设计值M1(kN.m)", "kN.m", 460, g),
            edit(kM2, "弯矩设计值M2(kN.m)", "kN.m", 480, g),
            noTab(edit(kLc, "计算长度Lc(mm)", "mm", 7500, g)),
            edit(kB, "矩形截面宽 b(mm)", "mm", 500, g),
            edit(kH, "矩形截面高 h(mm)", "mm", 800, g),
            edit(kAp, "钢筋合力点距离a'(mm)", "mm", 50, g),
            edit(kA, "钢筋合力点距离a (mm)", "mm", 50, g),
            checkBox(kWall, "构件是剪力墙及核心筒墙", false, "计算参数"),
            textResult(kType, "构件破坏类型", "计算参数"),
            result(kAsp, "钢筋面积As'(mm2)", "mm2", "计算结果"),
            result(kAs, "钢筋面积As(mm2)", "mm2", "计算结果"),
        };
        s.checks = designChecks();
        return s;
    }();
    return decl;
}

class CEccCompAsymDesignDlg final : public CalcForm {
public:
    CEccCompAsymDesignDlg() : CalcForm(designDecl()) {}
    void setTypeText(const char* t) { setText(kType, t); }

protected:
    void retype(CalcReport& r, const Capacity& c) { retypeOf(*this, r, c); }
    Outcome calculate(CalcReport& r) override {
        const DesignIn in = designIn(*this);
        const Section s = sectionOf(*this, in.b, in.h, in.a, in.ap);
        const double g0N = s.g0 * in.N * 1000, h0 = s.h0();
        const double min1 = 0.002 * in.b * in.h;

        r.begin("─────不对称配筋（矩形截面）偏心受压构件正截面配筋计算书（求As'，As）─────");
        designHead(r, *this, in);
        parameters(r, *this, "%30.2f");
        const Eccentricity x = processHead(r, *this, in, s);

        r.AppendLine("　　　◇界限偏心距计算:");
        r.AppendLine("　　　　取 ρ＝ρ'＝0.20％（最小配筋率）");
        const double rho = 0.002, a1fc = s.alpha1 * s.fc;
        const double eib = (x.xib * h0 * (1 - 0.5 * x.xib) + rho * s.fy * (h0 - in.ap) / a1fc) /
                               (x.xib + rho * s.fyp / a1fc - rho * s.fy / a1fc) -
                           in.h / 2 + in.a;
        r.AppendValueLine(
            "　　　　eib＝｛ξb×h0（1－0.5×ξb）＋ρ'×fy（h0－a'）／（α1×fc）｝／｛ξb＋ρ'×fy'／（α1×fc）－ρ×fy／（α1×fc）｝－h／2＋a＝",
            eib, "%30.1f", "（mm）");
        r.AppendLine("　　　◇判别结构破坏类型");

        double As, Asp;
        if (x.ei >= eib) {
            setText(kType, kLarge);
            r.AppendLine("　　　　因为 ei≥eib，是大偏心受压构件");
            r.AppendLine("　　　◇钢筋面积计算:");
            r.AppendValueLine("　　　　e＝ei＋h／2－a＝", x.e, "%30.1f", "（mm）");
            largeBothUnknown(r, s, g0N, x, min1, As, Asp);
        } else {
            setText(kType, kSmall);
            r.AppendLine("　　　　因为 ei＜eib，是小偏心受压构件");
            r.AppendLine("　　　◇钢筋面积计算:");
            r.AppendValueLine("　　　　e＝ei＋h／2－a＝", x.e, "%30.1f", "（mm）");
            const Areas areas = asymSmallDesign(r, s, g0N, x);
            if (areas.large) setText(kType, kLarge);
            As = areas.As;
            Asp = aspMinimum(r, areas.Asp, min1);
        }
        r.AppendLine("　　　　规范要求受压构件一侧纵向钢筋最小配筋率 ρmin＝0.20％");
        As = asMinimum(r, As, min1);
        allBars(r, *this, s, As, Asp, true);
        const bool minima = As <= min1 && Asp <= min1;
        const DesignEnd end = finishDesign(r, s, g0N, x.e, in.Lc, in.N, As, Asp, Raise::Either, kNuBraces,
                                           [&](const Capacity& c) { retype(r, c); });
        if (!end.ok) {
            setEmpty(kAsp);
            setEmpty(kAs);
            setVerdict(Verdict::Kind::Fail, "截面尺寸过小，应加大截面");
            return sheet();
        }
        setValue(kAsp, end.Asp);
        setValue(kAs, end.As);
        if (minima && end.As == As && end.Asp == Asp)
            setVerdict(Verdict::Kind::Detailing, "按最小配筋率构造配筋");
        else
            setVerdict(Verdict::Kind::Ok, "满足要求");
        return sheet();
    }
};

// --- Design of As for a known As' -----------------------------------------------------------

const FormDecl& knownDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CEccCompAsymKnownAsDlg";
        s.dialogId = 192;
        s.commandId = 32813;
        s.title = "不对称配筋(矩形截面)偏心受压构件正截面配筋计算(已知As',求As)";
        s.picture = Picture::EccRect;
        s.calcId = 1000;
        const char* g = "设计要求";
        s.controls = {
            gradePicker(192, kSafety, "结构安全等级", g),
            gradePicker(192, kConcrete, "混凝土强度等级", g),
            gradePicker(192, kSteel, "钢筋等级", g),
            digitsEdit(kN, "轴向压力设计值N(kN)", "kN", 310, g),
            edit(kM1, "弯矩设计值M1(kN.m)", "kN.m", 155, g),
            edit(kM2, "弯矩设计值M2(kN.m)", "kN.m", 165, g),
            noTab(edit(kLc, "计算长度Lc(mm)", "mm", 3500, g)),
            digitsEdit(kB, "矩形截面宽 b(mm)", "mm", 300, g),
            digitsEdit(kH, "矩形截面高 h(mm)", "mm", 400, g),
            digitsEdit(kAp, "钢筋合力点距离a'(mm)", "mm", 40, g),
            digitsEdit(kA, "钢筋合力点距离a (mm)", "mm", 40, g),
            edit(kAsp, "钢筋面积As'(mm2)", "mm2", 509, g),
            checkBox(kWall, "构件是剪力墙及核心筒墙", false, "计算参数"),
            textResult(kType, "构件破坏类型", "计算参数"),
            result(kAs, "钢筋面积As(mm2)", "mm2", "计算结果"),
        };
        s.checks = designChecks();
        s.checks.push_back(positive(kAsp, "钢筋As'面积应大于零，请检查。"));
        return s;
    }();
    return decl;
}

class CEccCompAsymKnownAsDlg final : public CalcForm {
public:
    CEccCompAsymKnownAsDlg() : CalcForm(knownDecl()) {}
    void setTypeText(const char* t) { setText(kType, t); }

protected:
    void retype(CalcReport& r, const Capacity& c) { retypeOf(*this, r, c); }
    Outcome calculate(CalcReport& r) override {
        const DesignIn in = designIn(*this);
        const Section s = sectionOf(*this, in.b, in.h, in.a, in.ap);
        const double g0N = s.g0 * in.N * 1000;
        const double min1 = 0.002 * in.b * in.h;
        double Asp = value(kAsp), As = 0;

        r.begin("─────不对称配筋（矩形截面）偏心受压构件正截面配筋计算书（已知As'，求As）─────");
        designHead(r, *this, in);
        r.AppendValueLine("　　　　钢筋截面面积 As'＝", Asp, "%30.1f", "（mm2）");
        parameters(r, *this, "%30.2f");
        const Eccentricity x = processHead(r, *this, in, s);
        r.AppendValueLine("　　　　e＝ei＋h／2－a＝", x.e, "%30.1f", "（mm）");
        r.AppendLine("　　　◇判别结构破坏类型");
        r.AppendValueLine("　　　　e＝ei＋h／2－a＝", x.e, "%30.1f", "（mm）");

        const double rad = radicand(s, g0N, x.e, Asp);
        if (rad < 0) {
            setText(kType, kLarge);
            r.AppendValueLine("　　　　1－2×［γ0×N×e－fy'×As'（h0－a'）］／（α1×fc×b×h0×h0）＝", rad, "%30.3f");
            r.AppendLine("　　　　根号内数值小于零，已知的 As' 过小，取 ξ＝ξb 重新计算 As' 和 As:");
            r.AppendLine("　　　◇钢筋面积计算:");
            Asp = aspFromMoment(s, g0N, x.e, x.xib);
            r.AppendValueLine("　　　　As'＝｛γ0×N×e－α1×fc×b×h0×h0×ξb（1－0.5×ξb）｝／｛fy'×（h0－a'）｝＝", Asp, "%30.1f",
                              "（mm2）");
            As = (s.concreteForce(x.xib) + s.fyp * Asp - g0N) / s.fy;
            r.AppendValueLine("　　　　As＝（α1×fc×b×h0×ξb＋fy'×As'－γ0×N）／fy＝", As, "%30.1f", "（mm2）");
        } else {
            const double xi = 1 - std::sqrt(rad);
            r.AppendValueLine(kXiText, xi, "%30.3f");
            if (xi <= x.xib) {
                setText(kType, kLarge);
                r.AppendLine("　　　　因为 ξ≤ξb，是大偏心受压构件");
                r.AppendLine("　　　◇钢筋面积计算:");
                As = largeAs(r, s, g0N, xi, Asp, x.ei, true);
            } else {
                setText(kType, kSmall);
                r.AppendLine("　　　　因为 ξ＞ξb，是小偏心受压构件");
                r.AppendLine("　　　◇钢筋面积计算:");
                if (!smallKnownAsp(r, s, g0N, x, xi, Asp, As)) {
                    r.AppendLine("　　　　已知的 As' 不足以承受该偏心压力，按 As' 未知重新计算:");
                    const Areas areas = asymSmallDesign(r, s, g0N, x);
                    if (areas.large) setText(kType, kLarge);
                    As = areas.As;
                    Asp = aspMinimum(r, areas.Asp, min1);
                    r.AppendValueLine("　　　　取 As'＝", Asp, "%30.1f", "（mm2）");
                }
            }
        }
        r.AppendLine("　　　◇配筋率验算:");
        As = asMinimum(r, As, min1);
        if (Asp < min1)
            r.AppendValueLine("　　　　已知 As'＜ρmin×b×h＝", min1, "%30.1f", "（mm2），不满足一侧纵向钢筋最小配筋率要求");
        allBars(r, *this, s, As, Asp, false);
        // As' given: only As may grow (As' designed anew may grow as well).
        const bool minimum = As <= min1;
        const DesignEnd end = finishDesign(r, s, g0N, x.e, in.Lc, in.N, As, Asp,
                                           Asp == value(kAsp) ? Raise::As : Raise::Either, kNuBrackets,
                                           [&](const Capacity& c) { retype(r, c); });
        if (!end.ok) {
            setEmpty(kAs);
            setVerdict(Verdict::Kind::Fail, "截面尺寸过小，应加大截面");
            return sheet();
        }
        setValue(kAs, end.As);
        if (end.Asp != value(kAsp)) {  // the sheet has given the As' to provide
            setVerdict(Verdict::Kind::Fail, "已知As'不足，应按计算值配置");
        } else if (minimum && end.As == As) {
            setVerdict(Verdict::Kind::Detailing, "按最小配筋率构造配筋");
        } else {
            setVerdict(Verdict::Kind::Ok, "满足要求");
        }
        return sheet();
    }

private:
    /// Small eccentricity with the given As': ξ from the moment about As, then As from the force
    /// equilibrium with σs. False when the given As' cannot carry the force at that ξ.
    static bool smallKnownAsp(CalcReport& r, const Section& s, double g0N, const Eccentricity& x, double xi,
                              double Asp, double& As) {
        const double sigma = s.sigmaS(xi);
        const double num = s.concreteForce(xi) + s.fyp * Asp - g0N;
        const double min1 = 0.002 * s.b * s.h;
        double candidate;
        if ((sigma > 1e-9 && num > 0) || (sigma < -1e-9 && num < 0)) {
            candidate = num / sigma;
        } else if (sigma > -1e-9 && num <= 0) {
            candidate = 0;  // the concrete and As' carry the force: As is not needed by strength
        } else {
            return false;
        }
        // The minimum and the reverse-failure check may raise As; with As in compression a larger
        // As lowers the moment the section carries, so the result is checked with its capacity.
        double final = std::max(candidate, min1);
        if (g0N > s.fc * s.b * s.h) {
            const double ep = s.h / 2 - s.ap - (x.e0 - x.ea);
            final = std::max(final, (g0N * ep - s.fc * s.b * s.h * (s.h0p() - s.h / 2)) / (s.fyp * (s.h0p() - s.a)));
        }
        if (!carries(s, g0N, x.e, final, Asp)) return false;
        sigmaLine(r, s, xi);
        if (candidate > 0) {
            r.AppendValueLine("　　　　As＝（α1×fc×b×h0×ξ＋fy'×As'－γ0×N）／σs＝", candidate, "%30.1f", "（mm2）");
        } else {
            valueLine(r, "　　　　α1×fc×b×h0×ξ＋fy'×As'－γ0×N＝", num / 1000, "%30.3f", "（kN）≤0，按计算不需配置 As");
        }
        As = reverseFailure(r, s, g0N, x.e0, x.ea, candidate);
        return true;
    }
};

// --- Check: the moment a given section carries under N --------------------------------------

const FormDecl& checkDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CEccCompAsymCheckDlg";
        s.dialogId = 198;
        s.commandId = 32828;
        s.title = "不对称编心受压承载力(已知N,求e0,M)";
        s.picture = Picture::EccRect;
        s.calcId = 1000;
        const char* g = "设计要求";
        Control mu = result(kMu, "弯矩 M(kN.m)", "kN.m", "计算结果");
        mu.kind = CtlKind::DigitsResult;
        s.controls = {
            gradePicker(198, kSafety, "结构安全等级", g),
            digitsEdit(kN, "轴心压力设计值 N(kN)", "kN", 500, g),
            gradePicker(198, kConcrete, "混凝土强度等级", g),
            gradePicker(198, kSteel, "钢筋等级", g),
            digitsEdit(kB, "矩形截面宽 b(mm)", "mm", 400, g),
            digitsEdit(kH, "矩形截面高 h(mm)", "mm", 500, g),
            digitsEdit(kAp, "钢筋合力点距离a'(mm)", "mm", 45, g),
            digitsEdit(kA, "钢筋合力点距离a (mm)", "mm", 45, g),
            edit(kAsp, "钢筋面积As'(mm2)", "mm2", 942, g),
            edit(kAs, "钢筋面积As (mm2)", "mm2", 1520, g),
            mu,
            textResult(kType, "构件破坏类型", ""),
        };
        s.checks = {
            positive(kB, kData), positive(kA, kData), positive(kAp, kData), positive(kH, kData),
            linear({{1, kH}, {-1, kA}, {-1, kAp}}, kData),
            positive(kAs, "钢筋面积数值应大于零，请检查。"), positive(kAsp, "钢筋面积数值应大于零，请检查。"),
            positive(kN, kForce),
        };
        return s;
    }();
    return decl;
}

class CEccCompAsymCheckDlg final : public CalcForm {
public:
    CEccCompAsymCheckDlg() : CalcForm(checkDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double N = value(kN), b = value(kB), h = value(kH), ap = value(kAp), a = value(kA);
        const double Asp = value(kAsp), As = value(kAs);
        // The compression bars work at the grade's own fy' (410 N/mm² for the 500 MPa grades).
        const Section s = sectionOf(*this, b, h, a, ap);
        const double g0N = s.g0 * N * 1000, h0 = s.h0();

        const double ea = checkSheetHead(r, *this, "─────不对称配筋矩形截面偏心受压构件正截面承载力计算书（已知N，求e0，M）─────", N, b, h, ap, a, Asp, As, h0);
        const Capacity c = capacity(s, g0N, As, Asp);
        const char* xf = fixedFormat(xiDecimals(s, xiLarge(s, g0N, As, Asp), c));
        r.AppendLine("　　　◇相对受压区高度:");
        r.AppendValueLine("　　　　ξb＝β1／（1＋fy／Es／εcu）＝", s.xib(), xf);
        r.AppendValueLine("　　　　ξ＝（γ0×N－fy'×As'＋fy×As）／（α1×fc×b×h0）＝", xiLarge(s, g0N, As, Asp), xf);
        r.AppendValueLine("　　　　2×a'／h0＝", 2 * ap / h0, xf);
        r.AppendLine("　　　◇弯矩计算:");

        setText(kType, c.small() ? kSmall : kLarge);
        const char* eText = "　　　　e＝｛α1×fc×b×h0×h0×ξ（1－ξ／2）＋fy'×As'（h0－a'）｝／（N×γ0）＝";
        switch (c.kind) {
        case Capacity::Large:
            r.AppendLine("　　　　因为 2×a'／h0≤ξ≤ξb，是大偏心受压构件");
            r.AppendValueLine(eText, c.e, "%30.1f", "（mm）");
            r.AppendValueLine("　　　　ei＝e－h／2＋a＝", c.ei, "%30.1f", "（mm）");
            break;
        case Capacity::LargeBelow2a:
            r.AppendLine("　　　　因为 ξ＜2×a'／h0，是大偏心受压构件，取 x＝2a'，对 As' 合力点取矩（规范第6.2.14条）:");
            belowTwoApLines(r, s, c);
            break;
        case Capacity::Small:
        case Capacity::SmallBelow2a:
            r.AppendLine("　　　　因为 ξ＞ξb，是小偏心受压构件，取 σs＝fy×（ξ－β1）／（ξb－β1），－fy'≤σs≤fy，");
            r.AppendValueLine("　　　　由 γ0×N＝α1×fc×b×h0×ξ＋fy'×As'－σs×As 解得 ξ＝", c.xi, xf);
            sigmaLine(r, s, c.xi);
            if (c.kind == Capacity::SmallBelow2a) {
                planeSectionLines(r, c);
                break;
            }
            r.AppendValueLine(eText, c.e, "%30.1f", "（mm）");
            r.AppendValueLine("　　　　ei＝e－h／2＋a＝", c.ei, "%30.1f", "（mm）");
            break;
        case Capacity::Exceeds:
            return exceeds(r, s, As, Asp);
        }
        const double e0 = c.ei - ea;
        r.AppendValueLine("　　　　e0＝ei－ea＝", e0, "%30.1f", "（mm）");
        if (e0 < 0) {
            r.AppendLine("　　　　因为 e0＜0，截面在该轴力下不能承受附加偏心距 ea 之外的弯矩，承载力不足，取 Mu＝0");
            setValue(kMu, 0);
        setVerdict(Verdict::Kind::Fail, "截面承载力不足");
            return sheet();
        }
        // e already belongs to γ0·N: the moment is N·e0, with no further division by γ0.
        const double Mu = N * e0 / 1000;
        r.AppendValueLine("　　　　Mu＝N×e0＝", Mu, "%30.6f", "（kN.m）");
        setValue(kMu, Mu);
        setVerdict(Verdict::Kind::Ok, "截面可承受该轴力");
        return sheet();
    }

private:
    Outcome exceeds(CalcReport& r, const Section& s, double As, double Asp) {
        r.AppendLine("　　　　因为 ξ＞ξb，是小偏心受压构件");
        r.AppendValueLine("　　　　受压区高度取到 x＝h，ξ＝h／h0＝", s.ximax(), "%30.3f");
        const double sigma = sigmaLine(r, s, s.ximax());
        valueLine(r, "　　　　γ0×N＞α1×fc×b×h＋fy'×As'－σs×As＝",
                  (s.alpha1 * s.fc * s.b * s.h + s.fyp * Asp - sigma * As) / 1000, "%30.3f",
                  "（kN），截面不能承受该轴力，取 Mu＝0");
        setValue(kMu, 0);
        setVerdict(Verdict::Kind::Fail, "截面承载力不足");
        return sheet();
    }
};

}  // namespace

TOVARIN_FORM(CEccCompAsymDesignDlg, designDecl)
TOVARIN_FORM(CEccCompAsymKnownAsDlg, knownDecl)
TOVARIN_FORM(CEccCompAsymCheckDlg, checkDecl)

}  // namespace tov
