// Shear on inclined sections (GB 50010-2010 clauses 6.3.1 to 6.3.14, 9.2.9 and 9.3.2): the
// controls, code values and sheet lines that the six shear forms share.
#pragma once

#include <string>
#include <vector>

#include "forms/registry.h"

namespace tov::shear {

// Control ids of the shear forms.
constexpr int kSafety = 1011, kConcrete = 1009, kSteel = 1010, kStirrup = 1017;
constexpr int kB = 1001, kH = 1000, kA = 1002;
constexpr int kShape = 1039, kHfTop = 1101, kHfBottom = 1102;
constexpr int kLoad = 1040, kDist = 1104;  // load picker of the beams, member picker of the columns
constexpr int kDiam = 1041, kLegs = 1042;
constexpr int kV = 1100, kS = 1105, kAsb = 1106, kAngle = 1107;
constexpr int kN = 1108, kNKind = 1109, kLambda = 1113;
constexpr int kAsvS = 1110, kSOut = 1111, kVu = 1112, kAsbOut = 1114;
constexpr int kHelp = 1118;

enum Shape { kRect = 0, kT = 1, kI = 2 };
enum Load { kGeneral = 0, kPoint = 1 };      // beams: picker 1040
enum Member { kFrame = 0, kOther = 1 };      // members with axial force: picker 1040
enum AxialKind { kCompression = 0, kTension = 1 };

constexpr const char* kSizeMessage = "截面尺寸输入有误，请检查。";
constexpr const char* kVMessage = "剪力数值应大于零，请检查。";

/// βc of clause 6.3.1: 1.0 up to C50, 0.8 at C80, linear in between.
double betaC(int concreteRow);
/// fyv in shear: the grade's fy, not above 360 N/mm² (clause 4.2.3).
double shearFyv(double fy);
/// Area of one stirrup leg, π·d²/4 (mm²).
double legArea(double d);
/// Largest stirrup spacing of Table 9.2.9 (mm); large: V > 0.7·ft·b·h0. The row of
/// 150 < h ≤ 300 also serves shallower beams.
double beamMaxSpacing(double h, bool large);
/// Least stirrup diameter of clause 9.2.9 item 2 (mm).
double beamMinDiameter(double h);
/// The largest multiple of 10 mm not above s.
double downTo10(double s);
/// The coefficient of the section limit of clause 6.3.1 for hw/b.
double limitCoefficient(double hwOverB);

// Builders of the shared controls, in exchange order.
std::vector<Control> beamSectionControls(const char* group);   // shape, b, h, a, hf', hf
std::vector<Control> loadControls(const char* group);          // load picker, distance
Control diameterPicker(const char* group);
Control legsPicker(int initial, const char* group);
/// The section checks of the beam forms, after the positive-size checks.
std::vector<Check> beamSectionChecks();

/// The common behaviour of the shear forms: the shape and load pickers enable their fields.
class ShearForm : public CalcForm {
public:
    using CalcForm::CalcForm;

protected:
    void onChoice(FormView& ui, int id, int index) override;
    void onOpen() override { applyEnables(); }

    double diameter() const;
    double legs() const;
    double h0() const { return value(kH) - value(kA); }
    /// Web height of clause 6.3.1 by the section shape.
    double webHeight() const;
    double gamma0() const { return col(kSafety, ColGamma0); }
    double fc() const { return col(kConcrete, ColFc); }
    double ft() const { return col(kConcrete, ColFt); }
    double betaC() const { return shear::betaC(pick(kConcrete)); }
    double fyv() const { return shearFyv(col(kStirrup, ColFy)); }

    // --- Lines of the sheets -------------------------------------------------------------
    void echoForce(CalcReport& r) const;
    void echoBeamSection(CalcReport& r) const;
    void echoRectSection(CalcReport& r) const;
    void echoLoad(CalcReport& r) const;
    void echoStirrups(CalcReport& r, bool spacing) const;
    /// "二、计算参数:" with γ0, the concrete and the stirrup steel; fy of bent bars when asked.
    void parameters(CalcReport& r, bool bentBars) const;
    /// h0 and the section limit of clause 6.3.1 (N); with a design force, the comparison.
    struct Limit {
        double coef;
        double value;       // N
        std::string text;   // "0.25×βc×fc×b×h0" with the coefficient used
    };
    Limit sectionLimit(CalcReport& r, const char* heading = "　　　◇截面限制条件（规范第6.3.1条）:") const;
    /// The design forms: γ0·V against the limit; false (and the sheet says so) when it fails.
    bool limitHolds(CalcReport& r, const Limit& lim);
    /// αcv of clause 6.3.4 by the load picker, and αcv·ft·b·h0 (N).
    double alphaCv(CalcReport& r) const;
    /// The detailing rules of clause 9.2.9 for beams: smax (mm) and, when required, ρsv,min.
    struct BeamRules {
        double sMax;
        bool needsRatio;
        double rhoMin;  // ratio, not percent
        double dMin;
    };
    BeamRules beamRules(CalcReport& r, bool detailingOnly) const;
    /// Check lines of the chosen stirrups against the beam rules; true when all are met.
    bool checkBeamStirrups(CalcReport& r, const BeamRules& rules, double s) const;
    /// Asv1 and Asv of the chosen stirrups (mm²).
    double stirrupArea(CalcReport& r) const;

private:
    void applyEnables();
};

}  // namespace tov::shear
