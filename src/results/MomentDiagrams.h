#pragma once

#include "draw/Scene.h"

#include <cstdint>
#include <string>
#include <vector>

class CalcContext;

/// The bending-moment pictures of the results window's "Momentos" tab and of the report, drawn
/// from the moment fields of the current layout with every computed value written at its
/// place: the horizontal layout's ring of walls for the full and the empty tank, the vertical
/// layout's closed frame (lid, walls, bottom) for the full and the empty tank and both
/// superposed, and the two-way layout's plates (lid, walls, bottom) with their span and edge
/// moments.
///
/// Each member's diagram is a parabola hung from the straight line between its end moments,
/// the corner or edge moments taken as hogging (drawn as −X): the frame's simple-span moments
/// hang from that line, the ring's and the plates' net span moments are reached at mid length.
/// Values are drawn with the sign their field holds, positive towards the inside of the frame,
/// ring or plate; the picture's largest value is drawn at a fifth of the smaller dimension.
namespace MomentDiagrams {

enum class Picture {
    HorizontalFull, ///< imgashche
    HorizontalEmpty, ///< imgashvaz
    VerticalFull, ///< imgasvche, in picmom(0), tab "Cheio"
    VerticalEmpty, ///< imgasvvaz, in picmom(1), tab "Vazio"
    VerticalSuperposition, ///< imgasvchevaz, in picmom(2), tab "Superposição dos Diagramas"
    TwoWayFull, ///< imgascruzche
    TwoWayEmpty, ///< imgascruzvaz
};

/// The pictures of a layout (1000, 2000, 3000), in the window's order; none for another code.
std::vector<Picture> PicturesOf(std::int16_t layout);

/// The picture control's name ("imgashche").
std::string PictureName(Picture picture);

/// "Mx+ = 1234" from a caption and a results field.
std::string MomentLabel(const CalcContext &ctx, const char *caption, int field);

/// Layers: the structure's axes, the diagram of the full and of the empty tank, the texts.
inline constexpr const char *kAxisLayer = "Eixos";
inline constexpr const char *kFullLayer = "Cheio";
inline constexpr const char *kEmptyLayer = "Vazio";
inline constexpr const char *kTextLayer = "Textos";

/// One picture for the current results. Every member is a group ("Tampa", "Fundo",
/// "ParedeEsquerda", "ParedeDireita", "ParedeA", "ParedeB"…) holding its axis, its curves and
/// the labels of its values.
draw::Scene Build(const CalcContext &ctx, Picture picture);

} // namespace MomentDiagrams
