// The common behaviour of every calculation form: fields, pickers, input checks, Calculate.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "forms/calcreport.h"
#include "forms/flatmap.h"
#include "forms/formdecl.h"

namespace tov {

/// What a form needs of its dialog (the desktop dialog, or an in-memory one).
class FormView {
public:
    virtual ~FormView() = default;
    virtual std::string fieldText(int id) const = 0;
    virtual void setFieldText(int id, const std::string& text) = 0;
    /// Shows a number in a numeric field (its text is showNumber(value)). A view that nobody
    /// sees may keep the number and make the text only when asked.
    virtual void setFieldNumber(int id, double value);
    /// The number a field holds as the form set it, when the view kept it as a number and
    /// nothing was typed since; otherwise none, and the field's text is read.
    virtual std::optional<double> fieldNumber(int /*id*/) const { return std::nullopt; }
    /// Selected index of a picker or list box; −1 for none.
    virtual int selection(int id) const = 0;
    virtual void setSelection(int id, int index) = 0;
    virtual bool isChecked(int id) const = 0;
    virtual void setChecked(int id, bool on) = 0;
    virtual void setEnabled(int id, bool on) = 0;
    /// A message box with the caption "提示".
    virtual void showMessage(const std::string& text, Icon icon) = 0;
    /// Focus a field and select its whole text.
    virtual void focusField(int id) = 0;
    /// False when nobody looks at the fields after a Calculate that wrote its sheet (a view
    /// dropped right after): the results are then not written back into it.
    virtual bool keepsResults() const { return true; }
};

/// How a Calculate ended.
struct Outcome {
    enum class Kind { Sheet, Refused, Silent };
    Kind kind = Kind::Sheet;
    std::string message;
    Icon icon = Icon::Stop;

    bool ok() const { return kind == Kind::Sheet; }
};

/// The outcome of a sheet in one short phrase, for the dialog's status line and the JSON output.
/// Ok reads green (满足要求), Detailing amber (构造配筋 and the like), Fail red (超筋, 截面尺寸不足,
/// 不满足); None when the form says nothing beyond its figures.
struct Verdict {
    enum class Kind { None, Ok, Detailing, Fail };
    Kind kind = Kind::None;
    std::string text;
};

/// Inputs are refused beyond these magnitudes (mm, mm², kN, kN·m): no member is that large, and
/// nothing smaller than a millionth of a unit means anything; such values only overflow formulas.
inline constexpr double kLargestInput = 1e9;
inline constexpr double kSmallestInput = 1e-6;
inline constexpr const char* kOutOfRangeMessage = "输入数值超出计算范围，请检查。";

/// Message of the guard that keeps a value that is not finite out of every sheet and field.
inline constexpr const char* kNonFiniteMessage = "计算出现无效数值，请检查输入数据。";

class CalcForm {
    struct State {
        IdMap<double> values;
        IdMap<std::string> texts;
        IdMap<bool> checks;
        IdMap<bool> enabled;
        IdMap<int> picks;
        IdMap<std::string> names;
        IdMap<bool> empty;  ///< result fields left blank: the design has no valid value
        Verdict verdict;
    };

public:
    explicit CalcForm(const FormDecl& decl);
    virtual ~CalcForm();
    CalcForm(const CalcForm&) = delete;
    CalcForm& operator=(const CalcForm&) = delete;

    const FormDecl& decl() const { return decl_; }

    /// Opening step: defaults, initial picks with their values and names, fields filled.
    void open(FormView& ui);
    /// The user ended a selection with acceptance in a picker or list box.
    void onSelect(FormView& ui, int id);
    /// The Calculate button: take in, check, compute, append the sheet, show the results.
    Outcome onCalculate(FormView& ui, ReportTarget& report);

    double value(int id) const;
    const std::string& text(int id) const;
    bool checked(int id) const;
    bool enabled(int id) const;
    /// Selected index of a picker as the form last took it.
    int pick(int id) const;
    /// The name a grade picker keeps for the sheet.
    const std::string& sheetName(int id) const;
    /// A design value supplied by a grade picker; the picker must declare the column.
    double col(int pickerId, Col column) const;
    /// True when the last Calculate left this result field blank (no valid value to show).
    bool isEmpty(int id) const;
    /// The verdict of the last Calculate that wrote a sheet.
    const Verdict& verdict() const { return st_.verdict; }

protected:
    /// Computes and writes the sheet, after every declared check has passed. A refusal or a
    /// silent stop leaves the form as it was before the call.
    virtual Outcome calculate(CalcReport& r) = 0;
    /// Further opening work after the defaults are set (before the fields are filled).
    virtual void onOpen() {}
    /// A form's own picker or list box: by default take the fields in, keep the index, put back.
    virtual void onChoice(FormView& ui, int id, int index);

    bool takeIn(FormView& ui);
    void putBack(FormView& ui) const;
    void setValue(int id, double v) {
        st_.values[id] = v;
        st_.empty.erase(id);
    }
    /// Leaves a result field blank: shown empty in the dialog, null in the JSON output. Its value
    /// reads 0.
    void setEmpty(int id) {
        st_.values[id] = 0;
        st_.empty[id] = true;
    }
    void setVerdict(Verdict::Kind kind, std::string text) { st_.verdict = {kind, std::move(text)}; }
    void setText(int id, std::string t) { st_.texts[id] = std::move(t); }
    void setEnabledState(int id, bool on) { st_.enabled[id] = on; }
    void setPick(int id, int index) { st_.picks[id] = index; }
    void setSheetName(int id, std::string name) { st_.names[id] = std::move(name); }

    Outcome sheet() const { return {}; }
    Outcome refuse(std::string message) const { return {Outcome::Kind::Refused, std::move(message), decl_.icon}; }
    Outcome refuse(std::string message, Icon icon) const {
        return {Outcome::Kind::Refused, std::move(message), icon};
    }
    Outcome silent() const { return {Outcome::Kind::Silent, {}, decl_.icon}; }

private:
    void applyGradePick(const Control& c, int index);
    bool passes(const Check& check) const;

    const FormDecl& decl_;
    State st_;
};

}  // namespace tov
