#include "settings/Parameters.h"

#include "core/CalcContext.h"
#include "core/Numbers.h"
#include "settings/FormCFGModel.h"
#include "settings/ParameterFile.h"

#include <cmath>
#include <optional>

namespace {

using K = ParameterKind;

// The two load coefficients and the concrete's unit weight are kept with two decimals, as their
// fields take them and as the design state and the project file read them; one decimal would
// turn a saved 1.45 into 1.5, and 2.45 tf/m³ into 2.5.
const std::array<ParameterDef, kParameterCount> kTable = { {
        { "RSVCFGESPMULT", "RSVCFGESPMULT", "Espaçamento de  As Múltiplo de ", "cm", "2.5", "0.0",
          K::Text },
        { "RSVCFGESPMAXAS", "RSVCFGESPMAXAS", "Espaçamento Máximo de As", "cm", "30", "0.0",
          K::Text },
        { "RSVCFGESPMINAS", "RSVCFGESPMINAS", "Espaçamento Mínimo de As", "cm", "7.5", "0.0",
          K::Text },
        { "RSVMELESPAS", "RSVMELESPAS", "Melhor Espaçamento de As", "cm", "20", "0.0", K::Text },
        { "RSVESPMINPAR", "RSVESPMINPAR", "Espessura mínima da da parede", "cm", "10", "0",
          K::Text },
        { "RSVCFGSECASMIN", "RSVCFGSECASMIN", "% da seção para cálculo do Asmin", "%", "0.15",
          "0.00", K::Text },
        { "RSVPORCTAMASEST", "RSVPORCTAMASEST", "% da Maior Dim para As de Canto", "%", "15", "0",
          K::Text },
        { "RSVCHAMFPAR", "RSVCHAMFPAR", "Chamfro na Parede da Caixa", "cm", "15", "0", K::Text },
        { "RSVCHAMFFUND", "RSVCHAMFFUND", "Chamfro no Fundo da Caixa", "cm", "25", "0", K::Text },
        { "RSVCFGTIPOACO", "RSVCFGTIPOACO", "Tipo do Aço utilizado", "", "0", "0", K::List },
        { "RSVCFGACOMIN", "RSVCFGACOMIN", "Coef. de Min. da Resistência do Aço", "", "1.15", "0.00",
          K::Text },
        { "RSVCFGBITOUNID", "RSVCFGBITOUNID", "Unidade Adotada", "", "0", "0", K::List },
        { "RSVFISSOK", "RSVFissOK", "Verifica Fissuracão", "", "1", "0", K::Option },
        { "RSVFISSNOK", "RSVFissNOK", "Não Verifica Fissuracão", "", "0", "0", K::Option },
        { "RSVABMAXFISS", "RSVABMAXFISS", "Abertura Máxima das Fissuras", "mm", "0.30", "0.00",
          K::Text },
        { "RSVBITADOTFISS", "RSVBITADOTFISS", "Bitola Adotada como Referência", "", "3", "0",
          K::List },
        { "RSVCFGCONCFCK", "RSVCFGCONCFCK", "fck", "kgf/cm²", "150", "0", K::Text },
        { "RSVCFGCONCPESESP", "RSVCFGCONCPESESP", "Peso Específico do Concreto", "tf/m³", "2.5",
          "0.00", K::Text },
        { "RSVCFGMAJCARGAS", "RSVCFGMAJCARGAS", "Coef. de Majoração das Cargas", "", "1.4", "0.00",
          K::Text },
        { "RSVCFGCONCMIN", "RSVCFGCONCMIN", "Coef. de Min. da Resist. do Concreto", "", "1.4",
          "0.00", K::Text },
        { "RSVCFGCOBMIN", "RSVCFGCOBMIN", "Cobertura Mínima", "cm", "1.5", "0.0", K::Text },
        { "RSVH20PESESP", "RSVH20PESESP", "Peso Específico da Água", "tf/m³", "1.0", "0.0",
          K::Text },
} };

/// The number a stored or typed text holds for this parameter, rounded to its format; nothing
/// when the text is not a number or, for a list, not one of its positions.
std::optional<double> parameterValue(const ParameterDef &p, std::string_view text)
{
    const std::optional<double> v = TryTextToNumber(text, p.format);
    if (!v || !std::isfinite(*v))
        return std::nullopt;
    if (p.kind == K::List) {
        const auto count = FormCFGListItems(std::string(p.control)).size();
        if (!(*v >= 0 && *v < static_cast<double>(count)))
            return std::nullopt;
    }
    return v;
}

/// One parameter's value into the working copy.
void setFormValue(CalcContext &ctx, const ParameterDef &p, double v)
{
    FormModel &form = ctx.forms.FormCFG;
    const std::string control(p.control);
    switch (p.kind) {
    case K::Text:
        form.setText(control, ctx.text(v));
        break;
    case K::List:
        form.setState(control, ToInt16(v));
        break;
    case K::Option:
        // Any non-zero value sets the check: -1 as saved, 1 as written with the defaults.
        form.setState(control, v != 0 ? 1 : 0);
        form.setState(std::string(FindParameter(kCrackCheckOffKey)->control), v != 0 ? 0 : 1);
        break;
    }
}

double defaultValue(const ParameterDef &p)
{
    return TextToNumber(p.defaultText, p.format);
}

std::string sessionDefaultsNote()
{
    return " Os parâmetros de cálculo padrão estão em uso somente nesta sessão; confira-os em "
           "Configurações de Cálculo.";
}

ParametersStatus defaultsInMemory(CalcContext &ctx, ErrorPair error)
{
    LoadDefaultParametersIntoForm(ctx);
    error.description += sessionDefaultsNote();
    return { std::move(error), {} };
}

ParametersStatus restoreDefaults(CalcContext &ctx, const ParameterFile &file);

ParametersStatus loadParameters(CalcContext &ctx, const ParameterFile &file, bool mayRestore)
{
    std::vector<std::string> lines;
    if (ErrorPair e = file.ReadLines(lines); !e.ok())
        return defaultsInMemory(ctx, std::move(e));
    if (!ParametersPresent(lines)) {
        if (mayRestore)
            return restoreDefaults(ctx, file);
        // The defaults were written but are not there: retrying would never end.
        return defaultsInMemory(
                ctx,
                { 75,
                  "Os parâmetros padrão foram gravados no arquivo de parâmetros \""
                          + file.path().string()
                          + "\", mas não puderam ser lidos de volta. Verifique se outro "
                            "programa está alterando esse arquivo." });
    }

    std::string replaced;
    for (const ParameterDef &p : ParameterTable()) {
        if (p.key == kCrackCheckOffKey)
            continue;
        const auto text = ParameterFile::FindSetting(lines, p.key);
        const std::string_view trimmed = text ? TrimBlanks(*text) : std::string_view();
        std::optional<double> v;
        if (!trimmed.empty())
            v = parameterValue(p, trimmed);
        if (!v) {
            // A missing or unreadable value would otherwise load as 0 (a zero cover, a zero
            // safety coefficient) and reach the calculation unnoticed.
            v = defaultValue(p);
            replaced += "\n- " + std::string(p.caption) + " (" + std::string(p.key) + ")";
        }
        setFormValue(ctx, p, *v);
    }

    ParametersStatus status;
    if (!replaced.empty()) {
        status.warning = "O arquivo de parâmetros \"" + file.path().string()
                + "\" não tem valor válido para:" + replaced
                + "\nForam usados os valores padrão. Confira-os em Configurações de Cálculo e "
                  "salve a configuração.";
    }
    return status;
}

ParametersStatus restoreDefaults(CalcContext &ctx, const ParameterFile &file)
{
    std::vector<std::pair<std::string, std::string>> values;
    for (const ParameterDef &p : ParameterTable())
        values.emplace_back(std::string(p.key), DoubleTextC(defaultValue(p)));
    if (ErrorPair e = file.SaveFileSettings(values); !e.ok())
        return defaultsInMemory(ctx, std::move(e));
    return loadParameters(ctx, file, false);
}

} // namespace

