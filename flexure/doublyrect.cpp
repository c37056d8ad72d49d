// Doubly reinforced rectangular section in flexure: design of As' and As, design of As for a given
// As', check of the moment capacity, and check of a symmetrically reinforced section
// (GB 50010-2010 clauses 6.2.1, 6.2.6 to 6.2.8, 6.2.10, 6.2.14; Table 8.5.1 for ρmin).
#include <algorithm>
#include <cmath>

#include "flexure/selfcheck.h"
#include "forms/claimfmt.h"
#include "forms/registry.h"
#include "section/section.h"

namespace tov {
namespace {

constexpr int kSafety = 1011, kConcrete = 1009, kSteel = 1010, kSteelC = 1021;
constexpr int kM = 1006, kB = 1001, kH = 1000, kAc = 1022, kA = 1002, kAsc = 1023, kAs = 1008,
              kMu = 1020;
constexpr const char* kSize = "截面尺寸输入有误，请检查。";
constexpr const char* kMoment = "弯矩数值应大于零，请检查。";

// The design values one sheet uses. fyc and Esc belong to As' (picker 1021) where the form has it.
// fyAsc bounds a tensile stress in As', fycAs a compressive stress in As (plane sections).
struct Values {
    double g0, a1, b1, fc, ft, epsCu, fy, Es, fyc, Esc, fyAsc, fycAs;
};

Values valuesOf(const CalcForm& f, bool twoSteels) {
    Values v{};
    v.g0 = f.col(kSafety, ColGamma0);
    v.a1 = f.col(kConcrete, ColAlpha1);
    v.b1 = f.col(kConcrete, ColBeta1);
    v.fc = f.col(kConcrete, ColFc);
    v.ft = f.col(kConcrete, ColFt);
    v.epsCu = f.col(kConcrete, ColEpsCu);
    v.fy = f.col(kSteel, ColFy);
    v.Es = f.col(kSteel, ColEs);
    if (twoSteels) {
        v.fyc = f.col(kSteelC, ColFyPrime);
        v.Esc = f.col(kSteelC, ColEs);
        v.fyAsc = columnValue(PickerKind::Steel, f.pick(kSteelC), ColFy);
    } else {
        // One grade on both faces; its compressive strength bounds the stress of As' (6.2.1).
        v.fyc = columnValue(PickerKind::Steel, f.pick(kSteel), ColFyPrime);
        v.Esc = v.Es;
        v.fyAsc = v.fy;
    }
    v.fycAs = columnValue(PickerKind::Steel, f.pick(kSteel), ColFyPrime);
    return v;
}

// ξb = β1 / (1 + fy / (Es·εcu)), clause 6.2.7, with the tension steel's fy and Es.
double xiB(const Values& v) { return v.b1 / (1 + v.fy / (v.Es * 100000 * v.epsCu)); }

// Requirement head of the forms with two steel pickers.
void requirementHead(CalcReport& r, const CalcForm& f) {
    r.AppendLine("一、设计要求:");
    r.AppendNameLine("　　　　结构安全等级: ", f.sheetName(kSafety));
    r.AppendNameLine("　　　　混凝土强度等级: ", f.sheetName(kConcrete));
    r.AppendNameLine("　　　　As'钢筋等级: ", f.sheetName(kSteelC));
    r.AppendNameLine("　　　　As 钢筋等级: ", f.sheetName(kSteel));
}

void sectionLines(CalcReport& r, double b, double h, double ac, double a) {
    r.AppendValueLine("　　　　矩形截面宽度 b＝", b, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　矩形截面高度 h＝", h, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a'＝", ac, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a ＝", a, "%30.1f", "（mm）");
}

// γ0 and the concrete's lines, shared by all four sheets.
void concreteLines(CalcReport& r, const CalcForm& f, const Values& v) {
    r.AppendValueLine("　　　◇重要性系数 γ0＝", v.g0, "%30.1f");
    r.AppendLine("　　　◇混凝土" + f.sheetName(kConcrete) + "的参数为:");
    r.AppendValueLine("　　　　系数 α1＝", v.a1, "%30.2f");
    r.AppendValueLine("　　　　系数 β1＝", v.b1, "%30.2f");
    r.AppendValueLine("　　　　混凝土轴心抗压强度设计值 fc＝", v.fc, "%30.1f", "（N/mm2）");
    r.AppendValueLine("　　　　混凝土轴心抗拉强度设计值 ft＝", v.ft, "%30.2f", "（N/mm2）");
    r.AppendValueLine("　　　　正截面混凝土极限压应变 εcu＝", v.epsCu, "%30.5f");
}

// The parameter section of the forms with two steel pickers. The check sheet writes "As 钢筋".
void parameters(CalcReport& r, const CalcForm& f, const Values& v, const char* lookup,
                const char* tensionHead) {
    r.AppendLine("二、计算参数:");
    r.AppendLine(lookup);
    concreteLines(r, f, v);
    r.AppendLine("　　　◇As'钢筋" + f.sheetName(kSteelC) + "的参数为:");
    r.AppendValueLine("　　　　钢筋抗压强度设计值 fy'＝", v.fyc, "%30.0f", "（N/mm2）");
    r.AppendValueLine("　　　　钢筋弹性模量 Es'＝", v.Esc, "%30.1f", "（×100000N/mm2）");
    r.AppendLine(tensionHead + f.sheetName(kSteel) + "的参数为:");
    r.AppendValueLine("　　　　钢筋抗拉强度设计值 fy＝", v.fy, "%30.0f", "（N/mm2）");
    r.AppendValueLine("　　　　钢筋弹性模量 Es＝", v.Es, "%30.1f", "（×100000N/mm2）");
}

constexpr const char* kLookup = "　　　　根据设计要求查规范得:";

// Minimum tension steel of a design (Table 8.5.1, ratio over b·h): the line that holds, and
// ρmin·b·h taken when As falls below it. Returns the area to provide.
double designMinimum(CalcReport& r, const char* rhoLabel, const char* percent, double rhoMin,
                     double b, double h, double As) {
    r.AppendLine("　　　◇配筋率验算:");
    r.AppendValueLine(rhoLabel, rhoMin, "%30.2f", percent);
    const double AsMin = rhoMin / 100 * b * h;
    if (As >= AsMin) {
        r.AppendValueLine("　　　　As≥ρmin×b×h＝", AsMin, "%30.1f", "（mm2）");
        return As;
    }
    const int d = claimDecimals(As, AsMin, 1);
    if (d > 1) {
        // The figures differ only beyond the usual decimal: both are shown to the one that tells.
        r.AppendValueLine("　　　　As＝", As, fixedFormat(d), "（mm2）");
    }
    r.AppendValueLine("　　　　As＜ρmin×b×h＝", AsMin, fixedFormat(d), "（mm2）");
    r.AppendValueLine("　　　　按最小配筋率构造配筋，取 As＝ρmin×b×h＝", AsMin, "%30.1f", "（mm2）");
    return AsMin;
}

// Minimum tension steel of a check: said only when the given As is below it.
void checkMinimum(CalcReport& r, double rhoMin, double b, double h, double As, int decimals) {
    const double AsMin = rhoMin / 100 * b * h;
    if (As >= AsMin) return;
    r.AppendLine("　　　◇配筋率验算:");
    r.AppendValueLine("　　　　规范要求受拉钢筋最小配筋率ρmin＝max｛0.20％，45×ft／fy％｝＝", rhoMin, "%30.2f",
                      "（％）");
    r.AppendValueLine("　　　　As＜ρmin×b×h＝", AsMin, fixedFormat(decimals), "（mm2）");
    r.AppendLine("　　　　截面少筋，不满足规范最小配筋率要求，上述承载弯矩不能采用。");
}

// The verdict of a check: below the minimum, over-reinforced, or sound.
Verdict checkVerdict(bool under, bool over) {
    if (under) return {Verdict::Kind::Fail, "少筋，不满足最小配筋率"};
    if (over) return {Verdict::Kind::Fail, "超筋，应加大截面"};
    return {Verdict::Kind::Ok, "满足要求"};
}

struct Areas {
    double Asc, As;
};

// Both areas with the compression depth at its limit, ξ = ξb (γ0·M in N·mm).
// When ξb·h0 < 2a' the compression steel cannot reach fy' at that depth: As then follows from
// moments about As' (clause 6.2.14) and As' keeps x at ξb·h0.
Areas designAtLimit(CalcReport& r, const Values& v, double b, double h0, double ac, double g0M,
                    double xib, bool ratioPrinted) {
    const double ratio = 2 * ac / h0;
    if (xib >= ratio) {
        r.AppendLine("　　　　为充分利用混凝土抗弯承载能力，取ξ＝ξb");
        const double Asc = (g0M - v.a1 * v.fc * b * h0 * h0 * xib * (1 - 0.5 * xib)) / (v.fyc * (h0 - ac));
        r.AppendValueLine("　　　　As'＝｛γ0×M－α1×fc×b×h0×h0×ξb×（1－0.5×ξb）｝／｛fy'×（h0－a'）｝＝", Asc,
                          "%30.1f", "（mm2）");
        const double As = (v.fyc * Asc + v.a1 * v.fc * b * h0 * xib) / v.fy;
        r.AppendValueLine("　　　　As＝（fy'×As'＋α1×fc×b×h0×ξb）／fy＝", As, "%30.1f", "（mm2）");
        return {Asc, As};
    }
    if (!ratioPrinted) r.AppendValueLine("　　　　2×a'／h0＝", ratio, "%30.3f");
    r.AppendLine("　　　　因为ξb＜2×a'／h0，取ξ＝ξb时x＜2a'，受压钢筋应力达不到fy'，按规范6.2.14条对As'合力点取矩:");
    const double As = g0M / (v.fy * (h0 - ac));
    r.AppendValueLine("　　　　As＝γ0×M／｛fy×（h0－a'）｝＝", As, "%30.1f", "（mm2）");
    const double Asc = (v.fy * As - v.a1 * v.fc * b * h0 * xib) / v.fyc;
    r.AppendValueLine("　　　　取x＝ξb×h0，As'＝（fy×As－α1×fc×b×h0×ξb）／fy'＝", Asc, "%30.1f", "（mm2）");
    return {Asc, As};
}

// --- The moment capacity of a section with As' and As ----------------------------------------

// The section as the plane-section engine takes it (N, mm).
section::RectSection rectOf(const Values& v, double b, double h, double ac, double a, double Asc, double As) {
    section::RectSection s;
    s.b = b;
    s.h = h;
    s.fc = v.fc;
    s.alpha1 = v.a1;
    s.beta1 = v.b1;
    s.ecu = v.epsCu;
    s.As = {As, h - a, v.fy, v.fycAs, v.Es * 100000};
    s.Asp = {Asc, ac, v.fyAsc, v.fyc, v.Esc * 100000};
    return s;
}

// How the capacity was found.
enum class Way {
    Formula,   // 2a'/h0 ≤ ξ ≤ ξb: the block and both steels at their strengths (6.2.10)
    AboutAsc,  // ξ < 2a'/h0: moments about As' (6.2.14)
    Capped,    // ξ > ξb with ξb ≥ 2a'/h0: 6.2.10 with ξ = ξb
    Plane,     // ξ > ξb with ξb < 2a'/h0: x = ξb·h0, the stress of As' by plane sections
};

struct Capacity {
    Way way = Way::Formula;
    double xi = 0;      ///< ξ = (fy·As − fy'·As') / (α1·fc·b·h0)
    double Mu = 0;      ///< kN·m, divided by γ0
    double x = 0;       ///< Plane: the block depth used, mm
    double sigmaSp = 0; ///< Plane: the stress of As', N/mm², compression positive
    double raw = 0;     ///< Plane: the moment of that state, kN·m; Mu is never below 0
};

// An over-reinforced section: the capacity at x = ξb·h0. Where x < 2a' the formula cannot give
// the stress of As'; plane sections give it.
Capacity atLimit(const Values& v, double b, double h, double ac, double a, double Asc, double As) {
    const double h0 = h - a, xib = xiB(v);
    Capacity c;
    if (xib >= 2 * ac / h0) {
        c.way = Way::Capped;
        c.Mu = (v.a1 * v.fc * b * h0 * h0 * xib * (1 - 0.5 * xib) + v.fyc * Asc * (h0 - ac)) / v.g0 / 1e6;
        return c;
    }
    c.way = Way::Plane;
    const section::MomentCapacity m =
        section::momentCapacity(rectOf(v, b, h, ac, a, Asc, As), 0, xib * h0 / v.b1);
    if (m.ok) {
        // As' deep in the section can be in tension at that depth and pull more than the block
        // pushes: the state then carries no positive moment.
        c.raw = m.at.M / v.g0 / 1e6;
        c.Mu = std::max(0.0, c.raw);
        c.x = std::min(v.b1 * m.at.x, h);
        c.sigmaSp = m.at.sigmaSp;
    }
    return c;
}

// The capacity of the check form; the designs prove their areas with it. With As' = 0 (a design
// that needs no compression steel) the section is singly reinforced and 6.2.14 does not arise.
Capacity capacityOf(const Values& v, double b, double h, double ac, double a, double Asc, double As) {
    const double h0 = h - a;
    const double xi = (v.fy * As - v.fyc * Asc) / (v.a1 * v.fc * b * h0);
    Capacity c;
    // Areas are printed to 0.1 mm²: a ξ beyond ξb by no more than that rounding moves it is a
    // design at the limit read back from its sheet, not an over-reinforced section (where ξb·h0 <
    // 2a' the capacity drops at ξb, and the printed areas of such a design must still carry).
    const double slack = 0.05 * (v.fy + v.fyc) / (v.a1 * v.fc * b * h0);
    if (xi > xiB(v) + slack) {
        c = atLimit(v, b, h, ac, a, Asc, As);
    } else if (Asc > 0 && xi < 2 * ac / h0) {
        c.way = Way::AboutAsc;
        c.Mu = v.fy * As * (h0 - ac) / v.g0 / 1e6;
    } else {
        c.Mu = (v.a1 * v.fc * b * h0 * h0 * xi * (1 - 0.5 * xi) + v.fyc * Asc * (h0 - ac)) / v.g0 / 1e6;
    }
    c.xi = xi;
    return c;
}

bool overReinforced(const Capacity& c) { return c.way == Way::Capped || c.way == Way::Plane; }

// The lines of a capacity at x = ξb·h0 found by plane sections.
void planeLines(CalcReport& r, const Capacity& c) {
    r.AppendValueLine("　　　　x＝ξb×h0＝", c.x, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　σs'＝｛1－β1×a'／x｝×εcu×Es'（－fy≤σs'≤fy'）＝", c.sigmaSp, "%30.3f", "（N/mm2）");
    r.AppendValueLine("　　　　M＝｛α1×fc×b×x×（h0－x／2）＋σs'×As'×（h0－a'）｝／γ0＝", c.raw, "%30.6f", "（kN.m）");
    if (c.raw <= 0) r.AppendLine("　　　　该受力状态不能承受正弯矩，取 M＝0。");
}

// A design's areas proved by the check's capacity and raised (both by one factor) until they
// carry M. Returns false when no areas up to twenty times carry it.
bool proveDesign(CalcReport& r, const Values& v, double b, double h, double ac, double a, double M,
                 double& Asc, double& As, bool raiseAsc) {
    const auto cap = [&](double k) {
        return capacityOf(v, b, h, ac, a, raiseAsc ? k * Asc : Asc, k * As).Mu;
    };
    const double k = flexure::raiseFactor(cap, M);
    if (k == 0) return false;
    if (k > 1) {
        const double shortMu = cap(1);
        if (raiseAsc) Asc *= k;
        As *= k;
        flexure::raisedLines(r, shortMu, M,
                             (raiseAsc ? flexure::areaText("As'", Asc) + "，" : std::string()) +
                                 flexure::areaText("As", As),
                             capacityOf(v, b, h, ac, a, Asc, As).Mu, "（kN.m）");
    }
    return true;
}

std::vector<Check> sectionChecks() {
    return {
        linear({{1, kH}, {-1, kA}, {-1, kAc}}, kSize),  // a + a' < h
        positive(kB, kSize),
        positive(kA, kSize),
        positive(kAc, kSize),
        positive(kH, kSize),
    };
}

// --- Design of As' and As ------------------------------------------------------------------

const FormDecl& designDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CDoublyRectDesignDlg";
        s.dialogId = 144;
        s.commandId = 32782;
        s.title = "双筋(矩形截面)受弯构件正截面配筋计算(求As,As')";
        s.picture = Picture::DoublyRect;
        s.calcId = 1018;
        const char* g = "设计要求";
        const char* res = "计算结果";
        s.controls = {
            gradePicker(144, kSafety, "结构安全等级", g),
            gradePicker(144, kConcrete, "混凝土强度等级", g),
            gradePicker(144, kSteelC, "As'钢筋等级", g),
            gradePicker(144, kSteel, "As 钢筋等级", g),
            edit(kM, "弯矩设计值 M(kN.m)", "kN.m", 200, g),
            edit(kB, "截面宽度 b(mm)", "mm", 200, g),
            edit(kH, "截面高度 h(mm)", "mm", 450, g),
            edit(kAc, "钢筋合力点距离a'(mm)", "mm", 35, g),
            edit(kA, "钢筋合力点距离a (mm)", "mm", 65, g),
            result(kAsc, "钢筋面积As'(mm2)", "mm2", res),
            result(kAs, "钢筋面积As(mm2)", "mm2", res),
        };
        s.checks = sectionChecks();
        s.checks.push_back(positive(kM, kMoment));
        return s;
    }();
    return decl;
}

class CDoublyRectDesignDlg final : public CalcForm {
public:
    CDoublyRectDesignDlg() : CalcForm(designDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const Values v = valuesOf(*this, true);
        const double M = value(kM), b = value(kB), h = value(kH), ac = value(kAc), a = value(kA);

        r.begin("─────双筋（矩形截面）受弯构件正截面配筋计算书（求As'，As）─────");
        requirementHead(r, *this);
        r.AppendValueLine("　　　　弯矩设计值 M＝", M, "%30.6f", "（kN.m）");
        sectionLines(r, b, h, ac, a);
        parameters(r, *this, v, kLookup, "　　　◇As钢筋");
        r.AppendLine("三、计算过程:");
        r.AppendLine("　　　◇截面有效高度:");
        const double h0 = h - a;
        r.AppendValueLine("　　　　h0＝h－a＝", h0, "%30.1f", "（mm）");
        r.AppendLine("　　　◇相对界限受压区高度:");
        const double xib = xiB(v);
        r.AppendValueLine("　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝", xib, "%30.3f");
        r.AppendLine("　　　◇验算是否需用双筋:");
        r.AppendLine("　　　　计算采用单筋的最大承载弯矩");
        const double Msingle = v.a1 * v.fc * b * h0 * h0 * xib * (1 - 0.5 * xib) / 1e6;
        const double g0M = v.g0 * M;
        const int dM = g0M > Msingle ? claimDecimals(g0M, Msingle, 6) : 6;
        r.AppendValueLine("　　　　M单＝α1×fc×b×h0×h0×ξb×（1－0.5×ξb）＝", Msingle, fixedFormat(dM), "（kN.m）");
        r.AppendValueLine("　　　　γ0×M＝", g0M, fixedFormat(dM), "（kN.m）");

        Areas areas{};
        if (g0M > Msingle) {
            r.AppendLine("　　　　因 γ0×M＞M单，所以应采用双筋截面。");
            r.AppendLine("　　　◇钢筋面积计算:");
            areas = designAtLimit(r, v, b, h0, ac, g0M * 1e6, xib, false);
        } else {
            // γ0·M ≤ M单 gives ξ ≤ ξb, so the root below is real and the tension steel yields.
            r.AppendLine("　　　　因 γ0×M≤M单，按单筋截面计算即可，不需配置受压钢筋，取As'＝0。");
            r.AppendLine("　　　◇钢筋面积计算:");
            const double xi = 1 - std::sqrt(1 - 2 * g0M * 1e6 / (v.a1 * v.fc * b * h0 * h0));
            r.AppendValueLine("　　　　ξ＝1－√￣｛1－2×γ0×M／（α1×fc×b×h0×h0）｝＝", xi, "%30.3f");
            areas.Asc = 0;
            areas.As = v.a1 * v.fc * b * h0 * xi / v.fy;
            r.AppendValueLine("　　　　As＝α1×fc×b×h0×ξ／fy＝", areas.As, "%30.1f", "（mm2）");
        }
        const double designed = areas.As;
        areas.As = designMinimum(r, "　　　　规范要求受拉钢筋最小配筋率ρmin＝max｛0.20％，45×ft／fy％｝＝", "（％）",
                                 rhoMinTension(v.ft, v.fy), b, h, areas.As);
        const bool detailing = areas.As > designed;
        if (!proveDesign(r, v, b, h, ac, a, M, areas.Asc, areas.As, true)) {
            r.AppendLine("　　　　截面不能承受该弯矩，应加大截面尺寸或提高混凝土强度等级。");
            setEmpty(kAsc);
            setEmpty(kAs);
            setVerdict(Verdict::Kind::Fail, "超筋，应加大截面");
            return sheet();
        }
        setValue(kAsc, areas.Asc);
        setValue(kAs, areas.As);
        if (detailing)
            setVerdict(Verdict::Kind::Detailing, "按最小配筋率构造配筋");
        else
            setVerdict(Verdict::Kind::Ok, "满足要求");
        return sheet();
    }
};

// --- Design of As for a given As' ------------------------------------------------------------

const FormDecl& knownDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CDoublyRectKnownAsDlg";
        s.dialogId = 148;
        s.commandId = 32787;
        s.title = "双筋(矩形截面)受弯构件正截面配筋计算(已知As',求As)";
        s.picture = Picture::DoublyRect;
        s.calcId = 1018;
        s.icon = Icon::Information;
        const char* g = "设计要求";
        s.controls = {
            gradePicker(148, kSafety, "结构安全等级", g),
            gradePicker(148, kConcrete, "混凝土强度等级", g),
            gradePicker(148, kSteelC, "As'钢筋等级", g),
            gradePicker(148, kSteel, "As 钢筋等级", g),
            edit(kM, "弯矩设计值 M(kN.m)", "kN.m", 200, g),
            edit(kB, "截面宽度 b(mm)", "mm", 200, g),
            edit(kH, "截面高度 h(mm)", "mm", 450, g),
            edit(kAc, "钢筋合力点距离a'(mm)", "mm", 40, g),
            edit(kA, "钢筋合力点距离a (mm)", "mm", 65, g),
            edit(kAsc, "钢筋面积As'(mm2)", "mm2", 628, g),
            result(kAs, "钢筋面积As(mm2)", "mm2", "计算结果"),
        };
        s.checks = sectionChecks();
        s.checks.push_back(positive(kM, kMoment));
        s.checks.push_back(positive(kAsc, "钢筋面积应大于零，请检查。"));
        return s;
    }();
    return decl;
}

