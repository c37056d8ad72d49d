// The doubly reinforced forms: whole sheets where the calculation is fully prescribed, each branch
// of the sheets, the checks at their boundaries, random inputs, and designs fed back into checks.
#include <cmath>
#include <cstdio>
#include <map>
#include <random>

#include "tests/core/testutil.h"

namespace tov::test {
namespace {

// Whole sheets whose figures are the published worked values of these four calculations.
const std::vector<std::string> kDesignDefaults = {
    "",
    "─────双筋（矩形截面）受弯构件正截面配筋计算书（求As'，As）─────",
    "一、设计要求:",
    "　　　　结构安全等级: 二级",
    "　　　　混凝土强度等级: C30",
    "　　　　As'钢筋等级: HRB400",
    "　　　　As 钢筋等级: HRB400",
    "　　　　弯矩设计值 M＝200.000000（kN.m）",
    "　　　　矩形截面宽度 b＝200.0（mm）",
    "　　　　矩形截面高度 h＝450.0（mm）",
    "　　　　钢筋合力点至截面近边的距离 a'＝35.0（mm）",
    "　　　　钢筋合力点至截面近边的距离 a ＝65.0（mm）",
    "二、计算参数:",
    "　　　　根据设计要求查规范得:",
    "　　　◇重要性系数 γ0＝1.0",
    "　　　◇混凝土C30的参数为:",
    "　　　　系数 α1＝1.00",
    "　　　　系数 β1＝0.80",
    "　　　　混凝土轴心抗压强度设计值 fc＝14.3（N/mm2）",
    "　　　　混凝土轴心抗拉强度设计值 ft＝1.43（N/mm2）",
    "　　　　正截面混凝土极限压应变 εcu＝0.00330",
    "　　　◇As'钢筋HRB400的参数为:",
    "　　　　钢筋抗压强度设计值 fy'＝360（N/mm2）",
    "　　　　钢筋弹性模量 Es'＝2.0（×100000N/mm2）",
    "　　　◇As钢筋HRB400的参数为:",
    "　　　　钢筋抗拉强度设计值 fy＝360（N/mm2）",
    "　　　　钢筋弹性模量 Es＝2.0（×100000N/mm2）",
    "三、计算过程:",
    "　　　◇截面有效高度:",
    "　　　　h0＝h－a＝385.0（mm）",
    "　　　◇相对界限受压区高度:",
    "　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝0.518",
    "　　　◇验算是否需用双筋:",
    "　　　　计算采用单筋的最大承载弯矩",
    "　　　　M单＝α1×fc×b×h0×h0×ξb×（1－0.5×ξb）＝162.645805（kN.m）",
    "　　　　γ0×M＝200.000000（kN.m）",
    "　　　　因 γ0×M＞M单，所以应采用双筋截面。",
    "　　　◇钢筋面积计算:",
    "　　　　为充分利用混凝土抗弯承载能力，取ξ＝ξb",
    "　　　　As'＝｛γ0×M－α1×fc×b×h0×h0×ξb×（1－0.5×ξb）｝／｛fy'×（h0－a'）｝＝296.5（mm2）",
    "　　　　As＝（fy'×As'＋α1×fc×b×h0×ξb）／fy＝1879.7（mm2）",
    "　　　◇配筋率验算:",
    "　　　　规范要求受拉钢筋最小配筋率ρmin＝max｛0.20％，45×ft／fy％｝＝0.20（％）",
    "　　　　As≥ρmin×b×h＝180.0（mm2）",
};
const std::vector<std::string> kKnownDefaults = {
    "",
    "─────双筋（矩形截面）受弯构件正截面配筋计算书(已知As'，求As)─────",
    "一、设计要求:",
    "　　　　结构安全等级: 二级",
    "　　　　混凝土强度等级: C30",
    "　　　　As'钢筋等级: HRB400",
    "　　　　As 钢筋等级: HRB400",
    "　　　　弯矩设计值 M＝200.000000（kN.m）",
    "　　　　矩形截面宽度 b＝200.0（mm）",
    "　　　　矩形截面高度 h＝450.0（mm）",
    "　　　　钢筋合力点至截面近边的距离 a'＝40.0（mm）",
    "　　　　钢筋合力点至截面近边的距离 a ＝65.0（mm）",
    "　　　　钢筋面积 As'＝628.0（mm2）",
    "二、计算参数:",
    "　　根据设计要求查规范得:",
    "　　　◇重要性系数 γ0＝1.0",
    "　　　◇混凝土C30的参数为:",
    "　　　　系数 α1＝1.00",
    "　　　　系数 β1＝0.80",
    "　　　　混凝土轴心抗压强度设计值 fc＝14.3（N/mm2）",
    "　　　　混凝土轴心抗拉强度设计值 ft＝1.43（N/mm2）",
    "　　　　正截面混凝土极限压应变 εcu＝0.00330",
    "　　　◇As'钢筋HRB400的参数为:",
    "　　　　钢筋抗压强度设计值 fy'＝360（N/mm2）",
    "　　　　钢筋弹性模量 Es'＝2.0（×100000N/mm2）",
    "　　　◇As钢筋HRB400的参数为:",
    "　　　　钢筋抗拉强度设计值 fy＝360（N/mm2）",
    "　　　　钢筋弹性模量 Es＝2.0（×100000N/mm2）",
    "三、计算过程:",
    "　　　◇截面有效高度:",
    "　　　　h0＝h－a＝385.0（mm）",
    "　　　◇相对界限受压区高度:",
    "　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝0.518",
    "　　　　ξ＝1－√￣｛1－2×［γ0×M－fy'×As'×（h0－a'）］／（α1×fc×b×h0×h0）｝＝0.349",
    "　　　　2×a'／h0＝0.208",
    "　　　◇钢筋面积计算:",
    "　　　　因为2×a'／h0≤ξ≤ξb。",
    "　　　　As＝（α1×fc×b×h0×ξ＋fy'×As'）／fy＝1694.0（mm2）",
    "　　　◇配筋率验算:",
    "　　　　规范要求受拉钢筋最小配筋率ρmin＝取大者（0.2％，45×ft／fy％）＝0.20（%）",
    "　　　　As≥ρmin×b×h＝180.0（mm2）",
};
const std::vector<std::string> kCheckSpelled = {
    "",
    "─────双筋（矩形截面）受弯构件正截面承载力复核计算书─────",
    "一、设计要求:",
    "　　　　结构安全等级: 二级",
    "　　　　混凝土强度等级: C30",
    "　　　　As'钢筋等级: HRB400",
    "　　　　As 钢筋等级: HRB400",
    "　　　　矩形截面宽度 b＝200.0（mm）",
    "　　　　矩形截面高度 h＝450.0（mm）",
    "　　　　钢筋合力点至截面近边的距离 a'＝40.0（mm）",
    "　　　　钢筋合力点至截面近边的距离 a ＝65.0（mm）",
    "　　　　钢筋面积 As'＝402.0（mm2）",
    "　　　　钢筋面积 As＝3000.0（mm2）",
    "二、计算参数:",
    "　　　　根据设计要求查规范得:",
    "　　　◇重要性系数 γ0＝1.0",
    "　　　◇混凝土C30的参数为:",
    "　　　　系数 α1＝1.00",
    "　　　　系数 β1＝0.80",
    "　　　　混凝土轴心抗压强度设计值 fc＝14.3（N/mm2）",
    "　　　　混凝土轴心抗拉强度设计值 ft＝1.43（N/mm2）",
    "　　　　正截面混凝土极限压应变 εcu＝0.00330",
    "　　　◇As'钢筋HRB400的参数为:",
    "　　　　钢筋抗压强度设计值 fy'＝360（N/mm2）",
    "　　　　钢筋弹性模量 Es'＝2.0（×100000N/mm2）",
    "　　　◇As 钢筋HRB400的参数为:",
    "　　　　钢筋抗拉强度设计值 fy＝360（N/mm2）",
    "　　　　钢筋弹性模量 Es＝2.0（×100000N/mm2）",
    "三、计算过程:",
    "　　　◇截面有效高度:",
    "　　　　h0＝h－a＝385.0（mm）",
    "　　　◇计算相对受压区高度:",
    "　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝0.518",
    "　　　　ξ＝（fy×As－fy'×As'）／ （α1×fc×b×h0）＝0.849",
    "　　　　2×a'／h0＝0.208",
    "　　　◇受弯承载力计算:",
    "　　　　因为 ξ＞ξb，取ξ＝ ξb，承载弯矩为:",
    "　　　　M＝α1×fc×b×h0×h0×ξb×（1－0.5×ξb）／γ0＋fy'×As'×（h0－a'）／γ0＝212.574205（kN.m）",
};
const std::vector<std::string> kSymDefaults = {
    "",
    "─────双筋（矩形截面对称配筋）受弯构件正截面承载力复核计算书─────",
    "一、设计要求:",
    "　　　　结构安全等级: 二级",
    "　　　　混凝土强度等级: C35",
    "　　　　钢筋等级: HRB400",
    "　　　　矩形截面宽度 b＝200.0（mm）",
    "　　　　矩形截面高度 h＝350.0（mm）",
    "　　　　钢筋合力点至截面近边的距离 a ＝41.0（mm）",
    "　　　　钢筋面积 As＝942.0（mm2）",
    "二、计算参数:",
    "　　　　根据设计要求查规范得:",
    "　　　◇重要性系数 γ0＝1.0",
    "　　　◇混凝土C35的参数为:",
    "　　　　系数 α1＝1.00",
    "　　　　系数 β1＝0.80",
    "　　　　混凝土轴心抗压强度设计值 fc＝16.7（N/mm2）",
    "　　　　混凝土轴心抗拉强度设计值 ft＝1.57（N/mm2）",
    "　　　　正截面混凝土极限压应变 εcu＝0.00330",
    "　　　◇钢筋HRB400的参数为:",
    "　　　　钢筋抗拉强度设计值 fy＝360（N/mm2）",
    "　　　　钢筋弹性模量 Es＝2.0（×100000N/mm2）",
    "三、计算过程:",
    "　　　◇截面有效高度:",
    "　　　　h0＝h－a＝309.0（mm）",
    "　　　◇计算相对受压区高度:",
    "　　　　由双筋基本公式和受压钢筋应力公式求解ξ、σs'",
    "　　　　α1×fc×b×h0×ξ＋σs'×As'＝fy×As",
    "　　　　σs'＝εs'×Es＝｛1－β1×a'／（h0×ξ）｝×εcu×Es",
    "　　　　解得 ξ＝0.151",
    "　　　　　　 σs'＝194.951（N/mm2）",
    "　　　◇受弯承载力计算:",
    "　　　　M＝｛α1×fc×b×h0×h0×ξ×（1－0.5×ξ）＋σs'×As'×（h0－a'）｝／γ0＝93.639992（kN.m）",
};

std::string fixed(double v, int decimals) {
    char t[64];
    std::snprintf(t, sizeof t, "%.*f", decimals, v);
    return t;
}

std::string exact(double v) {
    char t[64];
    std::snprintf(t, sizeof t, "%.17g", v);
    return t;
}

bool contains(const std::string& sheet, const std::string& text) { return sheet.find(text) != std::string::npos; }

// ξb of C30 with HRB400 (0.8 / (1 + 360 / (2e5 · 0.0033))) and with HRB500.
const double kXib400 = 0.8 / (1 + 360.0 / 660);
const double kXib500 = 0.8 / (1 + 435.0 / 660);

TEST(DoublyRectDesign, DefaultsGiveTheWholeSheet) {
    RunResult r = run("CDoublyRectDesignDlg");
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_EQ(sheetLines(r.sheet), kDesignDefaults);
    // As' = (γ0·M − M单) / (fy'·(h0 − a')), As = (fy'·As' + α1·fc·b·h0·ξb) / fy.
    const double Mmax = 14.3 * 200 * 385.0 * 385 * kXib400 * (1 - 0.5 * kXib400);
    const double Asc = (200e6 - Mmax) / (360.0 * 350);
    EXPECT_NEAR(r.results.at(1023), Asc, 1e-9);
    EXPECT_NEAR(r.results.at(1008), Asc + 14.3 * 200 * 385 * kXib400 / 360, 1e-9);
}

TEST(DoublyRectKnownAs, DefaultsGiveTheWholeSheet) {
    RunResult r = run("CDoublyRectKnownAsDlg");
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_EQ(sheetLines(r.sheet), kKnownDefaults);
    EXPECT_NEAR(r.results.at(1008), 1694.0, 0.05);
}

TEST(DoublyRectCheck, FullyPrescribedCaseGivesTheWholeSheet) {
    RunResult r = run("CDoublyRectCheckDlg", {{1021, "HRB400"}, {1010, "HRB400"}, {1001, "200"}, {1022, "40"},
                                              {1002, "65"}, {1023, "402"}, {1008, "3000"}});
    ASSERT_TRUE(r.outcome.ok());
    // Line 23 names fy' the compressive strength (it used to read "钢筋抗拉强度设计值 fy'＝").
    EXPECT_EQ(sheetLines(r.sheet), kCheckSpelled);
    EXPECT_FALSE(contains(r.sheet, "钢筋抗拉强度设计值 fy'"));
    EXPECT_NEAR(r.results.at(1020), 212.574205, 5e-7);
}

TEST(DoublySymCheck, DefaultsGiveTheWholeSheet) {
    RunResult r = run("CDoublySymCheckDlg");
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_EQ(sheetLines(r.sheet), kSymDefaults);
    EXPECT_NEAR(r.results.at(1020), 93.639992, 5e-7);
}

TEST(DoublyRect, ChecksRefuseInOrderWithTheirIcons) {
    struct Case {
        const char* form;
        std::vector<Assignment> as;
        const char* message;
        Icon icon;
    } cases[] = {
        // a + a' = h is refused before the other fields are looked at.
        {"144", {{1022, "385"}, {1001, "0"}, {1006, "0"}}, "截面尺寸输入有误，请检查。", Icon::Stop},
        {"144", {{1022, "0"}}, "截面尺寸输入有误，请检查。", Icon::Stop},
        {"144", {{1006, "0"}}, "弯矩数值应大于零，请检查。", Icon::Stop},
        {"148", {{1002, "410"}}, "截面尺寸输入有误，请检查。", Icon::Information},
        {"148", {{1006, "-1"}}, "弯矩数值应大于零，请检查。", Icon::Information},
        {"148", {{1023, "0"}}, "钢筋面积应大于零，请检查。", Icon::Information},
        {"150", {{1001, "0"}}, "截面尺寸输入有误，请检查。", Icon::Information},
        {"150", {{1023, "0"}}, "钢筋面积数值应大于零，请检查。", Icon::Information},
        {"150", {{1008, "0"}}, "钢筋面积数值应大于零，请检查。", Icon::Information},
        {"210", {{1002, "350"}}, "截面尺寸输入有误，请检查。", Icon::Information},
        {"210", {{1008, "0"}}, "钢筋面积数值应大于零，请检查。", Icon::Information},
    };
    for (const auto& c : cases) {
        RunResult r = run(c.form, c.as);
        EXPECT_FALSE(r.outcome.ok()) << c.form;
        EXPECT_EQ(r.outcome.message, c.message) << c.form;
        EXPECT_EQ(r.outcome.icon, c.icon) << c.form;
        EXPECT_TRUE(r.sheet.empty());
    }
    EXPECT_TRUE(run("144", {{1022, "384.9"}, {1006, "1"}}).outcome.ok());
}

TEST(DoublySymCheck, CompressionSteelBelowTensionSteelIsRefused) {
    // a < h ≤ 2a used to pass and put As' at or below As.
    for (const char* a : {"175", "200", "349"}) {
        RunResult r = run("210", {{1002, a}});
        EXPECT_FALSE(r.outcome.ok()) << a;
        EXPECT_EQ(r.outcome.message, "截面尺寸输入有误，请检查。");
        EXPECT_EQ(r.outcome.icon, Icon::Information);
    }
    EXPECT_TRUE(run("210", {{1002, "174.9"}}).outcome.ok());
}

TEST(DoublyRectDesign, SinglyReinforcedSectionSufficesBelowTheLimitMoment) {
    // γ0·M = 100 ≤ M单 = 162.6: the doubly verdict used to be printed with a negative As'.
    RunResult r = run("144", {{1006, "100"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_FALSE(hasLine(r.sheet, "　　　　因 γ0×M＞M单，所以应采用双筋截面。"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因 γ0×M≤M单，按单筋截面计算即可，不需配置受压钢筋，取As'＝0。"));
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　As'＝"), "");
    const double xi = 1 - std::sqrt(1 - 2 * 100e6 / (14.3 * 200 * 385.0 * 385));
    const double As = 14.3 * 200 * 385 * xi / 360;
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　As＝"), "　　　　As＝α1×fc×b×h0×ξ／fy＝" + fixed(As, 1) + "（mm2）");
    EXPECT_EQ(r.results.at(1023), 0);
    EXPECT_NEAR(r.results.at(1008), As, 1e-9);
    // Equality with M单 still needs no compression steel.
    const double Mmax = 14.3 * 200 * 385.0 * 385 * kXib400 * (1 - 0.5 * kXib400) / 1e6;
    r = run("144", {{1006, exact(Mmax)}});
    EXPECT_NEAR(r.results.at(1023), 0, 1e-6);
}

TEST(DoublyRectDesign, MinimumReinforcementGovernsASmallMoment) {
    RunResult r = run("144", {{1006, "5"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　As＜ρmin×b×h＝180.0（mm2）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　按最小配筋率构造配筋，取 As＝ρmin×b×h＝180.0（mm2）"));
    EXPECT_DOUBLE_EQ(r.results.at(1008), 180.0);
}

TEST(DoublyRectDesign, DeepCompressionCoverUsesMomentsAboutCompressionSteel) {
    // h0 = 260, 2a'/h0 = 0.615 > ξb: at ξ = ξb the compression steel would not yield.
    RunResult r = run("144", {{1000, "300"}, {1002, "40"}, {1022, "80"}, {1006, "100"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因 γ0×M＞M单，所以应采用双筋截面。"));
    EXPECT_FALSE(hasLine(r.sheet, "　　　　为充分利用混凝土抗弯承载能力，取ξ＝ξb"));
    const double As = 100e6 / (360.0 * 180);
    const double Asc = (360 * As - 14.3 * 200 * 260 * kXib400) / 360;
    EXPECT_NEAR(r.results.at(1008), As, 1e-9);
    EXPECT_NEAR(r.results.at(1023), Asc, 1e-9);
    EXPECT_GT(Asc, 0);
}

TEST(DoublyRectKnownAs, EachBranchSaysWhatHolds) {
    const std::string between = "　　　　因为2×a'／h0≤ξ≤ξb。";
    // ξ > ξb with a real root: the given As' is too small; As' and As follow from ξ = ξb, as in
    // the design of both areas.
    RunResult r = run("148", {{1006, "260"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_FALSE(hasLine(r.sheet, between));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为ξ＞ξb，已知的受压钢筋As'不足，应按As'未知重新计算:"));
    RunResult both = run("144", {{1006, "260"}, {1022, "40"}});
    EXPECT_DOUBLE_EQ(r.results.at(1008), both.results.at(1008));
    EXPECT_GT(both.results.at(1023), 628);
    // Negative number under the root: no ξ is printed, no NaN.
    r = run("148", {{1006, "300"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_FALSE(hasLine(r.sheet, between));
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　ξ＝"), "");
    EXPECT_NE(lineStartingWith(r.sheet, "　　　　1－2×［γ0×M－fy'×As'×（h0－a'）］／（α1×fc×b×h0×h0）＝-"), "");
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为根号内数值小于零，已知的受压钢筋As'不足，应按As'未知重新计算:"));
    EXPECT_DOUBLE_EQ(r.results.at(1008), run("144", {{1006, "300"}, {1022, "40"}}).results.at(1008));
    // ξ < 2a'/h0: moments about As' (clause 6.2.14).
    r = run("148", {{1006, "120"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_FALSE(hasLine(r.sheet, between));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为ξ＜2×a'／h0，受压钢筋应力达不到fy'，按规范6.2.14条对As'合力点取矩:"));
    EXPECT_NEAR(r.results.at(1008), 120e6 / (360.0 * 345), 1e-9);
}

TEST(DoublyRectCheck, DefaultsUseTheActualDepthBelowTheLimit) {
    // ξ = 0.337 < ξb = 0.482: the capacity used to be computed with ξb and the line
    // "因为 ξ＞ξb，取ξ＝ ξb" printed regardless.
    RunResult r = run("150");
    ASSERT_TRUE(r.outcome.ok());
    const double h0 = 394.5;
    const double xi = (435.0 * 1473 - 410.0 * 402) / (14.3 * 250 * h0);
    const double Mu = (14.3 * 250 * h0 * h0 * xi * (1 - 0.5 * xi) + 410.0 * 402 * (h0 - 51)) / 1e6;
    EXPECT_FALSE(hasLine(r.sheet, "　　　　因为 ξ＞ξb，取ξ＝ ξb，承载弯矩为:"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为2×a'／h0≤ξ≤ξb，承载弯矩为:"));
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　M＝"),
              "　　　　M＝α1×fc×b×h0×h0×ξ×（1－0.5×ξ）／γ0＋fy'×As'×（h0－a'）／γ0＝" + fixed(Mu, 6) + "（kN.m）");
    EXPECT_NEAR(r.results.at(1020), Mu, 1e-9);
    const double atLimit = (14.3 * 250 * h0 * h0 * kXib500 * (1 - 0.5 * kXib500) + 410.0 * 402 * (h0 - 51)) / 1e6;
    EXPECT_LT(r.results.at(1020), atLimit - 10);
}

TEST(DoublyRectCheck, ShallowDepthTakesMomentsAboutCompressionSteel) {
    // ξ = 0.068 < 2a'/h0 = 0.259: Mu = fy·As·(h0 − a') / γ0 (clause 6.2.14).
    RunResult r = run("150", {{1008, "600"}, {1011, "一级"}});
    ASSERT_TRUE(r.outcome.ok());
    const double Mu = 435.0 * 600 * (394.5 - 51) / 1.1 / 1e6;
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为ξ＜2×a'／h0，受压钢筋应力达不到fy'，按规范6.2.14条对As'合力点取矩，承载弯矩为:"));
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　M＝"), "　　　　M＝fy×As×（h0－a'）／γ0＝" + fixed(Mu, 6) + "（kN.m）");
    EXPECT_NEAR(r.results.at(1020), Mu, 1e-9);
    // Tension steel weaker than the compression steel: ξ < 0, the capacity stays positive.
    r = run("150", {{1008, "100"}, {1023, "2000"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_NEAR(r.results.at(1020), 435.0 * 100 * 343.5 / 1e6, 1e-9);
}

TEST(DoublyRectCheck, OverReinforcedWithDeepCoverTakesTheCapacityAtTheLimitDepthByPlaneSections) {
    // h0 = 260, 2a'/h0 = 0.615 > ξb = 0.482 (HRB500), ξ = 0.504 > ξb. At x = ξb·h0 = 125.37 the
    // neutral axis lies at x/0.8 = 156.71, so σs' = 660·(1 − 80/156.71) = 323.1 < fy' = 410;
    // Mu = 14.3·200·x·(260 − x/2) + σs'·200·180 = 70.75 + 11.63 = 82.38 kN·m. It used to be
    // min(6.2.10 with fy' at ξb, 6.2.14) = 82.215, and 85.509 with As = 3000.
    const std::vector<Assignment> in = {{1001, "200"}, {1000, "300"}, {1002, "40"}, {1022, "80"}, {1023, "200"}};
    std::vector<Assignment> a = in;
    a.push_back({1008, "1050"});
    RunResult r = run("150", a);
    ASSERT_TRUE(r.outcome.ok());
    const double x = kXib500 * 260, sc = 660 * (1 - 0.8 * 80 / x);
    const double Mu = (14.3 * 200 * x * (260 - x / 2) + sc * 200 * 180) / 1e6;
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为 ξ＞ξb，取x＝ξb×h0；又因为ξb＜2×a'／h0，受压钢筋应力达不到fy'，按平截面假定计算："));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　x＝ξb×h0＝" + fixed(x, 1) + "（mm）"));
    EXPECT_NEAR(r.results.at(1020), Mu, 1e-6);
    EXPECT_EQ(r.verdict.kind, Verdict::Kind::Fail);
    // More As adds nothing beyond the limit depth.
    a.back() = {1008, "3000"};
    r = run("150", a);
    EXPECT_NEAR(r.results.at(1020), Mu, 1e-6);
}

TEST(DoublyRectCheck, UnderReinforcedSectionIsSaid) {
    const std::string line = "　　　　截面少筋，不满足规范最小配筋率要求，上述承载弯矩不能采用。";
    EXPECT_FALSE(hasLine(run("150").sheet, line));
    RunResult r = run("150", {{1008, "200"}});  // ρmin·b·h = 0.20 % · 250 · 450 = 225
    EXPECT_TRUE(hasLine(r.sheet, "　　　　As＜ρmin×b×h＝225.0（mm2）"));
    EXPECT_TRUE(hasLine(r.sheet, line));
    EXPECT_TRUE(hasLine(run("210", {{1008, "100"}}).sheet, line));
    EXPECT_FALSE(hasLine(run("210").sheet, line));
}

TEST(DoublySymCheck, CompressionSteelStressStaysWithinTheSteelStrengths) {
    // a = 150, h0 = 200, As = 200: solved σs' = −650 < −fy. Both layers yield in tension, so
    // α1·fc·b·x = 2·fy·As and Mu = fy·As·(h0 + a − x).
    RunResult r = run("210", {{1002, "150"}, {1008, "200"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为σs'＜－fy＝-360.000（N/mm2），钢筋As'受拉屈服，σs'取－fy。"));
    const double x = 2 * 360.0 * 200 / (16.7 * 200);
    EXPECT_TRUE(hasLine(r.sheet, "　　　　解得 ξ＝" + fixed(x / 200, 3)));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　　　 σs'＝-360.000（N/mm2）"));
    EXPECT_NEAR(r.results.at(1020), 360.0 * 200 * (200 + 150 - x) / 1e6, 1e-6);
    // HRB500: fy' = 410 < fy = 435 lets the solved σs' exceed fy'; then ξ = (fy − fy')·As / (α1·fc·b·h0).
    r = run("210", {{1010, "HRB500"}, {1009, "C15"}, {1000, "600"}, {1002, "30"}, {1008, "5000"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为σs'＞fy'＝410.000（N/mm2），受压钢筋已屈服，σs'取fy'。"));
    const double xi = 25.0 * 5000 / (7.2 * 200 * 570);
    EXPECT_TRUE(hasLine(r.sheet, "　　　　解得 ξ＝" + fixed(xi, 3)));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　　　 σs'＝410.000（N/mm2）"));
    EXPECT_NEAR(r.results.at(1020), (7.2 * 200 * 570.0 * 570 * xi * (1 - 0.5 * xi) + 410.0 * 5000 * 540) / 1e6, 1e-6);
}

TEST(DoublySymCheck, OverReinforcedSectionTakesTheCapacityAtTheLimitDepth) {
    // a = 150, h0 = 200, As = 3000: plane sections put ξ beyond ξb = 0.518. At x = ξb·h0 = 103.53
    // (< 2a = 300) the neutral axis is at 129.41, above As' (150): σs' = 660·(1 − 150/129.41) =
    // −105.0 (tension). Mu = 16.7·200·x·(200 − x/2) − 105.0·3000·50 = 51.26 − 15.75 = 35.51 kN·m
    // (it was 62.96, the uncapped plane-section equilibrium).
    RunResult r = run("210", {{1002, "150"}, {1008, "3000"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为ξ＞ξb，受拉钢筋As达不到屈服强度，其应力按平截面假定计算。"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　ξ＞ξb，属超筋截面，承载弯矩取受压区高度x＝ξb×h0时的值:"));
    const double x = kXib400 * 200, sc = 660 * (1 - 0.8 * 150 / x);
    EXPECT_NEAR(r.results.at(1020), (16.7 * 200 * x * (200 - x / 2) + sc * 3000 * 50) / 1e6, 1e-6);
    EXPECT_EQ(r.verdict.kind, Verdict::Kind::Fail);
}

// Random sections, grades and loads that pass the input checks.
struct Random {
    std::mt19937 gen{20240611};
    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(gen); }
    const char* entry(PickerKind kind) {
        const auto texts = pickerTexts(kind);
        return texts[std::uniform_int_distribution<std::size_t>(0, texts.size() - 1)(gen)];
    }
};

void expectSound(const RunResult& r, const std::string& what) {
    ASSERT_TRUE(r.outcome.ok()) << what << ": " << r.outcome.message;
    for (const char* bad : {"nan", "inf", "NAN", "INF"}) EXPECT_FALSE(contains(r.sheet, bad)) << what;
    for (const auto& [id, v] : r.results) {
        EXPECT_TRUE(std::isfinite(v)) << what << " field " << id;
        EXPECT_GE(v, 0) << what << " field " << id;
    }
}

TEST(DoublyRect, RandomInputsGiveFiniteNonNegativeResults) {
    std::map<std::string, int> branches = {
        {"因 γ0×M＞M单", 0}, {"因 γ0×M≤M单", 0}, {"因为ξb＜2×a'／h0，取ξ＝ξb时", 0},
        {"因为2×a'／h0≤ξ≤ξb。", 0}, {"因为ξ＞ξb，已知的受压钢筋", 0}, {"因为根号内数值小于零", 0},
        {"因为ξ＜2×a'／h0，受压钢筋应力达不到fy'，按规范6.2.14条对As'合力点取矩:", 0},
        {"因为 ξ＞ξb，取ξ＝ ξb", 0}, {"按平截面假定计算：", 0}, {"因为2×a'／h0≤ξ≤ξb，承载弯矩为:", 0},
        {"因为ξ＜2×a'／h0，受压钢筋应力达不到fy'，按规范6.2.14条对As'合力点取矩，承载弯矩为:", 0},
        {"因为σs'＞fy'", 0}, {"因为σs'＜－fy", 0}, {"属超筋截面，承载弯矩取受压区高度x＝ξb×h0时的值", 0},
        {"As＜ρmin×b×h", 0}, {"截面少筋", 0},
    };
    Random rnd;
    for (int i = 0; i < 2000; ++i) {
        const double h = rnd.uniform(150, 1500), b = rnd.uniform(100, 1000);
        const double a = rnd.uniform(5, 0.45 * h), ac = rnd.uniform(5, 0.98 * (h - a));
        const std::string safety = rnd.entry(PickerKind::Safety), concrete = rnd.entry(PickerKind::Concrete);
        const std::string steel = rnd.entry(PickerKind::Steel), steelC = rnd.entry(PickerKind::Steel);
        const std::string M = exact(rnd.uniform(0.01, 3000)), As = exact(rnd.uniform(1, 30000)),
                          Asc = exact(rnd.uniform(1, 30000));
        const std::vector<Assignment> common = {{1011, safety}, {1009, concrete}, {1010, steel},
                                                {1001, exact(b)}, {1000, exact(h)}, {1002, exact(a)}};
        auto with = [&](std::vector<Assignment> more) {
            std::vector<Assignment> all = common;
            all.insert(all.end(), more.begin(), more.end());
            return all;
        };
        const std::string what = "case " + std::to_string(i);
        const RunResult rs[] = {
            run("144", with({{1021, steelC}, {1022, exact(ac)}, {1006, M}})),
            run("148", with({{1021, steelC}, {1022, exact(ac)}, {1006, M}, {1023, Asc}})),
            run("150", with({{1021, steelC}, {1022, exact(ac)}, {1023, Asc}, {1008, As}})),
            run("210", with({{1008, As}})),
        };
        for (const auto& r : rs) {
            expectSound(r, what);
            for (auto& [phrase, n] : branches) n += contains(r.sheet, phrase);
        }
        if (HasFailure()) return;
    }
    // The inputs reach every branch of the four sheets.
    for (const auto& [phrase, n] : branches) EXPECT_GT(n, 0) << phrase;
}

// Each design fed into the check of the same section carries at least the design moment, and
// exactly it (within rounding) when the minimum reinforcement did not govern.
TEST(DoublyRect, DesignsFedIntoTheCheckCarryTheDesignMoment) {
    Random rnd;
    int doubly = 0, singly = 0, known = 0;
    for (int i = 0; i < 1500; ++i) {
        const double h = rnd.uniform(200, 1200), b = rnd.uniform(150, 600);
        const double a = rnd.uniform(20, 80), ac = rnd.uniform(20, 80);
        const double M = rnd.uniform(5, 1500);
        const std::string safety = rnd.entry(PickerKind::Safety), concrete = rnd.entry(PickerKind::Concrete);
        const std::string steel = rnd.entry(PickerKind::Steel), steelC = rnd.entry(PickerKind::Steel);
        const std::vector<Assignment> section = {{1011, safety}, {1009, concrete}, {1010, steel}, {1021, steelC},
                                                 {1001, exact(b)}, {1000, exact(h)}, {1002, exact(a)},
                                                 {1022, exact(ac)}};
        auto with = [&](std::vector<Assignment> more) {
            std::vector<Assignment> all = section;
            all.insert(all.end(), more.begin(), more.end());
            return all;
        };
        const std::string what = "case " + std::to_string(i);
        auto expectCarries = [&](double Mu, bool minimumGoverned, const std::string& form) {
            EXPECT_GE(Mu, M * (1 - 1e-9)) << what << " " << form;
            if (!minimumGoverned) {
                EXPECT_NEAR(Mu, M, 1e-7 * M) << what << " " << form;
            }
        };

        RunResult d = run("144", with({{1006, exact(M)}}));
        ASSERT_TRUE(d.outcome.ok()) << what;
        const bool dMin = contains(d.sheet, "As＜ρmin×b×h");
        const double Asc = d.results.at(1023), As = d.results.at(1008);
        if (Asc > 0) {
            ++doubly;
            RunResult c = run("150", with({{1023, exact(Asc)}, {1008, exact(As)}}));
            ASSERT_TRUE(c.outcome.ok()) << what;
            expectCarries(c.results.at(1020), dMin, "144→150");
        } else {
            ++singly;
            RunResult c = run("142", {{1011, safety}, {1009, concrete}, {1010, steel}, {1001, exact(b)},
                                      {1000, exact(h)}, {1002, exact(a)}, {1008, exact(As)}});
            ASSERT_TRUE(c.outcome.ok()) << what;
            expectCarries(c.results.at(1020), dMin, "144→142");
        }

        // The given As' of the other design: a random fraction to three times the area found above.
        const double given = std::max(1.0, (Asc > 0 ? Asc : 300) * rnd.uniform(0.05, 3));
        RunResult k = run("148", with({{1006, exact(M)}, {1023, exact(given)}}));
        ASSERT_TRUE(k.outcome.ok()) << what;
        const bool kMin = contains(k.sheet, "As＜ρmin×b×h");
        // When the given As' is too small, or the As of 6.2.14 would leave the section
        // over-reinforced, As' is designed anew with As (the sheet gives it; a larger given one is
        // kept); a raise goes to both.
        double AscUsed = given;
        for (const char* label : {"　　　　As'＝｛γ0×M－", "　　　　取x＝ξb×h0，As'＝"}) {
            const std::string l = lineStartingWith(k.sheet, label);
            if (!l.empty() && !contains(k.sheet, "仍取已知 As'")) AscUsed = std::atof(l.substr(l.rfind("＝") + 3).c_str());
        }
        const std::string raised = lineStartingWith(k.sheet, "　　　　增大钢筋面积至 As'＝");
        if (!raised.empty()) AscUsed = std::atof(raised.substr(std::string("　　　　增大钢筋面积至 As'＝").size()).c_str());
        ASSERT_GT(AscUsed, 0) << what;
        ++known;
        RunResult c = run("150", with({{1023, exact(AscUsed)}, {1008, exact(k.results.at(1008))}}));
        ASSERT_TRUE(c.outcome.ok()) << what;
        // As' read from the sheet carries its rounding to 0.1 mm².
        EXPECT_GE(c.results.at(1020), M * (1 - 1e-4)) << what << " 148→150";
        if (contains(k.sheet, "因为2×a'／h0≤ξ≤ξb。") && !kMin && raised.empty()) {
            EXPECT_NEAR(c.results.at(1020), M, 1e-7 * M) << what;
        }
        if (HasFailure()) return;
    }
    // Both kinds of design occur.
    EXPECT_GT(doubly, 100);
    EXPECT_GT(singly, 100);
    EXPECT_EQ(known, 1500);
}

}  // namespace
}  // namespace tov::test
