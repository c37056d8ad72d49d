// Axially tensioned members: design of As from N, and check of the capacity Nu of a given As
// (GB 50010-2010 clause 6.2.22: N ≤ fy·As; Table 8.5.1 and its note 4: ρmin over the gross area).
#include <cmath>
#include <numbers>

#include "forms/numfield.h"
#include "forms/registry.h"

namespace tov {
namespace {

constexpr int kSafety = 1011, kConcrete = 1009, kSteel = 1010;
constexpr int kShape = 1039, kA = 1002, kB = 1001, kD = 1038;
constexpr int kRect = 0, kCircle = 1;
constexpr const char* kRectMessage = "矩形截面的边长应大于零，请检查。";
constexpr const char* kCircleMessage = "圆形截面的直径应大于零，请检查。";

// The shape picker and the three section fields, in Tab order, with their checks.
std::vector<Control> sectionControls() {
    const char* g = "计算参数：";
    return {
        listPicker(kShape, "构件截面形状", {"矩形截面", "圆形截面"}, kRect, g),
        edit(kA, "矩形截面边长 a(mm)", "mm", 150, g),
        edit(kB, "矩形截面边长 b(mm)", "mm", 150, g),
        disabled(edit(kD, "圆形截面直径 d(mm)", "mm", 0, g)),
    };
}

std::vector<Check> sectionChecks() {
    return {
        when(kShape, kRect, positive(kA, kRectMessage)),
        when(kShape, kRect, positive(kB, kRectMessage)),
        when(kShape, kCircle, positive(kD, kCircleMessage)),
    };
}

// What both forms share: the section-shape change and the sheet lines of the section.
class AxialTensionForm : public CalcForm {
public:
    using CalcForm::CalcForm;

protected:
    // A new shape clears a, b and d and switches which of them can be typed. The other fields are
    // taken in first, so a number typed there since the last Calculate is kept; a field that cannot
    // be read keeps its text as typed (the next Calculate reports it).
    void onChoice(FormView& ui, int id, int index) override {
        if (id != kShape) {
            CalcForm::onChoice(ui, id, index);
            return;
        }
        for (const Control& c : decl().controls) {
            if (!c.isInput() || c.id == kA || c.id == kB || c.id == kD) continue;
            if (auto v = readNumber(ui.fieldText(c.id))) setValue(c.id, *v);
        }
        setPick(kShape, index);
        const bool rect = index == kRect;
        setEnabledState(kA, rect);
        setEnabledState(kB, rect);
        setEnabledState(kD, !rect);
        for (int f : {kA, kB, kD}) {
            setValue(f, 0);
            ui.setFieldText(f, showNumber(0));
            ui.setEnabled(f, enabled(f));
        }
    }

    bool circular() const { return pick(kShape) == kCircle; }
    bool knownShape() const { return pick(kShape) == kRect || pick(kShape) == kCircle; }

    /// Gross section area A (mm²): a·b, or π·d²/4 for a circle.
    double area() const {
        if (circular()) return std::numbers::pi * value(kD) * value(kD) / 4;
        return value(kA) * value(kB);
    }

    void requirementGrades(CalcReport& r) const {
        r.AppendNameLine("　　　　混凝土强度等级: ", sheetName(kConcrete));
        r.AppendNameLine("　　　　钢筋等级: ", sheetName(kSteel));
    }

    void parameters(CalcReport& r) const {
        r.AppendLine("二、计算参数:");
        r.AppendLine("　　　　根据设计要求查规范得:");
        r.AppendValueLine("　　　◇重要性系数 γ0＝", col(kSafety, ColGamma0), "%30.1f");
        r.AppendLine("　　　◇混凝土" + sheetName(kConcrete) + "的参数为:");
        r.AppendValueLine("　　　　混凝土轴心抗拉强度设计值 ft＝", col(kConcrete, ColFt), "%30.2f", "（N/mm2）");
        r.AppendLine("　　　◇钢筋" + sheetName(kSteel) + "的参数为:");
        r.AppendValueLine("　　　　普通钢筋抗拉强度设计值 fy＝", col(kSteel, ColFy), "%30.0f", "（N/mm2）");
    }

