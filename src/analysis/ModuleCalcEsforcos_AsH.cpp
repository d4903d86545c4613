#include "analysis/ModuleCalcEsforcos_AsH.h"

#include "analysis/ModuleCalcEsforcos.h"
#include "analysis/ModuleFormulas.h"
#include "analysis/ThicknessReview.h"
#include "core/CalcContext.h"
#include "core/Numbers.h"
#include "design/ModulersvARM.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace ModuleCalcEsforcos_AsH {

namespace {

using ModuleFormulas::kStripFixed;
using ModuleFormulas::kStripSimplySupported;

/// First and last results field of the eight wall moments.
constexpr int kFirstMomentField = 16;
constexpr int kLastMomentField = 23;

/// The moments of the horizontal ring at the base of the walls for one load case, kgf·m per
/// metre, whole numbers.
struct RingMoments
{
    double spanA = 0; ///< mid-span of the walls of length a
    double cornerA = 0; ///< corner, as the walls of length a see it
    double spanB = 0; ///< mid-span of the walls of length b
    double cornerB = 0; ///< corner, as the walls of length b see it (the same value)
};

double Whole(double moment)
{
    return TextToNumber(moment, "0");
}

/// The closed rectangular ring of sides a and b under the pressure q (a magnitude). Each wall
/// is a span between the two equal corner moments; the corner moment is taken once for each
/// pair of walls, as the results show it twice.
RingMoments Ring(float q, float a, float b)
{
    RingMoments m;
    m.cornerA = Whole(ModuleFormulas::RingCornerMoment(q, a, b));
    m.spanA = Whole(ModuleFormulas::SpanMomentBetweenEnds(q, a, ToSingle(m.cornerA)));
    m.cornerB = Whole(ModuleFormulas::RingCornerMoment(q, a, b));
    m.spanB = Whole(ModuleFormulas::SpanMomentBetweenEnds(q, b, ToSingle(m.cornerB)));
    return m;
}

/// A moment field read back as the number it shows (two decimals).
double FieldValue(const CalcContext &ctx, int index)
{
    return TextToNumber(ctx.results.Text_a[static_cast<std::size_t>(index)], "0.00");
}

float Magnitude(double moment)
{
    return ToSingle(std::fabs(moment));
}

/// The lid, simply supported on the four walls, under its live load and its own weight (the
/// lid load of the other layouts, downward). The live load alone would leave out most of the
/// load of a concrete slab: 250 kgf/m² for 10 cm against the usual 50 to 150 of live load.
ModuleFormulas::PlateMoments LidPlate(const DesignState &s)
{
    const float lidLoad = ModuleCalcEsforcos::ComputeCaseLoads(s).lidLoad;
    return ModuleFormulas::MarcusPlateMoments(kStripSimplySupported, kStripSimplySupported,
                                              s.widthA, s.lengthB, -lidLoad);
}

/// The bottom, fixed into the four walls, under the load `p` (kgf/m²).
ModuleFormulas::PlateMoments BottomPlate(const DesignState &s, float p)
{
    return ModuleFormulas::MarcusPlateMoments(kStripFixed, kStripFixed, s.widthA, s.lengthB, p);
}

/// What the layout sets of one position before the design: moment (kgf·m per m), member
/// thickness and the length over which the bars are spread (cm).
struct PositionInput
{
    float MK = 0;
    float D = 0;
    float DIST = 0;
};

} // namespace

void CalculateHorizontalTank(CalcContext &ctx)
{
    ModuleCalcEsforcos::RunLayout(ctx, HorizontalWallMoments, ReviewThicknessesHorizontal,
                                  HorizontalPositions);
}

