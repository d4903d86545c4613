#include "cli/CalcCommand.h"
#include "cli/DrawingCommand.h"
#include "cli/ProjectCommands.h"
#include "cli/ReportCommand.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHashFunctions>

#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

/// Standard error carries the command's own messages, one line for a failure: the platform
/// layer's remarks (a runtime folder it had to choose, a font it replaced) are not for the user
/// of the command line. Fatal messages still end the program.
void quietQtMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg || type == QtCriticalMsg)
        std::cerr << message.toLocal8Bit().constData() << "\n";
}

void printHelp(std::ostream &out)
{
    out << "Uso: reservium-cli [--version | --help]\n"
           "     reservium-cli calc [--regional pt-BR|en-US] [ARQUIVO.json | -]\n"
           "     reservium-cli calc --project PROJETO.rsv [--regional pt-BR|en-US]\n"
           "     reservium-cli save [--regional pt-BR|en-US] ARQUIVO.json|- PROJETO.rsv\n"
           "     reservium-cli report-db [--regional pt-BR|en-US] PROJETO.rsv RELATORIO.mdb\n"
           "     reservium-cli report [--regional pt-BR|en-US] PROJETO.rsv RELATORIO.pdf\n"
           "     reservium-cli detail [--regional pt-BR|en-US] PROJETO.rsv PASTA\n"
           "     reservium-cli drawing [--regional pt-BR|en-US] [--sheet A4|A3|A2|A1|A0]\n"
           "                           [--scale N] PROJETO.rsv DESENHO.dxf|.pdf|.svg\n"
           "\n"
           "Reservium - Software para Projeto de Reservatórios em Concreto Armado,\n"
           "sem janelas.\n"
           "\n"
           "  --version   mostra a versão do programa\n"
           "  --help      mostra esta ajuda\n"
        << CalcCommand::Usage() << ProjectCommands::Usage() << ReportCommand::Usage()
        << DrawingCommand::Usage();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "reservium-cli " << RESERVIUM_VERSION << "\n";
        return 0;
    }
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        printHelp(std::cout);
        return 0;
    }
    if (argc >= 2) {
        using Command = int (*)(const std::vector<std::string> &);
        Command command = nullptr;
        if (std::strcmp(argv[1], "calc") == 0)
            command = &CalcCommand::Run;
        else if (std::strcmp(argv[1], "save") == 0)
            command = &ProjectCommands::RunSave;
        else if (std::strcmp(argv[1], "report-db") == 0)
            command = &ProjectCommands::RunReportDb;
        else if (std::strcmp(argv[1], "detail") == 0)
            command = &ProjectCommands::RunDetail;
        const bool drawing = std::strcmp(argv[1], "drawing") == 0;
        if (drawing || std::strcmp(argv[1], "report") == 0) {
            // Reports and drawings lay out text with the fonts of the system, which takes the
            // platform layer; without a display they run offscreen.
            if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            qInstallMessageHandler(&quietQtMessages);
            // The PDF's font subsets are built through hash tables: with a fixed seed the same
            // project prints the same file, byte for byte but for its creation date.
            QHashSeed::setDeterministicGlobalSeed();
            QGuiApplication app(argc, argv);
            const std::vector<std::string> args(argv + 2, argv + argc);
            return drawing ? DrawingCommand::Run(args) : ReportCommand::Run(args);
        }
        if (command) {
            // No display is needed: the engine and the platform layer run on Qt Core alone.
            QCoreApplication app(argc, argv);
            return command(std::vector<std::string>(argv + 2, argv + argc));
        }
    }
    if (argc > 1)
        std::cerr << "reservium-cli: comando desconhecido: " << argv[1] << "\n\n";
    printHelp(std::cerr);
    return 1;
}
