#pragma once

class CalcContext;

/// The vertical reinforcement layout: moments, thickness review and reinforcement positions.
namespace ModuleCalcEsforcos_AsV {

/// The layout's driver: header and loads, moments, thickness review, positions. Raises
/// CalcError when the calculation cannot be completed; the caller keeps no partial result.
void CalculateVerticalTank(CalcContext &ctx);

/// The moment step: writes the layout's moment fields of the results.
void VerticalFrameMoments(CalcContext &ctx);

/// The layout's section-thickness review.
void ReviewThicknessesVertical(CalcContext &ctx);

/// Fills the twenty reinforcement positions and designs them.
void VerticalPositions(CalcContext &ctx);

} // namespace ModuleCalcEsforcos_AsV
