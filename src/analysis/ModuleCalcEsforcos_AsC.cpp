#include "analysis/ModuleCalcEsforcos_AsC.h"

#include "analysis/ModuleCalcEsforcos.h"
#include "analysis/ModuleFormulas.h"
#include "analysis/ThicknessReview.h"
#include "core/CalcContext.h"
#include "core/CalcError.h"
#include "core/DesignState.h"
#include "core/Numbers.h"
#include "design/ModulersvARM.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <string>

namespace ModuleCalcEsforcos_AsC {

namespace {

using ModuleFormulas::MarcusPlateMoments;
using ModuleFormulas::PlateMoments;
using ModuleFormulas::StripSupport;

// Supports of the two strips (x along the plate's length, y across it) of each plate kind.
// FS is a wall fixed at its vertical edges and at the bottom, simply supported at the top: the
// x strip is fixed at both ends, the y strip fixed at one end only.
struct PlateSupports
{
    StripSupport x;
    StripSupport y;
};
constexpr PlateSupports kSS{ ModuleFormulas::kStripSimplySupported,
                             ModuleFormulas::kStripSimplySupported };
constexpr PlateSupports kFF{ ModuleFormulas::kStripFixed, ModuleFormulas::kStripFixed };
constexpr PlateSupports kFS{ ModuleFormulas::kStripFixed,
                             ModuleFormulas::kStripFixedSimplySupported };

PlateMoments Plate(const PlateSupports &supports, float lx, float ly, float p)
{
    return MarcusPlateMoments(supports.x, supports.y, lx, ly, p);
}

// The results fields of the fourteen plate moments.
constexpr int kMxt = 65;
constexpr int kMyt = 64;
constexpr int kXxt = 61;
constexpr int kXyt = 60;
constexpr int kMxp1 = 45;
constexpr int kMyp1 = 46;
constexpr int kXxp1 = 28;
constexpr int kMxp2 = 49;
constexpr int kMyp2 = 50;
constexpr int kXxp2 = 25;
constexpr int kMxf = 52;
constexpr int kMyf = 53;
constexpr int kXxf = 56;
constexpr int kXyf = 57;

struct FieldMoment
{
    int field;
    double moment; ///< kgf·m per m, signed
};

/// A results field read back as the number it shows.
double FieldValue(const CalcContext &ctx, int field)
{
    return TextToNumber(ctx.results.Text_a[static_cast<std::size_t>(field)], "0.00");
}

/// The magnitude of a moment field, as a position's design moment.
float FieldMagnitude(const CalcContext &ctx, int field)
{
    return ToSingle(std::fabs(FieldValue(ctx, field)));
}

/// The largest whole magnitude of the moments shown in `fields`.
float GoverningOfFields(const CalcContext &ctx, std::initializer_list<int> fields)
{
    auto it = fields.begin();
    const double first = FieldValue(ctx, *it++);
    float governing = ModuleFormulas::GoverningMagnitude(first, FieldValue(ctx, *it++));
    for (; it != fields.end(); ++it)
        governing = ModuleFormulas::GoverningMagnitude(governing, FieldValue(ctx, *it));
    return governing;
}

void SetPosition(CalcContext &ctx, int n, float mk, float thickness, float dist)
{
    RebarPosition &p = ctx.rebarPosition(n);
    p.MK = mk;
    p.D = thickness * 100.0f;
    p.DIST = dist;
}

/// The driver runs only for a launched two-way calculation whose tank kind is the one the
/// tank-kind window shows: the loads ask the window, the moments and positions ask calcState,
/// and a mismatch would mix an elevated tank's loads with a buried tank's analysis.
void CheckLaunchedTwoWay(const CalcContext &ctx)
{
    const std::int16_t calcState = ctx.state.calcState;
    const bool elevatedOption = ctx.forms.FormTipoElev.state("OptionElevada") == 1;
    const bool consistent = (calcState == kTwoWayLayout + kElevatedTank && elevatedOption)
            || (calcState == kTwoWayLayout + kBuriedTank && !elevatedOption);
    if (!consistent) {
        throw CalcError("O cálculo do reservatório armado em duas direções não confere com o tipo "
                        "de reservatório escolhido (estado de cálculo "
                        + Int16Text(calcState)
                        + "). Volte à janela do tipo de reservatório, avance pelas janelas de "
                          "dados e calcule de novo.");
    }
}

} // namespace

void CalculateTwoWayTank(CalcContext &ctx)
{
    CheckLaunchedTwoWay(ctx);

    ModuleCalcEsforcos::RunLayout(ctx, TwoWayMoments, ReviewThicknessesTwoWay, TwoWayPositions);
}

void TwoWayMoments(CalcContext &ctx)
{
    const DesignState &s = ctx.state;
    const ModuleCalcEsforcos::CaseLoads loads = ModuleCalcEsforcos::ComputeCaseLoads(s);
    const float a = s.widthA;
    const float b = s.lengthB;
    const float h = s.heightH;

    // A wall panel takes the mean of the pressure that grows linearly from nothing at the top to
    // the load at the base, as a uniform load on the plate.
    const float pFull = loads.wallLoadFull / 2.0f;
    const float pEmpty = loads.wallLoadEmpty / 2.0f;

    std::array<FieldMoment, 14> moments{};
    if (IsBuriedCalc(s.calcState)) {
        // Lid and bottom are taken simply supported for their span moments and fixed for their
        // edge moments; the walls are designed for the empty tank, with earth and ground water
        // pressing from outside.
        const PlateMoments lidSpan = Plate(kSS, a, b, loads.lidLoad);
        const PlateMoments bottomSpan = Plate(kSS, a, b, loads.bottomLoadFull);
        const PlateMoments lidEdge = Plate(kFF, a, b, loads.lidLoad);
        const PlateMoments bottomEdge = Plate(kFF, a, b, loads.bottomLoadEmpty);
        const PlateMoments wallA = Plate(kFF, a, h, pEmpty);
        const PlateMoments wallB = Plate(kFF, b, h, pEmpty);
        moments = { { { kMxt, lidSpan.Mx },
                      { kMyt, lidSpan.My },
                      { kMxf, bottomSpan.Mx },
                      { kMyf, bottomSpan.My },
                      { kXxt, lidEdge.Xx },
                      { kXyt, lidEdge.Xy },
                      { kXxf, bottomEdge.Xx },
                      { kXyf, bottomEdge.Xy },
                      { kMxp1, wallA.Mx },
                      { kMyp1, wallA.My },
                      { kXxp1, wallA.Xx },
                      { kMxp2, wallB.Mx },
                      { kMyp2, wallB.My },
                      { kXxp2, wallB.Xx } } };
    } else {
        // Lid and bottom rest on the walls (no edge moment); the walls hold the water of the full
        // tank, free at the top.
        const PlateMoments lid = Plate(kSS, a, b, loads.lidLoad);
        const PlateMoments bottom = Plate(kSS, a, b, loads.bottomLoadFull);
        const PlateMoments wallA = Plate(kFS, a, h, pFull);
        const PlateMoments wallB = Plate(kFS, b, h, pFull);
        moments = { { { kMxt, lid.Mx },
                      { kMyt, lid.My },
                      { kXxt, lid.Xx },
                      { kXyt, lid.Xy },
                      { kMxf, bottom.Mx },
                      { kMyf, bottom.My },
                      { kXxf, bottom.Xx },
                      { kXyf, bottom.Xy },
                      { kMxp1, wallA.Mx },
                      { kMyp1, wallA.My },
                      { kXxp1, wallA.Xx },
                      { kMxp2, wallB.Mx },
                      { kMyp2, wallB.My },
                      { kXxp2, wallB.Xx } } };
    }

    // Every text is formed before any field changes, so that a fault leaves the fields whole.
    std::array<std::string, 14> texts;
    for (std::size_t i = 0; i < moments.size(); ++i)
        texts[i] = ctx.text(TextToNumber(moments[i].moment, "0.00"));
    for (std::size_t i = 0; i < moments.size(); ++i)
        ctx.results.Text_a[static_cast<std::size_t>(moments[i].field)] = texts[i];
}

void ReviewThicknessesTwoWay(CalcContext &ctx)
{
    // The design moments are the ones shown when the review starts; the re-runs after each
    // raise refresh the fields but not these.
    const float lidMoment = GoverningOfFields(ctx, { kMxt, kMyt, kXxt, kXyt });
    const float wallMoment = GoverningOfFields(ctx, { kMxp1, kMyp1, kXxp1, kMxp2, kMyp2, kXxp2 });
    const float bottomMoment = GoverningOfFields(ctx, { kMxf, kMyf, kXxf, kXyf });

    const ThicknessReview::Rerun rerun = ThicknessReview::RerunWith(ctx, TwoWayMoments);
    ThicknessReview::ReviewLid(ctx, lidMoment, rerun);
    const CrackCheck wall =
            ThicknessReview::ReviewMember(ctx, ThicknessReview::Member::Wall, wallMoment, rerun);
    const CrackCheck bottom = ThicknessReview::ReviewMember(ctx, ThicknessReview::Member::Bottom,
                                                            bottomMoment, rerun);
    ctx.state.crackResults = { wall, bottom };
}

void TwoWayPositions(CalcContext &ctx)
{
    ModulersvARM::ClearRebarPositions(ctx);
    const DesignState &s = ctx.state;

    const float mxt = FieldMagnitude(ctx, kMxt);
    const float myt = FieldMagnitude(ctx, kMyt);
    const float xxt = FieldMagnitude(ctx, kXxt);
    const float xyt = FieldMagnitude(ctx, kXyt);
    const float mxp1 = FieldMagnitude(ctx, kMxp1);
    const float myp1 = FieldMagnitude(ctx, kMyp1);
    const float mxp2 = FieldMagnitude(ctx, kMxp2);
    const float myp2 = FieldMagnitude(ctx, kMyp2);
    const float mxf = FieldMagnitude(ctx, kMxf);
    const float myf = FieldMagnitude(ctx, kMyf);
    const float xxf = FieldMagnitude(ctx, kXxf);
    const float xyf = FieldMagnitude(ctx, kXyf);
    // The wall edges meet at the tank's corners: the larger of the two walls governs.
    const float xxp =
            ModuleFormulas::GoverningMagnitude(FieldValue(ctx, kXxp1), FieldValue(ctx, kXxp2));

    const float et = s.thicknessEt;
    const float ep = s.thicknessEp;
    const float ef = s.thicknessEf;
    const ModuleCalcEsforcos::MemberDimensions m = ModuleCalcEsforcos::MemberDimensionsOf(s);

    // Lengths over which the bars are spread, cm: the whole length less the covers, or the
    // length between the walls' inner faces.

    SetPosition(ctx, 1, mxt, et, m.alongB);
    SetPosition(ctx, 2, myt, et, m.alongA);
    SetPosition(ctx, 3, xxt, et, m.betweenWallsB);
    SetPosition(ctx, 4, xyt, et, m.betweenWallsA);
    SetPosition(ctx, 9, xxf, ef, m.betweenWallsB);
    SetPosition(ctx, 10, xyf, ef, m.betweenWallsA);
    SetPosition(ctx, 19, xxp, ep, m.belowLid);
    // The hatch's bars are spread from the corner to its base point.
    SetPosition(ctx, 20, 0, et, ModuleFormulas::SmallerMagnitude(s.hatchLx, s.hatchLy) * 100.0f);

    if (IsBuriedCalc(s.calcState)) {
        // Earth and ground water press from outside: the span steel lies at the inner faces.
        SetPosition(ctx, 5, 0, ef, m.alongB);
        SetPosition(ctx, 6, 0, ef, m.alongA);
        SetPosition(ctx, 7, mxf, ef, m.betweenWallsB);
        SetPosition(ctx, 8, myf, ef, m.betweenWallsA);
        SetPosition(ctx, 11, 0, ep, m.alongA);
        SetPosition(ctx, 12, 0, ep, m.belowLid);
        SetPosition(ctx, 13, myp1, ep, m.betweenWallsA);
        SetPosition(ctx, 14, mxp1, ep, m.betweenSlabs);
        SetPosition(ctx, 15, 0, ep, m.alongB);
        SetPosition(ctx, 16, 0, ep, m.belowLid);
        SetPosition(ctx, 17, myp2, ep, m.betweenWallsB);
        SetPosition(ctx, 18, mxp2, ep, m.betweenSlabs);
    } else {
        SetPosition(ctx, 5, mxf, ef, m.alongB);
        SetPosition(ctx, 6, myf, ef, m.alongA);
        SetPosition(ctx, 7, 0, ef, m.betweenWallsB);
        SetPosition(ctx, 8, 0, ef, m.betweenWallsA);
        SetPosition(ctx, 11, myp1, ep, m.alongA);
        SetPosition(ctx, 12, mxp1, ep, m.belowLid);
        SetPosition(ctx, 13, 0, ep, m.betweenWallsA);
        SetPosition(ctx, 14, 0, ep, m.betweenSlabs);
        SetPosition(ctx, 15, myp2, ep, m.alongB);
        SetPosition(ctx, 16, mxp2, ep, m.belowLid);
        SetPosition(ctx, 17, 0, ep, m.betweenWallsB);
        SetPosition(ctx, 18, 0, ep, m.betweenSlabs);
    }

    ModulersvARM::DesignPositions(ctx, ModulersvARM::DistributionRule::TwoWay);
}

} // namespace ModuleCalcEsforcos_AsC
