#pragma once

#include <cstdint>

class CalcContext;
struct DesignState;

/// The first two steps of every tank calculation: the results header (geometry, volumes,
/// thicknesses) and the loads on lid, walls and bottom. Surface loads in kgf/m², lengths in m,
/// unit weights in kgf/m³ (the soil's in tf/m³ as entered). Water acting from inside the tank
/// is positive; lid load, soil, ground water and ground reaction are negative.
namespace ModuleCalcEsforcos {

/// The loads of the two load cases, full ("Cheio") and empty ("Vazio"), kgf/m².
struct CaseLoads
{
    float lidLoad = 0; ///< live load plus the lid's own weight, both cases
    float wallLoadFull = 0;
    float wallLoadEmpty = 0;
    float bottomLoadFull = 0;
    float bottomLoadEmpty = 0;
};

/// The member depths and the lengths over which the bars of the positions are spread, cm, from
/// the current geometry and thicknesses. Slab bars run inside the covers or between the walls;
/// wall bars up the whole height inside the covers, below the lid, or between the slabs.
struct MemberDimensions
{
    float lidDepth = 0;
    float wallDepth = 0;
    float bottomDepth = 0;
    float alongA = 0; ///< a inside the covers
    float alongB = 0; ///< b inside the covers
    float betweenWallsA = 0; ///< a between the walls
    float betweenWallsB = 0; ///< b between the walls
    float wallHeight = 0; ///< h inside the covers
    float belowLid = 0; ///< h inside the covers, below the lid
    float betweenSlabs = 0; ///< h between lid and bottom
};
MemberDimensions MemberDimensionsOf(const DesignState &s);

/// One step of a layout's calculation.
using LayoutStep = void (*)(CalcContext &ctx);

/// The driver every layout shares: header and loads, the layout's moments, its thickness review
/// and its positions, in this order. All or nothing: when a step fails the context is put back
/// as it was and the CalcError goes on.
void RunLayout(CalcContext &ctx, LayoutStep moments, LayoutStep review, LayoutStep positions);

/// Fills the first tab of the results: a, b, h, hn, the outer and the useful volume, the three
/// thicknesses, the buried-tank frame and ht, hna. Raises CalcError, before writing anything,
/// when the walls or the lid and bottom leave no room inside the box.
void WriteResultsHeader(CalcContext &ctx);

/// Computes B and C for every tank and, for a buried tank (the tank-kind window's elevated
/// option not set), Ka, D, E, F and G; stores each rounded to a whole number in the design
/// state and writes it to the results. Raises CalcError, before storing anything, when a load
/// cannot be computed (ground steeper than the soil's natural slope, walls leaving no inner
/// plan area, a result that is not finite).
void ComputeLoads(CalcContext &ctx);

/// Coulomb's active earth pressure coefficient. φ natural slope angle of the soil, θ
/// inclination of the wall's back from the vertical, β slope of the ground behind the wall, δ
/// wall friction angle, all whole degrees. Raises CalcError when the ground is steeper than
/// the soil can stand (the coefficient has no real value) or the result is not finite.
double EarthPressureCoefficient(std::int16_t phi, std::int16_t theta, std::int16_t beta,
                                std::int16_t delta, double pi);
/// The same with π = 4·atan(1).
double EarthPressureCoefficient(std::int16_t phi, std::int16_t theta, std::int16_t beta,
                                std::int16_t delta);

/// The loads each layout analyses, from the loads stored by ComputeLoads. A buried tank's walls
/// take soil and ground water from outside, and its bottom the ground reaction and the uplift
/// (the water inside a full buried tank goes straight into the ground); an elevated tank's
/// walls and bottom carry the water alone, and nothing when empty.
CaseLoads ComputeCaseLoads(const DesignState &state);

} // namespace ModuleCalcEsforcos
