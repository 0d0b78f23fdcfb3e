#include "design/animated_value.h"

#include "design/spring.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace velorinth {

namespace {
// A spring is done once it is this close to the target, relative to how far it had to go.
constexpr double kRestFraction = 1e-3;
constexpr double kVelocityProbe = 0.001;

int milliseconds(double seconds)
{
    return static_cast<int>(std::lround(seconds * 1000.0));
}
} // namespace

AnimatedValue::AnimatedValue(double value, QObject *parent)
    : QAbstractAnimation(parent)
    , m_from(value)
    , m_target(value)
    , m_value(value)
{
}

AnimatedValue *AnimatedValue::repainting(double value, QWidget *widget)
{
    auto *animated = new AnimatedValue(value, widget);
    connect(animated, &AnimatedValue::valueChanged, widget, qOverload<>(&QWidget::update));
    return animated;
}

void AnimatedValue::animateTo(double target, const Animation &animation)
{
    Q_ASSERT(!(animation.isSpring() && animation.repeatsForever()));
    // A repeating motion never settles on its target: a one-off aim there still ends it.
    const bool sameKindOfMotion = state() == QAbstractAnimation::Stopped
        || m_animation.repeatsForever() == animation.repeatsForever();
    if (target == m_target && sameKindOfMotion)
        return;
    const double startVelocity = velocity();
    m_animation = animation;
    m_from = m_value;
    m_target = target;
    if (animation.isSpring()) {
        m_springVelocity = startVelocity;
        const Spring spring(animation.response(), animation.dampingFraction());
        const double reach = std::max(std::abs(target - m_value),
                                      std::abs(startVelocity) / spring.angularFrequency());
        m_restTolerance = reach * kRestFraction;
        if (reach == 0.0) {
            finish();
            return;
        }
    } else if (animation.duration() <= 0.0 && animation.delay() <= 0.0) {
        finish();
        return;
    }
    // Times count from the latest animateTo(), running or not.
    m_lastTime = 0;
    if (state() == QAbstractAnimation::Stopped)
        start();
    else
        setCurrentTime(0);
}

void AnimatedValue::setValue(double value)
{
    m_from = m_target = value;
    finish();
}

double AnimatedValue::velocity() const
{
    if (state() == QAbstractAnimation::Stopped)
        return 0.0;
    if (m_animation.isSpring())
        return m_springVelocity;
    const double seconds = m_lastTime / 1000.0;
    if (seconds <= m_animation.delay())
        return 0.0;
    return (m_animation.valueAt(m_from, m_target, seconds)
            - m_animation.valueAt(m_from, m_target, seconds - kVelocityProbe))
        / kVelocityProbe;
}

void AnimatedValue::updateCurrentTime(int currentTime)
{
    if (m_animation.isSpring()) {
        stepSpring(currentTime);
        return;
    }
    m_lastTime = currentTime;
    const double seconds = currentTime / 1000.0;
    if (seconds < m_animation.delay())
        return;
    if (m_animation.isOverAt(seconds)) {
        finish();
        return;
    }
    show(m_animation.valueAt(m_from, m_target, seconds));
}

void AnimatedValue::stepSpring(int currentTime)
{
    const int motionStart = milliseconds(m_animation.delay());
    const int from = std::max(m_lastTime, motionStart);
    m_lastTime = currentTime;
    if (currentTime <= from)
        return;
    const Spring spring(m_animation.response(), m_animation.dampingFraction());
    const SpringState state =
        spring.advanced({m_value, m_springVelocity}, m_target, (currentTime - from) / 1000.0);
    if (spring.isAtRest(state, m_target, m_restTolerance)) {
        finish();
        return;
    }
    m_springVelocity = state.velocity;
    show(state.value);
}

void AnimatedValue::show(double value)
{
    if (value == m_value)
        return;
    m_value = value;
    Q_EMIT valueChanged(value);
}

void AnimatedValue::finish()
{
    m_springVelocity = 0.0;
    if (state() != QAbstractAnimation::Stopped)
        stop();
    show(m_target);
}

} // namespace velorinth
