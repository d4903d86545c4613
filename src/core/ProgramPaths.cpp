#include "core/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <utility>

namespace {

QString shippedDataFolder()
{
    QStringList candidates;
    if (QCoreApplication::instance()) {
        const QString exeDir = QCoreApplication::applicationDirPath();
        candidates << exeDir + "/../share/reservium" << exeDir + "/data";
    }
#ifdef RESERVIUM_SOURCE_DATA_DIR
    candidates << QStringLiteral(RESERVIUM_SOURCE_DATA_DIR);
#endif
    for (const QString &c : candidates) {
        if (QFileInfo(c).isDir())
            return QDir::cleanPath(c);
    }
    return candidates.isEmpty() ? QString() : QDir::cleanPath(candidates.last());
}

} // namespace

ProgramPaths ProgramPaths::fromEnvironment()
{
    QString home = qEnvironmentVariable("RESERVIUM_HOME");
    if (home.isEmpty()) {
        home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Reservium";
    }
    return ProgramPaths(home, shippedDataFolder());
}

ProgramPaths::ProgramPaths(QString programFolder, QString dataFolder)
    : m_programFolder(QDir::cleanPath(std::move(programFolder))),
      m_dataFolder(QDir::cleanPath(std::move(dataFolder)))
{
}

QString ProgramPaths::userFile(const QString &name) const
{
    return m_programFolder + '/' + name;
}

QString ProgramPaths::dataFile(const QString &name) const
{
    return m_dataFolder + '/' + name;
}

ErrorPair ProgramPaths::ensureProgramFolder() const
{
    if (QFileInfo(m_programFolder).isDir())
        return {};
    if (QDir().mkpath(m_programFolder))
        return {};
    return { 76,
             "Não foi possível criar a pasta do programa \"" + m_programFolder.toStdString()
                     + "\". Verifique as permissões ou defina RESERVIUM_HOME para outra pasta." };
}
