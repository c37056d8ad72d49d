// Bar selection: the number of bars of a chosen diameter that covers a required steel area, their
// total area and the theoretical weight per metre of one bar.
#include <cmath>
#include <cstdlib>
#include <string>

#include "forms/numfield.h"
#include "forms/registry.h"

namespace tov {
namespace {

constexpr int kArea = 1007, kList = 1008, kCount = 1010, kDiameter = 1011, kTotal = 1012;

struct Bar {
    const char* diameter;  ///< list text, mm
    const char* weight;    ///< theoretical weight of one bar, kg/m, printed as it stands
};

constexpr Bar kBars[] = {
    {"6", "0.222"},  {"6.5", "0.260"}, {"8", "0.395"},  {"8.2", "0.432"}, {"10", "0.617"}, {"12", "0.888"},
    {"14", "1.21"},  {"16", "1.58"},   {"18", "2.00"},  {"20", "2.47"},   {"22", "2.98"},  {"25", "3.85"},
    {"28", "4.83"},  {"32", "6.31"},   {"36", "7.99"},  {"40", "9.87"},   {"50", "15.42"},
};

// One bar's area is d²·0.7853982365; the total uses ten times that factor and is cut to 0.1 mm².
constexpr double kBarFactor = 0.7853982365;
constexpr double kTotalFactor = 7.853982365;
// Counts are whole numbers of a 32-bit integer.
constexpr double kCountLimit = 2147483648.0;

const FormDecl& barDecl() {
    static const FormDecl decl = [] {
        FormDecl s;
        s.className = "CBarSelectDlg";
        s.dialogId = 131;
        s.commandId = 32774;
        s.title = "选用钢筋根数和直径";
        s.picture = Picture::Bar;
        s.calcId = 1000;
        std::vector<std::string> entries;
        for (const Bar& b : kBars) entries.emplace_back(b.diameter);
        Control list = listPicker(kList, "", std::move(entries), 0, "选钢筋直径(mm)");
        list.kind = CtlKind::ListBox;
        Control diameter = result(kDiameter, "钢筋直径(mm)", "mm", "计算结果:");
        diameter.def = 6;
        const char* res = "计算结果:";
        s.controls = {
            edit(kArea, "", "mm2", 28.3, "输入钢筋面积(mm2)"),
            list,
            result(kCount, "钢筋数量(根)", "根", res),
            diameter,
            result(kTotal, "钢筋总面积(mm2)", "mm2", res),
        };
        return s;
    }();
    return decl;
}

class CBarSelectDlg final : public CalcForm {
public:
    CBarSelectDlg() : CalcForm(barDecl()) {}

protected:
    void onOpen() override { weight_ = kBars[0].weight; }

    // A new entry sets d and the weight at once; the count and total wait for Calculate.
    void onChoice(FormView& ui, int id, int index) override {
        const bool read = takeIn(ui);
        setPick(id, index);
        setValue(kDiameter, std::strtod(kBars[index].diameter, nullptr));
        weight_ = kBars[index].weight;
        if (read)
            putBack(ui);
        else
            ui.setFieldText(kDiameter, showNumber(value(kDiameter)));
    }

    Outcome calculate(CalcReport& r) override {
        const double As = value(kArea), d = value(kDiameter);
        if (As < 0) return refuse("钢筋面积不应小于零，请检查。");
        const double bars = As / (d * d * kBarFactor) + 0.99;
        if (!(bars < kCountLimit)) return refuse("钢筋面积过大，钢筋根数超出计算范围，请检查。");
        const double n = std::trunc(bars);
        const double total = std::trunc(d * d * n * kTotalFactor) * 0.1;

        r.begin("─────选用钢筋计算─────");
        r.AppendValueLine("已知：钢筋面积As＝", As, "%30.1f", "（mm2）");
        r.Append("选用钢筋：根数＝");
        r.AppendValue(n, "%30.0f");
        r.Append("（根），直径φ＝");
        r.AppendValue(d, "%30.1f");
        r.Append("（mm）");
        r.Append("，总面积＝");
        r.AppendValue(total, "%30.1f");
        r.Append("（mm2），单根钢筋理论重量＝");
        r.Append(weight_);
        r.Append("（kg/m）");
        r.EndLine();
        setValue(kCount, n);
        setValue(kTotal, total);
        // The count keeps a bar out for an excess of up to 1 % of one bar, and the total is cut to
        // 0.1 mm²: the total can fall a little short of As, and the verdict says so.
        if (As == 0)
            setVerdict(Verdict::Kind::Ok, "无需配筋");
        else if (total >= As)
            setVerdict(Verdict::Kind::Ok, "满足要求");
        else
            setVerdict(Verdict::Kind::Detailing, "总面积略小于所需面积");
        return sheet();
    }

private:
    std::string weight_;
};

}  // namespace

TOVARIN_FORM(CBarSelectDlg, barDecl)

}  // namespace tov
