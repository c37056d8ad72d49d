// The eccentric-compression forms 180, 192, 198, 190 and 202: whole sheets in the large-eccentricity
// case that the sheets spell out, the values listed for the forms' defaults, the mended faults,
// small eccentricity, the second-order and out-of-plane blocks, and design → check round trips.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>

#include "tests/core/testutil.h"

namespace tov::test {
namespace {

std::string fx(double v, int decimals) {
    char t[64];
    std::snprintf(t, sizeof t, "%.*f", decimals, v);
    return t;
}

std::string full(double v) {
    char t[64];
    std::snprintf(t, sizeof t, "%.17g", v);
    return t;
}

/// The number printed on the line that starts with the prefix (after its last "＝").
double valueOn(const std::string& sheet, const std::string& prefix) {
    const std::string l = lineStartingWith(sheet, prefix);
    const auto p = l.rfind("＝");
    if (l.empty() || p == std::string::npos) {
        ADD_FAILURE() << "no line " << prefix;
        return NAN;
    }
    return std::atof(l.c_str() + p + std::string("＝").size());
}

/// Compares a sheet with the expected lines, reporting differing lines as text.
void expectSheet(const std::string& sheet, const std::vector<std::string>& expected) {
    const auto lines = sheetLines(sheet);
    EXPECT_EQ(lines.size(), expected.size());
    for (std::size_t k = 0; k < std::min(lines.size(), expected.size()); ++k)
        if (lines[k] != expected[k]) ADD_FAILURE() << "line " << k << "\n  got:      " << lines[k] << "\n  expected: " << expected[k];
}

/// φ of Table 6.2.15 at the given L0/b, by linear interpolation (test copy of the table).
double phiOf(double l0b) {
    const double x[] = {8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28};
    const double y[] = {1.0, 0.98, 0.95, 0.92, 0.87, 0.81, 0.75, 0.70, 0.65, 0.60, 0.56};
    if (l0b <= 8) return 1.0;
    for (int k = 1; k < 11; ++k)
        if (l0b <= x[k]) return y[k - 1] + (l0b - x[k - 1]) / (x[k] - x[k - 1]) * (y[k] - y[k - 1]);
    return NAN;
}

/// Second-order quantities of clause 6.2.4 in the plain case (no bound acts).
struct Second {
    double Cm, ratio, n, i, lambda, limit, zeta, eta, M;
};
Second second(double N, double M1, double M2, double Lc, double b, double h, double h0, double ea, double fc) {
    Second s;
    s.Cm = 0.7 + 0.3 * M1 / M2;
    s.ratio = M1 / M2;
    s.n = N * 1000 / (fc * b * h);
    s.i = std::sqrt(h * h / 12);
    s.lambda = Lc / s.i;
    s.limit = 34 - 12 * M1 / M2;
    s.zeta = 0.5 * fc * b * h / (N * 1000);
    s.eta = 1 + (Lc / h) * (Lc / h) * s.zeta / (1300 * (M2 * 1000 / N + ea) / h0);
    s.M = s.Cm * s.eta * M2;
    return s;
}

std::vector<std::string> secondLines(const Second& s, bool compare) {
    std::vector<std::string> v = {
        "　　　◇二阶效应弯矩:",
        "　　　　系数 Cm＝0.7＋0.3×M1／M2＝" + fx(s.Cm, 3),
        "　　　　弯矩比 M1／M2＝" + fx(s.ratio, 3),
        "　　　　轴压比 N／（fc×b×h）＝" + fx(s.n, 3),
        "　　　　截面回旋半径 i＝√￣（h×h／12）＝" + fx(s.i, 1) + "（mm）",
        "　　　　长细比 Lc／i＝" + fx(s.lambda, 3),
        "　　　　       34-12×M1／M2＝" + fx(s.limit, 3),
    };
    if (compare) v.push_back("　　　　比较上二式得 L0／i＞34-12×M1／M2");
    v.push_back("　　　　系数 ζc＝0.5×fc×b×h／N＝" + fx(s.zeta, 3));
    v.push_back("　　　　弯距增大系数 ηns＝1＋（Lc／h）×（Lc／h）×ζc／｛1300×（M2／N＋ea）／h0｝＝" + fx(s.eta, 3));
    v.push_back("　　　　M＝Cm×ηns×M2＝" + fx(s.M, 6) + "（kN.m）");
    return v;
}

// Design values of C30 and HRB400 (Tables 4.1.4 and 4.2.3).
constexpr double kFc30 = 14.3, kFy400 = 360;

std::vector<std::string> paramLines(const char* concrete, double fc, double ft, const char* steel, double fyp,
                                    double fy, const char* beta1) {
    return {
        "二、计算参数:",
        "　　　　根据设计要求查规范得:",
        "　　　◇重要性系数 γ0＝1.0",
        std::string("　　　◇混凝土") + concrete + "的参数为:",
        "　　　　系数 α1＝1.00",
        std::string("　　　　系数 β1＝") + beta1,
        "　　　　混凝土轴心抗压强度设计值 fc＝" + fx(fc, 1) + "（N/mm2）",
        "　　　　混凝土轴心抗拉强度设计值 ft＝" + fx(ft, 2) + "（N/mm2）",
        "　　　　正截面混凝土极限压应变 εcu＝0.00330",
        std::string("　　　◇钢筋") + steel + "的参数为:",
        "　　　　钢筋抗压强度设计值 fy'＝" + fx(fyp, 0) + "（N/mm2）",
        "　　　　钢筋抗拉强度设计值 fy＝" + fx(fy, 0) + "（N/mm2）",
        "　　　　钢筋弹性模量 Es＝2.0（×100000N/mm2）",
    };
}

void append(std::vector<std::string>& to, const std::vector<std::string>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

// --- Form 180 -------------------------------------------------------------------------------

const std::vector<Assignment> kLarge180 = {{1001, "300"}, {1066, "500"}, {1024, "1500"},
                                           {1075, "475"}, {1007, "500"}, {1077, "6000"}};

TEST(EccAsymDesign, LargeEccentricityGivesTheWholeSheet) {
    RunResult r = run("CEccCompAsymDesignDlg", kLarge180);
    ASSERT_TRUE(r.outcome.ok());
    const double N = 1500, b = 300, h = 500, a = 50, ap = 50, Lc = 6000, fc = kFc30, fy = kFy400, fyp = kFy400;
    const double h0 = h - a, ea = 20;
    const Second s = second(N, 475, 500, Lc, b, h, h0, ea, fc);
    const double xib = 0.8 / (1 + fy / (2e5 * 0.0033));
    const double e0 = s.M * 1000 / N, ei = e0 + ea, e = ei + h / 2 - a;
    const double eib = (xib * h0 * (1 - 0.5 * xib) + 0.002 * fy * (h0 - ap) / fc) / xib - h / 2 + a;
    const double Asp = (N * 1000 * e - fc * b * h0 * h0 * xib * (1 - 0.5 * xib)) / (fyp * (h0 - ap));
    const double As = (fc * b * h0 * xib + fyp * Asp - N * 1000) / fyp;
    const double phi = 0.75, sum = As + Asp;
    const double Nu = 0.9 * phi * (fc * (b * h - sum) + fyp * sum) / 1000;
    ASSERT_GE(ei, eib);
    std::vector<std::string> x = {
        "",
        "─────不对称配筋（矩形截面）偏心受压构件正截面配筋计算书（求As'，As）─────",
        "一、设计要求:",
        "　　　　结构安全等级: 二级",
        "　　　　轴向压力设计值 N＝1500.000（kN）",
        "　　　　弯矩设计值 M1＝475.000000（kN.m）",
        "　　　　弯矩设计值 M2＝500.000000（kN.m）",
        "　　　　混凝土强度等级: C30",
        "　　　　钢筋等级: HRB400",
        "　　　　计算长度 Lc＝6000.0（mm）",
        "　　　　矩形截面宽 b＝300.0（mm）",
        "　　　　矩形截面高 h＝500.0（mm）",
        "　　　　钢筋合力点至截面近边的距离 a'＝50.0（mm）",
        "　　　　钢筋合力点至截面近边的距离 a ＝50.0（mm）",
    };
    append(x, paramLines("C30", fc, 1.43, "HRB400", fyp, fy, "0.80"));
    append(x, {
                  "三、计算过程:",
                  "　　　◇截面有效高度:",
                  "　　　　h0 ＝h－a ＝450.0（mm）",
                  "　　　　h0'＝h－a'＝450.0（mm）",
                  "　　　◇附加偏心距:",
                  "　　　　h／30＝16.7（mm）",
                  "　　　　ea＝max｛h／30，20｝＝20.0（mm）",
              });
    append(x, secondLines(s, true));
    append(x, {
                  "　　　◇相对受压区高度:",
                  "　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝" + fx(xib, 3),
                  "　　　◇偏心距计算:",
                  "　　　　偏心距 e0＝M／N＝" + fx(e0, 1) + "（mm）",
                  "　　　　ei＝e0＋ea＝" + fx(ei, 1) + "（mm）",
                  "　　　◇界限偏心距计算:",
                  "　　　　取 ρ＝ρ'＝0.20％（最小配筋率）",
                  "　　　　eib＝｛ξb×h0（1－0.5×ξb）＋ρ'×fy（h0－a'）／（α1×fc）｝／｛ξb＋ρ'×fy'／（α1×fc）－ρ×fy／（α1×fc）｝－h／2＋a＝" +
                      fx(eib, 1) + "（mm）",
                  "　　　◇判别结构破坏类型",
                  "　　　　因为 ei≥eib，是大偏心受压构件",
                  "　　　◇钢筋面积计算:",
                  "　　　　e＝ei＋h／2－a＝" + fx(e, 1) + "（mm）",
                  "　　　　As'＝｛γ0×N×e－α1×fc×b×h0×h0×ξb（1－0.5×ξb）｝／｛fy'×（h0－a'）｝＝" + fx(Asp, 1) + "（mm2）",
                  "　　　　As＝（α1×fc×b×h0×ξb＋fy'×As'－γ0×N）／fy'＝" + fx(As, 1) + "（mm2）",
                  "　　　　规范要求受压构件一侧纵向钢筋最小配筋率 ρmin＝0.20％",
                  "　　　　As≥ρmin×b×h＝300.0（mm2）",
                  "　　　◇全部纵向钢筋配筋率:",
                  "　　　　规范要求全部纵向钢筋的最小配筋率为 ρmin＝0.55％",
                  "　　　　As＋As'＝" + fx(sum, 1) + "（mm2）",
                  "　　　　As＋As'≥ρmin×b×h＝825.0（mm2）",
                  "　　　◇垂直于弯矩作用平面的承载力验算:",
                  "　　　　长细比（分子取截面短边） Lc／b＝20.000",
                  "　　　　查规范表6.2.15，得钢筋混凝土轴心受压构件的稳定系数 φ＝0.750",
                  "　　　　As＋As'＝" + fx(sum, 1) + "（mm2）",
                  "　　　　As＋As'＞3％×b×h＝4500.0（mm2）",
                  "　　　　Nu＝0.9×φ×｛fc×（b×h－As－As'）＋fy'（As＋As'）｝／γ0＝" + fx(Nu, 3) + "（KN）",
                  "　　　　Nu≥N，符合规范要求。",
              });
    expectSheet(r.sheet, x);
    EXPECT_EQ(r.texts.at(1061), "大偏心受压");
    EXPECT_NEAR(r.results.at(1023), Asp, 1e-6);
    EXPECT_NEAR(r.results.at(1008), As, 1e-6);
}

TEST(EccAsymDesign, DefaultsAreSmallEccentricAndPrintTheListedValues) {
    RunResult r = run("CEccCompAsymDesignDlg");
    ASSERT_TRUE(r.outcome.ok());
    for (const char* l : {"　　　　h0 ＝h－a ＝750.0（mm）", "　　　　h／30＝26.7（mm）", "　　　　ea＝max｛h／30，20｝＝26.7（mm）",
                          "　　　　系数 Cm＝0.7＋0.3×M1／M2＝0.987", "　　　　弯矩比 M1／M2＝0.958",
                          "　　　　轴压比 N／（fc×b×h）＝0.731", "　　　　截面回旋半径 i＝√￣（h×h／12）＝230.9（mm）",
                          "　　　　长细比 Lc／i＝32.476", "　　　　       34-12×M1／M2＝22.500",
                          "　　　　系数 ζc＝0.5×fc×b×h／N＝0.684", "　　　　M＝Cm×ηns×M2＝590.218312（kN.m）",
                          "　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝0.518", "　　　　偏心距 e0＝M／N＝141.2（mm）",
                          "　　　　ei＝e0＋ea＝167.9（mm）"})
        EXPECT_TRUE(hasLine(r.sheet, l)) << l;
    EXPECT_NE(lineStartingWith(r.sheet, "　　　　弯距增大系数 ηns＝").find("＝1.245"), std::string::npos);
    EXPECT_NE(lineStartingWith(r.sheet, "　　　　eib＝").find("＝274.0（mm）"), std::string::npos);
    // Mended: ei = 167.9 < eib = 274.0 is not large eccentricity (the old sheet said so and gave As = −1433.6).
    EXPECT_FALSE(hasLine(r.sheet, "　　　　因为 ei≥eib，是大偏心受压构件"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为 ei＜eib，是小偏心受压构件"));
    EXPECT_EQ(r.texts.at(1061), "小偏心受压");
    EXPECT_GE(r.results.at(1008), 800.0);
    EXPECT_GT(r.results.at(1023), 0.0);
    // Mended: the 3 % line only where it holds (here As + As' ≤ 3 %·b·h).
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　As＋As'＞3％×b×h＝"), "");
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　As＋As'≤3％×b×h＝"), "　　　　As＋As'≤3％×b×h＝12000.0（mm2）");
    // The solution satisfies both equilibrium equations of clause 6.2.17 with the bounded σs.
    const double xi = valueOn(r.sheet, "　　　　ξ＝"), As = 800, Asp = valueOn(r.sheet, "　　　　As'＝｛");
    const double xib = 0.8 / (1 + 360 / 660.0), sigma = 360 * (xi - 0.8) / (xib - 0.8);
    EXPECT_NEAR(14.3 * 500 * 750 * xi + 360 * Asp - sigma * As, 4180e3, 4180e3 * 2e-3);
}

TEST(EccAsymDesign, ReverseFailureGovernsAsWhenNExceedsFcBh) {
    // N > fc·b·h with a small eccentricity: the far bars must resist the reverse failure.
    RunResult r = run("180", {{1024, "6500"}, {1075, "40"}, {1007, "50"}, {1077, "3000"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_NE(lineStartingWith(r.sheet, "　　　　因为 γ0×N＞fc×b×h＝5720.000（kN）"), "");
    const double ea = 800 / 30.0, e0 = valueOn(r.sheet, "　　　　偏心距 e0＝M／N＝");
    const double ep = 400 - 50 - (e0 - ea);
    const double AsRev = (6500e3 * ep - 14.3 * 500 * 800 * (750 - 400)) / (360 * (750 - 50));
    EXPECT_GT(AsRev, 800);
    EXPECT_NEAR(valueOn(r.sheet, "　　　　取 As＝"), AsRev, 0.1 + 1e-3 * AsRev);  // e0 was read back at 0.1 mm
    // Out of the plane 0.9·(fc·b·h + fy'·ΣAs) ≥ 6500 kN needs ΣAs ≥ 4173 mm²: both areas grow
    // by half the shortfall.
    EXPECT_NE(lineStartingWith(r.sheet, "　　　　Nu＜N，按垂直于弯矩作用平面的承载力增大纵向钢筋面积"), "");
    EXPECT_NEAR(r.results.at(1008) + r.results.at(1023), 4173.1, 0.3);
}

// --- Form 192 -------------------------------------------------------------------------------

TEST(EccAsymKnown, LargeEccentricityGivesTheWholeSheet) {
    std::vector<Assignment> in = kLarge180;
    in[5] = {1077, "4000"};
    in.push_back({1023, "4000"});
    in.push_back({1022, "50"});
    in.push_back({1002, "50"});
    RunResult r = run("CEccCompAsymKnownAsDlg", in);
    ASSERT_TRUE(r.outcome.ok());
    const double N = 1500, b = 300, h = 500, a = 50, ap = 50, Lc = 4000, fc = kFc30, fy = kFy400, Asp = 4000;
    const double h0 = h - a, ea = 20;
    const Second s = second(N, 475, 500, Lc, b, h, h0, ea, fc);
    const double xib = 0.8 / (1 + fy / (2e5 * 0.0033));
    const double e0 = s.M * 1000 / N, ei = e0 + ea, e = ei + h / 2 - a;
    const double xi = 1 - std::sqrt(1 - 2 * (N * 1000 * e - fy * Asp * (h0 - ap)) / (fc * b * h0 * h0));
    const double As = (fc * b * h0 * xi + fy * Asp - N * 1000) / fy;
    const double phi = phiOf(Lc / b), sum = As + Asp;
    const double Nu = 0.9 * phi * (fc * (b * h - sum) + fy * sum) / 1000;
    std::vector<std::string> x = {
        "",
        "─────不对称配筋（矩形截面）偏心受压构件正截面配筋计算书（已知As'，求As）─────",
        "一、设计要求:",
        "　　　　结构安全等级: 二级",
        "　　　　轴向压力设计值 N＝1500.000（kN）",
        "　　　　弯矩设计值 M1＝475.000000（kN.m）",
        "　　　　弯矩设计值 M2＝500.000000（kN.m）",
        "　　　　混凝土强度等级: C30",
        "　　　　钢筋等级: HRB400",
        "　　　　计算长度 Lc＝4000.0（mm）",
        "　　　　矩形截面宽 b＝300.0（mm）",
        "　　　　矩形截面高 h＝500.0（mm）",
        "　　　　钢筋合力点至截面近边的距离 a'＝50.0（mm）",
        "　　　　钢筋合力点至截面近边的距离 a ＝50.0（mm）",
        "　　　　钢筋截面面积 As'＝4000.0（mm2）",
    };
    append(x, paramLines("C30", fc, 1.43, "HRB400", fy, fy, "0.80"));
    append(x, {"三、计算过程:", "　　　◇截面有效高度:", "　　　　h0 ＝h－a ＝450.0（mm）", "　　　　h0'＝h－a'＝450.0（mm）",
               "　　　◇附加偏心距:", "　　　　h／30＝16.7（mm）", "　　　　ea＝max｛h／30，20｝＝20.0（mm）"});
    append(x, secondLines(s, true));
    append(x, {
                  "　　　◇相对受压区高度:",
                  "　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝" + fx(xib, 3),
                  "　　　◇偏心距计算:",
                  "　　　　偏心距 e0＝M／N＝" + fx(e0, 1) + "（mm）",
                  "　　　　ei＝e0＋ea＝" + fx(ei, 1) + "（mm）",
                  "　　　　e＝ei＋h／2－a＝" + fx(e, 1) + "（mm）",
                  "　　　◇判别结构破坏类型",
                  "　　　　e＝ei＋h／2－a＝" + fx(e, 1) + "（mm）",
                  "　　　　ξ＝1－√￣｛1－2×［γ0×N×e－fy'×As'（h0－a'）］／（α1×fc×b×h0×h0）｝＝" + fx(xi, 3),
                  "　　　　因为 ξ≤ξb，是大偏心受压构件",
                  "　　　◇钢筋面积计算:",
                  "　　　　因为 2×a'／h0≤ξ≤ξb",
                  "　　　　As＝（α1×fc×b×h0×ξ＋fy'×As'－γ0×N）／fy＝" + fx(As, 1) + "（mm2）",
                  "　　　◇配筋率验算:",
                  "　　　　As≥ρmin×b×h＝300.0（mm2）",
                  "　　　◇全部纵向钢筋配筋率:",
                  "　　　　规范要求全部纵向钢筋的最小配筋率为 ρmin＝0.55％",
                  "　　　　As＋As'＝" + fx(sum, 1) + "（mm2）",
                  "　　　　As＋As'≥ρmin×b×h＝825.0（mm2）",
                  "　　　◇垂直于弯矩作用平面的承载力验算:",
                  "　　　　长细比（分子取截面短边） Lc／b＝13.333",
                  "　　　　查规范表6.2.15，得钢筋混凝土轴心受压构件的稳定系数 φ＝" + fx(phi, 3),
                  "　　　　As＋As'＝" + fx(sum, 1) + "（mm2）",
                  "　　　　As＋As'＞3％×b×h＝4500.0（mm2）",
                  "　　　　Nu＝0.9×φ×［fc×（b×h－As－As'）＋fy'（As＋As'）］／γ0＝" + fx(Nu, 3) + "（KN）",
                  "　　　　Nu≥N，符合规范要求。",
              });
    expectSheet(r.sheet, x);
    EXPECT_NEAR(r.results.at(1008), As, 1e-6);
}

TEST(EccAsymKnown, NegativeRadicandMeansAsPrimeTooSmall) {
    // Without the mend this printed nan for ξ and As.
    RunResult r = run("192", {{1007, "400"}, {1075, "300"}, {1023, "100"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_EQ(r.sheet.find("nan"), std::string::npos);
    EXPECT_NE(lineStartingWith(r.sheet, "　　　　1－2×［γ0×N×e－fy'×As'（h0－a'）］／（α1×fc×b×h0×h0）＝-"), "");
    EXPECT_TRUE(hasLine(r.sheet, "　　　　根号内数值小于零，已知的 As' 过小，取 ξ＝ξb 重新计算 As' 和 As:"));
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　ξ＝1－√￣"), "");
    const double Asp = valueOn(r.sheet, "　　　　As'＝｛");
    EXPECT_GT(Asp, 100);
    EXPECT_GT(r.results.at(1008), 0);
}

TEST(EccAsymKnown, SmallEccentricitySolvesAsWithTheBoundedStress) {
    RunResult r = run("192", {{1024, "1200"}, {1075, "90"}, {1007, "100"}, {1023, "800"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_EQ(r.texts.at(1061), "小偏心受压");
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为 ξ＞ξb，是小偏心受压构件"));
    EXPECT_FALSE(hasLine(r.sheet, "　　　　因为 ξ≤ξb，是大偏心受压构件"));
    EXPECT_FALSE(hasLine(r.sheet, "　　　　因为 2×a'／h0≤ξ≤ξb"));
    EXPECT_GE(r.results.at(1008), 240.0);
    EXPECT_NE(lineStartingWith(r.sheet, "　　　　σs＝fy×（ξ－β1）／（ξb－β1）"), "");
}

// --- Form 198 -------------------------------------------------------------------------------

TEST(EccAsymCheck, DefaultsGiveTheWholeSheet) {
    RunResult r = run("CEccCompAsymCheckDlg");
    ASSERT_TRUE(r.outcome.ok());
    std::vector<std::string> x = {
        "",
        "─────不对称配筋矩形截面偏心受压构件正截面承载力计算书（已知N，求e0，M）─────",
        "一、设计要求:",
        "　　　　结构安全等级: 二级",
        "　　　　混凝土强度等级: C25",
        "　　　　钢筋等级: HRB400",
        "　　　　轴向压力设计值 N＝500.000（kN）",
        "　　　　矩形截面宽 b＝400.0（mm）",
        "　　　　矩形截面高 h＝500.0（mm）",
        "　　　　钢筋合力点至截面近边的距离 a'＝45.0（mm）",
        "　　　　钢筋合力点至截面近边的距离 a＝45.0（mm）",
        "　　　　钢筋面积 As'＝942.0（mm2）",
        "　　　　钢筋面积 As ＝1520.0（mm2）",
    };
    append(x, paramLines("C25", 11.9, 1.27, "HRB400", 360, 360, "0.80"));
    append(x, {
                  "三、计算过程:",
                  "　　　◇截面有效高度:",
                  "　　　　h0＝h－a＝455.0（mm）",
                  "　　　◇附加偏心距:",
                  "　　　　h／30＝16.7（mm）",
                  "　　　　ea＝max｛h／30，20｝＝20.0（mm）",
                  "　　　◇相对受压区高度:",
                  "　　　　ξb＝β1／（1＋fy／Es／εcu）＝0.518",
                  "　　　　ξ＝（γ0×N－fy'×As'＋fy×As）／（α1×fc×b×h0）＝0.327",
                  "　　　　2×a'／h0＝0.198",
                  "　　　◇弯矩计算:",
                  "　　　　因为 2×a'／h0≤ξ≤ξb，是大偏心受压构件",
                  "　　　　e＝｛α1×fc×b×h0×h0×ξ（1－ξ／2）＋fy'×As'（h0－a'）｝／（N×γ0）＝817.1（mm）",
                  "　　　　ei＝e－h／2＋a＝612.1（mm）",
                  "　　　　e0＝ei－ea＝592.1（mm）",
                  "　　　　Mu＝N×e0＝296.049919（kN.m）",
              });
    expectSheet(r.sheet, x);
    EXPECT_NEAR(r.results.at(1006), 296.049919, 1e-6);
    EXPECT_EQ(r.texts.at(1061), "大偏心受压");
}

TEST(EccAsymCheck, SafetyClassThreeDividesByGammaZeroOnlyOnce) {
    RunResult r = run("198", {{1011, "三级"}});
    ASSERT_TRUE(r.outcome.ok());
    const double g0N = 0.9 * 500e3, h0 = 455, fc = 11.9, b = 400;
    const double xi = (g0N - 360 * 942 + 360 * 1520) / (fc * b * h0);
    const double e = (fc * b * h0 * h0 * xi * (1 - xi / 2) + 360 * 942 * (h0 - 45)) / g0N;
    const double e0 = e - 250 + 45 - 20;
    EXPECT_NEAR(r.results.at(1006), 500 * e0 / 1000, 1e-6);  // the old value was this / 0.9
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　Mu＝N×e0＝"), "　　　　Mu＝N×e0＝" + fx(500 * e0 / 1000, 6) + "（kN.m）");
}

TEST(EccAsymCheck, Grade500UsesItsOwnCompressiveStrength) {
    RunResult r = run("198", {{1010, "HRB500"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　钢筋抗压强度设计值 fy'＝410（N/mm2）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　钢筋抗拉强度设计值 fy＝435（N/mm2）"));
    const double xi = (500e3 - 410 * 942 + 435 * 1520) / (11.9 * 400 * 455);
    EXPECT_TRUE(hasLine(r.sheet, "　　　　ξ＝（γ0×N－fy'×As'＋fy×As）／（α1×fc×b×h0）＝" + fx(xi, 3)));
}

TEST(EccAsymCheck, SmallEccentricityAndOverloadAndCompressionBarsBelow2a) {
    RunResult r = run("198", {{1024, "2000"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_EQ(r.texts.at(1061), "小偏心受压");
    EXPECT_FALSE(hasLine(r.sheet, "　　　　因为 2×a'／h0≤ξ≤ξb，是大偏心受压构件"));
    const double xi = valueOn(r.sheet, "　　　　由 γ0×N＝");
    const double sigma = std::max(-360.0, 360 * (xi - 0.8) / (0.8 / (1 + 360 / 660.0) - 0.8));
    EXPECT_NEAR(11.9 * 400 * 455 * xi + 360 * 942 - sigma * 1520, 2000e3, 2000e3 * 1e-3);
    EXPECT_GT(r.results.at(1006), 0);

    r = run("198", {{1024, "9000"}});  // beyond fc·b·h + steel
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_EQ(r.results.at(1006), 0);
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　Mu＝"), "");

    r = run("198", {{1024, "100"}, {1023, "3000"}});  // ξ < 2a'/h0: clause 6.2.14
    ASSERT_TRUE(r.outcome.ok());
    const double ei = 360 * 1520 * (455 - 45) / 100e3 + 250 - 45;
    EXPECT_TRUE(hasLine(r.sheet, "　　　　ei＝fy×As×（h0－a'）／（γ0×N）＋h／2－a'＝" + fx(ei, 1) + "（mm）"));
    EXPECT_NEAR(r.results.at(1006), 100 * (ei - 20) / 1000, 1e-9);
}

// --- Form 190 -------------------------------------------------------------------------------

TEST(EccSymDesign, LargeEccentricityGivesTheWholeSheet) {
    RunResult r = run("CEccCompSymDesignDlg", {{1010, "HRB335"}, {1009, "C30"}, {1001, "400"}, {1066, "800"},
                                               {1002, "40"}, {1024, "2300"}, {1075, "1425"}, {1007, "1500"},
                                               {1077, "6000"}});
    ASSERT_TRUE(r.outcome.ok());
    const double N = 2300, b = 400, h = 800, a = 40, Lc = 6000, fc = kFc30, fy = 300;
    const double h0 = h - a, ea = 800 / 30.0;
    const Second s = second(N, 1425, 1500, Lc, b, h, h0, ea, fc);
    const double xib = 0.8 / (1 + fy / (2e5 * 0.0033)), xi = N * 1000 / (fc * b * h0);
    const double e0 = s.M * 1000 / N, ei = e0 + ea, e = ei + h / 2 - a;
    const double As = (N * 1000 * e - fc * b * h0 * h0 * xi * (1 - 0.5 * xi)) / (fy * (h0 - a));
    const double phi = phiOf(Lc / b), sum = 2 * As;
    const double Nu = 0.9 * phi * (fc * (b * h - sum) + fy * sum) / 1000;
    std::vector<std::string> x = {
        "",
        "─────对称配筋（矩形截面）偏心受压构件正截面配筋计算书─────",
        "一、设计要求:",
        "　　　　结构安全等级: 二级",
        "　　　　轴向压力设计值 N＝2300.000（kN）",
        "　　　　弯矩设计值 M1＝1425.000000（kN.m）",
        "　　　　弯矩设计值 M2＝1500.000000（kN.m）",
        "　　　　混凝土强度等级: C30",
        "　　　　钢筋等级: HRB335",
        "　　　　计算长度 Lc＝6000.0（mm）",
        "　　　　矩形截面宽 b＝400.0（mm）",
        "　　　　矩形截面高 h＝800.0（mm）",
        "　　　　钢筋合力点至截面近边的距离 a'＝a＝40.0（mm）",
    };
    append(x, paramLines("C30", fc, 1.43, "HRB335", fy, fy, "0.8"));
    append(x, {"三、计算过程:", "　　　◇截面有效高度:", "　　　　h0 ＝h－a ＝760.0（mm）", "　　　　h0'＝h－a'＝760.0（mm）",
               "　　　◇附加偏心距:", "　　　　h／30＝26.7（mm）", "　　　　ea＝max｛h／30，20｝＝26.7（mm）"});
    append(x, secondLines(s, false));
    append(x, {
                  "　　　◇偏心距计算:",
                  "　　　　偏心距 e0＝M／N＝" + fx(e0, 1) + "（mm）",
                  "　　　　ei＝e0＋ea＝" + fx(ei, 1) + "（mm）",
                  "　　　◇相对受压区高度:",
                  "　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝" + fx(xib, 3),
                  "　　　　ξ＝γ0×N／（α1×fc×b×h0）＝" + fx(xi, 3),
                  "　　　　2×a'／h0＝" + fx(80 / h0, 3),
                  "　　　◇判别结构破坏类型",
                  "　　　　因为 2×a'／h0≤ξ≤ξb，属于大偏心受压",
                  "　　　◇钢筋截面面积计算:",
                  "　　　　e＝ei＋h／2－a＝" + fx(e, 1) + "（mm）",
                  "　　　　As'＝As＝｛γ0×N×e－α1×fc×b×h0×h0×ξ×（1－0.5ξ）｝／｛fy'×（h0－a'）｝＝" + fx(As, 1) + "（mm2）",
                  "　　　◇配筋率验算:",
                  "　　　　As'＝As≥ρmin×b×h＝640.0（mm2）",
                  "　　　◇一侧纵向钢筋配筋率:",
                  "　　　　规范要求受压构件一侧纵向钢筋的最小配筋率为 ρmin＝0.20％",
                  "　　　　As'≥0.2％×b×h＝640.0（mm2）",
                  "　　　◇全部纵向钢筋配筋率:",
                  "　　　　规范要求全部纵向钢筋的最小配筋率为 ρmin＝0.60％",
                  "　　　　As＋As'≥ρmin×b×h＝1920.0（mm2）",
                  "　　　◇垂直于弯矩作用平面的承载力验算:",
                  "　　　　长细比（分子取截面短边） Lc／b＝15.000",
                  "　　　　查规范表6.2.15，得钢筋混凝土轴心受压构件的稳定系数 φ＝" + fx(phi, 3),
                  "　　　　As＋As'＝" + fx(sum, 1) + "（mm2）",
                  "　　　　As＋As'＞3％×b×h＝9600.0（mm2）",
                  "　　　　Nu＝0.9×φ×｛fc×（b×h－As－As'）＋fy'×（As＋As'）｝／γ0＝" + fx(Nu, 3) + "（KN）",
                  "　　　　Nu≥N，符合规范要求。",
              });
    expectSheet(r.sheet, x);
    EXPECT_NEAR(r.results.at(1008), As, 1e-6);
    EXPECT_NEAR(r.results.at(1023), As, 1e-6);
}

TEST(EccSymDesign, DefaultsPrintTheListedValues) {
    RunResult r = run("CEccCompSymDesignDlg");
    ASSERT_TRUE(r.outcome.ok());
    for (const char* l : {"　　　　h0 ＝h－a ＝600.0（mm）", "　　　　h0'＝h－a'＝600.0（mm）", "　　　　h／30＝21.7（mm）",
                          "　　　　ea＝max｛h／30，20｝＝21.7（mm）", "　　　　系数 Cm＝0.7＋0.3×M1／M2＝0.989",
                          "　　　　弯矩比 M1／M2＝0.964", "　　　　轴压比 N／（fc×b×h）＝0.426",
                          "　　　　截面回旋半径 i＝√￣（h×h／12）＝187.6（mm）", "　　　　长细比 Lc／i＝25.581",
                          "　　　　       34-12×M1／M2＝22.429", "　　　　系数 ζc＝0.5×fc×b×h／N＝1.175",
                          "　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝0.482", "　　　　ξ＝γ0×N／（α1×fc×b×h0）＝0.461",
                          "　　　　2×a'／h0＝0.167", "　　　　As'＝As≥ρmin×b×h＝650.0（mm2）",
                          "　　　　As'≥0.2％×b×h＝650.0（mm2）", "　　　　系数 β1＝0.8"})
        EXPECT_TRUE(hasLine(r.sheet, l)) << l;
    // ζc = 1.175 exceeds the bound of clause 6.2.4: ηns takes ζc = 1.0.
    EXPECT_TRUE(hasLine(r.sheet, "　　　　ζc＞1.0，取 ζc＝1.0"));
    const double ea = 650 / 30.0;
    const double eta = 1 + (4800 / 650.0) * (4800 / 650.0) * 1.0 / (1300 * (560e3 / 2310 + ea) / 600);
    EXPECT_NE(lineStartingWith(r.sheet, "　　　　弯距增大系数 ηns＝").find("＝" + fx(eta, 3)), std::string::npos);
    EXPECT_EQ(r.texts.at(1061), "大偏心受压");
}

TEST(EccSymDesign, SmallEccentricityAreasCarryTheMomentExactly) {
    // ξ and As from the two equilibrium equations: the check form finds the same moment.
    RunResult d = run("190", {{1024, "4500"}, {1075, "400"}, {1007, "450"}});
    ASSERT_TRUE(d.outcome.ok());
    EXPECT_EQ(d.texts.at(1061), "小偏心受压");
    EXPECT_TRUE(hasLine(d.sheet, "　　　　因为 ξ＞ξb，属于小偏心受压"));
    EXPECT_FALSE(hasLine(d.sheet, "　　　　因为 2×a'／h0≤ξ≤ξb，属于大偏心受压"));
    const double As = d.results.at(1008);
    ASSERT_GT(As, 650);
    const double M = valueOn(d.sheet, "　　　　M＝");
    RunResult c = run("202", {{1009, "C35"}, {1010, "HRB500"}, {1024, "4500"}, {1001, "500"}, {1066, "650"},
                              {1002, "50"}, {1008, full(As)}});
    ASSERT_TRUE(c.outcome.ok());
    EXPECT_EQ(c.texts.at(1061), "小偏心受压");
    EXPECT_NEAR(c.results.at(1006), M, 1e-6 * M);
}

// --- Form 202 -------------------------------------------------------------------------------

TEST(EccSymCheck, DefaultsGiveTheWholeSheet) {
    RunResult r = run("CEccCompSymCheckDlg");
    ASSERT_TRUE(r.outcome.ok());
    std::vector<std::string> x = {
        "",
        "─────对称配筋矩形截面偏心受压构件正截面承载力计算书（已知N，求e0，M）─────",
        "一、设计要求:",
        "　　　　结构安全等级: 二级",
        "　　　　混凝土强度等级: C30",
        "　　　　钢筋等级: HRB335",
        "　　　　轴向压力设计值 N＝980.000（kN）",
        "　　　　矩形截面宽 b＝400.0（mm）",
        "　　　　矩形截面高 h＝600.0（mm）",
        "　　　　钢筋合力点至截面近边的距离 a'＝40.0（mm）",
        "　　　　钢筋合力点至截面近边的距离 a＝40.0（mm）",
        "　　　　钢筋面积 As'＝500.0（mm2）",
        "　　　　钢筋面积 As ＝500.0（mm2）",
    };
    append(x, paramLines("C30", 14.3, 1.43, "HRB335", 300, 300, "0.80"));
    append(x, {
                  "三、计算过程:",
                  "　　　◇截面有效高度:",
                  "　　　　h0＝h－a＝560.0（mm）",
                  "　　　◇附加偏心距:",
                  "　　　　h／30＝20.0（mm）",
                  "　　　　ea＝max｛h／30，20｝＝20.0（mm）",
                  "　　　◇相对受压区高度:",
                  "　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝0.550",
                  "　　　　ξ＝γ0×N／（α1×fc×b×h0）＝0.306",
                  "　　　　2×a'／h0＝0.143",
                  "　　　◇判别结构破坏类型:",
                  "　　　　因为2×a'／h0≤ξ≤ξb，是大偏心受压构件",
                  "　　　◇弯矩计算:",
                  "　　　　e＝｛α1×fc×b×h0×h0×ξ×（1－ξ／2）＋fy'×As'×（h0－a'）｝／（γ0×N）＝553.9（mm）",
                  "　　　　ei＝e－h／2＋a＝293.9（mm）",
                  "　　　　e0＝ei－ea＝273.9（mm）",
                  "　　　　M＝N×e0＝268.448951（kN.m）",
              });
    expectSheet(r.sheet, x);
    EXPECT_NEAR(r.results.at(1006), 268.448951, 1e-6);
}

TEST(EccSymCheck, SafetyClassThreeDividesByGammaZeroOnlyOnce) {
    RunResult r = run("202", {{1011, "三级"}});
    ASSERT_TRUE(r.outcome.ok());
    const double g0N = 0.9 * 980e3, h0 = 560, xi = g0N / (14.3 * 400 * h0);
    const double e = (14.3 * 400 * h0 * h0 * xi * (1 - xi / 2) + 300 * 500 * (h0 - 40)) / g0N;
    const double M = 980 * (e - 300 + 40 - 20) / 1000;
    EXPECT_NEAR(r.results.at(1006), M, 1e-6);
    EXPECT_TRUE(hasLine(r.sheet, "　　　　M＝N×e0＝" + fx(M, 6) + "（kN.m）"));
}

TEST(EccSymCheck, SmallEccentricity) {
    RunResult r = run("202", {{1024, "2500"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_EQ(r.texts.at(1061), "小偏心受压");
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为ξ＞ξb，是小偏心受压构件"));
    EXPECT_GT(r.results.at(1006), 0);
    r = run("202", {{1024, "9000"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_EQ(r.results.at(1006), 0);
}

// --- Second-order block ---------------------------------------------------------------------

TEST(EccSecondOrder, MayBeIgnoredWhenAllThreeConditionsHold) {
    // M1/M2 = 0.5, N/(fc·A) small, Lc/i = 3000/144.3 = 20.8 ≤ 34 − 6 = 28.
    RunResult r = run("180", {{1024, "1000"}, {1075, "200"}, {1007, "400"}, {1077, "3000"}, {1066, "500"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_FALSE(hasLine(r.sheet, "　　　　比较上二式得 L0／i＞34-12×M1／M2"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　比较上二式得 L0／i≤34-12×M1／M2"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　M＝M2＝400.000000（kN.m）"));
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　系数 ζc"), "");
    // Same member with M1/M2 > 0.9: the effect counts, and the sheet says why.
    r = run("180", {{1024, "1000"}, {1075, "380"}, {1007, "400"}, {1077, "3000"}, {1066, "500"}});
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为 M1／M2＞0.9，应考虑二阶效应"));
    EXPECT_NE(lineStartingWith(r.sheet, "　　　　M＝Cm×ηns×M2＝"), "");
}

TEST(EccSecondOrder, CmEtaBelowOneIsRaisedToOne) {
    // N/(fc·A) > 0.9 keeps the effect; Cm = 0.85 and a short member give Cm·ηns < 1.
    RunResult r = run("190", {{1024, "5000"}, {1075, "100"}, {1007, "200"}, {1077, "2000"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为 N／（fc×b×h）＞0.9，应考虑二阶效应"));
    const std::string l = lineStartingWith(r.sheet, "　　　　Cm×ηns＝");
    EXPECT_NE(l.find("＜1.0，取 Cm×ηns＝1.0"), std::string::npos) << l;
    EXPECT_TRUE(hasLine(r.sheet, "　　　　M＝1.0×M2＝200.000000（kN.m）"));
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　M＝Cm×ηns×M2＝"), "");
}

TEST(EccSecondOrder, WallTakesCmEtaAsOneAndLargerEndMomentIsM2) {
    RunResult r = run("180", {{1064, "1"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　构件是剪力墙及核心筒墙，按规范第6.2.4条取 Cm×ηns＝1.0"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　M＝1.0×M2＝480.000000（kN.m）"));
    // M1 typed larger than M2: the larger end moment is M2 of clause 6.2.4.
    RunResult swapped = run("180", {{1075, "480"}, {1007, "460"}});
    RunResult normal = run("180");
    EXPECT_EQ(valueOn(swapped.sheet, "　　　　M＝Cm×ηns×M2＝"), valueOn(normal.sheet, "　　　　M＝Cm×ηns×M2＝"));
}

// --- Out-of-plane block ---------------------------------------------------------------------

TEST(EccOutOfPlane, ShortSideAndFailingVerdict) {
    // h < b: the slenderness takes h; N above Nu: no false "Nu≥N".
    RunResult r = run("190", {{1001, "800"}, {1066, "300"}, {1002, "40"}, {1077, "12000"}, {1024, "3000"},
                              {1075, "100"}, {1007, "120"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　长细比（分子取截面短边） Lc／h＝40.000"));
    const std::string verdict = sheetLines(r.sheet).back();
    const double Nu = valueOn(r.sheet, "　　　　Nu＝");
    if (Nu < 3000) {
        EXPECT_EQ(verdict, "　　　　Nu＜N，不符合规范要求，应加大截面尺寸或提高材料强度等级。");
    } else {
        ADD_FAILURE() << "expected a failing out-of-plane check, Nu = " << Nu;
    }
    // Beyond Table 6.2.15 (Lc/b > 50): no φ, and the check is said to fail.
    r = run("180", {{1077, "30000"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　Nu＝"), "");
    EXPECT_TRUE(hasLine(r.sheet, "　　　　垂直于弯矩作用平面的承载力验算不满足要求，应加大截面尺寸。"));
}

// --- Input checks ---------------------------------------------------------------------------

TEST(EccComp, ChecksRefuseInOrderAtTheirBoundaries) {
    struct Case {
        const char* form;
        std::vector<Assignment> as;
        const char* message;
    } cases[] = {
        {"180", {{1077, "0"}}, "数据输入有误，请检查。"},
        {"180", {{1002, "400"}, {1022, "400"}}, "数据输入有误，请检查。"},  // a + a' = h
        {"180", {{1075, "-5"}}, "弯矩数值应大于零，请检查。"},
        {"180", {{1024, "0"}}, "轴心压力数值应大于零，请检查。"},
        {"192", {{1023, "0"}}, "钢筋As'面积应大于零，请检查。"},
        {"192", {{1023, "0"}, {1024, "0"}}, "轴心压力数值应大于零，请检查。"},
        {"198", {{1008, "0"}, {1024, "0"}}, "钢筋面积数值应大于零，请检查。"},
        {"198", {{1002, "455"}}, "数据输入有误，请检查。"},
        {"190", {{1002, "325"}}, "尺寸数据输入有误，请检查。"},  // 2a = h
        {"190", {{1007, "0"}}, "弯矩数值应大于零，请检查。"},
        {"202", {{1002, "300"}}, "数据输入有误，请检查。"},
        {"202", {{1008, "0"}}, "钢筋面积数值应大于零，请检查。"},
        {"202", {{1024, "0"}}, "轴心压力数值应大于零，请检查。"},
    };
    for (const auto& c : cases) {
        RunResult r = run(c.form, c.as);
        EXPECT_FALSE(r.outcome.ok()) << c.form;
        EXPECT_EQ(r.outcome.message, c.message) << c.form;
        EXPECT_TRUE(r.sheet.empty());
    }
    EXPECT_TRUE(run("190", {{1002, "324"}}).outcome.ok());
}

TEST(EccComp, DeclarationsFollowTheDialogs) {
    const FormDecl& s180 = findForm("180")->decl();
    EXPECT_FALSE(s180.control(1077)->tab);
    EXPECT_EQ(s180.control(1064)->kind, CtlKind::CheckBox);
    EXPECT_EQ(s180.control(1061)->kind, CtlKind::TextResult);
    EXPECT_EQ(findForm("192")->decl().control(1024)->kind, CtlKind::DigitsEdit);
    EXPECT_EQ(findForm("198")->decl().control(1006)->kind, CtlKind::DigitsResult);
    EXPECT_EQ(findForm("190")->decl().control(1075)->kind, CtlKind::DigitsEdit);
    EXPECT_EQ(findForm("190")->decl().control(1007)->kind, CtlKind::Edit);
    EXPECT_EQ(findForm("32830")->decl().className, "CEccCompSymCheckDlg");
}

// --- Round trips ----------------------------------------------------------------------------

/// The asymmetric design fed into the check form with its N: the moment it carries.
double asymCheckMoment(const std::vector<Assignment>& design, const RunResult& d, double As, double Asp) {
    std::vector<Assignment> in = {{1024, "4180"}, {1001, "500"}, {1066, "800"}, {1022, "50"}, {1002, "50"},
                                  {1009, "C30"}};
    for (const auto& a : design)
        if (a.id == 1024 || a.id == 1001 || a.id == 1066 || a.id == 1022 || a.id == 1002 || a.id == 1009 ||
            a.id == 1010 || a.id == 1011)
            for (auto& i : in)
                if (i.id == a.id) i = a;
    for (const auto& a : design)
        if (a.id == 1010 || a.id == 1011) in.push_back(a);
    in.push_back({1008, full(As)});
    in.push_back({1023, full(Asp)});
    RunResult c = run("198", in);
    EXPECT_TRUE(c.outcome.ok()) << c.outcome.message;
    (void)d;
    return c.results.count(1006) ? c.results.at(1006) : NAN;
}

TEST(EccRoundTrip, AsymmetricDesignCarriesItsMoment) {
    struct Case {
        std::vector<Assignment> in;
        bool exact;  // no minimum governs
    } cases[] = {
        {kLarge180, true},
        {{}, false},  // defaults: small eccentricity, all-bars minimum raises As'
        {{{1024, "6500"}, {1075, "40"}, {1007, "50"}, {1077, "3000"}}, false},    // reverse failure
        {{{1024, "5000"}, {1075, "300"}, {1007, "350"}, {1011, "一级"}}, false},  // small, γ0 = 1.1
        {{{1024, "2500"}, {1075, "700"}, {1007, "800"}, {1010, "HRB335"}}, false},
    };
    for (const auto& c : cases) {
        RunResult d = run("180", c.in);
        ASSERT_TRUE(d.outcome.ok());
        const double M = valueOn(d.sheet, "　　　　M＝");
        const double Mu = asymCheckMoment(c.in, d, d.results.at(1008), d.results.at(1023));
        EXPECT_GE(Mu, M * (1 - 1e-7) - 1e-6) << d.sheet;
        if (c.exact) {
            EXPECT_NEAR(Mu, M, 1e-6 * M);
        }
    }
    // Form 192 with its given As' and the designed As, large and small eccentricity.
    for (const auto& in : std::vector<std::vector<Assignment>>{
             {},
             {{1024, "1200"}, {1075, "90"}, {1007, "100"}, {1023, "800"}},
             {{1024, "1500"}, {1075, "300"}, {1007, "320"}, {1023, "1800"}}}) {
        RunResult d = run("192", in);
        ASSERT_TRUE(d.outcome.ok());
        ASSERT_EQ(lineStartingWith(d.sheet, "　　　　取 As'＝"), "");
        std::vector<Assignment> c = {{1024, "310"}, {1009, "C30"}, {1001, "300"}, {1066, "400"}, {1022, "40"},
                                     {1002, "40"}, {1023, "509"}};
        for (const auto& a : in)
            for (auto& x : c)
                if (x.id == a.id) x = a;
        c.push_back({1008, full(d.results.at(1008))});
        // As' designed anew at ξ = ξb: only its printed value (0.1 mm²) is at hand.
        const bool redesigned = d.sheet.find("已知的 As' 过小") != std::string::npos;
        if (redesigned) c.push_back({1023, full(valueOn(d.sheet, "　　　　As'＝｛"))});
        RunResult k = run("198", c);
        ASSERT_TRUE(k.outcome.ok());
        const double M = valueOn(d.sheet, "　　　　M＝");
        EXPECT_GE(k.results.at(1006), M * (1 - (redesigned ? 1e-4 : 1e-7)) - 1e-6) << d.sheet;
        if (redesigned) continue;
        if (lineStartingWith(d.sheet, "　　　　按最小配筋率取").empty() &&
            lineStartingWith(d.sheet, "　　　　按全部纵向").empty()) {
            EXPECT_NEAR(k.results.at(1006), M, 1e-6 * M);
        }
    }
}

TEST(EccRoundTrip, SymmetricDesignCarriesItsMoment) {
    for (const auto& in : std::vector<std::vector<Assignment>>{
             {},                                                      // large
             {{1024, "4500"}, {1075, "200"}, {1007, "250"}},          // small
             {{1024, "6500"}, {1075, "100"}, {1007, "150"}},          // small, compression in As
             {{1024, "300"}, {1075, "400"}, {1007, "450"}},           // ξ < 2a'/h0
             {{1010, "HRB400"}, {1024, "3500"}, {1075, "500"}, {1007, "600"}}}) {
        RunResult d = run("190", in);
        ASSERT_TRUE(d.outcome.ok());
        std::vector<Assignment> c = {{1009, "C35"}, {1010, "HRB500"}, {1024, "2310"}, {1001, "500"},
                                     {1066, "650"}, {1002, "50"}};
        for (const auto& a : in)
            for (auto& x : c)
                if (x.id == a.id) x = a;
        c.push_back({1008, full(d.results.at(1008))});
        RunResult k = run("202", c);
        ASSERT_TRUE(k.outcome.ok());
        const double M = valueOn(d.sheet, "　　　　M＝");
        EXPECT_GE(k.results.at(1006), M * (1 - 1e-7) - 1e-6) << d.sheet << k.sheet;
        // With fy ≠ fy' (HRB500, the defaults) the design's ξ takes fy' for both faces while the
        // check solves the force equilibrium exactly: the design is then on the safe side only.
        const bool grade500 = lineStartingWith(d.sheet, "　　　　钢筋等级: ") == "　　　　钢筋等级: HRB500";
        if (!grade500 && lineStartingWith(d.sheet, "　　　　按最小配筋率取").empty() &&
            lineStartingWith(d.sheet, "　　　　按全部纵向").empty()) {
            EXPECT_NEAR(k.results.at(1006), M, 1e-6 * M);
        }
    }
}

/// The design fed back into 198 (asymmetric) with its N: the moment the check gives.
double check198(const std::vector<Assignment>& common, double ap, double As, double Asp) {
    std::vector<Assignment> c = common;
    c.push_back({1022, full(ap)});
    c.push_back({1008, full(As)});
    c.push_back({1023, full(Asp)});
    RunResult k = run("198", c);
    EXPECT_TRUE(k.outcome.ok()) << k.outcome.message;
    return k.results.count(1006) ? k.results.at(1006) : NAN;
}

TEST(EccRoundTrip, KnownAsPrimeWithANegativeAsIsRaisedUntilTheSectionCarries) {
    // A large given As' makes the large-eccentricity ξ small, and As from the force equilibrium
    // negative: As at its minimum left the section unable to carry even N (the check gave 0).
    const std::vector<Assignment> common = {{1009, "C20"}, {1010, "HRB400"}, {1011, "一级"}, {1024, "17890"},
                                            {1001, "540"}, {1066, "1387"}, {1002, "162"}};
    std::vector<Assignment> in = common;
    in.insert(in.end(), {{1022, "136"}, {1023, "29115"}, {1075, "2000"}, {1007, "2469"}, {1077, "3000"}});
    RunResult d = run("192", in);
    ASSERT_TRUE(d.outcome.ok());
    const double M = valueOn(d.sheet, "　　　　M＝");
    EXPECT_NE(d.sheet.find("增大受拉侧钢筋，取 As＝"), std::string::npos) << d.sheet;
    EXPECT_EQ(d.texts.at(1061), "小偏心受压");
    EXPECT_GE(check198(common, 136, valueOn(d.sheet, "　　　　增大受拉侧钢筋，取 As＝"), 29115), M * (1 - 1e-7));
    // Out of the plane the section needs more than the 5 % of 9.3.1 (γ0 = 1.1: As + As' ≥ 41882
    // mm² > 37449): no As is shown.
    EXPECT_TRUE(d.empty.count(1008));
    EXPECT_EQ(d.verdict.kind, Verdict::Kind::Fail);
}

TEST(EccRoundTrip, SymmetricDesignAboveXibIsSmallEvenBelow2a) {
    // 2a/h0 = 1.46 > ξ = γ0·N/(α1·fc·b·h0) > ξb: small eccentricity, not moments about As'.
    const double h0 = 1060 - 447, xi = 4400e3 / (14.3 * 500 * h0);
    ASSERT_GT(xi, 0.518);
    ASSERT_LT(xi, 2 * 447 / h0);
    const std::vector<Assignment> common = {{1009, "C30"}, {1010, "HRB400"}, {1024, "4400"}, {1001, "500"},
                                            {1066, "1060"}, {1002, "447"}};
    std::vector<Assignment> in = common;
    in.insert(in.end(), {{1075, "200"}, {1007, "300"}, {1077, "3000"}});
    RunResult d = run("190", in);
    ASSERT_TRUE(d.outcome.ok());
    EXPECT_EQ(d.texts.at(1061), "小偏心受压") << d.sheet;
    EXPECT_TRUE(hasLine(d.sheet, "　　　　因为 ξ＞ξb，属于小偏心受压"));
    std::vector<Assignment> c = common;
    c.push_back({1008, full(d.results.at(1008))});
    RunResult k = run("202", c);
    ASSERT_TRUE(k.outcome.ok());
    EXPECT_GE(k.results.at(1006), valueOn(d.sheet, "　　　　M＝") * (1 - 1e-7)) << d.sheet << k.sheet;
}

TEST(EccAsymCheck, BelowTwoAPrimeTakesTheLargerOfMomentsAboutAsPrimeAndNoAsPrime) {
    // As' beyond the centroid (a' = 897 of h = 1496): moments about As' alone gave e0 < 0 and Mu = 0.
    const std::vector<Assignment> in = {{1009, "C40"}, {1010, "HRBF500"}, {1011, "三级"}, {1024, "10796"},
                                        {1001, "946"}, {1066, "1496"}, {1002, "128"}, {1022, "897"},
                                        {1023, "4245.6"}, {1008, "2830.4"}};
    RunResult r = run("198", in);
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_NE(r.sheet.find("不计受压钢筋 As'"), std::string::npos) << r.sheet;
    // Without As': ξ = (0.9·N + fy·As)/(α1·fc·b·h0) ≤ ξb, e = α1·fc·b·h0²·ξ(1 − ξ/2)/(0.9·N).
    const double h0 = 1496 - 128, g0N = 0.9 * 10796e3, xi = (g0N + 435 * 2830.4) / (19.1 * 946 * h0);
    ASSERT_LT(xi, 0.482);
    const double e = 19.1 * 946 * h0 * h0 * xi * (1 - xi / 2) / g0N;
    const double e0 = e - 1496 / 2.0 + 128 - 1496 / 30.0;
    EXPECT_NEAR(r.results.at(1006), 10796 * e0 / 1000, 1e-6 * 10796 * e0 / 1000);
    EXPECT_EQ(valueOn(r.sheet, "　　　　取两者中的较大值 ei＝"), std::round((e - 1496 / 2.0 + 128) * 10) / 10);
}

TEST(EccSymCheck, Grade500SolvesTheForceEquilibriumWithBothStrengths) {
    RunResult r = run("202", {{1010, "HRB500"}});
    ASSERT_TRUE(r.outcome.ok());
    // Defaults: N = 980 kN, 400 × 600, a = 40, As = As' = 500, C30.
    const double xi = (980e3 - 410 * 500 + 435 * 500) / (14.3 * 400 * 560);
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　ξ＝"), "　　　　ξ＝（γ0×N－fy'×As'＋fy×As）／（α1×fc×b×h0）＝" + fx(xi, 3));
    const double e = (14.3 * 400 * 560.0 * 560 * xi * (1 - xi / 2) + 410 * 500 * 520.0) / 980e3;
    EXPECT_NEAR(r.results.at(1006), 980 * (e - 300 + 40 - 20) / 1000, 1e-6);
}

// --- Random inputs --------------------------------------------------------------------------

/// The last value printed on a line that starts with one of the prefixes, read upwards by half the
/// printed unit (as an engineer rounds an area up); nullopt when there is none.
std::optional<double> printedArea(const std::string& sheet, std::initializer_list<const char*> prefixes) {
    std::optional<double> v;
    for (const auto& l : sheetLines(sheet))
        for (const char* p : prefixes)
            if (l.rfind(p, 0) == 0) v = valueOn(l + "\r\n", p) + 0.05;
    return v;
}

/// A design line saying that a minimum, the reverse-failure check or the capacity check set an
/// area, or that the sheet's formula is conservative for fy ≠ fy' (the result is then ≥ M only).
bool notExact(const std::string& sheet, bool fyDiffers) {
    for (const char* mark : {"最小配筋率取", "最小配筋率配置", "截面承载力复核", "　　　　取 As＝", "已知的 As' 过小",
                             "按垂直于弯矩作用平面的承载力增大"})
        if (sheet.find(mark) != std::string::npos) return true;
    return fyDiffers;
}

TEST(EccRandom, NoNonFiniteValueOrNegativeAreaAndDesignsCarryTheirMoment) {
    std::mt19937 rng(20240611);
    auto uni = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    auto pickOf = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const char* concretes[] = {"C15", "C20", "C25", "C30", "C35", "C40", "C45", "C50", "C55", "C60", "C65", "C70", "C75", "C80"};
    const char* steels[] = {"HPB300", "HRB335", "HRBF335", "HRB400", "HRBF400", "RRB400", "HRB500", "HRBF500"};
    const char* classes[] = {"一级", "二级", "三级", "地震设计"};
    // Round trips: 180 → 198, 192 → 198, 190 → 202, and 180 with a = a' → 202 with both faces at
    // the larger of its areas (the check's capacity does not fall when an area grows here).
    int trips[4] = {0, 0, 0, 0}, exact = 0, shortfalls = 0, hopeless = 0;
    for (int k = 0; k < 1500; ++k) {
        const double h = std::round(uni(200, 1500)), b = std::round(uni(200, 1000));
        // Covers of ordinary sections half of the time, otherwise up to just below the refusal
        // limits of the checks (a + a' < h, and 2a < h for the symmetric forms).
        const bool deep = pickOf(2) == 0;
        const double a = std::round(uni(15, deep ? 0.6 * h : 0.15 * h));
        const double ap = pickOf(4) == 0 ? a : std::round(uni(15, deep ? std::min(0.9 * h, h - a - 1) : 0.15 * h));
        if (a + ap >= h) continue;
        const bool symOk = 2 * a < h;
        const double N = std::round(uni(1, 0.9 * 35.9 * b * h / 1000)), M2 = std::round(uni(1, 3000));
        const double M1 = std::round(uni(1, M2 * 1.2)), Lc = std::round(uni(500, 20000));
        const std::string cc = concretes[pickOf(14)], st = steels[pickOf(8)], sc = classes[pickOf(4)];
        const bool fyDiffers = st.find("500") != std::string::npos;
        const std::vector<Assignment> common = {{1009, cc}, {1010, st}, {1011, sc}, {1024, full(N)},
                                                {1001, full(b)}, {1066, full(h)}, {1002, full(a)}};
        const double givenAsp = std::round(uni(1, 0.04 * b * h));
        for (const char* form : {"180", "192", "198", "190", "202"}) {
            std::vector<Assignment> in = common;
            const std::string f = form;
            if (!symOk && (f == "190" || f == "202")) continue;
            if (f == "180" || f == "192" || f == "190") {
                in.push_back({1075, full(M1)});
                in.push_back({1007, full(M2)});
                in.push_back({1077, full(Lc)});
                in.push_back({1064, pickOf(5) == 0 ? "1" : "0"});
            }
            if (f != "190" && f != "202") in.push_back({1022, full(ap)});
            if (f == "192") in.push_back({1023, full(givenAsp)});
            if (f == "198") in.push_back({1023, full(std::round(uni(1, 0.04 * b * h)))});
            if (f == "198" || f == "202") in.push_back({1008, full(std::round(uni(1, 0.04 * b * h)))});
            RunResult r = run(form, in);
            ASSERT_TRUE(r.outcome.ok()) << form << " " << r.outcome.message;
            ASSERT_EQ(r.sheet.find("nan"), std::string::npos) << r.sheet;
            ASSERT_EQ(r.sheet.find("inf"), std::string::npos) << r.sheet;
            for (const auto& [id, v] : r.results) {
                ASSERT_TRUE(std::isfinite(v));
                ASSERT_GE(v, 0) << form << " " << id << "\n" << r.sheet;
            }
            if (f == "198" || f == "202") continue;
            // A section that no area up to b·h makes carry says so; it has nothing to feed back.
            if (r.sheet.find("仍不能承受该偏心压力") != std::string::npos || !r.empty.empty()) {
                EXPECT_EQ(r.verdict.kind, Verdict::Kind::Fail) << r.sheet;
                ++hopeless;
                continue;
            }
            const double M = valueOn(r.sheet, "　　　　M＝");
            for (int t : {0, 1, 2, 3}) {
                std::vector<Assignment> c = common;
                const char* check = "198";
                bool printed = false;
                if (t == 0) {  // 180 → 198, 192 → 198
                    if (f == "190") continue;
                    double Asp = f == "180" ? r.results.at(1023) : givenAsp;
                    if (f == "192") {
                        // As' designed anew or raised is printed only.
                        const auto p = printedArea(r.sheet, {"　　　　取 As'＝", "　　　　增大受压钢筋，取 As'＝", "　　　　As'＝｛",
                                                             "　　　　按全部纵向钢筋最小配筋率取 As'＝"});
                        if (p) {
                            Asp = *p;
                            printed = true;
                        }
                    }
                    c.push_back({1022, full(ap)});
                    c.push_back({1023, full(Asp)});
                    c.push_back({1008, full(r.results.at(1008))});
                } else if (t == 1) {  // 190 → 202
                    if (f != "190") continue;
                    check = "202";
                    c.push_back({1008, full(r.results.at(1008))});
                } else if (t == 2) {  // 180 with a = a' → 202
                    if (f != "180" || a != ap || !symOk || r.texts.at(1061) != "大偏心受压") continue;
                    check = "202";
                    c.push_back({1008, full(std::max(r.results.at(1008), r.results.at(1023)))});
                } else {
                    continue;
                }
                RunResult kc = run(check, c);
                ASSERT_TRUE(kc.outcome.ok()) << kc.outcome.message;
                const double Mu = kc.results.at(1006);
                ++trips[t == 0 ? (f == "180" ? 0 : 1) : t + 1];
                if (Mu < M * (1 - (printed ? 1e-4 : 1e-7)) - 1e-6) {
                    ++shortfalls;
                    ADD_FAILURE() << form << " → " << check << " carries " << Mu << " < " << M << "\n"
                                  << r.sheet << kc.sheet;
                } else if (t != 2 && !printed && !notExact(r.sheet, fyDiffers && f != "192") &&
                           kc.sheet.find("按平截面假定计算") == std::string::npos &&
                           kc.texts.at(1061) == r.texts.at(1061) &&
                           (kc.sheet.find("不计受压钢筋") == std::string::npos) ==
                               (r.sheet.find("不计受压钢筋") == std::string::npos)) {
                    // Equal where the check takes the design's route. With deep covers the area from
                    // moments about As' can make the section small-eccentric, and a small-eccentric
                    // design at x < 2a' counts As' where the check need not: then ≥ only.
                    ++exact;
                    EXPECT_NEAR(Mu, M, 1e-6 * M + 1e-6) << form << "\n" << r.sheet << kc.sheet;
                }
            }
        }
    }
    for (int t = 0; t < 4; ++t) EXPECT_GT(trips[t], 50) << t;
    // Designs beyond the 5 % of 9.3.1, or that no area within it makes carry out of the plane
    // (Lc up to 20 m on b from 200 mm), give no areas: they count as hopeless here.
    EXPECT_GT(exact, 300);
    EXPECT_EQ(shortfalls, 0);
    EXPECT_LT(hopeless, 2700);
}

}  // namespace
}  // namespace tov::test
