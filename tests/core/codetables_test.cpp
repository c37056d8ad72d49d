// The code tables and the picker configuration of every form.
#include <gtest/gtest.h>

#include <set>

#include "codedata/codetables.h"
#include "forms/registry.h"

namespace tov {
namespace {

TEST(CodeTables, RowsAndSheetNames) {
    ASSERT_EQ(safetyClasses().size(), 4u);
    ASSERT_EQ(concreteGrades().size(), 14u);
    ASSERT_EQ(steelGrades().size(), 8u);
    EXPECT_STREQ(sheetName(PickerKind::Safety, 3), "地震设计状况");
    EXPECT_STREQ(safetyClasses()[3].listText, "地震设计");
    EXPECT_DOUBLE_EQ(columnValue(PickerKind::Safety, 0, ColGamma0), 1.1);
    EXPECT_DOUBLE_EQ(columnValue(PickerKind::Safety, 2, ColGamma0), 0.9);
    EXPECT_DOUBLE_EQ(columnValue(PickerKind::Safety, 3, ColGamma0), 1.0);
    EXPECT_STREQ(sheetName(PickerKind::Concrete, 0), "C15");
    EXPECT_STREQ(sheetName(PickerKind::Steel, 7), "HRBF500");
    EXPECT_THROW(sheetName(PickerKind::Steel, 8), std::out_of_range);
    EXPECT_THROW(columnValue(PickerKind::Steel, 0, ColFc), std::logic_error);
}

TEST(CodeTables, ConcreteStressBlockFollowsClause626) {
    // α1 = 1.0, β1 = 0.8, εcu = 0.0033 up to C50; linear to 0.94, 0.74, 0.0030 at C80.
    for (int row = 0; row < 14; ++row) {
        const auto& c = concreteGrades()[row];
        const int grade = 15 + 5 * row;
        const double over = std::max(0, grade - 50) / 30.0;
        EXPECT_NEAR(c.alpha1, 1.0 - 0.06 * over, 1e-12) << c.grade;
        EXPECT_NEAR(c.beta1, 0.8 - 0.06 * over, 1e-12) << c.grade;
        EXPECT_NEAR(c.epsCu, 0.0033 - (grade > 50 ? (grade - 50) * 1e-5 : 0), 1e-12) << c.grade;
        EXPECT_NEAR(c.alphaIndirect, 1.0 - 0.15 * over, 1e-12) << c.grade;
        if (row > 0) {
            EXPECT_GT(c.fc, concreteGrades()[row - 1].fc);
            EXPECT_GT(c.ft, concreteGrades()[row - 1].ft);
        }
    }
    EXPECT_DOUBLE_EQ(concreteGrades()[4].ft, 1.57);  // C35
    EXPECT_DOUBLE_EQ(concreteGrades()[3].fc, 14.3);  // C30
}

TEST(CodeTables, SteelCompressionStrengthDiffersOnlyFor500) {
    for (const auto& s : steelGrades()) {
        const bool is500 = std::string(s.grade).find("500") != std::string::npos;
        EXPECT_EQ(s.fy == s.fyPrime, !is500) << s.grade;
        EXPECT_DOUBLE_EQ(s.Es, std::string(s.grade) == "HPB300" ? 2.1 : 2.0) << s.grade;
    }
    EXPECT_DOUBLE_EQ(steelGrades()[6].fy, 435);
    EXPECT_DOUBLE_EQ(steelGrades()[6].fyPrime, 410);
}

TEST(CodeTables, EveryFormButBarSelectionHasItsPickers) {
    std::set<int> configured;
    for (const auto& p : pickerConfigs()) {
        configured.insert(p.dialogId);
        EXPECT_GE(p.initial, 0);
        EXPECT_LT(p.initial, pickerRows(p.kind));
        EXPECT_NE(p.columns, 0u);
        for (unsigned bit = 1; bit <= ColEc; bit <<= 1)
            if (p.columns & bit) EXPECT_NO_THROW(columnValue(p.kind, 0, static_cast<Col>(bit)));
        if (p.kind == PickerKind::Safety) EXPECT_EQ(p.initial, 1) << p.dialogId;  // 二级
    }
    for (const auto& c : formCommands()) {
        if (c.dialogId == 131) {
            EXPECT_EQ(configured.count(131), 0u);
            continue;
        }
        EXPECT_EQ(configured.count(c.dialogId), 1u) << c.className;
    }
    EXPECT_EQ(formCommands().size(), 40u);  // 29 normal-section, 6 shear and 5 serviceability forms
}

TEST(CodeTables, SpiralFormsTakeCompressionStrengthForBarsAndTensionForHoops) {
    EXPECT_EQ(findPickerConfig(174, 1010)->columns, unsigned(ColFyPrime));
    EXPECT_EQ(findPickerConfig(174, 1011)->columns, unsigned(ColFy));
    EXPECT_EQ(findPickerConfig(173, 1021)->columns, unsigned(ColFyPrime));
    EXPECT_EQ(findPickerConfig(173, 1011)->columns, unsigned(ColFy));
    EXPECT_EQ(findPickerConfig(174, 1014)->kind, PickerKind::Safety);
    EXPECT_EQ(findPickerConfig(173, 1013)->kind, PickerKind::Safety);
}

TEST(CodeTables, MinimumRatios) {
    EXPECT_DOUBLE_EQ(rhoMinTension(1.57, 360), 0.20);
    EXPECT_NEAR(rhoMinTension(1.43, 270), 45 * 1.43 / 270, 1e-12);
    EXPECT_DOUBLE_EQ(rhoMinAll(3, 1), 0.60);   // C30, HRB335
    EXPECT_DOUBLE_EQ(rhoMinAll(3, 0), 0.60);   // HPB300
    EXPECT_DOUBLE_EQ(rhoMinAll(3, 3), 0.55);   // HRB400
    EXPECT_DOUBLE_EQ(rhoMinAll(8, 6), 0.50);   // C55, HRB500
    EXPECT_DOUBLE_EQ(rhoMinAll(9, 6), 0.60);   // C60, HRB500: +0.10
    EXPECT_DOUBLE_EQ(rhoMinAll(13, 1), 0.70);  // C80, HRB335
}

}  // namespace
}  // namespace tov

