#include "cli/CalcCommand.h"

#include "cli/JsonWriter.h"
#include "core/AppContext.h"
#include "core/CalcError.h"
#include "core/ModuleNumberBox.h"
#include "core/ModuleRSVErr.h"
#include "core/Numbers.h"
#include "core/RegionalSettings.h"
#include "core/SystemRegionalSettings.h"
#include "design/ModulersvARM.h"
#include "input/CalculationLaunch.h"
#include "input/InputChain.h"
#include "input/InputFlows.h"
#include "settings/ApplySettings.h"
#include "settings/FormCFGModel.h"
#include "settings/Parameters.h"
#include "storage/ProjectFlow.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QLocale>

#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <utility>

namespace CalcCommand {

namespace {

using InputChain::InputWindow;

// ---- Input -------------------------------------------------------------------------------

/// One settings value as the settings window holds it.
struct SettingValue
{
    std::string control;
    ParameterKind kind = ParameterKind::Text;
    std::string text; ///< Text
    int state = 0; ///< List position, or the option set (1) or clear (0)
};

/// One project as read from the input, checked for shape but not for limits: that is the
/// windows' business.
struct ProjectInput
{
    std::optional<bool> elevated;
    std::vector<std::pair<std::string, std::string>> geometry;
    std::vector<std::pair<std::string, std::string>> lid;
    std::vector<std::pair<std::string, std::string>> buried;
    std::optional<bool> groundWater; ///< Checkhna
    std::optional<std::int16_t> layout; ///< none: the proposed layout
    std::vector<SettingValue> settings;
};

std::string str(const QString &s)
{
    return s.toStdString();
}

/// A field value as the user would type it: a JSON string as it is, a JSON number as its
/// shortest text.
std::string typedText(const QJsonValue &value, const std::string &where)
{
    if (value.isString())
        return str(value.toString());
    if (value.isDouble())
        return str(QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest));
    throw InputProblem{ where + ": o valor deve ser um texto ou um número" };
}

/// The text of a numeric field, refused when the field's key filter would not let it be typed
/// (too many digits or decimals, a sign, letters): the window could never hold it.
std::string fieldText(const QJsonValue &value, const std::string &where, const char *formName,
                      const std::string &control, const RegionalSettings &regional)
{
    std::string text = typedText(value, where);
    const auto mask = ModuleNumberBox::NumericFieldMask(formName, control);
    if (mask && !ModuleNumberBox::FitsNumericMask(text, mask->mask, regional)) {
        const auto split = ModuleNumberBox::SplitAtSeparator(
                mask->mask, ModuleNumberBox::SystemDecimalSymbol(regional));
        std::string shape = "até " + std::to_string(split.integerLength) + " dígitos";
        shape += split.position != 0
                ? " inteiros e " + std::to_string(split.decimalLength) + " decimais"
                : ", sem decimais";
        throw InputProblem{ where + ": \"" + text
                            + "\" não pode ser digitado neste campo, que aceita " + shape };
    }
    return text;
}

/// A group of the project (an object); empty when the project has none.
QJsonObject groupOf(const QJsonObject &project, const char *group, const std::string &where)
{
    if (!project.contains(group))
        return {};
    const QJsonValue v = project.value(group);
    if (!v.isObject())
        throw InputProblem{ where + group + ": deve ser um objeto" };
    return v.toObject();
}

/// The texts of one window's group, by control name.
std::vector<std::pair<std::string, std::string>>
readGroup(const QJsonObject &group, const char *groupName, const char *formName,
          std::initializer_list<const char *> controls, const std::string &where,
          const RegionalSettings &regional)
{
    std::vector<std::pair<std::string, std::string>> values;
    for (auto it = group.begin(); it != group.end(); ++it) {
        const std::string key = str(it.key());
        const std::string at = where + groupName + "." + key;
        bool known = false;
        for (const char *c : controls)
            known = known || key == c;
        if (!known)
            throw InputProblem{ at + ": chave desconhecida" };
        if (key == "Checkhna")
            continue;
        if (key == "ComboSolo")
            values.emplace_back(key, typedText(it.value(), at));
        else
            values.emplace_back(key, fieldText(it.value(), at, formName, key, regional));
    }
    return values;
}

std::vector<SettingValue> readSettings(const QJsonObject &project, const std::string &where,
                                       const RegionalSettings &regional)
{
    std::vector<SettingValue> settings;
    if (!project.contains("settings"))
        return settings;
    const QJsonValue v = project.value("settings");
    if (!v.isObject())
        throw InputProblem{ where + "settings: deve ser um objeto" };
    const QJsonObject group = v.toObject();
    for (auto it = group.begin(); it != group.end(); ++it) {
        const std::string key = str(it.key());
        const std::string at = where + "settings." + key;
        const ParameterDef *p = FindParameter(key);
        if (!p)
            throw InputProblem{ at + ": parâmetro desconhecido" };
        if (p->key == kCrackCheckOffKey)
            throw InputProblem{ at + ": use RSVFissOK (true ou false)" };
        SettingValue s;
        s.control = std::string(p->control);
        s.kind = p->kind;
        switch (p->kind) {
        case ParameterKind::Text:
            s.text = fieldText(it.value(), at, "FormCFG", s.control, regional);
            break;
        case ParameterKind::List: {
            const auto count = static_cast<int>(FormCFGListItems(s.control).size());
            const double position = it.value().toDouble(-1);
            // The range is tested before the conversion: a huge number must not reach the cast.
            if (!it.value().isDouble() || !(position >= 0 && position < count)
                || position != std::trunc(position)) {
                throw InputProblem{ at + ": deve ser a posição na lista, de 0 a "
                                    + std::to_string(count - 1) };
            }
            s.state = static_cast<int>(position);
            break;
        }
        case ParameterKind::Option:
            if (!it.value().isBool())
                throw InputProblem{ at + ": deve ser true ou false" };
            s.state = it.value().toBool() ? 1 : 0;
            break;
        }
        settings.push_back(std::move(s));
    }
    return settings;
}

ProjectInput readProject(const QJsonValue &value, const std::string &where,
                         const RegionalSettings &regional)
{
    if (!value.isObject())
        throw InputProblem{ (where.empty() ? std::string("entrada") : where)
                            + ": o projeto deve ser um objeto JSON" };
    const QJsonObject o = value.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        const QString k = it.key();
        if (k != "kind" && k != "geometry" && k != "lid" && k != "buried" && k != "layout"
            && k != "settings") {
            throw InputProblem{ where + str(k) + ": grupo desconhecido" };
        }
    }
    ProjectInput in;
    if (o.contains("kind")) {
        const QString kind = o.value("kind").toString();
        if (kind == "elevated")
            in.elevated = true;
        else if (kind == "buried")
            in.elevated = false;
        else
            throw InputProblem{ where + "kind: deve ser \"elevated\" ou \"buried\"" };
    }
    in.geometry = readGroup(groupOf(o, "geometry", where), "geometry", "FormDadosGeometricos",
                            { "Text_a", "Text_b", "Text_h", "Text_hn" }, where, regional);
    in.lid = readGroup(groupOf(o, "lid", where), "lid", "FormPosTampa",
                       { "Text_X", "Text_Y", "Text_Lx", "Text_Ly", "TextqA" }, where, regional);
    const QJsonObject buried = groupOf(o, "buried", where);
    in.buried = readGroup(buried, "buried", "FormDadosEnterrada",
                          { "ComboSolo", "Textht", "Textqt", "Checkhna", "Texthna", "TextGama",
                            "TextAngSolo", "TextAngTerreno" },
                          where, regional);
    if (buried.contains("Checkhna")) {
        const QJsonValue check = buried.value("Checkhna");
        if (!check.isBool())
            throw InputProblem{ where + "buried.Checkhna: deve ser true ou false" };
        in.groundWater = check.toBool();
    }
    if (o.contains("layout")) {
        const QString layout = o.value("layout").toString();
        if (layout == "horizontal")
            in.layout = kHorizontalLayout;
        else if (layout == "vertical")
            in.layout = kVerticalLayout;
        else if (layout == "two-way")
            in.layout = kTwoWayLayout;
        else if (layout != "proposed")
            throw InputProblem{ where
                                + "layout: deve ser \"horizontal\", \"vertical\", \"two-way\" "
                                  "ou \"proposed\"" };
    }
    in.settings = readSettings(o, where, regional);
    return in;
}

