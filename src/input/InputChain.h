#pragma once

#include <array>
#include <cstdint>
#include <string>

class FormModel;

/// The order of the input windows and the choice of the reinforcement layout, without the
/// windows: tank kind → geometry → lid → buried-tank data (buried tanks only) → reinforcement
/// layout → results, and back the same way.
namespace InputChain {

/// The windows of the chain, the results window last.
enum class InputWindow {
    FormTipoElev,
    FormDadosGeometricos,
    FormPosTampa,
    FormDadosEnterrada,
    FormPosicaoAs,
    FormResultados,
};

enum class Direction { Forward, Back };

/// The window's form name ("FormDadosGeometricos"), as the screen knows it.
std::string FormName(InputWindow window);

/// The one decision of the chain: which window a forward or back button of `from` shows, for
/// the current calcState. The lid window goes on to the buried-tank window only for a buried
/// tank (calcState 20), and the layout window goes back to it only then; otherwise both go
/// straight between lid and layout. A button that has nowhere to go (the tank-kind window has
/// no back button, the results window no forward one) gives `from` itself.
InputWindow NextWindow(InputWindow from, Direction direction, std::int16_t calcState);

/// One of the layout window's three options.
struct LayoutOption
{
    const char *optionName; ///< control name in FormPosicaoAs
    std::int16_t code; ///< what calcState gains when the calculation is launched
    const char *resultsCaption; ///< caption of the results window
};

/// OptionHorizontal (1000), OptionVertical (2000), OptionDuasDir (3000), in that order.
const std::array<LayoutOption, 3> &LayoutOptions();

/// The option read as the calculate button reads it: OptionHorizontal if set, else
/// OptionVertical if set, else OptionDuasDir.
const LayoutOption &ChosenLayout(const FormModel &formPosicaoAs);

/// The option of a layout code (1000, 2000, 3000); null for any other code.
const LayoutOption *LayoutOptionOf(std::int16_t layoutCode);

/// Sets the option of `layoutCode` and clears the other two, as a click on an option of the
/// group does. Any other code is a programming error (std::invalid_argument).
void ChooseLayout(FormModel &formPosicaoAs, std::int16_t layoutCode);

/// The ground-water box of the buried-tank window as a click leaves it: ticked, Texthna is
/// shown; cleared, Texthna is hidden and emptied, which reads as hna = 0.
void SetGroundWaterBox(FormModel &formDadosEnterrada, bool ticked);

/// The layout proposed from the tank's proportions (single precision, comparisons exactly as
/// written): horizontal for a tall tank (2·a ≤ h and 2·b ≤ h); two-way when the tank is not
/// flat and its plan ratio a/b stays below 2 (2·h > a, 2·h > b and 2·b > a); vertical
/// otherwise. Returns the layout code.
std::int16_t ProposedLayout(float a, float b, float h);

/// Chooses the proposed layout in the layout window; returns its code.
std::int16_t ProposeLayout(FormModel &formPosicaoAs, float a, float b, float h);

} // namespace InputChain
