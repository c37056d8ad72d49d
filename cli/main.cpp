// tovarin-calc: the forms of the calculator on the command line.
//
//   tovarin-calc list
//   tovarin-calc show FORM
//   tovarin-calc FORM [ID=VALUE]... [--json] [--report FILE]
//   tovarin-calc --batch FILE [--json | --report FILE]
//   tovarin-calc redo REPORT --sheet N [--json] [--report FILE]
//   tovarin-calc curve FORM [ID=VALUE]... [--csv | --json]
#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "forms/numfield.h"
#include "forms/readback.h"
#include "forms/reportfile.h"
#include "forms/runner.h"
#include "section/formsection.h"

namespace {

using namespace tov;

constexpr int kExitRefused = 2;
constexpr int kExitUsage = 64;
constexpr int kExitFile = 74;

int usage(const std::string& why) {
    if (!why.empty()) std::cerr << "tovarin-calc: " << why << "\n";
    std::cerr << "usage: tovarin-calc list\n"
                 "       tovarin-calc show FORM\n"
                 "       tovarin-calc FORM [ID=VALUE]... [--json] [--report FILE]\n"
                 "       tovarin-calc --batch FILE [--json | --report FILE]\n"
                 "       tovarin-calc redo REPORT --sheet N [--json] [--report FILE]\n"
                 "       tovarin-calc curve FORM [ID=VALUE]... [--csv | --json]\n"
                 "FORM is a class name, dialog id or command id; ID a control id.\n";
    return kExitUsage;
}

const char* kindName(CtlKind k) {
    switch (k) {
        case CtlKind::Picker: return "picker";
        case CtlKind::Edit: return "edit";
        case CtlKind::DigitsEdit: return "edit, digits only";
        case CtlKind::Result: return "result";
        case CtlKind::DigitsResult: return "result, digits only";
        case CtlKind::TextResult: return "text result";
        case CtlKind::CheckBox: return "check box";
        case CtlKind::ListBox: return "list box";
        case CtlKind::HelpButton: return "help button";
    }
    return "";
}

int list() {
    for (const FormEntry* e : formRegistry()) {
        const FormDecl& s = e->decl();
        std::cout << s.commandId << '\t' << s.dialogId << '\t' << s.className << '\t' << s.title << '\n';
    }
    return 0;
}

int show(const FormEntry& e) {
    const FormDecl& s = e.decl();
    std::cout << s.className << " (dialog " << s.dialogId << ", command " << s.commandId << "): " << s.title
              << '\n';
    for (const Control& c : s.controls) {
        std::cout << c.id << '\t' << kindName(c.kind) << '\t' << c.label;
        if (!c.unit.empty()) std::cout << '\t' << c.unit;
        if (c.isChoice()) {
            std::cout << "\tdefault: " << c.items.at(static_cast<std::size_t>(c.def)) << "\tentries:";
            for (const auto& it : c.items) std::cout << ' ' << it;
        } else if (c.isNumeric()) {
            std::cout << "\tdefault: " << showNumber(c.def);
        } else if (c.kind == CtlKind::CheckBox) {
            std::cout << "\tdefault: " << (c.def != 0 ? 1 : 0);
        }
        if (!c.enabled) std::cout << "\t(disabled)";
        if (!c.tab && c.isInput()) std::cout << "\t(not in Tab order)";
        std::cout << '\n';
    }
    return 0;
}

nlohmann::json toJson(const FormDecl& decl, const RunResult& r) {
    nlohmann::json j;
    j["form"] = decl.className;
    j["sheet"] = r.outcome.ok() ? nlohmann::json(r.sheet) : nlohmann::json(nullptr);
    nlohmann::json results = nlohmann::json::object(), texts = nlohmann::json::object();
    for (const auto& [id, v] : r.results)
        results[std::to_string(id)] = r.empty.count(id) ? nlohmann::json(nullptr) : nlohmann::json(v);
    for (const auto& [id, t] : r.texts) texts[std::to_string(id)] = t;
    j["results"] = results;
    j["texts"] = texts;
    j["verdict"] = r.outcome.ok() && r.verdict.kind != Verdict::Kind::None ? nlohmann::json(r.verdict.text)
                                                                           : nlohmann::json(nullptr);
    if (r.outcome.ok()) {
        j["message"] = nullptr;
        j["icon"] = nullptr;
    } else {
        j["message"] = r.outcome.message;
        j["icon"] = r.outcome.icon == Icon::Stop ? "stop" : "information";
    }
    return j;
}

struct Options {
    bool json = false;
    bool csv = false;
    std::optional<std::string> report;
};

// Locks and loads the report file to append to. Only a file that does not exist starts a new
// report; any other failure (unreadable, not a regular file, read-only, several hard links) is
// refused with the file's name and the cause, and the file stays as it was.
bool loadReport(const std::string& path, ReportLock& lock, ReportText& text) {
    if (FileResult r = openReportForAppend(path, lock, text); !r.ok()) {
        std::cerr << "tovarin-calc: " << path << ": " << r.full() << "\n";
        return false;
    }
    return true;
}

bool saveReport(const std::string& path, const ReportLock& lock, const ReportText& text) {
    if (FileResult r = writeReportLocked(lock, text); !r.ok()) {
        std::cerr << "tovarin-calc: " << path << ": " << r.full() << "\n";
        return false;
    }
    return true;
}

// A control given twice on one line is a usage error, not "the last one wins".
void checkDistinct(const std::vector<Assignment>& as) {
    for (std::size_t i = 0; i < as.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (as[i].id == as[j].id) throw UsageError("control " + std::to_string(as[i].id) + " given twice");
}

// True while standard output takes what is written to it.
bool outputOk() { return !std::cout.fail() && !std::ferror(stdout); }

int runOne(const FormEntry& e, const std::vector<Assignment>& as, const Options& opt) {
    ReportText file;
    ReportLock lock;
    if (opt.report && !loadReport(*opt.report, lock, file)) return kExitFile;
    MemoryReport report(file.utf8);
    RunResult r;
    try {
        r = runForm(e, as, report);
    } catch (const UsageError& err) {
        return usage(err.what());
    }
    if (opt.json) std::cout << toJson(e.decl(), r).dump() << '\n';
    if (!r.outcome.ok()) {
        if (!opt.json && !r.outcome.message.empty()) std::cerr << r.outcome.message << '\n';
        return kExitRefused;
    }
    if (opt.report) {
        // The sheet takes the report's own line ends.
        file.utf8 += usesLoneLf(file.utf8) ? crlfToLf(r.sheet) : r.sheet;
        if (!saveReport(*opt.report, lock, file)) return kExitFile;
    } else if (!opt.json) {
        std::cout << r.sheet;
    }
    return 0;
}

// The N–M interaction curve of the section a rectangular form calculated, with the balanced
// point and the calculation's load points (kN, kN·m).
int curve(const FormEntry& e, const std::vector<Assignment>& as, const Options& opt) {
    if (!section::hasRectSection(e.decl().dialogId))
        return usage("form " + e.decl().className + " has no rectangular section with As and As'");
    MemoryReport report;
    std::unique_ptr<CalcForm> form;
    RunResult r;
    try {
        r = runForm(e, as, report, form);
    } catch (const UsageError& err) {
        return usage(err.what());
    }
    if (!r.outcome.ok()) {
        if (!r.outcome.message.empty()) std::cerr << r.outcome.message << '\n';
        return kExitRefused;
    }
    const auto fs = section::formSection(*form);
    if (!fs) {
        std::cerr << "tovarin-calc: the calculation gave no reinforcement to draw"
                  << (r.verdict.text.empty() ? "" : ": " + r.verdict.text) << '\n';
        return kExitRefused;
    }
    const auto pts = section::interactionCurve(fs->section);
    const section::Resultant bal = section::balanced(fs->section);
    auto num = [](double v) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.3f", v);
        return std::string(buf);
    };
    auto util = [&](const section::LoadPoint& p) { return section::utilisation(fs->section, {p.N, p.M}); };
    if (opt.json) {
        nlohmann::json j;
        j["form"] = e.decl().className;
        const section::RectSection& s = fs->section;
        j["section"] = {{"b", s.b}, {"h", s.h}, {"fc", s.fc}, {"alpha1", s.alpha1}, {"beta1", s.beta1},
                        {"ecu", s.ecu},
                        {"As", {{"area", s.As.area}, {"depth", s.As.depth}, {"fy", s.As.fy}, {"fyc", s.As.fyc}}},
                        {"Asp", {{"area", s.Asp.area}, {"depth", s.Asp.depth}, {"fy", s.Asp.fy}, {"fyc", s.Asp.fyc}}}};
        nlohmann::json c = nlohmann::json::array();
        for (const auto& p : pts) c.push_back({p.N / 1e3, p.M / 1e6});
        j["curve"] = c;
        j["balanced"] = {{"N", bal.N / 1e3}, {"M", bal.M / 1e6}};
        nlohmann::json lp = nlohmann::json::array();
        for (const auto& p : fs->points) {
            const double u = util(p);
            lp.push_back({{"label", p.label}, {"N", p.N / 1e3}, {"M", p.M / 1e6},
                          {"utilisation", std::isfinite(u) ? nlohmann::json(u) : nlohmann::json(nullptr)}});
        }
        j["points"] = lp;
        std::cout << j.dump() << '\n';
    } else if (opt.csv) {
        std::cout << "kind,label,N(kN),M(kN.m)\n";
        for (const auto& p : fs->points) std::cout << "load," << p.label << ',' << num(p.N / 1e3) << ',' << num(p.M / 1e6) << '\n';
        std::cout << "balanced,," << num(bal.N / 1e3) << ',' << num(bal.M / 1e6) << '\n';
        for (const auto& p : pts) std::cout << "curve,," << num(p.N / 1e3) << ',' << num(p.M / 1e6) << '\n';
    } else {
        std::cout << fs->title << "\n";
        for (const auto& p : fs->points) {
            const double u = util(p);
            std::cout << p.label << "\tN=" << num(p.N / 1e3) << " kN\tM=" << num(p.M / 1e6) << " kN.m\t"
                      << (std::isfinite(u) ? "utilisation " + num(u) : std::string("outside the curve")) << '\n';
        }
        std::cout << "balanced\tN=" << num(bal.N / 1e3) << " kN\tM=" << num(bal.M / 1e6) << " kN.m\n";
        std::cout << "N(kN)\tM(kN.m)\n";
        for (const auto& p : pts) std::cout << num(p.N / 1e3) << '\t' << num(p.M / 1e6) << '\n';
    }
    return 0;
}

std::vector<std::string> splitWords(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string w;
    while (in >> w) words.push_back(w);
    return words;
}

// Calculates a sheet of a report again: its form, with the inputs read back from the sheet.
int redo(const std::string& path, int number, const Options& opt) {
    ReportText file;
    if (FileResult r = readReportFile(path, file); !r.ok()) {
        std::cerr << "tovarin-calc: " << path << ": " << r.error << "\n";
        return kExitFile;
    }
    const auto sheets = findSheets(file.utf8);
    if (number < 1 || number > static_cast<int>(sheets.size())) {
        std::cerr << "tovarin-calc: " << path << " has " << sheets.size() << " sheet(s), not a sheet " << number
                  << "\n";
        return kExitRefused;
    }
    const SheetSpan& span = sheets[static_cast<std::size_t>(number - 1)];
    const ReadBack rb = readBackSheet(std::string_view(file.utf8).substr(span.begin, span.end - span.begin));
    if (!rb.ok()) {
        std::cerr << path << ":" << (rb.line >= 0 ? span.firstLine + rb.line + 1 : span.firstLine + 1) << ": "
                  << rb.error << "\n";
        return kExitRefused;
    }
    return runOne(*rb.form, rb.assignments, opt);
}

// One case per line: FORM ID=VALUE ...; '#' starts a comment. Refused lines are reported with
// their line number and do not stop the run.
int batch(const std::string& path, const Options& opt) {
    // A folder opens as a stream that reads nothing: refuse it (a pipe, such as /dev/stdin, is
    // read as it comes).
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
        const int code = S_ISDIR(st.st_mode) ? EISDIR : errno;
        std::cerr << "tovarin-calc: cannot read " << path << ": " << errnoText(code) << "\n";
        return kExitFile;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int code = errno;
        std::cerr << "tovarin-calc: cannot read " << path << ": " << errnoText(code) << "\n";
        return kExitFile;
    }
    ReportText file;
    ReportLock lock;
    if (opt.report && !loadReport(*opt.report, lock, file)) return kExitFile;
    // A sheet does not depend on the text before it, so each case runs on an empty report and
    // its sheet is appended here: the run stays linear in the number of cases. The file's size is
    // counted as sheets are added, so that the run stops at the first one that would pass the
    // limit (and the report is left as it was).
    std::string& text = file.utf8;
    const bool lf = usesLoneLf(text);
    const ReportEncoding sheetEncoding = file.encoding == ReportEncoding::Gbk ? ReportEncoding::Gbk : ReportEncoding::Utf8;
    std::size_t size = opt.report ? encodedSize(text, file.encoding) : 0;
    std::string line;
    int lineNo = 0, refused = 0, appended = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (lineNo == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);  // UTF-8 byte-order mark
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        const auto words = splitWords(line);
        if (words.empty()) continue;
        const FormEntry* e = findForm(words[0]);
        std::string error;
        RunResult r;
        if (!e) {
            error = "unknown form " + words[0];
        } else {
            try {
                std::vector<Assignment> as;
                for (std::size_t i = 1; i < words.size(); ++i) as.push_back(parseAssignment(words[i]));
                checkDistinct(as);
                MemoryReport report;
                r = runForm(*e, as, report);
                if (!r.outcome.ok()) error = r.outcome.message;
            } catch (const UsageError& err) {
                error = err.what();
            }
        }
        if (error.empty() && opt.report) {
            const std::string sheet = lf ? crlfToLf(r.sheet) : r.sheet;
            const std::size_t add = encodedSize(sheet, sheetEncoding);
            if (size == std::string::npos || add == std::string::npos || size + add > kMaxReportBytes) {
                std::cerr << path << ":" << lineNo << ": 报告将超过1048575字节（报告文件的上限），运行在此停止，"
                          << *opt.report << " 未改动。\n";
                return kExitFile;
            }
            size += add;
            text += sheet;
            ++appended;
        }
        if (!error.empty()) {
            ++refused;
            std::cerr << path << ":" << lineNo << ": " << error << "\n";
        }
        if (opt.json) {
            nlohmann::json j = e && error.empty() ? toJson(e->decl(), r) : nlohmann::json::object();
            if (e && !error.empty() && r.outcome.kind != Outcome::Kind::Sheet && !r.outcome.message.empty())
                j = toJson(e->decl(), r);
            else if (!error.empty())
                j = {{"form", e ? e->decl().className : words[0]}, {"sheet", nullptr}, {"message", error}};
            j["line"] = lineNo;
            std::cout << j.dump() << '\n';
        } else if (!opt.report && error.empty()) {
            std::cout << r.sheet;
        }
        if (!outputOk()) break;  // main() reports it
    }
    if (in.bad()) {
        const int code = errno;
        std::cerr << "tovarin-calc: cannot read " << path << ": " << errnoText(code) << "\n";
        return kExitFile;
    }
    // Nothing to add (every line refused): the report is not written, nor created.
    if (opt.report && appended > 0 && !saveReport(*opt.report, lock, file)) return kExitFile;
    return refused ? kExitRefused : 0;
}

