#include "draw/CadColors.h"

#include <array>
#include <cmath>

namespace CadColors {

namespace {

constexpr std::array<Rgb, 10> kFirst = { {
        { 0, 0, 0 }, // 0: by block, drawn black
        { 255, 0, 0 },
        { 255, 255, 0 },
        { 0, 255, 0 },
        { 0, 255, 255 },
        { 0, 0, 255 },
        { 255, 0, 255 },
        { 0, 0, 0 }, // 7: white on a dark screen, black on paper
        { 128, 128, 128 },
        { 192, 192, 192 },
} };

constexpr std::array<std::uint8_t, 6> kGreys = { 51, 80, 105, 130, 190, 255 };

/// Value of the five shades of a hue, from the full colour to the darkest.
constexpr std::array<double, 5> kShade = { 1.0, 0.8, 0.6, 0.5, 0.3 };

Rgb hsv(double hueDeg, double saturation, double value)
{
    const double c = value * saturation;
    const double h = std::fmod(hueDeg, 360.0) / 60.0;
    const double x = c * (1.0 - std::fabs(std::fmod(h, 2.0) - 1.0));
    double r = 0, g = 0, b = 0;
    if (h < 1) {
        r = c, g = x;
    } else if (h < 2) {
        r = x, g = c;
    } else if (h < 3) {
        g = c, b = x;
    } else if (h < 4) {
        g = x, b = c;
    } else if (h < 5) {
        r = x, b = c;
    } else {
        r = c, b = x;
    }
    const double m = value - c;
    const auto byte = [](double v) { return static_cast<std::uint8_t>(std::lround(v * 255.0)); };
    return { byte(r + m), byte(g + m), byte(b + m) };
}

} // namespace

Rgb rgbOf(int index)
{
    if (index < 1 || index > 255)
        return { 0, 0, 0 };
    if (index < 10)
        return kFirst[static_cast<std::size_t>(index)];
    if (index >= 250) {
        const std::uint8_t v = kGreys[static_cast<std::size_t>(index - 250)];
        return { v, v, v };
    }
    // 10 to 249: 24 hues 15 degrees apart, each in five shades, full and half saturated.
    const int k = index - 10;
    const double hue = 15.0 * (k / 10);
    const int sub = k % 10;
    return hsv(hue, sub % 2 == 0 ? 1.0 : 0.5, kShade[static_cast<std::size_t>(sub / 2)]);
}

std::string_view nameOf(int index)
{
    switch (index) {
    case 1:
        return "Vermelho";
    case 2:
        return "Amarelo";
    case 3:
        return "Verde";
    case 4:
        return "Ciano";
    case 5:
        return "Azul";
    case 6:
        return "Magenta";
    case 7:
        return "Preto";
    default:
        return {};
    }
}

} // namespace CadColors
