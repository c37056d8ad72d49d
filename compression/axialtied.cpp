// Axially compressed members with ordinary ties: design of the longitudinal steel As', and check
// of the axial capacity (GB 50010-2010 clause 6.2.15 and its note, Table 6.2.15 for φ,
// Table 8.5.1 for ρmin of all longitudinal bars, clause 9.3.1 for the 5 % limit).
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "forms/claimfmt.h"
#include "forms/numfield.h"
#include "forms/registry.h"

namespace tov {
namespace {

constexpr int kSafety = 1011, kConcrete = 1009, kSteel = 1021, kShape = 1039;
constexpr int kSideA = 1002, kSideB = 1001, kDiam = 1038, kRadius = 1042, kArea = 1072;
constexpr int kL0 = 1044, kHelp = 1018;
constexpr int kN = 1024;   // design: the design force (input); check: the capacity (result)
constexpr int kAs = 1023;  // design: the required As' (result); check: the given As' (input)

constexpr const char* kPhiRange = "长细比超出规范表6.2.15的范围，请检查。";
constexpr const char* kL0Message = "构件计算长度数值应大于零，请检查。";
constexpr const char* kOtherMessage = "其它形状截面最小回转半径或截面面积输入有误，请检查。";
constexpr const char* kCircleMessage = "圆形截面的直径输入有误，请检查。";
constexpr const char* kRectMessage = "矩形截面的边长输入有误，请检查。";
constexpr const char* kLongSideMessage = "矩形截面的长边应大于等于短边，请检查。";

// Indices of the section-shape picker.
enum Shape { kRect = 0, kCircle = 1, kOther = 2 };

std::vector<std::string> shapeItems() { return {"矩形截面", "圆形截面", "其它形状"}; }

// The section controls, in exchange order, with the shape that enables each of them.
void addSectionControls(std::vector<Control>& cs, const char* g) {
    cs.push_back(listPicker(kShape, "构件截面形状", shapeItems(), kRect, g));
    cs.push_back(edit(kSideA, "矩形长边长度a(mm)", "mm", 300, g));
    cs.push_back(edit(kSideB, "矩形短边长度b(mm)", "mm", 300, g));
    cs.push_back(disabled(edit(kDiam, "圆形截面直径d(mm)", "mm", 0, g)));
    cs.push_back(disabled(edit(kRadius, "截面最小回转半径i(mm)", "mm", 0, g)));
    cs.push_back(disabled(edit(kArea, "截面面积 A(mm2)", "mm2", 0, g)));
    cs.push_back(noTab(edit(kL0, "构件计算长度 Lo(mm)", "mm", 4800, g)));
    cs.push_back(helpButton(kHelp, "L0.htm", g));
}

// The checks after the first one, common to both forms.
void addSectionChecks(std::vector<Check>& cs) {
    cs.push_back(positive(kL0, kL0Message));
    cs.push_back(when(kShape, kOther, positive(kRadius, kOtherMessage)));
    cs.push_back(when(kShape, kOther, positive(kArea, kOtherMessage)));
    cs.push_back(when(kShape, kCircle, positive(kDiam, kCircleMessage)));
    cs.push_back(when(kShape, kRect, positive(kSideA, kRectMessage)));
    cs.push_back(when(kShape, kRect, positive(kSideB, kRectMessage)));
    cs.push_back(when(kShape, kRect, lessEq(kSideB, kSideA, kLongSideMessage)));
}

// Slenderness and gross area of the section (Table 6.2.15 notes: b the short side, d the
// diameter, i the least radius of gyration).
struct Section {
    Slenderness column;
    double lambda;  // L0/b, L0/d or L0/i
    double A;       // mm²
};

// The shared part of both forms: the section-shape picker and the section lines of the sheet.
class AxialTiedForm : public CalcForm {
public:
    AxialTiedForm(const FormDecl& decl, std::vector<int> keptInputs)
        : CalcForm(decl), keptInputs_(std::move(keptInputs)) {}

protected:
    // The section shape enables its own fields, and clears the section and As'. The inputs that
    // the shape leaves alone (N, L0) are taken in first, so that what the user typed there since
    // the last take-in is kept; a text there that is not a number stays as typed.
    void onChoice(FormView& ui, int id, int index) override {
        if (id != kShape) {
            CalcForm::onChoice(ui, id, index);
            return;
        }
        std::vector<std::pair<int, std::string>> unread;
        for (int k : keptInputs_) {
            std::string t = ui.fieldText(k);
            if (auto v = readNumber(t))
                setValue(k, *v);
            else
                unread.emplace_back(k, std::move(t));
        }
        setPick(kShape, index);
        setEnabledState(kSideA, index == kRect);
        setEnabledState(kSideB, index == kRect);
        setEnabledState(kDiam, index == kCircle);
        setEnabledState(kRadius, index == kOther);
        setEnabledState(kArea, index == kOther);
        for (int k : {kSideA, kSideB, kDiam, kRadius, kArea, kAs}) setValue(k, 0);
        putBack(ui);
        for (const auto& [k, t] : unread) ui.setFieldText(k, t);
    }

