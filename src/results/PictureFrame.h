#pragma once

#include "draw/Scene.h"

/// Room around a results picture for its labels: the painter fits a scene by its extent, and
/// the extent of a text is an estimate from its number of characters, a little short for the
/// window's font; a frame on a hidden layer keeps the labels at the picture's edges whole.
namespace PictureFrame {

inline constexpr const char *kFrameLayer = "Moldura";

/// Adds to the scene a hidden rectangle `fraction` of the scene's width and height larger on
/// every side than the scene's present extent.
void AddMargin(draw::Scene &scene, double fraction = 0.08);

} // namespace PictureFrame