// ---- The run -----------------------------------------------------------------------------

void setTexts(FormModel &form, const std::vector<std::pair<std::string, std::string>> &values)
{
    for (const auto &[control, text] : values)
        form.setText(control, text);
}

/// The settings window's values, its check and its apply, as the program starts from the
/// factory parameters (the command line never reads the parameter file).
bool applySettings(AppContext &ctx, const ProjectInput &in, Outcome &outcome)
{
    FormModel &cfg = ctx.forms.FormCFG;
    for (const SettingValue &s : in.settings) {
        if (s.kind == ParameterKind::Text) {
            cfg.setText(s.control, s.text);
        } else {
            cfg.setState(s.control, s.state);
            if (s.kind == ParameterKind::Option)
                cfg.setState(std::string(FindParameter(kCrackCheckOffKey)->control),
                             s.state != 0 ? 0 : 1);
        }
    }
    if (ModuleRSVErr::CheckSettingsWindow(ctx).code != 0) {
        outcome.status = kInputLimit;
        return false;
    }
    try {
        ApplySettings(ctx);
    } catch (const CalcError &e) {
        outcome.status = kCalcFailed;
        outcome.error = e.what();
        return false;
    }
    return true;
}

Outcome runProject(AppContext &ctx, const ProjectInput &in)
{
    Outcome outcome;
    if (!applySettings(ctx, in, outcome))
        return outcome;

    // The windows hold what the user typed before each forward button is pressed.
    if (in.elevated) {
        ctx.forms.FormTipoElev.setState("OptionElevada", *in.elevated ? 1 : 0);
        ctx.forms.FormTipoElev.setState("OptionEnterrada", *in.elevated ? 0 : 1);
    }
    setTexts(ctx.forms.FormDadosGeometricos, in.geometry);
    setTexts(ctx.forms.FormPosTampa, in.lid);
    setTexts(ctx.forms.FormDadosEnterrada, in.buried);
    if (in.groundWater)
        InputChain::SetGroundWaterBox(ctx.forms.FormDadosEnterrada, *in.groundWater);

    InputWindow window = InputWindow::FormTipoElev;
    InputFlows::ActivateWindow(ctx, window);
    while (window != InputWindow::FormPosicaoAs) {
        const InputWindow next = InputFlows::Forward(ctx, window);
        if (next == window) {
            outcome.status = kInputLimit;
            return outcome;
        }
        window = next;
    }
    // Each window's activation checked it; the layout window has no fields.
    if (ModuleRSVErr::GetInputError(ctx).code != 0) {
        outcome.status = kInputLimit;
        return outcome;
    }

    if (in.layout)
        InputChain::ChooseLayout(ctx.forms.FormPosicaoAs, *in.layout);
    outcome.layout = InputChain::ChosenLayout(ctx.forms.FormPosicaoAs).code;
    const CalculationLaunch::LaunchResult result = CalculationLaunch::LaunchCalculation(ctx);
    switch (result.status) {
    case CalculationLaunch::LaunchStatus::Calculated:
        outcome.status = kCalculated;
        break;
    case CalculationLaunch::LaunchStatus::Refused:
        outcome.status = kInputLimit;
        break;
    case CalculationLaunch::LaunchStatus::Failed:
        outcome.status = kCalcFailed;
        outcome.error = result.error;
        break;
    }
    return outcome;
}

