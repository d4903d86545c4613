#include "design/CheckedArithmetic.h"

#include "core/CalcError.h"
#include "core/Numbers.h"

#include <cmath>
#include <limits>
#include <string>

namespace {

const char *const kAdvice = " Verifique as dimensões e espessuras do reservatório e os parâmetros "
                            "em Configurações > Configurações de Cálculo, e calcule de novo.";

} // namespace

namespace CheckedArithmetic {

float Finite(float value, const char *where)
{
    if (!std::isfinite(value))
        throw CalcError(std::string("Resultado numérico inválido (estouro ou operação indefinida) ")
                        + where + "." + kAdvice);
    return value;
}

float Quotient(float num, float den, const char *where)
{
    Finite(num, where);
    Finite(den, where);
    if (den == 0.0f)
        throw CalcError(std::string("Divisão por zero ") + where + "." + kAdvice);
    return Finite(num / den, where);
}

std::int16_t BarNumber(double count, const char *where)
{
    if (!std::isfinite(count))
        throw CalcError(std::string("Resultado numérico inválido (estouro ou operação indefinida) ")
                        + where + "." + kAdvice);
    if (!(count >= std::numeric_limits<std::int16_t>::min()
          && count <= std::numeric_limits<std::int16_t>::max()))
        throw CalcError(std::string("O número de barras ") + where + " (" + DoubleTextC(count)
                        + ") passa do limite de 32767." + kAdvice);
    return ToInt16(count);
}

} // namespace CheckedArithmetic
