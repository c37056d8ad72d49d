// Crack width of flexural members: the check of given bars, and the least number of bars of one
// diameter that keeps the width within its limit (GB 50010-2010 clauses 7.1.2, 7.1.4; Table 3.4.5).
#include <algorithm>
#include <cmath>
#include <numbers>

#include "serviceability/sls.h"

namespace tov {
namespace {

using namespace sls;

constexpr const char* kMoment = "弯矩数值应大于零，请检查。";
constexpr const char* kBars = "钢筋直径、根数、面积和保护层厚度应大于零，cs 应小于 a，请检查。";

// Shape, limit, Mq and the section, in Tab order.
std::vector<Control> headControls(int dialogId) {
    std::vector<Control> cs = {
        gradePicker(dialogId, kConcrete, "混凝土强度等级", kGroup),
        gradePicker(dialogId, kSteel, "钢筋等级", kGroup),
    };
    for (auto& c : shapeControls()) cs.push_back(c);
    cs.push_back(limitPicker());
    cs.push_back(edit(kMq, "准永久组合弯矩值Mq(kN.m)", "kN.m", 120, kGroup));
    for (auto& c : sizeControls(250, 500, 45)) cs.push_back(c);
    for (auto& c : flangeControls(true, false)) cs.push_back(c);
    return cs;
}

std::vector<Check> headChecks() {
    std::vector<Check> out = {
        positive(kB, kSize), positive(kH, kSize), positive(kA, kSize), less(kA, kH, kSize),
    };
    for (auto& c : flangeChecks(true, false)) out.push_back(c);
    out.push_back(positive(kMq, kMoment));
    return out;
}

// The part of both sheets from σsq to Ate: returns Ate.
double effectiveTensionArea(CalcReport& r, const CalcForm& f, int shape, double tensionFlange) {
    const double b = f.value(kB), h = f.value(kH);
    r.AppendLine("　　　◇有效受拉混凝土截面面积:");
    const double Ate = 0.5 * b * h + tensionFlange;
    if (hasTensionFlange(shape)) {
        r.AppendValueLine("　　　　Ate＝0.5×b×h＋（bf－b）×hf＝", Ate, "%30.1f", "（mm2）");
    } else {
        r.AppendValueLine("　　　　Ate＝0.5×b×h＝", Ate, "%30.1f", "（mm2）");
        if (hasCompressionFlange(shape)) r.AppendLine("　　　　受压翼缘不计入有效受拉混凝土截面面积");
    }
    return Ate;
}

// --- Check of given bars ----------------------------------------------------------------------

const FormDecl& crackCheckDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CCrackFlexureDlg";
        s.dialogId = 230;
        s.commandId = 32850;
        s.title = "受弯构件裂缝宽度验算";
        s.picture = Picture::SlsRect;
        s.pictureFollows = {kShape, {Picture::SlsRect, Picture::SlsTee, Picture::SlsInvTee, Picture::SlsI}};
        s.controls = headControls(230);
        for (const Control& c : barControls()) s.controls.push_back(c);
        s.checks = headChecks();
        for (const Check& c : {positive(kAs, kBars), positive(kCs, kBars), less(kCs, kA, kBars),
                               positive(kD1, kBars), positive(kN1, kBars), positive(kD2, kBars),
                               Check{{{1, kN2}}, false, kBars}})
            s.checks.push_back(c);
        return s;
    }();
    return decl;
}

