#include "analysis/ModuleFormulas.h"
#include "core/CalcError.h"
#include "core/DesignState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <type_traits>

using namespace ModuleFormulas;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr float kNaNf = std::numeric_limits<float>::quiet_NaN();
constexpr float kInff = std::numeric_limits<float>::infinity();

// The formulas run in double: a relative 1e-12 is far below what a single-precision step, a
// rounded argument or 1/12 in place of 0.08333 would change.
void expectClose(double actual, double expected, const char *what)
{
    EXPECT_NEAR(actual, expected, 1e-12 * std::fabs(expected)) << what;
}

void expectPlate(const PlateMoments &r, const PlateMoments &e)
{
    expectClose(r.Mx, e.Mx, "Mx");
    expectClose(r.My, e.My, "My");
    expectClose(r.Xx, e.Xx, "Xx");
    expectClose(r.Xy, e.Xy, "Xy");
    expectClose(r.Ry, e.Ry, "Ry");
    expectClose(r.Rx, e.Rx, "Rx");
}

struct MarcusCase
{
    const char *source;
    StripSupport x;
    StripSupport y;
    double lx;
    double ly;
    double p;
    PlateMoments expected; // Mx, My, Xx, Xy, Ry, Rx
};

TEST(MarcusPlateMoments, WorkedPlates)
{
    const MarcusCase cases[] = {
        // kx = ky = 0.5, px = 500: Mx = 500·lx²/8·(1 − 20/24·0.5) = 36.458333·lx² = 328.125;
        // R = 500·3/2 = 750; simple supports have no edge moment.
        { "square plate, simply supported, 36.458·lx²",
          kStripSimplySupported,
          kStripSimplySupported,
          3,
          3,
          1000,
          { 328.125, 328.125, 0, 0, 750, 750 } },
        // Mx = 500·4/24·(1 − 20/72·0.5) = (250/3)·(31/36) = 71.759259…;
        // X = 0.08333·500·lx² = 41.665·lx² = 166.66 (1/12 would give 166.67).
        { "square plate, fixed, 41.665·lx²",
          kStripFixed,
          kStripFixed,
          2,
          2,
          1000,
          { 7750.0 / 108, 7750.0 / 108, 166.66, 166.66, 500, 500 } },
        // Wall panel a = h = 2 m of an elevated tank, B = 2410 halved to 1205. kx = αy/(αx + αy)
        // = 2/3, px = 803.333…, py = 401.666…
        // Mx = px·4/24·(1 − 20/72·2/3) = 2410·22/(3·6·27) = 109.094650… (divisor 24; with
        // 14.22 it would be 155.345).
        // My = py·4/14.22·(1 − 20/42.66·1/3) = 112.986404…·0.843725…  = 95.329519…
        // Xx = 0.08333·(2/3)·1205·4 = 267.767066…; Xy = 0.125·py·4 = 200.8333…
        { "square wall panel, fixed / fixed-simple, divisors 24 and 14.22",
          kStripFixed,
          kStripFixedSimplySupported,
          2,
          2,
          1205,
          { 109.09465020576131, 95.3295195928044, 0.08333 * 2 / 3 * 1205 * 4, 1205.0 / 6,
            1205.0 / 3, 2410.0 / 3 } },
        // Rectangular lid 3 × 4.5 m under an outside load (negative): kx = 4.5⁴/(3⁴ + 4.5⁴)
        // = 410.0625/491.0625 = 0.835051…; the results keep the load's sign. Values from the
        // hand formulas in exact fractions.
        { "rectangular plate, simply supported, negative load",
          kStripSimplySupported,
          kStripSimplySupported,
          3,
          4.5,
          -850,
          { -551.5536985864597, -245.1349771495377, 0, 0, -315.4639175257732,
            -1064.6907216494844 } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        expectPlate(MarcusPlateMoments(c.x, c.y, c.lx, c.ly, c.p), c.expected);
    }
}

TEST(MarcusPlateMoments, NineArgumentFormTakesEachDivisorForItsOwnDirection)
{
    // The same wall panel as above through the literal arguments (αx, αy, lx, ly, mx, my, cx,
    // cy, p): Mx must come from mx = 24 and My from my = 14.22.
    const PlateMoments r = MarcusPlateMoments(1, 2, 2, 2, 24, 14.22, 0.08333, 0.125, 1205);
    expectClose(r.Mx, 109.09465020576131, "Mx with 24");
    expectClose(r.My, 95.3295195928044, "My with 14.22");

    // Turning a rectangular panel by a quarter turn swaps every x result with its y partner.
    const PlateMoments a =
            MarcusPlateMoments(kStripFixed, kStripFixedSimplySupported, 3.2, 2.6, 1205);
    const PlateMoments b =
            MarcusPlateMoments(kStripFixedSimplySupported, kStripFixed, 2.6, 3.2, 1205);
    expectPlate(b, { a.My, a.Mx, a.Xy, a.Xx, a.Rx, a.Ry });
}

TEST(MarcusPlateMoments, WorksOnTheExactValuesOfSingleArguments)
{
    // Spans and load as the design state holds them (singles): 3.2f is 3.2000000476837158…,
    // and the results follow that exact value in double, not the decimal 3.2 (which gives
    // Mx = 192.514378402257) nor a single-precision product. Expected values from the hand
    // formulas in exact fractions of the singles' binary values.
    const float lx = 3.2f;
    const float ly = 2.6f;
    const float p = 1205;
    const PlateMoments r = MarcusPlateMoments(kStripFixed, kStripFixedSimplySupported, lx, ly, p);
    expectPlate(r,
                { 192.5143632491572, 255.45565808953899, 478.8460136560922, 544.0362236176579,
                  836.9788362658282, 897.8721771134545 });
}

TEST(MarcusPlateMoments, ArithmeticFaultsAreCalculationErrors)
{
    struct Fault
    {
        const char *source;
        std::function<void()> call;
        const char *message;
    };
    const Fault faults[] = {
        { "zero span lx: (ly/lx)²", [] { MarcusPlateMoments(5, 5, 0, 3, 8, 8, 0, 0, 1000); },
          "Divisão por zero" },
        { "zero span ly: (lx/ly)²", [] { MarcusPlateMoments(5, 5, 3, 0, 8, 8, 0, 0, 1000); },
          "Divisão por zero" },
        { "no deflection coefficient: the load shares divide by 0",
          [] { MarcusPlateMoments(0, 0, 3, 3, 8, 8, 0, 0, 1000); }, "Divisão por zero" },
        { "zero divisor mx", [] { MarcusPlateMoments(5, 5, 3, 3, 0, 8, 0, 0, 1000); },
          "Divisão por zero" },
        { "load not a number", [] { MarcusPlateMoments(5, 5, 3, 3, 8, 8, 0, 0, kNaN); },
          "Estouro" },
        { "span whose fourth power overflows",
          [] { MarcusPlateMoments(5, 5, 1e80, 3, 8, 8, 0, 0, 1000); }, "Estouro" },
    };
    for (const auto &f : faults) {
        SCOPED_TRACE(f.source);
        try {
            f.call();
            ADD_FAILURE() << "no CalcError";
        } catch (const CalcError &e) {
            EXPECT_NE(std::string(e.what()).find(f.message), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("Marcus"), std::string::npos) << e.what();
        }
    }
}

DesignState withThicknesses(float et, float ep, float ef)
{
    DesignState s;
    s.thicknessEt = et;
    s.thicknessEp = ep;
    s.thicknessEf = ef;
    return s;
}

struct FrameCase
{
    const char *source;
    float et, ep, ef;
    float qTop, lTop, pWall, hWall, qBottom, lBottom;
    float top, bottom;
};

TEST(ClosedFrameCornerMoments, WorkedFrames)
{
    // Expected values are the single-precision results of the steps written out by hand:
    // reduced lengths in double, k1, k2, R1, R2 rounded to single, the two equations solved in
    // single.
    const FrameCase cases[] = {
        // Wall load alone, equal sections: k1 = k2 = 3·3/2.5 + 2 = 5.6; R1 = 2500·6.25/8.56
        // = 1825.350; R2 = 2500·6.25/7.5 = 2083.333; Xt = (R1·5.6 − R2)/30.36 = 268.071,
        // Xb = (R2·5.6 − R1)/30.36 = 324.154: the loaded base corner carries more.
        { "wall load alone", 0.15f, 0.15f, 0.15f, 0, 3, 2500, 2.5f, 0, 3, 268.07080078125f,
          324.1540222167969f },
        // Square frame of equal members, the same uniform load on top and bottom, no wall load:
        // k = 5, R = q·L²/4, X = R/(k + 1) = q·L²/24 = 250, the classic result of a member
        // fixed against an equal unloaded member with symmetric rotations.
        { "top and bottom load, square frame", 0.12f, 0.12f, 0.12f, 1500, 2, 0, 2, 1500, 2, 250,
          250 },
        // Different sections: L′p = 2.61·(0.10/0.15)³, L′f = 3.2·(0.10/0.20)³; k1 = 14.413795,
        // k2 = 3.5517244, R1 = 10922.032, R2 = 6293.7827.
        { "full case with three thicknesses", 0.10f, 0.15f, 0.20f, 850, 3.2f, 2410, 2.61f, 3100,
          3.2f, 647.4554443359375f, 1589.7425537109375f },
        // R1 = 1000·4/8.56 rounds to a different single with 8.56 as a double (Xt would be
        // 60.70424270629883), and solving in double would give Xt = 60.7042350769043: this row
        // pins both the single constant and the single-precision solution.
        { "8.56 as a single, solved in single", 0.15f, 0.15f, 0.15f, 0, 3, 1000, 2, 0, 3,
          60.70423889160156f, 72.71216583251953f },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        const FrameCornerMoments x =
                ClosedFrameCornerMoments(withThicknesses(c.et, c.ep, c.ef), c.qTop, c.lTop, c.pWall,
                                         c.hWall, c.qBottom, c.lBottom);
        EXPECT_EQ(x.top, c.top);
        EXPECT_EQ(x.bottom, c.bottom);
    }
}

TEST(ClosedFrameCornerMoments, WallLoadAloneGivesTheLargerMomentAtTheBase)
{
    for (const float h : { 1.0f, 2.0f, 3.5f }) {
        SCOPED_TRACE(h);
        const FrameCornerMoments x = ClosedFrameCornerMoments(withThicknesses(0.12f, 0.15f, 0.2f),
                                                              0, 4, 1000 * h, h, 0, 4);
        EXPECT_GT(x.top, 0);
        EXPECT_GT(x.bottom, x.top);
    }
}

TEST(ClosedFrameCornerMoments, ArithmeticFaultsAreCalculationErrors)
{
    struct Fault
    {
        const char *source;
        DesignState state;
        float qTop, lTop, pWall, hWall, qBottom, lBottom;
        const char *message;
    };
    const Fault faults[] = {
        { "zero wall thickness", withThicknesses(0.12f, 0, 0.15f), 0, 3, 2500, 2.5f, 0, 3,
          "Divisão por zero" },
        { "zero lid thickness, the reference section", withThicknesses(0, 0.15f, 0.15f), 0, 3, 2500,
          2.5f, 0, 3, "Divisão por zero" },
        { "zero bottom thickness", withThicknesses(0.12f, 0.15f, 0), 0, 3, 2500, 2.5f, 0, 3,
          "Divisão por zero" },
        { "zero wall height", withThicknesses(0.12f, 0.15f, 0.15f), 0, 3, 2500, 0, 0, 3,
          "Divisão por zero" },
        { "wall load not a number", withThicknesses(0.12f, 0.15f, 0.15f), 0, 3, kNaNf, 2.5f, 0, 3,
          "Estouro" },
        { "R1 beyond the single range", withThicknesses(0.12f, 0.15f, 0.15f), 3e38f, 10, 0, 2.5f, 0,
          3, "Estouro" },
    };
    for (const auto &f : faults) {
        SCOPED_TRACE(f.source);
        try {
            ClosedFrameCornerMoments(f.state, f.qTop, f.lTop, f.pWall, f.hWall, f.qBottom,
                                     f.lBottom);
            ADD_FAILURE() << "no CalcError";
        } catch (const CalcError &e) {
            EXPECT_NE(std::string(e.what()).find(f.message), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("espessuras"), std::string::npos) << e.what();
        }
    }
}

TEST(BeamAndRingMoments, WorkedValues)
{
    struct Case
    {
        const char *source;
        double actual;
        double expected;
    };
    const Case cases[] = {
        { "q·L²/8: 1000·9/8", UniformSpanMoment(1000, 3), 1125 },
        { "q·L²/8 keeps the sign: −850·6.25/8", UniformSpanMoment(-850, 2.5f), -664.0625 },
        // 16777215·9/8 = 18874366.875 is a double; a single could only hold an even number here.
        { "q·L²/8 in double", UniformSpanMoment(16777215, 3), 18874366.875 },
        // 2000·9/15.6 = 7500/6.5; with 9·√3 it would be 1154.7.
        { "p·L²/15.6", TriangularSpanMoment(2000, 3), 15000.0 / 13 },
        { "ring a = b: q·a²/12 = 1200·9/12", RingCornerMoment(1200, 3, 3), 900 },
        // 2410·(27 + 91.125)/(12·7.5) = 2410·1.3125
        { "ring 3 × 4.5", RingCornerMoment(2410, 3, 4.5f), 3163.125 },
        // q·a²/8 − q·a²/12 = q·a²/24 = 1200·9/24
        { "span between ring corners, a = b", SpanMomentBetweenEnds(1200, 3, 900), 450 },
        // 2410·20.25/8 − 3163.125 = 6100.3125 − 3163.125
        { "span between ring corners, side 4.5", SpanMomentBetweenEnds(2410, 4.5f, 3163.125f),
          2937.1875 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        expectClose(c.actual, c.expected, c.source);
    }
    static_assert(std::is_same_v<decltype(UniformSpanMoment(1, 1)), double>);
}

TEST(BeamAndRingMoments, ArithmeticFaultsAreCalculationErrors)
{
    struct Fault
    {
        const char *source;
        std::function<double()> call;
        const char *message;
    };
    const Fault faults[] = {
        { "uniform load not a number", [] { return UniformSpanMoment(kNaNf, 3); }, "Estouro" },
        { "infinite span", [] { return TriangularSpanMoment(1000, kInff); }, "Estouro" },
        { "ring with a + b = 0", [] { return RingCornerMoment(1000, 3, -3); }, "Divisão por zero" },
        { "ring without sides", [] { return RingCornerMoment(1000, 0, 0); }, "Divisão por zero" },
        { "infinite end moment", [] { return SpanMomentBetweenEnds(1000, 3, kInff); }, "Estouro" },
    };
    for (const auto &f : faults) {
        SCOPED_TRACE(f.source);
        try {
            f.call();
            ADD_FAILURE() << "no CalcError";
        } catch (const CalcError &e) {
            EXPECT_NE(std::string(e.what()).find(f.message), std::string::npos) << e.what();
        }
    }
}

TEST(GoverningMagnitude, RoundsEachArgumentFromItsOwnPrecision)
{
    struct Case
    {
        const char *source;
        float actual;
        float expected;
    };
    const Case cases[] = {
        { "−123.4 → −123, 123.6 → 124", GoverningMagnitude(-123.4, 123.6), 124 },
        { "100.2 and −99.9 tie at 100", GoverningMagnitude(100.2, -99.9), 100 },
        { "singles: −123.4 → −123, 123.6 → 124", GoverningMagnitude(-123.4f, 123.6f), 124 },
        { "halves away from zero, not to even: 2.5 → 3", GoverningMagnitude(2.5, -2.4), 3 },
        { "negative half: −0.5 → −1", GoverningMagnitude(-0.5, 0.4), 1 },
        { "both round to 0: result +0", GoverningMagnitude(0.4, -0.4), 0 },
        // The double just below 2.5 shows as 2.5 with 15 digits, so it rounds up, where
        // rounding the binary value would give 2.
        { "double below 2.5 shows 2.5", GoverningMagnitude(0.0, std::nextafter(2.5, 0.0)), 3 },
        // 1234.4999f is 1234.4998779…: its 7-digit text is 1234.5 → 1235; the same value as a
        // double shows 1234.49987792969 → 1234.
        { "single 1234.4999f shows 1234.5", GoverningMagnitude(1234.4999f, 0.0f), 1235 },
        { "the same value as a double", GoverningMagnitude(static_cast<double>(1234.4999f), 0.0),
          1234 },
        // Mixed: 0.49999997f shows 0.5 → 1; the double 99.49999237060547 shows
        // 99.4999923706055 → 99.
        { "single then double", GoverningMagnitude(0.49999997f, 0.3), 1 },
        { "double then single", GoverningMagnitude(99.6, 99.49999f), 100 },
        { "single 99.49999f keeps its 7 digits", GoverningMagnitude(0.0f, 99.49999f), 99 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(c.actual, c.expected);
        EXPECT_FALSE(std::signbit(c.actual));
    }
    static_assert(std::is_same_v<decltype(GoverningMagnitude(1.0, 1.0)), float>);
}

TEST(GoverningMagnitude, NonFiniteOrUnrepresentableIsACalculationError)
{
    EXPECT_THROW(GoverningMagnitude(kNaN, 1.0), CalcError);
    EXPECT_THROW(GoverningMagnitude(1.0, kInf), CalcError);
    EXPECT_THROW(GoverningMagnitude(kNaNf, 1.0f), CalcError);
    // A whole number beyond the single range cannot be the single result.
    EXPECT_THROW(GoverningMagnitude(1e39, 1.0), CalcError);
}

TEST(SmallerMagnitude, PicksTheSmallerMagnitudeUnrounded)
{
    struct Case
    {
        const char *source;
        float p, q, expected;
    };
    const Case cases[] = {
        { "1.2 and −0.8", 1.2f, -0.8f, 0.8f },
        { "hatch base point 0.60, 0.80", 0.6f, 0.8f, 0.6f },
        { "not rounded", 0.604f, 0.8f, 0.604f },
        { "equal magnitudes: the second", -0.75f, 0.75f, 0.75f },
        { "zero", 0.0f, -2.0f, 0.0f },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(SmallerMagnitude(c.p, c.q), c.expected);
    }
    EXPECT_THROW(SmallerMagnitude(kNaNf, 1.0f), CalcError);
    EXPECT_THROW(SmallerMagnitude(1.0f, kInff), CalcError);
}

} // namespace