void HorizontalWallMoments(CalcContext &ctx)
{
    const DesignState &s = ctx.state;
    const ModuleCalcEsforcos::CaseLoads loads = ModuleCalcEsforcos::ComputeCaseLoads(s);

    // Full tank: water pushing out gives positive moments, earth prevailing from outside
    // negative ones. A wall load of exactly zero (water and earth in balance) is designed for
    // the water alone, as if the earth were not there.
    float qFull = loads.wallLoadFull;
    std::int16_t fullFactor = 1;
    if (qFull < 0) {
        qFull = -qFull;
        fullFactor = -1;
    } else if (qFull == 0) {
        qFull = s.wallWaterLoad;
    }
    // Empty tank: only earth and ground water from outside load the walls, shown positive; a
    // tank with nothing pushing inwards (every elevated tank) shows zeros.
    float qEmpty = loads.wallLoadEmpty;
    std::int16_t emptyFactor = 0;
    if (qEmpty < 0) {
        qEmpty = -qEmpty;
        emptyFactor = 1;
    }

    const RingMoments full = Ring(qFull, s.widthA, s.lengthB);
    const RingMoments empty = Ring(qEmpty, s.widthA, s.lengthB);

    ResultsFields &r = ctx.results;
    r.Text_a[16] = ctx.text(fullFactor * full.spanA); // "Mx+"
    r.Text_a[17] = ctx.text(fullFactor * full.cornerA); // "Xx-"
    r.Text_a[18] = ctx.text(fullFactor * full.spanB); // "My+"
    r.Text_a[19] = ctx.text(fullFactor * full.cornerB); // "Xy-"
    r.Text_a[20] = ctx.text(emptyFactor * empty.spanA); // "Mx-"
    r.Text_a[21] = ctx.text(emptyFactor * empty.cornerA); // "Xx+"
    r.Text_a[22] = ctx.text(emptyFactor * empty.spanB); // "My-"
    r.Text_a[23] = ctx.text(emptyFactor * empty.cornerB); // "Xy+"
}

void ReviewThicknessesHorizontal(CalcContext &ctx)
{
    const DesignState &s = ctx.state;

    // The walls are sized for the largest moment shown, a negative one never governing: a
    // negative full-tank moment (earth prevailing) always comes with a larger positive one of
    // the empty tank, and a negative span moment with a larger corner moment.
    float wallMoment = 0;
    for (int i = kFirstMomentField; i <= kLastMomentField; ++i) {
        const float value =
                ToSingle(TextToNumber(ctx.results.Text_a[static_cast<std::size_t>(i)], "0"));
        if (value > wallMoment)
            wallMoment = value;
    }
    // Like the wall moment, the plate moments are taken once, for the thicknesses the review
    // starts from. Mx and Xx win a tie.
    const ModuleFormulas::PlateMoments lid = LidPlate(s);
    const float lidMoment = ModuleFormulas::GoverningMagnitude(lid.My, lid.Mx);
    const ModuleFormulas::PlateMoments bottom = BottomPlate(s, s.wallWaterLoad);
    const float bottomMoment = ModuleFormulas::GoverningMagnitude(bottom.Xy, bottom.Xx);

    const ThicknessReview::Rerun rerun = ThicknessReview::RerunWith(ctx, HorizontalWallMoments);
    const CrackCheck wallCrack =
            ThicknessReview::ReviewMember(ctx, ThicknessReview::Member::Wall, wallMoment, rerun);
    ThicknessReview::ReviewLid(ctx, lidMoment, rerun);
    const CrackCheck bottomCrack = ThicknessReview::ReviewMember(
            ctx, ThicknessReview::Member::Bottom, bottomMoment, rerun, true);
    ctx.state.crackResults = { wallCrack, bottomCrack };
}

