// Reading sheets back into their forms: every form's default and random cases, written to a GBK
// report and read again, calculate to the same sheet.
#include <random>

#include "forms/numfield.h"
#include "forms/readback.h"
#include "forms/reportfile.h"
#include "tests/core/testutil.h"

namespace tov::test {
namespace {

// The report as it comes back from disk: encoded to GBK and decoded again.
std::string throughGbk(const std::string& text) {
    std::string bytes;
    EXPECT_TRUE(encodeReport({text, ReportEncoding::Gbk}, bytes).ok());
    ReportText back;
    EXPECT_TRUE(decodeReport(bytes, back).ok());
    return back.utf8;
}

// Random inputs as an engineer types them: whole numbers (tenths below 10) near the defaults,
// and random picks. Nothing when the form refuses them.
std::optional<std::vector<Assignment>> randomCase(const FormDecl& decl, std::mt19937& rng) {
    std::vector<Assignment> as;
    for (const Control& c : decl.controls)
        if (c.isChoice() && !c.items.empty() && rng() % 2)
            as.push_back({c.id, c.items[rng() % c.items.size()]});
    std::uniform_real_distribution<double> factor(0.8, 1.25);
    for (const Control& c : decl.controls) {
        if (!c.isInput() || c.def == 0 || rng() % 3 == 0) continue;
        double v = c.def * factor(rng);
        v = std::abs(v) >= 10 ? std::round(v) : std::round(v * 10) / 10;
        as.push_back({c.id, showNumber(v)});
    }
    return as;
}

TEST(ReadBack, EveryFormsSheetsCalculateAgainToTheSameSheet) {
    std::mt19937 rng(20261208);
    for (const FormEntry* e : formRegistry()) {
        const FormDecl& decl = e->decl();
        int cases = 0;
        for (int attempt = 0; attempt < 60 && cases < 3; ++attempt) {
            std::vector<Assignment> as;
            if (attempt > 0) as = *randomCase(decl, rng);
            MemoryReport report("前面的文字\r\n");
            RunResult first;
            try {
                first = runForm(*e, as, report);
            } catch (const UsageError&) {
                continue;  // a field the picks disabled
            }
            if (!first.outcome.ok()) continue;
            // Two more sheets after it, so that the sheet is found among others.
            run(decl.className);
            const std::string text = throughGbk(report.text() + run("CSinglyRectDesignDlg").sheet);
            const auto sheets = findSheets(text);
            ASSERT_EQ(sheets.size(), 2u) << decl.className;
            const auto& span = sheets[0];
            EXPECT_EQ(sheetAtLine(sheets, span.firstLine + 3), &sheets[0]);
            EXPECT_EQ(sheetAtLine(sheets, 0), nullptr);
            ReadBack rb = readBackSheet(std::string_view(text).substr(span.begin, span.end - span.begin));
            ASSERT_TRUE(rb.ok()) << decl.className << ": " << rb.error;
            EXPECT_EQ(rb.form, e);
            MemoryReport again;
            RunResult second = runForm(*e, rb.assignments, again);
            std::string typed, read;
            for (const auto& a : as) typed += " " + std::to_string(a.id) + "=" + a.value;
            for (const auto& a : rb.assignments) read += " " + std::to_string(a.id) + "=" + a.value;
            ASSERT_TRUE(second.outcome.ok()) << decl.className << typed << "\n  read back:" << read << "\n  "
                                             << second.outcome.message;
            const auto a = sheetLines(first.sheet), b = sheetLines(second.sheet);
            std::size_t i = 0;
            while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
            EXPECT_EQ(i, a.size()) << decl.className << " case " << attempt << "\n  " << (i < a.size() ? a[i] : "")
                                   << "\n  " << (i < b.size() ? b[i] : "");
            EXPECT_EQ(a.size(), b.size()) << decl.className;
            ++cases;
        }
        EXPECT_EQ(cases, 3) << decl.className;
    }
}

TEST(ReadBack, SaysWhichLineItCannotRead) {
    const std::string sheet = run("CSinglyRectDesignDlg").sheet;
    EXPECT_FALSE(readBackSheet("前面的文字\r\n").ok());

    std::string edited = sheet;
    const std::string width = "矩形截面宽度 b＝200.0";
    edited.replace(edited.find(width), width.size(), "矩形截面宽度 b＝两百");
    ReadBack rb = readBackSheet(edited);
    EXPECT_FALSE(rb.ok());
    EXPECT_NE(rb.error.find("矩形截面宽度 b＝两百"), std::string::npos) << rb.error;
    EXPECT_EQ(sheetLines(sheet.substr(2)).at(static_cast<std::size_t>(rb.line)).find("矩形截面宽度"), 12u);

    std::string cut = sheet;
    cut.erase(cut.find("　　　　矩形截面宽度"), cut.find("\r\n", cut.find("矩形截面宽度")) + 2 - cut.find("　　　　矩形截面宽度"));
    rb = readBackSheet(cut);
    EXPECT_FALSE(rb.ok());
    EXPECT_EQ(rb.line, -1);
    EXPECT_NE(rb.error.find("矩形截面宽度 b＝"), std::string::npos) << rb.error;
}

}  // namespace
}  // namespace tov::test
