#include "analysis/ModuleCalcEsforcos.h"

#include "analysis/ModuleFuncoesGeo.h"
#include "core/CalcContext.h"
#include "core/CalcError.h"
#include "core/DesignState.h"
#include "core/Numbers.h"

#include <cmath>
#include <string>

namespace ModuleCalcEsforcos {

namespace {

/// A sum or difference of whole degrees, formed as a 16-bit value like the angles themselves.
std::int16_t Degrees(int value)
{
    return ToInt16(value);
}

/// A computed load as it is stored and shown: a whole number.
float WholeLoad(float value, const char *what)
{
    CheckFinite(value, what);
    return ToSingle(TextToNumber(value, "0"));
}

/// The lid's live load plus its own weight (both downward, so negative).
float LidLoad(const DesignState &s)
{
    return s.lidLiveLoad - s.thicknessEt * s.concreteUnitWeight;
}

/// The box must leave room inside: the walls' weight is spread over the inner plan area, and
/// the useful volume and the clear wall height are taken between the slabs. Thicknesses grow
/// in the thickness review, so this is reached even when the input was valid.
void CheckInnerBox(const CalcContext &ctx)
{
    const DesignState &s = ctx.state;
    const float innerA = s.widthA - 2.0f * s.thicknessEp;
    const float innerB = s.lengthB - 2.0f * s.thicknessEp;
    if (!(innerA > 0) || !(innerB > 0)) {
        const bool lengthFails = !(innerB > 0);
        throw CalcError("Espessura das paredes e(p) = " + ctx.text(s.thicknessEp)
                        + " m grande demais para a caixa: "
                        + (lengthFails ? "o comprimento da caixa b = " + ctx.text(s.lengthB)
                                       : "a largura da caixa a = " + ctx.text(s.widthA))
                        + " m não é maior que duas espessuras de parede, e não resta área "
                          "interna no fundo. Aumente a largura (a) e o comprimento (b) da "
                          "caixa ou reduza a espessura das paredes.");
    }
    const float clearHeight = s.heightH - s.thicknessEt - s.thicknessEf;
    if (!(clearHeight > 0)) {
        throw CalcError("Espessuras da tampa e(t) = " + ctx.text(s.thicknessEt)
                        + " m e do fundo e(f) = " + ctx.text(s.thicknessEf)
                        + " m grandes demais para a caixa: somadas não são menores que a altura "
                          "da caixa h = "
                        + ctx.text(s.heightH)
                        + " m, e não resta altura interna. Aumente a altura da caixa (h) ou "
                          "reduza as espessuras da tampa e do fundo.");
    }
}

} // namespace

MemberDimensions MemberDimensionsOf(const DesignState &s)
{
    const float a = s.widthA;
    const float b = s.lengthB;
    const float h = s.heightH;
    const float cov = s.minCover;
    MemberDimensions m;
    m.lidDepth = s.thicknessEt * 100.0f;
    m.wallDepth = s.thicknessEp * 100.0f;
    m.bottomDepth = s.thicknessEf * 100.0f;
    m.alongA = a * 100.0f - 2.0f * cov;
    m.alongB = b * 100.0f - 2.0f * cov;
    m.betweenWallsA = a * 100.0f - 200.0f * s.thicknessEp;
    m.betweenWallsB = b * 100.0f - 200.0f * s.thicknessEp;
    m.wallHeight = h * 100.0f - 2.0f * cov;
    m.belowLid = h * 100.0f - 2.0f * cov - 100.0f * s.thicknessEt;
    m.betweenSlabs = h * 100.0f - 100.0f * (s.thicknessEf + s.thicknessEt);
    return m;
}

void RunLayout(CalcContext &ctx, LayoutStep moments, LayoutStep review, LayoutStep positions)
{
    RunAtomically(ctx, [&] {
        WriteResultsHeader(ctx);
        ComputeLoads(ctx);
        moments(ctx);
        review(ctx);
        positions(ctx);
    });
}

void WriteResultsHeader(CalcContext &ctx)
{
    const DesignState &s = ctx.state;
    CheckInnerBox(ctx);

    const float outer = ModuleFuncoesGeo::OuterVolume(s.widthA, s.lengthB, s.heightH);
    const float useful = ModuleFuncoesGeo::UsefulVolume(
            s.widthA, s.lengthB, s.heightH - s.thicknessEt, s.thicknessEp, s.thicknessEf);
    CheckFinite(outer, "volume total");
    CheckFinite(useful, "volume útil");
    const double vt = TextToNumber(outer, "0.00");
    const double vu = TextToNumber(useful, "0.00");
    const double et = TextToNumber(s.thicknessEt, "0.00");
    const double ep = TextToNumber(s.thicknessEp, "0.00");
    const double ef = TextToNumber(s.thicknessEf, "0.00");

    ResultsFields &r = ctx.results;
    r.Text_a[0] = ctx.text(s.widthA);
    r.Text_a[1] = ctx.text(s.lengthB);
    r.Text_a[2] = ctx.text(s.heightH);
    r.Text_a[3] = ctx.text(s.waterLevelHn);
    r.Text_a[7] = ctx.text(vt);
    r.Text_a[8] = ctx.text(vu);
    r.Text_a[4] = ctx.text(et);
    r.Text_a[5] = ctx.text(ep);
    r.Text_a[6] = ctx.text(ef);
    r.frame1Visible = IsBuriedCalc(s.calcState);
    r.Text_hn[0] = ctx.text(s.buryHeightHt);
    r.Text_hn[1] = ctx.text(s.waterTableHna);
}

void ComputeLoads(CalcContext &ctx)
{
    DesignState &s = ctx.state;
    // This step asks the tank-kind window, not calcState: the kind is known here even before a
    // layout has been added to the state code.
    const bool buried = ctx.forms.FormTipoElev.state("OptionElevada") != 1;
    const float gw = s.waterUnitWeight;

    // Everything is computed before anything is stored, so that a fault leaves the previous
    // loads in place instead of a half-updated set.
    float ka = 0, d = 0, e = 0, f = 0, g = 0;
    if (buried) {
        ka = ToSingle(
                EarthPressureCoefficient(s.soilFrictionAngle, 0, s.groundSlopeAngle, 0, s.pi));
        CheckInnerBox(ctx);

        const float gc = s.concreteUnitWeight;
        const float ep = s.thicknessEp;
        const float clearHeight = s.heightH - s.thicknessEt - s.thicknessEf;
        const float innerA = s.widthA - 2.0f * ep;
        const float innerB = s.lengthB - 2.0f * ep;
        // The four walls between the corners, spread over the inner plan area.
        d = WholeLoad(
                LidLoad(s) - 2.0f * ep * clearHeight * (innerA + innerB) * gc / (innerA * innerB),
                "reação no fundo (D)");

        // The surcharge acts as an extra height of the same soil on top of the ground.
        const float soilWeight = 1000.0f * s.soilUnitWeight;
        const float hs = s.groundSurchargeQt / soilWeight;
        const float hTop = s.buryHeightHt + hs;
        e = WholeLoad(-0.5f * ka * soilWeight * (hTop * hTop - hs * hs),
                      "empuxo devido ao solo (E)");

        const float hna = s.waterTableHna;
        f = WholeLoad(-0.5f * gw * (hna * hna), "empuxo devido à água (F)");
        g = WholeLoad(-gw * hna, "subpressão no fundo (G)");
    }
    const float b = WholeLoad(gw * s.waterLevelHn, "carregamento interno nas paredes (B)");
    const float c = WholeLoad(gw * s.waterLevelHn, "carregamento interno no fundo (C)");
    const std::string lidText = ctx.text(s.lidLiveLoad);

    ResultsFields &r = ctx.results;
    if (buried) {
        s.earthPressureCoef = ka;
        s.bottomReaction = d;
        r.Text_a[12] = ctx.text(d);
        s.soilThrust = e;
        r.Text_a[13] = ctx.text(e);
        s.groundWaterThrust = f;
        r.Text_a[14] = ctx.text(f);
        s.upliftPressure = g;
        r.Text_a[15] = ctx.text(g);
    }
    r.Text_a[9] = lidText;
    s.wallWaterLoad = b;
    r.Text_a[10] = ctx.text(b);
    s.bottomWaterLoad = c;
    r.Text_a[11] = ctx.text(c);
}

double EarthPressureCoefficient(std::int16_t phi, std::int16_t theta, std::int16_t beta,
                                std::int16_t delta, double pi)
{
    const auto rad = [pi](std::int16_t degrees) { return degrees * pi / 180.0; };
    const std::int16_t alpha = Degrees(90 - theta);

    const double sinAlphaPhi = std::sin(rad(Degrees(alpha + phi)));
    const double sinAlpha = std::sin(rad(alpha));
    const double sinAlphaDelta = std::sin(rad(Degrees(alpha - delta)));
    const double rootArg =
            CheckFinite(std::sin(rad(Degrees(phi + delta))) * std::sin(rad(Degrees(phi - beta)))
                                / (sinAlphaDelta * std::sin(rad(Degrees(alpha + beta)))),
                        "coeficiente de empuxo ativo (Ka)");
    if (rootArg < 0) {
        // A ground steeper than the soil's natural slope does not stand by itself: there is no
        // active thrust to compute.
        if (beta > phi)
            throw CalcError("O ângulo de inclinação do terreno adjacente (" + Int16Text(beta)
                            + "º) é maior que o ângulo de talude natural do solo (" + Int16Text(phi)
                            + "º): o terreno não se sustenta e o empuxo não pode ser calculado. "
                              "Reduza o ângulo de inclinação adjacente para no máximo "
                            + Int16Text(phi)
                            + "º ou escolha um solo com ângulo de talude natural maior.");
        throw CalcError("O coeficiente de empuxo ativo não tem valor para os ângulos φ = "
                        + Int16Text(phi) + "º, θ = " + Int16Text(theta)
                        + "º, β = " + Int16Text(beta) + "º, δ = " + Int16Text(delta)
                        + "º. Revise os ângulos do solo e do terreno.");
    }
    const double denominator = 1.0 + std::sqrt(rootArg);
    return CheckFinite(
            sinAlphaPhi * sinAlphaPhi
                    / (sinAlpha * sinAlpha * sinAlphaDelta * (denominator * denominator)),
            "coeficiente de empuxo ativo (Ka)");
}

double EarthPressureCoefficient(std::int16_t phi, std::int16_t theta, std::int16_t beta,
                                std::int16_t delta)
{
    return EarthPressureCoefficient(phi, theta, beta, delta, 4.0 * std::atan(1.0));
}

CaseLoads ComputeCaseLoads(const DesignState &s)
{
    CaseLoads loads;
    loads.lidLoad = LidLoad(s);
    if (IsBuriedCalc(s.calcState)) {
        loads.wallLoadFull = s.wallWaterLoad + s.soilThrust + s.groundWaterThrust;
        loads.wallLoadEmpty = s.soilThrust + s.groundWaterThrust;
        loads.bottomLoadFull = s.bottomReaction + s.upliftPressure;
        loads.bottomLoadEmpty = s.bottomReaction + s.upliftPressure;
    } else {
        loads.wallLoadFull = s.wallWaterLoad;
        loads.wallLoadEmpty = 0;
        loads.bottomLoadFull = s.bottomWaterLoad;
        loads.bottomLoadEmpty = 0;
    }
    return loads;
}

} // namespace ModuleCalcEsforcos
