#include "codedata/codetables.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tov {

// Importance factor γ0 by safety class (GB 50068 / GB 50010 3.3.2); seismic design takes 1.0.
const std::vector<SafetyClass>& safetyClasses() {
    static const std::vector<SafetyClass> rows = {
        {"一级", 1.1, "一级"},
        {"二级", 1.0, "二级"},
        {"三级", 0.9, "三级"},
        {"地震设计", 1.0, "地震设计状况"},
    };
    return rows;
}

// Tables 4.1.4-1 (fc), 4.1.4-2 (ft); clause 6.2.6 (α1, β1, εcu); clause 6.2.16 (α);
// Table 4.1.3-2 (ftk); Table 4.1.5 (Ec, ×10000 N/mm²).
const std::vector<ConcreteParams>& concreteGrades() {
    static const std::vector<ConcreteParams> rows = {
        {"C15", 7.2, 0.91, 1.0, 0.8, 0.0033, 1.0, 1.27, 2.2},
        {"C20", 9.6, 1.1, 1.0, 0.8, 0.0033, 1.0, 1.54, 2.55},
        {"C25", 11.9, 1.27, 1.0, 0.8, 0.0033, 1.0, 1.78, 2.8},
        {"C30", 14.3, 1.43, 1.0, 0.8, 0.0033, 1.0, 2.01, 3.0},
        {"C35", 16.7, 1.57, 1.0, 0.8, 0.0033, 1.0, 2.2, 3.15},
        {"C40", 19.1, 1.71, 1.0, 0.8, 0.0033, 1.0, 2.39, 3.25},
        {"C45", 21.1, 1.8, 1.0, 0.8, 0.0033, 1.0, 2.51, 3.35},
        {"C50", 23.1, 1.89, 1.0, 0.8, 0.0033, 1.0, 2.64, 3.45},
        {"C55", 25.3, 1.96, 0.99, 0.79, 0.00325, 0.975, 2.74, 3.55},
        {"C60", 27.5, 2.04, 0.98, 0.78, 0.0032, 0.95, 2.85, 3.6},
        {"C65", 29.7, 2.09, 0.97, 0.77, 0.00315, 0.925, 2.93, 3.65},
        {"C70", 31.8, 2.14, 0.96, 0.76, 0.0031, 0.9, 2.99, 3.7},
        {"C75", 33.8, 2.18, 0.95, 0.75, 0.00305, 0.875, 3.05, 3.75},
        {"C80", 35.9, 2.22, 0.94, 0.74, 0.003, 0.85, 3.11, 3.8},
    };
    return rows;
}

// Tables 4.2.3-1 (fy, fy') and 4.2.5 (Es, ×100000 N/mm²).
const std::vector<SteelParams>& steelGrades() {
    static const std::vector<SteelParams> rows = {
        {"HPB300", 270, 270, 2.1},
        {"HRB335", 300, 300, 2.0},
        {"HRBF335", 300, 300, 2.0},
        {"HRB400", 360, 360, 2.0},
        {"HRBF400", 360, 360, 2.0},
        {"RRB400", 360, 360, 2.0},
        {"HRB500", 435, 410, 2.0},
        {"HRBF500", 435, 410, 2.0},
    };
    return rows;
}

int pickerRows(PickerKind kind) {
    switch (kind) {
        case PickerKind::Safety: return static_cast<int>(safetyClasses().size());
        case PickerKind::Concrete: return static_cast<int>(concreteGrades().size());
        case PickerKind::Steel: return static_cast<int>(steelGrades().size());
    }
    return 0;
}

std::vector<const char*> pickerTexts(PickerKind kind) {
    std::vector<const char*> out;
    switch (kind) {
        case PickerKind::Safety:
            for (const auto& r : safetyClasses()) out.push_back(r.listText);
            break;
        case PickerKind::Concrete:
            for (const auto& r : concreteGrades()) out.push_back(r.grade);
            break;
        case PickerKind::Steel:
            for (const auto& r : steelGrades()) out.push_back(r.grade);
            break;
    }
    return out;
}

