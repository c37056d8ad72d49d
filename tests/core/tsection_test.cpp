// The T beam, ribbed T and inverted-L forms: whole sheets of the cases whose wording is fixed,
// second-type sections, the flange-width bands of Table 5.2.4, over- and under-reinforced
// sections, and properties over random inputs (finite, non-negative, design carried by its check).
#include <cmath>
#include <cstdio>
#include <random>

#include "tests/core/testutil.h"

namespace tov::test {
namespace {

// Whole sheets. The figures on these lines were computed apart from the program (by the formulas
// each line spells out, in a separate script) and agree with the worked values the forms are
// known to give: As = 2029.7 (T beam, M = 400), 649.8 (ribbed T), 2047.6 (inverted L).
// tbeam_design_400: CTBeamDesignDlg 1006=400
const std::vector<std::string> kTbeamDesign400 = {
    "",
    "─────Ｔ形截面（独立梁）受弯构件正截面配筋计算书─────",
    "一、设计要求:",
    "　　　　结构安全等级: 二级",
    "　　　　混凝土强度等级: C30",
    "　　　　钢筋等级: HRB400",
    "　　　　弯矩设计值 M＝400.000000（kN.m）",
    "　　　　Ｔ梁计算跨度 L0＝15000.0（mm）",
    "　　　　翼缘宽度 bf'＝600.0（mm）",
    "　　　　翼缘高度 hf'＝120.0（mm）",
    "　　　　截面底宽 b＝250.0（mm）",
    "　　　　截面高度 h＝650.0（mm）",
    "　　　　钢筋合力点至截面近边的距离 a＝60.0（mm）",
    "二、计算参数:",
    "　　　　根据设计要求查规范得:",
    "　　　◇重要性系数 γ0＝1.0",
    "　　　◇混凝土C30的参数为:",
    "　　　　系数 α1＝1.000",
    "　　　　系数 β1＝0.800",
    "　　　　混凝土轴心抗压强度设计值 fc＝14.3（N/mm2）",
    "　　　　混凝土轴心抗拉强度设计值 ft＝1.43（N/mm2）",
    "　　　　正截面混凝土极限压应变 εcu＝0.00330",
    "　　　◇钢筋HRB400的参数为:",
    "　　　　普通钢筋抗拉强度设计值 fy＝360（N/mm2）",
    "　　　　普通钢筋弹性模量 Es＝2.0（×100000N/mm2）",
    "三、计算过程:",
    "　　　◇截面有效高度:",
    "　　　　h0＝h－a＝590.0（mm）",
    "　　　◇确定翼缘计算宽度:",
    "　　　　①按计算跨度L0考虑，bf'＝L0／3＝5000.0（mm）",
    "　　　　②按翼缘高度hf'考虑，hf'／h0＝0.203",
    "　　　　　因为hf'／h0≥0.1，bf'＝b＋12hf'＝1690.0（mm）",
    "　　　　③Ｔ梁翼缘实际宽度，bf'＝600.0（mm）",
    "　　　　翼缘计算宽度bf'取三者中最小值,所以 bf'＝600.0（mm）",
    "　　　◇判别Ｔ形截面类型:",
    "　　　　α1×fc×bf'×hf'×（h0－hf'／2）＝545.688000（kN-m）",
    "　　　　γ0×M＝400.000000（kN-m）",
    "　　　　因为γ0×M≤α1×fc×bf'×hf'×（h0－hf'／2），所以Ｔ形截面类型为:第一类Ｔ型截面。",
    "　　　◇相对受压区高度计算:",
    "　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝0.518",
    "　　　　ξ＝1－√￣｛1－2×γ0×M／（α1×fc×bf'×h0×h0）｝＝0.144",
    "　　　　ξ≤ξb",
    "　　　◇钢筋面积计算:",
    "　　　　As＝α1×fc×bf'×h0×ξ／fy＝2029.7（mm2）",
    "　　　◇配筋率验算:",
    "　　　　规范要求受拉钢筋最小配筋率ρmin＝取大者（0.2％，45×ft／fy％）＝0.20（%）",
    "　　　　As≥ρmin×b×h＝325.0（mm2）",
};
// trib_design_defaults: CTRibDesignDlg
const std::vector<std::string> kTribDesignDefaults = {
    "",
    "─────Ｔ形截面肋形(梁)板受弯构件正截面配筋计算书─────",
    "一、设计要求:",
    "　　　　结构安全等级: 二级",
    "　　　　混凝土强度等级: C30",
    "　　　　钢筋等级:　HRB400",
    "　　　　弯矩设计值 M＝95.000000（kN-m）",
    "　　　　Ｔ梁计算跨度 L0＝6300.0（mm）",
    "　　　　梁(纵肋)净距 Sn＝2100.0（mm）",
    "　　　　翼缘高度 hf'＝70.0（mm）",
    "　　　　截面底宽 b＝200.0（mm）",
    "　　　　截面高度 h＝450.0（mm）",
    "　　　　钢筋合力点至截面近边的距离 a＝40.0（mm）",
    "二、计算参数:",
    "　　　　根据设计要求查规范得:",
    "　　　◇重要性系数 γ0＝1.0",
    "　　　◇混凝土C30的参数为:",
    "　　　　系数 α1＝1.00",
    "　　　　系数 β1＝0.80",
    "　　　　混凝土轴心抗压强度设计值 fc＝14.3（　N/mm2）",
    "　　　　混凝土轴心抗拉强度设计值 ft＝1.43（N/mm2）",
    "　　　　正截面混凝土极限压应变 εcu＝0.00330",
    "　　　◇钢筋HRB400的参数为:",
    "　　　　普通钢筋抗拉强度设计值 fy＝360（N/mm2）",
    "　　　　普通钢筋弹性模量 Es＝2.0（×100000N/mm2）",
    "三、计算过程:",
    "　　　◇截面有效高度:",
    "　　　　h0＝h－a＝410.0（mm）",
    "　　　◇确定翼缘计算宽度:",
    "　　　　①按跨度L0考虑，bf'＝L0／3＝2100.0（mm）",
    "　　　　②按梁(纵肋)净距Sn考虑，bf'＝b＋Sn＝2300.0（mm）",
    "　　　　③按翼缘高度hf'考虑， hf'／h0＝0.171",
    "　　　　翼缘计算宽度bf'取三者最小值，所以 bf'＝2100.0（mm）",
    "　　　◇判别Ｔ形截面类型:",
    "　　　　α1×fc×bf'×hf'×（h0－hf'／2）＝788.287500（kN-m）",
    "　　　　γ0×M＝95.000000（kN-m）",
    "　　　　因为γ0×M≤α1×fc×bf'×hf'×（h0－hf'／2），所以Ｔ形截面类型为:第一类T型截面。",
    "　　　◇相对受压区高度计算:",
    "　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝0.518",
    "　　　　ξ＝1－√￣｛1－2×γ0×M／（α1×fc×bf'×h0×h0）｝＝0.019",
    "　　　　ξ≤ξb",
    "　　　◇钢筋面积计算:",
    "　　　　As＝α1×fc×bf'×h0×ξ／fy＝649.8 (mm2)",
    "　　　◇配筋率验算:",
    "　　　　规范要求受拉钢筋最小配筋率ρmin＝取大者（0.2％，45×ft／fy％）＝0.20（%）",
    "　　　　As≥ρmin×b×h＝180.0（mm2）",
};
// lrib_design_defaults: CLRibDesignDlg
const std::vector<std::string> kLribDesignDefaults = {
    "",
    "─────倒Ｌ梁截面肋形(梁)板受弯构件正截面配筋计算书─────",
    "一、设计要求:",
    "　　　　结构安全等级: 二级",
    "　　　　混凝土强度等级: C20",
    "　　　　钢筋等级: HRB335",
    "　　　　弯矩设计值 M＝440.000000（kN-m）",
    "　　　　倒Ｌ梁计算跨度 L0＝15000.0（mm）",
    "　　　　梁(纵肋)净距 Sn＝2200.0（mm）",
    "　　　　翼缘高度 hf'＝100.0（mm）",
    "　　　　截面底宽 b＝250.0（mm）",
    "　　　　截面高度 h＝800.0（mm）",
    "　　　　钢筋合力点至截面近边的距离 a＝60.0（mm）",
    "二、计算参数:",
    "　　　　根据设计要求查规范得:",
    "　　　◇重要性系数 γ0＝1.0",
    "　　　◇混凝土C20的参数为:",
    "　　　　系数 α1＝1.00",
    "　　　　系数 β1＝0.80",
    "　　　　混凝土轴心抗压强度设计值 fc＝9.6（N/mm2）",
    "　　　　混凝土轴心抗拉强度设计值 ft＝1.10（N/mm2）",
    "　　　　正截面混凝土极限压应变 εcu＝0.00330",
    "　　　◇钢筋HRB335的参数为:",
    "　　　　普通钢筋抗拉强度设计值 fy＝300（N/mm2）",
    "　　　　普通钢筋弹性模量 Es＝2.0（×100000N/mm2）",
    "三、计算过程:",
    "　　　◇截面有效高度:",
    "　　　　h0＝h－a＝740.0（mm）",
    "　　　◇确定翼缘计算宽度:",
    "　　　　①按跨度L0考虑，bf'＝L0／6＝2500.0（mm）",
    "　　　　②按梁(纵肋)净距Sn考虑，bf'＝b＋Sn／2＝1350.0（mm）",
    "　　　　③按翼缘高度hf'考虑，hf'／h0＝0.135",
    "　　　　　取最小值作为翼缘计算宽度 bf'＝1350.0（mm）",
    "　　　◇判别倒Ｌ梁截面类型:",
    "　　　　α1×fc×bf'×hf'×（h0－hf'／2）＝894.240000（kN-m）",
    "　　　　γ0×M＝440.000000（kN-m）",
    "　　　　因为 γ0×M≤α1×fc×bf'×hf'×（h0－hf'／2），所以倒Ｌ梁截面类型为:第一类T型截面。",
    "　　　◇相对受压区高度计算:",
    "　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝0.6",
    "　　　　ξ＝1－√￣｛1－2×γ0×M／（α1×fc×bf'×h0×h0）｝＝0.1",
    "　　　　ξ≤ξb",
    "　　　◇钢筋面积计算:",
    "　　　　As＝α1×fc×bf'×h0×ξ／fy＝2047.6（mm2）",
    "　　　◇配筋率验算:",
    "　　　　规范要求受拉钢筋最小配筋率ρmin＝取大者（0.2％，45×ft／fy％）＝0.20（%）",
    "　　　　As≥ρmin×b×h＝400.0（mm2）",
};
// tbeam_check_thick: CTBeamCheckDlg 1024=500 1008=9000
const std::vector<std::string> kTbeamCheckThick = {
    "",
    "─────Ｔ形截面独立梁受弯构件正截面承载力复核计算书─────",
    "一、设计要求:",
    "　　　　结构安全等级: 二级",
    "　　　　混凝土强度等级: C20",
    "　　　　钢筋等级: HRB335",
    "　　　　Ｔ梁计算跨度 L0＝15000.0（mm）",
    "　　　　翼缘宽度 bf'＝600.0（mm）",
    "　　　　翼缘高度 hf'＝500.0（mm）",
    "　　　　截面宽度 b＝250.0（mm）",
    "　　　　截面高度 h＝800.0（mm）",
    "　　　　钢筋合力点至截面近边的距离 a＝60.0（mm）",
    "　　　　钢筋面积 As＝9000.0（mm2）",
    "二、计算参数:",
    "　　　　根据设计要求查规范得:",
    "　　　◇重要性系数 γ0＝1.0",
    "　　　◇混凝土C20的参数为:",
    "　　　　系数 α1＝1.00",
    "　　　　系数 β1＝0.80",
    "　　　　混凝土轴心抗压强度设计值 fc＝9.6（N/mm2）",
    "　　　　混凝土轴心抗拉强度设计值 ft＝1.10（N/mm2）",
    "　　　　正截面混凝土极限压应变 εcu＝0.00330",
    "　　　◇钢筋HRB335的参数为:",
    "　　　　普通钢筋抗拉强度设计值 fy＝300（N/mm2）",
    "　　　　普通钢筋弹性模量 Es＝2.0（×100000N/mm2）",
    "三、计算过程:",
    "　　　◇截面有效高度:",
    "　　　　h0＝h－a＝740.0（mm）",
    "　　　◇确定翼缘计算宽度:",
    "　　　　①按计算跨度L0考虑，bf'＝L0／3＝5000.0（mm）",
    "　　　　②按翼缘高度hf'考虑，hf'／h0＝0.676",
    "　　　　　因为hf'／h0≥0.1，bf'＝b＋12hf'＝6250.0（mm）",
    "　　　　③Ｔ梁翼缘实际宽度 bf'＝600.0（mm）",
    "　　　　翼缘计算宽度取三者中最小值，所以 bf'＝600.0（mm）",
    "　　　◇判别Ｔ形截面类型:",
    "　　　　fy×As＝2700.000（kN）",
    "　　　　α1×fc×bf'×hf'＝2880.000（kN）",
    "　　　　因为fy×As≤α1×fc×bf'×hf'，Ｔ形截面类型为:第一类T型截面",
    "　　　◇相对受压区高度计算:",
    "　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝0.550",
    "　　　　ξ＝As×fy／（α1×fc×bf'×h0）＝0.633",
    "　　　◇受弯承载力计算:",
    "　　　　因为ξ＞ξb，取ξ＝ξb，承载弯矩为:",
    "　　　　M＝α1×fc×bf'×h0×h0×ξb×（1－0.5×ξb）／γ0＝1257.727680（kN-m）",
    "　　　◇配筋率验算:",
    "　　　　规范要求受拉钢筋最小配筋率ρmin＝取大者（0.2％，45×ft／fy％）＝0.20（%）",
    "　　　　As≥ρmin×b×h＝400.0（mm2）",
};
// trib_check_thick: CTRibCheckDlg 1024=500 1008=30000
const std::vector<std::string> kTribCheckThick = {
    "",
    "─────Ｔ形截面肋形(梁)板受弯构件正截面承载力复核计算书─────",
    "一、设计要求:",
    "　　　　结构安全等级: 二级",
    "　　　　混凝土强度等级: C20",
    "　　　　钢筋等级: HRB335",
    "　　　　Ｔ梁跨度 L0＝6000.0（mm）",
    "　　　　梁(纵肋)净距 Sn＝2200.0 (mm)",
    "　　　　翼缘高度 hf'＝500.0（mm）",
    "　　　　Ｔ梁底宽 b＝250.0（mm）",
    "　　　　Ｔ梁高度 h＝800.0（mm）",
    "　　　　钢筋合力点至截面近边的距离 a＝60.0（mm）",
    "　　　　钢筋面积 As＝30000.0（mm2）",
    "二、计算参数:",
    "　　　　根据设计要求查规范得:",
    "　　　◇重要性系数 γ0＝1.0",
    "　　　◇混凝土C20的参数为:",
    "　　　　系数 α1＝1.00",
    "　　　　系数 β1＝0.80",
    "　　　　混凝土轴心抗压强度设计值 fc＝9.6（N/mm2）",
    "　　　　混凝土轴心抗拉强度设计值 ft＝1.10（N/mm2）",
    "　　　　正截面混凝土极限压应变 εcu＝0.00330",
    "　　　◇钢筋HRB335的参数为:",
    "　　　　普通钢筋抗拉强度设计值 fy＝300（N/mm2）",
    "　　　　普通钢筋弹性模量 Es＝2.0（×100000N/mm2）",
    "三、计算过程:",
    "　　　◇截面有效高度:",
    "　　　　h0＝h－a＝740.0（mm）",
    "　　　◇确定翼缘计算宽度:",
    "　　　　①按跨度L0考虑，翼缘宽bf'＝L0／3＝2000.0（mm）",
    "　　　　②按梁(纵肋)净距Sn考虑，翼缘宽bf'＝b＋Sn＝2450.0（mm）",
    "　　　　③按翼缘高度hf'考虑: 计算hf'／h0＝0.676",
    "　　　　　翼缘计算宽度bf'取三者中最小值，所以bf'＝2000.0（mm）",
    "　　　◇判别Ｔ形截面类型:",
    "　　　　fy×As＝9000.000（kN）",
    "　　　　α1×fc×bf'×hf'＝9600.000（kN）",
    "　　　　因为fy×As≤α1×fc×bf'×hf'，Ｔ形截面类型为:第一类T型截面",
    "　　　◇相对受压区高度计算:",
    "　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝0.550",
    "　　　　ξ＝As×fy／（α1×fc×bf'×h0）＝0.633",
    "　　　◇受弯承载力计算:",
    "　　　　因为ξ＞ξb，取ξ＝ξb，承载弯矩为:",
    "　　　　M＝α1×fc×bf'×h0×h0×ξb×（1－0.5×ξb）／γ0＝4192.425600（kN-m）",
    "　　　◇配筋率验算:",
    "　　　　规范要求受拉钢筋最小配筋率ρmin＝取大者（0.2％，45×ft／fy％）＝0.20（%）",
    "　　　　ρmin×b×h＝400.0（mm2）",
    "　　　　As≥ρmin×b×h＝400.0（mm2）",
};
// lrib_check_thick: CLRibCheckDlg 1024=500 1008=20000
const std::vector<std::string> kLribCheckThick = {
    "",
    "─────倒Ｌ梁截面肋形(梁)板受弯构件正截面承载力复核计算书─────",
    "一、设计要求:",
    "　　　　结构安全等级: 二级",
    "　　　　混凝土强度等级: C20",
    "　　　　钢筋等级: HRB335",
    "　　　　倒Ｌ梁计算跨度 L0＝15000.0（mm）",
    "　　　　翼缘高度 hf'＝500.0（mm）",
    "　　　　截面宽度 b＝250.0（mm）",
    "　　　　截面高度 h＝800.0（mm）",
    "　　　　钢筋合力点至截面近边的距离 a＝60.0（mm）",
    "　　　　钢筋面积 As＝20000.0（mm2）",
    "二、计算参数:",
    "　　　　根据设计要求查规范得:",
    "　　　◇重要性系数 γ0＝1.0",
    "　　　◇混凝土C20的参数为:",
    "　　　　系数 α1＝1.00",
    "　　　　系数 β1＝0.80",
    "　　　　混凝土轴心抗压强度设计值 fc＝9.6（N/mm2）",
    "　　　　混凝土轴心抗拉强度设计值 ft＝1.10（N/mm2）",
    "　　　　正截面混凝土极限压应变 εcu＝0.00330",
    "　　　◇钢筋HRB335的参数为:",
    "　　　　普通钢筋抗拉强度设计值 fy＝300（N/mm2）",
    "　　　　普通钢筋弹性模量 Es＝2.0（×100000N/mm2）",
    "三、计算过程:",
    "　　　◇截面有效高度:",
    "　　　　h0＝h－a＝740.0（mm）",
    "　　　◇确定翼缘计算宽度:",
    "　　　　a.按跨度L0考虑，翼缘宽＝L0／6＝2500.0（mm）",
    "　　　　b.按梁(纵肋)净距考虑，翼缘宽＝b＋Sn／2＝1350.0（mm）",
    "　　　　c.按翼缘高度考虑: 计算hf'／h0＝0.676",
    "　　　　　取最小值作为翼缘计算宽度 bf'＝1350.0（mm）",
    "　　　◇判别倒Ｌ梁截面类型:",
    "　　　　fy×As＝6000.000（kN）",
    "　　　　α1×fc×bf'×hf'＝6480.000（kN）",
    "　　　　因为fy×As≤α1×fc×bf'×hf'，倒Ｌ梁截面类型为:第一类T型截面",
    "　　　◇相对受压区高度计算:",
    "　　　　ξb＝β1／｛1＋fy／（Es×εcu）｝＝0.550",
    "　　　　ξ＝As×fy／（α1×fc×bf'×h0）＝0.626",
    "　　　◇受弯承载力计算:",
    "　　　　因为ξ＞ξb，取ξ＝ξb，承载弯矩为:",
    "　　　　Mu＝α1×fc×bf'×h0×h0×ξb×（1－0.5×ξb）／γ0＝2829.887280（kN-m）",
    "　　　◇配筋率验算:",
    "　　　　规范要求受拉钢筋最小配筋率ρmin＝取大者（0.2％，45×ft／fy％）＝0.20（%）",
    "　　　　As≥ρmin×b×h＝400.0（mm2）",
};

std::string fmt(const char* f, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, f, v);
    return buf;
}

TEST(TSectionSheets, FirstTypeDesignsGiveTheWholeSheet) {
    struct Case {
        const char* form;
        std::vector<Assignment> as;
        const std::vector<std::string>& lines;
        double As;  // α1·fc·bf'·h0·ξ/fy by hand
    } cases[] = {
        {"CTBeamDesignDlg", {{1006, "400"}}, kTbeamDesign400, 14.3 * 600 * 590 * (1 - std::sqrt(1 - 2 * 400e6 / (14.3 * 600 * 590.0 * 590))) / 360},
        {"CTRibDesignDlg", {}, kTribDesignDefaults, 14.3 * 2100 * 410 * (1 - std::sqrt(1 - 2 * 95e6 / (14.3 * 2100 * 410.0 * 410))) / 360},
        {"CLRibDesignDlg", {}, kLribDesignDefaults, 9.6 * 1350 * 740 * (1 - std::sqrt(1 - 2 * 440e6 / (9.6 * 1350 * 740.0 * 740))) / 300},
    };
    for (const auto& c : cases) {
        RunResult r = run(c.form, c.as);
        ASSERT_TRUE(r.outcome.ok()) << c.form;
        EXPECT_EQ(sheetLines(r.sheet), c.lines) << c.form;
        EXPECT_NEAR(r.results.at(1008), c.As, 1e-9) << c.form;
    }
}

TEST(TSectionSheets, FirstTypeOverReinforcedChecksGiveTheWholeSheet) {
    // A flange deep enough (hf'/h0 > ξb) to hold a compression zone beyond ξb·h0: the case whose
    // lines say "因为ξ＞ξb，取ξ＝ξb". Mu = α1·fc·bf'·h0²·ξb·(1 − 0.5ξb)/γ0, ξb = 0.55 (C20, HRB335).
    const double xib = 0.8 / (1 + 300 / (2e5 * 0.0033));
    auto mu = [&](double bf) { return 9.6 * bf * 740 * 740 * xib * (1 - 0.5 * xib) / 1e6; };
    struct Case {
        const char* form;
        std::vector<Assignment> as;
        const std::vector<std::string>& lines;
        double Mu;
    } cases[] = {
        {"CTBeamCheckDlg", {{1024, "500"}, {1008, "9000"}}, kTbeamCheckThick, mu(600)},
        {"CTRibCheckDlg", {{1024, "500"}, {1008, "30000"}}, kTribCheckThick, mu(2000)},
        {"CLRibCheckDlg", {{1024, "500"}, {1008, "20000"}}, kLribCheckThick, mu(1350)},
    };
    for (const auto& c : cases) {
        RunResult r = run(c.form, c.as);
        ASSERT_TRUE(r.outcome.ok()) << c.form;
        EXPECT_EQ(sheetLines(r.sheet), c.lines) << c.form;
        EXPECT_NEAR(r.results.at(1020), c.Mu, 1e-9) << c.form;
    }
}

// --- Check forms: ξb only when ξ > ξb, and the classification that holds -------------------

TEST(TSectionCheck, RibbedDefaultsUseTheActualXi) {
    // Without the mend the capacity was taken at ξb: 4192.4 kN·m for these inputs.
    RunResult r = run("CTRibCheckDlg");
    ASSERT_TRUE(r.outcome.ok());
    const double xi = 2200.0 * 300 / (9.6 * 2000 * 740);
    const double Mu = 9.6 * 2000 * 740.0 * 740 * xi * (1 - 0.5 * xi) / 1e6;  // ≈ 477
    EXPECT_NEAR(r.results.at(1020), Mu, 1e-9);
    EXPECT_NEAR(Mu, 477.06, 0.01);
    EXPECT_FALSE(hasLine(r.sheet, "　　　　因为ξ＞ξb，取ξ＝ξb，承载弯矩为:"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为ξ≤ξb，承载弯矩为:"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　M＝α1×fc×bf'×h0×h0×ξ×（1－0.5×ξ）／γ0＝" + fmt("%.6f", Mu) + "（kN-m）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为fy×As≤α1×fc×bf'×hf'，Ｔ形截面类型为:第一类T型截面"));

    r = run("CLRibCheckDlg");
    ASSERT_TRUE(r.outcome.ok());
    const double xiL = 2200.0 * 300 / (9.6 * 1350 * 740);
    EXPECT_NEAR(r.results.at(1020), 9.6 * 1350 * 740.0 * 740 * xiL * (1 - 0.5 * xiL) / 1e6, 1e-9);
    EXPECT_TRUE(hasLine(r.sheet, "　　　　ξ＝As×fy／（α1×fc×bf'×h0）＝0.069"));
    EXPECT_FALSE(hasLine(r.sheet, "　　　　因为ξ＞ξb，取ξ＝ξb，承载弯矩为:"));
}

TEST(TSectionCheck, TBeamDefaultsAreOfTheSecondType) {
    // fy·As = 660 kN > α1·fc·bf'·hf' = 576 kN: x = (660000 − 9.6·350·100)/(9.6·250) = 135 mm.
    RunResult r = run("CTBeamCheckDlg");
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_FALSE(hasLine(r.sheet, "　　　　因为fy×As≤α1×fc×bf'×hf'，Ｔ形截面类型为:第一类T型截面"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为fy×As＞α1×fc×bf'×hf'，Ｔ形截面类型为:第二类T型截面"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　ξ＝〔As×fy－α1×fc×（bf'－b）×hf'〕／（α1×fc×b×h0）＝0.182"));
    const double Mu = (9.6 * 250 * 135 * (740 - 67.5) + 9.6 * 350 * 100 * (740 - 50)) / 1e6;
    EXPECT_NEAR(r.results.at(1020), Mu, 1e-9);
    EXPECT_NEAR(Mu, 449.73, 1e-9);
}

TEST(TSectionCheck, SecondTypeBeyondXibIsCapped) {
    // x = (fy·As − α1fc(bf'−b)hf')/(α1fc·b) > ξb·h0: the web's zone is taken at ξb·h0.
    RunResult r = run("CTBeamCheckDlg", {{1008, "12000"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为ξ＞ξb，取ξ＝ξb，承载弯矩为:"));
    const double xib = 0.8 / (1 + 300 / (2e5 * 0.0033));
    const double Mu = (9.6 * 250 * 740.0 * 740 * xib * (1 - 0.5 * xib) + 9.6 * 350 * 100 * (740 - 50)) / 1e6;
    EXPECT_NEAR(r.results.at(1020), Mu, 1e-9);
    EXPECT_DOUBLE_EQ(run("CTBeamCheckDlg", {{1008, "20000"}}).results.at(1020), Mu);
}

TEST(TSectionCheck, AreaBelowTheMinimumIsSaid) {
    for (const char* form : {"CTBeamCheckDlg", "CTRibCheckDlg", "CLRibCheckDlg"}) {
        RunResult r = run(form, {{1008, "300"}});  // ρmin·b·h = 0.2 % · 250 · 800 = 400
        ASSERT_TRUE(r.outcome.ok()) << form;
        EXPECT_TRUE(hasLine(r.sheet, "　　　　As＜ρmin×b×h＝400.0（mm2）")) << form;
        EXPECT_FALSE(hasLine(r.sheet, "　　　　As≥ρmin×b×h＝400.0（mm2）")) << form;
        EXPECT_TRUE(hasLine(r.sheet, "　　　　截面少筋，不满足规范最小配筋率要求，上述承载弯矩不能采用。")) << form;
        EXPECT_FALSE(hasLine(run(form, {{1008, "400"}}).sheet,
                             "　　　　截面少筋，不满足规范最小配筋率要求，上述承载弯矩不能采用。"))
            << form;
    }
}

// --- Design forms ---------------------------------------------------------------------------

TEST(TSectionDesign, TBeamDefaultsAreOfTheSecondType) {
    // γ0·M = 600 > Mf = 545.688: overhangs 14.3·350·120·(590 − 60) = 318.318 kN·m, the web the rest.
    RunResult r = run("CTBeamDesignDlg");
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_FALSE(hasLine(r.sheet, "　　　　因为γ0×M≤α1×fc×bf'×hf'×（h0－hf'／2），所以Ｔ形截面类型为:第一类Ｔ型截面。"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　因为γ0×M＞α1×fc×bf'×hf'×（h0－hf'／2），所以Ｔ形截面类型为:第二类Ｔ型截面。"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　α1×fc×（bf'－b）×hf'×（h0－hf'／2）＝318.318000（kN-m）"));
    const double xi = 1 - std::sqrt(1 - 2 * (600e6 - 318.318e6) / (14.3 * 250 * 590.0 * 590));
    const double As = 14.3 * (250 * xi * 590 + 350 * 120) / 360;
    EXPECT_NEAR(r.results.at(1008), As, 1e-6);
    EXPECT_TRUE(hasLine(r.sheet, "　　　　As＝α1×fc×〔b×ξ×h0＋（bf'－b）×hf'〕／fy＝" + fmt("%.1f", As) + "（mm2）"));
}

TEST(TSectionDesign, OverReinforcedIsSaidAndGivesNoArea) {
    // Second type, ξ > ξb with a real root; then a moment beyond any depth (negative root).
    RunResult r = run("CTBeamDesignDlg", {{1006, "850"}});  // ξb caps at about 796 kN·m, the root at 940
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_FALSE(hasLine(r.sheet, "　　　　ξ≤ξb"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　ξ＞ξb，属超筋截面。"));
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　As＝"), "");
    EXPECT_EQ(r.results.at(1008), 0);
    for (const char* form : {"CTBeamDesignDlg", "CTRibDesignDlg", "CLRibDesignDlg"}) {
        r = run(form, {{1006, "20000"}});
        ASSERT_TRUE(r.outcome.ok()) << form;
        EXPECT_EQ(r.sheet.find("nan"), std::string::npos) << form;
        EXPECT_NE(lineStartingWith(r.sheet, "　　　　1－2×〔γ0×M－α1×fc×（bf'－b）×hf'×（h0－hf'／2）〕／（α1×fc×b×h0×h0）＝-"), "")
            << form;
        EXPECT_TRUE(hasLine(r.sheet, "　　　　根号内数值小于零，截面不能承受该弯矩，属超筋截面（ξ＞ξb）。")) << form;
        EXPECT_EQ(r.results.at(1008), 0) << form;
    }
    // First type over-reinforced: a flange deeper than ξb·h0 takes the whole zone.
    r = run("CTBeamDesignDlg", {{1024, "500"}, {1006, "1250"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_NE(lineStartingWith(r.sheet, "　　　　因为γ0×M≤"), "");
    EXPECT_TRUE(hasLine(r.sheet, "　　　　ξ＞ξb，属超筋截面。"));
    EXPECT_EQ(r.results.at(1008), 0);
}

TEST(TSectionDesign, MinimumReinforcementGoverns) {
    // ρmin = max(0.2, 45·1.1/300 = 0.165) %: As,min = 0.2 % · 250 · 800 = 400.
    RunResult r = run("CLRibDesignDlg", {{1006, "20"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　As＜ρmin×b×h＝400.0（mm2）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　按最小配筋率构造配筋，取 As＝ρmin×b×h＝400.0（mm2）"));
    EXPECT_DOUBLE_EQ(r.results.at(1008), 400.0);
}

// --- Effective flange width (Table 5.2.4) ---------------------------------------------------

TEST(TSectionFlange, IndependentBeamBandsOfFlangeDepth) {
    // h0 = 590: hf' = 59 sits on 0.1, 29.5 on 0.05; below 0.05 the web alone.
    struct Case {
        const char* hf;
        const char* line;
        const char* bf;
    } cases[] = {
        {"59", "　　　　　因为hf'／h0≥0.1，bf'＝b＋12hf'＝958.0（mm）", "600.0"},
        {"58", "　　　　　因为0.05≤hf'／h0＜0.1，bf'＝b＋6hf'＝598.0（mm）", "598.0"},
        {"29.5", "　　　　　因为0.05≤hf'／h0＜0.1，bf'＝b＋6hf'＝427.0（mm）", "427.0"},
        {"29", "　　　　　因为hf'／h0＜0.05，bf'＝b＝250.0（mm）", "250.0"},
    };
    for (const auto& c : cases) {
        RunResult d = run("CTBeamDesignDlg", {{1024, c.hf}, {1006, "100"}});
        ASSERT_TRUE(d.outcome.ok()) << c.hf;
        EXPECT_TRUE(hasLine(d.sheet, c.line)) << c.hf;
        EXPECT_TRUE(hasLine(d.sheet, std::string("　　　　翼缘计算宽度bf'取三者中最小值,所以 bf'＝") + c.bf + "（mm）")) << c.hf;
        RunResult k = run("CTBeamCheckDlg", {{1024, c.hf}, {1000, "650"}});
        EXPECT_TRUE(hasLine(k.sheet, c.line)) << c.hf;
        EXPECT_TRUE(hasLine(k.sheet, std::string("　　　　翼缘计算宽度取三者中最小值，所以 bf'＝") + c.bf + "（mm）")) << c.hf;
    }
    // The span candidate wins: L0 = 1500 gives 500 against an actual flange of 600.
    EXPECT_TRUE(hasLine(run("CTBeamDesignDlg", {{1027, "1500"}, {1006, "100"}}).sheet,
                        "　　　　翼缘计算宽度bf'取三者中最小值,所以 bf'＝500.0（mm）"));
}

TEST(TSectionFlange, RibbedSectionsLimitThinFlanges) {
    // Ribbed T: h0 = 410, hf' = 40 → 0.098 < 0.1, b + 12hf' = 680 beats L0/3 = 2100.
    RunResult r = run("CTRibDesignDlg", {{1024, "40"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　　因为hf'／h0＜0.1，bf'＝b＋12hf'＝680.0（mm）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　翼缘计算宽度bf'取三者最小值，所以 bf'＝680.0（mm）"));
    r = run("CTRibCheckDlg", {{1024, "70"}});  // h0 = 740: 0.095
    EXPECT_TRUE(hasLine(r.sheet, "　　　　　因为hf'／h0＜0.1，翼缘宽bf'＝b＋12hf'＝1090.0（mm）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　　翼缘计算宽度bf'取三者中最小值，所以bf'＝1090.0（mm）"));
    // Inverted L: b + 5hf' = 250 + 350 = 600 against b + Sn/2 = 1350.
    r = run("CLRibDesignDlg", {{1024, "70"}});
    EXPECT_TRUE(hasLine(r.sheet, "　　　　　因为hf'／h0＜0.1，bf'＝b＋5hf'＝600.0（mm）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　　取最小值作为翼缘计算宽度 bf'＝600.0（mm）"));
    r = run("CLRibCheckDlg", {{1024, "70"}});
    EXPECT_TRUE(hasLine(r.sheet, "　　　　　因为hf'／h0＜0.1，翼缘宽＝b＋5hf'＝600.0（mm）"));
    EXPECT_TRUE(hasLine(r.sheet, "　　　　　取最小值作为翼缘计算宽度 bf'＝600.0（mm）"));
    // At exactly 0.1 (h0 = 740, hf' = 74) the flange depth sets no limit.
    EXPECT_EQ(lineStartingWith(run("CLRibCheckDlg", {{1024, "74"}}).sheet, "　　　　　因为hf'／h0"), "");
}

TEST(TSectionFlange, FlangeNeverNarrowerThanTheWeb) {
    // L0/6 = 200 below b = 250: the web is taken, and the sheet says so.
    RunResult r = run("CLRibCheckDlg", {{1027, "1200"}});
    ASSERT_TRUE(r.outcome.ok());
    EXPECT_TRUE(hasLine(r.sheet, "　　　　各项中最小值小于截面底宽b，翼缘计算宽度取 bf'＝b＝250.0（mm）"));
    EXPECT_EQ(lineStartingWith(r.sheet, "　　　　　取最小值作为翼缘计算宽度"), "");
    EXPECT_TRUE(hasLine(r.sheet, "　　　　α1×fc×bf'×hf'＝240.000（kN）"));
}

// --- Input checks ---------------------------------------------------------------------------

TEST(TSectionChecks, RefuseAtTheirBoundaries) {
    const char* t = "Ｔ梁尺寸输入有误，请检查。";
    const char* l = "倒Ｌ梁尺寸输入有误，请检查。";
    struct Case {
        const char* form;
        std::vector<Assignment> as;
        const char* message;  // nullptr: accepted
    } cases[] = {
        {"CTBeamDesignDlg", {{1025, "250"}}, nullptr},  // flange as wide as the web
        {"CTBeamDesignDlg", {{1025, "249.9"}}, t},
        {"CTBeamCheckDlg", {{1025, "0"}}, t},
        {"CTBeamDesignDlg", {{1002, "530"}}, t},  // a + hf' = h
        {"CTBeamDesignDlg", {{1027, "0"}}, t},
        {"CTBeamDesignDlg", {{1006, "0"}}, "弯矩数值应大于零，请检查。"},
        {"CTBeamDesignDlg", {{1006, "0"}, {1024, "0"}}, t},
        {"CTBeamCheckDlg", {{1008, "0"}}, "钢筋面积应大于零，请检查。"},
        {"CTRibDesignDlg", {{1031, "0"}}, t},
        {"CTRibDesignDlg", {{1002, "380"}}, t},  // 380 + 70 = 450
        {"CTRibCheckDlg", {{1001, "-1"}}, t},
        {"CTRibCheckDlg", {{1008, "-1"}}, "钢筋面积应大于零，请检查。"},
        {"CLRibDesignDlg", {{1002, "700"}}, l},  // 700 + 100 = 800
        {"CLRibDesignDlg", {{1002, "699.9"}}, nullptr},
        {"CLRibDesignDlg", {{1006, "-1"}}, "弯矩数值应大于零，请检查。"},
        {"CLRibCheckDlg", {{1031, "0"}}, l},
        {"CLRibCheckDlg", {{1000, "0"}}, l},
        {"CLRibCheckDlg", {{1008, "0"}}, "钢筋面积应大于零，请检查。"},
    };
    for (const auto& c : cases) {
        RunResult r = run(c.form, c.as);
        if (!c.message) {
            EXPECT_TRUE(r.outcome.ok()) << c.form << " " << r.outcome.message;
            continue;
        }
        EXPECT_FALSE(r.outcome.ok()) << c.form;
        EXPECT_EQ(r.outcome.message, c.message) << c.form;
        EXPECT_EQ(r.outcome.icon, Icon::Stop);
        EXPECT_TRUE(r.sheet.empty());
    }
}

TEST(TSectionPickers, EverySteelGradeReachesTheCheckSheet) {
    for (const auto& s : steelGrades()) {
        RunResult r = run("CTBeamCheckDlg", {{1010, s.grade}});
        ASSERT_TRUE(r.outcome.ok()) << s.grade;
        EXPECT_TRUE(hasLine(r.sheet, std::string("　　　　钢筋等级: ") + s.grade));
        EXPECT_TRUE(hasLine(r.sheet, "　　　　普通钢筋抗拉强度设计值 fy＝" + fmt("%.0f", s.fy) + "（N/mm2）"));
    }
}

// --- Properties over random inputs ----------------------------------------------------------

std::string num(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

struct RandomSection {
    std::string safety, concrete, steel;
    double L0, Sn, bfActual, hf, b, h, a;
};

RandomSection randomSection(std::mt19937& g) {
    auto u = [&g](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(g); };
    auto pickOf = [&g](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(g); };
    RandomSection s;
    s.safety = safetyClasses()[pickOf(safetyClasses().size())].listText;
    s.concrete = concreteGrades()[pickOf(concreteGrades().size())].grade;
    s.steel = steelGrades()[pickOf(steelGrades().size())].grade;
    s.b = u(100, 600);
    s.h = u(200, 2000);
    s.a = u(15, 100);
    s.hf = u(0.5, std::min(400.0, s.h - s.a - 1));  // thin to thick flanges, a + hf' < h
    s.bfActual = s.b + (pickOf(10) == 0 ? 0 : u(0, 3000));
    s.L0 = pickOf(8) == 0 ? u(100, 6 * s.b) : u(1000, 20000);  // sometimes a span candidate below b
    s.Sn = u(50, 4000);
    return s;
}

std::vector<Assignment> common(const RandomSection& s) {
    return {{1011, s.safety}, {1009, s.concrete}, {1010, s.steel}, {1027, num(s.L0)}, {1024, num(s.hf)},
            {1001, num(s.b)},  {1000, num(s.h)},  {1002, num(s.a)}};
}

std::vector<Assignment> withShape(const char* form, const RandomSection& s, std::vector<Assignment> as) {
    auto all = common(s);
    if (std::string(form).find("TBeam") != std::string::npos)
        all.push_back({1025, num(s.bfActual)});
    else
        all.push_back({1031, num(s.Sn)});
    all.insert(all.end(), as.begin(), as.end());
    return all;
}

void expectClean(const RunResult& r, const char* form) {
    ASSERT_TRUE(r.outcome.ok()) << form << " " << r.outcome.message;
    for (const char* bad : {"nan", "inf", "NAN", "INF"}) EXPECT_EQ(r.sheet.find(bad), std::string::npos) << form << r.sheet;
    for (const auto& [id, v] : r.results) {
        EXPECT_TRUE(std::isfinite(v)) << form;
        EXPECT_GE(v, 0) << form << " field " << id;
    }
}

TEST(TSectionProperties, RandomInputsGiveFiniteNonNegativeResults) {
    std::mt19937 g(20240607);
    const char* designs[] = {"CTBeamDesignDlg", "CTRibDesignDlg", "CLRibDesignDlg"};
    const char* checks[] = {"CTBeamCheckDlg", "CTRibCheckDlg", "CLRibCheckDlg"};
    for (int i = 0; i < 1500; ++i) {
        const RandomSection s = randomSection(g);
        const double M = std::exp(std::uniform_real_distribution<double>(std::log(0.1), std::log(20000))(g));
        const double As = std::exp(std::uniform_real_distribution<double>(std::log(1), std::log(100000))(g));
        for (const char* f : designs) expectClean(run(f, withShape(f, s, {{1006, num(M)}})), f);
        for (const char* f : checks) expectClean(run(f, withShape(f, s, {{1008, num(As)}})), f);
        if (HasFailure()) return;
    }
}

TEST(TSectionProperties, DesignFedIntoItsCheckCarriesTheMoment) {
    std::mt19937 g(7);
    const std::pair<const char*, const char*> pairs[] = {
        {"CTBeamDesignDlg", "CTBeamCheckDlg"}, {"CTRibDesignDlg", "CTRibCheckDlg"}, {"CLRibDesignDlg", "CLRibCheckDlg"}};
    int exact = 0, minimum = 0;
    for (int i = 0; i < 1000; ++i) {
        const RandomSection s = randomSection(g);
        const double M = std::exp(std::uniform_real_distribution<double>(std::log(1), std::log(5000))(g));
        for (const auto& [design, check] : pairs) {
            RunResult d = run(design, withShape(design, s, {{1006, num(M)}}));
            ASSERT_TRUE(d.outcome.ok());
            const double As = d.results.at(1008);
            if (As == 0) continue;  // over-reinforced: said so, no area
            RunResult c = run(check, withShape(check, s, {{1008, num(As)}}));
            ASSERT_TRUE(c.outcome.ok());
            const double Mu = c.results.at(1020);
            EXPECT_GE(Mu, M * (1 - 1e-9)) << design << " M=" << M;
            if (d.sheet.find("按最小配筋率构造配筋") == std::string::npos) {
                EXPECT_NEAR(Mu, M, M * 1e-9) << design;
                ++exact;
            } else {
                ++minimum;
            }
        }
        if (HasFailure()) return;
    }
    EXPECT_GT(exact, 500);  // both branches are exercised
    EXPECT_GT(minimum, 20);
}

}  // namespace
}  // namespace tov::test
