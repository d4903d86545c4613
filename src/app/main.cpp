#include "core/AppContext.h"
#include "core/DesignState.h"
#include "core/ui/MDI.h"
#include "settings/ApplySettings.h"
#include "settings/ParameterFile.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTimer>

#include <cmath>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Reservium"));
    QApplication::setApplicationVersion(QStringLiteral(RESERVIUM_VERSION));

    auto context = AppContext::createForSystem();

    // Screen density as twips per pixel (15 at 96 dpi), the key of the window size table.
    const QScreen *screen = QGuiApplication::primaryScreen();
    // A screen that reports no sensible density is taken as 96 dpi (15 twips per pixel).
    const auto twipsPerPixel = [](double dpi) {
        if (!(dpi >= 48.0 && dpi <= 288.0))
            return 15;
        return static_cast<int>(std::lround(1440.0 / dpi));
    };
    const int tppx = twipsPerPixel(screen ? screen->logicalDotsPerInchX() : 96.0);
    const int tppy = twipsPerPixel(screen ? screen->logicalDotsPerInchY() : 96.0);
    const WindowSizes sizes = InitWindowSizes(context->state, tppx, tppy);

    // The calculation parameters: the working copy from the parameter file in the program's
    // folder (written with the factory values on the first run), then the design state.
    const ErrorPair folder = context->paths().ensureProgramFolder();
    const QString cfgName =
            QString::fromUtf8(ParameterFile::kFileName.data(),
                              static_cast<qsizetype>(ParameterFile::kFileName.size()));
    const ParameterFile parameterFile(
            QFile::encodeName(context->paths().userFile(cfgName)).toStdString());
    const ParametersStatus parameters = LoadAndApplySettings(*context, parameterFile);

    MDI mainWindow(*context);
    mainWindow.resize(sizes.mainWidth / tppx, sizes.mainHeight / tppy);
    mainWindow.show();

    // Told once the main window is up. A folder that could not be made also fails the
    // parameter file, whose message names the file; one message is enough then.
    QTimer::singleShot(0, &mainWindow, [&mainWindow, folder, parameters] {
        const ErrorPair &error = parameters.error.ok() ? folder : parameters.error;
        if (!error.ok()) {
            mainWindow.MessageBox(error.description, UiHost::Buttons::Ok, UiHost::Icon::Critical,
                                  "Erro " + std::to_string(error.number));
        }
        if (!parameters.warning.empty()) {
            mainWindow.MessageBox(parameters.warning, UiHost::Buttons::Ok,
                                  UiHost::Icon::Exclamation, "ATENÇÃO!");
        }
    });
    return app.exec();
}
