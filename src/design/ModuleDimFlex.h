#pragma once

#include "design/CrackCheck.h"

#include <cstdint>

class CalcContext;
struct DesignState;

/// Section design of one-metre strips (ultimate limit state, rectangular stress block of depth
/// 0.8·x at 0.85·fcd), the crack-width check, and the turning of a steel area into bars.
///
/// Units: moments in kgf·m per metre of width; depths, thicknesses, covers, spacings and bar
/// lengths in cm; fck, fyk and stresses in kgf/cm²; steel areas in cm² per metre; bar
/// diameters in mm; crack widths in cm.
///
/// Everything is computed in single precision, constants included, so that the same inputs
/// give the same texts everywhere. The parameters are read from the design state at each call,
/// never cached. An arithmetic fault (a division by zero, an overflow, a count beyond 16 bits)
/// raises CalcError with a message for the user; no operation returns a NaN or an infinity.
namespace ModuleDimFlex {

/// Minimum steel, cm² per m: `pct` percent of a 100 cm wide section of height `h` cm.
float MinSteelArea(float pct, float h);

/// Steel area for the characteristic moment `Mk` (kgf·m per m) at depth `d` (cm), at least the
/// minimum steel of `asMinPercent2`; 0 when the section cannot carry the moment.
float SteelArea(const DesignState &state, float Mk, float d);

/// Thickness (cm, fractional) for which a section carries `Mk` at the limit depth of the
/// stress block with no more steel than `pct` percent of the section: the square-root
/// estimate plus the cover `c`, raised in whole centimetres.
float RequiredThickness(float fyk, float gammaS, float fck, float gammaC, float Mk, float gammaF,
                        float c, float pct);

/// Crack width of a section `b` × `h` (cm) under the moment `M` with steel `As` of bars of
/// `phi` mm, compared with the allowed width `wmax` (cm).
CrackCheck CrackWidth(float b, float h, float fck, float gammaC, float M, float As, float phi,
                      float wmax);

/// One fifth of a main area, but never less than 0.9 cm² per m.
float DistributionFloor(float area);

/// Area of position `i`, which carries no moment: the minimum steel of its member, or for the
/// wall positions 11, 13, 15 and 17 as companion `p` the distribution floor of the companion's
/// area when that is larger. Vertical and horizontal layouts.
float DistributionArea(const CalcContext &ctx, int p, int i);

/// As DistributionArea, for the two-way layout: the companion rule applies only to a buried
/// tank, with the companions 11, 12, 15 and 16.
float DistributionAreaTwoWay(const CalcContext &ctx, int p, int i);

/// Bars per metre of gauge `phi` (mm) for the area `As`, raised to the minimum steel of
/// `asMinPercent` over depth `d`; an exact multiple of the bar area still gets one bar more.
/// 0 when As is not positive.
std::int16_t BarCount(const DesignState &state, float As, float d, float phi);

/// Cross-section of one bar of `phi` mm, cm², held as a single.
float BarArea(const DesignState &state, float phi);

/// Spacing (cm) of `n` bars per metre: whole centimetres cut down to a multiple of
/// `spacingMultiple`; 0 when n is not positive or beyond 100.
float BarSpacing(const DesignState &state, std::int16_t n);

/// Number of bars at spacing `s` (or `n` when there is no spacing) over the length `L` (cm),
/// never fewer than `maxSpacing` needs when the bars fit the length exactly.
std::int16_t BarsAlong(const DesignState &state, float s, std::int16_t n, float L);

/// Bar length (cm, whole) of position `i`, 1 to 20; 0 for any other number.
float BarLength(const CalcContext &ctx, int i);

/// How many times position `i` occurs in the tank: 2 for 3, 4, 9, 10; 4 for 19, 20; 1 for
/// the others; 0 outside 1 to 20.
std::int16_t Repetitions(int i);

} // namespace ModuleDimFlex
