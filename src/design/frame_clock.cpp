#include "design/frame_clock.h"

#include <algorithm>
#include <limits>

namespace velorinth {

namespace {
constexpr int kFrame = 16; // milliseconds, as Qt's animation timer
}

FrameClock::FrameClock(QObject *parent)
    : QPauseAnimation(parent)
{
}

int FrameClock::duration() const
{
    return std::numeric_limits<int>::max();
}

void FrameClock::tickIn(int milliseconds)
{
    m_sleptAt = currentTime();
    m_due = m_sleptAt + std::max(0, milliseconds);
    m_alarm.stop();
    follow();
}

void FrameClock::tickWhen(const std::function<bool(double)> &due, int longest)
{
    int sleep = kFrame;
    while (sleep < longest && !due(seconds() + sleep / 1000.0))
        sleep += kFrame;
    tickIn(sleep);
}

void FrameClock::updateCurrentTime(int time)
{
    // Set back (a test rewinding time): the sleep no longer holds.
    if (time < m_sleptAt)
        m_due = time;
    follow(); // also sleeps the rest after an alarm that rang a little early
    if (time >= m_due)
        Q_EMIT ticked();
}

void FrameClock::updateState(State, State oldState)
{
    if (oldState == Stopped)
        m_due = m_sleptAt = 0;
    follow();
}

void FrameClock::follow()
{
    const bool awake = state() == Running && currentTime() >= m_due;
    const bool asleep = state() == Running && !awake;
    if (!awake)
        m_beat.stop();
    else if (m_beat.state() != Running)
        m_beat.start();
    if (!asleep) {
        m_alarm.stop();
    } else if (m_alarm.state() != Running) {
        m_alarm.setDuration(m_due - currentTime());
        m_alarm.start();
    }
}

} // namespace velorinth
