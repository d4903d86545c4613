#include "cli/ProjectCommands.h"
#include "cad/ModuleCAD.h"

#include "cli/CalcCommand.h"
#include "cli/JsonWriter.h"
#include "core/AppContext.h"
#include "design/ModulersvARM.h"
#include "input/InputForms.h"
#include "results/ModuleCalcConsumo.h"
#include "settings/ApplySettings.h"
#include "storage/ModuleRSVFLS.h"
#include "storage/ProjectFlow.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

#include <cmath>
#include <iostream>

namespace ProjectCommands {

namespace {

using CalcCommand::InputProblem;

/// One change made in the results window before saving.
struct Edit
{
    int position = 0; ///< 1 to 20
    bool isGauge = false;
    bool exclude = false; ///< for an exclusion: excluded (true) or included again (false)
    int gauge = 0; ///< for a gauge: the row of the alternatives, 1 to 12
};

int wholeNumber(const QJsonValue &v, int low, int high, const std::string &where)
{
    const double d = v.toDouble(-1);
    // The range is tested before the conversion: a huge number must not reach the cast.
    if (!v.isDouble() || !(d >= low && d <= high) || d != std::trunc(d))
        throw InputProblem{ where + ": deve ser um número inteiro de " + std::to_string(low) + " a "
                            + std::to_string(high) };
    return static_cast<int>(d);
}

std::vector<Edit> readEdits(const QJsonValue &value)
{
    if (!value.isArray())
        throw InputProblem{ "edits: deve ser uma lista" };
    std::vector<Edit> edits;
    const QJsonArray list = value.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const std::string where = "edits[" + std::to_string(i) + "]";
        if (!list.at(i).isObject())
            throw InputProblem{ where + ": deve ser um objeto" };
        const QJsonObject o = list.at(i).toObject();
        for (auto it = o.begin(); it != o.end(); ++it) {
            if (it.key() != "position" && it.key() != "exclude" && it.key() != "gauge")
                throw InputProblem{ where + "." + it.key().toStdString() + ": chave desconhecida" };
        }
        if (!o.contains("position"))
            throw InputProblem{ where + ": falta \"position\"" };
        if (o.contains("exclude") == o.contains("gauge"))
            throw InputProblem{ where + ": use \"exclude\" ou \"gauge\", um dos dois" };
        Edit e;
        e.position = wholeNumber(o.value("position"), 1, 20, where + ".position");
        if (o.contains("gauge")) {
            e.isGauge = true;
            e.gauge = wholeNumber(o.value("gauge"), 1, 12, where + ".gauge");
        } else {
            if (!o.value("exclude").isBool())
                throw InputProblem{ where + ".exclude: deve ser true ou false" };
            e.exclude = o.value("exclude").toBool();
        }
        edits.push_back(e);
    }
    return edits;
}

std::vector<std::pair<std::string, std::string>> readLegend(const QJsonValue &value)
{
    if (!value.isObject())
        throw InputProblem{ "legend: deve ser um objeto" };
    std::vector<std::pair<std::string, std::string>> texts;
    const QJsonObject o = value.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        const std::string key = it.key().toStdString();
        if (LegendMaxLength(key) == 0)
            throw InputProblem{ "legend." + key + ": chave desconhecida" };
        if (!it.value().isString())
            throw InputProblem{ "legend." + key + ": deve ser um texto" };
        texts.emplace_back(key, it.value().toString().toStdString());
    }
    return texts;
}

/// The grid's and the alternatives window's commands, in the order given.
void applyEdits(AppContext &ctx, const std::vector<Edit> &edits)
{
    const bool mm = ctx.state.gaugeUnitIsMm != 0;
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const Edit &e = edits[i];
        RebarPosition &p = ctx.rebarPosition(e.position);
        if (!e.isGauge) {
            if ((p.OUTAS != 0) != e.exclude)
                (void)ModulersvARM::ToggleExclusion(ctx, e.position, e.position);
            continue;
        }
        if (!ModulersvARM::CanShowAlternatives(ctx, e.position))
            throw InputProblem{ "edits[" + std::to_string(i) + "]: a posição "
                                + std::to_string(e.position)
                                + " está excluída; inclua-a antes de trocar a bitola" };
        const ModulersvARM::Alternatives alternatives = ModulersvARM::BuildAlternatives(ctx, p, mm);
        (void)ModulersvARM::ApplyAlternative(
                ctx, e.position, alternatives.list[static_cast<std::size_t>(e.gauge - 1)]);
    }
    // The quantities tab shows the edited bars.
    ModuleCalcConsumo::ComputeQuantities(ctx);
}