class CDoublyRectKnownAsDlg final : public CalcForm {
public:
    CDoublyRectKnownAsDlg() : CalcForm(knownDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const Values v = valuesOf(*this, true);
        const double M = value(kM), b = value(kB), h = value(kH), ac = value(kAc), a = value(kA);
        const double Asc = value(kAsc);

        r.begin("─────双筋（矩形截面）受弯构件正截面配筋计算书(已知As'，求As)─────");
        requirementHead(r, *this);
        r.AppendValueLine("　　　　弯矩设计值 M＝", M, "%30.6f", "（kN.m）");
        sectionLines(r, b, h, ac, a);
        r.AppendValueLine("　　　　钢筋面积 As'＝", Asc, "%30.1f", "（mm2）");
        parameters(r, *this, v, "　　根据设计要求查规范得:", "　　　◇As钢筋");
        r.AppendLine("三、计算过程:");
        r.AppendLine("　　　◇截面有效高度:");
        const double h0 = h - a;
        r.AppendValueLine("　　　　h0＝h－a＝", h0, "%30.1f", "（mm）");
        r.AppendLine("　　　◇相对界限受压区高度:");
        const double xib = xiB(v);
        const double g0M = v.g0 * M * 1e6;
        const double radicand = 1 - 2 * (g0M - v.fyc * Asc * (h0 - ac)) / (v.a1 * v.fc * b * h0 * h0);
        const double ratio = 2 * ac / h0;
        const double xi = radicand < 0 ? 0 : 1 - std::sqrt(radicand);
        // The claims "ξ＞ξb" and "ξ＜2×a'／h0" must read so in the printed figures.
        int d = 3;
        if (radicand >= 0 && xi > xib) d = claimDecimals(xi, xib, 3);
        else if (radicand >= 0 && xi < ratio) d = claimDecimals(xi, ratio, 3);
        r.AppendValueLine("　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝", xib, fixedFormat(d));
        if (radicand < 0) {
            r.AppendValueLine("　　　　1－2×［γ0×M－fy'×As'×（h0－a'）］／（α1×fc×b×h0×h0）＝", radicand, "%30.3f");
        } else {
            r.AppendValueLine("　　　　ξ＝1－√￣｛1－2×［γ0×M－fy'×As'×（h0－a'）］／（α1×fc×b×h0×h0）｝＝", xi,
                              fixedFormat(d));
        }
        r.AppendValueLine("　　　　2×a'／h0＝", ratio, fixedFormat(d));
        r.AppendLine("　　　◇钢筋面积计算:");
        double As = 0, AscUsed = Asc;
        // Both areas anew with ξ = ξb; a given As' larger than the one found is kept.
        const auto atLimit = [&] {
            const Areas limit = designAtLimit(r, v, b, h0, ac, g0M, xib, true);
            As = limit.As;
            if (limit.Asc >= Asc) {
                AscUsed = limit.Asc;
            } else {
                r.AppendValueLine("　　　　已知As'大于上述计算值，仍取已知 As'＝", Asc, "%30.1f", "（mm2）");
            }
        };
        if (radicand < 0 || xi > xib) {
            // The given As' cannot keep x within ξb·h0.
            r.AppendLine(radicand < 0 ? "　　　　因为根号内数值小于零，已知的受压钢筋As'不足，应按As'未知重新计算:"
                                      : "　　　　因为ξ＞ξb，已知的受压钢筋As'不足，应按As'未知重新计算:");
            atLimit();
        } else if (xi < ratio) {
            r.AppendLine("　　　　因为ξ＜2×a'／h0，受压钢筋应力达不到fy'，按规范6.2.14条对As'合力点取矩:");
            As = g0M / (v.fy * (h0 - ac));
            r.AppendValueLine("　　　　As＝γ0×M／｛fy×（h0－a'）｝＝", As, "%30.1f", "（mm2）");
            // So much As can leave the section over-reinforced by the ξb test with the given As'
            // (x ≤ ξb·h0 is a condition of the design whatever the capacity).
            const Capacity c = capacityOf(v, b, h, ac, a, Asc, As);
            if (overReinforced(c)) {
                r.Append("　　　　按此As复核，ξ＝（fy×As－fy'×As'）／（α1×fc×b×h0）＝");
                const int dx = claimDecimals(c.xi, xib, 3);
                r.AppendValue(c.xi, fixedFormat(dx));
                r.Append("＞ξb＝");
                r.AppendValue(xib, fixedFormat(dx));
                r.Append("，属超筋截面，应按As'未知重新计算:");
                r.EndLine();
                atLimit();
            }
        } else {
            r.AppendLine("　　　　因为2×a'／h0≤ξ≤ξb。");
            As = (v.a1 * v.fc * b * h0 * xi + v.fyc * Asc) / v.fy;
            r.AppendValueLine("　　　　As＝（α1×fc×b×h0×ξ＋fy'×As'）／fy＝", As, "%30.1f", "（mm2）");
        }
        const double designed = As;
        As = designMinimum(r, "　　　　规范要求受拉钢筋最小配筋率ρmin＝取大者（0.2％，45×ft／fy％）＝", "（%）",
                           rhoMinTension(v.ft, v.fy), b, h, As);
        const bool detailing = As > designed;
        // Raise As alone first (As' is given); when that cannot carry M, raise both.
        if (!proveDesign(r, v, b, h, ac, a, M, AscUsed, As, false) &&
            !proveDesign(r, v, b, h, ac, a, M, AscUsed, As, true)) {
            r.AppendLine("　　　　截面不能承受该弯矩，应加大截面尺寸或提高混凝土强度等级。");
            setEmpty(kAs);
            setVerdict(Verdict::Kind::Fail, "超筋，应加大截面");
            return sheet();
        }
        // The compression steel the design needs, when it differs from the given one, goes
        // into its field so that the two fields hold areas that carry M together.
        if (AscUsed != Asc) setValue(kAsc, AscUsed);
        setValue(kAs, As);
        if (detailing)
            setVerdict(Verdict::Kind::Detailing, "按最小配筋率构造配筋");
        else
            setVerdict(Verdict::Kind::Ok, "满足要求");
        return sheet();
    }
};

