// The axial-tension forms: whole sheets for the defaults, the shape picker, circular sections,
// the minimum reinforcement and the design fed back into the check.
#include <cmath>
#include <memory>
#include <numbers>

#include "forms/memoryview.h"
#include "tests/core/testutil.h"

namespace tov::test {
namespace {

std::string fx(double v, int decimals) {
    char t[64];
    std::snprintf(t, sizeof t, "%.*f", decimals, v);
    return t;
}

std::string num(double v) {
    char t[64];
    std::snprintf(t, sizeof t, "%.17g", v);
    return t;
}

TEST(AxialTensionDesign, DefaultsGiveTheWholeSheet) {
    RunResult r = run("CAxialTensionDesignDlg");
    ASSERT_TRUE(r.outcome.ok());
    const std::vector<std::string> expected = {
        "",
        "─────轴心受拉构件正截面配筋计算书─────",
        "一、设计要求:",
        "　　　　结构安全等级: 二级",
        "　　　　轴心拉力设计值 N＝200.000（kN）",
        "　　　　混凝土强度等级: C30",
        "　　　　钢筋等级: HRB335",
        "二、计算参数:",
        "　　　　根据设计要求查规范得:",
        "　　　◇重要性系数 γ0＝1.0",
        "　　　◇混凝土C30的参数为:",
        "　　　　混凝土轴心抗拉强度设计值 ft＝1.43（N/mm2）",
        "　　　◇钢筋HRB335的参数为:",
        "　　　　普通钢筋抗拉强度设计值 fy＝300（N/mm2）",
        "三、计算过程:",
        "　　　◇计算构件截面面积:",
        "　　　　构件截面形状: 矩形",
        "　　　　矩形截面边长 a＝150.0（mm）",
        "　　　　矩形截面边长 b＝150.0（mm）",
        "　　　　矩形截面面积 A＝22500.0（mm2）",
        "　　　◇计算受拉钢筋截面面积:",
        "　　　　As＝γo×N／fy＝666.7（mm2）",
        "　　　◇配筋率验算:",
        "　　　　规范要求最小配筋率ρmin＝取大者（0.2％，45×ft／fy％）＝0.21（%）",
        "　　　　As≥ρmin×A＝48.3（mm2）",
    };
    EXPECT_EQ(sheetLines(r.sheet), expected);
    EXPECT_NEAR(r.results.at(1008), 200000.0 / 300, 1e-9);
}

TEST(AxialTensionCheck, DefaultsGiveTheWholeSheet) {
    RunResult r = run("CAxialTensionCheckDlg");
    ASSERT_TRUE(r.outcome.ok());
    const std::vector<std::string> expected = {
        "",
        "─────轴心受拉构件正截面承载力计算书─────",
        "一、设计要求:",
        "　　　　结构安全等级: 二级",
        "　　　　混凝土强度等级: C30",
        "　　　　钢筋等级: HRB335",
        "　　　　钢筋截面面积 As＝666.7（mm2）",
        "二、计算参数:",
        "　　　　根据设计要求查规范得:",
        "　　　◇重要性系数 γ0＝1.0",
        "　　　◇混凝土C30的参数为:",
        "　　　　混凝土轴心抗拉强度设计值 ft＝1.43（N/mm2）",
        "　　　◇钢筋HRB335的参数为:",
        "　　　　普通钢筋抗拉强度设计值 fy＝300（N/mm2）",
        "三、计算过程:",
        "　　　◇计算构件截面面积:",
        "　　　　构件截面形状: 矩形",
        "　　　　矩形截面边长 a＝150.0（mm）",
        "　　　　矩形截面边长 b＝150.0（mm）",
        "　　　◇计算轴向受拉承载力设计值:",
        "　　　　 Nu＝fy×As／γo＝200.010（kN）",
        "　　　◇配筋率验算:",
        "　　　　规范要求最小配筋率ρmin＝取大者（0.2％，45×ft／fy％）＝0.21（%）",
        "　　　　As≥ρmin×A＝48.3（mm2）",
    };
    EXPECT_EQ(sheetLines(r.sheet), expected);
    EXPECT_DOUBLE_EQ(r.results.at(1063), 22500);
    EXPECT_NEAR(r.results.at(1024), 200.01, 1e-9);
}

TEST(AxialTension, ChecksInTheirOrder) {
    struct Case {
        const char* form;
        std::vector<Assignment> as;
        const char* message;
    } cases[] = {
        {"184", {{1024, "0"}, {1002, "0"}}, "轴心拉力应大于零，请检查。"},  // N before the shape
        {"184", {{1024, "-3"}}, "轴心拉力应大于零，请检查。"},
        {"184", {{1002, "0"}}, "矩形截面的边长应大于零，请检查。"},
        {"184", {{1001, "-1"}}, "矩形截面的边长应大于零，请检查。"},
        {"184", {{1039, "圆形截面"}}, "圆形截面的直径应大于零，请检查。"},  // d is cleared to 0
        {"200", {{1008, "0"}, {1002, "0"}}, "钢筋截面面积应大于零，请检查。"},
        {"200", {{1001, "0"}}, "矩形截面的边长应大于零，请检查。"},
        {"200", {{1039, "圆形截面"}, {1038, "0"}}, "圆形截面的直径应大于零，请检查。"},
    };
    for (const auto& c : cases) {
        RunResult r = run(c.form, c.as);
        EXPECT_FALSE(r.outcome.ok()) << c.message;
        EXPECT_EQ(r.outcome.message, c.message);
        EXPECT_EQ(r.outcome.icon, Icon::Stop);
        EXPECT_TRUE(r.sheet.empty());
    }
    // A rectangle's sides are not checked while the circle is chosen, and the other way round.
    EXPECT_TRUE(run("184", {{1039, "圆形截面"}, {1038, "100"}}).outcome.ok());
}

class AxialTensionShapePicker : public ::testing::Test {
protected:
    void SetUp() override {
        form = findForm("CAxialTensionDesignDlg")->make();
        form->open(ui);
    }
    void pickShape(int index) {
        ui.setSelection(1039, index);
        form->onSelect(ui, 1039);
    }
    std::unique_ptr<CalcForm> form;
    MemoryView ui;
    MemoryReport report;
};

TEST_F(AxialTensionShapePicker, OpensWithTheRectangleEnabled) {
    EXPECT_TRUE(ui.isEnabled(1002));
    EXPECT_TRUE(ui.isEnabled(1001));
    EXPECT_FALSE(ui.isEnabled(1038));
    EXPECT_EQ(ui.selection(1039), 0);
    EXPECT_EQ(ui.fieldText(1038), "0");
}

TEST_F(AxialTensionShapePicker, SwitchingClearsTheSidesAndKeepsTypedForce) {
    ui.setFieldText(1024, "350");  // typed, not yet taken in
    ui.setFieldText(1001, "400");
    pickShape(1);
    EXPECT_FALSE(ui.isEnabled(1002));
    EXPECT_FALSE(ui.isEnabled(1001));
    EXPECT_TRUE(ui.isEnabled(1038));
    EXPECT_EQ(ui.fieldText(1001), "0");
    EXPECT_EQ(ui.fieldText(1002), "0");
    EXPECT_EQ(ui.fieldText(1024), "350");
    EXPECT_DOUBLE_EQ(form->value(1024), 350);
    EXPECT_TRUE(ui.messages.empty());

    ui.setFieldText(1038, "200");
    ASSERT_TRUE(form->onCalculate(ui, report).ok());
    EXPECT_TRUE(hasLine(report.text(), "　　　　构件截面形状: 圆形"));
    EXPECT_TRUE(hasLine(report.text(), "　　　　轴心拉力设计值 N＝350.000（kN）"));

    // Back to the rectangle: both sides are 0 until typed again.
    pickShape(0);
    EXPECT_EQ(ui.fieldText(1038), "0");
    EXPECT_FALSE(ui.isEnabled(1038));
    const std::string before = report.text();
    Outcome o = form->onCalculate(ui, report);
    EXPECT_EQ(o.message, "矩形截面的边长应大于零，请检查。");
    EXPECT_EQ(report.text(), before);
}

TEST_F(AxialTensionShapePicker, UnreadableTextSurvivesTheSwitch) {
    ui.setFieldText(1024, "12x");
    pickShape(1);
    EXPECT_EQ(ui.fieldText(1024), "12x");
    EXPECT_TRUE(ui.messages.empty());
    ui.setFieldText(1038, "200");
    Outcome o = form->onCalculate(ui, report);
    EXPECT_EQ(o.message, "请键入一个数。");
}

TEST(AxialTension, CircularSectionShowsDiameterAndArea) {
    const double d = 300, A = std::numbers::pi * d * d / 4;
    RunResult r = run("184", {{1039, "圆形截面"}, {1038, "300"}});
    ASSERT_TRUE(r.outcome.ok());
    const auto lines = sheetLines(r.sheet);
    ASSERT_EQ(lines.size(), 24u);  // d and A stand where a, b and A of the rectangle stand
    EXPECT_EQ(lines[16], "　　　　构件截面形状: 圆形");
    EXPECT_EQ(lines[17], "　　　　圆形截面直径 d＝300.0（mm）");
    EXPECT_EQ(lines[18], "　　　　圆形截面面积 A＝π×d×d／4＝" + fx(A, 1) + "（mm2）");
    EXPECT_EQ(lines[23], "　　　　As≥ρmin×A＝" + fx(0.2145 * A / 100, 1) + "（mm2）");
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　矩形截面"), "");

    RunResult c = run("200", {{1039, "圆形截面"}, {1038, "300"}});
    ASSERT_TRUE(c.outcome.ok());
    EXPECT_NEAR(c.results.at(1063), A, 1e-6);
    EXPECT_TRUE(hasLine(c.sheet, "　　　　圆形截面面积 A＝π×d×d／4＝" + fx(A, 1) + "（mm2）"));
}

TEST(AxialTension, MinimumReinforcementGovernsTheDesign) {
    // 10 kN needs 33.3 mm², below 0.2145 % of 22500 mm² = 48.26 mm².
    RunResult r = run("184", {{1024, "10"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　As＝γo×N／fy＝33.3（mm2）"));
    EXPECT_FALSE(hasLine(r.sheet, "　　　　As≥ρmin×A＝48.3（mm2）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　As＜ρmin×A＝48.3（mm2）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　按最小配筋率构造配筋，取 As＝ρmin×A＝48.3（mm2）"));
    EXPECT_NEAR(r.results.at(1008), 45 * 1.43 / 300 / 100 * 22500, 1e-9);
}

TEST(AxialTension, CheckBelowTheMinimumSaysSo) {
    RunResult r = run("200", {{1008, "40"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　As＜ρmin×A＝48.3（mm2）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　截面少筋，不满足规范最小配筋率要求，上述承载力不能采用。"));
    EXPECT_NEAR(r.results.at(1024), 300 * 40 / 1000.0, 1e-9);
    EXPECT_FALSE(hasLine(run("200").sheet, "　　　　截面少筋，不满足规范最小配筋率要求，上述承载力不能采用。"));
}

TEST(AxialTension, SafetyClassEntersBothWays) {
    RunResult d = run("184", {{1011, "一级"}});
    EXPECT_NEAR(d.results.at(1008), 1.1 * 200000 / 300, 1e-9);
    RunResult c = run("200", {{1011, "一级"}, {1009, "C35"}});
    EXPECT_NEAR(c.results.at(1024), 300 * 666.7 / 1.1 / 1000, 1e-9);
    EXPECT_TRUE(hasLine(c.sheet, "　　　　混凝土轴心抗拉强度设计值 ft＝1.57（N/mm2）"));
}

TEST(AxialTension, DesignFedIntoCheckCarriesTheForce) {
    for (const char* N : {"5", "80", "200", "1234.5"}) {
        for (const char* steel : {"HPB300", "HRB400", "HRB500"}) {
            RunResult d = run("184", {{1024, N}, {1010, steel}, {1011, "一级"}});
            ASSERT_TRUE(d.outcome.ok());
            RunResult c = run("200", {{1008, num(d.results.at(1008))}, {1010, steel}, {1011, "一级"}});
            ASSERT_TRUE(c.outcome.ok());
            const double n = std::atof(N);
            EXPECT_GE(c.results.at(1024), n * (1 - 1e-12)) << N << steel;
            if (!hasLine(d.sheet, "　　　　按最小配筋率构造配筋，取 As＝ρmin×A＝" + fx(d.results.at(1008), 1) + "（mm2）")) {
                EXPECT_NEAR(c.results.at(1024), n, 1e-9 * n) << N << steel;
            }
            EXPECT_FALSE(hasLine(c.sheet, "　　　　截面少筋，不满足规范最小配筋率要求，上述承载力不能采用。"));
        }
    }
}

}  // namespace
}  // namespace tov::test