// ---- Output ------------------------------------------------------------------------------

const char *layoutName(std::int16_t layout)
{
    switch (layout) {
    case kHorizontalLayout:
        return "horizontal";
    case kVerticalLayout:
        return "vertical";
    default:
        return "two-way";
    }
}

} // namespace

void WriteOutcome(JsonWriter &w, const AppContext &ctx, const Outcome &outcome)
{
    const DesignState &s = ctx.state;
    w.beginObject();
    w.key("inputError");
    w.beginObject();
    w.member("code", s.inputError.code);
    w.member("message", s.inputError.message);
    w.endObject();
    if (outcome.status == kCalcFailed) {
        w.key("error");
        w.beginObject();
        w.member("number", CalculationLaunch::kCalcErrorNumber);
        w.member("description", outcome.error);
        w.endObject();
    }
    w.member("calcState", s.calcState);
    w.key("layout");
    if (outcome.layout)
        w.string(layoutName(*outcome.layout));
    else
        w.null();
    if (outcome.status != kCalculated) {
        w.endObject();
        return;
    }

    w.key("thicknesses");
    w.beginObject();
    w.member("thicknessEt", s.thicknessEt);
    w.member("thicknessEp", s.thicknessEp);
    w.member("thicknessEf", s.thicknessEf);
    w.endObject();

    w.key("loads");
    w.beginObject();
    const std::pair<const char *, float> loads[] = {
        { "lidLiveLoad", s.lidLiveLoad },         { "wallWaterLoad", s.wallWaterLoad },
        { "bottomWaterLoad", s.bottomWaterLoad }, { "bottomReaction", s.bottomReaction },
        { "soilThrust", s.soilThrust },           { "groundWaterThrust", s.groundWaterThrust },
        { "upliftPressure", s.upliftPressure },   { "earthPressureCoef", s.earthPressureCoef },
    };
    for (const auto &[name, value] : loads) {
        w.member(name, value);
    }
    w.endObject();

    w.key("Text_a");
    w.beginArray();
    for (const std::string &t : ctx.results.Text_a)
        w.string(t);
    w.endArray();
    w.key("Text_hn");
    w.beginArray();
    for (const std::string &t : ctx.results.Text_hn)
        w.string(t);
    w.endArray();

    w.key("crackResults");
    w.beginArray();
    for (const CrackCheck &c : s.crackResults) {
        w.beginObject();
        w.member("w", c.w);
        w.member("sigma", c.sigma);
        w.member("k", c.k);
        w.member("ok", c.ok != 0);
        w.endObject();
    }
    w.endArray();

    const bool mm = s.gaugeUnitIsMm != 0;
    w.key("positions");
    w.beginArray();
    for (const RebarPosition &p : ctx.rebarPositions) {
        w.beginObject();
        w.member("N", p.N);
        w.member("ARE", p.ARE);
        w.member("NVZ", p.NVZ);
        w.member("NBR", p.NBR);
        w.member("FI", p.gauge.diameterMm);
        w.member("C", p.C);
        w.member("CMP", p.CMP);
        w.member("MK", p.MK);
        w.member("D", p.D);
        w.member("BW", p.BW);
        w.member("DIST", p.DIST);
        w.member("BADAS", p.BADAS != 0);
        w.member("OUTAS", p.OUTAS != 0);
        w.member("description", ModulersvARM::ArrangementText(p, mm, ctx.regional()));
        w.endObject();
    }
    w.endArray();

    w.key("materialQuantities");
    w.beginArray();
    for (const auto &row : ctx.materialQuantities) {
        w.beginArray();
        for (const float v : row)
            w.number(v);
        w.endArray();
    }
    w.endArray();
    w.endObject();
}