    Section section(int shape) const {
        const double L0 = value(kL0);
        switch (shape) {
            case kCircle: {
                const double d = value(kDiam);
                return {Slenderness::L0d, L0 / d, std::numbers::pi * d * d / 4};
            }
            case kOther: return {Slenderness::L0i, L0 / value(kRadius), value(kArea)};
            default: return {Slenderness::L0b, L0 / value(kSideB), value(kSideA) * value(kSideB)};
        }
    }

    // Lines 7 to 14 of both sheets.
    void parameters(CalcReport& r, const char* lengthLabel) const {
        r.AppendLine("二、计算参数:");
        r.AppendLine("　　　　根据设计要求查规范得:");
        r.AppendValueLine("　　　◇重要性系数 γ0＝", col(kSafety, ColGamma0), "%30.1f");
        r.AppendLine("　　　◇混凝土" + sheetName(kConcrete) + "的参数为:");
        r.AppendValueLine("　　　　混凝土轴心抗压强度设计值 fc＝", col(kConcrete, ColFc), "%30.1f", "（N/mm2）");
        r.AppendLine("　　　◇钢筋" + sheetName(kSteel) + "的参数为:");
        r.AppendValueLine("　　　　普通钢筋抗压强度设计值 fy'＝", col(kSteel, ColFyPrime), "%30.0f", "（N/mm2）");
        r.AppendValueLine(lengthLabel, value(kL0), "%30.1f", "（mm）");
    }

    // Lines 18 to 22: the section, its slenderness, φ and its area. The check form writes the
    // slenderness and the computed area as sub-headings ("◇"), the design form as plain lines.
    void sectionLines(CalcReport& r, bool checkForm, int shape, const Section& s, double phi) const {
        const std::string lead = checkForm ? "　　　◇" : "　　　　";
        const char* phiLine = "　　　　查规范表6.2.15得钢筋混凝土轴心受压构件的稳定系数 φ＝";
        switch (shape) {
            case kRect:
                r.AppendValueLine(checkForm ? "　　　　矩形长边长度 a＝" : "　　　　矩形截面长边长度 a＝",
                                  value(kSideA), "%30.1f", "（mm）");
                r.AppendValueLine(checkForm ? "　　　　矩形短边长度 b＝" : "　　　　矩形截面短边长度 b＝",
                                  value(kSideB), "%30.1f", "（mm）");
                r.AppendValueLine(lead + "长细比 Lo／b＝", s.lambda, "%30.3f");
                r.AppendValueLine(phiLine, phi, "%30.3f");
                r.AppendValueLine(lead + "矩形截面面积 A＝a×b＝", s.A, "%30.1f", "（mm2）");
                break;
            case kCircle:
                r.AppendValueLine("　　　　圆形截面直径 d＝", value(kDiam), "%30.1f", "（mm）");
                r.AppendValueLine(lead + "长细比 Lo／d＝", s.lambda, "%30.3f");
                r.AppendValueLine(phiLine, phi, "%30.3f");
                r.AppendValueLine(lead + "圆形截面面积 A＝π×d×d／4＝", s.A, "%30.1f", "（mm2）");
                break;
            default:
                r.AppendValueLine("　　　　截面最小回转半径 i＝", value(kRadius), "%30.1f", "（mm）");
                r.AppendValueLine("　　　　截面面积 A＝", s.A, "%30.1f", "（mm2）");
                r.AppendValueLine(lead + "长细比 Lo／i＝", s.lambda, "%30.3f");
                r.AppendValueLine(phiLine, phi, "%30.3f");
                break;
        }
    }

