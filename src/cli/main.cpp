#include "cli/CalcCommand.h"
#include "cli/ProjectCommands.h"

#include <QCoreApplication>

#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

void printHelp(std::ostream &out)
{
    out << "Uso: reservium-cli [--version | --help]\n"
           "     reservium-cli calc [--regional pt-BR|en-US] [ARQUIVO.json | -]\n"
           "     reservium-cli calc --project PROJETO.rsv [--regional pt-BR|en-US]\n"
           "     reservium-cli save [--regional pt-BR|en-US] ARQUIVO.json|- PROJETO.rsv\n"
           "     reservium-cli report-db [--regional pt-BR|en-US] PROJETO.rsv RELATORIO.mdb\n"
           "     reservium-cli detail [--regional pt-BR|en-US] PROJETO.rsv PASTA\n"
           "\n"
           "Reservium - Software para Projeto de Reservatórios em Concreto Armado,\n"
           "sem janelas.\n"
           "\n"
           "  --version   mostra a versão do programa\n"
           "  --help      mostra esta ajuda\n"
        << CalcCommand::Usage() << ProjectCommands::Usage();
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
