#pragma once

#include <string>
#include <vector>

/// `reservium-cli drawing [--regional pt-BR|en-US] [--sheet A4|A3|A2|A1|A0] [--scale N]
/// FILE.rsv OUT`: the whole detailing of a project without windows — the views with their
/// dimensions and reinforcement, the bar schedule, on a sheet (A1 unless told) with its title
/// block at 1 : N (50 unless told) — written as DXF, PDF or SVG by OUT's extension.
///
/// The project is opened as the Open command does, its exchange files are written as the
/// Detail command writes them (into a temporary folder) and read back as the drawing platform
/// reads them, with the drawing settings of "RSV_ACAD.CFG" in the program's folder (the
/// platform's defaults when there is none). Exit statuses as for `calc`; 4 for a file that
/// cannot be read or written.
namespace DrawingCommand {

int Run(const std::vector<std::string> &args);
const char *Usage();

} // namespace DrawingCommand
