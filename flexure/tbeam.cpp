// Independent T beam in flexure: design of As, and check of the moment capacity
// (GB 50010-2010 clauses 6.2.10, 6.2.11; Table 5.2.4 for bf'; Table 8.5.1 for ρmin).
#include "flexure/tsection.h"
#include "forms/registry.h"

namespace tov {
namespace {

using namespace tsection;

constexpr const char* kSize = "Ｔ梁尺寸输入有误，请检查。";

// The size checks of both forms, in their order.
std::vector<Check> sizeChecks() {
    return {
        positive(kBfActual, kSize),
        linear({{1, kH}, {-1, kA}, {-1, kHf}}, kSize),  // a + hf' < h
        positive(kB, kSize),
        lessEq(kB, kBfActual, kSize),  // a flange as wide as the web passes
        positive(kA, kSize),
        positive(kH, kSize),
        positive(kHf, kSize),
        positive(kL0, kSize),
    };
}

// Candidate ② of an independent beam by hf'/h0 (Table 5.2.4): b + 12hf' from 0.1, b + 6hf' from
// 0.05, the web alone below.
double flangeDepthCandidate(CalcReport& r, const Section& s) {
    const double ratio = s.hf / s.h0;
    // "hf'／h0＜0.1" (or 0.05) must read so in the printed ratio.
    const int d = ratio < 0.05 ? claimDecimals(ratio, 0.05, 3) : ratio < 0.1 ? claimDecimals(ratio, 0.1, 3) : 3;
    r.AppendValueLine("　　　　②按翼缘高度hf'考虑，hf'／h0＝", ratio, fixedFormat(d));
    if (ratio >= 0.1) {
        r.AppendValueLine("　　　　　因为hf'／h0≥0.1，bf'＝b＋12hf'＝", s.b + 12 * s.hf, "%30.1f", "（mm）");
        return s.b + 12 * s.hf;
    }
    if (ratio >= 0.05) {
        r.AppendValueLine("　　　　　因为0.05≤hf'／h0＜0.1，bf'＝b＋6hf'＝", s.b + 6 * s.hf, "%30.1f", "（mm）");
        return s.b + 6 * s.hf;
    }
    r.AppendValueLine("　　　　　因为hf'／h0＜0.05，bf'＝b＝", s.b, "%30.1f", "（mm）");
    return s.b;
}

// --- Design of As ---------------------------------------------------------------------------

const FormDecl& designDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CTBeamDesignDlg";
        s.dialogId = 152;
        s.commandId = 32788;
        s.title = "T形截面独立梁受弯构件正截面配筋计算";
        s.picture = Picture::TBeam;
        s.calcId = 1018;
        const char* g = "设计要求";
        s.controls = {
            gradePicker(152, kSafety, "结构安全等级", g),
            gradePicker(152, kConcrete, "混凝土强度等级", g),
            gradePicker(152, kSteel, "钢筋等级", g),
            edit(kM, "弯矩设计值M(kN.m)", "kN.m", 600, g),
            edit(kL0, "Ｔ梁计算跨度 Lo(mm)", "mm", 15000, g),
            edit(kBfActual, "翼缘宽度bf'(mm)", "mm", 600, g),
            edit(kHf, "翼缘高度hf'(mm)", "mm", 120, g),
            edit(kB, "截面底宽b(mm)", "mm", 250, g),
            edit(kH, "截面高度h(mm)", "mm", 650, g),
            edit(kA, "钢筋合力点距离a(mm)", "mm", 60, g),
            result(kAs, "钢筋面积As(mm2)", "mm2", "计算结果"),
        };
        s.checks = sizeChecks();
        s.checks.push_back(positive(kM, "弯矩数值应大于零，请检查。"));
        return s;
    }();
    return decl;
}

class CTBeamDesignDlg final : public DesignForm {
public:
    CTBeamDesignDlg() : DesignForm(designDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double M = value(kM), L0 = value(kL0), bfActual = value(kBfActual);
        Section s = sectionOf(*this);

        r.begin("─────Ｔ形截面（独立梁）受弯构件正截面配筋计算书─────");
        requirementHead(r, *this, "　　　　钢筋等级: ");
        r.AppendValueLine("　　　　弯矩设计值 M＝", M, "%30.6f", "（kN.m）");
        r.AppendValueLine("　　　　Ｔ梁计算跨度 L0＝", L0, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　翼缘宽度 bf'＝", bfActual, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　翼缘高度 hf'＝", s.hf, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　截面底宽 b＝", s.b, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　截面高度 h＝", s.h, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a＝", value(kA), "%30.1f", "（mm）");
        parameters(r, *this, "%30.3f", "（N/mm2）");
        r.AppendLine("三、计算过程:");
        r.AppendLine("　　　◇截面有效高度:");
        r.AppendValueLine("　　　　h0＝h－a＝", s.h0, "%30.1f", "（mm）");
        r.AppendLine("　　　◇确定翼缘计算宽度:");
        r.AppendValueLine("　　　　①按计算跨度L0考虑，bf'＝L0／3＝", L0 / 3, "%30.1f", "（mm）");
        const double byDepth = flangeDepthCandidate(r, s);
        r.AppendValueLine("　　　　③Ｔ梁翼缘实际宽度，bf'＝", bfActual, "%30.1f", "（mm）");
        s.bf = settleWidth(r, std::min({L0 / 3, byDepth, bfActual}), s.b,
                           "　　　　翼缘计算宽度bf'取三者中最小值,所以 bf'＝");

        static const DesignText text{
            "　　　◇判别Ｔ形截面类型:",
            "　　　　因为γ0×M≤α1×fc×bf'×hf'×（h0－hf'／2），所以Ｔ形截面类型为:",
            "　　　　因为γ0×M＞α1×fc×bf'×hf'×（h0－hf'／2），所以Ｔ形截面类型为:",
            {"第一类Ｔ型截面", "第二类Ｔ型截面"},
            "%30.3f",
            "（mm2）",
        };
        return finish(designTail(r, s, M, text, typeText_));
    }

private:
    std::string typeText_;  // the section type the last sheet printed
};

