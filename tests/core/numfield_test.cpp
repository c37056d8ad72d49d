// Reading and showing number fields, and the fixed-point texts of the sheets.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>

#include "forms/numfield.h"

namespace tov {
namespace {

TEST(NumberField, AcceptsDecimalNumbersWithBlanks) {
    struct {
        const char* text;
        double value;
    } ok[] = {{"0", 0},         {"0.0", 0},     {"00", 0},        {"169.53", 169.53}, {" \t12", 12},
              {"12 \t", 12},    {"+5", 5},      {"-5", -5},       {"1e3", 1000},      {"1.5E-2", 0.015},
              {"5.", 5},        {".5", 0.5},    {"0e5", 0},
              {"1e308", 1e308}, {"-0.25", -0.25}};
    for (const auto& c : ok) {
        auto v = readNumber(c.text);
        ASSERT_TRUE(v.has_value()) << c.text;
        EXPECT_DOUBLE_EQ(*v, c.value) << c.text;
    }
}

TEST(NumberField, RefusesWhatIsNotOneFiniteNumber) {
    for (const char* t : {"", "  ", "abc", "12abc", "1 2", "1,5", ".", "-", "+", ".0", "-0", "+0", "-0.0",
                          "inf", "-inf", "INF", "nan", "NaN", "infinity", "1e999", "-1e999", "0x10",
                          "1e-999", "12\n", "１２", "1e", "2e+"}) {
        EXPECT_FALSE(readNumber(t).has_value()) << '"' << t << '"';
    }
}

TEST(NumberField, ReadsTheWholeTextNotItsFirst31Characters) {
    const std::string longNumber = "1234567890.12345678901234567890123";
    ASSERT_GT(longNumber.size(), 31u);
    auto v = readNumber(longNumber);
    ASSERT_TRUE(v);
    EXPECT_DOUBLE_EQ(*v, 1234567890.123456789);
    EXPECT_FALSE(readNumber(std::string(40, '1') + "x"));
}

TEST(NumberField, ShowsFifteenSignificantDigits) {
    EXPECT_EQ(showNumber(169.53), "169.53");
    EXPECT_EQ(showNumber(0), "0");
    EXPECT_EQ(showNumber(-0.0), "0");
    EXPECT_EQ(showNumber(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(showNumber(1e20), "1e+20");
}

TEST(NumberField, ShownValueReadsBack) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> mant(-10, 10);
    std::uniform_int_distribution<int> expo(-20, 20);
    for (int i = 0; i < 5000; ++i) {
        const double v = mant(rng) * std::pow(10.0, expo(rng));
        const std::string shown = showNumber(v);
        auto back = readNumber(shown);
        ASSERT_TRUE(back) << shown;
        EXPECT_EQ(showNumber(*back), shown);
        EXPECT_NEAR(*back, v, std::abs(v) * 1e-14);
    }
}

TEST(NumberField, FixedTextDropsLeadingBlanks) {
    EXPECT_EQ(fixedText(2.5, "%30.1f"), "2.5");
    EXPECT_EQ(fixedText(1000, "%30.0f"), "1000");
    EXPECT_EQ(fixedText(0.0033, "%30.5f"), "0.00330");
    EXPECT_EQ(fixedText(-1790.25, "%30.1f"), "-1790.2");
    EXPECT_EQ(fixedText(-0.0, "%30.1f"), "0.0");
    EXPECT_EQ(fixedText(3.14159, "%10.3f"), "3.142");
}

// Random doubles of every kind: raw bit patterns, short decimals, halfway cases of the formats
// (…5 at the digit after the last one shown, exact in binary or one unit either side), signed
// zeros, subnormals, and the largest magnitudes.
std::vector<double> awkwardDoubles(std::size_t n) {
    std::mt19937_64 rng(2010);
    std::vector<double> v = {0.0,    -0.0,   0.5,     -0.5,   0.25,  2.5,     -2.5,   0.125,
                             1e300,  -1e308, 5e-324,  -5e-324, 2.2250738585072014e-308,
                             0.05,   -0.05,  0.0005,  1e15,   1e16,  123456789012345.6,
                             0.1 + 0.2, 1.0 / 3, 999999999999999.9, 9.9999999999999995};
    while (v.size() < n) {
        const std::uint64_t r = rng();
        double x = 0;
        switch (r % 4) {
        case 0: {  // any finite bit pattern
            const std::uint64_t bits = rng();
            std::memcpy(&x, &bits, sizeof x);
            if (!std::isfinite(x)) continue;
            break;
        }
        case 1:  // a decimal of up to 17 digits at a random scale
            x = static_cast<double>(rng() % 100000000000000000ull) * std::pow(10.0, static_cast<int>(rng() % 40) - 30);
            break;
        case 2: {  // a halfway case at 0 to 6 decimals, and its neighbours
            const int decimals = static_cast<int>(rng() % 7);
            x = (static_cast<double>(rng() % 2000000) + 0.5) / std::pow(10.0, decimals);
            const int side = static_cast<int>(rng() % 3);
            if (side == 1) x = std::nextafter(x, 0.0);
            if (side == 2) x = std::nextafter(x, 1e300);
            break;
        }
        default:  // a computed value, as a form makes them
            x = static_cast<double>(rng() % 100000) / static_cast<double>(rng() % 997 + 1) - 50;
        }
        v.push_back(r & 16 ? -x : x);
    }
    return v;
}

TEST(NumberField, FormatsAsPrintfDoesOverRandomValues) {
    const char* formats[] = {"%30.0f", "%30.1f", "%30.2f", "%30.3f", "%30.5f", "%30.6f",
                             "%10.1f", "%11.2f", "%20.3f", "%.2f",   "%f",     "%8.4e"};
    char buf[400];
    for (double v : awkwardDoubles(20000)) {
        const double z = v == 0 ? 0 : v;
        for (const char* f : formats) {
            std::snprintf(buf, sizeof buf, f, z);
            const char* p = buf;
            while (*p == ' ') ++p;
            ASSERT_EQ(fixedText(v, f), p) << f << " of " << std::hexfloat << v;
        }
        std::snprintf(buf, sizeof buf, "%.15g", z);
        ASSERT_EQ(showNumber(v), buf) << std::hexfloat << v;
        // A field showing the number reads back as shownValue says, to the bit.
        const auto read = readNumber(buf), shown = shownValue(v);
        ASSERT_EQ(read.has_value(), shown.has_value()) << buf;
        if (read) ASSERT_EQ(std::signbit(*read), std::signbit(*shown)) << buf;
        if (read) ASSERT_EQ(*read, *shown) << buf;
    }
}

}  // namespace
}  // namespace tov
