#include "forms/numfield.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace tov {

// std::to_chars with a precision writes what printf writes with the same conversion and
// precision, and writes it several times faster.
std::string showNumber(double value) {
    if (value == 0) value = 0;  // no "-0"
    char buf[64];
    if (std::isfinite(value)) {
        auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
        return std::string(buf, r.ptr);
    }
    std::snprintf(buf, sizeof buf, "%.*g", 15, value);
    return buf;
}

std::optional<double> shownValue(double value) {
    if (value == 0) return 0.0;  // shown "0"
    if (std::abs(value) < 1e15 && value == std::trunc(value)) return value;  // 15 digits at most
    if (std::isnormal(value)) {
        // The shortest text that reads back as the value. With at most 15 significant digits it
        // is the value rounded to 15 digits as well: 15-digit decimals lie more than four units
        // in the last place apart, so only one of them reads back as this value. The field's
        // text then reads back as the value itself.
        char buf[64];
        auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
        char* mantissa = buf + (buf[0] == '-');
        const auto chars = std::find(mantissa, r.ptr, 'e') - mantissa;  // "d" or "d.ddd"
        if ((chars > 1 ? chars - 1 : chars) <= 15) return value;
    }
    return readNumber(showNumber(value));
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

namespace {
// The precision of a format "%[width][.precision]f"; −1 for any other format.
int fixedPrecision(const char* format) {
    const char* p = format;
    if (*p++ != '%') return -1;
    while (isDigit(*p)) ++p;
    int precision = 6;
    if (*p == '.') {
        precision = 0;
        for (++p; isDigit(*p); ++p) {
            precision = precision * 10 + (*p - '0');
            if (precision > 100) return -1;
        }
    }
    return p[0] == 'f' && p[1] == 0 ? precision : -1;
}
}  // namespace

void appendFixed(std::string& text, double value, const char* format) {
    if (value == 0) value = 0;
    char buf[400];
    // A width only adds leading blanks, which are removed anyway. (A text that would not fit is
    // cut as snprintf cuts it.)
    if (const int precision = fixedPrecision(format); precision >= 0 && std::isfinite(value)) {
        auto r = std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::fixed, precision);
        if (r.ec == std::errc()) {
            text.append(buf, r.ptr);
            return;
        }
    }
    std::snprintf(buf, sizeof buf, format, value);
    const char* p = buf;
    while (*p == ' ' || *p == '\t') ++p;
    text += p;
}

std::string fixedText(double value, const char* format) {
    std::string text;
    appendFixed(text, value, format);
    return text;
}

}  // namespace tov
