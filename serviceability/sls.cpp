#include "serviceability/sls.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "forms/numfield.h"

namespace tov::sls {

namespace {
// Table 3.4.5 for reinforced members (crack control grade 三), with the class-一 cases of its notes.
struct LimitRow {
    const char* text;
    double wlim;
};
const LimitRow kLimits[] = {
    {"一类 0.30mm", 0.30},
    {"一类（年平均相对湿度小于60%地区的受弯构件） 0.40mm", 0.40},
    {"一类（需作疲劳验算的吊车梁、屋架、托架） 0.20mm", 0.20},
    {"二a 0.20mm", 0.20},
    {"二b 0.20mm", 0.20},
    {"三a 0.20mm", 0.20},
    {"三b 0.20mm", 0.20},
};
}  // namespace

std::vector<Control> shapeControls() {
    return {
        listPicker(kShape, "截面形状", {"矩形截面", "T形截面", "倒T形截面", "I形截面"}, kRect, kGroup),
    };
}

std::vector<Control> sizeControls(double b, double h, double a) {
    return {
        edit(kB, "截面（腹板）宽度b(mm)", "mm", b, kGroup),
        edit(kH, "截面高度h(mm)", "mm", h, kGroup),
        edit(kA, "受拉钢筋合力点至受拉边缘距离a(mm)", "mm", a, kGroup),
    };
}

std::vector<Control> flangeControls(bool tension, bool compression) {
    std::vector<Control> out;
    if (tension) {
        out.push_back(disabled(edit(kBf, "受拉翼缘宽度bf(mm)", "mm", 500, kGroup)));
        out.push_back(disabled(edit(kHf, "受拉翼缘高度hf(mm)", "mm", 100, kGroup)));
    }
    if (compression) {
        out.push_back(disabled(edit(kBfPrime, "受压翼缘宽度bf'(mm)", "mm", 500, kGroup)));
        out.push_back(disabled(edit(kHfPrime, "受压翼缘高度hf'(mm)", "mm", 100, kGroup)));
    }
    return out;
}

std::vector<Check> flangeChecks(bool tension, bool compression) {
    constexpr const char* kFlange = "翼缘宽度应大于腹板宽度b，翼缘高度应大于零且小于截面高度h，请检查。";
    std::vector<Check> out;
    for (int s : {kTee, kInvTee, kISection}) {
        if (tension && hasTensionFlange(s)) {
            out.push_back(when(kShape, s, less(kB, kBf, kFlange)));
            out.push_back(when(kShape, s, positive(kHf, kFlange)));
            out.push_back(when(kShape, s, less(kHf, kH, kFlange)));
        }
        if (compression && hasCompressionFlange(s)) {
            out.push_back(when(kShape, s, less(kB, kBfPrime, kFlange)));
            out.push_back(when(kShape, s, positive(kHfPrime, kFlange)));
            out.push_back(when(kShape, s, less(kHfPrime, kH, kFlange)));
        }
        if (tension && compression && s == kISection) out.push_back(when(kShape, s, linear({{1, kH}, {-1, kHf}, {-1, kHfPrime}}, kFlange)));
    }
    return out;
}

Control limitPicker() {
    std::vector<std::string> items;
    for (const auto& l : kLimits) items.emplace_back(l.text);
    return listPicker(kLimit, "环境类别及裂缝宽度限值wlim", items, 0, kGroup);
}

Control barTypePicker() { return listPicker(kBarType, "受拉钢筋类型", {"带肋钢筋", "光面钢筋"}, 0, kGroup); }

std::vector<Control> barControls() {
    return {
        edit(kAs, "受拉钢筋面积As(mm2)", "mm2", 1256, kGroup),
        edit(kCs, "最外层受拉钢筋外边缘至受拉边缘距离cs(mm)", "mm", 30, kGroup),
        barTypePicker(),
        edit(kD1, "第一组钢筋直径d1(mm)", "mm", 20, kGroup),
        digitsEdit(kN1, "第一组钢筋根数n1", "", 4, kGroup),
        edit(kD2, "第二组钢筋直径d2(mm)", "mm", 18, kGroup),
        digitsEdit(kN2, "第二组钢筋根数n2", "", 0, kGroup),
        helpPage(kHelp, "crack.htm", "裂缝宽度计算说明"),
        result(kW, "最大裂缝宽度wmax(mm)", "mm", "计算结果"),
    };
}

Control helpPage(int id, const char* page, const char* tip) {
    Control c = helpButton(id, page, kGroup);
    c.label = tip;
    return c;
}

double crackLimit(int row) {
    constexpr int n = sizeof kLimits / sizeof kLimits[0];
    return kLimits[std::clamp(row, 0, n - 1)].wlim;
}

bool hasTensionFlange(int shape) { return shape == kInvTee || shape == kISection; }
bool hasCompressionFlange(int shape) { return shape == kTee || shape == kISection; }

void SlsForm::onOpen() {
    if (!decl().control(kShape)) return;
    const int s = pick(kShape);
    for (int id : {kBf, kHf})
        if (decl().control(id)) setEnabledState(id, hasTensionFlange(s));
    for (int id : {kBfPrime, kHfPrime})
        if (decl().control(id)) setEnabledState(id, hasCompressionFlange(s));
}

void SlsForm::onChoice(FormView& ui, int id, int index) {
    CalcForm::onChoice(ui, id, index);
    if (id != kShape) return;
    onOpen();
    for (int f : {kBf, kHf, kBfPrime, kHfPrime})
        if (decl().control(f)) ui.setEnabled(f, enabled(f));
}

int SlsForm::shape() const { return decl().control(kShape) ? pick(kShape) : kRect; }

double SlsForm::tensionFlangeArea() const {
    return hasTensionFlange(shape()) ? (value(kBf) - value(kB)) * value(kHf) : 0;
}

void SlsForm::materialLines(CalcReport& r, bool withEc) const {
    r.AppendLine("二、计算参数:");
    r.AppendLine("　　　　根据设计要求查规范得:");
    r.AppendLine("　　　◇混凝土" + sheetName(kConcrete) + "的参数为:");
    r.AppendValueLine("　　　　混凝土轴心抗拉强度标准值 ftk＝", col(kConcrete, ColFtk), "%30.2f", "（N/mm2）");
    if (withEc) r.AppendValueLine("　　　　混凝土弹性模量 Ec＝", col(kConcrete, ColEc), "%30.2f", "（×10000N/mm2）");
    r.AppendLine("　　　◇钢筋" + sheetName(kSteel) + "的参数为:");
    r.AppendValueLine("　　　　普通钢筋弹性模量 Es＝", col(kSteel, ColEs), "%30.2f", "（×100000N/mm2）");
}

void SlsForm::sizeLines(CalcReport& r) const {
    if (decl().control(kShape))
        r.AppendNameLine("　　　　截面形状: ", decl().control(kShape)->items.at(static_cast<std::size_t>(shape())));
    r.AppendValueLine("　　　　截面（腹板）宽度 b＝", value(kB), "%30.1f", "（mm）");
    r.AppendValueLine("　　　　截面高度 h＝", value(kH), "%30.1f", "（mm）");
    r.AppendValueLine("　　　　受拉钢筋合力点至受拉边缘的距离 a＝", value(kA), "%30.1f", "（mm）");
    if (hasTensionFlange(shape())) {
        r.AppendValueLine("　　　　受拉翼缘宽度 bf＝", value(kBf), "%30.1f", "（mm）");
        r.AppendValueLine("　　　　受拉翼缘高度 hf＝", value(kHf), "%30.1f", "（mm）");
    }
    if (hasCompressionFlange(shape()) && decl().control(kBfPrime)) {
        r.AppendValueLine("　　　　受压翼缘宽度 bf'＝", value(kBfPrime), "%30.1f", "（mm）");
        r.AppendValueLine("　　　　受压翼缘高度 hf'＝", value(kHfPrime), "%30.1f", "（mm）");
    }
}

void SlsForm::crackInputLines(CalcReport& r, bool secondGroup, bool withAs) const {
    if (withAs) r.AppendValueLine("　　　　受拉钢筋面积 As＝", value(kAs), "%30.1f", "（mm2）");
    r.AppendNameLine("　　　　受拉钢筋类型: ", decl().control(kBarType)->items.at(static_cast<std::size_t>(pick(kBarType))));
    if (secondGroup) {
        r.AppendValueLine("　　　　第一组钢筋直径 d1＝", value(kD1), "%30.1f", "（mm）");
        r.AppendValueLine("　　　　第一组钢筋根数 n1＝", value(kN1), "%30.0f");
        r.AppendValueLine("　　　　第二组钢筋直径 d2＝", value(kD2), "%30.1f", "（mm）");
        r.AppendValueLine("　　　　第二组钢筋根数 n2＝", value(kN2), "%30.0f");
    }
    r.AppendValueLine("　　　　最外层受拉钢筋外边缘至受拉区底边的距离 cs＝", value(kCs), "%30.1f", "（mm）");
    r.AppendNameLine("　　　　环境类别及裂缝宽度限值: ", decl().control(kLimit)->items.at(static_cast<std::size_t>(pick(kLimit))));
}

double SlsForm::equivalentDiameter(CalcReport& r, bool secondGroup) const {
    const bool plain = pick(kBarType) == 1;
    const double nu = plain ? 0.7 : 1.0;
    const double d1 = value(kD1), n1 = secondGroup ? value(kN1) : 1;
    const double d2 = secondGroup ? value(kD2) : 0, n2 = secondGroup ? value(kN2) : 0;
    r.AppendLine("　　　◇受拉区纵向钢筋的等效直径:");
    r.AppendValueLine(plain ? "　　　　光面钢筋的相对粘结特性系数 νi＝" : "　　　　带肋钢筋的相对粘结特性系数 νi＝", nu, "%30.1f");
    const double deq = (n1 * d1 * d1 + n2 * d2 * d2) / (n1 * nu * d1 + n2 * nu * d2);
    if (n2 > 0)
        r.AppendValueLine("　　　　deq＝（n1×d1×d1＋n2×d2×d2）／（n1×νi×d1＋n2×νi×d2）＝", deq, "%30.1f", "（mm）");
    else
        r.AppendValueLine(secondGroup ? "　　　　deq＝d1／νi＝" : "　　　　deq＝d／νi＝", deq, "%30.1f", "（mm）");
    return deq;
}

std::string SlsForm::barGroupsDisagree() const {
    const double n1 = value(kN1), n2 = value(kN2);
    if (n1 != std::floor(n1) || n2 != std::floor(n2)) return "钢筋根数应为整数，请检查。";
    const double sum = std::numbers::pi / 4 * (n1 * value(kD1) * value(kD1) + n2 * value(kD2) * value(kD2));
    if (std::abs(sum - value(kAs)) > 0.05 * value(kAs))
        return "两组钢筋的面积之和 Σn×π×d×d／4＝" + fixedText(sum, "%30.1f") +
               "（mm2）与受拉钢筋面积 As 相差超过5％，请检查。";
    return {};
}

double SlsForm::strainUnevenness(CalcReport& r, double sigma, double As, double Ate, const char* floorLine,
                                  double& rhoTe) const {
    const double ftk = col(kConcrete, ColFtk);
    rhoTe = As / Ate;
    r.AppendValueLine("　　　　ρte＝As／Ate＝", rhoTe, "%30.5f");
    if (rhoTe < 0.01) {
        rhoTe = 0.01;
        r.AppendLine(floorLine);
    }
    r.AppendLine("　　　◇裂缝间纵向受拉钢筋应变不均匀系数:");
    double psi = 1.1 - 0.65 * ftk / (rhoTe * sigma);
    r.AppendValueLine("　　　　ψ＝1.1－0.65×ftk／（ρte×σsq）＝", psi, "%30.3f");
    if (psi < 0.2) {
        psi = 0.2;
        r.AppendLine("　　　　ψ＜0.2，取 ψ＝0.2");
    } else if (psi > 1.0) {
        psi = 1.0;
        r.AppendLine("　　　　ψ＞1.0，取 ψ＝1.0");
    }
    return psi;
}

SlsForm::Crack SlsForm::crackWidth(CalcReport& r, double sigma, double As, double Ate, double deq,
                                   double alphaCr, bool verdictLine) {
    const double Es = col(kSteel, ColEs) * 100000;
    r.AppendLine("　　　◇按有效受拉混凝土截面面积计算的纵向受拉钢筋配筋率:");
    double rhoTe = 0;
    const double psi = strainUnevenness(r, sigma, As, Ate, "　　　　ρte＜0.01，取 ρte＝0.01", rhoTe);
    double cs = value(kCs);
    if (cs < 20) {
        cs = 20;
        r.AppendLine("　　　　cs＜20mm，计算中取 cs＝20mm");
    } else if (cs > 65) {
        cs = 65;
        r.AppendLine("　　　　cs＞65mm，计算中取 cs＝65mm");
    }
    r.AppendLine("　　　◇最大裂缝宽度:");
    r.AppendValueLine("　　　　构件受力特征系数 αcr＝", alphaCr, "%30.1f");
    const double w = alphaCr * psi * sigma / Es * (1.9 * cs + 0.08 * deq / rhoTe);
    r.AppendValueLine("　　　　wmax＝αcr×ψ×σsq／Es×（1.9×cs＋0.08×deq／ρte）＝", w, "%30.3f", "（mm）");
    const Crack c{w, crackLimit(pick(kLimit))};
    setValue(kW, w);
    if (verdictLine) crackVerdict(r, c);
    return c;
}

void SlsForm::crackVerdict(CalcReport& r, const Crack& c) {
    r.AppendLine("　　　◇裂缝宽度验算:");
    r.Append("　　　　wmax＝");
    // A width just above the limit is shown with the digits that tell it from the limit.
    const bool close = c.w > c.wlim && std::stod(fixedText(c.w, "%30.3f")) <= c.wlim;
    r.AppendValue(c.w, close ? "%30.5f" : "%30.3f");
    if (c.w <= c.wlim) {
        r.Append("（mm）≤wlim＝");
        r.AppendValue(c.wlim, "%30.2f");
        r.Append("（mm），满足要求");
        r.EndLine();
        setVerdict(Verdict::Kind::Ok, "满足要求");
    } else {
        r.Append("（mm）＞wlim＝");
        r.AppendValue(c.wlim, "%30.2f");
        r.Append("（mm），裂缝宽度超过限值");
        r.EndLine();
        setVerdict(Verdict::Kind::Fail, "裂缝宽度超过限值");
    }
}

}  // namespace tov::sls
