#include "design/pulse_effect.h"

#include "design/animated_value.h"

namespace velorinth {

namespace {
// Settles the pulse back to full so the next activation starts from there.
constexpr Animation kReset = Animation::easeInOut(0.2);
} // namespace

PulseEffect::PulseEffect(bool isActive, double minOpacity, double duration, QObject *parent)
    : QObject(parent)
    , m_isActive(isActive)
    , m_minOpacity(minOpacity)
    , m_duration(duration)
    , m_opacity(new AnimatedValue(1.0, this))
{
    connect(m_opacity, &AnimatedValue::valueChanged, this, [this] {
        if (m_isActive)
            Q_EMIT opacityChanged();
    });
    update();
}

void PulseEffect::setActive(bool isActive)
{
    if (isActive == m_isActive)
        return;
    const double before = opacity();
    m_isActive = isActive;
    update();
    if (opacity() != before)
        Q_EMIT opacityChanged();
}

double PulseEffect::opacity() const
{
    return m_isActive ? m_opacity->value() : 1.0;
}

void PulseEffect::setPaused(bool paused)
{
    if (paused && m_opacity->state() == QAbstractAnimation::Running)
        m_opacity->pause();
    else if (!paused && m_opacity->state() == QAbstractAnimation::Paused)
        m_opacity->resume();
}

void PulseEffect::update()
{
    if (m_isActive)
        m_opacity->animateTo(m_minOpacity, Animation::easeInOut(m_duration).repeatedForever(true));
    else
        m_opacity->animateTo(1.0, kReset);
}

} // namespace velorinth
