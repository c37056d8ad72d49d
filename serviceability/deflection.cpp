// Deflection of flexural members under the quasi-permanent combination with long-term effects
// (GB 50010-2010 clauses 7.2.1 to 7.2.5, Table 3.4.3). f = S·Mq·l0²/B with S of elastic beam theory.
#include <algorithm>
#include <cmath>

#include "forms/numfield.h"
#include "serviceability/sls.h"

namespace tov {
namespace {

using namespace sls;

constexpr int kCantileverUniform = 2, kCantileverTip = 3;
// S = f·B/(Mmax·l0²) of each support and load case, in picker order.
constexpr double kS[] = {5.0 / 48, 1.0 / 12, 1.0 / 4, 1.0 / 3};
constexpr const char* kSText[] = {"5／48", "1／12", "1／4", "1／3"};
constexpr int kFloor = 0, kFloorStrict = 1, kCraneManual = 2, kCraneElectric = 3;

const FormDecl& deflectionDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CDeflectionDlg";
        s.dialogId = 234;
        s.commandId = 32854;
        s.title = "受弯构件挠度验算";
        s.picture = Picture::DeflRect;
        s.pictureFollows = {kShape, {Picture::DeflRect, Picture::DeflTee, Picture::DeflInvTee, Picture::DeflI}};
        s.controls = {
            gradePicker(234, kConcrete, "混凝土强度等级", kGroup),
            gradePicker(234, kSteel, "钢筋等级", kGroup),
        };
        for (auto& c : shapeControls()) s.controls.push_back(c);
        s.controls.push_back(listPicker(kSupport, "支承及荷载情况", {"简支梁均布荷载", "简支梁跨中集中荷载", "悬臂梁均布荷载", "悬臂梁端部集中荷载"}, 0, kGroup));
        s.controls.push_back(listPicker(kUse, "构件类型（挠度限值）",
                                        {"屋盖、楼盖及楼梯构件", "屋盖、楼盖及楼梯构件（使用上对挠度有较高要求）", "吊车梁（手动吊车）",
                                         "吊车梁（电动吊车）"},
                                        kFloor, kGroup));
        s.controls.push_back(edit(kMq, "准永久组合最大弯矩值Mq(kN.m)", "kN.m", 100, kGroup));
        s.controls.push_back(edit(kL0, "计算跨度l0(mm)", "mm", 6000, kGroup));
        for (auto& c : sizeControls(250, 500, 45)) s.controls.push_back(c);
        for (auto& c : flangeControls(true, true)) s.controls.push_back(c);
        for (const Control& c : {
                 edit(kAs, "受拉钢筋面积As(mm2)", "mm2", 1256, kGroup),
                 edit(kAsPrime, "受压钢筋面积As'(mm2)", "mm2", 0, kGroup),
                 helpPage(kHelp, "deflection.htm", "挠度计算说明"),
                 result(kF, "挠度f(mm)", "mm", "计算结果"),
             })
            s.controls.push_back(c);
        s.checks = {positive(kB, kSize), positive(kH, kSize), positive(kA, kSize), less(kA, kH, kSize)};
        for (auto& c : flangeChecks(true, true)) s.checks.push_back(c);
        for (const Check& c : {positive(kMq, "弯矩数值应大于零，请检查。"),
                               positive(kL0, "计算跨度应大于零，请检查。"),
                               positive(kAs, "钢筋面积应大于零，请检查。"),
                               Check{{{1, kAsPrime}}, false, "受压钢筋面积不应小于零，请检查。"}})
            s.checks.push_back(c);
        return s;
    }();
    return decl;
}

