#include "cad/CommandChannel.h"
#include "cad/ModuleCAD.h"
#include "cad/PlatformSession.h"
#include "cad/app/CadMainWindow.h"

#include <QApplication>

#include <iostream>

/// reservium-cad [COMMAND...]: the drawing platform. One runs per user: a second start hands
/// the commands of its command line to the running one and ends.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Reservium CAD");
    const QString name = QString::fromUtf8(PlatformSession::kName);
    const QStringList commands = QApplication::arguments().mid(1);
    if (CommandChannel::isListening(name, 500)) {
        int status = 0;
        for (const QString &command : commands) {
            const CommandChannel::SendResult r = CommandChannel::send(name, command);
            if (!r.accepted()) {
                std::cerr << "reservium-cad: " << command.toStdString() << ": "
                          << (r.message.isEmpty() ? std::string("sem resposta")
                                                  : r.message.toStdString())
                          << "\n";
                status = 1;
            }
        }
        return status;
    }
    CadMainWindow window;
    window.listen();
    window.show();
    window.start(ModuleCAD::ReserviumCadFolder());
    for (const QString &command : commands)
        window.runCommand(command);
    return app.exec();
}
