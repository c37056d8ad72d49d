// Shear of flexural members of rectangular, T and I section: stirrup design, the check of the
// shear capacity with stirrups and bent-up bars, and the bent-up bars of the first row for given
// stirrups (GB 50010-2010 clauses 6.3.1, 6.3.4 to 6.3.7, 9.2.7 to 9.2.9).
#include <algorithm>
#include <cmath>
#include <numbers>

#include "shear/shearcommon.h"

namespace tov::shear {
namespace {

constexpr const char* kSpacingMessage = "箍筋间距应大于零，请检查。";
constexpr const char* kAsbMessage = "弯起钢筋面积不应小于零，请检查。";

// Controls common to the three beam forms, in exchange order: safety, V, concrete, stirrup
// grade, the section, the load.
std::vector<Control> beamControls(int dialogId, double V) {
    const char* g = "设计要求";
    std::vector<Control> cs = {
        gradePicker(dialogId, kSafety, "结构安全等级", g),
        edit(kV, "剪力设计值V(kN)", "kN", V, g),
        gradePicker(dialogId, kConcrete, "混凝土强度等级", g),
        gradePicker(dialogId, kStirrup, "箍筋钢筋等级", g),
    };
    for (Control& c : beamSectionControls(g)) cs.push_back(std::move(c));
    for (Control& c : loadControls("计算参数")) cs.push_back(std::move(c));
    return cs;
}

std::vector<Check> beamChecks() {
    std::vector<Check> cs = {
        positive(kB, kSizeMessage),
        positive(kA, kSizeMessage),
        positive(kH, kSizeMessage),
        less(kA, kH, kSizeMessage),
    };
    for (Check& c : beamSectionChecks()) cs.push_back(std::move(c));
    cs.push_back(positive(kV, kVMessage));
    return cs;
}

void setPictures(FormDecl& s) {
    s.picture = Picture::ShearRect;
    s.pictureFollows = {kShape, {Picture::ShearRect, Picture::ShearT, Picture::ShearI}};
    s.sketches = {{kLoad, {Picture::BeamUniform, Picture::BeamPoint}}};
}

const char* kHelpPage = "shearbeam.htm";
const std::vector<std::string> kAngles = {"45°", "60°"};

double sinOfAngle(int index) { return std::sin((index == 1 ? 60.0 : 45.0) * std::numbers::pi / 180); }

// The head of the three sheets: the design requirements.
class BeamShearForm : public ShearForm {
public:
    using ShearForm::ShearForm;

protected:
    void echoBeam(CalcReport& r, bool spacing) const {
        echoForce(r);
        r.AppendNameLine("　　　　混凝土强度等级: ", sheetName(kConcrete));
        echoBeamSection(r);
        echoLoad(r);
        echoStirrups(r, spacing);
    }
    void echoBentBars(CalcReport& r) const {
        r.AppendNameLine("　　　　弯起钢筋等级: ", sheetName(kSteel));
        r.AppendNameLine("　　　　弯起钢筋与构件纵轴线的夹角 αs＝", kAngles.at(pick(kAngle)));
    }
    // Clause 9.2.8: the spacing of the rows of bent-up bars needed by calculation.
    void bentRowsReminder(CalcReport& r) const {
        r.AppendValueLine("　　　　前一排弯起钢筋的弯起点至后一排弯起钢筋弯终点的距离不应大于表9.2.9中 V＞0.7ftbh0 一栏的箍筋最大间距＝",
                          beamMaxSpacing(value(kH), true), "%30.0f", "（mm）");
    }
};

// --- Stirrup design -------------------------------------------------------------------------

const FormDecl& designDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CShearBeamDesignDlg";
        s.dialogId = 220;
        s.commandId = 32840;
        s.title = "受弯构件斜截面受剪配筋计算（箍筋）";
        setPictures(s);
        s.controls = beamControls(220, 180);
        s.controls.push_back(diameterPicker("计算参数"));
        s.controls.push_back(legsPicker(0, "计算参数"));
        s.controls.push_back(helpButton(kHelp, kHelpPage, "计算参数", "斜截面受剪计算说明"));
        s.controls.push_back(result(kAsvS, "Asv/s(mm2/mm)", "mm2/mm", "计算结果"));
        s.controls.push_back(result(kSOut, "箍筋间距s(mm)", "mm", "计算结果"));
        s.checks = beamChecks();
        return s;
    }();
    return decl;
}

