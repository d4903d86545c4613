#pragma once

#include <string>
#include <vector>

/// `reservium-cli report [--regional pt-BR|en-US] FILE.rsv OUT.pdf`: opens the project as
/// `calc --project` does, rebuilds the report database "rsv.mdb" in the program's folder as a
/// print does, and renders the layout's template from it to OUT.pdf (written under a temporary
/// name and renamed into place).
///
/// Exit statuses as for `calc`; a project, template, database or PDF file problem exits 4 with
/// its error number and description on one line of standard error.
namespace ReportCommand {

/// The arguments after "report". Returns the exit status.
int Run(const std::vector<std::string> &args);

/// The usage lines of the command, for the program's help.
const char *Usage();

} // namespace ReportCommand
