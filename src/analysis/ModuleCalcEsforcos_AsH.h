#pragma once

class CalcContext;

/// The horizontal reinforcement layout: moments, thickness review and reinforcement positions.
/// The walls carry the water and the earth horizontally, as a closed rectangular ring of sides
/// a and b at the base; lid and bottom are plates designed by Marcus's method.
namespace ModuleCalcEsforcos_AsH {

/// The layout's driver: header and loads, moments, thickness review, positions. Raises
/// CalcError when the calculation cannot be completed; the caller keeps no partial result.
void CalculateHorizontalTank(CalcContext &ctx);

/// The moment step: writes the eight ring moments, whole kgf·m per metre, to Text_a(16) to
/// Text_a(23): spans and corners of the full tank ("Mx+", "Xx-", "My+", "Xy-"), negative when
/// the earth outside prevails, then of the empty tank ("Mx-", "Xx+", "My-", "Xy+"), 0 when
/// nothing pushes inwards.
void HorizontalWallMoments(CalcContext &ctx);

/// The layout's section-thickness review, members in the order wall, lid, bottom; stores the
/// wall's and the bottom's crack checks in crackResults.
void ReviewThicknessesHorizontal(CalcContext &ctx);

/// Fills the twenty reinforcement positions from the moment fields as they stand and the
/// plate moments, and designs them.
void HorizontalPositions(CalcContext &ctx);

} // namespace ModuleCalcEsforcos_AsH
