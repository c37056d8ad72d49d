// Eccentric compression of a rectangular section with symmetric reinforcement (As = As', a = a'):
// design of As = As', and the moment a given section carries under a given N
// (GB 50010-2010 clauses 6.2.3 to 6.2.5, 6.2.7, 6.2.14, 6.2.15, 6.2.17; Table 8.5.1).
#include <algorithm>
#include <cmath>

#include "compression/ecccommon.h"
#include "forms/claimfmt.h"
#include "forms/registry.h"

namespace tov {
namespace {

using namespace ecc;

constexpr int kN = 1024, kM1 = 1075, kM2 = 1007, kLc = 1077, kB = 1001, kH = 1066, kA = 1002,
              kAs = 1008, kAsp = 1023, kM = 1006;
constexpr const char* kForce = "轴心压力数值应大于零，请检查。";

// --- Design of As = As' ---------------------------------------------------------------------

const FormDecl& designDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CEccCompSymDesignDlg";
        s.dialogId = 190;
        s.commandId = 32824;
        s.title = "对称配筋(矩形截面)偏心受压构件正截面配筋计算(求As,As')";
        s.picture = Picture::EccRect;
        s.calcId = 1000;
        const char* g = "设计要求";
        const char* size = "尺寸数据输入有误，请检查。";
        s.controls = {
            gradePicker(190, kSafety, "结构安全等级", g),
            gradePicker(190, kConcrete, "混凝土强度等级", g),
            gradePicker(190, kSteel, "钢筋等级", g),
            digitsEdit(kN, "轴向压力设计值N(kN)", "kN", 2310, g),
            digitsEdit(kM1, "弯矩设计值M1(kN.m)", "kN.m", 540, g),
            edit(kM2, "弯矩设计值M2(kN.m)", "kN.m", 560, g),
            noTab(edit(kLc, "计算长度Lc(mm)", "mm", 4800, g)),
            digitsEdit(kB, "矩形截面宽 b(mm)", "mm", 500, g),
            digitsEdit(kH, "矩形截面高 h(mm)", "mm", 650, g),
            digitsEdit(kA, "钢筋合力点距离a',a(mm)", "mm", 50, g),
            checkBox(kWall, "构件是剪力墙及核心筒墙", false, "计算参数"),
            textResult(kType, "构件破坏类型", "计算参数"),
            result(kAs, "钢筋面积As(mm2)", "mm2", "计算结果"),
            result(kAsp, "钢筋面积As'(mm2)", "mm2", "计算结果"),
        };
        s.checks = {
            positive(kLc, size), positive(kH, size), positive(kB, size), positive(kA, size),
            linear({{1, kH}, {-2, kA}}, size),
            positive(kM1, "弯矩数值应大于零，请检查。"), positive(kM2, "弯矩数值应大于零，请检查。"),
            positive(kN, kForce),
        };
        return s;
    }();
    return decl;
}

