// Singly reinforced rectangular section in flexure: design of As, and check of the moment capacity
// (GB 50010-2010 clauses 6.2.6, 6.2.7, 6.2.10; Table 8.5.1 for ρmin).
#include <cmath>

#include "flexure/selfcheck.h"
#include "forms/claimfmt.h"
#include "forms/registry.h"

namespace tov {
namespace {

constexpr int kSafety = 1011, kConcrete = 1009, kSteel = 1010;
constexpr const char* kSize = "截面尺寸输入有误，请检查。";

// Lines 3 to 6 of both sheets.
void requirementHead(CalcReport& r, const CalcForm& f) {
    r.AppendLine("一、设计要求:");
    r.AppendNameLine("　　　　结构安全等级: ", f.sheetName(kSafety));
    r.AppendNameLine("　　　　混凝土强度等级: ", f.sheetName(kConcrete));
    r.AppendNameLine("　　　　钢筋等级: ", f.sheetName(kSteel));
}

// Lines 11 to 22 of both sheets.
void parameters(CalcReport& r, const CalcForm& f) {
    r.AppendLine("二、计算参数:");
    r.AppendLine("　　　　根据设计要求查规范得:");
    r.AppendValueLine("　　　◇重要性系数 γ0＝", f.col(kSafety, ColGamma0), "%30.1f");
    r.AppendLine("　　　◇混凝土" + f.sheetName(kConcrete) + "的参数为:");
    r.AppendValueLine("　　　　系数 α1＝", f.col(kConcrete, ColAlpha1), "%30.2f");
    r.AppendValueLine("　　　　系数 β1＝", f.col(kConcrete, ColBeta1), "%30.2f");
    r.AppendValueLine("　　　　混凝土轴心抗压强度设计值 fc＝", f.col(kConcrete, ColFc), "%30.1f", "（N/mm2）");
    r.AppendValueLine("　　　　混凝土轴心抗拉强度设计值 ft＝", f.col(kConcrete, ColFt), "%30.2f", "（N/mm2）");
    r.AppendValueLine("　　　　正截面混凝土极限压应变 εcu＝", f.col(kConcrete, ColEpsCu), "%30.5f");
    r.AppendLine("　　　◇钢筋" + f.sheetName(kSteel) + "的参数为:");
    r.AppendValueLine("　　　　普通钢筋抗拉强度设计值 fy＝", f.col(kSteel, ColFy), "%30.0f", "（N/mm2）");
    r.AppendValueLine("　　　　普通钢筋弹性模量 Es＝", f.col(kSteel, ColEs), "%30.1f", "（×100000N/mm2）");
}

// ξb = β1 / (1 + fy / (Es·εcu)), clause 6.2.7.
double xiB(const CalcForm& f) {
    return f.col(kConcrete, ColBeta1) /
           (1 + f.col(kSteel, ColFy) / (f.col(kSteel, ColEs) * 100000 * f.col(kConcrete, ColEpsCu)));
}

// The capacity of a section with As (clause 6.2.10): ξ from the force balance, capped at ξb when
// the section is over-reinforced. Both forms use it: the check prints it, the design proves its
// area with it.
struct Capacity {
    double xi = 0;     ///< ξ from the force balance
    bool over = false; ///< ξ > ξb: the capacity is taken at ξ = ξb
    double Mu = 0;     ///< kN·m, divided by γ0
};

Capacity capacityOf(const CalcForm& f, double b, double h0, double As) {
    const double a1 = f.col(kConcrete, ColAlpha1), fc = f.col(kConcrete, ColFc), fy = f.col(kSteel, ColFy);
    Capacity c;
    c.xi = As * fy / (a1 * fc * b * h0);
    // A ξ that equals ξb up to rounding is not over-reinforced.
    c.over = c.xi > xiB(f) * (1 + 1e-12);
    const double xi = c.over ? xiB(f) : c.xi;
    c.Mu = a1 * fc * b * h0 * h0 * xi * (1 - 0.5 * xi) / f.col(kSafety, ColGamma0) / 1e6;
    return c;
}

// --- Design of As ---------------------------------------------------------------------------

constexpr int kM = 1006, kB = 1001, kH = 1000, kA = 1002, kAs = 1008;

const FormDecl& designDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CSinglyRectDesignDlg";
        s.dialogId = 130;
        s.commandId = 32773;
        s.title = "单筋矩形截面受弯构件正截面配筋计算";
        s.picture = Picture::Rect;
        s.calcId = 1007;
        const char* g = "设计要求";
        s.controls = {
            gradePicker(130, kSafety, "结构安全等级", g),
            gradePicker(130, kConcrete, "混凝土强度等级", g),
            gradePicker(130, kSteel, "钢筋等级", g),
            edit(kM, "弯矩设计值M(kN.m)", "kN.m", 169.53, g),
            edit(kB, "矩形截面宽度b(mm)", "mm", 200, g),
            edit(kH, "矩形截面高度h(mm)", "mm", 500, g),
            edit(kA, "钢筋合力点距离a(mm)", "mm", 40, g),
            result(kAs, "钢筋面积As(mm2)", "mm2", "计算结果"),
        };
        s.checks = {
            positive(kB, kSize),
            positive(kA, kSize),
            positive(kH, kSize),
            less(kA, kH, kSize),
            positive(kM, "弯矩数值应大于零，请检查。"),
        };
        return s;
    }();
    return decl;
}

