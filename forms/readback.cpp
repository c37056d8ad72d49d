#include "forms/readback.h"

#include <cmath>
#include <map>
#include <mutex>
#include <limits>
#include <optional>
#include <set>

#include "forms/numfield.h"

namespace tov {

namespace {

constexpr std::string_view kRule = "─────";

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        pos = next;
    }
    return lines;
}

bool isTitle(std::string_view line) {
    return line.size() > 2 * kRule.size() && line.substr(0, kRule.size()) == kRule &&
           line.substr(line.size() - kRule.size()) == kRule &&
           line.substr(kRule.size(), line.size() - 2 * kRule.size()).find("─") != 0;
}

std::vector<std::string_view> sheetLinesOf(std::string_view sheet) {
    auto lines = splitLines(sheet);
    while (!lines.empty() && lines.front().empty()) lines.erase(lines.begin());
    return lines;
}

// A calculation with the given inputs on an empty report; nothing when the form refuses them or
// an input does not apply in that state of the form.
std::optional<RunResult> tryRun(const FormEntry& e, const std::vector<Assignment>& as) {
    try {
        MemoryReport report;
        RunResult r = runForm(e, as, report);
        if (!r.outcome.ok()) return std::nullopt;
        return r;
    } catch (const UsageError&) {
        return std::nullopt;
    }
}

// The number of the line's occurrences of a prefix up to the given line: the same label can
// stand on several lines of a sheet, and the echo is then told by its rank.
int rankOf(const std::vector<std::string_view>& lines, std::size_t index, std::string_view prefix) {
    int rank = 0;
    for (std::size_t i = 0; i < index; ++i)
        if (lines[i].substr(0, prefix.size()) == prefix) ++rank;
    return rank;
}

std::optional<std::size_t> findRanked(const std::vector<std::string_view>& lines, std::string_view prefix,
                                      int rank) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].substr(0, prefix.size()) == prefix && rank-- == 0) return i;
    return std::nullopt;
}

// Where two runs' sheets first differ: the line's index, and the length of the text the two lines
// share, cut back to the end of a label (after "＝", ":", "：" or a blank).
struct Difference {
    std::size_t line = 0;
    std::size_t labelEnd = 0;
};

bool endsLabel(std::string_view s, std::size_t n) {
    for (std::string_view d : {"＝", ":", "：", " ", "　"})
        if (n >= d.size() && s.substr(n - d.size(), d.size()) == d) return true;
    return false;
}

std::optional<Difference> firstDifference(const std::vector<std::string_view>& a,
                                          const std::vector<std::string_view>& b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (a[i] == b[i]) continue;
        std::size_t n = 0;
        while (n < a[i].size() && n < b[i].size() && a[i][n] == b[i][n]) ++n;
        while (n > 0 && !endsLabel(a[i], n)) --n;
        // A label is more than the indentation.
        std::string_view label = a[i].substr(0, n);
        while (!label.empty() && (label.front() == ' ' || label.substr(0, 3) == "　"))
            label.remove_prefix(label.front() == ' ' ? 1 : 3);
        if (label.empty()) return std::nullopt;
        return Difference{i, n};
    }
    return std::nullopt;
}

// The number that starts the text, as printed on a sheet, with the half-unit of its last digit.
struct Printed {
    double value = 0;
    double halfUnit = 0.5;
};

std::optional<Printed> leadingPrinted(std::string_view s) {
    std::size_t n = 0, point = std::string_view::npos;
    while (n < s.size() && (std::isdigit(static_cast<unsigned char>(s[n])) || s[n] == '.' ||
                            (n == 0 && (s[n] == '-' || s[n] == '+')))) {
        if (s[n] == '.') point = n;
        ++n;
    }
    if (n == 0) return std::nullopt;
    auto v = readNumber(std::string(s.substr(0, n)));
    if (!v) return std::nullopt;
    const int decimals = point == std::string_view::npos ? 0 : static_cast<int>(n - point - 1);
    return Printed{*v, 0.5 * std::pow(10.0, -decimals)};
}

