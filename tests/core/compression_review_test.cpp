// Review cases of the compression forms, each computed by hand (figures in the comments).
#include <cmath>
#include <cstdlib>

#include "tests/core/testutil.h"

namespace tov::test {
namespace {

double after(const std::string& line) {
    const auto p = line.rfind("＝");
    return p == std::string::npos ? NAN : std::atof(line.c_str() + p + std::string("＝").size());
}

// Form 180, large eccentricity with As' above its minimum, HRB500 (fy = 435, fy' = 410), C30:
// b×h = 400×600, a = a' = 40, h0 = 560, N = 800 kN, M1 = 550, M2 = 600 kN·m, Lc = 7500.
//   ξb = 0.8/(1 + 435/(2e5·0.0033)) = 0.48229; Cm = 0.975; ζc → 1.0;
//   ηns = 1 + 12.5²/(1300·(750 + 20)/560) = 1.08741; M = 636.136 kN·m; ei = 815.17; e = 1075.17
//   As' = (800e3·1075.17 − 14.3·400·560²·0.48229·(1 − 0.24115))/(410·520) = 955.5 mm²
//   As  = (14.3·400·560·0.48229 + 410·955.5 − 800e3)/fy = 1 136 280/435 = 2612.1 mm²
// (dividing by fy' = 410 gave 2771.5 mm², and the check form then finds ξ = 0.504 > ξb:
// small eccentricity for a section designed as large-eccentric at ξ = ξb).
TEST(CompressionReview, AsymDesignTakesTensionBarsAtFy) {
    const std::vector<Assignment> in = {{1010, "HRB500"}, {1024, "800"}, {1075, "550"}, {1007, "600"},
                                        {1001, "400"},    {1066, "600"}, {1002, "40"},  {1022, "40"}};
    RunResult d = run("180", in);
    ASSERT_TRUE(d.outcome.ok());
    const double xib = 0.8 / (1 + 435.0 / 660.0);
    const double Asp = d.results.at(1023);
    EXPECT_NEAR(Asp, 955.5, 0.1);
    const double As = (14.3 * 400 * 560 * xib + 410 * Asp - 800e3) / 435;
    EXPECT_NEAR(As, 2612.1, 0.2);
    EXPECT_NEAR(d.results.at(1008), As, 1e-6 * As);
    EXPECT_EQ(after(lineStartingWith(d.sheet, "　　　　As＝（α1×fc×b×h0×ξb＋fy'×As'－γ0×N）／fy＝")), std::round(As * 10) / 10);

    // Fed back into the check form with its N: large eccentricity, Mu = M.
    std::vector<Assignment> c = {{1009, "C30"}, {1010, "HRB500"}, {1024, "800"}, {1001, "400"}, {1066, "600"},
                                 {1002, "40"},  {1022, "40"}};
    char t[64];
    std::snprintf(t, sizeof t, "%.17g", d.results.at(1008));
    c.push_back({1008, t});
    std::snprintf(t, sizeof t, "%.17g", Asp);
    c.push_back({1023, t});
    RunResult k = run("198", c);
    ASSERT_TRUE(k.outcome.ok());
    EXPECT_EQ(k.texts.at(1061), "大偏心受压");
    EXPECT_NEAR(k.results.at(1006), 636.136, 0.01);
}

// Form 190, HRB500 (fy = 435, fy' = 410), C30, 400×600, a = 40, N = 1505 kN, M1/M2 = 650/700,
// Lc = 4000: ξ = γ0·N/(α1·fc·b·h0) = 1505e3/(14.3·400·560) = 0.470 ≤ ξb = 0.482, but the
// large-eccentricity areas (2291.9 mm² each face) give, with the real force balance,
// ξ = (1505e3 + (435 − 410)·2291.9)/(14.3·400·560) = 0.488 > ξb: the section is small-eccentric.
// Solving both equilibrium equations with σs = fy·(ξ − β1)/(ξb − β1) gives ξ = 0.485 and
// As = As' = 2226.2 mm², which the check form carries at M = 712.03 kN·m.
TEST(CompressionReview, SymDesignWithUnequalSteelStrengthsClassifiesByTheRealBalance) {
    const std::vector<Assignment> in = {{1009, "C30"},  {1024, "1505"}, {1075, "650"}, {1007, "700"},
                                        {1077, "4000"}, {1001, "400"},  {1066, "600"}, {1002, "40"}};
    RunResult d = run("190", in);
    ASSERT_TRUE(d.outcome.ok());
    EXPECT_EQ(d.texts.at(1061), "小偏心受压");
    EXPECT_FALSE(hasLine(d.sheet, "　　　　因为 2×a'／h0≤ξ≤ξb，属于大偏心受压"));
    EXPECT_TRUE(hasLine(d.sheet, "　　　　ξ＝（γ0×N－fy'×As'＋fy×As）／（α1×fc×b×h0）＝0.488"));
    EXPECT_TRUE(hasLine(d.sheet, "　　　　因为 ξ＞ξb，属于小偏心受压"));
    const double As = d.results.at(1008);
    EXPECT_NEAR(As, 2226.2, 0.1);
    char t[64];
    std::snprintf(t, sizeof t, "%.17g", As);
    RunResult c = run("202", {{1009, "C30"}, {1010, "HRB500"}, {1024, "1505"}, {1001, "400"}, {1066, "600"},
                              {1002, "40"}, {1008, t}});
    ASSERT_TRUE(c.outcome.ok());
    EXPECT_EQ(c.texts.at(1061), "小偏心受压");
    EXPECT_NEAR(c.results.at(1006), 712.034, 0.01);
    // The defaults (also HRB500) stay large-eccentric with the spelled-out lines.
    EXPECT_TRUE(hasLine(run("190").sheet, "　　　　因为 2×a'／h0≤ξ≤ξb，属于大偏心受压"));
}

}  // namespace
}  // namespace tov::test