class CEccCompSymDesignDlg final : public CalcForm {
public:
    CEccCompSymDesignDlg() : CalcForm(designDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double N = value(kN), M1 = value(kM1), M2 = value(kM2), Lc = value(kLc);
        const double b = value(kB), h = value(kH), a = value(kA), ap = a;
        const Section s = sectionOf(*this, b, h, a, ap);
        const double g0N = s.g0 * N * 1000, h0 = s.h0();

        r.begin("─────对称配筋（矩形截面）偏心受压构件正截面配筋计算书─────");
        r.AppendLine("一、设计要求:");
        r.AppendNameLine("　　　　结构安全等级: ", sheetName(kSafety));
        r.AppendValueLine("　　　　轴向压力设计值 N＝", N, "%30.3f", "（kN）");
        r.AppendValueLine("　　　　弯矩设计值 M1＝", M1, "%30.6f", "（kN.m）");
        r.AppendValueLine("　　　　弯矩设计值 M2＝", M2, "%30.6f", "（kN.m）");
        r.AppendNameLine("　　　　混凝土强度等级: ", sheetName(kConcrete));
        r.AppendNameLine("　　　　钢筋等级: ", sheetName(kSteel));
        r.AppendValueLine("　　　　计算长度 Lc＝", Lc, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　矩形截面宽 b＝", b, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　矩形截面高 h＝", h, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a'＝a＝", a, "%30.1f", "（mm）");
        parameters(r, *this, "%30.1f");
        r.AppendLine("三、计算过程:");
        const double ea = depthsAndEa(r, h, a, ap);
        const double M = secondOrder(r, {N, M1, M2, Lc, b, h, h0, ea, s.fc, checked(kWall), false});
        r.AppendLine("　　　◇偏心距计算:");
        const double e0 = M * 1000 / N;
        r.AppendValueLine("　　　　偏心距 e0＝M／N＝", e0, "%30.1f", "（mm）");
        const double ei = e0 + ea;
        r.AppendValueLine("　　　　ei＝e0＋ea＝", ei, "%30.1f", "（mm）");
        r.AppendLine("　　　◇相对受压区高度:");
        const double xib = s.xib();
        r.AppendValueLine("　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝", xib, "%30.3f");
        const double xi = g0N / s.concreteForce(1);
        r.AppendValueLine("　　　　ξ＝γ0×N／（α1×fc×b×h0）＝", xi, "%30.3f");
        r.AppendValueLine("　　　　2×a'／h0＝", 2 * ap / h0, "%30.3f");
        r.AppendLine("　　　◇判别结构破坏类型");

        const double e = ei + h / 2 - a;
        const char* asText = "　　　　As'＝As＝｛γ0×N×e－α1×fc×b×h0×h0×ξ×（1－0.5ξ）｝／｛fy'×（h0－a'）｝＝";
        auto asFromMoment = [&](double x) { return (g0N * e - s.concreteMoment(x)) / (s.fyp * (h0 - ap)); };
        double As;
        // ξ above takes fy' for both faces. With fy ≠ fy' the equal areas do not cancel in the force
        // equilibrium: the areas that large eccentricity gives may put the section beyond ξb.
        const bool large = xi <= xib && xi >= 2 * ap / h0;
        const double xiExact =
            large && s.fy != s.fyp ? (g0N + (s.fy - s.fyp) * asFromMoment(xi)) / s.concreteForce(1) : xi;
        if (large && xiExact > xib) {
            setText(kType, kSmall);
            r.AppendLine("　　　　ξ≤ξb，但 fy≠fy'，按大偏心受压求得的配筋代入力的平衡方程复核:");
            r.AppendValueLine("　　　　e＝ei＋h／2－a＝", e, "%30.1f", "（mm）");
            r.AppendValueLine(asText, asFromMoment(xi), "%30.1f", "（mm2）");
            r.AppendValueLine("　　　　ξ＝（γ0×N－fy'×As'＋fy×As）／（α1×fc×b×h0）＝", xiExact, "%30.3f");
            r.AppendLine("　　　　因为 ξ＞ξb，属于小偏心受压");
            r.AppendLine("　　　◇钢筋截面面积计算:");
            As = smallEccentricity(r, s, g0N, e, xi, asText);
        } else if (large) {
            setText(kType, kLarge);
            r.AppendLine("　　　　因为 2×a'／h0≤ξ≤ξb，属于大偏心受压");
            r.AppendLine("　　　◇钢筋截面面积计算:");
            r.AppendValueLine("　　　　e＝ei＋h／2－a＝", e, "%30.1f", "（mm）");
            As = asFromMoment(xi);
            r.AppendValueLine(asText, As, "%30.1f", "（mm2）");
        } else if (xi <= xib) {  // ξ < 2a'/h0 (a small-eccentric ξ > ξb goes below, whatever 2a'/h0)
            setText(kType, kLarge);
            r.AppendLine("　　　　因为 ξ＜2×a'／h0，属于大偏心受压，取 x＝2a'，对 As' 合力点取矩（规范第6.2.14条）");
            r.AppendLine("　　　◇钢筋截面面积计算:");
            const double ep = ei - h / 2 + ap;
            r.AppendValueLine("　　　　e'＝ei－h／2＋a'＝", ep, "%30.1f", "（mm）");
            As = g0N * ep / (s.fy * (h0 - ap));
            r.AppendValueLine("　　　　As'＝As＝γ0×N×e'／｛fy×（h0－a'）｝＝", As, "%30.1f", "（mm2）");
            As = smallerWithoutAsp(r, s, g0N, e, As, "　　　　取两者中的较小值 As'＝As＝");
        } else {
            setText(kType, kSmall);
            r.AppendLine("　　　　因为 ξ＞ξb，属于小偏心受压");
            r.AppendLine("　　　◇钢筋截面面积计算:");
            r.AppendValueLine("　　　　e＝ei＋h／2－a＝", e, "%30.1f", "（mm）");
            As = smallEccentricity(r, s, g0N, e, xi, asText);
        }

        r.AppendLine("　　　◇配筋率验算:");
        const double min1 = 0.002 * b * h;
        if (As >= min1) {
            r.AppendValueLine("　　　　As'＝As≥ρmin×b×h＝", min1, "%30.1f", "（mm2）");
        } else {
            r.AppendValueLine("　　　　As'＝As＜ρmin×b×h＝", min1, "%30.1f", "（mm2）");
            As = min1;
            r.AppendValueLine("　　　　按最小配筋率取 As'＝As＝ρmin×b×h＝", As, "%30.1f", "（mm2）");
        }
        r.AppendLine("　　　◇一侧纵向钢筋配筋率:");
        r.AppendLine("　　　　规范要求受压构件一侧纵向钢筋的最小配筋率为 ρmin＝0.20％");
        r.AppendValueLine("　　　　As'≥0.2％×b×h＝", min1, "%30.1f", "（mm2）");
        r.AppendLine("　　　◇全部纵向钢筋配筋率:");
        const double rho = rhoMinAll(pick(kConcrete), pick(kSteel));
        valueLine(r, "　　　　规范要求全部纵向钢筋的最小配筋率为 ρmin＝", rho, "%.2f", "％");
        const double minAll = rho / 100 * b * h;
        if (2 * As >= minAll) {
            r.AppendValueLine("　　　　As＋As'≥ρmin×b×h＝", minAll, "%30.1f", "（mm2）");
        } else {
            r.AppendValueLine("　　　　As＋As'＜ρmin×b×h＝", minAll, "%30.1f", "（mm2）");
            As = minAll / 2;
            r.AppendValueLine("　　　　按全部纵向钢筋最小配筋率取 As'＝As＝ρmin×b×h／2＝", As, "%30.1f", "（mm2）");
        }
        // The areas carry the moment by the check form's rules (with fy ≠ fy' the check's ξ is
        // the exact one; the ξ above takes fy' for both faces).
        const bool minimum = As <= std::max(min1, minAll / 2);
        const DesignEnd end =
            finishDesign(r, s, g0N, e, Lc, N, As, As, Raise::Both, kNuBracesTimes, [&](const Capacity& c) {
                const char* t = c.small() ? kSmall : kLarge;
                if (text(kType) != t) {
                    setText(kType, t);
                    r.AppendLine(c.small() ? "　　　　按复核后的配筋 ξ＞ξb，属于小偏心受压" : "　　　　按复核后的配筋 ξ≤ξb，属于大偏心受压");
                }
            });
        if (!end.ok) {
            setEmpty(kAs);
            setEmpty(kAsp);
            setVerdict(Verdict::Kind::Fail, "截面尺寸过小，应加大截面");
            return sheet();
        }
        setValue(kAs, end.As);
        setValue(kAsp, end.As);
        if (minimum && end.As == As)
            setVerdict(Verdict::Kind::Detailing, "按最小配筋率构造配筋");
        else
            setVerdict(Verdict::Kind::Ok, "满足要求");
        return sheet();
    }

private:
    /// ξ and As = As' from the two equilibrium equations with the bounded σs of clause 6.2.17.
    static double smallEccentricity(CalcReport& r, const Section& s, double g0N, double e, double xiN,
                                    const char* asText) {
        const double h0 = s.h0(), hi = s.ximax();
        auto As2 = [&](double x) { return (g0N * e - s.concreteMoment(x)) / (s.fyp * (h0 - s.ap)); };
        if (xiN <= hi && As2(xiN) <= 0) {
            // Without steel the block at ξ = γ0·N/(α1·fc·b·h0) already carries the moment.
            r.AppendLine("　　　　不计钢筋时 ξ＝γ0×N／（α1×fc×b×h0），混凝土受压区即可承受该偏心压力:");
            const double As = As2(xiN);
            r.AppendValueLine(asText, As, "%30.1f", "（mm2）");
            return As;
        }
        r.AppendLine("　　　　取 σs＝fy×（ξ－β1）／（ξb－β1），－fy'≤σs≤fy，由");
        r.AppendLine("　　　　γ0×N＝α1×fc×b×h0×ξ＋fy'×As'－σs×As");
        r.AppendLine("　　　　γ0×N×e＝α1×fc×b×h0×h0×ξ×（1－0.5ξ）＋fy'×As'×（h0－a'）");
        r.AppendLine("　　　　及 As'＝As 联立求解得:");
        auto G = [&](double x) { return s.concreteForce(x) + (s.fyp - s.sigmaS(x)) * As2(x) - g0N; };
        if (G(hi) < 0) {
            r.AppendValueLine("　　　　受压区高度 x 超过 h，取 x＝h，ξ＝h／h0＝", hi, "%30.3f");
            const double sigma = sigmaLine(r, s, hi);
            const double As = (g0N - s.concreteForce(hi)) / (s.fyp - sigma);
            r.AppendValueLine("　　　　As'＝As＝（γ0×N－α1×fc×b×h0×ξ）／（fy'－σs）＝", As, "%30.1f", "（mm2）");
            return As;
        }
        const double xi = firstRoot(G, s.xib(), hi).value_or(s.xib());
        r.AppendValueLine("　　　　ξ＝", xi, "%30.3f");
        sigmaLine(r, s, xi);
        const double As = As2(xi);
        r.AppendValueLine(asText, As, "%30.1f", "（mm2）");
        return As;
    }
};

// --- Check: the moment a given section carries under N --------------------------------------

const FormDecl& checkDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CEccCompSymCheckDlg";
        s.dialogId = 202;
        s.commandId = 32830;
        s.title = "对称编心受压承载力计算(已知N,求e0,M)";
        s.picture = Picture::EccRect;
        s.calcId = 1000;
        const char* g = "设计要求";
        const char* data = "数据输入有误，请检查。";
        Control m = result(kM, "弯矩 M(kN.m)", "kN.m", "计算结果");
        m.kind = CtlKind::DigitsResult;
        s.controls = {
            gradePicker(202, kSafety, "结构安全等级", g),
            gradePicker(202, kConcrete, "混凝土强度等级", g),
            gradePicker(202, kSteel, "钢筋等级", g),
            digitsEdit(kN, "轴心压力设计值 N(kN)", "kN", 980, g),
            digitsEdit(kB, "矩形截面宽 b(mm)", "mm", 400, g),
            digitsEdit(kH, "矩形截面高 h(mm)", "mm", 600, g),
            digitsEdit(kA, "钢筋合力点距离a',a(mm)", "mm", 40, g),
            edit(kAs, "钢筋面积 As',As(mm2)", "mm2", 500, g),
            m,
            textResult(kType, "构件破坏类型", ""),
        };
        s.checks = {
            positive(kB, data), positive(kA, data), positive(kH, data), linear({{1, kH}, {-2, kA}}, data),
            positive(kAs, "钢筋面积数值应大于零，请检查。"), positive(kN, kForce),
        };
        return s;
    }();
    return decl;
}