// True when the printed number is the value, rounded to the digits it shows.
bool shows(const Printed& p, double value) {
    return std::abs(p.value - value) <= p.halfUnit * (1 + 1e-9) + 1e-12 * std::abs(value);
}

// The first word of a picked entry as the sheet shows it (up to a blank or a bracket).
std::string_view firstWord(std::string_view s) {
    std::size_t n = s.size();
    for (std::string_view d : {" ", "　", "（", "("}) n = std::min(n, s.find(d));
    return s.substr(0, n);
}

// The line of a sheet that echoes one input, found by moving that input.
struct Echo {
    std::string prefix;
    int rank = 0;
};

// A choice's echo and the text its line shows after the label for each entry that calculates.
struct ChoiceEcho {
    Echo echo;
    std::map<int, std::string> shown;  // entry index → rest of the line
};

std::string textOf(const Control& c, int index) {
    if (c.kind == CtlKind::CheckBox) return index ? "1" : "0";
    return c.items.at(static_cast<std::size_t>(index));
}

int entriesOf(const Control& c) {
    if (c.kind == CtlKind::CheckBox) return 2;
    return static_cast<int>(c.items.size());
}

int defaultEntry(const Control& c) { return c.kind == CtlKind::CheckBox ? (c.def != 0) : static_cast<int>(c.def); }

std::optional<ChoiceEcho> learnChoice(const FormEntry& e, const Control& c,
                                      const std::vector<std::string_view>& base,
                                      const std::vector<Assignment>& context) {
    ChoiceEcho ce;
    for (int i = 0; i < entriesOf(c); ++i) {
        if (i == defaultEntry(c)) continue;
        auto as = context;
        as.push_back({c.id, textOf(c, i)});
        auto r = tryRun(e, as);
        if (!r) continue;
        const auto lines = sheetLinesOf(r->sheet);
        auto d = firstDifference(base, lines);
        if (!d) continue;
        const std::string prefix(base[d->line].substr(0, d->labelEnd));
        if (ce.echo.prefix.empty()) {
            ce.echo = {prefix, rankOf(base, d->line, prefix)};
            ce.shown[defaultEntry(c)] = std::string(base[d->line].substr(d->labelEnd));
        }
        if (prefix != ce.echo.prefix) continue;
        if (auto at = findRanked(lines, prefix, ce.echo.rank))
            ce.shown[i] = std::string(lines[*at].substr(prefix.size()));
    }
    if (ce.echo.prefix.empty()) return std::nullopt;
    return ce;
}

std::optional<Echo> learnNumber(const FormEntry& e, const Control& c, double value,
                                const std::vector<std::string_view>& base,
                                const std::vector<Assignment>& context) {
    // Large moves first, then small ones for inputs that other inputs hold within a few percent.
    const double tries[] = {value * 1.05, value * 0.95,  value * 1.2,  value * 0.8,  value + 1,
                            value - 1,    value * 2,     value / 2,    value + 10,   value + 0.5,
                            value * 1.01, value * 0.99,  value + 0.1,  value - 0.1,  value * 1.002};
    for (double moved : tries) {
        if (moved == value) continue;
        auto as = context;
        as.push_back({c.id, showNumber(moved)});
        auto r = tryRun(e, as);
        if (!r) continue;
        const auto lines = sheetLinesOf(r->sheet);
        auto d = firstDifference(base, lines);
        if (!d) continue;
        // The line must show the input itself, before and after the move: a line that only
        // follows from it (a result) is not its echo.
        const auto before = leadingPrinted(base[d->line].substr(d->labelEnd));
        const auto after = leadingPrinted(lines[d->line].substr(d->labelEnd));
        if (!before || !after || !shows(*before, value) || !shows(*after, moved)) continue;
        const std::string prefix(base[d->line].substr(0, d->labelEnd));
        return Echo{prefix, rankOf(base, d->line, prefix)};
    }
    return std::nullopt;
}

