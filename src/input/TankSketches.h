#pragma once

#include "draw/Scene.h"

#include <optional>

class FormModel;
class RegionalSettings;

/// The pictures of the input windows, drawn from the engineer's own numbers: the two kinds of
/// tank, the box with its dimensions and water level, the lid's plan with its hatch, and the
/// section of a buried tank in its ground. Model units are metres, y upwards; texts and ticks
/// are sized from the picture's own extent, so that a fitted picture reads the same whatever
/// the tank's size.
///
/// A window reads its fields with the Read… functions, which give nothing while a value is out
/// of its limits or no box can be drawn from it; the window then keeps drawing the last values
/// that could be drawn, with `stale` set, and the scene says so in its note.
namespace TankSketches {

/// Note of a picture drawn from earlier values.
inline constexpr const char *kStaleNote = "Valores fora dos limites: desenho dos últimos válidos";

struct GeometryValues
{
    float a = 0; ///< plan dimension a, m
    float b = 0; ///< plan dimension b, m
    float h = 0; ///< height, m
    float hn = 0; ///< water level, m
};

struct LidValues
{
    float a = 0; ///< plan, m
    float b = 0;
    float X = 0; ///< hatch size along a, m
    float Y = 0; ///< hatch size along b, m
    float Lx = 0; ///< hatch base point, m
    float Ly = 0;
    float qA = 0; ///< live load on the lid, kgf/m²
};

struct BuriedValues
{
    float b = 0; ///< width of the section, the plan's shorter side, m
    float h = 0;
    float hn = 0;
    float ht = 0; ///< height of the ground at the tank, from the bottom, m
    float qt = 0; ///< surcharge on the ground, kgf/m²
    bool groundWater = false;
    float hna = 0; ///< ground-water level from the bottom, m
    float gamma = 0; ///< soil unit weight, tf/m³
    float phi = 0; ///< natural slope angle, degrees
    float slope = 0; ///< inclination of the adjacent ground, degrees
};

/// Picture of one kind of tank: the elevated tank on its four columns, or the tank buried in
/// its ground; a chosen picture is drawn in colour with a frame, the other in grey.
draw::Scene ElevatedTankSketch(bool chosen);
draw::Scene BuriedTankSketch(bool chosen);

/// The box in oblique view, a along the front, b in depth, h up, the water to hn, dimensioned
/// with the values in the regional settings.
draw::Scene GeometrySketch(const GeometryValues &v, const RegionalSettings &regional,
                           bool stale = false);
/// The lid's plan a × b with the hatch X × Y at its base point (Lx, Ly), dimensioned.
draw::Scene LidSketch(const LidValues &v, const RegionalSettings &regional, bool stale = false);
/// Vertical section of the buried tank across its width b: the ground to ht sloping away at its inclination, the
/// surcharge qt, the ground water at hna when there is some, the soil hatched.
draw::Scene BuriedSketch(const BuriedValues &v, const RegionalSettings &regional,
                         bool stale = false);

/// The values of the geometry window, or nothing while one is marked out of its limits, is not
/// a number, or makes no box (a side not above 0, b > a, hn > h).
std::optional<GeometryValues> ReadGeometry(const FormModel &geometry);
/// The lid window's values over the geometry window's plan; nothing while the hatch does not
/// fit in it or a value is out of its limits.
std::optional<LidValues> ReadLid(const FormModel &geometry, const FormModel &lid);
/// The buried-tank window's values with the geometry window's; nothing while ht is not above 0
/// or above h, hna above ht, or a value is out of its limits.
std::optional<BuriedValues> ReadBuried(const FormModel &geometry, const FormModel &buried);

/// What a picture shows: the values read now, or the last ones that could be drawn.
template <typename Values>
struct LastDrawable
{
    Values last;
    bool stale = false;

    const Values &update(const std::optional<Values> &now)
    {
        stale = !now.has_value();
        if (now)
            last = *now;
        return last;
    }
};

} // namespace TankSketches
