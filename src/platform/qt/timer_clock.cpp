#include "timer_clock.h"

#include <QTimer>

namespace velorinth {

namespace {

class QtRepeatingTimer final : public RepeatingTimer
{
public:
    QtRepeatingTimer(std::chrono::milliseconds interval, std::function<void()> tick)
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(interval);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, std::move(tick));
        m_timer.start();
    }

private:
    QTimer m_timer;
};

} // namespace

// In UTC: reading the local time makes the C library look at /etc/localtime
// again each time, so the engine converts only where the wall clock matters.
QDateTime TimerClock::now() const
{
    return QDateTime::currentDateTimeUtc();
}

std::unique_ptr<RepeatingTimer> TimerClock::startRepeating(std::chrono::milliseconds interval,
                                                           std::function<void()> tick)
{
    return std::make_unique<QtRepeatingTimer>(interval, std::move(tick));
}

void TimerClock::runLater(std::chrono::milliseconds delay, QObject *context,
                          std::function<void()> task)
{
    QTimer::singleShot(delay, Qt::PreciseTimer, context, std::move(task));
}

} // namespace velorinth
