#include "shear/shearcommon.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace tov::shear {

namespace {
constexpr int kC50 = 7;  // row of C50 in the concrete list (C15, C20, … C80)
const std::vector<std::string> kDiameterItems = {"6", "8", "10", "12", "14", "16"};
const std::vector<std::string> kLegItems = {"2", "3", "4", "6"};
}  // namespace

double betaC(int concreteRow) {
    if (concreteRow <= kC50) return 1.0;
    const double fcuk = 15 + 5 * concreteRow;
    return 1.0 - 0.2 * (fcuk - 50) / 30;
}

double shearFyv(double fy) { return std::min(fy, 360.0); }

double legArea(double d) { return std::numbers::pi * d * d / 4; }

double beamMaxSpacing(double h, bool large) {
    if (h <= 300) return large ? 150 : 200;
    if (h <= 500) return large ? 200 : 300;
    if (h <= 800) return large ? 250 : 350;
    return large ? 300 : 400;
}

double beamMinDiameter(double h) { return h > 800 ? 8 : 6; }

double downTo10(double s) { return std::floor(s / 10 + 1e-9) * 10; }

double limitCoefficient(double hwOverB) {
    if (hwOverB <= 4) return 0.25;
    if (hwOverB >= 6) return 0.2;
    return 0.25 - 0.025 * (hwOverB - 4);
}

std::vector<Control> beamSectionControls(const char* g) {
    return {
        listPicker(kShape, "截面形状", {"矩形截面", "T形截面", "I形截面"}, kRect, g),
        edit(kB, "截面(腹板)宽度b(mm)", "mm", 250, g),
        edit(kH, "截面高度h(mm)", "mm", 500, g),
        edit(kA, "钢筋合力点距离a(mm)", "mm", 40, g),
        disabled(edit(kHfTop, "受压翼缘高度hf'(mm)", "mm", 100, g)),
        disabled(edit(kHfBottom, "受拉翼缘高度hf(mm)", "mm", 100, g)),
    };
}

std::vector<Control> loadControls(const char* g) {
    return {
        listPicker(kLoad, "构件类型", {"一般受弯构件", "集中荷载作用为主的独立梁"}, kGeneral, g),
        disabled(edit(kDist, "集中荷载至支座距离(mm)", "mm", 1000, g)),
    };
}

Control diameterPicker(const char* g) { return listPicker(kDiam, "箍筋直径d(mm)", kDiameterItems, 1, g); }

Control legsPicker(int initial, const char* g) { return listPicker(kLegs, "箍筋肢数n", kLegItems, initial, g); }

std::vector<Check> beamSectionChecks() {
    return {
        when(kShape, kT, positive(kHfTop, kSizeMessage)),
        when(kShape, kI, positive(kHfTop, kSizeMessage)),
        when(kShape, kI, positive(kHfBottom, kSizeMessage)),
        // The web height: h0 − hf' for T, h − hf' − hf for I.
        when(kShape, kT, linear({{1, kH}, {-1, kA}, {-1, kHfTop}}, kSizeMessage)),
        when(kShape, kI, linear({{1, kH}, {-1, kHfTop}, {-1, kHfBottom}}, kSizeMessage)),
        when(kLoad, kPoint, positive(kDist, "集中荷载作用点至支座的距离应大于零，请检查。")),
    };
}

// --- ShearForm ------------------------------------------------------------------------------

void ShearForm::applyEnables() {
    if (decl().control(kShape)) {
        setEnabledState(kHfTop, pick(kShape) == kT || pick(kShape) == kI);
        setEnabledState(kHfBottom, pick(kShape) == kI);
    }
    if (decl().control(kDist)) setEnabledState(kDist, pick(kLoad) == kPoint);
}

void ShearForm::onChoice(FormView& ui, int id, int index) {
    const bool read = takeIn(ui);
    setPick(id, index);
    applyEnables();
    if (read) {
        putBack(ui);
        return;
    }
    // A field that cannot be read keeps its text; only the enable states change.
    for (int k : {kHfTop, kHfBottom, kDist})
        if (decl().control(k)) ui.setEnabled(k, enabled(k));
}

double ShearForm::diameter() const { return std::stod(decl().control(kDiam)->items.at(pick(kDiam))); }

double ShearForm::legs() const { return std::stod(decl().control(kLegs)->items.at(pick(kLegs))); }

