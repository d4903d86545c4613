#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The drawing platform's side of the exchange files the application writes in its program
/// folder before each command: the tank and its bars ("RSV_DET.ENT"), the drawing settings
/// ("RSV_ACAD.CFG"), the sheet ("RSV_DFM.ENT"), the scale ("RSV_ESC.ENT"), the legend
/// ("RSV_LGD.ENT") and the reinforcement editor's position request ("RSV_EAS.ENT"). Each file is
/// read whole when its command arrives and checked before anything is drawn; a missing or
/// malformed file gives a message naming the file and the line, in Portuguese.
namespace ExchangeFiles {

inline constexpr const char *kDetailingFile = "RSV_DET.ENT";
inline constexpr const char *kSettingsFile = "RSV_ACAD.CFG";
inline constexpr const char *kFormatFile = "RSV_DFM.ENT";
inline constexpr const char *kScaleFile = "RSV_ESC.ENT";
inline constexpr const char *kLegendFile = "RSV_LGD.ENT";
inline constexpr const char *kPositionRequestFile = "RSV_EAS.ENT";

/// Why a file could not be used: the file, the line (1-based; 0 for the file as a whole) and
/// what is wrong.
struct ReadError
{
    std::string file;
    int line = 0;
    std::string problem;

    /// "RSV_DET.ENT, linha 14: ..." or "RSV_DET.ENT: ...".
    std::string message() const;
};

/// A value read from a file, or the reason it could not be.
template <typename T>
struct Read
{
    std::optional<T> value;
    ReadError error;
    bool ok() const { return value.has_value(); }
};

/// One reinforcement position of the detailing file, as the file gives it.
struct PositionBars
{
    int index = 0; ///< 1 to 20: where the position lies in the tank
    bool excluded = false; ///< written as "0" by the application
    std::string N; ///< label shown ("1" to "20", or renumbered)
    int bars = 0; ///< NBR
    std::string gauge; ///< gauge label, millimetres or inches, as written
    float diameterMm = 0; ///< the gauge's diameter
    std::string spacingText; ///< bar spacing C as written (cm)
    double spacing = 0; ///< cm
    std::string lengthText; ///< bar length CMP as written (cm)
    double length = 0; ///< cm
};

/// "RSV_DET.ENT": the tank, its materials and its bars, every length in centimetres.
struct DetailingData
{
    double a = 0, b = 0, h = 0; ///< outer width, outer length, height
    double et = 0, ep = 0, ef = 0; ///< lid, wall and bottom thicknesses
    double cover = 0;
    std::string steel; ///< steel type as shown in the settings ("CA-50")
    double wallChamfer = 0; ///< between walls, in plan
    double bottomChamfer = 0; ///< between the walls and the bottom, in section
    std::string fck;
    std::array<PositionBars, 20> positions;
    double hatchX = 0, hatchY = 0, hatchLx = 0, hatchLy = 0; ///< lid opening and its place
    double cornerPercent = 0; ///< "% da Maior Dim para As de Canto"
};

/// One of the five text styles of the drawing settings.
struct TextStyleSetting
{
    std::string font; ///< a TrueType file path or an SHX font name
    double height = 0; ///< tenths of a millimetre on paper
    bool trueType = false;
};

/// "RSV_ACAD.CFG": dimensioning, drawing sizes, layer colours and text styles.
struct DrawingSettings
{
    int tick = 1; ///< dimension tick style 1 to 4
    double dimensionOffset = 0; ///< "Distância da Cota ao Desenho", millimetres on paper
    double transverseDotMm = 0; ///< "ø para Desenho das As Transversais (mm)", on paper
    double lidCutHeight = 0; ///< "Altura do Desenho do Corte da Tampa (cm)"
    double labelFraction = 0; ///< where along a bar its label sits, 0 to 1
    double limitX = 0, limitY = 0; ///< "Limites da Área de Desenho"
    std::array<int, 10> layerColors{}; ///< in the order of LayerNames()
    std::array<TextStyleSetting, 5> styles; ///< in the order of StyleNames()
};

/// "RSV_DFM.ENT": the sheet, centimetres.
struct SheetFormat
{
    double widthCm = 0;
    double heightCm = 0;
};

/// "RSV_EAS.ENT": the reinforcement editor's request, nine lines.
struct PositionRequest
{
    std::string number;
    std::string bars; ///< "0" for transverse bars given by their spacing
    std::string gauge;
    std::string spacing; ///< "0" for transverse bars given by their count
    std::string length; ///< "0" for longitudinal bars
    bool addToDatabase = false;
    bool withDescription = false;
    bool withNumber = false;
    bool autoDimension = false;
};

/// The ten layers in the order of the settings file's lines 8 to 17.
const std::array<std::string, 10> &LayerNames();
/// The five text styles in the order of lines 18 to 27 (names without their trailing blank).
const std::array<std::string, 5> &StyleNames();

/// The lines of a text, carriage returns dropped; a last line break ends the last line.
std::vector<std::string> SplitLines(std::string_view content);

Read<DetailingData> ParseDetailing(std::string_view content);
Read<DrawingSettings> ParseSettings(std::string_view content);
Read<SheetFormat> ParseFormat(std::string_view content);
/// The scale denominator (50 for 1 : 50).
Read<double> ParseScale(std::string_view content);
/// Project, client, address, responsible, notes.
Read<std::array<std::string, 5>> ParseLegend(std::string_view content);
Read<PositionRequest> ParsePositionRequest(std::string_view content);

/// The same, read from the file of that name in `folder`; a missing or unreadable file is an
/// error of line 0.
Read<DetailingData> ReadDetailing(const std::string &folder);
Read<DrawingSettings> ReadSettings(const std::string &folder);
Read<SheetFormat> ReadFormat(const std::string &folder);
Read<double> ReadScale(const std::string &folder);
Read<std::array<std::string, 5>> ReadLegend(const std::string &folder);
Read<PositionRequest> ReadPositionRequest(const std::string &folder);

/// What the drawing platform takes from the Reservium block of its start-up file "acad.lsp":
/// the two folders, whether `RSV_INI` is defined (loading the application), and whether the
/// block calls it. Nothing else of the file is evaluated.
struct StartupBlock
{
    std::string platformFolder; ///< RSV_PathCAD
    std::string appFolder; ///< RSV_AppPath, where the exchange files are
    bool definesIni = false;
    bool callsIni = false;
};
/// The last Reservium block of a start-up file; a missing or malformed block is an error
/// naming "acad.lsp" and the line.
Read<StartupBlock> ParseStartupBlock(std::string_view content);

/// The settings a platform draws with when the application has not written its own: the
/// 32 lines of "RSV_ACAD.CFG".
std::vector<std::string> DefaultSettingsLines();

} // namespace ExchangeFiles
