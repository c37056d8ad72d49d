// Tests generated from the form registry: every form opens and calculates its defaults, every
// declared input check refuses at its boundary and passes just inside it, and random inputs never
// put NaN, inf or a negative result into a sheet or a field.
#include <cmath>
#include <random>
#include <set>

#include "forms/numfield.h"
#include "tests/core/testutil.h"

namespace tov::test {
namespace {

double sumOf(const Check& c, const std::map<int, double>& v) {
    double s = 0;
    for (const auto& t : c.terms) s += t.coef * v.at(t.id);
    return s;
}

bool holds(const Check& c, const std::map<int, double>& v, int pickIndex) {
    if (c.whenPicker && pickIndex != c.whenIndex) return true;
    const double s = sumOf(c, v);
    return c.strict ? s > 0 : s >= 0;
}

TEST(Registry, CommandsAndFormsAgree) {
    std::set<int> dialogs, commands;
    for (const FormEntry* e : formRegistry()) {
        const FormDecl& s = e->decl();
        EXPECT_TRUE(dialogs.insert(s.dialogId).second) << s.className;
        EXPECT_TRUE(commands.insert(s.commandId).second) << s.className;
        EXPECT_EQ(formForCommand(s.commandId), e);
        EXPECT_EQ(findForm(s.className), e);
        EXPECT_EQ(findForm(std::to_string(s.dialogId)), e);
        bool listed = false;
        for (const auto& c : formCommands())
            if (c.commandId == s.commandId) {
                listed = true;
                EXPECT_EQ(c.dialogId, s.dialogId);
                EXPECT_EQ(s.className, c.className);
            }
        EXPECT_TRUE(listed) << s.className;
        std::set<int> ids;
        for (const auto& c : s.controls) EXPECT_TRUE(ids.insert(c.id).second) << s.className << " " << c.id;
        for (const auto& ch : s.checks)
            for (const auto& t : ch.terms) EXPECT_TRUE(s.control(t.id) && s.control(t.id)->isNumeric());
    }
    EXPECT_EQ(findForm("NoSuchDlg"), nullptr);
    EXPECT_EQ(findForm("99999"), nullptr);
}

TEST(Registry, DefaultsCalculate) {
    for (const FormEntry* e : formRegistry()) {
        const FormDecl& s = e->decl();
        RunResult r = run(s.className);
        ASSERT_TRUE(r.outcome.ok()) << s.className << ": " << r.outcome.message;
        EXPECT_EQ(r.sheet.rfind("\r\n", 0), 0u) << s.className;
        sheetLines(r.sheet);  // every line ends "\r\n"
    }
}

// For each unconditional linear check: move one of its fields so that the check's sum is exactly
// zero (refused when strict, passes when not) and then just inside.
TEST(Registry, ChecksRefuseAtTheirBoundaries) {
    int tested = 0;
    for (const FormEntry* e : formRegistry()) {
        const FormDecl& s = e->decl();
        std::map<int, double> defaults;
        for (const auto& c : s.controls)
            if (c.isNumeric()) defaults[c.id] = c.def;
        for (std::size_t k = 0; k < s.checks.size(); ++k) {
            const Check& ch = s.checks[k];
            if (ch.whenPicker) continue;  // shape-dependent checks are covered by their forms' tests
            for (const Term& t : ch.terms) {
                const Control* c = s.control(t.id);
                if (!c->isInput() || !c->enabled) continue;
                std::map<int, double> v = defaults;
                v[t.id] -= sumOf(ch, defaults) / t.coef;
                const auto text = showNumber(v[t.id]);
                v[t.id] = *readNumber(text);
                if (sumOf(ch, v) != 0) continue;  // not representable exactly
                // What the declared checks say, in order, for these values.
                std::string expected;
                for (const Check& other : s.checks)
                    if (!holds(other, v, -1)) {
                        expected = other.message;
                        break;
                    }
                RunResult r = run(s.className, {{t.id, text}});
                if (ch.strict) {
                    ASSERT_FALSE(expected.empty());
                    EXPECT_FALSE(r.outcome.ok()) << s.className << " " << t.id << "=" << text;
                    EXPECT_EQ(r.outcome.message, expected) << s.className << " " << t.id << "=" << text;
                    EXPECT_EQ(r.outcome.icon, s.icon);
                    EXPECT_TRUE(r.sheet.empty());
                }
                // Just inside: this check passes.
                const double inside = v[t.id] + (t.coef > 0 ? 1 : -1) * std::max(1e-6, std::abs(v[t.id]) * 1e-9);
                std::map<int, double> vi = defaults;
                vi[t.id] = *readNumber(showNumber(inside));
                RunResult ri = run(s.className, {{t.id, showNumber(inside)}});
                ASSERT_TRUE(holds(ch, vi, -1)) << s.className << " " << t.id;
                std::string firstFailing;
                for (const Check& other : s.checks)
                    if (!holds(other, vi, -1)) {
                        firstFailing = other.message;
                        break;
                    }
                // Just inside, this check passes: the run refuses only by a later declared check
                // or by the form's own checks in its calculation.
                if (!firstFailing.empty()) EXPECT_EQ(ri.outcome.message, firstFailing) << s.className;
                ++tested;
            }
        }
    }
    EXPECT_GT(tested, 0);
}

// Random field texts and picks: a refusal with a message, or a sheet with no NaN or inf and
// results that are finite and not negative.
TEST(Registry, RandomInputsNeverGiveNanOrNegativeResults) {
    std::mt19937_64 rng(2026);
    std::uniform_real_distribution<double> factor(0.0, 3.0);
    std::uniform_int_distribution<int> coin(0, 19);
    for (const FormEntry* e : formRegistry()) {
        const FormDecl& s = e->decl();
        int sheets = 0;
        for (int i = 0; i < 3000; ++i) {
            std::vector<Assignment> as;
            for (const auto& c : s.controls) {
                if (c.isChoice()) {
                    std::uniform_int_distribution<int> pick(0, static_cast<int>(c.items.size()) - 1);
                    as.push_back({c.id, c.items[static_cast<std::size_t>(pick(rng))]});
                }
            }
            MemoryReport probe;
            // Fields disabled by the picks cannot be typed into: find out which are enabled.
            auto form = e->make();
            MemoryView ui;
            form->open(ui);
            for (const auto& a : as) {
                const Control* c = s.control(a.id);
                for (std::size_t k = 0; k < c->items.size(); ++k)
                    if (c->items[k] == a.value) ui.setSelection(a.id, static_cast<int>(k));
                form->onSelect(ui, a.id);
            }
            // One case in four varies a single field and leaves the others at their defaults, so
            // that forms whose fields must agree with one another (bar groups and their area) still
            // reach their sheets often.
            std::vector<const Control*> inputs;
            for (const auto& c : s.controls)
                if (c.isInput() && ui.isEnabled(c.id)) inputs.push_back(&c);
            const Control* only = i % 4 == 0 && !inputs.empty() ? inputs[rng() % inputs.size()] : nullptr;
            for (const Control* in : inputs) {
                if (only && in != only) continue;
                const Control& c = *in;
                const double base = c.def != 0 ? c.def : 500;
                double v = base * factor(rng);
                const int roll = coin(rng);
                if (roll == 0) v = 0;
                if (roll == 1) v = -v;
                if (roll == 2) v = base * factor(rng) * 100;
                if (c.kind == CtlKind::DigitsEdit) v = std::round(std::abs(v));
                as.push_back({c.id, showNumber(v)});
            }
            for (const auto& c : s.controls)
                if (c.kind == CtlKind::CheckBox) as.push_back({c.id, coin(rng) < 10 ? "1" : "0"});
            RunResult r = run(s.className, as);
            if (!r.outcome.ok()) {
                EXPECT_NE(r.outcome.message, kNonFiniteMessage) << s.className;
                continue;
            }
            ++sheets;
            ASSERT_EQ(r.sheet.find("nan"), std::string::npos) << s.className << "\n" << r.sheet;
            ASSERT_EQ(r.sheet.find("inf"), std::string::npos) << s.className << "\n" << r.sheet;
            sheetLines(r.sheet);
            for (const auto& [id, v] : r.results) {
                ASSERT_TRUE(std::isfinite(v)) << s.className << " " << id;
                ASSERT_GE(v, 0) << s.className << " result " << id << "\n" << r.sheet;
            }
        }
        EXPECT_GT(sheets, 100) << s.className;
    }
}

}  // namespace
}  // namespace tov::test