    // "三、计算过程:" and the section lines; the rectangle's area line only where asked for.
    void sectionLines(CalcReport& r, bool rectAreaLine) const {
        r.AppendLine("三、计算过程:");
        r.AppendLine("　　　◇计算构件截面面积:");
        r.AppendNameLine("　　　　构件截面形状: ", circular() ? "圆形" : "矩形");
        if (circular()) {
            r.AppendValueLine("　　　　圆形截面直径 d＝", value(kD), "%30.1f", "（mm）");
            r.AppendValueLine("　　　　圆形截面面积 A＝π×d×d／4＝", area(), "%30.1f", "（mm2）");
            return;
        }
        r.AppendValueLine("　　　　矩形截面边长 a＝", value(kA), "%30.1f", "（mm）");
        r.AppendValueLine("　　　　矩形截面边长 b＝", value(kB), "%30.1f", "（mm）");
        if (rectAreaLine) r.AppendValueLine("　　　　矩形截面面积 A＝", area(), "%30.1f", "（mm2）");
    }

    double rhoMin() const { return rhoMinTension(col(kConcrete, ColFt), col(kSteel, ColFy)); }

    void rhoMinLine(CalcReport& r) const {
        r.AppendLine("　　　◇配筋率验算:");
        r.AppendValueLine("　　　　规范要求最小配筋率ρmin＝取大者（0.2％，45×ft／fy％）＝", rhoMin(), "%30.2f", "（%）");
    }
};

// The capacity of the check form, formula 6.2.22 (kN).
double tensileCapacity(double fy, double As, double g0) { return fy * As / g0 / 1000; }

// --- Design of As ---------------------------------------------------------------------------

constexpr int kDesignN = 1024, kDesignAs = 1008;

const FormDecl& designDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CAxialTensionDesignDlg";
        s.dialogId = 184;
        s.commandId = 32818;
        s.title = "轴心受拉构件正截面配筋计算";
        s.calcId = 1000;
        const char* g = "设计要求：";
        s.controls = {
            gradePicker(184, kSafety, "结构安全等级", g),
            edit(kDesignN, "轴心拉力设计值 N(kN)", "kN", 200, g),
            gradePicker(184, kConcrete, "混凝土强度等级", g),
            gradePicker(184, kSteel, "钢筋等级", g),
        };
        for (auto& c : sectionControls()) s.controls.push_back(std::move(c));
        s.controls.push_back(result(kDesignAs, "钢筋面积 As(mm2)", "mm2", "计算结果:"));
        s.checks = {positive(kDesignN, "轴心拉力应大于零，请检查。")};
        for (auto& c : sectionChecks()) s.checks.push_back(std::move(c));
        return s;
    }();
    return decl;
}

class CAxialTensionDesignDlg final : public AxialTensionForm {
public:
    CAxialTensionDesignDlg() : AxialTensionForm(designDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        if (!knownShape()) return silent();
        const double N = value(kDesignN);
        const double g0 = col(kSafety, ColGamma0), fy = col(kSteel, ColFy);

        r.begin("─────轴心受拉构件正截面配筋计算书─────");
        r.AppendLine("一、设计要求:");
        r.AppendNameLine("　　　　结构安全等级: ", sheetName(kSafety));
        r.AppendValueLine("　　　　轴心拉力设计值 N＝", N, "%30.3f", "（kN）");
        requirementGrades(r);
        parameters(r);
        sectionLines(r, true);
        r.AppendLine("　　　◇计算受拉钢筋截面面积:");
        double As = g0 * N * 1000 / fy;
        r.AppendValueLine("　　　　As＝γo×N／fy＝", As, "%30.1f", "（mm2）");
        rhoMinLine(r);
        const double AsMin = rhoMin() / 100 * area();
        if (As >= AsMin) {
            r.AppendValueLine("　　　　As≥ρmin×A＝", AsMin, "%30.1f", "（mm2）");
        } else {
            r.AppendValueLine("　　　　As＜ρmin×A＝", AsMin, "%30.1f", "（mm2）");
            As = AsMin;
            r.AppendValueLine("　　　　按最小配筋率构造配筋，取 As＝ρmin×A＝", As, "%30.1f", "（mm2）");
        }
        // The designed area proves itself by the check form's capacity.
        if (tensileCapacity(fy, As, g0) < N * (1 - 1e-12)) {
            As = std::nextafter(g0 * N * 1000 / fy, INFINITY);
            r.AppendValueLine("　　　　按承载力复核，取 As＝", As, "%30.1f", "（mm2）");
        }
        setValue(kDesignAs, As);
        if (As == AsMin)
            setVerdict(Verdict::Kind::Detailing, "按最小配筋率构造配筋");
        else
            setVerdict(Verdict::Kind::Ok, "满足要求");
        return sheet();
    }
};

