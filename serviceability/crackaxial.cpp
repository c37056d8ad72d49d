// Crack width of tension members (axial and eccentric) and of eccentrically compressed members,
// rectangular sections (GB 50010-2010 clauses 7.1.2, 7.1.4).
#include <cmath>

#include "serviceability/sls.h"

namespace tov {
namespace {

using namespace sls;

constexpr const char* kForce = "轴向力数值应大于零，请检查。";
constexpr const char* kBars = "钢筋直径、根数、面积和保护层厚度应大于零，cs 应小于 a，请检查。";


std::vector<Check> barChecks() {
    return {positive(kAs, kBars), positive(kCs, kBars), less(kCs, kA, kBars), positive(kD1, kBars),
            positive(kN1, kBars), positive(kD2, kBars), Check{{{1, kN2}}, false, kBars}};
}

void gradeLines(CalcReport& r, const CalcForm& f) {
    r.AppendLine("一、设计要求:");
    r.AppendNameLine("　　　　混凝土强度等级: ", f.sheetName(kConcrete));
    r.AppendNameLine("　　　　钢筋等级: ", f.sheetName(kSteel));
}

// --- Tension members ----------------------------------------------------------------------------

const FormDecl& tensionDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CCrackTensionDlg";
        s.dialogId = 232;
        s.commandId = 32852;
        s.title = "轴心受拉和偏心受拉构件裂缝宽度验算";
        s.picture = Picture::SlsTension;
        s.controls = {
            gradePicker(232, kConcrete, "混凝土强度等级", kGroup),
            gradePicker(232, kSteel, "钢筋等级", kGroup),
            limitPicker(),
            edit(kNq, "准永久组合轴向拉力值Nq(kN)", "kN", 200, kGroup),
            edit(kE0, "轴向拉力对截面中心的偏心距e0(mm)", "mm", 0, kGroup),
        };
        for (auto& c : sizeControls(300, 300, 40)) s.controls.push_back(c);
        s.controls.push_back(edit(kAPrime, "另一侧钢筋合力点至截面近边距离a'(mm)", "mm", 40, kGroup));
        for (auto& c : barControls()) s.controls.push_back(c);
        s.checks = {
            positive(kB, kSize),
            positive(kH, kSize),
            positive(kA, kSize),
            positive(kAPrime, kSize),
            linear({{0.5, kH}, {-1, kA}}, kSize),
            linear({{0.5, kH}, {-1, kAPrime}}, kSize),
            positive(kNq, kForce),
            Check{{{1, kE0}}, false, "偏心距 e0 不应小于零，请检查。"},
        };
        for (auto& c : barChecks()) s.checks.push_back(c);
        return s;
    }();
    return decl;
}

