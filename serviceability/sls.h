// What the serviceability forms share: the section, bar and limit inputs, the sheet lines of the
// material values, and the crack-width chain of GB 50010-2010 clause 7.1.2.
#pragma once

#include <string>
#include <vector>

#include "forms/registry.h"

namespace tov::sls {

constexpr int kConcrete = 1009, kSteel = 1010, kShape = 1039;
constexpr int kH = 1000, kB = 1001, kA = 1002, kAs = 1008, kAPrime = 1022, kAsPrime = 1023;
constexpr int kBf = 1121, kHf = 1122, kBfPrime = 1123, kHfPrime = 1124;
constexpr int kD1 = 1125, kN1 = 1126, kD2 = 1127, kN2 = 1128, kBarType = 1129, kCs = 1130;
constexpr int kLimit = 1131, kW = 1132, kAsStrength = 1133, kN = 1134;
constexpr int kMq = 1120, kNq = 1135, kE0 = 1136, kL0 = 1137, kSupport = 1138, kUse = 1139, kF = 1140;
constexpr int kHelp = 1141, kL0Help = 1142;

/// Rows of the shape picker.
enum Shape { kRect = 0, kTee = 1, kInvTee = 2, kISection = 3 };

constexpr const char* kSize = "截面尺寸输入有误，请检查。";
constexpr const char* kGroup = "设计要求";

/// The shape picker and the four flange fields (disabled while the shape has no such flange).
std::vector<Control> shapeControls();
/// b, h and a (to the centroid of the tension bars).
std::vector<Control> sizeControls(double b, double h, double a);
/// The tension flange bf, hf and the compression flange bf', hf', each when asked for; disabled
/// until the shape picker shows a shape with that flange.
std::vector<Control> flangeControls(bool tension, bool compression);
/// Flanges wider than b and thinner than h, per shape (only the flanges the form declares).
std::vector<Check> flangeChecks(bool tension, bool compression);
/// The crack-limit picker (environment class and wlim).
Control limitPicker();
/// The bar-type picker (ribbed or plain, for νi).
Control barTypePicker();

/// The bar inputs of the crack-width checks after the section, in Tab order: As, cs, bar type,
/// the two bar groups, the help page and the wmax result.
std::vector<Control> barControls();

/// The "?" button of a help page, with its tooltip.
Control helpPage(int id, const char* page, const char* tip);

/// wlim (mm) of a row of the crack-limit picker (Table 3.4.5).
double crackLimit(int row);

/// Flanges a shape has.
bool hasTensionFlange(int shape);
bool hasCompressionFlange(int shape);

/// A form with a section-shape picker that switches the flange fields.
class SlsForm : public CalcForm {
public:
    using CalcForm::CalcForm;

protected:
    void onOpen() override;
    void onChoice(FormView& ui, int id, int index) override;
    int shape() const;
    /// The tension flange's overhang area (bf − b)·hf, 0 without one.
    double tensionFlangeArea() const;

    /// Material lines of "二、计算参数:": ftk (and Ec), Es.
    void materialLines(CalcReport& r, bool withEc) const;
    /// The sheet's lines of the section sizes and flanges given.
    void sizeLines(CalcReport& r) const;
    /// The lines of "一、设计要求:" on As, the bars, cs and the crack limit.
    void crackInputLines(CalcReport& r, bool secondGroup, bool withAs) const;
    /// deq from the two bar groups, νi by the bar-type picker (7.1.2); lines printed.
    double equivalentDiameter(CalcReport& r, bool secondGroup) const;
    /// Refusal text when the bar groups disagree with As by more than 5 %, or a bar count is not
    /// a whole number; empty when they agree.
    std::string barGroupsDisagree() const;

    /// ψ of 7.1.2 from ρte = As/Ate (taken at least 0.01, with `floorLine` saying so) and σsq
    /// (N/mm²), bounded to 0.2…1.0; lines printed. `rhoTe` receives ρte as used.
    double strainUnevenness(CalcReport& r, double sigma, double As, double Ate, const char* floorLine,
                            double& rhoTe) const;

    struct Crack {
        double w;     ///< wmax (mm)
        double wlim;  ///< mm
    };
    /// ρte, ψ, cs and wmax of 7.1.2 from σsq (N/mm²), As, Ate (mm²), deq (mm) and αcr; the
    /// closing verdict line when `verdictLine`.
    Crack crackWidth(CalcReport& r, double sigma, double As, double Ate, double deq, double alphaCr,
                     bool verdictLine = true);
    /// "wmax ≤ wlim" or "wmax ＞ wlim" with the verdict.
    void crackVerdict(CalcReport& r, const Crack& c);
};

}  // namespace tov::sls