// --- Check of the moment capacity -----------------------------------------------------------

const FormDecl& checkDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CTBeamCheckDlg";
        s.dialogId = 162;
        s.commandId = 32798;
        s.title = "T形截面独立梁受弯构件正截面承载力复核";
        s.picture = Picture::TBeam;
        s.calcId = 1018;
        const char* g = "设计要求";
        s.controls = {
            gradePicker(162, kSafety, "结构安全等级", g),
            gradePicker(162, kConcrete, "混凝土强度等级", g),
            gradePicker(162, kSteel, "钢筋等级", g),
            edit(kL0, "Ｔ梁计算跨度 Lo(mm)", "mm", 15000, g),
            edit(kBfActual, "翼缘宽度bf'(mm)", "mm", 600, g),
            edit(kHf, "翼缘高度hf'(mm)", "mm", 100, g),
            edit(kB, "截面底宽b(mm)", "mm", 250, g),
            edit(kH, "截面高度h(mm)", "mm", 800, g),
            edit(kA, "钢筋合力点距离a(mm)", "mm", 60, g),
            edit(kAs, "钢筋面积As(mm2)", "mm2", 2200, g),
            result(kMu, "弯矩 M(kN.m)", "kN.m", "计算结果"),
        };
        s.checks = sizeChecks();
        s.checks.push_back(positive(kAs, "钢筋面积应大于零，请检查。"));
        return s;
    }();
    return decl;
}

class CTBeamCheckDlg final : public CheckForm {
public:
    CTBeamCheckDlg() : CheckForm(checkDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double L0 = value(kL0), bfActual = value(kBfActual), As = value(kAs);
        Section s = sectionOf(*this);

        r.begin("─────Ｔ形截面独立梁受弯构件正截面承载力复核计算书─────");
        requirementHead(r, *this, "　　　　钢筋等级: ");
        r.AppendValueLine("　　　　Ｔ梁计算跨度 L0＝", L0, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　翼缘宽度 bf'＝", bfActual, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　翼缘高度 hf'＝", s.hf, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　截面宽度 b＝", s.b, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　截面高度 h＝", s.h, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a＝", value(kA), "%30.1f", "（mm）");
        r.AppendValueLine("　　　　钢筋面积 As＝", As, "%30.1f", "（mm2）");
        parameters(r, *this, "%30.2f", "（N/mm2）");
        r.AppendLine("三、计算过程:");
        r.AppendLine("　　　◇截面有效高度:");
        r.AppendValueLine("　　　　h0＝h－a＝", s.h0, "%30.1f", "（mm）");
        r.AppendLine("　　　◇确定翼缘计算宽度:");
        r.AppendValueLine("　　　　①按计算跨度L0考虑，bf'＝L0／3＝", L0 / 3, "%30.1f", "（mm）");
        const double byDepth = flangeDepthCandidate(r, s);
        r.AppendValueLine("　　　　③Ｔ梁翼缘实际宽度 bf'＝", bfActual, "%30.1f", "（mm）");
        s.bf = settleWidth(r, std::min({L0 / 3, byDepth, bfActual}), s.b,
                           "　　　　翼缘计算宽度取三者中最小值，所以 bf'＝");

        static const CheckText text{
            "　　　◇判别Ｔ形截面类型:",
            "　　　　因为fy×As≤α1×fc×bf'×hf'，Ｔ形截面类型为:",
            "　　　　因为fy×As＞α1×fc×bf'×hf'，Ｔ形截面类型为:",
            {"第一类T型截面", "第二类T型截面"},
            "%30.3f",
            "M",
            false,
        };
        return finish(checkTail(r, s, As, text, typeText_), As);
    }

private:
    std::string typeText_;
};

}  // namespace

TOVARIN_FORM(CTBeamDesignDlg, designDecl)
TOVARIN_FORM(CTBeamCheckDlg, checkDecl)

}  // namespace tov