class CShearBeamDesignDlg final : public BeamShearForm {
public:
    CShearBeamDesignDlg() : BeamShearForm(designDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        r.begin("─────受弯构件斜截面受剪配筋（箍筋）计算书─────");
        echoBeam(r, false);
        parameters(r, false);
        const Limit lim = sectionLimit(r);
        if (!limitHolds(r, lim)) {
            setEmpty(kAsvS);
            setEmpty(kSOut);
            return sheet();
        }
        const double acv = alphaCv(r);
        const double V = gamma0() * value(kV) * 1000, b = value(kB), d0 = h0();
        const double Vc = acv * ft() * b * d0;
        r.AppendLine("　　　◇箍筋计算（规范第6.3.4条、第6.3.7条）:");
        const bool detailing = V <= Vc;
        double need = 0;
        if (detailing) {
            r.AppendLine("　　　　因为 γ0×V≤αcv×ft×b×h0，可不进行斜截面受剪承载力计算，按构造配置箍筋");
        } else {
            r.AppendLine("　　　　因为 γ0×V＞αcv×ft×b×h0，应按计算配置箍筋");
            need = (V - Vc) / (fyv() * d0);
            r.AppendValueLine("　　　　Asv／s≥（γ0×V－αcv×ft×b×h0）／（fyv×h0）＝", need, "%30.3f", "（mm2/mm）");
        }
        const BeamRules rules = beamRules(r, detailing);
        r.AppendLine("　　　◇箍筋间距:");
        const double Asv = stirrupArea(r);
        double sLimit = rules.sMax, governing = need;
        if (!detailing) {
            r.AppendValueLine("　　　　按计算 s≤Asv／（Asv／s）＝", Asv / need, "%30.1f", "（mm）");
            sLimit = std::min(sLimit, Asv / need);
        }
        if (rules.needsRatio) {
            const double minRatio = rules.rhoMin * b;
            r.AppendValueLine("　　　　ρsv,min×b＝", minRatio, "%30.3f", "（mm2/mm）");
            r.AppendValueLine("　　　　按最小配筋率 s≤Asv／（ρsv,min×b）＝", Asv / minRatio, "%30.1f", "（mm）");
            sLimit = std::min(sLimit, Asv / minRatio);
            governing = std::max(governing, minRatio);
        }
        r.AppendValueLine("　　　　按构造 s≤smax＝", rules.sMax, "%30.0f", "（mm）");
        const double s = downTo10(sLimit);
        if (s < 10) {
            r.AppendLine("　　　　所选箍筋的间距将小于10mm，应加大箍筋直径或增加箍筋肢数");
            setValue(kAsvS, governing);
            setEmpty(kSOut);
            setVerdict(Verdict::Kind::Fail, "所选箍筋直径或肢数不足");
            return sheet();
        }
        r.AppendValueLine("　　　　取不大于上述各值的10mm的整倍数 s＝", s, "%30.0f", "（mm）");
        if (detailing) {
            governing = Asv / s;
            r.AppendValueLine("　　　　按构造配置的箍筋 Asv／s＝", governing, "%30.3f", "（mm2/mm）");
        } else if (rules.needsRatio) {
            r.AppendValueLine("　　　　Asv／s 取计算值与 ρsv,min×b 的较大值＝", governing, "%30.3f", "（mm2/mm）");
        }
        r.Append("　　　　选用箍筋 n＝");
        r.AppendValue(legs(), "%30.0f");
        r.Append("，d＝");
        r.AppendValue(diameter(), "%30.0f");
        r.Append("（mm），s＝");
        r.AppendValue(s, "%30.0f");
        r.Append("（mm）");
        r.EndLine();
        setValue(kAsvS, governing);
        setValue(kSOut, s);
        r.AppendLine("　　　◇结论:");
        if (diameter() < rules.dMin) {
            r.AppendLine("　　　　所选箍筋直径 d＜dmin，不满足规范第9.2.9条的构造要求，应加大箍筋直径");
            setVerdict(Verdict::Kind::Fail, "箍筋直径不满足构造要求");
        } else if (detailing && value(kH) < 150) {
            r.AppendLine("　　　　可不设置箍筋，如设置箍筋，其间距不应大于 smax");
            setVerdict(Verdict::Kind::Detailing, "可不设置箍筋");
        } else if (detailing) {
            r.AppendLine("　　　　按构造配置箍筋");
            setVerdict(Verdict::Kind::Detailing, "按构造配置箍筋");
        } else {
            r.AppendLine("　　　　按计算配置箍筋，满足要求");
            setVerdict(Verdict::Kind::Ok, "满足要求");
        }
        return sheet();
    }
};

