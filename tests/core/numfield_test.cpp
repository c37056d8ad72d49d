// Reading and showing number fields, and the fixed-point texts of the sheets.
#include <gtest/gtest.h>

#include <cmath>
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

}  // namespace
}  // namespace tov
