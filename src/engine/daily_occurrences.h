#pragma once

#include <QDateTime>

#include <optional>

namespace velorinth {

// The occurrences of the daily time that the schedule watcher needs each
// second: today's and the next one. Working them out takes dozens of
// local-time conversions, and each one makes the C library look at
// /etc/localtime again, so they are kept until the local day or its UTC
// offset changes, the daily time is set anew or the next one has passed.
// They are kept in UTC, where comparing instants converts nothing.
class DailyOccurrences
{
public:
    // Brings the answers up to `now`, for the hour and minute of `dailyTime`
    // on the wall clock. Costs one local-time conversion on most calls.
    void update(const QDateTime &now, const QDateTime &dailyTime);
    // Forgets the answers: the daily time was set anew.
    void invalidate() { m_day = QDate(); }

    // On the local day of `now`: the first instant the wall clock reads the
    // daily time, or the end of the skipped hour that holds it.
    [[nodiscard]] const std::optional<QDateTime> &today() const { return m_today; }
    // The first occurrence after `now`, by the same rules.
    [[nodiscard]] const std::optional<QDateTime> &next() const { return m_next; }
    // The wall clock at `now` reads the daily hour and minute.
    [[nodiscard]] bool wallClockMatches() const { return m_wallClockMatches; }

private:
    QDate m_day; // invalid until the first update
    qint64 m_offset = 0; // the wall clock's lead on UTC, in seconds
    QDateTime m_updatedAt;
    int m_hour = 0;
    int m_minute = 0;
    std::optional<QDateTime> m_today;
    std::optional<QDateTime> m_next;
    bool m_wallClockMatches = false;
};

} // namespace velorinth
