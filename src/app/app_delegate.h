#pragma once

#include <QObject>
#include <QPointer>

#include <chrono>

namespace velorinth {

class SleepManager;

// What the app does when it is about to quit and when it is launched again while running.
class AppDelegate final : public QObject
{
    Q_OBJECT

public:
    // How long quitting waits for the LED command that the manager's cleanup starts.
    static constexpr std::chrono::milliseconds kLEDCommandWait{2000};

    explicit AppDelegate(QObject *parent = nullptr);

    // Handed over each time the main window's content is shown.
    void setSleepManager(SleepManager *manager);

    // Once, whatever asked to quit: stops a running session, which gives a faded volume back
    // at once, then cleans up (the LED comes back on) and waits a bounded time for that.
    void applicationWillTerminate();
    // Brings the main window forward. Always false: nothing more is to be done.
    bool applicationShouldHandleReopen();

private:
    QPointer<SleepManager> m_manager;
    bool m_terminated = false;
};

} // namespace velorinth