// True when the line names the entries (each entry shows other text) rather than a figure that
// only follows from the entry.
bool namesEntries(const ChoiceEcho& ce) {
    if (ce.shown.size() < 2) return false;
    std::map<std::string, int> seen;
    for (const auto& [index, text] : ce.shown)
        if (++seen[text] > 1) return false;
    for (const auto& [index, text] : ce.shown)
        if (leadingPrinted(text) && leadingPrinted(text)->halfUnit < 0.5) return false;  // a computed figure
    return true;
}

// An input the sheet shows only through what follows from it, and the value the form opens with.
struct Hidden {
    int id;
    double value;
};

// How many lines, from the top, a calculation with these inputs writes as the target shows them.
std::size_t agreement(const FormEntry& e, const std::vector<Assignment>& as,
                      const std::vector<std::string_view>& target, std::vector<std::string>* sheetOut = nullptr) {
    auto r = tryRun(e, as);
    if (!r) return 0;
    const auto lines = sheetLinesOf(r->sheet);
    std::size_t n = 0;
    while (n < lines.size() && n < target.size() && lines[n] == target[n]) ++n;
    if (n == lines.size() && n == target.size()) n = std::string::npos;  // the whole sheet
    if (sheetOut) sheetOut->assign(lines.begin(), lines.end());
    return n;
}

void setAssignment(const FormDecl& decl, std::vector<Assignment>& as, int id, std::string value) {
    for (auto& a : as)
        if (a.id == id) {
            a.value = std::move(value);
            return;
        }
    // Picks go before the numbers, as the dialog takes them.
    const auto isChoice = [&](int cid) {
        const Control* c = decl.control(cid);
        return c && (c->isChoice() || c->kind == CtlKind::CheckBox);
    };
    auto at = as.begin();
    if (isChoice(id))
        while (at != as.end() && isChoice(at->id)) ++at;
    else
        at = as.end();
    as.insert(at, {id, std::move(value)});
}

// The shortest decimal within [lo, hi]: the value an engineer typed, among those that print alike.
double shortestBetween(double lo, double hi) {
    if (lo > hi) std::swap(lo, hi);
    for (int decimals = 0; decimals <= 6; ++decimals) {
        const double unit = std::pow(10.0, -decimals);
        const double v = std::ceil(lo / unit - 1e-9) * unit;
        if (v <= hi + 1e-12) return std::round(v / unit) * unit;
    }
    return 0.5 * (lo + hi);
}

// The choices that only show in the figures, and the numbers the sheet prints only through what
// follows from them: each is set, in turn, to what makes the calculation write more of the
// target's lines as they stand, until it writes them all or nothing helps.
void settleHidden(const FormEntry& e, const std::vector<std::string_view>& target, std::vector<Assignment>& as,
                  std::vector<Hidden> hidden) {
    const FormDecl& decl = e.decl();
    std::vector<std::string> lines;
    std::size_t best = agreement(e, as, target, &lines);
    for (int round = 0; round < 8 && best != std::string::npos; ++round) {
        std::vector<Assignment> bestAs;
        std::size_t bestN = best;
        for (const Control& c : decl.controls) {
            if (!c.isChoice() && c.kind != CtlKind::CheckBox) continue;
            for (int i = 0; i < entriesOf(c); ++i) {
                auto trial = as;
                setAssignment(decl, trial, c.id, textOf(c, i));
                if (const auto n = agreement(e, trial, target); n > bestN || n == std::string::npos) {
                    bestN = n;
                    bestAs = trial;
                }
            }
        }
        // A number: the first line that differs is taken as a straight line of it.
        if (best < lines.size() && best < target.size()) {
            const auto eq = target[best].rfind("＝");
            const auto eq2 = lines[best].rfind("＝");
            const auto want = eq == std::string_view::npos ? std::nullopt : leadingPrinted(target[best].substr(eq + 3));
            const auto got = eq2 == std::string::npos ? std::nullopt
                                                      : leadingPrinted(std::string_view(lines[best]).substr(eq2 + 3));
            for (const Hidden& h : hidden) {
                if (!want || !got) break;
                double v0 = h.value;
                for (const auto& a : as)
                    if (a.id == h.id) v0 = readNumber(a.value).value_or(v0);
                const double v1 = v0 == 0 ? 1 : v0 * 1.05;
                auto moved = as;
                setAssignment(decl, moved, h.id, showNumber(v1));
                auto r = tryRun(e, moved);
                if (!r) continue;
                const auto ml = sheetLinesOf(r->sheet);
                if (best >= ml.size()) continue;
                const auto eq3 = ml[best].rfind("＝");
                const auto y1 = eq3 == std::string_view::npos ? std::nullopt : leadingPrinted(ml[best].substr(eq3 + 3));
                if (!y1 || y1->value == got->value) continue;
                const double slope = (v1 - v0) / (y1->value - got->value);
                const double v = v0 + (want->value - got->value) * slope;
                const double spread = std::abs(want->halfUnit * slope);
                auto trial = as;
                setAssignment(decl, trial, h.id, showNumber(shortestBetween(v - spread, v + spread)));
                if (const auto n = agreement(e, trial, target); n > bestN || n == std::string::npos) {
                    bestN = n;
                    bestAs = trial;
                }
            }
        }
        if (bestAs.empty()) return;
        as = bestAs;
        best = agreement(e, as, target, &lines);
    }
}

