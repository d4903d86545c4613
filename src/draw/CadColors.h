#pragma once

#include <cstdint>
#include <string_view>

/// The CAD colour index: 256 colours numbered as drawing programs number them, so that a layer
/// colour chosen in the settings, painted on screen and written to DXF is the same colour.
namespace CadColors {

struct Rgb
{
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

/// The colour of an index 1 to 255; index 7 is black, as it prints on white paper. Indices
/// outside 1 to 255 give black.
Rgb rgbOf(int index);

/// The Portuguese name of the seven named colours ("Vermelho", "Amarelo", "Verde", "Ciano",
/// "Azul", "Magenta", "Preto"); empty for any other index.
std::string_view nameOf(int index);

} // namespace CadColors
