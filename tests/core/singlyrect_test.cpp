// The singly reinforced forms: whole sheets for the defaults, the checks at their boundaries,
// and the over- and under-reinforced cases.
#include <cmath>

#include "tests/core/testutil.h"

namespace tov::test {
namespace {

TEST(SinglyRectDesign, DefaultsGiveTheWholeSheet) {
    RunResult r = run("CSinglyRectDesignDlg");
    ASSERT_TRUE(r.outcome.ok());
    // h0 = 460, ξ = 1 − √(1 − 2·169.53e6/(16.7·200·460²)), As = 16.7·200·460·ξ/360.
    const double xi = 1 - std::sqrt(1 - 2 * 169.53e6 / (16.7 * 200 * 460.0 * 460.0));
    const double As = 16.7 * 200 * 460 * xi / 360;
    char asText[64], xiText[64];
    std::snprintf(asText, sizeof asText, "%.1f", As);
    std::snprintf(xiText, sizeof xiText, "%.3f", xi);
    const std::vector<std::string> expected = {
        "",
        "─────单筋矩形截面受弯构件正截面配筋计算书─────",
        "一、设计要求:",
        "　　　　结构安全等级: 二级",
        "　　　　混凝土强度等级: C35",
        "　　　　钢筋等级: HRB400",
        "　　　　弯矩设计值 M＝169.530000（kN.m）",
        "　　　　矩形截面宽度 b＝200.0（mm）",
        "　　　　矩形截面高度 h＝500.0（mm）",
        "　　　　钢筋合力点至截面近边的距离 a＝40.0（mm）",
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
        "　　　　普通钢筋抗拉强度设计值 fy＝360（N/mm2）",
        "　　　　普通钢筋弹性模量 Es＝2.0（×100000N/mm2）",
        "三、计算过程:",
        "　　　◇截面有效高度:",
        "　　　　h0＝h－a＝460.0（mm）",
        "　　　◇相对受压区高度计算:",
        "　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝0.518",
        std::string("　　　　ξ＝1－√￣｛1－2×γ0×M／（α1×fc×b×h0×h0）｝＝") + xiText,
        "　　　　ξ≤ξb",
        "　　　◇钢筋截面面积计算:",
        std::string("　　　　As＝α1×fc×b×h0×ξ／fy＝") + asText + "（mm2）",
        "　　　◇配筋率验算:",
        "　　　　规范要求最小配筋率ρmin＝max｛0.20％，45×ft／fy％｝＝0.20（％）",
        "　　　　As≥ρmin×b×h＝200.0（mm2）",
    };
    EXPECT_EQ(sheetLines(r.sheet), expected);
    EXPECT_EQ(r.sheet.substr(0, 2), "\r\n");
    EXPECT_NEAR(r.results.at(1008), As, 1e-9);
}

TEST(SinglyRectDesign, ChecksRefuseAtTheirBoundaries) {
    struct Case {
        std::vector<Assignment> as;
        const char* message;
    } cases[] = {
        {{{1001, "0"}}, "截面尺寸输入有误，请检查。"},
        {{{1002, "0"}}, "截面尺寸输入有误，请检查。"},
        {{{1000, "0"}}, "截面尺寸输入有误，请检查。"},
        {{{1002, "500"}}, "截面尺寸输入有误，请检查。"},  // a = h
        {{{1006, "0"}}, "弯矩数值应大于零，请检查。"},
        {{{1006, "-5"}}, "弯矩数值应大于零，请检查。"},
    };
    for (const auto& c : cases) {
        RunResult r = run("CSinglyRectDesignDlg", c.as);
        EXPECT_FALSE(r.outcome.ok());
        EXPECT_EQ(r.outcome.message, c.message);
        EXPECT_EQ(r.outcome.icon, Icon::Stop);
        EXPECT_TRUE(r.sheet.empty());
    }
    EXPECT_TRUE(run("CSinglyRectDesignDlg", {{1002, "499.9"}, {1006, "1"}}).outcome.ok());
}

TEST(SinglyRectDesign, OverReinforcedSectionIsSaidAndGivesNoArea) {
    // ξ beyond ξb but the root still real.
    RunResult r = run("CSinglyRectDesignDlg", {{1006, "300"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_FALSE(hasLine(r.sheet, "　　　　ξ≤ξb"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　ξ＞ξb，属超筋截面。"));
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　As＝"), "");
    // No area carries M = 300: the field stays blank (it showed 0 before), and the verdict says why.
    EXPECT_EQ(r.empty.count(1008), 1u);
    EXPECT_EQ(r.verdict.kind, Verdict::Kind::Fail);
    EXPECT_EQ(r.verdict.text, "超筋，应加大截面");
    // A moment beyond any compression depth: negative number under the root, and no NaN.
    r = run("CSinglyRectDesignDlg", {{1006, "1000"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_EQ(r.sheet.find("nan"), std::string::npos);
    EXPECT_NE(lineStartingWith(r.sheet, "　　　　1－2×γ0×M／（α1×fc×b×h0×h0）＝-"), "");
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　ξ＝"), "");
    EXPECT_EQ(r.empty.count(1008), 1u);
}

TEST(SinglyRectDesign, MinimumReinforcementGoverns) {
    RunResult r = run("CSinglyRectDesignDlg", {{1006, "10"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　As＜ρmin×b×h＝200.0（mm2）"));
    EXPECT_FALSE(hasLine(r.sheet, "　　　　As≥ρmin×b×h＝200.0（mm2）"));
    EXPECT_DOUBLE_EQ(r.results.at(1008), 200.0);
    EXPECT_TRUE(hasLine(r.sheet, "　　　　按最小配筋率构造配筋，取 As＝ρmin×b×h＝200.0（mm2）"));
}

TEST(SinglyRectDesign, PickersChangeTheSheet) {
    RunResult r = run("130", {{1011, "地震设计"}, {1010, "HPB300"}, {1009, "C55"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　结构安全等级: 地震设计状况"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　普通钢筋弹性模量 Es＝2.1（×100000N/mm2）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　系数 α1＝0.99"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　系数 β1＝0.79"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　正截面混凝土极限压应变 εcu＝0.00325"));
}

TEST(SinglyRectCheck, DefaultsGiveTheWholeSheet) {
    RunResult r = run("CSinglyRectCheckDlg");
    ASSERT_TRUE(r.outcome.ok());
    const double xi = 1018.0 * 360 / (14.3 * 250 * 463);
    const double M = 14.3 * 250 * 463.0 * 463 * xi * (1 - 0.5 * xi) / 1e6;
    char m[64], x[64];
    std::snprintf(m, sizeof m, "%.6f", M);
    std::snprintf(x, sizeof x, "%.3f", xi);
    const auto lines = sheetLines(r.sheet);
    ASSERT_EQ(lines.size(), 31u);
    EXPECT_EQ(lines[1], "─────单筋矩形截面受弯构件正截面承载力复核计算书─────");
    EXPECT_EQ(lines[9], "　　　　钢筋面积 As＝1018.0（mm2）");
    EXPECT_EQ(lines[24], "　　　　h0＝h－a＝463.0（mm）");
    EXPECT_EQ(lines[27], std::string("　　　　ξ＝As×fy／（α1×fc×b×h0）＝") + x);
    EXPECT_EQ(lines[28], "　　　◇受弯承载力计算:");
    EXPECT_EQ(lines[29], "　　　　因为ξ≤ξb，承载弯矩为:");
    EXPECT_EQ(lines[30], std::string("　　　　M＝α1×fc×b×h0×h0×ξ×（1－0.5×ξ）／γ0＝") + m + "（kN.m）");
    EXPECT_NEAR(r.results.at(1020), M, 1e-9);
}

TEST(SinglyRectCheck, ZeroAreaIsRefusedAndLargeAreaCapsXi) {
    RunResult r = run("142", {{1008, "0"}});
    EXPECT_EQ(r.outcome.message, "钢筋面积应大于零，请检查。");
    r = run("142", {{1008, "100000"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_FALSE(hasLine(r.sheet, "　　　　因为ξ≤ξb，承载弯矩为:"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为ξ＞ξb，属超筋截面，取ξ＝ξb，承载弯矩为:"));
    // Capacity at ξb: positive and independent of the area once capped.
    RunResult r2 = run("142", {{1008, "200000"}});
    EXPECT_GT(r.results.at(1020), 0);
    EXPECT_DOUBLE_EQ(r.results.at(1020), r2.results.at(1020));
}

TEST(SinglyRectCheck, SmallAreaIsUnderReinforced) {
    RunResult r = run("142", {{1008, "100"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　截面少筋，不满足规范最小配筋率要求，上述承载弯矩不能采用。"));
    EXPECT_FALSE(hasLine(run("142").sheet, "　　　　截面少筋，不满足规范最小配筋率要求，上述承载弯矩不能采用。"));
}

TEST(SinglyRect, DesignFedIntoCheckCarriesTheMoment) {
    for (const char* M : {"50", "120", "169.53", "250"}) {
        RunResult d = run("130", {{1006, M}});
        ASSERT_TRUE(d.outcome.ok());
        const double As = d.results.at(1008);
        if (As <= 0) continue;
        char t[64];
        std::snprintf(t, sizeof t, "%.17g", As);
        RunResult c = run("142", {{1009, "C35"}, {1001, "200"}, {1000, "500"}, {1002, "40"}, {1008, t}});
        ASSERT_TRUE(c.outcome.ok());
        EXPECT_GE(c.results.at(1020), std::atof(M) - 1e-6) << M;
    }
}

}  // namespace
}  // namespace tov::test
