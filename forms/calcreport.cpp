#include "forms/calcreport.h"

#include <cmath>

#include "forms/numfield.h"

namespace tov {

void CalcReport::begin(std::string_view title) {
    s_.reserve(8192);  // a sheet is a few kB: one allocation
    s_.clear();
    s_ += "\r\n";
    AppendLine(title);
}

void CalcReport::AppendLine(std::string_view literal) {
    s_ += literal;
    s_ += "\r\n";
}

void CalcReport::AppendNameLine(std::string_view label, std::string_view name) {
    s_ += label;
    s_ += name;
    s_ += "\r\n";
}

void CalcReport::AppendValue(double value, const char* format) {
    if (!std::isfinite(value)) nonFinite_ = true;
    appendFixed(s_, value, format);
}

void CalcReport::AppendValueLine(std::string_view label, double value, const char* format,
                                 std::string_view unit) {
    s_ += label;
    AppendValue(value, format);
    s_ += unit;
    s_ += "\r\n";
}

void CalcReport::Append(std::string_view text) { s_ += text; }

bool CalcReport::Commit() { return target_.takeSheet(s_); }

}  // namespace tov
