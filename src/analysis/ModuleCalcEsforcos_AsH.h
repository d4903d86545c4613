#pragma once

class CalcContext;

/// The horizontal reinforcement layout: moments, thickness review and reinforcement positions.
namespace ModuleCalcEsforcos_AsH {

/// The layout's driver: header and loads, moments, thickness review, positions. Raises
/// CalcError when the calculation cannot be completed; the caller keeps no partial result.
void CalculateHorizontalTank(CalcContext &ctx);

/// The moment step: writes the layout's moment fields of the results.
void HorizontalWallMoments(CalcContext &ctx);

/// The layout's section-thickness review.
void ReviewThicknessesHorizontal(CalcContext &ctx);

/// Fills the twenty reinforcement positions and designs them.
void HorizontalPositions(CalcContext &ctx);

} // namespace ModuleCalcEsforcos_AsH