const char* sheetName(PickerKind kind, int row) {
    if (row < 0 || row >= pickerRows(kind)) throw std::out_of_range("picker row");
    switch (kind) {
        case PickerKind::Safety: return safetyClasses()[row].sheetName;
        case PickerKind::Concrete: return concreteGrades()[row].grade;
        case PickerKind::Steel: return steelGrades()[row].grade;
    }
    return "";
}

double columnValue(PickerKind kind, int row, Col col) {
    if (row < 0 || row >= pickerRows(kind)) throw std::out_of_range("picker row");
    if (kind == PickerKind::Safety && col == ColGamma0) return safetyClasses()[row].gamma0;
    if (kind == PickerKind::Concrete) {
        const auto& c = concreteGrades()[row];
        switch (col) {
            case ColFc: return c.fc;
            case ColFt: return c.ft;
            case ColAlpha1: return c.alpha1;
            case ColBeta1: return c.beta1;
            case ColEpsCu: return c.epsCu;
            case ColAlphaInd: return c.alphaIndirect;
            case ColFtk: return c.ftk;
            case ColEc: return c.Ec;
            default: break;
        }
    }
    if (kind == PickerKind::Steel) {
        const auto& s = steelGrades()[row];
        switch (col) {
            case ColFy: return s.fy;
            case ColFyPrime: return s.fyPrime;
            case ColEs: return s.Es;
            default: break;
        }
    }
    throw std::logic_error("column does not belong to this picker kind");
}

namespace {
constexpr unsigned kConcreteAll = ColFc | ColFt | ColAlpha1 | ColBeta1 | ColEpsCu;
constexpr unsigned kSteelAll = ColFy | ColFyPrime | ColEs;
constexpr PickerKind S = PickerKind::Safety;
constexpr PickerKind C = PickerKind::Concrete;
constexpr PickerKind T = PickerKind::Steel;
// Concrete rows
constexpr int C20 = 1, C25 = 2, C30 = 3, C35 = 4;
// Steel rows
constexpr int HPB300 = 0, HRB335 = 1, HRB400 = 3, HRB500 = 6;
constexpr int kClass2 = 1;  // 二级
}  // namespace