// --- Check of the moment capacity ------------------------------------------------------------

const FormDecl& checkDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CDoublyRectCheckDlg";
        s.dialogId = 150;
        s.commandId = 32783;
        s.title = "双筋(矩形截面)受弯构件正截面承载力计算";
        s.picture = Picture::DoublyRect;
        s.calcId = 1018;
        s.icon = Icon::Information;
        const char* g = "设计要求";
        s.controls = {
            gradePicker(150, kSafety, "结构安全等级", g),
            gradePicker(150, kConcrete, "混凝土强度等级", g),
            gradePicker(150, kSteelC, "As'钢筋等级", g),
            gradePicker(150, kSteel, "As 钢筋等级", g),
            edit(kB, "截面宽度 b(mm)", "mm", 250, g),
            edit(kH, "截面高度 h(mm)", "mm", 450, g),
            edit(kAc, "钢筋合力点距离a'(mm)", "mm", 51, g),
            edit(kA, "钢筋合力点距离a (mm)", "mm", 55.5, g),
            edit(kAsc, "钢筋面积As'(mm2)", "mm2", 402, g),
            edit(kAs, "钢筋面积As (mm2)", "mm2", 1473, g),
            result(kMu, "弯矩 M(kN.m)", "kN.m", "计算结果"),
        };
        s.checks = sectionChecks();
        s.checks.push_back(positive(kAsc, "钢筋面积数值应大于零，请检查。"));
        s.checks.push_back(positive(kAs, "钢筋面积数值应大于零，请检查。"));
        return s;
    }();
    return decl;
}

