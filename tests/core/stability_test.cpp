// Table 6.2.15 (stability coefficient φ) and Table 8.5.1 (ρmin of all longitudinal bars of a
// compression member), row by row and on both sides of every limit.
#include <cmath>

#include <gtest/gtest.h>

#include "codedata/codetables.h"

namespace tov {
namespace {

// GB 50010-2010 Table 6.2.15, transcribed from the code: L0/b, L0/d, L0/i, φ.
struct Row {
    double b, d, i, phi;
};
const Row kTable[] = {
    {8, 7, 28, 1.00},     {10, 8.5, 35, 0.98},  {12, 10.5, 42, 0.95}, {14, 12, 48, 0.92},
    {16, 14, 55, 0.87},   {18, 15.5, 62, 0.81}, {20, 17, 69, 0.75},   {22, 19, 76, 0.70},
    {24, 21, 83, 0.65},   {26, 22.5, 90, 0.60}, {28, 24, 97, 0.56},   {30, 26, 104, 0.52},
    {32, 28, 111, 0.48},  {34, 29.5, 118, 0.44}, {36, 31, 125, 0.40}, {38, 33, 132, 0.36},
    {40, 34.5, 139, 0.32}, {42, 36.5, 146, 0.29}, {44, 38, 153, 0.26}, {46, 40, 160, 0.23},
    {48, 41.5, 167, 0.21}, {50, 43, 174, 0.19},
};

double at(const Row& r, Slenderness c) {
    return c == Slenderness::L0b ? r.b : c == Slenderness::L0d ? r.d : r.i;
}

constexpr Slenderness kColumns[] = {Slenderness::L0b, Slenderness::L0d, Slenderness::L0i};

TEST(StabilityCoefficient, EveryTabulatedRowOfEveryColumn) {
    for (Slenderness c : kColumns)
        for (const Row& r : kTable) {
            auto phi = StabilityCoefficient(c, at(r, c));
            ASSERT_TRUE(phi.has_value()) << at(r, c);
            EXPECT_NEAR(*phi, r.phi, 1e-12) << "column " << int(c) << " ratio " << at(r, c);
        }
}

TEST(StabilityCoefficient, LinearBetweenNeighbouringRows) {
    constexpr std::size_t n = sizeof kTable / sizeof kTable[0];
    for (Slenderness c : kColumns)
        for (std::size_t k = 1; k < n; ++k) {
            const Row &lo = kTable[k - 1], &hi = kTable[k];
            const double x0 = at(lo, c), x1 = at(hi, c);
            // A quarter of the way, and just inside both ends of the interval.
            const double xq = x0 + 0.25 * (x1 - x0);
            EXPECT_NEAR(*StabilityCoefficient(c, xq), lo.phi + 0.25 * (hi.phi - lo.phi), 1e-12);
            EXPECT_LT(*StabilityCoefficient(c, x0 + 1e-6), lo.phi);
            EXPECT_GT(*StabilityCoefficient(c, x1 - 1e-6), hi.phi);
        }
    // A worked value: L0/b = 11 lies halfway between 0.98 and 0.95.
    EXPECT_NEAR(*StabilityCoefficient(Slenderness::L0b, 11), 0.965, 1e-12);
    // L0/d = 11 (the spiral design form's default) is a third of the way from 10.5 to 12.
    EXPECT_NEAR(*StabilityCoefficient(Slenderness::L0d, 11), 0.95 - 0.03 / 3, 1e-12);
}

TEST(StabilityCoefficient, OneAtAndBelowTheFirstRow) {
    for (Slenderness c : kColumns) {
        const double first = at(kTable[0], c);
        EXPECT_EQ(*StabilityCoefficient(c, first), 1.0);
        EXPECT_EQ(*StabilityCoefficient(c, first - 0.5), 1.0);
        EXPECT_EQ(*StabilityCoefficient(c, 0), 1.0);
        EXPECT_LT(*StabilityCoefficient(c, first + 0.01), 1.0);
    }
}

TEST(StabilityCoefficient, NoValueBeyondTheLastRow) {
    for (Slenderness c : kColumns) {
        const double last = at(kTable[21], c);
        EXPECT_NEAR(*StabilityCoefficient(c, last), 0.19, 1e-12);
        EXPECT_FALSE(StabilityCoefficient(c, last + 1e-9).has_value());
        EXPECT_FALSE(StabilityCoefficient(c, 1e9).has_value());
    }
    EXPECT_FALSE(StabilityCoefficient(Slenderness::L0b, std::nan("")).has_value());
    EXPECT_FALSE(StabilityCoefficient(Slenderness::L0b, INFINITY).has_value());
}

TEST(RhoMinAll, Table851ByStrengthClassAndConcrete) {
    // Steel rows: HPB300, HRB335, HRBF335 (300/335 MPa) 0.60; HRB400, HRBF400, RRB400 0.55;
    // HRB500, HRBF500 0.50. Note 1: +0.10 from C60 (row 9) up; C55 (row 8) and below unchanged.
    const double byClass[8] = {0.60, 0.60, 0.60, 0.55, 0.55, 0.55, 0.50, 0.50};
    for (int c = 0; c < 14; ++c)
        for (int s = 0; s < 8; ++s)
            EXPECT_NEAR(rhoMinAll(c, s), byClass[s] + (c >= 9 ? 0.10 : 0), 1e-12) << c << " " << s;
    EXPECT_NEAR(rhoMinAll(8, 6), 0.50, 1e-12);  // C55, HRB500
    EXPECT_NEAR(rhoMinAll(9, 6), 0.60, 1e-12);  // C60, HRB500
    EXPECT_NEAR(rhoMinAll(3, 1), 0.60, 1e-12);  // C30, HRB335
}

}  // namespace
}  // namespace tov
