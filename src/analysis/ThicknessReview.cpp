#include "analysis/ThicknessReview.h"

#include "analysis/ModuleCalcEsforcos.h"
#include "core/CalcContext.h"
#include "core/CalcError.h"
#include "core/Numbers.h"
#include "design/ModuleDimFlex.h"

#include <algorithm>

namespace ThicknessReview {

namespace {

/// The largest thickness the review may reach, m (the thickness review field's upper limit).
constexpr float kMaxThickness = 9.99f;

const char *memberName(Member member)
{
    return member == Member::Wall ? "paredes" : "fundo";
}

/// One raise of 0.01 m, refused when it would pass the largest thickness or leave no room
/// between the walls.
void raise(CalcContext &ctx, float &thickness, const char *what, bool isWall)
{
    const float raised = thickness + 0.01f;
    if (!(raised <= kMaxThickness)) {
        throw CalcError(std::string("A revisão das espessuras não encontrou uma espessura de ")
                        + what + " até " + ctx.text(kMaxThickness)
                        + " m que atenda ao cálculo. Revise as dimensões, os carregamentos ou os "
                          "parâmetros de cálculo (fck, aço, abertura de fissuras).");
    }
    if (isWall) {
        const DesignState &s = ctx.state;
        const float smaller = std::min(s.widthA, s.lengthB);
        if (!(2.0f * raised < smaller)) {
            // Shown to the centimetre, as the thickness fields show it, not as the single
            // that repeated additions of 0.01 leave (1.289999).
            throw CalcError("A revisão das espessuras levaria as paredes a "
                            + ctx.text(TextToNumber(raised, "0.00"))
                            + " m, metade ou mais da menor dimensão em planta (" + ctx.text(smaller)
                            + " m): não resta espaço interno. Aumente as dimensões a e b ou "
                              "revise os carregamentos e os parâmetros de cálculo.");
        }
    }
    thickness = raised;
}

/// The crack check of a member carrying `moment` at `thickness` (m): the steel that carries the
/// design moment (kgf·m per m, the scale of the position design) at that depth; a section that
/// cannot carry it fails the check with an empty record.
CrackCheck crackAt(const CalcContext &ctx, float moment, float thickness)
{
    const DesignState &s = ctx.state;
    const float depth = thickness * 100.0f;
    const float As = ModuleDimFlex::SteelArea(s, moment, depth);
    if (!(As > 0.0f))
        return CrackCheck{};
    return ModuleDimFlex::CrackWidth(100.0f, depth, s.concreteFck, s.gammaConcrete, moment, As,
                                     s.crackRefGauge.diameterMm, s.maxCrackWidth);
}

} // namespace

Rerun RerunWith(CalcContext &ctx, void (*moments)(CalcContext &ctx))
{
    return [&ctx, moments] {
        ModuleCalcEsforcos::WriteResultsHeader(ctx);
        ModuleCalcEsforcos::ComputeLoads(ctx);
        moments(ctx);
    };
}

float RequiredThicknessFor(const CalcContext &ctx, float moment)
{
    const DesignState &s = ctx.state;
    return ModuleDimFlex::RequiredThickness(s.steelFyk, s.gammaSteel, s.concreteFck,
                                            s.gammaConcrete, moment, s.gammaLoads, s.minCover,
                                            s.asMinPercent);
}

void ReviewLid(CalcContext &ctx, float moment, const Rerun &rerun)
{
    // A saved lid is given back as it was saved.
    if (ctx.thicknessReviewMode == ThicknessReviewMode::KeepSaved)
        return;
    const float req = RequiredThicknessFor(ctx, moment);
    while (ctx.state.thicknessEt * 100.0f < req) {
        raise(ctx, ctx.state.thicknessEt, "tampa", false);
        rerun();
    }
}

CrackCheck ReviewMember(CalcContext &ctx, Member member, float moment, const Rerun &rerun,
                        bool horizontalBottom)
{
    DesignState &s = ctx.state;
    float &thickness = member == Member::Wall ? s.thicknessEp : s.thicknessEf;
    const bool isWall = member == Member::Wall;
    const char *what = memberName(member);
    if (ctx.thicknessReviewMode == ThicknessReviewMode::KeepSaved) {
        // The file holds the member 0.01 m below its design: the one raise every review makes
        // gives it back, and the results follow it. The crack check is that of the section as
        // saved, passing or not (a thinner member kept by the user may fail it).
        raise(ctx, thickness, what, isWall);
        rerun();
        return s.crackCheckOn ? crackAt(ctx, moment, thickness) : CrackCheck{};
    }
    const float req = RequiredThicknessFor(ctx, moment);
    CrackCheck crack{};
    bool passes = false;
    bool resultsBehind = false; // a raise not yet followed by a re-run

    while (!(thickness * 100.0f >= req && passes)) {
        raise(ctx, thickness, what, isWall);
        rerun();
        resultsBehind = false;
        if (!s.crackCheckOn) {
            passes = true;
        } else {
            crack = crackAt(ctx, moment, thickness);
            passes = crack.ok != 0;
        }
        if (horizontalBottom) {
            if (!(thickness * 100.0f >= req && passes)) {
                raise(ctx, thickness, what, isWall);
                resultsBehind = true;
            }
        } else if (!passes) {
            raise(ctx, thickness, what, isWall);
            resultsBehind = true;
        }
    }
    if (resultsBehind)
        rerun();
    return crack;
}

} // namespace ThicknessReview