class CCrackTensionDlg final : public SlsForm {
public:
    CCrackTensionDlg() : SlsForm(tensionDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        if (std::string m = barGroupsDisagree(); !m.empty()) return refuse(m);
        const double Nq = value(kNq), e0 = value(kE0), b = value(kB), h = value(kH);
        const double a = value(kA), ap = value(kAPrime), As = value(kAs);
        const bool axial = e0 == 0;

        r.begin("─────轴心受拉和偏心受拉构件裂缝宽度验算计算书─────");
        gradeLines(r, *this);
        r.AppendValueLine("　　　　准永久组合轴向拉力值 Nq＝", Nq, "%30.3f", "（kN）");
        r.AppendValueLine("　　　　轴向拉力对截面中心的偏心距 e0＝", e0, "%30.1f", "（mm）");
        sizeLines(r);
        r.AppendValueLine("　　　　另一侧钢筋合力点至截面近边的距离 a'＝", ap, "%30.1f", "（mm）");
        crackInputLines(r, true, true);
        materialLines(r, false);
        r.AppendLine("三、计算过程:");
        double sigma = 0, Ate = 0;
        if (axial) {
            r.AppendLine("　　　　e0＝0，按轴心受拉构件计算，As 为全部纵向钢筋截面面积");
            r.AppendLine("　　　◇准永久组合下纵向受拉钢筋的应力:");
            sigma = Nq * 1e3 / As;
            r.AppendValueLine("　　　　σsq＝Nq／As＝", sigma, "%30.2f", "（N/mm2）");
            r.AppendLine("　　　◇有效受拉混凝土截面面积:");
            Ate = b * h;
            r.AppendValueLine("　　　　Ate＝b×h＝", Ate, "%30.1f", "（mm2）");
        } else {
            r.AppendLine("　　　　e0＞0，按偏心受拉构件计算，As 为受拉较大一侧的纵向钢筋截面面积");
            r.AppendLine("　　　◇截面有效高度:");
            const double h0 = h - a;
            r.AppendValueLine("　　　　h0＝h－a＝", h0, "%30.1f", "（mm）");
            r.AppendLine("　　　◇轴向拉力至受压区或受拉较小边纵向钢筋合力点的距离:");
            const double ep = e0 + h / 2 - ap;
            r.AppendValueLine("　　　　e'＝e0＋h／2－a'＝", ep, "%30.1f", "（mm）");
            r.AppendLine("　　　◇准永久组合下纵向受拉钢筋的应力:");
            sigma = Nq * 1e3 * ep / (As * (h0 - ap));
            r.AppendValueLine("　　　　σsq＝Nq×e'／｛As×（h0－a'）｝＝", sigma, "%30.2f", "（N/mm2）");
            r.AppendLine("　　　◇有效受拉混凝土截面面积:");
            Ate = 0.5 * b * h;
            r.AppendValueLine("　　　　Ate＝0.5×b×h＝", Ate, "%30.1f", "（mm2）");
        }
        const double deq = equivalentDiameter(r, true);
        crackWidth(r, sigma, As, Ate, deq, axial ? 2.7 : 2.4);
        return sheet();
    }
};

// --- Eccentric compression ----------------------------------------------------------------------

const FormDecl& compressionDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CCrackCompressionDlg";
        s.dialogId = 233;
        s.commandId = 32853;
        s.title = "偏心受压构件裂缝宽度验算";
        s.picture = Picture::SlsCompression;
        s.controls = {
            gradePicker(233, kConcrete, "混凝土强度等级", kGroup),
            gradePicker(233, kSteel, "钢筋等级", kGroup),
            limitPicker(),
            edit(kNq, "准永久组合轴向压力值Nq(kN)", "kN", 500, kGroup),
            edit(kMq, "准永久组合弯矩值Mq(kN.m)", "kN.m", 200, kGroup),
            edit(kL0, "构件计算长度l0(mm)", "mm", 4000, kGroup),
        };
        s.controls.push_back(helpPage(kL0Help, "L0.htm", "计算长度的取值"));
        for (auto& c : sizeControls(300, 500, 45)) s.controls.push_back(c);
        for (auto& c : barControls()) s.controls.push_back(c);
        s.checks = {
            positive(kB, kSize),
            positive(kH, kSize),
            positive(kA, kSize),
            linear({{0.5, kH}, {-1, kA}}, kSize),
            positive(kNq, kForce),
            positive(kMq, "弯矩数值应大于零，请检查。"),
            positive(kL0, "计算长度应大于零，请检查。"),
        };
        for (auto& c : barChecks()) s.checks.push_back(c);
        return s;
    }();
    return decl;
}

