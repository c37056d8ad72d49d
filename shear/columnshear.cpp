// Shear of rectangular members with an axial force, compression or tension: stirrup design and
// the check of the shear capacity (GB 50010-2010 clauses 6.3.11 to 6.3.14, 9.3.2).
#include <algorithm>
#include <cmath>

#include "shear/shearcommon.h"

namespace tov::shear {
namespace {

constexpr const char* kHelpPage = "shearcolumn.htm";

std::vector<Control> columnControls(int dialogId) {
    const char* g = "设计要求";
    std::vector<Control> cs = {
        gradePicker(dialogId, kSafety, "结构安全等级", g),
        edit(kV, "剪力设计值V(kN)", "kN", 150, g),
        edit(kN, "轴向力设计值N(kN)", "kN", 800, g),
        listPicker(kNKind, "轴向力", {"轴向压力", "轴向拉力"}, kCompression, g),
        gradePicker(dialogId, kConcrete, "混凝土强度等级", g),
        gradePicker(dialogId, kStirrup, "箍筋钢筋等级", g),
        edit(kB, "矩形截面宽度b(mm)", "mm", 400, g),
        edit(kH, "矩形截面高度h(mm)", "mm", 400, g),
        edit(kA, "钢筋合力点距离a(mm)", "mm", 40, g),
    };
    const char* p = "计算参数";
    cs.push_back(listPicker(kLoad, "构件类型", {"框架结构中的框架柱", "其他偏心受力构件"}, kFrame, p));
    cs.push_back(edit(kLambda, "剪跨比λ", "", 3, p));
    cs.push_back(diameterPicker(p));
    cs.push_back(legsPicker(2, p));
    return cs;
}

std::vector<Check> columnChecks() {
    return {
        positive(kB, kSizeMessage),
        positive(kA, kSizeMessage),
        positive(kH, kSizeMessage),
        less(kA, kH, kSizeMessage),
        positive(kV, kVMessage),
        Check{{{1, kN}}, false, "轴向力数值不应小于零，请检查。"},
        positive(kLambda, "剪跨比数值应大于零，请检查。"),
    };
}

class ColumnShearForm : public ShearForm {
public:
    using ShearForm::ShearForm;

protected:
    bool tension() const { return pick(kNKind) == kTension; }
    double shortSide() const { return std::min(value(kB), value(kH)); }

    void echo(CalcReport& r, bool spacing) const {
        echoForce(r);
        r.AppendValueLine(tension() ? "　　　　轴向拉力设计值 N＝" : "　　　　轴向压力设计值 N＝", value(kN), "%30.3f", "（kN）");
        r.AppendNameLine("　　　　构件类型: ", decl().control(kLoad)->items.at(pick(kLoad)));
        r.AppendValueLine("　　　　剪跨比 λ＝", value(kLambda), "%30.3f");
        r.AppendNameLine("　　　　混凝土强度等级: ", sheetName(kConcrete));
        echoRectSection(r);
        echoStirrups(r, spacing);
    }

    // λ by the member kind and 1.75/(λ+1)·ft·b·h0 (N).
    double concreteTerm(CalcReport& r) const {
        r.AppendLine("　　　◇剪跨比（规范第6.3.12条）:");
        double lambda = value(kLambda);
        const double lo = pick(kLoad) == kFrame ? 1.0 : 1.5;
        if (pick(kLoad) == kFrame)
            r.AppendLine("　　　　框架柱反弯点在层高范围内时 λ＝Hn／（2×h0），取 1≤λ≤3");
        else
            r.AppendLine("　　　　其他偏心受力构件：均布荷载作用时取 λ＝1.5，集中荷载作用为主时 λ＝a／h0，取 1.5≤λ≤3");
        if (lambda < lo) {
            lambda = lo;
            r.AppendValueLine(lo == 1.0 ? "　　　　因为 λ＜1，取 λ＝" : "　　　　因为 λ＜1.5，取 λ＝", lambda, "%30.3f");
        } else if (lambda > 3) {
            lambda = 3;
            r.AppendValueLine("　　　　因为 λ＞3，取 λ＝", lambda, "%30.3f");
        }
        const double coef = 1.75 / (lambda + 1);
        r.AppendValueLine("　　　　系数 1.75／（λ＋1）＝", coef, "%30.3f");
        const double term = coef * ft() * value(kB) * h0();
        r.AppendValueLine("　　　　1.75／（λ＋1）×ft×b×h0＝", term / 1000, "%30.3f", "（kN）");
        return term;
    }