namespace tov {
namespace {
// Tables 4.1.3-2 and 4.1.5. ft is ftk/1.4 to within the table's last digit (commentary 4.1.4);
// Ec = 10⁵/(2.2 + 34.7/fcu,k) to within 0.025×10⁴ (commentary 4.1.5: the table rounds the formula).
TEST(CodeTables, StandardTensileStrengthAndElasticModulus) {
    EXPECT_DOUBLE_EQ(concreteGrades()[3].ftk, 2.01);   // C30
    EXPECT_DOUBLE_EQ(concreteGrades()[3].Ec, 3.00);
    EXPECT_DOUBLE_EQ(concreteGrades()[13].ftk, 3.11);  // C80
    EXPECT_DOUBLE_EQ(concreteGrades()[13].Ec, 3.80);
    for (std::size_t row = 0; row < concreteGrades().size(); ++row) {
        const auto& c = concreteGrades()[row];
        const double fcu = 15 + 5.0 * static_cast<double>(row);
        EXPECT_NEAR(c.ft, c.ftk / 1.4, 0.01) << c.grade;
        EXPECT_NEAR(c.Ec, 10.0 / (2.2 + 34.7 / fcu), 0.025) << c.grade;
        EXPECT_EQ(columnValue(PickerKind::Concrete, static_cast<int>(row), ColFtk), c.ftk);
        EXPECT_EQ(columnValue(PickerKind::Concrete, static_cast<int>(row), ColEc), c.Ec);
    }
}
}  // namespace
}  // namespace tov
