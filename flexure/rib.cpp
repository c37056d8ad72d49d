// Ribs of a beam-and-slab floor in flexure, T section and inverted-L section: design of As, and
// check of the moment capacity (GB 50010-2010 clauses 6.2.10, 6.2.11; Table 5.2.4 for bf', ribbed
// T: L0/3, b + sn, b + 12hf' below hf'/h0 = 0.1; inverted L: L0/6, b + sn/2, b + 5hf' below 0.1;
// Table 8.5.1 for ρmin).
#include "flexure/tsection.h"
#include "forms/registry.h"

namespace tov {
namespace {

using namespace tsection;

constexpr const char* kTSize = "Ｔ梁尺寸输入有误，请检查。";
constexpr const char* kLSize = "倒Ｌ梁尺寸输入有误，请检查。";

std::vector<Check> tSizeChecks() {
    return {
        positive(kH, kTSize),
        linear({{1, kH}, {-1, kA}, {-1, kHf}}, kTSize),  // a + hf' < h
        positive(kB, kTSize),
        positive(kA, kTSize),
        positive(kHf, kTSize),
        positive(kL0, kTSize),
        positive(kSn, kTSize),
    };
}

std::vector<Check> lSizeChecks() {
    return {
        positive(kH, kLSize),
        positive(kA, kLSize),
        positive(kHf, kLSize),
        positive(kB, kLSize),
        positive(kSn, kLSize),
        linear({{1, kH}, {-1, kA}, {-1, kHf}}, kLSize),  // a + hf' < h
        positive(kL0, kLSize),
    };
}

/// Consideration ③: the ratio hf'/h0, and below 0.1 the candidate b + k·hf' (k = 12 for T, 5 for L).
/// Returns the candidate, or a width that never governs.
double flangeDepthCandidate(CalcReport& r, const Section& s, const char* ratioLabel, const char* limitLabel,
                            double k) {
    const double ratio = s.hf / s.h0;
    // "hf'／h0＜0.1" must read so in the printed ratio.
    r.AppendValueLine(ratioLabel, ratio, fixedFormat(ratio < 0.1 ? claimDecimals(ratio, 0.1, 3) : 3));
    if (ratio >= 0.1) return HUGE_VAL;
    r.AppendValueLine(limitLabel, s.b + k * s.hf, "%30.1f", "（mm）");
    return s.b + k * s.hf;
}

std::vector<Control> controls(int dialog, bool design, const char* spanLabel, const char* bLabel,
                              const char* hLabel, const double (&def)[8]) {
    const char* g = "设计要求";
    std::vector<Control> c = {
        gradePicker(dialog, kSafety, "结构安全等级", g),
        gradePicker(dialog, kConcrete, "混凝土强度等级", g),
        gradePicker(dialog, kSteel, "钢筋等级", g),
    };
    if (design) c.push_back(edit(kM, "弯矩设计值 M(kN.m)", "kN.m", def[0], g));
    c.push_back(edit(kL0, spanLabel, "mm", def[1], g));
    c.push_back(edit(kSn, "梁(纵肋)净距Sn(mm)", "mm", def[2], g));
    c.push_back(edit(kHf, "翼缘高度hf'(mm)", "mm", def[3], g));
    c.push_back(edit(kB, bLabel, "mm", def[4], g));
    c.push_back(edit(kH, hLabel, "mm", def[5], g));
    c.push_back(edit(kA, "钢筋合力点距离a(mm)", "mm", def[6], g));
    if (design) {
        c.push_back(result(kAs, "钢筋面积As(mm2)", "mm2", "计算结果"));
    } else {
        c.push_back(edit(kAs, "钢筋面积As(mm2)", "mm2", def[7], g));
        c.push_back(result(kMu, "弯矩 M(kN.m)", "kN.m", "计算结果"));
    }
    return c;
}

FormDecl baseDecl(const char* cls, int dialog, int command, const char* title, Picture picture) {
    FormDecl s;
    s.className = cls;
    s.dialogId = dialog;
    s.commandId = command;
    s.title = title;
    s.picture = picture;
    s.calcId = 1018;
    return s;
}

// The lines of the design requirements shared by the two design sheets, after the span line.
void designInputs(CalcReport& r, const CalcForm& f, const Section& s) {
    r.AppendValueLine("　　　　梁(纵肋)净距 Sn＝", f.value(kSn), "%30.1f", "（mm）");
    r.AppendValueLine("　　　　翼缘高度 hf'＝", s.hf, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　截面底宽 b＝", s.b, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　截面高度 h＝", s.h, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a＝", f.value(kA), "%30.1f", "（mm）");
}

void effectiveDepth(CalcReport& r, const Section& s) {
    r.AppendLine("三、计算过程:");
    r.AppendLine("　　　◇截面有效高度:");
    r.AppendValueLine("　　　　h0＝h－a＝", s.h0, "%30.1f", "（mm）");
    r.AppendLine("　　　◇确定翼缘计算宽度:");
}

// --- T section, design ------------------------------------------------------------------------

const FormDecl& tDesignDecl() {
    static const FormDecl decl = [] {
        FormDecl s = baseDecl("CTRibDesignDlg", 155, 32794, "T形截面肋形(梁)板受弯构件正截面配筋计算",
                              Picture::TRib);
        s.controls = controls(155, true, "Ｔ梁计算跨度Lo(mm)", "截面底宽b(mm)", "截面高度h(mm)",
                              {95, 6300, 2100, 70, 200, 450, 40, 0});
        s.checks = tSizeChecks();
        s.checks.push_back(positive(kM, "弯矩数值应大于零，请检查。"));
        return s;
    }();
    return decl;
}

class CTRibDesignDlg final : public DesignForm {
public:
    CTRibDesignDlg() : DesignForm(tDesignDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double M = value(kM), L0 = value(kL0), Sn = value(kSn);
        Section s = sectionOf(*this);

        r.begin("─────Ｔ形截面肋形(梁)板受弯构件正截面配筋计算书─────");
        requirementHead(r, *this, "　　　　钢筋等级:　");
        r.AppendValueLine("　　　　弯矩设计值 M＝", M, "%30.6f", "（kN-m）");
        r.AppendValueLine("　　　　Ｔ梁计算跨度 L0＝", L0, "%30.1f", "（mm）");
        designInputs(r, *this, s);
        parameters(r, *this, "%30.2f", "（　N/mm2）");
        effectiveDepth(r, s);
        r.AppendValueLine("　　　　①按跨度L0考虑，bf'＝L0／3＝", L0 / 3, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　②按梁(纵肋)净距Sn考虑，bf'＝b＋Sn＝", s.b + Sn, "%30.1f", "（mm）");
        const double byDepth = flangeDepthCandidate(r, s, "　　　　③按翼缘高度hf'考虑， hf'／h0＝",
                                                    "　　　　　因为hf'／h0＜0.1，bf'＝b＋12hf'＝", 12);
        s.bf = settleWidth(r, std::min({L0 / 3, s.b + Sn, byDepth}), s.b,
                           "　　　　翼缘计算宽度bf'取三者最小值，所以 bf'＝");

        static const DesignText text{
            "　　　◇判别Ｔ形截面类型:",
            "　　　　因为γ0×M≤α1×fc×bf'×hf'×（h0－hf'／2），所以Ｔ形截面类型为:",
            "　　　　因为γ0×M＞α1×fc×bf'×hf'×（h0－hf'／2），所以Ｔ形截面类型为:",
            {"第一类T型截面", "第二类T型截面"},
            "%30.3f",
            " (mm2)",
        };
        return finish(designTail(r, s, M, text, typeText_));
    }

private:
    std::string typeText_;  // the section type the last sheet printed
};

// --- Inverted-L section, design -------------------------------------------------------------

const FormDecl& lDesignDecl() {
    static const FormDecl decl = [] {
        FormDecl s = baseDecl("CLRibDesignDlg", 156, 32793, "倒Ｌ形截面肋形(梁)板受弯构件正截面配筋计算",
                              Picture::LRib);
        s.controls = controls(156, true, "倒Ｌ梁计算跨度Lo(mm)", "截面底宽 b (mm)", "截面高度 h (mm)",
                              {440, 15000, 2200, 100, 250, 800, 60, 0});
        s.checks = lSizeChecks();
        s.checks.push_back(positive(kM, "弯矩数值应大于零，请检查。"));
        return s;
    }();
    return decl;
}

class CLRibDesignDlg final : public DesignForm {
public:
    CLRibDesignDlg() : DesignForm(lDesignDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double M = value(kM), L0 = value(kL0), Sn = value(kSn);
        Section s = sectionOf(*this);

        r.begin("─────倒Ｌ梁截面肋形(梁)板受弯构件正截面配筋计算书─────");
        requirementHead(r, *this, "　　　　钢筋等级: ");
        r.AppendValueLine("　　　　弯矩设计值 M＝", M, "%30.6f", "（kN-m）");
        r.AppendValueLine("　　　　倒Ｌ梁计算跨度 L0＝", L0, "%30.1f", "（mm）");
        designInputs(r, *this, s);
        parameters(r, *this, "%30.2f", "（N/mm2）");
        effectiveDepth(r, s);
        r.AppendValueLine("　　　　①按跨度L0考虑，bf'＝L0／6＝", L0 / 6, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　②按梁(纵肋)净距Sn考虑，bf'＝b＋Sn／2＝", s.b + Sn / 2, "%30.1f", "（mm）");
        const double byDepth = flangeDepthCandidate(r, s, "　　　　③按翼缘高度hf'考虑，hf'／h0＝",
                                                    "　　　　　因为hf'／h0＜0.1，bf'＝b＋5hf'＝", 5);
        s.bf = settleWidth(r, std::min({L0 / 6, s.b + Sn / 2, byDepth}), s.b,
                           "　　　　　取最小值作为翼缘计算宽度 bf'＝");

        static const DesignText text{
            "　　　◇判别倒Ｌ梁截面类型:",
            "　　　　因为 γ0×M≤α1×fc×bf'×hf'×（h0－hf'／2），所以倒Ｌ梁截面类型为:",
            "　　　　因为 γ0×M＞α1×fc×bf'×hf'×（h0－hf'／2），所以倒Ｌ梁截面类型为:",
            {"第一类T型截面", "第二类T型截面"},
            "%30.1f",
            "（mm2）",
        };
        return finish(designTail(r, s, M, text, typeText_));
    }

private:
    std::string typeText_;
};

// --- T section, check -----------------------------------------------------------------------

const FormDecl& tCheckDecl() {
    static const FormDecl decl = [] {
        FormDecl s = baseDecl("CTRibCheckDlg", 164, 32799, "T形截面肋形(梁)板受弯构件正截面承载力计算",
                              Picture::TRib);
        s.controls = controls(164, false, "Ｔ梁计算跨度Lo(mm)", "截面底宽b(mm)", "截面高度h(mm)",
                              {0, 6000, 2200, 100, 250, 800, 60, 2200});
        s.checks = tSizeChecks();
        s.checks.push_back(positive(kAs, "钢筋面积应大于零，请检查。"));
        return s;
    }();
    return decl;
}

class CTRibCheckDlg final : public CheckForm {
public:
    CTRibCheckDlg() : CheckForm(tCheckDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double L0 = value(kL0), Sn = value(kSn), As = value(kAs);
        Section s = sectionOf(*this);

        r.begin("─────Ｔ形截面肋形(梁)板受弯构件正截面承载力复核计算书─────");
        requirementHead(r, *this, "　　　　钢筋等级: ");
        r.AppendValueLine("　　　　Ｔ梁跨度 L0＝", L0, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　梁(纵肋)净距 Sn＝", Sn, "%30.1f", " (mm)");
        r.AppendValueLine("　　　　翼缘高度 hf'＝", s.hf, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　Ｔ梁底宽 b＝", s.b, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　Ｔ梁高度 h＝", s.h, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a＝", value(kA), "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋面积 As＝", As, "%30.1f", "（mm2）");
        parameters(r, *this, "%30.2f", "（N/mm2）");
        effectiveDepth(r, s);
        r.AppendValueLine("　　　　①按跨度L0考虑，翼缘宽bf'＝L0／3＝", L0 / 3, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　②按梁(纵肋)净距Sn考虑，翼缘宽bf'＝b＋Sn＝", s.b + Sn, "%10.1f", "（mm）");
        const double byDepth = flangeDepthCandidate(r, s, "　　　　③按翼缘高度hf'考虑: 计算hf'／h0＝",
                                                    "　　　　　因为hf'／h0＜0.1，翼缘宽bf'＝b＋12hf'＝", 12);
        s.bf = settleWidth(r, std::min({L0 / 3, s.b + Sn, byDepth}), s.b,
                           "　　　　　翼缘计算宽度bf'取三者中最小值，所以bf'＝");

        static const CheckText text{
            "　　　◇判别Ｔ形截面类型:",
            "　　　　因为fy×As≤α1×fc×bf'×hf'，Ｔ形截面类型为:",
            "　　　　因为fy×As＞α1×fc×bf'×hf'，Ｔ形截面类型为:",
            {"第一类T型截面", "第二类T型截面"},
            "%30.3f",
            "M",
            true,
        };
        return finish(checkTail(r, s, As, text, typeText_), As);
    }

private:
    std::string typeText_;
};

// --- Inverted-L section, check --------------------------------------------------------------

const FormDecl& lCheckDecl() {
    static const FormDecl decl = [] {
        FormDecl s = baseDecl("CLRibCheckDlg", 165, 32797, "倒Ｌ形截面肋形(梁)板受弯构件正截面承载力计算",
                              Picture::LRib);
        s.controls = controls(165, false, "倒Ｌ梁计算跨度Lo(mm)", "截面底宽 b (mm)", "截面高度 h (mm)",
                              {0, 15000, 2200, 100, 250, 800, 60, 2200});
        s.checks = lSizeChecks();
        s.checks.push_back(positive(kAs, "钢筋面积应大于零，请检查。"));
        return s;
    }();
    return decl;
}

class CLRibCheckDlg final : public CheckForm {
public:
    CLRibCheckDlg() : CheckForm(lCheckDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double L0 = value(kL0), Sn = value(kSn), As = value(kAs);
        Section s = sectionOf(*this);

        r.begin("─────倒Ｌ梁截面肋形(梁)板受弯构件正截面承载力复核计算书─────");
        requirementHead(r, *this, "　　　　钢筋等级: ");
        r.AppendValueLine("　　　　倒Ｌ梁计算跨度 L0＝", L0, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　翼缘高度 hf'＝", s.hf, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　截面宽度 b＝", s.b, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　截面高度 h＝", s.h, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a＝", value(kA), "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋面积 As＝", As, "%30.1f", "（mm2）");
        parameters(r, *this, "%30.2f", "（N/mm2）");
        effectiveDepth(r, s);
        r.AppendValueLine("　　　　a.按跨度L0考虑，翼缘宽＝L0／6＝", L0 / 6, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　b.按梁(纵肋)净距考虑，翼缘宽＝b＋Sn／2＝", s.b + Sn / 2, "%30.1f", "（mm）");
        const double byDepth = flangeDepthCandidate(r, s, "　　　　c.按翼缘高度考虑: 计算hf'／h0＝",
                                                    "　　　　　因为hf'／h0＜0.1，翼缘宽＝b＋5hf'＝", 5);
        s.bf = settleWidth(r, std::min({L0 / 6, s.b + Sn / 2, byDepth}), s.b,
                           "　　　　　取最小值作为翼缘计算宽度 bf'＝");

        static const CheckText text{
            "　　　◇判别倒Ｌ梁截面类型:",
            "　　　　因为fy×As≤α1×fc×bf'×hf'，倒Ｌ梁截面类型为:",
            "　　　　因为fy×As＞α1×fc×bf'×hf'，倒Ｌ梁截面类型为:",
            {"第一类T型截面", "第二类T型截面"},
            "%10.3f",
            "Mu",
            false,
        };
        return finish(checkTail(r, s, As, text, typeText_), As);
    }

private:
    std::string typeText_;
};

}  // namespace

TOVARIN_FORM(CTRibDesignDlg, tDesignDecl)
TOVARIN_FORM(CTRibCheckDlg, tCheckDecl)
TOVARIN_FORM(CLRibDesignDlg, lDesignDecl)
TOVARIN_FORM(CLRibCheckDlg, lCheckDecl)

}  // namespace tov
