// Helpers shared by the core tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/runner.h"

namespace tov::test {

/// One Calculate of a form on an empty report, with the assignments as the command line takes them.
inline RunResult run(std::string_view form, const std::vector<Assignment>& as = {}) {
    const FormEntry* e = findForm(form);
    if (!e) throw std::logic_error("no form " + std::string(form));
    MemoryReport report;
    return runForm(*e, as, report);
}

/// The lines of a sheet, without their "\r\n"; fails the test if a line lacks it.
inline std::vector<std::string> sheetLines(const std::string& sheet) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < sheet.size()) {
        const auto end = sheet.find("\r\n", pos);
        if (end == std::string::npos) {
            ADD_FAILURE() << "sheet does not end with \\r\\n: " << sheet.substr(pos);
            lines.push_back(sheet.substr(pos));
            break;
        }
        lines.push_back(sheet.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

/// The line of a sheet that starts with the prefix, or "" (so EXPECT_EQ shows what is missing).
inline std::string lineStartingWith(const std::string& sheet, const std::string& prefix) {
    for (const auto& l : sheetLines(sheet))
        if (l.rfind(prefix, 0) == 0) return l;
    return {};
}

/// True when some line of the sheet is exactly this text.
inline bool hasLine(const std::string& sheet, const std::string& line) {
    for (const auto& l : sheetLines(sheet))
        if (l == line) return true;
    return false;
}

}  // namespace tov::test