// --- Check of the capacity Nu ---------------------------------------------------------------

constexpr int kCheckAs = 1008, kCheckArea = 1063, kCheckN = 1024;

const FormDecl& checkDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CAxialTensionCheckDlg";
        s.dialogId = 200;
        s.commandId = 32831;
        s.title = "轴心受拉构件正截面承载力计算";
        s.calcId = 1000;
        const char* g = "设计要求：";
        s.controls = {
            gradePicker(200, kSafety, "结构安全等级", g),
            gradePicker(200, kConcrete, "混凝土强度等级", g),
            gradePicker(200, kSteel, "钢筋等级", g),
            edit(kCheckAs, "钢筋面积As(mm2)", "mm2", 666.7, g),
        };
        for (auto& c : sectionControls()) s.controls.push_back(std::move(c));
        s.controls.push_back(result(kCheckArea, "构件截面面积A(mm2)", "mm2", "计算参数："));
        s.controls.push_back(result(kCheckN, "轴向拉力 N(kN)", "kN", "计算结果:"));
        s.checks = {positive(kCheckAs, "钢筋截面面积应大于零，请检查。")};
        for (auto& c : sectionChecks()) s.checks.push_back(std::move(c));
        return s;
    }();
    return decl;
}

class CAxialTensionCheckDlg final : public AxialTensionForm {
public:
    CAxialTensionCheckDlg() : AxialTensionForm(checkDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        if (!knownShape()) return silent();
        const double As = value(kCheckAs);
        const double g0 = col(kSafety, ColGamma0), fy = col(kSteel, ColFy);

        r.begin("─────轴心受拉构件正截面承载力计算书─────");
        r.AppendLine("一、设计要求:");
        r.AppendNameLine("　　　　结构安全等级: ", sheetName(kSafety));
        requirementGrades(r);
        r.AppendValueLine("　　　　钢筋截面面积 As＝", As, "%30.1f", "（mm2）");
        parameters(r);
        sectionLines(r, false);
        r.AppendLine("　　　◇计算轴向受拉承载力设计值:");
        const double Nu = tensileCapacity(fy, As, g0);
        r.AppendValueLine("　　　　 Nu＝fy×As／γo＝", Nu, "%30.3f", "（kN）");
        rhoMinLine(r);
        const double AsMin = rhoMin() / 100 * area();
        if (As >= AsMin) {
            r.AppendValueLine("　　　　As≥ρmin×A＝", AsMin, "%30.1f", "（mm2）");
        } else {
            r.AppendValueLine("　　　　As＜ρmin×A＝", AsMin, "%30.1f", "（mm2）");
            r.AppendLine("　　　　截面少筋，不满足规范最小配筋率要求，上述承载力不能采用。");
        }
        if (As >= AsMin)
            setVerdict(Verdict::Kind::Ok, "配筋率满足要求");
        else
            setVerdict(Verdict::Kind::Fail, "少筋，承载力不能采用");
        setValue(kCheckArea, area());
        setValue(kCheckN, Nu);
        return sheet();
    }
};

}  // namespace

TOVARIN_FORM(CAxialTensionDesignDlg, designDecl)
TOVARIN_FORM(CAxialTensionCheckDlg, checkDecl)

}  // namespace tov