double ShearForm::webHeight() const {
    if (!decl().control(kShape)) return h0();
    switch (pick(kShape)) {
        case kT: return h0() - value(kHfTop);
        case kI: return value(kH) - value(kHfTop) - value(kHfBottom);
        default: return h0();
    }
}

void ShearForm::echoForce(CalcReport& r) const {
    r.AppendLine("一、设计要求:");
    r.AppendNameLine("　　　　结构安全等级: ", sheetName(kSafety));
    r.AppendValueLine("　　　　剪力设计值 V＝", value(kV), "%30.3f", "（kN）");
}

void ShearForm::echoBeamSection(CalcReport& r) const {
    const int shape = pick(kShape);
    r.AppendNameLine("　　　　截面形状: ", decl().control(kShape)->items.at(shape));
    r.AppendValueLine(shape == kRect ? "　　　　截面宽度 b＝" : "　　　　腹板宽度 b＝", value(kB), "%30.1f", "（mm）");
    r.AppendValueLine("　　　　截面高度 h＝", value(kH), "%30.1f", "（mm）");
    if (shape != kRect) r.AppendValueLine("　　　　受压翼缘高度 hf'＝", value(kHfTop), "%30.1f", "（mm）");
    if (shape == kI) r.AppendValueLine("　　　　受拉翼缘高度 hf＝", value(kHfBottom), "%30.1f", "（mm）");
    r.AppendValueLine("　　　　纵向受拉钢筋合力点至截面近边的距离 a＝", value(kA), "%30.1f", "（mm）");
}

void ShearForm::echoRectSection(CalcReport& r) const {
    r.AppendValueLine("　　　　矩形截面宽度 b＝", value(kB), "%30.1f", "（mm）");
    r.AppendValueLine("　　　　矩形截面高度 h＝", value(kH), "%30.1f", "（mm）");
    r.AppendValueLine("　　　　纵向受拉钢筋合力点至截面近边的距离 a＝", value(kA), "%30.1f", "（mm）");
}

void ShearForm::echoLoad(CalcReport& r) const {
    r.AppendNameLine("　　　　构件类型: ", decl().control(kLoad)->items.at(pick(kLoad)));
    if (pick(kLoad) == kPoint)
        r.AppendValueLine("　　　　集中荷载作用点至支座截面或节点边缘的距离＝", value(kDist), "%30.1f", "（mm）");
}

void ShearForm::echoStirrups(CalcReport& r, bool spacing) const {
    r.AppendNameLine("　　　　箍筋等级: ", sheetName(kStirrup));
    r.AppendValueLine("　　　　箍筋直径 d＝", diameter(), "%30.0f", "（mm）");
    r.AppendValueLine("　　　　箍筋肢数 n＝", legs(), "%30.0f");
    if (spacing) r.AppendValueLine("　　　　箍筋间距 s＝", value(kS), "%30.1f", "（mm）");
}

void ShearForm::parameters(CalcReport& r, bool bentBars) const {
    r.AppendLine("二、计算参数:");
    r.AppendLine("　　　　根据设计要求查规范得:");
    r.AppendValueLine("　　　◇重要性系数 γ0＝", gamma0(), "%30.1f");
    r.AppendLine("　　　◇混凝土" + sheetName(kConcrete) + "的参数为:");
    r.AppendValueLine("　　　　混凝土轴心抗压强度设计值 fc＝", fc(), "%30.1f", "（N/mm2）");
    r.AppendValueLine("　　　　混凝土轴心抗拉强度设计值 ft＝", ft(), "%30.2f", "（N/mm2）");
    r.AppendValueLine("　　　　混凝土强度影响系数 βc＝", betaC(), "%30.3f");
    r.AppendLine("　　　◇箍筋" + sheetName(kStirrup) + "的参数为:");
    const double fy = col(kStirrup, ColFy);
    if (fy > fyv()) {
        r.AppendValueLine("　　　　钢筋抗拉强度设计值 fy＝", fy, "%30.0f", "（N/mm2）");
        r.AppendLine("　　　　按规范第4.2.3条，用于受剪承载力计算时，箍筋抗拉强度设计值取不大于360N/mm2");
    }
    r.AppendValueLine("　　　　箍筋抗拉强度设计值 fyv＝", fyv(), "%30.0f", "（N/mm2）");
    if (sheetName(kStirrup) == "RRB400")
        r.AppendLine("　　　　注：RRB400余热处理钢筋不在规范第4.2.1条所列的箍筋钢筋牌号之内，宜改用其他牌号");
    if (bentBars) {
        r.AppendLine("　　　◇弯起钢筋" + sheetName(kSteel) + "的参数为:");
        // Clause 4.2.3 caps fyv of transverse bars; bent-up bars are longitudinal bars and keep fy.
        r.AppendValueLine("　　　　弯起钢筋抗拉强度设计值 fy＝", col(kSteel, ColFy), "%30.0f", "（N/mm2）");
    }
}

