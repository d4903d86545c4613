#include "analysis/ModuleCalcEsforcos_AsV.h"

#include "analysis/ModuleCalcEsforcos.h"
#include "analysis/ModuleFormulas.h"
#include "analysis/ThicknessReview.h"
#include "core/CalcContext.h"
#include "core/Numbers.h"
#include "design/ModulersvARM.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

namespace ModuleCalcEsforcos_AsV {

namespace {

using ModuleCalcEsforcos::CaseLoads;
using ModuleFormulas::GoverningMagnitude;

// Moment fields of the vertical frame: full case, empty case, combination.
constexpr int kLidSpanFull = 27; // "Mt1-"
constexpr int kBottomSpanFull = 26; // "Mf1-"
constexpr int kWallSpanFull = 24; // "My1+"
constexpr int kTopCornerFull = 29; // "Xy1+"
constexpr int kBottomCornerFull = 30; // "Xy2+"
constexpr int kLidSpanEmpty = 37; // "Mt2-"
constexpr int kBottomSpanEmpty = 35; // "Mf2-"
constexpr int kWallSpanEmpty = 33; // "My2+"
constexpr int kTopCornerEmpty = 32; // "Xy3+"
constexpr int kBottomCornerEmpty = 31; // "Xy4+"
constexpr int kLidCombined = 44; // "Mt-"
constexpr int kBottomCombined = 42; // "Mf-"
constexpr int kWallCombined = 40; // "My+"
constexpr int kTopCornerCombined = 39; // "Xya+"
constexpr int kBottomCornerCombined = 38; // "Xyb+"

/// A member load as the frame takes it: its magnitude, and the sign under which the member's
/// moments are shown.
struct FrameLoad
{
    float magnitude = 0; ///< kgf/m²
    std::int16_t sign = 1;
};

/// The frame formulas take magnitudes; the sign a member's moments are shown with depends on
/// which way its load acts.
FrameLoad Orient(float load, std::int16_t sign, std::int16_t signWhenNegative)
{
    if (load < 0)
        return { -load, signWhenNegative };
    return { load, sign };
}

/// The moments of one load case, unsigned (from the load magnitudes), kgf·m per m.
struct CaseMoments
{
    double lidSpan = 0;
    double wallSpan = 0;
    ModuleFormulas::FrameCornerMoments corners;
    double bottomSpan = 0;
};

/// The vertical section across b: lid and bottom as simple spans of b, the walls as spans of
/// h under the water or earth triangle, tied by the closed frame's corner moments.
CaseMoments FrameCase(const DesignState &s, float lid, float wall, float bottom)
{
    const float b = s.lengthB;
    const float h = s.heightH;
    CaseMoments m;
    m.lidSpan = ModuleFormulas::UniformSpanMoment(lid, b);
    m.wallSpan = ModuleFormulas::TriangularSpanMoment(wall, h);
    m.corners = ModuleFormulas::ClosedFrameCornerMoments(s, lid, b, wall, h, bottom, b);
    m.bottomSpan = ModuleFormulas::UniformSpanMoment(bottom, b);
    return m;
}

/// A value brought to a whole number as the governing-moment choice sees it.
double WholeMagnitude(double value)
{
    return std::fabs(TextToNumber(value, "0"));
}

/// A moment as its field shows it: two decimals.
std::string MomentText(const CalcContext &ctx, double moment)
{
    return ctx.text(TextToNumber(moment, "0.00"));
}

std::string MomentText(const CalcContext &ctx, float moment)
{
    return ctx.text(TextToNumber(moment, "0.00"));
}

/// A results field read back as a number.
double FieldValue(const CalcContext &ctx, int index)
{
    return TextToNumber(ctx.results.Text_a[static_cast<std::size_t>(index)], "0.00");
}

} // namespace

void CalculateVerticalTank(CalcContext &ctx)
{
    ModuleCalcEsforcos::RunLayout(ctx, VerticalFrameMoments, ReviewThicknessesVertical,
                                  VerticalPositions);
}

void VerticalFrameMoments(CalcContext &ctx)
{
    const DesignState &s = ctx.state;
    const CaseLoads loads = ModuleCalcEsforcos::ComputeCaseLoads(s);

    // Lid moments are shown positive under its downward load, wall moments positive under water
    // pressure from inside, bottom moments negative under the water of an elevated tank. An
    // empty tank's walls carry earth only, shown positive.
    const FrameLoad lid = Orient(loads.lidLoad, -1, 1);
    const FrameLoad wallFull = Orient(loads.wallLoadFull, 1, -1);
    const FrameLoad bottomFull = Orient(loads.bottomLoadFull, -1, 1);
    const FrameLoad wallEmpty = Orient(loads.wallLoadEmpty, 1, 1);
    const FrameLoad bottomEmpty = Orient(loads.bottomLoadEmpty, -1, 1);

    const CaseMoments full = FrameCase(s, lid.magnitude, wallFull.magnitude, bottomFull.magnitude);
    const CaseMoments empty =
            FrameCase(s, lid.magnitude, wallEmpty.magnitude, bottomEmpty.magnitude);

    // The wall's design moment adds to the larger span moment the larger corner moment of the
    // same load case; the full tank decides on a tie.
    const bool fullGoverns = WholeMagnitude(full.wallSpan) >= WholeMagnitude(empty.wallSpan);
    const ModuleFormulas::FrameCornerMoments &governingCorners =
            fullGoverns ? full.corners : empty.corners;
    const float wallCombined = GoverningMagnitude(full.wallSpan, empty.wallSpan)
            + GoverningMagnitude(governingCorners.top, governingCorners.bottom);
    const float topCornerCombined = GoverningMagnitude(full.corners.top, empty.corners.top);
    const float bottomCornerCombined =
            GoverningMagnitude(full.corners.bottom, empty.corners.bottom);

    const double lidSpanFull = full.lidSpan * lid.sign;
    const double lidSpanEmpty = empty.lidSpan * lid.sign;
    const double wallSpanFull = full.wallSpan * wallFull.sign;
    const float topCornerFull = full.corners.top * wallFull.sign;
    const float bottomCornerFull = full.corners.bottom * wallFull.sign;
    const double bottomSpanFull = full.bottomSpan * bottomFull.sign;
    const double wallSpanEmpty = empty.wallSpan * wallEmpty.sign;
    const float topCornerEmpty = empty.corners.top * wallEmpty.sign;
    const float bottomCornerEmpty = empty.corners.bottom * wallEmpty.sign;
    const double bottomSpanEmpty = empty.bottomSpan * bottomEmpty.sign;

    // Span moments of lid and bottom between the corner moments, from the signed values.
    const float lidCombined =
            GoverningMagnitude(lidSpanFull - topCornerFull, lidSpanEmpty - topCornerEmpty);
    const float bottomCombined = GoverningMagnitude(bottomSpanFull - bottomCornerFull,
                                                    bottomSpanEmpty - bottomCornerEmpty);

    // Every text is formed before any field changes, so a fault leaves the fields as they were.
    const std::pair<int, std::string> shown[] = {
        { kWallCombined, MomentText(ctx, wallCombined) },
        { kTopCornerCombined, MomentText(ctx, topCornerCombined) },
        { kBottomCornerCombined, MomentText(ctx, bottomCornerCombined) },
        { kLidSpanFull, MomentText(ctx, lidSpanFull) },
        { kBottomSpanFull, MomentText(ctx, bottomSpanFull) },
        { kWallSpanFull, MomentText(ctx, wallSpanFull) },
        { kTopCornerFull, MomentText(ctx, topCornerFull) },
        { kBottomCornerFull, MomentText(ctx, bottomCornerFull) },
        { kLidSpanEmpty, MomentText(ctx, lidSpanEmpty) },
        { kBottomSpanEmpty, MomentText(ctx, bottomSpanEmpty) },
        { kWallSpanEmpty, MomentText(ctx, wallSpanEmpty) },
        { kTopCornerEmpty, MomentText(ctx, topCornerEmpty) },
        { kBottomCornerEmpty, MomentText(ctx, bottomCornerEmpty) },
        { kLidCombined, MomentText(ctx, lidCombined) },
        { kBottomCombined, MomentText(ctx, bottomCombined) },
    };
    for (const auto &[field, text] : shown)
        ctx.results.Text_a[static_cast<std::size_t>(field)] = text;
}

void ReviewThicknessesVertical(CalcContext &ctx)
{
    // The design moments are taken once, from the fields as the moment step left them.
    const float lidMoment =
            GoverningMagnitude(FieldValue(ctx, kLidCombined), FieldValue(ctx, kTopCornerCombined));
    const float wallMoment = GoverningMagnitude(
            GoverningMagnitude(FieldValue(ctx, kWallCombined), FieldValue(ctx, kTopCornerCombined)),
            FieldValue(ctx, kBottomCornerCombined));
    const float bottomMoment = GoverningMagnitude(FieldValue(ctx, kBottomCombined),
                                                  FieldValue(ctx, kBottomCornerCombined));

    const ThicknessReview::Rerun rerun = ThicknessReview::RerunWith(ctx, VerticalFrameMoments);
    ThicknessReview::ReviewLid(ctx, lidMoment, rerun);
    const CrackCheck wall =
            ThicknessReview::ReviewMember(ctx, ThicknessReview::Member::Wall, wallMoment, rerun);
    const CrackCheck bottom = ThicknessReview::ReviewMember(ctx, ThicknessReview::Member::Bottom,
                                                            bottomMoment, rerun);
    ctx.state.crackResults = { wall, bottom };
}

void VerticalPositions(CalcContext &ctx)
{
    ModulersvARM::ClearRebarPositions(ctx);
    const DesignState &s = ctx.state;
    // The frame step kept only magnitudes; the plate moments take the wall load with its sign.
    const CaseLoads loads = ModuleCalcEsforcos::ComputeCaseLoads(s);

    const float b = s.lengthB;
    const float h = s.heightH;
    const ModuleCalcEsforcos::MemberDimensions m = ModuleCalcEsforcos::MemberDimensionsOf(s);

    // The wall panel b × h as a plate: simply supported all round for the span moment of the
    // strips that span the height, fixed all round for the span moment of the strips along b and
    // for the edge moments at the wall corners and at the slabs. Designed by magnitude: where
    // the earth outweighs the water the moments turn negative, and the section design would
    // give a negative moment no more than the minimum steel.
    const ModuleFormulas::PlateMoments simply = ModuleFormulas::MarcusPlateMoments(
            ModuleFormulas::kStripSimplySupported, ModuleFormulas::kStripSimplySupported, b, h,
            loads.wallLoadFull);
    const ModuleFormulas::PlateMoments fixed = ModuleFormulas::MarcusPlateMoments(
            ModuleFormulas::kStripFixed, ModuleFormulas::kStripFixed, b, h, loads.wallLoadFull);
    const float spanUpWall = ToSingle(std::fabs(simply.My));
    const float spanAlongWall = ToSingle(std::fabs(fixed.Mx));
    const float edgeAtWallCorners = ToSingle(std::fabs(fixed.Xx));
    const float edgeAtSlabs = ToSingle(std::fabs(fixed.Xy));

    const auto field = [&ctx](int index) { return ToSingle(FieldValue(ctx, index)); };
    const auto set = [&ctx](int n, float moment, float depth, float spread) {
        RebarPosition &p = ctx.rebarPosition(n);
        p.MK = moment;
        p.D = depth;
        p.DIST = spread;
    };

    set(2, field(kLidCombined), m.lidDepth, m.alongA);
    set(1, 0, m.lidDepth, m.alongB);
    set(4, field(kTopCornerCombined), m.wallDepth, m.betweenWallsA);
    set(10, field(kBottomCornerCombined), m.wallDepth, m.betweenWallsA);
    set(11, field(kWallCombined), m.wallDepth, m.alongA);
    set(12, 0, m.wallDepth, m.belowLid);
    set(13, 0, m.wallDepth, m.betweenWallsA);
    set(14, 0, m.wallDepth, m.betweenSlabs);
    set(15, spanUpWall, m.wallDepth, m.alongB);
    set(16, spanAlongWall, m.wallDepth, m.wallHeight);
    set(19, edgeAtWallCorners, m.wallDepth, m.betweenSlabs);
    // The hatch's bars are spread over the shorter distance from its base point.
    set(20, 0, m.lidDepth, ModuleFormulas::SmallerMagnitude(s.hatchLx, s.hatchLy) * 100.0f);

    if (IsBuriedCalc(s.calcState)) {
        set(3, 0, m.wallDepth, m.betweenWallsB);
        set(6, 0, m.bottomDepth, m.alongA);
        set(5, 0, m.bottomDepth, m.alongB);
        set(7, 0, m.bottomDepth, m.betweenWallsB);
        set(8, field(kBottomCombined), m.bottomDepth, m.betweenWallsA);
        set(9, 0, m.wallDepth, m.betweenWallsB);
        set(17, 0, m.wallDepth, m.betweenWallsB);
        set(18, 0, m.wallDepth, m.betweenSlabs);
    } else {
        set(3, edgeAtSlabs, m.wallDepth, m.betweenWallsB);
        // The elevated tank's bottom spans b under the water alone.
        set(6, ToSingle(ModuleFormulas::UniformSpanMoment(loads.bottomLoadFull, b)), m.bottomDepth,
            m.alongA);
        set(5, 0, m.bottomDepth, m.alongB);
        set(7, 0, m.bottomDepth, m.betweenWallsB);
        set(8, 0, m.bottomDepth, m.betweenWallsA);
        set(9, edgeAtSlabs, m.wallDepth, m.betweenWallsB);
        set(17, 0, m.wallDepth, m.betweenWallsB);
        set(18, 0, m.wallDepth, m.betweenSlabs);
    }

    ModulersvARM::DesignPositions(ctx, ModulersvARM::DistributionRule::OneWay);
}

} // namespace ModuleCalcEsforcos_AsV
