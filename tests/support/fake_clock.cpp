#include "fake_clock.h"

#include <QPointer>

namespace velorinth {

struct FakeClock::Entry
{
    QDateTime due;
    std::chrono::milliseconds interval{0}; // 0: runs once
    std::function<void()> task;
    QPointer<QObject> context;
    bool hasContext = false;
};

// Removes its timer when destroyed, even after the clock itself is gone.
class FakeClock::Handle final : public RepeatingTimer
{
public:
    Handle(std::weak_ptr<FakeClock *> clock, qint64 id)
        : m_clock(std::move(clock))
        , m_id(id)
    {
    }
    ~Handle() override
    {
        if (auto clock = m_clock.lock()) {
            (*clock)->m_entries.erase(m_id);
            (*clock)->m_stopped.append(m_id);
        }
    }

private:
    std::weak_ptr<FakeClock *> m_clock;
    qint64 m_id;
};

FakeClock::FakeClock(const QDateTime &start)
    : m_now(start.toUTC())
    , m_self(std::make_shared<FakeClock *>(this))
{
}

FakeClock::~FakeClock() = default;

qint64 FakeClock::add(Entry entry)
{
    const qint64 id = m_nextId++;
    m_entries.emplace(id, std::move(entry));
    return id;
}

std::unique_ptr<RepeatingTimer> FakeClock::startRepeating(std::chrono::milliseconds interval,
                                                          std::function<void()> tick)
{
    const qint64 id = add({m_now.addMSecs(interval.count()), interval, std::move(tick), {}, false});
    return std::make_unique<Handle>(m_self, id);
}

void FakeClock::runLater(std::chrono::milliseconds delay, QObject *context,
                         std::function<void()> task)
{
    (void)add({m_now.addMSecs(delay.count()), {}, std::move(task), context, context != nullptr});
}

void FakeClock::advance(std::chrono::milliseconds by)
{
    const QDateTime target = m_now.addMSecs(by.count());
    for (;;) {
        auto next = m_entries.end();
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it->second.due <= target
                && (next == m_entries.end() || it->second.due < next->second.due))
                next = it;
        }
        if (next == m_entries.end())
            break;
        Entry &entry = next->second;
        m_now = entry.due;
        std::function<void()> task = entry.task; // the task may remove its own entry
        const bool skip = entry.hasContext && entry.context.isNull();
        if (entry.interval.count() > 0)
            entry.due = entry.due.addMSecs(entry.interval.count());
        else
            m_entries.erase(next);
        if (!skip)
            task();
    }
    m_now = target;
}

int FakeClock::repeatingTimerCount() const
{
    int count = 0;
    for (const auto &[id, entry] : m_entries)
        count += entry.interval.count() > 0 ? 1 : 0;
    return count;
}

} // namespace velorinth
