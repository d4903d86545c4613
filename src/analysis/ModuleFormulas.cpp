#include "analysis/ModuleFormulas.h"

#include "core/CalcError.h"
#include "core/DesignState.h"
#include "core/Numbers.h"

#include <cmath>
#include <limits>
#include <string>

namespace ModuleFormulas {

namespace {

/// Where a fault happened and what the engineer can do about it, for the error message.
struct Formula
{
    const char *where;
    const char *advice;
};

constexpr Formula kMarcus{ "nos momentos de placa (método de Marcus)",
                           "Verifique as dimensões do reservatório e as cargas." };
constexpr Formula kFrame{ "nos momentos de canto do pórtico fechado",
                          "Verifique as dimensões do reservatório, as espessuras da tampa, das "
                          "paredes e do fundo e as cargas." };
constexpr Formula kBeam{ "no momento de vão da viga",
                         "Verifique as dimensões do reservatório e as cargas." };
constexpr Formula kRing{ "no momento de canto do anel fechado",
                         "Verifique as dimensões a e b do reservatório e as cargas." };
constexpr Formula kGoverning{ "na escolha do momento determinante",
                              "Verifique as dimensões do reservatório e as cargas." };
constexpr Formula kSmaller{ "na escolha do menor valor absoluto",
                            "Verifique os dados do projeto." };

[[noreturn]] void divisionByZero(const Formula &f)
{
    throw CalcError(std::string("Divisão por zero ") + f.where + ". " + f.advice);
}

[[noreturn]] void notFinite(const Formula &f)
{
    throw CalcError(std::string("Estouro numérico ou valor inválido ") + f.where + ". " + f.advice);
}

double finite(double value, const Formula &f)
{
    if (!std::isfinite(value))
        notFinite(f);
    return value;
}

float finite(float value, const Formula &f)
{
    if (!std::isfinite(value))
        notFinite(f);
    return value;
}

double quotient(double numerator, double denominator, const Formula &f)
{
    if (denominator == 0)
        divisionByZero(f);
    return finite(numerator / denominator, f);
}

float toSingle(double value, const Formula &f)
{
    if (!(std::fabs(value) <= static_cast<double>(std::numeric_limits<float>::max())))
        notFinite(f);
    return ToSingle(value);
}

/// Length of a member as seen by the reference member: L·(e1/e2)³, so that members of other
/// thicknesses can be treated as if they had the reference section.
double reducedLength(float length, float e1, float e2)
{
    return finite(length * std::pow(quotient(e1, e2, kFrame), 3), kFrame);
}

/// The triangular wall load's term at the corner where the load is zero: p·h²·7/60, with the
/// divisor 60/7 rounded to 8.56 as a single, as the frame has always been computed.
constexpr float kWallTopDivisor = 8.56f;
/// The same at the corner where the load is largest: p·h²·8/60.
constexpr float kWallBottomDivisor = 7.5f;

/// x brought to a whole number from the text it shows at its own precision.
double wholeMagnitude(float x)
{
    finite(x, kGoverning);
    return std::fabs(TextToNumber(x, "0"));
}

double wholeMagnitude(double x)
{
    finite(x, kGoverning);
    return std::fabs(TextToNumber(x, "0"));
}

float larger(double wholeP, double wholeQ)
{
    return toSingle(wholeQ >= wholeP ? wholeQ : wholeP, kGoverning);
}

} // namespace

PlateMoments MarcusPlateMoments(double alphaX, double alphaY, double lx, double ly, double mx,
                                double my, double cx, double cy, double p)
{
    const Formula &f = kMarcus;
    // Each strip's share of the load makes the two mid-span deflections α·p·l⁴ equal.
    const double deflX = finite(alphaX * finite(std::pow(lx, 4), f), f);
    const double deflY = finite(alphaY * finite(std::pow(ly, 4), f), f);
    const double sum = finite(deflX + deflY, f);
    const double kx = quotient(deflY, sum, f);
    const double ky = quotient(deflX, sum, f);
    const double px = finite(kx * p, f);
    const double py = finite(ky * p, f);

    // The span moment of each strip is relieved by the plate's torsional stiffness, which grows with
    // the ratio of the spans.
    const double lx2 = finite(std::pow(lx, 2), f);
    const double ly2 = finite(std::pow(ly, 2), f);
    const double ratioXY2 = finite(std::pow(quotient(lx, ly, f), 2), f);
    const double ratioYX2 = finite(std::pow(quotient(ly, lx, f), 2), f);

    PlateMoments r;
    r.Mx = finite(quotient(finite(px * lx2, f), mx, f)
                          * (1 - finite(quotient(20, finite(3 * mx, f), f) * ratioXY2 * kx, f)),
                  f);
    r.My = finite(quotient(finite(py * ly2, f), my, f)
                          * (1 - finite(quotient(20, finite(3 * my, f), f) * ratioYX2 * ky, f)),
                  f);
    r.Xx = finite(cx * px * lx2, f);
    r.Xy = finite(cy * py * ly2, f);
    r.Ry = finite(py * ly / 2, f);
    r.Rx = finite(px * lx / 2, f);
    return r;
}

PlateMoments MarcusPlateMoments(const StripSupport &x, const StripSupport &y, double lx, double ly,
                                double p)
{
    return MarcusPlateMoments(x.alpha, y.alpha, lx, ly, x.m, y.m, x.c, y.c, p);
}

FrameCornerMoments ClosedFrameCornerMoments(const DesignState &state, float qTop, float lTop,
                                            float pWall, float hWall, float qBottom, float lBottom)
{
    const Formula &f = kFrame;
    const float et = state.thicknessEt;
    const float ep = state.thicknessEp;
    const float ef = state.thicknessEf;

    // The lid is the reference section; its own reduced length is computed like the others so
    // that a zero lid thickness is caught rather than taken as a unit ratio.
    const double topReduced = reducedLength(lTop, et, et);
    const double wallReduced = reducedLength(hWall, et, ep);
    const double bottomReduced = reducedLength(lBottom, et, ef);

    const double topRatio = quotient(topReduced, wallReduced, f);
    const double bottomRatio = quotient(bottomReduced, wallReduced, f);

    const float k1 = toSingle(quotient(3 * topReduced, wallReduced, f) + 2, f);
    const float k2 = toSingle(quotient(3 * bottomReduced, wallReduced, f) + 2, f);
    const double wallH2 = static_cast<double>(pWall) * std::pow(hWall, 2);
    const float r1 = toSingle(finite(static_cast<double>(qTop) * std::pow(lTop, 2) / 4 * topRatio
                                             + wallH2 / kWallTopDivisor,
                                     f),
                              f);
    const float r2 =
            toSingle(finite(static_cast<double>(qBottom) * std::pow(lBottom, 2) / 4 * bottomRatio
                                    + wallH2 / kWallBottomDivisor,
                            f),
                     f);

    // Equal rotations at the two corners: k1·Xt + Xb = R1 and Xt + k2·Xb = R2, in single
    // precision as the corner moments are kept.
    const float det = finite(k1 * k2 - 1.0f, f);
    if (det == 0)
        divisionByZero(f);
    FrameCornerMoments x;
    x.top = finite((r1 * k2 - r2) / det, f);
    x.bottom = finite((r2 * k1 - r1) / det, f);
    return x;
}

double UniformSpanMoment(float q, float L)
{
    return finite(q * std::pow(static_cast<double>(L), 2) / 8, kBeam);
}

double TriangularSpanMoment(float p, float L)
{
    return finite(p * std::pow(static_cast<double>(L), 2) / 15.6, kBeam);
}

double RingCornerMoment(float q, float a, float b)
{
    const double ad = a;
    const double bd = b;
    return quotient(finite(q * (std::pow(ad, 3) + std::pow(bd, 3)), kRing), 12 * (ad + bd), kRing);
}

double SpanMomentBetweenEnds(float q, float L, float X)
{
    return finite(q * std::pow(static_cast<double>(L), 2) / 8 - X, kBeam);
}

float GoverningMagnitude(double p, double q)
{
    const double wholeQ = wholeMagnitude(q);
    return larger(wholeMagnitude(p), wholeQ);
}

float GoverningMagnitude(float p, float q)
{
    const double wholeQ = wholeMagnitude(q);
    return larger(wholeMagnitude(p), wholeQ);
}

float GoverningMagnitude(double p, float q)
{
    const double wholeQ = wholeMagnitude(q);
    return larger(wholeMagnitude(p), wholeQ);
}

float GoverningMagnitude(float p, double q)
{
    const double wholeQ = wholeMagnitude(q);
    return larger(wholeMagnitude(p), wholeQ);
}

float SmallerMagnitude(float p, float q)
{
    const float absP = std::fabs(finite(p, kSmaller));
    const float absQ = std::fabs(finite(q, kSmaller));
    return absP < absQ ? absP : absQ;
}

} // namespace ModuleFormulas
