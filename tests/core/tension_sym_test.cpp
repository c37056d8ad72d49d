// The symmetric eccentric-tension forms: whole sheets for the defaults (the two describe the same
// member), the checks at their boundaries and the minimum reinforcement.
#include <cmath>

#include "tests/core/testutil.h"

namespace tov::test {
namespace {

const std::vector<std::string> kHead = {
    "一、设计要求:",
    "　　　　结构安全等级: 二级",
    "　　　　混凝土强度等级: C30",
    "　　　　钢筋等级: HRB335",
};

const std::vector<std::string> kParams = {
    "二、计算参数:",
    "　　　　根据设计要求查规范得:",
    "　　　◇重要性系数 γ0＝1.0",
    "　　　◇混凝土C30的参数为:",
    "　　　　混凝土轴心抗拉强度设计值 ft＝1.43（N/mm2）",
    "　　　◇钢筋HRB335的参数为:",
    "　　　　钢筋抗拉强度设计值 fy＝300（N/mm2）",
};

std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(EccTensionSymDesign, DefaultsGiveTheWholeSheet) {
    const double e0 = 50e6 / 224e3, ep = e0 + 125 - 35, As = 224e3 * ep / (300 * (215 - 35.0));
    RunResult r = run("CEccTensionSymDesignDlg");
    ASSERT_TRUE(r.outcome.ok());
    const auto expected = join({
        {"", "─────对称配筋矩形截面对称偏心受拉构件正截面配筋计算书─────"},
        kHead,
        {
            "　　　　弯矩设计值 M＝50.000000（kN-m）",
            "　　　　轴心力设计值 N＝224.000（kN）",
            "　　　　矩形截面宽度 b＝1000.0（mm）",
            "　　　　矩形截面高度 h＝250.0（mm）",
            "　　　　钢筋合力点至截面近边的距离 a＝a'＝35.0（mm）",
        },
        kParams,
        {
            "三、计算过程:",
            "　　　◇偏心距:",
            "　　　　e0＝M／N＝223.2（mm）",
            "　　　◇截面有效高度:",
            "　　　　h0'＝h－a'＝215.0（mm）",
            "　　　◇钢筋面积计算:",
            "　　　　e'＝e0＋h／2－a＝313.2（mm）",
            "　　　　As＝As'＝γ0×N×e'／｛fy×（h0'－a）｝＝1299.3（mm2）",
            "　　　◇配筋率验算:",
            "　　　　规范要求最小配筋率ρmin＝取大者（0.2％，45×ft／fy％）＝0.21（%）",
            "　　　　ρmin×b×h＝536.2（mm2）",
            "　　　　As,As'≥ρmin×b×h＝536.2（mm2）",
        },
    });
    EXPECT_EQ(sheetLines(r.sheet), expected);
    EXPECT_NEAR(r.results.at(1008), As, 1e-9);
}

TEST(EccTensionSymCheck, DefaultsGiveTheWholeSheet) {
    RunResult r = run("CEccTensionSymCheckDlg");
    ASSERT_TRUE(r.outcome.ok());
    const auto expected = join({
        {"", "─────对称配筋矩形截面偏心受拉构件正截面承载力计算书（已知e0,求N）─────"},
        kHead,
        {
            "　　　　矩形截面宽度 b＝1000.0（mm）",
            "　　　　矩形截面高度 h＝250.0（mm）",
            "　　　　钢筋合力点至截面近边的距离 a'＝a＝35.0（mm）",
            "　　　　钢筋面积 As＝As‘＝1299.2（mm2）",
            "　　　　偏心距 e0＝223.2（mm）",
        },
        kParams,
        {
            "三、计算过程:",
            "　　　◇截面有效高度:",
            "　　　　h0'＝h－a'＝215.0（mm）",
            "　　　◇轴心承载力计算:",
            "　　　　e'＝e0＋h／2－a'＝313.2（mm）",
            "　　　　N＝As×fy×（h0－a'）／｛e'×γ0｝＝224.000（kN）",
            "　　　◇配筋率验算:",
            "　　　　规范要求最小配筋率ρmin＝取大者（0.2％，45×ft／fy％）＝0.21（%）",
            "　　　　As,As'≥ρmin×b×h＝536.2（mm2）",
        },
    });
    EXPECT_EQ(sheetLines(r.sheet), expected);
    EXPECT_NEAR(r.results.at(1024), 1299.2 * 300 * 180 / 313.2 / 1000, 1e-9);
}

TEST(EccTensionSym, ChecksRefuseAtTheirBoundaries) {
    const char* size = "截面尺寸输入有误，请检查。";
    EXPECT_EQ(run("194", {{1002, "125"}}).outcome.message, size);
    EXPECT_TRUE(run("194", {{1002, "124.9"}}).outcome.ok());
    EXPECT_EQ(run("194", {{1001, "0"}, {1006, "0"}}).outcome.message, size);
    EXPECT_EQ(run("194", {{1006, "0"}, {1024, "0"}}).outcome.message, "弯矩数值应大于零，请检查。");
    EXPECT_EQ(run("194", {{1024, "-224"}}).outcome.message, "轴心拉力数值应大于零，请检查。");
    EXPECT_EQ(run("204", {{1002, "125"}}).outcome.message, size);
    EXPECT_TRUE(run("204", {{1002, "124.9"}}).outcome.ok());
    EXPECT_EQ(run("204", {{1073, "0"}}).outcome.message, size);
    EXPECT_EQ(run("204", {{1008, "0"}}).outcome.message, "钢筋面积应大于零，请检查。");
    EXPECT_EQ(run("204", {{1008, "0"}, {1073, "0"}}).outcome.message, size);
}

TEST(EccTensionSymDesign, MinimumGovernsALightLoad) {
    // N = 10, M = 1: e' = 190, As = 10e3·190/(300·180) = 35.2 < 536.25.
    RunResult r = run("194", {{1024, "10"}, {1006, "1"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　As＝As'＝γ0×N×e'／｛fy×（h0'－a）｝＝35.2（mm2）"));
    EXPECT_FALSE(hasLine(r.sheet, "　　　　As,As'≥ρmin×b×h＝536.2（mm2）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　As,As'＜ρmin×b×h＝536.2（mm2）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　按最小配筋率构造配筋，取 As＝As'＝ρmin×b×h＝536.2（mm2）"));
    EXPECT_NEAR(r.results.at(1008), 0.45 * 1.43 / 300 * 1000 * 250, 1e-9);
}

TEST(EccTensionSymCheck, AreaBelowTheMinimumIsSaid) {
    RunResult r = run("204", {{1008, "500"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　As,As'＜ρmin×b×h＝536.2（mm2）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　截面少筋，不满足规范最小配筋率要求，上述承载力不能采用。"));
    EXPECT_GT(r.results.at(1024), 0);
}

TEST(EccTensionSym, DesignFedIntoCheckCarriesTheForce) {
    struct Load {
        const char* N;
        const char* M;
    } loads[] = {{"224", "50"}, {"10", "1"}, {"800", "12"}, {"50", "400"}};
    for (const auto& l : loads) {
        RunResult d = run("194", {{1024, l.N}, {1006, l.M}, {1011, "一级"}, {1010, "HRB400"}});
        ASSERT_TRUE(d.outcome.ok());
        const double N = std::atof(l.N), e0 = std::atof(l.M) / N * 1000;
        char as[64], e[64];
        std::snprintf(as, sizeof as, "%.17g", d.results.at(1008));
        std::snprintf(e, sizeof e, "%.17g", e0);
        RunResult c = run("204", {{1008, as}, {1073, e}, {1011, "一级"}, {1010, "HRB400"}});
        ASSERT_TRUE(c.outcome.ok());
        EXPECT_GE(c.results.at(1024), N * (1 - 1e-12)) << l.N << " " << l.M;
        if (lineStartingWith(d.sheet, "　　　　按最小配筋率构造配筋").empty()) {
            EXPECT_NEAR(c.results.at(1024), N, 1e-9 * N) << l.N << " " << l.M;
        }
    }
}

}  // namespace
}  // namespace tov::test