// The labels of a sheet's lines: each line's text before its first "＝".
std::set<std::string> labelsOf(const std::vector<std::string_view>& lines) {
    std::set<std::string> labels;
    for (std::string_view l : lines) labels.emplace(l.substr(0, l.find("＝")));
    return labels;
}

struct FormTitle {
    std::string title;
    const FormEntry* entry;
};

const std::vector<FormTitle>& titles() {
    static std::once_flag once;
    static std::vector<FormTitle> list;
    std::call_once(once, [] {
        for (const FormEntry* e : formRegistry())
            if (auto r = tryRun(*e, {}))
                if (auto lines = sheetLinesOf(r->sheet); !lines.empty()) list.push_back({std::string(lines[0]), e});
    });
    return list;
}

std::string quoted(std::string_view s) { return "“" + std::string(s) + "”"; }

}  // namespace

std::vector<SheetSpan> findSheets(std::string_view report) {
    std::vector<SheetSpan> sheets;
    std::size_t pos = 0;
    int line = 0;
    while (pos < report.size()) {
        std::size_t end = report.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? report.size() : end + 1;
        std::string_view text = report.substr(pos, (end == std::string_view::npos ? report.size() : end) - pos);
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        if (isTitle(text)) {
            if (!sheets.empty()) {
                sheets.back().end = pos;
                sheets.back().lineCount = line - sheets.back().firstLine;
            }
            sheets.push_back({pos, report.size(), line, 0});
        }
        pos = next;
        ++line;
    }
    // The empty line after the report's last line break belongs to the last sheet: the caret
    // stands there after Ctrl+End.
    if (!sheets.empty())
        sheets.back().lineCount = line - sheets.back().firstLine + (!report.empty() && report.back() == '\n');
    return sheets;
}

const SheetSpan* sheetAtLine(const std::vector<SheetSpan>& sheets, int line) {
    for (const SheetSpan& s : sheets)
        if (line >= s.firstLine && line < s.firstLine + s.lineCount) return &s;
    return nullptr;
}

