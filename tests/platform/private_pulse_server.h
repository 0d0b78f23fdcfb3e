#pragma once

#include <QByteArray>
#include <QProcess>
#include <QTemporaryDir>

namespace velorinth {

// A PulseAudio daemon of the test's own, with one null sink, that the test
// may stop, freeze or restart without disturbing the shared one.
class PrivatePulseServer
{
public:
    PrivatePulseServer();
    ~PrivatePulseServer();

    // Starts the daemon and waits until it answers; false when it never does.
    [[nodiscard]] bool start();
    void stop();
    void freeze(); // SIGSTOP: the socket still accepts, nothing answers
    void thaw();

    // What PULSE_SERVER must hold to reach it; the same across restarts.
    [[nodiscard]] QByteArray address() const;

private:
    QTemporaryDir m_runtimeDirectory;
    QProcess m_daemon;
};

} // namespace velorinth
