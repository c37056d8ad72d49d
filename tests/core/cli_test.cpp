// The command line's contract: output, exit statuses, JSON, appending to a report file, batches.
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>

#include "forms/reportfile.h"
#include "tests/core/testutil.h"

namespace tov::test {
namespace {

namespace fs = std::filesystem;

struct Cli {
    int status;
    std::string out, err;
};

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

Cli cli(const std::vector<std::string>& args) {
    static int n = 0;
    const fs::path base = fs::temp_directory_path() / ("tovarin-cli-" + std::to_string(::getpid()) + "-" + std::to_string(n++));
    std::string cmd = quote(TOVARIN_CLI);
    for (const auto& a : args) cmd += " " + quote(a);
    cmd += " >" + quote(base.string() + ".out") + " 2>" + quote(base.string() + ".err");
    const int raw = std::system(cmd.c_str());
    Cli r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(base.string() + ".out"), slurp(base.string() + ".err")};
    fs::remove(base.string() + ".out");
    fs::remove(base.string() + ".err");
    return r;
}

TEST(CommandLine, PrintsTheSheetOfOneCalculate) {
    Cli r = cli({"CSinglyRectDesignDlg"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, run("CSinglyRectDesignDlg").sheet);
    EXPECT_EQ(r.out.rfind("\r\n─────单筋矩形截面受弯构件正截面配筋计算书─────\r\n", 0), 0u);
    // Picks first, in the order given, then the typed numbers; ids by dialog or command id too.
    Cli p = cli({"32773", "1006=120", "1009=C40", "1011=地震设计"});
    EXPECT_EQ(p.status, 0);
    EXPECT_EQ(p.out, run("130", {{1006, "120"}, {1009, "C40"}, {1011, "地震设计"}}).sheet);
    EXPECT_NE(p.out.find("地震设计状况"), std::string::npos);
}

TEST(CommandLine, RefusedCheckGoesToStderrWithStatus2) {
    Cli r = cli({"142", "1008=0"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "钢筋面积应大于零，请检查。\n");
    Cli n = cli({"142", "1008=abc"});
    EXPECT_EQ(n.status, 2);
    EXPECT_EQ(n.err, "请键入一个数。\n");
}

TEST(CommandLine, UsageErrorsExit64) {
    EXPECT_EQ(cli({"NoSuchDlg"}).status, 64);
    EXPECT_EQ(cli({"130", "4242=1"}).status, 64);
    EXPECT_EQ(cli({"130", "1009=C99"}).status, 64);
    EXPECT_EQ(cli({"130", "1006"}).status, 64);
    EXPECT_EQ(cli({}).status, 64);
}

TEST(CommandLine, ListAndShow) {
    Cli l = cli({"list"});
    EXPECT_EQ(l.status, 0);
    EXPECT_NE(l.out.find("32773\t130\tCSinglyRectDesignDlg\t单筋矩形截面受弯构件正截面配筋计算\n"), std::string::npos);
    Cli s = cli({"show", "142"});
    EXPECT_EQ(s.status, 0);
    EXPECT_NE(s.out.find("1008\tedit\t钢筋面积As(mm2)\tmm2\tdefault: 1018"), std::string::npos);
    EXPECT_NE(s.out.find("1011\tpicker\t结构安全等级\tdefault: 二级\tentries: 一级 二级 三级 地震设计"), std::string::npos);
}

TEST(CommandLine, JsonCarriesSheetResultsAndMessages) {
    Cli r = cli({"130", "--json"});
    EXPECT_EQ(r.status, 0);
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["form"], "CSinglyRectDesignDlg");
    EXPECT_EQ(j["sheet"], run("130").sheet);
    EXPECT_NEAR(j["results"]["1008"].get<double>(), run("130").results.at(1008), 1e-9);
    EXPECT_TRUE(j["message"].is_null());
    EXPECT_TRUE(j["icon"].is_null());
    Cli f = cli({"142", "1008=0", "--json"});
    EXPECT_EQ(f.status, 2);
    auto k = nlohmann::json::parse(f.out);
    EXPECT_TRUE(k["sheet"].is_null());
    EXPECT_EQ(k["message"], "钢筋面积应大于零，请检查。");
    EXPECT_EQ(k["icon"], "stop");
}

TEST(CommandLine, CurveOfARectangularForm) {
    // Form 142 at its defaults: the load point is its Mu at N = 0, on the curve.
    Cli j = cli({"curve", "142", "--json"});
    EXPECT_EQ(j.status, 0);
    auto k = nlohmann::json::parse(j.out);
    ASSERT_EQ(k["points"].size(), 1u);
    EXPECT_NEAR(k["points"][0]["M"].get<double>(), run("142").results.at(1020), 1e-9);
    EXPECT_NEAR(k["points"][0]["utilisation"].get<double>(), 1, 1e-6);
    EXPECT_EQ(k["curve"].front(), k["curve"].back());
    // Pure tension of As = 1018 HRB400 alone: −366.48 kN.
    EXPECT_NEAR(k["curve"][0][0].get<double>(), -366.48, 1e-9);
    Cli c = cli({"curve", "180", "--csv"});
    EXPECT_EQ(c.status, 0);
    EXPECT_EQ(c.out.rfind("kind,label,N(kN),M(kN.m)\nload,不计二阶效应（ei＝M2／N＋ea）,4180.000,", 0), 0u);
    EXPECT_NE(c.out.find("\nload,计入二阶效应（ei＝M／N＋ea）,"), std::string::npos);
    EXPECT_NE(c.out.find("\nbalanced,,"), std::string::npos);
    EXPECT_EQ(cli({"curve", "169"}).status, 64);          // no rectangular section with As′
    EXPECT_EQ(cli({"curve", "142", "1008=0"}).status, 2);  // refused
    EXPECT_EQ(cli({"curve", "142", "--csv", "--json"}).status, 64);
    EXPECT_EQ(cli({"142", "--csv"}).status, 64);
}

TEST(CommandLine, ReportFileIsCreatedThenAppendedInGbk) {
    const fs::path p = fs::temp_directory_path() / ("tovarin-cli-report-" + std::to_string(::getpid()) + ".txt");
    fs::remove(p);
    ASSERT_EQ(cli({"130", "--report", p.string()}).status, 0);
    ASSERT_EQ(cli({"142", "--report", p.string()}).status, 0);
    const std::string bytes = slurp(p);
    ReportText t;
    ASSERT_TRUE(decodeReport(bytes, t).ok());
    EXPECT_EQ(t.encoding, ReportEncoding::Gbk);
    EXPECT_EQ(t.utf8, run("130").sheet + run("142").sheet);
    EXPECT_EQ(cli({"142", "1008=0", "--report", p.string()}).status, 2);
    EXPECT_EQ(slurp(p), bytes);  // a refused case leaves the file alone
    fs::remove(p);
}

TEST(CommandLine, BatchReportsRefusedLinesAndGoesOn) {
    const fs::path b = fs::temp_directory_path() / ("tovarin-batch-" + std::to_string(::getpid()) + ".txt");
    {
        std::ofstream out(b);
        out << "# two good cases and two bad ones\n130 1006=100\n\n142 1008=0\nNoSuchDlg\n142  # defaults\n";
    }
    Cli r = cli({"--batch", b.string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, run("130", {{1006, "100"}}).sheet + run("142").sheet);
    EXPECT_NE(r.err.find(":4: 钢筋面积应大于零，请检查。"), std::string::npos);
    EXPECT_NE(r.err.find(":5: unknown form NoSuchDlg"), std::string::npos);
    Cli j = cli({"--batch", b.string(), "--json"});
    int lines = 0;
    std::istringstream in(j.out);
    for (std::string line; std::getline(in, line); ++lines) EXPECT_TRUE(nlohmann::json::parse(line).contains("line"));
    EXPECT_EQ(lines, 4);
    fs::remove(b);
}

}  // namespace
}  // namespace tov::test
