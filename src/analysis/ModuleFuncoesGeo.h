#pragma once

/// Geometry of the tank box. Lengths in metres, volumes in m³, all in single precision like
/// the design values they are made from.
namespace ModuleFuncoesGeo {

/// The volume of the box by its outer dimensions: a · b · h.
float OuterVolume(float a, float b, float h);

/// The inner volume of the box, (a − 2·ep) · (b − 2·ep) · (h′ − ef), where h′ is the height
/// already reduced by the lid (h − et). It is the whole inner volume, not the volume of water
/// up to the water level.
float UsefulVolume(float a, float b, float hLessLid, float ep, float ef);

} // namespace ModuleFuncoesGeo
