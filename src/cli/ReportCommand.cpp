#include "cli/ReportCommand.h"

#include "cli/CalcCommand.h"
#include "cli/JsonWriter.h"
#include "core/AppContext.h"
#include "input/InputForms.h"
#include "results/ReportPrinting.h"
#include "settings/ApplySettings.h"
#include "storage/Database.h"
#include "storage/ProjectFlow.h"
#include "storage/Recordset.h"

#include <iostream>

namespace ReportCommand {

namespace {

/// The legend saved with the project. Opening a project keeps the legend window as it was, which
/// in a session is the engineer's; a program just started has an empty one, and the report of a
/// project file must carry the project's own name, client and address.
ErrorPair loadLegend(AppContext &ctx, const std::string &path)
{
    Database db;
    if (ErrorPair e = Database::OpenDatabase(QString::fromLocal8Bit(path.c_str()), db); !e.ok())
        return e;
    Recordset rs;
    if (ErrorPair e = db.OpenRecordset("SELECT * FROM RSVLGD", rs); !e.ok())
        return e;
    if (rs.RecordCount() == 0)
        return {};
    if (ErrorPair e = rs.MoveFirst(); !e.ok())
        return e;
    const std::pair<const char *, const char *> columns[] = {
        { "rsvlgdPRJ", "aeESTPROJ" }, { "rsvlgdCLI", "aeESTCLI" }, { "rsvlgdEND", "aeESTEND" },
        { "rsvlgdRSP", "aeESTRESP" }, { "rsvlgdOBS", "aeESTOBS" },
    };
    for (const auto &[column, control] : columns) {
        std::string text;
        if (ErrorPair e = rs.GetField(column, text); !e.ok())
            return e;
        SetLegendText(ctx.forms.FormLegenda, control, text);
    }
    return db.Close();
}

} // namespace

int Run(const std::vector<std::string> &args)
{
    using CalcCommand::InputProblem;
    try {
        const CalcCommand::CommandLine line = CalcCommand::ParseCommandLine(args, { "--regional" });
        if (line.files.size() != 2 || line.files[0] == "-" || line.files[1] == "-")
            throw InputProblem{ "report pede o arquivo do projeto e o arquivo PDF" };
        const auto ctx = CalcCommand::MakeContext(line.regional);
        ApplySettings(*ctx);
        const ProjectFlow::OpenResult opened = ProjectFlow::OpenProjectFile(*ctx, line.files[0]);
        if (opened.status == ProjectFlow::OpenStatus::FileError)
            return CalcCommand::ReportFileError("report", opened.error);
        if (opened.status != ProjectFlow::OpenStatus::Opened) {
            const CalcCommand::Outcome outcome = CalcCommand::OutcomeOfOpening(*ctx, opened);
            JsonWriter w;
            CalcCommand::WriteOutcome(w, *ctx, outcome);
            CalcCommand::PrintJson(w);
            return outcome.status;
        }
        if (ErrorPair e = loadLegend(*ctx, line.files[0]); !e.ok())
            return CalcCommand::ReportFileError("report", e);
        std::unique_ptr<ReportEngine::Report> report;
        if (ErrorPair e = ReportPrinting::PrepareProjectReport(*ctx, report); !e.ok())
            return CalcCommand::ReportFileError("report", e);
        if (ErrorPair e = report->WritePdf(QString::fromLocal8Bit(line.files[1].c_str())); !e.ok())
            return CalcCommand::ReportFileError("report", e);
        return CalcCommand::kCalculated;
    } catch (const InputProblem &p) {
        std::cerr << "reservium-cli report: " << p.message << "\n";
        return CalcCommand::kUsage;
    } catch (const std::exception &e) {
        std::cerr << "reservium-cli report: erro interno: " << e.what() << "\n";
        return CalcCommand::kUsage;
    }
}

const char *Usage()
{
    return "  report [--regional pt-BR|en-US] PROJETO.rsv RELATORIO.pdf\n"
           "              abre o projeto, refaz o banco de dados do relatório \"rsv.mdb\" como a\n"
           "              impressão e grava o relatório do modelo do arranjo em PDF. Saída\n"
           "              como calc; 4 erro de arquivo, de modelo ou de banco de dados.\n";
}

} // namespace ReportCommand
