#include "core/CalcContext.h"

#include "core/Numbers.h"
#include "input/InputForms.h"
#include "settings/FormCFGModel.h"

#include <stdexcept>
#include <utility>

FormModels::FormModels()
    : FormTipoElev(MakeFormTipoElev())
    , FormDadosGeometricos(MakeFormDadosGeometricos())
    , FormPosTampa(MakeFormPosTampa())
    , FormDadosEnterrada(MakeFormDadosEnterrada())
    , FormCFG(MakeFormCFG())
{
}

CalcContext::CalcContext(std::unique_ptr<RegionalSettings> regional)
    : m_regional(std::move(regional))
{
    if (!m_regional)
        throw std::invalid_argument("CalcContext needs regional settings");
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
