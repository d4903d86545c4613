#include "core/AppContext.h"
#include "core/DesignState.h"
#include "core/ui/MDI.h"

#include <QApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Reservium"));
    QApplication::setApplicationVersion(QStringLiteral(RESERVIUM_VERSION));

    auto context = AppContext::createForSystem();

    // Screen density as twips per pixel (15 at 96 dpi), the key of the window size table.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpiX = screen ? screen->logicalDotsPerInchX() : 96.0;
    const double dpiY = screen ? screen->logicalDotsPerInchY() : 96.0;
    const int tppx = std::clamp(static_cast<int>(std::lround(1440.0 / dpiX)), 5, 30);
    const int tppy = std::clamp(static_cast<int>(std::lround(1440.0 / dpiY)), 5, 30);
    const WindowSizes sizes = InitWindowSizes(context->state, tppx, tppy);

    MDI mainWindow(*context);
    mainWindow.resize(sizes.mainWidth / tppx, sizes.mainHeight / tppy);
    mainWindow.show();
    return app.exec();
}