    double rhoMin() const { return rhoMinAll(pick(kConcrete), pick(kSteel)); }

private:
    std::vector<int> keptInputs_;
};

constexpr const char* kTooSmall = "　　　　截面尺寸过小，应加大截面尺寸或提高混凝土强度等级。";
constexpr const char* kTooSmallVerdict = "截面尺寸过小，应加大截面";

// The axial capacity of formula 6.2.15 (kN) of the check form, with A − As' above 3 % (its note).
double tiedCapacity(double phi, double fc, double fyp, double A, double As, double g0) {
    const double concrete = As / A * 100 <= 3 ? A : A - As;
    return 0.9 * phi * (fc * concrete + fyp * As) / g0 / 1000;
}

constexpr const char* kOver3 = "　　　　因为 ρ＞3％，按规范第6.2.15条，公式中的A应改用（A－As'）：";
constexpr const char* kOver5 =
    "　　　　ρ＞5％，超过规范第9.3.1条全部纵向钢筋配筋率不宜大于5％的规定，宜加大截面尺寸或提高混凝土强度等级。";

// --- Design of As' ----------------------------------------------------------------------------

const FormDecl& designDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CAxialCompTiedDesignDlg";
        s.dialogId = 169;
        s.commandId = 32804;
        s.title = "轴心受压构件正截面配筋(普通箍筋)";
        s.calcId = 1000;
        const char* g = "设计要求";
        s.controls = {
            gradePicker(169, kSafety, "结构安全等级", g),
            edit(kN, "轴向压力设计值N(kN)", "kN", 1300, g),
            gradePicker(169, kConcrete, "混凝土强度等级", g),
            gradePicker(169, kSteel, "钢筋等级", g),
        };
        addSectionControls(s.controls, "计算参数");
        s.controls.push_back(result(kAs, "钢筋面积 As'(mm2)", "mm2", "计算结果"));
        s.checks = {positive(kN, "轴向压力数值应大于零，请检查。")};
        addSectionChecks(s.checks);
        return s;
    }();
    return decl;
}

class CAxialCompTiedDesignDlg final : public AxialTiedForm {
public:
    CAxialCompTiedDesignDlg() : AxialTiedForm(designDecl(), {kN, kL0}) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const int shape = pick(kShape);
        if (shape < kRect || shape > kOther) return silent();
        const Section s = section(shape);
        const std::optional<double> phiOpt = StabilityCoefficient(s.column, s.lambda);
        if (!phiOpt) return refuse(kPhiRange);
        const double phi = *phiOpt, A = s.A, N = value(kN);
        const double g0 = col(kSafety, ColGamma0), fc = col(kConcrete, ColFc);
        const double fyp = col(kSteel, ColFyPrime);

        r.begin("─────轴心受压构件正截面配筋计算书(普通箍筋)─────");
        r.AppendLine("一、设计要求:");
        r.AppendNameLine("　　　　结构安全等级: ", sheetName(kSafety));
        r.AppendValueLine("　　　　轴心压力设计值 N＝", N, "%30.3f", "（kN）");
        r.AppendNameLine("　　　　混凝土强度等级: ", sheetName(kConcrete));
        r.AppendNameLine("　　　　钢筋等级: ", sheetName(kSteel));
        parameters(r, "　　　◇构件计算长度 Lo＝");
        r.AppendLine("三、计算过程:");
        r.AppendLine("　　　◇构件截面面积计算:");
        r.AppendNameLine("　　　　构件截面形状: ", shape == kRect ? "矩形" : shape == kCircle ? "圆形" : "其它形状");
        sectionLines(r, false, shape, s, phi);
        r.AppendLine("　　　◇钢筋面积计算:");

