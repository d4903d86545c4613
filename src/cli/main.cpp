#include "cli/CalcCommand.h"

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
           "\n"
           "Reservium - Software para Projeto de Reservatórios em Concreto Armado,\n"
           "sem janelas.\n"
           "\n"
           "  --version   mostra a versão do programa\n"
           "  --help      mostra esta ajuda\n"
        << CalcCommand::Usage();
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
    if (argc >= 2 && std::strcmp(argv[1], "calc") == 0) {
        // No display is needed: the engine and the platform layer run on Qt Core alone.
        QCoreApplication app(argc, argv);
        return CalcCommand::Run(std::vector<std::string>(argv + 2, argv + argc));
    }
    if (argc > 1)
        std::cerr << "reservium-cli: comando desconhecido: " << argv[1] << "\n\n";
    printHelp(std::cerr);
    return 1;
}