class CSinglyRectDesignDlg final : public CalcForm {
public:
    CSinglyRectDesignDlg() : CalcForm(designDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double M = value(kM), b = value(kB), h = value(kH), a = value(kA);
        const double g0 = col(kSafety, ColGamma0), a1 = col(kConcrete, ColAlpha1);
        const double fc = col(kConcrete, ColFc), ft = col(kConcrete, ColFt), fy = col(kSteel, ColFy);

        r.begin("─────单筋矩形截面受弯构件正截面配筋计算书─────");
        requirementHead(r, *this);
        r.AppendValueLine("　　　　弯矩设计值 M＝", M, "%30.6f", "（kN.m）");
        r.AppendValueLine("　　　　矩形截面宽度 b＝", b, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　矩形截面高度 h＝", h, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a＝", a, "%30.1f", "（mm）");
        parameters(r, *this);
        r.AppendLine("三、计算过程:");
        r.AppendLine("　　　◇截面有效高度:");
        const double h0 = h - a;
        r.AppendValueLine("　　　　h0＝h－a＝", h0, "%30.1f", "（mm）");
        r.AppendLine("　　　◇相对受压区高度计算:");
        const double xib = xiB(*this);
        const double radicand = 1 - 2 * g0 * M * 1e6 / (a1 * fc * b * h0 * h0);
        const double xi = radicand < 0 ? 0 : 1 - std::sqrt(radicand);
        // "ξ＞ξb" must read so in the printed figures.
        const int dXi = radicand >= 0 && xi > xib ? claimDecimals(xi, xib, 3) : 3;
        r.AppendValueLine("　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝", xib, fixedFormat(dXi));
        if (radicand < 0) {
            // The moment exceeds what any compression depth of a singly reinforced section gives.
            r.AppendValueLine("　　　　1－2×γ0×M／（α1×fc×b×h0×h0）＝", radicand, "%30.3f");
            r.AppendLine("　　　　根号内数值小于零，单筋截面不能承受该弯矩，属超筋截面（ξ＞ξb）。");
            return overReinforced(r);
        }
        r.AppendValueLine("　　　　ξ＝1－√￣｛1－2×γ0×M／（α1×fc×b×h0×h0）｝＝", xi, fixedFormat(dXi));
        if (xi > xib) {
            r.AppendLine("　　　　ξ＞ξb，属超筋截面。");
            return overReinforced(r);
        }
        r.AppendLine("　　　　ξ≤ξb");
        r.AppendLine("　　　◇钢筋截面面积计算:");
        double As = a1 * fc * b * h0 * xi / fy;
        const double rhoMin = rhoMinTension(ft, fy);
        const double AsMin = rhoMin / 100 * b * h;
        const bool detailing = As < AsMin;
        const int dAs = detailing ? claimDecimals(As, AsMin, 1) : 1;
        r.AppendValueLine("　　　　As＝α1×fc×b×h0×ξ／fy＝", As, fixedFormat(dAs), "（mm2）");
        r.AppendLine("　　　◇配筋率验算:");
        r.AppendValueLine("　　　　规范要求最小配筋率ρmin＝max｛0.20％，45×ft／fy％｝＝", rhoMin, "%30.2f", "（％）");
        if (!detailing) {
            r.AppendValueLine("　　　　As≥ρmin×b×h＝", AsMin, "%30.1f", "（mm2）");
        } else {
            r.AppendValueLine("　　　　As＜ρmin×b×h＝", AsMin, fixedFormat(dAs), "（mm2）");
            As = AsMin;
            r.AppendValueLine("　　　　按最小配筋率构造配筋，取 As＝ρmin×b×h＝", As, "%30.1f", "（mm2）");
        }
        // The area proves itself by the check's computation.
        const double Mu = capacityOf(*this, b, h0, As).Mu;
        const double k = flexure::raiseFactor([&](double f) { return capacityOf(*this, b, h0, f * As).Mu; }, M);
        if (k == 0) return overReinforced(r);
        if (k > 1) {
            As *= k;
            flexure::raisedLines(r, Mu, M, flexure::areaText("As", As), capacityOf(*this, b, h0, As).Mu,
                                 "（kN.m）");
        }
        setValue(kAs, As);
        if (detailing && k == 1)
            setVerdict(Verdict::Kind::Detailing, "按最小配筋率构造配筋");
        else
            setVerdict(Verdict::Kind::Ok, "满足要求");
        return sheet();
    }

private:
    Outcome overReinforced(CalcReport& r) {
        r.AppendLine("　　　　应加大截面尺寸、提高混凝土强度等级或配置受压钢筋（按双筋截面计算）。");
        setEmpty(kAs);
        setVerdict(Verdict::Kind::Fail, "超筋，应加大截面");
        return sheet();
    }
};

