// The declaration of a calculation form: its controls, pickers, defaults and input checks, as data.
// The desktop dialog, the command line and the tests are all built from these declarations.
#pragma once

#include <string>
#include <vector>

#include "codedata/codetables.h"

namespace tov {

/// Icon of a form's message box.
enum class Icon { Stop, Information };

enum class CtlKind {
    Picker,        ///< drop-down list (grade picker or a form's own list such as the section shape)
    Edit,          ///< numeric input field
    DigitsEdit,    ///< numeric input field that accepts only the digits 0 to 9 as typed
    Result,        ///< read-only numeric result field
    DigitsResult,  ///< read-only numeric result field declared digits-only
    TextResult,    ///< read-only text field (a failure type)
    CheckBox,
    ListBox,       ///< list of entries that notifies selection changes
    HelpButton,    ///< "?" button that opens a help page
};

/// One control of a form, in exchange and Tab order.
struct Control {
    int id = 0;
    CtlKind kind = CtlKind::Edit;
    std::string label;
    std::string unit;        ///< unit of the quantity ("mm", "kN.m"); empty for none
    double def = 0;          ///< default number, initial list index, or 1 for a checked box
    std::string group;       ///< caption of the enclosing group box ("" for none)
    bool tab = true;         ///< takes part in the Tab order
    bool enabled = true;     ///< initial enable state
    bool grade = false;      ///< a grade picker configured by pickerConfigs()
    PickerKind gradeKind = PickerKind::Safety;
    unsigned columns = 0;                ///< columns a grade picker supplies
    std::vector<std::string> items;      ///< entries of a form's own picker or list box
    std::string page;                    ///< help page of a "?" button
    std::string tip;                     ///< tooltip of a "?" button ("" for the effective-length one)

    bool isNumeric() const {
        return kind == CtlKind::Edit || kind == CtlKind::DigitsEdit || kind == CtlKind::Result ||
               kind == CtlKind::DigitsResult;
    }
    bool isInput() const { return kind == CtlKind::Edit || kind == CtlKind::DigitsEdit; }
    bool isResult() const {
        return kind == CtlKind::Result || kind == CtlKind::DigitsResult || kind == CtlKind::TextResult;
    }
    bool isChoice() const { return kind == CtlKind::Picker || kind == CtlKind::ListBox; }
};

/// Term c·v(id) of a linear input check.
struct Term {
    double coef;
    int id;
};

/// An input check: Σ coef·value(id) > 0 (strict) or ≥ 0; refused with the message otherwise.
/// A check with whenPicker set applies only while that picker shows whenIndex.
struct Check {
    std::vector<Term> terms;
    bool strict = true;
    std::string message;
    int whenPicker = 0;
    int whenIndex = -1;
};

/// Section picture kinds drawn beside a form's inputs.
enum class Picture {
    None, Rect, DoublyRect, TBeam, TRib, LRib, Column, Spiral, EccRect, Bar,
    ShearRect, ShearT, ShearI, ShearColumn, ShearSlab, BeamUniform, BeamPoint,
    // Serviceability sections: rectangle, T, inverted T and I in the order of their shape picker.
    SlsRect, SlsTee, SlsInvTee, SlsI, SlsTension, SlsCompression,
    // The same four sections without the cover cs, for the deflection check.
    DeflRect, DeflTee, DeflInvTee, DeflI,
    EccTension,
};

/// A picture that follows one of the form's pickers: while it shows entry i, picture byPick[i].
struct PictureSwitch {
    int picker = 0;
    std::vector<Picture> byPick;
};

struct FormDecl {
    std::string className;
    int dialogId = 0;
    int commandId = 0;
    std::string title;        ///< dialog caption
    Picture picture = Picture::None;
    PictureSwitch pictureFollows;        ///< when its picker is set, `picture` follows that picker
    std::vector<PictureSwitch> sketches; ///< further pictures below the first, each following its picker
    int calcId = 1007;        ///< control id of the Calculate button
    Icon icon = Icon::Stop;   ///< icon of the input-check messages
    std::vector<Control> controls;
    std::vector<Check> checks;

    const Control* control(int id) const;
};

// --- Builders used by the form declarations -------------------------------------------------

/// A grade picker whose kind, columns and initial entry come from pickerConfigs().
Control gradePicker(int dialogId, int id, std::string label, std::string group);
/// A form's own picker (section shape, hoop diameter …).
Control listPicker(int id, std::string label, std::vector<std::string> items, int initial,
                   std::string group);
Control edit(int id, std::string label, std::string unit, double def, std::string group);
Control digitsEdit(int id, std::string label, std::string unit, double def, std::string group);
Control result(int id, std::string label, std::string unit, std::string group);
Control textResult(int id, std::string label, std::string group);
Control checkBox(int id, std::string label, bool checked, std::string group);
Control helpButton(int id, std::string page, std::string group, std::string tip = {});
/// The same control outside the Tab order.
Control noTab(Control c);
/// The same control initially disabled.
Control disabled(Control c);

/// value(id) > 0
Check positive(int id, std::string message);
/// value(lo) < value(hi)
Check less(int lo, int hi, std::string message);
/// value(lo) ≤ value(hi)
Check lessEq(int lo, int hi, std::string message);
/// Σ coef·value(id) > 0
Check linear(std::vector<Term> terms, std::string message);
/// The same check, applied only while the picker shows the index.
Check when(int picker, int index, Check c);

}  // namespace tov
