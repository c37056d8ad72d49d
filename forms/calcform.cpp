#include "forms/calcform.h"

#include <cmath>
#include <stdexcept>

#include "forms/numfield.h"

namespace tov {

namespace {
const std::string kEmpty;
}

void FormView::setFieldNumber(int id, double value) { setFieldText(id, showNumber(value)); }

CalcForm::CalcForm(const FormDecl& decl) : decl_(decl) {
    // Each map is built in one go: the controls are in Tab order, not in id order.
    std::vector<std::pair<int, double>> values;
    std::vector<std::pair<int, std::string>> texts, names;
    std::vector<std::pair<int, bool>> checks, enabled;
    std::vector<std::pair<int, int>> picks;
    enabled.reserve(decl_.controls.size());
    values.reserve(decl_.controls.size());
    for (const auto& c : decl_.controls) {
        if (c.isNumeric()) values.emplace_back(c.id, 0.0);
        if (c.kind == CtlKind::TextResult) texts.emplace_back(c.id, std::string());
        if (c.kind == CtlKind::CheckBox) checks.emplace_back(c.id, false);
        if (c.grade) names.emplace_back(c.id, std::string());
        if (c.isChoice()) picks.emplace_back(c.id, -1);
        enabled.emplace_back(c.id, true);
    }
    st_.values.assign(std::move(values));
    st_.texts.assign(std::move(texts));
    st_.checks.assign(std::move(checks));
    st_.names.assign(std::move(names));
    st_.picks.assign(std::move(picks));
    st_.enabled.assign(std::move(enabled));
}

CalcForm::~CalcForm() = default;

void CalcForm::applyGradePick(const Control& c, int index) {
    st_.picks[c.id] = index;
    st_.names[c.id] = tov::sheetName(c.gradeKind, index);
}

void CalcForm::open(FormView& ui) {
    for (const auto& c : decl_.controls) {
        st_.enabled[c.id] = c.enabled;
        if (c.isNumeric()) st_.values[c.id] = c.def;
        if (c.kind == CtlKind::CheckBox) st_.checks[c.id] = c.def != 0;
        if (c.grade)
            applyGradePick(c, static_cast<int>(c.def));
        else if (c.isChoice())
            st_.picks[c.id] = static_cast<int>(c.def);
    }
    onOpen();
    putBack(ui);
    for (const auto& c : decl_.controls)
        if (c.isChoice()) ui.setSelection(c.id, st_.picks[c.id]);
}

bool CalcForm::takeIn(FormView& ui) {
    for (const auto& c : decl_.controls) {
        if (c.kind == CtlKind::CheckBox) {
            st_.checks[c.id] = ui.isChecked(c.id);
            continue;
        }
        if (!c.isInput()) continue;
        // A number the form set reads back as its shown text would.
        const std::optional<double> kept = ui.fieldNumber(c.id);
        auto v = kept ? shownValue(*kept) : readNumber(ui.fieldText(c.id));
        if (!v) {
            ui.showMessage(kNotANumber, Icon::Stop);
            ui.focusField(c.id);
            return false;
        }
        st_.values[c.id] = *v;
    }
    return true;
}

void CalcForm::putBack(FormView& ui) const {
    for (const auto& c : decl_.controls) {
        if (c.isNumeric()) {
            if (isEmpty(c.id))
                ui.setFieldText(c.id, std::string());
            else
                ui.setFieldNumber(c.id, value(c.id));
        }
        if (c.kind == CtlKind::TextResult) ui.setFieldText(c.id, text(c.id));
        if (c.kind == CtlKind::CheckBox) ui.setChecked(c.id, checked(c.id));
        ui.setEnabled(c.id, enabled(c.id));
    }
}

void CalcForm::onSelect(FormView& ui, int id) {
    const Control* c = decl_.control(id);
    if (!c || !c->isChoice()) return;
    if (!c->grade) {
        const int index = ui.selection(id);
        if (index < 0 || index >= static_cast<int>(c->items.size())) return;
        onChoice(ui, id, index);
        return;
    }
    // A field that cannot be read keeps what the user typed: the selection still takes effect,
    // but no stored value is written back over the fields.
    const bool read = takeIn(ui);
    const int index = ui.selection(id);
    if (index < 0 || index >= pickerRows(c->gradeKind)) return;
    applyGradePick(*c, index);
    if (read) putBack(ui);
}

void CalcForm::onChoice(FormView& ui, int id, int index) {
    const bool read = takeIn(ui);
    st_.picks[id] = index;
    if (read) putBack(ui);
}

bool CalcForm::passes(const Check& check) const {
    if (check.whenPicker != 0 && pick(check.whenPicker) != check.whenIndex) return true;
    double sum = 0;
    for (const auto& t : check.terms) sum += t.coef * value(t.id);
    return check.strict ? sum > 0 : sum >= 0;
}

Outcome CalcForm::onCalculate(FormView& ui, ReportTarget& report) {
    if (!takeIn(ui)) return {Outcome::Kind::Refused, kNotANumber, Icon::Stop};
    for (const auto& check : decl_.checks) {
        if (!passes(check)) {
            ui.showMessage(check.message, decl_.icon);
            return refuse(check.message);
        }
    }
    for (const auto& c : decl_.controls) {
        if (!c.isInput()) continue;
        const double v = std::abs(value(c.id));
        if (v > kLargestInput || (v != 0 && v < kSmallestInput)) {
            ui.showMessage(kOutOfRangeMessage, Icon::Stop);
            ui.focusField(c.id);
            return refuse(kOutOfRangeMessage, Icon::Stop);
        }
    }
    const State before = st_;
    st_.verdict = {};
    st_.empty.clear();
    CalcReport r(report);
    Outcome out = calculate(r);
    if (out.ok()) {
        bool finite = !r.sawNonFinite();
        for (const auto& c : decl_.controls)
            if (c.isNumeric() && !std::isfinite(value(c.id))) finite = false;
        if (!finite) out = refuse(kNonFiniteMessage, Icon::Stop);
    }
    if (out.kind == Outcome::Kind::Refused) ui.showMessage(out.message, out.icon);
    if (out.ok() && !r.Commit()) out = {Outcome::Kind::Refused, {}, Icon::Stop};
    if (!out.ok()) {
        st_ = before;
        return out;
    }
    if (ui.keepsResults()) putBack(ui);
    return out;
}

double CalcForm::value(int id) const {
    auto it = st_.values.find(id);
    if (it == st_.values.end()) throw std::logic_error("no numeric field " + std::to_string(id));
    return it->second;
}

const std::string& CalcForm::text(int id) const {
    auto it = st_.texts.find(id);
    return it == st_.texts.end() ? kEmpty : it->second;
}

bool CalcForm::checked(int id) const {
    auto it = st_.checks.find(id);
    return it != st_.checks.end() && it->second;
}

bool CalcForm::enabled(int id) const {
    auto it = st_.enabled.find(id);
    return it == st_.enabled.end() || it->second;
}

int CalcForm::pick(int id) const {
    auto it = st_.picks.find(id);
    return it == st_.picks.end() ? -1 : it->second;
}

const std::string& CalcForm::sheetName(int id) const {
    auto it = st_.names.find(id);
    return it == st_.names.end() ? kEmpty : it->second;
}

bool CalcForm::isEmpty(int id) const {
    auto it = st_.empty.find(id);
    return it != st_.empty.end() && it->second;
}

double CalcForm::col(int pickerId, Col column) const {
    const Control* c = decl_.control(pickerId);
    if (!c || !c->grade || !(c->columns & column))
        throw std::logic_error("picker " + std::to_string(pickerId) + " does not supply this column");
    return columnValue(c->gradeKind, pick(pickerId), column);
}

}  // namespace tov