class CDoublyRectCheckDlg final : public CalcForm {
public:
    CDoublyRectCheckDlg() : CalcForm(checkDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const Values v = valuesOf(*this, true);
        const double b = value(kB), h = value(kH), ac = value(kAc), a = value(kA);
        const double Asc = value(kAsc), As = value(kAs);

        const double h0 = h - a, xib = xiB(v), ratio = 2 * ac / h0;
        const Capacity c = capacityOf(v, b, h, ac, a, Asc, As);
        const double rhoMin = rhoMinTension(v.ft, v.fy), AsMin = rhoMin / 100 * b * h;
        // The claims "ξ＞ξb", "ξ＜2×a'／h0" and "ξb＜2×a'／h0" must read so in the printed figures.
        int d = 3;
        if (overReinforced(c)) d = claimDecimals(c.xi, xib, 3);
        if (c.way == Way::Plane) d = std::max(d, claimDecimals(xib, ratio, 3));
        if (c.way == Way::AboutAsc) d = claimDecimals(c.xi, ratio, 3);
        const int dAs = As < AsMin ? claimDecimals(As, AsMin, 1) : 1;

        r.begin("─────双筋（矩形截面）受弯构件正截面承载力复核计算书─────");
        requirementHead(r, *this);
        sectionLines(r, b, h, ac, a);
        r.AppendValueLine("　　　　钢筋面积 As'＝", Asc, "%30.1f", "（mm2）");
        r.AppendValueLine("　　　　钢筋面积 As＝", As, fixedFormat(dAs), "（mm2）");
        parameters(r, *this, v, kLookup, "　　　◇As 钢筋");
        r.AppendLine("三、计算过程:");
        r.AppendLine("　　　◇截面有效高度:");
        r.AppendValueLine("　　　　h0＝h－a＝", h0, "%30.1f", "（mm）");
        r.AppendLine("　　　◇计算相对受压区高度:");
        r.AppendValueLine("　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝", xib, fixedFormat(d));
        r.AppendValueLine("　　　　ξ＝（fy×As－fy'×As'）／ （α1×fc×b×h0）＝", c.xi, fixedFormat(d));
        r.AppendValueLine("　　　　2×a'／h0＝", ratio, fixedFormat(d));
        r.AppendLine("　　　◇受弯承载力计算:");
        switch (c.way) {
        case Way::Capped:
            r.AppendLine("　　　　因为 ξ＞ξb，取ξ＝ ξb，承载弯矩为:");
            r.AppendValueLine("　　　　M＝α1×fc×b×h0×h0×ξb×（1－0.5×ξb）／γ0＋fy'×As'×（h0－a'）／γ0＝", c.Mu,
                              "%30.6f", "（kN.m）");
            break;
        case Way::Plane:
            // x = ξb·h0 < 2a': As' does not reach fy', and the formula cannot give its stress.
            r.AppendLine("　　　　因为 ξ＞ξb，取x＝ξb×h0；又因为ξb＜2×a'／h0，受压钢筋应力达不到fy'，按平截面假定计算：");
            planeLines(r, c);
            break;
        case Way::AboutAsc:
            r.AppendLine("　　　　因为ξ＜2×a'／h0，受压钢筋应力达不到fy'，按规范6.2.14条对As'合力点取矩，承载弯矩为:");
            r.AppendValueLine("　　　　M＝fy×As×（h0－a'）／γ0＝", c.Mu, "%30.6f", "（kN.m）");
            break;
        case Way::Formula:
            r.AppendLine("　　　　因为2×a'／h0≤ξ≤ξb，承载弯矩为:");
            r.AppendValueLine("　　　　M＝α1×fc×b×h0×h0×ξ×（1－0.5×ξ）／γ0＋fy'×As'×（h0－a'）／γ0＝", c.Mu,
                              "%30.6f", "（kN.m）");
            break;
        }
        checkMinimum(r, rhoMin, b, h, As, dAs);
        const Verdict verdict = checkVerdict(As < AsMin, overReinforced(c));
        setVerdict(verdict.kind, verdict.text);
        setValue(kMu, c.Mu);
        return sheet();
    }
};

