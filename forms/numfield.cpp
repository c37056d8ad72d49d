#include "forms/numfield.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace tov {

std::string showNumber(double value) {
    if (value == 0) value = 0;  // no "-0"
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", 15, value);
    return buf;
}

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::optional<double> readNumber(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isBlank(text[i])) ++i;
    const std::size_t start = i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t mantissa = i;
    std::size_t digits = 0;
    bool nonZeroDigit = false;
    while (i < n && isDigit(text[i])) nonZeroDigit |= text[i++] != '0', ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && isDigit(text[i])) nonZeroDigit |= text[i++] != '0', ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j])) ++j;
            i = j;
        }
    }
    const std::size_t end = i;
    while (i < n && isBlank(text[i])) ++i;
    if (i != n) return std::nullopt;

    double value = 0;
    const char* first = text.data() + mantissa;
    const char* last = text.data() + end;
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ptr != last) return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        if (nonZeroDigit) return std::nullopt;  // overflow, or an underflow to zero of a non-zero text
        value = 0;
    } else if (ec != std::errc()) {
        return std::nullopt;
    }
    if (!std::isfinite(value)) return std::nullopt;
    if (text[start] == '-') value = -value;
    if (value == 0) {
        if (text[start] != '0') return std::nullopt;
        value = 0;
    }
    return value;
}

std::string fixedText(double value, const char* format) {
    if (value == 0) value = 0;
    char buf[400];
    std::snprintf(buf, sizeof buf, format, value);
    const char* p = buf;
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

}  // namespace tov
