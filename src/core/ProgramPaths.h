#pragma once

#include "core/ErrorPair.h"

#include <QString>

/// Where the program's files live. Shipped read-only files (report templates, the soil catalogue
/// seed, pictures, help) are under the data folder; writable files (the parameter file, the
/// soil catalogue, the report database, the exchange files) are in the program's folder, the
/// per-user folder of the program, or the folder named by RESERVIUM_HOME when it is set.
class ProgramPaths
{
public:
    /// The folders of this installation: RESERVIUM_HOME or the per-user data folder, and the
    /// shipped data beside the program (or in the source tree for a build not installed).
    static ProgramPaths fromEnvironment();
    ProgramPaths(QString programFolder, QString dataFolder);

    /// The program's writable folder, without a trailing separator.
    const QString &programFolder() const { return m_programFolder; }
    /// The folder of the shipped read-only files.
    const QString &dataFolder() const { return m_dataFolder; }

    /// A file in the program's folder.
    QString userFile(const QString &name) const;
    /// A shipped file.
    QString dataFile(const QString &name) const;

    /// Creates the program's folder when it is missing.
    ErrorPair ensureProgramFolder() const;

private:
    QString m_programFolder;
    QString m_dataFolder;
};
