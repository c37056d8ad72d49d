// Reading a calculation sheet back into its form's inputs, so that a sheet in a report can be
// calculated again: the sheet's title names the form, its echo lines give the picks and numbers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/runner.h"

namespace tov {

/// One sheet in a report: from its title line to the line before the next title (or the end).
/// Offsets are bytes into the report's text; lines count from 0.
struct SheetSpan {
    std::size_t begin = 0, end = 0;
    int firstLine = 0;
    int lineCount = 0;
};

/// The sheets of a report, in order. A sheet starts at a title line "─────…计算书─────".
std::vector<SheetSpan> findSheets(std::string_view report);

/// The sheet that holds the given line of the report, or null when the line is in none.
const SheetSpan* sheetAtLine(const std::vector<SheetSpan>& sheets, int line);

struct ReadBack {
    const FormEntry* form = nullptr;
    /// Picks first, in the order of the form's controls, then the numbers: as runForm takes them.
    std::vector<Assignment> assignments;
    /// Empty when the sheet was read; else what could not be read (the caller names the line).
    std::string error;
    /// The sheet's line (from 0) that could not be read, or −1 when a line is missing altogether.
    int line = -1;

    bool ok() const { return form && error.empty(); }
};

/// Reads a sheet (its title line first) back into its form's inputs. Where the sheet prints an
/// input, it is read as printed: a sheet that shows b＝250.0 gives 250.
///
/// The form's echo lines are not declared anywhere: they are found by calculating the form with
/// its defaults and with each input moved in turn, and seeing which line follows the input.
/// A form thus needs nothing of its own to be read back.
ReadBack readBackSheet(std::string_view sheet);

}  // namespace tov