// --- Check of the moment capacity -----------------------------------------------------------

constexpr int kCB = 1001, kCH = 1000, kCA = 1002, kCAs = 1008, kCM = 1020;

const FormDecl& checkDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CSinglyRectCheckDlg";
        s.dialogId = 142;
        s.commandId = 32780;
        s.title = "单筋矩形截面受弯构件正截面承载力计算";
        s.picture = Picture::Rect;
        s.calcId = 1018;
        const char* g = "设计要求";
        s.controls = {
            gradePicker(142, kSafety, "结构安全等级", g),
            gradePicker(142, kConcrete, "混凝土强度等级", g),
            gradePicker(142, kSteel, "钢筋等级", g),
            edit(kCB, "截面宽度b(mm)", "mm", 250, g),
            edit(kCH, "截面高度h(mm)", "mm", 500, g),
            edit(kCA, "钢筋合力点距离a(mm)", "mm", 37, g),
            edit(kCAs, "钢筋面积As(mm2)", "mm2", 1018, g),
            result(kCM, "弯矩M(kN.m)", "kN.m", "计算结果"),
        };
        s.checks = {
            positive(kCB, kSize),
            positive(kCA, kSize),
            positive(kCH, kSize),
            less(kCA, kCH, kSize),
            positive(kCAs, "钢筋面积应大于零，请检查。"),
        };
        return s;
    }();
    return decl;
}

class CSinglyRectCheckDlg final : public CalcForm {
public:
    CSinglyRectCheckDlg() : CalcForm(checkDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double b = value(kCB), h = value(kCH), a = value(kCA), As = value(kCAs);
        const double ft = col(kConcrete, ColFt), fy = col(kSteel, ColFy);
        const double h0 = h - a;
        const Capacity c = capacityOf(*this, b, h0, As);
        const double xib = xiB(*this);
        const double rhoMin = rhoMinTension(ft, fy);
        const double AsMin = rhoMin / 100 * b * h;
        // Claims of "＞" and "＜" must read so in the printed figures.
        const int dXi = c.over ? claimDecimals(c.xi, xib, 3) : 3;
        const int dAs = As < AsMin ? claimDecimals(As, AsMin, 1) : 1;

        r.begin("─────单筋矩形截面受弯构件正截面承载力复核计算书─────");
        requirementHead(r, *this);
        r.AppendValueLine("　　　　矩形截面宽度 b＝", b, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　矩形截面高度 h＝", h, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a＝", a, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋面积 As＝", As, fixedFormat(dAs), "（mm2）");
        parameters(r, *this);
        r.AppendLine("三、计算过程:");
        r.AppendLine("　　　◇截面有效高度:");
        r.AppendValueLine("　　　　h0＝h－a＝", h0, "%30.1f", "（mm）");
        r.AppendLine("　　　◇相对受压区高度计算:");
        r.AppendValueLine("　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝", xib, fixedFormat(dXi));
        r.AppendValueLine("　　　　ξ＝As×fy／（α1×fc×b×h0）＝", c.xi, fixedFormat(dXi));
        r.AppendLine("　　　◇受弯承载力计算:");
        if (!c.over) {
            r.AppendLine("　　　　因为ξ≤ξb，承载弯矩为:");
        } else {
            // Over-reinforced: the steel does not yield; the concrete governs (clause 6.2.10).
            r.AppendLine("　　　　因为ξ＞ξb，属超筋截面，取ξ＝ξb，承载弯矩为:");
        }
        r.AppendValueLine("　　　　M＝α1×fc×b×h0×h0×ξ×（1－0.5×ξ）／γ0＝", c.Mu, "%30.6f", "（kN.m）");
        if (As < AsMin) {
            r.AppendLine("　　　◇配筋率验算:");
            r.AppendValueLine("　　　　规范要求最小配筋率ρmin＝max｛0.20％，45×ft／fy％｝＝", rhoMin, "%30.2f", "（％）");
            r.AppendValueLine("　　　　As＜ρmin×b×h＝", AsMin, fixedFormat(dAs), "（mm2）");
            r.AppendLine("　　　　截面少筋，不满足规范最小配筋率要求，上述承载弯矩不能采用。");
            setVerdict(Verdict::Kind::Fail, "少筋，不满足最小配筋率");
        } else if (c.over) {
            setVerdict(Verdict::Kind::Fail, "超筋，应加大截面");
        } else {
            setVerdict(Verdict::Kind::Ok, "满足要求");
        }
        setValue(kCM, c.Mu);
        return sheet();
    }
};

}  // namespace

TOVARIN_FORM(CSinglyRectDesignDlg, designDecl)
TOVARIN_FORM(CSinglyRectCheckDlg, checkDecl)

}  // namespace tov
