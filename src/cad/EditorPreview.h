#pragma once

#include "draw/Scene.h"

#include <array>
#include <string>

/// The reinforcement editor's preview: what "Desenha As" will put in the drawing for the ticks of
/// the four check boxes (sixteen pictures for longitudinal bars, four for transverse ones, whose
/// number and dimension ticks do not apply).
namespace EditorPreview {

/// `checks`: add to the bar schedule, position number, description, automatic dimension
/// (Check1, Check2, Check3, Check4).
draw::Scene Build(bool longitudinal, const std::array<bool, 4> &checks,
                  const std::string &description);

} // namespace EditorPreview