// --- Check of a symmetrically reinforced section ----------------------------------------------

const FormDecl& symDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CDoublySymCheckDlg";
        s.dialogId = 210;
        s.commandId = 32836;
        s.title = "双筋(矩形截面对称配筋)受弯构件正截面承载力计算";
        s.picture = Picture::DoublyRect;
        s.calcId = 1080;
        s.icon = Icon::Information;
        const char* g = "设计要求";
        s.controls = {
            gradePicker(210, kSafety, "结构安全等级", g),
            gradePicker(210, kConcrete, "混凝土强度等级", g),
            gradePicker(210, kSteel, "As',As钢筋等级", g),
            edit(kB, "截面宽度 b(mm)", "mm", 200, g),
            edit(kH, "截面高度 h(mm)", "mm", 350, g),
            edit(kA, "钢筋合力点距离a',a (mm)", "mm", 41, g),
            edit(kAs, "钢筋面积As',As (mm2)", "mm2", 942, g),
            result(kMu, "弯矩 M(kN.m)", "kN.m", "计算结果"),
        };
        s.checks = {
            less(kA, kH, kSize),
            positive(kB, kSize),
            positive(kA, kSize),
            positive(kH, kSize),
            // With 2a ≥ h the compression steel would lie at or below the tension steel.
            linear({{1, kH}, {-2, kA}}, kSize),
            positive(kAs, "钢筋面积数值应大于零，请检查。"),
        };
        return s;
    }();
    return decl;
}

