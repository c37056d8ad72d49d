// Design values of GB 50010-2010 used by every form: safety classes, concrete and steel grades,
// the picker configuration of each form, the stability coefficient and the minimum ratios.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace tov {

/// One structure safety class (importance factor γ0) as the pickers list it.
struct SafetyClass {
    const char* listText;
    double gamma0;
    const char* sheetName;  ///< text the sheets print after "结构安全等级: "
};

/// Concrete design values, Tables 4.1.4-1/-2 and clauses 6.2.6, 6.2.16 (α of indirect reinforcement);
/// the standard tensile strength ftk (Table 4.1.3-2) and the elastic modulus Ec (Table 4.1.5).
struct ConcreteParams {
    const char* grade;  ///< list text and sheet name
    double fc;          ///< N/mm²
    double ft;          ///< N/mm²
    double alpha1;
    double beta1;
    double epsCu;
    double alphaIndirect;
    double ftk;  ///< N/mm²
    double Ec;   ///< ×10000 N/mm²
};

/// Steel design values, Table 4.2.3-1; Es in units of 100000 N/mm².
struct SteelParams {
    const char* grade;
    double fy;       ///< N/mm²
    double fyPrime;  ///< N/mm²
    double Es;       ///< ×100000 N/mm²
};

const std::vector<SafetyClass>& safetyClasses();      ///< 4 rows, list order
const std::vector<ConcreteParams>& concreteGrades();  ///< 14 rows, C15 … C80
const std::vector<SteelParams>& steelGrades();        ///< 8 rows, HPB300 … HRBF500

/// Columns a grade picker can supply to its form.
enum Col : unsigned {
    ColGamma0 = 1u << 0,
    ColFc = 1u << 1,
    ColFt = 1u << 2,
    ColAlpha1 = 1u << 3,
    ColBeta1 = 1u << 4,
    ColEpsCu = 1u << 5,
    ColAlphaInd = 1u << 6,
    ColFy = 1u << 7,
    ColFyPrime = 1u << 8,
    ColEs = 1u << 9,
    ColFtk = 1u << 10,
    ColEc = 1u << 11,
};

enum class PickerKind { Safety, Concrete, Steel };

/// Number of rows of a picker kind's list.
int pickerRows(PickerKind kind);
/// List texts of a picker kind, in list order.
std::vector<const char*> pickerTexts(PickerKind kind);
/// Sheet name of a row (the safety list's "地震设计" leaves "地震设计状况").
const char* sheetName(PickerKind kind, int row);
/// Value of one column of a row; the column must belong to the kind.
double columnValue(PickerKind kind, int row, Col col);

/// One grade picker of one form: control id, kind, the columns it supplies and its initial row.
struct PickerConfig {
    int dialogId;
    int controlId;
    PickerKind kind;
    unsigned columns;
    int initial;
};

/// The grade pickers of every form (the bar-selection form has none).
const std::vector<PickerConfig>& pickerConfigs();
/// The configuration of one picker of one form, or nullptr.
const PickerConfig* findPickerConfig(int dialogId, int controlId);

/// Slenderness columns of Table 6.2.15.
enum class Slenderness { L0b, L0d, L0i };

/// φ of Table 6.2.15 by linear interpolation; 1.0 at or below the first row;
/// std::nullopt beyond the last row (the table gives no value there).
std::optional<double> StabilityCoefficient(Slenderness column, double ratio);

/// ρmin of all longitudinal bars of a compression member, in percent (Table 8.5.1 and its note 1:
/// 0.60 / 0.55 / 0.50 for the 300–335, 400 and 500 MPa classes, +0.10 from C60).
double rhoMinAll(int concreteRow, int steelRow);

/// ρmin of the tension bars on one side, in percent: max(0.20, 45·ft/fy) (Table 8.5.1).
double rhoMinTension(double ft, double fy);

/// ρmin of the bars on one side of a compression member, in percent (Table 8.5.1).
constexpr double kRhoMinOneSide = 0.20;

}  // namespace tov