// --- Check of the shear capacity --------------------------------------------------------------

const FormDecl& checkDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CShearBeamCheckDlg";
        s.dialogId = 221;
        s.commandId = 32841;
        s.title = "受弯构件斜截面受剪承载力计算";
        setPictures(s);
        s.controls = beamControls(221, 180);
        const char* g = "计算参数";
        s.controls.push_back(diameterPicker(g));
        s.controls.push_back(legsPicker(0, g));
        s.controls.push_back(edit(kS, "箍筋间距s(mm)", "mm", 200, g));
        s.controls.push_back(edit(kAsb, "弯起钢筋面积Asb(mm2)", "mm2", 0, g));
        s.controls.push_back(listPicker(kAngle, "弯起角度αs", kAngles, 0, g));
        s.controls.push_back(gradePicker(221, kSteel, "弯起钢筋等级", g));
        s.controls.push_back(helpButton(kHelp, kHelpPage, g, "斜截面受剪计算说明"));
        s.controls.push_back(result(kVu, "受剪承载力Vu(kN)", "kN", "计算结果"));
        s.checks = beamChecks();
        s.checks.push_back(positive(kS, kSpacingMessage));
        s.checks.push_back(Check{{{1, kAsb}}, false, kAsbMessage});
        return s;
    }();
    return decl;
}

class CShearBeamCheckDlg final : public BeamShearForm {
public:
    CShearBeamCheckDlg() : BeamShearForm(checkDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double Asb = value(kAsb), s = value(kS);
        r.begin("─────受弯构件斜截面受剪承载力计算书─────");
        echoBeam(r, true);
        r.AppendValueLine("　　　　弯起钢筋截面面积 Asb＝", Asb, "%30.1f", "（mm2）");
        if (Asb > 0) echoBentBars(r);
        parameters(r, Asb > 0);
        const Limit lim = sectionLimit(r);
        const double acv = alphaCv(r);
        const double b = value(kB), d0 = h0();
        r.AppendLine("　　　◇受剪承载力（规范第6.3.4条、第6.3.5条）:");
        const double Asv = stirrupArea(r);
        const double Vcs = acv * ft() * b * d0 + fyv() * Asv / s * d0;
        r.AppendValueLine("　　　　Vcs＝αcv×ft×b×h0＋fyv×Asv／s×h0＝", Vcs / 1000, "%30.3f", "（kN）");
        double total = Vcs;
        std::string sum = "Vcs";
        if (Asb > 0) {
            const double Vsb = 0.8 * col(kSteel, ColFy) * Asb * sinOfAngle(pick(kAngle));
            r.AppendValueLine("　　　　Vsb＝0.8×fy×Asb×sinαs＝", Vsb / 1000, "%30.3f", "（kN）");
            total += Vsb;
            sum = "Vcs＋Vsb";
            r.AppendValueLine("　　　　Vcs＋Vsb＝", total / 1000, "%30.3f", "（kN）");
        }
        if (total > lim.value)
            r.AppendLine("　　　　因为 " + sum + "＞" + lim.text + "，受剪承载力由截面限制条件控制");
        const double Vu = std::min(total, lim.value) / gamma0();
        r.AppendValueLine("　　　　Vu＝min｛" + sum + "，" + lim.text + "｝／γ0＝", Vu / 1000, "%30.3f", "（kN）");
        const BeamRules rules = beamRules(r, false);
        const bool detailed = checkBeamStirrups(r, rules, s);
        if (Asb > 0) bentRowsReminder(r);
        r.AppendLine("　　　◇结论:");
        const bool carries = Vu >= value(kV) * 1000;
        r.AppendLine(carries ? "　　　　Vu≥V，受剪承载力满足要求" : "　　　　Vu＜V，受剪承载力不满足要求");
        if (!detailed) r.AppendLine("　　　　箍筋不满足规范第9.2.9条的构造要求");
        setValue(kVu, Vu / 1000);
        if (!carries)
            setVerdict(Verdict::Kind::Fail, "不满足要求");
        else if (!detailed)
            setVerdict(Verdict::Kind::Fail, "箍筋不满足构造要求");
        else
            setVerdict(Verdict::Kind::Ok, "满足要求");
        return sheet();
    }
};

// --- Bent-up bars of the first row for given stirrups ----------------------------------------

