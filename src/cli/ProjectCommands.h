#pragma once

#include <string>
#include <vector>

/// The command line's project files.
///
/// `reservium-cli save [--regional pt-BR|en-US] INPUT.json|- FILE.rsv` runs the chain and the
/// calculation of one project given as `calc` takes it, applies the optional `edits` (a list
/// of {"position": i, "exclude": true|false} or {"position": i, "gauge": row 1-12}, as the
/// reinforcement grid and the alternatives window do) and the optional `legend` (the legend
/// window's fields by control name), and saves the project to FILE.rsv as the Save command
/// does; then writes the outcome as `calc` does.
///
/// `reservium-cli report-db [--regional pt-BR|en-US] FILE.rsv OUT.mdb` opens the project as the
/// Open command does and writes its report database to OUT.mdb as the print commands write
/// "rsv.mdb".
///
/// Exit statuses as for `calc`; a file that cannot be read or written exits 4 with its error
/// number and description on one line of standard error. Nothing is saved unless the
/// calculation completed.
namespace ProjectCommands {

/// The arguments after "save". Returns the exit status.
int RunSave(const std::vector<std::string> &args);
/// The arguments after "report-db". Returns the exit status.
int RunReportDb(const std::vector<std::string> &args);
/// The arguments after "detail": `detail [--regional …] FILE.rsv DIR` opens the project and
/// writes its detailing exchange files "RSV_DET.ENT" and "RSV_LGD.ENT" into DIR, as the Detail
/// command writes them into the program's folder (the legend is the one saved in the file).
int RunDetail(const std::vector<std::string> &args);
/// The same on behalf of another command, whose name its messages carry.
int RunDetailAs(const char *command, const std::vector<std::string> &args);

/// The usage lines of both commands, for the program's help.
const char *Usage();

} // namespace ProjectCommands