const std::array<ParameterDef, kParameterCount> &ParameterTable()
{
    return kTable;
}

const ParameterDef *FindParameter(std::string_view keyOrControl)
{
    for (const ParameterDef &p : kTable) {
        if (p.key == keyOrControl || p.control == keyOrControl)
            return &p;
    }
    return nullptr;
}

bool ParametersPresent(const std::vector<std::string> &lines)
{
    for (const ParameterDef &p : kTable) {
        const auto v = ParameterFile::FindSetting(lines, p.key);
        if (v && !TrimBlanks(*v).empty())
            return true;
    }
    return false;
}

ErrorPair ParametersPresent(const ParameterFile &file, bool &present)
{
    std::vector<std::string> lines;
    ErrorPair e = file.ReadLines(lines);
    present = e.ok() && ParametersPresent(lines);
    return e;
}

ParametersStatus LoadParameters(CalcContext &ctx, const ParameterFile &file)
{
    return loadParameters(ctx, file, true);
}

ParametersStatus RestoreDefaultParameters(CalcContext &ctx, const ParameterFile &file)
{
    return restoreDefaults(ctx, file);
}

ParametersStatus SaveParameters(CalcContext &ctx, const ParameterFile &file)
{
    const FormModel &form = ctx.forms.FormCFG;
    std::vector<std::pair<std::string, std::string>> values;
    for (const ParameterDef &p : ParameterTable()) {
        if (p.key == kCrackCheckOffKey)
            continue;
        const std::string control(p.control);
        std::string text;
        switch (p.kind) {
        case K::Text:
            text = form.text(control);
            break;
        case K::List:
            text = Int32Text(form.state(control));
            break;
        case K::Option:
            // The option's value as the file keeps it: -1 set, 0 clear.
            text = form.state(control) != 0 ? "-1" : "0";
            break;
        }
        const std::optional<double> v = parameterValue(p, text);
        if (!v) {
            return { { 13,
                       "O valor \"" + text + "\" de \"" + std::string(TrimBlanks(p.caption))
                               + "\" não é válido. Corrija-o em Configurações de Cálculo antes "
                                 "de salvar; o arquivo de parâmetros não foi alterado." },
                     {} };
        }
        values.emplace_back(std::string(p.key), DoubleTextC(*v));
    }
    if (ErrorPair e = file.SaveFileSettings(values); !e.ok())
        return { std::move(e), {} };
    return LoadParameters(ctx, file);
}

void LoadDefaultParametersIntoForm(CalcContext &ctx)
{
    for (const ParameterDef &p : kTable) {
        if (p.key != kCrackCheckOffKey)
            setFormValue(ctx, p, defaultValue(p));
    }
}
