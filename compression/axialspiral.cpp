// Axially compressed circular columns with spiral or welded hoops: design of the longitudinal
// steel As', and check of the axial capacity (GB 50010-2010 clause 6.2.16 and its notes, clause
// 6.2.15 for the ordinary-tie capacity, Table 8.5.1, clauses 9.3.1 and 9.3.2).
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "forms/claimfmt.h"
#include "forms/registry.h"

namespace tov {
namespace {

constexpr int kConcrete = 1009, kHoopSteel = 1011, kHoopDiam = 1012, kPitch = 1051, kDiam = 1038;
constexpr int kCover = 1002, kHelp = 1018;

constexpr const char* kSize = "构件尺寸输入有误，请检查。";
constexpr const char* kPhiRange = "长细比超出规范表6.2.15的范围，请检查。";
constexpr double kPi = std::numbers::pi;

// Hoop bars offered by the hoop-diameter picker: name, diameter (mm), area of one bar Ass1 (mm²).
struct HoopBar {
    const char* name;
    double d;
    double Ass1;
};
constexpr HoopBar kHoops[] = {
    {"φ6", 6, 28.3},    {"φ6.5", 6.5, 33.2}, {"φ8", 8, 50.3},     {"φ8.2", 8.2, 52.8},
    {"φ10", 10, 78.5},  {"φ12", 12, 113.1},  {"φ14", 14, 153.9},  {"φ16", 16, 201.1},
    {"φ18", 18, 254.5}, {"φ20", 20, 314.2},  {"φ22", 22, 380.1},  {"φ25", 25, 490.9},
};

// Design form items: the bare diameter; check form items: the bar name.
std::vector<std::string> hoopItems(bool withSign) {
    std::vector<std::string> v;
    for (const auto& h : kHoops) v.emplace_back(withSign ? h.name : h.name + std::string("φ").size());
    return v;
}

const HoopBar& hoopOf(const CalcForm& f) { return kHoops[f.pick(kHoopDiam)]; }

// Pitch limits of clause 9.3.2 item 6 when the hoops are counted: s ≤ 80 mm and s ≤ dcor/5.
bool pitchHolds(double s, double dcor) { return s <= 80 && s <= dcor / 5; }

// The line that says the pitch fails 9.3.2 (so the hoops cannot be counted).
void pitchFails(CalcReport& r, const char* hoopWord, double s, double dcor) {
    r.Append(std::string("　　　　因为") + hoopWord + "间距 s＝");
    r.AppendValue(s, "%30.1f");
    r.Append("（mm）");
    if (s > 80) r.Append("＞80（mm）");
    if (s > dcor / 5) {
        r.Append(s > 80 ? "，且＞dcor／5＝" : "＞dcor／5＝");
        r.AppendValue(dcor / 5, "%30.1f");
        r.Append("（mm）");
    }
    r.Append("，不符合规范第9.3.2条考虑间接钢筋时的间距要求。");
    r.EndLine();
}

// The line that says the pitch meets 9.3.2, with the advice of the same item below 40 mm.
void pitchHoldsLine(CalcReport& r, const char* hoopWord, double s, double dcor) {
    r.Append(std::string("　　　　") + hoopWord + "间距 s＝");
    r.AppendValue(s, "%30.1f");
    r.Append("（mm）≤80（mm），且≤dcor／5＝");
    r.AppendValue(dcor / 5, "%30.1f");
    r.Append("（mm），符合规范第9.3.2条的要求。");
    r.EndLine();
    if (s < 40) r.AppendLine(std::string("　　　　") + hoopWord + "间距 s＜40mm，按规范第9.3.2条间距不宜小于40mm。");
}

constexpr const char* kNotCounted = "，不符合规范第6.2.16条考虑间接钢筋的条件。";

// The axial capacity of the check form (kN): N普通 of 6.2.15 (A − As' above 3 %), N间接 of 6.2.16,
// and the capacity they give under the notes of 6.2.16.
struct SpiralCapacity {
    double Nord = 0, Nind = 0, Nu = 0;
    bool counted = false;  ///< the hoops count (and the capacity is min(N间接, 1.5×N普通))
};
struct SpiralSection {
    double lambda, phi, fc, fyp, fy, alpha, g0, A, Acor, Asso, s, dcor;
};
SpiralCapacity spiralCapacity(const SpiralSection& c, double As) {
    SpiralCapacity out;
    const double concrete = As / c.A * 100 <= 3 ? c.A : c.A - As;
    out.Nord = 0.9 * c.phi * (c.fc * concrete + c.fyp * As) / c.g0 / 1000;
    out.Nind = 0.9 * (c.fc * c.Acor + c.fyp * As + 2 * c.alpha * c.fy * c.Asso) / c.g0 / 1000;
    out.counted = c.lambda <= 12 && out.Nind >= out.Nord && c.Asso >= 0.25 * As && pitchHolds(c.s, c.dcor);
    out.Nu = out.counted ? std::min(out.Nind, 1.5 * out.Nord) : out.Nord;
    return out;
}

// --- Design of As' ----------------------------------------------------------------------------

constexpr int kDSafety = 1013, kDN = 1024, kDLong = 1021, kDL0 = 1027, kDAs = 1023;

const FormDecl& designDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CAxialCompSpiralDesignDlg";
        s.dialogId = 173;
        s.commandId = 32808;
        s.title = "轴心受压构件正截面配筋计算(螺旋式或焊接式间接钢筋)";
        s.picture = Picture::Spiral;
        s.calcId = 1000;
        const char* g = "设计要求";
        s.controls = {
            gradePicker(173, kDSafety, "结构安全等级", g),
            edit(kDN, "轴心压力设计值 N(kN)", "kN", 4250, g),
            gradePicker(173, kConcrete, "混凝土强度等级", g),
            gradePicker(173, kDLong, "纵向钢筋等级", g),
            gradePicker(173, kHoopSteel, "螺旋箍筋等级", g),
            listPicker(kHoopDiam, "螺旋箍筋直径φ(mm)", hoopItems(false), 5, g),
            edit(kPitch, "螺旋箍筋间距 s(mm)", "mm", 60, g),
            edit(kDiam, "圆形截面直径 d(mm)", "mm", 400, g),
            noTab(edit(kDL0, "构件计算长度 L0(mm)", "mm", 4400, g)),
            helpButton(kHelp, "L0.chm", g),
            edit(kCover, "混凝土保护层厚 a(mm)", "mm", 25, g),
            result(kDAs, "钢筋面积As'(mm2)", "mm2", "计算结果"),
        };
        s.checks = {
            positive(kPitch, kSize), positive(kDiam, kSize), positive(kCover, kSize),
            less(kCover, kDiam, kSize), positive(kDL0, kSize),
        };
        return s;
    }();
    return decl;
}

