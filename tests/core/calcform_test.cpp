// The common form behaviour: appending sheets, pickers and typed text, refusals that change nothing.
#include <gtest/gtest.h>

#include <random>

#include "forms/flatmap.h"
#include "forms/memoryview.h"
#include "forms/numfield.h"
#include "forms/registry.h"
#include "tests/core/testutil.h"

namespace tov::test {
namespace {

std::unique_ptr<CalcForm> openForm(const char* name, MemoryView& ui) {
    auto form = findForm(name)->make();
    form->open(ui);
    return form;
}

TEST(CalcReport, EmptyReportGetsOneSheetStartingWithAnEmptyLine) {
    MemoryReport report;
    MemoryView ui;
    auto form = openForm("CSinglyRectDesignDlg", ui);
    ASSERT_TRUE(form->onCalculate(ui, report).ok());
    const std::string& t = report.text();
    EXPECT_EQ(t.rfind("\r\n─────单筋矩形截面受弯构件正截面配筋计算书─────\r\n", 0), 0u);
    EXPECT_EQ(t.substr(t.size() - 2), "\r\n");
}

TEST(CalcReport, TwoPressesGiveTwoSheetsSeparatedByOneEmptyLine) {
    MemoryReport report("用户的文字");
    MemoryView ui;
    auto form = openForm("CSinglyRectDesignDlg", ui);
    ASSERT_TRUE(form->onCalculate(ui, report).ok());
    const std::string first = report.text();
    ASSERT_TRUE(form->onCalculate(ui, report).ok());
    const std::string& both = report.text();
    EXPECT_EQ(both.rfind("用户的文字\r\n─────", 0), 0u);  // typed text kept, sheet after it
    EXPECT_EQ(both.substr(0, first.size()), first);     // nothing printed earlier changes
    EXPECT_EQ(both.substr(first.size(), 5), "\r\n─");
    EXPECT_NE(both.find("（mm2）\r\n\r\n─────"), std::string::npos);
}

TEST(CalcForm, UnreadableFieldShowsTheMessageAndAppendsNothing) {
    for (const char* bad : {"abc", "", "inf", "nan", "1e999", ".0"}) {
        MemoryReport report("x");
        MemoryView ui;
        auto form = openForm("CSinglyRectDesignDlg", ui);
        ui.texts[1001] = bad;
        Outcome out = form->onCalculate(ui, report);
        EXPECT_FALSE(out.ok()) << bad;
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "请键入一个数。");
        EXPECT_EQ(ui.focus, 1001);
        EXPECT_EQ(report.text(), "x");
        EXPECT_EQ(ui.texts[1001], bad);  // the typed text stays
    }
}

TEST(CalcForm, RefusedCheckLeavesReportResultsAndInputs) {
    MemoryReport report;
    MemoryView ui;
    auto form = openForm("CSinglyRectDesignDlg", ui);
    ASSERT_TRUE(form->onCalculate(ui, report).ok());
    const std::string before = report.text();
    const std::string result = ui.texts[1008];
    ui.texts[1006] = "0";
    ui.texts[1001] = "250";
    EXPECT_FALSE(form->onCalculate(ui, report).ok());
    EXPECT_EQ(report.text(), before);
    EXPECT_EQ(ui.texts[1008], result);
    EXPECT_EQ(ui.texts[1001], "250");
    EXPECT_EQ(ui.messages.back().text, "弯矩数值应大于零，请检查。");
    EXPECT_EQ(ui.messages.back().icon, Icon::Stop);
}

TEST(CalcForm, PickerKeepsTypedNumbersAndTakesTheRow) {
    MemoryView ui;
    auto form = openForm("CSinglyRectDesignDlg", ui);
    ui.texts[1006] = "200.5";
    ui.selections[1010] = 6;  // HRB500
    form->onSelect(ui, 1010);
    EXPECT_EQ(ui.texts[1006], "200.5");
    EXPECT_DOUBLE_EQ(form->value(1006), 200.5);
    EXPECT_DOUBLE_EQ(form->col(1010, ColFy), 435);
    EXPECT_EQ(form->sheetName(1010), "HRB500");
    EXPECT_THROW(form->col(1010, ColFyPrime), std::logic_error);  // not a column of this form
}

TEST(CalcForm, PickerAfterARefusedFieldKeepsEveryTypedText) {
    MemoryView ui;
    auto form = openForm("CSinglyRectDesignDlg", ui);
    ui.texts[1006] = "12x";
    ui.texts[1000] = "650";
    ui.selections[1009] = 0;  // C15
    form->onSelect(ui, 1009);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "请键入一个数。");
    EXPECT_EQ(ui.texts[1006], "12x");
    EXPECT_EQ(ui.texts[1000], "650");
    EXPECT_EQ(form->sheetName(1009), "C15");  // the selection itself still takes effect
}

