#include "section/formsection.h"

#include <algorithm>
#include <cmath>

#include "compression/ecccommon.h"
#include "forms/calcreport.h"

namespace tov::section {
namespace {

constexpr int kSafety = 1011, kConcrete = 1009, kSteel = 1010, kB = 1001;
constexpr int kSame = -1;  // As′ is As (symmetric bars), or a′ is a

// What the form was given or found, and so which points it has.
enum class Load {
    FlexDesign,  // M given (1006), areas found
    FlexCheck,   // Mu found (1020)
    CompDesign,  // N (1024), M1 (1075), M2 (1007), Lc (1077) given; second order by 6.2.3/6.2.4
    CompCheck,   // N given (1024), M found (1006)
    TensDesign,  // tension N (1024) and M (1006) given
    TensCheck,   // e0 given (1073), tension N found (1024)
};

struct Row {
    int dialogId;
    Load load;
    int h, a, ap, As, Asp;  // ap, Asp: kSame; Asp 0: no As′
    int steelAsp;           // the picker of As′'s grade
};

// Every rectangular form with b, h, As and As′ (singly reinforced ones with As′ = 0).
constexpr Row kRows[] = {
    {130, Load::FlexDesign, 1000, 1002, kSame, 1008, 0, kSteel},
    {142, Load::FlexCheck, 1000, 1002, kSame, 1008, 0, kSteel},
    {144, Load::FlexDesign, 1000, 1002, 1022, 1008, 1023, 1021},
    {148, Load::FlexDesign, 1000, 1002, 1022, 1008, 1023, 1021},
    {150, Load::FlexCheck, 1000, 1002, 1022, 1008, 1023, 1021},
    {210, Load::FlexCheck, 1000, 1002, kSame, 1008, kSame, kSteel},
    {180, Load::CompDesign, 1066, 1002, 1022, 1008, 1023, kSteel},
    {190, Load::CompDesign, 1066, 1002, kSame, 1008, 1023, kSteel},
    {192, Load::CompDesign, 1066, 1002, 1022, 1008, 1023, kSteel},
    {198, Load::CompCheck, 1066, 1002, 1022, 1008, 1023, kSteel},
    {202, Load::CompCheck, 1066, 1002, kSame, 1008, kSame, kSteel},
    {188, Load::TensDesign, 1000, 1002, kSame, 1008, 1023, kSteel},
    {194, Load::TensDesign, 1000, 1002, kSame, 1008, kSame, kSteel},
    {196, Load::TensDesign, 1000, 1002, 1022, 1008, 1023, kSteel},
    {204, Load::TensCheck, 1000, 1002, kSame, 1008, kSame, kSteel},
    {206, Load::TensCheck, 1000, 1002, 1022, 1008, 1023, kSteel},
};

const Row* rowOf(int dialogId) {
    for (const Row& r : kRows)
        if (r.dialogId == dialogId) return &r;
    return nullptr;
}

Layer layerOf(const CalcForm& f, int picker, double area, double depth) {
    const int row = f.pick(picker);
    return {area, depth, columnValue(PickerKind::Steel, row, ColFy),
            columnValue(PickerKind::Steel, row, ColFyPrime),
            columnValue(PickerKind::Steel, row, ColEs) * 1e5};
}

// M of the second-order block as the compression designs compute it (kN·m).
double secondOrderMoment(const CalcForm& f, double N, double b, double h, double a, double ea) {
    MemoryReport scratch;
    CalcReport r(scratch);
    const double fc = columnValue(PickerKind::Concrete, f.pick(kConcrete), ColFc);
    return ecc::secondOrder(r, {N, f.value(1075), f.value(1007), f.value(1077), b, h, h - a, ea, fc,
                                f.checked(ecc::kWall), true});
}

}  // namespace

bool hasRectSection(int dialogId) { return rowOf(dialogId) != nullptr; }

std::optional<FormSection> formSection(const CalcForm& f) {
    const Row* row = rowOf(f.decl().dialogId);
    if (!row) return std::nullopt;
    for (int id : {row->As, row->Asp})
        if (id > 0 && f.isEmpty(id)) return std::nullopt;

    const double b = f.value(kB), h = f.value(row->h), a = f.value(row->a);
    const double ap = row->ap == kSame ? a : f.value(row->ap);
    const double As = f.value(row->As);
    const double Asp = row->Asp == kSame ? As : row->Asp == 0 ? 0 : f.value(row->Asp);
    for (double v : {b, h, a, ap, As, Asp})
        if (!std::isfinite(v)) return std::nullopt;
    if (!(b > 0 && h > 0 && a >= 0 && ap >= 0 && a + ap < h && As >= 0 && Asp >= 0)) return std::nullopt;

    FormSection out;
    out.dialogId = row->dialogId;
    out.title = f.decl().title;
    RectSection& s = out.section;
    const int c = f.pick(kConcrete);
    s.b = b;
    s.h = h;
    s.fc = columnValue(PickerKind::Concrete, c, ColFc);
    s.alpha1 = columnValue(PickerKind::Concrete, c, ColAlpha1);
    s.beta1 = columnValue(PickerKind::Concrete, c, ColBeta1);
    s.ecu = columnValue(PickerKind::Concrete, c, ColEpsCu);
    s.As = layerOf(f, kSteel, As, h - a);
    s.Asp = layerOf(f, row->steelAsp, Asp, ap);

    const double g0 = columnValue(PickerKind::Safety, f.pick(kSafety), ColGamma0);
    auto add = [&](const char* label, double N, double M) {
        if (std::isfinite(N) && std::isfinite(M)) out.points.push_back({label, N, M});
    };
    switch (row->load) {
    case Load::FlexDesign:
        add("设计弯矩", 0, g0 * f.value(1006) * 1e6);
        break;
    case Load::FlexCheck:
        add("受弯承载力", 0, g0 * f.value(1020) * 1e6);
        break;
    case Load::CompDesign: {
        const double N = f.value(1024), M2 = std::max(f.value(1075), f.value(1007));
        const double ea = std::max(20.0, h / 30);
        add("不计二阶效应（ei＝M2／N＋ea）", g0 * N * 1e3, g0 * (M2 * 1e6 + N * 1e3 * ea));
        const double M = secondOrderMoment(f, N, b, h, a, ea);
        if (M > M2) add("计入二阶效应（ei＝M／N＋ea）", g0 * N * 1e3, g0 * (M * 1e6 + N * 1e3 * ea));
        break;
    }
    case Load::CompCheck: {
        const double N = f.value(1024), ea = std::max(20.0, h / 30);
        add("受压承载力（ei＝e0＋ea）", g0 * N * 1e3, g0 * (f.value(1006) * 1e6 + N * 1e3 * ea));
        break;
    }
    case Load::TensDesign:
        add("设计内力", -g0 * f.value(1024) * 1e3, g0 * f.value(1006) * 1e6);
        break;
    case Load::TensCheck: {
        const double N = f.value(1024);
        add("受拉承载力", -g0 * N * 1e3, g0 * N * 1e3 * f.value(1073));
        break;
    }
    }
    return out;
}

}  // namespace tov::section
