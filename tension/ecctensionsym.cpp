// Eccentrically tensioned rectangular sections with symmetric reinforcement (As = As', a = a'):
// design of As and check of the tensile capacity. Whatever the eccentricity, both use the moments
// about the far bars As' (GB 50010-2010 clause 6.2.23-2: N·e' ≤ fy·As·(h0' − a)); Table 8.5.1 for ρmin.
#include <cmath>

#include "forms/registry.h"

namespace tov {
namespace {

constexpr int kSafety = 1011, kConcrete = 1009, kSteel = 1010;
constexpr int kN = 1024, kM = 1006, kB = 1001, kH = 1000, kA = 1002, kAs = 1008, kE0 = 1073;
constexpr const char* kSize = "截面尺寸输入有误，请检查。";

void requirementHead(CalcReport& r, const CalcForm& f) {
    r.AppendLine("一、设计要求:");
    r.AppendNameLine("　　　　结构安全等级: ", f.sheetName(kSafety));
    r.AppendNameLine("　　　　混凝土强度等级: ", f.sheetName(kConcrete));
    r.AppendNameLine("　　　　钢筋等级: ", f.sheetName(kSteel));
}

void parameters(CalcReport& r, const CalcForm& f) {
    r.AppendLine("二、计算参数:");
    r.AppendLine("　　　　根据设计要求查规范得:");
    r.AppendValueLine("　　　◇重要性系数 γ0＝", f.col(kSafety, ColGamma0), "%30.1f");
    r.AppendLine("　　　◇混凝土" + f.sheetName(kConcrete) + "的参数为:");
    r.AppendValueLine("　　　　混凝土轴心抗拉强度设计值 ft＝", f.col(kConcrete, ColFt), "%30.2f", "（N/mm2）");
    r.AppendLine("　　　◇钢筋" + f.sheetName(kSteel) + "的参数为:");
    r.AppendValueLine("　　　　钢筋抗拉强度设计值 fy＝", f.col(kSteel, ColFy), "%30.0f", "（N/mm2）");
}

double rhoMin(const CalcForm& f) { return rhoMinTension(f.col(kConcrete, ColFt), f.col(kSteel, ColFy)); }

void rhoMinLine(CalcReport& r, const CalcForm& f) {
    r.AppendLine("　　　◇配筋率验算:");
    r.AppendValueLine("　　　　规范要求最小配筋率ρmin＝取大者（0.2％，45×ft／fy％）＝", rhoMin(f), "%30.2f", "（%）");
}

std::vector<Check> sectionChecks() {
    return {
        positive(kH, kSize),
        positive(kB, kSize),
        positive(kA, kSize),
        linear({{1, kH}, {-2, kA}}, kSize),
    };
}

// The capacity of the check form (kN): moments about As', N·e' ≤ fy·As·(h0 − a').
double symCapacity(double fy, double As, double h, double a, double e0, double g0) {
    const double h0 = h - a, ep = e0 + h / 2 - a;
    return As * fy * (h0 - a) / (ep * g0) / 1000;
}

// --- Design of As = As' ---------------------------------------------------------------------

const FormDecl& designDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CEccTensionSymDesignDlg";
        s.dialogId = 194;
        s.commandId = 32825;
        s.title = "对称配筋矩形截面偏心受拉构件正截面配筋计算";
        s.picture = Picture::EccTension;
        s.calcId = 1018;
        const char* g = "设计要求";
        s.controls = {
            gradePicker(194, kSafety, "结构安全等级", g),
            gradePicker(194, kConcrete, "混凝土强度等级", g),
            gradePicker(194, kSteel, "钢筋等级", g),
            edit(kN, "轴心拉力设计值 N(kN)", "kN", 224, g),
            edit(kM, "弯矩设计值 M(kN-m)", "kN-m", 50, g),
            edit(kB, "截面宽度 b(mm)", "mm", 1000, g),
            edit(kH, "截面高度 h(mm)", "mm", 250, g),
            edit(kA, "钢筋合力点距离a,a'(mm)", "mm", 35, g),
            result(kAs, "钢筋面积As,As'(mm2)", "mm2", "计算结果"),
        };
        s.checks = sectionChecks();
        s.checks.push_back(positive(kM, "弯矩数值应大于零，请检查。"));
        s.checks.push_back(positive(kN, "轴心拉力数值应大于零，请检查。"));
        return s;
    }();
    return decl;
}

