#include "private_pulse_server.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <signal.h>

namespace velorinth {

namespace {

bool answers(const QByteArray &address)
{
    QProcess pactl;
    pactl.setStandardOutputFile(QProcess::nullDevice());
    pactl.setStandardErrorFile(QProcess::nullDevice());
    pactl.start(QStringLiteral("pactl"),
                {QStringLiteral("--server=") + QString::fromUtf8(address), QStringLiteral("info")});
    return pactl.waitForFinished() && pactl.exitStatus() == QProcess::NormalExit
        && pactl.exitCode() == 0;
}

void sendSignal(const QProcess &process, int number)
{
    if (process.state() == QProcess::Running)
        ::kill(pid_t(process.processId()), number);
}

} // namespace

PrivatePulseServer::PrivatePulseServer()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtimeDirectory.path());
    environment.remove(QStringLiteral("PULSE_SERVER"));
    // Off the buses and the display: the shared daemon already holds its D-Bus name.
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    environment.remove(QStringLiteral("DISPLAY"));
    m_daemon.setProcessEnvironment(environment);
    m_daemon.setStandardOutputFile(QProcess::nullDevice());
    m_daemon.setStandardErrorFile(QProcess::nullDevice());
}

PrivatePulseServer::~PrivatePulseServer()
{
    stop();
}

bool PrivatePulseServer::start()
{
    m_daemon.start(QStringLiteral("pulseaudio"),
                   {QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                    QStringLiteral("--use-pid-file=no"), QStringLiteral("-n"),
                    QStringLiteral("--load=module-native-protocol-unix"),
                    QStringLiteral("--load=module-null-sink sink_name=privatesink")});
    if (!m_daemon.waitForStarted())
        return false;
    const QDeadlineTimer deadline(10'000);
    while (!answers(address())) {
        if (deadline.hasExpired() || m_daemon.state() != QProcess::Running)
            return false;
        QThread::msleep(50);
    }
    return true;
}

void PrivatePulseServer::stop()
{
    if (m_daemon.state() == QProcess::NotRunning)
        return;
    thaw();
    m_daemon.terminate();
    if (!m_daemon.waitForFinished(5000)) {
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
}

void PrivatePulseServer::freeze()
{
    sendSignal(m_daemon, SIGSTOP);
}

void PrivatePulseServer::thaw()
{
    sendSignal(m_daemon, SIGCONT);
}

QByteArray PrivatePulseServer::address() const
{
    return "unix:" + QFile::encodeName(m_runtimeDirectory.path()) + "/pulse/native";
}

} // namespace velorinth
