#include "app/single_instance.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

namespace velorinth {

namespace {

const QByteArray kOpenRequest = "open\n";
const QByteArray kAnswer = "ok\n";
// A later launch may come while the first is still starting, between taking the lock and
// listening: it tries to reach it for this long.
constexpr int kReachAttempts = 40;
constexpr unsigned long kReachPauseMs = 50;
constexpr int kAnswerWaitMs = 2000;

bool isPrivateDirectory(const QString &path)
{
    struct stat info
    { };
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &info) == 0
        && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

// Every launch must find the same place, so no fresh random directory as a last resort.
QString runtimeDirectory()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (isPrivateDirectory(runtime))
        return runtime;
    const QString perUser = qEnvironmentVariable("TMPDIR", QStringLiteral("/tmp"))
        + QStringLiteral("/velorinth-%1").arg(::getuid());
    ::mkdir(QFile::encodeName(perUser).constData(), 0700);
    return isPrivateDirectory(perUser) ? perUser : QString();
}

} // namespace

SingleInstance::SingleInstance(QObject *parent)
    : SingleInstance(runtimeDirectory(), parent)
{
}

SingleInstance::SingleInstance(const QString &directory, QObject *parent)
    : QObject(parent)
    , m_directory(directory)
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server.nextPendingConnection())
            answer(socket);
    });
}

QString SingleInstance::socketPath() const
{
    return m_directory + QStringLiteral("/velorinth.socket");
}

bool SingleInstance::claim()
{
    if (m_directory.isEmpty())
        return true;
    m_lock = std::make_unique<QLockFile>(m_directory + QStringLiteral("/velorinth.lock"));
    // Held for the whole run: only a lock whose process is gone is stale, whatever its age.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        m_lock.reset();
        return false;
    }
    // Whatever socket is there was left by an instance that is gone.
    QLocalServer::removeServer(socketPath());
    m_server.listen(socketPath());
    return true;
}

bool SingleInstance::handOver()
{
    if (m_directory.isEmpty())
        return false;
    QLocalSocket socket;
    for (int attempt = 0; attempt < kReachAttempts; ++attempt) {
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(kAnswerWaitMs))
            break;
        QThread::msleep(kReachPauseMs);
    }
    if (socket.state() != QLocalSocket::ConnectedState)
        return false;
    socket.write(kOpenRequest);
    if (!socket.waitForBytesWritten(kAnswerWaitMs))
        return false;
    while (socket.bytesAvailable() < kAnswer.size() && socket.waitForReadyRead(kAnswerWaitMs)) { }
    return socket.readAll() == kAnswer;
}

void SingleInstance::answer(QLocalSocket *socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (!socket->canReadLine())
            return;
        if (socket->readLine() == kOpenRequest) {
            Q_EMIT reopenRequested();
            socket->write(kAnswer);
        }
        socket->disconnectFromServer();
    });
}

} // namespace velorinth
