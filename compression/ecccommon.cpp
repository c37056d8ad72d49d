#include "compression/ecccommon.h"

#include "forms/claimfmt.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tov::ecc {

double Section::sigmaS(double xi) const { return std::clamp(sigmaRaw(xi), -fyp, fy); }

Section sectionOf(const CalcForm& f, double b, double h, double a, double ap) {
    Section s;
    s.b = b;
    s.h = h;
    s.a = a;
    s.ap = ap;
    s.g0 = f.col(kSafety, ColGamma0);
    s.alpha1 = f.col(kConcrete, ColAlpha1);
    s.beta1 = f.col(kConcrete, ColBeta1);
    s.fc = f.col(kConcrete, ColFc);
    s.ft = f.col(kConcrete, ColFt);
    s.epsCu = f.col(kConcrete, ColEpsCu);
    s.fy = f.col(kSteel, ColFy);
    s.fyp = f.col(kSteel, ColFyPrime);
    s.Es = f.col(kSteel, ColEs) * 100000;
    return s;
}

double xiLarge(const Section& s, double g0N, double As, double Asp) {
    return (g0N - s.fyp * Asp + s.fy * As) / (s.alpha1 * s.fc * s.b * s.h0());
}

std::optional<double> xiSmall(const Section& s, double g0N, double As, double Asp) {
    // α1·fc·b·h0·ξ + fy'·As' − σs·As grows with ξ (σs falls), so the root is unique.
    auto f = [&](double xi) { return s.concreteForce(xi) + s.fyp * Asp - s.sigmaS(xi) * As - g0N; };
    const double lo = s.xib(), hi = s.ximax();
    if (f(hi) < 0) return std::nullopt;
    if (f(lo) >= 0) return lo;
    return firstRoot(f, lo, hi);
}

FreeCapacity capacityFree(const Section& s, double g0N, double As) {
    FreeCapacity c;
    c.xi = xiLarge(s, g0N, As, 0);
    c.sigma = s.fy;
    if (c.xi > s.xib()) {
        const auto xi = xiSmall(s, g0N, As, 0);
        if (!xi) return c;
        c.small = true;
        c.xi = *xi;
        c.sigma = s.sigmaS(c.xi);
    }
    c.carries = true;
    c.e = s.concreteMoment(c.xi) / g0N;
    c.ei = c.e - s.h / 2 + s.a;
    return c;
}

Capacity capacity(const Section& s, double g0N, double As, double Asp) {
    Capacity c;
    const double h0 = s.h0();
    c.xi = xiLarge(s, g0N, As, Asp);
    c.sigma = s.fy;
    const bool small = c.xi > s.xib();
    if (small) {
        const auto xi = xiSmall(s, g0N, As, Asp);
        if (!xi) {
            // Without As' the section carries still less axial force.
            c.kind = Capacity::Exceeds;
            c.xi = s.ximax();
            c.sigma = s.sigmaS(c.xi);
            return c;
        }
        c.xi = *xi;
        c.sigma = s.sigmaS(c.xi);
    }
    if (c.xi >= 2 * s.ap / h0) {
        c.kind = small ? Capacity::Small : Capacity::Large;
        c.e = (s.concreteMoment(c.xi) + s.fyp * Asp * (h0 - s.ap)) / g0N;
        c.ei = c.e - s.h / 2 + s.a;
        return c;
    }
    if (small) {
        // Small eccentricity below 2a': As' short of fy' and As short of fy, so neither 6.2.14
        // nor 6.2.17 describes the section; plane sections do.
        c.kind = Capacity::SmallBelow2a;
        const section::MomentCapacity m = section::momentCapacity(rectOf(s, As, Asp), g0N);
        if (!m.ok) {
            c.kind = Capacity::Exceeds;
            return c;
        }
        c.plane = m.at;
        c.ei = m.at.M / g0N;
        c.e = c.ei + s.h / 2 - s.a;
        return c;
    }
    // Clause 6.2.17 item 2: As' counted needs x ≥ 2a'. Below it the section carries moments
    // about As' (clause 6.2.14, As at its stress σs) or, not counting As', the capacity of
    // clause 6.2.17 with As' = 0, whichever is larger.
    c.kind = small ? Capacity::SmallBelow2a : Capacity::LargeBelow2a;
    c.ei14 = c.sigma * As * (h0 - s.ap) / g0N + s.h / 2 - s.ap;
    c.free = capacityFree(s, g0N, As);
    c.ei = c.free.carries ? std::max(c.ei14, c.free.ei) : c.ei14;
    c.e = c.ei + s.h / 2 - s.a;
    return c;
}

