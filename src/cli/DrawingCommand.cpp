#include "cli/DrawingCommand.h"

#include "cad/Detailing.h"
#include "cad/DxfWriter.h"
#include "cad/ExchangeFiles.h"
#include "cad/SheetExport.h"
#include "cli/CalcCommand.h"
#include "cli/ProjectCommands.h"
#include "core/AppContext.h"
#include "core/Numbers.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <iostream>
#include <map>

namespace DrawingCommand {

namespace {

using CalcCommand::InputProblem;

int readProblem(const ExchangeFiles::ReadError &e)
{
    std::cerr << "reservium-cli drawing: " << e.message() << "\n";
    return CalcCommand::kFileError;
}

} // namespace

int Run(const std::vector<std::string> &args)
{
    try {
        const CalcCommand::CommandLine line =
                CalcCommand::ParseCommandLine(args, { "--regional", "--sheet", "--scale" });
        if (line.files.size() != 2 || line.files[0] == "-" || line.files[1] == "-")
            throw InputProblem{ "drawing pede o arquivo do projeto e o arquivo do desenho" };
        static const std::map<std::string, ExchangeFiles::SheetFormat> sheets = {
            { "A4", { 21, 29.7 } },   { "A3", { 42, 29.7 } },    { "A2", { 59.4, 42 } },
            { "A1", { 84.1, 59.4 } }, { "A0", { 118.9, 84.1 } },
        };
        ExchangeFiles::SheetFormat sheet = sheets.at("A1");
        if (auto it = line.values.find("--sheet"); it != line.values.end()) {
            const auto found = sheets.find(it->second);
            if (found == sheets.end())
                throw InputProblem{ "--sheet pede A4, A3, A2, A1 ou A0" };
            sheet = found->second;
        }
        double scale = 50;
        if (auto it = line.values.find("--scale"); it != line.values.end()) {
            const std::optional<double> v = TryTextToNumber(it->second, 3);
            if (!v || !(*v >= 1 && *v <= 10000) || TrimBlanks(it->second).empty())
                throw InputProblem{ "--scale pede o denominador da escala, de 1 a 10000" };
            scale = *v;
        }
        const QString out = QString::fromLocal8Bit(line.files[1].c_str());
        const QString kind = QFileInfo(out).suffix().toLower();
        if (kind != "dxf" && kind != "pdf" && kind != "svg")
            throw InputProblem{ "o desenho deve terminar em .dxf, .pdf ou .svg" };

        // The exchange files exactly as the Detail command writes them for the platform.
        QTemporaryDir exchange;
        if (!exchange.isValid())
            return CalcCommand::ReportFileError(
                    "drawing", { 75, "Não foi possível criar uma pasta temporária." });
        std::vector<std::string> detailArgs;
        if (auto it = std::find(args.begin(), args.end(), "--regional");
            it != args.end() && it + 1 != args.end()) {
            detailArgs.push_back(*it);
            detailArgs.push_back(*(it + 1));
        }
        detailArgs.push_back(line.files[0]);
        detailArgs.push_back(exchange.path().toStdString());
        if (const int status = ProjectCommands::RunDetailAs("drawing", detailArgs); status != 0)
            return status;

        const std::string folder = exchange.path().toStdString();
        const auto data = ExchangeFiles::ReadDetailing(folder);
        if (!data.ok())
            return readProblem(data.error);
        const auto legend = ExchangeFiles::ReadLegend(folder);
        if (!legend.ok())
            return readProblem(legend.error);
        const auto ctx = CalcCommand::MakeContext(line.regional);
        const std::string programFolder = ctx->paths().programFolder().toStdString();
        ExchangeFiles::Read<ExchangeFiles::DrawingSettings> settings;
        if (QFileInfo::exists(
                    QDir(ctx->paths().programFolder()).filePath(ExchangeFiles::kSettingsFile))) {
            settings = ExchangeFiles::ReadSettings(programFolder);
        } else {
            std::string defaults;
            for (const std::string &l : ExchangeFiles::DefaultSettingsLines())
                defaults += l + "\r\n";
            settings = ExchangeFiles::ParseSettings(defaults);
        }
        if (!settings.ok())
            return readProblem(settings.error);

        Detailing::Options options;
        options.scale = scale;
        options.decimalComma = ctx->regional().decimalSymbol() == ",";
        options.date = QDate::currentDate().toString("dd/MM/yyyy").toStdString();
        const draw::Scene scene = Detailing::WholeDetailing(*data.value, *settings.value, sheet,
                                                            *legend.value, options);
        ErrorPair written;
        if (kind == "dxf")
            written = DxfWriter::Write(scene, out.toStdString());
        else if (kind == "pdf")
            written = SheetExport::WritePdf(scene, out);
        else
            written = SheetExport::WriteSvg(scene, out);
        if (!written.ok())
            return CalcCommand::ReportFileError("drawing", written);
        // The drawing is written either way; a batch user is told what did not fit, since the
        // sheet alone would not show it.
        const std::vector<std::string> off = Detailing::ElementsOffSheet(scene);
        if (!off.empty()) {
            std::string names;
            for (std::size_t i = 0; i < off.size(); ++i)
                names += (i == 0 ? "" : i + 1 == off.size() ? " e " : ", ") + off[i];
            std::cerr << "reservium-cli drawing: aviso: " << names
                      << (off.size() == 1 ? " não coube" : " não couberam")
                      << " na folha nesta escala e " << (off.size() == 1 ? "ficou" : "ficaram")
                      << " ao lado dela; use uma folha maior (--sheet) ou outra escala "
                         "(--scale).\n";
        }
        return CalcCommand::kCalculated;
    } catch (const InputProblem &p) {
        std::cerr << "reservium-cli drawing: " << p.message << "\n";
        return CalcCommand::kUsage;
    } catch (const std::exception &e) {
        std::cerr << "reservium-cli drawing: erro interno: " << e.what() << "\n";
        return CalcCommand::kUsage;
    }
}

const char *Usage()
{
    return "  drawing [--regional pt-BR|en-US] [--sheet A4|A3|A2|A1|A0] [--scale N]\n"
           "          PROJETO.rsv DESENHO.dxf|.pdf|.svg\n"
           "              abre o projeto e desenha o detalhamento completo (formas, cotas,\n"
           "              armaduras, relação do aço) numa folha com carimbo, na escala 1:N\n"
           "              (A1 e 1:50 se não indicados). Saída como calc; 4 erro de arquivo.\n";
}

} // namespace DrawingCommand
