// A deterministic batch of mixed cases over the forms: fixed-seed random picks, check boxes and
// field values near each form's defaults. Shared by the batch output test and the benchmarks.
#pragma once

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "forms/runner.h"

namespace tov::test {

struct MixedCase {
    const FormEntry* form;
    std::vector<Assignment> assignments;
};

/// The forms the batch draws from: a fixed list, so that forms added later leave it unchanged.
inline const std::vector<const FormEntry*>& mixedForms() {
    static const std::vector<const FormEntry*> forms = [] {
        static const char* const names[] = {
            "CSinglyRectDesignDlg",     "CSinglyRectCheckDlg",       "CDoublyRectDesignDlg",
            "CDoublyRectKnownAsDlg",    "CDoublyRectCheckDlg",       "CDoublySymCheckDlg",
            "CTBeamDesignDlg",          "CTBeamCheckDlg",            "CTRibDesignDlg",
            "CTRibCheckDlg",            "CLRibDesignDlg",            "CLRibCheckDlg",
            "CAxialCompTiedDesignDlg",  "CAxialCompTiedCheckDlg",    "CAxialCompSpiralDesignDlg",
            "CAxialCompSpiralCheckDlg", "CEccCompAsymDesignDlg",     "CEccCompAsymKnownAsDlg",
            "CEccCompAsymCheckDlg",     "CEccCompSymDesignDlg",      "CEccCompSymCheckDlg",
            "CAxialTensionDesignDlg",   "CAxialTensionCheckDlg",     "CEccTensionAsymDesignDlg",
            "CEccTensionAsymKnownAsDlg", "CEccTensionAsymCheckDlg",  "CEccTensionSymDesignDlg",
            "CEccTensionSymCheckDlg",   "CBarSelectDlg"};
        std::vector<const FormEntry*> v;
        for (const char* n : names) v.push_back(findForm(n));
        return v;
    }();
    return forms;
}

/// `count` cases drawn with the seed. Only the raw engine output is used (the standard
/// distributions differ between libraries), so the cases are the same everywhere.
inline std::vector<MixedCase> mixedCases(std::size_t count, std::uint64_t seed = 16) {
    std::mt19937_64 rng(seed);
    auto below = [&](std::uint64_t n) { return rng() % n; };
    const auto& forms = mixedForms();
    std::vector<MixedCase> cases;
    cases.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        MixedCase mc{forms[below(forms.size())], {}};
        for (const Control& c : mc.form->decl().controls) {
            if (!c.enabled) continue;
            if (c.isChoice() && !c.items.empty() && below(2) == 0) {
                mc.assignments.push_back({c.id, c.items[below(c.items.size())]});
            } else if (c.kind == CtlKind::CheckBox && below(2) == 0) {
                mc.assignments.push_back({c.id, below(2) ? "1" : "0"});
            } else if (c.isInput() && below(4) != 0) {
                // 50 % to 150 % of the default in 1 % steps; a zero default gets 0 to 400
                const double base = c.def != 0 ? c.def : 100;
                const auto factor = c.def != 0 ? 50 + below(101) : below(5) * 100;
                const long long hundredths = std::llround(base * static_cast<double>(factor));
                const long long mag = hundredths < 0 ? -hundredths : hundredths;
                std::string t = (hundredths < 0 ? "-" : "") + std::to_string(mag / 100);
                if (c.kind != CtlKind::DigitsEdit && mag % 100 != 0) {
                    const long long frac = mag % 100;
                    t += '.';
                    t += static_cast<char>('0' + frac / 10);
                    t += static_cast<char>('0' + frac % 10);
                }
                mc.assignments.push_back({c.id, t});
            }
        }
        cases.push_back(std::move(mc));
    }
    return cases;
}

}  // namespace tov::test
