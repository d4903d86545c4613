#include "cad/ModuleCAD.h"

#include "cad/CadExchange.h"
#include "cad/CadForms.h"
#include "cad/CadPlatform.h"
#include "cad/CommandChannel.h"
#include "core/AppContext.h"
#include "core/UiHost.h"
#include "settings/ParameterFile.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

namespace ModuleCAD {

namespace {

std::string utf8(const QString &s)
{
    return s.toUtf8().toStdString();
}

QString qs(const std::string &s)
{
    return QString::fromUtf8(s.c_str(), static_cast<qsizetype>(s.size()));
}

ErrorPair fileError(QFileDevice::FileError error, const QString &path, const QString &what)
{
    std::int32_t number = 75;
    QString reason = QStringLiteral("o arquivo não pode ser acessado.");
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir()) {
        number = 76;
        reason = QStringLiteral("a pasta %1 não existe.").arg(folder.filePath());
    } else if (error == QFileDevice::PermissionsError || !folder.isWritable()) {
        number = 70;
        reason = QStringLiteral("permissão negada. Verifique se a pasta permite gravação.");
    } else if (error == QFileDevice::ResourceError || error == QFileDevice::WriteError) {
        number = 61;
        reason = QStringLiteral("não foi possível gravar (disco cheio?).");
    }
    return { number,
             utf8(QStringLiteral("Não foi possível %1 o arquivo \"%2\": %3")
                          .arg(what, QDir::toNativeSeparators(path), reason)) };
}

ErrorPair readLines(const QString &path, std::vector<std::string> &lines)
{
    lines.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fileError(file.error(), path, QStringLiteral("ler"));
    const QByteArray all = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fileError(file.error(), path, QStringLiteral("ler"));
    for (QByteArray line : all.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        lines.push_back(line.toStdString());
    }
    // The last line end leaves an empty piece behind, which is no line.
    if (!lines.empty() && lines.back().empty() && all.endsWith('\n'))
        lines.pop_back();
    if (all.isEmpty())
        lines.clear();
    return {};
}

QString folderWithSlash(QString folder)
{
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

ErrorPair WriteExchangeFile(const QString &path, const std::vector<std::string> &lines)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fileError(file.error(), path, QStringLiteral("gravar"));
    for (const std::string &line : lines) {
        file.write(line.data(), static_cast<qint64>(line.size()));
        file.write("\r\n", 2);
    }
    if (!file.commit())
        return fileError(file.error(), path, QStringLiteral("gravar"));
    return {};
}

ErrorPair WriteDetailingFile(const AppContext &ctx, const QString &folder)
{
    const QDir dir(folder);
    if (ErrorPair e = WriteExchangeFile(dir.filePath(qs(std::string(CadExchange::kDetailingFile))),
                                        CadExchange::DetailingLines(ctx));
        !e.ok())
        return e;
    return WriteExchangeFile(dir.filePath(qs(std::string(CadExchange::kLegendFile))),
                             CadExchange::LegendLines(ctx));
}

ErrorPair WriteDetailingFile(const AppContext &ctx)
{
    if (ErrorPair e = ctx.paths().ensureProgramFolder(); !e.ok())
        return e;
    return WriteDetailingFile(ctx, ctx.paths().programFolder());
}

ErrorPair ReadCadConfig(const AppContext &ctx, FormModel &form, int &missing)
{
    missing = 0;
    if (ErrorPair e = ctx.paths().ensureProgramFolder(); !e.ok())
        return e;
    const QString name = qs(std::string(CadForms::kConfigFile));
    const QString path = ctx.paths().userFile(name);
    if (!QFileInfo::exists(path)) {
        const QString shipped = ctx.paths().dataFile(name);
        if (QFileInfo::exists(shipped) && QFile::copy(shipped, path))
            QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    }
    std::vector<std::string> lines;
    if (QFileInfo::exists(path)) {
        if (ErrorPair e = readLines(path, lines); !e.ok())
            return e;
    }
    const bool comma = ctx.regional().decimalSymbol() != ".";
    missing = CadForms::ReadCadConfig(form, lines, comma);
    return {};
}

ErrorPair SaveCadConfig(const AppContext &ctx, const FormModel &form)
{
    if (ErrorPair e = ctx.paths().ensureProgramFolder(); !e.ok())
        return e;
    return WriteExchangeFile(ctx.paths().userFile(qs(std::string(CadForms::kConfigFile))),
                             CadForms::CadConfigLines(form));
}

ErrorPair WriteProgramExchangeFile(const AppContext &ctx, std::string_view name,
                                   const std::vector<std::string> &lines)
{
    if (ErrorPair e = ctx.paths().ensureProgramFolder(); !e.ok())
        return e;
    return WriteExchangeFile(ctx.paths().userFile(qs(std::string(name))), lines);
}

CadSettings ReadCadSettings(const AppContext &ctx)
{
    const ParameterFile file = ParameterFile::inFolder(ctx.paths().programFolder().toStdString());
    CadSettings s;
    std::string value;
    if (file.GetFileSetting("NameCAD", value).ok())
        s.name = qs(value).trimmed();
    if (file.GetFileSetting("PathCAD", value).ok())
        s.path = qs(value).trimmed();
    if (file.GetFileSetting("CADver", value).ok())
        s.version = qs(value).trimmed();
    return s;
}

QString ReserviumCadFolder()
{
    QString folder = qEnvironmentVariable("RESERVIUM_CAD_HOME");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                + QStringLiteral("/Reservium CAD");
    return folderWithSlash(QDir::cleanPath(folder));
}

QString PlatformFolder(const QString &storedName, const QString &platformPath)
{
    if (storedName == qs(std::string(CadPlatform::kReserviumCad)))
        return ReserviumCadFolder();
    if (platformPath.isEmpty())
        return {};
    QString path = platformPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash + 1);
}

