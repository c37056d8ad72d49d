// The flexural forms against the plane-section engine: capacities where the code's explicit
// formulas stop, designs proved by their checks, and the figures of the mended cases.
#include <cmath>
#include <cstdio>
#include <random>

#include "codedata/codetables.h"
#include "flexure/selfcheck.h"
#include "section/section.h"
#include "tests/core/testutil.h"

namespace tov::test {
namespace {

std::string num(double v) {
    char t[64];
    std::snprintf(t, sizeof t, "%.17g", v);
    return t;
}

bool contains(const std::string& sheet, const char* text) { return sheet.find(text) != std::string::npos; }

// The figure after the last "＝" of a line.
double figureOf(const std::string& line) { return std::atof(line.substr(line.rfind("＝") + 3).c_str()); }

// Picker rows of one case; the names are the entries the forms take.
struct Grades {
    int safety, concrete, steel, steelC;
    std::string name(PickerKind k, int row) const { return pickerTexts(k)[row]; }
    double c(int row, Col col) const { return columnValue(PickerKind::Concrete, row, col); }
    double s(int row, Col col) const { return columnValue(PickerKind::Steel, row, col); }
    double gamma0() const { return columnValue(PickerKind::Safety, safety, ColGamma0); }
    double xib() const {
        return c(concrete, ColBeta1) / (1 + s(steel, ColFy) / (s(steel, ColEs) * 1e5 * c(concrete, ColEpsCu)));
    }
};

// The engine's flexural capacity (kN·m, divided by γ0) with the depth capped at ξb·h0.
double engineMu(const Grades& g, double b, double h, double ac, double a, double Asc, double As) {
    section::RectSection s;
    s.b = b;
    s.h = h;
    s.fc = g.c(g.concrete, ColFc);
    s.alpha1 = g.c(g.concrete, ColAlpha1);
    s.beta1 = g.c(g.concrete, ColBeta1);
    s.ecu = g.c(g.concrete, ColEpsCu);
    s.As = {As, h - a, g.s(g.steel, ColFy), g.s(g.steel, ColFyPrime), g.s(g.steel, ColEs) * 1e5};
    s.Asp = {Asc, ac, g.s(g.steelC, ColFy), g.s(g.steelC, ColFyPrime), g.s(g.steelC, ColEs) * 1e5};
    const auto m = section::momentCapacity(s, 0, g.xib() * (h - a) / s.beta1);
    return m.ok ? m.at.M / g.gamma0() / 1e6 : 0;
}

TEST(FlexureMended, DoublyCheckOverReinforcedWithDeepCoverTakesTheLimitDepthByPlaneSections) {
    // C30, As HRB400, As' HRBF400, b = 125, h = 148, a = 28.7, a' = 55.5, As' = 217, As = 724:
    // h0 = 119.3, ξ = (360·724 − 360·217)/(14.3·125·119.3) = 0.856 > ξb = 0.5176, and
    // 2a'/h0 = 0.930 > ξb. At x = ξb·h0 = 61.76 the neutral axis is at 77.19:
    // σs' = 660·(1 − 55.5/77.19) = 185.5; Mu = 14.3·125·61.76·(119.3 − 30.88) + 185.5·217·63.8
    // = 9.761 + 2.568 = 12.33 kN·m. It was 14.745 (fy' at ξb, then 6.2.14).
    RunResult r = run("CDoublyRectCheckDlg", {{1011, "地震设计"}, {1021, "HRBF400"}, {1010, "HRB400"}, {1001, "125"},
                                              {1000, "148"}, {1022, "55.5"}, {1002, "28.7"}, {1023, "217"},
                                              {1008, "724"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_NEAR(r.results.at(1020), 12.33, 0.005);
    EXPECT_TRUE(contains(r.sheet, "按平截面假定计算："));
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　σs'＝"), "　　　　σs'＝｛1－β1×a'／x｝×εcu×Es'（－fy≤σs'≤fy'）＝185.482（N/mm2）");
    EXPECT_EQ(r.verdict.kind, Verdict::Kind::Fail);
}

TEST(FlexureMended, TBeamCheckOverReinforcedTakesTheBlockInsideTheFlange) {
    // C15 (fc = 7.2), RRB400, 三级 (γ0 = 0.9): h0 = 137, bf' = 1053 (the actual width),
    // ξb·h0 = 0.5176·137 = 70.9 < hf' = 122, so the block x = 70.9 lies in the flange:
    // Mu = 7.2·1053·70.9·(137 − 35.46)/0.9 = 60.66 kN·m. It was 74.694 (the whole overhang to hf').
    RunResult r = run("CTBeamCheckDlg", {{1011, "三级"}, {1009, "C15"}, {1010, "RRB400"}, {1027, "23098"},
                                         {1025, "1053"}, {1024, "122"}, {1001, "206"}, {1000, "321"},
                                         {1002, "184"}, {1008, "3473"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_NEAR(r.results.at(1020), 60.66, 0.005);
    EXPECT_TRUE(hasLine(r.sheet, "　　　　x＝ξb×h0＝70.9（mm）＜hf'＝122.0（mm）"));
    EXPECT_EQ(r.verdict.kind, Verdict::Kind::Fail);
}

TEST(FlexureMended, KnownAsDesignThatOverReinforcesDesignsBothAreasAtTheLimit) {
    // C25, HRB400 both, b = 470, h = 410, a = 65, a' = 160, M = 380, As' = 1950: ξ = 0.501 <
    // 2a'/h0 = 0.928, so 6.2.14 gives As = 380e6/(360·185) = 5705.7; with the given As',
    // ξ = 360·(5705.7 − 1950)/(11.9·470·345) = 0.701 > ξb: the check carried 322.85 < 380.
    // Both at ξb: As' = (360·5705.7 − 11.9·470·345·0.5176)/360 = 2931.1.
    RunResult r = run("CDoublyRectKnownAsDlg", {{1009, "C25"}, {1001, "470"}, {1000, "410"}, {1002, "65"},
                                                {1022, "160"}, {1006, "380"}, {1023, "1950"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(contains(r.sheet, "属超筋截面，应按As'未知重新计算:"));
    EXPECT_NEAR(r.results.at(1008), 5705.7, 0.05);
    const double Asc = figureOf(lineStartingWith(r.sheet, "　　　　取x＝ξb×h0，As'＝"));
    EXPECT_NEAR(Asc, 2931.1, 0.05);
    // The areas as the sheet prints them carry M by the check.
    RunResult c = run("CDoublyRectCheckDlg", {{1009, "C25"}, {1010, "HRB400"}, {1021, "HRB400"}, {1001, "470"},
                                              {1000, "410"}, {1002, "65"}, {1022, "160"}, {1023, "2931.1"},
                                              {1008, "5705.7"}});
    EXPECT_NEAR(c.results.at(1020), 380, 0.01);
}

TEST(FlexureMended, SymmetricAndDoublyChecksAgreeOnAnOverReinforcedSection) {
    // C15, HRB500 (fy = 435, fy' = 410), b = 200, h = 500, a = a' = 150, As = As' = 20000:
    // 150 finds ξ = 25·20000/(7.2·200·350) = 0.992 > ξb = 0.482 and 210 finds plane sections
    // beyond ξb; both take x = ξb·h0 = 168.8 with σs' = 660·(1 − 150/211.0) = 190.7 by plane
    // sections: Mu = 7.2·200·168.8·(350 − 84.4) + 190.7·20000·200 = 64.55 + 762.86 = 827.41.
    // 210 gave the uncapped plane-section equilibrium before.
    RunResult c150 = run("150", {{1009, "C15"}, {1010, "HRB500"}, {1021, "HRB500"}, {1001, "200"}, {1000, "500"},
                                 {1002, "150"}, {1022, "150"}, {1023, "20000"}, {1008, "20000"}});
    RunResult c210 = run("210", {{1009, "C15"}, {1010, "HRB500"}, {1001, "200"}, {1000, "500"}, {1002, "150"},
                                 {1008, "20000"}});
    ASSERT_TRUE(c150.outcome.ok() && c210.outcome.ok());
    EXPECT_NEAR(c150.results.at(1020), 827.41, 0.01);
    EXPECT_DOUBLE_EQ(c210.results.at(1020), c150.results.at(1020));
}

TEST(FlexureSelfCheck, RaiseFindsTheLeastFactorThatCarries) {
    // Carries from k = 1.25 on, after a drop at k = 1.1 that a bisection over [1, 20] would miss.
    const auto cap = [](double k) { return k < 1.1 ? 0.9 * k : 0.8 * k; };
    EXPECT_NEAR(flexure::raiseFactor(cap, 1.0), 1.25, 1e-9);
    EXPECT_EQ(flexure::raiseFactor(cap, 0.5), 1);
    EXPECT_EQ(flexure::raiseFactor(cap, 100.0), 0);  // nothing up to twenty times carries
}

TEST(FlexureMended, ComparedFiguresPrintApart) {
    // ξ beyond ξb by 1e-5: at three decimals both read 0.518, so the sheet prints more.
    const double xib = 0.8 / (1 + 360.0 / 660), h0 = 463;
    const double As = (xib + 1e-5) * 14.3 * 250 * h0 / 360;
    RunResult r = run("CSinglyRectCheckDlg", {{1008, num(As)}});
    ASSERT_TRUE(r.outcome.ok());
    const double shownXib = figureOf(lineStartingWith(r.sheet, "　　　　ξb＝"));
    const double shownXi = figureOf(lineStartingWith(r.sheet, "　　　　ξ＝"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为ξ＞ξb，属超筋截面，取ξ＝ξb，承载弯矩为:"));
    EXPECT_GT(shownXi, shownXib);
}

// Random sections of every grade, shallow and deep covers: each check stays within the engine
// where the formulas stop, and each design carries its moment by its check (and by the engine
// where the check used it).
TEST(FlexureProperties, ChecksStayWithinTheEngineAndDesignsCarry) {
    std::mt19937 gen(20261208);
    auto u = [&gen](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(gen); };
    auto row = [&gen](PickerKind k) {
        return std::uniform_int_distribution<int>(0, static_cast<int>(pickerTexts(k).size()) - 1)(gen);
    };
    int plane = 0, capped = 0, flange = 0, designs = 0, failed = 0;
    for (int i = 0; i < 2000; ++i) {
        const Grades g{row(PickerKind::Safety), row(PickerKind::Concrete), row(PickerKind::Steel),
                       row(PickerKind::Steel)};
        const double h = u(150, 1200), b = u(100, 600);
        const bool deep = i % 2 == 0;
        const double a = u(15, deep ? 0.3 * h : 0.12 * h), ac = u(15, deep ? 0.5 * (h - a) : 0.12 * h);
        const double As = std::exp(u(std::log(50.0), std::log(0.08 * b * h)));
        const double Asc = std::exp(u(std::log(50.0), std::log(0.04 * b * h)));
        const double M = std::exp(u(std::log(1.0), std::log(1e-6 * 14.3 * b * h * h)));
        const std::vector<Assignment> grades = {{1011, g.name(PickerKind::Safety, g.safety)},
                                                {1009, g.name(PickerKind::Concrete, g.concrete)},
                                                {1010, g.name(PickerKind::Steel, g.steel)}};
        auto with = [&](std::vector<Assignment> more) {
            std::vector<Assignment> all = grades;
            all.insert(all.end(), more.begin(), more.end());
            return all;
        };
        const std::string what = "case " + std::to_string(i);
        const std::vector<Assignment> rect = {{1001, num(b)}, {1000, num(h)}, {1002, num(a)}};
        auto withRect = [&](std::vector<Assignment> more) {
            auto all = with(rect);
            all.insert(all.end(), more.begin(), more.end());
            return all;
        };
        const std::string steelC = g.name(PickerKind::Steel, g.steelC);

        // Checks where the formulas stop: the capacity at x = ξb·h0 by plane sections.
        RunResult c150 = run("150", withRect({{1021, steelC}, {1022, num(ac)}, {1023, num(Asc)}, {1008, num(As)}}));
        ASSERT_TRUE(c150.outcome.ok()) << what;
        if (contains(c150.sheet, "按平截面假定计算：")) {
            ++plane;
            EXPECT_LE(c150.results.at(1020), 1.005 * engineMu(g, b, h, ac, a, Asc, As) + 1e-9) << what;
        }
        Grades same = g;
        same.steelC = g.steel;
        RunResult c210 = run("210", withRect({{1008, num(As)}}));
        ASSERT_TRUE(c210.outcome.ok()) << what;
        if (contains(c210.sheet, "按平截面假定计算：")) {
            ++plane;
            EXPECT_LE(c210.results.at(1020), 1.005 * engineMu(same, b, h, a, a, As, As) + 1e-9) << what;
        }
        RunResult c142 = run("142", withRect({{1008, num(As)}}));
        ASSERT_TRUE(c142.outcome.ok()) << what;
        if (contains(c142.sheet, "因为ξ＞ξb")) {
            ++capped;
            EXPECT_LE(c142.results.at(1020), 1.005 * engineMu(g, b, h, a, a, 0, As) + 1e-9) << what;
        }
        // A T beam whose effective flange is its actual width (hf'/h0 ≥ 0.1, a long span).
        const double hf = u(0.1 * (h - a), 0.9 * (h - a)), bf = b + u(0, 4 * hf);
        const std::vector<Assignment> tee = {{1027, "1e6"}, {1025, num(bf)}, {1024, num(hf)}, {1001, num(b)},
                                             {1000, num(h)},  {1002, num(a)}};
        auto withTee = [&](std::vector<Assignment> more) {
            auto all = with(tee);
            all.insert(all.end(), more.begin(), more.end());
            return all;
        };
        RunResult c162 = run("162", withTee({{1008, num(As)}}));
        ASSERT_TRUE(c162.outcome.ok()) << what;
        if (contains(c162.sheet, "受压区位于翼缘内")) {
            ++flange;
            EXPECT_LE(c162.results.at(1020), 1.005 * engineMu(g, bf, h, a, a, 0, As) + 1e-9) << what;
        }

        // Designs: a blank area only with a failing verdict; otherwise the areas carry M.
        auto proved = [&](const RunResult& d, int id, const char* check, std::vector<Assignment> in) {
            ASSERT_TRUE(d.outcome.ok()) << what;
            ++designs;
            if (d.empty.count(id)) {
                ++failed;
                EXPECT_EQ(d.verdict.kind, Verdict::Kind::Fail) << what;
                return;
            }
            RunResult c = run(check, in);
            ASSERT_TRUE(c.outcome.ok()) << what << " " << check;
            EXPECT_GE(c.results.at(1020), M * (1 - 1e-6)) << what << " " << check;
        };
        RunResult d130 = run("130", withRect({{1006, num(M)}}));
        proved(d130, 1008, "142", withRect({{1008, num(d130.results[1008])}}));
        RunResult d144 = run("144", withRect({{1021, steelC}, {1022, num(ac)}, {1006, num(M)}}));
        const double Asc144 = d144.results[1023], As144 = d144.results[1008];
        if (Asc144 > 0) {
            proved(d144, 1008, "150",
                   withRect({{1021, steelC}, {1022, num(ac)}, {1023, num(Asc144)}, {1008, num(As144)}}));
            // Where the check used plane sections, the engine carries M too.
            RunResult c = run("150", withRect({{1021, steelC}, {1022, num(ac)}, {1023, num(Asc144)}, {1008, num(As144)}}));
            if (contains(c.sheet, "按平截面假定计算：")) {
                EXPECT_GE(engineMu(g, b, h, ac, a, Asc144, As144), M * (1 - 1e-6)) << what;
            }
        } else {
            proved(d144, 1008, "142", withRect({{1008, num(As144)}}));
        }
        RunResult d152 = run("152", withTee({{1006, num(M)}}));
        proved(d152, 1008, "162", withTee({{1008, num(d152.results[1008])}}));
        if (HasFailure()) return;
    }
    // Every regime is reached.
    EXPECT_GT(plane, 50);
    EXPECT_GT(capped, 50);
    EXPECT_GT(flange, 20);
    EXPECT_GT(failed, 50);
    EXPECT_LT(failed, designs);
}

}  // namespace
}  // namespace tov::test