void HorizontalPositions(CalcContext &ctx)
{
    const DesignState &s = ctx.state;
    const ModuleCalcEsforcos::CaseLoads loads = ModuleCalcEsforcos::ComputeCaseLoads(s);
    const ModuleCalcEsforcos::MemberDimensions m = ModuleCalcEsforcos::MemberDimensionsOf(s);

    // Everything is worked out before the list is rebuilt, so a fault leaves it as it was.
    std::array<PositionInput, 20> in{};
    const auto set = [&in](int n, float mk, float d, float dist) {
        in[static_cast<std::size_t>(n - 1)] = { mk, d, dist };
    };

    if (IsBuriedCalc(s.calcState)) {
        // The bottom of a buried tank carries the ground reaction and the uplift.
        const ModuleFormulas::PlateMoments ground = BottomPlate(s, loads.bottomLoadFull);
        set(7, Magnitude(ground.Mx), m.bottomDepth, m.betweenWallsB);
        set(8, Magnitude(ground.My), m.bottomDepth, m.betweenWallsA);
        set(9, Magnitude(ground.Xx), m.bottomDepth, m.betweenWallsB);
        set(10, Magnitude(ground.Xy), m.bottomDepth, m.betweenWallsA);
        set(14, ToSingle(FieldValue(ctx, 20)), m.wallDepth, m.betweenSlabs); // "Mx-"
        set(18, ToSingle(FieldValue(ctx, 22)), m.wallDepth, m.betweenSlabs); // "My-"
        set(19, ModuleFormulas::GoverningMagnitude(FieldValue(ctx, 21), FieldValue(ctx, 23)),
            m.wallDepth,
            m.belowLid); // "Xx+", "Xy+"
    } else {
        const ModuleFormulas::PlateMoments water = BottomPlate(s, s.bottomWaterLoad);
        set(7, 0, m.bottomDepth, m.betweenWallsB);
        set(8, 0, m.bottomDepth, m.betweenWallsA);
        set(9, Magnitude(water.Xx), m.bottomDepth, m.betweenWallsB);
        set(10, Magnitude(water.Xy), m.bottomDepth, m.betweenWallsA);
        set(14, ToSingle(FieldValue(ctx, 17)), m.wallDepth, m.betweenSlabs); // "Xx-"
        set(18, ToSingle(FieldValue(ctx, 19)), m.wallDepth, m.betweenSlabs); // "Xy-"
        set(19, ModuleFormulas::GoverningMagnitude(FieldValue(ctx, 17), FieldValue(ctx, 19)),
            m.wallDepth,
            m.belowLid); // "Xx-", "Xy-"
    }

    const ModuleFormulas::PlateMoments lid = LidPlate(s);
    // The bottom's span steel carries the water inside, whatever the kind of tank.
    const ModuleFormulas::PlateMoments water = BottomPlate(s, s.bottomWaterLoad);
    set(1, Magnitude(lid.Mx), m.lidDepth, m.alongB);
    set(2, Magnitude(lid.My), m.lidDepth, m.alongA);
    set(3, 0, m.lidDepth, m.betweenWallsB);
    set(4, 0, m.lidDepth, m.betweenWallsA);
    set(5, Magnitude(water.Mx), m.bottomDepth, m.alongB);
    set(6, Magnitude(water.My), m.bottomDepth, m.alongA);
    set(11, 0, m.wallDepth, m.alongA);
    set(12, ToSingle(FieldValue(ctx, 16)), m.wallDepth, m.belowLid); // "Mx+"
    set(13, 0, m.wallDepth, m.betweenWallsA);
    set(15, 0, m.wallDepth, m.alongB);
    set(16, ToSingle(FieldValue(ctx, 18)), m.wallDepth, m.belowLid); // "My+"
    set(17, 0, m.wallDepth, m.betweenWallsB);
    // The lid's opening: bars spread over the smaller coordinate of the hatch's base point.
    set(20, 0, m.lidDepth, ModuleFormulas::SmallerMagnitude(s.hatchLx, s.hatchLy) * 100.0f);

    ModulersvARM::ClearRebarPositions(ctx);
    for (int n = 1; n <= 20; ++n) {
        RebarPosition &p = ctx.rebarPosition(n);
        const PositionInput &v = in[static_cast<std::size_t>(n - 1)];
        p.MK = v.MK;
        p.D = v.D;
        p.DIST = v.DIST;
    }
    ModulersvARM::DesignPositions(ctx, ModulersvARM::DistributionRule::OneWay);
}

} // namespace ModuleCalcEsforcos_AsH