class CEccTensionSymDesignDlg final : public CalcForm {
public:
    CEccTensionSymDesignDlg() : CalcForm(designDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double N = value(kN), M = value(kM), b = value(kB), h = value(kH), a = value(kA);
        const double ap = a, g0 = col(kSafety, ColGamma0), fy = col(kSteel, ColFy);

        r.begin("─────对称配筋矩形截面对称偏心受拉构件正截面配筋计算书─────");
        requirementHead(r, *this);
        r.AppendValueLine("　　　　弯矩设计值 M＝", M, "%30.6f", "（kN-m）");
        r.AppendValueLine("　　　　轴心力设计值 N＝", N, "%30.3f", "（kN）");
        r.AppendValueLine("　　　　矩形截面宽度 b＝", b, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　矩形截面高度 h＝", h, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a＝a'＝", a, "%30.1f", "（mm）");
        parameters(r, *this);
        r.AppendLine("三、计算过程:");
        r.AppendLine("　　　◇偏心距:");
        const double e0 = M / N * 1000;
        r.AppendValueLine("　　　　e0＝M／N＝", e0, "%30.1f", "（mm）");
        r.AppendLine("　　　◇截面有效高度:");
        const double h0p = h - ap;
        r.AppendValueLine("　　　　h0'＝h－a'＝", h0p, "%30.1f", "（mm）");
        r.AppendLine("　　　◇钢筋面积计算:");
        const double ep = e0 + h / 2 - a;
        r.AppendValueLine("　　　　e'＝e0＋h／2－a＝", ep, "%30.1f", "（mm）");
        double As = g0 * N * 1000 * ep / (fy * (h0p - a));
        r.AppendValueLine("　　　　As＝As'＝γ0×N×e'／｛fy×（h0'－a）｝＝", As, "%30.1f", "（mm2）");
        rhoMinLine(r, *this);
        const double AsMin = rhoMin(*this) / 100 * b * h;
        r.AppendValueLine("　　　　ρmin×b×h＝", AsMin, "%30.1f", "（mm2）");
        if (As >= AsMin) {
            r.AppendValueLine("　　　　As,As'≥ρmin×b×h＝", AsMin, "%30.1f", "（mm2）");
        } else {
            r.AppendValueLine("　　　　As,As'＜ρmin×b×h＝", AsMin, "%30.1f", "（mm2）");
            As = AsMin;
            r.AppendValueLine("　　　　按最小配筋率构造配筋，取 As＝As'＝ρmin×b×h＝", As, "%30.1f", "（mm2）");
        }
        // The designed areas prove themselves by the check form's capacity.
        if (symCapacity(fy, As, h, a, e0, g0) < N * (1 - 1e-12)) {
            As = std::nextafter(g0 * N * 1000 * ep / (fy * (h0p - a)), INFINITY);
            r.AppendValueLine("　　　　按承载力复核，取 As＝As'＝", As, "%30.1f", "（mm2）");
        }
        setValue(kAs, As);
        if (As == AsMin)
            setVerdict(Verdict::Kind::Detailing, "按最小配筋率构造配筋");
        else
            setVerdict(Verdict::Kind::Ok, "满足要求");
        return sheet();
    }
};

// --- Check of the tensile capacity ----------------------------------------------------------

const FormDecl& checkDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CEccTensionSymCheckDlg";
        s.dialogId = 204;
        s.commandId = 32832;
        s.title = "对称配筋(矩形截面)偏心受拉构件正截面承载力计算(已知e0,求Nu)";
        s.picture = Picture::EccTension;
        s.calcId = 1018;
        const char* g = "设计要求";
        s.controls = {
            gradePicker(204, kSafety, "结构安全等级", g),
            gradePicker(204, kConcrete, "混凝土强度等级", g),
            gradePicker(204, kSteel, "钢筋等级", g),
            edit(kB, "截面宽度 b(mm)", "mm", 1000, g),
            edit(kH, "截面高度 h(mm)", "mm", 250, g),
            edit(kA, "钢筋合力点距离a,a'(mm)", "mm", 35, g),
            edit(kAs, "钢筋面积 As,As'(mm2)", "mm2", 1299.2, g),
            edit(kE0, "偏心距 e0 (mm)", "mm", 223.2, g),
            result(kN, "轴向拉力 N(kN)", "kN", "计算结果"),
        };
        s.checks = sectionChecks();
        s.checks.push_back(positive(kE0, kSize));
        s.checks.push_back(positive(kAs, "钢筋面积应大于零，请检查。"));
        return s;
    }();
    return decl;
}

class CEccTensionSymCheckDlg final : public CalcForm {
public:
    CEccTensionSymCheckDlg() : CalcForm(checkDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double b = value(kB), h = value(kH), a = value(kA), As = value(kAs), e0 = value(kE0);
        const double ap = a, g0 = col(kSafety, ColGamma0), fy = col(kSteel, ColFy);

        r.begin("─────对称配筋矩形截面偏心受拉构件正截面承载力计算书（已知e0,求N）─────");
        requirementHead(r, *this);
        r.AppendValueLine("　　　　矩形截面宽度 b＝", b, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　矩形截面高度 h＝", h, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a'＝a＝", a, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋面积 As＝As‘＝", As, "%30.1f", "（mm2）");
        r.AppendValueLine("　　　　偏心距 e0＝", e0, "%30.1f", "（mm）");
        parameters(r, *this);
        r.AppendLine("三、计算过程:");
        r.AppendLine("　　　◇截面有效高度:");
        const double h0p = h - ap;
        r.AppendValueLine("　　　　h0'＝h－a'＝", h0p, "%30.1f", "（mm）");
        r.AppendLine("　　　◇轴心承载力计算:");
        const double ep = e0 + h / 2 - ap;
        r.AppendValueLine("　　　　e'＝e0＋h／2－a'＝", ep, "%30.1f", "（mm）");
        const double N = symCapacity(fy, As, h, a, e0, g0);
        r.AppendValueLine("　　　　N＝As×fy×（h0－a'）／｛e'×γ0｝＝", N, "%30.3f", "（kN）");
        rhoMinLine(r, *this);
        const double AsMin = rhoMin(*this) / 100 * b * h;
        if (As >= AsMin) {
            r.AppendValueLine("　　　　As,As'≥ρmin×b×h＝", AsMin, "%30.1f", "（mm2）");
        } else {
            r.AppendValueLine("　　　　As,As'＜ρmin×b×h＝", AsMin, "%30.1f", "（mm2）");
            r.AppendLine("　　　　截面少筋，不满足规范最小配筋率要求，上述承载力不能采用。");
        }
        if (As >= AsMin)
            setVerdict(Verdict::Kind::Ok, "配筋率满足要求");
        else
            setVerdict(Verdict::Kind::Fail, "少筋，承载力不能采用");
        setValue(kN, N);
        return sheet();
    }
};

}  // namespace

TOVARIN_FORM(CEccTensionSymDesignDlg, designDecl)
TOVARIN_FORM(CEccTensionSymCheckDlg, checkDecl)

}  // namespace tov