        // Formula 6.2.15 solved for As': γ0·N ≤ 0.9·φ·(fc·A + fy'·As').
        const double demand = g0 * N * 1000 / (0.9 * phi);  // N
        double As = (demand - fc * A) / fyp;
        double rho = 0;
        if (As > 0) {
            r.AppendValueLine("　　　　As'＝｛γo×N／（0.9×φ）－fc×A｝／fy'＝", As, "%30.1f", "（mm2）");
            rho = As / A * 100;
            r.AppendValueLine("　　　　配筋率 ρ＝As'／A＝", rho, "%30.1f", "（％）");
            if (rho > 3) {
                // Note to 6.2.15: above 3 % the bars displace concrete, A becomes A − As'.
                r.AppendLine(kOver3);
                As = (demand - fc * A) / (fyp - fc);
                r.AppendValueLine("　　　　As'＝｛γo×N／（0.9×φ）－fc×A｝／（fy'－fc）＝", As, "%30.1f", "（mm2）");
                rho = As / A * 100;
                r.AppendValueLine("　　　　配筋率 ρ＝As'／A＝", rho, "%30.1f", "（％）");
            }
        } else {
            As = 0;
            r.Append("　　　　γo×N／（0.9×φ）＝");
            r.AppendValue(demand / 1000, "%30.3f");
            r.Append("（kN）≤fc×A＝");
            r.AppendValue(fc * A / 1000, "%30.3f");
            r.Append("（kN），混凝土即可承受轴向压力，计算不需要纵向钢筋。");
            r.EndLine();
        }

        // No bars fill the section, and more than the 5 % of 9.3.1 is no design: the section is
        // too small for the force.
        if (As >= A || rho > 5) {
            r.AppendLine(kOver5);
            r.AppendLine(kTooSmall);
            setEmpty(kAs);
            setVerdict(Verdict::Kind::Fail, kTooSmallVerdict);
            return sheet();
        }

        r.AppendLine("　　　◇全部纵向钢筋配筋率:");
        const double rmin = rhoMin();
        r.AppendValueLine("　　　　规范要求全部纵向钢筋的最小配筋率为 ρmin＝", rmin, "%30.2f", "（％）");
        bool detailing = false;
        if (As > 0 && rho >= rmin) {
            r.AppendLine("　　　　ρ≥ρmin");
        } else {
            if (As > 0) r.AppendLine("　　　　ρ＜ρmin");
            As = rmin / 100 * A;
            rho = rmin;
            detailing = true;
            r.AppendValueLine("　　　　按最小配筋率构造配筋，取 As'＝ρmin×A＝", As, "%30.1f", "（mm2）");
        }
        // The designed area proves itself by the check form's capacity.
        if (tiedCapacity(phi, fc, fyp, A, As, g0) < N * (1 - 1e-12)) {
            double lo = As, hi = A;
            for (int k = 0; k < 200 && hi - lo > 1e-9 * hi; ++k) {
                const double m = 0.5 * (lo + hi);
                (tiedCapacity(phi, fc, fyp, A, m, g0) >= N ? hi : lo) = m;
            }
            As = std::ceil(hi * 10) / 10;
            detailing = false;
            r.AppendValueLine("　　　　按承载力复核，截面不能承受该轴向压力，应增大钢筋面积，取 As'＝", As, "%30.1f", "（mm2）");
            if (As / A * 100 > 5) {
                r.AppendLine(kOver5);
                r.AppendLine(kTooSmall);
                setEmpty(kAs);
                setVerdict(Verdict::Kind::Fail, kTooSmallVerdict);
                return sheet();
            }
        }
        setValue(kAs, As);
        if (detailing)
            setVerdict(Verdict::Kind::Detailing, "按最小配筋率构造配筋");
        else
            setVerdict(Verdict::Kind::Ok, "满足要求");
        return sheet();
    }
};

// --- Check of the axial capacity ----------------------------------------------------------------

const FormDecl& checkDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CAxialCompTiedCheckDlg";
        s.dialogId = 171;
        s.commandId = 32806;
        s.title = "轴心受压构件正截面承载力计算(普通箍筋)";
        s.calcId = 1000;
        const char* g = "设计要求";
        s.controls = {
            gradePicker(171, kSafety, "结构重要性系数γo", g),
            gradePicker(171, kConcrete, "混凝土强度等级", g),
            gradePicker(171, kSteel, "纵向钢筋等级", g),
            edit(kAs, "钢筋面积As'(mm2)", "mm2", 1240, g),
        };
        addSectionControls(s.controls, "计算参数");
        s.controls.push_back(result(kN, "轴向压力 N(kN)", "kN", "计算结果"));
        s.checks = {positive(kAs, "受压钢筋面积数值应大于零，请检查。")};
        addSectionChecks(s.checks);
        return s;
    }();
    return decl;
}

