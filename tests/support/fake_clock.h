#pragma once

#include "platform/clock.h"

#include <QList>

#include <map>
#include <memory>

namespace velorinth {

// A clock that only moves when told to. advance() fires every timer that falls
// due on the way, in time order, with now() set to each one's due time, so a
// schedule spanning days runs in microseconds. Like the real clock, it tells
// the time in UTC.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(const QDateTime &start);
    ~FakeClock() override;

    [[nodiscard]] QDateTime now() const override { return m_now; }
    [[nodiscard]] std::unique_ptr<RepeatingTimer>
    startRepeating(std::chrono::milliseconds interval, std::function<void()> tick) override;
    void runLater(std::chrono::milliseconds delay, QObject *context,
                  std::function<void()> task) override;

    void advance(std::chrono::milliseconds by);
    [[nodiscard]] int repeatingTimerCount() const;
    // The repeating timers stopped so far, by their creation number (from 0, counting
    // delayed tasks too), in the order they stopped.
    [[nodiscard]] QList<qint64> stoppedTimers() const { return m_stopped; }

private:
    struct Entry;
    class Handle;

    [[nodiscard]] qint64 add(Entry entry);

    QDateTime m_now;
    qint64 m_nextId = 0;
    std::map<qint64, Entry> m_entries;
    QList<qint64> m_stopped;
    std::shared_ptr<FakeClock *> m_self;
};

} // namespace velorinth
