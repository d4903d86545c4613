#include "results/ModuleCalcConsumo.h"

#include "core/CalcContext.h"
#include "core/Numbers.h"

#include <array>
#include <utility>

namespace ModuleCalcConsumo {

namespace {

/// kg of steel per cm of bar by diameter (mm). The masses are the commercial table's, used as
/// listed (22 mm at 0.0319 and 25 mm at 0.0392 included).
constexpr std::array<std::pair<float, double>, 12> kMassPerCm = { {
        { 3.2f, 0.00063 },
        { 5.0f, 0.0016 },
        { 6.3f, 0.0025 },
        { 8.0f, 0.004 },
        { 10.0f, 0.0063 },
        { 12.5f, 0.01 },
        { 16.0f, 0.016 },
        { 20.0f, 0.025 },
        { 22.0f, 0.0319 },
        { 25.0f, 0.0392 },
        { 32.0f, 0.063 },
        { 40.0f, 0.1 },
} };

/// Sum of the positions first..last, brought to single precision after every addition as the
/// member's running total is a single.
float steelOf(const CalcContext &ctx, int first, int last)
{
    float sum = 0;
    for (int i = first; i <= last; ++i)
        sum = ToSingle(static_cast<double>(sum) + PositionSteelWeight(ctx, i));
    return sum;
}

} // namespace

double SteelMassPerCm(float diameterMm)
{
    for (const auto &[diameter, mass] : kMassPerCm) {
        if (diameter == diameterMm)
            return mass;
    }
    return 0;
}

double PositionSteelWeight(const CalcContext &ctx, int i)
{
    const RebarPosition &p = ctx.rebarPosition(i);
    if (p.OUTAS != 0)
        return 0;
    // A position that occurs NVZ times in the tank (both long walls, the four corners) is
    // bent NVZ times over.
    return CheckFinite(SteelMassPerCm(p.gauge.diameterMm) * p.NBR * static_cast<double>(p.CMP)
                               * p.NVZ,
                       "peso de aço da posição");
}

void ComputeQuantities(CalcContext &ctx)
{
    const DesignState &s = ctx.state;
    const float A = s.widthA;
    const float B = s.lengthB;
    const float H = s.heightH;
    const float et = s.thicknessEt;
    const float ep = s.thicknessEp;
    const float ef = s.thicknessEf;
    // Clear height of the walls between lid and bottom.
    const float m = H - (et + ef);
    // Inner plan sides.
    const float ai = A - 2 * ep;
    const float bi = B - 2 * ep;

    std::array<std::array<float, 4>, 4> q{};

    q[Lid][Steel] = steelOf(ctx, 1, 4);
    q[Bottom][Steel] = steelOf(ctx, 5, 10);
    q[Walls][Steel] = steelOf(ctx, 11, 20);

    q[Lid][Concrete] = A * B * et;
    // Four walls of thickness ep and clear height m standing on the outline A × B: two of
    // length A and two between them of length B − 2·ep.
    q[Walls][Concrete] = 2 * m * ep * (A + B - 2 * ep);
    q[Bottom][Concrete] = A * B * ef;

    q[Lid][Formwork] = ai * bi + A * et * 2 + B * et * 2;
    q[Walls][Formwork] = ai * 2 * m + bi * 2 * m;
    q[Bottom][Formwork] = 0;
    if (!IsBuriedCalc(s.calcState)) {
        // An elevated tank is also formed outside and underneath.
        q[Walls][Formwork] += A * H * 2 + B * H * 2;
        q[Bottom][Formwork] += A * B;
    }

    q[Lid][Waterproofing] = 0;
    q[Walls][Waterproofing] = ai * 2 * m + bi * 2 * m;
    q[Bottom][Waterproofing] = ai * bi;

    for (int material = Steel; material <= Waterproofing; ++material)
        q[Total][material] = q[Lid][material] + q[Walls][material] + q[Bottom][material];
    for (const auto &row : q) {
        for (const float v : row)
            CheckFinite(v, "quantidade de materiais");
    }
    ctx.materialQuantities = q;
}

QuantitiesTable ShowQuantities(const CalcContext &ctx)
{
    QuantitiesTable t{};
    const char *materials[] = { "Ferro", "Concreto", "Formas", "Impermeabilização" };
    const char *units[] = { "Kg", "m³", "m²", "m²" };
    const char *members[] = { "Tampa", "Parede", "Fundo", "Total" };
    for (std::size_t c = 0; c < 4; ++c) {
        t[0][c + 1] = materials[c];
        t[1][c + 1] = units[c];
    }
    for (std::size_t r = 0; r < 4; ++r) {
        t[r + 2][0] = members[r];
        for (std::size_t c = 0; c < 4; ++c)
            t[r + 2][c + 1] =
                    DoubleText(TextToNumber(ctx.materialQuantities[r][c], "0.00"), ctx.regional());
    }
    return t;
}

} // namespace ModuleCalcConsumo