ShearForm::Limit ShearForm::sectionLimit(CalcReport& r, const char* heading) const {
    r.AppendLine("三、计算过程:");
    r.AppendLine("　　　◇截面有效高度:");
    r.AppendValueLine("　　　　h0＝h－a＝", h0(), "%30.1f", "（mm）");
    r.AppendLine(heading);
    const int shape = decl().control(kShape) ? pick(kShape) : kRect;
    const char* hwText = shape == kT   ? "　　　　腹板高度 hw＝h0－hf'＝"
                         : shape == kI ? "　　　　腹板高度 hw＝h－hf'－hf＝"
                                       : "　　　　腹板高度 hw＝h0＝";
    const double hw = webHeight(), ratio = hw / value(kB);
    r.AppendValueLine(hwText, hw, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　hw／b＝", ratio, "%30.3f");
    Limit lim;
    lim.coef = limitCoefficient(ratio);
    char coef[32];
    if (ratio <= 4) {
        r.AppendLine("　　　　因为 hw／b≤4，系数取 0.25");
        std::snprintf(coef, sizeof coef, "0.25");
    } else if (ratio >= 6) {
        r.AppendLine("　　　　因为 hw／b≥6，系数取 0.2");
        std::snprintf(coef, sizeof coef, "0.2");
    } else {
        r.AppendValueLine("　　　　因为 4＜hw／b＜6，系数按线性内插取 0.25－0.025×（hw／b－4）＝", lim.coef, "%30.3f");
        std::snprintf(coef, sizeof coef, "%.3f", lim.coef);
    }
    if (shape != kRect)
        r.AppendLine("　　　　（未采用规范第6.3.1条注1对T形、I形截面简支受弯构件将0.25提高为0.3的规定，偏于安全）");
    lim.text = std::string(coef) + "×βc×fc×b×h0";
    lim.value = lim.coef * betaC() * fc() * value(kB) * h0();
    r.AppendValueLine("　　　　" + lim.text + "＝", lim.value / 1000, "%30.3f", "（kN）");
    return lim;
}

bool ShearForm::limitHolds(CalcReport& r, const Limit& lim) {
    const double V = gamma0() * value(kV) * 1000;
    r.Append("　　　　γ0×V＝");
    r.AppendValue(V / 1000, "%30.3f");
    if (V <= lim.value) {
        r.Append("（kN）≤" + lim.text + "，截面尺寸满足要求");
        r.EndLine();
        return true;
    }
    r.Append("（kN）＞" + lim.text);
    r.EndLine();
    r.AppendLine("　　　　截面尺寸不满足要求，应加大截面尺寸或提高混凝土强度等级");
    setVerdict(Verdict::Kind::Fail, "截面尺寸不满足要求");
    return false;
}

double ShearForm::alphaCv(CalcReport& r) const {
    r.AppendLine("　　　◇斜截面混凝土受剪承载力系数（规范第6.3.4条）:");
    double acv = 0.7;
    if (pick(kLoad) == kPoint) {
        double lambda = value(kDist) / h0();
        r.AppendValueLine("　　　　计算截面的剪跨比 λ＝集中荷载作用点至支座的距离／h0＝", lambda, "%30.3f");
        r.AppendLine("　　　　（有多个集中荷载时，偏于安全取其中距支座最远者的距离，λ不大于3）");
        if (lambda < 1.5) {
            lambda = 1.5;
            r.AppendLine("　　　　因为 λ＜1.5，取 λ＝1.5");
        } else if (lambda > 3) {
            lambda = 3;
            r.AppendLine("　　　　因为 λ＞3，取 λ＝3");
        }
        acv = 1.75 / (lambda + 1);
        r.AppendValueLine("　　　　集中荷载作用为主的独立梁 αcv＝1.75／（λ＋1）＝", acv, "%30.3f");
    } else {
        r.AppendValueLine("　　　　一般受弯构件 αcv＝", acv, "%30.2f");
    }
    r.AppendValueLine("　　　　αcv×ft×b×h0＝", acv * ft() * value(kB) * h0() / 1000, "%30.3f", "（kN）");
    return acv;
}

ShearForm::BeamRules ShearForm::beamRules(CalcReport& r, bool detailingOnly) const {
    r.AppendLine("　　　◇箍筋构造要求（规范第9.2.9条）:");
    const double h = value(kH), V = gamma0() * value(kV) * 1000;
    const double v07 = 0.7 * ft() * value(kB) * h0();
    r.AppendValueLine("　　　　0.7×ft×b×h0＝", v07 / 1000, "%30.3f", "（kN）");
    BeamRules rules;
    rules.needsRatio = V > v07;
    rules.sMax = beamMaxSpacing(h, rules.needsRatio);
    if (h <= 150)
        r.AppendLine("　　　　截面高度 h≤150mm，箍筋最大间距按表9.2.9中 150mm＜h≤300mm 一栏取用");
    r.AppendValueLine(rules.needsRatio ? "　　　　因为 γ0×V＞0.7×ft×b×h0，查规范表9.2.9得箍筋最大间距 smax＝"
                                       : "　　　　因为 γ0×V≤0.7×ft×b×h0，查规范表9.2.9得箍筋最大间距 smax＝",
                      rules.sMax, "%30.0f", "（mm）");
    rules.rhoMin = 0.24 * ft() / fyv();
    if (rules.needsRatio) {
        r.AppendValueLine("　　　　箍筋最小配筋率 ρsv,min＝0.24×ft／fyv＝", rules.rhoMin * 100, "%30.3f", "（％）");
        r.AppendLine("　　　　（式中 fyv 按不大于360N/mm2取用，偏于安全）");
    }
    rules.dMin = beamMinDiameter(h);
    r.AppendValueLine(h > 800 ? "　　　　因为 h＞800mm，箍筋最小直径 dmin＝" : "　　　　因为 h≤800mm，箍筋最小直径 dmin＝",
                      rules.dMin, "%30.0f", "（mm）");
    if (detailingOnly) {
        if (h < 150)
            r.AppendLine("　　　　截面高度 h＜150mm，可以不设置箍筋");
        else if (h <= 300)
            r.AppendLine("　　　　截面高度 150mm≤h≤300mm，可仅在构件端部各 l0／4 范围内设置构造箍筋，当构件中部 l0／2 范围内有集中荷载作用时，应沿梁全长设置箍筋");
        else
            r.AppendLine("　　　　截面高度 h＞300mm，应沿梁全长设置构造箍筋");
    }
    return rules;
}

double ShearForm::stirrupArea(CalcReport& r) const {
    const double d = diameter(), n = legs();
    r.AppendValueLine("　　　　单肢箍筋截面面积 Asv1＝π×d×d／4＝", legArea(d), "%30.1f", "（mm2）");
    r.AppendValueLine("　　　　同一截面内箍筋截面面积 Asv＝n×Asv1＝", n * legArea(d), "%30.1f", "（mm2）");
    return n * legArea(d);
}

bool ShearForm::checkBeamStirrups(CalcReport& r, const BeamRules& rules, double s) const {
    bool ok = true;
    const double Asv = legs() * legArea(diameter());
    r.Append("　　　　s＝");
    r.AppendValue(s, "%30.1f");
    if (s <= rules.sMax) {
        r.Append("（mm）≤smax，满足");
    } else {
        r.Append("（mm）＞smax，不满足");
        ok = false;
    }
    r.EndLine();
    if (rules.needsRatio) {
        const double rho = Asv / (value(kB) * s);
        r.AppendValueLine("　　　　配箍率 ρsv＝Asv／（b×s）＝", rho * 100, "%30.3f", "（％）");
        if (rho >= rules.rhoMin) {
            r.AppendLine("　　　　ρsv≥ρsv,min，满足");
        } else {
            r.AppendLine("　　　　ρsv＜ρsv,min，不满足");
            ok = false;
        }
    }
    if (diameter() >= rules.dMin) {
        r.AppendLine("　　　　d≥dmin，满足");
    } else {
        r.AppendLine("　　　　d＜dmin，不满足");
        ok = false;
    }
    return ok;
}

}  // namespace tov::shear
