// The compression and tension forms against the section engine: random designs carry their demand
// by their check forms (and by plane sections where the code's formulas stop), the check forms do
// not exceed plane sections there, and the mended branches give their figures.
#include <cmath>
#include <memory>
#include <random>

#include "section/formsection.h"
#include "tests/core/testutil.h"

namespace tov::test {
namespace {

std::string full(double v) {
    char t[64];
    std::snprintf(t, sizeof t, "%.17g", v);
    return t;
}

double numberAfter(const std::string& sheet, const std::string& prefix) {
    const std::string l = lineStartingWith(sheet, prefix);
    EXPECT_NE(l, "") << prefix;
    return std::atof(l.c_str() + prefix.size());
}

// One Calculate that also hands back the form, for its section in the engine's terms.
struct Kept {
    RunResult r;
    std::unique_ptr<CalcForm> form;
};
Kept runKeeping(const char* id, const std::vector<Assignment>& as) {
    Kept out;
    MemoryReport report;
    out.r = runForm(*findForm(id), as, report, out.form);
    return out;
}

constexpr const char* kPlane = "按平截面假定计算";

// Where the forms leave the code's formulas for plane sections, each load point of the form lies
// on or inside the engine's curve (the utilisation of the point is at most 1).
void expectInsideCurve(const Kept& k, double tol, const std::string& what) {
    const auto fs = section::formSection(*k.form);
    ASSERT_TRUE(fs) << what;
    for (const auto& p : fs->points) {
        if (p.label == std::string("计入二阶效应") || p.label == std::string("不计二阶效应")) continue;
        EXPECT_LE(section::utilisation(fs->section, {p.N, p.M}), 1 + tol) << what << " " << p.label;
    }
}

TEST(SectionForms, RandomDesignsCarryByTheirChecksAndByPlaneSections) {
    std::mt19937 rng(20261208);
    auto uni = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    auto pickOf = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    auto grades = [&](const char* form) {
        std::vector<Assignment> as;
        for (const Control& c : findForm(form)->decl().controls)
            if (c.grade) as.push_back({c.id, c.items[pickOf(c.items.size())]});
        return as;
    };
    int cases = 0, planeChecks = 0, planeDesigns = 0, proven = 0;
    for (int k = 0; k < 2400; ++k) {
        const double h = std::round(uni(150, 1200)), b = std::round(uni(150, 800));
        const bool deep = k % 2 == 0;  // half the covers deep enough that 2a' > ξb·h0 is common
        const double a = std::round(uni(15, deep ? 0.45 * h : 0.12 * h));
        const double ap = std::round(uni(15, deep ? std::min(0.45 * h, h - a - 10) : 0.12 * h));
        if (a + ap >= h - 5) continue;
        const int family = k % 4;
        if (family < 2) {
            // Compression: 180 (asymmetric) or 190 (symmetric) → 198 / 202 with the designed areas.
            const bool sym = family == 1;
            const char* design = sym ? "190" : "180";
            std::vector<Assignment> g = grades(design);
            const double N = std::round(uni(10, 0.6 * 20 * b * h / 1000));
            const double M2 = std::round(uni(1, N * h / 1000)), M1 = std::round(uni(1, M2));
            std::vector<Assignment> in = g;
            in.insert(in.end(), {{1024, full(N)}, {1075, full(M1)}, {1007, full(M2)}, {1077, full(uni(0.5, 6) * b)},
                                 {1001, full(b)}, {1066, full(h)}, {1002, full(a)}});
            if (!sym) in.push_back({1022, full(ap)});
            Kept d = runKeeping(design, in);
            ASSERT_TRUE(d.r.outcome.ok()) << design;
            ++cases;
            if (!d.r.empty.empty()) {
                EXPECT_EQ(d.r.verdict.kind, Verdict::Kind::Fail) << d.r.sheet;
                continue;
            }
            EXPECT_NE(d.r.verdict.kind, Verdict::Kind::Fail) << d.r.sheet;
            const double M = numberAfter(d.r.sheet, "　　　　M＝");
            std::vector<Assignment> c = g;
            c.insert(c.end(), {{1024, full(N)}, {1001, full(b)}, {1066, full(h)}, {1002, full(a)},
                               {1008, full(d.r.results.at(1008))}});
            if (!sym) c.insert(c.end(), {{1022, full(ap)}, {1023, full(d.r.results.at(1023))}});
            Kept chk = runKeeping(sym ? "202" : "198", c);
            ASSERT_TRUE(chk.r.outcome.ok());
            EXPECT_GE(chk.r.results.at(1006), M * (1 - 1e-7) - 1e-6) << d.r.sheet << chk.r.sheet;
            ++proven;
            if (chk.r.sheet.find(kPlane) != std::string::npos) {
                ++planeChecks;
                expectInsideCurve(chk, 1e-6, "check at its capacity");
                // The design's areas carry its (N, M) by plane sections as well.
                const auto fs = section::formSection(*chk.form);
                const double g0N = fs->points.at(0).N, ea = std::max(20.0, h / 30);
                EXPECT_LE(section::utilisation(fs->section, {g0N, g0N / N * (M * 1e3 + N * ea)}), 1 + 1e-6)
                    << d.r.sheet;
            }
        } else {
            // Tension: 188 (asymmetric) or 194 (symmetric) → 206 / 204.
            const bool sym = family == 3;
            const char* design = sym ? "194" : "188";
            std::vector<Assignment> g = grades(design);
            const double N = std::round(uni(5, 0.002 * b * h * 0.36 * 5));
            const double M = std::round(uni(1, N * h / 250)) + 1;
            std::vector<Assignment> in = g;
            in.insert(in.end(), {{1024, full(N)}, {1006, full(M)}, {1001, full(b)}, {1000, full(h)}, {1002, full(a)}});
            Kept d = runKeeping(design, in);
            if (!d.r.outcome.ok()) continue;  // a ≥ h/2: refused by the symmetric checks
            ++cases;
            if (!d.r.empty.empty()) {
                EXPECT_EQ(d.r.verdict.kind, Verdict::Kind::Fail) << d.r.sheet;
                continue;
            }
            std::vector<Assignment> c = g;
            c.insert(c.end(), {{1001, full(b)}, {1000, full(h)}, {1002, full(a)}, {1008, full(d.r.results.at(1008))},
                               {1073, full(M / N * 1000)}});
            if (!sym) c.insert(c.end(), {{1022, full(a)}, {1023, full(d.r.results.at(1023))}});
            Kept chk = runKeeping(sym ? "204" : "206", c);
            ASSERT_TRUE(chk.r.outcome.ok()) << chk.r.outcome.message;
            // 188 works with ξb to 3 decimals, 206 with the exact one: within a thousandth.
            EXPECT_GE(chk.r.results.at(1024), N * (1 - (sym ? 1e-9 : 1e-3))) << d.r.sheet << chk.r.sheet;
            ++proven;
            if (chk.r.sheet.find(kPlane) != std::string::npos) {
                ++planeChecks;
                expectInsideCurve(chk, 1e-6, "tension check at its capacity");
            }
            if (!sym && d.r.sheet.find("2×a'／h0＞ξb") != std::string::npos) {
                ++planeDesigns;
                expectInsideCurve(d, 1e-3, "deep-cover tension design");
            }
        }
    }
    EXPECT_GE(cases, 2000);
    EXPECT_GT(proven, 1500);
    EXPECT_GT(planeChecks, 50);
    EXPECT_GT(planeDesigns, 50);
}

// --- Mended branches, one case each ------------------------------------------------------------

TEST(SectionForms, AxialDesignsBeyondTheReinforcementSayTheSectionIsTooSmall) {
    // 300 × 300, N = 30000 kN: As' = 129601.6 mm² > A = 90000 mm² was shown before.
    RunResult r = run("169", {{1024, "30000"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(r.empty.count(1023));
    EXPECT_EQ(r.verdict.kind, Verdict::Kind::Fail);
    EXPECT_TRUE(hasLine(r.sheet, "　　　　截面尺寸过小，应加大截面尺寸或提高混凝土强度等级。"));
    // The default is an ordinary design: ρmin governs.
    RunResult d = run("169");
    EXPECT_FALSE(d.empty.count(1023));
    EXPECT_NE(d.verdict.kind, Verdict::Kind::None);
}

TEST(SectionForms, SpiralCapAboveThreePercentRaisesAsPrime) {
    // The 1.5·N普通 cap with As' already above 3 % of A: As' = {γ0N/(1.5·0.9φ) − fc·A}/(fy' − fc)
    // (A − As' counts), 9634.5 mm², not the 8481.6 mm² of the formula for ≤ 3 %.
    RunResult r = run("173", {{1009, "C80"}, {1021, "HRB335"}, {1011, "HRB400"}, {1012, "25"}, {1024, "16109.9"},
                              {1051, "62.7"}, {1038, "600"}, {1027, "6600"}, {1002, "20"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_NEAR(r.results.at(1023), 9634.5, 0.05);
    // N间接 is restated for the final As' and reaches N.
    const auto lines = sheetLines(r.sheet);
    double last = 0;
    for (const auto& l : lines)
        if (l.rfind("　　　　N间接＝", 0) == 0) last = std::atof(l.substr(l.rfind("＝") + 3).c_str());
    EXPECT_GE(last, 16109.9);
}

TEST(SectionForms, ImpossibleCompressionDesignShowsNoAreas) {
    RunResult r = run("180", {{1009, "C70"}, {1024, "3370"}, {1075, "303"}, {1007, "4548"}, {1077, "7606"},
                              {1001, "227"}, {1066, "249"}, {1022, "58.3"}, {1002, "25.1"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(r.empty.count(1008));
    EXPECT_TRUE(r.empty.count(1023));
    EXPECT_EQ(r.verdict.kind, Verdict::Kind::Fail);
    EXPECT_FALSE(hasLine(r.sheet, "　　　　Nu≥N，符合规范要求。"));
}

TEST(SectionForms, OutOfPlaneFailureRaisesTheSymmetricAreas) {
    // 190 (C35, HRB500), 300 × 800, Lc = 9000: in the plane the minimum 600 + 600 mm² suffices;
    // out of it Lc/b = 30, φ = 0.52 and Nu = 0.9·0.52·(16.7·240000 + 410·1200) = 2106 kN < 2500.
    // Before, the sheet stopped at "Nu＜N". ΣAs = (2500e3/(0.9·0.52) − 16.7·240000)/410 = 3253.4.
    RunResult r = run("190", {{1001, "300"}, {1066, "800"}, {1002, "40"}, {1077, "9000"}, {1024, "2500"},
                              {1075, "50"}, {1007, "60"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_NE(lineStartingWith(r.sheet, "　　　　Nu＜N，按垂直于弯矩作用平面的承载力增大纵向钢筋面积"), "");
    EXPECT_NEAR(r.results.at(1008) + r.results.at(1023), 3253.4, 0.15);
    EXPECT_EQ(r.results.at(1008), r.results.at(1023));
    EXPECT_EQ(sheetLines(r.sheet).back(), "　　　　Nu≥N，符合规范要求。");
    EXPECT_EQ(r.verdict.kind, Verdict::Kind::Ok);
}

TEST(SectionForms, SmallEccentricityBelowTwoAPrimeTakesPlaneSections) {
    // C50, HRBF500, 129 × 177, a' = 50, a = 59, As' = 943, As = 2008, N = 292 kN. Before: 6.2.14
    // with σs gave ei = 116.1 mm, Mu = 28.07. Plane sections (εcu = 0.0033 for C50): xn = 99.1 mm,
    // σs' = 2e5·0.0033·(1 − 50/99.1) = 327.0, σs = 2e5·0.0033·(118/99.1 − 1) = 125.8 (tension);
    // C = 23.1·129·0.8·99.1 = 236.3 kN, N = 236.3 + 308.4 − 252.6 = 292.1 kN;
    // Mc = 236.3·(88.5 − 39.6) + 308.4·38.5 + 252.6·29.5 = 30.87 kN·m, ei = 105.7, Mu = 292·85.7.
    RunResult r = run("198", {{1009, "C50"}, {1010, "HRBF500"}, {1024, "292"}, {1001, "129"}, {1066, "177"},
                              {1022, "50"}, {1002, "59"}, {1023, "943"}, {1008, "2008"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_NE(r.sheet.find(kPlane), std::string::npos);
    EXPECT_NEAR(numberAfter(r.sheet, "　　　　中和轴至受压边缘的距离 xn＝"), 99.1, 0.05);
    EXPECT_NEAR(r.results.at(1006), 25.03, 0.005);
}

TEST(SectionForms, DeepCoverTensionDesignsCountTheCompressionSteel) {
    // 188: x = ξb·h0 = 0.518·110.6 = 57.3 mm, εs' = 0.0033·(1 − 0.8·54.4/57.3) = 0.00079,
    // σs' = 158.6; As' = (1174e3·19.9 − 14.3·206·57.3·(110.6 − 28.65))/(158.6·56.2) ≈ 1074.
    RunResult r = run("188", {{1011, "地震设计"}, {1010, "HRBF400"}, {1024, "1174"}, {1006, "56.4"}, {1001, "206"},
                              {1000, "165"}, {1002, "54.4"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_NEAR(r.results.at(1023), 1077, 5);
    EXPECT_NE(r.verdict.kind, Verdict::Kind::Fail);
    // 196: the given As' = 219 is too small; As' ≈ 3326 carries.
    r = run("196", {{1011, "地震设计"}, {1009, "C40"}, {1024, "43"}, {1006, "253"}, {1001, "287"}, {1000, "252"},
                    {1022, "64.9"}, {1002, "45.5"}, {1023, "219"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_NEAR(numberAfter(r.sheet, "　　　　已知As'不足，应取 As'＝"), 3326, 1);
    EXPECT_FALSE(r.empty.count(1008));
}

TEST(SectionForms, ClaimsPrintFiguresThatDifferInTheirDirection) {
    // 171: As' = 538 on 300 × 300 gives ρ = 0.5978 %, below ρmin = 0.60 %: printed 0.598, not 0.6.
    RunResult r = run("171", {{1023, "538"}});
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　配筋率 ρ＝As'／A＝"), "　　　　配筋率 ρ＝As'／A＝0.598（%）");
    EXPECT_EQ(r.verdict.kind, Verdict::Kind::Fail);
    // 206 over random sections: wherever the sheet says ξ＞ξb or ξ＜2×a'／h0, the printed
    // figures say so too.
    std::mt19937 rng(7);
    auto uni = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    int claims = 0;
    for (int k = 0; k < 600; ++k) {
        RunResult c = run("206", {{1008, full(uni(300, 8000))}, {1023, full(uni(100, 3000))}, {1073, full(uni(200, 1500))}});
        ASSERT_TRUE(c.outcome.ok());
        if (lineStartingWith(c.sheet, "　　　　ξ＝B－").empty()) continue;
        const double xi = numberAfter(c.sheet, "　　　　ξ＝B－√￣（B×B－2×C）＝");
        const double xib = numberAfter(c.sheet, "　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝");
        const double lim = numberAfter(c.sheet, "　　　　2×a'／h0＝");
        if (hasLine(c.sheet, "　　　　因为 ξ＞ξb，受拉钢筋不能屈服")) {
            ++claims;
            EXPECT_GT(xi, xib) << c.sheet;
        }
        if (hasLine(c.sheet, "　　　　因为 ξ＜2×a'／h0，取x＝2a'，对As'合力点取矩:")) {
            ++claims;
            EXPECT_LT(xi, lim) << c.sheet;
        }
        if (hasLine(c.sheet, "　　　　因为 2×a'／h0≤ξ≤ξb")) {
            ++claims;
            EXPECT_LE(lim, xi) << c.sheet;
            EXPECT_LE(xi, xib) << c.sheet;
        }
    }
    EXPECT_GT(claims, 300);
    // 198 likewise: ξ against ξb and 2a'/h0.
    claims = 0;
    for (int k = 0; k < 600; ++k) {
        RunResult c = run("198", {{1024, full(uni(50, 3000))}, {1008, full(uni(100, 4000))}, {1023, full(uni(100, 4000))},
                                  {1022, full(uni(20, 120))}});
        ASSERT_TRUE(c.outcome.ok());
        const double xi = numberAfter(c.sheet, "　　　　ξ＝（γ0×N－fy'×As'＋fy×As）／（α1×fc×b×h0）＝");
        const double xib = numberAfter(c.sheet, "　　　　ξb＝β1／（1＋fy／Es／εcu）＝");
        const double lim = numberAfter(c.sheet, "　　　　2×a'／h0＝");
        if (!lineStartingWith(c.sheet, "　　　　因为 ξ＞ξb").empty()) {
            ++claims;
            EXPECT_GT(xi, xib) << c.sheet;
        }
        if (!lineStartingWith(c.sheet, "　　　　因为 ξ＜2×a'／h0，是大偏心").empty()) {
            ++claims;
            EXPECT_LT(xi, lim) << c.sheet;
        }
        if (!lineStartingWith(c.sheet, "　　　　因为 2×a'／h0≤ξ≤ξb").empty()) {
            ++claims;
            EXPECT_LE(lim, xi) << c.sheet;
            EXPECT_LE(xi, xib) << c.sheet;
        }
    }
    EXPECT_GT(claims, 500);
}

TEST(SectionForms, EveryCompressionAndTensionFormGivesAVerdict) {
    for (const char* f : {"169", "171", "173", "174", "180", "192", "198", "190", "202", "184", "200", "188", "196",
                          "206", "194", "204"}) {
        RunResult r = run(f);
        ASSERT_TRUE(r.outcome.ok()) << f;
        EXPECT_NE(r.verdict.kind, Verdict::Kind::None) << f;
        EXPECT_FALSE(r.verdict.text.empty()) << f;
    }
}

}  // namespace
}  // namespace tov::test