ReadBack readBackSheet(std::string_view sheet) {
    ReadBack rb;
    const auto target = sheetLinesOf(sheet);
    if (target.empty() || !isTitle(target[0])) {
        rb.error = "光标不在计算书中。";
        return rb;
    }
    for (const FormTitle& t : titles())
        if (t.title == target[0]) rb.form = t.entry;
    if (!rb.form) {
        rb.line = 0;
        rb.error = "标题" + quoted(target[0]) + "不是本程序的计算书。";
        return rb;
    }
    const FormEntry& e = *rb.form;
    const FormDecl& decl = e.decl();
    auto fail = [&](std::string why, int line) {
        rb.assignments.clear();
        rb.error = std::move(why);
        rb.line = line;
        return rb;
    };

    // The picks: each learnt with the other choices at their defaults.
    auto base = tryRun(e, {});
    if (!base) return fail("该计算书的计算表无法打开。", -1);
    const auto baseLines = sheetLinesOf(base->sheet);
    std::vector<Assignment> picks;
    std::vector<const Control*> unnamed;
    for (const Control& c : decl.controls) {
        if (!c.isChoice() && c.kind != CtlKind::CheckBox) continue;
        auto ce = learnChoice(e, c, baseLines, {});
        // A choice the sheet names on a line of its own is read from it; one that only shows in
        // the wording of other lines or in the figures is found below.
        if (!ce || !namesEntries(*ce)) {
            unnamed.push_back(&c);
            continue;
        }
        auto at = findRanked(target, ce->echo.prefix, ce->echo.rank);
        if (!at) return fail("计算书中找不到" + quoted(ce->echo.prefix) + "一行。", -1);
        const std::string_view shown = target[*at].substr(ce->echo.prefix.size());
        int found = -1;
        for (const auto& [index, text] : ce->shown)
            if (text == shown) found = index;
        if (found < 0)
            for (const auto& [index, text] : ce->shown)
                if (firstWord(text) == firstWord(shown)) found = index;
        if (found < 0)
            return fail(quoted(target[*at]) + "无法读取。",
                        static_cast<int>(*at));
        if (found != defaultEntry(c) || shown != ce->shown[found]) picks.push_back({c.id, textOf(c, found)});
    }

    // A choice that changes the wording of lines: the entry whose sheet has the target's labels.
    const auto targetLabels = labelsOf(target);
    for (const Control* c : unnamed) {
        int best = defaultEntry(*c), bestScore = std::numeric_limits<int>::min();
        for (int i = 0; i < entriesOf(*c); ++i) {
            auto as = picks;
            as.push_back({c->id, textOf(*c, i)});
            auto r = tryRun(e, as);
            if (!r) continue;
            int score = 0;
            for (const auto& label : labelsOf(sheetLinesOf(r->sheet))) score += targetLabels.count(label) ? 1 : -1;
            if (score > bestScore || (score == bestScore && i == defaultEntry(*c))) {
                best = i;
                bestScore = score;
            }
        }
        if (best != defaultEntry(*c)) picks.push_back({c->id, textOf(*c, best)});
    }

    // The numbers, learnt in the state the picks put the form in.
    auto picked = tryRun(e, picks);
    if (!picked) return fail("计算书中的选项组合无法计算。", -1);
    const auto pickedLines = sheetLinesOf(picked->sheet);
    auto form = e.make();
    MemoryView ui;
    form->open(ui);
    for (const auto& a : picks) {
        const Control* c = decl.control(a.id);
        if (c->kind == CtlKind::CheckBox) continue;
        for (std::size_t i = 0; i < c->items.size(); ++i)
            if (c->items[i] == a.value) ui.setSelection(a.id, static_cast<int>(i));
        form->onSelect(ui, a.id);
    }
    std::vector<Assignment> numbers;
    std::vector<Hidden> hidden;
    for (const Control& c : decl.controls) {
        if (!c.isInput() || !ui.isEnabled(c.id)) continue;
        const double value = readNumber(ui.fieldText(c.id)).value_or(c.def);
        auto echo = learnNumber(e, c, value, pickedLines, picks);
        if (!echo) {
            hidden.push_back({c.id, value});
            continue;
        }
        auto at = findRanked(target, echo->prefix, echo->rank);
        if (!at) return fail("计算书中找不到" + quoted(echo->prefix) + "一行。", -1);
        auto v = leadingPrinted(target[*at].substr(echo->prefix.size()));
        if (!v) return fail(quoted(target[*at]) + "无法读取。", static_cast<int>(*at));
        numbers.push_back({c.id, showNumber(v->value)});
    }
    rb.assignments = picks;
    rb.assignments.insert(rb.assignments.end(), numbers.begin(), numbers.end());
    settleHidden(e, target, rb.assignments, hidden);
    return rb;
}

}  // namespace tov
