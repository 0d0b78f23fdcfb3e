#include "design/animation.h"

#include "design/easing.h"

#include <algorithm>
#include <cmath>

namespace velorinth {

double Animation::progressAt(double seconds) const
{
    const double elapsed = std::max(seconds - m_delay, 0.0);
    double progress = m_duration > 0.0 ? std::min(elapsed / m_duration, 1.0) : 1.0;
    if (m_repeatsForever && m_duration > 0.0) {
        const double passes = elapsed / m_duration;
        const double pass = std::floor(passes);
        progress = passes - pass;
        if (m_autoreverses && std::fmod(pass, 2.0) == 1.0)
            progress = 1.0 - progress;
    }
    return Easing::curve(m_curve).valueForProgress(progress);
}

bool Animation::isOverAt(double seconds) const
{
    return !m_repeatsForever && seconds >= m_delay + m_duration;
}

double Animation::valueAt(double from, double to, double seconds) const
{
    return isOverAt(seconds) ? to : from + (to - from) * progressAt(seconds);
}

} // namespace velorinth