// ---- Command line ------------------------------------------------------------------------

std::optional<FixedRegionalSettings> RegionalNamed(const std::string &name)
{
    if (name == "pt-BR")
        return FixedRegionalSettings::ptBR();
    if (name == "en-US")
        return FixedRegionalSettings::enUS();
    return std::nullopt;
}

CommandLine ParseCommandLine(const std::vector<std::string> &args,
                             std::initializer_list<const char *> valueOptions)
{
    CommandLine line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        std::string name;
        std::string value;
        bool known = false;
        for (const char *option : valueOptions) {
            const std::string o(option);
            if (a == o) {
                if (i + 1 >= args.size())
                    throw InputProblem{ o == "--regional"
                                                ? std::string("--regional pede pt-BR ou en-US")
                                                : o + " pede um valor" };
                name = o;
                value = args[++i];
                known = true;
            } else if (a.rfind(o + "=", 0) == 0) {
                name = o;
                value = a.substr(o.size() + 1);
                known = true;
            }
            if (known)
                break;
        }
        if (!known) {
            if (a != "-" && a.rfind("-", 0) == 0)
                throw InputProblem{ "opção desconhecida: " + a };
            line.files.push_back(a);
            continue;
        }
        if (name == "--regional") {
            line.regional = RegionalNamed(value);
            if (!line.regional)
                throw InputProblem{ "--regional pede pt-BR ou en-US, não \"" + value + "\"" };
        } else {
            line.values[name] = value;
        }
    }
    return line;
}

