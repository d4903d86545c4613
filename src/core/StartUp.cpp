#include "core/StartUp.h"

#include "core/Numbers.h"
#include "core/RegionalSettings.h"

#include <QFileInfo>

namespace StartUp {

std::string QuestionMessage(const std::string &title, const std::string &language)
{
    return "O " + title + " verificou alguma(s) incompatibilidade(s) referente(s)\n"
            + "às configurações regionais de seu computador:\n" + "Idioma: [" + language + "]\n"
            + "- SÍMBOLO DECIMAL e SÍMBOLO DE AGRUPAMENTO DE DÍGITOS alternados!\n"
            + "Deseja que o " + title + " corrija automaticamente esta(s) incompatibilidade(s)?";
}

std::string DoneMessage(const std::string &title)
{
    return "O " + title + " efetuou a(s) modificação(ões) necessária(s) em seu sistema.\n"
            + "Execute o " + title + " novamente.";
}

std::string RefusedMessage(const std::string &title)
{
    return "O " + title + " não será executado com as configurações regionais atuais.";
}

bool RegionalSettingsIncompatible(const RegionalSettings &regional)
{
    const std::string expected = ExpectedDecimalSymbol(regional);
    const std::string decimal = regional.decimalSymbol();
    const std::string grouping = regional.groupingSymbol();
    return (expected == "," && decimal == "." && grouping == ",")
            || (expected == "." && decimal == "," && grouping == ".");
}

bool CheckRegionalSettings(RegionalSettings &regional, const Ask &ask, const std::string &title)
{
    if (!RegionalSettingsIncompatible(regional))
        return true;
    const std::string question =
            QuestionMessage(title, regional.ReadLocale(RegionalSettings::LanguageName));
    if (ask(question, UiHost::Buttons::YesNo, UiHost::Icon::Critical, kCheckTitle) == UiHost::Yes) {
        // Read again: the swap is made on the symbols as they are now.
        const std::string decimal = regional.decimalSymbol();
        const std::string grouping = regional.groupingSymbol();
        regional.WriteLocale(RegionalSettings::DecimalSymbol, grouping);
        regional.WriteLocale(RegionalSettings::GroupingSymbol, decimal);
        ask(DoneMessage(title), UiHost::Buttons::Ok, UiHost::Icon::Information, kCheckTitle);
    } else {
        ask(RefusedMessage(title), UiHost::Buttons::Ok, UiHost::Icon::Information, kCheckTitle);
    }
    return false;
}

CommandLine ParseCommandLine(const QStringList &arguments)
{
    CommandLine line;
    if (arguments.isEmpty())
        return line;
    const QString usage = QStringLiteral(
            "\n\nO Reservium aceita na linha de comando somente o nome de um arquivo de projeto "
            "(\".rsv\"), por exemplo: reservium caixa.rsv");
    if (arguments.size() > 1) {
        line.error = QStringLiteral("O Reservium abre um projeto de cada vez; foram dados %1 "
                                    "argumentos na linha de comando.")
                             .arg(arguments.size())
                + usage;
        return line;
    }
    const QString argument = arguments.front();
    const QFileInfo file(argument);
    if (argument.startsWith('-') || file.suffix().compare("rsv", Qt::CaseInsensitive) != 0) {
        line.error =
                QStringLiteral("O argumento \"%1\" não foi reconhecido.").arg(argument) + usage;
        return line;
    }
    if (!file.isFile()) {
        line.error = QStringLiteral("O arquivo de projeto \"%1\" não foi encontrado. Verifique o "
                                    "nome e a pasta do arquivo.")
                             .arg(argument);
        return line;
    }
    line.projectFile = file.absoluteFilePath();
    return line;
}

} // namespace StartUp