int problem(const char *command, const InputProblem &p)
{
    std::cerr << "reservium-cli " << command << ": " << p.message << "\n";
    return CalcCommand::kUsage;
}

void printOutcome(const AppContext &ctx, const CalcCommand::Outcome &outcome)
{
    JsonWriter w;
    CalcCommand::WriteOutcome(w, ctx, outcome);
    CalcCommand::PrintJson(w);
}

/// The legend saved in a project file. Opening a project keeps the legend typed in the window, as
/// the program does; a batch drawing has no window, so it takes the file's own legend.
void readSavedLegend(AppContext &ctx, const QString &path)
{
    const QString connection = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection);
        db.setDatabaseName(path);
        db.setConnectOptions("QSQLITE_OPEN_READONLY");
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec("SELECT rsvlgdPRJ, rsvlgdCLI, rsvlgdEND, rsvlgdRSP, rsvlgdOBS FROM RSVLGD")
                && q.next()) {
                const char *controls[] = { "aeESTPROJ", "aeESTCLI", "aeESTEND", "aeESTRESP",
                                           "aeESTOBS" };
                for (int i = 0; i < 5; ++i)
                    SetLegendText(ctx.forms.FormLegenda, controls[i],
                                  q.value(i).toString().toStdString());
            }
        }
    }
    QSqlDatabase::removeDatabase(connection);
}
} // namespace

int RunSave(const std::vector<std::string> &args)
{
    try {
        const CalcCommand::CommandLine line = CalcCommand::ParseCommandLine(args, { "--regional" });
        if (line.files.size() != 2)
            throw InputProblem{ "save pede a entrada JSON (ou -) e o arquivo do projeto" };
        const QJsonDocument doc = CalcCommand::ParseJson(CalcCommand::ReadInput(line.files[0]));
        if (!doc.isObject())
            throw InputProblem{ "save grava um projeto: a entrada deve ser um objeto JSON" };
        QJsonObject project = doc.object();
        // Everything is read and checked before anything is calculated or written.
        std::vector<Edit> edits;
        if (project.contains("edits"))
            edits = readEdits(project.take("edits"));
        std::vector<std::pair<std::string, std::string>> legend;
        if (project.contains("legend"))
            legend = readLegend(project.take("legend"));

        const auto ctx = CalcCommand::MakeContext(line.regional);
        const CalcCommand::Outcome outcome = CalcCommand::CalculateProject(*ctx, project);
        if (outcome.status != CalcCommand::kCalculated) {
            printOutcome(*ctx, outcome);
            return outcome.status;
        }
        applyEdits(*ctx, edits);
        for (const auto &[control, text] : legend)
            SetLegendText(ctx->forms.FormLegenda, control, text);

        ctx->state.projectPath = line.files[1];
        if (ErrorPair e = ProjectFlow::SaveProject(*ctx, false, false); !e.ok())
            return CalcCommand::ReportFileError("save", e);
        printOutcome(*ctx, outcome);
        return CalcCommand::kCalculated;
    } catch (const InputProblem &p) {
        return problem("save", p);
    } catch (const std::exception &e) {
        std::cerr << "reservium-cli save: erro interno: " << e.what() << "\n";
        return CalcCommand::kUsage;
    }
}

