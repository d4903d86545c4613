#include "analysis/ModuleCalcEsforcos_AsH.h"

#include "core/CalcContext.h"
#include "core/CalcError.h"

namespace ModuleCalcEsforcos_AsH {

void CalculateHorizontalTank(CalcContext &)
{
    throw CalcError("Cálculo deste arranjo de armaduras ainda não disponível.");
}

void HorizontalWallMoments(CalcContext &) { }

void ReviewThicknessesHorizontal(CalcContext &) { }

void HorizontalPositions(CalcContext &) { }

} // namespace ModuleCalcEsforcos_AsH
