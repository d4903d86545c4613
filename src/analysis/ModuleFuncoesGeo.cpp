#include "analysis/ModuleFuncoesGeo.h"

namespace ModuleFuncoesGeo {

float OuterVolume(float a, float b, float h)
{
    return a * b * h;
}

float UsefulVolume(float a, float b, float hLessLid, float ep, float ef)
{
    return (a - 2.0f * ep) * (b - 2.0f * ep) * (hLessLid - ef);
}

} // namespace ModuleFuncoesGeo