class CAxialCompTiedCheckDlg final : public AxialTiedForm {
public:
    CAxialCompTiedCheckDlg() : AxialTiedForm(checkDecl(), {kL0}) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const int shape = pick(kShape);
        if (shape < kRect || shape > kOther) return silent();
        const Section s = section(shape);
        const std::optional<double> phiOpt = StabilityCoefficient(s.column, s.lambda);
        if (!phiOpt) return refuse(kPhiRange);
        const double phi = *phiOpt, A = s.A, As = value(kAs);
        // Bars cannot fill the whole section; A − As' of the 6.2.15 note would not be positive.
        if (As >= A) return refuse("受压钢筋面积应小于构件截面面积，请检查。");
        const double g0 = col(kSafety, ColGamma0), fc = col(kConcrete, ColFc);
        const double fyp = col(kSteel, ColFyPrime);

        r.begin("─────轴心受压构件正截面承载力复核计算书─────");
        r.AppendLine("一、设计要求:");
        r.AppendNameLine("　　　　结构安全等级: ", sheetName(kSafety));
        r.AppendNameLine("　　　　混凝土强度等级: ", sheetName(kConcrete));
        r.AppendNameLine("　　　　钢筋等级: ", sheetName(kSteel));
        r.AppendValueLine("　　　　受压钢筋面积 As'＝", As, "%30.1f", "（mm2）");
        parameters(r, "　　　◇构件计算长度 L0＝");
        r.AppendLine("三、计算过程:");
        r.AppendLine("　　　◇构件截面面积计算:");
        r.AppendNameLine("　　　　构件截面形状: ",
                         shape == kRect ? "矩形截面" : shape == kCircle ? "圆形截面" : "其它形状");
        sectionLines(r, true, shape, s, phi);
        r.AppendLine("　　　◇轴向承载力计算:");
        const double rho = As / A * 100, rmin = rhoMin();
        // ρ is printed with the digits that keep it apart from each figure the sheet compares it
        // with (ρmin, 3 %, 5 %).
        int digits = 1;
        if (rho < rmin) digits = std::max(digits, claimDecimals(rho, rmin, 1));
        if (rho > 3) digits = std::max(digits, claimDecimals(rho, 3, 1));
        if (rho > 5) digits = std::max(digits, claimDecimals(rho, 5, 1));
        r.AppendValueLine("　　　　配筋率 ρ＝As'／A＝", rho, fixedFormat(digits), "（%）");
        if (rho > 3) r.AppendLine(kOver3);
        const double Nu = tiedCapacity(phi, fc, fyp, A, As, g0);
        r.AppendValueLine(rho <= 3 ? "　　　　 N＝0.9×φ×（fc×A＋fy'×As'）／γo＝"
                                   : "　　　　 N＝0.9×φ×（fc×（A－As'）＋fy'×As'）／γo＝",
                          Nu, "%30.3f", "（kN）");
        Verdict::Kind kind = Verdict::Kind::Ok;
        const char* verdict = "配筋率满足要求";
        if (rho < rmin) {
            r.Append("　　　　ρ＜ρmin＝");
            r.AppendValue(rmin, "%30.2f");
            r.Append("（％），不满足规范表8.5.1全部纵向钢筋最小配筋率的要求。");
            r.EndLine();
            kind = Verdict::Kind::Fail;
            verdict = "少筋，不满足最小配筋率要求";
        }
        if (rho > 5) {
            r.AppendLine("　　　　ρ＞5％，超过规范第9.3.1条全部纵向钢筋配筋率不宜大于5％的规定。");
            kind = Verdict::Kind::Detailing;
            verdict = "配筋率大于5％，宜加大截面";
        }
        setValue(kN, Nu);
        setVerdict(kind, verdict);
        return sheet();
    }
};

}  // namespace

TOVARIN_FORM(CAxialCompTiedDesignDlg, designDecl)
TOVARIN_FORM(CAxialCompTiedCheckDlg, checkDecl)

}  // namespace tov
