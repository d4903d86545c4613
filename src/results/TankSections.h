#pragma once

#include "draw/Scene.h"

class CalcContext;

/// The two sections of the results window's "Geometria" tab: the tank cut horizontally (plan
/// a × b with the walls) and vertically (across the length b: lid, walls, bottom, the water
/// level and, for a buried tank, the ground and the ground water), with the final thicknesses
/// and the dimensions written as the results fields hold them.
namespace TankSections {

enum class View {
    Horizontal, ///< Image1(0), "Corte Horizontal"
    Vertical, ///< Image1(1), "Corte Vertical"
};

inline constexpr const char *kConcreteLayer = "Concreto";
inline constexpr const char *kDimensionLayer = "Cotas";
inline constexpr const char *kWaterLayer = "Agua";
inline constexpr const char *kSoilLayer = "Solo";

/// The section, with its concrete in the group "Secao" and its dimensions in "Cotas".
draw::Scene Build(const CalcContext &ctx, View view);

} // namespace TankSections
