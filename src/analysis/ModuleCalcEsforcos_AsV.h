#pragma once

class CalcContext;

/// The vertically reinforced tank: across the length b, the lid, the two walls and the bottom
/// form a closed rectangular frame with rigid corners, and the walls carry their load
/// vertically. Moments in kgf·m per metre of width.
namespace ModuleCalcEsforcos_AsV {

/// The layout's driver: header and loads, moments, thickness review, positions. Raises
/// CalcError when the calculation cannot be completed, and then leaves the design state, the
/// results fields and the positions as they were before the call.
void CalculateVerticalTank(CalcContext &ctx);

/// The moment step: the full and empty cases of the frame and their combination, written to
/// the results fields 24, 26, 27, 29 to 33, 35, 37 to 40, 42 and 44 with two decimals. Case
/// moments carry the sign of their member's load; combinations are magnitudes.
void VerticalFrameMoments(CalcContext &ctx);

/// The section-thickness review, lid, wall, bottom, with the design moments read from the
/// combination fields when it starts; stores the wall's and the bottom's crack checks.
void ReviewThicknessesVertical(CalcContext &ctx);

/// Rebuilds the twenty reinforcement positions from the combination fields, the wall panel's
/// plate moments and the thicknesses, and designs them.
void VerticalPositions(CalcContext &ctx);

} // namespace ModuleCalcEsforcos_AsV