class CCrackFlexureDlg final : public SlsForm {
public:
    CCrackFlexureDlg() : SlsForm(crackCheckDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        if (std::string m = barGroupsDisagree(); !m.empty()) return refuse(m);
        const double Mq = value(kMq), h = value(kH), a = value(kA), As = value(kAs);

        r.begin("─────受弯构件裂缝宽度验算计算书─────");
        r.AppendLine("一、设计要求:");
        r.AppendNameLine("　　　　混凝土强度等级: ", sheetName(kConcrete));
        r.AppendNameLine("　　　　钢筋等级: ", sheetName(kSteel));
        r.AppendValueLine("　　　　准永久组合弯矩值 Mq＝", Mq, "%30.3f", "（kN.m）");
        sizeLines(r);
        crackInputLines(r, true, true);
        materialLines(r, false);
        r.AppendLine("三、计算过程:");
        r.AppendLine("　　　◇截面有效高度:");
        const double h0 = h - a;
        r.AppendValueLine("　　　　h0＝h－a＝", h0, "%30.1f", "（mm）");
        r.AppendLine("　　　◇准永久组合下纵向受拉钢筋的应力:");
        const double sigma = Mq * 1e6 / (0.87 * h0 * As);
        r.AppendValueLine("　　　　σsq＝Mq／（0.87×h0×As）＝", sigma, "%30.2f", "（N/mm2）");
        const double Ate = effectiveTensionArea(r, *this, shape(), tensionFlangeArea());
        const double deq = equivalentDiameter(r, true);
        crackWidth(r, sigma, As, Ate, deq, 1.9);
        return sheet();
    }
};

// --- Least number of bars -----------------------------------------------------------------------

const FormDecl& crackDesignDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CCrackFlexureDesignDlg";
        s.dialogId = 231;
        s.commandId = 32851;
        s.title = "受弯构件按裂缝宽度控制配筋";
        s.picture = Picture::SlsRect;
        s.pictureFollows = {kShape, {Picture::SlsRect, Picture::SlsTee, Picture::SlsInvTee, Picture::SlsI}};
        s.controls = headControls(231);
        for (const Control& c : {
                 edit(kAsStrength, "承载力所需钢筋面积As,strength(mm2)", "mm2", 900, kGroup),
                 edit(kCs, "最外层受拉钢筋外边缘至受拉边缘距离cs(mm)", "mm", 30, kGroup),
                 barTypePicker(),
                 edit(kD1, "钢筋直径d(mm)", "mm", 20, kGroup),
                 helpPage(kHelp, "crack.htm", "裂缝宽度计算说明"),
                 result(kN, "钢筋根数n", "", "计算结果"),
                 result(kAs, "钢筋面积As(mm2)", "mm2", "计算结果"),
                 result(kW, "最大裂缝宽度wmax(mm)", "mm", "计算结果"),
             })
            s.controls.push_back(c);
        s.checks = headChecks();
        for (const Check& c : {positive(kAsStrength, kBars), positive(kCs, kBars), less(kCs, kA, kBars),
                               positive(kD1, kBars)})
            s.checks.push_back(c);
        return s;
    }();
    return decl;
}