class CAxialCompSpiralDesignDlg final : public CalcForm {
public:
    CAxialCompSpiralDesignDlg() : CalcForm(designDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double N = value(kDN), s = value(kPitch), D = value(kDiam), a = value(kCover);
        const double L0 = value(kDL0);
        const HoopBar& hoop = hoopOf(*this);
        const double dcor = D - 2 * a - 2 * hoop.d;
        if (dcor <= 0) return refuse(kSize);  // no core inside the hoops
        if (N <= 0) return refuse("轴心压力设计值应大于零，请检查。");
        const double lambda = L0 / D;
        const std::optional<double> phiOpt = StabilityCoefficient(Slenderness::L0d, lambda);
        if (!phiOpt) return refuse(kPhiRange);
        const double phi = *phiOpt;
        const double g0 = col(kDSafety, ColGamma0), fc = col(kConcrete, ColFc);
        const double alpha = col(kConcrete, ColAlphaInd);
        const double fyp = col(kDLong, ColFyPrime), fy = col(kHoopSteel, ColFy);
        const double A = kPi * D * D / 4;
        const double rmin = rhoMinAll(pick(kConcrete), pick(kDLong));
        const double AsMin = rmin / 100 * A;

        r.begin("─────轴心受压构件正截面配筋计算书（螺旋式、焊接式间接箍筋）─────");
        r.AppendLine("一、设计要求:");
        r.AppendNameLine("　　　　结构安全等级: ", sheetName(kDSafety));
        r.AppendValueLine("　　　　轴心压力设计值 N＝", N, "%30.3f", "（kN）");
        r.AppendNameLine("　　　　混凝土强度等级: ", sheetName(kConcrete));
        r.AppendNameLine("　　　　纵向钢筋等级: ", sheetName(kDLong));
        r.AppendNameLine("　　　　间接箍筋等级: ", sheetName(kHoopSteel));
        r.AppendValueLine("　　　　间接箍筋直径 d＝", hoop.d, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　间接箍筋间距 s＝", s, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　圆形截面直径 D＝", D, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　混凝土保护层厚度 a＝", a, "%30.1f", "（mm）");
        r.AppendLine("二、计算参数:");
        r.AppendLine("　　　　根据设计要求查规范得:");
        r.AppendValueLine("　　　◇重要性系数 γ0＝", g0, "%30.1f");
        r.AppendLine("　　　◇混凝土" + sheetName(kConcrete) + "的参数为:");
        r.AppendValueLine("　　　　混凝土轴心抗压强度设计值 fc＝", fc, "%30.1f", "（N/mm2）");
        r.AppendLine("　　　◇钢筋" + sheetName(kDLong) + "的参数为:");
        r.AppendValueLine("　　　　普通钢筋抗压强度设计值 fy'＝", fyp, "%30.0f", "（N/mm2）");
        r.AppendLine("　　　◇钢筋" + sheetName(kHoopSteel) + "的参数为:");
        r.AppendValueLine("　　　　普通钢筋抗拉强度设计值 fy＝", fy, "%30.0f", "（N/mm2）");
        r.AppendValueLine("　　　◇计算长度 L0＝", L0, "%30.1f", "（mm）");
        r.AppendLine("三、计算过程:");
        r.AppendLine("　　　◇计算长细比，查表计算稳定系数");
        r.AppendValueLine("　　　　L0／d＝", lambda, "%30.3f");
        r.AppendValueLine("　　　　查规范表6.2.15，内插清法计算轴心受压构件的稳定系数 φ＝", phi, "%30.3f");

        // Ordinary ties first: formula 6.2.15, with A − As' above 3 % (its note).
        r.AppendLine("　　　◇先按普通箍筋柱计算");
        const double demand = g0 * N * 1000 / (0.9 * phi);  // N
        double tiedAs = (demand - fc * A) / fyp;
        double tiedRho = 0;
        if (tiedAs > 0) {
            r.AppendValueLine("　　　　As'＝｛γo×N／（0.9×φ）－fc×A｝／fy'＝", tiedAs, "%30.1f", "（mm2）");
            tiedRho = tiedAs / A * 100;
            r.AppendValueLine("　　　　ρ'＝As'／A＝", tiedRho, "%20.2f", "（%）");
            if (tiedRho > 3) {
                r.AppendLine("　　　　因为 ρ'＞3％，按规范第6.2.15条，公式中的A应改用（A－As'）：");
                tiedAs = (demand - fc * A) / (fyp - fc);
                r.AppendValueLine("　　　　As'＝｛γo×N／（0.9×φ）－fc×A｝／（fy'－fc）＝", tiedAs, "%30.1f", "（mm2）");
                tiedRho = tiedAs / A * 100;
                r.AppendValueLine("　　　　ρ'＝As'／A＝", tiedRho, "%20.2f", "（%）");
            }
        } else {
            tiedAs = 0;
            r.Append("　　　　γo×N／（0.9×φ）＝");
            r.AppendValue(demand / 1000, "%30.3f");
            r.Append("（kN）≤fc×A＝");
            r.AppendValue(fc * A / 1000, "%30.3f");
            r.Append("（kN），混凝土即可承受轴向压力，计算不需要纵向钢筋。");
            r.EndLine();
        }

        r.AppendLine("　　　◇按间接箍筋柱计算");
        const double Acor = kPi * dcor * dcor / 4;
        const double Asso = kPi * dcor * hoop.Ass1 / s;
        // Note 2 of 6.2.16: beyond L0/d = 12 the hoops do not count.
        if (lambda > 12) {
            r.AppendLine(std::string("　　　　因为 L0／d＞12") + kNotCounted);
            return tiedGoverns(r, tiedAs, tiedRho, rmin, AsMin, A, {lambda, phi, fc, fyp, fy, alpha, g0, A, Acor, Asso, s, dcor}, N);
        }
        r.AppendValueLine("　　　　dcor＝D－2×a－2×d＝", dcor, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　Acor＝π×dcor×dcor／4＝", Acor, "%30.1f", "（mm2）");
        r.AppendValueLine("　　　　Ass1＝", hoop.Ass1, "%30.1f", "（mm2）");
        r.AppendValueLine("　　　　Asso＝π×dcor×Ass1／s＝", Asso, "%30.1f", "（mm2）");
        r.Append("　　　　因混凝土强度为" + sheetName(kConcrete) + "，故间接箍筋对混凝土约束的折减系数 α＝");
        r.AppendValue(alpha, "%30.3f");
        r.EndLine();
        // Formula 6.2.16 solved for As'.
        const double hoopPart = fc * Acor + 2 * alpha * Asso * fy;  // N
        double As = (g0 * N * 1000 / 0.9 - hoopPart) / fyp;
        if (As > 0) {
            r.AppendValueLine("　　　　As'＝（γo×N／0.9－fc×Acor－2×α×Asso×fy）／fy'＝", As, "%30.1f", "（mm2）");
        } else {
            r.Append("　　　　γo×N／0.9＝");
            r.AppendValue(g0 * N / 0.9, "%30.3f");
            r.Append("（kN）≤fc×Acor＋2×α×Asso×fy＝");
            r.AppendValue(hoopPart / 1000, "%30.3f");
            r.Append("（kN），计算不需要纵向钢筋。");
            r.EndLine();
        }
        if (As < AsMin) {
            r.AppendValueLine("　　　　规范要求全部纵向钢筋的最小配筋率为 ρmin＝", rmin, "%30.2f", "（％）");
            r.AppendValueLine(As > 0 ? "　　　　As'＜ρmin×A，按最小配筋率构造配筋，取 As'＝ρmin×A＝"
                                     : "　　　　按最小配筋率构造配筋，取 As'＝ρmin×A＝",
                              AsMin, "%30.1f", "（mm2）");
            As = AsMin;
        }

        r.AppendLine("四、验算承载力:");
        r.AppendLine("　　　◇普通箍筋柱承载力");
        double Nord = tiedCapacity(r, As, A, phi, fc, fyp, g0);
        r.AppendValueLine("　　　　1.5×N普通＝", 1.5 * Nord, "%30.3f", "（KN）");
        r.AppendLine("　　　◇间接箍筋柱承载力");
        const double Nind = 0.9 * (hoopPart + fyp * As) / g0 / 1000;
        r.AppendValueLine("　　　　N间接＝0.9×（fc×Acor＋2×α×Asso×fy＋fy'×As'）／γo＝", Nind, "%30.3f", "（KN）");
        r.AppendLine("　　　◇验算柱承载力");
        // As' is at least the solution of 6.2.16, so N间接 reaches N up to rounding.
        r.AppendLine("　　　　因为 N间接≥N ，符合要求。");
        // Note 2 of 6.2.16: hoops that give less than the ties do not count.
        if (Nind < Nord) {
            r.AppendLine(std::string("　　　　因为 N间接＜N普通") + kNotCounted);
            return tiedGoverns(r, tiedAs, tiedRho, rmin, AsMin, A, {lambda, phi, fc, fyp, fy, alpha, g0, A, Acor, Asso, s, dcor}, N);
        }
        // Note 1 of 6.2.16: the capacity is at most 1.5 × N普通.
        if (Nind < 1.5 * Nord) {
            r.AppendLine("　　　　因为 N间接＜1.5倍N普通 ，符合要求。");
        } else if (1.5 * Nord >= N) {
            r.AppendLine("　　　　因为 N间接≥1.5倍N普通 ，按规范第6.2.16条承载力取1.5倍N普通，1.5倍N普通≥N ，符合要求。");
        } else {
            r.AppendLine("　　　　因为 N间接≥1.5倍N普通 ，按规范第6.2.16条承载力取1.5倍N普通，应按1.5倍N普通≥N确定 As'：");
            // The least As', no less than the one above, with 1.5·N普通 ≥ N. N普通 drops where As'
            // passes 3 % of A (the bars then displace concrete), so an As' above 3 % stays above it.
            const double capDemand = g0 * N * 1000 / (1.5 * 0.9 * phi);
            const bool over3 = As / A * 100 > 3;
            As = (capDemand - fc * A) / fyp;
            if (!over3 && As / A * 100 <= 3) {
                r.AppendValueLine("　　　　As'＝｛γo×N／（1.5×0.9×φ）－fc×A｝／fy'＝", As, "%30.1f", "（mm2）");
            } else {
                r.AppendLine("　　　　因为 As'／A＞3％，按规范第6.2.15条，公式中的A应改用（A－As'）：");
                As = (capDemand - fc * A) / (fyp - fc);
                r.AppendValueLine("　　　　As'＝｛γo×N／（1.5×0.9×φ）－fc×A｝／（fy'－fc）＝", As, "%30.1f", "（mm2）");
            }
            Nord = As / A * 100 <= 3 ? 0.9 * phi * (fc * A + fyp * As) / g0 / 1000
                                     : 0.9 * phi * (fc * (A - As) + fyp * As) / g0 / 1000;
            r.AppendValueLine("　　　　1.5×N普通＝", 1.5 * Nord, "%30.3f", "（KN）");
            r.AppendValueLine("　　　　N间接＝0.9×（fc×Acor＋2×α×Asso×fy＋fy'×As'）／γo＝",
                              0.9 * (hoopPart + fyp * As) / g0 / 1000, "%30.3f", "（KN）");
        }
        // Note 2 of 6.2.16: too little indirect steel does not count.
        if (Asso < 0.25 * As) {
            r.Append("　　　　因为 Asso＜0.25×As'＝");
            r.AppendValue(0.25 * As, "%30.1f");
            r.Append(std::string("（mm2）") + kNotCounted);
            r.EndLine();
            return tiedGoverns(r, tiedAs, tiedRho, rmin, AsMin, A, {lambda, phi, fc, fyp, fy, alpha, g0, A, Acor, Asso, s, dcor}, N);
        }
        if (!pitchHolds(s, dcor)) {
            pitchFails(r, "间接箍筋", s, dcor);
            return tiedGoverns(r, tiedAs, tiedRho, rmin, AsMin, A, {lambda, phi, fc, fyp, fy, alpha, g0, A, Acor, Asso, s, dcor}, N);
        }
        pitchHoldsLine(r, "间接箍筋", s, dcor);
        return finish(r, {lambda, phi, fc, fyp, fy, alpha, g0, A, Acor, Asso, s, dcor}, N, As, As == AsMin);
    }

private:
    static constexpr const char* kOver5 =
        "　　　　As'／A＞5％，超过规范第9.3.1条全部纵向钢筋配筋率不宜大于5％的规定，宜加大截面尺寸或提高混凝土强度等级。";

    // N普通 of formula 6.2.15 with the given As', A − As' above 3 %; writes its line.
    static double tiedCapacity(CalcReport& r, double As, double A, double phi, double fc, double fyp,
                               double g0) {
        if (As / A * 100 <= 3) {
            const double Nord = 0.9 * phi * (fc * A + fyp * As) / g0 / 1000;
            r.AppendValueLine("　　　　N普通＝0.9×φ（fc×A＋fy'×As'）／γo＝", Nord, "%30.3f", "（KN）");
            return Nord;
        }
        r.AppendLine("　　　　因为 As'／A＞3％，按规范第6.2.15条，公式中的A应改用（A－As'）：");
        const double Nord = 0.9 * phi * (fc * (A - As) + fyp * As) / g0 / 1000;
        r.AppendValueLine("　　　　N普通＝0.9×φ（fc×（A－As'）＋fy'×As'）／γo＝", Nord, "%30.3f", "（KN）");
        return Nord;
    }

    // The hoops do not count: the ordinary-tie design governs, at least the minimum ratio.
    Outcome tiedGoverns(CalcReport& r, double tiedAs, double tiedRho, double rmin, double AsMin, double A,
                        const SpiralSection& c, double N) {
        r.AppendLine("　　　◇不考虑间接钢筋的影响，按普通箍筋柱配筋");
        r.AppendValueLine("　　　　规范要求全部纵向钢筋的最小配筋率为 ρmin＝", rmin, "%30.2f", "（％）");
        double As = tiedAs;
        if (tiedAs > 0 && tiedRho >= rmin) {
            r.AppendValueLine("　　　　ρ'≥ρmin，取 As'＝", As, "%30.1f", "（mm2）");
        } else {
            As = AsMin;
            r.AppendValueLine(tiedAs > 0 ? "　　　　ρ'＜ρmin，按最小配筋率构造配筋，取 As'＝ρmin×A＝"
                                         : "　　　　按最小配筋率构造配筋，取 As'＝ρmin×A＝",
                              As, "%30.1f", "（mm2）");
        }
        return finish(r, c, N, As, As == AsMin);
    }

    // The designed As' proves itself by the check form's capacity (raised when short), then the
    // 5 % of 9.3.1 bounds it: beyond, the section is too small and no area is shown.
    Outcome finish(CalcReport& r, const SpiralSection& c, double N, double As, bool detailing) {
        auto carries = [&](double v) { return spiralCapacity(c, v).Nu >= N * (1 - 1e-12); };
        if (As < c.A && !carries(As)) {
            double lo = As, hi = As;
            do {
                lo = hi;
                hi = std::min(c.A, std::max(2 * hi, 1e-3 * c.A));
            } while (hi < c.A && !carries(hi));
            for (int k = 0; k < 200 && hi - lo > 1e-9 * hi; ++k) {
                const double m = 0.5 * (lo + hi);
                (carries(m) ? hi : lo) = m;
            }
            const double up = std::ceil(hi * 10) / 10;
            As = carries(up) ? up : hi;
            detailing = false;
            if (carries(As) && As < c.A)
                r.AppendValueLine("　　　　按承载力复核，截面不能承受该轴向压力，应增大钢筋面积，取 As'＝", As, "%30.1f", "（mm2）");
        }
        if (As >= c.A || As / c.A * 100 > 5 || !carries(As)) {
            r.AppendLine(kOver5);
            r.AppendLine("　　　　截面尺寸过小，应加大截面尺寸或提高混凝土强度等级。");
            setEmpty(kDAs);
            setVerdict(Verdict::Kind::Fail, "截面尺寸过小，应加大截面");
            return sheet();
        }
        setValue(kDAs, As);
        if (detailing)
            setVerdict(Verdict::Kind::Detailing, "按最小配筋率构造配筋");
        else
            setVerdict(Verdict::Kind::Ok, "满足要求");
        return sheet();
    }
};

// --- Check of the axial capacity ----------------------------------------------------------------

constexpr int kCSafety = 1014, kCLong = 1010, kCL0 = 1044, kCAs = 1008, kCN = 1024;

const FormDecl& checkDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CAxialCompSpiralCheckDlg";
        s.dialogId = 174;
        s.commandId = 32809;
        s.title = "轴心受压构件正截面承载力计算(螺旋式或焊接式间接钢筋)";
        s.picture = Picture::Spiral;
        s.calcId = 1000;
        const char* g = "设计要求：";
        s.controls = {
            gradePicker(174, kCSafety, "结构安全等级", g),
            gradePicker(174, kConcrete, "混凝土强度等级", g),
            gradePicker(174, kCLong, "纵向钢筋等级", g),
            gradePicker(174, kHoopSteel, "螺旋箍筋等级", g),
            listPicker(kHoopDiam, "螺旋箍筋直径φ(mm)", hoopItems(true), 4, g),
            edit(kPitch, "螺旋箍筋间距 s(mm)", "mm", 45, g),
            edit(kDiam, "圆形截面直径 d(mm)", "mm", 550, g),
            noTab(edit(kCL0, "构件计算长度Lo(mm)", "mm", 5200, g)),
            helpButton(kHelp, "L0.chm", g),
            edit(kCAs, "钢筋面积 As(mm2)", "mm2", 6064, g),
            edit(kCover, "钢筋合力点距离 a(mm)", "mm", 25, g),
            result(kCN, "轴心压力N(kN)", "kN", "计算结果:"),
        };
        s.checks = {
            positive(kPitch, kSize), positive(kDiam, kSize), positive(kCover, kSize),
            less(kCover, kDiam, kSize),
            linear({{1, kDiam}, {-2, kCover}}, kSize),  // dcor = d − 2a > 0
            Check{{{1, kCL0}}, false, kSize},             // L0 ≥ 0 (0 is accepted)
            positive(kCAs, "钢筋面积应大于零，请检查。"),
        };
        return s;
    }();
    return decl;
}

