#include "forms/formdecl.h"

#include <stdexcept>
#include <utility>

namespace tov {

const Control* FormDecl::control(int id) const {
    for (const auto& c : controls)
        if (c.id == id) return &c;
    return nullptr;
}

Control gradePicker(int dialogId, int id, std::string label, std::string group) {
    const PickerConfig* cfg = findPickerConfig(dialogId, id);
    if (!cfg) throw std::logic_error("no picker configuration for this form and control");
    Control c;
    c.id = id;
    c.kind = CtlKind::Picker;
    c.label = std::move(label);
    c.def = cfg->initial;
    c.group = std::move(group);
    c.grade = true;
    c.gradeKind = cfg->kind;
    c.columns = cfg->columns;
    for (const char* t : pickerTexts(cfg->kind)) c.items.emplace_back(t);
    return c;
}

Control listPicker(int id, std::string label, std::vector<std::string> items, int initial,
                   std::string group) {
    Control c;
    c.id = id;
    c.kind = CtlKind::Picker;
    c.label = std::move(label);
    c.items = std::move(items);
    c.def = initial;
    c.group = std::move(group);
    return c;
}

namespace {
Control field(CtlKind kind, int id, std::string label, std::string unit, double def, std::string group) {
    Control c;
    c.id = id;
    c.kind = kind;
    c.label = std::move(label);
    c.unit = std::move(unit);
    c.def = def;
    c.group = std::move(group);
    c.tab = kind == CtlKind::Edit || kind == CtlKind::DigitsEdit;
    return c;
}
}  // namespace

Control edit(int id, std::string label, std::string unit, double def, std::string group) {
    return field(CtlKind::Edit, id, std::move(label), std::move(unit), def, std::move(group));
}
Control digitsEdit(int id, std::string label, std::string unit, double def, std::string group) {
    return field(CtlKind::DigitsEdit, id, std::move(label), std::move(unit), def, std::move(group));
}
Control result(int id, std::string label, std::string unit, std::string group) {
    return field(CtlKind::Result, id, std::move(label), std::move(unit), 0, std::move(group));
}
Control textResult(int id, std::string label, std::string group) {
    return field(CtlKind::TextResult, id, std::move(label), "", 0, std::move(group));
}
Control checkBox(int id, std::string label, bool checked, std::string group) {
    Control c = field(CtlKind::CheckBox, id, std::move(label), "", checked ? 1 : 0, std::move(group));
    c.tab = true;
    return c;
}
Control helpButton(int id, std::string page, std::string group, std::string tip) {
    Control c = field(CtlKind::HelpButton, id, "?", "", 0, std::move(group));
    c.tab = true;
    c.page = std::move(page);
    c.tip = std::move(tip);
    return c;
}
Control noTab(Control c) {
    c.tab = false;
    return c;
}
Control disabled(Control c) {
    c.enabled = false;
    return c;
}

Check positive(int id, std::string message) { return Check{{{1, id}}, true, std::move(message)}; }
Check less(int lo, int hi, std::string message) {
    return Check{{{1, hi}, {-1, lo}}, true, std::move(message)};
}
Check lessEq(int lo, int hi, std::string message) {
    return Check{{{1, hi}, {-1, lo}}, false, std::move(message)};
}
Check linear(std::vector<Term> terms, std::string message) {
    return Check{std::move(terms), true, std::move(message)};
}
Check when(int picker, int index, Check c) {
    c.whenPicker = picker;
    c.whenIndex = index;
    return c;
}

}  // namespace tov
