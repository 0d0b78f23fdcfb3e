#include "design/pulse_effect.h"

#include "design/frame_clock.h"
#include "design/glide.h"
#include "design/pause_while_hidden.h"

#include <QWidget>

namespace velorinth {

namespace {
// Settles the pulse back to full so the next activation starts from there.
constexpr Animation kReset = Animation::easeInOut(0.2);
} // namespace

PulseEffect::PulseEffect(bool isActive, double minOpacity, double duration, QWidget *view)
    : QObject(view)
    , m_isActive(isActive)
    , m_minOpacity(minOpacity)
    , m_duration(duration)
    , m_opacity(new Glide(1.0, this))
{
    connect(m_opacity, &Glide::valueChanged, this, [this] {
        if (m_isActive)
            Q_EMIT opacityChanged();
    });
    if (view)
        PauseWhileHidden::watch(view, m_opacity->clock());
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

void PulseEffect::setStep(double opacity)
{
    m_opacity->setStep(opacity);
}

double PulseEffect::opacity() const
{
    return m_isActive ? m_opacity->value() : 1.0;
}

void PulseEffect::update()
{
    if (m_isActive)
        m_opacity->animateTo(m_minOpacity, Animation::easeInOut(m_duration).repeatedForever(true));
    else
        m_opacity->animateTo(1.0, kReset);
}

} // namespace velorinth