QByteArray ReadInput(const std::string &file)
{
    QFile f;
    bool opened = false;
    if (file == "-") {
        opened = f.open(stdin, QIODevice::ReadOnly);
    } else {
        f.setFileName(QString::fromLocal8Bit(file.c_str()));
        opened = f.open(QIODevice::ReadOnly);
    }
    if (!opened) {
        throw InputProblem{ "não foi possível ler "
                            + (file == "-" ? std::string("a entrada padrão") : "\"" + file + "\"")
                            + ": " + str(f.errorString()) };
    }
    return f.readAll();
}

QJsonDocument ParseJson(const QByteArray &bytes)
{
    QJsonParseError parseError;
    QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (doc.isNull()) {
        throw InputProblem{ "JSON inválido na posição " + std::to_string(parseError.offset) + ": "
                            + str(parseError.errorString()) };
    }
    return doc;
}

std::unique_ptr<AppContext> MakeContext(const std::optional<FixedRegionalSettings> &regional)
{
    if (!regional)
        return AppContext::createForSystem();
    return std::make_unique<AppContext>(std::make_unique<FixedRegionalSettings>(*regional),
                                        ProgramPaths::fromEnvironment());
}

Outcome CalculateProject(AppContext &ctx, const QJsonValue &project)
{
    return runProject(ctx, readProject(project, {}, ctx.regional()));
}

void PrintJson(const JsonWriter &w)
{
    std::fwrite(w.text().data(), 1, w.text().size(), stdout);
    std::fflush(stdout);
}

Outcome OutcomeOfOpening(const AppContext &ctx, const ProjectFlow::OpenResult &opened)
{
    Outcome outcome;
    switch (opened.status) {
    case ProjectFlow::OpenStatus::Opened:
        outcome.status = kCalculated;
        outcome.layout = InputChain::ChosenLayout(ctx.forms.FormPosicaoAs).code;
        break;
    case ProjectFlow::OpenStatus::CalcFailed:
        outcome.status = kCalcFailed;
        outcome.layout = InputChain::ChosenLayout(ctx.forms.FormPosicaoAs).code;
        outcome.error = opened.error.description;
        break;
    case ProjectFlow::OpenStatus::InputLimit:
    case ProjectFlow::OpenStatus::Cancelled:
    case ProjectFlow::OpenStatus::FileError:
        // The refilled windows stop before the layout window.
        outcome.status = kInputLimit;
        break;
    }
    return outcome;
}