TEST(CalcForm, NoSelectionChangesNothing) {
    MemoryView ui;
    auto form = openForm("CSinglyRectDesignDlg", ui);
    ui.selections[1009] = -1;
    form->onSelect(ui, 1009);
    EXPECT_EQ(form->sheetName(1009), "C35");
    ui.selections[1009] = 14;
    form->onSelect(ui, 1009);
    EXPECT_EQ(form->sheetName(1009), "C35");
    EXPECT_EQ(form->pick(1009), 4);
}

TEST(CalcForm, OpeningSetsDefaultsAndInitialPicks) {
    MemoryView ui;
    auto form = openForm("CSinglyRectCheckDlg", ui);
    EXPECT_EQ(ui.texts[1001], "250");
    EXPECT_EQ(ui.texts[1008], "1018");
    EXPECT_EQ(ui.texts[1020], "0");
    EXPECT_EQ(ui.selections[1009], 3);
    EXPECT_EQ(ui.selections[1011], 1);
    EXPECT_EQ(form->sheetName(1011), "二级");
}

// A report that refuses every replacement: the form must keep its old results.
class RefusingReport : public ReportTarget {
public:
    const std::string& wholeText() const override { return old_; }
    bool replaceWholeText(const std::string&) override { return false; }

private:
    std::string old_ = "old";
};

TEST(CalcForm, ReportRefusingTheSheetKeepsTheOldResults) {
    MemoryView ui;
    auto form = openForm("CSinglyRectDesignDlg", ui);
    RefusingReport report;
    EXPECT_FALSE(form->onCalculate(ui, report).ok());
    EXPECT_EQ(form->value(1008), 0);
    EXPECT_EQ(ui.texts[1008], "0");
}

TEST(IdMap, BuiltAtOnceEqualsBuiltOneByOne) {
    std::mt19937 rng(16);
    for (int round = 0; round < 500; ++round) {
        std::vector<std::pair<int, int>> entries(rng() % 40);
        for (auto& e : entries) e = {static_cast<int>(rng() % 30), static_cast<int>(rng() % 1000)};
        IdMap<int> one, all;
        for (const auto& [id, v] : entries)
            if (!one.contains(id)) one[id] = v;  // the first value given wins
        all.assign(entries);
        ASSERT_TRUE(std::equal(one.begin(), one.end(), all.begin(), all.end()));
    }
}

TEST(CalcForm, ViewDroppedAfterCalculateGetsNoResultsButTheFormHasThem) {
    MemoryReport shownReport, droppedReport;
    MemoryView shown, dropped;
    dropped.dropsResults = true;
    auto a = openForm("CSinglyRectDesignDlg", shown);
    auto b = openForm("CSinglyRectDesignDlg", dropped);
    const MemoryView beforeCalc = dropped;
    ASSERT_TRUE(a->onCalculate(shown, shownReport).ok());
    ASSERT_TRUE(b->onCalculate(dropped, droppedReport).ok());
    EXPECT_EQ(shownReport.text(), droppedReport.text());
    int results = 0;
    for (const auto& c : a->decl().controls) {
        if (!c.isResult() || c.kind == CtlKind::TextResult) continue;
        ++results;
        EXPECT_EQ(a->value(c.id), b->value(c.id));
        EXPECT_EQ(shown.fieldText(c.id), showNumber(a->value(c.id)));
        EXPECT_EQ(dropped.fieldText(c.id), beforeCalc.fieldText(c.id));
    }
    EXPECT_GT(results, 0);
}

TEST(Runner, RejectsUnknownControlsEntriesAndResultFields) {
    EXPECT_THROW(run("130", {{9999, "1"}}), UsageError);
    EXPECT_THROW(run("130", {{1009, "C99"}}), UsageError);
    EXPECT_THROW(run("130", {{1008, "5"}}), UsageError);
    EXPECT_THROW(parseAssignment("1006"), UsageError);
    EXPECT_THROW(parseAssignment("x=1"), UsageError);
    EXPECT_EQ(parseAssignment("1011=地震设计").value, "地震设计");
}

}  // namespace
}  // namespace tov::test

namespace tov::test {
namespace {

TEST(CalcForm, AbsurdMagnitudesAreRefusedAfterTheDeclaredChecks) {
    RunResult r = run("142", {{1001, "1e300"}, {1008, "1e300"}});
    EXPECT_EQ(r.outcome.message, "输入数值超出计算范围，请检查。");
    r = run("142", {{1001, "1e-300"}});
    EXPECT_EQ(r.outcome.message, "输入数值超出计算范围，请检查。");
    // The declared checks still come first.
    EXPECT_EQ(run("142", {{1001, "1e300"}, {1008, "0"}}).outcome.message, "钢筋面积应大于零，请检查。");
    EXPECT_TRUE(run("142", {{1001, "1e9"}, {1008, "1e-6"}}).outcome.ok());
}

}  // namespace
}  // namespace tov::test
