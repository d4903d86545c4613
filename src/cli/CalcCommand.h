#pragma once

#include <string>
#include <vector>

/// `reservium-cli calc [--regional pt-BR|en-US] [FILE.json | -]`: runs the input chain and the
/// calculation of one project (a JSON object) or of several (a JSON array) the way the windows
/// do, and writes the outcome as JSON to standard output.
///
/// Exit status: 0 calculated; 2 stopped by an input limit; 3 calculation error; 1 bad usage
/// or unreadable input (one line on standard error). A batch exits 0 once its input was
/// readable; each outcome carries its own status.
namespace CalcCommand {

/// The arguments after "calc". Returns the exit status.
int Run(const std::vector<std::string> &args);

/// The usage lines of the command, for the program's help.
const char *Usage();

} // namespace CalcCommand