int xiDecimals(const Section& s, double xi, const Capacity& c) {
    const double lim = 2 * s.ap / s.h0();
    int d = 3;
    switch (c.kind) {
    case Capacity::Large:
        d = std::max(claimDecimals(xi, lim, 3), claimDecimals(xi, s.xib(), 3));
        break;
    case Capacity::LargeBelow2a: d = claimDecimals(xi, lim, 3); break;
    default: d = claimDecimals(xi, s.xib(), 3); break;
    }
    // Small eccentricity below 2a': the solved ξ is compared with 2a'/h0 as well.
    if (c.kind == Capacity::SmallBelow2a) d = std::max(d, claimDecimals(c.xi, lim, 3));
    return d;
}

section::RectSection rectOf(const Section& s, double As, double Asp) {
    section::RectSection r;
    r.b = s.b;
    r.h = s.h;
    r.fc = s.fc;
    r.alpha1 = s.alpha1;
    r.beta1 = s.beta1;
    r.ecu = s.epsCu;
    r.As = {As, s.h0(), s.fy, s.fyp, s.Es};
    r.Asp = {Asp, s.ap, s.fy, s.fyp, s.Es};
    return r;
}

double planeSectionLines(CalcReport& r, const Capacity& c) {
    r.AppendLine("　　　　因为 ξ＜2×a'／h0，As' 达不到 fy'，As 亦未屈服，规范公式不适用，按平截面假定计算：");
    if (std::isfinite(c.plane.x))
        r.AppendValueLine("　　　　中和轴至受压边缘的距离 xn＝", c.plane.x, "%30.1f", "（mm）");
    else
        r.AppendLine("　　　　全截面均匀受压");
    r.AppendValueLine("　　　　钢筋 As' 的应力（压为正） σs'＝", c.plane.sigmaSp, "%30.1f", "（N/mm2）");
    r.AppendValueLine("　　　　钢筋 As 的应力（拉为正） σs＝", c.plane.sigmaS, "%30.1f", "（N/mm2）");
    r.AppendValueLine("　　　　γ0×N 作用下截面对形心的受弯承载力 Mc＝", c.plane.M / 1e6, "%30.3f", "（kN.m）");
    r.AppendValueLine("　　　　ei＝Mc／（γ0×N）＝", c.ei, "%30.1f", "（mm）");
    return c.ei;
}

bool carries(const Section& s, double g0N, double e, double As, double Asp) {
    const Capacity c = capacity(s, g0N, As, Asp);
    return c.kind != Capacity::Exceeds && c.e >= e - 1e-9 * s.h;
}

// --- Sheet blocks -----------------------------------------------------------------------------

void parameters(CalcReport& r, const CalcForm& f, const char* beta1Format) {
    r.AppendLine("二、计算参数:");
    r.AppendLine("　　　　根据设计要求查规范得:");
    r.AppendValueLine("　　　◇重要性系数 γ0＝", f.col(kSafety, ColGamma0), "%30.1f");
    r.AppendLine("　　　◇混凝土" + f.sheetName(kConcrete) + "的参数为:");
    r.AppendValueLine("　　　　系数 α1＝", f.col(kConcrete, ColAlpha1), "%30.2f");
    r.AppendValueLine("　　　　系数 β1＝", f.col(kConcrete, ColBeta1), beta1Format);
    r.AppendValueLine("　　　　混凝土轴心抗压强度设计值 fc＝", f.col(kConcrete, ColFc), "%30.1f", "（N/mm2）");
    r.AppendValueLine("　　　　混凝土轴心抗拉强度设计值 ft＝", f.col(kConcrete, ColFt), "%30.2f", "（N/mm2）");
    r.AppendValueLine("　　　　正截面混凝土极限压应变 εcu＝", f.col(kConcrete, ColEpsCu), "%30.5f");
    r.AppendLine("　　　◇钢筋" + f.sheetName(kSteel) + "的参数为:");
    r.AppendValueLine("　　　　钢筋抗压强度设计值 fy'＝", f.col(kSteel, ColFyPrime), "%30.0f", "（N/mm2）");
    r.AppendValueLine("　　　　钢筋抗拉强度设计值 fy＝", f.col(kSteel, ColFy), "%30.0f", "（N/mm2）");
    r.AppendValueLine("　　　　钢筋弹性模量 Es＝", f.col(kSteel, ColEs), "%30.1f", "（×100000N/mm2）");
}

