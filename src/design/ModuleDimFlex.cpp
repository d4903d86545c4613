#include "design/ModuleDimFlex.h"

#include "core/CalcContext.h"
#include "core/CalcError.h"
#include "core/DesignState.h"
#include "core/Numbers.h"
#include "design/CheckedArithmetic.h"

#include <cmath>

namespace {

using CheckedArithmetic::BarNumber;
using CheckedArithmetic::Finite;
using CheckedArithmetic::Quotient;

/// Member thickness, cm, of the member that position `i` belongs to: lid 1 to 4, bottom 5 to
/// 10, walls from 11 on.
float MemberThickness(const DesignState &s, int i)
{
    if (i <= 4)
        return s.thicknessEt * 100.0f;
    if (i <= 10)
        return s.thicknessEf * 100.0f;
    return s.thicknessEp * 100.0f;
}

float DistributionWithCompanion(const CalcContext &ctx, bool companionRule, int p, int i)
{
    const float h = MemberThickness(ctx.state, i);
    const float minimum = ModuleDimFlex::MinSteelArea(ctx.state.asMinPercent2, h);
    if (!companionRule)
        return minimum;
    float area = ModuleDimFlex::DistributionFloor(ctx.rebarPosition(p).ARE);
    if (area < minimum)
        area = minimum;
    return area;
}

} // namespace

