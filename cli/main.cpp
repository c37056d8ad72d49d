// tovarin-calc: the forms of the calculator on the command line.
//
//   tovarin-calc list
//   tovarin-calc show FORM
//   tovarin-calc FORM [ID=VALUE]... [--json] [--report FILE]
//   tovarin-calc --batch FILE [--json | --report FILE]
//   tovarin-calc curve FORM [ID=VALUE]... [--csv | --json]
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "forms/numfield.h"
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

// Loads the report file to append to (a missing file is a new, empty report).
bool loadReport(const std::string& path, ReportText& text) {
    std::ifstream probe(path, std::ios::binary);
    if (!probe) {
        text = {};
        return true;
    }
    probe.close();
    if (FileResult r = readReportFile(path, text); !r.ok()) {
        std::cerr << "tovarin-calc: " << path << ": " << r.error << "\n";
        return false;
    }
    return true;
}

bool saveReport(const std::string& path, const ReportText& text) {
    if (FileResult r = writeReportFile(path, text); !r.ok()) {
        std::cerr << "tovarin-calc: " << path << ": " << r.error << "\n";
        return false;
    }
    return true;
}

int runOne(const FormEntry& e, const std::vector<Assignment>& as, const Options& opt) {
    ReportText file;
    if (opt.report && !loadReport(*opt.report, file)) return kExitFile;
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
        file.utf8 = report.text();
        if (!saveReport(*opt.report, file)) return kExitFile;
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

// One case per line: FORM ID=VALUE ...; '#' starts a comment. Refused lines are reported with
// their line number and do not stop the run.
int batch(const std::string& path, const Options& opt) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "tovarin-calc: cannot read " << path << "\n";
        return kExitFile;
    }
    ReportText file;
    if (opt.report && !loadReport(*opt.report, file)) return kExitFile;
    // A sheet does not depend on the text before it, so each case runs on an empty report and
    // its sheet is appended here: the run stays linear in the number of cases.
    std::string& text = file.utf8;
    std::string line;
    int lineNo = 0, refused = 0;
    while (std::getline(in, line)) {
        ++lineNo;
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
                MemoryReport report;
                r = runForm(*e, as, report);
                if (!r.outcome.ok()) error = r.outcome.message;
                else if (opt.report) text += r.sheet;
            } catch (const UsageError& err) {
                error = err.what();
            }
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
    }
    if (opt.report && !saveReport(*opt.report, file)) return kExitFile;
    return refused ? kExitRefused : 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage("");
    Options opt;
    std::optional<std::string> batchFile;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            opt.json = true;
        } else if (args[i] == "--csv") {
            opt.csv = true;
        } else if (args[i] == "--report" || args[i] == "--batch") {
            if (i + 1 >= args.size()) return usage(args[i] + " needs a file");
            (args[i] == "--report" ? opt.report : batchFile) = args[i + 1];
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
    } catch (const UsageError& err) {
        return usage(err.what());
    }
    return isCurve ? curve(*e, as, opt) : runOne(*e, as, opt);
}