QString InstalledReserviumCad()
{
    if (QCoreApplication::instance()) {
        const QFileInfo beside(QCoreApplication::applicationDirPath()
                               + QStringLiteral("/reservium-cad"));
        if (beside.isFile() && beside.isExecutable())
            return beside.absoluteFilePath();
    }
    return QStandardPaths::findExecutable(QStringLiteral("reservium-cad"));
}

bool ProgramFileExists(const QString &path)
{
    return !path.trimmed().isEmpty() && QFileInfo(path).isFile();
}

ErrorPair WriteCadBootstrap(const AppContext &ctx, const QString &storedName,
                            const QString &platformPath)
{
    const QString folder = PlatformFolder(storedName, platformPath);
    if (folder.isEmpty())
        return { 76, "O caminho da plataforma CAD não tem pasta." };
    if (!QDir().mkpath(folder))
        return fileError(QFileDevice::OpenError, folder + QStringLiteral("x"),
                         QStringLiteral("criar a pasta do"));
    const QString startup = folder + qs(CadPlatform::StartupFileName(utf8(storedName)));

    std::vector<std::string> lines;
    if (QFileInfo::exists(startup)) {
        if (ErrorPair e = readLines(startup, lines); !e.ok())
            return e;
        const QString backup = qs(CadPlatform::BackupPath(utf8(startup)));
        if (QFileInfo::exists(backup) && !QFile::remove(backup))
            return fileError(QFileDevice::RemoveError, backup, QStringLiteral("substituir"));
        if (!QFile::copy(startup, backup))
            return fileError(QFileDevice::CopyError, backup, QStringLiteral("gravar"));
        lines = CadPlatform::RemoveBlocks(lines);
    }
    QString program = ctx.paths().programFolder();
    for (const std::string &line : CadPlatform::BlockLines(utf8(folder), utf8(program)))
        lines.push_back(line);
    return WriteExchangeFile(startup, lines);
}

