#include "design/glide.h"

#include "design/frame_clock.h"

#include <algorithm>
#include <cmath>

namespace velorinth {

Glide::Glide(double value, QObject *parent)
    : QObject(parent)
    , m_clock(new FrameClock(this))
    , m_from(value)
    , m_to(value)
    , m_announced(value)
{
    connect(m_clock, &FrameClock::ticked, this, &Glide::ticked);
}

void Glide::animateTo(double target, const Animation &animation)
{
    Q_ASSERT(!animation.isSpring());
    const bool running = m_clock->state() != QAbstractAnimation::Stopped;
    if (target == m_to && (!running || m_animation.repeatsForever() == animation.repeatsForever()))
        return;
    // From where it is, not from the last step shown: no jump back.
    m_from = running ? valueAt(m_clock->seconds()) : m_to;
    m_to = target;
    m_animation = animation;
    m_announcedPass = 0;
    m_clock->stop();
    if (animation.isInstant())
        announce(target);
    else
        m_clock->start(); // its first frame ticks
}

void Glide::setStep(double step)
{
    m_step = step;
}

double Glide::valueAt(double seconds) const
{
    return m_animation.valueAt(m_from, m_to, seconds);
}

int Glide::pass(double seconds) const
{
    if (!m_animation.repeatsForever() || m_animation.duration() <= 0.0)
        return 0;
    return static_cast<int>(std::max(0.0, seconds - m_animation.delay()) / m_animation.duration());
}

void Glide::ticked()
{
    const double now = m_clock->seconds();
    if (m_animation.isOverAt(now)) {
        m_clock->stop();
        announce(m_to);
        return;
    }
    const auto stepped = [this](double seconds) {
        return m_animation.isOverAt(seconds) || pass(seconds) != m_announcedPass
            || std::abs(valueAt(seconds) - m_announced) >= m_step;
    };
    if (stepped(now)) {
        m_announcedPass = pass(now);
        announce(valueAt(now));
    }
    if (m_step > 0.0)
        m_clock->tickWhen(stepped);
}

void Glide::announce(double value)
{
    if (value == m_announced)
        return;
    m_announced = value;
    Q_EMIT valueChanged(value);
}

} // namespace velorinth
