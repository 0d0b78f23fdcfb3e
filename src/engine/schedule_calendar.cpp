#include "schedule_calendar.h"

#include <algorithm>
#include <utility>

namespace velorinth {

namespace {

// Wall-clock reading of an instant, comparable without time zones.
std::pair<QDate, QTime> wallClock(const QDateTime &instant)
{
    const QDateTime local = instant.toLocalTime();
    return {local.date(), local.time()};
}

// The first instant of `day` whose wall clock reads `wall` or, inside a
// daylight-saving gap, the first instant after it.
std::optional<QDateTime> occurrenceOn(const QDate &day, const QTime &wall)
{
    const QDateTime wallAsUtc(day, wall, Qt::UTC);
    const int offsetBefore = day.startOfDay().offsetFromUtc();
    const int offsetAfter = day.endOfDay().offsetFromUtc();

    std::optional<QDateTime> earliest;
    for (const int offset : {offsetBefore, offsetAfter}) {
        const QDateTime instant = wallAsUtc.addSecs(-offset);
        if (wallClock(instant) == std::pair(day, wall) && (!earliest || instant < *earliest))
            earliest = instant;
    }
    if (earliest)
        return earliest->toLocalTime();

    // The wall time does not exist that day: find where the clock jumps past it.
    qint64 low = wallAsUtc.addSecs(-std::max(offsetBefore, offsetAfter)).toSecsSinceEpoch();
    qint64 high = wallAsUtc.addSecs(-std::min(offsetBefore, offsetAfter)).toSecsSinceEpoch();
    const auto passed = [&](qint64 seconds) {
        return wallClock(QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC)) >= std::pair(day, wall);
    };
    if (low >= high || passed(low) || !passed(high))
        return std::nullopt;
    while (high - low > 1) {
        const qint64 middle = low + (high - low) / 2;
        (passed(middle) ? high : low) = middle;
    }
    return QDateTime::fromSecsSinceEpoch(high, Qt::LocalTime);
}

} // namespace

std::optional<QDateTime> dailyOccurrenceOn(const QDate &day, int hour, int minute)
{
    const QTime wall(hour, minute);
    if (!wall.isValid())
        return std::nullopt;
    return occurrenceOn(day, wall);
}

std::optional<QDateTime> nextDailyOccurrence(const QDateTime &after, int hour, int minute)
{
    const QDate today = after.toLocalTime().date();
    for (int days = -1; days <= 2; ++days) {
        const std::optional<QDateTime> occurrence =
            dailyOccurrenceOn(today.addDays(days), hour, minute);
        if (occurrence && *occurrence > after)
            return occurrence;
    }
    return std::nullopt;
}

} // namespace velorinth