ErrorPair StoreCadPlatform(const AppContext &ctx, int listIndex, const QString &platformPath)
{
    const auto &table = CadPlatform::PlatformTable();
    if (listIndex < 0 || listIndex >= static_cast<int>(table.size()))
        return { 5, "Plataforma CAD desconhecida." };
    const CadPlatform::Platform &p = table[static_cast<std::size_t>(listIndex)];
    const QString name = qs(std::string(p.storedName));
    if (ErrorPair e = WriteCadBootstrap(ctx, name, platformPath); !e.ok())
        return e;
    if (ErrorPair e = ctx.paths().ensureProgramFolder(); !e.ok())
        return e;
    const ParameterFile file = ParameterFile::inFolder(ctx.paths().programFolder().toStdString());
    return file.SaveFileSettings({ { "NameCAD", utf8(name) },
                                   { "PathCAD", utf8(platformPath) },
                                   { "CADver", std::to_string(p.code) } });
}

bool SendCadCommand(AppContext &ctx, int code, const std::function<void()> &showFormSetCad)
{
    const CadSettings cad = ReadCadSettings(ctx);
    const QString command = qs(std::string(CadPlatform::CommandText(code)));
    UiHost *ui = ctx.ui();
    if (!cad.name.isEmpty() && !command.isEmpty()) {
        const CommandChannel::SendResult sent = CommandChannel::send(cad.name, command);
        switch (sent.status) {
        case CommandChannel::SendResult::Status::Accepted:
            return true;
        case CommandChannel::SendResult::Status::Refused:
            if (ui)
                ui->MessageBox(utf8(QStringLiteral("O %1 recusou o comando %2:\n%3")
                                            .arg(cad.name, command, sent.message)),
                               UiHost::Buttons::Ok, UiHost::Icon::Exclamation, "ATENÇÃO!");
            return false;
        case CommandChannel::SendResult::Status::NoAnswer:
            // Running but not answering: starting a second one would not help.
            if (ui)
                ui->MessageBox(utf8(QStringLiteral("O %1 não respondeu ao comando %2.\n"
                                                   "Verifique se ele não está ocupado e tente "
                                                   "novamente.")
                                            .arg(cad.name, command)),
                               UiHost::Buttons::Ok, UiHost::Icon::Exclamation, "ATENÇÃO!");
            return false;
        case CommandChannel::SendResult::Status::NotRunning:
            break;
        }
    }

    if (!ProgramFileExists(cad.path)) {
        // No platform chosen yet: the message names the CAD in general.
        const QString name = cad.name.isEmpty() ? QStringLiteral("CAD") : cad.name;
        if (ui)
            ui->MessageBox(utf8(QStringLiteral("O Reservium não inicializou o %1.\n"
                                               "O Caminho especificado para o %1 está incorreto.")
                                        .arg(name)),
                           UiHost::Buttons::Ok, UiHost::Icon::Critical, "ATENÇÃO!");
        if (showFormSetCad)
            showFormSetCad();
        return false;
    }
    // The platform's start-up block runs RSV_INI by itself; the command asked for is not sent.
    QProcess::startDetached(cad.path, {}, QFileInfo(cad.path).absolutePath());
    return false;
}

bool Detail(AppContext &ctx, const std::function<void()> &showFormSetCad)
{
    if (ErrorPair e = WriteDetailingFile(ctx); !e.ok()) {
        if (UiHost *ui = ctx.ui())
            ui->MessageBox(e.description, UiHost::Buttons::Ok, UiHost::Icon::Critical,
                           "Erro " + std::to_string(e.number));
        return false;
    }
    (void)SendCadCommand(ctx, 0, showFormSetCad);
    return true;
}

bool OpenDocument(AppContext &ctx, const QString &path)
{
    if (QFileInfo::exists(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return true;
    if (UiHost *ui = ctx.ui())
        ui->MessageBox(utf8(QStringLiteral("O arquivo %1 não pode ser aberto.\nVerifique se existe "
                                           "algum aplicativo associado à extensão: %2")
                                    .arg(path, path.right(4))),
                       UiHost::Buttons::Ok, UiHost::Icon::Critical, "ATENÇÃO!");
    return false;
}

} // namespace ModuleCAD
