// The rectangular section of a finished calculation and the forces it was designed or checked
// for, as points of its N–M plane: the section engine's view of a form's inputs and results.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "forms/calcform.h"
#include "section/section.h"

namespace tov::section {

/// A force pair of the calculation in the section's terms: γ0 times the design values, compression
/// positive, M about h/2 positive when it compresses the As′ face. For eccentric compression the
/// moment is taken at ei = e0 + ea, as 6.2.17 checks it.
struct LoadPoint {
    std::string label;
    double N = 0;  ///< N
    double M = 0;  ///< N·mm
};

struct FormSection {
    int dialogId = 0;
    std::string title;        ///< the form's caption
    RectSection section;
    std::vector<LoadPoint> points;
};

/// True for the forms of a rectangular section with b, h, As and As′.
bool hasRectSection(int dialogId);

/// The section and load points of a form whose last Calculate produced a sheet; nullopt for a form
/// without such a section, or when the calculation left an area blank or gave none that is usable.
std::optional<FormSection> formSection(const CalcForm& f);

}  // namespace tov::section
