#include "daily_occurrences.h"

#include "engine/schedule_calendar.h"

namespace velorinth {

namespace {

std::optional<QDateTime> inUtc(const std::optional<QDateTime> &instant)
{
    return instant ? std::optional(instant->toUTC()) : std::nullopt;
}

} // namespace

void DailyOccurrences::update(const QDateTime &now, const QDateTime &dailyTime)
{
    if (m_day.isValid() && now == m_updatedAt)
        return;
    const QDateTime wallClock = now.toLocalTime();
    // Read off the two readings: asking the local time for its offset would convert again.
    const qint64 offset = now.secsTo(QDateTime(wallClock.date(), wallClock.time(), Qt::UTC));
    // A new day, a new offset (daylight saving, another zone) or a clock set back: start over.
    if (!m_day.isValid() || wallClock.date() != m_day || offset != m_offset || now < m_updatedAt) {
        m_day = wallClock.date();
        m_offset = offset;
        const QTime wall = dailyTime.toLocalTime().time();
        m_hour = wall.hour();
        m_minute = wall.minute();
        m_today = inUtc(dailyOccurrenceOn(m_day, m_hour, m_minute));
        m_next.reset();
    }
    if (!m_next || now >= *m_next)
        m_next = inUtc(nextDailyOccurrence(now, m_hour, m_minute));
    m_wallClockMatches = wallClock.time().hour() == m_hour && wallClock.time().minute() == m_minute;
    m_updatedAt = now;
}

} // namespace velorinth
