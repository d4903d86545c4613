#pragma once

class CalcContext;

/// The two-way reinforcement layout: moments, thickness review and reinforcement positions.
namespace ModuleCalcEsforcos_AsC {

/// The layout's driver: header and loads, moments, thickness review, positions. Raises
/// CalcError when the calculation cannot be completed; the caller keeps no partial result.
void CalculateTwoWayTank(CalcContext &ctx);

/// The moment step: writes the layout's moment fields of the results.
void TwoWayMoments(CalcContext &ctx);

/// The layout's section-thickness review.
void ReviewThicknessesTwoWay(CalcContext &ctx);

/// Fills the twenty reinforcement positions and designs them.
void TwoWayPositions(CalcContext &ctx);

} // namespace ModuleCalcEsforcos_AsC
