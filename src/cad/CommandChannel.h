#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;
class QLocalSocket;

/// The local command channel between the application and the drawing platform. The platform
/// listens on a local socket named after itself in the user's runtime folder; the application
/// connects, writes one command per line (UTF-8, "\n"-terminated) and reads one answer line per
/// command: "OK" when the platform has accepted it, or "ERRO " followed by a message in
/// Portuguese. Every wait is bounded, so a platform that is gone or stuck never hangs the caller.
namespace CommandChannel {

/// The longest wait, in milliseconds, for the connection and again for the answer.
inline constexpr int defaultTimeoutMs = 2000;

/// The socket path of a platform: "<runtime folder>/<name with every blank as "-">.sock".
QString socketPath(const QString &platformName);

struct SendResult
{
    enum class Status {
        Accepted, ///< the platform answered "OK"
        Refused, ///< the platform answered "ERRO …"; `message` holds its text
        NotRunning, ///< nothing listens on the platform's socket
        NoAnswer, ///< connected, but no answer came in time or the platform went away
    };
    Status status = Status::NotRunning;
    QString message;

    bool accepted() const { return status == Status::Accepted; }
};

/// Sends one command line and waits for its answer. While it waits it lets socket and paint
/// events through but no user input, so a window stays drawn and cannot start a second command.
SendResult send(const QString &platformName, const QString &command,
                int timeoutMs = defaultTimeoutMs);

/// True when a platform of that name answers connections on its socket.
bool isListening(const QString &platformName, int timeoutMs = defaultTimeoutMs);

} // namespace CommandChannel

/// The platform's side of the channel: listens on the platform's socket, emits every command
/// line it receives and answers it. The answer is "OK" unless the handler returns a message,
/// which is sent back as "ERRO " + message.
class CommandServer : public QObject
{
    Q_OBJECT
public:
    /// Returns an empty text to accept the command, or the reason for refusing it.
    using Handler = std::function<QString(const QString &command)>;

    explicit CommandServer(QObject *parent = nullptr);
    ~CommandServer() override;

    /// Starts listening for the platform named `platformName`. A socket file left behind by a
    /// platform that died is removed; a platform of the same name that still answers is left
    /// alone and listening fails. On failure `error` receives the reason in Portuguese.
    bool listen(const QString &platformName, QString *error = nullptr);
    void close();
    bool isListening() const;
    /// The socket path listened on (empty before `listen`).
    QString path() const { return m_path; }

    void setHandler(Handler handler) { m_handler = std::move(handler); }

signals:
    /// One command line as received, without its line end; emitted before it is answered.
    void commandReceived(const QString &command);

private:
    void acceptConnections();
    void readCommands(QLocalSocket *socket);

    QLocalServer *m_server = nullptr;
    QString m_path;
    Handler m_handler;
};