const std::vector<PickerConfig>& pickerConfigs() {
    static const std::vector<PickerConfig> rows = {
        // Singly reinforced rectangle
        {130, 1011, S, ColGamma0, kClass2}, {130, 1009, C, kConcreteAll, C35}, {130, 1010, T, ColFy | ColEs, HRB400},
        {142, 1011, S, ColGamma0, kClass2}, {142, 1009, C, kConcreteAll, C30}, {142, 1010, T, ColFy | ColEs, HRB400},
        // Doubly reinforced rectangle: 1010 for As, 1021 for As'
        {144, 1011, S, ColGamma0, kClass2}, {144, 1009, C, kConcreteAll, C30},
        {144, 1010, T, ColFy | ColEs, HRB400}, {144, 1021, T, ColFyPrime | ColEs, HRB400},
        {148, 1011, S, ColGamma0, kClass2}, {148, 1009, C, kConcreteAll, C30},
        {148, 1010, T, ColFy | ColEs, HRB400}, {148, 1021, T, ColFyPrime | ColEs, HRB400},
        {150, 1011, S, ColGamma0, kClass2}, {150, 1009, C, kConcreteAll, C30},
        {150, 1010, T, ColFy | ColEs, HRB500}, {150, 1021, T, ColFyPrime | ColEs, HRB500},
        {210, 1011, S, ColGamma0, kClass2}, {210, 1009, C, kConcreteAll, C35}, {210, 1010, T, ColFy | ColEs, HRB400},
        // T and inverted-L sections
        {152, 1011, S, ColGamma0, kClass2}, {152, 1009, C, kConcreteAll, C30}, {152, 1010, T, ColFy | ColEs, HRB400},
        {162, 1011, S, ColGamma0, kClass2}, {162, 1009, C, kConcreteAll, C20}, {162, 1010, T, ColFy | ColEs, HRB335},
        {155, 1011, S, ColGamma0, kClass2}, {155, 1009, C, kConcreteAll, C30}, {155, 1010, T, ColFy | ColEs, HRB400},
        {164, 1011, S, ColGamma0, kClass2}, {164, 1009, C, kConcreteAll, C20}, {164, 1010, T, ColFy | ColEs, HRB335},
        {156, 1011, S, ColGamma0, kClass2}, {156, 1009, C, kConcreteAll, C20}, {156, 1010, T, ColFy | ColEs, HRB335},
        {165, 1011, S, ColGamma0, kClass2}, {165, 1009, C, kConcreteAll, C20}, {165, 1010, T, ColFy | ColEs, HRB335},
        // Axial compression, ordinary ties
        {169, 1011, S, ColGamma0, kClass2}, {169, 1009, C, ColFc, C30}, {169, 1021, T, ColFyPrime, HRB335},
        {171, 1011, S, ColGamma0, kClass2}, {171, 1009, C, ColFc, C30}, {171, 1021, T, ColFyPrime, HRB335},
        // Axial compression, spiral hoops: longitudinal bars work in compression (fy'),
        // the hoops in tension (fy), in both forms.
        {173, 1013, S, ColGamma0, kClass2}, {173, 1009, C, ColFc | ColAlphaInd, C35},
        {173, 1021, T, ColFyPrime, HRB500}, {173, 1011, T, ColFy, HRB335},
        {174, 1014, S, ColGamma0, kClass2}, {174, 1009, C, ColFc | ColAlphaInd, C30},
        {174, 1010, T, ColFyPrime, HRB335}, {174, 1011, T, ColFy, HPB300},
        // Eccentric compression
        {180, 1011, S, ColGamma0, kClass2}, {180, 1009, C, kConcreteAll, C30}, {180, 1010, T, kSteelAll, HRB400},
        {192, 1011, S, ColGamma0, kClass2}, {192, 1009, C, kConcreteAll, C30}, {192, 1010, T, kSteelAll, HRB400},
        {198, 1011, S, ColGamma0, kClass2}, {198, 1009, C, kConcreteAll, C25}, {198, 1010, T, kSteelAll, HRB400},
        {190, 1011, S, ColGamma0, kClass2}, {190, 1009, C, kConcreteAll, C35}, {190, 1010, T, kSteelAll, HRB500},
        {202, 1011, S, ColGamma0, kClass2}, {202, 1009, C, kConcreteAll, C30}, {202, 1010, T, kSteelAll, HRB335},
        // Eccentric tension, asymmetric
        {188, 1011, S, ColGamma0, kClass2}, {188, 1009, C, kConcreteAll, C30}, {188, 1010, T, kSteelAll, HRB400},
        {196, 1011, S, ColGamma0, kClass2}, {196, 1009, C, kConcreteAll, C30}, {196, 1010, T, kSteelAll, HRB400},
        {206, 1011, S, ColGamma0, kClass2}, {206, 1009, C, kConcreteAll, C25}, {206, 1010, T, kSteelAll, HRB335},
        // Eccentric tension, symmetric
        {194, 1011, S, ColGamma0, kClass2}, {194, 1009, C, ColFt, C30}, {194, 1010, T, ColFy, HRB335},
        {204, 1011, S, ColGamma0, kClass2}, {204, 1009, C, ColFt, C30}, {204, 1010, T, ColFy, HRB335},
        // Axial tension
        {184, 1011, S, ColGamma0, kClass2}, {184, 1009, C, ColFt, C30}, {184, 1010, T, ColFy, HRB335},
        {200, 1011, S, ColGamma0, kClass2}, {200, 1009, C, ColFt, C30}, {200, 1010, T, ColFy, HRB335},
        // Shear on inclined sections (dialogs 220 to 225): 1017 the stirrups, 1010 the bent-up bars
        {220, 1011, S, ColGamma0, kClass2}, {220, 1009, C, ColFc | ColFt, C30}, {220, 1017, T, ColFy, HRB400},
        {221, 1011, S, ColGamma0, kClass2}, {221, 1009, C, ColFc | ColFt, C30}, {221, 1017, T, ColFy, HRB400},
        {221, 1010, T, ColFy, HRB400},
        {222, 1011, S, ColGamma0, kClass2}, {222, 1009, C, ColFt, C30},
        {223, 1011, S, ColGamma0, kClass2}, {223, 1009, C, ColFc | ColFt, C30}, {223, 1017, T, ColFy, HRB400},
        {224, 1011, S, ColGamma0, kClass2}, {224, 1009, C, ColFc | ColFt, C30}, {224, 1017, T, ColFy, HRB400},
        {225, 1011, S, ColGamma0, kClass2}, {225, 1009, C, ColFc | ColFt, C30}, {225, 1017, T, ColFy, HRB400},
        {225, 1010, T, ColFy, HRB400},
        // Serviceability: crack width (flexure, bars for crack width, tension, eccentric
        // compression) and deflection
        {230, 1009, C, ColFtk, C30}, {230, 1010, T, ColEs, HRB400},
        {231, 1009, C, ColFtk, C30}, {231, 1010, T, ColEs, HRB400},
        {232, 1009, C, ColFtk, C30}, {232, 1010, T, ColEs, HRB400},
        {233, 1009, C, ColFtk, C30}, {233, 1010, T, ColEs, HRB400},
        {234, 1009, C, ColFtk | ColEc, C30}, {234, 1010, T, ColEs, HRB400},
    };
    return rows;
}