    // The axial compression taken in 6.3.12 (N): not above 0.3·fc·A.
    double compression(CalcReport& r) const {
        r.AppendLine("　　　◇轴向压力的影响（规范第6.3.12条）:");
        const double N = value(kN) * 1000, Nmax = 0.3 * fc() * value(kB) * value(kH);
        r.AppendValueLine("　　　　0.3×fc×A＝0.3×fc×b×h＝", Nmax / 1000, "%30.3f", "（kN）");
        if (N > Nmax) {
            r.AppendValueLine("　　　　因为 N＞0.3×fc×A，取 N＝0.3×fc×A＝", Nmax / 1000, "%30.3f", "（kN）");
            return Nmax;
        }
        r.AppendValueLine("　　　　因为 N≤0.3×fc×A，取 N＝", N / 1000, "%30.3f", "（kN）");
        return N;
    }

    // The column detailing of clause 9.3.2: the largest spacing (mm).
    double columnRules(CalcReport& r) const {
        r.AppendLine("　　　◇箍筋构造要求（规范第9.3.2条）:");
        const double sMax = std::min(400.0, shortSide());
        r.AppendValueLine("　　　　箍筋间距 s≤400mm，且 s≤构件截面的短边尺寸，smax＝", sMax, "%30.1f", "（mm）");
        r.AppendLine("　　　　箍筋间距尚不应大于15d（d为纵向钢筋的最小直径），本计算未输入纵向钢筋直径，应另行核对");
        r.AppendLine("　　　　箍筋直径不应小于6mm，且不应小于d／4（d为纵向钢筋的最大直径），应另行核对后者");
        return sMax;
    }
};

// --- Stirrup design -------------------------------------------------------------------------

const FormDecl& designDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CShearColumnDesignDlg";
        s.dialogId = 223;
        s.commandId = 32843;
        s.title = "偏心受力构件斜截面受剪配筋计算";
        s.picture = Picture::ShearColumn;
        s.controls = columnControls(223);
        s.controls.push_back(helpButton(kHelp, kHelpPage, "计算参数", "斜截面受剪计算说明"));
        s.controls.push_back(result(kAsvS, "Asv/s(mm2/mm)", "mm2/mm", "计算结果"));
        s.controls.push_back(result(kSOut, "箍筋间距s(mm)", "mm", "计算结果"));
        s.checks = columnChecks();
        return s;
    }();
    return decl;
}

