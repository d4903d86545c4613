#include "core/CalcContext.h"

#include "core/Numbers.h"
#include "input/InputForms.h"
#include "settings/FormCFGModel.h"

#include <stdexcept>
#include <string>
#include <utility>

FormModels::FormModels()
    : FormTipoElev(MakeFormTipoElev()),
      FormDadosGeometricos(MakeFormDadosGeometricos()),
      FormPosTampa(MakeFormPosTampa()),
      FormDadosEnterrada(MakeFormDadosEnterrada()),
      FormCFG(MakeFormCFG()),
      FormPosicaoAs(MakeFormPosicaoAs()),
      FormAltera_e(MakeFormAltera_e()),
      FormLegenda(MakeFormLegenda())
{
}

CalcContext::CalcContext(std::unique_ptr<RegionalSettings> regional)
    : m_regional(std::move(regional))
{
    if (!m_regional)
        throw std::invalid_argument("CalcContext needs regional settings");
}

const RebarPosition &CalcContext::rebarPosition(int n) const
{
    if (n < 1 || n > static_cast<int>(rebarPositions.size()))
        throw std::out_of_range("rebarPosition: no position " + std::to_string(n));
    return rebarPositions[static_cast<std::size_t>(n - 1)];
}

RebarPosition &CalcContext::rebarPosition(int n)
{
    return const_cast<RebarPosition &>(std::as_const(*this).rebarPosition(n));
}

void CalcContext::setRegional(std::unique_ptr<RegionalSettings> regional)
{
    if (regional)
        m_regional = std::move(regional);
}

std::string CalcContext::text(float value) const
{
    return SingleText(value, *m_regional);
}

std::string CalcContext::text(double value) const
{
    return DoubleText(value, *m_regional);
}

CalcSnapshot::CalcSnapshot(const CalcContext &ctx)
    : state(ctx.state),
      results(ctx.results),
      positions(ctx.rebarPositions),
      quantities(ctx.materialQuantities)
{
}

void CalcSnapshot::restore(CalcContext &ctx) const
{
    ctx.state = state;
    ctx.results = results;
    ctx.rebarPositions = positions;
    ctx.materialQuantities = quantities;
}
