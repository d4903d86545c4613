#pragma once

#include "core/UiHost.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>

class RegionalSettings;

/// The program's start: the regional-settings check made once before the main window, and the
/// project file the desktop may pass on the command line ("reservium caixa.rsv").
namespace StartUp {

/// The program's title in the start-up messages.
inline constexpr const char *kTitle = "Reservium";
inline constexpr const char *kCheckTitle = "ATENÇÃO!";

/// The three messages of the check; line breaks are "\n".
std::string QuestionMessage(const std::string &title, const std::string &language);
std::string DoneMessage(const std::string &title);
std::string RefusedMessage(const std::string &title);

/// Whether the decimal and grouping symbols are swapped for the user's country: "." and ","
/// where "," is expected, or "," and "." where "." is expected. Anything else passes,
/// including a country without an expectation (code 0 or unreadable).
bool RegionalSettingsIncompatible(const RegionalSettings &regional);

/// A message box: text, buttons, icon, title → the answer (UiHost's numbers).
using Ask = std::function<int(const std::string &text, UiHost::Buttons buttons, UiHost::Icon icon,
                              const std::string &title)>;

/// The check: true when the program may go on. When the symbols are swapped it asks whether
/// to correct them; "Sim" swaps them in the program's own regional settings and says that it
/// did, "Não" says that the program will not run; either way the check fails and the program
/// ends, so the next start runs with the corrected symbols. A swap that cannot be written is
/// not reported separately: the next start asks again.
bool CheckRegionalSettings(RegionalSettings &regional, const Ask &ask,
                           const std::string &title = kTitle);

/// What the command line asks for: a project file to open after start-up, or a message for an
/// argument the program does not understand. Qt's own options have been taken out already.
struct CommandLine
{
    QString projectFile; ///< absolute path; empty for none
    QString error; ///< empty when the arguments are understood
};
/// `arguments` without the program's name.
CommandLine ParseCommandLine(const QStringList &arguments);

} // namespace StartUp