// Standard output is checked at the end: a full disk or a closed pipe is a failure, never exit 0.
int finishOutput(int status) {
    std::cout.flush();
    bool failed = !outputOk() || std::fflush(stdout) != 0;
    int code = errno;
    if (std::fclose(stdout) != 0 && !failed) {
        failed = true;
        code = errno;
    }
    if (!failed) return status;
    std::cerr << "tovarin-calc: 写入标准输出失败：" << errnoText(code) << "。\n";
    return status != 0 ? status : kExitFile;
}

}  // namespace

static int run(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage("");
    Options opt;
    std::optional<std::string> batchFile;
    std::optional<int> sheetNumber;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            opt.json = true;
        } else if (args[i] == "--csv") {
            opt.csv = true;
        } else if (args[i] == "--report" || args[i] == "--batch") {
            if (i + 1 >= args.size()) return usage(args[i] + " needs a file");
            std::optional<std::string>& file = args[i] == "--report" ? opt.report : batchFile;
            if (file) return usage(args[i] + " given twice");
            file = args[i + 1];
            ++i;
        } else if (args[i] == "--sheet") {
            int n = 0;
            if (i + 1 >= args.size() || !(n = std::atoi(args[i + 1].c_str())) ||
                std::to_string(n) != args[i + 1])
                return usage("--sheet needs a sheet number");
            sheetNumber = n;
            ++i;
        } else if (args[i] == "--help" || args[i] == "-h") {
            usage("");
            return 0;
        } else {
            rest.push_back(args[i]);
        }
    }
    if (batchFile) {
        if (!rest.empty()) return usage("--batch takes no form");
        if (opt.json && opt.report) return usage("--batch takes --json or --report, not both");
        return batch(*batchFile, opt);
    }
    if (rest.empty()) return usage("no form named");
    if (rest[0] == "redo") {
        if (rest.size() != 2 || !sheetNumber) return usage("redo takes a report and --sheet N");
        return redo(rest[1], *sheetNumber, opt);
    }
    if (sheetNumber) return usage("--sheet goes with redo");
    if (rest[0] == "list") return rest.size() == 1 ? list() : usage("list takes no arguments");
    if (rest[0] == "show") {
        if (rest.size() != 2) return usage("show takes one form");
        const FormEntry* e = findForm(rest[1]);
        return e ? show(*e) : usage("unknown form " + rest[1]);
    }
    const bool isCurve = rest[0] == "curve";
    if (isCurve) {
        if (rest.size() < 2) return usage("curve takes a form");
        if (opt.report) return usage("curve takes no --report");
        if (opt.csv && opt.json) return usage("curve takes --csv or --json, not both");
        rest.erase(rest.begin());
    } else if (opt.csv) {
        return usage("--csv goes with curve");
    }
    const FormEntry* e = findForm(rest[0]);
    if (!e) return usage("unknown form " + rest[0]);
    std::vector<Assignment> as;
    try {
        for (std::size_t i = 1; i < rest.size(); ++i) as.push_back(parseAssignment(rest[i]));
        checkDistinct(as);
    } catch (const UsageError& err) {
        return usage(err.what());
    }
    return isCurve ? curve(*e, as, opt) : runOne(*e, as, opt);
}

int main(int argc, char** argv) { return finishOutput(run(argc, argv)); }