double depthsAndEa(CalcReport& r, double h, double a, double ap) {
    r.AppendLine("　　　◇截面有效高度:");
    r.AppendValueLine("　　　　h0 ＝h－a ＝", h - a, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　h0'＝h－a'＝", h - ap, "%30.1f", "（mm）");
    r.AppendLine("　　　◇附加偏心距:");
    r.AppendValueLine("　　　　h／30＝", h / 30, "%30.1f", "（mm）");
    const double ea = std::max(h / 30, 20.0);
    r.AppendValueLine("　　　　ea＝max｛h／30，20｝＝", ea, "%30.1f", "（mm）");
    return ea;
}

double checkSheetHead(CalcReport& r, const CalcForm& f, std::string_view title, double N, double b,
                      double h, double ap, double a, double Asp, double As, double h0) {
    r.begin(title);
    r.AppendLine("一、设计要求:");
    r.AppendNameLine("　　　　结构安全等级: ", f.sheetName(kSafety));
    r.AppendNameLine("　　　　混凝土强度等级: ", f.sheetName(kConcrete));
    r.AppendNameLine("　　　　钢筋等级: ", f.sheetName(kSteel));
    r.AppendValueLine("　　　　轴向压力设计值 N＝", N, "%30.3f", "（kN）");
    r.AppendValueLine("　　　　矩形截面宽 b＝", b, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　矩形截面高 h＝", h, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a'＝", ap, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　钢筋合力点至截面近边的距离 a＝", a, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　钢筋面积 As'＝", Asp, "%30.1f", "（mm2）");
    r.AppendValueLine("　　　　钢筋面积 As ＝", As, "%30.1f", "（mm2）");
    parameters(r, f, "%30.2f");
    r.AppendLine("三、计算过程:");
    r.AppendLine("　　　◇截面有效高度:");
    r.AppendValueLine("　　　　h0＝h－a＝", h0, "%30.1f", "（mm）");
    r.AppendLine("　　　◇附加偏心距:");
    r.AppendValueLine("　　　　h／30＝", h / 30, "%30.1f", "（mm）");
    const double ea = std::max(h / 30, 20.0);
    r.AppendValueLine("　　　　ea＝max｛h／30，20｝＝", ea, "%30.1f", "（mm）");
    return ea;
}

void valueLine(CalcReport& r, const std::string& head, double v, const char* fmt,
               const std::string& tail) {
    r.Append(head);
    r.AppendValue(v, fmt);
    r.Append(tail);
    r.EndLine();
}

double secondOrder(CalcReport& r, const SecondOrderIn& in) {
    r.AppendLine("　　　◇二阶效应弯矩:");
    double M1 = in.M1, M2 = in.M2;
    if (M1 > M2) {
        // Clause 6.2.4: M2 is the end moment of the larger absolute value.
        r.AppendLine("　　　　因为 M1＞M2，取绝对值较大的端弯矩为 M2，M1 与 M2 互换计算");
        std::swap(M1, M2);
    }
    double Cm = 0.7 + 0.3 * M1 / M2;
    r.AppendValueLine("　　　　系数 Cm＝0.7＋0.3×M1／M2＝", Cm, "%30.3f");
    if (Cm < 0.7) {
        Cm = 0.7;
        r.AppendLine("　　　　Cm＜0.7，取 Cm＝0.7");
    }
    const double ratio = M1 / M2;
    r.AppendValueLine("　　　　弯矩比 M1／M2＝", ratio, "%30.3f");
    const double n = in.N * 1000 / (in.fc * in.b * in.h);
    r.AppendValueLine("　　　　轴压比 N／（fc×b×h）＝", n, "%30.3f");
    const double i = std::sqrt(in.h * in.h / 12);
    r.AppendValueLine("　　　　截面回旋半径 i＝√￣（h×h／12）＝", i, "%30.1f", "（mm）");
    const double lambda = in.Lc / i;
    r.AppendValueLine("　　　　长细比 Lc／i＝", lambda, "%30.3f");
    const double limit = 34 - 12 * ratio;
    r.AppendValueLine("　　　　       34-12×M1／M2＝", limit, "%30.3f");

    if (in.wall) {
        r.AppendLine("　　　　构件是剪力墙及核心筒墙，按规范第6.2.4条取 Cm×ηns＝1.0");
        r.AppendValueLine("　　　　M＝1.0×M2＝", M2, "%30.6f", "（kN.m）");
        return M2;
    }
    const bool slender = lambda > limit;
    if (ratio <= 0.9 && n <= 0.9 && !slender) {
        if (in.compareLine) r.AppendLine("　　　　比较上二式得 L0／i≤34-12×M1／M2");
        r.AppendLine("　　　　因为 M1／M2≤0.9，N／（fc×b×h）≤0.9，且 Lc／i≤34-12×M1／M2，");
        r.AppendLine("　　　　按规范第6.2.3条可不考虑二阶效应，取 M＝M2");
        r.AppendValueLine("　　　　M＝M2＝", M2, "%30.6f", "（kN.m）");
        return M2;
    }
    if (slender) {
        if (in.compareLine) r.AppendLine("　　　　比较上二式得 L0／i＞34-12×M1／M2");
    } else {
        if (in.compareLine) r.AppendLine("　　　　比较上二式得 L0／i≤34-12×M1／M2");
        r.AppendLine(ratio > 0.9 ? "　　　　因为 M1／M2＞0.9，应考虑二阶效应"
                                 : "　　　　因为 N／（fc×b×h）＞0.9，应考虑二阶效应");
    }
    double zeta = 0.5 * in.fc * in.b * in.h / (in.N * 1000);
    r.AppendValueLine("　　　　系数 ζc＝0.5×fc×b×h／N＝", zeta, "%30.3f");
    if (zeta > 1.0) {
        zeta = 1.0;
        r.AppendLine("　　　　ζc＞1.0，取 ζc＝1.0");
    }
    const double M2N = M2 * 1000 / in.N;  // mm
    const double eta = 1 + (in.Lc / in.h) * (in.Lc / in.h) * zeta / (1300 * (M2N + in.ea) / in.h0);
    r.AppendValueLine("　　　　弯距增大系数 ηns＝1＋（Lc／h）×（Lc／h）×ζc／｛1300×（M2／N＋ea）／h0｝＝", eta,
                      "%30.3f");
    const double product = Cm * eta;
    if (product < 1.0) {
        valueLine(r, "　　　　Cm×ηns＝", product, "%30.3f", "＜1.0，取 Cm×ηns＝1.0");
        r.AppendValueLine("　　　　M＝1.0×M2＝", M2, "%30.6f", "（kN.m）");
        return M2;
    }
    const double M = Cm * eta * M2;
    r.AppendValueLine("　　　　M＝Cm×ηns×M2＝", M, "%30.6f", "（kN.m）");
    return M;
}

double sigmaLine(CalcReport& r, const Section& s, double xi) {
    const double raw = s.sigmaRaw(xi), sigma = s.sigmaS(xi);
    if (raw < -s.fyp) {
        r.AppendValueLine("　　　　σs＝fy×（ξ－β1）／（ξb－β1）＜－fy'，取 σs＝－fy'＝", sigma, "%30.1f", "（N/mm2）");
    } else if (raw > s.fy) {
        r.AppendValueLine("　　　　σs＝fy×（ξ－β1）／（ξb－β1）＞fy，取 σs＝fy＝", sigma, "%30.1f", "（N/mm2）");
    } else {
        r.AppendValueLine("　　　　σs＝fy×（ξ－β1）／（ξb－β1）＝", sigma, "%30.1f", "（N/mm2）");
    }
    return sigma;
}

double belowTwoApLines(CalcReport& r, const Section& s, const Capacity& c) {
    if (c.kind == Capacity::LargeBelow2a) {
        r.AppendValueLine("　　　　ei＝fy×As×（h0－a'）／（γ0×N）＋h／2－a'＝", c.ei14, "%30.1f", "（mm）");
    } else {
        r.AppendLine("　　　　因为 ξ＜2×a'／h0，As' 达不到 fy'，对 As' 合力点取矩（规范第6.2.14条，以 σs 代替 fy）:");
        r.AppendValueLine("　　　　ei＝σs×As×（h0－a'）／（γ0×N）＋h／2－a'＝", c.ei14, "%30.1f", "（mm）");
    }
    r.AppendLine("　　　　不计受压钢筋 As'（规范第6.2.17条，此时不要求 x≥2a'）:");
    if (!c.free.carries) {
        r.AppendValueLine("　　　　不计 As' 时受压区高度取到 x＝h 仍不能承受该轴力，取 ei＝", c.ei, "%30.1f", "（mm）");
        return c.ei;
    }
    if (c.free.small) {
        r.AppendValueLine("　　　　ξ＞ξb，由 γ0×N＝α1×fc×b×h0×ξ－σs×As 解得 ξ＝", c.free.xi, "%30.3f");
        sigmaLine(r, s, c.free.xi);
    } else {
        r.AppendValueLine("　　　　ξ＝（γ0×N＋fy×As）／（α1×fc×b×h0）＝", c.free.xi, "%30.3f");
    }
    r.AppendValueLine("　　　　e＝α1×fc×b×h0×h0×ξ（1－ξ／2）／（γ0×N）＝", c.free.e, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　ei＝e－h／2＋a＝", c.free.ei, "%30.1f", "（mm）");
    r.AppendValueLine("　　　　取两者中的较大值 ei＝", c.ei, "%30.1f", "（mm）");
    return c.ei;
}

double smallerWithoutAsp(CalcReport& r, const Section& s, double g0N, double e, double As14, const char* take) {
    r.AppendLine("　　　　不计受压钢筋 As'（规范第6.2.17条，此时不要求 x≥2a'）:");
    const double h0 = s.h0();
    const double rad = 1 - 2 * g0N * e / (s.alpha1 * s.fc * s.b * h0 * h0);
    if (rad < 0) {
        r.AppendLine("　　　　1－2×γ0×N×e／（α1×fc×b×h0×h0）＜0，不计 As' 时无解，取上值");
        return As14;
    }
    const double xi = 1 - std::sqrt(rad);
    r.AppendValueLine("　　　　ξ＝1－√￣｛1－2×γ0×N×e／（α1×fc×b×h0×h0）｝＝", xi, "%30.3f");
    if (xi > s.xib()) {
        // Small eccentricity without As': the least As with which σs and the force equilibrium
        // give the moment (the capacity of the check without As').
        auto ok = [&](double A) {
            const FreeCapacity c = capacityFree(s, g0N, A);
            return c.carries && c.e >= e - 1e-9 * s.h;
        };
        const auto v = leastArea(ok, 0.0, s.b * s.h);
        if (!v) {
            r.AppendLine("　　　　ξ＞ξb，不计 As' 时截面不能承受该偏心压力，取上值");
            return As14;
        }
        r.AppendValueLine("　　　　ξ＞ξb，按 σs＝fy×（ξ－β1）／（ξb－β1）及两个平衡方程求得 As＝", *v, "%30.1f", "（mm2）");
        const double As = std::min(As14, *v);
        r.AppendValueLine(take, As, "%30.1f", "（mm2）");
        return As;
    }
    const double Asf = (s.concreteForce(xi) - g0N) / s.fy;
    r.AppendValueLine("　　　　As＝（α1×fc×b×h0×ξ－γ0×N）／fy＝", Asf, "%30.1f", "（mm2）");
    const double v = std::max(Asf, 0.0);
    const FreeCapacity c = capacityFree(s, g0N, v);
    if (!c.carries || c.e < e - 1e-9 * s.h) {
        r.AppendLine("　　　　不计 As' 时该值不能承受该偏心压力，取上值");
        return As14;
    }
    const double As = std::min(As14, v);
    r.AppendValueLine(take, As, "%30.1f", "（mm2）");
    return As;
}

CapacityFix ensureCapacity(CalcReport& r, const Section& s, double g0N, double e, double& As, double& Asp,
                       Raise how) {
    if (carries(s, g0N, e, As, Asp)) return CapacityFix::Carried;
    r.AppendLine("　　　◇截面承载力复核（规范第6.2.17条、第6.2.14条）:");
    r.AppendLine("　　　　按以上钢筋面积，截面不能承受该偏心压力，应增大钢筋面积");
    const double cap = s.b * s.h;
    // The raised area is rounded up to the 0.1 mm² the sheet prints, so that the printed value
    // carries as well (at the axial limit of the section the capacity ends abruptly).
    auto up = [&](std::optional<double> v, auto ok) -> std::optional<double> {
        if (!v) return v;
        const double r = std::ceil(*v * 10) / 10;
        return ok(r) ? r : *v;
    };
    if (how == Raise::Both) {
        auto ok = [&](double A) { return carries(s, g0N, e, A, A); };
        const auto v = up(leastArea(ok, std::max(As, Asp), cap), ok);
        if (v) {
            As = Asp = *v;
            r.AppendValueLine("　　　　取 As'＝As＝", As, "%30.1f", "（mm2）");
            return CapacityFix::Raised;
        }
    } else {
        auto okS = [&](double A) { return carries(s, g0N, e, A, Asp); };
        auto okP = [&](double A) { return carries(s, g0N, e, As, A); };
        const auto vs = up(leastArea(okS, As, cap), okS);
        std::optional<double> vp;
        if (how == Raise::Either) vp = up(leastArea(okP, Asp, cap), okP);
        if (vp && (!vs || *vp - Asp <= *vs - As)) {
            Asp = *vp;
            r.AppendValueLine("　　　　增大受压钢筋，取 As'＝", Asp, "%30.1f", "（mm2）");
            return CapacityFix::Raised;
        }
        if (vs) {
            As = *vs;
            r.AppendValueLine("　　　　增大受拉侧钢筋，取 As＝", As, "%30.1f", "（mm2）");
            return CapacityFix::Raised;
        }
    }
    r.AppendLine("　　　　钢筋面积增至 b×h 仍不能承受该偏心压力，应加大截面尺寸或提高混凝土强度等级");
    return CapacityFix::Fails;
}

const NuText kNuBraces = {"　　　　Nu＝0.9×φ×｛fc×（b×h－As－As'）＋fy'（As＋As'）｝／γ0＝",
                          "　　　　Nu＝0.9×φ×｛fc×b×h＋fy'（As＋As'）｝／γ0＝"};
const NuText kNuBrackets = {"　　　　Nu＝0.9×φ×［fc×（b×h－As－As'）＋fy'（As＋As'）］／γ0＝",
                            "　　　　Nu＝0.9×φ×［fc×b×h＋fy'（As＋As'）］／γ0＝"};
const NuText kNuBracesTimes = {"　　　　Nu＝0.9×φ×｛fc×（b×h－As－As'）＋fy'×（As＋As'）｝／γ0＝",
                               "　　　　Nu＝0.9×φ×｛fc×b×h＋fy'×（As＋As'）｝／γ0＝"};

namespace {

// Nu of formula 6.2.15 for the sum of both areas (kN); its line under the 3 % rule.
double outOfPlaneNu(CalcReport& r, const Section& s, double phi, double sum, const NuText& text) {
    const double bh = s.b * s.h;
    r.AppendValueLine("　　　　As＋As'＝", sum, "%30.1f", "（mm2）");
    double Nu;
    // Clause 6.2.15: above 3 % the concrete area is b·h − As − As'.
    if (sum > 0.03 * bh) {
        r.AppendValueLine("　　　　As＋As'＞3％×b×h＝", 0.03 * bh, "%30.1f", "（mm2）");
        Nu = 0.9 * phi * (s.fc * (bh - sum) + s.fyp * sum) / s.g0 / 1000;
        r.AppendValueLine(text.over, Nu, "%30.3f", "（KN）");
    } else {
        r.AppendValueLine("　　　　As＋As'≤3％×b×h＝", 0.03 * bh, "%30.1f", "（mm2）");
        Nu = 0.9 * phi * (s.fc * bh + s.fyp * sum) / s.g0 / 1000;
        r.AppendValueLine(text.under, Nu, "%30.3f", "（KN）");
    }
    return Nu;
}

}  // namespace

bool outOfPlane(CalcReport& r, const Section& s, double Lc, double N, double& As, double& Asp,
                const NuText& text, Raise how, double e) {
    r.AppendLine("　　　◇垂直于弯矩作用平面的承载力验算:");
    // Table 6.2.15: b is the short side of the section.
    const bool hShort = s.h < s.b;
    const double side = hShort ? s.h : s.b;
    const double lambda = Lc / side;
    r.AppendValueLine(hShort ? "　　　　长细比（分子取截面短边） Lc／h＝" : "　　　　长细比（分子取截面短边） Lc／b＝",
                      lambda, "%30.3f");
    const auto phi = StabilityCoefficient(Slenderness::L0b, lambda);
    if (!phi) {
        r.AppendLine("　　　　长细比超出规范表6.2.15的范围（＞50），查不到稳定系数 φ，");
        r.AppendLine("　　　　垂直于弯矩作用平面的承载力验算不满足要求，应加大截面尺寸。");
        return false;
    }
    r.AppendValueLine("　　　　查规范表6.2.15，得钢筋混凝土轴心受压构件的稳定系数 φ＝", *phi, "%30.3f");
    const double sum = As + Asp, bh = s.b * s.h;
    if (outOfPlaneNu(r, s, *phi, sum, text) >= N) {
        r.AppendLine("　　　　Nu≥N，符合规范要求。");
        return true;
    }
    // The least sum of both areas that carries N out of the plane (6.2.15 solved for it, with the
    // 3 % rule), up to the 5 % of 9.3.1; the in-plane capacity is proven again for the new areas.
    const double need = s.g0 * N * 1000 / (0.9 * *phi) - s.fc * bh;
    double total = need / s.fyp;
    if (total > 0.03 * bh) total = need / (s.fyp - s.fc);
    total = std::ceil(std::max(total, sum) * 10 + 1e-9) / 10;
    auto nu = [&](double t) {
        return 0.9 * *phi * (s.fc * (t > 0.03 * bh ? bh - t : bh) + s.fyp * t) / s.g0 / 1000;
    };
    while (nu(total) < N && total <= 0.05 * bh) total += 0.1;
    if (total > 0.05 * bh) {
        r.AppendLine("　　　　Nu＜N，不符合规范要求，应加大截面尺寸或提高材料强度等级。");
        return false;
    }
    double nAs = As, nAsp = Asp;
    if (how == Raise::Both) {
        nAs = nAsp = total / 2;
    } else if (how == Raise::As) {
        nAs = total - Asp;
    } else {
        nAs += (total - sum) / 2;
        nAsp += (total - sum) / 2;
    }
    if (!carries(s, s.g0 * N * 1000, e, nAs, nAsp)) {
        r.AppendLine("　　　　Nu＜N，不符合规范要求，应加大截面尺寸或提高材料强度等级。");
        return false;
    }
    As = nAs;
    Asp = nAsp;
    r.AppendLine("　　　　Nu＜N，按垂直于弯矩作用平面的承载力增大纵向钢筋面积（不超过规范第9.3.1条的5％）:");
    if (how == Raise::Both) {
        r.AppendValueLine("　　　　取 As'＝As＝", As, "%30.1f", "（mm2）");
    } else if (how == Raise::As) {
        r.AppendValueLine("　　　　取 As＝", As, "%30.1f", "（mm2）");
    } else {
        r.AppendValueLine("　　　　取 As'＝", Asp, "%30.1f", "（mm2）");
        r.AppendValueLine("　　　　取 As＝", As, "%30.1f", "（mm2）");
    }
    outOfPlaneNu(r, s, *phi, As + Asp, text);
    r.AppendLine("　　　　Nu≥N，符合规范要求。");
    return true;
}

bool withinFivePercent(CalcReport& r, const Section& s, double As, double Asp) {
    if (As + Asp <= 0.05 * s.b * s.h) return true;
    r.AppendValueLine("　　　　As＋As'＞5％×b×h＝", 0.05 * s.b * s.h, "%30.1f",
                      "（mm2），超过规范第9.3.1条全部纵向钢筋配筋率不宜大于5％的规定");
    r.AppendLine("　　　　截面尺寸过小，应加大截面尺寸或提高混凝土强度等级。");
    return false;
}

}  // namespace tov::ecc
