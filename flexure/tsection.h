// What the T-section and inverted-L forms share: the flange-width rule of GB 50010-2010
// Table 5.2.4, the classification and design of clause 6.2.11, and the capacity check.
// Each form writes its own heading, input and flange-candidate lines; the wording that differs
// from form to form is passed in as text.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "flexure/selfcheck.h"
#include "forms/calcform.h"
#include "forms/claimfmt.h"

namespace tov::tsection {

inline constexpr int kSafety = 1011, kConcrete = 1009, kSteel = 1010;
inline constexpr int kM = 1006, kL0 = 1027, kBfActual = 1025, kHf = 1024, kSn = 1031;
inline constexpr int kB = 1001, kH = 1000, kA = 1002, kAs = 1008, kMu = 1020;

/// Section and material values a calculation needs; bf' is the effective flange width.
struct Section {
    double g0, a1, fc, ft, fy;
    double b, h, h0, hf, bf;
    double xib;
};

/// ξb = β1 / (1 + fy / (Es·εcu)), clause 6.2.7.
inline double xiB(const CalcForm& f) {
    return f.col(kConcrete, ColBeta1) /
           (1 + f.col(kSteel, ColFy) / (f.col(kSteel, ColEs) * 100000 * f.col(kConcrete, ColEpsCu)));
}

/// The section-type texts a form prints (full-width or narrow letter T).
struct TypeNames {
    const char* first;
    const char* second;
};

/// "一、设计要求:" and the class and grade names; the steel label differs by form.
inline void requirementHead(CalcReport& r, const CalcForm& f, const char* steelLabel) {
    r.AppendLine("一、设计要求:");
    r.AppendNameLine("　　　　结构安全等级: ", f.sheetName(kSafety));
    r.AppendNameLine("　　　　混凝土强度等级: ", f.sheetName(kConcrete));
    r.AppendNameLine(steelLabel, f.sheetName(kSteel));
}

/// "二、计算参数:" block; α1/β1 decimals and the fc unit differ by form.
inline void parameters(CalcReport& r, const CalcForm& f, const char* alphaFormat, const char* fcUnit) {
    r.AppendLine("二、计算参数:");
    r.AppendLine("　　　　根据设计要求查规范得:");
    r.AppendValueLine("　　　◇重要性系数 γ0＝", f.col(kSafety, ColGamma0), "%30.1f");
    r.AppendLine("　　　◇混凝土" + f.sheetName(kConcrete) + "的参数为:");
    r.AppendValueLine("　　　　系数 α1＝", f.col(kConcrete, ColAlpha1), alphaFormat);
    r.AppendValueLine("　　　　系数 β1＝", f.col(kConcrete, ColBeta1), alphaFormat);
    r.AppendValueLine("　　　　混凝土轴心抗压强度设计值 fc＝", f.col(kConcrete, ColFc), "%30.1f", fcUnit);
    r.AppendValueLine("　　　　混凝土轴心抗拉强度设计值 ft＝", f.col(kConcrete, ColFt), "%30.2f", "（N/mm2）");
    r.AppendValueLine("　　　　正截面混凝土极限压应变 εcu＝", f.col(kConcrete, ColEpsCu), "%30.5f");
    r.AppendLine("　　　◇钢筋" + f.sheetName(kSteel) + "的参数为:");
    r.AppendValueLine("　　　　普通钢筋抗拉强度设计值 fy＝", f.col(kSteel, ColFy), "%30.0f", "（N/mm2）");
    r.AppendValueLine("　　　　普通钢筋弹性模量 Es＝", f.col(kSteel, ColEs), "%30.1f", "（×100000N/mm2）");
}

/// The section values of a form; bf' is filled in once the flange width is fixed.
inline Section sectionOf(const CalcForm& f) {
    Section s{};
    s.g0 = f.col(kSafety, ColGamma0);
    s.a1 = f.col(kConcrete, ColAlpha1);
    s.fc = f.col(kConcrete, ColFc);
    s.ft = f.col(kConcrete, ColFt);
    s.fy = f.col(kSteel, ColFy);
    s.b = f.value(kB);
    s.h = f.value(kH);
    s.h0 = s.h - f.value(kA);
    s.hf = f.value(kHf);
    s.xib = xiB(f);
    return s;
}

/// The effective flange width from the smallest candidate, written with the form's own wording.
/// An effective flange narrower than the web means nothing (the web itself is fully effective,
/// cf. note 4 of Table 5.2.4): when the span candidate falls below b, bf' = b, and the sheet says so.
inline double settleWidth(CalcReport& r, double smallest, double b, const char* minLabel) {
    if (smallest >= b) {
        r.AppendValueLine(minLabel, smallest, "%30.1f", "（mm）");
        return smallest;
    }
    r.AppendValueLine("　　　　各项中最小值小于截面底宽b，翼缘计算宽度取 bf'＝b＝", b, "%30.1f", "（mm）");
    return b;
}

/// Moment of the flange overhangs about As, α1·fc·(bf' − b)·hf'·(h0 − hf'/2), N·mm.
inline double overhangMoment(const Section& s) {
    return s.a1 * s.fc * (s.bf - s.b) * s.hf * (s.h0 - s.hf / 2);
}

// --- The moment capacity of a section with As (clause 6.2.11) ----------------------------------

struct Capacity {
    bool first = true;      ///< fy·As ≤ α1·fc·bf'·hf': the block lies in the flange
    double xi = 0;          ///< ξ from the force balance of the type
    bool capped = false;    ///< ξ > ξb: the capacity is taken at ξ = ξb
    bool inFlange = false;  ///< capped second type with ξb·h0 < hf': the block x = ξb·h0 lies in the flange
    double Mu = 0;          ///< kN·m, divided by γ0
};

/// The capacity of the check forms; the designs prove their areas with it.
inline Capacity capacityOf(const Section& s, double As) {
    Capacity c;
    const double steel = s.fy * As, flange = s.a1 * s.fc * s.bf * s.hf;
    c.first = steel <= flange;
    c.xi = c.first ? steel / (s.a1 * s.fc * s.bf * s.h0)
                   : (steel - s.a1 * s.fc * (s.bf - s.b) * s.hf) / (s.a1 * s.fc * s.b * s.h0);
    // A ξ that equals ξb up to rounding (a design at the limit) is not over-reinforced.
    c.capped = c.xi > s.xib * (1 + 1e-12);
    const double xi = c.capped ? s.xib : c.xi;
    // The second type's formula counts the whole overhang down to hf'; with the depth capped at
    // ξb·h0 < hf' the block is a rectangle bf' wide inside the flange.
    c.inFlange = c.capped && !c.first && s.xib * s.h0 < s.hf;
    if (c.first || c.inFlange)
        c.Mu = s.a1 * s.fc * s.bf * s.h0 * s.h0 * xi * (1 - 0.5 * xi) / s.g0 / 1e6;
    else
        c.Mu = (s.a1 * s.fc * s.b * s.h0 * s.h0 * xi * (1 - 0.5 * xi) + overhangMoment(s)) / s.g0 / 1e6;
    return c;
}

/// Decimals of a "%30.Nf" format.
inline int decimalsOf(const char* format) { return std::atoi(std::strchr(format, '.') + 1); }

// --- Design of As (clause 6.2.11) -------------------------------------------------------------

struct DesignText {
    const char* typeHead;   ///< "　　　◇判别Ｔ形截面类型:"
    const char* firstType;  ///< the γ0·M ≤ Mf line, up to the type text
    const char* secondType; ///< the γ0·M > Mf line, up to the type text
    TypeNames names;
    const char* xiFormat;   ///< ξb and ξ of the first type
    const char* asUnit;     ///< unit of the As line
};

/// What a design found: As, or no area when the section is over-reinforced.
struct DesignResult {
    bool ok = false;
    double As = 0;
    bool detailing = false;  ///< the minimum reinforcement governs
};

/// From the type check to the minimum reinforcement, then the proof of As by the check's
/// capacity. Sets the section-type text.
inline DesignResult designTail(CalcReport& r, const Section& s, double M, const DesignText& t,
                               std::string& typeText) {
    r.AppendLine(t.typeHead);
    const double Mf = s.a1 * s.fc * s.bf * s.hf * (s.h0 - s.hf / 2);
    const double gM = s.g0 * M * 1e6;
    const bool first = gM <= Mf;
    const int dM = first ? 6 : claimDecimals(Mf / 1e6, s.g0 * M, 6);
    r.AppendValueLine("　　　　α1×fc×bf'×hf'×（h0－hf'／2）＝", Mf / 1e6, fixedFormat(dM), "（kN-m）");
    r.AppendValueLine("　　　　γ0×M＝", s.g0 * M, fixedFormat(dM), "（kN-m）");
    typeText = first ? t.names.first : t.names.second;
    r.AppendLine(std::string(first ? t.firstType : t.secondType) + typeText + "。");

    r.AppendLine("　　　◇相对受压区高度计算:");
    double radicand = 0;
    if (first) {
        // A rectangle of width bf'.
        radicand = 1 - 2 * gM / (s.a1 * s.fc * s.bf * s.h0 * s.h0);
    } else {
        // The overhangs carry their share; the web takes the rest (6.2.11-2, -3).
        radicand = 1 - 2 * (gM - overhangMoment(s)) / (s.a1 * s.fc * s.b * s.h0 * s.h0);
    }
    const double xi = radicand < 0 ? 0 : 1 - std::sqrt(radicand);
    // "ξ＞ξb" must read so in the printed figures.
    const bool over = radicand >= 0 && xi > s.xib;
    const int dXib = over ? claimDecimals(xi, s.xib, decimalsOf(t.xiFormat)) : decimalsOf(t.xiFormat);
    const int dXi = over ? std::max(dXib, 3) : 3;
    r.AppendValueLine("　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝", s.xib, over ? fixedFormat(dXib) : t.xiFormat);
    if (!first)
        r.AppendValueLine("　　　　α1×fc×（bf'－b）×hf'×（h0－hf'／2）＝", overhangMoment(s) / 1e6, "%30.6f",
                          "（kN-m）");
    const auto overReinforced = [&r] {
        r.AppendLine("　　　　应加大截面尺寸、提高混凝土强度等级或配置受压钢筋（按双筋截面计算）。");
        return DesignResult{};
    };
    if (radicand < 0) {
        r.AppendValueLine(first ? "　　　　1－2×γ0×M／（α1×fc×bf'×h0×h0）＝"
                                : "　　　　1－2×〔γ0×M－α1×fc×（bf'－b）×hf'×（h0－hf'／2）〕／（α1×fc×b×h0×h0）＝",
                          radicand, "%30.3f");
        r.AppendLine("　　　　根号内数值小于零，截面不能承受该弯矩，属超筋截面（ξ＞ξb）。");
        return overReinforced();
    }
    if (first)
        r.AppendValueLine("　　　　ξ＝1－√￣｛1－2×γ0×M／（α1×fc×bf'×h0×h0）｝＝", xi,
                          over ? fixedFormat(dXi) : t.xiFormat);
    else
        r.AppendValueLine(
            "　　　　ξ＝1－√￣｛1－2×〔γ0×M－α1×fc×（bf'－b）×hf'×（h0－hf'／2）〕／（α1×fc×b×h0×h0）｝＝", xi,
            fixedFormat(dXi));
    if (over) {
        r.AppendLine("　　　　ξ＞ξb，属超筋截面。");
        return overReinforced();
    }
    r.AppendLine("　　　　ξ≤ξb");
    r.AppendLine("　　　◇钢筋面积计算:");
    double As = first ? s.a1 * s.fc * s.bf * s.h0 * xi / s.fy
                      : s.a1 * s.fc * (s.b * xi * s.h0 + (s.bf - s.b) * s.hf) / s.fy;
    const double rhoMin = rhoMinTension(s.ft, s.fy);
    // Table 8.5.1 note 5: the ratio of a flexural member excludes the compression flange overhangs.
    const double AsMin = rhoMin / 100 * s.b * s.h;
    const bool detailing = As < AsMin;
    const int dAs = detailing ? claimDecimals(As, AsMin, 1) : 1;
    if (first)
        r.AppendValueLine("　　　　As＝α1×fc×bf'×h0×ξ／fy＝", As, fixedFormat(dAs), t.asUnit);
    else
        r.AppendValueLine("　　　　As＝α1×fc×〔b×ξ×h0＋（bf'－b）×hf'〕／fy＝", As, fixedFormat(dAs), t.asUnit);
    r.AppendLine("　　　◇配筋率验算:");
    r.AppendValueLine("　　　　规范要求受拉钢筋最小配筋率ρmin＝取大者（0.2％，45×ft／fy％）＝", rhoMin, "%30.2f",
                      "（%）");
    if (!detailing) {
        r.AppendValueLine("　　　　As≥ρmin×b×h＝", AsMin, "%30.1f", "（mm2）");
    } else {
        r.AppendValueLine("　　　　As＜ρmin×b×h＝", AsMin, fixedFormat(dAs), "（mm2）");
        As = AsMin;
        r.AppendValueLine("　　　　按最小配筋率构造配筋，取 As＝ρmin×b×h＝", As, "%30.1f", "（mm2）");
    }
    // The area proves itself by the check's capacity.
    const double k = flexure::raiseFactor([&](double f) { return capacityOf(s, f * As).Mu; }, M);
    if (k == 0) return overReinforced();
    if (k > 1) {
        const double shortMu = capacityOf(s, As).Mu;
        As *= k;
        flexure::raisedLines(r, shortMu, M, flexure::areaText("As", As), capacityOf(s, As).Mu, "（kN-m）");
    }
    return {true, As, detailing && k == 1};
}

/// A design form of this family: its result and verdict from what the design found.
class DesignForm : public CalcForm {
protected:
    using CalcForm::CalcForm;
    Outcome finish(const DesignResult& d) {
        if (!d.ok) {
            setEmpty(kAs);
            setVerdict(Verdict::Kind::Fail, "超筋，应加大截面");
        } else {
            setValue(kAs, d.As);
            if (d.detailing)
                setVerdict(Verdict::Kind::Detailing, "按最小配筋率构造配筋");
            else
                setVerdict(Verdict::Kind::Ok, "满足要求");
        }
        return sheet();
    }
};

// --- Check of the moment capacity (clause 6.2.11) ------------------------------------------------

struct CheckText {
    const char* typeHead;
    const char* firstType;   ///< the fy·As ≤ α1·fc·bf'·hf' line, up to the type text
    const char* secondType;  ///< the fy·As > α1·fc·bf'·hf' line, up to the type text
    TypeNames names;
    const char* xibFormat;
    const char* moment;      ///< "M" or "Mu": the left-hand side of the capacity line
    bool minProductLine;     ///< a separate "ρmin×b×h＝" line before the As≥ line
};

/// From the type check to the minimum reinforcement. Sets the section-type text.
inline Capacity checkTail(CalcReport& r, const Section& s, double As, const CheckText& t, std::string& typeText) {
    const Capacity c = capacityOf(s, As);
    r.AppendLine(t.typeHead);
    const double steel = s.fy * As, flange = s.a1 * s.fc * s.bf * s.hf;
    // The claims "＞" and "＜" must read so in the printed figures.
    const int dType = c.first ? 3 : claimDecimals(steel / 1000, flange / 1000, 3);
    r.AppendValueLine("　　　　fy×As＝", steel / 1000, fixedFormat(dType), "（kN）");
    r.AppendValueLine("　　　　α1×fc×bf'×hf'＝", flange / 1000, fixedFormat(dType), "（kN）");
    typeText = c.first ? t.names.first : t.names.second;
    r.AppendLine(std::string(c.first ? t.firstType : t.secondType) + typeText);

    r.AppendLine("　　　◇相对受压区高度计算:");
    const int dXib = c.capped ? claimDecimals(c.xi, s.xib, decimalsOf(t.xibFormat)) : decimalsOf(t.xibFormat);
    const int dXi = c.capped ? std::max(dXib, 3) : 3;
    r.AppendValueLine("　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝", s.xib, c.capped ? fixedFormat(dXib) : t.xibFormat);
    if (c.first)
        r.AppendValueLine("　　　　ξ＝As×fy／（α1×fc×bf'×h0）＝", c.xi, fixedFormat(dXi));
    else
        r.AppendValueLine("　　　　ξ＝〔As×fy－α1×fc×（bf'－b）×hf'〕／（α1×fc×b×h0）＝", c.xi, fixedFormat(dXi));
    r.AppendLine("　　　◇受弯承载力计算:");
    const std::string lhs = std::string("　　　　") + t.moment + "＝";
    if (c.inFlange) {
        const double x = s.xib * s.h0;
        r.AppendLine("　　　　因为ξ＞ξb，取x＝ξb×h0；又因为x＜hf'，受压区位于翼缘内，承载弯矩为:");
        const int d = claimDecimals(x, s.hf, 1);
        r.Append("　　　　x＝ξb×h0＝");
        r.AppendValue(x, fixedFormat(d));
        r.Append("（mm）＜hf'＝");
        r.AppendValue(s.hf, fixedFormat(d));
        r.Append("（mm）");
        r.EndLine();
        r.AppendValueLine(lhs + "α1×fc×bf'×x×（h0－x／2）／γ0＝", c.Mu, "%30.6f", "（kN-m）");
    } else {
        // The steel does not yield when capped; the compression zone is taken at its limit depth (6.2.10).
        r.AppendLine(c.capped ? "　　　　因为ξ＞ξb，取ξ＝ξb，承载弯矩为:" : "　　　　因为ξ≤ξb，承载弯矩为:");
        if (c.first) {
            r.AppendValueLine(lhs + (c.capped ? "α1×fc×bf'×h0×h0×ξb×（1－0.5×ξb）／γ0＝"
                                              : "α1×fc×bf'×h0×h0×ξ×（1－0.5×ξ）／γ0＝"),
                              c.Mu, "%30.6f", "（kN-m）");
        } else {
            r.AppendValueLine(
                lhs + (c.capped ? "〔α1×fc×b×h0×h0×ξb×（1－0.5×ξb）＋α1×fc×（bf'－b）×hf'×（h0－hf'／2）〕／γ0＝"
                                : "〔α1×fc×b×h0×h0×ξ×（1－0.5×ξ）＋α1×fc×（bf'－b）×hf'×（h0－hf'／2）〕／γ0＝"),
                c.Mu, "%30.6f", "（kN-m）");
        }
    }
    r.AppendLine("　　　◇配筋率验算:");
    const double rhoMin = rhoMinTension(s.ft, s.fy);
    r.AppendValueLine("　　　　规范要求受拉钢筋最小配筋率ρmin＝取大者（0.2％，45×ft／fy％）＝", rhoMin, "%30.2f",
                      "（%）");
    const double AsMin = rhoMin / 100 * s.b * s.h;
    if (t.minProductLine) r.AppendValueLine("　　　　ρmin×b×h＝", AsMin, "%30.1f", "（mm2）");
    if (As >= AsMin) {
        r.AppendValueLine("　　　　As≥ρmin×b×h＝", AsMin, "%30.1f", "（mm2）");
    } else {
        const int d = claimDecimals(As, AsMin, 1);
        // The As of the input lines reads the same as the minimum at one decimal: both to the one that tells.
        if (d > 1) r.AppendValueLine("　　　　As＝", As, fixedFormat(d), "（mm2）");
        r.AppendValueLine("　　　　As＜ρmin×b×h＝", AsMin, fixedFormat(d), "（mm2）");
        r.AppendLine("　　　　截面少筋，不满足规范最小配筋率要求，上述承载弯矩不能采用。");
    }
    return c;
}

/// A check form of this family: its result and verdict from the capacity.
class CheckForm : public CalcForm {
protected:
    using CalcForm::CalcForm;
    Outcome finish(const Capacity& c, double As) {
        setValue(kMu, c.Mu);
        if (As < rhoMinTension(col(kConcrete, ColFt), col(kSteel, ColFy)) / 100 * value(kB) * value(kH))
            setVerdict(Verdict::Kind::Fail, "少筋，不满足最小配筋率");
        else if (c.capped)
            setVerdict(Verdict::Kind::Fail, "超筋，应加大截面");
        else
            setVerdict(Verdict::Kind::Ok, "满足要求");
        return sheet();
    }
};

}  // namespace tov::tsection