const FormDecl& bentDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CShearBeamBentDesignDlg";
        s.dialogId = 225;
        s.commandId = 32845;
        s.title = "受弯构件斜截面受剪配筋计算（箍筋和弯起钢筋）";
        setPictures(s);
        s.controls = beamControls(225, 250);
        const char* g = "计算参数";
        s.controls.push_back(diameterPicker(g));
        s.controls.push_back(legsPicker(0, g));
        s.controls.push_back(edit(kS, "箍筋间距s(mm)", "mm", 200, g));
        s.controls.push_back(listPicker(kAngle, "弯起角度αs", kAngles, 0, g));
        s.controls.push_back(gradePicker(225, kSteel, "弯起钢筋等级", g));
        s.controls.push_back(helpButton(kHelp, kHelpPage, g, "斜截面受剪计算说明"));
        s.controls.push_back(result(kAsbOut, "弯起钢筋面积Asb(mm2)", "mm2", "计算结果"));
        s.checks = beamChecks();
        s.checks.push_back(positive(kS, kSpacingMessage));
        return s;
    }();
    return decl;
}

class CShearBeamBentDesignDlg final : public BeamShearForm {
public:
    CShearBeamBentDesignDlg() : BeamShearForm(bentDecl()) {}

protected:
    Outcome calculate(CalcReport& r) override {
        const double s = value(kS);
        r.begin("─────受弯构件斜截面受剪配筋（箍筋和弯起钢筋）计算书─────");
        echoBeam(r, true);
        echoBentBars(r);
        parameters(r, true);
        const Limit lim = sectionLimit(r);
        if (!limitHolds(r, lim)) {
            setEmpty(kAsbOut);
            return sheet();
        }
        const double acv = alphaCv(r);
        const double V = gamma0() * value(kV) * 1000, b = value(kB), d0 = h0();
        r.AppendLine("　　　◇箍筋的受剪承载力（规范第6.3.4条）:");
        const double Asv = stirrupArea(r);
        const double Vcs = acv * ft() * b * d0 + fyv() * Asv / s * d0;
        r.AppendValueLine("　　　　Vcs＝αcv×ft×b×h0＋fyv×Asv／s×h0＝", Vcs / 1000, "%30.3f", "（kN）");
        r.AppendLine("　　　◇第一排弯起钢筋（规范第6.3.5条、第6.3.6条）:");
        r.AppendLine("　　　　剪力设计值 V 取支座边缘处的剪力，以后各排取前一排弯起点处的剪力，应另行计算");
        double Asb = 0;
        if (V <= Vcs) {
            r.AppendLine("　　　　因为 γ0×V≤Vcs，仅配箍筋即可满足，Asb＝0");
        } else {
            const double fy = col(kSteel, ColFy);
            Asb = (V - Vcs) / (0.8 * fy * sinOfAngle(pick(kAngle)));
            r.AppendLine("　　　　因为 γ0×V＞Vcs，需配置弯起钢筋");
            r.AppendValueLine("　　　　Asb＝（γ0×V－Vcs）／（0.8×fy×sinαs）＝", Asb, "%30.1f", "（mm2）");
        }
        const BeamRules rules = beamRules(r, false);
        const bool detailed = checkBeamStirrups(r, rules, s);
        if (Asb > 0) bentRowsReminder(r);
        setValue(kAsbOut, Asb);
        r.AppendLine("　　　◇结论:");
        if (!detailed) {
            r.AppendLine("　　　　箍筋不满足规范第9.2.9条的构造要求，应调整箍筋");
            setVerdict(Verdict::Kind::Fail, "箍筋不满足构造要求");
        } else if (Asb == 0) {
            r.AppendLine("　　　　仅配箍筋即可满足");
            setVerdict(Verdict::Kind::Ok, "仅配箍筋即可满足");
        } else {
            r.AppendLine("　　　　按计算配置第一排弯起钢筋，满足要求");
            setVerdict(Verdict::Kind::Ok, "满足要求");
        }
        return sheet();
    }
};

}  // namespace
}  // namespace tov::shear

namespace tov {
using shear::CShearBeamBentDesignDlg;
using shear::CShearBeamCheckDlg;
using shear::CShearBeamDesignDlg;
TOVARIN_FORM(CShearBeamDesignDlg, shear::designDecl)
TOVARIN_FORM(CShearBeamCheckDlg, shear::checkDecl)
TOVARIN_FORM(CShearBeamBentDesignDlg, shear::bentDecl)
}  // namespace tov
