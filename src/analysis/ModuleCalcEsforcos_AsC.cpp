#include "analysis/ModuleCalcEsforcos_AsC.h"

#include "core/CalcContext.h"
#include "core/CalcError.h"

namespace ModuleCalcEsforcos_AsC {

void CalculateTwoWayTank(CalcContext &)
{
    throw CalcError("Cálculo deste arranjo de armaduras ainda não disponível.");
}

void TwoWayMoments(CalcContext &) { }

void ReviewThicknessesTwoWay(CalcContext &) { }

void TwoWayPositions(CalcContext &) { }

} // namespace ModuleCalcEsforcos_AsC
