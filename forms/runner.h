// One Calculate of a form with given inputs, without a dialog: the command line, batch runs,
// the tests and the fuzz targets all go through here.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/memoryview.h"
#include "forms/registry.h"

namespace tov {

/// ID=VALUE: a picker or list box takes the exact text of one of its entries, a check box 0 or 1,
/// a numeric field the text typed into it.
struct Assignment {
    int id;
    std::string value;
};

/// An assignment that does not fit the form (unknown control, entry or disabled field).
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct RunResult {
    Outcome outcome;
    std::string sheet;                     ///< the text one Calculate appended; empty when refused
    std::map<int, double> results;         ///< numeric result fields
    std::set<int> empty;                   ///< result fields left blank (no valid value)
    Verdict verdict;                       ///< the sheet's verdict
    std::map<int, std::string> texts;      ///< text result fields
    std::vector<MemoryView::Message> messages;
};

/// Opens the form, applies the picks in the order given (as a pick in the dialog acts), types the
/// other values into their fields, presses Calculate once against the report.
RunResult runForm(const FormEntry& entry, const std::vector<Assignment>& assignments,
                  ReportTarget& report);

/// The same, handing back the form as the Calculate left it (for what the result fields do not
/// carry, such as the section of the calculation).
RunResult runForm(const FormEntry& entry, const std::vector<Assignment>& assignments,
                  ReportTarget& report, std::unique_ptr<CalcForm>& form);

/// Puts inputs into an open form as the dialog takes them: the picks first, in the order given,
/// each accepted as a selection, then the numbers typed into their fields and the check boxes
/// set. `beforeTyping` is called with each field's id before it is typed into (the runner refuses
/// a field its picks disabled there). The assignments must fit the form (see runForm).
void applyInputs(CalcForm& form, FormView& ui, const std::vector<Assignment>& assignments,
                 const std::function<void(int id)>& beforeTyping = {});

/// Parses "ID=VALUE"; throws UsageError when it is not of that form.
Assignment parseAssignment(const std::string& arg);

}  // namespace tov