// Stresses of the two bar layers by plane sections (6.2.1, 6.2.8) at a relative depth ξ:
// As' positive in compression, bounded to −fy … fy'; As positive in tension, bounded to −fy' … fy.
struct Stresses {
    double sc, st;
};

Stresses stressesAt(const Values& v, double a, double h0, double xi) {
    const double E = v.epsCu * v.Es * 100000;
    return {std::clamp((1 - v.b1 * a / (h0 * xi)) * E, -v.fy, v.fyc),
            std::clamp((v.b1 / xi - 1) * E, -v.fyc, v.fy)};
}

class CDoublySymCheckDlg final : public CalcForm {
public:
    CDoublySymCheckDlg() : CalcForm(symDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const Values v = valuesOf(*this, false);
        const double b = value(kB), h = value(kH), a = value(kA), As = value(kAs);

        r.begin("─────双筋（矩形截面对称配筋）受弯构件正截面承载力复核计算书─────");
        r.AppendLine("一、设计要求:");
        r.AppendNameLine("　　　　结构安全等级: ", sheetName(kSafety));
        r.AppendNameLine("　　　　混凝土强度等级: ", sheetName(kConcrete));
        r.AppendNameLine("　　　　钢筋等级: ", sheetName(kSteel));
        r.AppendValueLine("　　　　矩形截面宽度 b＝", b, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　矩形截面高度 h＝", h, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a ＝", a, "%30.1f", "（mm）");
        const double rhoMin = rhoMinTension(v.ft, v.fy), AsMin = rhoMin / 100 * b * h;
        const int dAs = As < AsMin ? claimDecimals(As, AsMin, 1) : 1;
        r.AppendValueLine("　　　　钢筋面积 As＝", As, fixedFormat(dAs), "（mm2）");
        r.AppendLine("二、计算参数:");
        r.AppendLine(kLookup);
        concreteLines(r, *this, v);
        r.AppendLine("　　　◇钢筋" + sheetName(kSteel) + "的参数为:");
        r.AppendValueLine("　　　　钢筋抗拉强度设计值 fy＝", v.fy, "%30.0f", "（N/mm2）");
        r.AppendValueLine("　　　　钢筋弹性模量 Es＝", v.Es, "%30.1f", "（×100000N/mm2）");
        r.AppendLine("三、计算过程:");
        r.AppendLine("　　　◇截面有效高度:");
        const double h0 = h - a;
        r.AppendValueLine("　　　　h0＝h－a＝", h0, "%30.1f", "（mm）");
        r.AppendLine("　　　◇计算相对受压区高度:");
        r.AppendLine("　　　　由双筋基本公式和受压钢筋应力公式求解ξ、σs'");
        r.AppendLine("　　　　α1×fc×b×h0×ξ＋σs'×As'＝fy×As");
        r.AppendLine("　　　　σs'＝εs'×Es＝｛1－β1×a'／（h0×ξ）｝×εcu×Es");

        // A·ξ² + B·ξ + C = 0 with A > 0 and C < 0: exactly one positive root.
        const double E = v.epsCu * v.Es * 100000;
        const double A = v.a1 * v.fc * b * h0, B = As * E - v.fy * As, C = -v.b1 * E * As * a / h0;
        const double xi0 = (-B + std::sqrt(B * B - 4 * A * C)) / (2 * A);
        const double sc0 = (1 - v.b1 * a / (h0 * xi0)) * E;
        const double xib = xiB(v);
        const bool above = sc0 > v.fyc, below = sc0 < -v.fy, over0 = xi0 > xib;
        const bool resolve = above || below || over0;
        // Equilibrium with both stresses from plane sections, each within its bounds. The
        // residual grows with ξ, is negative near 0 and positive beyond 2·fy·As/A.
        double xi = xi0, sc = sc0, st = v.fy;
        if (resolve) {
            double lo = 0, hi = 2 * v.fy * As / A + 1;
            for (int i = 0; i < 200; ++i) {
                const double mid = 0.5 * (lo + hi);
                const Stresses s = stressesAt(v, a, h0, mid);
                if (A * mid + (s.sc - s.st) * As > 0)
                    hi = mid;
                else
                    lo = mid;
            }
            xi = 0.5 * (lo + hi);
            const Stresses s = stressesAt(v, a, h0, xi);
            sc = s.sc;
            st = s.st;
        }
        // Over-reinforced: the capacity is taken at x = ξb·h0, as in the check of form 150.
        const bool over = resolve && xi > xib * (1 + 1e-12);
        const Capacity limit = over ? atLimit(v, b, h, a, a, As, As) : Capacity{};
        const double ratio = 2 * a / h0;
        // The claims "＞" and "＜" must read so in the printed figures.
        int dXi = 3;
        if (over0) dXi = claimDecimals(xi0, xib, 3);
        if (over) dXi = std::max(dXi, claimDecimals(xi, xib, 3));
        const int dRatio = limit.way == Way::Plane ? claimDecimals(xib, ratio, dXi) : dXi;
        const int dSc = above ? claimDecimals(sc0, v.fyc, 3) : below ? claimDecimals(sc0, -v.fy, 3) : 3;

        r.AppendValueLine("　　　　解得 ξ＝", xi0, fixedFormat(dXi));
        r.AppendValueLine("　　　　　　 σs'＝", sc0, fixedFormat(dSc), "（N/mm2）");
        bool xibShown = false;
        if (resolve) {
            if (above) {
                r.Append("　　　　因为σs'＞fy'＝");
                r.AppendValue(v.fyc, fixedFormat(dSc));
                r.AppendLine("（N/mm2），受压钢筋已屈服，σs'取fy'。");
            }
            if (below) {
                r.Append("　　　　因为σs'＜－fy＝");
                r.AppendValue(-v.fy, fixedFormat(dSc));
                r.AppendLine("（N/mm2），钢筋As'受拉屈服，σs'取－fy。");
            }
            if (over0) {
                r.AppendValueLine("　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝", xib, fixedFormat(dXi));
                xibShown = true;
                r.AppendLine("　　　　因为ξ＞ξb，受拉钢筋As达不到屈服强度，其应力按平截面假定计算。");
            }
            r.AppendLine("　　　　按平截面假定重新求解，钢筋应力取为:");
            r.AppendLine("　　　　σs'＝｛1－β1×a'／（h0×ξ）｝×εcu×Es，且－fy≤σs'≤fy'");
            r.AppendLine("　　　　σs＝（β1／ξ－1）×εcu×Es，且－fy'≤σs≤fy");
            r.AppendLine("　　　　α1×fc×b×h0×ξ＋σs'×As'＝σs×As");
            r.AppendValueLine("　　　　解得 ξ＝", xi, fixedFormat(dXi));
            r.AppendValueLine("　　　　　　 σs'＝", sc, "%30.3f", "（N/mm2）");
            r.AppendValueLine("　　　　　　 σs＝", st, "%30.3f", "（N/mm2）");
        }
        r.AppendLine("　　　◇受弯承载力计算:");
        double Mu = 0;
        if (over) {
            if (!xibShown) r.AppendValueLine("　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝", xib, fixedFormat(dXi));
            r.AppendLine("　　　　ξ＞ξb，属超筋截面，承载弯矩取受压区高度x＝ξb×h0时的值:");
            Mu = limit.Mu;
            if (limit.way == Way::Capped) {
                r.AppendValueLine("　　　　M＝｛α1×fc×b×h0×h0×ξb×（1－0.5×ξb）＋fy'×As'×（h0－a'）｝／γ0＝", Mu,
                                  "%30.6f", "（kN.m）");
            } else {
                r.AppendValueLine("　　　　2×a'／h0＝", ratio, fixedFormat(dRatio));
                r.AppendLine("　　　　因为ξb＜2×a'／h0，受压钢筋应力达不到fy'，按平截面假定计算：");
                planeLines(r, limit);
            }
        } else {
            Mu = (v.a1 * v.fc * b * h0 * h0 * xi * (1 - 0.5 * xi) + sc * As * (h0 - a)) / v.g0 / 1e6;
            r.AppendValueLine("　　　　M＝｛α1×fc×b×h0×h0×ξ×（1－0.5×ξ）＋σs'×As'×（h0－a'）｝／γ0＝", Mu, "%30.6f",
                              "（kN.m）");
        }
        checkMinimum(r, rhoMin, b, h, As, dAs);
        const Verdict verdict = checkVerdict(As < AsMin, over);
        setVerdict(verdict.kind, verdict.text);
        setValue(kMu, Mu);
        return sheet();
    }
};

}  // namespace

TOVARIN_FORM(CDoublyRectDesignDlg, designDecl)
TOVARIN_FORM(CDoublyRectKnownAsDlg, knownDecl)
TOVARIN_FORM(CDoublyRectCheckDlg, checkDecl)
TOVARIN_FORM(CDoublySymCheckDlg, symDecl)

}  // namespace tov