namespace ModuleDimFlex {

float MinSteelArea(float pct, float h)
{
    return Finite(pct / 100.0f * 100.0f * h, "no cálculo da armadura mínima");
}

float SteelArea(const DesignState &s, float Mk, float d)
{
    const char *where = "no cálculo da área de aço";
    Finite(Mk, where);
    Finite(d, where);
    const float fcd = Quotient(s.concreteFck, s.gammaConcrete, where);
    const float fyd = Quotient(s.steelFyk, s.gammaSteel, where);
    const float r = 1.0f - Quotient(s.gammaLoads * Mk, fcd * (d * d * 0.425f), where);
    // The compression zone would pass the whole depth: no steel makes this section work, and
    // the thickness review is what must grow it.
    if (!(r > 0.0f))
        return 0.0f;
    const float betaX = (1.0f - std::sqrt(r)) / 0.8f;
    const float as = Quotient(0.68f * betaX * 100.0f * d * fcd, fyd, where);
    const float minimum = MinSteelArea(s.asMinPercent2, d);
    return as >= minimum ? as : minimum;
}

float RequiredThickness(float fyk, float gammaS, float fck, float gammaC, float Mk, float gammaF,
                        float c, float pct)
{
    const char *where = "no dimensionamento da espessura";
    const float fyd = Quotient(fyk, gammaS, where);
    // Limit depth of the stress block (0.8 · 3.5 = 2.8) over the steel's yield strain term.
    const float betaY = Quotient(2.8f, 3.5f + 2.0f + Quotient(fyd, 2100.0f, where), where);
    const float mu = 0.85f * (betaY - betaY * betaY / 2.0f);
    const float moment = Finite(Mk * gammaF, where);
    float h = Finite(std::sqrt(Quotient(1.0f, Quotient(mu * fck, gammaC, where), where))
                                     * std::sqrt(moment)
                             + c,
                     where);
    const float zeta = 1.0f - betaY / 2.0f;
    const auto steelAtLimit = [&](float thickness) {
        return Quotient(moment, thickness / 100.0f * zeta * fyk / gammaS, where);
    };
    // With a zero minimum percentage (or absurd data) the raise would never end; a wall of
    // 100 m is far beyond any tank this program designs.
    constexpr float kLimit = 10000.0f;
    float a = steelAtLimit(h);
    while (a > pct / 100.0f * 100.0f * h) {
        h = h + 1.0f;
        if (!(h <= kLimit))
            throw CalcError("O dimensionamento da espessura não converge: a espessura passaria de "
                            "100 m. Verifique o percentual \"% da seção para cálculo do Asmin\" e "
                            "os demais parâmetros em Configurações > Configurações de Cálculo.");
        a = steelAtLimit(h);
    }
    return h;
}

CrackCheck CrackWidth(float b, float h, float fck, float gammaC, float M, float As, float phi,
                      float wmax)
{
    const char *where = "na verificação da abertura de fissuras";
    CrackCheck r;
    r.sigma = Quotient(Quotient(M, h * 0.9f / 100.0f * As, where), 1000.0f, where);
    const float rho = Quotient(As, b * 0.25f * h, where);
    if (rho >= 0.04f && r.sigma >= 1500.0f) {
        r.k = 0.0f;
        r.w = Finite(0.1f * (phi / 10.0f) / (2.0f * 1.5f - 0.75f) * (r.sigma / 2100.0f)
                             * (Quotient(4.0f, rho, where) + 45.0f),
                     where);
    } else {
        r.k = Finite(0.42f * std::pow(Quotient(fck / 1000.0f, gammaC, where), 2.0f / 3.0f), where);
        r.w = Quotient(phi / 10.0f / 4.0f * (r.sigma * r.sigma), 2100.0f * r.k, where);
    }
    Finite(wmax, where);
    r.ok = r.w <= wmax ? -1 : 0;
    return r;
}

float DistributionFloor(float area)
{
    const float fifth = Finite(area, "no cálculo da armadura de distribuição") / 5.0f;
    return 0.9f > fifth ? 0.9f : fifth;
}

float DistributionArea(const CalcContext &ctx, int p, int i)
{
    const bool companion = p == 11 || p == 13 || p == 15 || p == 17;
    return DistributionWithCompanion(ctx, companion, p, i);
}

float DistributionAreaTwoWay(const CalcContext &ctx, int p, int i)
{
    const bool companion =
            IsBuriedCalc(ctx.state.calcState) && (p == 11 || p == 12 || p == 15 || p == 16);
    return DistributionWithCompanion(ctx, companion, p, i);
}

std::int16_t BarCount(const DesignState &s, float As, float d, float phi)
{
    const char *where = "no cálculo do número de barras";
    if (!(Finite(As, where) > 0.0f))
        return 0;
    float area = As;
    const float minimum = MinSteelArea(s.asMinPercent, d);
    if (minimum > area)
        area = minimum;
    return BarNumber(Fix(Quotient(area, BarArea(s, phi), where)) + 1.0, where);
}

float BarArea(const DesignState &s, float phi)
{
    // Kept as a single: an area of exactly five bars then divides to exactly 5 and still gets a
    // sixth bar.
    const double radius = Finite(phi / 10.0f / 2.0f, "no cálculo da área da barra");
    return ToSingle(s.pi * (radius * radius));
}

float BarSpacing(const DesignState &s, std::int16_t n)
{
    const char *where = "no cálculo do espaçamento das barras";
    if (n <= 0)
        return 0.0f;
    const float wholeCm = static_cast<float>(Fix(100.0f / static_cast<float>(n)));
    const float multiples = static_cast<float>(Fix(Quotient(wholeCm, s.spacingMultiple, where)));
    return Finite(s.spacingMultiple * multiples, where);
}

std::int16_t BarsAlong(const DesignState &s, float spacing, std::int16_t n, float L)
{
    const char *where = "no cálculo do número de barras ao longo do comprimento";
    double m = n;
    if (Finite(spacing, where) > 0.0f) {
        const float q = Quotient(L, spacing, where);
        if (static_cast<double>(q) != Fix(q))
            return BarNumber(Fix(q) + 1.0, where);
        m = q;
    }
    // Bars that fit the length exactly (or a count without spacing) are never fewer than the
    // largest allowed spacing needs.
    const double atMaxSpacing = Fix(Quotient(L, s.maxSpacing, where)) + 1.0;
    if (m < atMaxSpacing)
        m = atMaxSpacing;
    return BarNumber(m, where);
}

float BarLength(const CalcContext &ctx, int i)
{
    const char *where = "no cálculo do comprimento das barras";
    const DesignState &s = ctx.state;
    const float q = ToSingle(TextToNumber(ctx.forms.FormCFG.text("RSVPORCTAMASEST"), "0.00"));
    const float A = s.widthA * 100.0f;
    const float B = s.lengthB * 100.0f;
    const float H = s.heightH * 100.0f;
    const float et = s.thicknessEt * 100.0f;
    const float ef = s.thicknessEf * 100.0f;
    const float ep = s.thicknessEp * 100.0f;
    const float c = s.minCover;
    const float M = A > B ? A : B;
    // Corner bars run a share q of the larger plan dimension into each side.
    const float corner = 4.0f * (q / 100.0f * M - c);
    float length = 0.0f;
    switch (i) {
    case 1:
        length = (A - 2.0f * c) + 2.0f * (et - c);
        break;
    case 2:
        length = (B - 2.0f * c) + 2.0f * (et - c);
        break;
    case 3:
    case 4:
        length = corner + (ep - 2.0f * c) + (et - 2.0f * c);
        break;
    case 5:
        length = (A - 2.0f * c) + 2.0f * ef;
        break;
    case 6:
        length = (B - 2.0f * c) + 2.0f * ef;
        break;
    case 7:
        length = (A - 2.0f * c) + 2.0f * (ef - c);
        break;
    case 8:
        length = (B - 2.0f * c) + 2.0f * (ef - c);
        break;
    case 9:
    case 10:
        length = corner + (ep - 2.0f * c) + (ef - 2.0f * c);
        break;
    case 11:
    case 13:
    case 15:
    case 17:
        length = (H - 2.0f * c) + 2.0f * (ep - c);
        break;
    case 12:
    case 14:
        length = (A - 2.0f * c) + 2.0f * (ep - c);
        break;
    case 16:
    case 18:
        length = (B - 2.0f * c) + 2.0f * (ep - c);
        break;
    case 19:
        length = corner + 2.0f * (ep - 2.0f * c);
        break;
    case 20: {
        const float x = s.hatchX * 100.0f;
        const float y = s.hatchY * 100.0f;
        length = 1.5f * (x > y ? x : y);
        break;
    }
    default:
        return 0.0f;
    }
    return ToSingle(TextToNumber(Finite(length, where), "0"));
}

std::int16_t Repetitions(int i)
{
    switch (i) {
    case 3:
    case 4:
    case 9:
    case 10:
        return 2;
    case 19:
    case 20:
        return 4;
    default:
        return (i >= 1 && i <= 20) ? 1 : 0;
    }
}

} // namespace ModuleDimFlex
