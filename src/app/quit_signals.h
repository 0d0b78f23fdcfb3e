#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <memory>

namespace velorinth {

// Turns SIGTERM, SIGINT and SIGHUP (a session ending, Ctrl+C, a closed terminal) into a
// notice on the event loop, so that they quit the app the clean way. The handler only writes
// the signal's number into a socket pair, the one thing safe to do inside it. One per process.
class QuitSignals final : public QObject
{
    Q_OBJECT

public:
    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override; // gives the signals back their default handling

Q_SIGNALS:
    void received(int signal);

private:
    void readSignal();

    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace velorinth