class CAxialCompSpiralCheckDlg final : public CalcForm {
public:
    CAxialCompSpiralCheckDlg() : CalcForm(checkDecl()) {}

protected:
    void onOpen() override { setSheetName(kCSafety, "二级 γo＝1.0"); }

    Outcome calculate(CalcReport& r) override {
        const double s = value(kPitch), d = value(kDiam), a = value(kCover), L0 = value(kCL0);
        const double As = value(kCAs);
        const HoopBar& hoop = hoopOf(*this);
        const double lambda = L0 / d;
        const std::optional<double> phiOpt = StabilityCoefficient(Slenderness::L0d, lambda);
        if (!phiOpt) return refuse(kPhiRange);
        const double phi = *phiOpt;
        const double A = kPi * d * d / 4;
        // Bars cannot fill the whole section; A − As of the 6.2.15 note would not be positive.
        if (As >= A) return refuse("钢筋面积应小于构件截面面积，请检查。");
        const double g0 = col(kCSafety, ColGamma0), fc = col(kConcrete, ColFc);
        const double alpha = col(kConcrete, ColAlphaInd);
        const double fyp = col(kCLong, ColFyPrime), fy = col(kHoopSteel, ColFy);

        r.begin("─────轴心受压构件正截面承载力计算书（螺旋式或焊接式间接钢筋）─────");
        r.AppendLine("一、设计要求:");
        r.AppendNameLine("　　　　结构安全等级: ", sheetName(kCSafety));
        r.AppendNameLine("　　　　混凝土强度等级: ", sheetName(kConcrete));
        r.AppendNameLine("　　　　纵向钢筋等级: ", sheetName(kCLong));
        r.AppendNameLine("　　　　螺旋箍筋等级: ", sheetName(kHoopSteel));
        r.Append("　　　　螺旋箍筋直径: ");
        r.Append(hoop.name);
        r.Append("（mm）");
        r.EndLine();
        r.AppendValueLine("　　　　螺旋箍筋间距 s＝", s, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　圆形截面直径 d＝", d, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a＝", a, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　纵向钢筋面积 As＝", As, "%30.1f", "（mm2）");
        r.AppendLine("二、计算参数:");
        r.AppendLine("　　　　根据设计要求查规范得:");
        r.AppendLine("　　　◇混凝土" + sheetName(kConcrete) + "的参数为:");
        r.AppendValueLine("　　　　混凝土轴心抗压强度设计值 fc＝", fc, "%30.1f", "（N/mm2）");
        // The longitudinal bars work in compression (fy'), the hoops in tension (fy), as in 6.2.16.
        r.AppendLine("　　　◇钢筋" + sheetName(kCLong) + "的参数为:");
        r.AppendValueLine("　　　　普通钢筋抗压强度设计值 fy'＝", fyp, "%30.0f", "（N/mm2）");
        r.AppendLine("　　　◇钢筋" + sheetName(kHoopSteel) + "的参数为:");
        r.AppendValueLine("　　　　普通钢筋抗拉强度设计值 fy＝", fy, "%30.0f", "（N/mm2）");
        r.AppendValueLine("　　　◇计算长度 L0＝", L0, "%30.1f", "（mm）");
        r.AppendLine("三、计算过程:");
        r.AppendValueLine("　　　◇计算比值 Lo／d＝", lambda, "%30.3f");
        const double dcor = d - 2 * a;
        const double Acor = kPi * dcor * dcor / 4;
        const double Asso = kPi * dcor * hoop.Ass1 / s;
        r.AppendValueLine("　　　◇构件核心截面直径 dcor＝d－2×a＝", dcor, "%11.2f", "（mm）");
        r.AppendValueLine("　　　　构件核心截面面积 Acor＝π×dcor×dcor／4＝", Acor, "%11.2f", "（mm2）");
        r.Append(std::string("　　　　单根") + hoop.name + "间接钢筋的截面面积 Ass1＝");
        r.AppendValue(hoop.Ass1, "%11.3f");
        r.Append("（mm2）");
        r.EndLine();
        r.AppendLine("　　　　螺旋式钢筋的换算截面面积:");
        r.AppendValueLine("　　　　    Asso＝π×dcor×Ass1／s＝", Asso, "%11.2f", "（mm2）");
        r.Append("　　　◇因混凝土强度为" + sheetName(kConcrete) + "，故螺旋箍筋对混凝土约束的折减系数 α＝");
        r.AppendValue(alpha, "%11.3f");
        r.EndLine();
        const SpiralCapacity cap = spiralCapacity({lambda, phi, fc, fyp, fy, alpha, g0, A, Acor, Asso, s, dcor}, As);
        const double Nind = cap.Nind;
        r.AppendValueLine("　　　◇轴向压力 N＝0.9×（fc×Acor＋fy'×As＋2×α×fy×Asso）／γo＝ ", Nind, "%20.3f", "（kN）");
        const double rho = As / A * 100;
        const double rmin = rhoMinAll(pick(kConcrete), pick(kCLong));
        // ρ keeps the digits that part it from each figure it is compared with.
        int digits = 2;
        if (rho < rmin) digits = std::max(digits, claimDecimals(rho, rmin, 2));
        if (rho > 3) digits = std::max(digits, claimDecimals(rho, 3, 2));
        if (rho > 5) digits = std::max(digits, claimDecimals(rho, 5, 2));
        r.AppendValueLine("　　　　配筋率 ρ＝As／A＝", rho, fixedFormat(digits), "（%）");

        // The ordinary-tie capacity of 6.2.15, which bounds the spiral one (6.2.16 notes).
        r.AppendLine("　　　◇普通箍筋柱承载力");
        r.AppendValueLine("　　　　查规范表6.2.15得钢筋混凝土轴心受压构件的稳定系数 φ＝", phi, "%30.3f");
        const double Nord = cap.Nord;
        if (rho <= 3) {
            r.AppendValueLine("　　　　N普通＝0.9×φ×（fc×A＋fy'×As）／γo＝", Nord, "%30.3f", "（kN）");
        } else {
            r.AppendLine("　　　　因为 ρ＞3％，按规范第6.2.15条，公式中的A应改用（A－As）：");
            r.AppendValueLine("　　　　N普通＝0.9×φ×（fc×（A－As）＋fy'×As）／γo＝", Nord, "%30.3f", "（kN）");
        }
        r.AppendValueLine("　　　　1.5×N普通＝", 1.5 * Nord, "%30.3f", "（kN）");

        r.AppendLine("　　　◇验算柱承载力");
        bool counted = true;
        if (lambda > 12) {
            r.AppendLine(std::string("　　　　因为 Lo／d＞12") + kNotCounted);
            counted = false;
        } else if (Nind < Nord) {
            r.AppendLine(std::string("　　　　因为 N＜N普通") + kNotCounted);
            counted = false;
        } else if (Asso < 0.25 * As) {
            r.Append("　　　　因为 Asso＜0.25×As＝");
            r.AppendValue(0.25 * As, "%30.1f");
            r.Append(std::string("（mm2）") + kNotCounted);
            r.EndLine();
            counted = false;
        } else if (!pitchHolds(s, dcor)) {
            pitchFails(r, "螺旋箍筋", s, dcor);
            counted = false;
        }
        double Nu;
        if (!counted) {
            Nu = Nord;
            r.AppendValueLine("　　　　故不考虑间接钢筋的影响，轴心受压承载力取 N＝N普通＝", Nu, "%30.3f", "（kN）");
        } else {
            pitchHoldsLine(r, "螺旋箍筋", s, dcor);
            if (Nind > 1.5 * Nord) {
                Nu = 1.5 * Nord;
                r.AppendValueLine("　　　　因为 N＞1.5倍N普通，按规范第6.2.16条轴心受压承载力取 N＝1.5×N普通＝", Nu,
                                  "%30.3f", "（kN）");
            } else {
                Nu = Nind;
                r.AppendValueLine("　　　　因为 N普通≤N≤1.5倍N普通，轴心受压承载力取 N＝", Nu, "%30.3f", "（kN）");
            }
        }
        setVerdict(Verdict::Kind::Ok, "配筋率满足要求");
        if (rho < rmin) {
            r.Append("　　　　ρ＜ρmin＝");
            r.AppendValue(rmin, "%30.2f");
            r.Append("（％），不满足规范表8.5.1全部纵向钢筋最小配筋率的要求。");
            r.EndLine();
            setVerdict(Verdict::Kind::Fail, "少筋，不满足最小配筋率要求");
        }
        if (rho > 5) {
            r.AppendLine("　　　　ρ＞5％，超过规范第9.3.1条全部纵向钢筋配筋率不宜大于5％的规定。");
            setVerdict(Verdict::Kind::Detailing, "配筋率大于5％，宜加大截面");
        }
        // The lines above follow the same rules as the shared capacity.
        Nu = cap.Nu;
        setValue(kCN, Nu);
        return sheet();
    }
};

}  // namespace

TOVARIN_FORM(CAxialCompSpiralDesignDlg, designDecl)
TOVARIN_FORM(CAxialCompSpiralCheckDlg, checkDecl)

}  // namespace tov