class CDeflectionDlg final : public SlsForm {
public:
    CDeflectionDlg() : SlsForm(deflectionDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double Mq = value(kMq), l0 = value(kL0), b = value(kB), h = value(kH), a = value(kA);
        const double As = value(kAs), AsP = value(kAsPrime);
        const double Ec = col(kConcrete, ColEc) * 10000;
        const double Es = col(kSteel, ColEs) * 100000;
        const int support = std::clamp(pick(kSupport), 0, 3), use = pick(kUse);
        const Control& supportCtl = *decl().control(kSupport);
        const Control& useCtl = *decl().control(kUse);

        r.begin("─────受弯构件挠度验算计算书─────");
        r.AppendLine("一、设计要求:");
        r.AppendNameLine("　　　　混凝土强度等级: ", sheetName(kConcrete));
        r.AppendNameLine("　　　　钢筋等级: ", sheetName(kSteel));
        r.AppendNameLine("　　　　支承及荷载情况: ", supportCtl.items.at(static_cast<std::size_t>(support)));
        r.AppendNameLine("　　　　构件类型: ", useCtl.items.at(static_cast<std::size_t>(use)));
        r.AppendValueLine("　　　　准永久组合最大弯矩值 Mq＝", Mq, "%30.3f", "（kN.m）");
        r.AppendValueLine("　　　　计算跨度 l0＝", l0, "%30.1f", "（mm）");
        sizeLines(r);
        r.AppendValueLine("　　　　受拉钢筋面积 As＝", As, "%30.1f", "（mm2）");
        r.AppendValueLine("　　　　受压钢筋面积 As'＝", AsP, "%30.1f", "（mm2）");
        materialLines(r, true);
        r.AppendLine("三、计算过程:");
        r.AppendLine("　　　◇截面有效高度:");
        const double h0 = h - a;
        r.AppendValueLine("　　　　h0＝h－a＝", h0, "%30.1f", "（mm）");
        r.AppendLine("　　　◇钢筋与混凝土弹性模量之比及配筋率:");
        const double alphaE = Es / Ec;
        r.AppendValueLine("　　　　αE＝Es／Ec＝", alphaE, "%30.3f");
        const double rho = As / (b * h0), rhoP = AsP / (b * h0);
        r.AppendValueLine("　　　　ρ＝As／（b×h0）＝", rho, "%30.5f");
        r.AppendValueLine("　　　　ρ'＝As'／（b×h0）＝", rhoP, "%30.5f");
        r.AppendLine("　　　◇受压翼缘截面面积与腹板有效截面面积的比值:");
        double gammaF = 0;
        if (hasCompressionFlange(shape())) {
            double hfP = value(kHfPrime);
            if (hfP > 0.2 * h0) {
                hfP = 0.2 * h0;
                r.AppendValueLine("　　　　hf'＞0.2×h0，取 hf'＝0.2×h0＝", hfP, "%30.1f", "（mm）");
            }
            r.AppendLine("　　　　γf'按受压翼缘计算，其中 hf'不大于0.2×h0（偏于安全）");
            gammaF = (value(kBfPrime) - b) * hfP / (b * h0);
            r.AppendValueLine("　　　　γf'＝（bf'－b）×hf'／（b×h0）＝", gammaF, "%30.3f");
        } else {
            r.AppendLine("　　　　无受压翼缘，γf'＝0");
        }
        r.AppendLine("　　　◇准永久组合下纵向受拉钢筋的应力:");
        const double sigma = Mq * 1e6 / (0.87 * h0 * As);
        r.AppendValueLine("　　　　σsq＝Mq／（0.87×h0×As）＝", sigma, "%30.2f", "（N/mm2）");
        r.AppendLine("　　　◇有效受拉混凝土截面面积及配筋率:");
        const double Ate = 0.5 * b * h + tensionFlangeArea();
        if (hasTensionFlange(shape()))
            r.AppendValueLine("　　　　Ate＝0.5×b×h＋（bf－b）×hf＝", Ate, "%30.1f", "（mm2）");
        else
            r.AppendValueLine("　　　　Ate＝0.5×b×h＝", Ate, "%30.1f", "（mm2）");
        double rhoTe = 0;
        const double psi =
            strainUnevenness(r, sigma, As, Ate, "　　　　ρte＜0.01，取 ρte＝0.01（ψ按第7.1.2条计算，偏安全取用此下限）", rhoTe);
        r.AppendLine("　　　◇短期刚度:");
        const double Bs = Es * As * h0 * h0 / (1.15 * psi + 0.2 + 6 * alphaE * rho / (1 + 3.5 * gammaF));
        r.AppendValueLine("　　　　Bs＝Es×As×h0×h0／｛1.15×ψ＋0.2＋6×αE×ρ／（1＋3.5×γf'）｝＝", Bs / 1e9, "%30.1f",
                          "（kN.m2）");
        r.AppendLine("　　　◇考虑荷载长期作用对挠度增大的影响系数:");
        double theta = 2.0;
        if (rhoP == 0) {
            r.AppendLine("　　　　ρ'＝0，取 θ＝2.0");
        } else if (rhoP <= rho) {
            theta = 2.0 - 0.4 * rhoP / rho;
            r.AppendValueLine("　　　　0＜ρ'≤ρ，按线性内插 θ＝2.0－0.4×ρ'／ρ＝", theta, "%30.3f");
        } else {
            theta = 1.6;
            r.AppendLine("　　　　ρ'＞ρ，规范未作规定，取 θ＝1.6");
        }
        if (shape() == kInvTee) {
            theta *= 1.2;
            r.AppendValueLine("　　　　翼缘位于受拉区的倒T形截面，θ增加20％，θ＝", theta, "%30.3f");
        }
        r.AppendLine("　　　◇受弯构件的长期刚度:");
        const double B = Bs / theta;
        r.AppendValueLine("　　　　B＝Bs／θ＝", B / 1e9, "%30.1f", "（kN.m2）");
        r.AppendLine("　　　◇挠度:");
        const double S = kS[support];
        r.AppendLine(std::string("　　　　") + supportCtl.items.at(static_cast<std::size_t>(support)) +
                     "，按弹性理论 S＝" + kSText[support]);
        const double f = S * Mq * 1e6 * l0 * l0 / B;
        r.AppendValueLine("　　　　f＝S×Mq×l0×l0／B＝", f, "%30.2f", "（mm）");
        r.AppendLine("　　　◇挠度限值:");
        double lLim = l0;
        if (support == kCantileverUniform || support == kCantileverTip) {
            lLim = 2 * l0;
            r.AppendValueLine("　　　　悬臂构件按其实际悬臂长度的2倍取用 l0'＝2×l0＝", lLim, "%30.1f", "（mm）");
        }
        double denom = 0;
        if (use == kCraneManual) {
            denom = 500;
        } else if (use == kCraneElectric) {
            denom = 600;
        } else {
            const bool strict = use == kFloorStrict;
            denom = lLim < 7000 ? (strict ? 250 : 200) : lLim <= 9000 ? (strict ? 300 : 250) : (strict ? 400 : 300);
        }
        const double fLim = lLim / denom;
        r.Append(lLim == l0 ? "　　　　flim＝l0／" : "　　　　flim＝l0'／");
        r.AppendValue(denom, "%30.0f");
        r.Append("＝");
        r.AppendValue(fLim, "%30.2f");
        r.Append("（mm）");
        r.EndLine();
        r.AppendLine("　　　◇挠度验算:");
        r.Append("　　　　f＝");
        const bool ok = f <= fLim;
        const bool close = !ok && std::stod(fixedText(f, "%30.2f")) <= fLim;
        r.AppendValue(f, close ? "%30.4f" : "%30.2f");
        r.Append(ok ? "（mm）≤flim＝" : "（mm）＞flim＝");
        r.AppendValue(fLim, "%30.2f");
        r.Append(ok ? "（mm），满足要求" : "（mm），挠度超过限值");
        r.EndLine();
        setVerdict(ok ? Verdict::Kind::Ok : Verdict::Kind::Fail, ok ? "满足要求" : "挠度超过限值");
        setValue(kF, f);
        return sheet();
    }
};

}  // namespace

TOVARIN_FORM(CDeflectionDlg, deflectionDecl)

}  // namespace tov
