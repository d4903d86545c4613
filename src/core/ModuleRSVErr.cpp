#include "core/ModuleRSVErr.h"

#include "core/CalcContext.h"
#include "core/FormModel.h"
#include "core/Numbers.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>

namespace ModuleRSVErr {

namespace {

/// Field values and limits are compared at 8 decimals, far below anything the key filter lets
/// the user type, so that a value equal to its limit always passes.
constexpr int kLimitDecimals = 8;

/// Where a row's upper bound comes from.
enum class Upper {
    Constant,
    WidthA, ///< geometry Text_a
    LengthB, ///< geometry Text_b
    HeightH, ///< geometry Text_h
    HatchX, ///< lid Text_X
    HatchY, ///< lid Text_Y
    RoomAlongA, ///< a − X: the hatch's base point keeps the hatch inside the lid along a
    RoomAlongB, ///< b − Y, the same along b
    BuryHeight, ///< buried-tank Textht
    /// The ground slope may not exceed the soil's natural slope angle (nor the constant):
    /// beyond it the earth-pressure coefficient has no real value.
    NaturalSlope,
};

struct LimitRow
{
    std::int32_t lowerCode; ///< the upper bound's code is the next one
    std::string_view control;
    std::string_view otherControl; ///< a second control sharing the row, or empty
    std::string_view name; ///< the field's name in the messages
    double lower;
    Upper upperKind;
    double upper; ///< the constant bound; NaturalSlope's cap
    std::string_view lowerSuffix;
    std::string_view upperSuffix;
};

// clang-format off
constexpr std::array<LimitRow, 38> kLimits { {
    {  1, "Text_a", "", "Largura da caixa", 0.5, Upper::Constant, 50, "m ]", "m ]" },
    {  3, "Text_b", "", "Comprimento da caixa", 0.5, Upper::WidthA, 0, "m ]", "m ]" },
    {  5, "Text_h", "", "Altura da caixa", 0.5, Upper::Constant, 10, "m ]", "m ]" },
    {  7, "Text_hn", "", "Altura do nível d'água", 0, Upper::HeightH, 0, "m ]", "m ]" },
    {  9, "Text_X", "", "Largura da tampa", 0.3, Upper::WidthA, 0, "m ]", "m ]" },
    { 11, "Text_Y", "", "Altura da tampa", 0.3, Upper::LengthB, 0, "m ]", "m ]" },
    { 13, "Text_Lx", "", "Ponto base horizontal da tampa", 0, Upper::RoomAlongA, 0, "m ]", "m ]" },
    { 15, "Text_Ly", "", "Ponto base vertical da tampa", 0, Upper::RoomAlongB, 0, "m ]", "m ]" },
    { 17, "TextqA", "", "Sobrecarga na tampa", 0, Upper::Constant, 1000, "kgf/m² ]", "kgf/m² ]" },
    { 19, "Textht", "", "Altura a partir da qual a caixa será enterrada", 0.01, Upper::HeightH, 0, " ]", "m ]" },
    { 21, "Textqt", "", "Sobrecarga no terreno", 0, Upper::Constant, 1000, "kgf/m² ]", "kgf/m² ]" },
    { 23, "Texthna", "", "Altura do NA no lençol", 0, Upper::BuryHeight, 0, "m ]", "m ]" },
    { 25, "TextGama", "", "Peso específico do solo", 0.5, Upper::Constant, 2, "tf/m³ ]", "tf/m³ ]" },
    { 27, "TextAngSolo", "", "Ângulo de talude natural", 10, Upper::Constant, 50, "º ]", "º ]" },
    { 29, "TextAngTerreno", "", "Ângulo de inclinação adjacente", 0, Upper::NaturalSlope, 50, "º ]", "º ]" },
    { 31, "RSVCFGESPMULT", "", "Espaçamento múltiplo de As", 1, Upper::Constant, 10, "cm ]", "cm ]" },
    { 33, "RSVCFGESPMAXAS", "", "Espaçamento máximo de As", 10, Upper::Constant, 99.9, "cm ]", "cm ]" },
    { 35, "RSVCFGESPMINAS", "", "Espaçamento mínimo de As", 1, Upper::Constant, 99.9, "cm ]", "cm ]" },
    { 37, "RSVMELESPAS", "", "Melhor espaçamento de As", 1, Upper::Constant, 99.9, "cm ]", "cm ]" },
    { 39, "RSVESPMINPAR", "", "Espessura mínima da Parede", 5, Upper::Constant, 99, "cm ]", "cm ]" },
    { 41, "RSVCFGSECASMIN", "", "Porcentagem da seção para Cálculo do Asmin", 0.01, Upper::Constant, 0.99, "% ]", "% ]" },
    { 43, "RSVPORCTAMASEST", "", "Porcentagem da maior dimensão para armadura de canto", 1, Upper::Constant, 100, "% ]", "% ]" },
    { 45, "RSVCHAMFPAR", "", "Chanfro da parede da caixa", 0, Upper::Constant, 999, "cm ]", "cm ]" },
    { 47, "RSVCHAMFFUND", "", "Chanfro do fundo da caixa", 0, Upper::Constant, 999, "cm ]", "cm ]" },
    { 49, "RSVCFGACOMIN", "", "Coeficiente de minoração da resistência do aço", 1, Upper::Constant, 3, " ]", " ]" },
    { 51, "RSVABMAXFISS", "", "Abertura máxima de fissura", 0.1, Upper::Constant, 0.9, "mm ]", "mm ]" },
    { 53, "RSVCFGCONCFCK", "", "FCK do concreto", 50, Upper::Constant, 700, "kgfcm² ]", "kgfcm² ]" },
    { 55, "RSVCFGCONCPESESP", "", "Peso específico do concreto", 1, Upper::Constant, 5, "tf/m³ ]", "tf/m³ ]" },
    { 57, "RSVCFGMAJCARGAS", "", "Coeficiente de majoração das cargas", 1, Upper::Constant, 3, " ]", " ]" },
    { 59, "RSVCFGCONCMIN", "", "Coeficiente de minoração da resistência do concreto", 1, Upper::Constant, 3, " ]", " ]" },
    { 61, "RSVCFGCOBMIN", "", "Cobertura mínima", 0.5, Upper::Constant, 99.9, "cm ]", "cm ]" },
    { 63, "RSVH20PESESP", "", "Peso específico da água", 1, Upper::Constant, 5, "tf/m³ ]", "tf/m³ ]" },
    { 65, "Text_e", "", "Espessura", 0.01, Upper::Constant, 9.99, "m ]", "m ]" },
    { 67, "NumberBox3", "", "Distância da Cota ao Desenho", 1, Upper::Constant, 9999.99, " ]", " ]" },
    { 69, "Text6", "", "Fi para desenho das As transversais", 0.1, Upper::Constant, 999, "mm ]", "mm ]" },
    { 71, "Text7", "", "Altura do desenho do corte da tampa", 1, Upper::Constant, 9999, "cm ]", "cm ]" },
    { 73, "Text8", "", "Porcentagem para posição dos textos de As", 0, Upper::Constant, 100, "% ]", "% ]" },
    { 75, "NumberBox1", "NumberBox2", "Limite da área de desenho", 1, Upper::Constant, 100000, " ]", " ]" },
} };
// clang-format on

/// The CAD drawing settings window floats over the drawing platform; its limits are shown on its
/// own OK button, not in the main window's status bar.
constexpr std::string_view kCadSettingsForm = "FormCADCfg";

const LimitRow *findRow(const std::string &controlName)
{
    for (const LimitRow &row : kLimits) {
        if (row.control == controlName
            || (!row.otherControl.empty() && row.otherControl == controlName))
            return &row;
    }
    return nullptr;
}

std::optional<double> readField(const FormModel &form, const char *control)
{
    return TryTextToNumber(form.text(control), kLimitDecimals);
}

/// The row's upper bound, read afresh from the other windows' fields; nothing when the field
/// it depends on does not hold a number.
std::optional<double> upperBound(const CalcContext &ctx, const LimitRow &row)
{
    const FormModel &geometry = ctx.forms.FormDadosGeometricos;
    const FormModel &lid = ctx.forms.FormPosTampa;
    const FormModel &buried = ctx.forms.FormDadosEnterrada;
    switch (row.upperKind) {
    case Upper::Constant:
        return TextToNumber(row.upper, kLimitDecimals);
    case Upper::WidthA:
        return readField(geometry, "Text_a");
    case Upper::LengthB:
        return readField(geometry, "Text_b");
    case Upper::HeightH:
        return readField(geometry, "Text_h");
    case Upper::HatchX:
        return readField(lid, "Text_X");
    case Upper::HatchY:
        return readField(lid, "Text_Y");
    case Upper::RoomAlongA:
    case Upper::RoomAlongB: {
        const bool alongA = row.upperKind == Upper::RoomAlongA;
        const auto side = readField(geometry, alongA ? "Text_a" : "Text_b");
        const auto hatch = readField(lid, alongA ? "Text_X" : "Text_Y");
        if (!side || !hatch)
            return std::nullopt;
        const double room = *side - *hatch;
        if (!std::isfinite(room)) // texts near the double range, never typed
            return std::nullopt;
        // Rounded like the fields themselves, so that 1.2 − 1 is the 0.2 the user reads and a
        // base point of exactly 0.2 passes.
        return TextToNumber(room, kLimitDecimals);
    }
    case Upper::BuryHeight:
        return readField(buried, "Textht");
    case Upper::NaturalSlope: {
        const auto phi = readField(buried, "TextAngSolo");
        const double cap = TextToNumber(row.upper, kLimitDecimals);
        return phi && *phi < cap ? *phi : cap;
    }
    }
    return std::nullopt;
}

std::string message(const CalcContext &ctx, const LimitRow &row, bool lowerBound,
                    std::optional<double> limit)
{
    std::string m(row.name);
    m += lowerBound ? " abaixo do limite permitido [ " : " acima do limite permitido [ ";
    // A bound that another field should give but cannot (its text is not a number) is shown
    // without a number; that field reports its own error.
    if (limit)
        m += ctx.text(TextToNumber(*limit, kLimitDecimals));
    m += lowerBound ? row.lowerSuffix : row.upperSuffix;
    return m;
}

InputError checkRow(const CalcContext &ctx, const LimitRow &row, const std::string &text)
{
    const double lower = TextToNumber(row.lower, kLimitDecimals);
    const auto value = TryTextToNumber(text, kLimitDecimals);
    // A text that is not a number (pasted, loaded from a file) is refused like a value below
    // the range instead of being read as some number.
    if (!value || *value < lower)
        return { row.lowerCode, message(ctx, row, true, lower) };
    const auto upper = upperBound(ctx, row);
    if (!upper || *value > *upper)
        return { row.lowerCode + 1, message(ctx, row, false, upper) };
    return noError;
}

void showStatus(const CalcContext &ctx, const InputError &status)
{
    if (InputStatusView *view = ctx.statusView())
        view->ShowInputStatus(status);
}

/// Checks the fields in order into inputError, stopping at the first broken limit.
void checkInOrder(CalcContext &ctx, FormModel &form, std::initializer_list<const char *> fields)
{
    for (const char *field : fields) {
        ctx.state.inputError = CheckField(ctx, form, field);
        if (ctx.state.inputError.code != 0)
            break;
    }
}

int forwardPicture(const CalcContext &ctx)
{
    return ctx.state.inputError.code != 0 ? 0 : 1;
}

InputError finishInputWindow(CalcContext &ctx, FormModel &form)
{
    form.setState("butarw_2", forwardPicture(ctx));
    showStatus(ctx, ctx.state.inputError);
    form.setState("butarw_3", 1);
    return ctx.state.inputError;
}

} // namespace

InputError GetInputError(const CalcContext &ctx)
{
    return ctx.state.inputError;
}

void SetInputError(CalcContext &ctx, const InputError &result)
{
    ctx.state.inputError = result;
    showStatus(ctx, result);
}

InputError CheckField(CalcContext &ctx, FormModel &form, const std::string &controlName)
{
    const LimitRow *row = findRow(controlName);
    const InputError result = row ? checkRow(ctx, *row, form.text(controlName)) : noError;
    if (form.hasField(controlName))
        form.setError(controlName, result.code != 0);
    if (form.formName() != kCadSettingsForm)
        showStatus(ctx, result);
    return result;
}

InputError CheckGeometryWindow(CalcContext &ctx)
{
    FormModel &form = ctx.forms.FormDadosGeometricos;
    checkInOrder(ctx, form, { "Text_a", "Text_b", "Text_h", "Text_hn" });
    return finishInputWindow(ctx, form);
}

InputError CheckLidWindow(CalcContext &ctx)
{
    FormModel &form = ctx.forms.FormPosTampa;
    checkInOrder(ctx, form, { "Text_X", "Text_Y", "Text_Lx", "Text_Ly", "TextqA" });
    return finishInputWindow(ctx, form);
}

InputError CheckBuriedWindow(CalcContext &ctx)
{
    FormModel &form = ctx.forms.FormDadosEnterrada;
    checkInOrder(ctx, form,
                 { "Textht", "Textqt", "Texthna", "TextGama", "TextAngSolo", "TextAngTerreno" });
    return finishInputWindow(ctx, form);
}

InputError CheckSettingsWindow(CalcContext &ctx)
{
    FormModel &form = ctx.forms.FormCFG;
    checkInOrder(ctx, form,
                 { "RSVCFGESPMULT", "RSVCFGESPMAXAS", "RSVCFGESPMINAS", "RSVMELESPAS",
                   "RSVESPMINPAR", "RSVCFGSECASMIN", "RSVPORCTAMASEST", "RSVCHAMFPAR",
                   "RSVCHAMFFUND", "RSVCFGACOMIN", "RSVABMAXFISS", "RSVCFGCONCFCK",
                   "RSVCFGCONCPESESP", "RSVCFGMAJCARGAS", "RSVCFGCONCMIN", "RSVCFGCOBMIN",
                   "RSVH20PESESP" });
    form.setState("butarw", forwardPicture(ctx));
    form.setState("butsav", forwardPicture(ctx));
    showStatus(ctx, ctx.state.inputError);
    return ctx.state.inputError;
}

} // namespace ModuleRSVErr
