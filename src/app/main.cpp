#include "core/AppContext.h"
#include "core/DesignState.h"
#include "core/StartUp.h"
#include "core/ui/FormSplash.h"
#include "core/ui/ImageButton.h"
#include "core/ui/MDI.h"
#include "settings/ApplySettings.h"
#include "settings/ParameterFile.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <cmath>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Reservium"));
    QApplication::setApplicationVersion(QStringLiteral(RESERVIUM_VERSION));

    ImageButton::ensurePictures();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/reservium.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("reservium"));

    auto context = AppContext::createForSystem();

    // The splash, with the busy pointer, while the regional settings are checked and the
    // parameters loaded.
    FormSplash splash;
    splash.show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents();

    // A message box of the start-up: the pointer is the usual one while it asks.
    const auto ask = [&splash](const std::string &text, UiHost::Buttons buttons, UiHost::Icon icon,
                               const std::string &title) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        QMessageBox box(icon == UiHost::Icon::Critical ? QMessageBox::Critical
                                                       : QMessageBox::Information,
                        QString::fromStdString(title), QString::fromStdString(text),
                        buttons == UiHost::Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                          : QMessageBox::Ok,
                        &splash);
        if (buttons == UiHost::Buttons::YesNo) {
            box.button(QMessageBox::Yes)->setText(QStringLiteral("&Sim"));
            box.button(QMessageBox::No)->setText(QStringLiteral("&Não"));
        }
        const int answer = box.exec();
        QApplication::restoreOverrideCursor();
        return answer == QMessageBox::Yes   ? int(UiHost::Yes)
                : answer == QMessageBox::No ? int(UiHost::No)
                                            : int(UiHost::Ok);
    };
    // The program's folder holds the override of the regional symbols the check may write.
    const ErrorPair folder = context->paths().ensureProgramFolder();
    if (!StartUp::CheckRegionalSettings(context->regional(), ask)) {
        QApplication::restoreOverrideCursor();
        return 0;
    }
    const StartUp::CommandLine commandLine =
            StartUp::ParseCommandLine(QApplication::arguments().mid(1));

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
    const QString cfgName =
            QString::fromUtf8(ParameterFile::kFileName.data(),
                              static_cast<qsizetype>(ParameterFile::kFileName.size()));
    const ParameterFile parameterFile(
            QFile::encodeName(context->paths().userFile(cfgName)).toStdString());
    const ParametersStatus parameters = LoadAndApplySettings(*context, parameterFile);

    MDI mainWindow(*context);
    // The program opens on the whole screen, because the results window with its five tabs of
    // fields and pictures needs more room than the main window's design size gives; a window
    // manager that does not maximise still gets the screen's size.
    mainWindow.resize(sizes.mainWidth / tppx, sizes.mainHeight / tppy);
    if (screen)
        mainWindow.setGeometry(screen->availableGeometry());
    mainWindow.showMaximized();
    // The main window's load closes the splash and gives the pointer back.
    splash.close();
    QApplication::restoreOverrideCursor();
    mainWindow.ResetToolbarPictures();

    // Told once the main window is up. A folder that could not be made also fails the
    // parameter file, whose message names the file; one message is enough then.
    QTimer::singleShot(0, &mainWindow, [&mainWindow, folder, parameters, commandLine] {
        const ErrorPair &error = parameters.error.ok() ? folder : parameters.error;
        if (!error.ok()) {
            mainWindow.MessageBox(error.description, UiHost::Buttons::Ok, UiHost::Icon::Critical,
                                  "Erro " + std::to_string(error.number));
        }
        if (!parameters.warning.empty()) {
            mainWindow.MessageBox(parameters.warning, UiHost::Buttons::Ok,
                                  UiHost::Icon::Exclamation, "ATENÇÃO!");
        }
        // A project given on the command line (the desktop's "open with") opens as "&Abrir"
        // opens it, without the dialog.
        if (!commandLine.error.isEmpty()) {
            mainWindow.MessageBox(commandLine.error.toStdString(), UiHost::Buttons::Ok,
                                  UiHost::Icon::Exclamation, "ATENÇÃO!");
        } else if (!commandLine.projectFile.isEmpty()) {
            mainWindow.OpenProjectFile(commandLine.projectFile);
        }
    });
    return app.exec();
}
