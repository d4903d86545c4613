// The command channel between the application and the drawing platform, both ends in one process.
#include "cad/CommandChannel.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

/// Points the runtime folder at a fresh temporary folder, so no real platform is reached.
class CommandChannelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_runtime.isValid());
        m_previous = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", m_previous); }

    QTemporaryDir m_runtime;
    QByteArray m_previous;
};

TEST_F(CommandChannelTest, SocketPathIsThePlatformNameWithDashesInTheRuntimeFolder)
{
    EXPECT_EQ(CommandChannel::socketPath(QStringLiteral("Reservium CAD")),
              QDir(m_runtime.path()).filePath(QStringLiteral("Reservium-CAD.sock")));
    EXPECT_EQ(CommandChannel::socketPath(QStringLiteral("IntelliCAD 2000")),
              QDir(m_runtime.path()).filePath(QStringLiteral("IntelliCAD-2000.sock")));
}

TEST_F(CommandChannelTest, NothingListeningIsReportedAtOnce)
{
    QElapsedTimer clock;
    clock.start();
    const auto result =
            CommandChannel::send(QStringLiteral("Reservium CAD"), QStringLiteral("RSV_INI"));
    EXPECT_EQ(result.status, CommandChannel::SendResult::Status::NotRunning);
    EXPECT_FALSE(CommandChannel::isListening(QStringLiteral("Reservium CAD")));
    EXPECT_LT(clock.elapsed(), CommandChannel::defaultTimeoutMs);
}

TEST_F(CommandChannelTest, CommandsReachTheServerAndAreAcknowledged)
{
    CommandServer server;
    QString error;
    ASSERT_TRUE(server.listen(QStringLiteral("Reservium CAD"), &error)) << error.toStdString();
    QSignalSpy received(&server, &CommandServer::commandReceived);

    // Codes as the platform receives them, and a text outside ASCII to pin the UTF-8 encoding.
    const QStringList commands{ QStringLiteral("RSV_INI"), QStringLiteral("RSV_DAs"),
                                QStringLiteral("RSV_EAS"), QStringLiteral("Reservatório") };
    for (const QString &command : commands) {
        const auto result = CommandChannel::send(QStringLiteral("Reservium CAD"), command);
        EXPECT_TRUE(result.accepted()) << command.toStdString();
    }
    ASSERT_EQ(received.count(), commands.size());
    for (int i = 0; i < commands.size(); ++i)
        EXPECT_EQ(received.at(i).at(0).toString(), commands.at(i));
}

TEST_F(CommandChannelTest, ARefusalCarriesThePlatformsMessage)
{
    CommandServer server;
    ASSERT_TRUE(server.listen(QStringLiteral("Reservium CAD")));
    server.setHandler([](const QString &command) {
        return command == QLatin1String("RSV_DFR")
                ? QStringLiteral("Nenhum projeto carregado; execute RSV_INI antes.")
                : QString();
    });
    const auto refused =
            CommandChannel::send(QStringLiteral("Reservium CAD"), QStringLiteral("RSV_DFR"));
    EXPECT_EQ(refused.status, CommandChannel::SendResult::Status::Refused);
    EXPECT_EQ(refused.message, QStringLiteral("Nenhum projeto carregado; execute RSV_INI antes."));
    EXPECT_TRUE(CommandChannel::send(QStringLiteral("Reservium CAD"), QStringLiteral("RSV_INI"))
                        .accepted());
}

TEST_F(CommandChannelTest, OneConnectionMayCarrySeveralLines)
{
    CommandServer server;
    ASSERT_TRUE(server.listen(QStringLiteral("Reservium CAD")));
    QSignalSpy received(&server, &CommandServer::commandReceived);
    QLocalSocket socket;
    socket.connectToServer(server.path());
    ASSERT_TRUE(socket.waitForConnected(1000));
    socket.write("RSV_DFR\r\nRSV_DCT\n");
    socket.flush();
    QByteArray answers;
    for (int i = 0; i < 50 && answers.count('\n') < 2; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        socket.waitForReadyRead(20);
        answers += socket.readAll();
    }
    EXPECT_EQ(answers, QByteArray("OK\nOK\n"));
    ASSERT_EQ(received.count(), 2);
    EXPECT_EQ(received.at(1).at(0).toString(), QStringLiteral("RSV_DCT"));
}

TEST_F(CommandChannelTest, APlatformThatNeverAnswersOrDiesDoesNotHangTheSender)
{
    struct Case
    {
        const char *what;
        bool dropConnection;
    };
    for (const Case c : { Case{ "silent platform", false }, Case{ "platform dies", true } }) {
        QLocalServer mute;
        const QString path = CommandChannel::socketPath(QStringLiteral("Reservium CAD"));
        QLocalServer::removeServer(path);
        ASSERT_TRUE(mute.listen(path)) << c.what;
        QObject::connect(&mute, &QLocalServer::newConnection, [&] {
            QLocalSocket *peer = mute.nextPendingConnection();
            if (c.dropConnection)
                QObject::connect(peer, &QLocalSocket::readyRead, peer, &QLocalSocket::abort);
        });
        QElapsedTimer clock;
        clock.start();
        const auto result = CommandChannel::send(QStringLiteral("Reservium CAD"),
                                                 QStringLiteral("RSV_INI"), 400);
        EXPECT_EQ(result.status, CommandChannel::SendResult::Status::NoAnswer) << c.what;
        EXPECT_LT(clock.elapsed(), 1500) << c.what;
        mute.close();
    }
}

TEST_F(CommandChannelTest, AStaleSocketFileIsReplacedButALivePlatformIsNot)
{
    const QString path = CommandChannel::socketPath(QStringLiteral("Reservium CAD"));
    {
        QFile stale(path);
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    CommandServer first;
    QString error;
    ASSERT_TRUE(first.listen(QStringLiteral("Reservium CAD"), &error)) << error.toStdString();

    CommandServer second;
    EXPECT_FALSE(second.listen(QStringLiteral("Reservium CAD"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Já existe")));
    // The first platform still owns its channel.
    EXPECT_TRUE(CommandChannel::send(QStringLiteral("Reservium CAD"), QStringLiteral("RSV_DFR"))
                        .accepted());
}

} // namespace
