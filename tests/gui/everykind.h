// A form with one control of every kind, for laying out what the registry may not hold yet.
#pragma once

#include "forms/calcform.h"

namespace tov::guitest {

inline const tov::FormDecl& everyKindDecl() {
    static const tov::FormDecl decl = [] {
        tov::FormDecl f;
        f.className = "CEveryKindDlg";
        f.title = "每种控件";
        f.picture = tov::Picture::Spiral;
        f.calcId = 1000;
        f.icon = tov::Icon::Information;
        f.controls = {
            tov::listPicker(1039, "构件截面形状", {"矩形截面", "圆形截面", "其它形状"}, 0, "设计要求"),
            tov::digitsEdit(1024, "轴向压力设计值N(kN)", "kN", 310, "设计要求"),
            tov::noTab(tov::edit(1044, "构件计算长度 Lo(mm)", "mm", 4800, "计算参数")),
            tov::helpButton(1018, "L0.chm", "计算参数"),
            tov::disabled(tov::edit(1038, "圆形截面直径d(mm)", "mm", 0, "计算参数")),
            tov::checkBox(1064, "构件是剪力墙及核心筒墙", false, "计算参数"),
            tov::edit(1007, "", "mm2", 28.3, "输入钢筋面积(mm2)"),
            tov::listPicker(1008, "", {"6", "6.5", "8"}, 0, "选钢筋直径(mm)"),
            tov::textResult(1061, "构件破坏类型", ""),
            tov::result(1023, "钢筋面积As'(mm2)", "mm2", "计算结果:"),
        };
        f.controls[7].kind = tov::CtlKind::ListBox;
        f.checks = {tov::positive(1024, "轴向压力应大于零，请检查。")};
        return f;
    }();
    return decl;
}

class EveryKindForm : public tov::CalcForm {
public:
    EveryKindForm() : CalcForm(everyKindDecl()) {}
    int choices = 0;

protected:
    tov::Outcome calculate(tov::CalcReport& r) override {
        r.begin("─────每种控件─────");
        r.AppendValueLine("　　　　N＝", value(1024), "%30.1f", "（kN）");
        setText(1061, checked(1064) ? "剪力墙" : "大偏心受压");
        setValue(1023, value(1024) * 2);
        // A verdict of each kind: by the shape picked, none for a wall.
        using K = tov::Verdict::Kind;
        static const std::pair<K, const char*> kinds[] = {
            {K::Ok, "满足要求"}, {K::Detailing, "按最小配筋率构造配筋"}, {K::Fail, "超筋，应加大截面"}};
        if (!checked(1064)) setVerdict(kinds[pick(1039)].first, kinds[pick(1039)].second);
        return sheet();
    }
    void onChoice(tov::FormView& ui, int id, int index) override {
        ++choices;
        if (id == 1039) setEnabledState(1038, index == 1);
        CalcForm::onChoice(ui, id, index);
    }
};


}  // namespace tov::guitest
