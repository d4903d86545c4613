#pragma once

#include <string>
#include <string_view>
#include <vector>

class CalcContext;

/// The plain-text exchange files read by the drawing platform, as lines (without line ends).
/// Every value goes through ExchangeLine before it is written; io writes the lines with CR LF,
/// whole, under a temporary name that is then renamed (ModuleCAD).
namespace CadExchange {

inline constexpr std::string_view kDetailingFile = "RSV_DET.ENT";
inline constexpr std::string_view kLegendFile = "RSV_LGD.ENT";
inline constexpr std::string_view kFormatFile = "RSV_DFM.ENT";
inline constexpr std::string_view kScaleFile = "RSV_ESC.ENT";
inline constexpr std::string_view kEditorFile = "RSV_EAS.ENT";

/// The number of lines of the detailing file.
inline constexpr int kDetailingLines = 116;

/// A value as an exchange line: the first "," turned into ".", trailing blanks removed. A line
/// break inside a value (pasted into a legend field) becomes a blank, so that every value stays
/// on its own line.
std::string ExchangeLine(std::string_view value);

/// A field's text as a dimension: read with two decimals (an empty or unreadable text as 0),
/// times 100 (metres to centimetres), as the text of a double.
std::string DimensionText(std::string_view fieldText);

/// The 116 lines of "RSV_DET.ENT": the tank's dimensions from the results fields, the settings
/// texts, the 20 positions (five lines each; an excluded one as "0", "0", gauge, "0", "0"), the
/// lid opening and the corner-steel percentage.
std::vector<std::string> DetailingLines(const CalcContext &ctx);

/// The five legend texts (project, client, site, person responsible, notes), one a line.
std::vector<std::string> LegendLines(const CalcContext &ctx);

/// The two lines of "RSV_DFM.ENT": sheet width and height in centimetres.
std::vector<std::string> FormatLines(std::string_view widthCm, std::string_view heightCm);

/// The one line of "RSV_ESC.ENT": the scale denominator.
std::vector<std::string> ScaleLines(std::string_view denominator);

} // namespace CadExchange
