// The axial-compression forms (ordinary ties and spiral hoops): whole sheets for the defaults,
// the checks at their boundaries, the section-shape picker, the rules of clauses 6.2.15 and
// 6.2.16, round trips from design to check, and random inputs.
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>

#include "tests/core/testutil.h"

namespace tov::test {
namespace {

constexpr double kPi = std::numbers::pi;

std::string fx(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

std::string exact(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

constexpr const char* kSize = "构件尺寸输入有误，请检查。";
constexpr const char* kPhiRange = "长细比超出规范表6.2.15的范围，请检查。";

// ---------------------------------------------------------------------------------------------
// Ordinary ties, design (169)

TEST(AxialTiedDesign, DefaultsGiveTheWholeSheet) {
    RunResult r = run("CAxialCompTiedDesignDlg");
    ASSERT_TRUE(r.outcome.ok());
    // L0/b = 16 is a row of Table 6.2.15: φ = 0.87.
    const double As = (1300000 / (0.9 * 0.87) - 14.3 * 90000) / 300;
    const std::vector<std::string> expected = {
        "",
        "─────轴心受压构件正截面配筋计算书(普通箍筋)─────",
        "一、设计要求:",
        "　　　　结构安全等级: 二级",
        "　　　　轴心压力设计值 N＝1300.000（kN）",
        "　　　　混凝土强度等级: C30",
        "　　　　钢筋等级: HRB335",
        "二、计算参数:",
        "　　　　根据设计要求查规范得:",
        "　　　◇重要性系数 γ0＝1.0",
        "　　　◇混凝土C30的参数为:",
        "　　　　混凝土轴心抗压强度设计值 fc＝14.3（N/mm2）",
        "　　　◇钢筋HRB335的参数为:",
        "　　　　普通钢筋抗压强度设计值 fy'＝300（N/mm2）",
        "　　　◇构件计算长度 Lo＝4800.0（mm）",
        "三、计算过程:",
        "　　　◇构件截面面积计算:",
        "　　　　构件截面形状: 矩形",
        "　　　　矩形截面长边长度 a＝300.0（mm）",
        "　　　　矩形截面短边长度 b＝300.0（mm）",
        "　　　　长细比 Lo／b＝16.000",
        "　　　　查规范表6.2.15得钢筋混凝土轴心受压构件的稳定系数 φ＝0.870",
        "　　　　矩形截面面积 A＝a×b＝90000.0（mm2）",
        "　　　◇钢筋面积计算:",
        "　　　　As'＝｛γo×N／（0.9×φ）－fc×A｝／fy'＝" + fx(As, 1) + "（mm2）",
        "　　　　配筋率 ρ＝As'／A＝" + fx(As / 900, 1) + "（％）",
        "　　　◇全部纵向钢筋配筋率:",
        "　　　　规范要求全部纵向钢筋的最小配筋率为 ρmin＝0.60（％）",
        "　　　　ρ≥ρmin",
    };
    EXPECT_EQ(sheetLines(r.sheet), expected);
    EXPECT_NEAR(r.results.at(1023), As, 1e-9);
}

TEST(AxialTiedDesign, MinimumVerdictIsPrintedOnlyWhenItHolds) {
    // N = 1100: As' = (1100000/0.783 − 1287000)/300 = 392.8, ρ = 0.44 % < 0.60 %.
    RunResult r = run("169", {{1024, "1100"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_FALSE(hasLine(r.sheet, "　　　　ρ≥ρmin"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　ρ＜ρmin"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　按最小配筋率构造配筋，取 As'＝ρmin×A＝540.0（mm2）"));
    EXPECT_NEAR(r.results.at(1023), 540, 1e-9);
    // N = 900: the concrete alone carries it; no negative area is printed, the minimum governs.
    r = run("169", {{1024, "900"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_FALSE(hasLine(r.sheet, "　　　　ρ≥ρmin"));
    EXPECT_FALSE(hasLine(r.sheet, "　　　　ρ＜ρmin"));
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　As'＝"), "");
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　γo×N／（0.9×φ）＝"),
              "　　　　γo×N／（0.9×φ）＝" + fx(900 / 0.783, 3) +
                  "（kN）≤fc×A＝1287.000（kN），混凝土即可承受轴向压力，计算不需要纵向钢筋。");
    EXPECT_TRUE(hasLine(r.sheet, "　　　　按最小配筋率构造配筋，取 As'＝ρmin×A＝540.0（mm2）"));
    EXPECT_NEAR(r.results.at(1023), 540, 1e-9);
    // C60 raises the minimum by 0.10 (Table 8.5.1 note 1).
    r = run("169", {{1009, "C60"}, {1024, "900"}});
    EXPECT_NEAR(r.results.at(1023), 0.70 / 100 * 90000, 1e-9);
}

TEST(AxialTiedDesign, AboveThreePercentTheAreaIsNetOfTheBars) {
    const double demand = 1800000 / (0.9 * 0.87);
    const double gross = (demand - 1287000) / 300;  // 3372.8, ρ = 3.75 %
    const double net = (demand - 1287000) / (300 - 14.3);
    RunResult r = run("169", {{1024, "1800"}});
    ASSERT_TRUE(r.outcome.ok());
    const auto lines = sheetLines(r.sheet);
    const std::vector<std::string> tail(lines.begin() + 24, lines.end());
    const std::vector<std::string> expected = {
        "　　　　As'＝｛γo×N／（0.9×φ）－fc×A｝／fy'＝" + fx(gross, 1) + "（mm2）",
        "　　　　配筋率 ρ＝As'／A＝" + fx(gross / 900, 1) + "（％）",
        "　　　　因为 ρ＞3％，按规范第6.2.15条，公式中的A应改用（A－As'）：",
        "　　　　As'＝｛γo×N／（0.9×φ）－fc×A｝／（fy'－fc）＝" + fx(net, 1) + "（mm2）",
        "　　　　配筋率 ρ＝As'／A＝" + fx(net / 900, 1) + "（％）",
        "　　　◇全部纵向钢筋配筋率:",
        "　　　　规范要求全部纵向钢筋的最小配筋率为 ρmin＝0.60（％）",
        "　　　　ρ≥ρmin",
    };
    EXPECT_EQ(tail, expected);
    EXPECT_NEAR(r.results.at(1023), net, 1e-9);
    // Both sides of 3 %: As' = 2700 mm² is exactly 3 % at N = 0.783·(1287000 + 810000).
    EXPECT_EQ(lineStartingWith(run("169", {{1024, "1641.9"}}).sheet, "　　　　因为 ρ＞3％"), "");
    EXPECT_NE(lineStartingWith(run("169", {{1024, "1642"}}).sheet, "　　　　因为 ρ＞3％"), "");
    // Above 5 % the sheet says so (9.3.1).
    r = run("169", {{1024, "2200"}});
    EXPECT_TRUE(hasLine(r.sheet,
                        "　　　　ρ＞5％，超过规范第9.3.1条全部纵向钢筋配筋率不宜大于5％的规定，宜加大截面尺寸或提高混凝土强度等级。"));
    EXPECT_FALSE(hasLine(run("169", {{1024, "1800"}}).sheet,
                         "　　　　ρ＞5％，超过规范第9.3.1条全部纵向钢筋配筋率不宜大于5％的规定，宜加大截面尺寸或提高混凝土强度等级。"));
}

// ---------------------------------------------------------------------------------------------
// Ordinary ties, check (171)

TEST(AxialTiedCheck, DefaultsGiveTheWholeSheet) {
    RunResult r = run("CAxialCompTiedCheckDlg");
    ASSERT_TRUE(r.outcome.ok());
    const double N = 1493.1 * 0.87;  // 0.9 × (1287000 + 372000) / 1000 × φ
    const std::vector<std::string> expected = {
        "",
        "─────轴心受压构件正截面承载力复核计算书─────",
        "一、设计要求:",
        "　　　　结构安全等级: 二级",
        "　　　　混凝土强度等级: C30",
        "　　　　钢筋等级: HRB335",
        "　　　　受压钢筋面积 As'＝1240.0（mm2）",
        "二、计算参数:",
        "　　　　根据设计要求查规范得:",
        "　　　◇重要性系数 γ0＝1.0",
        "　　　◇混凝土C30的参数为:",
        "　　　　混凝土轴心抗压强度设计值 fc＝14.3（N/mm2）",
        "　　　◇钢筋HRB335的参数为:",
        "　　　　普通钢筋抗压强度设计值 fy'＝300（N/mm2）",
        "　　　◇构件计算长度 L0＝4800.0（mm）",
        "三、计算过程:",
        "　　　◇构件截面面积计算:",
        "　　　　构件截面形状: 矩形截面",
        "　　　　矩形长边长度 a＝300.0（mm）",
        "　　　　矩形短边长度 b＝300.0（mm）",
        "　　　◇长细比 Lo／b＝16.000",
        // The table is cited by its 2010 number, as in the design form.
        "　　　　查规范表6.2.15得钢筋混凝土轴心受压构件的稳定系数 φ＝0.870",
        "　　　◇矩形截面面积 A＝a×b＝90000.0（mm2）",
        "　　　◇轴向承载力计算:",
        "　　　　配筋率 ρ＝As'／A＝1.4（%）",
        "　　　　 N＝0.9×φ×（fc×A＋fy'×As'）／γo＝" + fx(N, 3) + "（kN）",
    };
    EXPECT_EQ(sheetLines(r.sheet), expected);
    EXPECT_EQ(r.sheet.find("7.3.1"), std::string::npos);
    EXPECT_NEAR(r.results.at(1024), N, 1e-9);
}

TEST(AxialTiedCheck, AboveThreePercentTheAreaIsNetOfTheBars) {
    // 2700 mm² is exactly 3 % of 90000 mm²: the gross area still holds.
    RunResult r = run("171", {{1023, "2700"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_NEAR(r.results.at(1024), 0.9 * 0.87 * (14.3 * 90000 + 300 * 2700) / 1000, 1e-9);
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　因为 ρ＞3％"), "");
    r = run("171", {{1023, "3600"}});
    ASSERT_TRUE(r.outcome.ok());
    const double N = 0.9 * 0.87 * (14.3 * (90000 - 3600) + 300 * 3600) / 1000;
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为 ρ＞3％，按规范第6.2.15条，公式中的A应改用（A－As'）："));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　 N＝0.9×φ×（fc×（A－As'）＋fy'×As'）／γo＝" + fx(N, 3) + "（kN）"));
    EXPECT_NEAR(r.results.at(1024), N, 1e-9);
    // Below the minimum ratio the sheet says so; bars filling the section are refused.
    EXPECT_TRUE(hasLine(run("171", {{1023, "500"}}).sheet,
                        "　　　　ρ＜ρmin＝0.60（％），不满足规范表8.5.1全部纵向钢筋最小配筋率的要求。"));
    EXPECT_EQ(run("171", {{1023, "90000"}}).outcome.message, "受压钢筋面积应小于构件截面面积，请检查。");
}

// ---------------------------------------------------------------------------------------------
// Both tied forms: checks, shapes, the shape picker

TEST(AxialTiedForms, ChecksRefuseInOrderAndAtTheirBoundaries) {
    struct Case {
        const char* form;
        std::vector<Assignment> as;
        const char* message;
    } cases[] = {
        {"169", {{1024, "0"}, {1044, "0"}}, "轴向压力数值应大于零，请检查。"},
        {"171", {{1023, "0"}, {1044, "0"}}, "受压钢筋面积数值应大于零，请检查。"},
        {"169", {{1044, "0"}}, "构件计算长度数值应大于零，请检查。"},
        {"171", {{1044, "-1"}}, "构件计算长度数值应大于零，请检查。"},
        {"169", {{1002, "300"}, {1001, "400"}}, "矩形截面的长边应大于等于短边，请检查。"},
        {"171", {{1002, "0"}}, "矩形截面的边长输入有误，请检查。"},
        {"169", {{1001, "0"}}, "矩形截面的边长输入有误，请检查。"},
        {"169", {{1039, "圆形截面"}}, "圆形截面的直径输入有误，请检查。"},
        // The shape change cleared i and A.
        {"169", {{1039, "其它形状"}}, "其它形状截面最小回转半径或截面面积输入有误，请检查。"},
        {"171", {{1039, "其它形状"}, {1042, "100"}, {1023, "100"}}, "其它形状截面最小回转半径或截面面积输入有误，请检查。"},
        // The shape change cleared As' of the check form.
        {"171", {{1039, "矩形截面"}, {1002, "300"}, {1001, "300"}}, "受压钢筋面积数值应大于零，请检查。"},
        // Beyond the last row of Table 6.2.15 (L0/b = 50).
        {"169", {{1044, "15001"}}, kPhiRange},
        {"171", {{1039, "圆形截面"}, {1038, "100"}, {1044, "4301"}, {1023, "100"}}, kPhiRange},
    };
    for (const auto& c : cases) {
        RunResult r = run(c.form, c.as);
        EXPECT_FALSE(r.outcome.ok()) << c.message;
        EXPECT_EQ(r.outcome.message, c.message);
        EXPECT_EQ(r.outcome.icon, Icon::Stop);
        EXPECT_TRUE(r.sheet.empty());
    }
    EXPECT_TRUE(run("169", {{1002, "400"}, {1001, "400"}}).outcome.ok());  // a = b
    RunResult r = run("169", {{1044, "15000"}});                          // L0/b = 50
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　查规范表6.2.15得钢筋混凝土轴心受压构件的稳定系数 φ＝0.190"));
}

TEST(AxialTiedForms, CircularAndOtherSections) {
    // Circle d = 400, L0 = 4400: L0/d = 11, φ = 0.94 from the L0/d column.
    const double A = kPi * 400 * 400 / 4;
    const double As = (2400000 / (0.9 * 0.94) - 14.3 * A) / 300;
    ASSERT_LT(As / A, 0.03);
    RunResult r = run("169", {{1039, "圆形截面"}, {1038, "400"}, {1044, "4400"}, {1024, "2400"}});
    ASSERT_TRUE(r.outcome.ok());
    const auto lines = sheetLines(r.sheet);
    const std::vector<std::string> section(lines.begin() + 18, lines.begin() + 22);
    const std::vector<std::string> circle = {
        "　　　　圆形截面直径 d＝400.0（mm）",
        "　　　　长细比 Lo／d＝11.000",
        "　　　　查规范表6.2.15得钢筋混凝土轴心受压构件的稳定系数 φ＝0.940",
        "　　　　圆形截面面积 A＝π×d×d／4＝" + fx(A, 1) + "（mm2）",
    };
    EXPECT_EQ(lines[17], "　　　　构件截面形状: 圆形");
    EXPECT_EQ(section, circle);
    EXPECT_NEAR(r.results.at(1023), As, 1e-9);

    // Other shape: i = 100, A = 120000, L0 = 5500: L0/i = 55, φ = 0.87.
    r = run("171", {{1039, "其它形状"}, {1042, "100"}, {1072, "120000"}, {1044, "5500"}, {1023, "1800"}});
    ASSERT_TRUE(r.outcome.ok());
    const auto l2 = sheetLines(r.sheet);
    const std::vector<std::string> other(l2.begin() + 17, l2.begin() + 23);
    const std::vector<std::string> expected = {
        "　　　　构件截面形状: 其它形状",
        "　　　　截面最小回转半径 i＝100.0（mm）",
        "　　　　截面面积 A＝120000.0（mm2）",
        "　　　◇长细比 Lo／i＝55.000",
        "　　　　查规范表6.2.15得钢筋混凝土轴心受压构件的稳定系数 φ＝0.870",
        "　　　◇轴向承载力计算:",
    };
    EXPECT_EQ(other, expected);
    EXPECT_NEAR(r.results.at(1024), 0.9 * 0.87 * (14.3 * 120000 + 300 * 1800) / 1000, 1e-9);
}

TEST(AxialTiedForms, ShapeChangeClearsTheSectionAndKeepsTypedForceAndLength) {
    auto form = findForm("169")->make();
    MemoryView ui;
    form->open(ui);
    EXPECT_TRUE(ui.isEnabled(1002));
    EXPECT_FALSE(ui.isEnabled(1038));
    EXPECT_FALSE(ui.isEnabled(1042));
    EXPECT_FALSE(ui.isEnabled(1072));
    MemoryReport report;
    ASSERT_TRUE(form->onCalculate(ui, report).ok());
    EXPECT_NE(ui.texts[1023], "0");

    ui.setFieldText(1024, "1500");
    ui.setFieldText(1044, "3000");
    ui.setFieldText(1002, "400");
    ui.setSelection(1039, 1);
    form->onSelect(ui, 1039);
    EXPECT_EQ(ui.texts[1024], "1500");
    EXPECT_EQ(ui.texts[1044], "3000");
    EXPECT_EQ(form->value(1024), 1500);
    for (int id : {1002, 1001, 1038, 1042, 1072, 1023}) EXPECT_EQ(ui.texts[id], "0") << id;
    EXPECT_FALSE(ui.isEnabled(1002));
    EXPECT_FALSE(ui.isEnabled(1001));
    EXPECT_TRUE(ui.isEnabled(1038));
    EXPECT_FALSE(ui.isEnabled(1042));
    EXPECT_TRUE(ui.messages.empty());

    // A text that is not a number in a kept field stays as typed; choosing the shape already
    // shown still clears the section.
    ui.setFieldText(1024, "12a");
    ui.setFieldText(1038, "500");
    form->onSelect(ui, 1039);
    EXPECT_EQ(ui.texts[1024], "12a");
    EXPECT_EQ(ui.texts[1038], "0");
    EXPECT_TRUE(ui.messages.empty());

    ui.setSelection(1039, 2);
    form->onSelect(ui, 1039);
    EXPECT_FALSE(ui.isEnabled(1038));
    EXPECT_TRUE(ui.isEnabled(1042));
    EXPECT_TRUE(ui.isEnabled(1072));
    ui.setSelection(1039, 0);
    form->onSelect(ui, 1039);
    EXPECT_TRUE(ui.isEnabled(1002));
    EXPECT_TRUE(ui.isEnabled(1001));
    EXPECT_FALSE(ui.isEnabled(1042));
}

TEST(AxialTiedForms, ShapeChangeInTheCheckFormKeepsLengthAndCapacity) {
    auto form = findForm("171")->make();
    MemoryView ui;
    form->open(ui);
    MemoryReport report;
    ASSERT_TRUE(form->onCalculate(ui, report).ok());
    const std::string capacity = ui.texts[1024];
    ui.setFieldText(1044, "3600");
    ui.setSelection(1039, 1);
    form->onSelect(ui, 1039);
    EXPECT_EQ(ui.texts[1044], "3600");
    EXPECT_EQ(ui.texts[1023], "0");
    EXPECT_EQ(ui.texts[1024], capacity);
}

TEST(AxialTied, DesignFedIntoCheckCarriesTheForce) {
    struct Shape {
        std::vector<Assignment> section;
    } shapes[] = {
        {{{1039, "矩形截面"}, {1002, "400"}, {1001, "300"}}},
        {{{1039, "圆形截面"}, {1038, "350"}}},
        {{{1039, "其它形状"}, {1042, "90"}, {1072, "100000"}}},
    };
    for (const auto& s : shapes)
        for (const char* N : {"200", "1100", "1500", "1800", "2600"}) {
            std::vector<Assignment> d = s.section;
            d.push_back({1024, N});
            d.push_back({1044, "4200"});
            d.push_back({1009, "C40"});
            d.push_back({1021, "HRB400"});
            RunResult rd = run("169", d);
            ASSERT_TRUE(rd.outcome.ok()) << N;
            std::vector<Assignment> c = s.section;
            c.push_back({1023, exact(rd.results.at(1023))});
            c.push_back({1044, "4200"});
            c.push_back({1009, "C40"});
            c.push_back({1021, "HRB400"});
            RunResult rc = run("171", c);
            ASSERT_TRUE(rc.outcome.ok()) << N;
            EXPECT_GE(rc.results.at(1024), std::atof(N) - 1e-6) << N;
        }
}

// ---------------------------------------------------------------------------------------------
// Spiral hoops, design (173)

struct SpiralDesign {
    double N = 4250, D = 400, a = 25, s = 60, L0 = 4400, dh = 12, Ass1 = 113.1;
    double fc = 16.7, fyp = 410, fy = 300, g0 = 1.0, alpha = 1.0;
    double A() const { return kPi * D * D / 4; }
    double dcor() const { return D - 2 * a - 2 * dh; }
    double Acor() const { return kPi * dcor() * dcor() / 4; }
    double Asso() const { return kPi * dcor() * Ass1 / s; }
    double spiralAs() const { return (g0 * N * 1000 / 0.9 - fc * Acor() - 2 * alpha * Asso() * fy) / fyp; }
    double tiedAs(double phi) const {
        const double demand = g0 * N * 1000 / (0.9 * phi);
        const double gross = (demand - fc * A()) / fyp;
        return gross / A() > 0.03 ? (demand - fc * A()) / (fyp - fc) : gross;
    }
    double Nord(double phi, double As) const {
        const double Ac = As / A() > 0.03 ? A() - As : A();
        return 0.9 * phi * (fc * Ac + fyp * As) / g0 / 1000;
    }
    double Nind(double As) const { return 0.9 * (fc * Acor() + 2 * alpha * Asso() * fy + fyp * As) / g0 / 1000; }
};

TEST(AxialSpiralDesign, TheCaseWithinThreePercentGivesThePartsLinesAndThePitchLine) {
    SpiralDesign c;
    c.N = 3000;
    const double phi = 0.94;  // L0/d = 11
    const double tied = c.tiedAs(phi), As = c.spiralAs();
    ASSERT_LT(tied / c.A(), 0.03);
    RunResult r = run("CAxialCompSpiralDesignDlg", {{1024, "3000"}});
    ASSERT_TRUE(r.outcome.ok());
    const std::vector<std::string> expected = {
        "",
        "─────轴心受压构件正截面配筋计算书（螺旋式、焊接式间接箍筋）─────",
        "一、设计要求:",
        "　　　　结构安全等级: 二级",
        "　　　　轴心压力设计值 N＝3000.000（kN）",
        "　　　　混凝土强度等级: C35",
        "　　　　纵向钢筋等级: HRB500",
        "　　　　间接箍筋等级: HRB335",
        "　　　　间接箍筋直径 d＝12.0（mm）",
        "　　　　间接箍筋间距 s＝60.0（mm）",
        "　　　　圆形截面直径 D＝400.0（mm）",
        "　　　　混凝土保护层厚度 a＝25.0（mm）",
        "二、计算参数:",
        "　　　　根据设计要求查规范得:",
        "　　　◇重要性系数 γ0＝1.0",
        "　　　◇混凝土C35的参数为:",
        "　　　　混凝土轴心抗压强度设计值 fc＝16.7（N/mm2）",
        "　　　◇钢筋HRB500的参数为:",
        "　　　　普通钢筋抗压强度设计值 fy'＝410（N/mm2）",
        "　　　◇钢筋HRB335的参数为:",
        "　　　　普通钢筋抗拉强度设计值 fy＝300（N/mm2）",
        "　　　◇计算长度 L0＝4400.0（mm）",
        "三、计算过程:",
        "　　　◇计算长细比，查表计算稳定系数",
        "　　　　L0／d＝11.000",
        "　　　　查规范表6.2.15，内插清法计算轴心受压构件的稳定系数 φ＝0.940",
        "　　　◇先按普通箍筋柱计算",
        "　　　　As'＝｛γo×N／（0.9×φ）－fc×A｝／fy'＝" + fx(tied, 1) + "（mm2）",
        "　　　　ρ'＝As'／A＝" + fx(tied / c.A() * 100, 2) + "（%）",
        "　　　◇按间接箍筋柱计算",
        "　　　　dcor＝D－2×a－2×d＝326.0（mm）",
        "　　　　Acor＝π×dcor×dcor／4＝83469.0（mm2）",
        "　　　　Ass1＝113.1（mm2）",
        "　　　　Asso＝π×dcor×Ass1／s＝1930.5（mm2）",
        "　　　　因混凝土强度为C35，故间接箍筋对混凝土约束的折减系数 α＝1.000",
        "　　　　As'＝（γo×N／0.9－fc×Acor－2×α×Asso×fy）／fy'＝" + fx(As, 1) + "（mm2）",
        "四、验算承载力:",
        "　　　◇普通箍筋柱承载力",
        "　　　　N普通＝0.9×φ（fc×A＋fy'×As'）／γo＝" + fx(c.Nord(phi, As), 3) + "（KN）",
        "　　　　1.5×N普通＝" + fx(1.5 * c.Nord(phi, As), 3) + "（KN）",
        "　　　◇间接箍筋柱承载力",
        "　　　　N间接＝0.9×（fc×Acor＋2×α×Asso×fy＋fy'×As'）／γo＝3000.000（KN）",
        "　　　◇验算柱承载力",
        "　　　　因为 N间接≥N ，符合要求。",
        "　　　　因为 N间接＜1.5倍N普通 ，符合要求。",
        "　　　　间接箍筋间距 s＝60.0（mm）≤80（mm），且≤dcor／5＝65.2（mm），符合规范第9.3.2条的要求。",
    };
    EXPECT_EQ(sheetLines(r.sheet), expected);
    EXPECT_NEAR(r.results.at(1023), As, 1e-9);
}

TEST(AxialSpiralDesign, DefaultsPrintTheTabulatedValuesAndUseTheNetAreaAboveThreePercent) {
    SpiralDesign c;
    const double phi = 0.94;
    RunResult r = run("173");
    ASSERT_TRUE(r.outcome.ok());
    for (const char* line : {
             "　　　　L0／d＝11.000",
             "　　　　dcor＝D－2×a－2×d＝326.0（mm）",
             "　　　　Acor＝π×dcor×dcor／4＝83469.0（mm2）",
             "　　　　Ass1＝113.1（mm2）",
             "　　　　Asso＝π×dcor×Ass1／s＝1930.5（mm2）",
             "　　　　因混凝土强度为C35，故间接箍筋对混凝土约束的折减系数 α＝1.000",
             "　　　　As'＝（γo×N／0.9－fc×Acor－2×α×Asso×fy）／fy'＝5292.6（mm2）",
             "　　　　N间接＝0.9×（fc×Acor＋2×α×Asso×fy＋fy'×As'）／γo＝4250.000（KN）",
             "　　　　因为 N间接≥N ，符合要求。",
             "　　　　因为 N间接＜1.5倍N普通 ，符合要求。",
             // The ordinary-tie sizing exceeds 3 %, and so does As' = 5292.6 of 125663.7 mm².
             "　　　　因为 ρ'＞3％，按规范第6.2.15条，公式中的A应改用（A－As'）：",
             "　　　　因为 As'／A＞3％，按规范第6.2.15条，公式中的A应改用（A－As'）：",
         })
        EXPECT_TRUE(hasLine(r.sheet, line)) << line;
    const double As = c.spiralAs();
    EXPECT_TRUE(hasLine(r.sheet, "　　　　As'＝｛γo×N／（0.9×φ）－fc×A｝／（fy'－fc）＝" + fx(c.tiedAs(phi), 1) + "（mm2）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　N普通＝0.9×φ（fc×（A－As'）＋fy'×As'）／γo＝" + fx(c.Nord(phi, As), 3) + "（KN）"));
    EXPECT_NEAR(r.results.at(1023), As, 1e-9);
}

TEST(AxialSpiralDesign, CoreDiameterMustBePositiveAndSizesComeBeforeTheForce) {
    // dcor = 400 − 2a − 24: zero at a = 188.
    EXPECT_EQ(run("173", {{1002, "188"}}).outcome.message, kSize);
    EXPECT_EQ(run("173", {{1002, "190"}}).outcome.message, kSize);
    EXPECT_EQ(run("173", {{1002, "188"}, {1024, "0"}}).outcome.message, kSize);
    EXPECT_TRUE(run("173", {{1002, "187.9"}}).outcome.ok());
    EXPECT_EQ(run("173", {{1002, "400"}}).outcome.message, kSize);  // a = D
    EXPECT_EQ(run("173", {{1027, "0"}}).outcome.message, kSize);
    EXPECT_EQ(run("173", {{1051, "0"}}).outcome.message, kSize);
    EXPECT_EQ(run("173", {{1024, "0"}}).outcome.message, "轴心压力设计值应大于零，请检查。");
    EXPECT_EQ(run("173", {{1027, "17201"}}).outcome.message, kPhiRange);  // L0/d beyond 43
}

TEST(AxialSpiralDesign, HoopsThatDoNotCountLeaveTheTiedDesign) {
    struct Case {
        std::vector<Assignment> as;
        SpiralDesign c;
        double phi;
        const char* reason;
    };
    SpiralDesign slender;
    slender.L0 = 4801;
    SpiralDesign thickCover;  // more concrete outside the core than the hoops make up for
    thickCover.a = 60, thickCover.dh = 6, thickCover.Ass1 = 28.3, thickCover.s = 80, thickCover.L0 = 2000;
    SpiralDesign fewHoops;
    fewHoops.a = 20, fewHoops.dh = 6, fewHoops.Ass1 = 28.3, fewHoops.s = 40, fewHoops.N = 5000;
    SpiralDesign widePitch;
    widePitch.N = 3000, widePitch.s = 90;
    SpiralDesign pitchOverCore;
    pitchOverCore.N = 3000, pitchOverCore.s = 70;  // ≤ 80 but > dcor/5 = 65.2
    const Case cases[] = {
        {{{1027, "4801"}}, slender, 0.92 - 0.0025 / 2 * 0.05,
         "　　　　因为 L0／d＞12，不符合规范第6.2.16条考虑间接钢筋的条件。"},
        {{{1002, "60"}, {1012, "6"}, {1051, "80"}, {1027, "2000"}}, thickCover, 1.0,
         "　　　　因为 N间接＜N普通，不符合规范第6.2.16条考虑间接钢筋的条件。"},
        {{{1002, "20"}, {1012, "6"}, {1051, "40"}, {1024, "5000"}}, fewHoops, 0.94, nullptr},
        {{{1024, "3000"}, {1051, "90"}}, widePitch, 0.94,
         "　　　　因为间接箍筋间距 s＝90.0（mm）＞80（mm），且＞dcor／5＝65.2（mm），不符合规范第9.3.2条考虑间接钢筋时的间距要求。"},
        {{{1024, "3000"}, {1051, "70"}}, pitchOverCore, 0.94,
         "　　　　因为间接箍筋间距 s＝70.0（mm）＞dcor／5＝65.2（mm），不符合规范第9.3.2条考虑间接钢筋时的间距要求。"},
    };
    for (const auto& k : cases) {
        RunResult r = run("173", k.as);
        ASSERT_TRUE(r.outcome.ok());
        const std::string reason = k.reason ? std::string(k.reason)
                                            : "　　　　因为 Asso＜0.25×As'＝" + fx(0.25 * k.c.spiralAs(), 1) +
                                                  "（mm2），不符合规范第6.2.16条考虑间接钢筋的条件。";
        EXPECT_TRUE(hasLine(r.sheet, reason)) << reason;
        EXPECT_TRUE(hasLine(r.sheet, "　　　◇不考虑间接钢筋的影响，按普通箍筋柱配筋"));
        EXPECT_EQ(r.sheet.find("，符合规范第9.3.2条的要求。"), std::string::npos);
        const double tied = k.c.tiedAs(k.phi);
        EXPECT_TRUE(hasLine(r.sheet, "　　　　ρ'≥ρmin，取 As'＝" + fx(tied, 1) + "（mm2）"));
        // Beyond the 5 % of 9.3.1 the section is too small: no area is shown.
        if (tied > 0.05 * 3.141592653589793 * 400 * 400 / 4) {
            EXPECT_TRUE(r.empty.count(1023)) << reason;
            EXPECT_EQ(r.verdict.kind, Verdict::Kind::Fail) << reason;
            continue;
        }
        EXPECT_NEAR(r.results.at(1023), tied, 1e-6) << reason;
    }
    // L0/d = 12 exactly still counts the hoops.
    RunResult r = run("173", {{1027, "4800"}});
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　因为 L0／d＞12"), "");
    EXPECT_NE(lineStartingWith(r.sheet, "　　　　间接箍筋间距 s＝60.0（mm）≤80（mm）"), "");
}

TEST(AxialSpiralDesign, CapacityIsCappedAtOneAndAHalfTimesTheTiedOne) {
    // Strong hoops: N间接 reaches N with an As' for which 1.5 × N普通 < N.
    SpiralDesign c;
    c.N = 5000, c.a = 20, c.dh = 16, c.Ass1 = 201.1, c.s = 40, c.L0 = 4800;
    const double phi = 0.92;  // L0/d = 12
    ASSERT_GT(c.Nind(c.spiralAs()), 1.5 * c.Nord(phi, c.spiralAs()));
    RunResult r = run("173", {{1024, "5000"}, {1002, "20"}, {1012, "16"}, {1051, "40"}, {1027, "4800"}});
    ASSERT_TRUE(r.outcome.ok());
    // 1.5 × 0.9 × φ × (fc (A − As') + fy' As') = N, As' above 3 %.
    const double As = (5000000 / (1.5 * 0.9 * phi) - c.fc * c.A()) / (c.fyp - c.fc);
    ASSERT_GT(As / c.A(), 0.03);
    EXPECT_NEAR(r.results.at(1023), As, 1e-6);
    EXPECT_NEAR(1.5 * c.Nord(phi, As), 5000, 1e-6);
    EXPECT_FALSE(hasLine(r.sheet, "　　　　因为 N间接＜1.5倍N普通 ，符合要求。"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　As'＝｛γo×N／（1.5×0.9×φ）－fc×A｝／（fy'－fc）＝" + fx(As, 1) + "（mm2）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　1.5×N普通＝5000.000（KN）"));
}

TEST(AxialSpiralDesign, MinimumRatioWhenCoreAndHoopsSuffice) {
    SpiralDesign c;
    c.N = 2000;
    ASSERT_LT(c.spiralAs(), 0);
    RunResult r = run("173", {{1024, "2000"}});
    ASSERT_TRUE(r.outcome.ok());
    const double AsMin = 0.005 * c.A();
    EXPECT_NEAR(r.results.at(1023), AsMin, 1e-9);
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　As'＝（γo×N／0.9"), "");
    EXPECT_TRUE(hasLine(r.sheet, "　　　　按最小配筋率构造配筋，取 As'＝ρmin×A＝" + fx(AsMin, 1) + "（mm2）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　N间接＝0.9×（fc×Acor＋2×α×Asso×fy＋fy'×As'）／γo＝" + fx(c.Nind(AsMin), 3) + "（KN）"));
    EXPECT_EQ(r.sheet.find("＝-"), std::string::npos);
}

TEST(AxialSpiralDesign, PickersChangeTheirLines) {
    RunResult r = run("173", {{1011, "HRB500"}, {1009, "C55"}, {1012, "16"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　间接箍筋等级: HRB500"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　◇钢筋HRB500的参数为:"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　普通钢筋抗拉强度设计值 fy＝435（N/mm2）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　间接箍筋直径 d＝16.0（mm）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　Ass1＝201.1（mm2）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因混凝土强度为C55，故间接箍筋对混凝土约束的折减系数 α＝0.975"));
}

// ---------------------------------------------------------------------------------------------
// Spiral hoops, check (174)

TEST(AxialSpiralCheck, DefaultsGiveTheWholeSheet) {
    // d = 550, a = 25, φ10 at 45, L0 = 5200, As = 6064, C30, HRB335 bars (fy' = 300), HPB300 hoops (fy = 270).
    const double A = kPi * 550 * 550 / 4, Acor = kPi * 500 * 500 / 4, Asso = kPi * 500 * 78.5 / 45;
    const double Nind = 0.9 * (14.3 * Acor + 300 * 6064 + 2 * 1.0 * 270 * Asso) / 1000;
    const double phi = 0.98 + (5200.0 / 550 - 8.5) / 2 * (0.95 - 0.98);
    const double Nord = 0.9 * phi * (14.3 * A + 300 * 6064) / 1000;
    ASSERT_GT(Nind, Nord);
    ASSERT_LT(Nind, 1.5 * Nord);
    RunResult r = run("CAxialCompSpiralCheckDlg");
    ASSERT_TRUE(r.outcome.ok());
    const std::vector<std::string> expected = {
        "",
        "─────轴心受压构件正截面承载力计算书（螺旋式或焊接式间接钢筋）─────",
        "一、设计要求:",
        "　　　　结构安全等级: 二级 γo＝1.0",
        "　　　　混凝土强度等级: C30",
        "　　　　纵向钢筋等级: HRB335",
        "　　　　螺旋箍筋等级: HPB300",
        "　　　　螺旋箍筋直径: φ10（mm）",
        "　　　　螺旋箍筋间距 s＝45.0（mm）",
        "　　　　圆形截面直径 d＝550.0（mm）",
        "　　　　钢筋合力点至截面近边的距离 a＝25.0（mm）",
        "　　　　纵向钢筋面积 As＝6064.0（mm2）",
        "二、计算参数:",
        "　　　　根据设计要求查规范得:",
        "　　　◇混凝土C30的参数为:",
        "　　　　混凝土轴心抗压强度设计值 fc＝14.3（N/mm2）",
        "　　　◇钢筋HRB335的参数为:",
        "　　　　普通钢筋抗压强度设计值 fy'＝300（N/mm2）",
        "　　　◇钢筋HPB300的参数为:",
        "　　　　普通钢筋抗拉强度设计值 fy＝270（N/mm2）",
        "　　　◇计算长度 L0＝5200.0（mm）",
        "三、计算过程:",
        "　　　◇计算比值 Lo／d＝9.455",
        "　　　◇构件核心截面直径 dcor＝d－2×a＝500.00（mm）",
        "　　　　构件核心截面面积 Acor＝π×dcor×dcor／4＝196349.54（mm2）",
        "　　　　单根φ10间接钢筋的截面面积 Ass1＝78.500（mm2）",
        "　　　　螺旋式钢筋的换算截面面积:",
        "　　　　    Asso＝π×dcor×Ass1／s＝2740.17（mm2）",
        "　　　◇因混凝土强度为C30，故螺旋箍筋对混凝土约束的折减系数 α＝1.000",
        "　　　◇轴向压力 N＝0.9×（fc×Acor＋fy'×As＋2×α×fy×Asso）／γo＝ 5496.020（kN）",
        "　　　　配筋率 ρ＝As／A＝2.55（%）",
        "　　　◇普通箍筋柱承载力",
        "　　　　查规范表6.2.15得钢筋混凝土轴心受压构件的稳定系数 φ＝" + fx(phi, 3),
        "　　　　N普通＝0.9×φ×（fc×A＋fy'×As）／γo＝" + fx(Nord, 3) + "（kN）",
        "　　　　1.5×N普通＝" + fx(1.5 * Nord, 3) + "（kN）",
        "　　　◇验算柱承载力",
        "　　　　螺旋箍筋间距 s＝45.0（mm）≤80（mm），且≤dcor／5＝100.0（mm），符合规范第9.3.2条的要求。",
        "　　　　因为 N普通≤N≤1.5倍N普通，轴心受压承载力取 N＝5496.020（kN）",
    };
    EXPECT_EQ(sheetLines(r.sheet), expected);
    EXPECT_NEAR(r.results.at(1024), Nind, 1e-9);
}

TEST(AxialSpiralCheck, LongitudinalBarsTakeFyPrimeAndHoopsFy) {
    // HRB500: fy = 435, fy' = 410. Bars in compression take 410, hoops in tension take 435.
    const double Acor = kPi * 500 * 500 / 4, Asso = kPi * 500 * 78.5 / 45;
    RunResult r = run("174", {{1010, "HRB500"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　普通钢筋抗压强度设计值 fy'＝410（N/mm2）"));
    EXPECT_NEAR(r.results.at(1024), 0.9 * (14.3 * Acor + 410 * 6064 + 2 * 270 * Asso) / 1000, 1e-9);
    r = run("174", {{1011, "HRB500"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　普通钢筋抗拉强度设计值 fy＝435（N/mm2）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　◇钢筋HRB500的参数为:"));
    EXPECT_NEAR(r.results.at(1024), 0.9 * (14.3 * Acor + 300 * 6064 + 2 * 435 * Asso) / 1000, 1e-9);
}

TEST(AxialSpiralCheck, CoreDiameterAndNegativeLengthAreRefused) {
    EXPECT_EQ(run("174", {{1002, "275"}}).outcome.message, kSize);  // d − 2a = 0
    EXPECT_EQ(run("174", {{1002, "300"}}).outcome.message, kSize);  // a < d but no core
    EXPECT_TRUE(run("174", {{1002, "274.9"}}).outcome.ok());
    EXPECT_EQ(run("174", {{1002, "550"}}).outcome.message, kSize);
    EXPECT_EQ(run("174", {{1044, "-1"}}).outcome.message, kSize);
    EXPECT_EQ(run("174", {{1044, "-1"}, {1008, "0"}}).outcome.message, kSize);
    EXPECT_EQ(run("174", {{1008, "0"}}).outcome.message, "钢筋面积应大于零，请检查。");
    RunResult r = run("174", {{1044, "0"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　◇计算比值 Lo／d＝0.000"));
    EXPECT_EQ(run("174", {{1044, "23651"}}).outcome.message, kPhiRange);  // L0/d beyond 43
}

TEST(AxialSpiralCheck, CapacityIsTheSmallerOfSpiralAndOneAndAHalfTied) {
    // φ25 hoops at 40 mm and little longitudinal steel: the spiral formula exceeds 1.5 × N普通.
    const double A = kPi * 550 * 550 / 4;
    const double phi = 0.98 + (5200.0 / 550 - 8.5) / 2 * (0.95 - 0.98);
    const double Nord = 0.9 * phi * (14.3 * A + 300 * 1000) / 1000;
    RunResult r = run("174", {{1012, "φ25"}, {1051, "40"}, {1008, "1000"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_NEAR(r.results.at(1024), 1.5 * Nord, 1e-9);
    EXPECT_TRUE(hasLine(r.sheet, "　　　　单根φ25间接钢筋的截面面积 Ass1＝490.900（mm2）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为 N＞1.5倍N普通，按规范第6.2.16条轴心受压承载力取 N＝1.5×N普通＝" +
                                     fx(1.5 * Nord, 3) + "（kN）"));
    // Beyond L0/d = 12 the hoops do not count: the tied capacity.
    const double phi13 = 0.92 - (6601.0 / 550 - 12) / 2 * 0.05;
    r = run("174", {{1044, "6601"}});
    ASSERT_TRUE(r.outcome.ok());
    const double Nord13 = 0.9 * phi13 * (14.3 * A + 300 * 6064) / 1000;
    EXPECT_NEAR(r.results.at(1024), Nord13, 1e-9);
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为 Lo／d＞12，不符合规范第6.2.16条考虑间接钢筋的条件。"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　故不考虑间接钢筋的影响，轴心受压承载力取 N＝N普通＝" + fx(Nord13, 3) + "（kN）"));
    EXPECT_EQ(lineStartingWith(run("174", {{1044, "6600"}}).sheet, "　　　　因为 Lo／d＞12"), "");
    // A pitch beyond 80 mm does not count either.
    r = run("174", {{1051, "85"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_NEAR(r.results.at(1024), 0.9 * phi * (14.3 * A + 300 * 6064) / 1000, 1e-9);
}

TEST(AxialSpiralCheck, SafetyNameAndHoopPicker) {
    EXPECT_TRUE(hasLine(run("174", {{1014, "二级"}}).sheet, "　　　　结构安全等级: 二级"));
    EXPECT_TRUE(hasLine(run("174", {{1014, "地震设计"}}).sheet, "　　　　结构安全等级: 地震设计状况"));
    RunResult r = run("174", {{1012, "φ12"}});
    EXPECT_TRUE(hasLine(r.sheet, "　　　　螺旋箍筋直径: φ12（mm）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　单根φ12间接钢筋的截面面积 Ass1＝113.100（mm2）"));
    // The hoop picker keeps a number typed before it.
    auto form = findForm("174")->make();
    MemoryView ui;
    form->open(ui);
    ui.setFieldText(1051, "50");
    ui.setSelection(1012, 5);
    form->onSelect(ui, 1012);
    EXPECT_EQ(ui.texts[1051], "50");
    EXPECT_EQ(form->pick(1012), 5);
}

TEST(AxialSpiral, DesignFedIntoCheckCarriesTheForce) {
    // The check form's a is measured to the bars' centroid: the design's cover plus the hoop bar,
    // so that both forms have the same core.
    for (const char* N : {"1500", "2000", "3000", "4250", "5000", "6000"})
        for (const char* hoop : {"8", "12", "16"}) {
            RunResult d = run("173", {{1024, N}, {1012, hoop}});
            ASSERT_TRUE(d.outcome.ok()) << N;
            if (d.empty.count(1023)) {  // beyond 5 %: the section is too small
                EXPECT_EQ(d.verdict.kind, Verdict::Kind::Fail) << N;
                continue;
            }
            const double a = 25 + std::atof(hoop);
            RunResult c = run("174", {{1009, "C35"}, {1010, "HRB500"}, {1011, "HRB335"},
                                      {1012, std::string("φ") + hoop}, {1051, "60"}, {1038, "400"},
                                      {1044, "4400"}, {1008, exact(d.results.at(1023))}, {1002, exact(a)}});
            ASSERT_TRUE(c.outcome.ok()) << N;
            EXPECT_GE(c.results.at(1024), std::atof(N) - 1e-6) << N << " " << hoop;
        }
}

// ---------------------------------------------------------------------------------------------
// Random inputs over the four forms

TEST(AxialCompression, RandomInputsNeverGiveInvalidNumbers) {
    std::mt19937 rng(20240611);
    auto num = [&](double lo, double hi) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.6g", std::uniform_real_distribution<double>(lo, hi)(rng));
        return std::string(buf);
    };
    auto item = [&](const char* form, int id) {
        const auto& items = findForm(form)->decl().control(id)->items;
        return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(rng)];
    };
    int sheets = 0;
    for (int k = 0; k < 1600; ++k) {
        const int which = k % 4;
        std::vector<Assignment> as;
        const char* form = which == 0 ? "169" : which == 1 ? "171" : which == 2 ? "173" : "174";
        if (which < 2) {
            as = {{1011, item(form, 1011)}, {1009, item(form, 1009)}, {1021, item(form, 1021)}};
            const std::string shape = item(form, 1039);
            as.push_back({1039, shape});
            as.push_back({which == 0 ? 1024 : 1023, num(-100, which == 0 ? 20000 : 40000)});
            as.push_back({1044, num(-100, 20000)});
            if (shape == "矩形截面") {
                as.push_back({1002, num(-10, 1200)});
                as.push_back({1001, num(-10, 1200)});
            } else if (shape == "圆形截面") {
                as.push_back({1038, num(-10, 1500)});
            } else {
                as.push_back({1042, num(-5, 400)});
                as.push_back({1072, num(-100, 1.5e6)});
            }
        } else if (which == 2) {
            as = {{1013, item(form, 1013)}, {1009, item(form, 1009)}, {1021, item(form, 1021)},
                  {1011, item(form, 1011)}, {1012, item(form, 1012)}, {1024, num(-100, 30000)},
                  {1051, num(-5, 120)},     {1038, num(-10, 1500)},   {1027, num(-100, 20000)},
                  {1002, num(-5, 150)}};
        } else {
            as = {{1014, item(form, 1014)}, {1009, item(form, 1009)}, {1010, item(form, 1010)},
                  {1011, item(form, 1011)}, {1012, item(form, 1012)}, {1051, num(-5, 120)},
                  {1038, num(-10, 1500)},   {1044, num(-100, 20000)}, {1008, num(-100, 60000)},
                  {1002, num(-5, 150)}};
        }
        RunResult r = run(form, as);
        EXPECT_NE(r.outcome.message, kNonFiniteMessage);
        if (!r.outcome.ok()) continue;
        ++sheets;
        for (const char* bad : {"nan", "inf", "NAN", "INF", "＝-", "＝ -"})
            EXPECT_EQ(r.sheet.find(bad), std::string::npos) << form << " " << bad << "\n" << r.sheet;
        for (const auto& [id, v] : r.results) {
            EXPECT_TRUE(std::isfinite(v)) << form;
            if (r.empty.count(id)) continue;  // no valid value: left blank
            EXPECT_GT(v, 0) << form << " result " << id << "\n" << r.sheet;
        }
    }
    EXPECT_GT(sheets, 400);
}

}  // namespace
}  // namespace tov::test
