#pragma once

#include "core/ErrorPair.h"
#include "core/RegionalSettings.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonValue>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class AppContext;
class JsonWriter;
namespace ProjectFlow {
struct OpenResult;
}

/// `reservium-cli calc [--regional pt-BR|en-US] [FILE.json | -]`: runs the input chain and the
/// calculation of one project (a JSON object) or of several (a JSON array) the way the windows
/// do, and writes the outcome as JSON to standard output. `calc --project FILE.rsv` opens a
/// saved project as the Open command does and writes the same JSON.
///
/// Exit status: 0 calculated; 2 stopped by an input limit; 3 calculation error; 1 bad usage
/// or unreadable input (one line on standard error); 4 a project or database file that cannot
/// be read or written (its error number and description, one line on standard error). A batch
/// exits 0 once its input was readable; each outcome carries its own status.
namespace CalcCommand {

/// The arguments after "calc". Returns the exit status.
int Run(const std::vector<std::string> &args);

/// The usage lines of the command, for the program's help.
const char *Usage();

// ---- Shared with the project commands (save, report-db) --------------------------------------

enum ExitStatus : int {
    kCalculated = 0,
    kUsage = 1,
    kInputLimit = 2,
    kCalcFailed = 3,
    kFileError = 4,
};

/// A malformed command line or input: the message names where. Exit status 1.
struct InputProblem
{
    std::string message;
};

/// How one project's chain and calculation ended.
struct Outcome
{
    int status = kCalculated;
    std::optional<std::int16_t> layout; ///< the layout calculated or attempted
    std::string error; ///< the calculation error's message
};

/// The arguments of a command: `--regional` and the other options that take a value, and the
/// file arguments in order ("-" included).
struct CommandLine
{
    std::optional<FixedRegionalSettings> regional; ///< none: the system's settings
    std::map<std::string, std::string> values; ///< other options by name ("--project")
    std::vector<std::string> files;
};

/// Parses `args`; `valueOptions` are the options that take a value ("--regional", …). An
/// unknown option is an InputProblem.
CommandLine ParseCommandLine(const std::vector<std::string> &args,
                             std::initializer_list<const char *> valueOptions);

std::optional<FixedRegionalSettings> RegionalNamed(const std::string &name);

/// A program just started: the system's regional settings, or the ones named.
std::unique_ptr<AppContext> MakeContext(const std::optional<FixedRegionalSettings> &regional);

/// The bytes of a file, or of standard input for "-"; an InputProblem when unreadable.
QByteArray ReadInput(const std::string &file);
/// A JSON document; an InputProblem naming the position of a syntax error.
QJsonDocument ParseJson(const QByteArray &bytes);

/// One project object of the calc input (kind, geometry, lid, buried, layout, settings), read
/// (an InputProblem when malformed) and run through the chain and the calculation in `ctx`, a
/// program just started.
Outcome CalculateProject(AppContext &ctx, const QJsonValue &project);

/// The outcome of a project opened from its file (a file error is not one: see
/// ReportFileError).
Outcome OutcomeOfOpening(const AppContext &ctx, const ProjectFlow::OpenResult &opened);

/// The JSON object of one outcome.
void WriteOutcome(JsonWriter &w, const AppContext &ctx, const Outcome &outcome);
/// Writes the JSON text to standard output.
void PrintJson(const JsonWriter &w);

/// Prints "reservium-cli <command>: Erro <number>: <description>" as one line on standard
/// error and returns kFileError.
int ReportFileError(const char *command, const ErrorPair &error);

} // namespace CalcCommand
