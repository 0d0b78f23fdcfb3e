#include "notification_schedule.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace velorinth {

NotificationSchedule::NotificationSchedule(Show show)
    : m_show(std::move(show))
{
}

void NotificationSchedule::add(const NotificationRequest &request)
{
    auto timer = std::make_unique<QTimer>();
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer.get(), &QTimer::timeout, timer.get(),
                     [this, request] { m_show(request); });
    timer->start(
        std::chrono::milliseconds(std::llround(std::max(request.delaySeconds, 0.0) * 1000)));
    m_timers[request.identifier] = std::move(timer);
}

void NotificationSchedule::clear()
{
    m_timers.clear();
}

} // namespace velorinth
