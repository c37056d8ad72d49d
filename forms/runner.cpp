#include "forms/runner.h"

#include <charconv>

namespace tov {

namespace {
int indexOfEntry(const Control& c, const std::string& value) {
    for (std::size_t i = 0; i < c.items.size(); ++i)
        if (c.items[i] == value) return static_cast<int>(i);
    return -1;
}
}  // namespace

Assignment parseAssignment(const std::string& arg) {
    const auto eq = arg.find('=');
    if (eq == std::string::npos || eq == 0) throw UsageError("expected ID=VALUE: " + arg);
    int id = 0;
    auto [p, ec] = std::from_chars(arg.data(), arg.data() + eq, id);
    if (ec != std::errc() || p != arg.data() + eq) throw UsageError("not a control id: " + arg.substr(0, eq));
    return {id, arg.substr(eq + 1)};
}

void applyInputs(CalcForm& form, FormView& ui, const std::vector<Assignment>& assignments,
                 const std::function<void(int id)>& beforeTyping) {
    const FormDecl& decl = form.decl();
    for (const auto& a : assignments) {
        const Control* c = decl.control(a.id);
        if (!c->isChoice()) continue;
        ui.setSelection(a.id, indexOfEntry(*c, a.value));
        form.onSelect(ui, a.id);
    }
    for (const auto& a : assignments) {
        const Control* c = decl.control(a.id);
        if (c->isChoice()) continue;
        if (beforeTyping) beforeTyping(a.id);
        if (c->kind == CtlKind::CheckBox)
            ui.setChecked(a.id, a.value == "1");
        else
            ui.setFieldText(a.id, a.value);
    }
}

RunResult runForm(const FormEntry& entry, const std::vector<Assignment>& assignments,
                  ReportTarget& report) {
    std::unique_ptr<CalcForm> form;
    return runForm(entry, assignments, report, form);
}

RunResult runForm(const FormEntry& entry, const std::vector<Assignment>& assignments,
                  ReportTarget& report, std::unique_ptr<CalcForm>& form) {
    const FormDecl& decl = entry.decl();
    for (const auto& a : assignments) {
        const Control* c = decl.control(a.id);
        if (!c || c->kind == CtlKind::HelpButton)
            throw UsageError("form " + decl.className + " has no control " + std::to_string(a.id));
        if (c->isResult())
            throw UsageError("control " + std::to_string(a.id) + " is a result field");
        if (c->isChoice() && indexOfEntry(*c, a.value) < 0)
            throw UsageError("control " + std::to_string(a.id) + " has no entry \"" + a.value + "\"");
        if (c->kind == CtlKind::CheckBox && a.value != "0" && a.value != "1")
            throw UsageError("check box " + std::to_string(a.id) + " takes 0 or 1");
    }

    form = entry.make();
    MemoryView ui;
    ui.showsFields = false;  // nobody sees the fields: no text is made for the numbers put back
    ui.dropsResults = true;  // the results are read from the form below
    ui.reserve(decl.controls.size());
    form->open(ui);
    applyInputs(*form, ui, assignments, [&ui](int id) {
        if (!ui.isEnabled(id))
            throw UsageError("control " + std::to_string(id) + " is disabled in this state of the form");
    });
    ui.messages.clear();

    RunResult res;
    const std::size_t before = report.wholeText().size();
    res.outcome = form->onCalculate(ui, report);
    res.messages = ui.messages;
    if (res.outcome.ok()) {
        res.sheet = report.wholeText().substr(before);
        for (const auto& c : decl.controls) {
            if (c.kind == CtlKind::TextResult)
                res.texts[c.id] = form->text(c.id);
            else if (c.isResult())
                res.results[c.id] = form->value(c.id);
            if (c.isResult() && form->isEmpty(c.id)) res.empty.insert(c.id);
        }
        res.verdict = form->verdict();
    }
    return res;
}

}  // namespace tov
