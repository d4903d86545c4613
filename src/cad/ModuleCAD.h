#pragma once

#include "core/ErrorPair.h"

#include <QString>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class AppContext;
class FormModel;

/// The application's side of the drawing platform: the exchange files, the platform settings
/// in the parameter file, the start-up block, and the drawing commands sent over the command
/// channel (cad/CommandChannel.h).
namespace ModuleCAD {

/// Writes the lines, each ended by CR LF, under a temporary name in the same folder and renames
/// it over `path`, so that a platform never reads half a file and a failed write leaves the old
/// file whole.
ErrorPair WriteExchangeFile(const QString &path, const std::vector<std::string> &lines);

/// "RSV_DET.ENT" and "RSV_LGD.ENT" of the current project in `folder`.
ErrorPair WriteDetailingFile(const AppContext &ctx, const QString &folder);
/// The same in the program's folder, where the platform reads them.
ErrorPair WriteDetailingFile(const AppContext &ctx);

/// The drawing settings "RSV_ACAD.CFG" of the program's folder, copied there from the shipped
/// default on first use, read into the settings window's controls (CadForms). `missing` receives
/// how many of the 32 lines the file lacked.
ErrorPair ReadCadConfig(const AppContext &ctx, FormModel &form, int &missing);
/// Writes the controls back as the 32 lines of "RSV_ACAD.CFG", atomically.
ErrorPair SaveCadConfig(const AppContext &ctx, const FormModel &form);

/// A small exchange file in the program's folder ("RSV_DFM.ENT", "RSV_ESC.ENT", "RSV_EAS.ENT").
ErrorPair WriteProgramExchangeFile(const AppContext &ctx, std::string_view name,
                                   const std::vector<std::string> &lines);

/// "NameCAD", "PathCAD" and "CADver" as stored, the first two trimmed; empty when not set.
struct CadSettings
{
    QString name;
    QString path;
    QString version;
};
CadSettings ReadCadSettings(const AppContext &ctx);

/// The per-user folder of "Reservium CAD" (its start-up file and "Fonts/"), with a trailing
/// "/": RESERVIUM_CAD_HOME when set, else "<user data folder>/Reservium CAD/".
QString ReserviumCadFolder();

/// The platform's folder, with a trailing "/": our own platform's per-user folder, or the folder
/// of the program file for the other platforms. Empty when no path is given.
QString PlatformFolder(const QString &storedName, const QString &platformPath);

/// The installed "reservium-cad" to propose for "Reservium CAD": the one beside the running
/// program, else the one found in PATH; empty when there is none.
QString InstalledReserviumCad();

/// Whether the program file exists (a regular file).
bool ProgramFileExists(const QString &path);

/// Hooks the detailing application into the platform's start-up file: the ".old" backup, every
/// previous block left out, the new block appended.
ErrorPair WriteCadBootstrap(const AppContext &ctx, const QString &storedName,
                            const QString &platformPath);

/// The platform chosen in the platform window (its list position): writes the start-up block,
/// and only when that succeeded stores "NameCAD", "PathCAD" and "CADver".
ErrorPair StoreCadPlatform(const AppContext &ctx, int listIndex, const QString &platformPath);

/// Sends a drawing command (0 `RSV_INI`, 2 `RSV_DFR`, … 11 `RSV_EAS`) to the running platform;
/// true when the platform accepted it. When no platform answers, "PathCAD" is started and the
/// command is not sent (the start-up block runs `RSV_INI` itself); a missing program file is
/// reported and `showFormSetCad` is called to let the user find the platform.
bool SendCadCommand(AppContext &ctx, int code, const std::function<void()> &showFormSetCad = {});

/// The Detail command's part below the windows: writes "RSV_DET.ENT" and "RSV_LGD.ENT" and sends
/// `RSV_INI`. A file that cannot be written is reported ("Erro " + number) and nothing is sent;
/// the result is false then. Otherwise the result is true, whatever the platform answered: the
/// caller goes on to the toolbox either way.
bool Detail(AppContext &ctx, const std::function<void()> &showFormSetCad = {});

/// Opens a document with the desktop's application for it; a failure is reported.
bool OpenDocument(AppContext &ctx, const QString &path);

} // namespace ModuleCAD