const PickerConfig* findPickerConfig(int dialogId, int controlId) {
    for (const auto& p : pickerConfigs())
        if (p.dialogId == dialogId && p.controlId == controlId) return &p;
    return nullptr;
}

namespace {
// Table 6.2.15: φ against L0/b, L0/d and L0/i.
struct PhiRow {
    double l0b, l0d, l0i, phi;
};
constexpr PhiRow kPhi[] = {
    {8, 7, 28, 1.00},      {10, 8.5, 35, 0.98},   {12, 10.5, 42, 0.95}, {14, 12, 48, 0.92},
    {16, 14, 55, 0.87},    {18, 15.5, 62, 0.81},  {20, 17, 69, 0.75},   {22, 19, 76, 0.70},
    {24, 21, 83, 0.65},    {26, 22.5, 90, 0.60},  {28, 24, 97, 0.56},   {30, 26, 104, 0.52},
    {32, 28, 111, 0.48},   {34, 29.5, 118, 0.44}, {36, 31, 125, 0.40},  {38, 33, 132, 0.36},
    {40, 34.5, 139, 0.32}, {42, 36.5, 146, 0.29}, {44, 38, 153, 0.26},  {46, 40, 160, 0.23},
    {48, 41.5, 167, 0.21}, {50, 43, 174, 0.19},
};

double slendernessOf(const PhiRow& r, Slenderness c) {
    switch (c) {
        case Slenderness::L0b: return r.l0b;
        case Slenderness::L0d: return r.l0d;
        case Slenderness::L0i: return r.l0i;
    }
    return r.l0b;
}
}  // namespace

std::optional<double> StabilityCoefficient(Slenderness column, double ratio) {
    if (!std::isfinite(ratio)) return std::nullopt;
    constexpr std::size_t n = sizeof kPhi / sizeof kPhi[0];
    if (ratio <= slendernessOf(kPhi[0], column)) return kPhi[0].phi;
    for (std::size_t k = 1; k < n; ++k) {
        const double x1 = slendernessOf(kPhi[k], column);
        if (ratio <= x1) {
            const double x0 = slendernessOf(kPhi[k - 1], column);
            const double t = (ratio - x0) / (x1 - x0);
            return kPhi[k - 1].phi + t * (kPhi[k].phi - kPhi[k - 1].phi);
        }
    }
    return std::nullopt;
}

double rhoMinAll(int concreteRow, int steelRow) {
    const double fy = steelGrades().at(steelRow).fy;
    // Table 8.5.1: strength class 500 MPa → 0.50, 400 MPa → 0.55, 300 and 335 MPa → 0.60.
    double rho = fy >= 435 ? 0.50 : fy >= 360 ? 0.55 : 0.60;
    // Note 1: +0.10 for concrete of C60 and above.
    if (concreteRow >= 9) rho += 0.10;
    return rho;
}

double rhoMinTension(double ft, double fy) { return std::max(0.20, 45.0 * ft / fy); }

}  // namespace tov