class CEccCompSymCheckDlg final : public CalcForm {
public:
    CEccCompSymCheckDlg() : CalcForm(checkDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double N = value(kN), b = value(kB), h = value(kH), a = value(kA), ap = a;
        const double As = value(kAs), Asp = As;
        const Section s = sectionOf(*this, b, h, a, ap);
        const double g0N = s.g0 * N * 1000, h0 = s.h0();

        const double ea = checkSheetHead(r, *this, "─────对称配筋矩形截面偏心受压构件正截面承载力计算书（已知N，求e0，M）─────", N, b, h, ap, a, Asp, As, h0);
        const double xib = s.xib();
        // With fy = fy' the equal areas cancel in the force equilibrium; otherwise they do not.
        const double xi = xiLarge(s, g0N, As, Asp);
        const Capacity c = capacity(s, g0N, As, Asp);
        const char* xf = fixedFormat(xiDecimals(s, xi, c));
        r.AppendLine("　　　◇相对受压区高度:");
        r.AppendValueLine("　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝", xib, xf);
        r.AppendValueLine(s.fy == s.fyp ? "　　　　ξ＝γ0×N／（α1×fc×b×h0）＝" : "　　　　ξ＝（γ0×N－fy'×As'＋fy×As）／（α1×fc×b×h0）＝",
                          xi, xf);
        r.AppendValueLine("　　　　2×a'／h0＝", 2 * ap / h0, xf);
        r.AppendLine("　　　◇判别结构破坏类型:");

        const char* eText = "　　　　e＝｛α1×fc×b×h0×h0×ξ×（1－ξ／2）＋fy'×As'×（h0－a'）｝／（γ0×N）＝";
        setText(kType, c.small() ? kSmall : kLarge);
        double ei = c.ei;
        if (c.kind == Capacity::Large) {
            r.AppendLine("　　　　因为2×a'／h0≤ξ≤ξb，是大偏心受压构件");
            r.AppendLine("　　　◇弯矩计算:");
            r.AppendValueLine(eText, c.e, "%30.1f", "（mm）");
            r.AppendValueLine("　　　　ei＝e－h／2＋a＝", ei, "%30.1f", "（mm）");
        } else if (c.kind == Capacity::LargeBelow2a) {
            r.AppendLine("　　　　因为ξ＜2×a'／h0，是大偏心受压构件，取 x＝2a'，对 As' 合力点取矩（规范第6.2.14条）");
            r.AppendLine("　　　◇弯矩计算:");
            belowTwoApLines(r, s, c);
        } else {
            r.AppendLine("　　　　因为ξ＞ξb，是小偏心受压构件");
            r.AppendLine("　　　◇弯矩计算:");
            r.AppendLine("　　　　取 σs＝fy×（ξ－β1）／（ξb－β1），－fy'≤σs≤fy，");
            if (c.kind == Capacity::Exceeds) {
                r.AppendValueLine("　　　　受压区高度取到 x＝h，ξ＝h／h0＝", s.ximax(), "%30.3f");
                const double sigma = sigmaLine(r, s, s.ximax());
                valueLine(r, "　　　　γ0×N＞α1×fc×b×h＋fy'×As'－σs×As＝",
                          (s.alpha1 * s.fc * b * h + s.fyp * Asp - sigma * As) / 1000, "%30.3f",
                          "（kN），截面不能承受该轴力，取 M＝0");
                setValue(kM, 0);
                setVerdict(Verdict::Kind::Fail, "截面承载力不足");
                return sheet();
            }
            r.AppendValueLine("　　　　由 γ0×N＝α1×fc×b×h0×ξ＋fy'×As'－σs×As 解得 ξ＝", c.xi, xf);
            sigmaLine(r, s, c.xi);
            if (c.kind == Capacity::SmallBelow2a) {
                planeSectionLines(r, c);
            } else {
                r.AppendValueLine(eText, c.e, "%30.1f", "（mm）");
                r.AppendValueLine("　　　　ei＝e－h／2＋a＝", ei, "%30.1f", "（mm）");
            }
        }
        const double e0 = ei - ea;
        r.AppendValueLine("　　　　e0＝ei－ea＝", e0, "%30.1f", "（mm）");
        if (e0 < 0) {
            r.AppendLine("　　　　因为 e0＜0，截面在该轴力下不能承受附加偏心距 ea 之外的弯矩，承载力不足，取 M＝0");
            setValue(kM, 0);
        setVerdict(Verdict::Kind::Fail, "截面承载力不足");
            return sheet();
        }
        // e already belongs to γ0·N: the moment is N·e0, with no further division by γ0.
        const double M = N * e0 / 1000;
        r.AppendValueLine("　　　　M＝N×e0＝", M, "%30.6f", "（kN.m）");
        setValue(kM, M);
        setVerdict(Verdict::Kind::Ok, "截面可承受该轴力");
        return sheet();
    }
};

}  // namespace

TOVARIN_FORM(CEccCompSymDesignDlg, designDecl)
TOVARIN_FORM(CEccCompSymCheckDlg, checkDecl)

}  // namespace tov
