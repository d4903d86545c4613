#pragma once

#include "draw/Scene.h"

#include <array>
#include <string>
#include <vector>

class CalcContext;

/// The four load pictures of the results window's "Cargas" tab and of the report: the tank in
/// vertical section (across the length b) and in horizontal section (plan a × b), full and
/// empty, with every load of Text_a(9) to Text_a(15) that acts in that case drawn as arrows in
/// its direction and written with its value. Built from the actual dimensions and the results
/// fields only.
namespace LoadDiagrams {

/// The three kinds of load picture: which loads exist.
enum class TankCase {
    Elevated, ///< lid load A, water B and C
    BuriedWithGroundWater, ///< A, B, reaction D, soil E, ground water F, uplift G
    BuriedWithoutGroundWater, ///< A, B, D, E
};

/// The four pictures, in the order the window places them.
enum class Picture {
    FullVertical, ///< imgcgachever, "Caixa Cheia - Corte Vertical"
    EmptyVertical, ///< imgcgavazver, "Caixa Vazia - Corte Vertical"
    FullHorizontal, ///< imgcgachehor, "Caixa Cheia - Corte Horizontal"
    EmptyHorizontal, ///< imgcgavazhor, "Caixa Vazia - Corte Horizontal"
};
inline constexpr std::array<Picture, 4> kPictures{ Picture::FullVertical, Picture::EmptyVertical,
                                                   Picture::FullHorizontal,
                                                   Picture::EmptyHorizontal };

/// The picture control's name ("imgcgachever") and its caption ("Caixa Cheia - Corte Vertical").
std::string PictureName(Picture picture);
std::string Caption(Picture picture);

/// The case of the current project, as the results window chooses its pictures: the tank-kind
/// window's OptionElevada, else the buried-tank window's Checkhna.
TankCase TankCaseOf(const CalcContext &ctx);

/// The loads that act in a picture, by symbol ('A' to 'G'), in alphabetical order. A buried
/// full tank's bottom is loaded by the ground (D, G), not by the water C, which goes straight
/// into the ground.
std::vector<char> LoadsShown(TankCase tankCase, Picture picture);

/// The label of a load: "A = -150 kgf/m²", the value as its results field holds it.
std::string LoadLabel(const CalcContext &ctx, char symbol);

/// Layers of the pictures.
inline constexpr const char *kOutlineLayer = "Contorno";
inline constexpr const char *kConcreteLayer = "Concreto";
inline constexpr const char *kWaterLayer = "Agua";
inline constexpr const char *kSoilLayer = "Solo";
inline constexpr const char *kLoadLayer = "Cargas";
inline constexpr const char *kTextLayer = "Textos";

/// One picture for the current project and its results. Each load is a group named after its
/// symbol ("A"), holding its arrows and its label; the tank is the group "Secao".
draw::Scene Build(const CalcContext &ctx, Picture picture);
/// The same for a given case (the report chooses it from the saved project).
draw::Scene Build(const CalcContext &ctx, Picture picture, TankCase tankCase);

} // namespace LoadDiagrams
