#include "forms/registry.h"

#include <charconv>
#include <string>

namespace tov {

// The forms the core has. Adding a form: its source file, and one line here.
#define TOVARIN_FORMS(X) \
    X(CSinglyRectDesignDlg) \
    X(CSinglyRectCheckDlg) \
    X(CDoublyRectDesignDlg) \
    X(CDoublyRectKnownAsDlg) \
    X(CDoublyRectCheckDlg) \
    X(CDoublySymCheckDlg) \
    X(CTBeamDesignDlg) \
    X(CTBeamCheckDlg) \
    X(CTRibDesignDlg) \
    X(CTRibCheckDlg) \
    X(CLRibDesignDlg) \
    X(CLRibCheckDlg) \
    X(CAxialCompTiedDesignDlg) \
    X(CAxialCompTiedCheckDlg) \
    X(CAxialCompSpiralDesignDlg) \
    X(CAxialCompSpiralCheckDlg) \
    X(CEccCompAsymDesignDlg) \
    X(CEccCompAsymKnownAsDlg) \
    X(CEccCompAsymCheckDlg) \
    X(CEccCompSymDesignDlg) \
    X(CEccCompSymCheckDlg) \
    X(CAxialTensionDesignDlg) \
    X(CAxialTensionCheckDlg) \
    X(CEccTensionAsymDesignDlg) \
    X(CEccTensionAsymKnownAsDlg) \
    X(CEccTensionAsymCheckDlg) \
    X(CEccTensionSymDesignDlg) \
    X(CEccTensionSymCheckDlg) \
    X(CBarSelectDlg) \
    X(CShearBeamDesignDlg) \
    X(CShearBeamCheckDlg) \
    X(CShearSlabDlg) \
    X(CShearColumnDesignDlg) \
    X(CShearColumnCheckDlg) \
    X(CShearBeamBentDesignDlg) \
    X(CCrackFlexureDlg) \
    X(CCrackFlexureDesignDlg) \
    X(CCrackTensionDlg) \
    X(CCrackCompressionDlg) \
    X(CDeflectionDlg)

#define TOVARIN_DECLARE(C) extern const FormEntry k##C##Entry;
TOVARIN_FORMS(TOVARIN_DECLARE)
#undef TOVARIN_DECLARE

namespace {
const std::vector<const FormEntry*>& allEntries() {
#define TOVARIN_ENTRY(C) &k##C##Entry,
    static const std::vector<const FormEntry*> entries = {TOVARIN_FORMS(TOVARIN_ENTRY)};
#undef TOVARIN_ENTRY
    return entries;
}

const FormEntry* byClassName(std::string_view name) {
    for (const FormEntry* e : allEntries())
        if (e->decl().className == name) return e;
    return nullptr;
}
}  // namespace

const std::vector<FormCommand>& formCommands() {
    static const std::vector<FormCommand> commands = {
        {32773, "单筋矩形截面配筋", "受弯正截面配筋(&Z)", 130, "CSinglyRectDesignDlg", "单筋矩形截面受弯构件正截面配筋计算", "单筋矩形截面受弯构件正截面配筋计算"},
        {32780, "单筋矩形截面承载力", "受弯正截面配筋(&Z)", 142, "CSinglyRectCheckDlg", "单筋矩形截面受弯构件正截面承载力计算", "单筋矩形截面受弯构件正截面承载力计算"},
        {32782, "双筋矩形截面配筋(求As,As')", "受弯正截面配筋(&Z)", 144, "CDoublyRectDesignDlg", "双筋矩形截面受弯构件正截面配筋计算（求As，As'）", "双筋矩形截面受弯构件正截面配筋计算（求As，As'）"},
        {32787, "双筋矩形截面配筋(已知As'求As)", "受弯正截面配筋(&Z)", 148, "CDoublyRectKnownAsDlg", "双筋矩形截面受弯构件正截面配筋计算（已知As'，求As）", "双筋矩形截面受弯构件正截面配筋计算（已知As'，求As）"},
        {32783, "双筋矩形截面承载力", "受弯正截面配筋(&Z)", 150, "CDoublyRectCheckDlg", "双筋矩形截面受弯构件正截面承载力计算", "双筋矩形截面受弯构件正截面承载力计算"},
        {32836, "双筋矩形截面(对称配筋)承载力", "受弯正截面配筋(&Z)", 210, "CDoublySymCheckDlg", nullptr, nullptr},
        {32788, "T形截面独立梁配筋", "受弯正截面配筋(&Z)", 152, "CTBeamDesignDlg", "Ｔ形截面独立梁正截面配筋计算", "Ｔ形截面独立梁正截面配筋计算"},
        {32798, "T形截面独立梁承载力", "受弯正截面配筋(&Z)", 162, "CTBeamCheckDlg", "Ｔ形截面独立梁正截面承载力计算", "Ｔ形截面独立梁正截面承载力计算"},
        {32794, "T形截面肋形梁/板配筋", "受弯正截面配筋(&Z)", 155, "CTRibDesignDlg", "Ｔ形截面肋形梁（板）正截面配筋计算", "Ｔ形截面肋形梁（板）正截面配筋计算"},
        {32799, "T形截面肋形梁/板承载力", "受弯正截面配筋(&Z)", 164, "CTRibCheckDlg", "Ｔ形截面肋形梁（板）正截面承载力计算", "Ｔ形截面肋形梁（板）正截面承载力计算"},
        {32793, "倒L形截面肋形梁/板配筋", "受弯正截面配筋(&Z)", 156, "CLRibDesignDlg", "倒Ｌ形截面肋形梁（板）正截面配筋计算", "倒Ｌ形截面肋形梁（板）正截面配筋计算"},
        {32797, "倒L形截面肋形梁/板承载力", "受弯正截面配筋(&Z)", 165, "CLRibCheckDlg", "倒Ｌ形截面肋形梁（板）正截面承载力计算", "倒Ｌ形截面肋形梁（板）正截面承载力计算"},
        {32804, "轴心受压配筋(普通箍筋)", "受压正截面配筋(&Y)", 169, "CAxialCompTiedDesignDlg", "轴心受压配筋计算（普通箍筋）", "轴心受压配筋计算（普通箍筋）"},
        {32806, "轴心受压承载力(普通箍筋)", "受压正截面配筋(&Y)", 171, "CAxialCompTiedCheckDlg", "轴心受压截面承载力计算（普通箍筋）", "轴心受压截面承载力计算（普通箍筋）"},
        {32808, "轴心受压配筋(螺旋箍筋)", "受压正截面配筋(&Y)", 173, "CAxialCompSpiralDesignDlg", "轴心受压配筋计算（螺旋箍筋）", "轴心受压配筋计算（螺旋箍筋）"},
        {32809, "轴心受压承载力(螺旋箍筋)", "受压正截面配筋(&Y)", 174, "CAxialCompSpiralCheckDlg", "轴心受压截面承载力计算（螺旋箍筋）", "轴心受压截面承载力计算（螺旋箍筋）"},
        {32812, "不对称配筋(矩形截面)偏心受压配筋(求As',As)", "受压正截面配筋(&Y)", 180, "CEccCompAsymDesignDlg", "不对称配筋偏心受压构件正截面配筋计算（求As',As）", "不对称配筋偏心受压构件正截面配筋计算（求As',As）"},
        {32813, "不对称配筋(矩形截面)偏心受压配筋(已知As',求As)", "受压正截面配筋(&Y)", 192, "CEccCompAsymKnownAsDlg", "不对称配筋偏心受压构件正截面配筋计算（已知As',求As）", "不对称配筋偏心受压构件正截面配筋计算（已知As',求As）"},
        {32828, "不对称配筋(矩形截面)偏心受压正截面承载力(已知N,求e0,M)", "受压正截面配筋(&Y)", 198, "CEccCompAsymCheckDlg", "不对称配筋(矩形截面)偏心受压正截面承载力（已知N,求e0,M）", "不对称配筋(矩形截面)偏心受压正截面承载力（已知N,求e0,M）"},
        {32824, "对称配筋(矩形截面)偏心受压配筋", "受压正截面配筋(&Y)", 190, "CEccCompSymDesignDlg", "对称配筋偏心受压构件配筋计算计算(矩形截面)", "对称配筋偏心受压构件配筋计算(矩形截面)"},
        {32830, "对称配筋(矩形截面)偏心受压正截面承载力(已知N,求e0,M)", "受压正截面配筋(&Y)", 202, "CEccCompSymCheckDlg", "对称配筋(矩形截面)偏心受压正截面承载力（已知N,求e0,M）", "对称配筋(矩形截面)偏心受压正截面承载力（已知N,求e0,M）"},
        {32818, "轴心受拉配筋", "受拉正截面配筋(&L)", 184, "CAxialTensionDesignDlg", "轴心受拉配筋计算", "轴心受拉配筋计算"},
        {32831, "轴心受拉承载力", "受拉正截面配筋(&L)", 200, "CAxialTensionCheckDlg", "轴心受拉承载力计算", "轴心受拉承载力计算"},
        {32822, "不对称配筋(矩形截面)偏心受拉配筋(求As',As)", "受拉正截面配筋(&L)", 188, "CEccTensionAsymDesignDlg", "不对称偏心受拉配筋计算（求As',As）", "不对称偏心受拉配筋计算（求As',求As）"},
        {32826, "不对称配筋(矩形截面)偏心受拉配筋(已知As',求As)", "受拉正截面配筋(&L)", 196, "CEccTensionAsymKnownAsDlg", "不对称偏心受拉配筋计算（已知As',求As）", "不对称偏心受拉配筋计算（已知As',求As）"},
        {32833, "不对称配筋(矩形截面)偏心受拉承载力(已知e0,求Nu)", "受拉正截面配筋(&L)", 206, "CEccTensionAsymCheckDlg", "不对称配筋（矩形截面）偏心受拉承载力（已知N,求e0,Mu）", "不对称配筋（矩形截面）偏心受拉承载力（已知N,求e0,Mu）"},
        {32825, "对称配筋(矩形截面)偏心受拉配筋", "受拉正截面配筋(&L)", 194, "CEccTensionSymDesignDlg", "对称偏心受拉配筋计算", "对称偏心受拉配筋计算"},
        {32832, "对称配筋(矩形截面)偏心受拉承载力(已知e0,求Nu)", "受拉正截面配筋(&L)", 204, "CEccTensionSymCheckDlg", "对称配筋（矩形截面）偏心受拉承载力（已知N,求e0,Mu）", "对称配筋（矩形截面）偏心受拉承载力（已知N,求e0,Mu）"},
        {32774, "选用钢筋根数和直径(&N)", "选配钢筋(&G)", 131, "CBarSelectDlg", "已知钢筋截面面积，选用钢筋根数和直径", "已知钢筋截面面积，选用钢筋根数和直径"},
        {32840, "受弯构件斜截面配筋(箍筋)", "斜截面受剪(&J)", 220, "CShearBeamDesignDlg", "受弯构件斜截面受剪配筋计算（箍筋）", "受弯构件斜截面受剪配筋计算（箍筋）"},
        {32841, "受弯构件斜截面承载力", "斜截面受剪(&J)", 221, "CShearBeamCheckDlg", "受弯构件斜截面受剪承载力计算", "受弯构件斜截面受剪承载力计算"},
        {32842, "一般板类受弯构件斜截面承载力", "斜截面受剪(&J)", 222, "CShearSlabDlg", "不配置箍筋和弯起钢筋的一般板类受弯构件斜截面受剪承载力计算", "不配置箍筋和弯起钢筋的一般板类受弯构件斜截面受剪承载力计算"},
        {32843, "偏心受力构件斜截面配筋", "斜截面受剪(&J)", 223, "CShearColumnDesignDlg", "偏心受力构件斜截面受剪配筋计算", "偏心受力构件斜截面受剪配筋计算"},
        {32844, "偏心受力构件斜截面承载力", "斜截面受剪(&J)", 224, "CShearColumnCheckDlg", "偏心受力构件斜截面受剪承载力计算", "偏心受力构件斜截面受剪承载力计算"},
        {32845, "受弯构件斜截面配筋(箍筋和弯起钢筋)", "斜截面受剪(&J)", 225, "CShearBeamBentDesignDlg", "受弯构件斜截面受剪配筋计算（箍筋和弯起钢筋）", "受弯构件斜截面受剪配筋计算（箍筋和弯起钢筋）"},
        {32850, "受弯构件裂缝宽度验算", "正常使用验算(&S)", 230, "CCrackFlexureDlg", "受弯构件裂缝宽度验算", "受弯构件裂缝宽度验算"},
        {32851, "受弯构件按裂缝宽度控制配筋", "正常使用验算(&S)", 231, "CCrackFlexureDesignDlg", "受弯构件按裂缝宽度控制配筋", "受弯构件按裂缝宽度控制配筋"},
        {32852, "轴心受拉和偏心受拉构件裂缝宽度验算", "正常使用验算(&S)", 232, "CCrackTensionDlg", "轴心受拉和偏心受拉构件裂缝宽度验算", "轴心受拉和偏心受拉构件裂缝宽度验算"},
        {32853, "偏心受压构件裂缝宽度验算", "正常使用验算(&S)", 233, "CCrackCompressionDlg", "偏心受压构件裂缝宽度验算", "偏心受压构件裂缝宽度验算"},
        {32854, "受弯构件挠度验算", "正常使用验算(&S)", 234, "CDeflectionDlg", "受弯构件挠度验算", "受弯构件挠度验算"},
    };
    return commands;
}

const std::vector<const FormEntry*>& formRegistry() {
    static const std::vector<const FormEntry*> ordered = [] {
        std::vector<const FormEntry*> v;
        for (const auto& c : formCommands())
            if (const FormEntry* e = byClassName(c.className)) v.push_back(e);
        return v;
    }();
    return ordered;
}

const FormEntry* formForCommand(int commandId) {
    for (const auto& c : formCommands())
        if (c.commandId == commandId) return byClassName(c.className);
    return nullptr;
}

const FormEntry* findForm(std::string_view key) {
    if (const FormEntry* e = byClassName(key)) return e;
    int id = 0;
    auto [p, ec] = std::from_chars(key.data(), key.data() + key.size(), id);
    if (ec != std::errc() || p != key.data() + key.size()) return nullptr;
    for (const FormEntry* e : allEntries())
        if (e->decl().dialogId == id || e->decl().commandId == id) return e;
    return nullptr;
}

}  // namespace tov