int RunReportDb(const std::vector<std::string> &args)
{
    try {
        const CalcCommand::CommandLine line = CalcCommand::ParseCommandLine(args, { "--regional" });
        if (line.files.size() != 2 || line.files[0] == "-" || line.files[1] == "-")
            throw InputProblem{ "report-db pede o arquivo do projeto e o arquivo do relatório" };
        const auto ctx = CalcCommand::MakeContext(line.regional);
        ApplySettings(*ctx);
        const ProjectFlow::OpenResult opened = ProjectFlow::OpenProjectFile(*ctx, line.files[0]);
        if (opened.status == ProjectFlow::OpenStatus::FileError)
            return CalcCommand::ReportFileError("report-db", opened.error);
        if (opened.status != ProjectFlow::OpenStatus::Opened) {
            const CalcCommand::Outcome outcome = CalcCommand::OutcomeOfOpening(*ctx, opened);
            printOutcome(*ctx, outcome);
            return outcome.status;
        }
        if (ErrorPair e = ModuleRSVFLS::ReplaceReportDatabase(
                    *ctx, QString::fromLocal8Bit(line.files[1].c_str()));
            !e.ok())
            return CalcCommand::ReportFileError("report-db", e);
        return CalcCommand::kCalculated;
    } catch (const InputProblem &p) {
        return problem("report-db", p);
    } catch (const std::exception &e) {
        std::cerr << "reservium-cli report-db: erro interno: " << e.what() << "\n";
        return CalcCommand::kUsage;
    }
}

int RunDetailAs(const char *command, const std::vector<std::string> &args)
{
    try {
        const CalcCommand::CommandLine line = CalcCommand::ParseCommandLine(args, { "--regional" });
        if (line.files.size() != 2 || line.files[0] == "-" || line.files[1] == "-")
            throw InputProblem{
                "detail pede o arquivo do projeto e a pasta dos arquivos de troca"
            };
        const auto ctx = CalcCommand::MakeContext(line.regional);
        ApplySettings(*ctx);
        const ProjectFlow::OpenResult opened = ProjectFlow::OpenProjectFile(*ctx, line.files[0]);
        if (opened.status == ProjectFlow::OpenStatus::FileError)
            return CalcCommand::ReportFileError(command, opened.error);
        if (opened.status != ProjectFlow::OpenStatus::Opened) {
            const CalcCommand::Outcome outcome = CalcCommand::OutcomeOfOpening(*ctx, opened);
            printOutcome(*ctx, outcome);
            return outcome.status;
        }
        readSavedLegend(*ctx, QString::fromLocal8Bit(line.files[0].c_str()));
        if (ErrorPair e = ModuleCAD::WriteDetailingFile(
                    *ctx, QString::fromLocal8Bit(line.files[1].c_str()));
            !e.ok())
            return CalcCommand::ReportFileError(command, e);
        return CalcCommand::kCalculated;
    } catch (const InputProblem &p) {
        return problem(command, p);
    } catch (const std::exception &e) {
        std::cerr << "reservium-cli " << command << ": erro interno: " << e.what() << "\n";
        return CalcCommand::kUsage;
    }
}

int RunDetail(const std::vector<std::string> &args)
{
    return RunDetailAs("detail", args);
}

const char *Usage()
{
    return "  save [--regional pt-BR|en-US] ARQUIVO.json|- PROJETO.rsv\n"
           "              calcula o projeto descrito em JSON (como calc), aplica as alterações\n"
           "              opcionais \"edits\" ([{\"position\": 3, \"exclude\": true},\n"
           "              {\"position\": 5, \"gauge\": 4}]) e a legenda opcional \"legend\"\n"
           "              ({\"aeESTPROJ\": \"...\"}), grava o projeto e escreve o resultado em\n"
           "              JSON. Saída como calc; 4 erro de arquivo.\n"
           "  report-db [--regional pt-BR|en-US] PROJETO.rsv RELATORIO.mdb\n"
           "              abre o projeto e grava o banco de dados do relatório, como a\n"
           "              impressão. Saída como calc; 4 erro de arquivo.\n"
           "  detail [--regional pt-BR|en-US] PROJETO.rsv PASTA\n"
           "              abre o projeto e grava na PASTA os arquivos de troca do\n"
           "              detalhamento, RSV_DET.ENT e RSV_LGD.ENT. Saída como calc; 4 erro\n"
           "              de arquivo.\n";
}

} // namespace ProjectCommands
