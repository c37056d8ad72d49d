// Fuzz target: every form of the registry with random picks and field texts. A Calculate either
// refuses with a message of the form, or appends a sheet with no NaN or inf, every line ending
// "\r\n", and results that are finite and not negative.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <string>

#include "forms/numfield.h"
#include "forms/runner.h"

namespace {

using namespace tov;

std::string fieldText(FuzzedDataProvider& in, double def) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0: return in.ConsumeRandomLengthString(24);
        case 1: return showNumber(in.ConsumeFloatingPoint<double>());
        case 2: return showNumber(def * in.ConsumeFloatingPointInRange<double>(-2.0, 4.0));
        default: return showNumber(static_cast<double>(in.ConsumeIntegralInRange<int>(-10, 20000)));
    }
}

[[noreturn]] void fail(const FormDecl& decl, const char* why, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n%s\n", decl.className.c_str(), why, detail.c_str());
    __builtin_trap();
}

// TOVARIN_FUZZ_ONLY=Prefix1,Prefix2 restricts the run to forms whose class names start so.
const std::vector<const FormEntry*>& formsToFuzz() {
    static const std::vector<const FormEntry*> forms = [] {
        const char* only = std::getenv("TOVARIN_FUZZ_ONLY");
        if (!only || !*only) return formRegistry();
        std::vector<const FormEntry*> v;
        std::string list = only;
        for (const FormEntry* e : formRegistry()) {
            std::size_t pos = 0;
            while (pos <= list.size()) {
                const std::size_t comma = std::min(list.find(',', pos), list.size());
                const std::string prefix = list.substr(pos, comma - pos);
                if (!prefix.empty() && e->decl().className.rfind(prefix, 0) == 0) {
                    v.push_back(e);
                    break;
                }
                pos = comma + 1;
            }
        }
        return v.empty() ? formRegistry() : v;
    }();
    return forms;
}

bool endsWith(const std::string& s, const char* tail) {
    const std::size_t n = std::char_traits<char>::length(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const auto& forms = formsToFuzz();
    const FormEntry& e = *forms[in.ConsumeIntegralInRange<std::size_t>(0, forms.size() - 1)];
    const FormDecl& decl = e.decl();
    std::vector<Assignment> as;
    for (const Control& c : decl.controls) {
        if (c.isChoice() && in.ConsumeBool())
            as.push_back({c.id, c.items[in.ConsumeIntegralInRange<std::size_t>(0, c.items.size() - 1)]});
    }
    for (const Control& c : decl.controls) {
        if (c.isInput() && in.ConsumeBool()) as.push_back({c.id, fieldText(in, c.def)});
        if (c.kind == CtlKind::CheckBox && in.ConsumeBool()) as.push_back({c.id, in.ConsumeBool() ? "1" : "0"});
    }
    MemoryReport report("已有的文字\r\n");
    RunResult r;
    try {
        r = runForm(e, as, report);
    } catch (const UsageError&) {
        return 0;  // a field disabled by a pick: the dialog would not let it be typed
    }
    if (!r.outcome.ok()) {
        if (r.outcome.kind == Outcome::Kind::Silent) return 0;
        const std::string& m = r.outcome.message;
        bool known = m == kNotANumber || endsWith(m, "请检查。");
        for (const Check& ch : decl.checks) known |= ch.message == m;
        if (!known || m == kNonFiniteMessage) fail(decl, "unexpected message", m);
        if (report.text() != "已有的文字\r\n") fail(decl, "a refusal changed the report", report.text());
        return 0;
    }
    if (r.sheet.find("nan") != std::string::npos || r.sheet.find("inf") != std::string::npos)
        fail(decl, "nan or inf in the sheet", r.sheet);
    if (r.sheet.compare(0, 2, "\r\n") != 0 || !endsWith(r.sheet, "\r\n")) fail(decl, "sheet ends", r.sheet);
    for (std::size_t p = 0; (p = r.sheet.find('\n', p)) != std::string::npos; ++p)
        if (p == 0 || r.sheet[p - 1] != '\r') fail(decl, "bare line feed", r.sheet);
    for (std::size_t p = 0; (p = r.sheet.find('\r', p)) != std::string::npos; ++p)
        if (p + 1 >= r.sheet.size() || r.sheet[p + 1] != '\n') fail(decl, "bare carriage return", r.sheet);
    for (const auto& [id, v] : r.results)
        if (!std::isfinite(v) || v < 0) fail(decl, "result not finite or negative", std::to_string(id) + "=" + std::to_string(v) + "\n" + r.sheet);
    return 0;
}
