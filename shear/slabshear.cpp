// Shear of slabs without stirrups or bent-up bars (GB 50010-2010 clause 6.3.3).
#include <algorithm>
#include <cmath>

#include "shear/shearcommon.h"

namespace tov::shear {
namespace {

const FormDecl& slabDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CShearSlabDlg";
        s.dialogId = 222;
        s.commandId = 32842;
        s.title = "不配置箍筋和弯起钢筋的一般板类受弯构件斜截面受剪承载力计算";
        s.picture = Picture::ShearSlab;
        const char* g = "设计要求";
        s.controls = {
            gradePicker(222, kSafety, "结构安全等级", g),
            edit(kV, "剪力设计值V(kN)", "kN", 50, g),
            gradePicker(222, kConcrete, "混凝土强度等级", g),
            edit(kB, "计算宽度b(mm)", "mm", 1000, g),
            edit(kH, "板厚h(mm)", "mm", 120, g),
            edit(kA, "钢筋合力点距离a(mm)", "mm", 20, g),
            helpButton(kHelp, "shearslab.htm", g, "斜截面受剪计算说明"),
            result(kVu, "受剪承载力Vu(kN)", "kN", "计算结果"),
        };
        s.checks = {
            positive(kB, kSizeMessage),
            positive(kA, kSizeMessage),
            positive(kH, kSizeMessage),
            less(kA, kH, kSizeMessage),
            positive(kV, kVMessage),
        };
        return s;
    }();
    return decl;
}

class CShearSlabDlg final : public CalcForm {
public:
    CShearSlabDlg() : CalcForm(slabDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double V = value(kV), b = value(kB), h = value(kH), a = value(kA);
        const double g0 = col(kSafety, ColGamma0), ft = col(kConcrete, ColFt);
        r.begin("─────不配置箍筋和弯起钢筋的一般板类受弯构件斜截面受剪承载力计算书─────");
        r.AppendLine("一、设计要求:");
        r.AppendNameLine("　　　　结构安全等级: ", sheetName(kSafety));
        r.AppendValueLine("　　　　计算宽度内的剪力设计值 V＝", V, "%30.3f", "（kN）");
        r.AppendNameLine("　　　　混凝土强度等级: ", sheetName(kConcrete));
        r.AppendValueLine("　　　　计算宽度 b＝", b, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　板厚 h＝", h, "%30.1f", "（mm）");
        r.AppendValueLine("　　　　纵向受拉钢筋合力点至截面近边的距离 a＝", a, "%30.1f", "（mm）");
        r.AppendLine("二、计算参数:");
        r.AppendLine("　　　　根据设计要求查规范得:");
        r.AppendValueLine("　　　◇重要性系数 γ0＝", g0, "%30.1f");
        r.AppendLine("　　　◇混凝土" + sheetName(kConcrete) + "的参数为:");
        r.AppendValueLine("　　　　混凝土轴心抗拉强度设计值 ft＝", ft, "%30.2f", "（N/mm2）");
        r.AppendLine("三、计算过程:");
        r.AppendLine("　　　◇截面有效高度:");
        const double h0 = h - a;
        r.AppendValueLine("　　　　h0＝h－a＝", h0, "%30.1f", "（mm）");
        r.AppendLine("　　　◇截面高度影响系数（规范第6.3.3条）:");
        const double h0b = std::clamp(h0, 800.0, 2000.0);
        if (h0 < 800)
            r.AppendLine("　　　　因为 h0＜800mm，计算 βh 时取 h0＝800mm");
        else if (h0 > 2000)
            r.AppendLine("　　　　因为 h0＞2000mm，计算 βh 时取 h0＝2000mm");
        const double betaH = std::pow(800 / h0b, 0.25);
        r.AppendValueLine("　　　　βh＝（800／h0）^（1／4）＝", betaH, "%30.3f");
        r.AppendLine("　　　◇受剪承载力:");
        const double Vu = 0.7 * betaH * ft * b * h0 / g0 / 1000;
        r.AppendValueLine("　　　　Vu＝0.7×βh×ft×b×h0／γ0＝", Vu, "%30.3f", "（kN）");
        r.AppendLine("　　　　（适用于均布荷载作用下的单向板和按单向板计算的双向板等一般板类受弯构件）");
        r.AppendLine("　　　◇结论:");
        setValue(kVu, Vu);
        if (Vu >= V) {
            r.AppendLine("　　　　Vu≥V，不配置箍筋和弯起钢筋时受剪承载力满足要求");
            setVerdict(Verdict::Kind::Ok, "满足要求");
        } else {
            r.AppendLine("　　　　Vu＜V，受剪承载力不满足要求，应加大板厚或提高混凝土强度等级");
            setVerdict(Verdict::Kind::Fail, "不满足要求");
        }
        return sheet();
    }
};

}  // namespace
}  // namespace tov::shear

namespace tov {
using shear::CShearSlabDlg;
TOVARIN_FORM(CShearSlabDlg, shear::slabDecl)
}  // namespace tov