class CCrackCompressionDlg final : public SlsForm {
public:
    CCrackCompressionDlg() : SlsForm(compressionDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        if (std::string m = barGroupsDisagree(); !m.empty()) return refuse(m);
        const double Nq = value(kNq), Mq = value(kMq), l0 = value(kL0), b = value(kB), h = value(kH);
        const double a = value(kA), As = value(kAs);

        r.begin("─────偏心受压构件裂缝宽度验算计算书─────");
        gradeLines(r, *this);
        r.AppendValueLine("　　　　准永久组合轴向压力值 Nq＝", Nq, "%30.3f", "（kN）");
        r.AppendValueLine("　　　　准永久组合弯矩值 Mq＝", Mq, "%30.3f", "（kN.m）");
        r.AppendValueLine("　　　　构件计算长度 l0＝", l0, "%30.1f", "（mm）");
        sizeLines(r);
        crackInputLines(r, true, true);
        materialLines(r, false);
        r.AppendLine("三、计算过程:");
        r.AppendLine("　　　◇截面有效高度:");
        const double h0 = h - a;
        r.AppendValueLine("　　　　h0＝h－a＝", h0, "%30.1f", "（mm）");
        r.AppendLine("　　　◇荷载准永久组合下的初始偏心距:");
        const double e0 = Mq / Nq * 1e3;
        r.AppendValueLine("　　　　e0＝Mq／Nq＝", e0, "%30.1f", "（mm）");
        const double ratio = e0 / h0;
        r.AppendValueLine("　　　　e0／h0＝", ratio, "%30.3f");
        if (ratio <= 0.55) {
            r.AppendLine("　　　　e0／h0≤0.55，按规范第7.1.2条注3可不验算裂缝宽度。");
            setEmpty(kW);
            setVerdict(Verdict::Kind::Ok, "可不验算裂缝宽度");
            return sheet();
        }
        r.AppendLine("　　　◇使用阶段的轴向压力偏心距增大系数:");
        const double slender = l0 / h;
        r.AppendValueLine("　　　　l0／h＝", slender, "%30.2f");
        double etaS = 1.0;
        if (slender > 14) {
            etaS = 1 + 1 / (4000 * ratio) * slender * slender;
            r.AppendValueLine("　　　　ηs＝1＋1／（4000×e0／h0）×（l0／h）×（l0／h）＝", etaS, "%30.3f");
        } else {
            r.AppendLine("　　　　l0／h≤14，取 ηs＝1.0");
        }
        r.AppendLine("　　　◇轴向压力作用点至纵向受拉钢筋合力点的距离:");
        const double ys = h / 2 - a;
        r.AppendValueLine("　　　　ys＝h／2－a＝", ys, "%30.1f", "（mm）");
        const double e = etaS * e0 + ys;
        r.AppendValueLine("　　　　e＝ηs×e0＋ys＝", e, "%30.1f", "（mm）");
        r.AppendLine("　　　◇纵向受拉钢筋合力点至截面受压区合力点的距离:");
        r.AppendLine("　　　　矩形截面无受压翼缘，γf'＝0");
        double z = (0.87 - 0.12 * (h0 / e) * (h0 / e)) * h0;
        r.AppendValueLine("　　　　z＝｛0.87－0.12×（1－γf'）×（h0／e）×（h0／e）｝×h0＝", z, "%30.1f", "（mm）");
        if (z > 0.87 * h0) {
            z = 0.87 * h0;
            r.AppendValueLine("　　　　z＞0.87×h0，取 z＝0.87×h0＝", z, "%30.1f", "（mm）");
        }
        r.AppendLine("　　　◇准永久组合下纵向受拉钢筋的应力:");
        const double sigma = Nq * 1e3 * (e - z) / (As * z);
        r.AppendValueLine("　　　　σsq＝Nq×（e－z）／（As×z）＝", sigma, "%30.2f", "（N/mm2）");
        r.AppendLine("　　　◇有效受拉混凝土截面面积:");
        const double Ate = 0.5 * b * h;
        r.AppendValueLine("　　　　Ate＝0.5×b×h＝", Ate, "%30.1f", "（mm2）");
        const double deq = equivalentDiameter(r, true);
        crackWidth(r, sigma, As, Ate, deq, 1.9);
        return sheet();
    }
};

}  // namespace

TOVARIN_FORM(CCrackTensionDlg, tensionDecl)
TOVARIN_FORM(CCrackCompressionDlg, compressionDecl)

}  // namespace tov
