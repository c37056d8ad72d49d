// Fuzz target: the number-field reader against an independent reading by the C library.
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "forms/numfield.h"

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

// The field rules read with strtod: blanks, one decimal number, blanks; no hex, inf or nan; no
// overflow; a zero only when the first non-blank character is the digit 0.
std::optional<double> oracle(const std::string& text) {
    if (text.find('\0') != std::string::npos) return std::nullopt;
    std::size_t i = 0;
    while (i < text.size() && blank(text[i])) ++i;
    if (i == text.size()) return std::nullopt;
    const char* start = text.c_str() + i;
    if (std::strchr("\n\r\v\f", *start)) return std::nullopt;  // strtod would skip these too
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(start, &end);
    if (end == start) return std::nullopt;
    for (const char* p = start; p < end; ++p)
        if (std::strchr("xXnNiIpP", *p)) return std::nullopt;
    for (const char* p = end; *p; ++p)
        if (!blank(*p)) return std::nullopt;
    if (!std::isfinite(v)) return std::nullopt;
    if (errno == ERANGE && v == 0) {
        for (const char* p = start; p < end && *p != 'e' && *p != 'E'; ++p)
            if (*p >= '1' && *p <= '9') return std::nullopt;  // underflow of a non-zero number
    }
    if (v == 0 && *start != '0') return std::nullopt;
    return v == 0 ? 0.0 : v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::setlocale(LC_NUMERIC, "C");
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto got = tov::readNumber(text);
    const auto want = oracle(text);
    if (got.has_value() != want.has_value()) __builtin_trap();
    if (got && *got != *want) __builtin_trap();
    if (got) {
        const std::string shown = tov::showNumber(*got);
        const auto back = tov::readNumber(shown);
        if (!back || tov::showNumber(*back) != shown) __builtin_trap();
    }
    return 0;
}