class CCrackFlexureDesignDlg final : public SlsForm {
public:
    CCrackFlexureDesignDlg() : SlsForm(crackDesignDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double Mq = value(kMq), b = value(kB), h = value(kH), a = value(kA);
        const double AsStrength = value(kAsStrength), d = value(kD1), cs = value(kCs);
        const double ftk = col(kConcrete, ColFtk), Es = col(kSteel, ColEs) * 100000;
        const double wlim = crackLimit(pick(kLimit));
        const double h0 = h - a, Ate = 0.5 * b * h + tensionFlangeArea();
        const double nu = pick(kBarType) == 1 ? 0.7 : 1.0;
        const double bar = std::numbers::pi * d * d / 4;

        // wmax of n bars, the chain of the check form (deq = d/νi for one diameter).
        auto width = [&](double n) {
            const double As = n * bar, sigma = Mq * 1e6 / (0.87 * h0 * As);
            const double rhoTe = std::max(0.01, As / Ate);
            const double psi = std::clamp(1.1 - 0.65 * ftk / (rhoTe * sigma), 0.2, 1.0);
            const double c = std::clamp(cs, 20.0, 65.0);
            return 1.9 * psi * sigma / Es * (1.9 * c + 0.08 * (d / nu) / rhoTe);
        };

        r.begin("─────受弯构件按裂缝宽度控制配筋计算书─────");
        r.AppendLine("一、设计要求:");
        r.AppendNameLine("　　　　混凝土强度等级: ", sheetName(kConcrete));
        r.AppendNameLine("　　　　钢筋等级: ", sheetName(kSteel));
        r.AppendValueLine("　　　　准永久组合弯矩值 Mq＝", Mq, "%30.3f", "（kN.m）");
        sizeLines(r);
        r.AppendValueLine("　　　　承载力所需钢筋面积 As,strength＝", AsStrength, "%30.1f", "（mm2）");
        r.AppendValueLine("　　　　钢筋直径 d＝", d, "%30.1f", "（mm）");
        crackInputLines(r, false, false);
        materialLines(r, false);
        r.AppendLine("三、计算过程:");
        r.AppendLine("　　　◇截面有效高度:");
        r.AppendValueLine("　　　　h0＝h－a＝", h0, "%30.1f", "（mm）");
        r.AppendLine("　　　◇一排可放置的钢筋根数:");
        const double s = std::max(25.0, d);
        r.AppendValueLine("　　　　钢筋净距 s＝max｛25，d｝＝", s, "%30.1f", "（mm）");
        // n·d + (n − 1)·s ≤ b − 2·cs
        const double nMax = std::floor((b - 2 * cs + s) / (s + d));
        r.AppendValueLine("　　　　nmax＝（b－2×cs＋s）／（d＋s）取整＝", std::max(0.0, nMax), "%30.0f");
        double nStrength = std::ceil(AsStrength / bar);
        if ((nStrength - 1) * bar >= AsStrength) nStrength -= 1;
        nStrength = std::max(2.0, nStrength);
        r.AppendValueLine("　　　　满足As≥As,strength的最少根数（不少于2根） ns＝", nStrength, "%30.0f");

        // wmax falls as n grows (σsq falls, ρte rises, ψ does not rise), so the least n that
        // passes is found by bisection between ns and nmax.
        double n = 0;
        if (nStrength <= nMax && width(nMax) <= wlim) {
            double lo = nStrength, hi = nMax;  // hi passes
            if (width(lo) <= wlim) {
                hi = lo;
            } else {
                while (hi - lo > 1) {
                    const double mid = std::floor((lo + hi) / 2);
                    (width(mid) <= wlim ? hi : lo) = mid;
                }
            }
            n = hi;
        }
        if (n == 0) {
            if (nStrength > nMax) {
                r.AppendLine("　　　　ns＞nmax，一排放不下满足承载力要求的钢筋。");
            } else {
                r.Append("　　　　n＝nmax时 wmax＝");
                r.AppendValue(width(nMax), "%30.3f");
                r.Append("（mm）＞wlim＝");
                r.AppendValue(wlim, "%30.2f");
                r.Append("（mm）");
                r.EndLine();
            }
            r.AppendLine("　　　　一排钢筋不能满足要求，建议减小钢筋直径或加大截面尺寸。");
            setEmpty(kN);
            setEmpty(kAs);
            setEmpty(kW);
            setVerdict(Verdict::Kind::Fail, nStrength > nMax ? "一排放不下所需钢筋" : "裂缝宽度超过限值");
            return sheet();
        }
        if (n > nStrength) {
            r.Append("　　　　n＝");
            r.AppendValue(n - 1, "%30.0f");
            r.Append("时 wmax＝");
            r.AppendValue(width(n - 1), "%30.3f");
            r.Append("（mm）＞wlim＝");
            r.AppendValue(wlim, "%30.2f");
            r.Append("（mm），按裂缝宽度控制需增加钢筋根数");
            r.EndLine();
        }
        r.AppendValueLine("　　　　取钢筋根数 n＝", n, "%30.0f");
        const double As = n * bar;
        r.AppendValueLine("　　　　As＝n×π×d×d／4＝", As, "%30.1f", "（mm2）");
        r.AppendLine("　　　◇准永久组合下纵向受拉钢筋的应力:");
        const double sigma = Mq * 1e6 / (0.87 * h0 * As);
        r.AppendValueLine("　　　　σsq＝Mq／（0.87×h0×As）＝", sigma, "%30.2f", "（N/mm2）");
        const double Ate2 = effectiveTensionArea(r, *this, shape(), tensionFlangeArea());
        const double deq = equivalentDiameter(r, false);
        crackWidth(r, sigma, As, Ate2, deq, 1.9);
        setValue(kN, n);
        setValue(kAs, As);
        return sheet();
    }
};

}  // namespace

TOVARIN_FORM(CCrackFlexureDlg, crackCheckDecl)
TOVARIN_FORM(CCrackFlexureDesignDlg, crackDesignDecl)

}  // namespace tov
