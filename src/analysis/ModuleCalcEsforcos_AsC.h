#pragma once

class CalcContext;

/// The two-way reinforcement layout: moments, thickness review and reinforcement positions.
namespace ModuleCalcEsforcos_AsC {

/// The layout's driver: header and loads, moments, thickness review, positions. Runs only for
/// calcState 3010 or 3020 matching the tank-kind window's option. Raises CalcError when the
/// calculation cannot be completed, and then leaves the design state, the results fields and
/// the positions as they were before the call.
void CalculateTwoWayTank(CalcContext &ctx);

/// The moment step: Marcus's plate moments of lid, walls and bottom (kgf·m per m, signed as
/// their loads) written to their fourteen results fields with two decimals. Every member is a
/// plate spanning both ways; a wall takes half its base pressure as a uniform load.
void TwoWayMoments(CalcContext &ctx);

/// The layout's section-thickness review: lid, walls, bottom, each for the largest whole
/// magnitude of its moments shown when the review starts; the wall's and bottom's crack checks
/// go to crackResults.
void ReviewThicknessesTwoWay(CalcContext &ctx);

/// Fills the twenty reinforcement positions from the moment fields (their magnitudes) and the
/// thicknesses, and designs them with the two-way distribution rule.
void TwoWayPositions(CalcContext &ctx);

} // namespace ModuleCalcEsforcos_AsC