class CShearColumnDesignDlg final : public ColumnShearForm {
public:
    CShearColumnDesignDlg() : ColumnShearForm(designDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        r.begin("─────偏心受力构件斜截面受剪配筋计算书─────");
        echo(r, false);
        parameters(r, false);
        const Limit lim = sectionLimit(r, "　　　◇截面限制条件（规范第6.3.11条、第6.3.1条）:");
        if (!limitHolds(r, lim)) {
            setEmpty(kAsvS);
            setEmpty(kSOut);
            return sheet();
        }
        const double V = gamma0() * value(kV) * 1000, d0 = h0();
        const double term = concreteTerm(r);
        bool detailing = false;
        double need = 0;
        if (!tension()) {
            const double N = compression(r);
            const double Vc = term + 0.07 * N;
            r.AppendValueLine("　　　　1.75／（λ＋1）×ft×b×h0＋0.07×N＝", Vc / 1000, "%30.3f", "（kN）");
            r.AppendLine("　　　◇箍筋计算（规范第6.3.12条、第6.3.13条）:");
            detailing = V <= Vc;
            if (detailing) {
                r.AppendLine("　　　　因为 γ0×V≤1.75／（λ＋1）×ft×b×h0＋0.07×N，可不进行斜截面受剪承载力计算，按构造配置箍筋");
            } else {
                need = (V - Vc) / (fyv() * d0);
                r.AppendValueLine("　　　　Asv／s≥（γ0×V－1.75／（λ＋1）×ft×b×h0－0.07×N）／（fyv×h0）＝", need, "%30.3f", "（mm2/mm）");
            }
        } else {
            r.AppendLine("　　　◇箍筋计算（规范第6.3.14条）:");
            const double N = value(kN) * 1000;
            double Vt = term - 0.2 * N;
            r.AppendValueLine("　　　　1.75／（λ＋1）×ft×b×h0－0.2×N＝", Vt / 1000, "%30.3f", "（kN）");
            if (Vt < 0) {
                Vt = 0;
                r.AppendLine("　　　　因为上式小于零，受剪承载力取 fyv×Asv／s×h0，上式按零取用");
            }
            const double lower = 0.36 * ft() * value(kB) * d0;
            r.AppendValueLine("　　　　0.36×ft×b×h0＝", lower / 1000, "%30.3f", "（kN）");
            const double steel = std::max(V - Vt, lower);
            r.AppendValueLine(V - Vt >= lower ? "　　　　fyv×Asv／s×h0≥γ0×V－（1.75／（λ＋1）×ft×b×h0－0.2×N）＝"
                                              : "　　　　因为 γ0×V－（1.75／（λ＋1）×ft×b×h0－0.2×N）＜0.36×ft×b×h0，取 fyv×Asv／s×h0≥0.36×ft×b×h0＝",
                              steel / 1000, "%30.3f", "（kN）");
            need = steel / (fyv() * d0);
            r.AppendValueLine("　　　　Asv／s≥fyv×Asv／s×h0／（fyv×h0）＝", need, "%30.3f", "（mm2/mm）");
        }
        const double sMax = columnRules(r);
        r.AppendLine("　　　◇箍筋间距:");
        const double Asv = stirrupArea(r);
        double sLimit = sMax;
        if (!detailing) {
            r.AppendValueLine("　　　　按计算 s≤Asv／（Asv／s）＝", Asv / need, "%30.1f", "（mm）");
            sLimit = std::min(sLimit, Asv / need);
        }
        r.AppendValueLine("　　　　按构造 s≤smax＝", sMax, "%30.1f", "（mm）");
        const double s = downTo10(sLimit);
        if (s < 10) {
            r.AppendLine("　　　　所选箍筋的间距将小于10mm，应加大箍筋直径或增加箍筋肢数");
            if (detailing) setEmpty(kAsvS); else setValue(kAsvS, need);
            setEmpty(kSOut);
            setVerdict(Verdict::Kind::Fail, "所选箍筋直径或肢数不足");
            return sheet();
        }
        r.AppendValueLine("　　　　取不大于上述各值的10mm的整倍数 s＝", s, "%30.0f", "（mm）");
        if (detailing) {
            need = Asv / s;
            r.AppendValueLine("　　　　按构造配置的箍筋 Asv／s＝", need, "%30.3f", "（mm2/mm）");
        }
        r.Append("　　　　选用箍筋 n＝");
        r.AppendValue(legs(), "%30.0f");
        r.Append("，d＝");
        r.AppendValue(diameter(), "%30.0f");
        r.Append("（mm），s＝");
        r.AppendValue(s, "%30.0f");
        r.Append("（mm）");
        r.EndLine();
        setValue(kAsvS, need);
        setValue(kSOut, s);
        r.AppendLine("　　　◇结论:");
        if (detailing) {
            r.AppendLine("　　　　按构造配置箍筋");
            setVerdict(Verdict::Kind::Detailing, "按构造配置箍筋");
        } else {
            r.AppendLine("　　　　按计算配置箍筋，满足要求");
            setVerdict(Verdict::Kind::Ok, "满足要求");
        }
        return sheet();
    }
};

// --- Check of the shear capacity --------------------------------------------------------------

const FormDecl& checkDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CShearColumnCheckDlg";
        s.dialogId = 224;
        s.commandId = 32844;
        s.title = "偏心受力构件斜截面受剪承载力计算";
        s.picture = Picture::ShearColumn;
        s.controls = columnControls(224);
        s.controls.push_back(edit(kS, "箍筋间距s(mm)", "mm", 200, "计算参数"));
        s.controls.push_back(helpButton(kHelp, kHelpPage, "计算参数", "斜截面受剪计算说明"));
        s.controls.push_back(result(kVu, "受剪承载力Vu(kN)", "kN", "计算结果"));
        s.checks = columnChecks();
        s.checks.push_back(positive(kS, "箍筋间距应大于零，请检查。"));
        return s;
    }();
    return decl;
}

