#include "analysis/ModuleCalcEsforcos_AsV.h"

#include "core/CalcContext.h"
#include "core/CalcError.h"

namespace ModuleCalcEsforcos_AsV {

void CalculateVerticalTank(CalcContext &)
{
    throw CalcError("Cálculo deste arranjo de armaduras ainda não disponível.");
}

void VerticalFrameMoments(CalcContext &) { }

void ReviewThicknessesVertical(CalcContext &) { }

void VerticalPositions(CalcContext &) { }

} // namespace ModuleCalcEsforcos_AsV
