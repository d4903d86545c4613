#pragma once

#include "core/FormModel.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/// What the windows over the drawing platform decide, without the windows: the sheet size and
/// the scale they write, the drawing settings of "RSV_ACAD.CFG" in the settings window's
/// controls, and the reinforcement editor's position request.
namespace CadForms {

// ---- Sheet format and scale ----------------------------------------------------------------

/// The sheet of format option 1 to 6 (A4 … A0, "Personalizado") as the width and height lines
/// in centimetres; the custom sheet from its fields in millimetres, ÷ 10. Nothing when a custom
/// field is empty or "0".
std::optional<std::pair<std::string, std::string>> SheetSize(int option, std::string_view customX,
                                                             std::string_view customY);

/// The scale denominator of scale option 1 to 8 ("1 : 100" … "1 : 20", option 7 the custom
/// field); nothing when the custom field is empty or "0".
std::optional<std::string> ScaleValue(int option, std::string_view custom);

// ---- Drawing settings "RSV_ACAD.CFG" -------------------------------------------------------

inline constexpr std::string_view kConfigFile = "RSV_ACAD.CFG";
inline constexpr int kConfigLines = 32;

/// The layer names of the colour pickers `AcadColor8` to `AcadColor17`, in file order.
const std::array<std::string_view, 10> &LayerNames();
/// The text styles of the font fields `Text1` to `Text5`, in file order.
const std::array<std::string_view, 5> &TextStyleNames();

/// The settings window's controls: `Option1`..`Option4` (tick), `NumberBox1`..`NumberBox3`,
/// `Text1`..`Text13`, `AcadColor8`..`AcadColor17` (state = colour number), `Check1`..`Check5`.
FormModel MakeFormCADCfg();

/// Fills the controls from the file's lines. Under a decimal comma the first "." of every line
/// is first turned into ","; the font lines turn every "," back into ".". Returns how many of the
/// 32 lines were missing (their controls keep their load-time values).
int ReadCadConfig(FormModel &form, const std::vector<std::string> &lines, bool decimalComma);

/// The 32 lines "OK" writes back, decimals with ".".
std::vector<std::string> CadConfigLines(const FormModel &form);

/// The spinner of style n (1 to 5) on its height field `Text`(n+8): read with "0", ± step.
void SpinHeight(FormModel &form, int style, int step);

// ---- Reinforcement editor ------------------------------------------------------------------

/// The gauge lists of the editor.
std::vector<std::string> EditorGauges(bool inches);
/// "1" to "30".
std::vector<std::string> EditorBarCounts();
/// "5", "7.5", … "30".
std::vector<std::string> EditorSpacings();

/// What the editor holds in its current mode.
struct EditorEntry
{
    bool longitudinal = true;
    std::string position;
    std::string bars; ///< transverse by spacing: the placeholder shown, sent as "0"
    std::string gauge;
    std::string spacing; ///< transverse by bar count: the placeholder shown, sent as "0"
    std::string length; ///< longitudinal: "a definir", sent as "0"
    bool byBarCount = true; ///< transverse: "Nº de Barras" (else "Espaçamento")
    std::array<bool, 4> checks{ true, true, true, true }; ///< Check1 … Check4
};

/// "(N" + position + ") = " + bars + " " + gauge + "c" + spacing + " - " + length.
std::string EditorDescription(const EditorEntry &e);

/// The first field that refuses "Desenha As", with its message; nothing when all are valid.
struct EditorProblem
{
    std::string field; ///< "position", "bars", "spacing", "length"
    std::string message;
};
std::optional<EditorProblem> CheckEditor(const EditorEntry &e);

/// The nine texts of the position request, as the lines of "RSV_EAS.ENT".
std::vector<std::string> EditorRequest(const EditorEntry &e);

/// The position number after the +1 or −1 button; −1 leaves 1 as it is.
std::string StepPosition(std::string_view position, int step);

} // namespace CadForms