namespace {

/// `calc --project FILE.rsv`: the project opened as the Open command does, from a program just
/// started with the factory parameters (the project's own replace them).
int runSavedProject(const std::optional<FixedRegionalSettings> &regional, const std::string &file)
{
    const auto ctx = MakeContext(regional);
    ApplySettings(*ctx);
    const ProjectFlow::OpenResult opened = ProjectFlow::OpenProjectFile(*ctx, file);
    if (opened.status == ProjectFlow::OpenStatus::FileError)
        return ReportFileError("calc", opened.error);
    const Outcome outcome = OutcomeOfOpening(*ctx, opened);
    JsonWriter w;
    WriteOutcome(w, *ctx, outcome);
    PrintJson(w);
    return outcome.status;
}

} // namespace

int ReportFileError(const char *command, const ErrorPair &error)
{
    std::string text = error.description;
    for (char &c : text) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    std::cerr << "reservium-cli " << command << ": Erro " << error.number << ": " << text << "\n";
    return kFileError;
}

const char *Usage()
{
    return "  calc [--regional pt-BR|en-US] [ARQUIVO.json | -]\n"
           "              calcula o projeto descrito em JSON (ou uma lista de projetos) e\n"
           "              escreve o resultado em JSON; sem arquivo, ou com -, lê a entrada\n"
           "              padrão. Saída: 0 calculado, 1 uso ou entrada inválida, 2 limite de\n"
           "              entrada, 3 erro no cálculo.\n"
           "  calc --project PROJETO.rsv [--regional pt-BR|en-US]\n"
           "              abre o projeto gravado como o comando Abrir (refaz o cálculo e repõe\n"
           "              as armaduras gravadas) e escreve o resultado em JSON, como acima;\n"
           "              4 erro de arquivo (número e descrição na saída de erros).\n";
}

int Run(const std::vector<std::string> &args)
{
    try {
        const CommandLine line = ParseCommandLine(args, { "--regional", "--project" });
        if (line.files.size() > 1)
            throw InputProblem{ "mais de um arquivo de entrada: " + line.files[1] };
        if (const auto project = line.values.find("--project"); project != line.values.end()) {
            if (!line.files.empty())
                throw InputProblem{ "--project não se combina com um arquivo JSON: "
                                    + line.files[0] };
            return runSavedProject(line.regional, project->second);
        }
        const std::string file = line.files.empty() ? std::string("-") : line.files[0];
        const QJsonDocument doc = ParseJson(ReadInput(file));

        // The whole input is read and checked before anything is calculated.
        const auto probe = MakeContext(line.regional);
        std::vector<ProjectInput> projects;
        const bool batch = doc.isArray();
        if (batch) {
            const QJsonArray list = doc.array();
            for (qsizetype i = 0; i < list.size(); ++i) {
                projects.push_back(readProject(list.at(i), "projeto " + std::to_string(i) + ": ",
                                               probe->regional()));
            }
        } else {
            projects.push_back(readProject(doc.object(), {}, probe->regional()));
        }

        JsonWriter w;
        int status = kCalculated;
        if (batch)
            w.beginArray();
        for (const ProjectInput &project : projects) {
            // Every project starts from a program just started: no state carries over.
            const auto ctx = MakeContext(line.regional);
            const Outcome outcome = runProject(*ctx, project);
            WriteOutcome(w, *ctx, outcome);
            status = outcome.status;
        }
        if (batch) {
            w.endArray();
            status = kCalculated;
        }
        PrintJson(w);
        return status;
    } catch (const InputProblem &p) {
        std::cerr << "reservium-cli calc: " << p.message << "\n";
        return kUsage;
    } catch (const std::exception &e) {
        std::cerr << "reservium-cli calc: erro interno: " << e.what() << "\n";
        return kUsage;
    }
}

} // namespace CalcCommand
