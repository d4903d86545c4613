#pragma once

#include "draw/Scene.h"

#include <optional>

class CalcContext;

/// The key pictures of the results window's "Armaduras" tab: where the position of the
/// selected grid row lies in the tank, drawn from the tank's dimensions with that position's
/// bars highlighted. Three keys, each a set of pictures numbered as the grid rows choose them:
///
/// - key 1, the vertical section (pictures 1 to 9): 1 the lid's span bars at its underside, 2
///   the lid's edge bars over the walls, 3 the bottom's span bars at its underside, 4 at its
///   top face, 5 the bottom's edge bars under the walls, 6 and 7 a wall's outer face (vertical
///   bars, then horizontal ones), 8 and 9 its inner face;
/// - key 2, the elevation of a wall (pictures 1 to 9): positions 11 to 19, the bars of the
///   walls of length a (1 to 4), of length b (5 to 8) and the corner bars (9);
/// - key 3, the plan of lid and bottom (pictures 1 to 7): the lid's bars along a and along b
///   (1, 2), the bottom's underside bars (3, 4) and top-face bars (5, 6), the bars around the
///   hatch (7).
///
/// Picture 0 of each key is the view with nothing highlighted.
namespace PositionKeys {

/// Which picture of each key a grid row (1 to 20) shows; row 0 counts as row 1.
struct KeyPictures
{
    int k1 = 0;
    int k2 = 0;
    int k3 = 0;
    friend bool operator==(const KeyPictures &, const KeyPictures &) = default;
};
KeyPictures KeyPicturesOf(int row);

/// The axes a wall's picture is seen in: the walls of length a in the plane y-z ("rsvaxiyz"),
/// those of length b in x-z ("rsvaxixz").
enum class Axes { YZ, XZ, XY };
/// The axis picture for a row; none for rows 19 and 20, which keep the previous one.
std::optional<Axes> AxesOf(int row);

inline constexpr const char *kOutlineLayer = "Contorno";
inline constexpr const char *kBarLayer = "Barras";
inline constexpr const char *kTextLayer = "Textos";

/// Picture `picture` of key `key` (1 to 3) for the current tank; the highlighted bars are in
/// the group "Barras". An unknown key or picture gives the plain view.
draw::Scene Build(const CalcContext &ctx, int key, int picture);

/// An axis picture: two arrows with their letters.
draw::Scene AxesPicture(Axes axes);

} // namespace PositionKeys