class CShearColumnCheckDlg final : public ColumnShearForm {
public:
    CShearColumnCheckDlg() : ColumnShearForm(checkDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double s = value(kS), d0 = h0();
        r.begin("─────偏心受力构件斜截面受剪承载力计算书─────");
        echo(r, true);
        parameters(r, false);
        const Limit lim = sectionLimit(r, "　　　◇截面限制条件（规范第6.3.11条、第6.3.1条）:");
        const double term = concreteTerm(r);
        r.AppendLine("　　　◇箍筋的受剪承载力:");
        const double Asv = stirrupArea(r);
        const double steel = fyv() * Asv / s * d0;
        r.AppendValueLine("　　　　fyv×Asv／s×h0＝", steel / 1000, "%30.3f", "（kN）");
        double total = 0;
        bool lowerBound = true;
        std::string sum;
        if (!tension()) {
            const double N = compression(r);
            r.AppendLine("　　　◇受剪承载力（规范第6.3.12条）:");
            total = term + steel + 0.07 * N;
            sum = "Vcs";
            r.AppendValueLine("　　　　Vcs＝1.75／（λ＋1）×ft×b×h0＋fyv×Asv／s×h0＋0.07×N＝", total / 1000, "%30.3f", "（kN）");
        } else {
            r.AppendLine("　　　◇受剪承载力（规范第6.3.14条）:");
            const double N = value(kN) * 1000;
            total = term + steel - 0.2 * N;
            sum = "Vcs";
            r.AppendValueLine("　　　　Vcs＝1.75／（λ＋1）×ft×b×h0＋fyv×Asv／s×h0－0.2×N＝", total / 1000, "%30.3f", "（kN）");
            if (total < steel) {
                total = steel;
                r.AppendValueLine("　　　　因为 Vcs＜fyv×Asv／s×h0，取 Vcs＝fyv×Asv／s×h0＝", total / 1000, "%30.3f", "（kN）");
            }
            const double lower = 0.36 * ft() * value(kB) * d0;
            r.AppendValueLine("　　　　0.36×ft×b×h0＝", lower / 1000, "%30.3f", "（kN）");
            lowerBound = steel >= lower;
            r.AppendLine(lowerBound ? "　　　　fyv×Asv／s×h0≥0.36×ft×b×h0，满足"
                                    : "　　　　fyv×Asv／s×h0＜0.36×ft×b×h0，不满足规范第6.3.14条的要求");
        }
        if (total > lim.value)
            r.AppendLine("　　　　因为 " + sum + "＞" + lim.text + "，受剪承载力由截面限制条件控制");
        const double Vu = std::min(total, lim.value) / gamma0();
        r.AppendValueLine("　　　　Vu＝min｛" + sum + "，" + lim.text + "｝／γ0＝", Vu / 1000, "%30.3f", "（kN）");
        const double sMax = columnRules(r);
        const bool spaced = s <= sMax;
        r.Append("　　　　s＝");
        r.AppendValue(s, "%30.1f");
        r.Append(spaced ? "（mm）≤smax，满足" : "（mm）＞smax，不满足");
        r.EndLine();
        r.AppendLine("　　　◇结论:");
        const bool carries = Vu >= value(kV) * 1000;
        r.AppendLine(carries ? "　　　　Vu≥V，受剪承载力满足要求" : "　　　　Vu＜V，受剪承载力不满足要求");
        if (!lowerBound) r.AppendLine("　　　　箍筋不满足规范第6.3.14条 fyv×Asv／s×h0≥0.36×ft×b×h0 的要求");
        if (!spaced) r.AppendLine("　　　　箍筋间距不满足规范第9.3.2条的构造要求");
        setValue(kVu, Vu / 1000);
        if (!carries || !lowerBound)
            setVerdict(Verdict::Kind::Fail, "不满足要求");
        else if (!spaced)
            setVerdict(Verdict::Kind::Fail, "箍筋不满足构造要求");
        else
            setVerdict(Verdict::Kind::Ok, "满足要求");
        return sheet();
    }
};

}  // namespace
}  // namespace tov::shear

namespace tov {
using shear::CShearColumnCheckDlg;
using shear::CShearColumnDesignDlg;
TOVARIN_FORM(CShearColumnDesignDlg, shear::designDecl)
TOVARIN_FORM(CShearColumnCheckDlg, shear::checkDecl)
}  // namespace tov
