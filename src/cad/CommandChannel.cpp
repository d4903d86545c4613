#include "cad/CommandChannel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

namespace {

/// Commands and answers are short; a longer line means something else is talking on the socket.
constexpr qint64 maxLineLength = 4096;

/// Waits on the socket with a local event loop until `done` holds, the socket goes away or the
/// time runs out. A local loop (rather than the socket's blocking waits) lets a server living in
/// the same thread, such as a test's scripted platform, answer in the meantime.
bool waitFor(QLocalSocket &socket, int timeoutMs, const std::function<bool()> &done)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    auto check = [&] {
        if (done() || socket.state() == QLocalSocket::UnconnectedState)
            loop.quit();
    };
    QObject::connect(&socket, &QLocalSocket::connected, &loop, check);
    QObject::connect(&socket, &QLocalSocket::readyRead, &loop, check);
    QObject::connect(&socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    check();
    if (!done() && socket.state() != QLocalSocket::UnconnectedState)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return done();
}

} // namespace

namespace CommandChannel {

QString socketPath(const QString &platformName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QString name = platformName.trimmed();
    name.replace(QLatin1Char(' '), QLatin1Char('-'));
    return QDir(folder).filePath(name + QStringLiteral(".sock"));
}

SendResult send(const QString &platformName, const QString &command, int timeoutMs)
{
    SendResult result;
    QLocalSocket socket;
    socket.connectToServer(socketPath(platformName));
    if (!waitFor(socket, timeoutMs,
                 [&] { return socket.state() == QLocalSocket::ConnectedState; })) {
        socket.abort();
        result.status = SendResult::Status::NotRunning;
        return result;
    }

    QByteArray line = command.toUtf8();
    line.replace('\n', ' ').replace('\r', ' ');
    socket.write(line + '\n');
    socket.flush();

    const bool answered = waitFor(socket, timeoutMs, [&] {
        return socket.canReadLine() || socket.bytesAvailable() > maxLineLength;
    });
    if (!answered || !socket.canReadLine()) {
        socket.abort();
        result.status = SendResult::Status::NoAnswer;
        return result;
    }
    const QString answer = QString::fromUtf8(socket.readLine(maxLineLength)).trimmed();
    socket.disconnectFromServer();
    if (answer == QLatin1String("OK")) {
        result.status = SendResult::Status::Accepted;
    } else if (answer.startsWith(QLatin1String("ERRO"))) {
        result.status = SendResult::Status::Refused;
        result.message = answer.mid(4).trimmed();
    } else {
        result.status = SendResult::Status::Refused;
        result.message =
                QStringLiteral("Resposta inesperada da plataforma CAD: \"%1\".").arg(answer);
    }
    return result;
}

bool isListening(const QString &platformName, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath(platformName));
    const bool up = waitFor(socket, timeoutMs,
                            [&] { return socket.state() == QLocalSocket::ConnectedState; });
    socket.abort();
    return up;
}

} // namespace CommandChannel

CommandServer::CommandServer(QObject *parent) : QObject(parent) { }

CommandServer::~CommandServer()
{
    close();
}

bool CommandServer::listen(const QString &platformName, QString *error)
{
    close();
    const QString path = CommandChannel::socketPath(platformName);
    if (CommandChannel::isListening(platformName, 500)) {
        if (error)
            *error = QStringLiteral("Já existe uma plataforma \"%1\" em execução (%2).")
                             .arg(platformName, path);
        return false;
    }
    // Nobody answers: whatever file is there was left by a platform that died.
    QLocalServer::removeServer(path);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path)) {
        if (error)
            *error = QStringLiteral("Não foi possível abrir o canal de comandos %1: %2")
                             .arg(path, m_server->errorString());
        delete m_server;
        m_server = nullptr;
        return false;
    }
    m_path = path;
    connect(m_server, &QLocalServer::newConnection, this, &CommandServer::acceptConnections);
    return true;
}

void CommandServer::close()
{
    if (!m_server)
        return;
    m_server->close();
    delete m_server;
    m_server = nullptr;
    m_path.clear();
}

bool CommandServer::isListening() const
{
    return m_server && m_server->isListening();
}

void CommandServer::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readCommands(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        readCommands(socket);
    }
}

void CommandServer::readCommands(QLocalSocket *socket)
{
    while (socket->canReadLine()) {
        QByteArray raw = socket->readLine(maxLineLength);
        while (raw.endsWith('\n') || raw.endsWith('\r'))
            raw.chop(1);
        const QString command = QString::fromUtf8(raw).trimmed();
        if (command.isEmpty())
            continue;
        emit commandReceived(command);
        const QString refusal = m_handler ? m_handler(command) : QString();
        const QByteArray answer =
                refusal.isEmpty() ? QByteArray("OK") : ("ERRO " + refusal.toUtf8());
        socket->write(answer + '\n');
        socket->flush();
    }
    // A line longer than any command: not a client of ours; drop it.
    if (socket->bytesAvailable() > maxLineLength)
        socket->abort();
}
