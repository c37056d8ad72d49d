// Number fields: how a form shows a double in an edit field and reads it back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tov {

/// The field text of a value: "%.*g" with precision 15 (169.53 → "169.53", 0 → "0").
std::string showNumber(double value);
/// The value a field that shows showNumber(value) reads back (readNumber of that text), without
/// making the text when the value has at most 15 significant digits.
std::optional<double> shownValue(double value);

/// Reads a field's whole text: optional blanks/tabs, one decimal number (sign, digits, point,
/// exponent), optional blanks/tabs. Refuses empty text, anything else, inf, nan, overflow, and a
/// zero whose first non-blank character is not the digit 0 (".0" and "-0" are refused).
std::optional<double> readNumber(std::string_view text);

/// The message shown for a field that cannot be read.
inline constexpr const char* kNotANumber = "请键入一个数。";

/// A value in a printf fixed-point format ("%30.1f" …) with its leading blanks removed.
std::string fixedText(double value, const char* format);
/// Appends fixedText(value, format) to the text.
void appendFixed(std::string& text, double value, const char* format);

}  // namespace tov
